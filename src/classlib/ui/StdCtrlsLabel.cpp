// The label: a caption painted on its parent.
#include "classlib/core/ShortCuts.h"
#include "classlib/ui/StdCtrls.h"
#include "classlib/ui/StdCtrlsDraw.h"

TCustomLabel::TCustomLabel(TComponent* owner, bool showAccelChar)
    : TGraphicControl(owner), FShowAccelChar(showAccelChar)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool autoSize)
{
    if (autoSize == FAutoSize)
        return;
    FAutoSize = autoSize;
    AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout layout)
{
    if (layout == FLayout)
        return;
    FLayout = layout;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool showAccelChar)
{
    if (showAccelChar == FShowAccelChar)
        return;
    FShowAccelChar = showAccelChar;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool transparent)
{
    if (transparent == FTransparent)
        return;
    FTransparent = transparent;
    SetControlStyle(transparent ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool wordWrap)
{
    if (wordWrap == FWordWrap)
        return;
    FWordWrap = wordWrap;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

UINT TCustomLabel::TextFormat() const
{
    UINT format = DT_EXPANDTABS;
    switch (FAlignment) {
    case taLeftJustify:
        format |= DT_LEFT;
        break;
    case taRightJustify:
        format |= DT_RIGHT;
        break;
    case taCenter:
        format |= DT_CENTER;
        break;
    }
    if (FWordWrap)
        format |= DT_WORDBREAK;
    return format;
}

void TCustomLabel::DoDrawText(RECT& rect, UINT flags)
{
    std::string text = Caption();
    if ((flags & DT_CALCRECT) != 0 && (text.empty() || (FShowAccelChar && text == "&")))
        text = " ";
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    DrawControlText(Canvas()->Handle(), text, rect, flags, Canvas()->Font(),
                    Enabled() ? Canvas()->Font()->Color() : clGrayText);
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || (ComponentState() & csLoading) != 0)
        return;
    RECT extent{0, 0, FWordWrap ? Width() : 0, 0};
    {
        const TScreenDC screen;
        const TPaintCanvasScope scope(Canvas(), screen.Get(), Font());
        DoDrawText(extent, TextFormat() | DT_CALCRECT);
    }
    const int width = FWordWrap ? Width() : extent.right;
    const int left = FAlignment == taRightJustify ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, extent.bottom);
}

void TCustomLabel::Notification(TComponent* aComponent, TOperation operation)
{
    TGraphicControl::Notification(aComponent, operation);
    if (operation == opRemove && aComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TCustomLabel::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGCHAR) {
        if (FFocusControl != nullptr && Enabled() && FShowAccelChar &&
            IsAccel(static_cast<uint16_t>(message.WParam), Caption()) && FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            message.Result = 1;
        }
        return;
    }
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED)
        AdjustBounds();
    TGraphicControl::WndProc(message);
}

void TCustomLabel::Paint()
{
    RECT rect{0, 0, Width(), Height()};
    if (!FTransparent) {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(rect);
    }
    const UINT format = TextFormat();
    if (FLayout != tlTop) {
        RECT measured = rect;
        DoDrawText(measured, format | DT_CALCRECT);
        const int room = rect.bottom - measured.bottom;
        rect.top += FLayout == tlBottom ? room : room / 2;
    }
    DoDrawText(rect, format);
}
