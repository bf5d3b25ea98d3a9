#include "gl/core/FramePacing.h"

#include <gtest/gtest.h>

TEST(FramePacing, AFrameWaitsOutWhatIsLeftOfThePeriodSinceThePreviousStart)
{
    struct Case {
        const char* name;
        int hertz;
        double now;  // seconds after the previous frame's start at 10 s
        int waitMs;
    } cases[] = {
        {"at once, 60 Hz", 60, 0.0, 16},
        {"after 5 ms", 60, 0.005, 11},
        {"a whole period later", 60, 1.0 / 60, 0},
        {"late", 60, 0.5, 0},
        {"less than a millisecond left", 60, 0.0162, 0},
        {"a rate of 0 is 60 Hz", 0, 0.002, 14},
        {"a rate of 1 is 60 Hz", 1, 0.002, 14},
        {"75 Hz", 75, 0.0, 13},
        {"24 Hz", 24, 0.001, 40},
        {"the clock went back", 60, -0.5, 0},
    };
    for (const Case& c : cases) {
        TFramePacing pacing;
        pacing.SetRefreshRate(c.hertz);
        EXPECT_EQ(pacing.WaitMilliseconds(10.0), 0) << c.name << ": no frame yet";
        pacing.FrameStarted(10.0);
        EXPECT_EQ(pacing.WaitMilliseconds(10.0 + c.now), c.waitMs) << c.name;
    }
}
