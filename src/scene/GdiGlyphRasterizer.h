// The Win32 glyph rasterizer: draws a font's glyphs with GDI into a 24-bit
// bitmap. The program installs one (SetSceneGlyphRasterizer) before the
// scene builds its fonts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scene/core/SceneFontRasterizer.h"

class TBitmap;

class TGdiGlyphRasterizer : public TGlyphRasterizer {
public:
    TGdiGlyphRasterizer();
    ~TGdiGlyphRasterizer() override;
    TGdiGlyphRasterizer(const TGdiGlyphRasterizer&) = delete;
    TGdiGlyphRasterizer& operator=(const TGdiGlyphRasterizer&) = delete;

    // A new black 24-bit bitmap; the canvas font is fontName in the
    // default character set, white, of the style and of height pixels.
    void Begin(int size, const std::string& fontName, TSceneFontStyles style, int height) override;
    // The canvas's text extent.
    TGlyphExtent Measure(const std::string& text) override;
    // The text is drawn without a background, so only the glyph's own
    // pixels change and neighbouring cells stay black.
    void Draw(int x, int y, const std::string& text) override;
    // Copies the rows out and frees the bitmap.
    std::vector<uint8_t> End() override;

private:
    TBitmap& Bitmap();

    std::unique_ptr<TBitmap> FBitmap;
};
