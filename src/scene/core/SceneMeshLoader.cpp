#include "scene/core/SceneMeshLoader.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"
#include "gl/core/GLMaterial.h"
#include "gl/core/GLPrimitive.h"
#include "gl/core/VectorMath.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMesh.h"
#include "scene/core/SceneRegistry.h"
#include "scene/core/SceneTexture.h"

namespace {

// The highest face material id a mesh may use.
constexpr int MaxFaceMatID = 1000;

TSceneMeshList& MeshListOf(const TSceneMesh& mesh)
{
    auto* meshList = dynamic_cast<TSceneMeshList*>(mesh.Owner());
    if (meshList == nullptr)
        throw EInvalidCast("Invalid class typecast");
    return *meshList;
}

TGLColorFloat ColorOf(const T3DMColor& color, float alpha)
{
    return {color.Red / 255.0f, color.Green / 255.0f, color.Blue / 255.0f, alpha};
}

uint8_t ByteOf(double value)
{
    return static_cast<uint8_t>(std::clamp<int64_t>(Round(value), 0, 255));
}

// The standard materials a file material stands for: itself, or the
// sub-materials of a multi-material in order.
std::vector<const T3DMMaterialStandard*> StandardsOf(const T3DMMaterial* material)
{
    std::vector<const T3DMMaterialStandard*> result;
    if (auto* standard = dynamic_cast<const T3DMMaterialStandard*>(material)) {
        result.push_back(standard);
    } else if (auto* multi = dynamic_cast<const T3DMMaterialMultiSubObject*>(material)) {
        for (int i = 0; i < multi->SubCount(); ++i)
            result.push_back(multi->SubMaterials(i));
    }
    return result;
}

// The map that names a standard material's texture: the opacity map, or
// else the diffuse map; empty when it has neither.
std::string TextureMapOf(const T3DMMaterialStandard& material)
{
    return !material.OpacityMap.empty() ? material.OpacityMap : material.DiffuseMap;
}

void CreateTexture(const T3DMMaterialStandard& material, TSceneTextureList& textures)
{
    const std::string map = TextureMapOf(material);
    if (map.empty() || textures.FindTexture(ExtractFileName(map)) != nullptr)
        return;
    if (!material.OpacityMap.empty())
        textures.AddAlphaTexture(material.DiffuseMap, material.OpacityMap);
    else if (material.Opacity == 99.0f)
        textures.AddSpriteTexture(material.DiffuseMap);
    else
        textures.AddPlainTexture(material.DiffuseMap);
}

void SetupSubMaterial(TGroupMaterial& group, const T3DMMaterialStandard& material)
{
    const float alpha = material.Opacity >= 99.0f ? 1.0f : material.Opacity * 0.01f;
    const float s = material.SpecularLevel * 0.01f;
    const T3DMColor specular{material.Specular.Red * s + material.Diffuse.Red * (1 - s),
                             material.Specular.Green * s + material.Diffuse.Green * (1 - s),
                             material.Specular.Blue * s + material.Diffuse.Blue * (1 - s)};
    TGLMaterial& gl = *group.GLMaterial();
    gl.SetAmbient(ColorOf(material.Ambient, alpha));
    gl.SetDiffuse(ColorOf(material.Diffuse, alpha));
    gl.SetEmission(ColorOf(material.SelfIllumColor, alpha));
    gl.SetSpecular(ColorOf(specular, alpha));
    gl.SetShininess(material.Glossiness * 0.128f * 7.0f);
    gl.SetFrontFace(true);
    gl.SetBackFace(material.TwoSided);
}

// The file's standard material that sub-material index of a file material
// stands for (clamped to its sub-materials), or null.
const T3DMMaterialStandard* StandardAt(const T3DMMaterial* material, int index)
{
    const std::vector<const T3DMMaterialStandard*> standards = StandardsOf(material);
    if (standards.empty())
        return nullptr;
    return standards[static_cast<size_t>(std::clamp(index, 0, static_cast<int>(standards.size()) - 1))];
}

// The file vertex, texture coordinate and colour of one output vertex.
struct TCornerSource {
    int Vertex;
    int TextureCoord;
    int Color;
};

// Fills group's primitive and frames from the faces of one material id.
void BuildGroup(const T3DMObject& object, const std::vector<int>& faces, TMeshGroup& group)
{
    const int faceCount = object.VertexFaces.Count();
    const bool hasTextureCoords =
        object.TextureCoords.Count() > 0 && object.TextureCoordFaces.Count() == faceCount;
    const bool hasColors = object.Colors.Count() > 0 && object.ColorFaces.Count() == faceCount;

    // Corners sharing a vertex and a texture coordinate share an output
    // vertex, numbered in order of first use.
    std::map<std::pair<int, int>, int> outputOf;
    std::vector<TCornerSource> sources;
    std::vector<int32_t> indices;
    indices.reserve(faces.size() * 3);
    for (int face : faces) {
        const T3DMFace& vertexFace = object.VertexFaces.Items(face);
        for (int corner = 0; corner < 3; ++corner) {
            const TCornerSource source{
                vertexFace.Index[corner],
                hasTextureCoords ? object.TextureCoordFaces.Items(face).Index[corner] : 0,
                hasColors ? object.ColorFaces.Items(face).Index[corner] : 0};
            const auto [entry, added] = outputOf.try_emplace({source.Vertex, source.TextureCoord},
                                                             static_cast<int>(sources.size()));
            if (added)
                sources.push_back(source);
            indices.push_back(entry->second);
        }
    }

    const int count = static_cast<int>(sources.size());
    TGLPrimitive& primitive = *group.Primitive;
    primitive.Mode = GL_TRIANGLES;
    primitive.Vertices().SetCount(count);
    for (int i = 0; i < count; ++i)
        primitive.Vertices().SetVector(i, object.Vertices.Items(sources[static_cast<size_t>(i)].Vertex - 1));
    if (hasTextureCoords) {
        TGLTextureCoordDArray& coords = primitive.GetTextureCoords(0);
        coords.SetCount(count);
        for (int i = 0; i < count; ++i)
            coords.SetCoord(i, object.TextureCoords.Items(sources[static_cast<size_t>(i)].TextureCoord - 1));
    }
    if (hasColors) {
        primitive.Colors().SetCount(count);
        for (int i = 0; i < count; ++i) {
            const T3DMColor& color = object.Colors.Items(sources[static_cast<size_t>(i)].Color - 1);
            primitive.Colors().SetColor(i, ByteOf(color.Red), ByteOf(color.Green), ByteOf(color.Blue), 255);
        }
    }
    primitive.Indices().LoadFromArray(indices);

    for (int f = 0; f < object.VertexFrames.Count(); ++f) {
        const T3DMVertexList& source = object.VertexFrames.Frames(f);
        TGLVectorDArray& frame = *group.VertexFrames.AddFrame();
        group.NormalFrames.AddFrame();
        frame.SetCount(count);
        for (int i = 0; i < count; ++i)
            frame.SetVector(i, source.Items(sources[static_cast<size_t>(i)].Vertex - 1));
    }

    if (object.HasTransform) {
        // The file's rows (fourth column 0, 0, 0, 1), then the turn from the
        // modelling tool's z-up to y-up.
        TGLMatrix objectMatrix{};
        for (int row = 0; row < 4; ++row) {
            objectMatrix[static_cast<size_t>(row * 4 + 0)] = object.Matrix[static_cast<size_t>(row)].x;
            objectMatrix[static_cast<size_t>(row * 4 + 1)] = object.Matrix[static_cast<size_t>(row)].y;
            objectMatrix[static_cast<size_t>(row * 4 + 2)] = object.Matrix[static_cast<size_t>(row)].z;
        }
        objectMatrix[15] = 1;
        TGLMatrix rotation;
        MakeRotationMatrixX(rotation, 270);
        TGLMatrix matrix;
        MatrixMultiply(objectMatrix, rotation, matrix);
        primitive.Transform(matrix);
        for (int f = 0; f < group.VertexFrames.Count(); ++f) {
            TGLVectorDArray& frame = *group.VertexFrames.Items(f);
            auto* vectors = static_cast<TGLVector*>(frame.Data());
            TransformVectors(vectors, vectors, frame.Count(), matrix);
        }
    }

    // Normals per frame, last first, so that the primitive ends holding
    // frame 0.
    if (group.VertexFrames.Count() == 0) {
        primitive.BuildNormals();
        return;
    }
    for (int f = group.VertexFrames.Count() - 1; f >= 0; --f) {
        group.VertexFrames.Items(f)->CopyTo(&primitive.Vertices());
        primitive.BuildNormals();
        primitive.Normals().CopyTo(group.NormalFrames.Items(f));
    }
}

}  // namespace

