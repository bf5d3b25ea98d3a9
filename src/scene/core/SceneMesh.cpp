#include "scene/core/SceneMesh.h"

#include <algorithm>
#include <cmath>

#include "classlib/core/Exceptions.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLPrimitive.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMeshLoader.h"
#include "scene/core/SceneRegistry.h"
#include "scene/core/SceneRenderState.h"
#include "scene/core/SceneTexture.h"

TMeshGroup::~TMeshGroup()
{
    delete Primitive;
}

TSceneMesh::TSceneMesh() = default;

TSceneMesh::~TSceneMesh()
{
    ClearGroups();
}

void TSceneMesh::Animate(float deltaTime)
{
    SetFramePosition(FramePosition + deltaTime * FPS);
}

void TSceneMesh::SetFramePosition(float position)
{
    const TMeshGroup* first = OpaqueGroups.Count() > 0 ? OpaqueGroups.Items(0) : AlphaGroups.Items(0);
    if (first == nullptr || !std::isfinite(position))
        return;
    const int frames = first->VertexFrames.Count();
    if (frames == 0)
        return;
    // floor and fmod in floating point: a position far beyond the frame
    // count, or below 0, still lands on a frame.
    const double whole = std::floor(static_cast<double>(position));
    const int frame = static_cast<int>(std::fmod(std::fmod(whole, frames) + frames, frames));
    const int next = frame + 1 == frames ? 0 : frame + 1;
    const float t = static_cast<float>(static_cast<double>(position) - whole);
    FramePosition = static_cast<float>(frame) + t;

    // Only groups with the first group's frame count: a group with fewer
    // frames would be indexed past its list.
    const auto morph = [&](const TMeshGroupList& groups, bool normals) {
        for (int i = 0; i < groups.Count(); ++i) {
            TMeshGroup* group = groups.Items(i);
            const TVertexFrameList& list = normals ? group->NormalFrames : group->VertexFrames;
            if (list.Count() != frames || group->Primitive == nullptr)
                continue;
            if (normals)
                group->Primitive->MorphNormals(*list.Items(frame), *list.Items(next), t);
            else
                group->Primitive->MorphVertices(*list.Items(frame), *list.Items(next), t);
        }
    };
    morph(OpaqueGroups, false);
    morph(AlphaGroups, false);
    morph(OpaqueGroups, true);
    morph(AlphaGroups, true);
}

void TSceneMesh::RenderGroups(const TMeshGroupList& groups)
{
    for (int i = 0; i < groups.Count(); ++i) {
        TMeshGroup* group = groups.Items(i);
        SetCurrentMaterial(group->GroupMaterial);
        SetCurrentTexture(group->Texture);
        group->Primitive->Render();
    }
}

void TSceneMesh::RenderOpaque()
{
    BuildWhenNeeded();
    if (OpaqueGroups.Count() == 0)
        return;
    SetAlphaBlend(false);
    RenderGroups(OpaqueGroups);
}

void TSceneMesh::RenderAlpha()
{
    BuildWhenNeeded();
    if (AlphaGroups.Count() == 0)
        return;
    SetAlphaBlend(true);
    RenderGroups(AlphaGroups);
}

void TSceneMesh::BuildWhenNeeded()
{
    if (Built || FSourceName.empty())
        return;
    auto* meshList = dynamic_cast<TSceneMeshList*>(Owner());
    if (meshList == nullptr)
        throw EInvalidCast("Invalid class typecast");
    // Built first: a file that fails raises on this draw only instead of
    // every frame, and leaves the mesh empty.
    Built = true;
    ClearGroups();
    T3DMMeshLoader loader;
    loader.Path = meshList->Path;
    loader.FromResource = (meshList->SourceLocation & slResource) != 0;
    try {
        loader.Load(FSourceName, *this);
    } catch (...) {
        ClearGroups();
        throw;
    }
}

TMeshGroup* TSceneMesh::AddGroup(int frameCount, int subMaterialIndex, TSceneTexture* texture)
{
    if (Material == nullptr)
        throw Exception("TSceneMesh.AddGroup error: Material is not assigned!");
    if (Scene == nullptr || Scene->GL == nullptr)
        throw Exception("TSceneMesh.AddGroup error: MainScene is NIL!");
    TGroupMaterial* groupMaterial = Material->GetGroup(std::max(0, subMaterialIndex));

    const bool transparent = groupMaterial->IsTransparent() ||
                             (texture != nullptr && (texture->Format == TTextureFormat::Alpha ||
                                                     texture->Format == TTextureFormat::Sprite));
    auto group = std::make_unique<TMeshGroup>();
    group->Texture = texture;
    group->GroupMaterial = groupMaterial;
    group->Primitive = Scene->GL->Primitives().Add();
    for (int i = 0; i < frameCount; ++i) {
        group->VertexFrames.AddFrame();
        group->NormalFrames.AddFrame();
    }
    if (transparent)
        Alpha = true;
    return (transparent ? AlphaGroups : OpaqueGroups).Add(std::move(group));
}

void TSceneMesh::ClearGroups()
{
    OpaqueGroups.Clear();
    AlphaGroups.Clear();
}

void TSceneMesh::SetSourceName(const std::string& name)
{
    if (name == FSourceName)
        return;
    FSourceName = name;
    Built = false;
}

namespace {

// The folder the mesh's file names are relative to: its owning resource's.
std::string OwnerPath(const TMainItem& item)
{
    auto* resource = dynamic_cast<TResource*>(item.Owner());
    return resource != nullptr ? resource->Path : std::string();
}

}  // namespace

void TSceneMesh::LoadOptions(TResourceLoader& reader)
{
    TMainObject::LoadOptions(reader);
    ClearGroups();
    Built = false;
    FPS = reader.ReadFloat("FPS", 6.0f);
    SetSourceName(reader.ReadFileName("SourceName", OwnerPath(*this), FSourceName));
    Material = dynamic_cast<TSceneMaterial*>(reader.ReadReference("Material", Material));
}

void TSceneMesh::SaveOptions(TResourceLoader& writer)
{
    TMainObject::SaveOptions(writer);
    writer.WriteReference("Material", Material);
    writer.WriteFloat("FPS", FPS);
    writer.WriteFileName("SourceName", OwnerPath(*this), FSourceName);
}

void TSceneMeshList::LoadOptions(TResourceLoader& reader)
{
    TResource::LoadOptions(reader);
    Materials = dynamic_cast<TSceneMaterialList*>(reader.ReadReference("Materials", Materials));
    Textures = dynamic_cast<TSceneTextureList*>(reader.ReadReference("Textures", Textures));
}

void TSceneMeshList::SaveOptions(TResourceLoader& writer)
{
    TResource::SaveOptions(writer);
    writer.WriteReference("Materials", Materials);
    writer.WriteReference("Textures", Textures);
}

void TSceneMeshList::AddResourceLines(TStrings& lines)
{
    for (int i = 0; i < GetCount(); ++i) {
        auto* mesh = dynamic_cast<TSceneMesh*>(GetItem(i));
        if (mesh != nullptr && !mesh->SourceName().empty())
            lines.Add(ResourceNameOf(mesh->SourceName()) + " RCData " + mesh->SourceName());
    }
}
