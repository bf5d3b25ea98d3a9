#include "skin/core/TrayIconLogic.h"

#include <gtest/gtest.h>

#include <string>

TEST(TrayIconLogic, TipIsCutAndEmptyWhenNotShown)
{
    const auto tip = TrayIconTip(std::string(200, 'x'), true);
    EXPECT_EQ(std::string(tip.data()), std::string(127, 'x'));
    EXPECT_EQ(tip[127], '\0');
    for (const auto& t : {TrayIconTip("", true), TrayIconTip("Aquarium", false)})
        for (char c : t)
            ASSERT_EQ(c, '\0');
}

TEST(TrayIconLogic, DoubleClickIsNoClickAndLateReleaseClicksAtOnce)
{
    TTrayClickMachine m;
    // Click, then the double click inside the double-click time.
    m.LeftButtonDown();
    EXPECT_FALSE(m.LeftButtonUp());
    m.DoubleClick();
    EXPECT_FALSE(m.LeftButtonUp());
    EXPECT_FALSE(m.TimerFired());

    // A single click is reported when the timer fires.
    m.LeftButtonDown();
    EXPECT_FALSE(m.LeftButtonUp());
    EXPECT_TRUE(m.TimerFired());
    EXPECT_FALSE(m.TimerFired());

    // A release after the double-click time clicks at once, and only once.
    m.LeftButtonDown();
    EXPECT_FALSE(m.TimerFired());
    EXPECT_TRUE(m.LeftButtonUp());
    EXPECT_FALSE(m.LeftButtonUp());
}

TEST(TrayIconLogic, CycleIndexesStayInsideTheList)
{
    EXPECT_EQ(NextTrayIconIndex(1, 3), 2);
    EXPECT_EQ(NextTrayIconIndex(2, 3), 0);
    EXPECT_EQ(ClampTrayIconIndex(7, 3), 2);
    EXPECT_EQ(ClampTrayIconIndex(-1, 3), 0);
    EXPECT_EQ(ClampTrayIconIndex(2, 0), 0);
}