void T3DMMeshLoader::Load(const std::string& sourceName, TSceneMesh& mesh)
{
    MeshFile.Clear();
    const std::string fileName = JoinSourcePath(Path, sourceName);
    if (FromResource)
        MeshFile.LoadFromResource(fileName);
    else
        MeshFile.LoadFromFile(fileName);
    if (MeshFile.ObjectCount() == 0)
        return;
    TSceneMeshList& meshList = MeshListOf(mesh);
    mesh.SetSourceName(sourceName);
    CreateMaterials(meshList);
    for (int i = 0; i < MeshFile.ObjectCount(); ++i)
        AddMesh(MeshFile.Objects(i), mesh, meshList);
}

void T3DMMeshLoader::CreateMaterials(TSceneMeshList& meshList)
{
    const T3DMMaterialList& fileMaterials = MeshFile.Materials();
    for (int i = 0; i < fileMaterials.Count(); ++i) {
        const T3DMMaterial* fileMaterial = fileMaterials.Items(i);
        TSceneMaterial* material = nullptr;
        bool isNew = false;
        if (meshList.Materials != nullptr) {
            material = meshList.Materials->FindMaterial(fileMaterial->Name());
            if (material == nullptr) {
                auto created = std::make_unique<TSceneMaterial>();
                created->SetName(fileMaterial->Name());
                meshList.Materials->AddMaterial(created.get());
                material = created.release();
                isNew = true;
            }
        }
        for (const T3DMMaterialStandard* standard : StandardsOf(fileMaterial)) {
            if (meshList.Textures != nullptr)
                CreateTexture(*standard, *meshList.Textures);
            if (isNew)
                SetupSubMaterial(*material->AddGroup(), *standard);
        }
    }
}

