// The clock's own date and time formatting.
//
// The clock needs four pictures of the time: "hh:nn" (24-hour), "a/phh:nn"
// (12-hour with an "a" or "p" mark), "ddd" (the locale's short weekday
// name) and "mm/dd". FormatClockTime understands the tokens of those
// formats ("a/p", "hh", "nn", "mm", "dd", "ddd"); every other character is
// copied. With "a/p" anywhere in the format the hour is 12-hour (00 and 12
// both give 12).
#pragma once

#include <array>
#include <string>

// A moment as the clock shows it.
struct TClockTime {
    int Hour = 0;       // 0..23
    int Minute = 0;     // 0..59
    int Month = 1;      // 1..12
    int Day = 1;        // 1..31
    int DayOfWeek = 1;  // 1 = Sunday .. 7 = Saturday
};

// Short weekday names, index 0 = Sunday.
using TShortDayNames = std::array<std::string, 7>;

std::string FormatClockTime(const std::string& format, const TClockTime& time, const TShortDayNames& dayNames);

// The local time from the C runtime.
TClockTime SystemClockTime();

// The short weekday names new clocks take: "Sun" .. "Sat" until the program
// sets the locale's at start-up.
const TShortDayNames& DefaultShortDayNames();
void SetDefaultShortDayNames(const TShortDayNames& names);
