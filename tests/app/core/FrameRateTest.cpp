#include "app/core/FrameRate.h"

#include <gtest/gtest.h>

TEST(FrameRateTest, WindowsCloseAfterOneSecondRoundTiesToEvenAndReportChangesOnly)
{
    TFrameRate rate;
    rate.Begin(0.0L);
    for (long double at : {0.0L, 0.5L, 0.9L, 0.999L})
        EXPECT_FALSE(rate.Frame(at));
    EXPECT_TRUE(rate.Frame(2.0L));  // 5 / 2 = 2.5 -> 2
    EXPECT_EQ(rate.Rate(), 2);
    for (int i = 0; i < 6; ++i)
        rate.Frame(2.1L);
    EXPECT_TRUE(rate.Frame(4.0L));  // 7 / 2 = 3.5 -> 4
    EXPECT_EQ(rate.Rate(), 4);
    for (int i = 0; i < 3; ++i)
        rate.Frame(4.5L);
    EXPECT_FALSE(rate.Frame(5.0L));  // exactly one second, the same rate
    EXPECT_EQ(rate.FrameCount(), 0);
}

TEST(FrameRateTest, AClockThatGoesBackRestartsTheWindowAndZeroReadsAsOne)
{
    TFrameRate rate;
    rate.Begin(5.0L);
    EXPECT_FALSE(rate.Frame(1.0L));  // earlier than the window's start
    EXPECT_FALSE(rate.Frame(1.5L));
    EXPECT_TRUE(rate.Frame(2.0L));  // 3 frames in the 1 s since the reset
    EXPECT_EQ(rate.Rate(), 3);
    rate.Frame(6.0L);  // 0.25 fps rounds to 0
    EXPECT_EQ(rate.Rate(), 0);
    EXPECT_EQ(rate.FPS(), 1);
}
