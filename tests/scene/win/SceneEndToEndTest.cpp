// A small scene of our own - a description, a text mesh and its picture,
// compiled into this program by SceneEndToEnd.rc - loaded through the
// program's resources and drawn frame by frame under Wine (Xvfb, Mesa
// llvmpipe) by a host that does what the program's OpenGL application does:
// a window with a context, the default viewport and camera, DoFrame. The
// frames are read back from the frame buffer; a scene saved to files and
// loaded from them again draws the very same frame.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "../../gl/win/GLTestWindow.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/DefViewport.h"
#include "gl/core/GLBinding.h"
#include "scene/GdiGlyphRasterizer.h"
#include "scene/SceneTextureResources.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneFont.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMesh.h"
#include "scene/core/SceneRegistry.h"
#include "scene/core/SceneRenderState.h"
#include "scene/core/SceneTexture.h"

namespace {

constexpr int Size = 128;
constexpr int Frames = 3;
constexpr float FrameTime = 0.02f;
// Where the fixture's caption stands, and its font's cell height.
constexpr int CaptionX = 8;
constexpr int CaptionY = 100;
constexpr int CellSize = 16;

// The window's colour (0x00BBGGRR), which the viewport clears every frame to.
constexpr uint32_t WindowColor = 0x00603020;

using TPixel = std::array<int, 3>;
const TPixel Background{32, 48, 96};

// Size x Size pixels of four bytes, red, green, blue, alpha, bottom row first.
using TFrame = std::vector<GLubyte>;

TPixel PixelAt(const TFrame& frame, int x, int y)
{
    const GLubyte* p = &frame[(static_cast<size_t>(y) * Size + x) * 4];
    return {p[0], p[1], p[2]};
}

::testing::AssertionResult Near(const TFrame& frame, int x, int y, const TPixel& expected)
{
    const TPixel actual = PixelAt(frame, x, y);
    for (size_t i = 0; i < 3; ++i)
        if (std::abs(actual[i] - expected[i]) > 16)
            return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is (" << actual[0] << ", "
                                                 << actual[1] << ", " << actual[2] << "), expected ("
                                                 << expected[0] << ", " << expected[1] << ", " << expected[2] << ")";
    return ::testing::AssertionSuccess();
}

// One scene and what the program's OpenGL application gives it: a Size x
// Size window with a current context, the default viewport (a 75 degree
// perspective, the camera at the origin looking down -z, the frame cleared
// to the window's colour) and the view size.
class TSceneHost : public IDefViewportOwner, public IViewWindow {
public:
    TSceneHost()
    {
        FContext->CreateRC(FWindow.DC());
        Scene = std::make_unique<TMainScene>();
        Scene->GL = FContext.get();
        Scene->Viewport = &FViewport;
        Scene->ViewWidth = Size;
        Scene->ViewHeight = Size;
    }
    // The scene's textures, lists and font go while their context is
    // current; the program-wide render-state caches forget them and are
    // left as a new context starts.
    ~TSceneHost()
    {
        Scene.reset();
        if (FContext->Active()) {
            SetAlphaBlend(false);
            ResetTextureCache();
            ResetMaterialCache();
            FContext->DestroyRC();
        }
    }
    TSceneHost(const TSceneHost&) = delete;
    TSceneHost& operator=(const TSceneHost&) = delete;

    bool Active() const { return FContext->Active(); }

    // Frames as the host's render event draws them - the viewport, lighting
    // on (the engine leaves it to the host and the aquarium's objects; a
    // text turns it off), DoFrame - then the last one read back.
    TFrame DrawFrames(int count)
    {
        for (int i = 0; i < count; ++i) {
            FViewport.Apply();
            FContext->SetLighting(true);
            Scene->DoFrame(FrameTime);
        }
        glFlush();
        TFrame frame(static_cast<size_t>(Size) * Size * 4);
        glReadPixels(0, 0, Size, Size, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
        return frame;
    }

    IViewWindow* ViewWindow() override { return this; }
    TCustomOpenGL* ViewContext() override { return FContext.get(); }
    int ViewWidth() override { return Size; }
    int ViewHeight() override { return Size; }
    uint32_t ViewColorRGB() override { return WindowColor; }

    std::unique_ptr<TMainScene> Scene;

private:
    TestWindow FWindow{Size, Size};
    std::unique_ptr<TCustomOpenGL> FContext = NewContext();
    TDefViewport FViewport{this};
};

// A fresh folder under the temporary folder, the current directory while it
// lives (relative file names of a description are relative to it); removed
// with its files afterwards.
class TScratchFolder {
public:
    TScratchFolder()
        : FPath(std::filesystem::temp_directory_path() /
                ("SceneEndToEnd" + std::to_string(GetCurrentProcessId()))),
          FPrevious(std::filesystem::current_path())
    {
        std::filesystem::remove_all(FPath);
        std::filesystem::create_directories(FPath);
        std::filesystem::current_path(FPath);
    }
    ~TScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(FPrevious, ignored);
        std::filesystem::remove_all(FPath, ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

private:
    std::filesystem::path FPath;
    std::filesystem::path FPrevious;
};

void WriteFile(const std::string& name, const std::string& bytes)
{
    std::ofstream file(name, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << name;
}

// The scene's resources are the program's; its font is drawn with GDI.
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

    // Loads the description sourceName from the program's resources into
    // the host's scene.
    static void LoadFromResources(TSceneHost& host, const std::string& sourceName, bool scrambled)
    {
        ASSERT_TRUE(host.Active());
        host.Scene->SourceLocation = slResource;
        host.Scene->SourceName = sourceName;
        host.Scene->Scrambled = scrambled;
        host.Scene->Load();
    }

    // The tile of the fixture scene: a 200-unit square at (-80, -40), 400
    // units in front of the camera. There a unit is 64 / (400 tan 37.5
    // degrees) = 0.2085 pixels, so the tile is 41.7 pixels wide, centred at
    // (47.3, 55.7), its quarters' centres 10.4 pixels from its centre.
    // Turned a quarter anticlockwise, the picture's red top-left quarter
    // lies bottom left, green top left, white top right and blue bottom
    // right. Its material is the scene's white one (the mesh file's own of
    // that name is dark grey), so the light's diffuse colour (1, 1, 0.5)
    // shows the picture at full strength with the blue halved.
    static void ExpectTile(const TFrame& frame)
    {
        EXPECT_TRUE(Near(frame, 37, 45, {255, 0, 0}));
        EXPECT_TRUE(Near(frame, 37, 66, {0, 255, 0}));
        EXPECT_TRUE(Near(frame, 58, 66, {255, 255, 128}));
        EXPECT_TRUE(Near(frame, 58, 45, {0, 0, 128}));
        // Just beyond each edge of the tile, and far from it.
        EXPECT_TRUE(Near(frame, 22, 56, Background));
        EXPECT_TRUE(Near(frame, 73, 56, Background));
        EXPECT_TRUE(Near(frame, 47, 30, Background));
        EXPECT_TRUE(Near(frame, 47, 81, Background));
        EXPECT_TRUE(Near(frame, 2, 2, Background));
        EXPECT_TRUE(Near(frame, 125, 60, Background));
    }

    // The caption "OK" in cyan, its first glyph's bottom-left corner at
    // (CaptionX, CaptionY) in the view's pixels: every pixel of its colour
    // lies in its box.
    static void ExpectCaption(const TFrame& frame, const TSceneFont& font)
    {
        const int right = CaptionX + font.Glyphs('O').Width + font.Glyphs('K').Width;
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x) {
                const TPixel p = PixelAt(frame, x, y);
                if (p[0] < 64 && p[1] > 128 && p[2] > 128)
                    ++(x >= CaptionX && x <= right && y >= CaptionY && y < CaptionY + CellSize ? inside : outside);
            }
        EXPECT_GT(inside, 40);
        EXPECT_EQ(outside, 0);
    }

    static const TSceneFont& FontOf(const TSceneHost& host)
    {
        auto* font = dynamic_cast<TSceneFont*>(host.Scene->FindObject("Font"));
        if (font == nullptr)
            throw std::runtime_error("the scene has no font");
        return *font;
    }

    // The pixels in which two frames differ.
    static int Differences(const TFrame& a, const TFrame& b)
    {
        int count = 0;
        for (size_t i = 0; i < a.size(); i += 4)
            count += (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ? 1 : 0;
        return count;
    }

    TRCDataBitmapResourceProvider Resources;
    TGdiGlyphRasterizer Rasterizer;
};

}  // namespace

TEST_F(SceneEndToEnd, TheDescriptionLoadsFromTheResourcesAndDrawsALitTexturedTileAndACaption)
{
    TSceneHost host;
    ASSERT_NO_FATAL_FAILURE(LoadFromResources(host, "SceneEndToEnd.gsc", false));
    TMainScene& scene = *host.Scene;
    EXPECT_EQ(scene.GetCount(), 7);
    EXPECT_EQ(scene.RenderList()->Count(), 3);  // the light, the tile, the caption
    EXPECT_EQ(scene.AnimationList()->Count(), 1);

    const TFrame frame = host.DrawFrames(Frames);
    ExpectTile(frame);
    ExpectCaption(frame, FontOf(host));

    // The mesh was built from its file on the first frame and took the
    // scene's material and texture of the names the file gives, adding none.
    auto* mesh = dynamic_cast<TSceneMesh*>(StrToReference(&scene, "Meshes/Tile"));
    auto* materials = dynamic_cast<TSceneMaterialList*>(scene.FindObject("Materials"));
    auto* textures = dynamic_cast<TSceneTextureList*>(scene.FindObject("Textures"));
    ASSERT_NE(mesh, nullptr);
    ASSERT_NE(materials, nullptr);
    ASSERT_NE(textures, nullptr);
    EXPECT_TRUE(mesh->Built);
    ASSERT_EQ(mesh->OpaqueGroups.Count(), 1);
    EXPECT_EQ(mesh->AlphaGroups.Count(), 0);
    EXPECT_EQ(materials->Count(), 1);
    EXPECT_EQ(textures->Count(), 1);
    const TSceneMaterial* material = materials->FindMaterial("Tile");
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->GetGroupCount(), 1);
    EXPECT_EQ(mesh->OpaqueGroups.Items(0)->GroupMaterial, material->GetGroup(0));
    EXPECT_EQ(mesh->OpaqueGroups.Items(0)->Texture, textures->FindTexture("EndToEndTile.jpg"));
}

TEST_F(SceneEndToEnd, TheScrambledDescriptionDrawsTheSameFrame)
{
    TFrame plain;
    {
        TSceneHost host;
        ASSERT_NO_FATAL_FAILURE(LoadFromResources(host, "SceneEndToEnd.gsc", false));
        plain = host.DrawFrames(Frames);
    }
    TSceneHost host;
    ASSERT_NO_FATAL_FAILURE(LoadFromResources(host, "ScrambledEndToEnd.gsc", true));
    const TFrame scrambled = host.DrawFrames(Frames);
    ExpectCaption(scrambled, FontOf(host));
    EXPECT_EQ(Differences(plain, scrambled), 0);
}

// The fixture drawn from the resources is saved as SceneEndToEnd.gsc into a
// scratch folder, beside its mesh and picture as files, then loaded from
// that folder by a new host and drawn again.
TEST_F(SceneEndToEnd, ASavedSceneLoadsFromItsFilesAndDrawsTheSameFrameGlyphsIncluded)
{
    const TScratchFolder folder;
    ASSERT_NO_FATAL_FAILURE(WriteFile("SceneEndToEnd.3dm", Resources.ReadResource("SceneEndToEnd_3dm")));
    ASSERT_NO_FATAL_FAILURE(WriteFile("EndToEndTile.jpg", Resources.ReadResource("EndToEndTile_jpg")));
    TFrame original;
    int originalGlyphs = 0;
    {
        TSceneHost host;
        ASSERT_NO_FATAL_FAILURE(LoadFromResources(host, "SceneEndToEnd.gsc", false));
        original = host.DrawFrames(Frames);
        originalGlyphs = FontOf(host).EnabledCount();
        host.Scene->SourceLocation = slFile;
        host.Scene->SourceName = "SceneEndToEnd.gsc";
        host.Scene->Save();
    }
    ASSERT_TRUE(std::filesystem::exists("SceneEndToEnd.gsc"));

    TSceneHost host;
    ASSERT_TRUE(host.Active());
    host.Scene->SourceName = "SceneEndToEnd.gsc";
    host.Scene->Load();
    EXPECT_EQ(host.Scene->GetCount(), 7);
    const TFrame reloaded = host.DrawFrames(Frames);
    ExpectTile(reloaded);
    EXPECT_EQ(FontOf(host).EnabledCount(), originalGlyphs);
    EXPECT_EQ(Differences(original, reloaded), 0);
}
