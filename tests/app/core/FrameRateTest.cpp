#include "app/core/FrameRate.h"

#include <gtest/gtest.h>

namespace {

// Counts `frames` frames after a window began at `start`: all but the last
// within its first half second, the last at start + span (closing it).
// Returns what the last one reported.
bool CountFrames(TFrameRate& rate, int frames, long double start, long double span)
{
    for (int i = 1; i < frames; ++i)
        EXPECT_FALSE(rate.Frame(start + 0.5L * i / frames));
    return rate.Frame(start + span);
}

}  // namespace

TEST(FrameRateTest, AWindowClosesAfterOneSecondAndRoundsTiesToEven)
{
    TFrameRate rate;
    rate.Begin(0.0L);
    // The first frame comes at the start; four more up to 2 s: 5 / 2 = 2.5.
    for (long double at : {0.0L, 0.5L, 0.9L, 0.999L})
        EXPECT_FALSE(rate.Frame(at));
    EXPECT_EQ(rate.FrameCount(), 4);
    EXPECT_TRUE(rate.Frame(2.0L));
    EXPECT_EQ(rate.Rate(), 2);
    EXPECT_EQ(rate.FrameCount(), 0);

    // 7 frames over the next 2 s: 3.5 gives 4.
    EXPECT_TRUE(CountFrames(rate, 7, 2.0L, 2.0L));
    EXPECT_EQ(rate.FPS(), 4);

    // Exactly one second closes a window too: 4 frames, the same rate.
    EXPECT_FALSE(CountFrames(rate, 4, 4.0L, 1.0L));
    EXPECT_EQ(rate.Rate(), 4);
    EXPECT_EQ(rate.FrameCount(), 0);
}

TEST(FrameRateTest, AnUnchangedRateReportsNothing)
{
    TFrameRate rate;
    rate.Begin(10.0L);
    EXPECT_TRUE(CountFrames(rate, 60, 10.0L, 1.0L));
    EXPECT_EQ(rate.Rate(), 60);
    EXPECT_FALSE(CountFrames(rate, 121, 11.0L, 2.0L));  // 60.5 -> 60
    EXPECT_EQ(rate.Rate(), 60);
    EXPECT_TRUE(CountFrames(rate, 59, 13.0L, 1.0L));
    EXPECT_EQ(rate.Rate(), 59);
}

TEST(FrameRateTest, AClockThatGoesBackRestartsTheWindow)
{
    TFrameRate rate;
    rate.Begin(5.0L);
    EXPECT_FALSE(rate.Frame(1.0L));  // earlier than the window's start
    EXPECT_FALSE(rate.Frame(1.5L));
    EXPECT_TRUE(rate.Frame(2.0L));   // 3 frames in the 1 s since the reset
    EXPECT_EQ(rate.Rate(), 3);
}

TEST(FrameRateTest, ARateThatRoundsToZeroStillReadsAsOne)
{
    TFrameRate fresh;
    EXPECT_EQ(fresh.Rate(), 0);
    EXPECT_EQ(fresh.FPS(), 1);
    EXPECT_EQ(fresh.Rate(), 1) << "stored";
    TFrameRate rate;
    rate.Begin(0.0L);
    EXPECT_FALSE(rate.Frame(4.0L));  // 0.25 fps rounds to 0, as stored before
    EXPECT_EQ(rate.Rate(), 0);
    EXPECT_EQ(rate.FPS(), 1);
}
