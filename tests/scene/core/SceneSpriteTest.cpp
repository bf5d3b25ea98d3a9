#include "scene/core/SceneSprite.h"

#include "gl/core/GLPrimitive.h"
#include "gl/core/GLTexture.h"
#include "scene/core/SceneLayer.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneTexture.h"
#include "scene/core/SceneTexturePicture.h"
#include "SceneTestObjects.h"

namespace {

// A stub scene with a texture list, one material with one opaque
// sub-material and a sprite list.
struct TSpriteScene : TStubScene {
    TSpriteScene()
    {
        Textures = Add(new TSceneTextureList, "Textures", poRender);
        Material = new TSceneMaterial;
        Material->SetName("Flat");
        Add(new TSceneMaterialList, "Materials", poRender)->AddMaterial(Material);
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

    TSceneTextureList* Textures;
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
