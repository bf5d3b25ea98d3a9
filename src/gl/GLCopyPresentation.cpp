#include "gl/GLCopyPresentation.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "gl/core/GLBinding.h"

namespace {

constexpr char OffscreenClassName[] = "TGLOffscreenWindow";
// The target window is kept in the off-screen window's extra bytes: read
// once per frame, it must cost no more than the window's own data.
constexpr int TargetIndex = 0;

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
    windowClass.cbWndExtra = sizeof(HWND);
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
    SetWindowLongPtrA(FWnd, TargetIndex, reinterpret_cast<LONG_PTR>(target));
    FDC = GetDC(FWnd);
}

TGLOffscreenWindow::~TGLOffscreenWindow()
{
    ReleaseDC(FWnd, FDC);
    DestroyWindow(FWnd);
}

void TGLOffscreenWindow::Resize(int width, int height)
{
    SetWindowPos(FWnd, nullptr, 0, 0, std::max(width, 1), std::max(height, 1),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // OpenGL takes a drawable's new size at a buffer swap, and frames that
    // are copied out are never swapped: one swap (of a window nobody sees)
    // lets the next frame fill the new size. Without a pixel format yet it
    // does nothing.
    ::SwapBuffers(FDC);
}

// --- Presenter -------------------------------------------------------------------

HWND TGLCopyPresenter::TargetOf(HDC dc)
{
    const HWND wnd = dc != nullptr ? WindowFromDC(dc) : nullptr;
    if (wnd == nullptr ||
        GetWindowLongPtrA(wnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&OffscreenWindowProc))
        return nullptr;
    return reinterpret_cast<HWND>(GetWindowLongPtrA(wnd, TargetIndex));
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
    // A target inside a window of another process (the preview in the
    // display control panel) is drawn through that top-level window's device
    // context: GDI output into the child itself is not shown there.
    HWND into = target;
    const HWND root = GetAncestor(target, GA_ROOT);
    DWORD rootProcess = 0;
    GetWindowThreadProcessId(root, &rootProcess);
    if (root != nullptr && rootProcess != GetCurrentProcessId())
        into = root;
    POINT origin{0, 0};
    MapWindowPoints(target, into, &origin, 1);
    const HDC intoDC = GetDC(into);
    {
        TMemoryDC memory(intoDC);
        TSelection selection(memory.Get(), FBitmap.Get());
        BitBlt(intoDC, origin.x, origin.y, width, height, memory.Get(), 0, 0, SRCCOPY);
    }
    ReleaseDC(into, intoDC);
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
