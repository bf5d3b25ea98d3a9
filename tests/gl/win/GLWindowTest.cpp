// The render window under Wine: inside a form, inside a foreign host window,
// full screen; its device context's life, the messages it answers itself and
// a switch of software rendering; with a stand-in application behind it.
#include "gl/GLWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "../../support/ScreenPixels.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Screen.h"
#include "gl/GLLoader.h"
#include "gl/WinGLPlatform.h"
#include "gl/core/AppOpenGL.h"
#include "gl/core/DefViewport.h"

namespace {

// Answers the window as told and records its calls; stopping OpenGL destroys
// the context, hiding and showing go to the window.
struct FakeApplication : IGLWindowHost, IAppOpenGLOwner, IDefViewportOwner {
    bool FullScreen = false;
    bool ContextActive = false;
    TCustomGLWindow* Window = nullptr;
    TCustomAppOpenGL* Context = nullptr;
    std::vector<HDC> DCs;
    int Stops = 0;
    HDC DCAtStop = nullptr;
    SIZE LastSize{-1, -1};

    bool IsFullScreen() override { return FullScreen; }
    bool IsContextActive() override { return ContextActive || (Context != nullptr && Context->Active()); }
    bool LeaveFullScreen() override { return std::exchange(FullScreen, false); }
    void StopOpenGL() override
    {
        ++Stops;
        DCAtStop = Window->DC();
        if (Context != nullptr)
            Context->DestroyRC();
    }
    void SetDC(GLHDC dc) override { DCs.push_back(dc); }
    void Resize(int width, int height) override { LastSize = SIZE{width, height}; }
    void HideGLWindow() override { Window->Hide(); }
    void ShowGLWindow() override { Window->Show(); }
    IViewWindow* ViewWindow() override { return Window; }
    TCustomOpenGL* ViewContext() override { return Context; }
};

// Keeps the system commands that reach the default processing.
class RecordingGLWindow : public TGLWindow {
public:
    using TGLWindow::TGLWindow;
    std::vector<WPARAM> SysCommands;

protected:
    void DefaultHandler(TMessage& message) override
    {
        if (message.Msg == WM_SYSCOMMAND)
            SysCommands.push_back(message.WParam);
        else
            TGLWindow::DefaultHandler(message);
    }
};

// Whatever happens in a test with a real context, the context goes with its
// libraries bound and the window calls back no more.
struct TContextCleanup {
    TGLWindow* Window;
    FakeApplication& Application;
    ~TContextCleanup()
    {
        Window->SetHost(nullptr);
        Application.Context = nullptr;
        if (!OpenGLLoaded())
            InitOpenGL();
    }
};

// The window whose frames dc renders: its own window, or the child an
// off-screen window presents into.
HWND DrawnWindow(HDC dc)
{
    const HWND target = TGLCopyPresenter::TargetOf(dc);
    return target != nullptr ? target : WindowFromDC(dc);
}

struct GLWindow : ::testing::Test {
    FakeApplication application;
    std::unique_ptr<TForm> form;

    // A shown form and a window in it, hooked to the stand-in application.
    template <class W = TGLWindow>
    W* NewWindowInForm(int clientWidth, int clientHeight)
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        form->Show();
        auto* window = new W(form.get());
        window->SetHost(&application);
        application.Window = window;
        window->SetParent(form.get());
        return window;
    }
};

}  // namespace

TEST_F(GLWindow, APreviewInAForeignWindowTakesItsSizeAndStopsOpenGLBeforeItsDCGoes)
{
    const HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 50, 60, 320, 240, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    auto window = std::make_unique<TGLWindow>(nullptr);
    window->SetHost(&application);
    application.Window = window.get();
    window->SetParentWindow(host);
    ASSERT_TRUE(window->HandleAllocated());
    EXPECT_EQ(GetParent(window->Handle()), host);
    EXPECT_EQ(window->Width(), 320);
    EXPECT_EQ(application.LastSize.cy, 240);
    ASSERT_EQ(application.DCs.size(), 1u);
    const HWND drawable = WindowFromDC(application.DCs[0]);  // its own, or an off-screen window

    DestroyWindow(host);
    EXPECT_EQ(application.Stops, 1);
    EXPECT_EQ(application.DCAtStop, application.DCs[0]);
    EXPECT_FALSE(IsWindow(drawable));
    EXPECT_EQ(window->DC(), nullptr);
    EXPECT_FALSE(window->HandleAllocated());
}

