// The scroll bar control.
#include <algorithm>

#include "classlib/ui/StdCtrls.h"

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner)
{
    // No mouse capture of our own: the window tracks the mouse itself.
    SetControlStyle(csDoubleClicks);
    SetTabStop(true);
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

void TScrollBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "SCROLLBAR");
    params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyToWindow();
}

void TScrollBar::ApplyToWindow()
{
    if (!HandleAllocated())
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = FMin;
    info.nMax = FMax;
    info.nPage = static_cast<UINT>(FPageSize);
    info.nPos = FPosition;
    SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind kind)
{
    if (kind == FKind)
        return;
    FKind = kind;
    if ((ComponentState() & csLoading) == 0)
        SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

int TScrollBar::Clamped(int position) const
{
    const int last = FPageSize > 0 ? std::max(FMax - FPageSize + 1, FMin) : FMax;
    return std::clamp(position, FMin, last);
}

void TScrollBar::SetPosition(int position)
{
    position = Clamped(position);
    if (position == FPosition)
        return;
    FPosition = position;
    ApplyToWindow();
    Change();
}

void TScrollBar::SetMin(int min)
{
    FMin = min;
    FMax = std::max(FMax, min);
    RangeChanged();
}

void TScrollBar::SetMax(int max)
{
    FMax = max;
    FMin = std::min(FMin, max);
    RangeChanged();
}

void TScrollBar::SetPageSize(int pageSize)
{
    FPageSize = std::max(pageSize, 0);
    RangeChanged();
}

// A new range or page may push the position inside; that is a change too.
void TScrollBar::RangeChanged()
{
    const int old = FPosition;
    FPosition = Clamped(FPosition);
    ApplyToWindow();
    if (FPosition != old)
        Change();
}

void TScrollBar::Change()
{
    Fire(OnChange, this);
}

void TScrollBar::Scroll(TScrollCode scrollCode, int& scrollPos)
{
    Fire(OnScroll, this, scrollCode, scrollPos);
}

void TScrollBar::UserScroll(TScrollCode scrollCode)
{
    int position = FPosition;
    switch (scrollCode) {
    case scLineUp:
        position -= FSmallChange;
        break;
    case scLineDown:
        position += FSmallChange;
        break;
    case scPageUp:
        position -= FLargeChange;
        break;
    case scPageDown:
        position += FLargeChange;
        break;
    case scPosition:
    case scTrack: {
        // The full 32-bit position; the message carries only 16 bits.
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_CTL, &info);
        position = info.nTrackPos;
        break;
    }
    case scTop:
        position = FMin;
        break;
    case scBottom:
        position = FMax;
        break;
    case scEndScroll:
        break;
    default:
        return;
    }
    Scroll(scrollCode, position);
    SetPosition(position);
}

void TScrollBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
        UserScroll(static_cast<TScrollCode>(LOWORD(message.WParam)));
        message.Result = 0;
        return;
    case CN_CTLCOLORSCROLLBAR:
        // The system's own look for the track, not the parent's colour.
        message.Result = DefWindowProcA(GetParent(Handle()), WM_CTLCOLORSCROLLBAR, message.WParam, message.LParam);
        return;
    }
    TWinControl::WndProc(message);
}
