#include "app/core/ApplicationProRules.h"

#include <gtest/gtest.h>

#include <string>
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
    EXPECT_EQ(ExeBaseName("C:\\dir\\my.saver.scr"), "my");
    EXPECT_EQ(ExeBaseName("Corvalen.scr"), "Corvalen");
    EXPECT_EQ(ExeBaseName("a.b.scr"), "a");
    EXPECT_EQ(ExeBaseName("C:\\my.dir\\app.scr"), "app");  // dots of folders do not count
    EXPECT_EQ(ExeBaseName("C:\\dir\\noext"), "noext");
    EXPECT_EQ(ExeBaseName("C:\\dir\\.scr"), "");
    EXPECT_EQ(ExeBaseName(""), "");

    const std::string base = ExeBaseName("C:\\dir\\my.saver.scr");
    EXPECT_EQ(SingleInstanceName(base), "mySemaphore");
    EXPECT_EQ(LogFileNameOf("C:\\dir\\", base), "C:\\dir\\my.log");
}

TEST(ExecutableNamesTest, AddTrailingBackslashLeavesEmptyAndEndedPathsAlone)
{
    EXPECT_EQ(AddTrailingBackslash(""), "");
    EXPECT_EQ(AddTrailingBackslash("C:\\dir"), "C:\\dir\\");
    EXPECT_EQ(AddTrailingBackslash("C:\\dir\\"), "C:\\dir\\");
    EXPECT_EQ(AddTrailingBackslash("C:"), "C:\\");
}

TEST(CenterMainFormTest, LandscapeScreensCentreInTheLeft4To3Region)
{
    // 1280 x 1024: the region is 1365 wide.
    TFormPlacement p = CenterMainFormPosition(1280, 1024, 400, 300);
    EXPECT_EQ(p.Left, 482);
    EXPECT_EQ(p.Top, 362);

    // 1920 x 1080: the region is 1440 wide, so the form sits left of centre.
    p = CenterMainFormPosition(1920, 1080, 640, 480);
    EXPECT_EQ(p.Left, 400);
    EXPECT_EQ(p.Top, 300);

    // Past the screen's right edge: moved back onto it.
    p = CenterMainFormPosition(1280, 1024, 1250, 300);
    EXPECT_EQ(p.Left, 30);
    // Wider than the screen: at 0.
    p = CenterMainFormPosition(1280, 1024, 1300, 300);
    EXPECT_EQ(p.Left, 0);
    // Wider than the region but not the screen: at 0, not centred on the screen.
    p = CenterMainFormPosition(1920, 1080, 1800, 300);
    EXPECT_EQ(p.Left, 0);

    // The other axis is not clamped, and its division truncates toward zero:
    // (1024 - 1027) / 2 is -1, not -2.
    p = CenterMainFormPosition(1280, 1024, 400, 1027);
    EXPECT_EQ(p.Top, -1);
}

TEST(CenterMainFormTest, PortraitAndSquareScreensCentreInTheTop4To3Region)
{
    // 768 x 1024: the region is 576 high.
    TFormPlacement p = CenterMainFormPosition(768, 1024, 400, 300);
    EXPECT_EQ(p.Left, 184);
    EXPECT_EQ(p.Top, 138);

    // A square screen counts as portrait: the region is 768 high.
    p = CenterMainFormPosition(1024, 1024, 400, 300);
    EXPECT_EQ(p.Left, 312);
    EXPECT_EQ(p.Top, 234);

    // Taller than the region: at the top.
    p = CenterMainFormPosition(600, 800, 400, 790);
    EXPECT_EQ(p.Top, 0);

    // Left is not clamped and truncates toward zero.
    p = CenterMainFormPosition(600, 800, 603, 100);
    EXPECT_EQ(p.Left, -1);
}