TEST_F(GLWindow, FullScreenItIsATopmostPopupThatGoesWhenHiddenAndComesBackAsAChild)
{
    application.FullScreen = true;
    TGLWindow* window = NewWindowInForm(300, 200);
    const HWND popup = window->Handle();
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(popup, GWL_STYLE)),
              static_cast<DWORD>(WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE));
    EXPECT_NE(GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT rect{};
    GetWindowRect(popup, &rect);
    EXPECT_EQ(rect.right, Screen->Width());
    EXPECT_EQ(rect.bottom, Screen->Height());
    // Closing it only leaves full screen: GLApplicationTest. Left, it is made anew as a child.
    application.FullScreen = false;
    window->Hide();
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(application.Stops, 1);
    EXPECT_EQ(window->DC(), nullptr);
    window->Show();
    ASSERT_EQ(application.DCs.size(), 2u);
    EXPECT_EQ(DrawnWindow(application.DCs[1]), window->Handle());
    SendMessageA(window->Handle(), WM_CLOSE, 0, 0);  // not full screen: it closes
    EXPECT_EQ(application.Stops, 2);

    // Asking the client size of a window not yet made moves nothing.
    application.FullScreen = true;
    TGLWindow unmade(nullptr);
    unmade.SetHost(&application);
    EXPECT_EQ(unmade.ClientWidth(), 640);
    EXPECT_EQ(unmade.Width(), 640);
}

TEST_F(GLWindow, TheBackgroundIsNotErasedWhileTheContextIsActiveAndScreenSaverCommandsAreSwallowed)
{
    auto* window = NewWindowInForm<RecordingGLWindow>(100, 100);  // black
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    SetPixel(memory, 5, 5, RGB(255, 255, 255));
    application.ContextActive = true;
    EXPECT_EQ(window->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(GetPixel(memory, 5, 5), RGB(255, 255, 255));
    application.ContextActive = false;
    window->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(GetPixel(memory, 5, 5), RGB(0, 0, 0));
    DeleteObject(SelectObject(memory, old));
    DeleteDC(memory);

    // The low four bits are the system's own; they do not change the command.
    for (const WPARAM command : {WPARAM{SC_SCREENSAVE | 0x2}, WPARAM{SC_MONITORPOWER | 0xF}})
        EXPECT_EQ(SendMessageA(window->Handle(), WM_SYSCOMMAND, command, 2), 0);
    SendMessageA(window->Handle(), WM_SYSCOMMAND, SC_KEYMENU | 0x1, 0);
    EXPECT_EQ(window->SysCommands, (std::vector<WPARAM>{SC_KEYMENU | 0x1}));
}

TEST_F(GLWindow, SwitchingSoftwareRenderingWhileActiveDrawsInANewWindow)
{
    TGLWindow* window = NewWindowInForm(64, 48);
    window->SetColor(RGB(0, 0, 255));
    TCustomAppOpenGL context(&application, std::make_unique<TWinGLPlatform>());
    application.Context = &context;
    TContextCleanup cleanup{window, application};
    context.CreateRC(window->DC());
    ASSERT_TRUE(context.Active());
    const HWND before = window->Handle();

    context.SetGenericOnly(true);
    // A context left active here would be unusable: its libraries are unloaded.
    ASSERT_FALSE(context.Active());
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(application.DCAtStop, application.DCs.at(0));
    ASSERT_EQ(application.DCs.size(), 2u);
    EXPECT_EQ(DrawnWindow(application.DCs[1]), window->Handle());
    EXPECT_FALSE(OpenGLLoaded());

    context.CreateRC(window->DC());
    ASSERT_TRUE(context.Active());
    TDefViewport(&application).Apply();
    GLubyte pixel[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[2], 255);
    EXPECT_EQ(pixel[0], 0);
}

TEST_F(GLWindow, InAPanelOfAFormItsFramesReachTheScreenAlsoAfterAResize)
{
    form = std::make_unique<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    form->Show();
    auto* panel = new TPanel(form.get());
    panel->SetBounds(20, 10, 120, 90);
    panel->SetParent(form.get());
    auto* window = new TGLWindow(panel);
    window->SetHost(&application);
    application.Window = window;
    window->SetParent(panel);
    TCustomAppOpenGL context(&application, std::make_unique<TWinGLPlatform>());
    application.Context = &context;
    TContextCleanup cleanup{window, application};
    context.CreateRC(window->DC());
    ASSERT_TRUE(context.Active());

    // A frame is a clear with the window's colour and a swap; the screen then shows it.
    const auto presentFrame = [&](COLORREF colour) {
        window->SetColor(colour);
        TDefViewport(&application).Apply();
        context.SwapBuffers(window->DC());
    };
    // The system puts a window's drawing on the screen while messages flow, not at once.
    const auto screenShows = [&](int x, int y, COLORREF colour) {
        POINT point{x, y};
        ClientToScreen(window->Handle(), &point);
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 1000; Sleep(10)) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            if (testsupport::ColoursNear(testsupport::ScreenPixel(point.x, point.y), colour))
                return true;
        }
        return false;
    };
    presentFrame(RGB(0, 200, 0));
    EXPECT_TRUE(screenShows(60, 45, RGB(0, 200, 0)));

    panel->SetBounds(20, 10, 240, 160);
    ASSERT_EQ(window->Width(), panel->ClientWidth());
    presentFrame(RGB(200, 0, 200));
    EXPECT_TRUE(screenShows(window->Width() - 3, window->Height() - 3, RGB(200, 0, 200)))
        << "the frame does not cover the grown window";
}
