// The real display driver under Wine. Modes are listed, never switched: the
// virtual screen cannot change its mode.
#include "app/Win32DisplayDriver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/core/DisplayControl.h"

TEST(Win32DisplayDriverTest, ListsTheDesktopModeAndADesktopOnlyDisplayGoesFullScreenWithoutASwitch)
{
    TCustomDisplayControl display(nullptr, CreateWin32DisplayDriver());
    display.EnumerateModes();
    // Wine presents the 24-bit virtual screen as 32 bits per pixel.
    EXPECT_GE(display.VideoModes().FindMode(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 32), 0);
    display.DesktopOnly = true;
    display.SetFullScreen(true);
    EXPECT_TRUE(display.FullScreen());
    EXPECT_FALSE(display.VideoModes().Changed());
    display.SetFullScreen(false);
}
