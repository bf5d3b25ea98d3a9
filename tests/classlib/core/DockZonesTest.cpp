#include "classlib/core/DockZones.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// A 300 x 90 area away from the origin: thirds of 100 across, 30 down.
const TRect Area{100, 50, 400, 140};

TEST(DockZonesTest, EdgeThirdsDockOnTheirEdgeAndTheMiddleFills)
{
    const struct {
        TPoint Point;
        TDockZone Zone;
    } cases[] = {
        {{250, 95}, TDockZone::Client},
        {{100, 95}, TDockZone::Left},    // on the edge
        {{199, 95}, TDockZone::Left},    // the third's last pixel
        {{200, 95}, TDockZone::Client},  // the middle's first
        {{399, 95}, TDockZone::Right},
        {{300, 95}, TDockZone::Right},   // 99 from the right edge's pixel
        {{299, 95}, TDockZone::Client},
        {{250, 79}, TDockZone::Top},
        {{250, 80}, TDockZone::Client},
        {{250, 110}, TDockZone::Bottom},
        {{250, 109}, TDockZone::Client},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DockZoneAt(Area, c.Point), c.Zone) << c.Point.X << "," << c.Point.Y;
}

// In a corner the point lies in two edge thirds: the nearer edge wins, the
// first of left, top, right, bottom on a tie.
TEST(DockZonesTest, ACornerGoesToTheNearerEdge)
{
    EXPECT_EQ(DockZoneAt(Area, {105, 70}), TDockZone::Left);     // 5 from the left, 20 from the top
    EXPECT_EQ(DockZoneAt(Area, {150, 52}), TDockZone::Top);      // 50 and 2
    EXPECT_EQ(DockZoneAt(Area, {398, 138}), TDockZone::Right);   // 1 and 1: right before bottom
    EXPECT_EQ(DockZoneAt(Area, {380, 139}), TDockZone::Bottom);  // 19 and 0
    EXPECT_EQ(DockZoneAt(Area, {100, 50}), TDockZone::Left);     // 0 and 0: left before top
}

TEST(DockZonesTest, PointsOutsideCountBeyondTheirNearestEdgeAndEmptyAreasFill)
{
    EXPECT_EQ(DockZoneAt(Area, {40, 95}), TDockZone::Left);
    EXPECT_EQ(DockZoneAt(Area, {250, 500}), TDockZone::Bottom);
    EXPECT_EQ(DockZoneAt(Area, {INT_MIN, INT_MAX}), TDockZone::Left) << "no overflow at the extremes";
    EXPECT_EQ(DockZoneAt(TRect{10, 10, 10, 50}, {10, 30}), TDockZone::Client) << "no width";
    EXPECT_EQ(DockZoneAt(TRect{}, {0, 0}), TDockZone::Client);
    // One pixel wide: both side thirds hold it, the left one wins.
    EXPECT_EQ(DockZoneAt(TRect{0, 0, 1, 90}, {0, 45}), TDockZone::Left);
}

TEST(DockZonesTest, TheLandingStripKeepsTheControlsSizeAcrossItsEdgeInsideTheArea)
{
    EXPECT_EQ(DockZoneRect(Area, TDockZone::Left, 40, 999), (TRect{100, 50, 140, 140}));
    EXPECT_EQ(DockZoneRect(Area, TDockZone::Right, 40, 999), (TRect{360, 50, 400, 140}));
    EXPECT_EQ(DockZoneRect(Area, TDockZone::Top, 999, 20), (TRect{100, 50, 400, 70}));
    EXPECT_EQ(DockZoneRect(Area, TDockZone::Bottom, 999, 20), (TRect{100, 120, 400, 140}));
    EXPECT_EQ(DockZoneRect(Area, TDockZone::Client, 40, 20), Area);
    // Larger than the area, or negative: held to it.
    EXPECT_EQ(DockZoneRect(Area, TDockZone::Left, 1000, 0), Area);
    EXPECT_EQ(DockZoneRect(Area, TDockZone::Bottom, 0, -5), (TRect{100, 140, 400, 140}));
    EXPECT_EQ(DockZoneRect(TRect{10, 10, 0, 0}, TDockZone::Top, 5, 5), (TRect{10, 10, 0, 10})) << "inverted area";
}

}  // namespace
