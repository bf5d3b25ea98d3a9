// The application object, its message loop and the window-procedure layer,
// run for real under Wine. Every loop runs under a watchdog that ends it and
// fails the test instead of hanging.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "classlib/ui/Application.h"
#include "classlib/ui/WndProc.h"
#include "UiTestSupport.h"

namespace {

constexpr UINT WM_TEST = WM_USER + 1;

using TWatchdog = uitest::TLoopWatchdog;

// A window target that records its messages and answers through Handler.
class TRecorder : public TObject, public TWindowTarget {
public:
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> Handler;
    std::vector<UINT> Messages;
    std::vector<WPARAM> TestParams;  // wParam of each WM_TEST
    int Destroyed = 0;

    LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        Messages.push_back(msg);
        if (msg == WM_TEST)
            TestParams.push_back(wParam);
        if (Handler)
            return Handler(wnd, msg, wParam, lParam);
        return DefaultWindowProc(wnd, msg, wParam, lParam);
    }
    void WindowDestroyed(HWND) override { ++Destroyed; }

    bool Saw(UINT msg) const { return std::find(Messages.begin(), Messages.end(), msg) != Messages.end(); }
};

// Destroys its window, when still there, at the end of the scope.
struct TWindow {
    explicit TWindow(HWND wnd) : Wnd(wnd) {}
    ~TWindow()
    {
        if (IsWindow(Wnd))
            DestroyWindow(Wnd);
    }
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;
    HWND Get() const { return Wnd; }
    HWND Wnd;
};

