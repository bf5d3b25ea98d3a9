#include "skin/core/SkinFrameObjectValues.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

// Its steps are the menu items' (SkinMenuLayoutTest); a factor set from
// outside is held to the ten tenths.
TEST(SkinFrameObjectValuesTest, MorphPositionIsHeldToItsRange)
{
    TSkinMorphPosition m;
    m.SetKf(7.0);
    EXPECT_EQ(m.Kf(), 1.0);
    EXPECT_FALSE(m.CanStep(true));
    m.SetKf(-1.0);
    EXPECT_EQ(m.Tenths, 0);
}

TEST(SkinFrameObjectValuesTest, TrackBarValueAndPositionAgree)
{
    const TSkinTrackBarGeometry horizontal{{10, 5}, {110, 5}, 0, 50};
    const TSkinTrackBarGeometry vertical{{5, 90}, {5, 10}, -20, 20};
    ASSERT_FALSE(horizontal.Vertical());
    ASSERT_TRUE(vertical.Vertical());
    for (int v = 0; v <= 50; ++v)
        EXPECT_EQ(horizontal.PositionToValue(horizontal.ValueToPosition(v)), v);
    for (int v = -20; v <= 20; ++v)
        EXPECT_EQ(vertical.PositionToValue(vertical.ValueToPosition(v)), v);
    EXPECT_EQ(horizontal.ValueToPosition(25), (TPoint{60, 5}));
    EXPECT_EQ(vertical.ValueToPosition(-20), (TPoint{5, 90}));  // min at the begin (bottom)
    EXPECT_EQ(vertical.ValueToPosition(20), (TPoint{5, 10}));
    // Half a step rounds to even: x = 11 is value 0.5 of 50 per 100 px.
    EXPECT_EQ(horizontal.PositionToValue({11, 5}), 0);
    EXPECT_EQ(horizontal.PositionToValue({13, 5}), 2);
    EXPECT_EQ(horizontal.ClampToTrack(200), 110);
    EXPECT_EQ(vertical.ClampToTrack(0), 10);

    // No range or no track: value at min, button at the begin.
    const TSkinTrackBarGeometry noRange{{10, 5}, {110, 5}, 7, 7};
    EXPECT_EQ(noRange.ValueToPosition(7), (TPoint{10, 5}));
    const TSkinTrackBarGeometry noTrack{{10, 5}, {10, 5}, 0, 50};
    EXPECT_EQ(noTrack.PositionToValue({10, 5}), 0);
    EXPECT_EQ(noTrack.ValueToPosition(30), (TPoint{10, 5}));
}

TEST(SkinFrameObjectValuesTest, FrameIndexesStayInsideTheStrip)
{
    // 0..6 over 4 frames: a step of 2.
    EXPECT_EQ(FrameGaugeFrame(3, 0, 6, 4), 2);
    EXPECT_EQ(FrameGaugeFrame(6, 0, 6, 4), 4);
    // 0..5 over 4 frames: a step of 1, and value 5 would be frame 6.
    EXPECT_EQ(FrameGaugeFrame(5, 0, 5, 4), 4);
    EXPECT_EQ(FrameGaugeFrame(3, 0, 2, 4), 1);  // step 0
    EXPECT_EQ(FrameGaugeFrame(9, 0, 9, 1), 1);  // fewer than two frames

    TSkinRegulatorDrag drag{0, 100};
    drag.SetSteps(40, 5);  // 10 px per step of 25
    EXPECT_EQ(drag.PixelStep, 10);
    EXPECT_EQ(drag.ValueStep, 25);
    // Each move of at least 10 pixels from the last step is one step.
    int value = 50;
    for (const auto& [to, expected] : {std::pair{9, 50}, {10, 75}, {25, 100}, {40, 100}, {20, 75}}) {
        value = drag.Move(value, to);
        EXPECT_EQ(value, expected) << to;
    }
    // One frame or a short span: steps of at least 1.
    drag.SetSteps(3, 1);
    EXPECT_EQ(drag.PixelStep, 3);
    EXPECT_EQ(drag.ValueStep, 100);
    drag.SetSteps(3, 10);
    EXPECT_EQ(drag.PixelStep, 1);
    TSkinRegulatorDrag flat{5, 5};
    flat.SetSteps(40, 5);
    EXPECT_EQ(flat.ValueStep, 1);
}

// Ranges and lengths from a skin are any int: the value logic works in a
// wider type (UBSan stops the native run at an overflow).
TEST(SkinFrameObjectValuesTest, WildSkinValuesSaturate)
{
    const TSkinTrackBarGeometry track{{10, 5}, {110, 5}, INT_MIN, INT_MAX};
    EXPECT_EQ(track.PositionToValue(track.ValueToPosition(INT_MAX)), INT_MAX);
    const TSkinTrackBarGeometry wide{{INT_MIN, 0}, {INT_MAX, 1}, 0, 10};
    EXPECT_FALSE(wide.Vertical());
    EXPECT_EQ(wide.ValueToPosition(10).X, INT_MAX);
    TSkinRegulatorDrag drag{INT_MIN, INT_MAX};
    drag.SetSteps(INT_MIN, INT_MIN);
    EXPECT_EQ(drag.Move(0, INT_MAX), INT_MAX);
    EXPECT_EQ(drag.Move(INT_MAX, INT_MIN), 0);
    EXPECT_EQ(FrameGaugeFrame(INT_MAX, INT_MIN, INT_MAX, INT_MAX), INT_MAX);
}

TEST(SkinFrameObjectValuesTest, AnimationStepsForwardWrapsStopsAndRunsBack)
{
    // One frame every 50 ms: a change on every second tick after the first.
    TSkinAnimationState a;
    a.Running = true;
    std::vector<int> frames;
    for (int tick = 0; tick < 12; ++tick)
        if (a.Tick(3, true, 50))
            frames.push_back(a.Frame);
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 1, 2, 3}));

    TSkinAnimationState once;
    once.Running = true;
    frames.clear();
    for (int tick = 0; tick < 20 && once.Running; ++tick)
        if (once.Tick(3, false, 25))
            frames.push_back(once.Frame);
    EXPECT_EQ(frames, (std::vector<int>{2, 3}));
    EXPECT_FALSE(once.Running);

    once.Forward = false;
    once.Running = true;
    frames.clear();
    for (int tick = 0; tick < 20 && once.Running; ++tick)
        if (once.Tick(3, false, 10))  // an interval below 25 counts as 25
            frames.push_back(once.Frame);
    EXPECT_EQ(frames, (std::vector<int>{2, 1}));
    EXPECT_FALSE(once.Running);
    EXPECT_FALSE(once.Tick(3, false, 25));
}
