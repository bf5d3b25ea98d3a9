#include "gl/core/FrameClock.h"

float TFrameClock::Step(long double now)
{
    const long double last = FStarted ? FLast : now;
    FStarted = true;
    FLast = now;
    const long double step = now - last;
    return step > 0 ? static_cast<float>(step) : 0.0f;
}
