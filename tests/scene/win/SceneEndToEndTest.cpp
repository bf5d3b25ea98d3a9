// A small scene of our own (SceneEndToEnd.rc: a description, a text mesh and
// its picture) loaded through the program's resources and drawn frame by
// frame under Wine by a host that does what the program's OpenGL application
// does; the frames are read back. The scene saved to files and loaded again
// draws the very same frame. The glyph rasterizer on GDI besides.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "SceneHost.h"
#include "../../support/ExceptionMessage.h"
#include "../../support/TempFolder.h"
#include "classlib/core/Exceptions.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/DefViewport.h"
#include "gl/core/GLBinding.h"
#include "scene/GdiGlyphRasterizer.h"
#include "scene/SceneTextureResources.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneFont.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneRenderState.h"
#include "scene/core/SceneTexture.h"

namespace {

constexpr int Size = 128;
using TPixel = std::array<int, 3>;
using testsupport::TFrame;
const TPixel Background{32, 48, 96};  // the window's colour, which the viewport clears to

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
                                                 << actual[1] << ", " << actual[2] << ")";
    return ::testing::AssertionSuccess();
}

// The program's host around the scene (SceneHost.h), 128 pixels square.
class TSceneHost : public testsupport::TSceneHost {
public:
    TSceneHost() : testsupport::TSceneHost(Size, Size, 0x00603020) {}

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
    static void ExpectTile(const TFrame& frame)
    {
        EXPECT_TRUE(Near(frame, 37, 45, {255, 0, 0}));
        EXPECT_TRUE(Near(frame, 37, 66, {0, 255, 0}));
        EXPECT_TRUE(Near(frame, 58, 66, {255, 255, 128}));
        EXPECT_TRUE(Near(frame, 58, 45, {0, 0, 128}));
        for (const auto& [x, y] : {std::pair{22, 56}, {73, 56}, {47, 30}, {47, 81}})
            EXPECT_TRUE(Near(frame, x, y, Background)) << "beyond the tile's edges";
    }

    // The caption "OK" in cyan, its first glyph's bottom left at (8, 100),
    // its cells 16 pixels high: every pixel of its colour lies in its box.
    static void ExpectCaption(const TFrame& frame, const TSceneFont& font)
    {
        const int right = 8 + font.Glyphs('O').Width + font.Glyphs('K').Width;
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x) {
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
    ExpectTile(frame);
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
        ExpectTile(reloaded);
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
