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
    ExpectSplit(time, 0, 0, 0, 0, 0);
}

TEST(TickStopwatchTest, AccumulatesTheStepsBetweenReadingsFromTheFirstStart)
{
    TScriptedTicks ticks{{1000, 1010, 1010, 1250, 61250}};
    TTickStopwatch stopwatch(ticks.Source());
    EXPECT_EQ(stopwatch.Elapsed().Total(), 0u);
    EXPECT_EQ(ticks.Reads, 0) << "elapsed before the start does not read the source";
    stopwatch.Start();
    EXPECT_TRUE(stopwatch.Running());
    for (uint32_t total : {10u, 10u, 250u, 60250u})
        EXPECT_EQ(stopwatch.Elapsed().Total(), total);

    // A second start neither resets nor rereads.
    TScriptedTicks again{{100, 300, 700}};
    TTickStopwatch second(again.Source());
    second.Start();
    EXPECT_EQ(second.Elapsed().Total(), 200u);
    second.Start();
    EXPECT_EQ(again.Reads, 2);
    EXPECT_EQ(second.Elapsed().Total(), 600u);
}

TEST(TickStopwatchTest, CounterAndTotalWrapAfterTwoToThe32Milliseconds)
{
    // The step over the counter's wrap is 0x10 + 0x10 = 32 ms.
    TScriptedTicks ticks{{0xFFFFFFE0u, 0xFFFFFFF0u, 0x10u, 0x20u}};
    TTickStopwatch stopwatch(ticks.Source());
    stopwatch.Start();
    for (uint32_t total : {16u, 48u, 64u})
        EXPECT_EQ(stopwatch.Elapsed().Total(), total);

    TScriptedTicks half{{0, 0x80000000u, 0, 5}};
    TTickStopwatch total(half.Source());
    total.Start();
    for (uint32_t value : {0x80000000u, 0u, 5u})
        EXPECT_EQ(total.Elapsed().Total(), value);
}
