#include "gl/core/DefViewport.h"

#include <algorithm>

#include "app/core/MathPro.h"
#include "gl/core/CustomOpenGL.h"

namespace {

constexpr double WideScreenAspect = 16.0 / 9.0;
constexpr double StandardAspect = 4.0 / 3.0;
// The wide-screen ratio culling code has always worked with.
constexpr double WideScreenFrustumAspect = 1.7777778;

// A window side as a projection sees it: at least one pixel.
double Side(int pixels) { return std::max(pixels, 1); }

}  // namespace

TDefViewport::TDefViewport(IDefViewportOwner* owner)
    : FOwner(owner), FCamera(std::make_unique<TOpenGLCamera>())
{
    FCamera->Position()->SetVector(0, 0, -0.00005f);
}

void TDefViewport::AssignTo(TPersistent* dest)
{
    if (auto* viewport = dynamic_cast<TDefViewport*>(dest)) {
        viewport->SetCamera(FCamera.get());
        viewport->FOV = FOV;
        viewport->NearDepth = NearDepth;
        viewport->FarDepth = FarDepth;
        viewport->Perspective = Perspective;
        viewport->Enabled = Enabled;
        viewport->Cleared = Cleared;
        return;
    }
    TPersistent::AssignTo(dest);
}

IViewWindow* TDefViewport::Window() const
{
    return FOwner != nullptr ? FOwner->ViewWindow() : nullptr;
}

int TDefViewport::GetViewWidth() const
{
    IViewWindow* window = Window();
    return window != nullptr ? window->ViewWidth() : 0;
}

int TDefViewport::GetViewHeight() const
{
    IViewWindow* window = Window();
    return window != nullptr ? window->ViewHeight() : 0;
}

TGLViewBox TDefViewport::GetFrustum()
{
    const double aspect =
        WideScreen ? WideScreenFrustumAspect : Side(GetViewWidth()) / Side(GetViewHeight());
    const double top = static_cast<double>(Tan(DegToRad(FOV / 2))) * NearDepth;
    const double right = aspect * top;
    FFrustum = TGLViewBox{-right, right, -top, top, NearDepth, FarDepth};
    return FFrustum;
}

void TDefViewport::Apply()
{
    IViewWindow* window = Window();
    TCustomOpenGL* context = FOwner != nullptr ? FOwner->ViewContext() : nullptr;
    if (!Enabled || window == nullptr || context == nullptr)
        return;
    if (FGLViewport == nullptr)
        FGLViewport.reset(context->Viewports().Add());

    const int width = window->ViewWidth();
    const int height = window->ViewHeight();
    FGLViewport->SetRect(0, 0, width, height);
    double aspect = StandardAspect;
    if (WideScreen)
        aspect = WideScreenAspect;
    else if (Stretch)
        aspect = Side(width) / Side(height);
    FGLViewport->SetPerspective(FOV, aspect, NearDepth, FarDepth);
    FGLViewport->SetOrtho(TGLViewBox{0, Side(width), 0, Side(height), NearDepth, FarDepth});
    FGLViewport->Perspective = Perspective;
    FGLViewport->Position = FCamera->Position()->Vector();
    FGLViewport->Direction = FCamera->Direction()->Vector();
    FGLViewport->Up = FCamera->Up()->Vector();
    FGLViewport->Apply();

    if (Cleared) {
        const TGLColorFloat color = ColorRefToFloat(window->ViewColorRGB());
        glClearColor(color.x, color.y, color.z, 1.0f);
        glDepthMask(GL_TRUE);
        GLbitfield buffers = 0;
        if (ClearMode & cmColor)
            buffers |= GL_COLOR_BUFFER_BIT;
        if (ClearMode & cmDepth)
            buffers |= GL_DEPTH_BUFFER_BIT;
        if (ClearMode & cmStencil)
            buffers |= GL_STENCIL_BUFFER_BIT;
        if (ClearMode & cmAccum)
            buffers |= GL_ACCUM_BUFFER_BIT;
        glClear(buffers);
    }
    glEnable(GL_DITHER);
    glAlphaFunc(GL_GREATER, 0.5f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glShadeModel(GL_SMOOTH);
}
