#include "classlib/core/FloatControl.h"

#include <xmmintrin.h>

#if !defined(__x86_64__)
#error "FloatControl supports x86-64 only"
#endif

namespace {

constexpr uint32_t MxcsrFlags = 0x003F;          // sticky exception flags
constexpr uint32_t MxcsrMasksAndRounding = 0x7F80;  // bits 7-14

}  // namespace

void Set8087CW(uint16_t controlWord)
{
    __asm__ volatile("fnclex\n\tfldcw %0" : : "m"(controlWord) : "memory");

    const uint32_t masks = static_cast<uint32_t>(controlWord & 0x003F) << 7;
    const uint32_t rounding = static_cast<uint32_t>((controlWord >> 10) & 0x3) << 13;
    const uint32_t mxcsr = _mm_getcsr() & ~(MxcsrFlags | MxcsrMasksAndRounding);
    _mm_setcsr(mxcsr | masks | rounding);
}

uint16_t Get8087CW()
{
    uint16_t controlWord = 0;
    __asm__ volatile("fnstcw %0" : "=m"(controlWord) : : "memory");
    return controlWord;
}
