#include "classlib/core/FloatControl.h"

#include <cmath>
#include <limits>

#include <xmmintrin.h>

#include <gtest/gtest.h>

namespace {

// Puts both control registers back, whatever the test did.
class FloatControlTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        Set8087CW(savedWord);
        _mm_setcsr(savedMxcsr);
    }
    uint16_t savedWord = Get8087CW();
    unsigned savedMxcsr = _mm_getcsr();
};

constexpr unsigned MxcsrMasks = 0x1F80;
constexpr unsigned MxcsrRounding = 0x6000;

}  // namespace

TEST_F(FloatControlTest, DefaultWordMasksEverythingAndRoundingReachesBothUnits)
{
    Set8087CW(DefaultFPUControlWord);
    EXPECT_EQ(Get8087CW() & 0x1F3F, 0x133F);
    EXPECT_EQ(_mm_getcsr() & (MxcsrMasks | MxcsrRounding), MxcsrMasks);
    volatile double zero = 0.0;
    volatile double one = 1.0;
    EXPECT_EQ(one / zero, std::numeric_limits<double>::infinity()) << "zero divide must not trap";
    EXPECT_TRUE(std::isnan(zero / zero)) << "invalid operation must not trap";

    volatile double d = 2.7;
    volatile long double e = 2.7L;
    Set8087CW(0x1F3F);  // round toward zero
    EXPECT_EQ(_mm_getcsr() & MxcsrRounding, 0x6000u);
    EXPECT_EQ(std::nearbyint(d), 2.0) << "SSE arithmetic follows the word";
    EXPECT_EQ(std::nearbyint(e), 2.0L) << "x87 arithmetic follows the word";
    Set8087CW(0x103F);  // single precision stays on the x87 word
    EXPECT_EQ(_mm_getcsr() & (MxcsrMasks | MxcsrRounding), MxcsrMasks);
}

TEST_F(FloatControlTest, ExceptionMasksMapBitForBitAndPendingFlagsDoNotFire)
{
    for (int bit = 0; bit < 6; ++bit) {
        Set8087CW(static_cast<uint16_t>(DefaultFPUControlWord & ~(1u << bit)));
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
