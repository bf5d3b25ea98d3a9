#include "app/TimerPro.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(TimerProTest, MeasuresASleepWithTheMultimediaTimer)
{
    TTimerPro timer;
    EXPECT_GE(timer.Period(), 1);
    EXPECT_EQ(timer.Elapsed().Total(), 0u);

    timer.Start();
    Sleep(50);
    const uint32_t first = timer.Elapsed().Total();
    EXPECT_GE(first, 48u);
    EXPECT_LE(first, 250u);

    Sleep(20);
    const TTime& time = timer.Elapsed();
    EXPECT_GE(time.Total(), first + 18);
    EXPECT_NEAR(static_cast<double>(time.GetSeconds()), time.Total() / 1000.0, 1e-9);
}

TEST(TimerProTest, TakesAnInjectedTickSource)
{
    uint32_t now = 0xFFFFFFF0u;
    TTimerPro timer([&now] { return now; });
    timer.Start();
    now = 0x10;
    EXPECT_EQ(timer.Elapsed().Total(), 32u);
}