HWND CreateTestWindow(TWindowTarget* target)
{
    WNDCLASSEXA windowClass{};
    windowClass.lpszClassName = "TApplicationTestWindow";
    RegisterWindowClass(windowClass);
    return CreateWindowExA(0, "TApplicationTestWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), target);
}

void DrainQueue()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

bool TakeQuit()
{
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

struct TBoxCall {
    HWND Owner;
    std::string Text;
    std::string Caption;
    UINT Flags;
};

struct THelpCall {
    HWND Owner;
    std::string File;
    UINT Command;
    ULONG_PTR Data;
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        SavedTitle = Application->Title();
        DrainQueue();
        Application->MessageBoxProc = [this](HWND owner, const std::string& text, const std::string& caption,
                                             UINT flags) {
            Boxes.push_back({owner, text, caption, flags});
            return IDOK;
        };
        Application->WinHelpProc = [this](HWND owner, const std::string& file, UINT command, ULONG_PTR data) {
            HelpCalls.push_back({owner, file, command, data});
            return true;
        };
    }
    void TearDown() override
    {
        TApplication& app = *Application;
        app.OnActivate = app.OnDeactivate = app.OnHint = app.OnMinimize = app.OnRestore = nullptr;
        app.OnException = nullptr;
        app.OnIdle = nullptr;
        app.OnMessage = nullptr;
        app.OnShortCut = nullptr;
        app.OnHelp = nullptr;
        app.MessageBoxProc = nullptr;
        app.WinHelpProc = nullptr;
        app.FormHooks = {};
        app.SetMainForm(nullptr);
        app.ShowMainForm = true;
        app.SetHelpFile("");
        app.SetTitle(SavedTitle);
        DrainQueue();
    }

    // Runs the application loop; false when the watchdog had to end it.
    static bool RunGuarded()
    {
        TWatchdog watchdog;
        Application->Run();
        return !watchdog.Fired();
    }

    std::vector<TBoxCall> Boxes;
    std::vector<THelpCall> HelpCalls;
    std::string SavedTitle;
};

TEST_F(ApplicationTest, TargetPassedAtCreationGetsMessagesUntilDestroyed)
{
    TRecorder recorder;
    recorder.Handler = [](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return msg == WM_TEST ? static_cast<LRESULT>(wParam + lParam) : DefaultWindowProc(wnd, msg, wParam, lParam);
    };
    HWND wnd = CreateTestWindow(&recorder);
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(recorder.Saw(WM_NCCREATE) && recorder.Saw(WM_CREATE));
    EXPECT_EQ(WindowTargetOf(wnd), &recorder);
    EXPECT_EQ(SendMessageA(wnd, WM_TEST, 40, 2), 42);

    // Default processing reached through DefaultWindowProc.
    SetWindowTextA(wnd, "caption");
    char text[32] = {};
    GetWindowTextA(wnd, text, sizeof(text));
    EXPECT_STREQ(text, "caption");

    DestroyWindow(wnd);
    EXPECT_EQ(recorder.Messages.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(recorder.Destroyed, 1);
}

TEST_F(ApplicationTest, AttachToOwnAndForeignWindows)
{
    TWindow own(CreateTestWindow(nullptr));
    ASSERT_NE(own.Get(), nullptr);
    EXPECT_EQ(WindowTargetOf(own.Get()), nullptr);
    TRecorder ownRecorder;
    AttachWindowTarget(own.Get(), &ownRecorder);
    SendMessageA(own.Get(), WM_TEST, 1, 0);
    EXPECT_EQ(ownRecorder.TestParams, std::vector<WPARAM>{1});

    // A STATIC control is subclassed; its own procedure still answers.
    TWindow control(CreateWindowExA(0, "STATIC", "static text", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr));
    ASSERT_NE(control.Get(), nullptr);
    const LONG_PTR ownProc = GetWindowLongPtrA(control.Get(), GWLP_WNDPROC);
    TRecorder recorder;
    AttachWindowTarget(control.Get(), &recorder);
    char text[32] = {};
    GetWindowTextA(control.Get(), text, sizeof(text));
    EXPECT_STREQ(text, "static text");
    EXPECT_TRUE(recorder.Saw(WM_GETTEXT));

    DetachWindowTarget(control.Get());
    EXPECT_EQ(GetWindowLongPtrA(control.Get(), GWLP_WNDPROC), ownProc);
    recorder.Messages.clear();
    SendMessageA(control.Get(), WM_TEST, 0, 0);
    EXPECT_TRUE(recorder.Messages.empty());
}

TEST_F(ApplicationTest, AllocateHWndSendsEveryMessageToTheMethod)
{
    auto token = std::make_shared<int>(0);
    std::vector<UINT> seen;
    HWND wnd = nullptr;
    wnd = AllocateHWnd([&seen, &wnd, token](TMessage& message) {
        seen.push_back(message.Msg);
        if (message.Msg == WM_TEST)
            message.Result = static_cast<LRESULT>(message.WParam * 2);
        else
            CallDefWindowProc(wnd, message);
    });
    ASSERT_NE(wnd, nullptr);
    char className[32] = {};
    GetClassNameA(wnd, className, sizeof(className));
    EXPECT_STREQ(className, "TPUtilWindow");
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(GetAncestor(wnd, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(seen.empty()) << "creation messages get the default processing";

    EXPECT_EQ(SendMessageA(wnd, WM_TEST, 21, 0), 42);
    SetWindowTextA(wnd, "util");  // left to CallDefWindowProc
    char text[16] = {};
    GetWindowTextA(wnd, text, sizeof(text));
    EXPECT_STREQ(text, "util");

    PostMessageA(wnd, WM_TEST, 5, 0);
    Application->ProcessMessages();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_TEST), 2);

    const size_t before = seen.size();
    DeallocateHWnd(wnd);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(seen.size(), before) << "no message after DeallocateHWnd";
    EXPECT_EQ(token.use_count(), 1) << "the method is released with its window";
    DeallocateHWnd(nullptr);

    // Destroyed directly, the window releases its method too.
    bool sawDestroy = false;
    wnd = AllocateHWnd([&sawDestroy, token](TMessage& message) { sawDestroy |= message.Msg == WM_DESTROY; });
    DestroyWindow(wnd);
    EXPECT_TRUE(sawDestroy);
    EXPECT_EQ(token.use_count(), 1);
}

TEST_F(ApplicationTest, ApplicationWindowIsHiddenZeroSizedAndCarriesTitle)
{
    HWND wnd = Application->Handle();
    Application->Initialize();
    EXPECT_EQ(Application->Handle(), wnd);
    char className[32] = {};
    GetClassNameA(wnd, className, sizeof(className));
    EXPECT_STREQ(className, "TApplication");
    EXPECT_FALSE(IsWindowVisible(wnd));
    const LONG expected = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & expected, expected);
    RECT rect;
    GetWindowRect(wnd, &rect);
    EXPECT_TRUE(rect.right == rect.left && rect.bottom == rect.top) << "zero-sized";

    EXPECT_EQ(Application->Title(), "classlib_win_tests");
    Application->SetTitle("Aquarium");
    char text[32] = {};
    GetWindowTextA(wnd, text, sizeof(text));
    EXPECT_STREQ(text, "Aquarium");
}

// Pumps the queue until `done` holds or two seconds have passed.
template <typename Condition>
bool PumpUntil(Condition done)
{
    for (int i = 0; i < 400 && !done(); ++i) {
        Application->ProcessMessages();
        Sleep(5);
    }
    return done();
}

TEST_F(ApplicationTest, ActivationOfTheApplicationFiresEvents)
{
    std::vector<std::string> events;
    Application->OnActivate = [&](TObject* sender) { events.push_back(sender == Application ? "activate" : "?"); };
    Application->OnDeactivate = [&](TObject*) { events.push_back("deactivate"); };
    TWindow own(CreateWindowExA(0, "STATIC", "own", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr));
    SetForegroundWindow(own.Get());
    Application->ProcessMessages();
    events.clear();

    // A window of another thread takes the foreground, then gives it back.
    std::atomic<bool> finish{false};
    std::thread other([&finish] {
        HWND wnd = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 100, 0, 50, 50, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(wnd);
        MSG msg;
        while (!finish) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(5);
        }
        DestroyWindow(wnd);
    });
    const bool deactivated = PumpUntil([&] { return !events.empty(); });
    SetForegroundWindow(own.Get());
    const bool activated = PumpUntil([&] { return events.size() >= 2; });
    finish = true;
    other.join();
    EXPECT_TRUE(deactivated && activated);
    EXPECT_EQ(events, (std::vector<std::string>{"deactivate", "activate"}));
}

