#include "app/core/FrameRate.h"

#include "classlib/core/SysUtils.h"

bool TFrameRate::Frame(long double now)
{
    ++FFrameCount;
    if (FReference > now)
        FReference = now;
    const long double span = now - FReference;
    if (span < 1.0L)
        return false;
    const int rate = static_cast<int>(Round(FFrameCount / span));
    const bool changed = rate != FRate;
    FRate = rate;
    FReference = now;
    FFrameCount = 0;
    return changed;
}

int TFrameRate::FPS()
{
    if (FRate == 0)
        FRate = 1;
    return FRate;
}
