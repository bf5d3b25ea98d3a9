// The render window under Wine with the OpenGL application behind it: inside
// a form or a panel, inside a foreign host window; its device context's life,
// the messages it answers itself and a switch of software rendering; its
// colour. (Its full-screen popup: GLApplicationTest.)
#include "gl/GLWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../../support/ScreenPixels.h"
#include "GLApplicationTestSupport.h"
#include "classlib/ui/ExtCtrls.h"
#include "gl/GLLoader.h"
#include "gl/WindowColor.h"
#include "gl/core/GLBinding.h"

namespace {

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

// The window whose frames dc renders: its own window, or the child an
// off-screen window presents into.
HWND DrawnWindow(HDC dc)
{
    const HWND target = TGLCopyPresenter::TargetOf(dc);
    return target != nullptr ? target : WindowFromDC(dc);
}

// Records the window's device context at each stop of OpenGL; leaves the
// binding loaded, whatever a test unloaded.
class GLWindow : public glapptest::GLApplicationTest {
protected:
    void Build()
    {
        GLApplicationTest::Build({1280, 1024, 32}, glapptest::UsualModes(), false);
        App->OnStopOpenGL = [this](TObject*) { DCsAtStop.push_back(Window->DC()); };
    }
    void TearDown() override
    {
        GLApplicationTest::TearDown();
        if (!OpenGLLoaded())
            InitOpenGL();
    }

    std::vector<HDC> DCsAtStop;
};

}  // namespace

TEST_F(GLWindow, APreviewInAForeignWindowTakesItsSizeAndStopsOpenGLBeforeItsDCGoes)
{
    const HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 50, 60, 320, 240, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    Build();
    const auto window = std::make_unique<TGLWindow>(nullptr);
    Window = window.get();
    App->SetWindow(Window);
    Window->SetParentWindow(host);
    ASSERT_TRUE(Window->HandleAllocated());
    EXPECT_EQ(GetParent(Window->Handle()), host);
    EXPECT_EQ(Window->Width(), 320);
    Tick();
    EXPECT_EQ(Calls.back(), "resize 320x240");
    const HDC dc = App->DC();
    const HWND drawable = WindowFromDC(dc);  // its own, or an off-screen window

    DestroyWindow(host);
    EXPECT_EQ(DCsAtStop, std::vector<HDC>{dc});
    EXPECT_FALSE(IsWindow(drawable));
    EXPECT_EQ(Window->DC(), nullptr);
    EXPECT_FALSE(Window->HandleAllocated());
    App->SetWindow(nullptr);
}

TEST_F(GLWindow, TheBackgroundIsNotErasedWhileTheContextIsActiveAndScreenSaverCommandsAreSwallowed)
{
    Build();
    auto* window = AddWindow<RecordingGLWindow>();  // black
    Tick();
    ASSERT_TRUE(App->OpenGL()->Active());
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(memory, CreateCompatibleBitmap(screen, 16, 16));
    ReleaseDC(nullptr, screen);
    SetPixel(memory, 5, 5, RGB(255, 255, 255));
    EXPECT_EQ(window->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(GetPixel(memory, 5, 5), RGB(255, 255, 255));
    App->Stop();
    window->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(GetPixel(memory, 5, 5), RGB(0, 0, 0));
    DeleteObject(SelectObject(memory, old));
    DeleteDC(memory);

    // The low four bits are the system's own; they do not change the command.
    for (const WPARAM command : {WPARAM{SC_SCREENSAVE | 0x2}, WPARAM{SC_MONITORPOWER | 0xF}})
        EXPECT_EQ(SendMessageA(window->Handle(), WM_SYSCOMMAND, command, 2), 0);
    SendMessageA(window->Handle(), WM_SYSCOMMAND, SC_KEYMENU | 0x1, 0);
    EXPECT_EQ(window->SysCommands, (std::vector<WPARAM>{SC_KEYMENU | 0x1}));

    SendMessageA(window->Handle(), WM_CLOSE, 0, 0);  // not full screen: it closes
    EXPECT_FALSE(window->HandleAllocated());
}

TEST_F(GLWindow, SwitchingSoftwareRenderingWhileActiveDrawsInANewWindow)
{
    Build();
    AddWindow()->SetColor(RGB(0, 0, 255));
    Tick();
    ASSERT_TRUE(App->OpenGL()->Active());
    const HWND before = Window->Handle();
    const HDC dc = App->DC();

    App->OpenGL()->SetGenericOnly(true);
    // A context left active here would be unusable: its libraries are unloaded.
    ASSERT_FALSE(App->OpenGL()->Active());
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(DCsAtStop, std::vector<HDC>{dc});
    EXPECT_EQ(DrawnWindow(App->DC()), Window->Handle());
    EXPECT_FALSE(OpenGLLoaded());

    GLubyte pixel[4] = {};
    Draw = [&] { glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel); };
    Tick();
    ASSERT_TRUE(App->OpenGL()->Active());
    EXPECT_EQ(pixel[2], 255);
    EXPECT_EQ(pixel[0], 0);
}

TEST_F(GLWindow, InAPanelOfAFormItsFramesReachTheScreenAlsoAfterAResize)
{
    Build();
    Form->SetClientWidth(300);
    Form->SetClientHeight(200);
    auto* panel = new TPanel(Form.get());
    panel->SetBounds(20, 10, 120, 90);
    panel->SetParent(Form.get());
    AddWindow(panel);

    // The system puts a window's drawing on the screen while messages flow, not at once.
    const auto screenShows = [&](int x, int y, COLORREF colour) {
        POINT point{x, y};
        ClientToScreen(Window->Handle(), &point);
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 1000; Sleep(10)) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            if (testsupport::ColoursNear(testsupport::ScreenPixel(point.x, point.y), colour))
                return true;
        }
        return false;
    };
    Window->SetColor(RGB(0, 200, 0));
    Tick();  // a frame: a clear with the window's colour and a swap
    EXPECT_TRUE(screenShows(60, 45, RGB(0, 200, 0)));

    panel->SetBounds(20, 10, 240, 160);
    ASSERT_EQ(Window->Width(), panel->ClientWidth());
    Window->SetColor(RGB(200, 0, 200));
    Tick();
    EXPECT_TRUE(screenShows(Window->Width() - 3, Window->Height() - 3, RGB(200, 0, 200)))
        << "the frame does not cover the grown window";
}

TEST(WindowColor, SystemColoursAreResolvedThroughTheSystemAndPlainOnesUseTheLowThreeBytes)
{
    const TGLColorFloat face = WindowColorToFloat(static_cast<int32_t>(0x80000000u | COLOR_BTNFACE));
    EXPECT_EQ(face.x, ColorRefToFloat(GetSysColor(COLOR_BTNFACE)).x);
    EXPECT_EQ(face.z, ColorRefToFloat(GetSysColor(COLOR_BTNFACE)).z);
    const TGLColorFloat high = WindowColorToFloat(0x020080FF);
    EXPECT_EQ(high.x, 1.0f);
    EXPECT_EQ(high.y, 128 / 255.0f);
    EXPECT_EQ(high.z, 0.0f);
    EXPECT_EQ(high.w, 1.0f);
}