TEST_F(ApplicationTest, MinimizeRestoreAndHintFireOncePerChange)
{
    int minimized = 0;
    int restored = 0;
    Application->OnMinimize = [&](TObject*) { ++minimized; };
    Application->OnRestore = [&](TObject*) { ++restored; };
    HWND wnd = Application->Handle();
    Application->Minimize();
    EXPECT_TRUE(IsIconic(wnd));
    Application->Minimize();
    EXPECT_EQ(minimized, 1);

    SendMessageA(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);  // the taskbar's way
    EXPECT_FALSE(IsIconic(wnd));
    Application->Restore();
    EXPECT_EQ(restored, 1);
    ShowWindow(wnd, SW_HIDE);

    int hints = 0;
    Application->OnHint = [&](TObject*) { ++hints; };
    Application->SetHint("Fish");
    Application->SetHint("Fish");
    Application->SetHint("");
    EXPECT_EQ(hints, 2) << "OnHint fires once per change too";
}

TEST_F(ApplicationTest, MessageBoxIsOwnedByTheMainFormOrTheApplicationWindow)
{
    Application->SetTitle("Aquarium");
    EXPECT_EQ(Application->MessageBox("text"), IDOK);
    Application->MessageBox("text", "Caption", MB_YESNO);
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[0].Owner, Application->Handle());
    EXPECT_EQ(Boxes[0].Caption + " " + std::to_string(Boxes[0].Flags), "Aquarium " + std::to_string(MB_OK));
    EXPECT_EQ(Boxes[1].Caption + " " + std::to_string(Boxes[1].Flags), "Caption " + std::to_string(MB_YESNO));

    TWindow formWindow(CreateTestWindow(nullptr));
    TForm* form = reinterpret_cast<TForm*>(&formWindow);  // opaque: only the hook looks at it
    Application->FormHooks.Handle = [&](TForm* f) { return f == form ? formWindow.Get() : nullptr; };
    Application->SetMainForm(form);
    EXPECT_EQ(Application->MainFormHandle(), formWindow.Get());
    Application->MessageBox("text");
    EXPECT_EQ(Boxes.back().Owner, formWindow.Get());
}

