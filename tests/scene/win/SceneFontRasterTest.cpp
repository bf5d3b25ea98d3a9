// Scene fonts drawn from a real system font through GDI (the end-to-end scene draws a caption with one).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "gl/core/CustomOpenGL.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "scene/GdiGlyphRasterizer.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneFont.h"

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

TEST(GdiFont, GlyphTexelsAreOpaqueAndTheRestTakesTheBackgroundAlpha)
{
    GLRecorder recorder;
    TCustomOpenGL gl{std::make_unique<TGLStubPlatform>()};
    TGdiGlyphRasterizer rasterizer;
    SetSceneGlyphRasterizer(&rasterizer);
    TMainScene scene;
    scene.GL = &gl;
    auto* font = new TSceneFont;
    font->SetName("Font");
    scene.AddObject(font, 0);
    font->DisableAll();
    font->EnableString("A:");
    font->AlphaBackground = 3;
    font->Build();
    // Every texel of a glyph's cell: alpha follows the colour; the count of glyph texels.
    const auto texels = [&](uint8_t code) {
        const int cell = font->FontCellSize;
        const int x0 = font->Glyphs(code).Cell % font->CellsPerRow() * cell;
        const int top = font->TextureSize - 1 - font->Glyphs(code).Cell / font->CellsPerRow() * cell;
        int count = 0;
        for (int row = top; row > top - cell; --row)
            for (int x = x0; x < x0 + cell; ++x) {
                const uint8_t* p = font->GLTexture()->GetScanLine(row) + x * 4;
                const bool drawn = (p[0] | p[1] | p[2]) != 0;
                EXPECT_EQ(p[3], drawn ? 255 : font->AlphaBackground) << "texel " << x << ", " << row;
                count += drawn ? 1 : 0;
            }
        return count;
    };
    EXPECT_GT(texels('A'), 15);
    EXPECT_LT(texels(':'), texels('A'));
    SetSceneGlyphRasterizer(nullptr);
}
