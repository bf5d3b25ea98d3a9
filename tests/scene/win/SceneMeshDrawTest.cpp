// Meshes and sprites drawn on a real context under Wine and read back from
// the frame buffer: small scenes of our own, and the program's fish and
// bubble meshes read from Corvalen.scr. (The end-to-end scene proves a lit,
// textured mesh from a JPEG resource.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "../../gl/win/GLTestWindow.h"
#include "../../support/ProgramPath.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"
#include "gl/core/GLTexture.h"
#include "scene/SceneTextureResources.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLayer.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMesh.h"
#include "scene/core/SceneSprite.h"
#include "scene/core/SceneTexture.h"
#include "../core/SceneTestObjects.h"

namespace {

using TPixel = std::array<int, 3>;

TPixel Pixel(int x, int y)
{
    GLubyte rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

// A scene on a window with a current context; what is added reads from the
// program's resources.
class RealScene : public ::testing::Test {
protected:
    RealScene(int width, int height) : window(width, height) {}
    void SetUp() override
    {
        context->CreateRC(window.DC());
        ASSERT_TRUE(context->Active());
        scene->GL = context.get();
    }
    void TearDown() override
    {
        scene.reset();
        ResetRenderState();
    }

    template <class T>
    T* Add(T* object, const std::string& name, int options = 0)
    {
        object->SetName(name);
        object->SourceLocation = slResource;
        scene->AddObject(object, options);
        return object;
    }

    // The mesh of "<name>.3dm" in a mesh list (made with its material and
    // texture lists on first use).
    TSceneMesh* Mesh(const std::string& name)
    {
        if (meshes == nullptr) {
            meshes = Add(new TSceneMeshList, "Meshes");
            meshes->Materials = Add(new TSceneMaterialList, "Materials");
            meshes->Textures = Add(new TSceneTextureList, "Textures");
        }
        auto* mesh = new TSceneMesh;
        mesh->SetName(name);
        mesh->SetSourceName(name + ".3dm");
        meshes->Add(mesh);
        return mesh;
    }

    TestWindow window;
    std::unique_ptr<TCustomOpenGL> context = NewContext();
    std::unique_ptr<TMainScene> scene = std::make_unique<TMainScene>();
    TSceneMeshList* meshes = nullptr;
};

constexpr int Size = 64;

// A square of half the view facing +z, red.
const std::string SquareMesh =
    "#MaterialStandard 7\nName Red\nOpacity 100\nAmbient (color 0 0 0)\nDiffuse (color 255 0 0)\n"
    "Specular (color 0 0 0)\nSpecularLevel 100\nGlossiness 10\n#Object 1\nName Square\n#Material 1\nName Red\n"
    "#Vertices 4\n[-0.5,-0.5,0]\n[0.5,-0.5,0]\n[0.5,0.5,0]\n[-0.5,0.5,0]\n#VertexFaces 2\n[1,2,3]\n[1,3,4]\n"
    "#FaceMatID 2\n1\n1\n";

// A Size x Size view, -1..1 across, cleared to blue; resources from strings.
struct SceneDraw : RealScene {
    SceneDraw() : RealScene(Size, Size) {}
    void SetUp() override
    {
        RealScene::SetUp();
        StartView();
    }
    static void StartView()
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
    static void ExpectPixel(int x, int y, const TPixel& expected)
    {
        const TPixel actual = Pixel(x, y);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_LE(std::abs(actual[i] - expected[i]), 8)
                << x << ", " << y << ": " << actual[0] << "," << actual[1] << "," << actual[2];
    }

    TStringResources resources;
};

const char* const Fish[] = {"bluetang", "yellowtang", "copperbandedbutterfly", "angelfish", "neontetra", "discus"};

// The program's resources as the scene's, a window cleared to a blue the
// fish do not show, a perspective view down -z and a white directional
// light from the viewer's upper left.
struct ProgramMeshes : RealScene {
    static constexpr int Width = 960;
    static constexpr int Height = 600;
    ProgramMeshes() : RealScene(Width, Height) {}

    void SetUp() override
    {
        RealScene::SetUp();
        program = LoadLibraryExA(testsupport::ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program, nullptr) << testsupport::ProgramPath();
        resources = std::make_unique<TRCDataBitmapResourceProvider>(program);
        SetSceneResources(resources.get());
        glViewport(0, 0, Width, Height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        const double top = 100 * std::tan(37.5 * 3.14159265358979 / 180);
        glFrustum(-top * Width / Height, top * Width / Height, -top, top, 100, 5000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        const GLfloat white[4] = {1, 1, 1, 1};
        const GLfloat ambient[4] = {0.35f, 0.35f, 0.4f, 1};
        const GLfloat direction[4] = {-0.3f, 0.6f, 1, 0};
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, white);
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
        glClearColor(0.1f, 0.3f, 0.6f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override
    {
        RealScene::TearDown();
        SetSceneResources(nullptr);
        if (program != nullptr)
            FreeLibrary(program);
    }

    // Both passes at a place, turned about y by yaw degrees.
    static void Draw(TSceneMesh& mesh, float x, float y, float z, float yaw)
    {
        glPushMatrix();
        glTranslatef(x, y, z);
        glRotatef(yaw, 0, 1, 0);
        mesh.RenderOpaque();
        mesh.RenderAlpha();
        glPopMatrix();
    }

    HMODULE program = nullptr;
    std::unique_ptr<TRCDataBitmapResourceProvider> resources;
};

}  // namespace

TEST_F(SceneDraw, AHalfTransparentMeshBlendsOnEveryContextItIsDrawnOn)
{
    std::string glass = SquareMesh;
    glass.replace(glass.find("Opacity 100"), 11, "Opacity 50");
    resources.Add("Glass_3DM", glass);
    TSceneMesh* mesh = Mesh("Glass");
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
    TDibImage picture = Blank(Size, Size, 24);
    for (int y = 0; y < Size; ++y)
        std::fill_n(picture.ScanLine(y) + Size / 2 * 3, Size / 2 * 3, uint8_t{255});
    resources.AddBitmap("HALF_BMP", PackedDib(picture));

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
        EXPECT_TRUE(sprite->Texture->GLTexture()->Uploaded());
        ExpectPixel(Size / 4, Size / 2, {0, 0, 255});         // the key colour: the clear colour shows
        ExpectPixel(3 * Size / 4, Size / 2, {255, 255, 0});  // white times the sprite colour
    }
    GLint depth = 0;
    GLint cull = 0;
    glGetIntegerv(GL_DEPTH_TEST, &depth);
    glGetIntegerv(GL_CULL_FACE, &cull);
    EXPECT_EQ(depth + cull, 2) << "the sprites leave depth test and culling on";
}

TEST_F(ProgramMeshes, EveryFishLoadsWithItsSwimCycleMaterialsAndTexturesAndDrawsFromBothSides)
{
    for (const std::string stem : Fish) {
        SCOPED_TRACE(stem);
        TSceneMesh* mesh = Mesh(stem);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Draw(*mesh, 0, 0, -400, 0);
        // An opaque body, translucent fins, one swim cycle of frames.
        ASSERT_EQ(mesh->OpaqueGroups.Count(), 1);
        ASSERT_EQ(mesh->AlphaGroups.Count(), 1);
        EXPECT_GE(mesh->OpaqueGroups.Items(0)->VertexFrames.Count(), 9);
        EXPECT_EQ(mesh->AlphaGroups.Items(0)->VertexFrames.Count(),
                  mesh->OpaqueGroups.Items(0)->VertexFrames.Count());
        ASSERT_NE(mesh->Material, nullptr);
        EXPECT_EQ(mesh->Material->GetGroupCount(), 2);
        for (const std::string& name : {stem + ".jpg", stem + "_alpha.jpg"}) {
            const TSceneTexture* texture = meshes->Textures->FindTexture(name);
            ASSERT_NE(texture, nullptr) << name;
            EXPECT_NE(texture->GLTexture(), nullptr) << name;  // made: its sides are powers of two
        }
        // From the side the body covers the middle of the view, from either
        // side and in mid-stroke; the corners keep the clear colour.
        const TPixel clear = Pixel(2, 2);
        for (const float yaw : {0.0f, 180.0f}) {
            mesh->SetFramePosition(yaw == 0 ? 0.0f : 4.5f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            Draw(*mesh, 0, 0, -400, yaw);
            const TPixel centre = Pixel(Width / 2, Height / 2);
            EXPECT_NE(centre, clear) << "yaw " << yaw;
            EXPECT_EQ(Pixel(2, 2), clear);
        }
    }
}

TEST_F(ProgramMeshes, TheBubbleIsDrawnInTheTransparentPassAndClearInItsMiddle)
{
    TSceneMesh* mesh = Mesh("bubble");
    // Near, in the middle of the view: the clear colour shows through its
    // middle, its rim is brighter. The bubble's radius is 10.
    const float distance = 110;
    Draw(*mesh, 0, 0, -distance, 0);
    EXPECT_EQ(mesh->OpaqueGroups.Count(), 0);
    ASSERT_EQ(mesh->AlphaGroups.Count(), 1);
    const TPixel clear = Pixel(2, 2);
    const TPixel middle = Pixel(Width / 2, Height / 2);
    const double radiusPixels = 10 / (distance * std::tan(37.5 * 3.14159265358979 / 180)) * Height / 2;
    const TPixel rim = Pixel(Width / 2 + static_cast<int>(0.75 * radiusPixels), Height / 2);
    EXPECT_LT(std::abs(middle[2] - clear[2]) + std::abs(middle[0] - clear[0]), 60);
    EXPECT_GT(rim[0] + rim[1] + rim[2], middle[0] + middle[1] + middle[2]);
}
