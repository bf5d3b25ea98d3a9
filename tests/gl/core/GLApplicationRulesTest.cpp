// The OpenGL application's display rules: the modes it offers, the colour-depth
// check, the stored full-screen mode; and the display component's host hooks.
#include "gl/core/GLApplicationRules.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../../app/core/FakeDisplayDriver.h"
#include "app/core/DisplayControl.h"
#include "classlib/core/Exceptions.h"
#include "gl/core/CustomGLDisplay.h"
#include "../../support/ExceptionMessage.h"

namespace {

struct RecordingHost : IGLDisplayHost {
    std::vector<std::string> Calls;
    void FullScreenChanged() override { Calls.push_back("changed"); }
    void ReadFullScreenMode() override { Calls.push_back("read"); }
};

std::vector<std::string> Offered(TCustomDisplayControl& display)
{
    std::vector<std::string> modes;
    const TColorDepthModes& groups = display.ColorDepthModes();
    for (int g = 0; g < groups.Count(); ++g)
        for (int i = 0; i < groups.Items(g).Modes.Count(); ++i)
            modes.push_back(groups.Items(g).Modes.Items(i).GetModeName());
    return modes;
}

// A display listing `modes` through the OpenGL application's filter, the desktop at `desktop`.
struct TDisplayFixture {
    TFakeDisplayDriver* Driver;
    std::unique_ptr<TCustomDisplayControl> Display;

    TDisplayFixture(std::vector<TVideoMode> modes, TVideoMode desktop)
    {
        auto driver = std::make_unique<TFakeDisplayDriver>();
        driver->AcceptsEverything = true;
        driver->Listed = std::move(modes);
        driver->Desktop = desktop;
        Driver = driver.get();
        Display = std::make_unique<TCustomDisplayControl>(nullptr, std::move(driver));
        Display->OnFilterMode = [](int depth, int width, int height, bool& accept) {
            accept = AcceptGLDisplayMode(depth, width, height);
        };
        Display->EnumerateModes();
    }
    std::string Warning() { return testsupport::MessageOf([this] { CheckDesktopColorDepth(*Display); }); }
};

const std::vector<TVideoMode> UsualModes{{1280, 1024, 32}, {800, 600, 32}, {1024, 768, 16}, {640, 480, 16}};

}  // namespace

TEST(GLApplicationRules, TheColorDepthCheckReadsTheDesktopAgainAndGivesTheProgramsWarning)
{
    EXPECT_STREQ(ColorDepthWarning,
                 "Warning! This Program needs High Color (16 bits) or True Color (32 bits) to work in Preview "
                 "Mode.\r\n Change the Color Depth of your Windows Desktop to run it!");
    EXPECT_STREQ(HardwareAccelerationWarning,
                 "In this screen mode, hardware acceleration was not detected! The program runs in Software "
                 "Rendering mode with lower performance and quality! You need to update your video drivers. "
                 "See the HELP for more details.");
    TDisplayFixture f(UsualModes, {1280, 1024, 32});
    EXPECT_EQ(f.Warning(), "(no exception)");
    f.Driver->Desktop = {1280, 1024, 24};  // changed since the modes were listed
    EXPECT_EQ(f.Warning(), ColorDepthWarning);
    f.Driver->Desktop = {1024, 768, 16};
    EXPECT_EQ(f.Warning(), "(no exception)");
}

TEST(GLApplicationRules, AStoredModeBecomesTheFullScreenModeAndAMalformedOneKeepsTheCurrent)
{
    TDisplayFixture f(UsualModes, {1280, 1024, 32});
    EXPECT_TRUE(SetFullScreenModeName(*f.Display, "1024x768x32"));  // a size the depth lacks: its first size
    EXPECT_EQ(f.Display->FullScreenMode().GetModeName(), "1280x1024x32");
    ASSERT_TRUE(SetFullScreenModeName(*f.Display, "800x600x32"));
    for (const char* name : {"", "x", "800", "800x600", "800x600x", "800x600x32x", "800x600x32 bits", "axbxc",
                             "0x600x32", "-800x600x32", "70000x600x32", "800x600x64", "99999999999x600x32"}) {
        EXPECT_FALSE(SetFullScreenModeName(*f.Display, name)) << name;
        EXPECT_EQ(f.Display->FullScreenMode().GetModeName(), "800x600x32") << name;
    }
}

TEST(GLDisplay, OffersOnlySixteenAndThirtyTwoBitModesOfAtLeast480LinesAndLetsGoOfItsHost)
{
    EXPECT_FALSE(AcceptGLDisplayMode(16, 640, 479));
    auto driver = std::make_unique<TFakeDisplayDriver>();
    driver->AcceptsEverything = true;
    driver->Listed = {{640, 480, 16}, {800, 600, 24}, {1024, 768, 32}, {640, 400, 32}, {1280, 1024, 8},
                      {1280, 1024, 32}};
    TCustomGLDisplay display(nullptr, std::move(driver));
    RecordingHost host;
    display.SetHost(&host);
    display.Loaded();
    EXPECT_EQ(Offered(display), (std::vector<std::string>{"640x480x16", "1024x768x32", "1280x1024x32"}));
    EXPECT_TRUE(host.Calls.empty()) << "enumeration switches nothing";
    display.SetFullScreen(true);
    EXPECT_EQ(host.Calls, (std::vector<std::string>{"read", "changed"}));

    // A display let go calls its former host no more.
    display.SetHost(nullptr);
    display.EnumerateModes();
    display.SetFullScreen(false);
    EXPECT_EQ(host.Calls.size(), 2u);
    EXPECT_EQ(Offered(display).size(), 6u) << "without the filter every mode is offered";
}
