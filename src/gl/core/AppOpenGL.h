// TCustomAppOpenGL: the OpenGL application's rendering context, which knows
// its application.
//
// Switching software rendering needs a new window: a pixel format, once set
// on a window, cannot be changed. So while the context is active a change
// of GenericOnly hides the application's render window (destroying the
// window stops OpenGL and releases its device context), unloads the OpenGL
// and GLU libraries, stores the choice and shows the window again, which
// brings a new window and device context; the application makes the
// context anew on its next idle tick, with a pixel format of the new kind.
#pragma once

#include <memory>
#include <string>

#include "gl/core/CustomOpenGL.h"

// What the context needs of its application.
class IAppOpenGLOwner {
public:
    // Hides the render window, destroying its window and device context;
    // OpenGL is stopped on the way.
    virtual void HideGLWindow() = 0;
    // Shows the render window again, with a new window and device context.
    virtual void ShowGLWindow() = 0;

protected:
    ~IAppOpenGLOwner() = default;
};

class TCustomAppOpenGL : public TCustomOpenGL {
public:
    TCustomAppOpenGL(IAppOpenGLOwner* owner, std::unique_ptr<TGLPlatform> platform);

    std::string ClassName() const override { return "TCustomAppOpenGL"; }

    IAppOpenGLOwner* Owner() const { return FOwner; }

    // A change while active (and owned) goes through a new window, as
    // described above; otherwise only the choice is stored.
    void SetGenericOnly(bool on) override;

private:
    IAppOpenGLOwner* FOwner;
};
