#include "app/core/Stopwatch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>

namespace {

// A tick source that plays a script of readings and counts the reads.
struct TScriptedTicks {
    std::deque<uint32_t> Readings;
    int Reads = 0;

    TTickSource Source()
    {
        return [this] {
            ++Reads;
            const uint32_t tick = Readings.front();
            if (Readings.size() > 1)
                Readings.pop_front();
            return tick;
        };
    }
};

void ExpectSplit(const TTime& time, uint32_t days, uint32_t hours, uint32_t minutes, uint32_t secs,
                 uint32_t msecs)
{
    EXPECT_EQ(time.Days(), days);
    EXPECT_EQ(time.Hours(), hours);
    EXPECT_EQ(time.Minutes(), minutes);
    EXPECT_EQ(time.Secs(), secs);
    EXPECT_EQ(time.MSecs(), msecs);
}

}  // namespace

TEST(TimeTest, SplitsTheTotalIntoItsParts)
{
    TTime time;
    time.SetMilliseconds(90061001);
    EXPECT_EQ(time.Total(), 90061001u);
    ExpectSplit(time, 1, 1, 1, 1, 1);
    EXPECT_DOUBLE_EQ(static_cast<double>(time.GetMilliseconds()), 90061001.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(time.GetSeconds()), 90061.001);

    // The largest total: 49 days 17:02:47.295, and nothing goes negative.
    time.SetMilliseconds(UINT32_MAX);
    ExpectSplit(time, 49, 17, 2, 47, 295);
    EXPECT_DOUBLE_EQ(static_cast<double>(time.GetMilliseconds()), 4294967295.0);

    // One below each unit boundary.
    time.SetMilliseconds(86399999);
    ExpectSplit(time, 0, 23, 59, 59, 999);

    time.Clear();
    EXPECT_EQ(time.Total(), 0u);
    ExpectSplit(time, 0, 0, 0, 0, 0);
}

TEST(TickStopwatchTest, ElapsedBeforeStartIsZeroAndDoesNotReadTheSource)
{
    TScriptedTicks ticks{{5000}};
    TTickStopwatch stopwatch(ticks.Source());
    EXPECT_FALSE(stopwatch.Running());
    EXPECT_EQ(stopwatch.Elapsed().Total(), 0u);
    EXPECT_EQ(stopwatch.Elapsed().GetSeconds(), 0.0L);
    EXPECT_EQ(ticks.Reads, 0);
}

TEST(TickStopwatchTest, AccumulatesTheStepsBetweenReadings)
{
    TScriptedTicks ticks{{1000, 1010, 1010, 1250, 61250}};
    TTickStopwatch stopwatch(ticks.Source());
    stopwatch.Start();
    EXPECT_TRUE(stopwatch.Running());
    EXPECT_EQ(stopwatch.Elapsed().Total(), 10u);
    EXPECT_EQ(stopwatch.Elapsed().Total(), 10u);  // no time passed
    EXPECT_EQ(stopwatch.Elapsed().Total(), 250u);
    const TTime& time = stopwatch.Elapsed();
    EXPECT_EQ(time.Total(), 60250u);
    EXPECT_EQ(time.Minutes(), 1u);
    EXPECT_EQ(time.Secs(), 0u);
    EXPECT_EQ(time.MSecs(), 250u);
}

TEST(TickStopwatchTest, ACounterWrapAddsTheTrueStep)
{
    // The multimedia timer wraps after 2^32 ms; the step over the wrap is
    // 0x10 + 0x10 = 32 ms.
    TScriptedTicks ticks{{0xFFFFFFE0u, 0xFFFFFFF0u, 0x10u, 0x20u}};
    TTickStopwatch stopwatch(ticks.Source());
    stopwatch.Start();
    EXPECT_EQ(stopwatch.Elapsed().Total(), 16u);
    EXPECT_EQ(stopwatch.Elapsed().Total(), 48u);
    EXPECT_EQ(stopwatch.Elapsed().Total(), 64u);
}

TEST(TickStopwatchTest, TheTotalWrapsAfterTwoToThe32Milliseconds)
{
    TScriptedTicks ticks{{0, 0x80000000u, 0, 5}};
    TTickStopwatch stopwatch(ticks.Source());
    stopwatch.Start();
    EXPECT_EQ(stopwatch.Elapsed().Total(), 0x80000000u);
    EXPECT_EQ(stopwatch.Elapsed().Total(), 0u);
    EXPECT_EQ(stopwatch.Elapsed().Total(), 5u);
}

TEST(TickStopwatchTest, ASecondStartNeitherResetsNorRereads)
{
    TScriptedTicks ticks{{100, 300, 700}};
    TTickStopwatch stopwatch(ticks.Source());
    stopwatch.Start();
    EXPECT_EQ(stopwatch.Elapsed().Total(), 200u);
    stopwatch.Start();
    EXPECT_EQ(ticks.Reads, 2);
    EXPECT_EQ(stopwatch.Elapsed().Total(), 600u);
}
