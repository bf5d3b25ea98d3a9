// Floating-point routines of the graphics code's inner loops.
//
// They work on single-precision values where the callers keep them, and on
// long double (the x87 extended format on x86-64 GCC and mingw-w64) where an
// extended argument is wanted.
//
// Truncations go toward zero whatever the rounding mode in force: the
// conversions used here truncate by definition, so the floating-point
// control word is never touched and is the same after a call as before.
// A value that does not fit the result (or NaN) gives the processor's
// "integer indefinite", the lowest value of the result type, as the
// conversion does with all floating-point exceptions masked.
#pragma once

#include <cstdint>

// Sine and cosine of one angle in radians.
void SinCos(float angle, float& sinValue, float& cosValue);
long double Tan(long double angle);

int64_t TruncInt64(long double value);
int32_t TruncSingle(float value);
// Rounds in the current rounding mode: to nearest with ties to even under
// the default control word (2.5 -> 2, 3.5 -> 4).
int64_t RoundInt64(long double value);

// base ^ exponent by square-and-multiply; an exponent of 0 gives 1 (for a
// zero base too), a negative one gives 1 / base ^ |exponent|.
float IntPower(float base, int32_t exponent);

// Degrees to radians with the extended constant pi / 180.
long double DegToRad(long double degrees);
// Degrees to radians and back with single-precision constants; every angle
// of the scene code goes through these two.
float DegToRadSingle(float degrees);
float RadToDegSingle(float radians);
