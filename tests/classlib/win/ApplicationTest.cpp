// The application object, its message loop, the window-procedure layer, the
// timer and the hint window, run for real under Wine. Every loop runs under
// a watchdog that ends it and fails the test instead of hanging.
#include <gtest/gtest.h>

#include <memory>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/ui/Application.h"
#include "classlib/ui/HintWindow.h"
#include "classlib/ui/Timer.h"
#include "classlib/ui/WindowProcHook.h"
#include "classlib/ui/WndProc.h"
#include "UiTestSupport.h"
#include "../../support/MessageBoxes.h"

namespace {

constexpr UINT WM_TEST = WM_USER + 1;

// A window target that answers through Handler.
class TRecorder : public TObject, public TWindowTarget {
public:
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> Handler;

    LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        return Handler(wnd, msg, wParam, lParam);
    }
    void WindowDestroyed(HWND) override {}
};

// The test window, destroyed at the end of the scope.
using TWindow = std::unique_ptr<HWND__, BOOL(WINAPI*)(HWND)>;

TWindow CreateTestWindow(TWindowTarget* target)
{
    WNDCLASSEXA windowClass{};
    windowClass.lpszClassName = "TApplicationTestWindow";
    RegisterWindowClass(windowClass);
    return TWindow(CreateWindowExA(0, "TApplicationTestWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), target),
                   DestroyWindow);
}

using testsupport::TakeQuit;
using uitest::HandleThrown;

// Without the fixture's OnException: these tests see the application's own reports.
class ApplicationTest : public uitest::UiTest {
protected:
    void SetUp() override
    {
        Application->Initialize();
        SavedTitle = Application->Title();
        UiTest::SetUp();
        Application->OnException = nullptr;
    }
    void TearDown() override
    {
        Application->OnMessage = nullptr;
        Application->SetTitle(SavedTitle);
        UiTest::TearDown();
    }

    // Runs the application loop; false when the watchdog had to end it.
    static bool RunGuarded()
    {
        uitest::TLoopWatchdog watchdog;
        Application->Run();
        return !watchdog.Fired();
    }

    testsupport::TBoxCapture Boxes;
    std::string SavedTitle;
};

TEST_F(ApplicationTest, HandleExceptionWithoutHandlerShowsMessageAndTerminates)
{
    Application->SetTitle("Aquarium");
    HandleThrown([] { throw EAbort(""); });
    EXPECT_TRUE(Boxes.empty());
    EXPECT_FALSE(TakeQuit()) << "EAbort is silent";

    HandleThrown([] { throw EReadError("Stream read error"); });
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Stream read error");
    EXPECT_EQ(Boxes[0].Caption, "Aquarium");
    EXPECT_EQ(Boxes[0].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(TakeQuit());

    // A failure raised while that box waits (a timer failing every tick) is
    // dropped, not stacked as a second box.
    Boxes.clear();
    Application->MessageBoxProc = [this](HWND owner, const std::string& text, const std::string& caption,
                                         UINT flags) {
        Boxes.push_back({owner, text, caption, flags});
        if (Boxes.size() == 1)
            HandleThrown([] { throw Exception("next tick"); });
        return IDOK;
    };
    HandleThrown([] { throw Exception("first tick"); });
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "first tick");
    HandleThrown([] { throw Exception("later"); });
    EXPECT_EQ(Boxes.size(), 2u) << "reports work again once the first is over";
    TakeQuit();
}

// An allocated window's method gets every message after its creation;
// ProcessMessages handles the queue without idling and HandleMessage runs
// the idle steps of modal loops.
TEST_F(ApplicationTest, AllocatedWindowsGetEveryMessageAndOnlyHandleMessageIdles)
{
    auto token = std::make_shared<int>(0);
    std::vector<UINT> seen;
    std::vector<WPARAM> params;
    HWND wnd = nullptr;
    wnd = AllocateHWnd([&seen, &params, &wnd, token](TMessage& message) {
        seen.push_back(message.Msg);
        if (message.Msg != WM_TEST)
            return CallDefWindowProc(wnd, message);
        params.push_back(message.WParam);
        message.Result = static_cast<LRESULT>(message.WParam * 2);
    });
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(seen.empty()) << "creation messages get the default processing";
    EXPECT_EQ(SendMessageA(wnd, WM_TEST, 21, 0), 42);
    SetWindowTextA(wnd, "util");  // left to CallDefWindowProc
    EXPECT_EQ(WindowText(wnd), "util");

    int idles = 0;
    Application->OnIdle = [&](TObject*, bool& done) { done = ++idles > 3; };
    for (WPARAM i = 1; i <= 3; ++i)
        PostMessageA(wnd, WM_TEST, i, 0);
    uitest::TLoopWatchdog watchdog;
    Application->ProcessMessages();
    EXPECT_EQ(params, (std::vector<WPARAM>{21, 1, 2, 3}));
    EXPECT_EQ(idles, 0);
    Application->HandleMessage();  // not done yet: no waiting
    EXPECT_EQ(idles, 1);

    const size_t before = seen.size();
    DeallocateHWnd(wnd);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(seen.size(), before) << "no message after DeallocateHWnd";
    EXPECT_EQ(token.use_count(), 1) << "the method is released with its window";
    DeallocateHWnd(nullptr);

    // A modal loop stops on Terminated, which stays set for the loop outside.
    Application->Terminate();
    while (!Application->Terminated())
        Application->HandleMessage();
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_TRUE(Application->Terminated());
}

// OnMessage sees each message before its window and may swallow it; a
// failure in a window, in OnMessage (its message is dropped) or in OnIdle is
// reported with its sender, and the loop goes on.
TEST_F(ApplicationTest, OnMessageSeesMessagesFirstAndFailuresInsideTheLoopAreReportedAndTheLoopGoesOn)
{
    std::vector<std::string> order;
    TRecorder recorder;
    recorder.Handler = [&](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_TEST) {
            order.push_back("window " + std::to_string(wParam));
            if (wParam == 1)
                throw Exception("window failed");
        }
        return DefaultWindowProc(wnd, msg, wParam, lParam);
    };
    const TWindow window = CreateTestWindow(&recorder);
    std::vector<std::string> reported;
    std::vector<TObject*> senders;
    Application->OnException = [&](TObject* sender, Exception& e) {
        reported.push_back(e.Message);
        senders.push_back(sender);
    };
    Application->OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message != WM_TEST)
            return;
        EXPECT_EQ(msg.hwnd, window.get());
        order.push_back("message " + std::to_string(msg.wParam));
        if (msg.wParam == 2)
            throw std::runtime_error("filter failed");
        handled = msg.wParam == 3;
    };
    int idles = 0;
    Application->OnIdle = [&](TObject*, bool&) {
        if (++idles == 1)
            throw EConvertError("idle failed");
        Application->Terminate();
    };
    for (WPARAM i = 1; i <= 4; ++i)
        PostMessageA(window.get(), WM_TEST, i, 0);
    EXPECT_TRUE(RunGuarded());
    EXPECT_EQ(order, (std::vector<std::string>{"message 1", "window 1", "message 2", "message 3", "message 4",
                                               "window 4"}));
    EXPECT_EQ(reported, (std::vector<std::string>{"window failed", "filter failed", "idle failed"}));
    EXPECT_EQ(senders, (std::vector<TObject*>{&recorder, Application, Application}));
    EXPECT_EQ(idles, 2);
    EXPECT_TRUE(Boxes.empty());

    // Run runs again; Terminate ends it after what was queued before.
    Application->OnIdle = nullptr;
    PostMessageA(window.get(), WM_TEST, 5, 0);
    Application->Terminate();
    EXPECT_TRUE(RunGuarded());
    EXPECT_EQ(order.back(), "window 5") << "messages queued before WM_QUIT are handled";
}

