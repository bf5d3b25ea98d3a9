#include "app/core/Stopwatch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <vector>

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

}  // namespace

TEST(TickStopwatchTest, TimeSplitsTheLargestTotalAndTheStopwatchWraps)
{
    TTime time;
    time.SetMilliseconds(UINT32_MAX);  // 49 days 17:02:47.295
    EXPECT_EQ((std::vector<uint32_t>{time.Days(), time.Hours(), time.Minutes(), time.Secs(), time.MSecs()}),
              (std::vector<uint32_t>{49, 17, 2, 47, 295}));
    EXPECT_DOUBLE_EQ(static_cast<double>(time.GetSeconds()), 4294967.295);

    // The stopwatch accumulates steps from the first start and wraps after 2^32 ms.
    TScriptedTicks ticks{{1000, 1010, 1250, 1250}};
    TTickStopwatch stopwatch(ticks.Source());
    EXPECT_EQ(stopwatch.Elapsed().Total(), 0u);
    EXPECT_EQ(ticks.Reads, 0) << "elapsed before the start does not read the source";
    stopwatch.Start();
    EXPECT_EQ(stopwatch.Elapsed().Total(), 10u);
    stopwatch.Start();  // a second start neither resets nor rereads
    EXPECT_EQ(ticks.Reads, 2);
    EXPECT_EQ(stopwatch.Elapsed().Total(), 250u);

    // The step over the counter's wrap is 0x10 + 0x10 = 32 ms; the total wraps too.
    TScriptedTicks wrap{{0xFFFFFFE0u, 0xFFFFFFF0u, 0x10u, 0x80000010u, 0x10u}};
    TTickStopwatch over(wrap.Source());
    over.Start();
    for (uint32_t total : {16u, 48u, 0x80000030u, 0x30u})
        EXPECT_EQ(over.Elapsed().Total(), total);
}
