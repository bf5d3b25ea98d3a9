// TCustomGraphicApplicationPro: the application component of programs that
// draw one frame per idle tick. It counts the ticks and keeps the frames per
// second (see TFrameRate), measured with its TTimerPro stopwatch, which it
// creates on first use and starts on the first tick.
#pragma once

#include <memory>
#include <string>

#include "app/ApplicationPro.h"
#include "app/TimerPro.h"
#include "app/core/FrameRate.h"

class TCustomGraphicApplicationPro : public TCustomApplicationPro {
public:
    explicit TCustomGraphicApplicationPro(TComponent* owner);
    // Frees the stopwatch first.
    ~TCustomGraphicApplicationPro() override;

    std::string ClassName() const override { return "TCustomGraphicApplicationPro"; }

    // The inherited tick, then one frame counted; OnFPSChanged when a second
    // has passed and the rounded rate changed.
    void AppIdle(TObject* sender, bool& done) override;

    // The frames per second; never 0 (1 until a rate is known).
    int GetFPS() { return FFrameRate.FPS(); }
    // The program's stopwatch, created on first use.
    TTimerPro& Timer();

    // Sender is this component.
    TNotifyEvent OnFPSChanged;

    // The stopwatch's millisecond source; empty means the multimedia timer.
    // Tests set it before the first tick.
    TTickSource TickSource;

private:
    std::unique_ptr<TTimerPro> FTimer;
    TFrameRate FFrameRate;
};
