#include "gl/WindowColor.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(WindowColor, SystemColoursAreResolvedThroughTheSystem)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const TGLColorFloat expected = ColorRefToFloat(face);
    const TGLColorFloat c = WindowColorToFloat(static_cast<int32_t>(0x80000000u | COLOR_BTNFACE));
    EXPECT_EQ(c.x, expected.x);
    EXPECT_EQ(c.y, expected.y);
    EXPECT_EQ(c.z, expected.z);
    EXPECT_EQ(c.w, 1.0f);
    ASSERT_NE(face, static_cast<COLORREF>(COLOR_BTNFACE)) << "the index itself would be a different colour";

    const TGLColorFloat window = WindowColorToFloat(static_cast<int32_t>(0x80000000u | COLOR_WINDOWTEXT));
    EXPECT_EQ(window.x, GetRValue(GetSysColor(COLOR_WINDOWTEXT)) / 255.0f);
}

TEST(WindowColor, PlainColoursUseTheLowThreeBytes)
{
    const TGLColorFloat c = WindowColorToFloat(0x00FF8000);
    EXPECT_EQ(c.x, 0.0f);
    EXPECT_EQ(c.y, 128 / 255.0f);
    EXPECT_EQ(c.z, 1.0f);
    EXPECT_EQ(c.w, 1.0f);
    const TGLColorFloat high = WindowColorToFloat(0x020000FF);
    EXPECT_EQ(high.x, 1.0f);
    EXPECT_EQ(high.z, 0.0f);
    EXPECT_EQ(high.w, 1.0f);
}
