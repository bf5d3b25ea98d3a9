#include "scene/core/SceneSprite.h"

#include "classlib/core/BmpCodec.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLPrimitive.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "gl/core/GLTexture.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLayer.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneTexture.h"
#include "scene/core/SceneTexturePicture.h"
#include "SceneTestObjects.h"

namespace {

// A black 24-bit picture as a bitmap resource holds it.
std::string Picture(int width, int height)
{
    TDibImage picture;
    picture.Width = width;
    picture.Height = height;
    picture.BitCount = 24;
    picture.Allocate();
    const std::vector<uint8_t> file = WriteBmpFile(picture);
    return std::string(file.begin() + 14, file.end());
}

// A scene with a GL context object, a texture list reading bitmap
// resources, one material with one opaque sub-material and a sprite list;
// GL calls go to the recorder.
struct TSpriteScene {
    TSpriteScene() : GL(std::make_unique<TGLStubPlatform>())
    {
        SetAlphaBlend(false);
        ResetTextureCache();
        ResetMaterialCache();
        Scene.GL = &GL;
        Textures = Add(new TSceneTextureList, "Textures");
        Textures->SourceLocation = slResource;
        Materials = Add(new TSceneMaterialList, "Materials");
        Material = new TSceneMaterial;
        Material->SetName("Flat");
        Materials->AddMaterial(Material);
        Material->AddGroup();
        Sprites = Add(new TMainSpriteList, "Sprites");
        Resources.AddBitmap("clock_bmp", Picture(256, 256));
    }
    ~TSpriteScene()
    {
        ResetTextureCache();
        ResetMaterialCache();
    }

    template <class T>
    T* Add(T* object, const std::string& name)
    {
        object->SetName(name);
        Scene.AddObject(object, poRender);
        return object;
    }

    // A sprite of Sprites on texture (loaded from "clock.bmp" when none is
    // given) with the flat material.
    TSceneSprite* Sprite(const std::string& name, TSceneTexture* texture = nullptr)
    {
        auto* sprite = new TSceneSprite;
        sprite->SetName(name);
        sprite->Material = Material;
        sprite->Texture = texture != nullptr ? texture : Clock();
        Sprites->Add(sprite);
        return sprite;
    }
    TSceneTexture* Clock() { return Textures->AddPlainTexture("clock.bmp"); }

