#include "classlib/core/Random.h"

#include <gtest/gtest.h>

namespace {

// Each test starts the generator where the program starts it (seed 0) and
// leaves the seed as it found it for whatever runs next.
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

// Seeds after each draw, worked out from seed := seed * 134775813 + 1 (mod 2^32):
//   s1 = 0 * 134775813 + 1                      = 1
//   s2 = 1 * 134775813 + 1                      = 134775814
//   s3 = 134775814 * 134775813 + 1
//      = (134775813^2 + 134775813) + 1
//      = 18164519769810969 + 134775813 + 1       = 18164519904586783
//      18164519904586783 - 4229256 * 2^32
//      = 18164519904586783 - 18164516206411776  = 3698175007
TEST_F(RandomTest, SeedFollowsTheRecurrenceFromZero)
{
    EXPECT_EQ(RandSeed(), 0u);
    Random();
    EXPECT_EQ(RandSeed(), 1u);
    Random(10);
    EXPECT_EQ(RandSeed(), 134775814u);
    Random();
    EXPECT_EQ(RandSeed(), 3698175007u);
}

// Integer draws are the high 32 bits of seed * n:
//   s1 = 1:          1 * 100 / 2^32 < 1                         -> 0
//   s2 = 134775814:  13477581400 / 4294967296 = 3.13...          -> 3
//   s3 = 3698175007: 369817500700 / 4294967296 = 86.10...        -> 86
TEST_F(RandomTest, FirstIntegerDraws)
{
    EXPECT_EQ(Random(100), 0);
    EXPECT_EQ(Random(100), 3);
    EXPECT_EQ(Random(100), 86);
}

// Real draws are seed * 2^-32, exact in a double:
//   s1 = 1:          2^-32
//   s2 = 134775814:  134775814 / 4294967296 = 0.0313799395...
TEST_F(RandomTest, FirstRealDraws)
{
    EXPECT_EQ(Random(), 0x1p-32);
    EXPECT_EQ(Random(), 134775814.0 / 4294967296.0);
    EXPECT_NEAR(Random(), 0.8610484672, 1e-10);
}

TEST_F(RandomTest, IntegerAndRealDrawsShareOneSequence)
{
    // s2 = 134775814 taken as a real after one integer draw.
    Random(5);
    EXPECT_EQ(Random(), 134775814.0 / 4294967296.0);
}

// 1298181734 * 134775813 + 1 = 0xFFFFFFFF (mod 2^32), the largest seed a draw
// can produce: it must still map below n and below 1.
TEST_F(RandomTest, LargestSeedStaysInsideTheRange)
{
    SetRandSeed(1298181734u);
    EXPECT_EQ(Random(6), 5);
    EXPECT_EQ(RandSeed(), 0xFFFFFFFFu);
    SetRandSeed(1298181734u);
    EXPECT_EQ(Random(), 1.0 - 0x1p-32);
}

TEST_F(RandomTest, ZeroRangeDrawsAndGivesZero)
{
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(RandSeed(), 1u);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(RandSeed(), 134775814u);
}

// A negative range keeps the same product: s1 = 1 gives floor(-100 / 2^32) = -1.
TEST_F(RandomTest, NegativeRangeGivesTheSignedHighWord)
{
    EXPECT_EQ(Random(-100), -1);
    EXPECT_EQ(Random(-100), -4);  // floor(-3.13...)
}
