#include "classlib/core/Random.h"

#include <gtest/gtest.h>

namespace {

// Each test starts the generator where the program starts it (seed 0) and
// puts the seed back afterwards.
class RandomTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = RandSeed();
        SetRandSeed(0);
    }
    void TearDown() override { SetRandSeed(saved); }

    uint32_t saved = 0;
};

}  // namespace

// seed := seed * 134775813 + 1 (mod 2^32) gives 1, 134775814, 3698175007.
// Integer draws are the high 32 bits of seed * n; real draws are seed * 2^-32.
TEST_F(RandomTest, FirstDrawsFollowTheRecurrenceFromZero)
{
    EXPECT_EQ(Random(100), 0);
    EXPECT_EQ(RandSeed(), 1u);
    EXPECT_EQ(Random(100), 3);
    EXPECT_EQ(RandSeed(), 134775814u);
    EXPECT_EQ(Random(100), 86);
    EXPECT_EQ(RandSeed(), 3698175007u);

    // Integer and real draws share one sequence.
    SetRandSeed(0);
    EXPECT_EQ(Random(), 0x1p-32);
    EXPECT_EQ(Random(), 134775814.0 / 4294967296.0);
    EXPECT_NEAR(Random(), 0.8610484672, 1e-10);
    SetRandSeed(0);
    Random(5);
    EXPECT_EQ(Random(), 134775814.0 / 4294967296.0);
}

TEST_F(RandomTest, RangeEdges)
{
    // 1298181734 * 134775813 + 1 = 0xFFFFFFFF: the largest seed still maps
    // below n and below 1.
    SetRandSeed(1298181734u);
    EXPECT_EQ(Random(6), 5);
    EXPECT_EQ(RandSeed(), 0xFFFFFFFFu);
    SetRandSeed(1298181734u);
    EXPECT_EQ(Random(), 1.0 - 0x1p-32);

    // A zero range still draws; a negative one gives the signed high word.
    SetRandSeed(0);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(RandSeed(), 1u);
    SetRandSeed(0);
    EXPECT_EQ(Random(-100), -1);
    EXPECT_EQ(Random(-100), -4);  // floor(-3.13...)
}
