// A snapshot of a window's client area, to count drawn pixels near a colour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "../../support/ScreenPixels.h"
#include "classlib/graphics/GdiHandles.h"

namespace uitest {

// The client area of `wnd` as it is on the screen once everything pending is painted.
class TWindowShot {
public:
    explicit TWindowShot(HWND wnd)
    {
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT client{};
        GetClientRect(wnd, &client);
        FWidth = client.right;
        FHeight = client.bottom;
        FPixels.resize(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight));
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = FWidth;
        info.bmiHeader.biHeight = -FHeight;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        const HDC windowDC = GetDC(wnd);
        const TMemoryDC memoryDC(windowDC);
        void* bits = nullptr;
        const TGdiObject dib(CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (dib) {
            const TSelection selection(memoryDC.Get(), dib.Get());
            BitBlt(memoryDC.Get(), 0, 0, FWidth, FHeight, windowDC, 0, 0, SRCCOPY);
            GdiFlush();
            const auto* source = static_cast<const uint32_t*>(bits);
            for (size_t i = 0; i < FPixels.size(); ++i)
                FPixels[i] = RGB((source[i] >> 16) & 0xFF, (source[i] >> 8) & 0xFF, source[i] & 0xFF);
        }
        ReleaseDC(wnd, windowDC);
    }

    // CLR_INVALID outside the client area.
    COLORREF Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
            return CLR_INVALID;
        return FPixels[static_cast<size_t>(y) * static_cast<size_t>(FWidth) + static_cast<size_t>(x)];
    }

    // How many pixels of `area` are within `tolerance` of `color` per channel.
    int CountNear(const RECT& area, COLORREF color, int tolerance = 8) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                count += testsupport::ColoursNear(Pixel(x, y), color, tolerance) ? 1 : 0;
            }
        }
        return count;
    }

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<COLORREF> FPixels;
};

}  // namespace uitest
