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

// The first two ticks throw: each is reported with the timer as the sender,
// and the ticks go on.
TEST_F(TimerTest, FiresRepeatedlyThroughExceptionsStopsAtIntervalZeroAndNeverAfterItIsFreed)
{
    auto timer = std::make_unique<TTimer>(nullptr);
    TTimer* const sender = timer.get();
    int fired = 0;
    timer->OnTimer = [&](TObject* s) {
        EXPECT_EQ(s, sender);
        if (++fired <= 2)
            throw EConvertError("tick " + std::to_string(fired));
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
    EXPECT_EQ(Errors, (std::vector<std::string>{"tick 1", "tick 2"}));
    EXPECT_EQ(ErrorSenders, (std::vector<TObject*>{sender, sender}));
}

}  // namespace
