// The OpenGL application's display component: the modes it offers and its host hooks.
#include "gl/core/CustomGLDisplay.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../../app/core/FakeDisplayDriver.h"

namespace {

struct RecordingHost : IGLDisplayHost {
    std::vector<std::string> Calls;
    void FullScreenChanged() override { Calls.push_back("changed"); }
    void ReadFullScreenMode() override { Calls.push_back("read"); }
};

// A display whose driver lists modes of every kind and accepts them all.
std::unique_ptr<TCustomGLDisplay> NewDisplay()
{
    auto driver = std::make_unique<TFakeDisplayDriver>();
    driver->AcceptsEverything = true;
    driver->Listed = {{640, 480, 16}, {800, 600, 24}, {1024, 768, 32}, {640, 400, 32}, {1280, 1024, 8},
                      {1280, 1024, 32}};
    return std::make_unique<TCustomGLDisplay>(nullptr, std::move(driver));
}

std::vector<std::string> Offered(TCustomGLDisplay& display)
{
    std::vector<std::string> modes;
    const TColorDepthModes& groups = display.ColorDepthModes();
    for (int g = 0; g < groups.Count(); ++g)
        for (int i = 0; i < groups.Items(g).Modes.Count(); ++i)
            modes.push_back(groups.Items(g).Modes.Items(i).GetModeName());
    return modes;
}

}  // namespace

TEST(GLDisplay, OffersOnlySixteenAndThirtyTwoBitModesOfAtLeast480LinesAndLetsGoOfItsHost)
{
    EXPECT_FALSE(AcceptGLDisplayMode(16, 640, 479));
    auto display = NewDisplay();
    RecordingHost host;
    display->SetHost(&host);
    display->Loaded();
    EXPECT_EQ(Offered(*display), (std::vector<std::string>{"640x480x16", "1024x768x32", "1280x1024x32"}));
    EXPECT_TRUE(host.Calls.empty()) << "enumeration switches nothing";
    display->SetFullScreen(true);
    EXPECT_EQ(host.Calls, (std::vector<std::string>{"read", "changed"}));

    // A display let go calls its former host no more.
    display->SetHost(nullptr);
    display->EnumerateModes();
    display->SetFullScreen(false);
    EXPECT_EQ(host.Calls.size(), 2u);
    EXPECT_EQ(Offered(*display).size(), 6u) << "without the filter every mode is offered";
}
