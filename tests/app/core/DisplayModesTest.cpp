// Display modes from the bottom up: mode names, the list of modes a driver
// accepts, and the display control that groups them and switches.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "FakeDisplayDriver.h"
#include "app/core/DisplayControl.h"
#include "app/core/ScreenMode.h"
#include "app/core/VideoModesList.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/StringList.h"

namespace {

std::vector<TVideoMode> ListedModes(const TVideoModesList& list)
{
    std::vector<TVideoMode> modes;
    for (int i = 0; i < list.Count(); ++i)
        modes.push_back(list.GetMode(i));
    return modes;
}

int TimesTested(const TDisplayDriverLog& log, const TVideoMode& mode)
{
    return static_cast<int>(std::count(log.Tested.begin(), log.Tested.end(), mode));
}

// A display over a fake driver: desktop 1280 x 1024 x 32, two depth groups
// (32 bits: 1024x768, 1280x1024, 800x600; 16 bits: 800x600, 640x480).
struct TDisplayFixture {
    TFakeDisplayDriver* Driver;
    std::shared_ptr<TDisplayDriverLog> Log;
    std::unique_ptr<TCustomDisplayControl> Display;
    std::vector<std::string> Events;

    TDisplayFixture()
    {
        auto driver = std::make_unique<TFakeDisplayDriver>();
        driver->AcceptsEverything = true;
        driver->Listed = {{1024, 768, 32}, {800, 600, 16}, {1280, 1024, 32}, {800, 600, 32}, {640, 480, 16}};
        Driver = driver.get();
        Log = driver->Log;
        Display = std::make_unique<TCustomDisplayControl>(nullptr, std::move(driver));
        Display->OnModeChanged = [this](TObject*) { Events.push_back("changed"); };
    }
};

std::vector<std::string> Lines(const TStrings& strings)
{
    std::vector<std::string> lines;
    for (int i = 0; i < strings.Count(); ++i)
        lines.push_back(strings.Strings(i));
    return lines;
}

}  // namespace

