#include "skin/core/MenuBarLayout.h"

#include <gtest/gtest.h>

namespace {

std::vector<TMenuBarItemSlot> Items(std::initializer_list<int> widths)
{
    std::vector<TMenuBarItemSlot> items;
    for (int w : widths) {
        TMenuBarItemSlot slot;
        slot.Width = w;
        items.push_back(slot);
    }
    return items;
}

// Items that do not fit are hidden from the right, out of reach of the
// walks and the accelerators, and the track-mark menu starts at the first
// of them; widening the bar brings them back with their own Enabled.
TEST(MenuBarLayout, HidesItemsFromTheRightAndBringsThemBack)
{
    const TRect band = MenuBarItemsRect(false, {}, 0, 124, 22);
    EXPECT_EQ(band, (TRect{2, 2, 122, 20}));
    auto items = Items({40, 40, 40, 10});
    items[3].Enabled = false;
    ASSERT_TRUE(PlaceMenuBarItems(band, items));
    EXPECT_EQ(items[1].ObjectRect, (TRect{42, 2, 82, 20}));
    EXPECT_TRUE(items[1].Visible);
    EXPECT_FALSE(items[2].Visible);  // right edge 122 passes 117
    EXPECT_FALSE(items[2].Enabled);
    EXPECT_EQ(MenuBarShownCount(items), 2);
    EXPECT_EQ(MenuBarTrackMarkRect(band), (TRect{117, 2, 122, 20}));

    EXPECT_EQ(MenuBarNextItem(items, 1), 0);
    EXPECT_EQ(MenuBarPrevItem(items, 0), 1);
    EXPECT_EQ(MenuBarFindAccelItem(items, {"&File", "&Edit", "&View", "&Help"}, 'v'), -1);
    EXPECT_EQ(MenuBarFindAccelItem(items, {"&File", "&Edit", "&View", "&Help"}, 'e'), 1);

    // Placing twice while hidden keeps the saved state.
    ASSERT_TRUE(PlaceMenuBarItems(band, items));
    ASSERT_FALSE(PlaceMenuBarItems({2, 2, 300, 20}, items));
    EXPECT_TRUE(items[2].Visible);
    EXPECT_TRUE(items[2].Enabled);
    EXPECT_TRUE(items[3].Visible);
    EXPECT_FALSE(items[3].Enabled);
    EXPECT_EQ(MenuBarFindAccelItem(items, {"&File", "&Edit", "&View", "&Help"}, 'V'), 2);

    // The walks pass over a disabled item as over a hidden one, walk back
    // from the last item when none is current, and find nothing when
    // nothing is reachable.
    EXPECT_EQ(MenuBarNextItem(items, 2), 0);
    items[3].Enabled = true;
    EXPECT_EQ(MenuBarPrevItem(items, -1), 3);
    for (TMenuBarItemSlot& item : items)
        item.Enabled = false;
    EXPECT_EQ(MenuBarNextItem(items, -1), -1);
    EXPECT_EQ(MenuBarPrevItem({}, -1), -1);
}

// The MDI buttons take the band's ends: the system-menu button the left,
// close, maximize and minimize the right in that order; the items start
// after them, and without buttons the band is whole again.
TEST(MenuBarLayout, MdiButtonsTakeTheBandsEnds)
{
    TRect band = MenuBarItemsRect(true, {4, 3, 190, 19}, 200, 300, 22);
    EXPECT_EQ(band, (TRect{4, 3, 290, 19}));
    std::vector<TMenuBarButtonSlot> buttons(4);
    buttons[2].Skinned = true;
    buttons[2].Width = 10;
    buttons[2].Height = 8;
    PlaceMenuBarButtons(band, buttons);
    EXPECT_EQ(buttons[0].ObjectRect, (TRect{4, 3, 20, 19}));
    EXPECT_EQ(buttons[1].ObjectRect, (TRect{274, 3, 290, 19}));
    EXPECT_EQ(buttons[2].ObjectRect, (TRect{262, 7, 272, 15}));
    EXPECT_EQ(buttons[3].ObjectRect, (TRect{244, 3, 260, 19}));
    EXPECT_EQ(band, (TRect{22, 3, 242, 19}));
    auto items = Items({30});
    PlaceMenuBarItems(band, items);
    EXPECT_EQ(items[0].ObjectRect.Left, 22);
}

}  // namespace
