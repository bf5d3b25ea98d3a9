// Test support: what the screen itself shows. The desktop's device context
// reads the screen (under Wine the X root window, as a screenshot does), so
// these see a frame only when it has really been presented - unlike a read
// through the window's own device context.
#pragma once

#include <windows.h>

#include <cstdlib>

namespace testsupport {

inline COLORREF ScreenPixel(int x, int y)
{
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

// The screen pixel at the centre of the window's client area.
inline COLORREF ScreenPixelAtCentre(HWND wnd)
{
    RECT client{};
    GetClientRect(wnd, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(wnd, &centre);
    return ScreenPixel(centre.x, centre.y);
}

// Within `tolerance` in each channel.
inline bool ColoursNear(COLORREF a, COLORREF b, int tolerance = 8)
{
    return a != CLR_INVALID && b != CLR_INVALID && std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Something is drawn there: neither black (an empty frame, or none) nor
// white (a host window's background).
inline bool ShowsADrawing(COLORREF pixel)
{
    return !ColoursNear(pixel, RGB(0, 0, 0)) && !ColoursNear(pixel, RGB(255, 255, 255)) && pixel != CLR_INVALID;
}

}  // namespace testsupport
