// The OpenGL application's display component: the modes it offers and the
// hooks to its application.
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

TEST(GLDisplayFilter, AcceptsSixteenAndThirtyTwoBitModesOfAtLeast480Lines)
{
    EXPECT_TRUE(AcceptGLDisplayMode(16, 640, 480));
    EXPECT_TRUE(AcceptGLDisplayMode(32, 1280, 1024));
    EXPECT_FALSE(AcceptGLDisplayMode(24, 1024, 768));
    EXPECT_FALSE(AcceptGLDisplayMode(8, 1024, 768));
    EXPECT_FALSE(AcceptGLDisplayMode(15, 1024, 768));
    EXPECT_FALSE(AcceptGLDisplayMode(32, 640, 400));
    EXPECT_FALSE(AcceptGLDisplayMode(16, 640, 479));
}

TEST(GLDisplay, EnumeratesOnLoadOfferingOnlyTheModesTheHostAccepts)
{
    auto display = NewDisplay();
    RecordingHost host;
    EXPECT_TRUE(display->EnumerateOnLoad);
    display->SetHost(&host);
    display->Loaded();
    EXPECT_EQ(Offered(*display), (std::vector<std::string>{"640x480x16", "1024x768x32", "1280x1024x32"}));
    EXPECT_TRUE(host.Calls.empty()) << "enumeration switches nothing";
}

TEST(GLDisplay, AModeSwitchReadsTheStoredModeFirstAndReportsTheChangeAfter)
{
    auto display = NewDisplay();
    RecordingHost host;
    display->SetHost(&host);
    display->EnumerateModes();
    display->SetFullScreen(true);
    EXPECT_TRUE(display->FullScreen());
    display->SetFullScreen(false);
    EXPECT_EQ(host.Calls, (std::vector<std::string>{"read", "changed", "read", "changed"}));
}

TEST(GLDisplay, ADisplayLetGoCallsItsFormerHostNoMore)
{
    auto first = NewDisplay();
    auto second = NewDisplay();
    RecordingHost host;
    first->SetHost(&host);

    // The application takes another display.
    first->SetHost(nullptr);
    second->SetHost(&host);

    EXPECT_FALSE(first->OnModeChanging);
    EXPECT_FALSE(first->OnModeChanged);
    EXPECT_FALSE(first->OnFilterMode);
    first->EnumerateModes();
    first->SetFullScreen(true);
    first->SetFullScreen(false);
    EXPECT_TRUE(host.Calls.empty());
    EXPECT_EQ(Offered(*first).size(), 6u) << "without the filter every mode is offered";

    second->SetFullScreen(true);
    EXPECT_EQ(host.Calls, (std::vector<std::string>{"read", "changed"}));
}
