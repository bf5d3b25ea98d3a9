// The application component under Wine: its hooks on the Application events,
// the idle tick, error reports, the hidden "AppEvents" window, the
// single-instance guard, the log and the cursor. Idle ticks are driven one at
// a time with Application->Idle(); the real message loop runs in a child
// process, because a finished loop leaves the Application terminated.
#include "app/ApplicationPro.h"
#include "app/GraphicApplicationPro.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "../../classlib/win/UiTestSupport.h"
#include "../../support/MessageBoxes.h"
#include "app/core/ApplicationProRules.h"
#include "app/core/BlockLog.h"
#include "classlib/core/SysUtils.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"

namespace {

using testsupport::TakeQuit;

std::string ModulePath()
{
    char path[MAX_PATH] = {};
    return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

std::string TestBaseName() { return ExeBaseName(ModulePath()); }

// The cursor's display counter, read without changing it.
int CursorCount()
{
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

class ApplicationProTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FTitle = Application->Title();
        while (TakeQuit()) {
        }
    }

    void TearDown() override
    {
        Application->WinHelpProc = nullptr;
        Application->SetHelpFile("");
        Application->SetMainForm(nullptr);
        Application->ShowMainForm = true;
        Application->SetTitle(FTitle);
        while (TakeQuit()) {
        }
        while (CursorCount() < 0)
            ShowCursor(TRUE);
    }

    testsupport::TBoxCapture Boxes;

private:
    std::string FTitle;
};

// The "AppEvents" windows of this thread only (not of tests running beside).
std::vector<HWND> EventsWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND wnd, LPARAM data) -> BOOL {
            char name[32] = {};
            GetClassNameA(wnd, name, sizeof(name));
            if (std::string(name) == "AppEvents")
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

TEST_F(ApplicationProTest, HooksTheApplicationEventsAndReleasesOnlyItsOwn)
{
    auto first = std::make_unique<TCustomApplicationPro>(nullptr);
    {
        TCustomApplicationPro app(nullptr);  // hooked last: the events lead here
        std::vector<TObject*> senders;
        app.OnActivate = [&](TObject* s) { senders.push_back(s); };
        Application->OnActivate(Application);
        EXPECT_EQ(senders, std::vector<TObject*>{Application});
        first.reset();
        int starts = 0;
        app.OnStart = [&](TObject*) { ++starts; };
        EXPECT_FALSE(Application->Idle());
        EXPECT_EQ(starts, 1);
    }
    EXPECT_FALSE(Application->OnActivate || Application->OnIdle || Application->OnMessage);
}

TEST_F(ApplicationProTest, TheIdleTickStartsOnceAndAFailingStartIsReportedAndRetried)
{
    TCustomApplicationPro app(nullptr);
    int starts = 0, idles = 0, stops = 0;
    app.OnStart = [&](TObject*) {
        if (++starts == 1)
            throw Exception("start failed");
    };
    app.OnIdle = [&](TObject*, bool& done) {
        ++idles;
        done = true;  // overruled: the loop must come back at once
    };
    app.OnStop = [&](TObject*) { ++stops; };
    std::string error;
    app.OnException = [&](TObject*, Exception& e) { error = e.Message + (CursorCount() >= 0 ? ", cursor shown" : ""); };
    app.SetCursorHidden(true);
    Application->Idle();
    EXPECT_EQ(error, "start failed, cursor shown");
    EXPECT_FALSE(app.Started());
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(Application->Idle());
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(idles, 5);

    app.Stop();
    app.Stop();
    EXPECT_EQ(stops, 1);
    Application->Idle();
    EXPECT_EQ(starts, 3);

    // A failing OnException does not leave the idle ticks unhooked.
    app.OnException = [&](TObject*, Exception&) { throw Exception("handler failed too"); };
    app.OnIdle = [&](TObject*, bool&) { throw Exception("tick failed"); };
    Application->Idle();
    app.OnIdle = [&](TObject*, bool&) { ++idles; };
    idles = 0;
    Application->Idle();
    EXPECT_EQ(idles, 1);
}

// The real loop under a watchdog: idle ticks keep coming with no message,
// and freeing the form after the loop stops the program. Exits 0 when so.
[[noreturn]] static void RunTheLoopAndFreeTheForm()
{
    int starts = 0, ticks = 0, stops = 0;
    auto* form = new TForm(nullptr);
    auto* app = new TCustomApplicationPro(form);
    new TComponent(form);  // freed first, while the application component remains
    app->SingleInstance = false;
    app->Loaded();
    app->OnStart = [&](TObject*) { ++starts; };
    app->OnStop = [&](TObject*) { ++stops; };
    app->OnIdle = [&](TObject*, bool&) {
        if (++ticks == 50)
            Application->Terminate();
    };
    bool fired;
    {
        uitest::TLoopWatchdog watchdog(std::chrono::seconds(5));
        Application->Run();
        fired = watchdog.Fired();
    }
    const bool ranWell = !fired && starts == 1 && ticks == 50 && stops == 0;
    delete form;
    std::exit(ranWell && stops == 1 ? 0 : 1);
}

TEST(ApplicationProDeathTest, TheMessageLoopRunsTicksAndTheEndStopsTheProgram)
{
    EXPECT_EXIT(RunTheLoopAndFreeTheForm(), testing::ExitedWithCode(0), "");
}

TEST_F(ApplicationProTest, FramesPerSecondFollowTheStopwatchAndReportChangesOnly)
{
    TCustomGraphicApplicationPro app(nullptr);
    uint32_t now = 5000;
    app.TickSource = [&now] { return now; };
    std::vector<int> reported;
    app.OnFPSChanged = [&](TObject*) { reported.push_back(app.GetFPS()); };
    for (uint32_t at : {5000u, 5100u, 5200u, 5300u, 7000u, 7500u, 8000u}) {
        now = at;
        EXPECT_FALSE(Application->Idle());
    }
    // 5 frames by 2 s: 2.5 -> 2; then 2 in 1 s: unchanged, no event.
    EXPECT_EQ(reported, std::vector<int>{2});
}

TEST_F(ApplicationProTest, HiddenWindowIsSharedAndAnswersPowerBroadcasts)
{
    auto owner = std::make_unique<TCustomApplicationPro>(nullptr);
    TCustomApplicationPro later(nullptr);
    ASSERT_EQ(EventsWindows().size(), 1u);
    const HWND wnd = EventsWindows().front();
    TCustomApplicationPro& app = *owner;
    int offs = 0, ons = 0;
    app.OnPowerOff = [&](TObject*) { ++offs; };
    app.OnPowerOn = [&](TObject*) { ++ons; };
    const LRESULT deny = 0x424D5144;
    EXPECT_EQ(SendMessageA(wnd, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0), deny);
    app.SuspendEnabled = true;
    EXPECT_NE(SendMessageA(wnd, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0), deny);
    SendMessageA(wnd, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    SendMessageA(wnd, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    EXPECT_EQ(offs, 1);
    EXPECT_EQ(ons, 1);

    // A failing handler is reported, never thrown through the window procedure.
    std::vector<std::string> errors;
    later.OnException = [&](TObject*, Exception& e) { errors.push_back(e.Message); };  // hooked last: reports land here
    app.OnPowerOff = [](TObject*) { throw Exception("power failure"); };
    SendMessageA(wnd, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_EQ(errors, std::vector<std::string>{"power failure"});
    EXPECT_EQ(SendMessageA(wnd, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(TakeQuit());

    // The window goes with the component that made it.
    owner.reset();
    EXPECT_TRUE(EventsWindows().empty());
}

TEST_F(ApplicationProTest, InitializeLearnsTheExecutableAndASecondCopyEndsQuietly)
{
    const std::string semaphoreName = TestBaseName() + "Semaphore";
    auto firstForm = std::make_unique<TForm>(nullptr);
    auto* first = new TCustomApplicationPro(firstForm.get());
    first->Title = "Test Title";
    first->Loaded();
    first->Loaded();  // initialised again, it does not find itself
    EXPECT_FALSE(TakeQuit());
    EXPECT_FALSE(first->TurnedAway());
    EXPECT_EQ(Application->Title(), "Test Title");
    // Without OnException a failure is shown under that title (and ends the
    // program: the GL application's test).
    uitest::HandleThrown([] { throw Exception("boom"); });
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Caption, "Test Title");
    TakeQuit();
    EXPECT_EQ(first->LogFileName(), ExtractFilePath(ModulePath()) + TestBaseName() + ".log");

    auto secondForm = std::make_unique<TForm>(nullptr);
    secondForm->OnShow = [](TObject*) {};
    secondForm->SetVisible(true);
    auto* second = new TCustomApplicationPro(secondForm.get());
    second->Loaded();
    EXPECT_TRUE(TakeQuit());
    EXPECT_TRUE(second->TurnedAway());
    EXPECT_FALSE(Application->ShowMainForm);
    EXPECT_FALSE(secondForm->OnShow);
    EXPECT_FALSE(IsWindowVisible(secondForm->Handle()));

    // Both handles are closed with their components: the semaphore is gone.
    secondForm.reset();
    firstForm.reset();
    EXPECT_EQ(OpenSemaphoreA(SYNCHRONIZE, FALSE, semaphoreName.c_str()), nullptr);
}

// The block layout is the native test's and the lines are read back by the
// GL application's Wine test; here only when the file is there, readable
// while it is written.
TEST_F(ApplicationProTest, TheLogFileHoldsTheLinesOnlyWhileLoggingIsOn)
{
    TCustomApplicationPro app(nullptr);
    app.SingleInstance = false;
    app.Loaded();
    const std::string name = app.LogFileName();
    DeleteFileA(name.c_str());
    app.Log("not logged");  // LogFile is off
    EXPECT_EQ(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);

    app.SetLogFile(true);
    app.Log("first line");
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "the log cannot be read while it is written";
    EXPECT_EQ(GetFileSize(file, nullptr), static_cast<DWORD>(LogBlockSize));
    CloseHandle(file);
    app.SetLogFile(false);  // closes the file
    EXPECT_TRUE(DeleteFileA(name.c_str()));
}

TEST_F(ApplicationProTest, TheCursorIsShownAgainOnceAndExitHidesTheMainFormAndTerminates)
{
    TCustomApplicationPro app(nullptr);
    for (int i = 0; i < 3; ++i)
        app.SetCursorHidden(true);
    EXPECT_LT(CursorCount(), 0);
    app.SetCursorHidden(false);  // once is enough
    EXPECT_GE(CursorCount(), 0);
    app.SetCursorHidden(true);
    app.ExitApplication();  // no main form: terminates and shows the cursor
    EXPECT_TRUE(TakeQuit());
    EXPECT_GE(CursorCount(), 0);

    TForm form(nullptr);
    Application->SetMainForm(&form);
    form.Show();
    app.ExitApplication();
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(TakeQuit());
    Application->SetMainForm(nullptr);
}
