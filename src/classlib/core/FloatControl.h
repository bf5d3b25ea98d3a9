// The floating-point control word of the class library.
//
// The system states its floating-point environment as one x87 control word.
// Code compiled for x86-64 does its double and float arithmetic with SSE, so
// setting the word must reach both units: Set8087CW loads the x87 control
// word and derives the SSE control/status register (MXCSR) from it:
//  - exception masks, bits 0-5 (invalid, denormal, zero divide, overflow,
//    underflow, precision) -> MXCSR bits 7-12;
//  - rounding control, bits 10-11 (nearest, down, up, toward zero)
//    -> MXCSR bits 13-14;
//  - precision control (bits 8-9) only exists on the x87 unit.
// Other MXCSR bits (flush-to-zero, denormals-are-zero) are left alone, and
// pending exception flags of both units are cleared so that unmasking an
// exception does not fire one raised earlier.
#pragma once

#include <cstdint>

// All exceptions masked, 64-bit precision, round to nearest.
constexpr uint16_t DefaultFPUControlWord = 0x133F;

void Set8087CW(uint16_t controlWord);
// The x87 control word as it is now.
uint16_t Get8087CW();
