#include "gl/GLRegistration.h"

#include "app/AppRegistration.h"
#include "classlib/ui/ControlsRegistration.h"
#include "classlib/ui/FormResources.h"
#include "gl/GLDisplay.h"
#include "gl/GLWindow.h"
#include "gl/ScreenSaver.h"

namespace {

const TFormEnumTable<TClearModes> ClearModeNames = {
    {"cmColor", cmColor}, {"cmDepth", cmDepth}, {"cmStencil", cmStencil}, {"cmAccum", cmAccum}};

float ToSingle(double value) { return static_cast<float>(value); }

void RegisterViewport(TClassRegistry& classes)
{
    classes.Register<TOpenGLVector>("TOpenGLVector", "TPersistent")
        .Real("X", [](TOpenGLVector* v, double x) { v->X = ToSingle(x); })
        .Real("Y", [](TOpenGLVector* v, double y) { v->Y = ToSingle(y); })
        .Real("Z", [](TOpenGLVector* v, double z) { v->Z = ToSingle(z); });
    classes.Register<TOpenGLCamera>("TOpenGLCamera", "TPersistent")
        .Object("Direction", &TOpenGLCamera::Direction)
        .Object("Position", &TOpenGLCamera::Position)
        .Object("Up", &TOpenGLCamera::Up);
    classes.Register<TDefViewport>("TDefViewport", "TPersistent")
        .Set("ClearMode", &TDefViewport::ClearMode, ClearModeNames)
        .Object("Camera", &TDefViewport::Camera)
        .Real("FOV", &TDefViewport::FOV)
        .Real("NearDepth", &TDefViewport::NearDepth)
        .Real("FarDepth", &TDefViewport::FarDepth)
        .Bool("Perspective", &TDefViewport::Perspective)
        .Bool("Enabled", &TDefViewport::Enabled)
        .Bool("Cleared", &TDefViewport::Cleared)
        .Bool("Stretch", &TDefViewport::Stretch)
        .Bool("WideScreen", &TDefViewport::WideScreen);
}

void RegisterDisplayAndWindow(TClassRegistry& classes)
{
    classes.Register<TScreenMode>("TScreenMode", "TPersistent")
        .Int("ColorDepth", &TScreenMode::SetColorDepth)
        .Int("ScreenSize", &TScreenMode::SetScreenSize);
    classes.Register<TScreenMode>("TFullScreenMode", "TScreenMode");
    classes.Register<TGLDisplay>("TGLDisplay", "TComponent")
        .Bool("DesktopOnly", &TGLDisplay::DesktopOnly)
        .Bool("FullScreen", &TGLDisplay::SetFullScreen)
        .Object("FullScreenMode", &TGLDisplay::StoredFullScreenMode);
    // Color, the mouse, wheel and key events and OnResize come with TWinControl.
    classes.Register<TGLWindow>("TGLWindow", "TWinControl");
}

void RegisterScreenSaver(TClassRegistry& classes)
{
    classes.Register<TGLScreenSaver>("TGLScreenSaver", "TComponent")
        .String("Title", &TGLScreenSaver::Title)
        .String("Company", &TGLScreenSaver::Company)
        .String("MajorVersion", &TGLScreenSaver::MajorVersion)
        .String("MinorVersion", &TGLScreenSaver::MinorVersion)
        .Bool("LogFile", &TGLScreenSaver::SetLogFile)
        .Bool("Debug", &TGLScreenSaver::Debug)
        .Event("OnLoadOptions", &TGLScreenSaver::OnLoadOptions)
        .Event("OnSaveOptions", &TGLScreenSaver::OnSaveOptions)
        .Event("OnStart", &TGLScreenSaver::OnStart)
        .Event("OnStop", &TGLScreenSaver::OnStop)
        .Event("OnFPSChanged", &TGLScreenSaver::OnFPSChanged)
        .Event("OnActivate", &TGLScreenSaver::OnActivate)
        .Event("OnDeactivate", &TGLScreenSaver::OnDeactivate)
        .Event("OnException", &TGLScreenSaver::OnException)
        .Event("OnHelp", &TGLScreenSaver::OnHelp)
        .Event("OnHint", &TGLScreenSaver::OnHint)
        .Event("OnShowHint", &TGLScreenSaver::OnShowHint)
        .Event("OnShortCut", &TGLScreenSaver::OnShortCut)
        .Component<TCustomGLDisplay>("Display", &TGLScreenSaver::SetDisplay)
        .Component<TCustomGLWindow>("Window", &TGLScreenSaver::SetWindow)
        .Object("Viewport", &TGLScreenSaver::Viewport)
        .Bool("Active", &TGLScreenSaver::Active)
        .Bool("SuspendEnabled", &TGLScreenSaver::SuspendEnabled)
        .Bool("NeedDisplay", &TGLScreenSaver::SetNeedDisplay)
        .Bool("NeedSystem", &TGLScreenSaver::SetNeedSystem)
        .Bool("MouseMoveExit", &TGLScreenSaver::MouseMoveExit)
        .Bool("RunAsProgram", &TGLScreenSaver::RunAsProgram)
        .Event("OnSnapShot", &TGLScreenSaver::OnSnapShot)
        .Event("OnStartOpenGL", &TGLScreenSaver::OnStartOpenGL)
        .Event("OnStopOpenGL", &TGLScreenSaver::OnStopOpenGL)
        .Event("OnRender", &TGLScreenSaver::OnRender)
        .Event("OnResizeViewport", &TGLScreenSaver::OnResizeViewport)
        .Event("OnPowerOn", &TGLScreenSaver::OnPowerOn)
        .Event("OnPowerOff", &TGLScreenSaver::OnPowerOff);
}

}  // namespace

void RegisterGLClasses(TClassRegistry& classes)
{
    if (&classes == &ClassRegistry()) {
        static bool registered = false;
        if (registered)
            return;
        registered = true;
        RegisterClassLibraryClasses();
    }
    RegisterAppClasses(classes);
    RegisterViewport(classes);
    RegisterDisplayAndWindow(classes);
    RegisterScreenSaver(classes);
}
