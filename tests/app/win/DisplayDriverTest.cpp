// The real display driver under Wine. Modes are listed and tested, never
// switched: the virtual screen cannot change its mode.
#include "app/Win32DisplayDriver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/core/DisplayControl.h"
#include "classlib/core/StringList.h"

TEST(Win32DisplayDriverTest, ListsTheDesktopModeAt32Bits)
{
    const auto driver = CreateWin32DisplayDriver();
    const TVideoMode desktop = driver->CurrentMode();
    EXPECT_EQ(desktop.Width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(desktop.Height, GetSystemMetrics(SM_CYSCREEN));
    // Wine presents the 24-bit virtual screen as 32 bits per pixel.
    EXPECT_EQ(desktop.BitsPerPixel, 32);

    TVideoMode first;
    ASSERT_TRUE(driver->EnumMode(0, first));
    EXPECT_GT(first.Width, 0);
    EXPECT_FALSE(driver->TestMode({42, 37, 8}));

    TVideoModesList list(*driver);
    list.ReadVideoModes();
    EXPECT_GE(list.Count(), 1);
    EXPECT_GE(list.FindMode(desktop.Width, desktop.Height, 32), 0);
    EXPECT_FALSE(list.Changed());
}

TEST(Win32DisplayDriverTest, ADesktopOnlyDisplayGoesFullScreenWithoutASwitch)
{
    TCustomDisplayControl display(nullptr, CreateWin32DisplayDriver());
    display.EnumerateModes();
    TStringList depths;
    display.GetColorDepthNames(depths);
    EXPECT_GE(depths.IndexOf("True Color(32 bit)"), 0);

    display.DesktopOnly = true;
    display.SetFullScreen(true);
    EXPECT_TRUE(display.FullScreen());
    EXPECT_FALSE(display.VideoModes().Changed());
    EXPECT_EQ(display.FullScreenMode().Width(), GetSystemMetrics(SM_CXSCREEN));
    display.SetFullScreen(false);
    EXPECT_FALSE(display.FullScreen());
}
