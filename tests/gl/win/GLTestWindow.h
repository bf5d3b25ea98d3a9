// Test support: a real window with its own DC for GL tests under Wine.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "gl/WinGLPlatform.h"
#include "gl/core/CustomOpenGL.h"

// A visible popup window whose client area is width x height, with its own DC.
class TestWindow {
public:
    TestWindow(int width, int height)
    {
        static const ATOM windowClass = [] {
            WNDCLASSA wc{};
            wc.style = CS_OWNDC;
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "GLContextTestWindow";
            return RegisterClassA(&wc);
        }();
        EXPECT_NE(windowClass, 0);
        FHandle = CreateWindowExA(0, "GLContextTestWindow", "GL test", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(FHandle, nullptr);
        FDC = GetDC(FHandle);
    }
    ~TestWindow()
    {
        ReleaseDC(FHandle, FDC);
        DestroyWindow(FHandle);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return FHandle; }
    HDC DC() const { return FDC; }

private:
    HWND FHandle = nullptr;
    HDC FDC = nullptr;
};

// A rendering context over the real WGL platform, not yet created.
inline std::unique_ptr<TCustomOpenGL> NewContext()
{
    return std::make_unique<TCustomOpenGL>(std::make_unique<TWinGLPlatform>());
}
