#include "app/core/Stopwatch.h"

#include <utility>

namespace {

constexpr uint32_t MSecsPerSec = 1000;
constexpr uint32_t MSecsPerMinute = 60 * MSecsPerSec;
constexpr uint32_t MSecsPerHour = 60 * MSecsPerMinute;
constexpr uint32_t MSecsPerDay = 24 * MSecsPerHour;

}  // namespace

void TTime::SetMilliseconds(uint32_t total)
{
    FTotal = total;
    FDays = total / MSecsPerDay;
    uint32_t rest = total % MSecsPerDay;
    FHours = rest / MSecsPerHour;
    rest %= MSecsPerHour;
    FMinutes = rest / MSecsPerMinute;
    rest %= MSecsPerMinute;
    FSecs = rest / MSecsPerSec;
    FMSecs = rest % MSecsPerSec;
}

TTickStopwatch::TTickStopwatch(TTickSource tickSource) : FTickSource(std::move(tickSource)) {}

void TTickStopwatch::Start()
{
    if (FRunning)
        return;
    FLastTick = FTickSource();
    FTime.Clear();
    FRunning = true;
}

TTime& TTickStopwatch::Elapsed()
{
    if (FRunning) {
        const uint32_t now = FTickSource();
        // Unsigned arithmetic is modular: a counter that wrapped since the
        // last reading still gives the true step, and the total wraps the
        // same way.
        const uint32_t step = now - FLastTick;
        if (step != 0)
            FTime.SetMilliseconds(FTime.Total() + step);
        FLastTick = now;
    }
    return FTime;
}
