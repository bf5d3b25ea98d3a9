// TCustomGLWindow and TGLWindow: the window the OpenGL application draws
// its frames in.
//
// The window lives in one of three places, chosen each time its window is
// made (CreateWnd places it; CreateParams only describes it, so asking the
// size of a window not yet made moves nothing):
//  - full screen (the host says so): a topmost popup over the whole screen;
//  - without a parent control but with a parent window of another program
//    (the display control panel's preview): a child of that window, as big
//    as it;
//  - otherwise inside its parent control, filling its client area.
// Hiding the window destroys its window handle and showing it makes a new
// one, so that a switch between these places takes effect: every new window
// gets its own device context, handed to the host (SetDC), and every
// destroyed one stops OpenGL (StopOpenGL) while its device context is still
// valid, then releases it.
//
// Where child windows cannot present OpenGL (ChildWindowsPresentByCopy), a
// window that is a child renders into a hidden off-screen window instead:
// the host gets that window's device context, and each buffer swap copies
// the frame into this window (gl/GLCopyPresentation.h). It follows this
// window's size and goes with it, after OpenGL is stopped.
//
// Messages: the background is not erased while the context is active (no
// flicker); a size change is reported to the host; the system's screen
// saver and monitor power-down commands are swallowed while the window has
// the focus; closing a full-screen window only leaves full screen.
//
// The host is the application (IGLWindowHost); it must clear itself
// (SetHost(nullptr)) before it goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "classlib/ui/Controls.h"
#include "gl/GLCopyPresentation.h"
#include "gl/core/DefViewport.h"
#include "gl/core/GLWindowHost.h"

class TCustomGLWindow : public TWinControl, public IViewWindow {
public:
    // 640 x 480, black, no tab stop; captures the mouse, opaque, click and
    // double-click events.
    explicit TCustomGLWindow(TComponent* owner);
    // Destroys the window first, so that the host stops OpenGL on it.
    ~TCustomGLWindow() override;

    std::string ClassName() const override { return "TCustomGLWindow"; }

    IGLWindowHost* Host() const { return FHost; }
    void SetHost(IGLWindowHost* host) { FHost = host; }

    // The device context OpenGL renders into: the current window's, or its
    // off-screen window's when it presents by copy; null while there is none.
    HDC DC() const { return FOffscreen ? FOffscreen->DC() : FDC.Get(); }

    // Without a window: the whole size (no place the window takes has a
    // frame), worked out without describing a window.
    RECT ClientRect() override;

    // IViewWindow: the window's size, and Color resolved to RGB.
    int ViewWidth() override { return Width(); }
    int ViewHeight() override { return Height(); }
    uint32_t ViewColorRGB() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void UpdateShowing() override;

private:
    bool HostFullScreen() const { return FHost != nullptr && FHost->IsFullScreen(); }
    // Aligns and sizes the control for the place its next window takes.
    void PlaceWindow();

    // A window's device context, released with the window or the holder.
    class TWindowDC {
    public:
        TWindowDC() = default;
        ~TWindowDC() { Release(); }
        TWindowDC(const TWindowDC&) = delete;
        TWindowDC& operator=(const TWindowDC&) = delete;
        HDC Get() const { return FDC; }
        void Acquire(HWND wnd);
        void Release();

    private:
        HWND FWnd = nullptr;
        HDC FDC = nullptr;
    };

    IGLWindowHost* FHost = nullptr;
    TWindowDC FDC;
    std::unique_ptr<TGLOffscreenWindow> FOffscreen;
};

class TGLWindow : public TCustomGLWindow {
public:
    using TCustomGLWindow::TCustomGLWindow;
    std::string ClassName() const override { return "TGLWindow"; }
};
