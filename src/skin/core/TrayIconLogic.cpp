#include "skin/core/TrayIconLogic.h"

#include <algorithm>

std::array<char, 128> TrayIconTip(const std::string& hint, bool showHint)
{
    std::array<char, 128> tip{};
    if (showHint && !hint.empty())
        hint.copy(tip.data(), std::min<size_t>(hint.size(), tip.size() - 1));
    return tip;
}

void TTrayClickMachine::LeftButtonDown()
{
    TimerRunning = true;
    LeftDown = true;
}

bool TTrayClickMachine::LeftButtonUp()
{
    bool clickNow = false;
    if (LeftDown) {
        ClickPending = true;
        if (!TimerRunning) {
            ClickPending = false;
            clickNow = true;
        }
    }
    LeftDown = false;
    return clickNow;
}

void TTrayClickMachine::DoubleClick()
{
    ClickPending = false;
    DblClicked = true;
}

bool TTrayClickMachine::TimerFired()
{
    TimerRunning = false;
    bool clickNow = false;
    if (!DblClicked && ClickPending) {
        ClickPending = false;
        clickNow = true;
    }
    DblClicked = false;
    return clickNow;
}

int ClampTrayIconIndex(int index, int count)
{
    if (count <= 0)
        return 0;
    return std::clamp(index, 0, count - 1);
}

int NextTrayIconIndex(int index, int count) { return index >= count - 1 ? 0 : index + 1; }
