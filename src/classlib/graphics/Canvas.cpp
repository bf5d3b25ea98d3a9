#include "classlib/graphics/Canvas.h"

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/GdiHandles.h"

HDC TCanvas::RequiredHandle() const
{
    if (FHandle == nullptr)
        throw EInvalidGraphicOperation("Canvas does not allow drawing");
    return FHandle;
}

void TCanvas::FillRect(const RECT& rect)
{
    const HDC dc = RequiredHandle();
    const TGdiObject brush(CreateSolidBrush(ColorToRGB(FBrush.Color())));
    if (!brush)
        throw EOutOfResources("Out of system resources");
    ::FillRect(dc, &rect, static_cast<HBRUSH>(brush.Get()));
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
    BitBlt(dc, x, y, bitmap->Width(), bitmap->Height(), bitmap->Canvas()->Handle(), 0, 0,
           SRCCOPY);
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
    StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, sourceDC,
               source.left, source.top, source.right - source.left, source.bottom - source.top,
               SRCCOPY);
}
