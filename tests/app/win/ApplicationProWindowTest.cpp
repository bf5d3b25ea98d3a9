// The application component's windows and files under Wine: the hidden
// "AppEvents" window, the single-instance guard, the log and the cursor.
#include "app/ApplicationPro.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ApplicationProTestSupport.h"
#include "app/core/BlockLog.h"
#include "classlib/core/SysUtils.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"

using apptest::ApplicationProTest;
using apptest::CursorCount;
using apptest::ModulePath;
using apptest::TakeQuit;
using apptest::TestBaseName;

namespace {

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

HWND EventsWindow()
{
    const std::vector<HWND> windows = EventsWindows();
    return windows.empty() ? nullptr : windows.front();
}

// The whole file, read while the log holds it open for writing.
std::string ReadShared(const std::string& name)
{
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(cannot open)";
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        content.append(buffer, read);
    CloseHandle(file);
    return content;
}

}  // namespace

TEST_F(ApplicationProTest, HiddenWindowIsSharedAndAnswersPowerBroadcasts)
{
    auto owner = std::make_unique<TCustomApplicationPro>(nullptr);
    TCustomApplicationPro later(nullptr);
    ASSERT_EQ(EventsWindows().size(), 1u);
    const HWND wnd = EventsWindow();
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
    EXPECT_EQ(EventsWindow(), nullptr);
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
    EXPECT_EQ(Application->Title(), "Test Title");
    EXPECT_EQ(first->LogFileName(), ExtractFilePath(ModulePath()) + TestBaseName() + ".log");

    auto secondForm = std::make_unique<TForm>(nullptr);
    secondForm->OnShow = [](TObject*) {};
    secondForm->SetVisible(true);
    auto* second = new TCustomApplicationPro(secondForm.get());
    second->Loaded();
    EXPECT_TRUE(TakeQuit());
    EXPECT_FALSE(Application->ShowMainForm);
    EXPECT_FALSE(secondForm->OnShow);
    EXPECT_FALSE(IsWindowVisible(secondForm->Handle()));

    // Both handles are closed with their components: the semaphore is gone.
    secondForm.reset();
    firstForm.reset();
    EXPECT_EQ(OpenSemaphoreA(SYNCHRONIZE, FALSE, semaphoreName.c_str()), nullptr);
}

// The block layout itself is the native test's; here the file is written.
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
    const std::string content = ReadShared(name);
    EXPECT_EQ(content.size(), static_cast<size_t>(LogBlockSize));
    EXPECT_EQ(content.substr(0, 12), "first line\r\n");
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
