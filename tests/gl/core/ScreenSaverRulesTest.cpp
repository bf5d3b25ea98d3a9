// The screen saver's command line, exit input and power-off delays (the
// mouse-move tracking: the saver's run in ScreenSaverTest).
#include "gl/core/ScreenSaverRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/Exceptions.h"

namespace {

using Args = std::vector<std::string>;

constexpr uintptr_t Foreground = 0x4242;

}  // namespace

TEST(ScreenSaverRulesTest, TheCommandLineGivesTheRoleAndTheParentWindow)
{
    const std::pair<Args, TSaverMode> cases[] = {
        {{"C:\\Saver\\prog.EXE"}, smProgram},   {{"C:\\Saver\\Prog.scr"}, smConfigure},
        {{"Prog.scr", "-C"}, smConfigure},      {{"Prog.scr", "/a", "99"}, smChangePassword},
        {{"Prog.scr", "/l", "77"}, smPreview},  {{"Prog.scr", "/SAVE"}, smSaver},
        {{"Prog.scr", "s"}, smProgram},         {{"Prog.scr", "/s", "/c"}, smConfigure},  // tested C, A, P/L, S
        {{"C:\\my.exe\\Prog"}, smConfigure},    {{}, smConfigure},
    };
    for (const auto& [arguments, mode] : cases)
        EXPECT_EQ(SaverModeOf(arguments), mode) << (arguments.empty() ? "" : arguments.back());

    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/c"}, Foreground), Foreground);
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/p", "5678"}, Foreground), 5678);
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/c:1234", "99"}, Foreground), 99);  // a second parameter wins
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/c:00000000000000000042xyz"}, Foreground), 42);  // 20 characters read
    // Handles are unsigned numbers of the platform's handle width.
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/p", "4294967295"}, Foreground), uintptr_t{4294967295u});
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/c:18446744073709551615"}, Foreground), UINTPTR_MAX);
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/p", "-1"}, Foreground), UINTPTR_MAX);
    for (const Args& bad : {Args{"Prog.scr", "/s", "junk"}, Args{"Prog.scr", "/c:"}, Args{"Prog.scr", "/c:12:34"},
                            Args{"Prog.scr", "/p", "18446744073709551616"}, Args{"Prog.scr", "/p", "+"}})
        EXPECT_THROW(ParentWindowOf(bad, Foreground), EConvertError) << bad.back();
}

TEST(ScreenSaverRulesTest, ReleasesAndKeysEndARunButPressesAndPrintScreenDoNot)
{
    for (const unsigned message : {0x202u, 0x205u, 0x208u, 0x203u, 0x104u})
        EXPECT_TRUE(IsSaverExitMessage(message, 0)) << std::hex << message;
    for (const unsigned message : {0x201u, 0x200u, 0x101u, 0x0Fu})
        EXPECT_FALSE(IsSaverExitMessage(message, 0)) << std::hex << message;
    EXPECT_TRUE(IsSaverExitMessage(0x100, 0x1B));
    EXPECT_FALSE(IsSaverExitMessage(0x100, 0x2C)) << "Print Screen";
}

TEST(ScreenSaverRulesTest, PowerOffIndexesGiveTheirDelaysAndOutsideTheTableMeanNever)
{
    EXPECT_EQ(PowerOffDelayOf(0), -1.0f);
    EXPECT_EQ(PowerOffDelayOf(PowerOffIndexCount - 1), 18000.0f);
    for (const int index : {-1, PowerOffIndexCount, 256, -2147483647 - 1, 2147483647}) {
        EXPECT_EQ(NormalPowerOffIndex(index), 0) << index;
        EXPECT_EQ(PowerOffDelayOf(index), -1.0f) << index;
    }
}
