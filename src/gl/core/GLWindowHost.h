// IGLWindowHost: what the render window asks of the OpenGL application that
// draws into it. The application implements it and hands itself to its
// window (TCustomGLWindow::SetHost), so the window does not depend on the
// application's class.
#pragma once

#include "gl/core/GLBinding.h"

class IGLWindowHost {
public:
    // The application runs full screen: the window is made a topmost popup
    // over the whole screen.
    virtual bool IsFullScreen() = 0;
    // The rendering context is active: the window's background is not erased.
    virtual bool IsContextActive() = 0;
    // Leaves full screen when in it (and ends the application when it is to
    // end on leaving); answers whether it was full screen.
    virtual bool LeaveFullScreen() = 0;
    // Stops OpenGL and forgets the device context: the window is being
    // destroyed and its device context is still valid.
    virtual void StopOpenGL() = 0;
    // The device context of a window just made; OpenGL starts on it later.
    virtual void SetDC(GLHDC dc) = 0;
    // The window's client area has a new size.
    virtual void Resize(int width, int height) = 0;

protected:
    ~IGLWindowHost() = default;
};
