#include "classlib/core/FloatControl.h"

#include <cmath>
#include <limits>

#include <xmmintrin.h>

#include <gtest/gtest.h>

namespace {

// Saves both control registers and puts them back, whatever the test did.
class FloatControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedWord = Get8087CW();
        savedMxcsr = _mm_getcsr();
    }
    void TearDown() override
    {
        Set8087CW(savedWord);
        _mm_setcsr(savedMxcsr);
    }

    uint16_t savedWord = 0;
    unsigned savedMxcsr = 0;
};

constexpr unsigned MxcsrMasks = 0x1F80;
constexpr unsigned MxcsrRounding = 0x6000;

}  // namespace

TEST_F(FloatControlTest, DefaultWordMasksEverythingAndRoundsToNearest)
{
    Set8087CW(DefaultFPUControlWord);
    EXPECT_EQ(Get8087CW() & 0x1F3F, 0x133F);
    EXPECT_EQ(_mm_getcsr() & (MxcsrMasks | MxcsrRounding), MxcsrMasks);

    volatile double zero = 0.0;
    volatile double one = 1.0;
    EXPECT_EQ(one / zero, std::numeric_limits<double>::infinity()) << "zero divide must not trap";
    volatile long double oneExtended = 1.0L;
    volatile long double zeroExtended = 0.0L;
    EXPECT_TRUE(std::isinf(oneExtended / zeroExtended));
    EXPECT_TRUE(std::isnan(zero / zero)) << "invalid operation must not trap";

    volatile double half = 2.5;
    EXPECT_EQ(std::nearbyint(half), 2.0);
}

TEST_F(FloatControlTest, RoundingAndPrecisionControlReachTheRightUnits)
{
    volatile double d = 2.7;
    volatile double negative = -2.7;
    volatile long double e = 2.7L;
    Set8087CW(0x1F3F);  // round toward zero
    EXPECT_EQ(_mm_getcsr() & MxcsrRounding, 0x6000u);
    EXPECT_EQ(std::nearbyint(d), 2.0) << "SSE arithmetic follows the word";
    EXPECT_EQ(std::nearbyint(negative), -2.0);
    EXPECT_EQ(std::nearbyint(e), 2.0L) << "x87 arithmetic follows the word";
    Set8087CW(0x173F);  // round down
    EXPECT_EQ(_mm_getcsr() & MxcsrRounding, 0x2000u);
    EXPECT_EQ(std::nearbyint(negative), -3.0);
    Set8087CW(0x1B3F);  // round up
    EXPECT_EQ(_mm_getcsr() & MxcsrRounding, 0x4000u);
    EXPECT_EQ(std::nearbyint(d), 3.0);

    // Precision control stays on the x87 word.
    Set8087CW(0x103F);  // single precision, round to nearest
    EXPECT_EQ(Get8087CW() & 0x0300, 0x0000);
    EXPECT_EQ(_mm_getcsr() & (MxcsrMasks | MxcsrRounding), MxcsrMasks);
    Set8087CW(DefaultFPUControlWord);
    EXPECT_EQ(Get8087CW() & 0x0300, 0x0300);
}

TEST_F(FloatControlTest, ExceptionMasksMapBitForBitAndPendingFlagsDoNotFire)
{
    // Unmask one exception at a time (without raising any): exactly the
    // matching MXCSR mask bit clears.
    for (int bit = 0; bit < 6; ++bit) {
        const auto word = static_cast<uint16_t>(DefaultFPUControlWord & ~(1u << bit));
        Set8087CW(word);
        EXPECT_EQ(Get8087CW() & 0x3F, word & 0x3F);
        EXPECT_EQ(_mm_getcsr() & MxcsrMasks, MxcsrMasks & ~(1u << (bit + 7))) << "bit " << bit;
    }
    Set8087CW(DefaultFPUControlWord);
    volatile double zero = 0.0;
    volatile double one = 1.0;
    volatile double raised = one / zero;  // sets the SSE zero-divide flag
    (void)raised;
    Set8087CW(DefaultFPUControlWord & ~0x0004);  // unmask zero divide
    EXPECT_EQ(_mm_getcsr() & 0x3Fu, 0u) << "sticky flags are cleared";
    Set8087CW(DefaultFPUControlWord);
}