    GLRecorder Recorder;
    TBitmapResources Resources;
    TCustomOpenGL GL;  // outlives the scene
    TMainScene Scene;
    TSceneTextureList* Textures;
    TSceneMaterialList* Materials;
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

std::vector<std::string> Texts(const GLRecorder& recorder)
{
    std::vector<std::string> texts;
    for (const GLCall& call : recorder.Calls())
        texts.push_back(call.Text());
    return texts;
}

// A layer child that logs its passes.
class TLoggingLayer : public TSceneLayer {
public:
    explicit TLoggingLayer(TSceneLog& log) : FLog(log) { SetName("Layer"); }
    void BeginRender() override { FLog.push_back("Layer.BeginRender"); }
    void EndRender() override { FLog.push_back("Layer.EndRender"); }

private:
    TSceneLog& FLog;
};

}  // namespace

TEST(SceneSprite, QuadSpansItsPixelsAndCutsItsRectangleOutOfThePicture)
{
    TSpriteScene s;
    TSceneSprite* sprite = s.Sprite("Digit");
    sprite->Width = 32;
    sprite->Height = 16;
    sprite->StartU = 64;
    sprite->RenderOpaque();
    EXPECT_TRUE(sprite->MeshBuilt);
    ASSERT_EQ(sprite->OpaqueGroups.Count(), 1);
    EXPECT_EQ(sprite->AlphaGroups.Count(), 0);
    EXPECT_EQ(sprite->OpaqueGroups.Items(0)->GroupMaterial, s.Material->GetGroup(0));

    TGLPrimitive& quad = QuadOf(*sprite);
    EXPECT_EQ(quad.Mode, GL_QUADS);
    ASSERT_EQ(quad.Vertices().Count(), 4);
    ExpectVertex(quad, 0, 0, 15);
    ExpectVertex(quad, 1, 0, 0);
    ExpectVertex(quad, 2, 31, 0);
    ExpectVertex(quad, 3, 31, 15);
    EXPECT_FLOAT_EQ(quad.Normals().GetVector(3).z, 1);
    // The top 16 rows of the picture (stored top-down), columns 64..95.
    ExpectCoord(quad, 0, 64.0f / 255, 1.0f);
    ExpectCoord(quad, 1, 64.0f / 255, 240.0f / 255);
    ExpectCoord(quad, 2, 95.0f / 255, 240.0f / 255);
    ExpectCoord(quad, 3, 95.0f / 255, 1.0f);
    ASSERT_EQ(s.Recorder.Count("glDrawArrays"), 1);
    EXPECT_EQ(s.Recorder.CallsOf("glDrawArrays")[0].Args[0], "7");  // GL_QUADS

    // Elsewhere on the screen and in the picture.
    TSceneSprite* moved = s.Sprite("Moved");
    moved->OriginX = 10;
    moved->OriginY = 20;
    moved->Width = 8;
    moved->Height = 4;
    moved->StartV = 100;
    moved->UpdateSpriteMesh();
    TGLPrimitive& other = QuadOf(*moved);
    ExpectVertex(other, 0, 10, 23);
    ExpectVertex(other, 2, 17, 20);
    ExpectCoord(other, 1, 0, 152.0f / 255);  // (255 - 100 - 4 + 1) / 255
    ExpectCoord(other, 3, 7.0f / 255, 155.0f / 255);
}

TEST(SceneSprite, CoordinatesFollowThePictureWhateverTheTextureQuality)
{
    // Sampled at Low quality the texture is 64 pixels wide, yet the
    // rectangle is still in pixels of the 256-pixel picture.
    TSpriteScene s;
    s.Textures->Quality = TTextureQuality::Low;
    TSceneSprite* sprite = s.Sprite("Digit");
    sprite->Width = 32;
    sprite->Height = 16;
    sprite->StartU = 64;
    sprite->UpdateSpriteMesh();
    ASSERT_NE(sprite->Texture->GLTexture(), nullptr);
    EXPECT_EQ(sprite->Texture->GLTexture()->Width(), 64);
    ExpectCoord(QuadOf(*sprite), 0, 64.0f / 255, 1.0f);

    // A one-pixel picture divides by 1, not by 0.
    s.Resources.AddBitmap("dot_bmp", Picture(1, 1));
    TSceneSprite* dot = s.Sprite("Dot", s.Textures->AddPlainTexture("dot.bmp"));
    dot->Width = 3;
    dot->Height = 1;
    dot->UpdateSpriteMesh();
    ExpectCoord(QuadOf(*dot), 1, 0, 1);
    ExpectCoord(QuadOf(*dot), 2, 2, 1);
}

TEST(SceneSprite, KeepsItsQuadUntilItsKeysAreLoadedAgain)
{
    TSpriteScene s;
    TSceneSprite* sprite = s.Sprite("Digit");
    sprite->Width = 32;
    sprite->RenderOpaque();
    TGLPrimitive* first = &QuadOf(*sprite);
    sprite->Width = 64;  // not seen: the quad is built
    sprite->RenderOpaque();
    EXPECT_EQ(&QuadOf(*sprite), first);
    ExpectVertex(QuadOf(*sprite), 2, 31, 0);

    sprite->LoadOptions(*ReaderOf("Width=16\nOriginX=100\n", &s.Scene));
    EXPECT_FALSE(sprite->MeshBuilt);
    EXPECT_EQ(sprite->OpaqueGroups.Count(), 0);
    EXPECT_EQ(sprite->Width, 16);
    EXPECT_EQ(sprite->Texture, s.Textures->FindTexture("clock.bmp"));  // kept: no key
    sprite->RenderOpaque();
    EXPECT_TRUE(sprite->MeshBuilt);
    ExpectVertex(QuadOf(*sprite), 2, 115, 0);
}

TEST(SceneSprite, ColorIsAppliedOnEveryDraw)
{
    TSpriteScene s;
    TSceneSprite* sprite = s.Sprite("Digit");
    sprite->Color = MakeColorRGBA(10, 20, 30, 40);
    sprite->RenderOpaque();
    ASSERT_EQ(QuadOf(*sprite).Colors().Count(), 1);
    EXPECT_EQ(QuadOf(*sprite).Colors().GetColor(0), MakeColorRGBA(10, 20, 30, 40));

    sprite->Color = MakeColorRGBA(200, 100, 50, 255);
    s.Recorder.Clear();
    sprite->RenderOpaque();
    EXPECT_EQ(QuadOf(*sprite).Colors().GetColor(0), MakeColorRGBA(200, 100, 50, 255));
    EXPECT_EQ(s.Recorder.Count("glColor4ubv"), 1);

    // A sprite texture puts the quad in the transparent pass; the colour
    // reaches it there too.
    s.Resources.AddBitmap("cut_bmp", Picture(64, 64));
    TSceneSprite* cut = s.Sprite("Cut", s.Textures->AddSpriteTexture("cut.bmp"));
    cut->Color = MakeColorRGBA(1, 2, 3, 4);
    s.Recorder.Clear();
    cut->RenderOpaque();
    EXPECT_EQ(s.Recorder.Count("glDrawArrays"), 0);
    EXPECT_TRUE(cut->Alpha);
    ASSERT_EQ(cut->AlphaGroups.Count(), 1);
    cut->RenderAlpha();
    EXPECT_EQ(s.Recorder.Count("glDrawArrays"), 1);
    EXPECT_EQ(QuadOf(*cut).Colors().GetColor(0), MakeColorRGBA(1, 2, 3, 4));
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

TEST(SceneSprite, KeysRoundTrip)
{
    TSpriteScene s;
    TSceneSprite* sprite = s.Sprite("Digit");
    sprite->OriginX = 1, sprite->OriginY = 2, sprite->Width = 3, sprite->Height = 4, sprite->StartU = 5;
    sprite->StartV = 6;
    s.Sprites->Position = {7, 8, 0};
    s.Sprites->ViewWidth = 640;
    s.Sprites->ViewHeight = 480;
    s.Sprites->Lighting = true;

    TResourceLoader io;
    io.Root = &s.Scene;
    io.IniFile = std::make_unique<TMemIniFile>("");
    io.Section = "Digit";
    sprite->SaveOptions(io);
    io.Section = "Sprites";
    s.Sprites->SaveOptions(io);
    EXPECT_EQ(io.IniFile->ReadString("Digit", "Texture", ""), "Textures/clock.bmp");
    EXPECT_EQ(io.IniFile->ReadString("Digit", "Material", ""), "Materials/Flat");

    TSceneSprite copy;
    TMainSpriteList list;
    io.Section = "Digit";
    copy.LoadOptions(io);
    io.Section = "Sprites";
    list.LoadOptions(io);
    EXPECT_EQ(copy.Texture, sprite->Texture);
    EXPECT_EQ(copy.Material, s.Material);
    EXPECT_EQ((std::vector<int>{copy.OriginX, copy.OriginY, copy.Width, copy.Height, copy.StartU, copy.StartV}),
              (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ((std::vector<float>{list.Position.x, list.Position.y, list.ViewWidth, list.ViewHeight}),
              (std::vector<float>{7, 8, 640, 480}));
    EXPECT_TRUE(list.Lighting);
}

TEST(SceneSpriteList, DrawsInPixelsWithTheSceneStateSwitchedOffAndOnAgain)
{
    TSpriteScene s;
    s.Sprite("Digit");
    s.Sprites->Position = {16, 32, 5};
    s.Recorder.Clear();
    s.Sprites->Render();
    const std::vector<std::string> calls = Texts(s.Recorder);
    ASSERT_GE(calls.size(), 16u) << s.Recorder.Text();
    const std::vector<std::string> opening(calls.begin(), calls.begin() + 12);
    EXPECT_EQ(opening, (std::vector<std::string>{"glDisable(2896)", "glDisable(2884)", "glDisable(2929)",
                                                 "glDisable(2912)", "glMatrixMode(5889)", "glPushMatrix()",
                                                 "glLoadIdentity()", "glOrtho(0, 1024, 0, 768, -100, 100)",
                                                 "glMatrixMode(5888)", "glPushMatrix()", "glLoadIdentity()",
                                                 "glTranslatef(16, 32, 0)"}));
    const std::vector<std::string> closing(calls.end() - 6, calls.end());
    EXPECT_EQ(closing, (std::vector<std::string>{"glMatrixMode(5889)", "glPopMatrix()", "glMatrixMode(5888)",
                                                 "glPopMatrix()", "glEnable(2929)", "glEnable(2884)"}));
    // The sprite is drawn between the two; lighting stays off after it.
    EXPECT_EQ(s.Recorder.Count("glDrawArrays"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "glEnable(2896)") +
                  std::count(calls.begin(), calls.end(), "glEnable(2912)"),
              0);

    s.Sprites->Lighting = true;
    s.Recorder.Clear();
    s.Sprites->Render();
    EXPECT_EQ(Texts(s.Recorder).front(), "glEnable(2896)");

    // A hidden list draws nothing and leaves the state alone.
    s.Sprites->SetVisible(false);
    s.Recorder.Clear();
    s.Scene.Render();
    EXPECT_EQ(s.Recorder.Count("glDrawArrays"), 0);
    EXPECT_EQ(s.Recorder.Count("glMatrixMode"), 0);
}

TEST(SceneLayer, DrawsEveryOpaquePassBeforeAnyTransparentPass)
{
    TSceneLog log;
    TLoggingLayer layer(log);
    layer.Add(new TRecordingObject("A", log));
    layer.Add(new TRecordingObject("B", log));
    auto* hidden = new TRecordingObject("C", log);
    hidden->SetVisible(false);
    layer.Add(hidden);

    // Without Alpha only the opaque passes.
    layer.Render();
    EXPECT_EQ(log, (TSceneLog{"Layer.BeginRender", "A.RenderOpaque", "B.RenderOpaque", "Layer.EndRender"}));

    log.clear();
    layer.Alpha = true;
    layer.Render();
    EXPECT_EQ(log, (TSceneLog{"Layer.BeginRender", "A.RenderOpaque", "B.RenderOpaque", "A.RenderAlpha",
                              "B.RenderAlpha", "Layer.EndRender"}));

    log.clear();
    layer.SetVisible(false);
    layer.Render();
    EXPECT_TRUE(log.empty());
    layer.Clear();
}
