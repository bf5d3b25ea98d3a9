// The scroll bar's range rules, thumb maths and default layout.
#include <gtest/gtest.h>

#include <climits>

#include "skin/controls/core/SkinScrollMath.h"

TEST(SkinScrollMath, SettersKeepAValidPositionAndAcceptEveryPageThatFits)
{
    TspScrollRange range{0, 100, 10, 0};
    EXPECT_EQ(range.Clamped(500), 91) << "a whole page shows at the end";
    EXPECT_EQ(range.Clamped(-5), 0);

    // With Min 10 the valid last position stays where it is when Max is set again.
    range = TspScrollRange{10, 100, 10, 91};
    range.SetMax(100);
    EXPECT_EQ(range.Position, 91);
    range.SetMax(95);
    EXPECT_EQ(range.Position, 86);
    range.SetMax(5);
    EXPECT_EQ(range.Position, 10) << "never below Min";

    range = TspScrollRange{10, 100, 0, 50};
    EXPECT_TRUE(range.SetPageSize(51)) << "50 − 10 + 51 = 91, the range's width";
    EXPECT_FALSE(range.SetPageSize(52));
    EXPECT_EQ(range.PageSize, 51);
    range = TspScrollRange{0, 100, 0, 100};
    range.SetMax(50);
    EXPECT_EQ(range.Position, 50) << "without a page Position falls to Max";
    range.SetMin(60);
    EXPECT_EQ(range.Position, 60);
    range = TspScrollRange{INT_MIN, INT_MAX, 0, INT_MAX};
    EXPECT_FALSE(range.SetPageSize(INT_MAX)) << "no overflow";
}

TEST(SkinScrollMath, ThumbLengthAndOffsetFollowPageAndPositionWithoutDividingByZero)
{
    EXPECT_EQ(ScrollThumbLength(200, 16, TspScrollRange{0, 99, 10, 0}), 20);
    EXPECT_EQ(ScrollThumbLength(200, 16, TspScrollRange{0, 99, 5, 0}), 16) << "never below the minimum";
    EXPECT_EQ(ScrollThumbLength(200, 16, TspScrollRange{0, 99, 0, 0}), 16);
    EXPECT_EQ(ScrollThumbLength(200, 16, TspScrollRange{5, 3, 1, 0}), 16) << "an empty range";

    EXPECT_EQ(ScrollThumbOffset(200, 20, TspScrollRange{0, 99, 10, 45}, false), 90);
    EXPECT_EQ(ScrollThumbOffset(200, 20, TspScrollRange{0, 99, 10, 90}, false), 180) << "the last position at the end";
    EXPECT_EQ(ScrollThumbOffset(116, 16, TspScrollRange{0, 200, 0, 1}, false), 0) << "0.5 rounds to even";
    EXPECT_EQ(ScrollThumbOffset(116, 16, TspScrollRange{0, 200, 0, 3}, false), 2) << "1.5 rounds to even";
    // The range leaves no room: the divisor is 0.
    EXPECT_EQ(ScrollThumbOffset(100, 30, TspScrollRange{0, 9, 10, 0}, false), 0);
    EXPECT_EQ(ScrollThumbOffset(100, 30, TspScrollRange{0, 9, 10, 0}, true), 70);
}

TEST(SkinScrollMath, DraggingMapsTheThumbOntoTheRangeAndAFullTrackGivesMin)
{
    const TspScrollRange paged = TspScrollRange{0, 100, 10, 0};
    EXPECT_EQ(ScrollDragPosition(500, 180, paged), 91) << "beyond the end";
    EXPECT_EQ(ScrollDragPosition(-40, 180, paged), 0);
    EXPECT_EQ(ScrollDragPosition(90, 180, paged), 46);
    EXPECT_EQ(ScrollDragPosition(50, 0, TspScrollRange{10, 100, 0, 10}), 10) << "the thumb fills the track";
}

TEST(SkinScrollMath, DefaultPartsPutTheDownButtonFirstAndLeaveTheMarkerFree)
{
    const TspScrollBarParts h = DefaultScrollBarParts(false, 200 - 20, 20);
    EXPECT_EQ(h.DownButton, (TRect{1, 1, 17, 19}));
    EXPECT_EQ(h.Track, (TRect{17, 1, 163, 19}));
    EXPECT_EQ(DefaultScrollBarParts(true, 100, 20).UpButton, (TRect{1, 83, 19, 99}));
}

TEST(SkinUpDownStepper, AShortClickStepsOnceAndAHeldButtonRepeatsAfterTheFirstTick)
{
    TspUpDownStepper stepper;
    stepper.Max = 10;
    stepper.Increment = 3;
    stepper.Press(true);
    EXPECT_EQ(stepper.Position(), 0) << "no step on the press";
    EXPECT_EQ(stepper.TimerInterval(), 500);
    EXPECT_TRUE(stepper.Release(true));
    EXPECT_EQ(stepper.Position(), 3);
    EXPECT_EQ(stepper.TimerInterval(), 0);

    stepper.Press(true);
    EXPECT_FALSE(stepper.Tick()) << "the first tick only sets the pace";
    EXPECT_EQ(stepper.TimerInterval(), 100);
    EXPECT_TRUE(stepper.Tick());
    EXPECT_EQ(stepper.Position(), 6);
    stepper.Leave();
    EXPECT_FALSE(stepper.Tick()) << "stopped off the button";
    stepper.Reenter();
    EXPECT_EQ(stepper.TimerInterval(), 50);
    EXPECT_TRUE(stepper.Tick());
    EXPECT_FALSE(stepper.Tick()) << "12 would leave the range";
    EXPECT_EQ(stepper.Position(), 9);
    EXPECT_FALSE(stepper.Release(true));

    EXPECT_FALSE(stepper.SetPosition(11));
    EXPECT_FALSE(stepper.SetPosition(-1));
    stepper.SetMax(4);
    EXPECT_EQ(stepper.Position(), 4);
    stepper.Increment = 0;
    stepper.Press(false);
    EXPECT_EQ(stepper.TimerInterval(), 0) << "nothing to repeat";
}
