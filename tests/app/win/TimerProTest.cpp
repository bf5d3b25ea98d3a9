#include "app/TimerPro.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(TimerProTest, MeasuresASleepWithTheMultimediaTimer)
{
    TTimerPro timer;
    timer.Start();
    Sleep(50);
    const uint32_t elapsed = timer.Elapsed().Total();
    EXPECT_GE(elapsed, 48u);
    EXPECT_LE(elapsed, 250u);
}
