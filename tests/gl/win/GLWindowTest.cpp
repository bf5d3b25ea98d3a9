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
#include "classlib/core/FormHandlers.h"
#include "classlib/core/FormReader.h"
#include "classlib/ui/ExtCtrls.h"
#include "gl/GLLoader.h"
#include "gl/GLRegistration.h"
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

// A render window read from a description with its double-click and wheel
// events, driven by real input: a double click reaches OnDblClick (the class
// asks for double clicks); the wheel's notches reach OnMouseWheelDown and
// OnMouseWheelUp when OnMouseWheel leaves them, part notches add up, and a
// wheel nobody takes goes on to the form.
TEST_F(GLWindow, ADescribedWindowHearsDoubleClicksAndTheWheelFromRealInput)
{
    Build();
    RegisterGLClasses(ClassRegistry());
    std::vector<std::string> log;
    bool takeWheel = false;
    TFormHandlers handlers;
    handlers.Add<TNotifyEvent>("Dbl", [&](TObject*) { log.push_back("double"); });
    handlers.Add<TMouseWheelEvent>("Wheel", [&](TObject*, TShiftState shift, int delta, TPoint at, bool& handled) {
        log.push_back("wheel " + std::to_string(delta) + ((shift & ssCtrl) != 0 ? " ctrl" : "") + " at " +
                      std::to_string(at.X) + "," + std::to_string(at.Y));
        handled = takeWheel;
    });
    handlers.Add<TMouseWheelUpDownEvent>("Down", [&](TObject*, TShiftState, TPoint, bool& handled) {
        log.push_back("down");
        handled = true;
    });
    handlers.Add<TMouseWheelUpDownEvent>("Up", [&](TObject*, TShiftState, TPoint, bool& handled) {
        log.push_back("up");
        handled = true;
    });
    TFormReader reader;
    reader.Handlers = &handlers;
    reader.ReadInto("object F: TForm\n  ClientWidth = 200\n  ClientHeight = 150\n  object W: TGLWindow\n"
                    "    OnDblClick = Dbl\n    OnMouseWheel = Wheel\n    OnMouseWheelDown = Down\n"
                    "    OnMouseWheelUp = Up\n  end\nend\n",
                    *Form);
    auto* window = dynamic_cast<TGLWindow*>(Form->FindComponent("W"));
    ASSERT_NE(window, nullptr);
    int formWheels = 0;
    Form->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& handled) {
        ++formWheels;
        handled = true;
    };
    Form->Show();
    Activate(Form.get());
    window->SetFocus();
    ASSERT_EQ(GetFocus(), window->Handle());
    POINT centre{window->Width() / 2, window->Height() / 2};
    ClientToScreen(window->Handle(), &centre);
    for (const DWORD flags : {DWORD{MOUSEEVENTF_LEFTDOWN}, DWORD{MOUSEEVENTF_LEFTUP}, DWORD{MOUSEEVENTF_LEFTDOWN},
                              DWORD{MOUSEEVENTF_LEFTUP}})
        testsupport::MouseAt(centre, flags);
    testsupport::MouseAt(centre, MOUSEEVENTF_WHEEL, -WHEEL_DELTA);
    EXPECT_TRUE(PumpUntil([&] { return log.size() >= 3; }, std::chrono::seconds(2)));
    const std::string at = " at " + std::to_string(centre.x) + "," + std::to_string(centre.y);
    EXPECT_EQ(log, (std::vector<std::string>{"double", "wheel -120" + at, "down"}));

    log.clear();
    const HWND wnd = window->Handle();
    const auto turn = [&](int delta) {
        SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, delta), MAKELPARAM(5, 6));
    };
    turn(60);
    turn(60);  // two half notches: one notch up
    takeWheel = true;
    turn(-WHEEL_DELTA);
    EXPECT_EQ(log, (std::vector<std::string>{"wheel 60 ctrl at 5,6", "wheel 60 ctrl at 5,6", "up",
                                             "wheel -120 ctrl at 5,6"}));
    EXPECT_EQ(formWheels, 1) << "only the first half notch was nobody's";
}

// Plain colours in full: VectorTypesTest.
TEST(WindowColor, SystemColoursAreResolvedThroughTheSystemAndPlainOnesAreNot)
{
    const TGLColorFloat face = WindowColorToFloat(static_cast<int32_t>(0x80000000u | COLOR_BTNFACE));
    EXPECT_EQ(face.x, ColorRefToFloat(GetSysColor(COLOR_BTNFACE)).x);
    EXPECT_EQ(face.z, ColorRefToFloat(GetSysColor(COLOR_BTNFACE)).z);
    EXPECT_EQ(WindowColorToFloat(0x020080FF).y, 128 / 255.0f);
}
