#include "gl/GLCopyPresentation.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "gl/core/GLBinding.h"

namespace {

constexpr char OffscreenClassName[] = "TGLOffscreenWindow";
// The target window, kept as a property of the off-screen window.
constexpr char TargetProp[] = "GLCopyTarget";

LRESULT CALLBACK OffscreenWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

void RegisterOffscreenClass(HINSTANCE instance)
{
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, OffscreenClassName, &existing))
        return;
    WNDCLASSA windowClass{};
    // An own device context: the rendering context keeps it for the window's life.
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = OffscreenWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = OffscreenClassName;
    if (RegisterClassA(&windowClass) == 0)
        throw Exception(std::string("Cannot register the window class ") + OffscreenClassName);
}

}  // namespace

bool ChildWindowsPresentByCopy()
{
    static const bool byCopy = [] {
        const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return byCopy;
}

// --- Off-screen window ----------------------------------------------------------

TGLOffscreenWindow::TGLOffscreenWindow(HWND target)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterOffscreenClass(instance);
    RECT client{};
    GetClientRect(target, &client);
    // Never shown, never in the task bar, never activated.
    FWnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, OffscreenClassName, "", WS_POPUP, 0, 0,
                           std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1), nullptr, nullptr,
                           instance, nullptr);
    if (FWnd == nullptr)
        throw Exception("Cannot create the off-screen window");
    SetPropA(FWnd, TargetProp, target);
    FDC = GetDC(FWnd);
}

TGLOffscreenWindow::~TGLOffscreenWindow()
{
    ReleaseDC(FWnd, FDC);
    RemovePropA(FWnd, TargetProp);
    DestroyWindow(FWnd);
}

void TGLOffscreenWindow::Resize(int width, int height)
{
    SetWindowPos(FWnd, nullptr, 0, 0, std::max(width, 1), std::max(height, 1),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- Presenter -------------------------------------------------------------------

HWND TGLCopyPresenter::TargetOf(HDC dc)
{
    const HWND wnd = dc != nullptr ? WindowFromDC(dc) : nullptr;
    return wnd != nullptr ? static_cast<HWND>(GetPropA(wnd, TargetProp)) : nullptr;
}

bool TGLCopyPresenter::Present(HDC dc)
{
    const HWND target = TargetOf(dc);
    if (target == nullptr)
        return false;
    RECT source{};
    RECT client{};
    GetClientRect(WindowFromDC(dc), &source);
    GetClientRect(target, &client);
    Copy(target, std::min(source.right, client.right), std::min(source.bottom, client.bottom));
    return true;
}

void TGLCopyPresenter::Copy(HWND target, int width, int height)
{
    if (width <= 0 || height <= 0 || !EnsureBuffer(width, height))
        return;
    // 32-bit rows are whole words; the read buffer of a double-buffered
    // context is its back buffer.
    GdiFlush();  // GDI is done with the bits before OpenGL writes them
    glPixelStoref(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, FBits);
    const HDC targetDC = GetDC(target);
    {
        TMemoryDC memory(targetDC);
        TSelection selection(memory.Get(), FBitmap.Get());
        BitBlt(targetDC, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
    }
    ReleaseDC(target, targetDC);
}

bool TGLCopyPresenter::EnsureBuffer(int width, int height)
{
    if (FBitmap && width == FWidth && height == FHeight)
        return true;
    FBitmap.Reset();
    FBits = nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, like glReadPixels
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    FBitmap = TGdiObject(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &FBits, nullptr, 0));
    if (!FBitmap)
        return false;
    FWidth = width;
    FHeight = height;
    return true;
}
