#include "gl/WindowColor.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(WindowColor, SystemColoursAreResolvedThroughTheSystemAndPlainOnesUseTheLowThreeBytes)
{
    const TGLColorFloat face = WindowColorToFloat(static_cast<int32_t>(0x80000000u | COLOR_BTNFACE));
    EXPECT_EQ(face.x, ColorRefToFloat(GetSysColor(COLOR_BTNFACE)).x);
    EXPECT_EQ(face.z, ColorRefToFloat(GetSysColor(COLOR_BTNFACE)).z);
    const TGLColorFloat high = WindowColorToFloat(0x020080FF);
    EXPECT_EQ(high.x, 1.0f);
    EXPECT_EQ(high.y, 128 / 255.0f);
    EXPECT_EQ(high.z, 0.0f);
    EXPECT_EQ(high.w, 1.0f);
}
