#include "app/core/MathPro.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "classlib/core/FloatControl.h"

namespace {

constexpr uint16_t RoundUpWord = 0x1B3F;
constexpr uint16_t RoundDownWord = 0x173F;

// Puts the default control word back, whatever a test switched to.
class MathRounding : public ::testing::Test {
protected:
    void TearDown() override { Set8087CW(DefaultFPUControlWord); }
};

}  // namespace

TEST_F(MathRounding, TruncationsGoTowardZeroInEveryModeAndOutOfRangeGivesIntegerIndefinite)
{
    for (const uint16_t word : {DefaultFPUControlWord, RoundUpWord, RoundDownWord}) {
        Set8087CW(word);
        const uint16_t before = Get8087CW();  // reserved bits read back as the unit keeps them
        volatile float negative = -2.7f;      // kept out of constant folding
        volatile long double extended = -1e12L - 0.75L;
        EXPECT_EQ(TruncSingle(negative), -2) << std::hex << word;
        EXPECT_EQ(TruncInt64(extended), -1000000000000LL) << std::hex << word;
        EXPECT_EQ(Get8087CW(), before) << "the control word is left as it was";
    }
    Set8087CW(DefaultFPUControlWord);
    EXPECT_EQ(RoundInt64(2.5L), 2);
    Set8087CW(RoundUpWord);
    EXPECT_EQ(RoundInt64(2.1L), 3);  // follows the mode
    EXPECT_EQ(TruncSingle(2147483648.0f), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(TruncSingle(2147483520.0f), 2147483520);  // the largest single below 2^31
    EXPECT_EQ(TruncInt64(1e19L), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(RoundInt64(std::numeric_limits<long double>::quiet_NaN()), std::numeric_limits<int64_t>::min());
}

TEST(MathProTest, IntPowerKeepsTheMagnitudeOfTheLowestExponent)
{
    EXPECT_EQ(IntPower(2, -2), 0.25f);
    EXPECT_FLOAT_EQ(IntPower(1.1f, 13), std::pow(1.1f, 13.0f));
    EXPECT_EQ(IntPower(0.5f, std::numeric_limits<int32_t>::min()), std::numeric_limits<float>::infinity())
        << "the lowest exponent still has a magnitude";
}
