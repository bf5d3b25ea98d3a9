#include "classlib/ui/Timer.h"

namespace {

constexpr UINT_PTR kTimerId = 1;

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    FWindowHandle = AllocateHWnd([this](TMessage& message) { WndProc(message); });
    UpdateTimer();
}

TTimer::~TTimer()
{
    if (FRunning)
        KillTimer(FWindowHandle, kTimerId);
    DeallocateHWnd(FWindowHandle);
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned interval)
{
    if (interval == FInterval)
        return;
    FInterval = interval;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (FRunning) {
        KillTimer(FWindowHandle, kTimerId);
        FRunning = false;
    }
    if (FEnabled && FInterval != 0)
        FRunning = SetTimer(FWindowHandle, kTimerId, FInterval, nullptr) != 0;
}

void TTimer::Timer()
{
    if (OnTimer)
        OnTimer(this);
}

void TTimer::WndProc(TMessage& message)
{
    if (message.Msg != WM_TIMER) {
        message.Result = DefWindowProcA(FWindowHandle, message.Msg, message.WParam, message.LParam);
        return;
    }
    try {
        Timer();
    } catch (...) {
        Application->HandleException(this);
    }
}
