// What a texture font needs of the platform to draw its glyphs: a square
// picture, black at the start, on which characters of a system font are
// measured and drawn in white, read back as 24-bit pixels.
//
// The font itself (cell layout, softening, alpha, display lists) is
// platform-free; the program installs the Win32 rasterizer
// (scene/GdiGlyphRasterizer.h) before a font is built, and tests install
// their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The style of a system font: a set of Bold, Italic, Underline and
// StrikeOut in one byte.
using TSceneFontStyles = uint8_t;
constexpr TSceneFontStyles sfsBold = 0x1;
constexpr TSceneFontStyles sfsItalic = 0x2;
constexpr TSceneFontStyles sfsUnderline = 0x4;
constexpr TSceneFontStyles sfsStrikeOut = 0x8;

struct TGlyphExtent {
    int Width = 0;
    int Height = 0;
};

class TGlyphRasterizer {
public:
    virtual ~TGlyphRasterizer() = default;

    // Starts a black picture of size x size pixels and chooses the font:
    // its name, style and character height in pixels (the cell height,
    // internal leading included), in the default character set.
    virtual void Begin(int size, const std::string& fontName, TSceneFontStyles style, int height) = 0;
    // The size that text takes in the font.
    virtual TGlyphExtent Measure(const std::string& text) = 0;
    // Draws text in white on the black picture, its top-left corner at
    // (x, y) (y downwards from the top).
    virtual void Draw(int x, int y, const std::string& text) = 0;
    // The picture, size * size pixels of 3 bytes in blue, green, red order,
    // the top row first; ends the drawing.
    virtual std::vector<uint8_t> End() = 0;
};

// The rasterizer fonts draw with; never null. Until one is installed it is
// one that raises Exception "TGlyphRasterizer error: no rasterizer is
// installed!" when a font begins to draw.
TGlyphRasterizer& SceneGlyphRasterizer();
// Installs rasterizer (not owned; it must outlive its use); null restores
// the one that raises.
void SetSceneGlyphRasterizer(TGlyphRasterizer* rasterizer);
