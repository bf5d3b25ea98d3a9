#include "app/TimerPro.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <utility>

namespace {

TTickSource DefaultTickSource(TTickSource tickSource)
{
    if (tickSource)
        return tickSource;
    return [] { return static_cast<uint32_t>(timeGetTime()); };
}

}  // namespace

TTimerPro::TTimerPro(TTickSource tickSource) : TTickStopwatch(DefaultTickSource(std::move(tickSource)))
{
    TIMECAPS caps{};
    if (timeGetDevCaps(&caps, sizeof(caps)) == MMSYSERR_NOERROR) {
        FPeriod = static_cast<int>(std::max<UINT>(1, caps.wPeriodMin));
        if (timeBeginPeriod(static_cast<UINT>(FPeriod)) != TIMERR_NOERROR) {
            FPeriod = 1;
            timeBeginPeriod(1);
        }
    } else {
        FPeriod = 1;
        timeBeginPeriod(1);
    }
}

TTimerPro::~TTimerPro()
{
    timeEndPeriod(static_cast<UINT>(FPeriod));
}
