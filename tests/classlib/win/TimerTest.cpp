// The timer component under Wine: it fires from the message loop, stops at
// interval 0 or when disabled, and survives an exception in its handler.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "classlib/ui/Timer.h"

namespace {

using uitest::UiTest;

class TimerTest : public UiTest {};

TEST_F(TimerTest, FiresRepeatedlyAndStopsAtIntervalZero)
{
    TTimer timer(nullptr);
    int fired = 0;
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++fired;
    };
    timer.SetInterval(10);
    EXPECT_TRUE(RunScenario([&] {
        EXPECT_TRUE(PumpUntil([&] { return fired >= 3; }));
        timer.SetInterval(0);
        const int stoppedAt = fired;
        EXPECT_FALSE(PumpUntil([&] { return fired > stoppedAt; }, std::chrono::milliseconds(150)));
        timer.SetInterval(10);
        EXPECT_TRUE(PumpUntil([&] { return fired > stoppedAt; }));
    }));
}

TEST_F(TimerTest, AnExceptionInOnTimerIsReportedAndTheTimerGoesOn)
{
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int fired = 0;
    timer.OnTimer = [&](TObject*) {
        ++fired;
        throw EConvertError("tick " + std::to_string(fired));
    };
    EXPECT_TRUE(RunScenario([&] { EXPECT_TRUE(PumpUntil([&] { return fired >= 2; })); }));
    ASSERT_GE(Errors.size(), 2u);
    EXPECT_EQ(Errors[0], "tick 1");
    EXPECT_EQ(Errors[1], "tick 2");
    EXPECT_EQ(ErrorSenders[0], &timer);
}

TEST_F(TimerTest, FreedTimerFiresNoMore)
{
    int fired = 0;
    {
        TTimer timer(nullptr);
        timer.SetInterval(1);
        timer.OnTimer = [&](TObject*) { ++fired; };
        Sleep(20);
    }
    EXPECT_FALSE(PumpUntil([&] { return fired > 0; }, std::chrono::milliseconds(80)));
}

}  // namespace
