// Copy presentation: how a render window that is a child window shows its
// frames where OpenGL cannot present into child windows.
//
// Wine's X11 driver (8.x) gives a child window that has a pixel format no X
// drawable of its own: the window server makes such a window its own top of
// clipping, and the driver then looks for an X window the child does not
// have. The context still renders (into an off-screen X window), but the
// copy that should bring each swapped frame onto the screen, and any GDI
// output to that window, goes nowhere. No setting of the driver changes
// this (XComposite off only swaps the off-screen window for a pixmap).
// A top-level window presents normally, and GDI output into a child window
// without a pixel format is shown - unless the child's top-level window
// belongs to another process (the preview in the display control panel):
// then only output into that top-level window's device context is.
//
// So on such a system a child render window keeps no pixel format: OpenGL
// renders into a hidden top-level window of the same client size
// (TGLOffscreenWindow), and each "buffer swap" reads the finished back buffer
// into a DIB section and blits it into the child (TGLCopyPresenter). Full
// screen (a top-level popup) and every window on Windows take the normal
// path.
#pragma once

#include <windows.h>

#include "classlib/graphics/GdiHandles.h"

// Whether child render windows present by copy on this system: true under
// Wine, decided once per process.
bool ChildWindowsPresentByCopy();

// A hidden top-level window that carries the OpenGL drawable of a child
// render window (the target), with its own device context for the context.
// The context must be stopped before the window goes.
class TGLOffscreenWindow {
public:
    // The size of the target's client area. Raises Exception when the window
    // cannot be made.
    explicit TGLOffscreenWindow(HWND target);
    ~TGLOffscreenWindow();
    TGLOffscreenWindow(const TGLOffscreenWindow&) = delete;
    TGLOffscreenWindow& operator=(const TGLOffscreenWindow&) = delete;

    HWND Handle() const { return FWnd; }
    HDC DC() const { return FDC; }
    // Follows the target's new client size.
    void Resize(int width, int height);

private:
    HWND FWnd = nullptr;
    HDC FDC = nullptr;
};

// Copies finished frames from an off-screen window into its target. One per
// rendering context; it keeps the DIB section between frames.
class TGLCopyPresenter {
public:
    // The target of dc when dc belongs to a TGLOffscreenWindow, else null.
    static HWND TargetOf(HDC dc);

    // When dc belongs to a TGLOffscreenWindow and its context is current:
    // reads the back buffer (the size of the target's client area, clipped
    // to the off-screen window) and blits it into the target; true. False,
    // with nothing done, for any other dc.
    bool Present(HDC dc);

    // The copy itself: the current context's back buffer, width x height
    // from the lower left corner, blitted to (0, 0) of target's client area.
    void Copy(HWND target, int width, int height);

private:
    // Makes the DIB section width x height (32-bit, bottom-up, as OpenGL
    // reads) unless it already has that size.
    bool EnsureBuffer(int width, int height);

    TGdiObject FBitmap;
    void* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
};
