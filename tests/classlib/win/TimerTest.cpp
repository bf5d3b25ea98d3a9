// The timer component under Wine: it fires from the message loop, stops at
// interval 0, never after it is freed, and survives an exception in its
// handler.
#include <gtest/gtest.h>

#include <memory>

#include "UiTestSupport.h"
#include "classlib/ui/Timer.h"

namespace {

using uitest::UiTest;

class TimerTest : public UiTest {};

TEST_F(TimerTest, FiresRepeatedlyStopsAtIntervalZeroAndNeverAfterItIsFreed)
{
    auto timer = std::make_unique<TTimer>(nullptr);
    int fired = 0;
    timer->OnTimer = [&, sender = timer.get()](TObject* s) {
        EXPECT_EQ(s, sender);
        ++fired;
    };
    timer->SetInterval(10);
    EXPECT_TRUE(RunScenario([&] {
        EXPECT_TRUE(PumpUntil([&] { return fired >= 3; }));
        timer->SetInterval(0);
        const int stoppedAt = fired;
        EXPECT_FALSE(PumpUntil([&] { return fired > stoppedAt; }, std::chrono::milliseconds(150)));
        timer->SetInterval(1);
        EXPECT_TRUE(PumpUntil([&] { return fired > stoppedAt; }));
        Sleep(20);  // ticks are due when it goes
        timer.reset();
        const int freedAt = fired;
        EXPECT_FALSE(PumpUntil([&] { return fired > freedAt; }, std::chrono::milliseconds(80)));
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

}  // namespace
