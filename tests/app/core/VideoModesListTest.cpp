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

TEST(VideoModesListTest, AnHonestDriverGetsTheLowResolutionsItAccepts)
{
    TFakeDisplayDriver driver;
    driver.Listed = {{1024, 768, 32}, {800, 600, 16}, {1024, 768, 32}, {640, 480, 8}};
    driver.Accepted = {{1024, 768, 32}, {800, 600, 16}, {320, 200, 16}, {512, 384, 32}};
    TVideoModesList list(driver);
    list.ReadVideoModes();

    // Listed and accepted, without repeats; then the accepted low
    // resolutions in table order; then the desktop mode, which is untested.
    const std::vector<TVideoMode> expected = {
        {1024, 768, 32}, {800, 600, 16}, {320, 200, 16}, {512, 384, 32}, {1280, 1024, 32}};
    EXPECT_EQ(ListedModes(list), expected);
    EXPECT_EQ(TimesTested(*driver.Log, {42, 37, 8}), 1);
    EXPECT_EQ(TimesTested(*driver.Log, {1280, 1024, 32}), 0);
    // Every one of the 60 candidates was offered to the driver once: with
    // the three distinct listed modes and the probe, 64 tests in all.
    const TVideoMode sizes[] = {{320, 200, 0}, {320, 240, 0}, {320, 350, 0}, {320, 400, 0},
                                {320, 480, 0}, {360, 200, 0}, {360, 240, 0}, {360, 350, 0},
                                {360, 400, 0}, {360, 480, 0}, {400, 300, 0}, {512, 384, 0}};
    for (const TVideoMode& size : sizes)
        for (const int depth : {8, 15, 16, 24, 32})
            EXPECT_EQ(TimesTested(*driver.Log, {size.Width, size.Height, depth}), 1)
                << size.Width << "x" << size.Height << "x" << depth;
    EXPECT_EQ(driver.Log->Tested.size(), 64u);
    EXPECT_EQ(list.DesktopMode(), (TVideoMode{1280, 1024, 32}));
}

TEST(VideoModesListTest, ADriverThatAcceptsTheProbeGetsNoLowResolutions)
{
    TFakeDisplayDriver driver;
    driver.AcceptsEverything = true;
    driver.Listed = {{1024, 768, 32}, {640, 480, 8}, {1280, 1024, 32}};
    TVideoModesList list(driver);
    list.ReadVideoModes();

    // The desktop mode is among the driver's modes and is not repeated.
    const std::vector<TVideoMode> expected = {{1024, 768, 32}, {640, 480, 8}, {1280, 1024, 32}};
    EXPECT_EQ(ListedModes(list), expected);
    EXPECT_EQ(TimesTested(*driver.Log, {320, 200, 8}), 0);

    // Reading again starts from an empty list.
    list.ReadVideoModes();
    EXPECT_EQ(ListedModes(list), expected);

    EXPECT_EQ(list.FindMode(640, 480, 8), 1);
    EXPECT_EQ(list.FindMode(640, 480, 16), -1);
    EXPECT_EQ(list.FindMode(480, 640, 8), -1);
    EXPECT_THROW(list.GetMode(-1), EListError);
    EXPECT_THROW(list.GetMode(list.Count()), EListError);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(VideoModesListTest, AChangedModeIsRestoredOnceAndTheDesktopModeNever)
{
    TFakeDisplayDriver driver;
    {
        TVideoModesList list(driver);
        list.GetCurrentMode();
        EXPECT_TRUE(list.SetMode(1280, 1024, 32));
        EXPECT_TRUE(list.Active());
        EXPECT_FALSE(list.Changed());
        list.RestoreMode();
        EXPECT_FALSE(list.Active());
        EXPECT_TRUE(driver.Log->Changes.empty());
        EXPECT_EQ(driver.Log->Restores, 0);

        EXPECT_TRUE(list.SetMode(800, 600, 16));
        EXPECT_TRUE(list.Active());
        EXPECT_TRUE(list.Changed());
        EXPECT_EQ(list.LastMode(), (TVideoMode{800, 600, 16}));
        EXPECT_EQ(driver.Log->Changes, std::vector<TVideoMode>{(TVideoMode{800, 600, 16})});
        list.RestoreMode();
        EXPECT_FALSE(list.Active());
        EXPECT_FALSE(list.Changed());
        EXPECT_EQ(driver.Log->Restores, 1);
    }
    EXPECT_EQ(driver.Log->Restores, 1);  // nothing left for the destructor
    TVideoModesList(driver).SetMode(640, 480, 16);
    EXPECT_EQ(driver.Log->Restores, 2);  // the destructor restores a changed mode
}

TEST(VideoModesListTest, AFailedSwitchIsInactiveButAnEarlierChangeIsStillRestored)
{
    TFakeDisplayDriver driver;
    driver.ChangeSucceeds = false;
    {
        TVideoModesList list(driver);
        EXPECT_FALSE(list.SetMode(800, 600, 16));
        EXPECT_FALSE(list.Active());
        EXPECT_FALSE(list.Changed());
    }
    EXPECT_EQ(driver.Log->Restores, 0);
    {
        TVideoModesList list(driver);
        driver.ChangeSucceeds = true;
        ASSERT_TRUE(list.SetMode(800, 600, 16));
        driver.ChangeSucceeds = false;
        EXPECT_FALSE(list.SetMode(1024, 768, 16));
        EXPECT_FALSE(list.Active());
        EXPECT_TRUE(list.Changed());
        EXPECT_EQ(list.LastMode(), (TVideoMode{800, 600, 16}));
    }
    EXPECT_EQ(driver.Log->Restores, 1);
}
