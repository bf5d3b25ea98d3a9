#include "gl/core/FrameClock.h"

#include <gtest/gtest.h>

TEST(FrameClock, StepsAreTheTimeBetweenFramesAndZeroWhenTimeGoesBack)
{
    TFrameClock clock;
    EXPECT_EQ(clock.Step(0.0L), 0.0f);  // time 0 is a frame too
    EXPECT_FLOAT_EQ(clock.Step(0.02L), 0.02f);
    // The stopwatch's millisecond total wraps after 2^32 ms (49.7 days).
    const long double beforeWrap = 4294967.290L;
    clock.Step(beforeWrap - 0.02L);
    EXPECT_NEAR(clock.Step(beforeWrap), 0.02f, 1e-4f);
    EXPECT_EQ(clock.Step(0.005L), 0.0f);
    EXPECT_FLOAT_EQ(clock.Step(0.025L), 0.02f);
}
