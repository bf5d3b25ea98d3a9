#include "gl/GLApplication.h"

#include <utility>

#include "app/core/OptionNames.h"
#include "classlib/core/FloatControl.h"
#include "classlib/core/ScopeExit.h"
#include "classlib/ui/Forms.h"
#include "gl/ScreenShotPicture.h"
#include "gl/WinGLPlatform.h"
#include "gl/core/GLApplicationRules.h"
#include "gl/core/ScreenShotName.h"

namespace {

// The refresh rate of the display's current mode in Hz; 0 when the driver
// does not tell.
int CurrentRefreshRate()
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    return EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) ? static_cast<int>(mode.dmDisplayFrequency)
                                                                       : 0;
}

// The frame pacing's clock: the performance counter, in seconds. The
// program's stopwatch counts whole milliseconds (and tests drive it).
double PacingSeconds()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

// --- Life ----------------------------------------------------------------------

TCustomGLApplication::TCustomGLApplication(TComponent* owner)
    : TCustomGLApplication(owner, std::make_unique<TWinGLPlatform>())
{
}

TCustomGLApplication::TCustomGLApplication(TComponent* owner, std::unique_ptr<TGLPlatform> platform)
    : TCustomGraphicApplicationPro(owner),
      FViewport(std::make_unique<TDefViewport>(static_cast<IDefViewportOwner*>(this)))
{
    if (IsRuntime())
        FOpenGL = std::make_unique<TCustomAppOpenGL>(static_cast<IAppOpenGLOwner*>(this), std::move(platform));
}

TCustomGLApplication::~TCustomGLApplication()
{
    FHalted = true;
    try {
        if (IsRuntime() && IsFullScreen())
            FDisplay->SetFullScreen(false);
    } catch (...) {
        // Nothing may leave a destructor; the display restores its mode itself.
    }
    if (FDisplay != nullptr)
        FDisplay->SetHost(nullptr);
    if (FWindow != nullptr)
        FWindow->SetHost(nullptr);
    FOpenGL.reset();
    FViewport.reset();
}

// --- Properties ----------------------------------------------------------------

void TCustomGLApplication::SetDisplay(TCustomGLDisplay* display)
{
    if (display == FDisplay)
        return;
    if (FDisplay != nullptr)
        FDisplay->SetHost(nullptr);
    FDisplay = display;
    if (FDisplay != nullptr) {
        FDisplay->SetHost(this);
        FDisplay->FreeNotification(this);
    }
}

void TCustomGLApplication::SetWindow(TCustomGLWindow* window)
{
    if (window == FWindow)
        return;
    if (FWindow != nullptr) {
        StopOpenGL();
        FWindow->SetHost(nullptr);
    }
    FWindow = window;
    FDC = nullptr;
    if (FWindow != nullptr) {
        FWindow->SetHost(&FWindowHost);
        FWindow->FreeNotification(this);
        FDC = FWindow->DC();  // a window made before it was hooked
    }
}

void TCustomGLApplication::Notification(TComponent* aComponent, TOperation operation)
{
    TCustomGraphicApplicationPro::Notification(aComponent, operation);
    if (operation != opRemove)
        return;
    if (aComponent == FDisplay)
        FDisplay = nullptr;
    if (aComponent == FWindow) {
        FWindow = nullptr;
        FDC = nullptr;
    }
}

// --- Hooks of the window and the context -----------------------------------------

bool TCustomGLApplication::TWindowHost::IsContextActive()
{
    return FApplication.ContextActive();
}

void TCustomGLApplication::TWindowHost::StopOpenGL()
{
    FApplication.FDC = nullptr;
    FApplication.StopOpenGL();
}

void TCustomGLApplication::HideGLWindow()
{
    if (FWindow != nullptr)
        FWindow->Hide();
}

void TCustomGLApplication::ShowGLWindow()
{
    if (FWindow != nullptr)
        FWindow->Show();
}

// --- OpenGL ----------------------------------------------------------------------

void TCustomGLApplication::StartOpenGL(GLHDC dc)
{
    if (FOpenGL == nullptr || FOpenGL->Active())
        return;
    FOpenGL->CreateRC(dc);
    FContextActive = FOpenGL->Active();
    FFramePacing.SetRefreshRate(CurrentRefreshRate());  // a mode switch makes the context anew
    Fire(OnStartOpenGL, this);
}