TEST_F(ApplicationTest, HelpCommandAsksOnHelpFirst)
{
    EXPECT_FALSE(Application->HelpCommand(HELP_CONTEXT, 7)) << "no help file";
    EXPECT_TRUE(HelpCalls.empty());

    Application->SetHelpFile("Aquarium.hlp");
    EXPECT_TRUE(Application->HelpCommand(HELP_CONTEXT, 7));
    ASSERT_EQ(HelpCalls.size(), 1u);
    EXPECT_EQ(HelpCalls[0].Owner, Application->Handle());
    EXPECT_EQ(HelpCalls[0].File, "Aquarium.hlp");
    EXPECT_EQ(HelpCalls[0].Command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(HelpCalls[0].Data, 7u);

    std::pair<WORD, intptr_t> asked;
    Application->OnHelp = [&](WORD c, intptr_t d, bool& callHelp) {
        asked = {c, d};
        callHelp = false;
        return true;
    };
    EXPECT_TRUE(Application->HelpCommand(HELP_FINDER, 3));
    EXPECT_EQ(asked, (std::pair<WORD, intptr_t>(HELP_FINDER, 3)));
    EXPECT_EQ(HelpCalls.size(), 1u) << "OnHelp suppressed the help system";
}

template <typename Throw>
void HandleThrown(Throw thrower, TObject* sender)
{
    try {
        thrower();
    } catch (...) {
        Application->HandleException(sender);
    }
}

TEST_F(ApplicationTest, HandleExceptionGivesOnExceptionAnException)
{
    TObject sender;
    std::vector<std::string> messages;
    Application->OnException = [&](TObject* s, Exception& e) {
        EXPECT_EQ(s, &sender);
        messages.push_back(e.Message);
    };
    HandleThrown([] { throw EListError("List index out of bounds (3)"); }, &sender);
    HandleThrown([] { throw std::runtime_error("boom"); }, &sender);
    HandleThrown([] { throw EAbort("quiet"); }, &sender);
    HandleThrown([] { throw 42; }, &sender);
    EXPECT_EQ(messages, (std::vector<std::string>{"List index out of bounds (3)", "boom", "Unknown exception"}));
    EXPECT_TRUE(Boxes.empty());
    EXPECT_FALSE(TakeQuit());

    Application->OnException = [](TObject*, Exception&) { throw std::logic_error("handler fails"); };
    EXPECT_NO_THROW(HandleThrown([] { throw Exception("x"); }, nullptr));
    EXPECT_NO_THROW(Application->HandleException(nullptr)) << "outside a catch block";
}

TEST_F(ApplicationTest, HandleExceptionWithoutHandlerShowsMessageAndTerminates)
{
    Application->SetTitle("Aquarium");
    HandleThrown([] { throw EAbort(""); }, nullptr);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_FALSE(TakeQuit()) << "EAbort is silent";

    HandleThrown([] { throw EReadError("Stream read error"); }, nullptr);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Stream read error");
    EXPECT_EQ(Boxes[0].Caption, "Aquarium");
    EXPECT_EQ(Boxes[0].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(TakeQuit());

    EAbort abort("quiet");
    Application->ShowException(abort);
    EXPECT_EQ(Boxes.size(), 1u);
}

TEST_F(ApplicationTest, TerminateEndsRunWhichRunsAgainAndShowsTheMainFormUnlessTold)
{
    TRecorder recorder;
    TWindow window(CreateTestWindow(&recorder));
    PostMessageA(window.Get(), WM_TEST, 1, 0);
    Application->Terminate();
    EXPECT_TRUE(RunGuarded());
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(recorder.TestParams, std::vector<WPARAM>{1}) << "messages queued before WM_QUIT are handled";

    int shown = 0;
    TForm* form = reinterpret_cast<TForm*>(&shown);  // opaque: only the hook looks at it
    Application->FormHooks.Show = [&](TForm* f) { shown += f == form ? 1 : 100; };
    for (const bool hasMainForm : {false, true, true}) {
        Application->SetMainForm(hasMainForm ? form : nullptr);
        Application->ShowMainForm = shown == 0;
        Application->Terminate();
        EXPECT_TRUE(RunGuarded());
        EXPECT_EQ(shown, hasMainForm ? 1 : 0) << "shown only as a main form, and not when told";
    }
}

TEST_F(ApplicationTest, OnMessageAndOnShortCutSeeMessagesFirstAndCanSwallowThem)
{
    std::vector<std::string> order;
    TRecorder recorder;
    recorder.Handler = [&](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_TEST)
            order.push_back("window " + std::to_string(wParam));
        return DefaultWindowProc(wnd, msg, wParam, lParam);
    };
    TWindow window(CreateTestWindow(&recorder));
    Application->OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message != WM_TEST)
            return;
        EXPECT_EQ(msg.hwnd, window.Get());
        order.push_back("message " + std::to_string(msg.wParam));
        handled = msg.wParam == 1;
    };
    PostMessageA(window.Get(), WM_TEST, 1, 0);
    PostMessageA(window.Get(), WM_TEST, 2, 0);
    Application->Terminate();
    EXPECT_TRUE(RunGuarded());
    EXPECT_EQ(order, (std::vector<std::string>{"message 1", "message 2", "window 2"}));

    // OnShortCut claims keys before the window the same way.
    Application->OnMessage = nullptr;
    std::vector<WORD> offered;
    Application->OnShortCut = [&](TWMKey& key, bool& handled) {
        offered.push_back(key.CharCode);
        handled = key.CharCode == VK_F1;
    };
    PostMessageA(window.Get(), WM_KEYDOWN, VK_F1, 1);
    PostMessageA(window.Get(), WM_KEYDOWN, VK_F2, 1);
    Application->ProcessMessages();
    EXPECT_EQ(offered, (std::vector<WORD>{VK_F1, VK_F2}));
    EXPECT_EQ(std::count(recorder.Messages.begin(), recorder.Messages.end(), WM_KEYDOWN), 1);
}


