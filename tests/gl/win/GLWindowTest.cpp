// The render window under Wine: where it is made (inside a form, inside a
// foreign host window, full screen), its device context's life, the
// messages it answers itself, and a switch of software rendering through a
// new window; with a stand-in application behind the window's hooks.
#include "gl/GLWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/ui/Forms.h"
#include "classlib/ui/Screen.h"
#include "gl/GLDisplay.h"
#include "gl/GLLoader.h"
#include "gl/WinGLPlatform.h"
#include "gl/core/AppOpenGL.h"
#include "gl/core/DefViewport.h"

namespace {

// Stands in for the OpenGL application: answers the window's questions as
// told and records its calls. With a window and a context it behaves as the
// application does: stopping OpenGL destroys the context, hiding and showing
// go to the window.
struct FakeApplication : IGLWindowHost, IAppOpenGLOwner, IDefViewportOwner {
    bool FullScreen = false;
    bool ContextActive = false;
    TCustomGLWindow* Window = nullptr;
    TCustomAppOpenGL* Context = nullptr;

    std::vector<HDC> DCs;
    int Leaves = 0;
    int Stops = 0;
    HDC DCAtStop = nullptr;
    bool WindowAliveAtStop = false;
    SIZE LastSize{-1, -1};

    bool IsFullScreen() override { return FullScreen; }
    bool IsContextActive() override { return ContextActive || (Context != nullptr && Context->Active()); }
    bool LeaveFullScreen() override
    {
        ++Leaves;
        const bool was = FullScreen;
        FullScreen = false;
        return was;
    }
    void StopOpenGL() override
    {
        ++Stops;
        if (Window != nullptr) {
            DCAtStop = Window->DC();
            WindowAliveAtStop = Window->HandleAllocated() && IsWindow(Window->Handle());
        }
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

// Keeps the commands that reach the default processing instead of passing
// them on.
class RecordingGLWindow : public TGLWindow {
public:
    using TGLWindow::TGLWindow;
    std::vector<WPARAM> SysCommands;

protected:
    void DefaultHandler(TMessage& message) override
    {
        if (message.Msg == WM_SYSCOMMAND) {
            SysCommands.push_back(message.WParam);
            return;
        }
        TGLWindow::DefaultHandler(message);
    }
};

// A plain top-level window of another "program".
HWND NewHostWindow(int left, int top, int width, int height)
{
    return CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, left, top, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

struct GLWindowFixture : ::testing::Test {
    FakeApplication application;
    std::unique_ptr<TForm> form;

    void TearDown() override { form.reset(); }

    TForm* NewForm(int clientWidth, int clientHeight)
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        form->Show();
        return form.get();
    }

    // A window hooked to the stand-in application, inside the form.
    template <class W = TGLWindow>
    W* NewWindowInForm()
    {
        auto* window = new W(form.get());
        window->SetHost(&application);
        application.Window = window;
        window->SetParent(form.get());
        return window;
    }
};

using GLWindow = GLWindowFixture;

RECT WindowRect(HWND wnd)
{
    RECT rect{};
    GetWindowRect(wnd, &rect);
    return rect;
}

}  // namespace

TEST_F(GLWindow, InsideAFormItFillsTheClientAreaAndHandsItsOwnDCToTheHost)
{
    NewForm(300, 200);
    TGLWindow* window = NewWindowInForm();
    ASSERT_TRUE(window->HandleAllocated());
    const HWND wnd = window->Handle();
    EXPECT_EQ(GetParent(wnd), form->Handle());
    EXPECT_EQ(window->Align(), alClient);
    EXPECT_EQ(window->Width(), 300);
    EXPECT_EQ(window->Height(), 200);
    const LONG style = GetWindowLongA(wnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP),
              WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP);
    EXPECT_EQ(GetClassLongA(wnd, GCL_STYLE), static_cast<DWORD>(CS_OWNDC | CS_HREDRAW | CS_VREDRAW));

    ASSERT_EQ(application.DCs.size(), 1u);
    EXPECT_NE(application.DCs[0], nullptr);
    EXPECT_EQ(application.DCs[0], window->DC());
    EXPECT_EQ(WindowFromDC(window->DC()), wnd);

