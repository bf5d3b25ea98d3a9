#include <gtest/gtest.h>

#include "classlib/core/MdiClientArea.h"

// Each side is bounded by the box reaching furthest into the area; without
// boxes the whole client area is left.
TEST(MdiClientArea, AlignedBoxesBoundEachSide)
{
    EXPECT_EQ(MdiClientArea(300, 200, {}), (TRect{0, 0, 300, 200}));
    const std::vector<TAlignedBox> boxes = {
        {TAlignedSide::Top, {0, 0, 300, 22}},      {TAlignedSide::Top, {0, 22, 300, 40}},
        {TAlignedSide::Bottom, {0, 180, 300, 200}}, {TAlignedSide::Bottom, {0, 170, 300, 180}},
        {TAlignedSide::Left, {0, 40, 50, 170}},     {TAlignedSide::Right, {260, 40, 300, 170}},
        {TAlignedSide::Right, {240, 40, 260, 170}},
    };
    EXPECT_EQ(MdiClientArea(300, 200, boxes), (TRect{50, 40, 240, 170}));
    // The order of the boxes does not matter.
    const std::vector<TAlignedBox> reversed(boxes.rbegin(), boxes.rend());
    EXPECT_EQ(MdiClientArea(300, 200, reversed), (TRect{50, 40, 240, 170}));
}
