#include "classlib/ui/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The track bar's window class is registered by comctl32 on request.
void RegisterBarClasses()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    if (!registered)
        throw Exception("Error creating window of class " TRACKBAR_CLASSA);
}

}  // namespace

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner)
{
    // No mouse capture of our own: the window tracks its thumb itself.
    SetControlStyle(csDoubleClicks);
    SetTabStop(true);
    SetBounds(0, 0, 150, 45);
}

void TTrackBar::CreateParams(TCreateParams& params)
{
    RegisterBarClasses();
    TWinControl::CreateParams(params);
    CreateSubClass(params, TRACKBAR_CLASSA);
    params.Style |= TBS_AUTOTICKS | (FOrientation == trHorizontal ? TBS_HORZ : TBS_VERT);
}

void TTrackBar::CreateWnd()
{
    TWinControl::CreateWnd();
    const HWND wnd = Handle();
    SendMessageA(wnd, TBM_SETRANGEMIN, FALSE, FMin);
    SendMessageA(wnd, TBM_SETRANGEMAX, FALSE, FMax);
    SendMessageA(wnd, TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    SendMessageA(wnd, TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::SetMin(int min)
{
    FMin = min;
    FMax = std::max(FMax, min);
    RangeChanged();
}

void TTrackBar::SetMax(int max)
{
    FMax = max;
    FMin = std::min(FMin, max);
    RangeChanged();
}

// A new range may push the position inside; that is a change too.
void TTrackBar::RangeChanged()
{
    const int old = FPosition;
    FPosition = std::clamp(FPosition, FMin, FMax);
    if (HandleAllocated()) {
        SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, FMin);
        SendMessageA(Handle(), TBM_SETRANGEMAX, TRUE, FMax);
        SendMessageA(Handle(), TBM_SETPOS, TRUE, FPosition);
    }
    if (FPosition != old)
        Changed();
}

void TTrackBar::SetPosition(int position)
{
    position = std::clamp(position, FMin, FMax);
    if (position == FPosition)
        return;
    FPosition = position;
    if (HandleAllocated())
        SendMessageA(Handle(), TBM_SETPOS, TRUE, position);
    Changed();
}

void TTrackBar::SetFrequency(int frequency)
{
    FFrequency = std::max(frequency, 1);
    if (HandleAllocated())
        SendMessageA(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation)
{
    if (orientation == FOrientation)
        return;
    FOrientation = orientation;
    if ((ComponentState() & csLoading) == 0)
        SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TTrackBar::Changed()
{
    Fire(OnChange, this);
}

void TTrackBar::WndProc(TMessage& message)
{
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        const auto position = static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0));
        if (position != FPosition) {
            FPosition = position;
            Changed();
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
