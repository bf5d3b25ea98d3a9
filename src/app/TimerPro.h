// TTimerPro: the program's stopwatch over the multimedia timer.
//
// It raises the timer resolution for its whole life (timeBeginPeriod with
// the smallest period the device reports, at least 1 ms, or 1 ms when the
// device cannot be asked) and lowers it again when it is destroyed. Time is
// read from timeGetTime and accumulated step by step (see TTickStopwatch).
#pragma once

#include "app/core/Stopwatch.h"

class TTimerPro : public TTickStopwatch {
public:
    // The tick source defaults to timeGetTime; tests may pass their own.
    explicit TTimerPro(TTickSource tickSource = {});
    ~TTimerPro() override;

    std::string ClassName() const override { return "TTimerPro"; }

    // The period raised at creation, in milliseconds.
    int Period() const { return FPeriod; }

private:
    int FPeriod = -1;
};
