// Test support: input as a user gives it, through SendInput, so that it
// reaches the window under the cursor or with the focus the way the system
// routes it (key state included). The caller lets its loop handle it.
#pragma once

#include <windows.h>

namespace testsupport {

// A key typed with Ctrl held.
inline void SendCtrlKey(WORD key)
{
    INPUT inputs[4]{};
    const WORD keys[4] = {VK_CONTROL, key, key, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, inputs, sizeof(INPUT));
}

// A left click at a screen point.
inline void SendLeftClick(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

}  // namespace testsupport
