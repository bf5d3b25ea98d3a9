#include "classlib/graphics/Canvas.h"

#include <algorithm>

#include "classlib/graphics/Bitmap.h"

// --- TBrush -----------------------------------------------------------------

void TBrush::Assign(TPersistent* source)
{
    auto* brush = dynamic_cast<TBrush*>(source);
    if (brush == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    FColor = brush->FColor;
    FStyle = brush->FStyle;
}

HBRUSH TBrush::Handle()
{
    if (FStyle == bsClear)
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    const COLORREF rgb = ColorToRGB(FColor);
    if (!FHandle || rgb != FHandleColor) {
        FHandle.Reset();
        FHandle = TGdiObject(CreateSolidBrush(rgb));
        if (!FHandle)
            throw EOutOfResources("Out of system resources");
        FHandleColor = rgb;
    }
    return static_cast<HBRUSH>(FHandle.Get());
}

// --- TPen -------------------------------------------------------------------

void TPen::Assign(TPersistent* source)
{
    auto* pen = dynamic_cast<TPen*>(source);
    if (pen == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    FColor = pen->FColor;
    FWidth = pen->FWidth;
    FStyle = pen->FStyle;
}

namespace {

int PenStyleToGdi(TPenStyle style)
{
    switch (style) {
    case psDash:
        return PS_DASH;
    case psDot:
        return PS_DOT;
    case psDashDot:
        return PS_DASHDOT;
    case psDashDotDot:
        return PS_DASHDOTDOT;
    case psClear:
        return PS_NULL;
    case psInsideFrame:
        return PS_INSIDEFRAME;
    case psSolid:
        break;
    }
    return PS_SOLID;
}

}  // namespace

HPEN TPen::Handle()
{
    const COLORREF rgb = ColorToRGB(FColor);
    const int width = std::max(FWidth, 1);
    if (!FHandle || rgb != FHandleColor || width != FHandleWidth || FStyle != FHandleStyle) {
        FHandle.Reset();
        FHandle = TGdiObject(CreatePen(PenStyleToGdi(FStyle), width, rgb));
        if (!FHandle)
            throw EOutOfResources("Out of system resources");
        FHandleColor = rgb;
        FHandleWidth = width;
        FHandleStyle = FStyle;
    }
    return static_cast<HPEN>(FHandle.Get());
}

// --- Scopes of one drawing operation ------------------------------------------

// The pen and brush selected for one shape, and the context's own ones put
// back afterwards.
class TCanvas::TShapeScope {
public:
    TShapeScope(HDC dc, TPen& pen, TBrush& brush) : FPen(dc, pen.Handle()), FBrush(dc, brush.Handle()) {}

private:
    TSelection FPen;
    TSelection FBrush;
};

// The font, its colour and the text background of one text operation, and
// the context's own ones put back afterwards.
class TCanvas::TTextScope {
public:
    TTextScope(HDC dc, TFont& font, TBrush& brush)
        : FFont(dc, font.Handle()), FDC(dc), FTextColor(SetTextColor(dc, ColorToRGB(font.Color()))),
          FBkColor(GetBkColor(dc)), FBkMode(GetBkMode(dc))
    {
        if (brush.Style() == bsClear) {
            SetBkMode(dc, TRANSPARENT);
        } else {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, ColorToRGB(brush.Color()));
        }
    }
    ~TTextScope()
    {
        SetBkMode(FDC, FBkMode);
        SetBkColor(FDC, FBkColor);
        SetTextColor(FDC, FTextColor);
    }
    TTextScope(const TTextScope&) = delete;
    TTextScope& operator=(const TTextScope&) = delete;

private:
    TSelection FFont;
    HDC FDC;
    COLORREF FTextColor;
    COLORREF FBkColor;
    int FBkMode;
};

// --- TCanvas ------------------------------------------------------------------

HDC TCanvas::RequiredHandle() const
{
    if (FHandle == nullptr)
        throw EInvalidGraphicOperation("Canvas does not allow drawing");
    return FHandle;
}

void TCanvas::MoveTo(int x, int y)
{
    MoveToEx(RequiredHandle(), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    const HDC dc = RequiredHandle();
    const TSelection pen(dc, FPen.Handle());
    ::LineTo(dc, x, y);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    const HDC dc = RequiredHandle();
    const TShapeScope scope(dc, FPen, FBrush);
    ::Rectangle(dc, x1, y1, x2, y2);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    const HDC dc = RequiredHandle();
    const TShapeScope scope(dc, FPen, FBrush);
    ::Ellipse(dc, x1, y1, x2, y2);
}

void TCanvas::FillRect(const RECT& rect)
{
    const HDC dc = RequiredHandle();
    ::FillRect(dc, &rect, FBrush.Handle());
}

void TCanvas::FrameRect(const RECT& rect)
{
    const HDC dc = RequiredHandle();
    ::FrameRect(dc, &rect, FBrush.Handle());
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    const HDC dc = RequiredHandle();
    const TTextScope scope(dc, FFont, FBrush);
    ExtTextOutA(dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text)
{
    const HDC dc = RequiredHandle();
    const TTextScope scope(dc, FFont, FBrush);
    const UINT options = ETO_CLIPPED | (FBrush.Style() == bsClear ? 0u : static_cast<UINT>(ETO_OPAQUE));
    ExtTextOutA(dc, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT flags)
{
    const HDC dc = RequiredHandle();
    const TTextScope scope(dc, FFont, FBrush);
    return DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, flags);
}

void Frame3D(TCanvas* canvas, RECT& rect, TColor topColor, TColor bottomColor, int width)
{
    TBrush* brush = canvas->Brush();
    const TColor oldColor = brush->Color();
    const TBrushStyle oldStyle = brush->Style();
    brush->SetStyle(bsSolid);
    for (int i = 0; i < width; ++i) {
        brush->SetColor(topColor);
        canvas->FillRect(RECT{rect.left, rect.top, rect.right - 1, rect.top + 1});
        canvas->FillRect(RECT{rect.left, rect.top, rect.left + 1, rect.bottom - 1});
        brush->SetColor(bottomColor);
        canvas->FillRect(RECT{rect.right - 1, rect.top, rect.right, rect.bottom});
        canvas->FillRect(RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom});
        InflateRect(&rect, -1, -1);
    }
    brush->SetStyle(oldStyle);
    brush->SetColor(oldColor);
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    const HDC dc = RequiredHandle();
    const TSelection font(dc, FFont.Handle());
    SIZE size{};
    if (!GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size))
        size = SIZE{};
    return size;
}

TColor TCanvas::Pixels(int x, int y)
{
    return static_cast<TColor>(GetPixel(RequiredHandle(), x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    SetPixel(RequiredHandle(), x, y, ColorToRGB(color));
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap)
{
    const HDC dc = RequiredHandle();
    if (bitmap == nullptr || bitmap->Empty())
        return;
    if (bitmap->Transparent()) {
        GdiTransparentBlt(dc, x, y, bitmap->Width(), bitmap->Height(), bitmap->Canvas()->Handle(), 0, 0,
                          bitmap->Width(), bitmap->Height(), ColorToRGB(bitmap->TransparentColor()));
        return;
    }
    BitBlt(dc, x, y, bitmap->Width(), bitmap->Height(), bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const RECT& rect, TBitmap* bitmap)
{
    RequiredHandle();
    if (bitmap == nullptr || bitmap->Empty())
        return;
    CopyRect(rect, bitmap->Canvas(), RECT{0, 0, bitmap->Width(), bitmap->Height()});
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source)
{
    const HDC dc = RequiredHandle();
    const HDC sourceDC = canvas->RequiredHandle();
    const TStretchMode mode(dc, COLORONCOLOR);
    StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, sourceDC, source.left,
               source.top, source.right - source.left, source.bottom - source.top, SRCCOPY);
}
