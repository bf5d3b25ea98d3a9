// The application's control hints: the pause while the mouse rests on a
// control, the hint window, and the pause before it hides again.
#include <algorithm>

#include "classlib/graphics/GdiHandles.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/HintWindow.h"
#include "classlib/ui/Timer.h"

namespace {

constexpr int HintMaxWidth = 300;

void StartTimer(TTimer* timer, int pause)
{
    timer->SetEnabled(false);
    timer->SetInterval(static_cast<unsigned>(std::max(pause, 1)));
    timer->SetEnabled(true);
}

}  // namespace

void TApplication::HintMouseMessage(TControl* control)
{
    if (control == FHintControl || FHintWindow == nullptr || control == FHintWindow)
        return;
    const bool wasShown = FHintShown;
    CancelHint();
    if (control == nullptr)
        return;
    FHintControl = control;
    control->FreeNotification(this);
    if (FHintTimer == nullptr) {
        FHintTimer = new TTimer(this);
        FHintTimer->OnTimer = [this](TObject*) { HintTimerExpired(); };
    }
    StartTimer(FHintTimer, wasShown ? HintShortPause : HintPause);
}

void TApplication::CancelHint()
{
    if (FHintTimer != nullptr)
        FHintTimer->SetEnabled(false);
    if (FHintShown && FHintWindow != nullptr)
        FHintWindow->Hide();
    FHintShown = false;
    if (FHintControl != nullptr)
        FHintControl->RemoveFreeNotification(this);
    FHintControl = nullptr;
}

void TApplication::HintTimerExpired()
{
    FHintTimer->SetEnabled(false);
    TControl* control = FHintControl;
    if (FHintWindow == nullptr) {  // hints were turned off meanwhile
        CancelHint();
        return;
    }
    if (FHintShown) {
        FHintWindow->Hide();
        FHintShown = false;
        return;
    }
    if (control == nullptr || !control->ShowHint() || control->Hint().empty())
        return;
    THintInfo info;
    info.HintControl = control;
    GetCursorPos(&info.CursorPos);
    info.HintPos = POINT{info.CursorPos.x, info.CursorPos.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4};
    info.HintMaxWidth = HintMaxWidth;
    info.HintColor = ColorToRGB(clInfoBk);
    std::string text = control->Hint();
    bool canShow = true;
    Fire(OnShowHint, text, canShow, info);
    if (!canShow || text.empty())
        return;
    RECT bounds{0, 0, info.HintMaxWidth, 0};
    {
        const TScreenDC dc;
        const TSelection font(dc.Get(), FHintWindow->Font()->Handle());
        DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &bounds,
                  DT_CALCRECT | DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
    }
    // Room for the border and the text's inset of 2 pixels on each side.
    FHintWindow->ActivateHint(RECT{info.HintPos.x, info.HintPos.y, info.HintPos.x + bounds.right + 6,
                                   info.HintPos.y + bounds.bottom + 6},
                              text);
    FHintShown = true;
    StartTimer(FHintTimer, HintHidePause);
}
