#include "scene/core/SceneMesh.h"

#include <limits>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLMaterial.h"
#include "gl/core/GLPrimitive.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMeshLoader.h"
#include "scene/core/SceneTexture.h"
#include "SceneTestObjects.h"

namespace {

// A scene with a GL context object and the three lists a mesh needs, all
// reading from program resources; GL calls go to the recorder. Texture maps
// of the test meshes have an extension no picture loader knows, so their
// textures are empty.
struct TMeshScene {
    TMeshScene() : GL(std::make_unique<TGLStubPlatform>())
    {
        SetAlphaBlend(false);
        ResetTextureCache();
        ResetMaterialCache();
        Scene.GL = &GL;
        Scene.SourceLocation = slResource;
        Materials = Add(new TSceneMaterialList, "Materials");
        Textures = Add(new TSceneTextureList, "Textures");
        Meshes = Add(new TSceneMeshList, "Meshes");
        Meshes->Materials = Materials;
        Meshes->Textures = Textures;
    }
    ~TMeshScene()
    {
        ResetTextureCache();
        ResetMaterialCache();
    }

    template <class T>
    T* Add(T* list, const std::string& name)
    {
        list->SetName(name);
        list->SourceLocation = slResource;
        Scene.AddObject(list, 0);
        return list;
    }

    // A mesh of Meshes whose file "<name>.3dm" holds text.
    TSceneMesh* Mesh(const std::string& name, const std::string& text)
    {
        Resources.Add(name + "_3dm", text);
        auto* mesh = new TSceneMesh;
        mesh->SetName(name);
        mesh->SetSourceName(name + ".3dm");
        Meshes->Add(mesh);
        return mesh;
    }
    // The mesh built at once (the build of the first draw).
    TSceneMesh* Built(const std::string& name, const std::string& text)
    {
        TSceneMesh* mesh = Mesh(name, text);
        T3DMMeshLoader loader;
        loader.FromResource = true;
        loader.Load(mesh->SourceName(), *mesh);
        return mesh;
    }

    GLRecorder Recorder;
    TStringResources Resources;
    TCustomOpenGL GL;  // outlives the scene
    TMainScene Scene;
    TSceneMaterialList* Materials;
    TSceneTextureList* Textures;
    TSceneMeshList* Meshes;
};

// A multi-material of an opaque, two-sided sub-material with a plain
// texture and a half-transparent one with an opacity map; one object whose
// first two faces use the first and whose third face uses the second.
// Vertex 3 is used with two texture coordinates in the first group.
const std::string FishMesh = R"(#MaterialMultiSubObject 2
Name Skin
NumSubs 2
#MaterialStandard 11
Name Body
TwoSided true
Opacity 100
Ambient (color 51 102 153)
Diffuse (color 255 0 0)
Specular (color 0 0 255)
SpecularLevel 25
Glossiness 50
selfIllumColor (color 0 255 0)
DiffuseMap body.tga
OpacityMap undefined
#MaterialStandard 4
Name Fin
Opacity 50
DiffuseMap fin.tga
OpacityMap maps\finmask.tga
#Object 1
Name Fish
#Material 1
Name Skin
#Vertices 4
[0,0,0]
[1,0,0]
[1,1,0]
[0,1,0]
#TextureCoords 3
[0,0,0]
[1,0,0]
[0.5,0.25,0]
#Colors 2
(color 10 20 30)
(color 40 50 60)
#VertexFaces 3
[1,2,3]
[1,3,4]
[2,3,4]
#TextureCoordFaces 3
[1,2,3]
[1,2,2]
[3,3,3]
#ColorFaces 3
[1,1,1]
[2,2,2]
[2,1,2]
#FaceMatID 3
1
1
2
)";

// A standard material and a one-triangle object whose face uses id.
std::string OneFaceMesh(const std::string& materialKeys, int id, int subs = 1)
{
    std::string text = "#MaterialMultiSubObject 2\nName M\nNumSubs " + IntToStr(subs) + "\n";
    const int keys = 2 + static_cast<int>(std::count(materialKeys.begin(), materialKeys.end(), '\n'));
    for (int i = 0; i < subs; ++i)
        text += "#MaterialStandard " + IntToStr(keys) + "\nName Sub" + IntToStr(i) + "\n" + materialKeys + "\n";
    return text +
           "#Object 1\nName O\n#Material 1\nName M\n#Vertices 3\n[0,0,0]\n[1,0,0]\n[0,1,0]\n"
           "#VertexFaces 1\n[1,2,3]\n#FaceMatID 1\n" +
           IntToStr(id) + "\n";
}