void T3DMMeshLoader::AddMesh(const T3DMObject& object, TSceneMesh& mesh, TSceneMeshList& meshList)
{
    mesh.Material =
        meshList.Materials != nullptr ? meshList.Materials->FindMaterial(object.MaterialName) : nullptr;
    const T3DMMaterial* fileMaterial = MeshFile.Materials().Find(object.MaterialName);

    // Faces bucketed by material id, ids in order of first use.
    std::vector<std::pair<int, std::vector<int>>> buckets;
    std::map<int, size_t> bucketOf;
    for (int face = 0; face < object.VertexFaces.Count(); ++face) {
        const int id = object.FaceMatIDs.Items(face);
        if (id > MaxFaceMatID)
            throw Exception("T3DMMeshLoader.AddMesh: FaceID>1000");
        const auto [entry, added] = bucketOf.try_emplace(id, buckets.size());
        if (added)
            buckets.push_back({id, {}});
        buckets[entry->second].second.push_back(face);
    }

    const int groupCount = mesh.Material != nullptr ? mesh.Material->GetGroupCount() : 0;
    for (const auto& [id, faces] : buckets) {
        const int index = std::max(0, std::min(id - 1, groupCount - 1));
        TSceneTexture* texture = nullptr;
        const T3DMMaterialStandard* standard = StandardAt(fileMaterial, index);
        if (standard != nullptr && meshList.Textures != nullptr && !TextureMapOf(*standard).empty())
            texture = meshList.Textures->FindTexture(ExtractFileName(TextureMapOf(*standard)));
        TMeshGroup* group = mesh.AddGroup(0, index, texture);
        BuildGroup(object, faces, *group);

        const bool transparent = mesh.AlphaGroups.Count() > 0 &&
                                 mesh.AlphaGroups.Items(mesh.AlphaGroups.Count() - 1) == group;
        if (transparent) {
            const uint8_t alpha = ByteOf(group->GroupMaterial->DiffuseAlpha() * 255.0);
            TGLColorDArray& colors = group->Primitive->Colors();
            for (int i = 0; i < colors.Count(); ++i)
                colors.SetColor(i, (colors.GetColor(i) & 0x00FFFFFFu) | static_cast<TGLColor>(alpha) << 24);
        }
    }
}
