// The application component under Wine. Idle ticks are driven one at a time
// with Application->Idle(); the real message loop runs in a child process,
// because a finished loop leaves the Application terminated.
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
    EXPECT_TRUE(TakeQuit());
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
