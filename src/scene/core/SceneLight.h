// Render states: scene objects that switch OpenGL state as the render list
// reaches them, and the scene light, the one concrete kind.
//
// A render state acts at its place in the render list: objects drawn before
// a light are not lit by it. The light's GL light comes from the light list
// of the scene's context; the scene light owns it and frees it (handing its
// index back) when it goes or when its style changes.
#pragma once

#include <memory>
#include <string>

#include "gl/core/GLLight.h"
#include "scene/core/SceneObjects.h"

class TMainRenderState : public TMainSceneObject {
public:
    // Enabled.
    TMainRenderState() = default;

    std::string ClassName() const override { return "TMainRenderState"; }

    // The TMainObject keys, then "Enabled" (always written).
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    // --- Virtual operations, after the object's ---
    // Switches the state on: Enabled := true.
    virtual void Apply();
    // Switches the state off: Enabled := false.
    virtual void Restore();

    bool Enabled = true;
};

enum TLightStyle { lsParallel, lsParallelPoint, lsPoint, lsDirectional, lsAmbient };

// The style's word: "Parallel", "ParallelPoint", "Point", "Directional",
// "Ambient".
std::string LightStyleToStr(TLightStyle style);
// The first of "ParallelPoint", "Parallel", "Point", "Directional" found
// anywhere in the text (case-sensitive) gives its style; none gives
// Ambient, so an empty text is an ambient light.
TLightStyle StrToLightStyle(const std::string& text);

class TMainLight : public TMainRenderState {
public:
    // Parallel, without a GL light.
    TMainLight() = default;

    std::string ClassName() const override { return "TMainLight"; }

    // Apply when Enabled, else Restore: the light switches on or off at its
    // place in the render list every frame.
    void Render() override;
    // The render-state keys, then the light's: "LightStyle", "Infinite",
    // "Ambient", "Diffuse", "Specular", "Position", "Direction",
    // "SpotExponent", "SpotCutoff", "ConstantAttenuation",
    // "LinearAttenuation", "QuadraticAttenuation", "TwoSide", "LocalViewer",
    // written from the GL light's values (the light lives there only, so it
    // is created first when missing).
    void SaveOptions(TResourceLoader& writer) override;
    // The render-state keys, CreateGLLight, then the same keys in the same
    // order, each defaulting to the GL light's current value ("LightStyle"
    // reads as empty when absent: an ambient light).
    void LoadOptions(TResourceLoader& reader) override;
    // CreateGLLight; an ambient light sets the context's global ambient
    // colour to its ambient colour, any other sends all its parameters and
    // enables its GL light. The current colour of the render-state caches
    // becomes the ambient or diffuse colour. Enabled := true.
    void Apply() override;
    // Disables the GL light when there is one; Enabled := false.
    void Restore() override;

    // Adds a light to the light list of the scene's context and sets it up
    // for the style (Parallel: SetupParallelFar; ParallelPoint:
    // SetupParallel; Point: SetupPoint; Directional: SetupSpot; Ambient:
    // none). Nothing when the light exists. Raises Exception
    // "TMainLight.CreateGLLight error: MainScene is NIL!" without a scene,
    // and "TMainLight.CreateGLLight error: MainScene.GL is NIL!" when the
    // scene has no context.
    void CreateGLLight();

    TLightStyle LightStyle() const { return FLightStyle; }
    // On a change: the GL light, when there is one, is freed (which hands
    // its GL light index back to the list) and a new one made for the new
    // style, so the light never shares a GL light with another.
    void SetLightStyle(TLightStyle value);

    // Null until created.
    TGLLight* GLLight() const { return FGLLight.get(); }

private:
    TLightStyle FLightStyle = lsParallel;
    std::unique_ptr<TGLLight> FGLLight;
};