void TCustomGLApplication::StopOpenGL()
{
    FShotPending = false;  // a shot is of a frame of the run it was asked in
    if (!ContextActive())
        return;
    const auto destroyContext = [this] {
        FOpenGL->DestroyRC();
        FContextActive = FOpenGL->Active();
    };
    try {
        Fire(OnStopOpenGL, this);
    } catch (...) {
        destroyContext();  // the context goes even when the handler fails
        throw;
    }
    destroyContext();
}

void TCustomGLApplication::ResizeViewport(int width, int height)
{
    if (OnResizeViewport && ContextActive())
        OnResizeViewport(width, height);
}

void TCustomGLApplication::Render(GLHDC dc)
{
    if (IsDesigning() || !OnRender || !ContextActive())
        return;
    const float deltaTime = FFrameClock.Step(Timer().Elapsed().GetSeconds());
    Set8087CW(DefaultFPUControlWord);
    if (FPickRequest)
        Pick(deltaTime);
    FViewport->Apply();
    OnRender(deltaTime, false);
    Set8087CW(DefaultFPUControlWord);
    if (FShotPending) {
        FShotPending = false;
        TakeSnapShot();
    }
    FOpenGL->SwapBuffers(dc);
}

void TCustomGLApplication::RequestPick(int x, int y)
{
    FPickRequest = true;
    FPickX = x;
    FPickY = y;
}

void TCustomGLApplication::Pick(float deltaTime)
{
    TGLViewport* viewport = FViewport->GLViewport();
    if (viewport == nullptr)
        return;  // no frame has set up the projection to pick through yet
    FPickRequest = false;
    viewport->BeginPick(FPickX, FPickY, 2, 2);
    // Back to drawing even when the pass fails: a context left in selection
    // mode would draw nothing from then on.
    const TScopeExit endPick([viewport] {
        Set8087CW(DefaultFPUControlWord);
        viewport->EndPick();
    });
    OnRender(deltaTime, true);
}

// --- Run -------------------------------------------------------------------------

bool TCustomGLApplication::PaceFrame()
{
    if (!Active || !ContextActive() || !FOpenGL->VSync)
        return true;
    const int wait = FFramePacing.WaitMilliseconds(PacingSeconds());
    return wait == 0 ||
           MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(wait), QS_ALLINPUT) == WAIT_TIMEOUT;
}

void TCustomGLApplication::AppIdle(TObject* sender, bool& done)
{
    if (FBusy || FHalted)
        return;
    FBusy = true;
    const TScopeExit idle([this] { FBusy = false; });
    if (!PaceFrame()) {
        done = false;  // the loop takes the message, then comes back here
        return;
    }
    TCustomGraphicApplicationPro::AppIdle(sender, done);
    if (Active && !FContextActive && FDC != nullptr) {
        StartOpenGL(FDC);
        if (FWindow != nullptr)
            ResizeViewport(FWindow->Width(), FWindow->Height());
    }
    if (Active && FWindow != nullptr && ContextActive()) {
        FFramePacing.FrameStarted(PacingSeconds());
        Render(FDC);
    }
}

void TCustomGLApplication::Start()
{
    if (FDisplay != nullptr)
        CheckDesktopColorDepth(*FDisplay);
    TCustomGraphicApplicationPro::Start();
}

void TCustomGLApplication::Stop()
{
    StopOpenGL();
    TCustomGraphicApplicationPro::Stop();
}

void TCustomGLApplication::PowerOff()
{
    TCustomGraphicApplicationPro::PowerOff();
    FHalted = true;
    StopOpenGL();
}

void TCustomGLApplication::PowerOn()
{
    TCustomGraphicApplicationPro::PowerOn();
    ExitApplication();
}

// --- Full screen -----------------------------------------------------------------

bool TCustomGLApplication::IsFullScreen() const
{
    return FDisplay != nullptr && FDisplay->FullScreen();
}

void TCustomGLApplication::FullScreenChanged()
{
    if (IsFullScreen()) {
        if (FWindow != nullptr && FWindow->Visible()) {
            FWindow->Hide();
            FWindow->Show();
        }
        EnableMainForm(false);
    } else {
        EnableMainForm(true);
        if (FWindow != nullptr) {
            FWindow->Hide();
            if (!ExitOnLeaveFullScreen && !Application->Terminated())
                FWindow->Show();
        }
    }
    SetCursorHidden(CursorHidden());
}

bool TCustomGLApplication::LeaveFullScreen()
{
    const bool wasFullScreen = IsFullScreen();
    if (wasFullScreen)
        FDisplay->SetFullScreen(false);
    if (ExitOnLeaveFullScreen)
        Application->Terminate();
    return wasFullScreen;
}

