#include "classlib/core/Random.h"

namespace {

uint32_t seed = 0;

uint32_t NextSeed()
{
    seed = seed * 134775813u + 1u;  // unsigned arithmetic wraps mod 2^32
    return seed;
}

}  // namespace

int Random(int n)
{
    // Arithmetic shift of the signed product: for n >= 0 this is exactly the
    // high 32 bits of the unsigned product.
    return static_cast<int>((static_cast<int64_t>(NextSeed()) * n) >> 32);
}

double Random()
{
    return static_cast<double>(NextSeed()) * 0x1p-32;
}

uint32_t RandSeed() { return seed; }

void SetRandSeed(uint32_t newSeed) { seed = newSeed; }