// An object of one triangle animated over `frames` frames: in frame f the
// vertices are moved by f along x. With `transform` the object has the
// matrix rows given.
std::string AnimatedObject(const std::string& name, int frames, const std::string& transform = {})
{
    std::string text = "#Object 1\nName " + name + "\n#Material 1\nName M\n" +
                       "#Vertices 3\n[0,0,0]\n[1,0,0]\n[0,1,0]\n#VertexFaces 1\n[1,2,3]\n#FaceMatID 1\n1\n";
    if (!transform.empty())
        text += "#Transform 1\n(matrix3 " + transform + ")\n";
    if (frames == 0)
        return text;
    text += "#Animation 2\nLength " + IntToStr(frames) + "\nLoop true\n#AnimMesh " + IntToStr(frames * 4) + "\n";
    for (int f = 0; f < frames; ++f) {
        const std::string x = IntToStr(f);
        const std::string x1 = IntToStr(f + 1);
        text += "Frame " + x + "\n[" + x + ",0,0]\n[" + x1 + ",0,0]\n[" + x + ",1,0]\n";
    }
    return text;
}

const std::string PlainMaterial = "#MaterialStandard 1\nName M\n";

void ExpectColor(const TGLColorFloat& actual, float r, float g, float b, float a)
{
    EXPECT_EQ(ColorFloatToStr(actual), ColorFloatToStr({r, g, b, a}));
}

void ExpectVector(const TGLVector& actual, float x, float y, float z)
{
    EXPECT_LT(std::abs(actual.x - x) + std::abs(actual.y - y) + std::abs(actual.z - z), 3e-5f)
        << actual.x << "," << actual.y << "," << actual.z;
}

std::vector<int32_t> IndicesOf(const TGLPrimitive& primitive)
{
    std::vector<int32_t> indices;
    for (int i = 0; i < primitive.Indices().Count(); ++i)
        indices.push_back(primitive.Indices().GetIndex(i));
    return indices;
}

}  // namespace

