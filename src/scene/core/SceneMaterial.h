// Scene materials: numbered sets of OpenGL materials.
//
// A TSceneMaterial holds one sub-material (TGroupMaterial) per material id
// that a mesh's faces use; each mesh group draws with one of them, and the
// sub-material's diffuse alpha decides whether the group is drawn in the
// opaque or the transparent pass. TSceneMaterialList is the scene's list of
// them.
//
// A sub-material's GL material comes from the GL context object of the
// material's scene, so a material must be in a list of a scene that has one
// before groups are added (loading from a description adds the object to
// its list before it reads its keys). The sub-material owns its GL
// material; it and the context object may be freed in either order, but a
// scene must not be used once its context is gone.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gl/core/GLMaterial.h"
#include "gl/core/VectorTypes.h"
#include "scene/core/SceneObjects.h"
#include "scene/core/SceneRenderState.h"

class TSceneMaterial;

class TGroupMaterial : public TObject, public TRenderMaterial {
public:
    // A sub-material of material with the given GL material (owned) at
    // position index.
    TGroupMaterial(TSceneMaterial* material, TGLMaterial* glMaterial, int index);
    // Frees the GL material.
    ~TGroupMaterial() override;
    TGroupMaterial(const TGroupMaterial&) = delete;
    TGroupMaterial& operator=(const TGroupMaterial&) = delete;

    std::string ClassName() const override { return "TGroupMaterial"; }

    TGLMaterial* GLMaterial() const { return FGLMaterial.get(); }
    // The position in the owning material's groups.
    int Index() const { return FIndex; }
    TSceneMaterial* Material() const { return FMaterial; }
    // The colour a mesh gives vertices drawn with this sub-material.
    TGLColorFloat VertexColor{1, 1, 1, 1};

    // ApplyAll of the GL material; SetCurrentMaterial calls it.
    void Apply() override;
    float DiffuseAlpha() const override;
    // Diffuse alpha below 0.99 (0.99 itself is opaque).
    bool IsTransparent() const;

private:
    std::unique_ptr<TGLMaterial> FGLMaterial;
    int FIndex;
    TSceneMaterial* FMaterial;
};

class TSceneMaterial : public TMainObject {
public:
    TSceneMaterial() = default;
    // Frees every group.
    ~TSceneMaterial() override;

    std::string ClassName() const override { return "TSceneMaterial"; }

    bool UseVertexColor = true;

    // Appends a sub-material whose GL material comes from the GL context
    // object of the owner's scene; its Index is the count before. Raises
    // Exception "TSceneMaterial.AddGroup error: MainScene is NIL!" when
    // there is no scene or no context object.
    TGroupMaterial* AddGroup();
    // The sub-material at index: an index below 0 gives the first, one
    // beyond the last gives the last. Raises Exception
    // "TSceneMaterial.GetGroup error: Material has no groups!" when there
    // is none.
    TGroupMaterial* GetGroup(int index) const;
    int GetGroupCount() const { return static_cast<int>(FGroups.size()); }

    // TMainObject keys, then "Count", "UseVertexColor", and per group i
    // (from 1): "Ambient"i, "Diffuse"i, "Specular"i, "Emission"i,
    // "VertexColor"i, "Shininess"i, "Front"i, "Back"i.
    void SaveOptions(TResourceLoader& writer) override;
    // TMainObject keys, then "Count" (0), "UseVertexColor" (default
    // current); then Count groups are added to those present, each reading
    // the keys SaveOptions writes (defaults: the GL material's current
    // values). The face flags fall back to the unsuffixed "Front" and
    // "Back", which thus apply to every group that has no key of its own.
    // A Count above 1000 raises Exception "TSceneMaterial.LoadOptions
    // error: Count is out of range!" before any group is added.
    void LoadOptions(TResourceLoader& reader) override;

private:
    std::vector<std::unique_ptr<TGroupMaterial>> FGroups;
};

class TSceneMaterialList : public TResource {
public:
    TSceneMaterialList() = default;

    std::string ClassName() const override { return "TSceneMaterialList"; }

    // Add: the list takes the material unless it holds its name already.
    TSceneMaterial* AddMaterial(TSceneMaterial* material);
    // The material named exactly name, or null.
    TSceneMaterial* FindMaterial(const std::string& name) const;
};
