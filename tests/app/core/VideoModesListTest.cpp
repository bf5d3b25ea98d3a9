#include "app/core/VideoModesList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "FakeDisplayDriver.h"
#include "classlib/core/Exceptions.h"

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

}  // namespace

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
    EXPECT_EQ(driver.Log->Tested.size(), 64u);  // 3 listed, the probe and 60 candidates, once each
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

TEST(VideoModesListTest, AChangedModeIsRestoredOnceAndTheDesktopModeNever)
{
    TFakeDisplayDriver driver;
    {
        TVideoModesList list(driver);
        list.GetCurrentMode();
        EXPECT_TRUE(list.SetMode(1280, 1024, 32));
        list.RestoreMode();
        EXPECT_TRUE(driver.Log->Changes.empty());
        EXPECT_EQ(driver.Log->Restores, 0);
        EXPECT_TRUE(list.SetMode(800, 600, 16));
        list.RestoreMode();
        EXPECT_EQ(driver.Log->Restores, 1);
    }
    EXPECT_EQ(driver.Log->Restores, 1);  // nothing left for the destructor

    // A failed switch is inactive, but an earlier change is still restored.
    {
        TVideoModesList list(driver);
        ASSERT_TRUE(list.SetMode(800, 600, 16));
        driver.ChangeSucceeds = false;
        EXPECT_FALSE(list.SetMode(1024, 768, 16));
        EXPECT_FALSE(list.Active());
        EXPECT_TRUE(list.Changed());
    }
    EXPECT_EQ(driver.Log->Restores, 2);
}