    form->SetClientWidth(240);
    EXPECT_EQ(application.LastSize.cx, 240);
    EXPECT_EQ(application.LastSize.cy, 200);

    // The window's colour, system colours resolved, is what the frame is
    // cleared with.
    EXPECT_EQ(window->ViewColorRGB(), 0u);
    window->SetColor(clBtnFace);
    EXPECT_EQ(window->ViewColorRGB(), GetSysColor(COLOR_BTNFACE));
}

TEST_F(GLWindow, APreviewInAForeignWindowTakesItsSizeAndStopsOpenGLWhenItGoes)
{
    const HWND host = NewHostWindow(50, 60, 320, 240);
    ASSERT_NE(host, nullptr);
    auto window = std::make_unique<TGLWindow>(nullptr);
    window->SetHost(&application);
    application.Window = window.get();
    window->SetParentWindow(host);

    ASSERT_TRUE(window->HandleAllocated());
    const HWND wnd = window->Handle();
    EXPECT_EQ(GetParent(wnd), host);
    EXPECT_NE(GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD, 0);
    const RECT rect = WindowRect(wnd);
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.top, 60);
    EXPECT_EQ(rect.right - rect.left, 320);
    EXPECT_EQ(rect.bottom - rect.top, 240);
    EXPECT_EQ(application.LastSize.cx, 320);
    EXPECT_EQ(application.LastSize.cy, 240);
    ASSERT_EQ(application.DCs.size(), 1u);

    // The host ends the preview: OpenGL stops while the DC is still held,
    // then the DC goes.
    DestroyWindow(host);
    EXPECT_EQ(application.Stops, 1);
    EXPECT_EQ(application.DCAtStop, application.DCs[0]);
    EXPECT_TRUE(application.WindowAliveAtStop);
    EXPECT_EQ(window->DC(), nullptr);
    EXPECT_FALSE(window->HandleAllocated());
}

TEST_F(GLWindow, FullScreenItIsATopmostPopupOverTheScreenAndHidingItBringsItBack)
{
    NewForm(300, 200);
    application.FullScreen = true;
    TGLWindow* window = NewWindowInForm();
    const HWND popup = window->Handle();
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(popup, GWL_STYLE)),
              static_cast<DWORD>(WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(popup, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & (WS_EX_TOPMOST | WS_EX_APPWINDOW), static_cast<DWORD>(WS_EX_TOPMOST | WS_EX_APPWINDOW));
    const RECT rect = WindowRect(popup);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, Screen->Width());
    EXPECT_EQ(rect.bottom, Screen->Height());
    EXPECT_EQ(window->Align(), alNone);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), form->Handle());

    // Leaving full screen: hidden, the window and its DC are gone; shown, it
    // is a child of the form again, filling it.
    application.FullScreen = false;
    window->Hide();
    EXPECT_FALSE(window->HandleAllocated());
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(application.Stops, 1);
    EXPECT_EQ(window->DC(), nullptr);
    window->Show();
    ASSERT_TRUE(window->HandleAllocated());
    const HWND child = window->Handle();
    EXPECT_EQ(GetParent(child), form->Handle());
    EXPECT_NE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(window->Align(), alClient);
    EXPECT_EQ(window->Width(), 300);
    EXPECT_EQ(window->Height(), 200);
    ASSERT_EQ(application.DCs.size(), 2u);
    EXPECT_EQ(application.DCs[1], window->DC());
    EXPECT_EQ(WindowFromDC(application.DCs[1]), child);
}

