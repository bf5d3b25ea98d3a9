// Real input, as the system delivers it: the mouse to whatever window is
// under the pointer (the wheel to the focused one), keys to the focused
// window of the foreground one.
#pragma once

#include <windows.h>

namespace testsupport {

// The pointer moved to a screen point, with `flags` (MOUSEEVENTF_LEFTDOWN,
// MOUSEEVENTF_WHEEL ...) there; `data` is the wheel's delta. `tag` comes
// back as the extra information of the messages the input makes (a WH_MOUSE
// hook's dwExtraInfo, GetMessageExtraInfo), to tell when they were handled.
inline void MouseAt(POINT screen, DWORD flags = 0, LONG data = 0, ULONG_PTR tag = 0)
{
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height - 1) / height);
    input.mi.mouseData = static_cast<DWORD>(data);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    input.mi.dwExtraInfo = tag;
    SendInput(1, &input, sizeof input);
}

// One key pressed (or, with KEYEVENTF_KEYUP, let go).
inline void KeyInput(WORD key, DWORD flags = 0)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// A key typed with Ctrl held.
inline void CtrlKey(WORD key)
{
    KeyInput(VK_CONTROL);
    KeyInput(key);
    KeyInput(key, KEYEVENTF_KEYUP);
    KeyInput(VK_CONTROL, KEYEVENTF_KEYUP);
}

// A key typed with Alt held.
inline void AltKey(WORD key)
{
    KeyInput(VK_MENU);
    KeyInput(key);
    KeyInput(key, KEYEVENTF_KEYUP);
    KeyInput(VK_MENU, KEYEVENTF_KEYUP);
}

// A left click at a screen point.
inline void LeftClickAt(POINT screen)
{
    MouseAt(screen, MOUSEEVENTF_LEFTDOWN);
    MouseAt(screen, MOUSEEVENTF_LEFTUP);
}

}  // namespace testsupport