// A tick comes only when no other message waits, so a handler that outlasts
// its timer's interval finds the next tick due at once, every time: the loop
// still runs an idle step between two ticks, and idle steps that are never
// done leave the ticks their turn.
TEST_F(ApplicationTest, ATimerWhoseHandlerOutlastsItsIntervalDoesNotKeepTheIdleStepsAway)
{
    int ticks = 0;
    TTimer timer(nullptr);
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        Sleep(30);  // three intervals
    };
    timer.SetInterval(10);
    int idlesAfterATick = 0;
    Application->OnIdle = [&](TObject*, bool&) {  // done: the loop waits for the next message
        if (ticks > 0 && ++idlesAfterATick == 3)
            Application->Terminate();
    };
    EXPECT_TRUE(RunGuarded()) << "the ticks kept the idle step away";
    EXPECT_GE(idlesAfterATick, 3);

    const int ticksBefore = ticks;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        if (ticks >= ticksBefore + 3)
            Application->Terminate();
    };
    EXPECT_TRUE(RunGuarded()) << "the idle steps kept the ticks away";
}

// Application-window hooks see messages first, in order; true ends the
// processing; a hook may remove itself (or another) while it runs.
TEST_F(ApplicationTest, MainWindowHooksRunFirstAndComeOffInAnyOrder)
{
    const UINT probe = RegisterWindowMessageA("CorvalenHookProbe");
    std::vector<std::string> seen;
    int second = 0;
    const int first = Application->HookMainWindow([&](TMessage& m) {
        if (m.Msg == probe) {
            seen.push_back("first");
            Application->UnhookMainWindow(first);
            Application->UnhookMainWindow(second);
        }
        return false;
    });
    second = Application->HookMainWindow([&](TMessage& m) {
        if (m.Msg == probe)
            seen.push_back("second");
        return false;
    });
    const int third = Application->HookMainWindow([&](TMessage& m) {
        if (m.Msg != probe)
            return false;
        seen.push_back("third");
        m.Result = 42;
        return true;
    });
    EXPECT_EQ(SendMessageA(Application->Handle(), probe, 0, 0), 42);
    EXPECT_EQ(seen, (std::vector<std::string>{"first", "third"}));
    seen.clear();
    Application->UnhookMainWindow(third);
    EXPECT_EQ(SendMessageA(Application->Handle(), probe, 0, 0), 0);
    EXPECT_TRUE(seen.empty());
}

