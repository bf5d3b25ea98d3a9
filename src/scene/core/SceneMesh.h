// Meshes of the scene: the shapes that visual objects and particle lists
// draw (the fish and the bubble).
//
// A TSceneMesh is a set of mesh groups, each one GL primitive drawn with one
// sub-material of the mesh's scene material and at most one texture. Groups
// whose sub-material or texture is transparent go to AlphaGroups and are
// drawn in the transparent pass; the others go to OpaqueGroups. A group may
// carry vertex frames (and one normal frame per vertex frame): animating
// the mesh blends the primitive's vertices and normals between two frames.
//
// A mesh with a SourceName builds its groups lazily, on its first draw,
// with the text mesh loader (SceneMeshLoader.h); it must then be held by a
// TSceneMeshList, which names the material and texture lists the loader
// fills. Sprites (SceneSprite.h) build their one group themselves.
//
// The groups' primitives come from the GL primitive list of the scene's
// context and are freed with their groups; the meshes and the context
// object may be freed in either order, but a scene must not be used once
// its context is gone.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Components.h"
#include "gl/core/DArray.h"
#include "scene/core/SceneObjects.h"

class TGLPrimitive;
class TGroupMaterial;
class TSceneMaterial;
class TSceneMaterialList;
class TSceneTexture;
class TSceneTextureList;

// A plain owning list: freeing the list (or clearing it) frees its items.
template <class T>
class TBaseList : public TObject {
public:
    TBaseList() = default;
    TBaseList(const TBaseList&) = delete;
    TBaseList& operator=(const TBaseList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    // 0-based; null outside 0..Count-1.
    T* Items(int index) const
    {
        if (index < 0 || index >= Count())
            return nullptr;
        return FItems[static_cast<size_t>(index)].get();
    }
    // Takes ownership of item; returns it.
    T* Add(std::unique_ptr<T> item)
    {
        FItems.push_back(std::move(item));
        return FItems.back().get();
    }
    // Frees every item, last first.
    void Clear()
    {
        while (!FItems.empty())
            FItems.pop_back();
    }

private:
    std::vector<std::unique_ptr<T>> FItems;
};

// One vector array per animation frame.
class TVertexFrameList : public TBaseList<TGLVectorDArray> {
public:
    std::string ClassName() const override { return "TVertexFrameList"; }
    // Appends an empty frame and returns it.
    TGLVectorDArray* AddFrame() { return Add(std::make_unique<TGLVectorDArray>()); }
};

// One drawable part of a mesh.
class TMeshGroup : public TObject {
public:
    TMeshGroup() = default;
    // Frees the primitive (which leaves its GL list).
    ~TMeshGroup() override;
    TMeshGroup(const TMeshGroup&) = delete;
    TMeshGroup& operator=(const TMeshGroup&) = delete;

    std::string ClassName() const override { return "TMeshGroup"; }

    // Not owned; null for an untextured group.
    TSceneTexture* Texture = nullptr;
    // The sub-material the group draws with; not owned.
    TGroupMaterial* GroupMaterial = nullptr;
    // Owned; taken from the scene's GL primitive list.
    TGLPrimitive* Primitive = nullptr;
    // The vertex positions of every animation frame and the normals built
    // from them, frame by frame (both lists have the same count).
    TVertexFrameList VertexFrames;
    TVertexFrameList NormalFrames;
};

class TMeshGroupList : public TBaseList<TMeshGroup> {
public:
    std::string ClassName() const override { return "TMeshGroupList"; }
};

class TSceneMesh : public TMainObject {
public:
    // FPS 6, no groups, not built.
    TSceneMesh();
    // Frees every group.
    ~TSceneMesh() override;

    std::string ClassName() const override { return "TSceneMesh"; }

    // SetFramePosition(FramePosition + deltaTime * FPS).
    void Animate(float deltaTime) override;
    // Builds when needed; with opaque groups: SetAlphaBlend(false), then per
    // group SetCurrentMaterial, SetCurrentTexture and the primitive's Render.
    void RenderOpaque() override;
    // The same for the transparent groups, with SetAlphaBlend(true).
    void RenderAlpha() override;

    // Reads the object keys, frees the groups, clears Built, then "FPS"
    // (default 6), "SourceName" (relative to the owning list's Path) and
    // "Material" (reference).
    void LoadOptions(TResourceLoader& reader) override;
    // The object keys, "Material", "FPS", "SourceName".
    void SaveOptions(TResourceLoader& writer) override;

    // Moves the animation to position (in frames). N is the frame count of
    // the first opaque group, or of the first transparent group when there
    // is no opaque group; nothing happens when N is 0 or position is not
    // finite. The position wraps into 0..N: Frame = floor(position) mod N,
    // the next frame wraps to 0 after the last, T = the fraction; then every
    // group with N frames blends its vertices between Frame and Next by T,
    // and after that its normals. Groups with another frame count keep their
    // shape.
    void SetFramePosition(float position);

    // A new group with frameCount empty vertex and normal frames, the
    // sub-material Material->GetGroup(subMaterialIndex) (an index below 0
    // counts as 0), texture (may be null) and a new primitive from the
    // scene's GL primitive list. It goes to AlphaGroups, and Alpha is set,
    // when the sub-material is transparent or the texture's format is Alpha
    // or Sprite; else to OpaqueGroups. Raises Exception "TSceneMesh.AddGroup
    // error: Material is not assigned!" without a Material, and
    // "TSceneMesh.AddGroup error: MainScene is NIL!" when the mesh has no
    // scene with a GL context.
    TMeshGroup* AddGroup(int frameCount, int subMaterialIndex, TSceneTexture* texture);
    // Frees every group of both lists.
    void ClearGroups();

    const std::string& SourceName() const { return FSourceName; }
    // Stores a changed name and clears Built.
    void SetSourceName(const std::string& name);

    TMeshGroupList OpaqueGroups;
    TMeshGroupList AlphaGroups;
    // The scene material whose sub-materials the groups use; not owned.
    TSceneMaterial* Material = nullptr;
    // Animation frames per second.
    float FPS = 6.0f;
    // The current animation position, in frames (0 <= position < N once
    // the mesh has animated).
    float FramePosition = 0.0f;
    // The groups have been built from SourceName.
    bool Built = false;

protected:
    // When not Built and SourceName is set: replaces the groups by those
    // loaded from SourceName through the owning TSceneMeshList (EInvalidCast
    // "Invalid class typecast" for a mesh held by anything else). Built is
    // set before loading: a load that raises leaves the mesh empty and is
    // not tried again until the source changes.
    void BuildWhenNeeded();
    // Draws the groups of one list.
    void RenderGroups(const TMeshGroupList& groups);

private:
    std::string FSourceName;
};

// The scene's list of meshes, naming where the mesh loader puts the
// materials and textures of the files it reads.
class TSceneMeshList : public TResource {
public:
    TSceneMeshList() = default;

    std::string ClassName() const override { return "TSceneMeshList"; }

    // The resource keys, then "Materials" and "Textures" (references).
    void LoadOptions(TResourceLoader& reader) override;
    void SaveOptions(TResourceLoader& writer) override;
    // One line per mesh with a source: ResourceNameOf(SourceName) +
    // " RCData " + SourceName.
    void AddResourceLines(TStrings& lines) override;

    // Not owned.
    TSceneMaterialList* Materials = nullptr;
    TSceneTextureList* Textures = nullptr;
};