TEST(SceneMeshLoader, SplitsAnObjectIntoGroupsBySubMaterialsAndTextures)
{
    TMeshScene s;
    TSceneMesh* mesh = s.Built("Fish", FishMesh);

    ASSERT_EQ(mesh->OpaqueGroups.Count(), 1);
    ASSERT_EQ(mesh->AlphaGroups.Count(), 1);
    EXPECT_TRUE(mesh->Alpha);
    EXPECT_EQ(mesh->SourceName(), "Fish.3dm");
    TSceneMaterial* skin = s.Materials->FindMaterial("Skin");
    ASSERT_NE(skin, nullptr);
    ASSERT_EQ(skin->GetGroupCount(), 2);
    EXPECT_EQ(mesh->Material, skin);

    // Corners sharing vertex and texture coordinate share an output vertex;
    // vertex 3 with a second coordinate is a vertex of its own.
    const TMeshGroup& body = *mesh->OpaqueGroups.Items(0);
    EXPECT_EQ(body.GroupMaterial, skin->GetGroup(0));
    ASSERT_NE(body.Texture, nullptr);
    EXPECT_EQ(body.Texture, s.Textures->FindTexture("body.tga"));
    TGLPrimitive& opaque = *body.Primitive;
    EXPECT_EQ(opaque.Mode, GL_TRIANGLES);
    EXPECT_EQ(IndicesOf(opaque), (std::vector<int32_t>{0, 1, 2, 0, 3, 4}));
    ASSERT_EQ(opaque.Vertices().Count(), 5);
    ASSERT_EQ(opaque.Colors().Count(), 5);
    ASSERT_EQ(opaque.Normals().Count(), 5);
    ExpectVector(opaque.Vertices().GetVector(2), 1, 1, 0);
    ExpectVector(opaque.Vertices().GetVector(3), 1, 1, 0);
    ExpectVector(opaque.Vertices().GetVector(4), 0, 1, 0);
    TGLTextureCoordDArray& coords = opaque.GetTextureCoords(0);
    ASSERT_EQ(coords.Count(), 5);
    EXPECT_FLOAT_EQ(coords.GetCoord(2).s, 0.5f);
    EXPECT_FLOAT_EQ(coords.GetCoord(2).t, 0.25f);
    EXPECT_FLOAT_EQ(coords.GetCoord(3).s, 1.0f);
    // Each output vertex has the colour of its first corner.
    EXPECT_EQ(opaque.Colors().GetColor(0), MakeColorRGBA(10, 20, 30, 255));
    EXPECT_EQ(opaque.Colors().GetColor(3), MakeColorRGBA(40, 50, 60, 255));
    // Smooth normals of the flat square face +z.
    ExpectVector(opaque.Normals().GetVector(0), 0, 0, 1);

    // The transparent group's colours carry the sub-material's alpha:
    // round(0.5 * 255) = 128.
    const TMeshGroup& fin = *mesh->AlphaGroups.Items(0);
    EXPECT_EQ(fin.GroupMaterial, skin->GetGroup(1));
    ASSERT_NE(fin.Texture, nullptr);
    EXPECT_EQ(fin.Texture, s.Textures->FindTexture("finmask.tga"));
    EXPECT_EQ(IndicesOf(*fin.Primitive), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(fin.Primitive->Colors().GetColor(0), MakeColorRGBA(40, 50, 60, 128));
    EXPECT_EQ(fin.Primitive->Colors().GetColor(1), MakeColorRGBA(10, 20, 30, 128));

    // File materials become sub-materials.
    const TGLMaterial& bodyMaterial = *skin->GetGroup(0)->GLMaterial();
    ExpectColor(bodyMaterial.Ambient(), 0.2f, 0.4f, 0.6f, 1);
    ExpectColor(bodyMaterial.Diffuse(), 1, 0, 0, 1);
    ExpectColor(bodyMaterial.Emission(), 0, 1, 0, 1);
    // (Specular * 0.25 + Diffuse * 0.75) / 255.
    ExpectColor(bodyMaterial.Specular(), 0.75f, 0, 0.25f, 1);
    EXPECT_NEAR(bodyMaterial.Shininess(), 50 * 0.128f * 7, 1e-4f);
    EXPECT_TRUE(bodyMaterial.FrontFace() && bodyMaterial.BackFace());
    const TGLMaterial& finMaterial = *skin->GetGroup(1)->GLMaterial();
    EXPECT_FLOAT_EQ(finMaterial.Diffuse().w, 0.5f);
    EXPECT_FLOAT_EQ(finMaterial.Ambient().w, 0.5f);
    EXPECT_FALSE(finMaterial.BackFace());

    // An opacity map makes an alpha texture named after the map's file part.
    EXPECT_EQ(body.Texture->Format, TTextureFormat::Texture);
    EXPECT_EQ(fin.Texture->Format, TTextureFormat::Alpha);
    EXPECT_EQ(s.Textures->FindTexture("fin.tga"), nullptr);

    // A second mesh of the same file adds no material, group or texture.
    const int textures = s.Textures->Count();
    s.Built("Fish2", FishMesh);
    EXPECT_EQ(skin->GetGroupCount(), 2);
    EXPECT_EQ(s.Materials->Count(), 1);
    EXPECT_EQ(s.Textures->Count(), textures);
}

TEST(SceneMeshLoader, OpacityDecidesTextureKindAndPass)
{
    TMeshScene s;
    // Exactly 99: a sprite texture keyed by its corner, an opaque
    // sub-material - and a transparent group because of the sprite.
    TSceneMesh* sprite = s.Built("Glass", OneFaceMesh("Opacity 99\nDiffuseMap glass.tga", 1));
    TSceneTexture* glass = s.Textures->FindTexture("glass.tga");
    ASSERT_NE(glass, nullptr);
    EXPECT_EQ(glass->Format, TTextureFormat::Sprite);
    EXPECT_FLOAT_EQ(sprite->Material->GetGroup(0)->DiffuseAlpha(), 1.0f);
    EXPECT_EQ(sprite->OpaqueGroups.Count(), 0);
    EXPECT_EQ(sprite->AlphaGroups.Count(), 1);

    // 98.5: a plain texture and alpha 0.985, transparent by its alpha.
    s.Materials->Clear();
    TSceneMesh* plain = s.Built("Water", OneFaceMesh("Opacity 98.5\nDiffuseMap water.tga", 1));
    ASSERT_NE(s.Textures->FindTexture("water.tga"), nullptr);
    EXPECT_EQ(s.Textures->FindTexture("water.tga")->Format, TTextureFormat::Texture);
    EXPECT_FLOAT_EQ(plain->Material->GetGroup(0)->DiffuseAlpha(), 0.985f);
    EXPECT_EQ(plain->AlphaGroups.Count(), 1);

    // 99.5 and no map: opaque, untextured.
    s.Materials->Clear();
    TSceneMesh* solid = s.Built("Rock", OneFaceMesh("Opacity 99.5", 1));
    ASSERT_EQ(solid->OpaqueGroups.Count(), 1);
    EXPECT_EQ(solid->OpaqueGroups.Items(0)->Texture, nullptr);
    EXPECT_FALSE(solid->Alpha);
}

TEST(SceneMeshLoader, FaceMaterialIds)
{
    TMeshScene s;
    // Ids beyond the sub-materials use the last one; 1000 is the highest
    // id taken.
    TSceneMesh* high = s.Built("High", OneFaceMesh("Opacity 100", 1000, 2));
    ASSERT_EQ(high->OpaqueGroups.Count(), 1);
    EXPECT_EQ(high->OpaqueGroups.Items(0)->GroupMaterial, high->Material->GetGroup(1));

    TSceneMesh* refused = s.Mesh("Refused", OneFaceMesh("Opacity 100", 1001, 2));
    T3DMMeshLoader loader;
    loader.FromResource = true;
    EXPECT_EQ(MessageOf([&] { loader.Load(refused->SourceName(), *refused); }),
              "T3DMMeshLoader.AddMesh: FaceID>1000");
    EXPECT_EQ(refused->OpaqueGroups.Count() + refused->AlphaGroups.Count(), 0);

    // An id below 1 (only a hand-made object can have one) uses the first.
    T3DMObject object;
    object.MaterialName = "M";
    object.Vertices.Add({0, 0, 0});
    object.Vertices.Add({1, 0, 0});
    object.Vertices.Add({0, 1, 0});
    object.VertexFaces.Add(T3DMFace{{1, 2, 3}});
    object.FaceMatIDs.Add(0);
    TSceneMesh* low = s.Mesh("Low", "");
    loader.AddMesh(object, *low, *s.Meshes);
    ASSERT_EQ(low->OpaqueGroups.Count(), 1);
    EXPECT_EQ(low->OpaqueGroups.Items(0)->GroupMaterial, low->Material->GetGroup(0));
    EXPECT_EQ(low->AddGroup(0, -5, nullptr)->GroupMaterial, low->Material->GetGroup(0));
}

TEST(SceneMeshLoader, MaterialWithoutSubMaterialsIsRefusedClearly)
{
    TMeshScene s;
    // A scene material of the file's name already exists, without groups:
    // the loader adds none to it, and the mesh cannot use it.
    auto* empty = new TSceneMaterial;
    empty->SetName("M");
    s.Materials->AddMaterial(empty);
    TSceneMesh* mesh = s.Mesh("Fish", OneFaceMesh("Opacity 100", 1));
    T3DMMeshLoader loader;
    loader.FromResource = true;
    EXPECT_EQ(MessageOf([&] { loader.Load(mesh->SourceName(), *mesh); }),
              "TSceneMaterial.GetGroup error: Material has no groups!");

    // An object whose material is not in the scene's list.
    TSceneMesh* unnamed = s.Mesh("Stray", "#Object 1\nName O\n#Material 1\nName Nowhere\n#Vertices 3\n"
                                          "[0,0,0]\n[1,0,0]\n[0,1,0]\n#VertexFaces 1\n[1,2,3]\n#FaceMatID 1\n1\n");
    EXPECT_EQ(MessageOf([&] { loader.Load(unnamed->SourceName(), *unnamed); }),
              "TSceneMesh.AddGroup error: Material is not assigned!");
}

TEST(SceneMeshLoader, MalformedInputRaisesInsteadOfReadingPastItsLists)
{
    TMeshScene s;
    TSceneMesh* mesh = s.Built("Base", OneFaceMesh("Opacity 100", 1));
    T3DMMeshLoader loader;
    T3DMObject object;
    object.MaterialName = "M";
    object.Vertices.Add({0, 0, 0});
    object.VertexFaces.Add(T3DMFace{{1, 1, 2}});  // vertex 2 does not exist
    object.FaceMatIDs.Add(1);
    EXPECT_THROW(loader.AddMesh(object, *mesh, *s.Meshes), EListError);
    object.VertexFaces.Add(T3DMFace{{1, 1, 1}});  // a face without a material id
    EXPECT_THROW(loader.AddMesh(object, *mesh, *s.Meshes), EListError);

    // The sample cut anywhere loads what it holds or raises; nothing is
    // read outside the arrays (the sanitizers watch).
    for (size_t cut = 0; cut < FishMesh.size(); cut += 5) {
        s.Materials->Clear();
        s.Textures->Clear();
        TSceneMesh* cutMesh = s.Mesh("Cut" + IntToStr(static_cast<int64_t>(cut)), FishMesh.substr(0, cut));
        try {
            cutMesh->RenderOpaque();
            cutMesh->RenderAlpha();
        } catch (const Exception&) {
        }
        EXPECT_TRUE(cutMesh->Built);
        delete cutMesh;
    }
}

TEST(SceneMeshLoader, TransformIsTheFileMatrixThenAQuarterTurnToYUp)
{
    TMeshScene s;
    // Identity: z-up becomes y-up.
    TSceneMesh* identity = s.Built(
        "Identity", PlainMaterial + "#Object 1\nName O\n#Material 1\nName M\n#Vertices 3\n[0,0,1]\n[0,1,0]\n[1,0,0]\n"
                                    "#VertexFaces 1\n[1,2,3]\n#FaceMatID 1\n1\n"
                                    "#Transform 1\n(matrix3 [1,0,0] [0,1,0] [0,0,1] [0,0,0])\n");
    const TGLPrimitive& p = *identity->OpaqueGroups.Items(0)->Primitive;
    ExpectVector(p.Vertices().GetVector(0), 0, 1, 0);
    ExpectVector(p.Vertices().GetVector(1), 0, 0, -1);
    ExpectVector(p.Vertices().GetVector(2), 1, 0, 0);

    // The file's matrix applies first (x -> y, then the translation), the
    // turn (x, y, z) -> (x, z, -y) after it; animation frames alike.
    s.Materials->Clear();
    TSceneMesh* moved = s.Built("Moved", PlainMaterial + AnimatedObject("O", 2, "[0,1,0] [-1,0,0] [0,0,1] [5,6,7]"));
    const TMeshGroup& group = *moved->OpaqueGroups.Items(0);
    ExpectVector(group.Primitive->Vertices().GetVector(0), 5, 7, -6);  // (0,0,0)
    ExpectVector(group.Primitive->Vertices().GetVector(1), 5, 7, -7);  // (1,0,0)
    ASSERT_EQ(group.VertexFrames.Count(), 2);
    ExpectVector(group.VertexFrames.Items(1)->GetVector(0), 5, 7, -7);  // (1,0,0) in frame 1
    ExpectVector(group.VertexFrames.Items(1)->GetVector(2), 4, 7, -7);  // (1,1,0)

    // Without a transform nothing turns.
    s.Materials->Clear();
    TSceneMesh* plain = s.Built("Plain", PlainMaterial + AnimatedObject("O", 0));
    ExpectVector(plain->OpaqueGroups.Items(0)->Primitive->Vertices().GetVector(2), 0, 1, 0);
}

TEST(SceneMeshLoader, NormalsAreBuiltForEveryFrameAndFrameZeroStays)
{
    TMeshScene s;
    // Frame 0 lies in the xy plane, frame 1 in the xz plane.
    TSceneMesh* mesh = s.Built(
        "Turn", PlainMaterial + "#Object 1\nName O\n#Material 1\nName M\n#Vertices 3\n[0,0,0]\n[1,0,0]\n[0,1,0]\n"
                                "#VertexFaces 1\n[1,2,3]\n#FaceMatID 1\n1\n#Animation 1\nLength 2\n#AnimMesh 8\n"
                                "Frame 0\n[0,0,0]\n[1,0,0]\n[0,1,0]\nFrame 1\n[0,0,0]\n[1,0,0]\n[0,0,1]\n");
    const TMeshGroup& group = *mesh->OpaqueGroups.Items(0);
    ASSERT_EQ(group.NormalFrames.Count(), 2);
    ExpectVector(group.NormalFrames.Items(0)->GetVector(0), 0, 0, 1);
    ExpectVector(group.NormalFrames.Items(1)->GetVector(0), 0, -1, 0);
    ExpectVector(group.Primitive->Normals().GetVector(1), 0, 0, 1);
    ExpectVector(group.Primitive->Vertices().GetVector(2), 0, 1, 0);
}

TEST(SceneMesh, VertexFramesInterpolateAndWrap)
{
    TMeshScene s;
    TSceneMesh* mesh = s.Built("Swim", PlainMaterial + AnimatedObject("O", 9));
    const TGLPrimitive& p = *mesh->OpaqueGroups.Items(0)->Primitive;
    EXPECT_FLOAT_EQ(mesh->FPS, 6.0f);

    mesh->SetFramePosition(0);
    EXPECT_FLOAT_EQ(p.Vertices().GetVector(0).x, 0);
    // 8.5 blends frames 8 and 0 halfway.
    mesh->SetFramePosition(8.5f);
    EXPECT_FLOAT_EQ(mesh->FramePosition, 8.5f);
    EXPECT_FLOAT_EQ(p.Vertices().GetVector(0).x, 4.0f);
    // One frame later (a sixth of a second at 6 frames per second) it has
    // wrapped to 0.5.
    mesh->Animate(1.0f / 6.0f);
    EXPECT_NEAR(mesh->FramePosition, 0.5f, 1e-5f);
    EXPECT_NEAR(p.Vertices().GetVector(1).x, 1.5f, 1e-5f);
    // Far positions and positions below 0 still land on a frame.
    mesh->SetFramePosition(9 * 1000 + 2.25f);
    EXPECT_NEAR(mesh->FramePosition, 2.25f, 1e-3f);
    mesh->SetFramePosition(-0.5f);
    EXPECT_FLOAT_EQ(mesh->FramePosition, 8.5f);
    mesh->SetFramePosition(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(mesh->FramePosition, 8.5f);
    // Normals blend too (all +z here).
    ExpectVector(p.Normals().GetVector(0), 0, 0, 1);

    // A mesh without frames does not move.
    s.Materials->Clear();
    TSceneMesh* still = s.Built("Still", PlainMaterial + AnimatedObject("O", 0));
    still->Animate(1.0f);
    EXPECT_FLOAT_EQ(still->FramePosition, 0.0f);
    EXPECT_FLOAT_EQ(still->OpaqueGroups.Items(0)->Primitive->Vertices().GetVector(1).x, 1.0f);
}

TEST(SceneMesh, OnlyGroupsWithTheFirstGroupsFrameCountMorph)
{
    TMeshScene s;
    // Three objects: 3 frames (the first group's count), 2 and 4 frames.
    TSceneMesh* mesh = s.Built("Mixed", PlainMaterial + AnimatedObject("A", 3) + AnimatedObject("B", 2) +
                                            AnimatedObject("C", 4));
    ASSERT_EQ(mesh->OpaqueGroups.Count(), 3);
    mesh->SetFramePosition(2.5f);
    EXPECT_FLOAT_EQ(mesh->OpaqueGroups.Items(0)->Primitive->Vertices().GetVector(0).x, 1.0f);  // 2 -> 0
    EXPECT_FLOAT_EQ(mesh->OpaqueGroups.Items(1)->Primitive->Vertices().GetVector(0).x, 0.0f);  // frame 0 kept
    EXPECT_FLOAT_EQ(mesh->OpaqueGroups.Items(2)->Primitive->Vertices().GetVector(0).x, 0.0f);

    // Without opaque groups the first transparent group gives the count.
    s.Materials->Clear();
    TSceneMesh* glass = s.Built("Glass", "#MaterialStandard 2\nName M\nOpacity 50\n" + AnimatedObject("A", 2));
    glass->SetFramePosition(0.5f);
    EXPECT_FLOAT_EQ(glass->AlphaGroups.Items(0)->Primitive->Vertices().GetVector(0).x, 0.5f);
}

TEST(SceneMesh, DrawsOpaqueGroupsThenTransparentGroups)
{
    TMeshScene s;
    TSceneMesh* mesh = s.Mesh("Fish", FishMesh);
    SetAlphaBlend(true);
    s.Recorder.Clear();
    mesh->Render();  // built on the first draw
    EXPECT_TRUE(mesh->Built);
    ASSERT_EQ(mesh->OpaqueGroups.Count(), 1);

    const std::vector<std::string> names = s.Recorder.Names();
    std::vector<size_t> draws;
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == "glDrawElements")
            draws.push_back(i);
    ASSERT_EQ(draws.size(), 2u) << s.Recorder.Text();
    const auto firstAt = [&](const std::string& text) {
        const auto& calls = s.Recorder.Calls();
        for (size_t i = 0; i < calls.size(); ++i)
            if (calls[i].Text() == text)
                return i;
        return calls.size();
    };
    // Blending off before the opaque group, on between the two.
    EXPECT_LT(firstAt("glDisable(3042)"), draws[0]);
    EXPECT_GT(firstAt("glEnable(3042)"), draws[0]);
    EXPECT_LT(firstAt("glEnable(3042)"), draws[1]);
    // Each group sends its material and binds its texture before it draws.
    EXPECT_LT(firstAt("glEnable(3553)"), draws[0]);  // GL_TEXTURE_2D
    int materialsBefore = 0;
    for (size_t i = draws[0]; i < draws[1]; ++i)
        materialsBefore += names[i] == "glMaterialfv";
    EXPECT_GT(materialsBefore, 0);
    EXPECT_EQ(CurrentTexture(), static_cast<TRenderTexture*>(mesh->AlphaGroups.Items(0)->Texture));

    // Drawn again: no second build.
    mesh->Render();
    EXPECT_EQ(mesh->OpaqueGroups.Count(), 1);
    EXPECT_EQ(mesh->AlphaGroups.Count(), 1);
}

TEST(SceneMesh, BuildNeedsAMeshListAndIsTriedOnce)
{
    TMeshScene s;
    // A mesh held by another kind of list cannot find its loader's lists.
    auto* other = s.Add(new TResource, "Other");
    auto* stray = new TSceneMesh;
    stray->SetName("Stray");
    stray->SetSourceName("fish.3dm");
    other->Add(stray);
    EXPECT_EQ(MessageOf<EInvalidCast>([&] { stray->RenderOpaque(); }), "Invalid class typecast");

    // A file that fails raises on the first draw only; the mesh stays empty.
    TSceneMesh* broken = s.Mesh("Broken", OneFaceMesh("Opacity 100", 2000));
    EXPECT_EQ(MessageOf([&] { broken->RenderOpaque(); }), "T3DMMeshLoader.AddMesh: FaceID>1000");
    s.Recorder.Clear();
    broken->RenderOpaque();
    EXPECT_EQ(s.Recorder.Count("glDrawElements"), 0);

    // A missing resource likewise.
    TSceneMesh* missing = s.Mesh("Missing", "");
    missing->SetSourceName("nothing.3dm");
    EXPECT_EQ(MessageOf<EResNotFound>([&] { missing->RenderOpaque(); }), "Resource nothing_3dm not found");

    // A new source rebuilds: the old groups are replaced, not added to.
    TSceneMesh* mesh = s.Mesh("Fish", FishMesh);
    mesh->RenderOpaque();
    s.Resources.Add("rock_3dm", OneFaceMesh("Opacity 100", 1));
    mesh->SetSourceName("rock.3dm");
    EXPECT_FALSE(mesh->Built);
    mesh->RenderOpaque();
    EXPECT_EQ(mesh->OpaqueGroups.Count(), 1);
    EXPECT_EQ(mesh->AlphaGroups.Count(), 0);
    EXPECT_EQ(mesh->Material, s.Materials->FindMaterial("M"));

    // An empty file leaves the mesh empty but built.
    TSceneMesh* empty = s.Mesh("Empty", "\n\n");
    empty->RenderOpaque();
    EXPECT_TRUE(empty->Built);
    EXPECT_EQ(empty->SourceName(), "Empty.3dm");
}

TEST(SceneMesh, AddGroupNeedsAMaterialAndAContext)
{
    TMeshScene s;
    TSceneMesh* mesh = s.Mesh("Fish", "");
    EXPECT_EQ(MessageOf([&] { mesh->AddGroup(0, 0, nullptr); }),
              "TSceneMesh.AddGroup error: Material is not assigned!");

    auto* material = new TSceneMaterial;
    material->SetName("Clear");
    s.Materials->AddMaterial(material);
    material->AddGroup()->GLMaterial()->SetDiffuse({1, 1, 1, 0.5f});
    material->AddGroup();
    mesh->Material = material;
    // A transparent sub-material or an alpha texture sends the group to the
    // transparent pass; frames come empty, one normal frame per vertex frame.
    TMeshGroup* group = mesh->AddGroup(3, 0, nullptr);
    EXPECT_EQ(mesh->AlphaGroups.Items(0), group);
    EXPECT_TRUE(mesh->Alpha);
    EXPECT_EQ(group->VertexFrames.Count(), 3);
    EXPECT_EQ(group->NormalFrames.Count(), 3);
    EXPECT_EQ(group->VertexFrames.Items(0)->Count(), 0);
    EXPECT_EQ(s.GL.Primitives().IndexOf(group->Primitive), s.GL.Primitives().Count() - 1);
    TMeshGroup* alpha = mesh->AddGroup(0, 1, s.Textures->AddAlphaTexture("a.tga", "a.tga"));
    EXPECT_EQ(alpha, mesh->AlphaGroups.Items(1));
    TMeshGroup* plain = mesh->AddGroup(0, 1, s.Textures->AddPlainTexture("c.tga"));
    EXPECT_EQ(plain, mesh->OpaqueGroups.Items(0));

    // Freeing the groups frees their primitives.
    const int primitives = s.GL.Primitives().Count();
    mesh->ClearGroups();
    EXPECT_EQ(s.GL.Primitives().Count(), primitives - 3);

    // Without a scene there is no primitive list to draw from.
    TSceneMesh loose;
    loose.Material = material;
    EXPECT_EQ(MessageOf([&] { loose.AddGroup(0, 0, nullptr); }), "TSceneMesh.AddGroup error: MainScene is NIL!");
}

TEST(SceneMesh, DescriptionLoadsMeshesThatBuildOnTheirFirstDraw)
{
    TMeshScene s;
    s.Resources.Add("fish_3dm", FishMesh);
    s.Resources.Add("scene_gsc", R"([MainScene]
Count=3
[MainScene1]
Type=TSceneMaterialList
Name=Materials
[MainScene2]
Type=TSceneTextureList
Name=Textures
[MainScene3]
Type=TSceneMeshList
Name=Meshes
Path=.\Models\
Materials=Materials
Textures=Textures
Count=1
[Meshes1]
Type=TSceneMesh
Name=Fish
SourceName=fish.3dm
FPS=12
Alpha=1
)");
    TMainScene scene;
    scene.GL = &s.GL;
    scene.SourceLocation = slResource;
    scene.SourceName = "scene.gsc";
    scene.Load();
    auto* meshes = dynamic_cast<TSceneMeshList*>(scene.FindObject("Meshes"));
    ASSERT_NE(meshes, nullptr);
    EXPECT_EQ(meshes->Textures, scene.FindObject("Textures"));
    auto* fish = dynamic_cast<TSceneMesh*>(meshes->FindObject("Fish"));
    ASSERT_NE(fish, nullptr);
    EXPECT_FLOAT_EQ(fish->FPS, 12.0f);
    EXPECT_EQ(fish->SourceName(), ".\\Models\\fish.3dm");
    EXPECT_FALSE(fish->Built);

    fish->Render();
    EXPECT_TRUE(fish->Built);
    EXPECT_EQ(fish->OpaqueGroups.Count(), 1);
    EXPECT_EQ(fish->Material, meshes->Materials->FindMaterial("Skin"));

    TStringList lines;
    meshes->AddResourceLines(lines);
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Strings(0), "fish_3dm RCData .\\Models\\fish.3dm");

    // Written back: the file name bare within the list's folder, the
    // material by its path; loading the keys again frees the groups.
    auto writer = Writer(&scene);
    fish->SaveOptions(*writer);
    const auto key = [&](const std::string& name) { return writer->IniFile->ReadString("L", name, ""); };
    EXPECT_EQ(key("SourceName") + " " + key("Material") + " " + key("FPS"), "fish.3dm Materials/Skin 12");
    writer->IniFile->WriteString("L", "FPS", "");
    fish->LoadOptions(*writer);
    EXPECT_FALSE(fish->Built);
    EXPECT_EQ(fish->OpaqueGroups.Count(), 0);
    EXPECT_FLOAT_EQ(fish->FPS, 6.0f);  // the default, not the value it had
    EXPECT_EQ(fish->Material, meshes->Materials->FindMaterial("Skin"));
}
