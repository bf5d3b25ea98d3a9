#include "gl/GLWindow.h"

#include "classlib/core/ScopeExit.h"
#include "classlib/graphics/Graphics.h"
#include "classlib/ui/Screen.h"

namespace {

// Mask of the system's own bits in a WM_SYSCOMMAND command.
constexpr WPARAM SysCommandMask = 0xFFF0;

}  // namespace

// --- Device context ------------------------------------------------------------

void TCustomGLWindow::TWindowDC::Acquire(HWND wnd)
{
    Release();
    FWnd = wnd;
    FDC = GetDC(wnd);
}

void TCustomGLWindow::TWindowDC::Release()
{
    if (FDC != nullptr)
        ReleaseDC(FWnd, FDC);
    FWnd = nullptr;
    FDC = nullptr;
}

// --- Window --------------------------------------------------------------------

TCustomGLWindow::TCustomGLWindow(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks);
    SetBounds(Left(), Top(), 640, 480);
    SetColor(RGB(0, 0, 0));
    SetTabStop(false);
    SetTabOrder(-1);
}

TCustomGLWindow::~TCustomGLWindow()
{
    DestroyHandle();
}

RECT TCustomGLWindow::ClientRect()
{
    if (!HandleAllocated())
        return RECT{0, 0, Width(), Height()};
    return TWinControl::ClientRect();
}

uint32_t TCustomGLWindow::ViewColorRGB()
{
    return ColorToRGB(Color());
}

void TCustomGLWindow::PlaceWindow()
{
    if (HostFullScreen()) {
        SetAlign(alNone);
        SetBounds(0, 0, Screen->Width(), Screen->Height());
    } else if (Parent() == nullptr && ParentWindow() != nullptr) {
        RECT host{};
        GetWindowRect(ParentWindow(), &host);
        SetBounds(0, 0, host.right - host.left, host.bottom - host.top);
    } else {
        SetAlign(alClient);
    }
}

void TCustomGLWindow::CreateParams(TCreateParams& params)
{
    const bool fullScreen = HostFullScreen();
    TWinControl::CreateParams(params);
    // CS_DBLCLKS: without it the system never sends a double click and
    // OnDblClick could not fire. The saver still ends on the first click's
    // release; a second quick press comes as WM_LBUTTONDBLCLK, also in its
    // exit table.
    params.WindowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    if (fullScreen) {
        // The class library shows a window through its creation style, so
        // the visibility bit stays.
        params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (params.Style & WS_VISIBLE);
        params.ExStyle = WS_EX_TOPMOST | WS_EX_APPWINDOW;
    } else {
        params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP;
    }
}

void TCustomGLWindow::CreateWnd()
{
    PlaceWindow();
    TWinControl::CreateWnd();
    const HWND wnd = Handle();
    if (HostFullScreen())
        SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    FDC.Acquire(wnd);
    if ((GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) != 0 && ChildWindowsPresentByCopy())
        FOffscreen = std::make_unique<TGLOffscreenWindow>(wnd);
    if (FHost != nullptr)
        FHost->SetDC(DC());
}

void TCustomGLWindow::UpdateShowing()
{
    // A hidden window is destroyed: the next one may be of another kind.
    if (!Visible() && HandleAllocated()) {
        DestroyHandle();
        return;
    }
    TWinControl::UpdateShowing();
}

void TCustomGLWindow::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_DESTROY: {
        // The device contexts go even when stopping fails.
        const TScopeExit release([this] {
            FDC.Release();
            FOffscreen.reset();
        });
        if (FHost != nullptr)
            FHost->StopOpenGL();
        break;
    }
    case WM_ERASEBKGND:
        if (FHost != nullptr && FHost->IsContextActive()) {
            message.Result = 1;
            return;
        }
        break;
    case WM_SIZE:
        TWinControl::WndProc(message);
        if (FOffscreen)
            FOffscreen->Resize(LOWORD(message.LParam), HIWORD(message.LParam));
        if (FHost != nullptr)
            FHost->Resize(LOWORD(message.LParam), HIWORD(message.LParam));
        return;
    case WM_SYSCOMMAND: {
        const WPARAM command = message.WParam & SysCommandMask;
        if (command == SC_SCREENSAVE || command == SC_MONITORPOWER) {
            message.Result = 0;
            return;
        }
        break;
    }
    case WM_CLOSE:
        if (FHost != nullptr && FHost->LeaveFullScreen()) {
            message.Result = 0;
            return;
        }
        break;
    }
    TWinControl::WndProc(message);
}
