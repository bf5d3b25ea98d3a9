#include "skin/core/SkinMenuLayout.h"

#include <gtest/gtest.h>

namespace {

const TRect WorkArea{0, 0, 1000, 800};

struct TPlacementCase {
    const char* Name;
    TRect R;
    int Height;
    bool SubMenu, Scrolling, Up;
    TPoint Expected;
};

TspSkinMenuLevelLayout ScrollingLevel()
{
    // Ten items of 20 in a level cut to 100: 3 shown between the markers.
    TspSkinMenuLevelLayout layout;
    layout.Heights.assign(10, 20);
    layout.Usable.assign(10, true);
    const TspSkinMenuLevelSize size = SkinMenuLevelSize(80, 16, layout.Heights, nullptr, {}, nullptr, 100);
    EXPECT_TRUE(size.Scrolling);
    EXPECT_EQ(size.Height, 100);
    layout.ItemsRect = size.ItemsRect;
    layout.Scrolling = size.Scrolling;
    layout.CalcItemRects();
    return layout;
}

}  // namespace

// Levels of width 100 with the first item 3 below their top, in a work
// area of 1000 x 800 (middle 400).
TEST(SkinMenuLayoutTest, PlacementKeepsLevelsInsideTheWorkArea)
{
    const TPlacementCase cases[] = {
        {"down when it fits", {50, 100, 50, 100}, 200, false, false, false, {50, 100}},
        {"lower half: up, x kept", {50, 700, 50, 700}, 200, false, false, false, {50, 500}},
        {"upper half: pushed, beside", {50, 300, 50, 300}, 600, false, false, false, {51, 200}},
        {"no room either way: top, beside", {50, 500, 50, 500}, 750, false, false, false, {51, 0}},
        {"kept left of the right edge", {950, 100, 950, 100}, 200, false, false, false, {900, 100}},
        {"pushed, no room right: left of it", {950, 300, 950, 300}, 600, false, false, false, {849, 200}},
        {"up when it fits", {50, 500, 150, 520}, 200, false, false, true, {50, 300}},
        {"up, lower half, no room: top, beside", {50, 450, 150, 470}, 600, false, false, true, {151, 0}},
        {"up, upper half: below instead", {50, 100, 150, 120}, 300, false, false, true, {50, 120}},
        {"up, upper half, no room: pushed, beside", {50, 100, 150, 120}, 750, false, false, true, {151, 50}},
        {"submenu level with its item", {200, 100, 300, 120}, 200, true, false, false, {301, 97}},
        {"submenu too low, upper half: on the bottom", {200, 300, 300, 320}, 750, true, false, false, {301, 50}},
        {"submenu too low: last item level", {200, 700, 300, 720}, 200, true, false, false, {301, 523}},
        {"submenu too tall for that: at the top", {200, 700, 300, 720}, 780, true, false, false, {301, 0}},
        {"scrolling level: top, beside", {50, 300, 50, 300}, 800, false, true, false, {51, 0}},
    };
    for (const TPlacementCase& c : cases)
        EXPECT_EQ(SkinMenuPlacement(c.R, WorkArea, 100, c.Height, 3, c.SubMenu, c.Scrolling, c.Up), c.Expected)
            << c.Name;
}

TEST(SkinMenuLayoutTest, LevelSizesWithAndWithoutSkinRecords)
{
    // Default: items ItemHeight, separators 4; 10 wider and 6 taller.
    const std::vector<int> heights = {SkinMenuItemHeight(false, nullptr, 20), SkinMenuItemHeight(true, nullptr, 20),
                                      SkinMenuItemHeight(false, nullptr, 20)};
    const TspSkinMenuLevelSize plain = SkinMenuLevelSize(80, 16, heights, nullptr, {}, nullptr, 800);
    EXPECT_EQ(plain.Width, 122);
    EXPECT_EQ(plain.Height, 50);
    EXPECT_EQ(plain.ItemsRect, (TRect{3, 3, 119, 47}));
    TspSkinMenuLevelLayout layout;
    layout.Heights = heights;
    layout.ItemsRect = plain.ItemsRect;
    layout.CalcItemRects();
    EXPECT_EQ(layout.ItemRects[1], (TRect{3, 23, 119, 27}));
    EXPECT_EQ(layout.ItemAtPos(50, 30), 2);
    EXPECT_EQ(layout.ItemAtPos(50, 47), -1);

    // Skinned: a 100 x 100 window picture with items in (5, 6, 95, 90).
    TspDataSkinPopupWindow popup;
    popup.ItemsRect = {5, 6, 95, 90};
    popup.RightTopPoint = {90, 3};
    popup.RightBottomPoint = {98, 97};
    TspDataSkinMenuItem item("menuitem");
    item.SkinRect = {0, 0, 80, 20};
    item.DividerRect = {0, 20, 80, 26};
    item.TextRect = {4, 0, 70, 20};
    const std::vector<int> skinned = {SkinMenuItemHeight(false, &item, 20), SkinMenuItemHeight(true, &item, 20)};
    EXPECT_EQ(skinned, (std::vector<int>{20, 6}));
    const TspSkinMenuLevelSize size = SkinMenuLevelSize(80, 16, skinned, &popup, {100, 100}, &item, 800);
    EXPECT_EQ(size.Width, 80 + 16 + 16 + 4 + (80 - 70) + 5 + (100 - 95));
    EXPECT_EQ(size.Height, 26 + 6 + 10);
    EXPECT_EQ(size.ItemsRect, (TRect{5, 6, size.Width - 5, size.Height - 10}));
    EXPECT_EQ(size.NewRBPoint, (TPoint{98 + size.Width - 100, 97 + size.Height - 100}));
    // A skinned window without an item record: default items, the window's margins.
    const TspSkinMenuLevelSize noItem = SkinMenuLevelSize(80, 16, heights, &popup, {100, 100}, nullptr, 800);
    EXPECT_EQ(noItem.Width, 80 + 16 + 16 + 5 + 5);
    EXPECT_EQ(noItem.Height, 44 + 6 + 10);
}

