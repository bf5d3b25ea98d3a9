#include "scene/core/SceneSprite.h"

#include "classlib/core/BmpCodec.h"
#include "gl/core/GLPrimitive.h"
#include "gl/core/GLTexture.h"
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
        Resources.AddBitmap("clock_bmp", Picture(256, 256));
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

TEST(SceneSprite, QuadSpansItsPixelsAndCutsItsRectangleOutOfThePicture)
{
    TSpriteScene s;
    TSceneSprite* sprite = s.Sprite("Digit");
    sprite->Width = 32;
    sprite->Height = 16;
    sprite->StartU = 64;
    sprite->RenderOpaque();
    ASSERT_EQ(sprite->OpaqueGroups.Count(), 1);
    TGLPrimitive& quad = QuadOf(*sprite);
    ASSERT_EQ(quad.Vertices().Count(), 4);
    ExpectVertex(quad, 0, 0, 15);
    ExpectVertex(quad, 2, 31, 0);
    // The top 16 rows of the picture (stored top-down), columns 64..95.
    ExpectCoord(quad, 0, 64.0f / 255, 1.0f);
    ExpectCoord(quad, 2, 95.0f / 255, 240.0f / 255);
    EXPECT_EQ(s.Recorder.Count("glDrawArrays"), 1);

    // Elsewhere on the screen and in the picture.
    TSceneSprite* moved = s.Sprite("Moved");
    moved->OriginX = 10;
    moved->OriginY = 20;
    moved->Width = 8;
    moved->Height = 4;
    moved->StartV = 100;
    moved->UpdateSpriteMesh();
    ExpectVertex(QuadOf(*moved), 0, 10, 23);
    ExpectCoord(QuadOf(*moved), 1, 0, 152.0f / 255);  // (255 - 100 - 4 + 1) / 255
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