TEST(ScreenModeTest, NamesRoundTripAndMalformedOnesRaiseKeepingTheMode)
{
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

TEST(VideoModesListTest, AnHonestDriverGetsTheLowResolutionsItAcceptsAndAProbeAcceptorNone)
{
    TFakeDisplayDriver driver;
    driver.Listed = {{1024, 768, 32}, {800, 600, 16}, {1024, 768, 32}, {640, 480, 8}};
    driver.Accepted = {{1024, 768, 32}, {800, 600, 16}, {320, 200, 16}, {512, 384, 32}};
    TVideoModesList list(driver);
    list.ReadVideoModes();
    // Listed and accepted, without repeats; then the accepted low resolutions
    // in table order; then the desktop mode, untested.
    const std::vector<TVideoMode> expected = {
        {1024, 768, 32}, {800, 600, 16}, {320, 200, 16}, {512, 384, 32}, {1280, 1024, 32}};
    EXPECT_EQ(ListedModes(list), expected);
    EXPECT_EQ(TimesTested(*driver.Log, {400, 300, 15}), 1);
    EXPECT_EQ(TimesTested(*driver.Log, {1280, 1024, 32}), 0);

    TFakeDisplayDriver liar;
    liar.AcceptsEverything = true;
    liar.Listed = {{640, 480, 8}, {1280, 1024, 32}};
    TVideoModesList all(liar);
    all.ReadVideoModes();
    all.ReadVideoModes();  // starts from an empty list
    EXPECT_EQ(ListedModes(all), liar.Listed);  // the desktop mode is not repeated
    EXPECT_THROW(all.GetMode(all.Count()), EListError);
}

TEST(DisplayControlTest, EnumerationGroupsTheAcceptedModesByDepthAndTheModeSnapsIntoThem)
{
    TDisplayFixture f;
    TStringList names;
    names.Add("keep");
    f.Display->GetScreenSizeNames(names);  // without groups: left alone
    EXPECT_EQ(Lines(names), std::vector<std::string>{"keep"});
    f.Display->OnFilterMode = [&](int depth, int width, int, bool& accept) { accept = !(width == 640 && depth == 16); };
    f.Display->EnumerateModes();
    f.Display->EnumerateModes();  // rebuilds the groups instead of adding to them
    f.Display->GetColorDepthNames(names);
    EXPECT_EQ(Lines(names), (std::vector<std::string>{"True Color(32 bit)", "High Color(16 bit)"}));
    f.Display->FullScreenMode().SetMode(1280, 1024, 32);
    f.Display->GetScreenSizeNames(names);
    EXPECT_EQ(Lines(names), (std::vector<std::string>{"1024x768", "1280x1024", "800x600"}));
    EXPECT_EQ(f.Display->GetScreenSizeIndex(), 1);

    TScreenMode& mode = f.Display->FullScreenMode();
    mode.SetMode(1280, 1024, 16);  // the group lacks the size: its first size
    EXPECT_EQ(mode.GetModeName(), "800x600x16");
    mode.SetMode(800, 600, 8);  // no group: the first group's depth, keeping the size
    EXPECT_EQ(mode.GetModeName(), "800x600x32");
}

TEST(DisplayControlTest, ChangeModeSwitchesToTheSnappedModeAndRestoresOnce)
{
    TDisplayFixture f;
    f.Display->EnumerateModes();
    f.Display->OnModeChanging = [&](TObject*) {
        f.Events.push_back("changing " + f.Display->FullScreenMode().GetModeName() + " after " +
                           std::to_string(f.Log->Changes.size()) + " switches");
    };
    EXPECT_TRUE(f.Display->ChangeMode(1280, 1024, 16));
    EXPECT_EQ(f.Events, (std::vector<std::string>{"changing 800x600x16 after 0 switches", "changed"}));
    ASSERT_EQ(f.Log->Changes.size(), 1u);
    EXPECT_EQ(f.Log->Changes[0], (TVideoMode{800, 600, 16}));
    f.Display->SetFullScreen(false);
    EXPECT_EQ(f.Log->Restores, 1);

    // The desktop mode needs no driver call.
    const int restores = f.Log->Restores;
    EXPECT_TRUE(f.Display->ChangeMode(1280, 1024, 32));
    EXPECT_EQ(f.Log->Changes.size(), 1u);
    f.Display->SetFullScreen(false);
    EXPECT_EQ(f.Log->Restores, restores);

    // A failed switch leaves full screen off, but the change before it is
    // still restored, once, when the display goes.
    ASSERT_TRUE(f.Display->ChangeMode(1024, 768, 32));
    f.Driver->ChangeSucceeds = false;
    EXPECT_FALSE(f.Display->ChangeMode(800, 600, 32));
    EXPECT_FALSE(f.Display->FullScreen());
    f.Display.reset();
    EXPECT_EQ(f.Log->Restores, restores + 1);
}

TEST(DisplayControlTest, DesktopOnlyRunsInTheDesktopModeAndLoadingDefersTheSwitch)
{
    TDisplayFixture f;
    f.Display->EnumerateModes();
    f.Display->DesktopOnly = true;
    EXPECT_TRUE(f.Display->ChangeMode(800, 600, 16));
    EXPECT_TRUE(f.Log->Changes.empty());
    EXPECT_EQ(f.Display->FullScreenMode().GetModeName(), "1280x1024x32");
    EXPECT_EQ(f.Display->GetColorDepthIndex(), 1);  // the dialog still shows the chosen mode

    TDisplayFixture g;
    g.Display->EnumerateOnLoad = true;
    g.Display->Loading();
    g.Display->FullScreenMode().SetMode(800, 600, 16);
    g.Display->SetFullScreen(true);
    EXPECT_TRUE(g.Log->Changes.empty());
    g.Display->Loaded();
    ASSERT_EQ(g.Log->Changes.size(), 1u);
    EXPECT_EQ(g.Log->Changes[0], (TVideoMode{800, 600, 16}));
}
