// The application component under Wine: its hooks into the Application,
// the idle tick, exceptions and the frames per second. Idle ticks are driven
// one at a time with Application->Idle(); the one test that runs the real
// message loop does so in a child process under a watchdog, because a
// finished loop leaves the Application terminated for good.
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
#include "ApplicationProTestSupport.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"

using apptest::ApplicationProTest;
using apptest::CursorCount;
using apptest::TakeQuit;

// --- Application hooks -----------------------------------------------------------

TEST_F(ApplicationProTest, HooksTheTenApplicationEventsAndReleasesThemWhenItGoes)
{
    {
        TCustomApplicationPro app(nullptr);
        EXPECT_TRUE(Application->OnActivate && Application->OnDeactivate && Application->OnException &&
                    Application->OnIdle && Application->OnHint && Application->OnMessage &&
                    Application->OnMinimize && Application->OnRestore && Application->OnShowHint &&
                    Application->OnShortCut);
        EXPECT_FALSE(Application->OnHelp);

        // Each mirrors the Application's arguments into the like-named event.
        std::vector<TObject*> senders;
        app.OnActivate = [&](TObject* s) { senders.push_back(s); };
        app.OnRestore = [&](TObject* s) { senders.push_back(s); };
        Application->OnActivate(Application);
        Application->OnRestore(Application);
        EXPECT_EQ(senders, std::vector<TObject*>(2, Application));

        // OnMessage starts from "not handled".
        MSG msg{};
        msg.message = WM_USER + 7;
        bool handled = true;
        Application->OnMessage(msg, handled);
        EXPECT_FALSE(handled);
        app.OnMessage = [](MSG& m, bool& h) { h = m.message == WM_USER + 7; };
        Application->OnMessage(msg, handled);
        EXPECT_TRUE(handled);

        // AppHelp answers through OnHelp, false without it.
        bool callHelp = true;
        EXPECT_FALSE(app.AppHelp(3, 0, callHelp));
        app.OnHelp = [](WORD command, intptr_t data, bool& call) {
            call = false;
            return command == 3 && data == 9;
        };
        EXPECT_TRUE(app.AppHelp(3, 9, callHelp));
        EXPECT_FALSE(callHelp);
    }
    EXPECT_FALSE(Application->OnActivate || Application->OnDeactivate || Application->OnException ||
                 Application->OnIdle || Application->OnHint || Application->OnMessage ||
                 Application->OnMinimize || Application->OnRestore || Application->OnShowHint ||
                 Application->OnShortCut);
}

TEST_F(ApplicationProTest, AComponentThatGoesLeavesTheHooksOfAnotherInPlace)
{
    auto first = std::make_unique<TCustomApplicationPro>(nullptr);
    TCustomApplicationPro second(nullptr);  // hooked last: the events lead here
    int secondStarts = 0;
    second.OnStart = [&](TObject*) { ++secondStarts; };
    first.reset();
    ASSERT_TRUE(Application->OnIdle);
    EXPECT_FALSE(Application->Idle());
    EXPECT_EQ(secondStarts, 1);
}

// --- Idle tick -----------------------------------------------------------------

TEST_F(ApplicationProTest, TheFirstIdleTickStartsOnceAndEveryTickAsksForMore)
{
    TCustomApplicationPro app(nullptr);
    int starts = 0, idles = 0;
    bool idleHeldDuringStart = false, idleHeldDuringOnIdle = false;
    app.OnStart = [&](TObject* sender) {
        starts += sender == &app ? 1 : 100;
        idleHeldDuringStart = !Application->OnIdle;
    };
    app.OnIdle = [&](TObject* sender, bool& done) {
        EXPECT_EQ(sender, Application);
        EXPECT_TRUE(app.Started());
        ++idles;
        idleHeldDuringOnIdle = !Application->OnIdle;
        done = true;  // overruled: the loop must come back at once
    };
    EXPECT_FALSE(app.Started());
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(Application->Idle()) << "tick " << i;
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(idles, 10);
    EXPECT_TRUE(app.Started());
    EXPECT_TRUE(idleHeldDuringStart);
    EXPECT_TRUE(idleHeldDuringOnIdle);
    EXPECT_TRUE(Application->OnIdle);

    // Stop raises OnStop once; the next tick starts again.
    int stops = 0;
    app.OnStop = [&](TObject* sender) { stops += sender == &app ? 1 : 100; };
    app.Stop();
    app.Stop();
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(app.Started());
    EXPECT_FALSE(Application->Idle());
    EXPECT_EQ(starts, 2);
}

