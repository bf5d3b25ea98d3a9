#include "app/core/DisplayControl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeDisplayDriver.h"
#include "classlib/core/StringList.h"

namespace {

// A display over a fake driver whose desktop is 1280 x 1024 at 32 bits and
// which lists two depth groups:
//   32 bits: 1024x768, 1280x1024, 800x600;  16 bits: 800x600, 640x480.
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
        Display->OnModeChanged = [this](TObject* sender) {
            Events.push_back(sender == Display.get() ? "changed" : "changed from a stranger");
        };
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

TEST(DisplayControlTest, EnumerationGroupsTheAcceptedModesByDepth)
{
    TDisplayFixture f;
    std::vector<std::string> offered;
    f.Display->OnFilterMode = [&](int depth, int width, int height, bool& accept) {
        EXPECT_TRUE(accept);
        offered.push_back(ModeName(width, height, depth));
        accept = !(width == 640 && depth == 16);
    };
    f.Display->EnumerateModes();
    EXPECT_EQ(offered, (std::vector<std::string>{"1024x768x32", "800x600x16", "1280x1024x32", "800x600x32",
                                                 "640x480x16"}));

    TStringList names;
    names.Add("left over");
    f.Display->GetColorDepthNames(names);
    EXPECT_EQ(Lines(names), (std::vector<std::string>{"True Color(32 bit)", "High Color(16 bit)"}));

    f.Display->FullScreenMode().SetMode(800, 600, 16);
    f.Display->GetScreenSizeNames(names);
    EXPECT_EQ(Lines(names), std::vector<std::string>{"800x600"});
    EXPECT_EQ(f.Display->GetColorDepthIndex(), 1);
    EXPECT_EQ(f.Display->GetScreenSizeIndex(), 0);
    f.Display->FullScreenMode().SetMode(1280, 1024, 32);
    f.Display->GetScreenSizeNames(names);
    EXPECT_EQ(Lines(names), (std::vector<std::string>{"1024x768", "1280x1024", "800x600"}));
    EXPECT_EQ(f.Display->GetColorDepthIndex(), 0);
    EXPECT_EQ(f.Display->GetScreenSizeIndex(), 1);

    // Enumerating again rebuilds the groups instead of adding to them.
    f.Display->OnFilterMode = nullptr;
    f.Display->EnumerateModes();
    f.Display->GetColorDepthNames(names);
    EXPECT_EQ(names.Count(), 2);
    f.Display->FullScreenMode().SetMode(800, 600, 16);
    f.Display->GetScreenSizeNames(names);
    EXPECT_EQ(Lines(names), (std::vector<std::string>{"800x600", "640x480"}));
}

TEST(DisplayControlTest, WithoutGroupsNothingIsSnappedAndTheSizeNamesAreLeftAlone)
{
    TDisplayFixture f;
    TScreenMode& mode = f.Display->FullScreenMode();
    EXPECT_EQ(mode.GetModeName(), "640x480x16");
    mode.SetMode(1600, 1200, 24);
    EXPECT_EQ(mode.GetModeName(), "1600x1200x24");

    TStringList names;
    names.Add("keep");
    f.Display->GetScreenSizeNames(names);
    EXPECT_EQ(Lines(names), std::vector<std::string>{"keep"});
    EXPECT_EQ(f.Display->GetColorDepthIndex(), -1);
    EXPECT_EQ(f.Display->GetScreenSizeIndex(), -1);

    // The same when the groups exist but the depth has none (checked
    // before the full-screen mode is snapped into them).
    f.Display->EnumerateModes();
    f.Display->GetScreenSizeNames(names);
    EXPECT_EQ(Lines(names), std::vector<std::string>{"keep"});
}

TEST(DisplayControlTest, TheFullScreenModeSnapsIntoTheGroups)
{
    TDisplayFixture f;
    f.Display->EnumerateModes();
    TScreenMode& mode = f.Display->FullScreenMode();

    // A depth whose group lacks the size: the group's first size.
    mode.SetMode(1280, 1024, 16);
    EXPECT_EQ(mode.GetModeName(), "800x600x16");
    mode.SetColorDepth(32);
    EXPECT_EQ(mode.GetModeName(), "800x600x32");
    mode.SetSize(640, 480);
    EXPECT_EQ(mode.GetModeName(), "1024x768x32");

    // A depth without a group: the first group's depth, keeping a size it has.
    mode.SetMode(800, 600, 8);
    EXPECT_EQ(mode.GetModeName(), "800x600x32");
    mode.SetColorDepthName("256 Color(8 bit)");
    EXPECT_EQ(mode.ColorDepth(), 32);

    // Assigning into it snaps too.
    TScreenMode source(1280, 1024, 16);
    f.Display->SetFullScreenMode(source);
    EXPECT_EQ(f.Display->FullScreenMode().GetModeName(), "800x600x16");
}

TEST(DisplayControlTest, ChangeModeSwitchesToTheSnappedModeBetweenTheEvents)
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
    EXPECT_TRUE(f.Display->FullScreen());

