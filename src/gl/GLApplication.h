// TCustomGLApplication: the OpenGL application component.
//
// A graphic application (one frame per idle tick) that owns a rendering
// context and a default viewport with its camera, and is wired to a display
// component (full screen) and a render window:
//  - the window hands over its device context when it is made; the next idle
//    tick makes the context on it (OnStartOpenGL) and reports the window's
//    size (OnResizeViewport); destroying the window stops OpenGL on it
//    (OnStopOpenGL) while its device context is still valid;
//  - each idle tick then draws one frame: the time step since the previous
//    frame (0 for the first), the floating-point control word, a pending
//    pick (a pass of OnRender in selection mode around the requested point),
//    the viewport (projection, camera, clearing), OnRender, the control word
//    again and the buffer swap. A tick that arrives while one is still
//    running (a message box or modal loop inside a frame pumps idle ticks)
//    does nothing;
//  - with the context's VSync set, no frame starts sooner than one refresh
//    period of the display's current mode after the previous one (see
//    TFramePacing): where the swap did not wait for the retrace, the next
//    tick waits out the rest on the message queue. A message that comes
//    first ends the wait and the tick, uncounted, so input is served at once
//    and the frame counter still counts frames;
//  - entering or leaving full screen makes the window anew (hidden and shown:
//    a popup over the screen, or a child again), with the main form disabled
//    while full screen; closing the full-screen window only leaves full
//    screen, and ends the program when ExitOnLeaveFullScreen is set;
//  - an exception while full screen first leaves full screen for good, so
//    that its message can be seen;
//  - Print Screen saves the next frame as "<base name><n>.jpg" (or hands
//    the key to OnSnapShot): the key only marks a shot as pending, and the
//    next frame serves it after OnRender and before the swap, while the
//    back buffer holds that frame (a shot still pending when OpenGL stops
//    is dropped); a picture that cannot be written is logged and the
//    program goes on;
//  - the display options (desktop only, full-screen mode, vertical sync,
//    software rendering, wide screen) live in the option store. A stored
//    value that does not convert keeps the current one.
//
// The display and the window are linked, not owned: each is told of the
// application through its host interface, and the application forgets a
// component that goes (Notification).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/GraphicApplicationPro.h"
#include "gl/GLWindow.h"
#include "gl/core/AppOpenGL.h"
#include "gl/core/CustomGLDisplay.h"
#include "gl/core/DefViewport.h"
#include "gl/core/FrameClock.h"
#include "gl/core/FramePacing.h"
#include "gl/core/GLWindowHost.h"

// The frame's time step in seconds, and whether the frame is a picking pass.
using TRenderEvent = std::function<void(float deltaTime, bool select)>;
// The render window's new client size.
using TViewportEvent = std::function<void(int width, int height)>;

