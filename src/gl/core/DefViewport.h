// TDefViewport: the projection, camera and clearing that every frame of the
// OpenGL application starts with.
//
// Once per frame Apply programs a GL viewport object (created on the first
// Apply in the rendering context's viewport list, which owns it) with the
// render window's rectangle, a perspective and an orthographic box and the
// camera, applies it, clears the buffers and sets the blending, alpha test
// and shading every frame expects. GetFrustum gives the perspective box to
// code that culls against it.
//
// The viewport reads its application through IDefViewportOwner, and the
// render window through IViewWindow, so that it stays free of the window
// system. A window of zero width or height counts as 1 pixel in every
// ratio and box, so a collapsed window never makes an infinite or NaN
// projection.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "classlib/core/Components.h"
#include "gl/core/GLViewport.h"
#include "gl/core/OpenGLCamera.h"

class TCustomOpenGL;

// The render window as the viewport sees it.
class IViewWindow {
public:
    virtual int ViewWidth() = 0;
    virtual int ViewHeight() = 0;
    // The window's colour as 0x00BBGGRR, a system colour resolved.
    virtual uint32_t ViewColorRGB() = 0;

protected:
    ~IViewWindow() = default;
};

// What the viewport needs of its application.
class IDefViewportOwner {
public:
    // The render window; null while the application has none.
    virtual IViewWindow* ViewWindow() = 0;
    // The rendering context whose viewport list holds the GL viewport; null
    // while there is none.
    virtual TCustomOpenGL* ViewContext() = 0;

protected:
    ~IDefViewportOwner() = default;
};

// The buffers cleared at the start of a frame.
using TClearModes = unsigned;
enum : TClearModes {
    cmColor = 1u << 0,
    cmDepth = 1u << 1,
    cmStencil = 1u << 2,
    cmAccum = 1u << 3,
};

class TDefViewport : public TPersistent {
public:
    // The camera's position becomes (0, 0, -0.00005).
    explicit TDefViewport(IDefViewportOwner* owner);
    TDefViewport(const TDefViewport&) = delete;
    TDefViewport& operator=(const TDefViewport&) = delete;

    std::string ClassName() const override { return "TDefViewport"; }

    TOpenGLCamera* Camera() const { return FCamera.get(); }
    void SetCamera(TOpenGLCamera* camera) { FCamera->Assign(camera); }

    TClearModes ClearMode = cmColor | cmDepth;
    double FOV = 75;
    double NearDepth = 100;
    double FarDepth = 10000;
    // Perspective projection, else orthographic.
    bool Perspective = true;
    bool Enabled = true;
    bool Cleared = true;
    // The perspective follows the window's ratio; else it keeps 4:3.
    bool Stretch = true;
    // The perspective is 16:9 whatever the window.
    bool WideScreen = false;

    // Into another TDefViewport: copies the camera, FOV, NearDepth,
    // FarDepth, Perspective, Enabled and Cleared.
    void AssignTo(TPersistent* dest) override;

    // The render window's width and height; 0 without a window.
    int GetViewWidth() const;
    int GetViewHeight() const;

    // The perspective box culling code works with: aspect 1.7777778 when
    // WideScreen, else the window's own ratio (Stretch is not consulted);
    // top = tan(FOV / 2) * NearDepth, right = aspect * top, bottom and left
    // their negatives, near and far the depths. Kept as Frustum().
    TGLViewBox GetFrustum();
    const TGLViewBox& Frustum() const { return FFrustum; }

    // When Enabled and the application has a window and a context: the GL
    // viewport's rectangle (0, 0, width, height); its perspective (FOV, an
    // aspect of 16/9 when WideScreen, else width / height when Stretch,
    // else 4/3, NearDepth, FarDepth); its orthographic box (0, width, 0,
    // height, NearDepth, FarDepth) and perspective flag; the camera (eye at
    // Position, looking along Direction, Up); TGLViewport::Apply. When
    // Cleared: the window's colour as clear colour (alpha 1), the depth
    // mask on, and glClear of the ClearMode buffers. Always: dithering on,
    // the alpha test GL_GREATER 0.5, blending SRC_ALPHA / ONE_MINUS_SRC_ALPHA
    // and smooth shading. Needs a current context.
    void Apply();

    // The GL viewport of the last Apply; null before the first. It is made
    // in the viewport list of the context the first Apply finds (the
    // application keeps that context for its whole life) and owned here.
    TGLViewport* GLViewport() const { return FGLViewport.get(); }

private:
    IViewWindow* Window() const;

    IDefViewportOwner* FOwner;
    std::unique_ptr<TOpenGLCamera> FCamera;
    std::unique_ptr<TGLViewport> FGLViewport;
    TGLViewBox FFrustum{0, 0, 0, 0, 0, 0};
};
