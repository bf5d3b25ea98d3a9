// Scene fonts drawn from a real system font through GDI, and a text drawn
// with one on a real context.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../../gl/win/GLTestWindow.h"
#include "classlib/core/Exceptions.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "scene/GdiGlyphRasterizer.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneFont.h"
#include "scene/core/SceneRenderState.h"
#include "scene/core/SceneText.h"

namespace {

int Brightness(const std::vector<uint8_t>& picture, int size, int x, int y)
{
    const uint8_t* p = &picture[(static_cast<size_t>(y) * size + x) * 3];
    return p[0] + p[1] + p[2];
}

// A font of a scene on a recorded context, drawn with GDI.
struct GdiFont : ::testing::Test {
    GLRecorder Recorder;
    TCustomOpenGL GL{std::make_unique<TGLStubPlatform>()};
    TGdiGlyphRasterizer Rasterizer;
    TMainScene Scene;
    TSceneFont* Font = nullptr;

    void SetUp() override
    {
        SetSceneGlyphRasterizer(&Rasterizer);
        Scene.GL = &GL;
        Font = new TSceneFont;
        Font->SetName("Font");
        Scene.AddObject(Font, 0);
    }
    void TearDown() override { SetSceneGlyphRasterizer(nullptr); }

    // Every texel of the cell of code: counts of glyph texels (colour not
    // black), and checks that alpha follows the colour.
    int GlyphTexels(uint8_t code) const
    {
        const TSceneGlyph& glyph = Font->Glyphs(code);
        const int perRow = Font->CellsPerRow();
        const int cell = Font->FontCellSize;
        const int x0 = glyph.Cell % perRow * cell;
        const int top = Font->TextureSize - 1 - glyph.Cell / perRow * cell;
        int count = 0;
        for (int row = top; row > top - cell; --row)
            for (int x = x0; x < x0 + cell; ++x) {
                const uint8_t* p = Font->GLTexture()->GetScanLine(row) + x * 4;
                const bool drawn = (p[0] | p[1] | p[2]) != 0;
                EXPECT_EQ(p[3], drawn ? 255 : Font->AlphaBackground) << "texel " << x << ", " << row;
                count += drawn ? 1 : 0;
            }
        return count;
    }
};

}  // namespace

TEST(GdiGlyphRasterizer, MeasuresAndDrawsWhiteGlyphsOnBlack)
{
    TGdiGlyphRasterizer rasterizer;
    EXPECT_THROW(rasterizer.Measure("W"), Exception);
    rasterizer.Begin(64, "Arial", sfsBold, 32);
    const TGlyphExtent w = rasterizer.Measure("W");
    const TGlyphExtent dot = rasterizer.Measure(".");
    EXPECT_GT(w.Width, 20);
    EXPECT_LT(w.Width, 40);
    EXPECT_GE(w.Height, 28);
    EXPECT_LE(w.Height, 40);
    EXPECT_LT(dot.Width, w.Width);
    rasterizer.Draw(0, 0, "W");
    rasterizer.Draw(40, 0, ".");
    const std::vector<uint8_t> picture = rasterizer.End();
    ASSERT_EQ(picture.size(), 64u * 64 * 3);

    int white = 0;
    for (int y = 0; y < w.Height; ++y)
        for (int x = 0; x < w.Width; ++x)
            white += Brightness(picture, 64, x, y) == 3 * 255 ? 1 : 0;
    EXPECT_GT(white, 40);
    // The period's box above the dot stays black: no background is painted.
    for (int y = 0; y < dot.Height / 2; ++y)
        for (int x = 40; x < 40 + dot.Width; ++x)
            EXPECT_EQ(Brightness(picture, 64, x, y), 0) << x << ", " << y;
    // Below the text, nothing.
    for (int x = 0; x < 64; ++x)
        EXPECT_EQ(Brightness(picture, 64, x, 63), 0);
    EXPECT_THROW(rasterizer.End(), Exception);  // ended
}

TEST_F(GdiFont, GlyphTexelsAreOpaqueAndTheRestTakesTheBackgroundAlpha)
{
    Font->DisableAll();
    Font->EnableString("A:");
    Font->AlphaBackground = 3;
    Font->Build();
    EXPECT_GT(Font->WideWidth, 8);
    EXPECT_LE(Font->WideWidth, 16);
    EXPECT_GT(Font->Glyphs('A').Width, 4);
    EXPECT_GT(GlyphTexels('A'), 15);
    EXPECT_GT(GlyphTexels(':'), 2);
    EXPECT_LT(GlyphTexels(':'), GlyphTexels('A'));
    // Cell 2 onwards is empty.
    const uint8_t* empty = Font->GLTexture()->GetScanLine(255) + 40 * 4;
    EXPECT_EQ(empty[3], 3);
}

TEST_F(GdiFont, ASoftenedFontIsDrawnLargeAndAveragedDown)
{
    Font->DisableAll();
    Font->EnableChar('A');
    Font->FontOptions = foBuildFromFont | foSoften;
    Font->Build();
    EXPECT_EQ(Font->GLTexture()->Width(), 256);
    EXPECT_GT(Font->Glyphs('A').Width, 4);
    EXPECT_LE(Font->Glyphs('A').Height, 16);
    EXPECT_GT(GlyphTexels('A'), 15);
    // Averaging leaves grey edges: some texels are neither black nor white.
    int grey = 0;
    for (int row = 240; row < 256; ++row)
        for (int x = 0; x < 16; ++x) {
            const uint8_t* p = Font->GLTexture()->GetScanLine(row) + x * 4;
            grey += (p[0] > 0 && p[0] < 255) ? 1 : 0;
        }
    EXPECT_GT(grey, 0);
}

TEST(SceneFontDraw, AStringIsDrawnWhereItsPositionSaysOnARealContext)
{
    constexpr int Size = 128;
    TestWindow window(Size, Size);
    std::unique_ptr<TCustomOpenGL> context = NewContext();
    TGdiGlyphRasterizer rasterizer;
    SetSceneGlyphRasterizer(&rasterizer);
    {
        TMainScene scene;
        context->CreateRC(window.DC());
        ASSERT_TRUE(context->Active());
        scene.GL = context.get();
        scene.ViewWidth = Size;
        scene.ViewHeight = Size;
        auto* font = new TSceneFont;
        font->SetName("Font");
        font->FontCellSize = 32;
        scene.AddObject(font, 0);
        auto* text = new TSceneString;
        text->SetName("Text");
        text->Font = font;
        text->Text = "WW";
        text->Color = MakeColorRGBA(0, 255, 0, 255);
        text->SetPosition(64, 16);
        scene.AddObject(text, poRender);

        glViewport(0, 0, Size, Size);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.Render();
        glFlush();

        std::vector<GLubyte> pixels(Size * Size * 4);
        glReadPixels(0, 0, Size, Size, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int inside = 0, outside = 0, red = 0;
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x) {
                const GLubyte* p = &pixels[(y * Size + x) * 4];
                const bool lit = p[1] > 128;
                const bool inBox = x >= 64 && x < 64 + 2 * font->WideWidth && y >= 16 && y < 16 + 32;
                (inBox ? inside : outside) += lit ? 1 : 0;
                red += p[0] > 32 ? 1 : 0;
            }
        EXPECT_GT(inside, 60);
        EXPECT_EQ(outside, 0);
        EXPECT_EQ(red, 0);  // drawn in the text's colour
        SetAlphaBlend(false);
        ResetTextureCache();
        font->Release();
        context->DestroyRC();
    }
    SetSceneGlyphRasterizer(nullptr);
}
