// The label: a caption painted on its parent.
#include "classlib/ui/StdCtrls.h"
#include "classlib/ui/StdCtrlsDraw.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    Invalidate();
}

void TLabel::SetAutoSize(bool autoSize)
{
    if (autoSize == FAutoSize)
        return;
    FAutoSize = autoSize;
    AdjustBounds();
}

void TLabel::SetTransparent(bool transparent)
{
    if (transparent == FTransparent)
        return;
    FTransparent = transparent;
    SetControlStyle(transparent ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap)
{
    if (wordWrap == FWordWrap)
        return;
    FWordWrap = wordWrap;
    AdjustBounds();
    Invalidate();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

UINT TLabel::TextFormat() const
{
    UINT format = DT_EXPANDTABS | DT_NOPREFIX;
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

void TLabel::AdjustBounds()
{
    if (!FAutoSize || (ComponentState() & csLoading) != 0)
        return;
    // An empty caption still takes the height of a line.
    const std::string caption = Caption();
    RECT extent{0, 0, FWordWrap ? Width() : 0, 0};
    const TScreenDC screen;
    DrawControlText(screen.Get(), caption.empty() ? std::string(" ") : caption, extent, TextFormat() | DT_CALCRECT,
                    Font());
    const int width = FWordWrap ? Width() : extent.right;
    const int left = FAlignment == taRightJustify ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, extent.bottom);
}

void TLabel::WndProc(TMessage& message)
{
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED)
        AdjustBounds();
    TGraphicControl::WndProc(message);
}

void TLabel::Paint()
{
    RECT rect{0, 0, Width(), Height()};
    if (!FTransparent) {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(rect);
    }
    DrawControlText(Canvas()->Handle(), Caption(), rect, TextFormat(), Font(),
                    Enabled() ? Font()->Color() : clGrayText);
}