    f.Display->SetFullScreen(false);
    EXPECT_FALSE(f.Display->FullScreen());
    EXPECT_EQ(f.Log->Restores, 1);
    EXPECT_EQ(f.Events.size(), 4u);

    // A failed switch reports False and leaves full screen off.
    f.Driver->ChangeSucceeds = false;
    f.Events.clear();
    EXPECT_FALSE(f.Display->ChangeMode(1024, 768, 32));
    EXPECT_FALSE(f.Display->FullScreen());
    EXPECT_EQ(f.Events.size(), 2u);
    f.Display->SetFullScreen(true);
    EXPECT_FALSE(f.Display->FullScreen());
    EXPECT_EQ(f.Log->Changes.size(), 3u);

    // The desktop mode needs no driver call either way.
    f.Driver->ChangeSucceeds = true;
    const int restores = f.Log->Restores;
    EXPECT_TRUE(f.Display->ChangeMode(1280, 1024, 32));
    EXPECT_TRUE(f.Display->FullScreen());
    EXPECT_EQ(f.Log->Changes.size(), 3u);
    f.Display->SetFullScreen(false);
    EXPECT_EQ(f.Log->Restores, restores);

    // Destroying a full-screen display restores the mode once.
    ASSERT_TRUE(f.Display->ChangeMode(1024, 768, 32));
    f.Display.reset();
    EXPECT_EQ(f.Log->Restores, restores + 1);
}

TEST(DisplayControlTest, DesktopOnlyRunsInTheDesktopMode)
{
    TDisplayFixture f;
    f.Display->EnumerateModes();
    f.Display->DesktopOnly = true;
    EXPECT_TRUE(f.Display->ChangeMode(800, 600, 16));
    EXPECT_TRUE(f.Display->FullScreen());
    EXPECT_TRUE(f.Log->Changes.empty());
    EXPECT_EQ(f.Display->FullScreenMode().GetModeName(), "1280x1024x32");
    // The stored full-screen mode still is the chosen one: the dialog's
    // lists show it.
    EXPECT_EQ(f.Display->GetColorDepthIndex(), 1);
    EXPECT_EQ(f.Display->GetScreenSizeIndex(), 0);

    // The desktop mode is read again each time.
    f.Display->SetFullScreen(false);
    f.Driver->Desktop = {1024, 768, 32};
    EXPECT_EQ(f.Display->FullScreenMode().GetModeName(), "1024x768x32");
    f.Display->SetFullScreen(true);
    EXPECT_TRUE(f.Display->FullScreen());
    EXPECT_TRUE(f.Log->Changes.empty());
}

TEST(DisplayControlTest, LoadingDefersTheSwitchToLoaded)
{
    TDisplayFixture f;
    f.Display->EnumerateOnLoad = true;
    f.Display->Loading();
    f.Display->FullScreenMode().SetMode(800, 600, 16);
    f.Display->SetFullScreen(true);
    EXPECT_TRUE(f.Display->FullScreen());
    EXPECT_TRUE(f.Log->Changes.empty());
    EXPECT_EQ(f.Display->ColorDepthModes().Count(), 0);

    f.Display->Loaded();
    EXPECT_EQ(f.Display->ColorDepthModes().Count(), 2);
    ASSERT_EQ(f.Log->Changes.size(), 1u);
    EXPECT_EQ(f.Log->Changes[0], (TVideoMode{800, 600, 16}));
    EXPECT_TRUE(f.Display->FullScreen());
}