TEST_F(GLWindow, CloseInFullScreenOnlyLeavesFullScreenOtherwiseItCloses)
{
    NewForm(300, 200);
    application.FullScreen = true;
    TGLWindow* window = NewWindowInForm();
    const HWND popup = window->Handle();

    EXPECT_EQ(SendMessageA(popup, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(application.Leaves, 1);
    EXPECT_TRUE(IsWindow(popup));
    EXPECT_EQ(application.Stops, 0);

    // Not full screen any more: the close goes on as usual.
    SendMessageA(popup, WM_CLOSE, 0, 0);
    EXPECT_EQ(application.Leaves, 2);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(application.Stops, 1);
}

TEST_F(GLWindow, TheBackgroundIsNotErasedWhileTheContextIsActive)
{
    NewForm(100, 100);
    TGLWindow* window = NewWindowInForm();  // black
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT all{0, 0, 16, 16};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    application.ContextActive = true;
    EXPECT_EQ(window->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(GetPixel(memory, 5, 5), RGB(255, 255, 255));

    application.ContextActive = false;
    EXPECT_NE(window->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 0);
    EXPECT_EQ(GetPixel(memory, 5, 5), RGB(0, 0, 0));

    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(GLWindow, ScreenSaverAndMonitorPowerCommandsAreSwallowed)
{
    NewForm(100, 100);
    auto* window = NewWindowInForm<RecordingGLWindow>();
    const HWND wnd = window->Handle();
    // The low four bits are the system's own; they do not change the command.
    for (const WPARAM command : {WPARAM{SC_SCREENSAVE}, WPARAM{SC_SCREENSAVE | 0x2}, WPARAM{SC_MONITORPOWER},
                                 WPARAM{SC_MONITORPOWER | 0xF}})
        EXPECT_EQ(SendMessageA(wnd, WM_SYSCOMMAND, command, 2), 0);
    SendMessageA(wnd, WM_SYSCOMMAND, SC_KEYMENU | 0x1, 0);
    EXPECT_EQ(window->SysCommands, (std::vector<WPARAM>{SC_KEYMENU | 0x1}));
}

TEST_F(GLWindow, SwitchingSoftwareRenderingWhileActiveDrawsInANewWindow)
{
    NewForm(64, 48);
    TGLWindow* window = NewWindowInForm();
    window->SetColor(RGB(0, 0, 255));
    TCustomAppOpenGL context(&application, std::make_unique<TWinGLPlatform>());
    application.Context = &context;
    // Whatever happens below, the context is destroyed with its libraries
    // bound, and the window calls back no more.
    struct Cleanup {
        TGLWindow* Window;
        FakeApplication& Application;
        ~Cleanup()
        {
            Window->SetHost(nullptr);
            Application.Context = nullptr;
            if (!OpenGLLoaded())
                InitOpenGL();
        }
    } cleanup{window, application};

    context.CreateRC(window->DC());  // what the next idle tick does
    ASSERT_TRUE(context.Active());
    const HWND before = window->Handle();

    context.SetGenericOnly(true);

    // The old window went with its context (a context left active here
    // would be unusable: its libraries are unloaded).
    ASSERT_FALSE(context.Active());
    EXPECT_FALSE(IsWindow(before));
    ASSERT_TRUE(window->HandleAllocated());
    EXPECT_NE(window->Handle(), before);
    EXPECT_EQ(application.Stops, 1);
    EXPECT_EQ(application.DCAtStop, application.DCs.at(0));
    ASSERT_EQ(application.DCs.size(), 2u);
    EXPECT_EQ(WindowFromDC(application.DCs[1]), window->Handle());
    EXPECT_FALSE(OpenGLLoaded()) << "the libraries are loaded again with the next context";
    EXPECT_TRUE(context.GetGenericOnly());

    // The next tick draws in the new window; the frame is cleared with the
    // window's colour.
    context.CreateRC(window->DC());
    ASSERT_TRUE(context.Active());
    TDefViewport viewport(&application);
    viewport.Apply();
    GLubyte pixel[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[1], 0);
    EXPECT_EQ(pixel[2], 255);
}

TEST(GLDisplayComponent, OffersOnlyTheRealModesAFrameCanUseOnceLoaded)
{
    struct NoHost : IGLDisplayHost {
        void FullScreenChanged() override {}
        void ReadFullScreenMode() override {}
    } host;
    TGLDisplay display(nullptr);
    display.SetHost(&host);
    display.Loaded();
    // Wine lists its modes at 8, 16 and 32 bits; the 8-bit ones are left out.
    ASSERT_GT(display.ColorDepthModes().Count(), 0);
    for (int i = 0; i < display.ColorDepthModes().Count(); ++i) {
        const int depth = display.ColorDepthModes().Items(i).Depth;
        EXPECT_TRUE(depth == 16 || depth == 32) << depth;
    }
}
