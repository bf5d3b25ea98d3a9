// The benchmarks' wall clock.
#pragma once

#include <windows.h>

// Seconds of the performance counter.
inline double WallSeconds()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}
