// The sound player's flags and the mixer's level conversion.
#include "aquarium/core/SoundRules.h"

#include <gtest/gtest.h>

TEST(SoundRulesTest, PlayFlagsForEachSourceAndLoop)
{
    EXPECT_EQ(SoundPlayFlags(true, true), 0x4001Fu);
    EXPECT_EQ(SoundPlayFlags(true, false), 0x40017u);
    EXPECT_EQ(SoundPlayFlags(false, true), 0x2001Bu);
    EXPECT_EQ(SoundPlayFlags(false, false), 0x20013u);
}

TEST(SoundRulesTest, ReadingLevelsTruncatesTowardsZero)
{
    EXPECT_EQ(VolumeBalanceOf({65535, 32767}), (TVolumeBalance{100, -50}));
    EXPECT_EQ(VolumeBalanceOf({32767, 65535}), (TVolumeBalance{100, 50}));
    EXPECT_EQ(VolumeBalanceOf({19660, 6553}), (TVolumeBalance{29, -66}));  // -66.67 becomes -66
    // Below one percent there is no balance to divide out.
    EXPECT_EQ(VolumeBalanceOf({600, 0}), (TVolumeBalance{0, 0}));
    EXPECT_EQ(VolumeBalanceOf({0, 0}), (TVolumeBalance{0, 0}));
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
