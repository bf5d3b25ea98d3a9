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

namespace {

// A display whose driver lists `modes`, filtered as the OpenGL application
// filters them, with the desktop at `desktop`.
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
};

const std::vector<TVideoMode> UsualModes{{1280, 1024, 32}, {800, 600, 32}, {1024, 768, 16}, {640, 480, 16}};

std::string WarningOf(TCustomDisplayControl& display)
{
    try {
        CheckDesktopColorDepth(display);
    } catch (const Exception& e) {
        return e.Message;
    }
    return "(none)";
}

}  // namespace

TEST(GLApplicationRules, TheWarningsAreTheProgramsOwnWords)
{
    EXPECT_STREQ(ColorDepthWarning,
                 "Warning! This Program needs High Color (16 bits) or True Color (32 bits) to work in Preview "
                 "Mode.\r\n Change the Color Depth of your Windows Desktop to run it!");
    EXPECT_STREQ(HardwareAccelerationWarning,
                 "In this screen mode, hardware acceleration was not detected! The program runs in Software "
                 "Rendering mode with lower performance and quality! You need to update your video drivers. "
                 "See the HELP for more details.");
}

TEST(GLApplicationRules, OnlyA16Or32BitDesktopWithUsableModesCarriesTheProgram)
{
    EXPECT_TRUE(DesktopColorDepthUsable(1, 16));
    EXPECT_TRUE(DesktopColorDepthUsable(2, 32));
    EXPECT_FALSE(DesktopColorDepthUsable(2, 24));
    EXPECT_FALSE(DesktopColorDepthUsable(2, 8));
    EXPECT_FALSE(DesktopColorDepthUsable(2, 15));
    EXPECT_FALSE(DesktopColorDepthUsable(0, 32));
    EXPECT_FALSE(DesktopColorDepthUsable(0, 16));
}

TEST(GLApplicationRules, TheColorDepthCheckReadsTheDesktopAgain)
{
    TDisplayFixture f(UsualModes, {1280, 1024, 32});
    EXPECT_EQ(WarningOf(*f.Display), "(none)");
    // The desktop changed since the modes were listed.
    f.Driver->Desktop = {1280, 1024, 24};
    EXPECT_EQ(WarningOf(*f.Display), ColorDepthWarning);
    f.Driver->Desktop = {1280, 1024, 8};
    EXPECT_EQ(WarningOf(*f.Display), ColorDepthWarning);
    f.Driver->Desktop = {1024, 768, 16};
    EXPECT_EQ(WarningOf(*f.Display), "(none)");
}

TEST(GLApplicationRules, ADisplayWithoutUsableModesFailsTheCheckEvenWithA32BitDesktop)
{
    // 24-bit, 8-bit and too-short modes are all filtered out, the desktop's
    // own mode (always listed) included.
    TDisplayFixture f({{1280, 1024, 24}, {800, 600, 8}, {640, 400, 32}}, {640, 400, 32});
    EXPECT_EQ(f.Display->ColorDepthModes().Count(), 0);
    EXPECT_EQ(WarningOf(*f.Display), ColorDepthWarning);
}

TEST(GLApplicationRules, AStoredModeBecomesTheFullScreenModeInsideTheGroups)
{
    TDisplayFixture f(UsualModes, {1280, 1024, 32});
    EXPECT_TRUE(SetFullScreenModeName(*f.Display, "1024x768x16"));
    EXPECT_EQ(f.Display->FullScreenMode().GetModeName(), "1024x768x16");
    // A size the depth lacks becomes that depth's first size.
    EXPECT_TRUE(SetFullScreenModeName(*f.Display, "1024x768x32"));
    EXPECT_EQ(f.Display->FullScreenMode().GetModeName(), "1280x1024x32");
}

TEST(GLApplicationRules, AMalformedStoredModeKeepsTheCurrentOne)
{
    TDisplayFixture f(UsualModes, {1280, 1024, 32});
    ASSERT_TRUE(SetFullScreenModeName(*f.Display, "800x600x32"));
    for (const char* name : {"", "x", "xx", "800", "800x600", "800x600x", "800x600x32x", "800x600x32 bits",
                             "axbxc", "800X600X32", "0x600x32", "800x0x32", "-800x600x32", "70000x600x32",
                             "800x600x0", "800x600x64", "99999999999x600x32"}) {
        EXPECT_FALSE(SetFullScreenModeName(*f.Display, name)) << name;
        EXPECT_EQ(f.Display->FullScreenMode().GetModeName(), "800x600x32") << name;
    }
}
