// Elapsed time in milliseconds and the accumulating stopwatch behind the
// program's clock.
//
// `TTime` holds a 32-bit millisecond total and its split into days, hours,
// minutes, seconds and milliseconds. `TTickStopwatch` adds up the steps of a
// millisecond tick counter that wraps at 2^32 (the multimedia timer does so
// after about 49.7 days): each reading adds the unsigned modular difference
// to the previous one, so a wrap of the counter costs nothing, and the total
// itself wraps after 2^32 ms of running time. The tick source is a plain
// function so that tests can drive the stopwatch; `TTimerPro` (Win32) reads
// the multimedia timer through it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "classlib/core/Components.h"

class TTime : public TObject {
public:
    std::string ClassName() const override { return "TTime"; }

    // Stores the total and its parts.
    void SetMilliseconds(uint32_t total);
    // Everything back to 0.
    void Clear() { SetMilliseconds(0); }
    // The total, in milliseconds and in seconds.
    long double GetMilliseconds() const { return static_cast<long double>(FTotal); }
    long double GetSeconds() const { return static_cast<long double>(FTotal) / 1000.0L; }

    uint32_t Total() const { return FTotal; }
    uint32_t MSecs() const { return FMSecs; }
    uint32_t Secs() const { return FSecs; }
    uint32_t Minutes() const { return FMinutes; }
    uint32_t Hours() const { return FHours; }
    uint32_t Days() const { return FDays; }

private:
    uint32_t FTotal = 0;
    uint32_t FMSecs = 0;
    uint32_t FSecs = 0;
    uint32_t FMinutes = 0;
    uint32_t FHours = 0;
    uint32_t FDays = 0;
};

// A millisecond counter that wraps at 2^32.
using TTickSource = std::function<uint32_t()>;

class TTickStopwatch : public TObject {
public:
    explicit TTickStopwatch(TTickSource tickSource);
    TTickStopwatch(const TTickStopwatch&) = delete;
    TTickStopwatch& operator=(const TTickStopwatch&) = delete;

    std::string ClassName() const override { return "TTickStopwatch"; }

    // Takes the first reading and clears the time; a running stopwatch is
    // left alone (a second Start does not reset it).
    void Start();
    // Adds the ticks since the previous reading and returns the time so
    // far; before Start the time stays zero and the source is not read.
    TTime& Elapsed();
    bool Running() const { return FRunning; }

private:
    TTickSource FTickSource;
    TTime FTime;
    uint32_t FLastTick = 0;
    bool FRunning = false;
};
