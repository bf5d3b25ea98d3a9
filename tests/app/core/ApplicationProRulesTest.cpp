#include "app/core/ApplicationProRules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(FindSwitchTest, MatchesASwitchRightAfterItsDashOrSlash)
{
    struct TCase {
        std::vector<std::string> Parameters;
        std::string Switch;
        bool Found;
    };
    const TCase cases[] = {
        {{"/c:1234"}, "C", true},
        {{"-C"}, "C", true},
        {{"-c"}, "C", true},
        {{"/C"}, "c", true},
        {{"/SAVE"}, "S", true},
        {{"/save"}, "SAVE", true},
        {{"/p", "1234"}, "P", true},
        {{"1234", "/p"}, "P", true},   // any parameter, not only the first
        {{"C"}, "C", false},           // no "-" or "/"
        {{"-XC"}, "C", false},         // found, but at position 3
        {{"/"}, "C", false},
        {{""}, "C", false},
        {{"-C"}, "", false},           // an empty switch is nowhere
        {{"-CC"}, "C", true},          // the first occurrence decides
        {{"-SAVE"}, "AVE", false},
        {{}, "C", false},              // no parameters
    };
    for (const TCase& c : cases) {
        std::string parameters;
        for (const std::string& p : c.Parameters)
            parameters += "[" + p + "]";
        EXPECT_EQ(FindSwitchIn(c.Parameters, c.Switch), c.Found) << parameters << " switch " << c.Switch;
    }
}

TEST(ExecutableNamesTest, TheBaseNameEndsAtTheFirstDotOfTheFileName)
{
    // Dots of folders do not count.
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\dir\\my.saver.scr", "my"}, {"Corvalen.scr", "Corvalen"}, {"C:\\my.dir\\app.scr", "app"},
        {"C:\\dir\\noext", "noext"}, {"C:\\dir\\.scr", ""}, {"", ""}};
    for (const auto& [path, base] : cases)
        EXPECT_EQ(ExeBaseName(path), base) << path;
    EXPECT_EQ(SingleInstanceName("my"), "mySemaphore");
    EXPECT_EQ(LogFileNameOf("C:\\dir\\", "my"), "C:\\dir\\my.log");

    EXPECT_EQ(AddTrailingBackslash(""), "");
    EXPECT_EQ(AddTrailingBackslash("C:\\dir"), "C:\\dir\\");
    EXPECT_EQ(AddTrailingBackslash("C:\\dir\\"), "C:\\dir\\");
    EXPECT_EQ(AddTrailingBackslash("C:"), "C:\\");
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
        {1280, 1024, 400, 300, 482, 362},   // region 1365 wide
        {1920, 1080, 640, 480, 400, 300},   // region 1440 wide: left of centre
        {1280, 1024, 1250, 300, 30, 362},   // past the right edge: moved back
        {1280, 1024, 1300, 300, 0, 362},    // wider than the screen
        {1920, 1080, 1800, 300, 0, 390},    // wider than the region only
        {1280, 1024, 400, 1027, 482, -1},   // (1024 - 1027) / 2 is -1, not -2
        {768, 1024, 400, 300, 184, 138},    // region 576 high
        {1024, 1024, 400, 300, 312, 234},   // square counts as portrait
        {600, 800, 400, 790, 100, 0},       // taller than the region: at the top
        {600, 800, 603, 100, -1, 175},      // left truncates toward zero
    };
    for (const TCase& c : cases) {
        const TFormPlacement p = CenterMainFormPosition(c.ScreenWidth, c.ScreenHeight, c.Width, c.Height);
        EXPECT_EQ(p.Left, c.Left) << c.ScreenWidth << "x" << c.ScreenHeight << " " << c.Width << "x" << c.Height;
        EXPECT_EQ(p.Top, c.Top) << c.ScreenWidth << "x" << c.ScreenHeight << " " << c.Width << "x" << c.Height;
    }
}
