// A drawing surface over a device context, with the font, brush and pen it
// draws with: lines, rectangles, ellipses, text, single pixels and copies
// between canvases and from bitmaps.
//
// The canvas does not own its device context; whoever gives it one (a
// bitmap, a control while it paints) keeps it alive while the canvas uses
// it. Drawing on a canvas without a context raises EInvalidGraphicOperation
// "Canvas does not allow drawing".
//
// The font, brush and pen are selected into the context for each operation
// only, and the context's own objects, text colour and background mode are
// put back before the operation returns: the context is left as it was
// given, so its owner may delete it, or select other objects into it,
// whenever it likes. Raw GDI calls on Handle() therefore see the context's
// own objects, not the canvas's. The GDI objects of the font, brush and pen
// are made on first use, kept while their properties stay the same, and
// deleted when they change or their owner goes.
//
// Text is drawn in Font's colour; its background is filled with the brush
// colour while Brush->Style is bsSolid and left alone for bsClear.
// Rectangles and ellipses are outlined with the pen and filled with the
// brush (not filled for bsClear).
#pragma once

#include <windows.h>

#include <string>

// <windows.h> makes TextOut and DrawText macros for TextOutA and DrawTextA,
// which would rename the canvas's methods; the program calls the Win32
// functions by their A names.
#ifdef TextOut
#undef TextOut
#endif
#ifdef DrawText
#undef DrawText
#endif

#include "classlib/core/Components.h"
#include "classlib/graphics/Font.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/graphics/Graphics.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear };

// What FillRect, FrameRect and the insides of shapes are painted with.
class TBrush : public TPersistent {
public:
    std::string ClassName() const override { return "TBrush"; }

    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; }
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style) { FStyle = style; }

    // Copies colour and style from another TBrush.
    void Assign(TPersistent* source) override;

    // The GDI brush: a solid brush of the colour (made again when the colour
    // resolves to another RGB value), the stock hollow brush for bsClear.
    // Raises EOutOfResources "Out of system resources" when GDI refuses.
    HBRUSH Handle();

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TGdiObject FHandle;
    COLORREF FHandleColor = 0;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// What lines and the outlines of shapes are drawn with. A width below 1
// draws 1 pixel wide.
class TPen : public TPersistent {
public:
    std::string ClassName() const override { return "TPen"; }

    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; }
    int Width() const { return FWidth; }
    void SetWidth(int width) { FWidth = width; }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style) { FStyle = style; }

    // Copies colour, width and style from another TPen.
    void Assign(TPersistent* source) override;

    // The GDI pen, made again when a property (or the colour's RGB value)
    // changed since the last one. Raises EOutOfResources when GDI refuses.
    HPEN Handle();

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TGdiObject FHandle;
    COLORREF FHandleColor = 0;
    int FHandleWidth = 0;
    TPenStyle FHandleStyle = psSolid;
};

class TCanvas;

// One-pixel bevels drawn `width` times inside `rect`: topColor on the top
// and left edges, bottomColor on the bottom and right; rect shrinks by one
// pixel on each side per bevel.
void Frame3D(TCanvas* canvas, RECT& rect, TColor topColor, TColor bottomColor, int width);

class TCanvas : public TPersistent {
public:
    TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    std::string ClassName() const override { return "TCanvas"; }

    HDC Handle() const { return FHandle; }
    void SetHandle(HDC handle) { FHandle = handle; }

    TFont* Font() { return &FFont; }
    TBrush* Brush() { return &FBrush; }
    TPen* Pen() { return &FPen; }

    // The context's current position, which LineTo draws from.
    void MoveTo(int x, int y);
    // A line from the current position to (x, y), the end point excluded;
    // (x, y) becomes the current position.
    void LineTo(int x, int y);
    // Outlined with the pen and filled with the brush; right and bottom
    // edges excluded, as GDI draws them.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    // The ellipse inside the bounding rectangle, outlined and filled.
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const RECT& rect) { Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    // Paints `rect` (right and bottom edges excluded) with the brush.
    void FillRect(const RECT& rect);
    // A one-pixel border just inside `rect`, in the brush.
    void FrameRect(const RECT& rect);

    // Text with its top-left corner at (x, y).
    void TextOut(int x, int y, const std::string& text);
    // Text at (x, y) clipped to `rect`; with a solid brush the whole of
    // `rect` is filled first.
    void TextRect(const RECT& rect, int x, int y, const std::string& text);
    // DrawTextA of `text` in `rect` with the font, its colour and the brush's
    // background mode (filled behind the text only while bsSolid); with
    // DT_CALCRECT nothing is drawn and `rect` receives the text's extent.
    // Returns the text's height, as DrawTextA does.
    int DrawText(const std::string& text, RECT& rect, UINT flags);
    // The size the text takes in the current font.
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    // The colour at (x, y); -1 outside the surface or its clipping region.
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // Copies the whole bitmap with its top-left corner at (x, y); a
    // Transparent bitmap leaves the pixels of its transparent colour out.
    // Nothing happens for a null or empty bitmap.
    void Draw(int x, int y, TBitmap* bitmap);
    // Copies the whole bitmap scaled to `rect`, nearest pixel (COLORONCOLOR).
    void StretchDraw(const RECT& rect, TBitmap* bitmap);
    // Copies `source` of `canvas` onto `dest` of this canvas, scaled when the
    // two sizes differ (SRCCOPY, COLORONCOLOR).
    void CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source);

private:
    class TShapeScope;
    class TTextScope;

    HDC RequiredHandle() const;

    HDC FHandle = nullptr;
    TFont FFont;
    TBrush FBrush;
    TPen FPen;
};
