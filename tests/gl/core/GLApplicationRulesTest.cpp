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
    std::string Warning()
    {
        try {
            CheckDesktopColorDepth(*Display);
        } catch (const Exception& e) {
            return e.Message;
        }
        return "(none)";
    }
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
    EXPECT_EQ(f.Warning(), "(none)");
    f.Driver->Desktop = {1280, 1024, 24};  // changed since the modes were listed
    EXPECT_EQ(f.Warning(), ColorDepthWarning);
    f.Driver->Desktop = {1024, 768, 16};
    EXPECT_EQ(f.Warning(), "(none)");

    // 24-bit, 8-bit and too-short modes are all filtered out, the desktop's own included.
    TDisplayFixture unusable({{1280, 1024, 24}, {800, 600, 8}, {640, 400, 32}}, {640, 400, 32});
    EXPECT_EQ(unusable.Display->ColorDepthModes().Count(), 0);
    EXPECT_EQ(unusable.Warning(), ColorDepthWarning);
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
