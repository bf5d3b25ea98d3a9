// Scene meshes, their materials and sprites (meshes of one quad), on a
// stub scene.
#include "scene/core/SceneMesh.h"

#include <limits>

#include "gl/core/GLMaterial.h"
#include "gl/core/GLPrimitive.h"
#include "gl/core/GLTexture.h"
#include "scene/core/SceneLayer.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMeshLoader.h"
#include "scene/core/SceneSprite.h"
#include "scene/core/SceneTexture.h"
#include "SceneTestObjects.h"

namespace {

// A multi-material of an opaque, two-sided sub-material with a plain
// texture and a half-transparent one with an opacity map; one object whose
// first two faces use the first and whose third face uses the second.
// Vertex 3 is used with two texture coordinates in the first group.
const std::string FishMesh = R"(#MaterialMultiSubObject 2
Name Skin
NumSubs 2
#MaterialStandard 8
Name Body
TwoSided true
Opacity 100
Diffuse (color 255 0 0)
Specular (color 0 0 255)
SpecularLevel 25
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
// vertices are moved by f along x.
std::string AnimatedObject(const std::string& name, int frames)
{
    std::string text = "#Object 1\nName " + name + "\n#Material 1\nName M\n" +
                       "#Vertices 3\n[0,0,0]\n[1,0,0]\n[0,1,0]\n#VertexFaces 1\n[1,2,3]\n#FaceMatID 1\n1\n";
    text += "#Animation 2\nLength " + IntToStr(frames) + "\nLoop true\n#AnimMesh " + IntToStr(frames * 4) + "\n";
    for (int f = 0; f < frames; ++f) {
        const std::string x = IntToStr(f);
        const std::string x1 = IntToStr(f + 1);
        text += "Frame " + x + "\n[" + x + ",0,0]\n[" + x1 + ",0,0]\n[" + x + ",1,0]\n";
    }
    return text;
}

const std::string PlainMaterial = "#MaterialStandard 1\nName M\n";

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
    TSceneMaterial* skin = s.Materials->FindMaterial("Skin");
    ASSERT_TRUE(skin != nullptr && skin->GetGroupCount() == 2);

    // Corners sharing vertex and texture coordinate share an output vertex;
    // vertex 3 with a second coordinate is a vertex of its own.
    const TMeshGroup& body = *mesh->OpaqueGroups.Items(0);
    EXPECT_EQ(body.GroupMaterial, skin->GetGroup(0));
    EXPECT_EQ(body.Texture, s.Textures->FindTexture("body.tga"));
    TGLPrimitive& opaque = *body.Primitive;
    EXPECT_EQ(IndicesOf(opaque), (std::vector<int32_t>{0, 1, 2, 0, 3, 4}));
    ASSERT_EQ(opaque.Vertices().Count(), 5);
    ExpectVector(opaque.Vertices().GetVector(3), 1, 1, 0);
    EXPECT_FLOAT_EQ(opaque.GetTextureCoords(0).GetCoord(2).t, 0.25f);
    EXPECT_EQ(opaque.Colors().GetColor(3), MakeColorRGBA(40, 50, 60, 255));
    ExpectVector(opaque.Normals().GetVector(0), 0, 0, 1);
    // (Specular * 0.25 + Diffuse * 0.75) / 255.
    EXPECT_EQ(ColorFloatToStr(skin->GetGroup(0)->GLMaterial()->Specular()), ColorFloatToStr({0.75f, 0, 0.25f, 1}));

    // The transparent group's colours carry the sub-material's alpha; its
    // opacity map makes an alpha texture named after the map's file part.
    const TMeshGroup& fin = *mesh->AlphaGroups.Items(0);
    EXPECT_EQ(fin.GroupMaterial, skin->GetGroup(1));
    ASSERT_NE(fin.Texture, nullptr);
    EXPECT_EQ(fin.Texture, s.Textures->FindTexture("finmask.tga"));
    EXPECT_EQ(fin.Texture->Format, TTextureFormat::Alpha);
    EXPECT_EQ(fin.Primitive->Colors().GetColor(0), MakeColorRGBA(40, 50, 60, 128));

    // A second mesh of the same file adds no material, group or texture.
    const int textures = s.Textures->Count();
    s.Built("Fish2", FishMesh);
    EXPECT_EQ(skin->GetGroupCount() + s.Materials->Count(), 3);
    EXPECT_EQ(s.Textures->Count(), textures);
}

