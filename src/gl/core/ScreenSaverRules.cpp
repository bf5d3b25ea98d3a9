#include "gl/core/ScreenSaverRules.h"

#include <cstdlib>

#include "app/core/ApplicationProRules.h"
#include "classlib/core/SysUtils.h"

namespace {

constexpr unsigned KeyDownMessage = 0x100;  // WM_KEYDOWN
constexpr uintptr_t PrintScreenKey = 0x2C;   // VK_SNAPSHOT
constexpr int MinimumMove = 2;
// The most characters of a handle read after the ":".
constexpr size_t HandleTextLength = 20;

constexpr float PowerOffDelays[PowerOffIndexCount] = {-1,   60,   120,  180,  300,   600,   900,   1200,
                                                      1500, 1800, 2700, 3600, 7200, 10800, 14400, 18000};

}  // namespace

TSaverMode SaverModeOf(const std::vector<std::string>& arguments)
{
    const std::vector<std::string> parameters(arguments.empty() ? arguments.end() : arguments.begin() + 1,
                                              arguments.end());
    const std::string program = arguments.empty() ? std::string() : arguments.front();
    if (UpperCase(ExtractFileExt(program)) == ".EXE" && parameters.empty())
        return smProgram;
    if (parameters.empty() || FindSwitchIn(parameters, "C"))
        return smConfigure;
    if (FindSwitchIn(parameters, "A"))
        return smChangePassword;
    if (FindSwitchIn(parameters, "P") || FindSwitchIn(parameters, "L"))
        return smPreview;
    if (FindSwitchIn(parameters, "S"))
        return smSaver;
    return smProgram;
}

uintptr_t WindowHandleOf(const std::string& text)
{
    const bool plainDigits =
        !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    if (!plainDigits)
        return static_cast<uintptr_t>(StrToInt64(text));  // signed or "$"/"0x" forms
    uintptr_t value = 0;
    for (const char c : text) {
        const auto digit = static_cast<uintptr_t>(c - '0');
        if (value > (UINTPTR_MAX - digit) / 10)
            throw EConvertError("'" + text + "' is not a valid integer value");
        value = value * 10 + digit;
    }
    return value;
}

uintptr_t ParentWindowOf(const std::vector<std::string>& arguments, uintptr_t defaultWindow)
{
    const size_t parameterCount = arguments.empty() ? 0 : arguments.size() - 1;
    if (parameterCount >= 2)
        return WindowHandleOf(arguments[2]);
    if (parameterCount == 1) {
        const std::string& first = arguments[1];
        const size_t colon = first.find(':');
        if (colon != std::string::npos)
            return WindowHandleOf(first.substr(colon + 1, HandleTextLength));
    }
    return defaultWindow;
}

bool IsSaverExitMessage(unsigned message, uintptr_t wParam)
{
    if (message == KeyDownMessage)
        return wParam != PrintScreenKey;
    for (const unsigned exitMessage : SaverExitMessages) {
        if (message == exitMessage)
            return true;
    }
    return false;
}

void TMouseMoveTracker::Reset()
{
    FLastX = -1;
    FLastY = -1;
    FMovesToIgnore = IgnoredMoves;
}

bool TMouseMoveTracker::Check(int x, int y)
{
    if (FMovesToIgnore > 0) {
        --FMovesToIgnore;
        return false;
    }
    if (FLastX == -1 && FLastY == -1) {
        FLastX = x;
        FLastY = y;
        return false;
    }
    if (std::abs(x - FLastX) > MinimumMove && std::abs(y - FLastY) > MinimumMove) {
        Reset();
        return true;
    }
    return false;
}

int NormalPowerOffIndex(int index)
{
    return index >= 0 && index < PowerOffIndexCount ? index : 0;
}

float PowerOffDelayOf(int index)
{
    return PowerOffDelays[NormalPowerOffIndex(index)];
}
