#include "scene/core/SceneLight.h"

#include "classlib/core/Exceptions.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLLight.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneRenderState.h"

// --- TMainRenderState ---

void TMainRenderState::SaveOptions(TResourceLoader& writer)
{
    TMainSceneObject::SaveOptions(writer);
    writer.WriteBool("Enabled", Enabled);
}

void TMainRenderState::LoadOptions(TResourceLoader& reader)
{
    TMainSceneObject::LoadOptions(reader);
    Enabled = reader.ReadBool("Enabled", Enabled);
}

void TMainRenderState::Apply()
{
    Enabled = true;
}

void TMainRenderState::Restore()
{
    Enabled = false;
}

// --- Light styles ---

std::string LightStyleToStr(TLightStyle style)
{
    switch (style) {
    case lsParallel:
        return "Parallel";
    case lsParallelPoint:
        return "ParallelPoint";
    case lsPoint:
        return "Point";
    case lsDirectional:
        return "Directional";
    case lsAmbient:
        break;
    }
    return "Ambient";
}

TLightStyle StrToLightStyle(const std::string& text)
{
    // "ParallelPoint" holds both "Parallel" and "Point": it is looked for
    // first.
    if (text.find("ParallelPoint") != std::string::npos)
        return lsParallelPoint;
    if (text.find("Parallel") != std::string::npos)
        return lsParallel;
    if (text.find("Point") != std::string::npos)
        return lsPoint;
    if (text.find("Directional") != std::string::npos)
        return lsDirectional;
    return lsAmbient;
}

// --- TMainLight ---

void TMainLight::Render()
{
    if (Enabled)
        Apply();
    else
        Restore();
}

void TMainLight::CreateGLLight()
{
    if (FGLLight != nullptr)
        return;
    if (Scene == nullptr)
        throw Exception("TMainLight.CreateGLLight error: MainScene is NIL!");
    if (Scene->GL == nullptr)
        throw Exception("TMainLight.CreateGLLight error: MainScene.GL is NIL!");
    FGLLight.reset(Scene->GL->Lights().Add());
    switch (FLightStyle) {
    case lsParallel:
        FGLLight->SetupParallelFar();
        break;
    case lsParallelPoint:
        FGLLight->SetupParallel();
        break;
    case lsPoint:
        FGLLight->SetupPoint();
        break;
    case lsDirectional:
        FGLLight->SetupSpot();
        break;
    case lsAmbient:
        break;
    }
}

void TMainLight::SetLightStyle(TLightStyle value)
{
    if (value == FLightStyle)
        return;
    FLightStyle = value;
    if (FGLLight != nullptr) {
        // Freeing the light takes it out of its list, so the new one is
        // handed the lowest free index - this one's - and no other light
        // can hold it meanwhile.
        FGLLight.reset();
        CreateGLLight();
    }
}

void TMainLight::Apply()
{
    CreateGLLight();
    if (FLightStyle == lsAmbient) {
        Scene->GL->Lights().SetAmbient(FGLLight->Ambient());
        CurrentColor = FGLLight->Ambient();
    } else {
        FGLLight->ApplyAll();
        FGLLight->Enable();
        CurrentColor = FGLLight->Diffuse();
    }
    TMainRenderState::Apply();
}

void TMainLight::Restore()
{
    if (FGLLight != nullptr)
        FGLLight->Disable();
    TMainRenderState::Restore();
}

void TMainLight::LoadOptions(TResourceLoader& reader)
{
    TMainRenderState::LoadOptions(reader);
    CreateGLLight();
    SetLightStyle(StrToLightStyle(reader.ReadString("LightStyle", "")));
    TGLLight& light = *FGLLight;
    light.SetInfinite(reader.ReadBool("Infinite", light.Infinite()));
    light.SetAmbient(reader.ReadColor("Ambient", light.Ambient()));
    light.SetDiffuse(reader.ReadColor("Diffuse", light.Diffuse()));
    light.SetSpecular(reader.ReadColor("Specular", light.Specular()));
    light.SetPosition(reader.ReadVector("Position", light.Position()));
    light.SetDirection(reader.ReadVector("Direction", light.Direction()));
    light.SetSpotExponent(reader.ReadFloat("SpotExponent", light.SpotExponent()));
    light.SetSpotCutoff(reader.ReadFloat("SpotCutoff", light.SpotCutoff()));
    light.SetConstantAttenuation(reader.ReadFloat("ConstantAttenuation", light.ConstantAttenuation()));
    light.SetLinearAttenuation(reader.ReadFloat("LinearAttenuation", light.LinearAttenuation()));
    light.SetQuadraticAttenuation(reader.ReadFloat("QuadraticAttenuation", light.QuadraticAttenuation()));
    light.SetTwoSide(reader.ReadBool("TwoSide", light.TwoSide()));
    light.SetLocalViewer(reader.ReadBool("LocalViewer", light.LocalViewer()));
}

void TMainLight::SaveOptions(TResourceLoader& writer)
{
    TMainRenderState::SaveOptions(writer);
    CreateGLLight();
    const TGLLight& light = *FGLLight;
    writer.WriteString("LightStyle", LightStyleToStr(FLightStyle));
    writer.WriteBool("Infinite", light.Infinite());
    writer.WriteColor("Ambient", light.Ambient());
    writer.WriteColor("Diffuse", light.Diffuse());
    writer.WriteColor("Specular", light.Specular());
    writer.WriteVector("Position", light.Position());
    writer.WriteVector("Direction", light.Direction());
    writer.WriteFloat("SpotExponent", light.SpotExponent());
    writer.WriteFloat("SpotCutoff", light.SpotCutoff());
    writer.WriteFloat("ConstantAttenuation", light.ConstantAttenuation());
    writer.WriteFloat("LinearAttenuation", light.LinearAttenuation());
    writer.WriteFloat("QuadraticAttenuation", light.QuadraticAttenuation());
    writer.WriteBool("TwoSide", light.TwoSide());
    writer.WriteBool("LocalViewer", light.LocalViewer());
}
