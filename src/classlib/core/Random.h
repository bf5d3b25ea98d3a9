// The system's one pseudo-random generator.
//
// A single process-wide 32-bit seed starts at 0 and the program never reseeds
// it, so every run draws the same sequence. Each draw first advances the seed
// (seed := seed * 134775813 + 1, mod 2^32) and then maps the new seed:
//  - Random(n): the high 32 bits of seed * n, an integer in [0, n) for n > 0
//    (0 for n = 0; for negative n the same product gives a value in [n, 0]);
//  - Random(): seed * 2^-32, a real in [0, 1).
#pragma once

#include <cstdint>

int Random(int n);
double Random();

// Direct access to the seed, for tests that need a known starting point.
uint32_t RandSeed();
void SetRandSeed(uint32_t seed);
