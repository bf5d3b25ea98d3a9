#include "gl/core/FramePacing.h"

void TFramePacing::SetRefreshRate(int hertz)
{
    FPeriod = 1.0 / (hertz > 1 ? hertz : DefaultRefreshRate);
}

int TFramePacing::WaitMilliseconds(double now) const
{
    if (!FStarted || now < FLastStart)
        return 0;
    const double left = FLastStart + FPeriod - now;
    return left < 0.001 ? 0 : static_cast<int>(left * 1000);
}

void TFramePacing::FrameStarted(double now)
{
    FStarted = true;
    FLastStart = now;
}
