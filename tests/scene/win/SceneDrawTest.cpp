// Scenes drawn on a real context under Wine and read back from the frame
// buffer: meshes and sprites of small scenes of our own; the program's fish
// and bubble meshes read from Corvalen.scr; and end to end, a scene of our
// own (SceneEndToEnd.rc: a description, a text mesh and its picture) loaded
// through the program's resources and drawn frame by frame by a host that
// does what the program's OpenGL application does - saved to files and
// loaded again, it draws the very same frame. The glyph rasterizer on GDI
// besides.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "SceneHost.h"
#include "../../support/ProgramPath.h"
#include "../../support/TempFolder.h"
#include "classlib/core/Exceptions.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"
#include "gl/core/GLTexture.h"
#include "scene/GdiGlyphRasterizer.h"
#include "scene/SceneTextureResources.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneFont.h"
#include "scene/core/SceneLayer.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMesh.h"
#include "scene/core/SceneSprite.h"
#include "scene/core/SceneTexture.h"
#include "../core/SceneTestObjects.h"

namespace {

using TPixel = std::array<int, 3>;
using testsupport::TFrame;

TPixel Pixel(int x, int y)
{
    GLubyte rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

void ExpectPixel(int x, int y, const TPixel& expected, int tolerance = 8)
{
    const TPixel actual = Pixel(x, y);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_LE(std::abs(actual[i] - expected[i]), tolerance)
            << x << ", " << y << ": " << actual[0] << "," << actual[1] << "," << actual[2];
}

// A scene on the program's host (SceneHost.h); what is added reads from
// the program's resources.
class RealScene : public ::testing::Test {
protected:
    RealScene(int width, int height) : host(width, height, 0) {}
    void SetUp() override { ASSERT_TRUE(host.Active()); }

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

    testsupport::TSceneHost host;
    TMainScene* scene = host.Scene.get();
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
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
        glClearColor(0.1f, 0.3f, 0.6f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override
    {
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
            host.MakeContextAgain();
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

namespace {

constexpr int HostSize = 128;
const TPixel Background{32, 48, 96};  // the window's colour, which the viewport clears to

TPixel PixelAt(const TFrame& frame, int x, int y)
{
    const GLubyte* p = &frame[(static_cast<size_t>(y) * HostSize + x) * 4];
    return {p[0], p[1], p[2]};
}

// The program's host around the scene (SceneHost.h), 128 pixels square.
class TSceneHost : public testsupport::TSceneHost {
public:
    TSceneHost() : testsupport::TSceneHost(HostSize, HostSize, 0x00603020) {}

    void Load(const std::string& name, TSourceLocations location = slResource)
    {
        ASSERT_TRUE(Active());
        testsupport::TSceneHost::Load(name, location);
    }

    // Three frames, the last one read back.
    TFrame DrawFrames()
    {
        for (int i = 0; i < 3; ++i)
            DrawFrame(0.02f);
        return ReadFrame();
    }

    const TSceneFont& Font() const { return dynamic_cast<TSceneFont&>(*Scene->FindObject("Font")); }
};

class SceneEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSceneResources(&Resources);
        SetSceneGlyphRasterizer(&Rasterizer);
    }
    void TearDown() override
    {
        SetSceneGlyphRasterizer(nullptr);
        SetSceneResources(nullptr);
    }

    // The tile: a 200-unit square 400 units in front of the camera, 41.7
    // pixels wide, centred at (47.3, 55.7). Turned a quarter anticlockwise,
    // its picture's red quarter lies bottom left, green top left, white top
    // right, blue bottom right; the scene's white material (not the mesh
    // file's dark grey one) under the light's (1, 1, 0.5) halves the blue.
    static void ExpectTile()
    {
        ExpectPixel(37, 45, {255, 0, 0}, 16);
        ExpectPixel(37, 66, {0, 255, 0}, 16);
        ExpectPixel(58, 66, {255, 255, 128}, 16);
        ExpectPixel(58, 45, {0, 0, 128}, 16);
        for (const auto& [x, y] : {std::pair{22, 56}, {73, 56}, {47, 30}, {47, 81}})  // beyond the tile's edges
            ExpectPixel(x, y, Background, 16);
    }

    // The caption "OK" in cyan, its first glyph's bottom left at (8, 100),
    // its cells 16 pixels high: every pixel of its colour lies in its box.
    static void ExpectCaption(const TFrame& frame, const TSceneFont& font)
    {
        const int right = 8 + font.Glyphs('O').Width + font.Glyphs('K').Width;
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < HostSize; ++y)
            for (int x = 0; x < HostSize; ++x) {
                const TPixel p = PixelAt(frame, x, y);
                if (p[0] < 64 && p[1] > 128 && p[2] > 128)
                    ++(x >= 8 && x <= right && y >= 100 && y < 116 ? inside : outside);
            }
        EXPECT_GT(inside, 40);
        EXPECT_EQ(outside, 0);
    }

    TRCDataBitmapResourceProvider Resources;
    TGdiGlyphRasterizer Rasterizer;
};

}  // namespace

TEST_F(SceneEndToEnd, TheDescriptionLoadsFromTheResourcesAndDrawsALitTexturedTileAndACaption)
{
    TSceneHost host;
    ASSERT_NO_FATAL_FAILURE(host.Load("SceneEndToEnd.gsc"));
    EXPECT_EQ(host.Scene->RenderList()->Count(), 3);  // the light, the tile, the caption
    const TFrame frame = host.DrawFrames();
    ExpectTile();
    ExpectCaption(frame, host.Font());
    // The program's resources are found in any case, and a missing one is named.
    EXPECT_EQ(Resources.ReadResource("sceneendtoend_3DM"), Resources.ReadResource("SCENEENDTOEND_3DM"));
    EXPECT_EQ(testsupport::MessageOf<EResNotFound>([this] { Resources.ReadResource("NOSUCH_GSC"); }),
              "Resource NOSUCH_GSC not found");
}

TEST_F(SceneEndToEnd, ASavedSceneLoadsFromItsFilesAndDrawsTheSameFrameGlyphsIncluded)
{
    // A scratch folder, the current directory while it lives: relative names are relative to it.
    const testsupport::TTempFolder folder;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    for (const auto& [file, resource] : {std::pair{"SceneEndToEnd.3dm", "SceneEndToEnd_3dm"},
                                         std::pair{"EndToEndTile.jpg", "EndToEndTile_jpg"}})
        folder.Write(file, Resources.ReadResource(resource));
    TFrame original;
    int originalGlyphs = 0;
    {
        TSceneHost host;
        ASSERT_NO_FATAL_FAILURE(host.Load("SceneEndToEnd.gsc"));
        original = host.DrawFrames();
        originalGlyphs = host.Font().EnabledCount();
        host.Scene->SourceLocation = slFile;
        host.Scene->SourceName = "SceneEndToEnd.gsc";
        host.Scene->Save();
    }
    {
        TSceneHost host;
        ASSERT_NO_FATAL_FAILURE(host.Load("SceneEndToEnd.gsc", slFile));
        const TFrame reloaded = host.DrawFrames();
        ExpectTile();
        EXPECT_EQ(host.Font().EnabledCount(), originalGlyphs);
        EXPECT_TRUE(reloaded == original);
    }
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
}

// Glyphs are measured and drawn only between Begin and End, white on black
// without painting their boxes (the end-to-end caption proves the glyphs).
TEST(GdiGlyphRasterizer, MeasuresAndDrawsOnlyBetweenBeginAndEndAndPaintsNoBackground)
{
    TGdiGlyphRasterizer rasterizer;
    EXPECT_THROW(rasterizer.Measure("W"), Exception);
    rasterizer.Begin(64, "Arial", sfsBold, 32);
    const TGlyphExtent dot = rasterizer.Measure(".");
    EXPECT_LT(dot.Width, rasterizer.Measure("W").Width);
    rasterizer.Draw(40, 0, ".");
    const std::vector<uint8_t> picture = rasterizer.End();
    ASSERT_EQ(picture.size(), 64u * 64 * 3);
    int painted = 0;  // the period's box above the dot
    for (int y = 0; y < dot.Height / 2; ++y)
        for (int x = 40; x < 40 + dot.Width; ++x) {
            const uint8_t* p = &picture[(static_cast<size_t>(y) * 64 + x) * 3];
            painted += p[0] + p[1] + p[2] != 0 ? 1 : 0;
        }
    EXPECT_EQ(painted, 0);
    EXPECT_THROW(rasterizer.End(), Exception);
}
