// Test support: a visible popup window with its own DC, and a context over the real WGL platform.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "gl/WinGLPlatform.h"
#include "gl/core/CustomOpenGL.h"

class TestWindow {
public:
    TestWindow(int width, int height)
    {
        static const ATOM windowClass = [] {
            const WNDCLASSA wc{CS_OWNDC, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), {}, {}, {}, {}, "GLTest"};
            return RegisterClassA(&wc);
        }();
        FHandle = CreateWindowExA(0, MAKEINTATOM(windowClass), "GL test", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(FHandle, nullptr);
        FDC = GetDC(FHandle);
    }
    ~TestWindow() { ReleaseDC(FHandle, FDC); DestroyWindow(FHandle); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Handle() const { return FHandle; }
    HDC DC() const { return FDC; }

private:
    HWND FHandle = nullptr;
    HDC FDC = nullptr;
};

inline std::unique_ptr<TCustomOpenGL> NewContext()
{
    return std::make_unique<TCustomOpenGL>(std::make_unique<TWinGLPlatform>());
}