TEST_F(ApplicationTest, OnIdleRunsAgainAtOnceWhileNotDone)
{
    int idles = 0;
    Application->OnIdle = [&](TObject* sender, bool& done) {
        EXPECT_EQ(sender, Application);
        EXPECT_TRUE(done) << "Done starts true";
        if (++idles == 50)
            Application->Terminate();  // the loop then waits: WM_QUIT must wake it
        else
            done = false;
    };
    EXPECT_TRUE(RunGuarded());
    EXPECT_EQ(idles, 50);
}

TEST_F(ApplicationTest, DoneIdleWaitsForTheNextMessage)
{
    TRecorder recorder;
    TWindow window(CreateTestWindow(&recorder));
    std::atomic<int> idles{0};
    Application->OnIdle = [&](TObject*, bool&) { ++idles; };
    const DWORD threadId = GetCurrentThreadId();
    int idlesBeforeMessage = 0;
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        idlesBeforeMessage = idles;
        PostMessageA(window.Get(), WM_TEST, 1, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    });
    const bool ended = RunGuarded();
    poster.join();
    EXPECT_TRUE(ended);
    EXPECT_EQ(recorder.TestParams, std::vector<WPARAM>{1});
    EXPECT_GE(idlesBeforeMessage, 1);
    EXPECT_LE(idlesBeforeMessage, 10) << "a done idle step must wait, not spin";
    EXPECT_GT(idles, idlesBeforeMessage) << "the message woke the loop and idling resumed";
    EXPECT_LE(idles, 20);
}