// WindowProc hooks removed out of order never put an old procedure back
// over a newer hook.
TEST(WindowProcHook, HooksComeOffInAnyOrder)
{
    std::string trail;
    std::function<void(TMessage&)> windowProc = [&](TMessage&) { trail += "base;"; };
    TWindowProcHook a, b;
    a.Install(windowProc, [&](TMessage&) { trail += "a;"; return false; });
    b.Install(windowProc, [&](TMessage& m) { trail += "b;"; return m.Msg == WM_CLOSE; });
    TMessage m{WM_NULL, 0, 0, 0};
    windowProc(m);
    EXPECT_EQ(trail, "b;a;base;");
    m.Msg = WM_CLOSE;
    trail.clear();
    windowProc(m);
    EXPECT_EQ(trail, "b;");

    a.Remove();  // not the head: b stays in front
    m.Msg = WM_NULL;
    trail.clear();
    windowProc(m);
    EXPECT_EQ(trail, "b;base;");
    b.Remove();
    trail.clear();
    windowProc(m);
    EXPECT_EQ(trail, "base;");
}

// The application's hint window follows ShowHint (HintWindowClass: the skin
// hint's tests); a hint past the screen's right edge ends at it, shown
// topmost without taking the activation.
TEST(HintWindow, MadeWithShowHintAndShownOnScreen)
{
    EXPECT_EQ(Application->HintWindow(), nullptr);
    Application->SetShowHint(true);
    THintWindow* hint = Application->HintWindow();
    ASSERT_NE(hint, nullptr);

    const int screenWidth = Screen->Width();
    hint->ActivateHint(RECT{screenWidth - 10, 40, screenWidth + 50, 70}, "Tip");
    const HWND wnd = hint->Handle();
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_NE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetForegroundWindow(), wnd);
    RECT bounds{};
    GetWindowRect(wnd, &bounds);
    EXPECT_EQ(bounds.right, screenWidth);
    EXPECT_EQ(bounds.right - bounds.left, 60);

    Application->SetShowHint(false);
    EXPECT_EQ(Application->HintWindow(), nullptr);
}

// The timer component: it fires from the message loop, stops at interval 0,
// never after it is freed, and survives an exception in its handler.
class TimerTest : public uitest::UiTest {};

// The first two ticks throw: each is reported with the timer as the sender,
// and the ticks go on.
TEST_F(TimerTest, FiresRepeatedlyThroughExceptionsStopsAtIntervalZeroAndNeverAfterItIsFreed)
{
    auto timer = std::make_unique<TTimer>(nullptr);
    TTimer* const sender = timer.get();
    int fired = 0;
    timer->OnTimer = [&](TObject* s) {
        EXPECT_EQ(s, sender);
        if (++fired <= 2)
            throw EConvertError("tick " + std::to_string(fired));
    };
    timer->SetInterval(10);
    EXPECT_TRUE(RunScenario([&] {
        EXPECT_TRUE(PumpUntil([&] { return fired >= 3; }));
        timer->SetInterval(0);
        const int stoppedAt = fired;
        EXPECT_FALSE(PumpUntil([&] { return fired > stoppedAt; }, std::chrono::milliseconds(150)));
        timer->SetInterval(1);
        EXPECT_TRUE(PumpUntil([&] { return fired > stoppedAt; }));
        Sleep(20);  // ticks are due when it goes
        timer.reset();
        const int freedAt = fired;
        EXPECT_FALSE(PumpUntil([&] { return fired > freedAt; }, std::chrono::milliseconds(80)));
    }));
    EXPECT_EQ(Errors, (std::vector<std::string>{"tick 1", "tick 2"}));
    EXPECT_EQ(ErrorSenders, (std::vector<TObject*>{sender, sender}));
}

}  // namespace
