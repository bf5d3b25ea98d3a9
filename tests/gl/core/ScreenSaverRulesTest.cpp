// The screen saver's command line, exit input, mouse-move tracking and
// power-off delays.
#include "gl/core/ScreenSaverRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/Exceptions.h"

namespace {

using Args = std::vector<std::string>;

constexpr intptr_t Foreground = 0x4242;

}  // namespace

TEST(ScreenSaverRulesTest, TheCommandLineGivesTheRole)
{
    struct TCase {
        Args Arguments;
        TSaverMode Mode;
    };
    const TCase cases[] = {
        {{"C:\\Saver\\Prog.exe"}, smProgram},
        {{"C:\\Saver\\prog.EXE"}, smProgram},
        {{"C:\\Saver\\Prog.scr"}, smConfigure},
        {{"C:\\Saver\\Prog.exe", "/c"}, smConfigure},
        {{"Prog.scr", "/c:1234"}, smConfigure},
        {{"Prog.scr", "-C"}, smConfigure},
        {{"Prog.scr", "/a"}, smChangePassword},
        {{"Prog.scr", "/a", "99"}, smChangePassword},
        {{"Prog.scr", "/p", "5678"}, smPreview},
        {{"Prog.scr", "/l", "77"}, smPreview},
        {{"Prog.scr", "/S"}, smSaver},
        {{"Prog.exe", "/s"}, smSaver},
        {{"Prog.scr", "/SAVE"}, smSaver},
        // Switches need their "/" or "-", and are tested C, A, P/L, S.
        {{"Prog.scr", "s"}, smProgram},
        {{"Prog.scr", "/x"}, smProgram},
        {{"Prog.scr", "/xs"}, smProgram},
        {{"Prog.scr", "/s", "/c"}, smConfigure},
        {{"Prog.scr", "/p", "/a"}, smChangePassword},
        {{"Prog.scr", "/s", "/p"}, smPreview},
        // A folder with a dot does not make an extension.
        {{"C:\\my.exe\\Prog"}, smConfigure},
        {{}, smConfigure},
    };
    for (const TCase& test : cases) {
        std::string line;
        for (const std::string& argument : test.Arguments)
            line += argument + " ";
        EXPECT_EQ(SaverModeOf(test.Arguments), test.Mode) << line;
    }
}

TEST(ScreenSaverRulesTest, TheCommandLineCarriesTheParentWindow)
{
    EXPECT_EQ(ParentWindowOf({"Prog.scr"}, Foreground), Foreground);
    EXPECT_EQ(ParentWindowOf({}, Foreground), Foreground);
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/c"}, Foreground), Foreground);
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/c:1234"}, Foreground), 1234);
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/p", "5678"}, Foreground), 5678);
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/l", "77", "extra"}, Foreground), 77);
    // With two parameters the second counts, whatever the first holds.
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/c:1234", "99"}, Foreground), 99);
    // At most 20 characters after the ":" are read.
    EXPECT_EQ(ParentWindowOf({"Prog.scr", "/c:00000000000000000042xyz"}, Foreground), 42);
}

TEST(ScreenSaverRulesTest, AHandleThatIsNotANumberRaisesAConversionError)
{
    EXPECT_THROW(ParentWindowOf({"Prog.scr", "/s", "junk"}, Foreground), EConvertError);
    EXPECT_THROW(ParentWindowOf({"Prog.scr", "/p", ""}, Foreground), EConvertError);
    EXPECT_THROW(ParentWindowOf({"Prog.scr", "/c:"}, Foreground), EConvertError);
    EXPECT_THROW(ParentWindowOf({"Prog.scr", "/c:12:34"}, Foreground), EConvertError);
    EXPECT_THROW(ParentWindowOf({"Prog.scr", "/p", "99999999999999999999"}, Foreground), EConvertError);
}

