#include "gl/core/FrameClock.h"

#include <gtest/gtest.h>

TEST(FrameClock, TheFirstFrameHasNoStepAndLaterFramesTheTimeBetweenThem)
{
    TFrameClock clock;
    // The stopwatch may be well past 0 when the first frame comes.
    EXPECT_EQ(clock.Step(12.5L), 0.0f);
    EXPECT_FLOAT_EQ(clock.Step(12.54L), 0.04f);
    EXPECT_FLOAT_EQ(clock.Step(12.556L), 0.016f);
    EXPECT_EQ(clock.Step(12.556L), 0.0f);
    EXPECT_FLOAT_EQ(clock.Step(13.556L), 1.0f);
}

TEST(FrameClock, AFrameAtTimeZeroIsAFrameToo)
{
    // Time 0 is not "no frame yet": the second frame gets the real step.
    TFrameClock clock;
    EXPECT_EQ(clock.Step(0.0L), 0.0f);
    EXPECT_FLOAT_EQ(clock.Step(0.02L), 0.02f);
}

TEST(FrameClock, TimeGoingBackwardsGivesAZeroStepAndCountingGoesOnFromThere)
{
    // The stopwatch's millisecond total wraps after 2^32 ms (49.7 days).
    const long double beforeWrap = 4294967.290L;
    TFrameClock clock;
    clock.Step(beforeWrap - 0.02L);
    EXPECT_NEAR(clock.Step(beforeWrap), 0.02f, 1e-4f);
    EXPECT_EQ(clock.Step(0.005L), 0.0f);
    EXPECT_FLOAT_EQ(clock.Step(0.025L), 0.02f);
    EXPECT_EQ(clock.Step(0.010L), 0.0f);
}
