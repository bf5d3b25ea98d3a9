// Meshes and sprites drawn on a real context under Wine (Xvfb, Mesa
// llvmpipe) and read back from the frame buffer.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "../../gl/win/GLTestWindow.h"
#include "classlib/core/BmpCodec.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLayer.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMesh.h"
#include "scene/core/SceneSprite.h"
#include "scene/core/SceneTexture.h"
#include "../core/SceneTestObjects.h"

namespace {

constexpr int Size = 64;

using TPixel = std::array<int, 3>;

// A red square of half the view, facing +z, in a material that is red
// only where light falls on it (no ambient, no specular).
const std::string SquareMesh = R"(#MaterialStandard 7
Name Red
Opacity 100
Ambient (color 0 0 0)
Diffuse (color 255 0 0)
Specular (color 0 0 0)
SpecularLevel 100
Glossiness 10
#Object 1
Name Square
#Material 1
Name Red
#Vertices 4
[-0.5,-0.5,0]
[0.5,-0.5,0]
[0.5,0.5,0]
[-0.5,0.5,0]
#VertexFaces 2
[1,2,3]
[1,3,4]
#FaceMatID 2
1
1
)";

// A scene on a Size x Size window with a current context, cleared to blue.
struct SceneDraw : ::testing::Test {
    TestWindow window{Size, Size};
    std::unique_ptr<TCustomOpenGL> context = NewContext();
    TBitmapResources resources;
    std::unique_ptr<TMainScene> scene;

    void SetUp() override
    {
        context->CreateRC(window.DC());
        ASSERT_TRUE(context->Active());
        SetAlphaBlend(false);
        ResetTextureCache();
        ResetMaterialCache();
        scene = std::make_unique<TMainScene>();
        scene->GL = context.get();
        scene->SourceLocation = slResource;
        glViewport(0, 0, Size, Size);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override
    {
        scene.reset();
        ResetTextureCache();
        ResetMaterialCache();
        SetAlphaBlend(false);
    }

    template <class T>
    T* Add(T* object, const std::string& name)
    {
        object->SetName(name);
        object->SourceLocation = slResource;
        scene->AddObject(object, 0);
        return object;
    }

    static TPixel Read(int x, int y)
    {
        GLubyte rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }
};

void ExpectPixel(const TPixel& actual, const TPixel& expected, const char* where)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_LE(std::abs(actual[static_cast<size_t>(i)] - expected[static_cast<size_t>(i)]), 8)
            << where << " channel " << i << ": " << actual[0] << "," << actual[1] << "," << actual[2];
}

// A directional light along direction z (w 0), white diffuse.
void SetLightFrom(float z)
{
    const GLfloat position[4] = {0, 0, z, 0};
    const GLfloat white[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
}

}  // namespace

TEST_F(SceneDraw, LitMeshIsRedWhereTheLightFallsOnItsFront)
{
    auto* materials = Add(new TSceneMaterialList, "Materials");
    auto* textures = Add(new TSceneTextureList, "Textures");
    auto* meshes = Add(new TSceneMeshList, "Meshes");
    meshes->Materials = materials;
    meshes->Textures = textures;
    resources.Add("SQUARE_3DM", SquareMesh);
    auto* mesh = new TSceneMesh;
    mesh->SetName("Square");
    mesh->SetSourceName("square.3dm");
    meshes->Add(mesh);

    SetLightFrom(1);
    mesh->Render();
    ASSERT_TRUE(mesh->Built);
    ASSERT_EQ(mesh->OpaqueGroups.Count(), 1);
    ExpectPixel(Read(Size / 2, Size / 2), {255, 0, 0}, "lit centre");
    ExpectPixel(Read(4, 4), {0, 0, 255}, "outside");

    // Lit from behind, the front face gets no light and no ambient.
    glClear(GL_COLOR_BUFFER_BIT);
    SetLightFrom(-1);
    mesh->Render();
    ExpectPixel(Read(Size / 2, Size / 2), {0, 0, 0}, "unlit centre");
    glDisable(GL_LIGHTING);
}

TEST_F(SceneDraw, SpriteCutsItsKeyColourOutAndTakesItsColour)
{
    // A picture whose left half is the key colour (black, its top-left
    // pixel) and whose right half is white.
    TDibImage picture;
    picture.Width = Size;
    picture.Height = Size;
    picture.BitCount = 24;
    picture.Allocate();
    for (int y = 0; y < Size; ++y)
        for (int x = Size / 2; x < Size; ++x)
            for (int c = 0; c < 3; ++c)
                picture.ScanLine(y)[x * 3 + c] = 255;
    const std::vector<uint8_t> file = WriteBmpFile(picture);
    resources.AddBitmap("HALF_BMP", std::string(file.begin() + 14, file.end()));

    auto* textures = Add(new TSceneTextureList, "Textures");
    auto* materials = Add(new TSceneMaterialList, "Materials");
    auto* material = new TSceneMaterial;
    material->SetName("Flat");
    materials->AddMaterial(material);
    material->AddGroup();
    auto* sprites = new TMainSpriteList;
    sprites->SetName("Sprites");
    sprites->ViewWidth = Size;
    sprites->ViewHeight = Size;
    sprites->Alpha = true;
    scene->AddObject(sprites, poRender);
    auto* sprite = new TSceneSprite;
    sprite->SetName("Half");
    sprite->Material = material;
    sprite->Texture = textures->AddSpriteTexture("half.bmp");
    sprite->Width = Size;
    sprite->Height = Size;
    sprite->Color = MakeColorRGBA(255, 255, 0, 255);
    sprites->Add(sprite);

    scene->Render();
    ASSERT_TRUE(sprite->MeshBuilt);
    ExpectPixel(Read(Size / 4, Size / 2), {0, 0, 255}, "key colour: the clear colour shows");
    ExpectPixel(Read(3 * Size / 4, Size / 2), {255, 255, 0}, "white times the sprite colour");
    GLint depth = 0;
    GLint cull = 0;
    glGetIntegerv(GL_DEPTH_TEST, &depth);
    glGetIntegerv(GL_CULL_FACE, &cull);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(cull, 1);
}