void TCustomGLApplication::PresentLastFrame()
{
    if (ContextActive() && FWindow != nullptr && FWindow->Visible())
        FOpenGL->SwapBuffersIfEven(FDC);
}

void TCustomGLApplication::EnableMainForm(bool enable)
{
    TForm* form = Application->MainForm();
    if (form != nullptr && form->HandleAllocated())
        EnableWindow(form->Handle(), enable ? TRUE : FALSE);
}

void TCustomGLApplication::AppException(TObject* sender, Exception& e)
{
    if (IsFullScreen()) {
        PresentLastFrame();
        ExitOnLeaveFullScreen = true;
        FDisplay->SetFullScreen(false);
    }
    TCustomGraphicApplicationPro::AppException(sender, e);
}

// --- Messages, screenshots -------------------------------------------------------

void TCustomGLApplication::AppMessage(MSG& msg, bool& handled)
{
    if (msg.message == WM_KEYUP && msg.wParam == VK_SNAPSHOT) {
        handled = true;
        FShotPending = true;
        return;
    }
    TCustomGraphicApplicationPro::AppMessage(msg, handled);
}

void TCustomGLApplication::TakeSnapShot()
{
    if (OnSnapShot)
        OnSnapShot(this);
    else
        SaveScreenShot(BaseName() + ".jpg");
}

bool TCustomGLApplication::SaveScreenShot(const std::string& fileName)
{
    if (!ContextActive() || FWindow == nullptr || !FWindow->HandleAllocated())
        return false;
    TGLScreenShot& shot = FOpenGL->ScreenShot();
    shot.Capture(FWindow->Handle());
    const std::string name = ScreenShotFileName(fileName, shot.CaptureCount());
    try {
        return SaveScreenShotPicture(shot, name);
    } catch (const Exception& e) {
        // A saver may run where it cannot write; the run goes on.
        LogQuietly("Screenshot " + name + " not saved: " + e.Message);
        return false;
    }
}

void TCustomGLApplication::LogQuietly(const std::string& text)
{
    try {
        Log(text);
    } catch (const Exception&) {
        // The log cannot be written either.
    }
}

void TCustomGLApplication::CheckHardwareAcceleration()
{
    if (FOpenGL != nullptr && !FOpenGL->GetHardwareAccelerated())
        Application->MessageBox(HardwareAccelerationWarning, Application->Title(), MB_ICONERROR);
}

// --- Options ---------------------------------------------------------------------

void TCustomGLApplication::ReadDisplayOptions()
{
    if (FDisplay == nullptr)
        return;
    SetLocalMachine(true);
    ScrambleNames = true;
    FDisplay->DesktopOnly = ReadBool(OptionNames::DesktopOnly.Scrambled(), FDisplay->DesktopOnly);
    const std::string mode =
        ReadString(OptionNames::FullScreenMode.Scrambled(), FDisplay->FullScreenMode().GetModeName());
    SetFullScreenModeName(*FDisplay, mode);  // a malformed mode keeps the current one
}

void TCustomGLApplication::ReadFullScreenMode()
{
    if (FOptionsRead || !IsRuntime())
        return;
    ReadDisplayOptions();
    FOptionsRead = true;
}

void TCustomGLApplication::LoadOptions()
{
    if (IsRuntime()) {
        ReadDisplayOptions();
        FOptionsRead = true;
        SetLocalMachine(true);
        ScrambleNames = true;
        FOpenGL->VSync = ReadBool(OptionNames::VSync.Scrambled(), FOpenGL->VSync);
        if (ReadBool(OptionNames::SoftwareRendering.Scrambled(), false))
            FOpenGL->SetGenericOnly(true);
        FViewport->WideScreen = ReadBool(OptionNames::WideScreen.Scrambled(), FViewport->WideScreen);
    }
    TCustomGraphicApplicationPro::LoadOptions();
}

void TCustomGLApplication::SaveOptions()
{
    if (IsRuntime()) {
        SetLocalMachine(true);
        ScrambleNames = true;
        if (FDisplay != nullptr) {
            WriteBool(OptionNames::DesktopOnly.Scrambled(), FDisplay->DesktopOnly);
            WriteString(OptionNames::FullScreenMode.Scrambled(), FDisplay->FullScreenMode().GetModeName());
        }
        WriteBool(OptionNames::VSync.Scrambled(), FOpenGL->VSync);
        WriteBool(OptionNames::SoftwareRendering.Scrambled(), FOpenGL->GetGenericOnly());
        WriteBool(OptionNames::WideScreen.Scrambled(), FViewport->WideScreen);
    }
    TCustomGraphicApplicationPro::SaveOptions();
}
