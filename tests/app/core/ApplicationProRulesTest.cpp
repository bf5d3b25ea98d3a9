#include "app/core/ApplicationProRules.h"

#include <gtest/gtest.h>

#include <utility>

TEST(FindSwitchTest, MatchesASwitchRightAfterItsDashOrSlash)
{
    EXPECT_TRUE(FindSwitchIn({"/c:1234"}, "C"));
    EXPECT_TRUE(FindSwitchIn({"1234", "-p"}, "P"));  // any parameter, not only the first
    EXPECT_FALSE(FindSwitchIn({"C"}, "C"));         // no "-" or "/"
    EXPECT_FALSE(FindSwitchIn({"-XC"}, "C"));       // found, but at position 3
    EXPECT_FALSE(FindSwitchIn({"/"}, "C"));
    EXPECT_FALSE(FindSwitchIn({"-C"}, ""));         // an empty switch is nowhere
}

TEST(ExecutableNamesTest, TheBaseNameEndsAtTheFirstDotOfTheFileName)
{
    // Dots of folders do not count.
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\dir\\my.saver.scr", "my"}, {"C:\\my.dir\\app", "app"}, {"C:\\dir\\.scr", ""}, {"", ""}};
    for (const auto& [path, base] : cases)
        EXPECT_EQ(ExeBaseName(path), base) << path;
    EXPECT_EQ(AddTrailingBackslash(""), "");
}

// Landscape screens centre the form in the left 4:3 region, portrait and
// square ones in the top 4:3 region. The axis across the region is clamped
// onto the screen; the other is not, and its division truncates toward zero.
TEST(CenterMainFormTest, CentresInThe4To3Region)
{
    struct TCase {
        int ScreenWidth, ScreenHeight, Width, Height, Left, Top;
    };
    const TCase cases[] = {
        {1920, 1080, 640, 480, 400, 300},   // region 1440 wide: left of centre
        {1280, 1024, 1250, 300, 30, 362},   // past the right edge: moved back
        {1280, 1024, 1300, 300, 0, 362},    // wider than the screen
        {1280, 1024, 400, 1027, 482, -1},   // (1024 - 1027) / 2 is -1, not -2
        {1024, 1024, 400, 300, 312, 234},   // square counts as portrait
        {600, 800, 400, 790, 100, 0},       // taller than the region: at the top
    };
    for (const TCase& c : cases) {
        const TFormPlacement p = CenterMainFormPosition(c.ScreenWidth, c.ScreenHeight, c.Width, c.Height);
        EXPECT_EQ((std::pair{p.Left, p.Top}), (std::pair{c.Left, c.Top})) << c.ScreenWidth << " " << c.Width;
    }
}
