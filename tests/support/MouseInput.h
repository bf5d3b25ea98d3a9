// Test support: real mouse input, as the system delivers it (the pointer
// moves and the buttons go through the input queue, to the window under
// the pointer or the one holding the capture).
#pragma once

#include <windows.h>

namespace testsupport {

// The pointer moved to a screen point, with `flags` (MOUSEEVENTF_LEFTDOWN
// ...) there.
inline void MouseAt(POINT screen, DWORD flags = 0)
{
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace testsupport
