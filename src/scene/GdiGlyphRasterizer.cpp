#include "scene/GdiGlyphRasterizer.h"

#include <cstring>

#include "classlib/core/Exceptions.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "classlib/graphics/Colors.h"
#include "classlib/graphics/Font.h"

TGdiGlyphRasterizer::TGdiGlyphRasterizer() = default;

TGdiGlyphRasterizer::~TGdiGlyphRasterizer() = default;

TBitmap& TGdiGlyphRasterizer::Bitmap()
{
    if (!FBitmap)
        throw Exception("TGdiGlyphRasterizer error: no picture was begun!");
    return *FBitmap;
}

void TGdiGlyphRasterizer::Begin(int size, const std::string& fontName, TSceneFontStyles style, int height)
{
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->SetPixelFormat(pf24bit);
    FBitmap->SetSize(size, size);
    TCanvas& canvas = *FBitmap->Canvas();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBlack);
    canvas.FillRect(RECT{0, 0, size, size});
    canvas.Brush()->SetStyle(bsClear);

    TFontStyles fontStyle = 0;
    if (style & sfsBold)
        fontStyle |= fsBold;
    if (style & sfsItalic)
        fontStyle |= fsItalic;
    if (style & sfsUnderline)
        fontStyle |= fsUnderline;
    if (style & sfsStrikeOut)
        fontStyle |= fsStrikeOut;
    TFont& font = *canvas.Font();
    font.SetName(fontName);
    font.SetStyle(fontStyle);
    font.SetCharset(DEFAULT_CHARSET);
    font.SetColor(clWhite);
    font.SetHeight(height);
}

TGlyphExtent TGdiGlyphRasterizer::Measure(const std::string& text)
{
    const SIZE extent = Bitmap().Canvas()->TextExtent(text);
    return {static_cast<int>(extent.cx), static_cast<int>(extent.cy)};
}

void TGdiGlyphRasterizer::Draw(int x, int y, const std::string& text)
{
    Bitmap().Canvas()->TextOut(x, y, text);
}

std::vector<uint8_t> TGdiGlyphRasterizer::End()
{
    TBitmap& bitmap = Bitmap();
    const int size = bitmap.Width();
    const size_t rowBytes = static_cast<size_t>(size) * 3;
    std::vector<uint8_t> picture(rowBytes * size);
    for (int row = 0; row < size; ++row)
        std::memcpy(&picture[row * rowBytes], bitmap.ScanLine(row), rowBytes);
    FBitmap.reset();
    return picture;
}
