#include "app/core/ScreenMode.h"

#include <gtest/gtest.h>

#include <string>

#include "classlib/core/Exceptions.h"
#include "classlib/core/StringList.h"

TEST(ScreenModeNamesTest, NamesRoundTrip)
{
    EXPECT_EQ(ColorDepthName(16), "High Color(16 bit)");
    EXPECT_EQ(ColorDepthName(32), "True Color(32 bit)");
    EXPECT_EQ(ColorDepthName(8), "256 Color(8 bit)");
    EXPECT_EQ(ColorDepthName(15), "32768 Color(15 bit)");
    EXPECT_EQ(ColorDepthName(24), "16777216 Color(24 bit)");
    EXPECT_EQ(ColorDepthName(4), "16 Color(4 bit)");
    for (const int depth : {1, 4, 8, 15, 16, 24, 32})
        EXPECT_EQ(ColorDepthFromName(ColorDepthName(depth)), depth) << depth;

    EXPECT_EQ(ScreenSizeName(1280, 1024), "1280x1024");
    int width = 0, height = 0, depth = 0;
    ScreenSizeFromName("1280x1024", width, height);
    EXPECT_EQ(width * 10000 + height, 12801024);
    ModeFromName(ModeName(640, 480, 16), width, height, depth);
    EXPECT_EQ(ModeName(width, height, depth), "640x480x16");
}

TEST(ScreenModeNamesTest, MalformedNamesRaiseAConversionError)
{
    for (const char* name : {"", "Color", "256 Color(", "256 Color(8", "256 Color(8 Bit)", "(b", ")8(bit",
                             "True Color(xx bit)", "High Color(16)"})
        EXPECT_THROW(ColorDepthFromName(name), EConvertError) << name;
    int width = 0, height = 0, depth = 0;
    for (const char* name : {"", "x", "1280", "1280x", "x1024", "12a0x1024", "1280 x 1024", "1280x1024x"})
        EXPECT_THROW(ScreenSizeFromName(name, width, height), EConvertError) << name;
    for (const char* name : {"", "1280x1024", "1280x1024x", "xx", "1280x1024x32x8", "1280xx32"})
        EXPECT_THROW(ModeFromName(name, width, height, depth), EConvertError) << name;
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    EXPECT_EQ(depth, 0);
}

TEST(ScreenModeTest, PacksTheSizeAndParsesNamesKeepingTheModeOnError)
{
    TScreenMode mode(640, 480, 16);
    EXPECT_EQ(PackScreenSize(1280, 1024), 83887104);
    mode.SetScreenSize(83887104);
    EXPECT_EQ(mode.Width(), 1280);
    EXPECT_EQ(mode.Height(), 1024);
    EXPECT_EQ(mode.GetScreenSizeName(), "1280x1024");
    EXPECT_EQ(mode.GetColorDepthName(), "High Color(16 bit)");

    mode.SetModeName("1280x1024x32");
    EXPECT_EQ(mode.ScreenSize(), 83887104);
    EXPECT_EQ(mode.ColorDepth(), 32);
    // The blank before "bit" is not part of the number.
    mode.SetColorDepthName("256 Color(8 bit)");
    EXPECT_EQ(mode.ColorDepth(), 8);
    mode.SetScreenSizeName("800x600");
    EXPECT_EQ(mode.GetModeName(), "800x600x8");

    EXPECT_THROW(mode.SetModeName("800x600"), EConvertError);
    EXPECT_THROW(mode.SetScreenSizeName("800"), EConvertError);
    EXPECT_THROW(mode.SetColorDepthName("Color"), EConvertError);
    EXPECT_EQ(mode.GetModeName(), "800x600x8");
}

TEST(ScreenModeTest, AssignCopiesDepthAndSize)
{
    TScreenMode source(1024, 768, 24);
    TScreenMode dest;
    dest.Assign(&source);
    EXPECT_EQ(dest.GetModeName(), "1024x768x24");
    TStringList strings;
    EXPECT_THROW(strings.Assign(&source), EConvertError);
}

TEST(ScreenModeListsTest, AddReturnsTheExistingIndex)
{
    TScreenModes sizes;
    EXPECT_EQ(sizes.IndexOf(800, 600), -1);
    EXPECT_EQ(sizes.AddMode(800, 600, 16), 0);
    EXPECT_EQ(sizes.AddMode(640, 480, 16), 1);
    EXPECT_EQ(sizes.AddMode(800, 600, 16), 0);
    EXPECT_EQ(sizes.IndexOf(640, 480), 1);
    EXPECT_EQ(sizes.IndexOf(480, 640), -1);
    EXPECT_EQ(sizes.Count(), 2);
    EXPECT_THROW(sizes.Items(2), EListError);

    TColorDepthModes groups;
    EXPECT_EQ(groups.IndexOf(32), -1);
    EXPECT_EQ(groups.Add(32), 0);
    EXPECT_EQ(groups.Add(16), 1);
    EXPECT_EQ(groups.Add(32), 0);
    EXPECT_EQ(groups.Items(1).Depth, 16);
    EXPECT_THROW(groups.Items(-1), EListError);
}
