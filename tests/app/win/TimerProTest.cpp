#include "app/TimerPro.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(TimerProTest, MeasuresASleepWithTheMultimediaTimer)
{
    TTimerPro timer;
    timer.Start();
    Sleep(50);
    // A sleep never ends early; how late it ends depends on the machine.
    EXPECT_GE(timer.Elapsed().Total(), 48u);
}
