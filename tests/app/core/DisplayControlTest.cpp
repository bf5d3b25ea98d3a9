#include "app/core/DisplayControl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeDisplayDriver.h"
#include "classlib/core/StringList.h"

namespace {

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

    f.Driver->ChangeSucceeds = false;  // a failed switch leaves full screen off
    EXPECT_FALSE(f.Display->ChangeMode(1024, 768, 32));
    EXPECT_FALSE(f.Display->FullScreen());

    // The desktop mode needs no driver call.
    f.Driver->ChangeSucceeds = true;
    const int restores = f.Log->Restores;
    EXPECT_TRUE(f.Display->ChangeMode(1280, 1024, 32));
    EXPECT_EQ(f.Log->Changes.size(), 2u);
    f.Display->SetFullScreen(false);
    EXPECT_EQ(f.Log->Restores, restores);

    // Destroying a full-screen display restores the mode once.
    ASSERT_TRUE(f.Display->ChangeMode(1024, 768, 32));
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
