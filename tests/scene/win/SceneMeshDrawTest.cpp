// Meshes, sprites and their textures drawn on a real context under Wine,
// read back from the frame buffer. (The end-to-end scene proves a lit,
// textured mesh from a JPEG resource.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
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

// A square of half the view facing +z, red.
const std::string SquareMesh =
    "#MaterialStandard 7\nName Red\nOpacity 100\nAmbient (color 0 0 0)\nDiffuse (color 255 0 0)\n"
    "Specular (color 0 0 0)\nSpecularLevel 100\nGlossiness 10\n#Object 1\nName Square\n#Material 1\nName Red\n"
    "#Vertices 4\n[-0.5,-0.5,0]\n[0.5,-0.5,0]\n[0.5,0.5,0]\n[-0.5,0.5,0]\n#VertexFaces 2\n[1,2,3]\n[1,3,4]\n"
    "#FaceMatID 2\n1\n1\n";

// A scene on a Size x Size window with a current context, cleared to blue; -1..1 across the view.
struct SceneDraw : ::testing::Test {
    TestWindow window{Size, Size};
    std::unique_ptr<TCustomOpenGL> context = NewContext();
    TStringResources resources;
    std::unique_ptr<TMainScene> scene = std::make_unique<TMainScene>();

    void SetUp() override
    {
        context->CreateRC(window.DC());
        ASSERT_TRUE(context->Active());
        scene->GL = context.get();
        StartView();
    }
    void StartView()
    {
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
        ResetRenderState();
    }

    // The mesh of description text `mesh` in the scene's mesh list.
    TSceneMesh* AddMesh(const std::string& name, const std::string& text)
    {
        auto* meshes = Add(new TSceneMeshList, "Meshes");
        meshes->Materials = Add(new TSceneMaterialList, "Materials");
        meshes->Textures = Add(new TSceneTextureList, "Textures");
        resources.Add(name + "_3DM", text);
        auto* mesh = new TSceneMesh;
        mesh->SetName(name);
        mesh->SetSourceName(name + ".3dm");
        meshes->Add(mesh);
        return mesh;
    }

    template <class T>
    T* Add(T* object, const std::string& name, int options = 0)
    {
        object->SetName(name);
        object->SourceLocation = slResource;
        scene->AddObject(object, options);
        return object;
    }

    static void ExpectPixel(int x, int y, const std::array<int, 3>& expected)
    {
        GLubyte rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        for (int i = 0; i < 3; ++i)
            EXPECT_LE(std::abs(rgba[i] - expected[static_cast<size_t>(i)]), 8)
                << x << ", " << y << ": " << +rgba[0] << "," << +rgba[1] << "," << +rgba[2];
    }
};

}  // namespace

TEST_F(SceneDraw, AHalfTransparentMeshBlendsOnEveryContextItIsDrawnOn)
{
    std::string glass = SquareMesh;
    glass.replace(glass.find("Opacity 100"), 11, "Opacity 50");
    TSceneMesh* mesh = AddMesh("Glass", glass);
    for (const bool rebuilt : {false, true}) {
        SCOPED_TRACE(rebuilt ? "the context made again" : "the first context");
        if (rebuilt) {  // as when full screen is entered or left
            context->DestroyRC();
            context->CreateRC(window.DC());
            StartView();
        }
        mesh->RenderAlpha();
        ASSERT_EQ(mesh->AlphaGroups.Count(), 1);
        ExpectPixel(Size / 2, Size / 2, {128, 128, 255});  // unlit white, half over the blue
        ExpectPixel(4, 4, {0, 0, 255});
    }
}

TEST_F(SceneDraw, ASpriteCutsItsKeyColourOutAndTakesItsColourAndAgainAfterATextureUpdate)
{
    // The left half is the key colour (black, the top-left pixel), the right half white.
    TDibImage picture;
    picture.Width = Size;
    picture.Height = Size;
    picture.BitCount = 24;
    picture.Allocate();
    for (int y = 0; y < Size; ++y)
        std::fill_n(picture.ScanLine(y) + Size / 2 * 3, Size / 2 * 3, uint8_t{255});
    const std::vector<uint8_t> file = WriteBmpFile(picture);
    resources.AddBitmap("HALF_BMP", std::string(file.begin() + 14, file.end()));

    auto* textures = Add(new TSceneTextureList, "Textures");
    auto* material = new TSceneMaterial;
    material->SetName("Flat");
    Add(new TSceneMaterialList, "Materials")->AddMaterial(material);
    material->AddGroup();
    auto* sprites = Add(new TMainSpriteList, "Sprites", poRender);
    sprites->ViewWidth = Size;
    sprites->ViewHeight = Size;
    sprites->Alpha = true;
    auto* sprite = new TSceneSprite;
    sprite->SetName("Half");
    sprite->Material = material;
    sprite->Texture = textures->AddSpriteTexture("half.bmp");
    sprite->Width = Size;
    sprite->Height = Size;
    sprite->Color = MakeColorRGBA(255, 255, 0, 255);
    sprites->Add(sprite);
    for (const bool updated : {false, true}) {
        SCOPED_TRACE(updated ? "after an update to mipmaps and 16-bit colour" : "as loaded");
        if (updated) {
            textures->MipMap = true;
            textures->ColorBit16 = true;
            textures->UpdateTextures();
            EXPECT_FALSE(sprite->Texture->GLTexture()->Uploaded());
            glClear(GL_COLOR_BUFFER_BIT);
        }
        scene->Render();
        ExpectPixel(Size / 4, Size / 2, {0, 0, 255});         // the key colour: the clear colour shows
        ExpectPixel(3 * Size / 4, Size / 2, {255, 255, 0});  // white times the sprite colour
    }
    GLint depth = 0;
    GLint cull = 0;
    glGetIntegerv(GL_DEPTH_TEST, &depth);
    glGetIntegerv(GL_CULL_FACE, &cull);
    EXPECT_EQ(depth + cull, 2) << "the sprites leave depth test and culling on";
}