TEST(SceneMeshLoader, FaceMaterialIdsAndMissingMaterialsAreRefusedClearly)
{
    T3DMMeshLoader loader;
    loader.FromResource = true;
    {
        TMeshScene s;
        // Ids beyond the sub-materials use the last one; 1000 is the
        // highest id taken; an id below 1 uses the first.
        TSceneMesh* high = s.Built("High", OneFaceMesh("Opacity 100", 1000, 2));
        ASSERT_EQ(high->OpaqueGroups.Count(), 1);
        EXPECT_EQ(high->OpaqueGroups.Items(0)->GroupMaterial, high->Material->GetGroup(1));
        EXPECT_EQ(high->AddGroup(0, -5, nullptr)->GroupMaterial, high->Material->GetGroup(0));
        TSceneMesh* refused = s.Mesh("Refused", OneFaceMesh("Opacity 100", 1001, 2));
        EXPECT_EQ(MessageOf([&] { loader.Load(refused->SourceName(), *refused); }),
                  "T3DMMeshLoader.AddMesh: FaceID>1000");
        EXPECT_EQ(refused->OpaqueGroups.Count() + refused->AlphaGroups.Count(), 0);
    }

    // A scene material of the file's name without groups, and an object
    // whose material is not in the scene's list.
    TMeshScene t;
    auto* empty = new TSceneMaterial;
    empty->SetName("M");
    t.Materials->AddMaterial(empty);
    TSceneMesh* mesh = t.Mesh("Fish", OneFaceMesh("Opacity 100", 1));
    EXPECT_EQ(MessageOf([&] { loader.Load(mesh->SourceName(), *mesh); }),
              "TSceneMaterial.GetGroup error: Material has no groups!");
    TSceneMesh* stray = t.Mesh("Stray", "#Object 1\nName O\n#Material 1\nName Nowhere\n#Vertices 3\n"
                                        "[0,0,0]\n[1,0,0]\n[0,1,0]\n#VertexFaces 1\n[1,2,3]\n#FaceMatID 1\n1\n");
    EXPECT_EQ(MessageOf([&] { loader.Load(stray->SourceName(), *stray); }),
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


TEST(SceneMesh, VertexFramesInterpolateAndWrap)
{
    TMeshScene s;
    TSceneMesh* mesh = s.Built("Swim", PlainMaterial + AnimatedObject("O", 9));
    const TGLPrimitive& p = *mesh->OpaqueGroups.Items(0)->Primitive;
    // 8.5 blends frames 8 and 0 halfway; a sixth of a second later (6
    // frames per second) it has wrapped to 0.5.
    mesh->SetFramePosition(8.5f);
    EXPECT_FLOAT_EQ(p.Vertices().GetVector(0).x, 4.0f);
    mesh->Animate(1.0f / 6.0f);
    EXPECT_NEAR(mesh->FramePosition, 0.5f, 1e-5f);
    EXPECT_NEAR(p.Vertices().GetVector(1).x, 1.5f, 1e-5f);
    // Far positions and positions below 0 still land on a frame; NaN is
    // ignored.
    mesh->SetFramePosition(9 * 1000 + 2.25f);
    EXPECT_NEAR(mesh->FramePosition, 2.25f, 1e-3f);
    mesh->SetFramePosition(-0.5f);
    EXPECT_FLOAT_EQ(mesh->FramePosition, 8.5f);
    mesh->SetFramePosition(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(mesh->FramePosition, 8.5f);

    // Only groups with the first group's frame count morph.
    s.Materials->Clear();
    TSceneMesh* mixed = s.Built("Mixed", PlainMaterial + AnimatedObject("A", 3) + AnimatedObject("B", 2));
    mixed->SetFramePosition(2.5f);
    EXPECT_FLOAT_EQ(mixed->OpaqueGroups.Items(0)->Primitive->Vertices().GetVector(0).x, 1.0f);
    EXPECT_FLOAT_EQ(mixed->OpaqueGroups.Items(1)->Primitive->Vertices().GetVector(0).x, 0.0f);
}

TEST(SceneMesh, DrawsOpaqueGroupsThenTransparentGroups)
{
    TMeshScene s;
    TSceneMesh* mesh = s.Mesh("Fish", FishMesh);
    SetAlphaBlend(true);
    s.Recorder.Clear();
    mesh->Render();  // built on the first draw
    std::string order;
    for (const GLCall& call : s.Recorder.Calls())
        if (call.Name == "glDrawElements" || call.Text() == "glEnable(3042)" || call.Text() == "glDisable(3042)")
            order += call.Name + " ";
    EXPECT_EQ(order, "glDisable glDrawElements glEnable glDrawElements ");
    EXPECT_EQ(CurrentTexture(), static_cast<TRenderTexture*>(mesh->AlphaGroups.Items(0)->Texture));
}

TEST(SceneMesh, BuildNeedsAMeshListAndIsTriedOnce)
{
    TMeshScene s;
    // A mesh held by another kind of list cannot find its loader's lists.
    auto* stray = new TSceneMesh;
    stray->SetName("Stray");
    stray->SetSourceName("fish.3dm");
    s.Add(new TResource, "Other")->Add(stray);
    EXPECT_EQ(MessageOf<EInvalidCast>([&] { stray->RenderOpaque(); }), "Invalid class typecast");

    // A file that fails raises on the first draw only; the mesh stays empty.
    TSceneMesh* broken = s.Mesh("Broken", OneFaceMesh("Opacity 100", 2000));
    EXPECT_THROW(broken->RenderOpaque(), Exception);
    s.Recorder.Clear();
    broken->RenderOpaque();
    EXPECT_EQ(s.Recorder.Count("glDrawElements"), 0);

    // A new source rebuilds: the old groups are replaced, not added to.
    TSceneMesh* mesh = s.Mesh("Fish", FishMesh);
    mesh->RenderOpaque();
    s.Resources.Add("rock_3dm", OneFaceMesh("Opacity 100", 1));
    mesh->SetSourceName("rock.3dm");
    EXPECT_FALSE(mesh->Built);
    mesh->RenderOpaque();
    EXPECT_EQ(mesh->OpaqueGroups.Count() + mesh->AlphaGroups.Count(), 1);
}

namespace {

// A mesh scene with one material of one opaque sub-material and a sprite
// list.
struct TSpriteScene : TMeshScene {
    TSpriteScene()
    {
        Material = new TSceneMaterial;
        Material->SetName("Flat");
        Materials->AddMaterial(Material);
        Material->AddGroup();
        Sprites = Add(new TMainSpriteList, "Sprites", poRender);
        Resources.AddBitmap("clock_bmp", PackedDib(Blank(256, 256, 24)));
    }

    // A sprite of Sprites on texture (loaded from "clock.bmp" when none is
    // given) with the flat material.
    TSceneSprite* Sprite(const std::string& name, TSceneTexture* texture = nullptr)
    {
        auto* sprite = new TSceneSprite;
        sprite->SetName(name);
        sprite->Material = Material;
        sprite->Texture = texture != nullptr ? texture : Textures->AddPlainTexture("clock.bmp");
        Sprites->Add(sprite);
        return sprite;
    }

    TSceneMaterial* Material;
    TMainSpriteList* Sprites;
};

TGLPrimitive& QuadOf(TSceneSprite& sprite)
{
    TMeshGroup* group = sprite.OpaqueGroups.Count() > 0 ? sprite.OpaqueGroups.Items(0) : sprite.AlphaGroups.Items(0);
    EXPECT_NE(group, nullptr);
    return *group->Primitive;
}

void ExpectVertex(TGLPrimitive& quad, int index, float x, float y)
{
    const TGLVector v = quad.Vertices().GetVector(index);
    EXPECT_EQ((std::vector<float>{v.x, v.y, v.z}), (std::vector<float>{x, y, 0})) << "vertex " << index;
}

void ExpectCoord(TGLPrimitive& quad, int index, float s, float t)
{
    const TGLTextureCoord c = quad.GetTextureCoords(0).GetCoord(index);
    EXPECT_FLOAT_EQ(c.s, s) << "coordinate " << index;
    EXPECT_FLOAT_EQ(c.t, t) << "coordinate " << index;
}

}  // namespace

// The rectangle is in pixels of the picture whatever the texture's quality:
// sampled at Low quality the texture is 64 pixels wide.
TEST(SceneSprite, QuadSpansItsPixelsAndCutsItsRectangleOutOfThePictureAtEveryQuality)
{
    for (const TTextureQuality quality : {TTextureQuality::High, TTextureQuality::Low}) {
        SCOPED_TRACE(static_cast<int>(quality));
        TSpriteScene s;
        s.Textures->Quality = quality;
        TSceneSprite* sprite = s.Sprite("Digit");
        sprite->Width = 32;
        sprite->Height = 16;
        sprite->StartU = 64;
        sprite->RenderOpaque();
        ASSERT_EQ(sprite->OpaqueGroups.Count(), 1);
        EXPECT_EQ(sprite->Texture->GLTexture()->Width(), quality == TTextureQuality::Low ? 64 : 256);
        TGLPrimitive& quad = QuadOf(*sprite);
        ASSERT_EQ(quad.Vertices().Count(), 4);
        ExpectVertex(quad, 0, 0, 15);
        ExpectVertex(quad, 2, 31, 0);
        // The top 16 rows of the picture (stored top-down), columns 64..95.
        ExpectCoord(quad, 0, 64.0f / 255, 1.0f);
        ExpectCoord(quad, 2, 95.0f / 255, 240.0f / 255);
        EXPECT_EQ(s.Recorder.Count("glDrawArrays"), 1);
    }

    // Elsewhere on the screen and in the picture.
    TSpriteScene s;
    TSceneSprite* moved = s.Sprite("Moved");
    moved->OriginX = 10;
    moved->OriginY = 20;
    moved->Width = 8;
    moved->Height = 4;
    moved->StartV = 100;
    moved->UpdateSpriteMesh();
    ExpectVertex(QuadOf(*moved), 0, 10, 23);
    ExpectCoord(QuadOf(*moved), 1, 0, 152.0f / 255);  // (255 - 100 - 4 + 1) / 255

    // A one-pixel picture divides by 1, not by 0.
    s.Resources.AddBitmap("dot_bmp", PackedDib(Blank(1, 1, 24)));
    TSceneSprite* dot = s.Sprite("Dot", s.Textures->AddPlainTexture("dot.bmp"));
    dot->Width = 3;
    dot->Height = 1;
    dot->UpdateSpriteMesh();
    ExpectCoord(QuadOf(*dot), 1, 0, 1);
    ExpectCoord(QuadOf(*dot), 2, 2, 1);
}

TEST(SceneSprite, KeepsItsQuadUntilItsKeysAreLoadedAgainButColoursEveryDraw)
{
    TSpriteScene s;
    TSceneSprite* sprite = s.Sprite("Digit");
    sprite->Width = 32;
    sprite->RenderOpaque();
    TGLPrimitive* first = &QuadOf(*sprite);
    sprite->Width = 64;  // not seen: the quad is built
    sprite->Color = MakeColorRGBA(200, 100, 50, 255);
    sprite->RenderOpaque();
    EXPECT_EQ(&QuadOf(*sprite), first);
    ExpectVertex(QuadOf(*sprite), 2, 31, 0);
    EXPECT_EQ(QuadOf(*sprite).Colors().GetColor(0), MakeColorRGBA(200, 100, 50, 255));

    sprite->LoadOptions(*ReaderOf("Width=16\nOriginX=100\n", &s.Scene));
    EXPECT_FALSE(sprite->MeshBuilt);
    EXPECT_EQ(sprite->Texture, s.Textures->FindTexture("clock.bmp"));  // kept: no key
    sprite->RenderOpaque();
    ExpectVertex(QuadOf(*sprite), 2, 115, 0);
}

TEST(SceneSprite, NeedsATextureAndAMaterial)
{
    TSpriteScene s;
    TSceneSprite* bare = s.Sprite("Bare");
    bare->Texture = nullptr;
    EXPECT_EQ(MessageOf([&] { bare->RenderOpaque(); }), "TSceneSprite.UpdateSpriteMesh error: Texture=nil!");
    EXPECT_FALSE(bare->MeshBuilt);

    TSceneSprite* plain = s.Sprite("Plain");
    plain->Material = nullptr;
    EXPECT_EQ(MessageOf([&] { plain->RenderAlpha(); }), "TSceneMesh.AddGroup error: Material is not assigned!");
    EXPECT_FALSE(plain->MeshBuilt);
}

namespace {

// A stub scene with a material list "Materials".
struct SceneMaterialTest : ::testing::Test, TStubScene {
    TSceneMaterial* NewMaterial(const std::string& name)
    {
        auto* material = new TSceneMaterial();
        material->SetName(name);
        return list->AddMaterial(material);
    }

    TSceneMaterialList* list = Add(new TSceneMaterialList, "Materials");
};

}  // namespace

TEST_F(SceneMaterialTest, GroupsTakeTheirGLMaterialsFromTheScenesContextAndFreeThem)
{
    TSceneMaterial* material = NewMaterial("Rock");
    Scene.GL = nullptr;
    EXPECT_EQ(MessageOf([&] { material->AddGroup(); }), "TSceneMaterial.AddGroup error: MainScene is NIL!");
    EXPECT_EQ(MessageOf([&] { material->GetGroup(0); }), "TSceneMaterial.GetGroup error: Material has no groups!");
    Scene.GL = &GL;
    TGroupMaterial* first = material->AddGroup();
    TGroupMaterial* second = material->AddGroup();
    EXPECT_EQ(second->Index(), 1);
    EXPECT_EQ(second->Material(), material);
    ASSERT_EQ(GL.Materials().Count(), 2);
    EXPECT_EQ(GL.Materials().Items(1), second->GLMaterial());
    // GetGroup clamps the index.
    EXPECT_EQ(material->GetGroup(-1), first);
    EXPECT_EQ(material->GetGroup(7), second);
    delete material;  // leaves the list, frees its groups and their GL materials
    EXPECT_EQ(GL.Materials().Count(), 0);
    EXPECT_EQ(list->GetCount(), 0);
}

TEST_F(SceneMaterialTest, TheMaterialCacheSendsTheWholeGLMaterialAndItsAlpha)
{
    TGroupMaterial* group = NewMaterial("Glass")->AddGroup();
    group->GLMaterial()->SetDiffuse({0.1f, 0.2f, 0.3f, 0.5f});
    group->GLMaterial()->Apply();  // clean now: Apply through the cache must send everything anyway
    ResetMaterialCache();
    CurrentColor = {0.25f, 0.5f, 0.75f, 1};
    Recorder.Clear();
    SetCurrentMaterial(group);
    EXPECT_EQ(Recorder.Count("glMaterialfv") + Recorder.Count("glMaterialf"), 5);
    EXPECT_EQ(Recorder.Calls().back().Text(), "glColor4fv({0.25,0.5,0.75,0.5})");
}

TEST_F(SceneMaterialTest, KeysSurviveARoundTripFaceFlagsIncluded)
{
    TSceneMaterial* material = NewMaterial("Fish");
    material->UseVertexColor = false;
    TGroupMaterial* skin = material->AddGroup();
    skin->GLMaterial()->SetDiffuse({0.4f, 0.5f, 0.6f, 0.5f});
    skin->GLMaterial()->SetShininess(12.5f);
    skin->GLMaterial()->SetFrontFace(false);
    skin->GLMaterial()->SetBackFace(true);
    skin->VertexColor = {1, 0.5f, 0.25f, 1};
    material->AddGroup()->GLMaterial()->SetBackFace(true);

    auto writer = Writer(nullptr);
    material->SaveOptions(*writer);
    // Face flags are written under the suffixed keys they are read with.
    const auto key = [&](const std::string& name) { return writer->IniFile->ReadString("L", name, "-"); };
    EXPECT_EQ(key("Front1") + key("Back1") + key("Front2") + key("Front"), "011-");

    TSceneMaterial* copy = NewMaterial("Copy");
    copy->LoadOptions(*writer);
    EXPECT_FALSE(copy->UseVertexColor);
    ASSERT_EQ(copy->GetGroupCount(), 2);
    const auto all = [](const TGroupMaterial& g) {
        const TGLMaterial& m = *g.GLMaterial();
        return ColorFloatToStr(m.Diffuse()) + " " + ColorFloatToStr(g.VertexColor) + " " +
               FloatToStr(m.Shininess()) + " " +
               std::to_string(m.FrontFace()) + std::to_string(m.BackFace());
    };
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(all(*copy->GetGroup(i)), all(*material->GetGroup(i))) << i;
}

TEST_F(SceneMaterialTest, DamagedValuesGiveDefaultsAndAnAbsurdCountIsRefused)
{
    TSceneMaterial* material = NewMaterial("Odd");
    material->LoadOptions(*ReaderOf("Count=1\nDiffuse1=red\nShininess1=1.2.3\nFront1=maybe\n", nullptr));
    ASSERT_EQ(material->GetGroupCount(), 1);
    const TGLMaterial defaults(nullptr);
    EXPECT_EQ(ColorFloatToStr(material->GetGroup(0)->GLMaterial()->Diffuse()), ColorFloatToStr(defaults.Diffuse()));
    EXPECT_EQ(material->GetGroup(0)->GLMaterial()->Shininess(), defaults.Shininess());
    EXPECT_TRUE(material->GetGroup(0)->GLMaterial()->FrontFace());

    for (const char* count : {"-3", "many", ""}) {
        TSceneMaterial* none = NewMaterial(std::string("None") + count);
        none->LoadOptions(*ReaderOf(std::string("Count=") + count + "\n", nullptr));
        EXPECT_EQ(none->GetGroupCount(), 0) << count;
    }
    TSceneMaterial* huge = NewMaterial("Huge");
    EXPECT_EQ(MessageOf([&] { huge->LoadOptions(*ReaderOf("Count=2000000000\n", nullptr)); }),
              "TSceneMaterial.LoadOptions error: Count is out of range!");
    EXPECT_EQ(huge->GetGroupCount(), 0);
}
