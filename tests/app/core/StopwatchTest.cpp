#include "app/core/Stopwatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// A tick source that plays a script of readings, repeating the last, and
// counts the reads.
TTickSource Script(const std::vector<uint32_t>& readings, int& reads)
{
    return [&readings, &reads] { return readings[std::min(static_cast<size_t>(reads++), readings.size() - 1)]; };
}

}  // namespace

TEST(TickStopwatchTest, TimeSplitsTheLargestTotalAndTheStopwatchWraps)
{
    TTime time;
    time.SetMilliseconds(UINT32_MAX);  // 49 days 17:02:47.295
    EXPECT_EQ((std::vector<uint32_t>{time.Days(), time.Hours(), time.Minutes(), time.Secs(), time.MSecs()}),
              (std::vector<uint32_t>{49, 17, 2, 47, 295}));
    EXPECT_DOUBLE_EQ(static_cast<double>(time.GetSeconds()), 4294967.295);

    // The stopwatch accumulates steps from the first start and wraps after 2^32 ms.
    const std::vector<uint32_t> ticks = {1000, 1010, 1250};
    int reads = 0;
    TTickStopwatch stopwatch(Script(ticks, reads));
    EXPECT_EQ(stopwatch.Elapsed().Total(), 0u);
    EXPECT_EQ(reads, 0) << "elapsed before the start does not read the source";
    stopwatch.Start();
    EXPECT_EQ(stopwatch.Elapsed().Total(), 10u);
    stopwatch.Start();  // a second start neither resets nor rereads
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(stopwatch.Elapsed().Total(), 250u);

    // The step over the counter's wrap is 0x10 + 0x10 = 32 ms; the total wraps too.
    const std::vector<uint32_t> wrap = {0xFFFFFFE0u, 0xFFFFFFF0u, 0x10u, 0x80000010u, 0x10u};
    int wrapReads = 0;
    TTickStopwatch over(Script(wrap, wrapReads));
    over.Start();
    for (uint32_t total : {16u, 48u, 0x80000030u, 0x30u})
        EXPECT_EQ(over.Elapsed().Total(), total);
}