TEST_F(ApplicationProTest, AFailingStartIsReportedAndTriedAgainOnTheNextTick)
{
    TCustomApplicationPro app(nullptr);
    int starts = 0;
    app.OnStart = [&](TObject*) {
        if (++starts == 1)
            throw Exception("start failed");
    };
    std::vector<std::string> errors;
    bool idleHeld = false, cursorShown = false;
    app.OnException = [&](TObject*, Exception& e) {
        errors.push_back(e.Message);
        idleHeld = !Application->OnIdle;
        cursorShown = CursorCount() >= 0;
    };
    app.SetCursorHidden(true);
    Application->Idle();
    EXPECT_EQ(errors, std::vector<std::string>{"start failed"});
    EXPECT_TRUE(idleHeld);
    EXPECT_TRUE(cursorShown);
    EXPECT_FALSE(app.CursorHidden());
    EXPECT_TRUE(Application->OnIdle);  // hooked again after the report
    EXPECT_FALSE(app.Started());
    EXPECT_FALSE(Application->Idle());
    EXPECT_EQ(starts, 2);
    EXPECT_TRUE(app.Started());
}

TEST_F(ApplicationProTest, AnUnhandledExceptionIsShownAndTerminates)
{
    TCustomApplicationPro app(nullptr);
    app.Title = "Exception Title";
    app.SingleInstance = false;
    app.Loaded();
    try {
        throw Exception("boom");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "boom");
    EXPECT_EQ(Boxes[0].Caption, "Exception Title");
    EXPECT_TRUE(Boxes[0].Flags & MB_ICONERROR);
    EXPECT_TRUE(TakeQuit());
    EXPECT_TRUE(Application->OnIdle);
}

// The real loop: idle ticks keep coming with no message to wake the loop,
// OnStart fires once, and the components going after the loop ended stop
// the program. Runs in a child process (Terminated cannot be cleared) and
// exits with 0 when all of that happened.
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
    const bool ranWell = !fired && starts == 1 && ticks == 50 && stops == 0 && app->Started();
    delete form;
    std::exit(ranWell && stops == 1 ? 0 : 1);
}

TEST(ApplicationProDeathTest, TheMessageLoopRunsTicksAndTheEndStopsTheProgram)
{
    EXPECT_EXIT(RunTheLoopAndFreeTheForm(), testing::ExitedWithCode(0), "");
}

// --- Frames per second -----------------------------------------------------------

// The rounding itself is the frame counter's; here: the idle tick feeds it
// from the stopwatch and OnFPSChanged reports changes only.
TEST_F(ApplicationProTest, FramesPerSecondFollowTheStopwatchAndReportChangesOnly)
{
    TCustomGraphicApplicationPro app(nullptr);
    uint32_t now = 5000;
    app.TickSource = [&now] { return now; };
    EXPECT_EQ(app.GetFPS(), 1);

    int starts = 0;
    std::vector<int> reported;
    app.OnStart = [&](TObject*) { ++starts; };
    app.OnFPSChanged = [&](TObject* sender) { reported.push_back(sender == &app ? app.GetFPS() : -1); };
    const auto ticks = [&](std::initializer_list<uint32_t> times) {
        for (uint32_t at : times) {
            now = at;
            EXPECT_FALSE(Application->Idle());
        }
    };

    ticks({5000});  // starts the stopwatch
    EXPECT_TRUE(app.Timer().Running());
    ticks({5100, 5200, 5300});
    EXPECT_TRUE(reported.empty());
    ticks({7000});  // 5 frames by 2 s: 2.5 -> 2
    EXPECT_EQ(reported, std::vector<int>{2});
    ticks({7100, 7200, 7300, 7400, 7500, 7600, 9000});  // 7 by 2 s more: 3.5 -> 4
    EXPECT_EQ(reported, (std::vector<int>{2, 4}));
    ticks({9250, 9500, 9750, 10000});  // 4 in 1 s: unchanged, no event
    EXPECT_EQ(reported, (std::vector<int>{2, 4}));
    EXPECT_EQ(starts, 1);

    // Without a handler the rate is still kept.
    app.OnFPSChanged = nullptr;
    ticks({10500, 11000});
    EXPECT_EQ(app.GetFPS(), 2);
}