TEST_F(ApplicationTest, ProcessMessagesNeverIdlesAndHandleMessageRunsIdleStepsForModalLoops)
{
    TRecorder recorder;
    TWindow window(CreateTestWindow(&recorder));
    int idles = 0;
    Application->OnIdle = [&](TObject*, bool& done) { done = ++idles > 3; };
    for (WPARAM i = 1; i <= 3; ++i)
        PostMessageA(window.Get(), WM_TEST, i, 0);
    TWatchdog watchdog;
    Application->ProcessMessages();
    EXPECT_EQ(recorder.TestParams, (std::vector<WPARAM>{1, 2, 3}));
    EXPECT_EQ(idles, 0);
    for (int i = 0; i < 3; ++i)
        Application->HandleMessage();  // not done yet: no waiting
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_EQ(idles, 3);
    EXPECT_TRUE(Application->Idle());
    EXPECT_EQ(idles, 4);

    // A modal loop stops on Terminated, which stays set for the loop outside.
    Application->Terminate();
    while (!Application->Terminated())
        Application->HandleMessage();
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(ApplicationTest, ExceptionsInsideTheLoopAreReportedAndTheLoopGoesOn)
{
    TRecorder recorder;
    recorder.Handler = [](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_TEST && wParam == 1)
            throw Exception("window failed");
        return DefaultWindowProc(wnd, msg, wParam, lParam);
    };
    TWindow window(CreateTestWindow(&recorder));
    std::vector<std::string> reported;
    std::vector<TObject*> senders;
    Application->OnException = [&](TObject* sender, Exception& e) {
        reported.push_back(e.Message);
        senders.push_back(sender);
    };
    Application->OnMessage = [](MSG& msg, bool&) {
        if (msg.message == WM_TEST && msg.wParam == 2)
            throw std::runtime_error("filter failed");
    };
    int idles = 0;
    Application->OnIdle = [&](TObject*, bool&) {
        if (++idles == 1)
            throw EConvertError("idle failed");
        Application->Terminate();
    };
    PostMessageA(window.Get(), WM_TEST, 1, 0);
    PostMessageA(window.Get(), WM_TEST, 2, 0);
    PostMessageA(window.Get(), WM_TEST, 3, 0);
    EXPECT_TRUE(RunGuarded());
    EXPECT_EQ(reported, (std::vector<std::string>{"window failed", "filter failed", "idle failed"}));
    EXPECT_EQ(senders, (std::vector<TObject*>{&recorder, Application, Application}));
    EXPECT_EQ(recorder.TestParams, (std::vector<WPARAM>{1, 3})) << "a failing filter drops its message";
    EXPECT_EQ(idles, 2);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(ApplicationTest, UnhandledExceptionInTheLoopShowsTheMessageAndEndsRun)
{
    TRecorder recorder;
    recorder.Handler = [](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_TEST)
            throw EConvertError("'x' is not a valid integer value");
        return DefaultWindowProc(wnd, msg, wParam, lParam);
    };
    TWindow window(CreateTestWindow(&recorder));
    Application->SetTitle("Aquarium");
    PostMessageA(window.Get(), WM_TEST, 0, 0);
    EXPECT_TRUE(RunGuarded()) << "the failure itself must end Run";
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "'x' is not a valid integer value");
    EXPECT_EQ(Boxes[0].Caption, "Aquarium");
}

}  // namespace
