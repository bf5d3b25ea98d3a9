// A timer component: OnTimer every Interval milliseconds while Enabled.
//
// The timer runs on a hidden window of its own (WM_TIMER from the message
// loop), so it fires only while messages are handled. Interval 0 stops it.
// An exception thrown by OnTimer goes to Application->HandleException; the
// timer goes on.
#pragma once

#include <windows.h>

#include "classlib/core/Components.h"
#include "classlib/ui/Application.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    std::string ClassName() const override { return "TTimer"; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    // Milliseconds; default 1000.
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned interval);

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& message);

    bool FEnabled = true;
    unsigned FInterval = 1000;
    HWND FWindowHandle = nullptr;
    bool FRunning = false;
};