class TCustomGLApplication : public TCustomGraphicApplicationPro,
                             private IGLDisplayHost,
                             private IAppOpenGLOwner,
                             private IDefViewportOwner {
public:
    // At run time the context works on the real window system.
    explicit TCustomGLApplication(TComponent* owner);
    // The context works on `platform` (tests pass a stand-in).
    TCustomGLApplication(TComponent* owner, std::unique_ptr<TGLPlatform> platform);
    // Ticks stop, full screen is left, the display and the window are let
    // go, then the context and the viewport are freed.
    ~TCustomGLApplication() override;

    std::string ClassName() const override { return "TCustomGLApplication"; }

    // --- Virtual operations, in slot order --------------------------------
    // After every mode change of the display. Entering full screen: a
    // visible window is made anew as a full-screen popup and the main form
    // is disabled. Leaving: the main form is enabled and the window made
    // anew inside its parent - unless the program is to end. The cursor
    // flag is applied again either way.
    void FullScreenChanged() override;
    // Before every mode change of the display: when the options have not
    // been loaded yet, reads the desktop-only flag and the full-screen mode
    // from the option store, once.
    void ReadFullScreenMode() override;
    // Makes the context on dc when it is not active, then OnStartOpenGL.
    virtual void StartOpenGL(GLHDC dc);
    // When the context is active: OnStopOpenGL, then the context goes.
    virtual void StopOpenGL();
    // One frame, when OnRender is set and the context is active.
    virtual void Render(GLHDC dc);
    // OnResizeViewport, while the context is active.
    virtual void ResizeViewport(int width, int height);

    // --- Overrides ----------------------------------------------------------
    // Guarded against re-entry: the inherited tick (start, frame rate), then
    // OpenGL started when the window has a device context, then one frame.
    void AppIdle(TObject* sender, bool& done) override;
    // With a display: raises Exception(ColorDepthWarning) when the desktop
    // cannot carry the program; then the inherited start (OnStart).
    void Start() override;
    // OpenGL stopped, then the inherited stop (OnStop).
    void Stop() override;
    // OnPowerOff, no more frames, OpenGL stopped.
    void PowerOff() override;
    // OnPowerOn, then the program ends.
    void PowerOn() override;
    // Full screen: the last frame shown once more, full screen left for
    // good; then the inherited report.
    void AppException(TObject* sender, Exception& e) override;
    // Print Screen (its key-up) is handled here; other messages go on.
    void AppMessage(MSG& msg, bool& handled) override;
    // The display options, then the inherited ones.
    void LoadOptions() override;
    void SaveOptions() override;
    // Forgets the display or the window when it goes.
    void Notification(TComponent* aComponent, TOperation operation) override;

    // --- Operations ---------------------------------------------------------
    // Leaves full screen when in it; with ExitOnLeaveFullScreen the program
    // ends. Answers whether it was full screen.
    bool LeaveFullScreen();
    bool IsFullScreen() const;
    // Shows HardwareAccelerationWarning when the display offers no
    // accelerated pixel format.
    void CheckHardwareAcceleration();
    // While the context is active: captures the window's frame from the
    // back buffer - so call it inside a frame, after drawing and before the
    // swap (OnRender, OnSnapShot) - and saves it
    // by the extension of fileName (.bmp, .jpg, .jpeg; anything else saves
    // nothing), with the capture counter inserted before the name's first
    // "." (see ScreenShotFileName). A file that cannot be written is
    // reported in the log. True when a file was written.
    bool SaveScreenShot(const std::string& fileName);
    // Shows the last frame once more (a swap when the frame parity says the
    // front buffer does not hold it), while the context is active and the
    // window visible: before a message box or the end of a full-screen run.
    void PresentLastFrame();
    // Enables or disables the main form's window, when it has one.
    void EnableMainForm(bool enable);
    // Asks the next frame to pick at the window point (x, y), y counted from
    // the top: before drawing, OnRender runs with Select set inside the GL
    // viewport's pick pass over a 2 x 2 region there, and the viewport then
    // knows the object hit last (TGLViewport::Picked). The request waits for
    // a frame that has a GL viewport (not the very first), and is served once.
    void RequestPick(int x, int y);
    bool PickRequested() const { return FPickRequest; }

    // --- Properties ---------------------------------------------------------
    TCustomGLDisplay* Display() const { return FDisplay; }
    // Hooks the display to this application, after unhooking the previous one.
    void SetDisplay(TCustomGLDisplay* display);
    TCustomGLWindow* Window() const { return FWindow; }
    // Hooks the window to this application, after stopping OpenGL on the
    // previous one and unhooking it.
    void SetWindow(TCustomGLWindow* window);
    TDefViewport* Viewport() const { return FViewport.get(); }
    // Copies the viewport's settings into the owned one.
    void SetViewport(TDefViewport* viewport) { FViewport->Assign(viewport); }
    // The rendering context; null while designing.
    TCustomAppOpenGL* OpenGL() const { return FOpenGL.get(); }
    // The device context of the render window; null while there is none.
    GLHDC DC() const { return FDC; }

    // Frames are drawn.
    bool Active = true;
    // Leaving full screen ends the program (a screen saver's run).
    bool ExitOnLeaveFullScreen = false;

    // --- Events -------------------------------------------------------------
    // Sender is this component. OnSnapShot runs inside the frame after
    // Print Screen, after OnRender and before the swap.
    TNotifyEvent OnSnapShot;
    TNotifyEvent OnStartOpenGL;
    TNotifyEvent OnStopOpenGL;
    TRenderEvent OnRender;
    TViewportEvent OnResizeViewport;

private:
    // What the render window asks of the application.
    class TWindowHost : public IGLWindowHost {
    public:
        explicit TWindowHost(TCustomGLApplication& application) : FApplication(application) {}
        bool IsFullScreen() override { return FApplication.IsFullScreen(); }
        bool IsContextActive() override;
        bool LeaveFullScreen() override { return FApplication.LeaveFullScreen(); }
        void StopOpenGL() override;
        void SetDC(GLHDC dc) override { FApplication.FDC = dc; }
        void Resize(int width, int height) override { FApplication.ResizeViewport(width, height); }

    private:
        TCustomGLApplication& FApplication;
    };

    // IAppOpenGLOwner
    void HideGLWindow() override;
    void ShowGLWindow() override;
    // IDefViewportOwner
    IViewWindow* ViewWindow() override { return FWindow; }
    TCustomOpenGL* ViewContext() override { return FOpenGL.get(); }

    bool ContextActive() const { return FOpenGL != nullptr && FOpenGL->Active(); }
    // With VSync, holds the tick until the next frame may start (waking for
    // any message): false when a message came first.
    bool PaceFrame();
    // The pick pass of a pending request, with the frame's time step.
    void Pick(float deltaTime);
    // The desktop-only flag and the full-screen mode from the option store.
    void ReadDisplayOptions();
    // The pending Print Screen: OnSnapShot, or the frame saved as
    // "<base name><n>.jpg".
    void TakeSnapShot();
    // Writes a line to the log; a log that cannot be written is left alone.
    void LogQuietly(const std::string& text);

    GLHDC FDC = nullptr;
    bool FContextActive = false;
    // A tick is running (re-entry guard).
    bool FBusy = false;
    // No more frames: the machine is suspending or the component is going.
    bool FHalted = false;
    TFrameClock FFrameClock;
    TFramePacing FFramePacing;
    std::unique_ptr<TDefViewport> FViewport;
    TCustomGLDisplay* FDisplay = nullptr;
    TCustomGLWindow* FWindow = nullptr;
    std::unique_ptr<TCustomAppOpenGL> FOpenGL;
    bool FOptionsRead = false;
    // Print Screen was pressed; the next frame takes the shot.
    bool FShotPending = false;
    bool FPickRequest = false;
    int FPickX = 0;
    int FPickY = 0;
    TWindowHost FWindowHost{*this};
};
