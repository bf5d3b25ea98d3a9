#include "classlib/ui/ExtCtrls.h"

#include <algorithm>

#include "classlib/ui/StdCtrlsDraw.h"

// --- TPicture ------------------------------------------------------------------

TPicture::TPicture() : FBitmap(std::make_unique<TBitmap>())
{
}

void TPicture::Assign(TPersistent* source)
{
    if (source == this)
        return;
    if (auto* picture = dynamic_cast<TPicture*>(source))
        source = picture->Bitmap();
    FBitmap->Assign(source);
    Changed();
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    FBitmap->LoadFromFile(fileName);
    Changed();
}

void TPicture::Changed()
{
    Fire(OnChange, this);
}

// --- TImage --------------------------------------------------------------------

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>())
{
    FPicture->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(0, 0, 105, 105);
}

void TImage::SetStretch(bool stretch)
{
    if (stretch == FStretch)
        return;
    FStretch = stretch;
    Invalidate();
}

void TImage::SetCenter(bool center)
{
    if (center == FCenter)
        return;
    FCenter = center;
    Invalidate();
}

void TImage::Paint()
{
    TBitmap* bitmap = FPicture->Bitmap();
    if (bitmap->Empty())
        return;
    if (FStretch) {
        Canvas()->StretchDraw(RECT{0, 0, Width(), Height()}, bitmap);
    } else if (FCenter) {
        Canvas()->Draw((Width() - bitmap->Width()) / 2, (Height() - bitmap->Height()) / 2, bitmap);
    } else {
        Canvas()->Draw(0, 0, bitmap);
    }
}

// --- TPanel --------------------------------------------------------------------

TPanel::TPanel(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csSetCaption);
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut bevel)
{
    FBevelOuter = bevel;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut bevel)
{
    FBevelInner = bevel;
    Invalidate();
}

void TPanel::SetBevelWidth(int width)
{
    FBevelWidth = std::max(width, 1);
    Invalidate();
}

void TPanel::WndProc(TMessage& message)
{
    TCustomControl::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED)
        Invalidate();
}

// Draws one bevel on the inside of `rect` and moves `rect` inside it: light
// top and left edges with dark bottom and right ones for a raised bevel, the
// other way round for a lowered one, the panel's colour for a space.
void TPanel::DrawBevel(RECT& rect, TBevelCut bevel)
{
    if (bevel == bvNone)
        return;
    const TColor light = bevel == bvRaised ? clBtnHighlight : bevel == bvLowered ? clBtnShadow : Color();
    const TColor dark = bevel == bvRaised ? clBtnShadow : bevel == bvLowered ? clBtnHighlight : Color();
    TBrush* brush = Canvas()->Brush();
    for (int i = 0; i < FBevelWidth && rect.right > rect.left && rect.bottom > rect.top; ++i) {
        brush->SetColor(light);
        Canvas()->FillRect(RECT{rect.left, rect.top, rect.right - 1, rect.top + 1});
        Canvas()->FillRect(RECT{rect.left, rect.top, rect.left + 1, rect.bottom - 1});
        brush->SetColor(dark);
        Canvas()->FillRect(RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom});
        Canvas()->FillRect(RECT{rect.right - 1, rect.top, rect.right, rect.bottom});
        InflateRect(&rect, -1, -1);
    }
}

void TPanel::Paint()
{
    RECT rect = ClientRect();
    DrawBevel(rect, FBevelOuter);
    InflateRect(&rect, -BorderWidth(), -BorderWidth());
    DrawBevel(rect, FBevelInner);
    DrawControlText(Canvas()->Handle(), Caption(), rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, Font());
}
