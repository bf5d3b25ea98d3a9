#include "aquarium/core/ClockText.h"

#include <cctype>
#include <ctime>

namespace {

// At least two digits, as many as the value needs.
void AppendTwoDigits(std::string& text, int value)
{
    if (value >= 0 && value < 10)
        text += '0';
    text += std::to_string(value);
}

bool StartsWith(const std::string& text, size_t at, const char* token)
{
    for (size_t i = 0; token[i] != 0; ++i)
        if (at + i >= text.size() ||
            std::tolower(static_cast<unsigned char>(text[at + i])) != static_cast<unsigned char>(token[i]))
            return false;
    return true;
}

TShortDayNames& DefaultNames()
{
    static TShortDayNames names{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return names;
}

}  // namespace

std::string FormatClockTime(const std::string& format, const TClockTime& time, const TShortDayNames& dayNames)
{
    const bool twelveHour = format.find("a/p") != std::string::npos;
    std::string text;
    size_t i = 0;
    while (i < format.size()) {
        if (StartsWith(format, i, "a/p")) {
            text += time.Hour < 12 ? 'a' : 'p';
            i += 3;
        } else if (StartsWith(format, i, "hh")) {
            int hour = time.Hour;
            if (twelveHour) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            AppendTwoDigits(text, hour);
            i += 2;
        } else if (StartsWith(format, i, "nn")) {
            AppendTwoDigits(text, time.Minute);
            i += 2;
        } else if (StartsWith(format, i, "mm")) {
            AppendTwoDigits(text, time.Month);
            i += 2;
        } else if (StartsWith(format, i, "ddd")) {
            if (time.DayOfWeek >= 1 && time.DayOfWeek <= 7)
                text += dayNames[static_cast<size_t>(time.DayOfWeek - 1)];
            i += 3;
        } else if (StartsWith(format, i, "dd")) {
            AppendTwoDigits(text, time.Day);
            i += 2;
        } else {
            text += format[i++];
        }
    }
    return text;
}

TClockTime SystemClockTime()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    TClockTime time;
    if (local != nullptr) {
        time.Hour = local->tm_hour;
        time.Minute = local->tm_min;
        time.Month = local->tm_mon + 1;
        time.Day = local->tm_mday;
        time.DayOfWeek = local->tm_wday + 1;
    }
    return time;
}

const TShortDayNames& DefaultShortDayNames()
{
    return DefaultNames();
}

void SetDefaultShortDayNames(const TShortDayNames& names)
{
    DefaultNames() = names;
}