TEST(ScreenSaverRulesTest, ReleasesAndKeysEndARunButPressesAndPrintScreenDoNot)
{
    for (const unsigned message : {0x203u, 0x202u, 0x209u, 0x208u, 0x206u, 0x205u, 0x104u})
        EXPECT_TRUE(IsSaverExitMessage(message, 0)) << std::hex << message;
    // Button presses, the mouse move (tracked apart), key releases, paint.
    for (const unsigned message : {0x201u, 0x204u, 0x207u, 0x200u, 0x101u, 0x105u, 0x0Fu, 0x113u})
        EXPECT_FALSE(IsSaverExitMessage(message, 0)) << std::hex << message;
    EXPECT_TRUE(IsSaverExitMessage(0x100, 'A'));
    EXPECT_TRUE(IsSaverExitMessage(0x100, 0x1B));
    EXPECT_FALSE(IsSaverExitMessage(0x100, 0x2C)) << "Print Screen";
    EXPECT_FALSE(IsSaverExitMessage(0x101, 0x2C));
}

TEST(ScreenSaverRulesTest, TheFirstFiveMovesAreIgnoredAndTheSixthIsTheAnchor)
{
    TMouseMoveTracker tracker;
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(tracker.Check(500 * i, 500 * i)) << "move " << i;
    EXPECT_FALSE(tracker.Check(100, 100)) << "the anchor";
    EXPECT_EQ(tracker.LastX(), 100);
    EXPECT_EQ(tracker.LastY(), 100);
    // One axis only, however far: never.
    EXPECT_FALSE(tracker.Check(103, 100));
    EXPECT_FALSE(tracker.Check(100, 400));
    EXPECT_FALSE(tracker.Check(400, 102));
    // Exactly 2 is not enough; the anchor does not follow small moves.
    EXPECT_FALSE(tracker.Check(102, 98));
    EXPECT_FALSE(tracker.Check(101, 101));
    EXPECT_EQ(tracker.LastX(), 100);
    EXPECT_TRUE(tracker.Check(97, 103));
    // Ending resets the tracking.
    EXPECT_EQ(tracker.MovesToIgnore(), 5);
    EXPECT_EQ(tracker.LastX(), -1);
}

TEST(ScreenSaverRulesTest, SmallMovesAddUpAgainstTheAnchor)
{
    TMouseMoveTracker tracker;
    for (int i = 0; i < 6; ++i)
        tracker.Check(10, 10);
    EXPECT_FALSE(tracker.Check(11, 11));
    EXPECT_FALSE(tracker.Check(12, 12));
    EXPECT_TRUE(tracker.Check(13, 13));
}

TEST(ScreenSaverRulesTest, AResetIgnoresFiveMovesAgainAndForgetsTheAnchor)
{
    TMouseMoveTracker tracker;
    for (int i = 0; i < 6; ++i)
        tracker.Check(10, 10);
    tracker.Reset();  // after a refused password
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(tracker.Check(300 + 10 * i, 300 + 10 * i));
    EXPECT_FALSE(tracker.Check(50, 50)) << "a new anchor";
    EXPECT_FALSE(tracker.Check(52, 52)) << "far from the old anchor, near the new one";
    EXPECT_TRUE(tracker.Check(60, 60));
}

TEST(ScreenSaverRulesTest, PowerOffIndexesGiveTheirDelays)
{
    const float expected[] = {-1,   60,   120,  180,  300,   600,   900,   1200,
                              1500, 1800, 2700, 3600, 7200, 10800, 14400, 18000};
    for (int index = 0; index < PowerOffIndexCount; ++index) {
        EXPECT_EQ(PowerOffDelayOf(index), expected[index]) << index;
        EXPECT_EQ(NormalPowerOffIndex(index), index);
    }
}

TEST(ScreenSaverRulesTest, AStoredPowerOffIndexOutsideTheTableMeansNever)
{
    for (const int index : {-1, 16, 17, 255, 256, -2147483647 - 1, 2147483647}) {
        EXPECT_EQ(NormalPowerOffIndex(index), 0) << index;
        EXPECT_EQ(PowerOffDelayOf(index), -1.0f) << index;
    }
}
