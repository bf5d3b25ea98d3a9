#include "scene/core/SceneMaterial.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLMaterial.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoader.h"

// --- TGroupMaterial ----------------------------------------------------------------

TGroupMaterial::TGroupMaterial(TSceneMaterial* material, TGLMaterial* glMaterial, int index)
    : FGLMaterial(glMaterial), FIndex(index), FMaterial(material)
{
}

TGroupMaterial::~TGroupMaterial()
{
    // The cache compares addresses only; a later sub-material at this
    // address must not pass for this one.
    if (CurrentMaterial() == this)
        ResetMaterialCache();
}

void TGroupMaterial::Apply()
{
    FGLMaterial->ApplyAll();
}

float TGroupMaterial::DiffuseAlpha() const
{
    return FGLMaterial->Diffuse().w;
}

bool TGroupMaterial::IsTransparent() const
{
    return DiffuseAlpha() < 0.99f;
}

// --- TSceneMaterial ----------------------------------------------------------------

namespace {

constexpr int MaxGroupCount = 1000;

}  // namespace

TSceneMaterial::~TSceneMaterial() = default;

TGroupMaterial* TSceneMaterial::AddGroup()
{
    const TMainScene* scene = Owner() != nullptr ? Owner()->Scene : Scene;
    if (scene == nullptr || scene->GL == nullptr)
        throw Exception("TSceneMaterial.AddGroup error: MainScene is NIL!");
    TGLMaterial* glMaterial = scene->GL->Materials().Add();
    FGroups.push_back(std::make_unique<TGroupMaterial>(this, glMaterial, GetGroupCount()));
    return FGroups.back().get();
}

TGroupMaterial* TSceneMaterial::GetGroup(int index) const
{
    if (FGroups.empty())
        throw Exception("TSceneMaterial.GetGroup error: Material has no groups!");
    return FGroups[std::clamp(index, 0, GetGroupCount() - 1)].get();
}

void TSceneMaterial::SaveOptions(TResourceLoader& writer)
{
    TMainObject::SaveOptions(writer);
    writer.WriteInteger("Count", GetGroupCount());
    writer.WriteBool("UseVertexColor", UseVertexColor);
    for (int i = 1; i <= GetGroupCount(); ++i) {
        const TGroupMaterial& group = *FGroups[i - 1];
        const TGLMaterial& gl = *group.GLMaterial();
        const std::string suffix = IntToStr(i);
        writer.WriteColor("Ambient" + suffix, gl.Ambient());
        writer.WriteColor("Diffuse" + suffix, gl.Diffuse());
        writer.WriteColor("Specular" + suffix, gl.Specular());
        writer.WriteColor("Emission" + suffix, gl.Emission());
        writer.WriteColor("VertexColor" + suffix, group.VertexColor);
        writer.WriteFloat("Shininess" + suffix, gl.Shininess());
        writer.WriteBool("Front" + suffix, gl.FrontFace());
        writer.WriteBool("Back" + suffix, gl.BackFace());
    }
}

void TSceneMaterial::LoadOptions(TResourceLoader& reader)
{
    TMainObject::LoadOptions(reader);
    const int count = reader.ReadInteger("Count", 0);
    // Meshes number their sub-materials up to 1000; a larger count is a
    // damaged description, not a material.
    if (count > MaxGroupCount)
        throw Exception("TSceneMaterial.LoadOptions error: Count is out of range!");
    UseVertexColor = reader.ReadBool("UseVertexColor", UseVertexColor);
    for (int i = 1; i <= count; ++i) {
        TGroupMaterial& group = *AddGroup();
        TGLMaterial& gl = *group.GLMaterial();
        const std::string suffix = IntToStr(i);
        gl.SetAmbient(reader.ReadColor("Ambient" + suffix, gl.Ambient()));
        gl.SetDiffuse(reader.ReadColor("Diffuse" + suffix, gl.Diffuse()));
        gl.SetSpecular(reader.ReadColor("Specular" + suffix, gl.Specular()));
        gl.SetEmission(reader.ReadColor("Emission" + suffix, gl.Emission()));
        group.VertexColor = reader.ReadColor("VertexColor" + suffix, group.VertexColor);
        gl.SetShininess(reader.ReadFloat("Shininess" + suffix, gl.Shininess()));
        // Descriptions written by hand carry one unsuffixed pair for all
        // groups; the writer puts a pair under each group's suffix.
        gl.SetFrontFace(reader.ReadBool("Front" + suffix, reader.ReadBool("Front", gl.FrontFace())));
        gl.SetBackFace(reader.ReadBool("Back" + suffix, reader.ReadBool("Back", gl.BackFace())));
    }
}

// --- TSceneMaterialList --------------------------------------------------------------

TSceneMaterial* TSceneMaterialList::AddMaterial(TSceneMaterial* material)
{
    Add(material);
    return material;
}

TSceneMaterial* TSceneMaterialList::FindMaterial(const std::string& name) const
{
    return dynamic_cast<TSceneMaterial*>(FindObject(name));
}
