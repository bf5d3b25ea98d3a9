#include "app/core/ScreenMode.h"

#include <gtest/gtest.h>

#include <string>

#include "classlib/core/Exceptions.h"
#include "classlib/core/StringList.h"

TEST(ScreenModeTest, NamesRoundTripAndMalformedOnesRaiseKeepingTheMode)
{
    EXPECT_EQ(ColorDepthName(16), "High Color(16 bit)");
    EXPECT_EQ(ColorDepthName(15), "32768 Color(15 bit)");
    for (const int depth : {1, 4, 8, 15, 16, 24, 32})
        EXPECT_EQ(ColorDepthFromName(ColorDepthName(depth)), depth) << depth;
    for (const char* name : {"", "256 Color(", "256 Color(8 Bit)", ")8(bit", "High Color(16)"})
        EXPECT_THROW(ColorDepthFromName(name), EConvertError) << name;
    int width = 0, height = 0, depth = 0;
    for (const char* name : {"", "x", "1280x", "x1024", "12a0x1024", "1280 x 1024", "1280x1024x"})
        EXPECT_THROW(ScreenSizeFromName(name, width, height), EConvertError) << name;
    for (const char* name : {"1280x1024", "1280x1024x", "1280x1024x32x8", "1280xx32"})
        EXPECT_THROW(ModeFromName(name, width, height, depth), EConvertError) << name;
    EXPECT_EQ(width + height + depth, 0);

    TScreenMode mode(640, 480, 16);
    EXPECT_EQ(PackScreenSize(1280, 1024), 83887104);
    mode.SetScreenSize(83887104);
    EXPECT_EQ(mode.GetModeName(), "1280x1024x16");
    mode.SetColorDepthName("256 Color(8 bit)");  // the blank before "bit" is not part of the number
    mode.SetScreenSizeName("800x600");
    EXPECT_EQ(mode.GetModeName(), "800x600x8");
    EXPECT_THROW(mode.SetModeName("800x600"), EConvertError);
    EXPECT_EQ(mode.GetModeName(), "800x600x8");
}

TEST(ScreenModeTest, ListsAddOnceAndCheckBounds)
{
    TScreenModes sizes;
    EXPECT_EQ(sizes.AddMode(800, 600, 16), 0);
    EXPECT_EQ(sizes.AddMode(640, 480, 16), 1);
    EXPECT_EQ(sizes.AddMode(800, 600, 16), 0);
    EXPECT_THROW(sizes.Items(2), EListError);
    TColorDepthModes groups;
    EXPECT_EQ(groups.Add(32), 0);
    EXPECT_EQ(groups.Add(32), 0);
    EXPECT_THROW(groups.Items(-1), EListError);
}