TEST(SkinMenuLayoutTest, TallLevelsScrollBetweenTheMarkersAndWrap)
{
    TspSkinMenuLevelLayout layout = ScrollingLevel();
    EXPECT_EQ(layout.VisibleCount, 3);
    EXPECT_EQ(layout.ItemRects[0].Top, 13);  // below the top marker
    EXPECT_FALSE(layout.CanScroll(1));
    EXPECT_TRUE(layout.CanScroll(2));
    for (int i = 0; i < 7; ++i)
        layout.ScrollDown(false);
    EXPECT_EQ(layout.TopIndex, 7);
    EXPECT_FALSE(layout.CanScroll(2));
    layout.ScrollDown(false);
    EXPECT_EQ(layout.TopIndex, 7);
    layout.ScrollDown(true);
    EXPECT_EQ(layout.TopIndex, 0);
    layout.ScrollUp(true);  // to the last page, its last item at the bottom
    EXPECT_EQ(layout.TopIndex, 7);
    EXPECT_EQ(layout.ItemAtPos(10, 20), 7);
    layout.ScrollUp(false);
    EXPECT_EQ(layout.TopIndex, 6);
}

TEST(SkinMenuLayoutTest, ArrowKeysSkipUnusableItemsAndScrollTheSelectionIntoView)
{
    TspSkinMenuLevelLayout layout;
    layout.Heights.assign(6, 20);
    layout.Usable = {false, true, false, true, false, false};
    EXPECT_EQ(layout.WalkDown(1), 3);
    EXPECT_EQ(layout.WalkDown(3), 3);  // only unusable items follow: kept
    EXPECT_EQ(layout.WalkDown(5), 1);  // from the last item (or none): the first usable one
    EXPECT_EQ(layout.WalkUp(3), 1);
    EXPECT_EQ(layout.WalkUp(-1), 3);   // from none (or the first): the last usable one

    TspSkinMenuLevelLayout tall = ScrollingLevel();
    EXPECT_EQ(tall.WalkDown(2), 3);
    EXPECT_EQ(tall.TopIndex, 1);
    EXPECT_EQ(tall.WalkDown(9), 0);
    EXPECT_EQ(tall.TopIndex, 0);
}

// Record values are any int: a level's sizes, item rectangles, scrolling
// and placement hold them to a safe range (UBSan stops the native run at an
// overflow), and walking a level whose items never fit still ends.
TEST(SkinMenuLayoutTest, WildRecordValuesStayInRange)
{
    for (const int v : {INT_MIN, INT_MAX}) {
        TspDataSkinPopupWindow popup;
        popup.ItemsRect = {2, 2, 60, 40};
        popup.RightTopPoint = popup.LeftBottomPoint = popup.RightBottomPoint = {v, v};
        TspDataSkinMenuItem item("menuitem");
        item.SkinRect = item.DividerRect = item.TextRect = {~v, ~v, v, v};
        TspSkinMenuLevelLayout layout;
        layout.Heights = {20, SkinMenuItemHeight(true, &item, 20), SkinMenuItemHeight(false, &item, 20)};
        layout.Usable = {true, false, true};
        const TspSkinMenuLevelSize size = SkinMenuLevelSize(v, v, layout.Heights, &popup, {v, v}, &item, 600);
        layout.ItemsRect = size.ItemsRect;
        layout.Scrolling = size.Scrolling;
        layout.CalcItemRects();
        layout.ScrollUp(true);
        EXPECT_EQ(layout.WalkDown(0), 2);
        SkinMenuPlacement({v, v, v, v}, WorkArea, size.Width, size.Height, v, true, false, false);
        SkinMenuPlacement({v, v, v, v}, WorkArea, size.Width, size.Height, v, false, false, true);
    }
}

// Tenths, not repeated sums of 0.1: ten steps end exactly at 1, and a
// highlight left after four steps fades back in four.
TEST(SkinMenuLayoutTest, MorphTakesTenStepsAndReversesFromWhereItIs)
{
    int tenths = 0;
    int steps = 0;
    while (SkinMenuMorphStep(tenths, true))
        ++steps;
    EXPECT_EQ(steps, 10);
    EXPECT_EQ(tenths / 10.0, 1.0);
    tenths = 0;
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(SkinMenuMorphStep(tenths, true));
    steps = 0;
    while (SkinMenuMorphStep(tenths, false))
        ++steps;
    EXPECT_EQ(steps, 4);
    EXPECT_EQ(tenths, 0);
}
