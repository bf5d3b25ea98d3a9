#include "app/core/MathPro.h"

#include <cmath>
#include <limits>

#include "classlib/core/SysUtils.h"

void SinCos(float angle, float& sinValue, float& cosValue)
{
    // Evaluated in double and rounded once to single, as the x87 unit does
    // with its wider registers.
    const double a = angle;
    sinValue = static_cast<float>(std::sin(a));
    cosValue = static_cast<float>(std::cos(a));
}

long double Tan(long double angle)
{
    return std::tan(angle);
}

int64_t TruncInt64(long double value)
{
    return Trunc(value);
}

int32_t TruncSingle(float value)
{
    const float integral = std::trunc(value);
    // [-2^31, 2^31) is exactly representable at both ends; NaN fails both tests.
    if (!(integral >= -2147483648.0f && integral < 2147483648.0f)) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(integral);
}

int64_t RoundInt64(long double value)
{
    // Out of range (NaN included) before rounding: llrint leaves that case
    // unspecified, so it is answered here.
    if (!(value >= -0x1p63L && value < 0x1p63L)) return std::numeric_limits<int64_t>::min();
    return std::llrint(value);
}

float IntPower(float base, int32_t exponent)
{
    // The magnitude as unsigned, so that the lowest int32 has one too.
    uint32_t remaining = exponent < 0 ? 0u - static_cast<uint32_t>(exponent)
                                      : static_cast<uint32_t>(exponent);
    // Accumulated in extended precision and rounded to single once.
    long double result = 1.0L;
    long double square = base;
    while (remaining != 0) {
        if (remaining & 1u) result *= square;
        remaining >>= 1;
        if (remaining != 0) square *= square;
    }
    return static_cast<float>(exponent < 0 ? 1.0L / result : result);
}

long double DegToRad(long double degrees)
{
    return degrees * 0.017453292519943295L;
}

float DegToRadSingle(float degrees)
{
    return degrees * 0.017453292f;
}

float RadToDegSingle(float radians)
{
    return radians * 57.29578f;
}
