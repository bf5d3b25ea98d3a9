// The mixer's level conversion. (The sound player's flags are checked where
// the player hands them to winmm: SoundTest.cpp.)
#include "aquarium/core/SoundRules.h"

#include <gtest/gtest.h>

TEST(SoundRulesTest, ReadingLevelsTruncatesTowardsZero)
{
    EXPECT_EQ(VolumeBalanceOf({65535, 32767}), (TVolumeBalance{100, -50}));
    EXPECT_EQ(VolumeBalanceOf({19660, 6553}), (TVolumeBalance{29, -66}));  // -66.67 becomes -66
    // Below one percent there is no balance to divide out.
    EXPECT_EQ(VolumeBalanceOf({600, 0}), (TVolumeBalance{0, 0}));
    EXPECT_EQ(VolumeBalanceOf({70000, 70000}), (TVolumeBalance{100, 0}));
}

TEST(SoundRulesTest, WritingLowersTheChannelAwayFromTheBalance)
{
    EXPECT_EQ(ChannelLevelsOf({50, 0}), (TChannelLevels{32767, 32767}));
    EXPECT_EQ(ChannelLevelsOf({100, 100}), (TChannelLevels{0, 65535}));
    EXPECT_EQ(ChannelLevelsOf({100, -100}), (TChannelLevels{65535, 0}));
    EXPECT_EQ(ChannelLevelsOf({100, -50}), (TChannelLevels{65535, 32767}));
    EXPECT_EQ(ChannelLevelsOf({0, 30}), (TChannelLevels{0, 0}));
    // What was written reads back as the same volume and balance.
    for (const TVolumeBalance value : {TVolumeBalance{100, -50}, TVolumeBalance{100, 20}, TVolumeBalance{80, 0}})
        EXPECT_EQ(VolumeBalanceOf(ChannelLevelsOf(value)), value);
}
