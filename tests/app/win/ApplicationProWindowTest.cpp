// The application component's windows and files under Wine: the hidden
// "AppEvents" window and its power broadcasts, the executable's names, the
// single-instance guard, the log, the cursor, and the main-form helpers.
#include "app/ApplicationPro.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ApplicationProTestSupport.h"
#include "app/core/ApplicationProRules.h"
#include "app/core/BlockLog.h"
#include "classlib/core/SysUtils.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Screen.h"

using apptest::ApplicationProTest;
using apptest::CursorCount;
using apptest::ModulePath;
using apptest::TakeQuit;
using apptest::TestBaseName;

namespace {

// The "AppEvents" windows of this thread. (FindWindow would also find those
// of other programs on the desktop, such as tests running beside this one.)
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

bool FileExists(const std::string& name)
{
    return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The whole file, read while others may hold it open for writing.
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

bool AllZero(const std::string& bytes)
{
    return bytes.find_first_not_of('\0') == std::string::npos;
}

// The nine form events a second copy clears, all set.
void SetFormEvents(TForm& form)
{
    form.OnResize = [](TObject*) {};
    form.OnActivate = [](TObject*) {};
    form.OnClose = [](TObject*, TCloseAction&) {};
    form.OnCloseQuery = [](TObject*, bool&) {};
    form.OnDeactivate = [](TObject*) {};
    form.OnPaint = [](TObject*) {};
    form.OnShow = [](TObject*) {};
    form.OnCreate = [](TObject*) {};
    form.OnDestroy = [](TObject*) {};
}

int CountFormEvents(const TForm& form)
{
    return !!form.OnResize + !!form.OnActivate + !!form.OnClose + !!form.OnCloseQuery + !!form.OnDeactivate +
           !!form.OnPaint + !!form.OnShow + !!form.OnCreate + !!form.OnDestroy;
}

}  // namespace

// --- Hidden window -----------------------------------------------------------------

TEST_F(ApplicationProTest, TheFirstComponentOwnsTheHiddenWindow)
{
    ASSERT_EQ(EventsWindow(), nullptr);
    auto first = std::make_unique<TCustomApplicationPro>(nullptr);
    const HWND wnd = EventsWindow();
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(wnd));
    const DWORD style = static_cast<DWORD>(GetWindowLongA(wnd, GWL_STYLE));
    EXPECT_EQ(style & 0x86000000u, 0x86000000u);
    // (Wine drops WS_EX_WINDOWEDGE from a window without a frame.)
    EXPECT_NE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(GetClassLongA(wnd, GCL_STYLE), 0x23u);
    RECT rect{};
    GetWindowRect(wnd, &rect);
    EXPECT_TRUE(rect.left == -1 && rect.top == -1 && rect.right == 0 && rect.bottom == 0)
        << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;

    // Later components use it; when the first goes, so does the window.
    auto second = std::make_unique<TCustomApplicationPro>(nullptr);
    EXPECT_EQ(EventsWindows().size(), 1u);
    first.reset();
    EXPECT_EQ(EventsWindow(), nullptr);
    second.reset();
    TCustomApplicationPro third(nullptr);
    EXPECT_NE(EventsWindow(), nullptr);
}

TEST_F(ApplicationProTest, PowerBroadcastsAreAnsweredThroughTheHiddenWindow)
{
    TCustomApplicationPro app(nullptr);
    const HWND wnd = EventsWindow();
    ASSERT_NE(wnd, nullptr);
    int offs = 0, ons = 0;
    app.OnPowerOff = [&](TObject* sender) { offs += sender == &app ? 1 : 100; };
    app.OnPowerOn = [&](TObject* sender) { ons += sender == &app ? 1 : 100; };
    const LRESULT deny = 0x424D5144;

    // Queries are refused while suspending is not allowed ...
    EXPECT_EQ(SendMessageA(wnd, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0), deny);
    EXPECT_EQ(SendMessageA(wnd, WM_POWERBROADCAST, PBT_APMQUERYSTANDBY, 0), deny);
    // ... and passed on when it is.
    app.SuspendEnabled = true;
    const LRESULT passed = SendMessageA(wnd, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0);
    EXPECT_NE(passed, deny);
    EXPECT_EQ(passed, DefWindowProcA(wnd, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0));
    EXPECT_EQ(offs + ons, 0);

    for (WPARAM event : {PBT_APMSUSPEND, PBT_APMSTANDBY})
        SendMessageA(wnd, WM_POWERBROADCAST, event, 0);
    EXPECT_EQ(offs, 2);
    EXPECT_EQ(ons, 0);
    for (WPARAM event : {PBT_APMRESUMECRITICAL, PBT_APMRESUMESUSPEND, PBT_APMRESUMESTANDBY})
        SendMessageA(wnd, WM_POWERBROADCAST, event, 0);
    EXPECT_EQ(offs, 2);
    EXPECT_EQ(ons, 3);
    SendMessageA(wnd, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
    EXPECT_EQ(offs + ons, 5);

    // A failing handler is reported, not thrown through the window procedure.
    std::vector<std::string> errors;
    app.OnException = [&](TObject*, Exception& e) { errors.push_back(e.Message); };
    app.OnPowerOff = [](TObject*) { throw Exception("power failure"); };
    SendMessageA(wnd, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_EQ(errors, std::vector<std::string>{"power failure"});

    // WM_CLOSE ends the message loop.
    EXPECT_EQ(SendMessageA(wnd, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(TakeQuit());
    EXPECT_TRUE(IsWindow(wnd));
}

// --- Initialisation and the single-instance guard ---------------------------------

TEST_F(ApplicationProTest, InitializeLearnsTheExecutableAndSharesTheTitle)
{
    TCustomApplicationPro app(nullptr);
    app.SingleInstance = false;
    app.Title = "Test Title";
    app.Loaded();
    EXPECT_EQ(Application->Title(), "Test Title");

    const std::string path = ModulePath();
    EXPECT_EQ(app.ExeName(), ExtractFileName(path));
    EXPECT_EQ(app.BaseName(), TestBaseName());
    EXPECT_EQ(app.ExeDir(), ExtractFilePath(path));
    EXPECT_EQ(app.DataDir(), app.ExeDir());
    EXPECT_EQ(app.LogFileName(), app.ExeDir() + TestBaseName() + ".log");
    ASSERT_FALSE(app.SystemDir().empty());
    EXPECT_TRUE(FileExists(app.SystemDir() + "kernel32.dll"));
    ASSERT_FALSE(app.WindowsDir().empty());
    EXPECT_EQ(app.WindowsDir().back(), '\\');
    EXPECT_EQ(app.GetVersion(), "1.0");

    // Without a title of its own it takes the Application's.
    TCustomApplicationPro other(nullptr);
    other.SingleInstance = false;
    other.Loaded();
    EXPECT_EQ(other.Title, "Test Title");
}

TEST_F(ApplicationProTest, TheFirstCopyHoldsTheSemaphoreAndASecondEndsQuietlyBeforeItsFormIsShown)
{
    const std::string semaphoreName = TestBaseName() + "Semaphore";
    auto firstForm = std::make_unique<TForm>(nullptr);
    SetFormEvents(*firstForm);
    auto* first = new TCustomApplicationPro(firstForm.get());
    first->Loaded();
    first->Loaded();  // initialised again, it does not find itself
    EXPECT_FALSE(TakeQuit());
    EXPECT_TRUE(Application->ShowMainForm);
    EXPECT_EQ(CountFormEvents(*firstForm), 9);
    const HANDLE probe = OpenSemaphoreA(SYNCHRONIZE, FALSE, semaphoreName.c_str());
    EXPECT_NE(probe, nullptr);
    if (probe != nullptr)
        CloseHandle(probe);

    auto secondForm = std::make_unique<TForm>(nullptr);
    SetFormEvents(*secondForm);
    secondForm->SetVisible(true);
    auto* second = new TCustomApplicationPro(secondForm.get());
    second->SetLogFile(true);
    DeleteFileA((ExtractFilePath(ModulePath()) + TestBaseName() + ".log").c_str());
    second->Loaded();
    EXPECT_TRUE(TakeQuit());
    EXPECT_FALSE(Application->ShowMainForm);
    EXPECT_EQ(CountFormEvents(*secondForm), 0);
    EXPECT_EQ(CountFormEvents(*firstForm), 9);
    EXPECT_FALSE(secondForm->Visible());
    EXPECT_FALSE(IsWindowVisible(secondForm->Handle()));
    EXPECT_FALSE(second->LogFile());
    second->Log("not written");
    EXPECT_FALSE(FileExists(second->LogFileName()));

    // Both handles are closed with their components: the semaphore is gone.
    secondForm.reset();
    firstForm.reset();
    EXPECT_EQ(OpenSemaphoreA(SYNCHRONIZE, FALSE, semaphoreName.c_str()), nullptr);
}

// --- Log ---------------------------------------------------------------------------

TEST_F(ApplicationProTest, TheLogIsTextFollowedByZerosInWholeBlocks)
{
    TCustomApplicationPro app(nullptr);
    app.SingleInstance = false;
    app.Loaded();
    const std::string name = app.LogFileName();
    DeleteFileA(name.c_str());

    app.Log("not logged");  // LogFile is off
    EXPECT_FALSE(FileExists(name));

    app.SetLogFile(true);
    app.Log("first line");
    std::string content = ReadShared(name);
    ASSERT_EQ(content.size(), static_cast<size_t>(LogBlockSize));
    EXPECT_EQ(content.substr(0, 12), "first line\r\n");
    EXPECT_TRUE(AllZero(content.substr(12)));

    // Under Debug, reported exceptions are logged.
    app.Debug = true;
    app.OnException = [](TObject*, Exception&) {};
    try {
        throw Exception("logged failure");
    } catch (...) {
        Application->HandleException(nullptr);
    }

    // Past the first block the file grows by one.
    const std::string line(98, 'x');
    for (int i = 0; i < 170; ++i)
        app.Log(line);
    content = ReadShared(name);
    ASSERT_EQ(content.size(), static_cast<size_t>(2 * LogBlockSize));
    const std::string head = "first line\r\nlogged failure\r\n";
    EXPECT_EQ(content.substr(0, head.size()), head);
    const size_t end = head.size() + 170 * 100;
    EXPECT_EQ(content.substr(end - 4, 4), "xx\r\n");
    EXPECT_TRUE(AllZero(content.substr(end)));

    // Switching it off closes the file.
    app.SetLogFile(false);
    EXPECT_TRUE(DeleteFileA(name.c_str()));
}

// --- Cursor, windows, help ------------------------------------------------------------

TEST_F(ApplicationProTest, TheCursorFlagHoldsHoweverOftenItIsApplied)
{
    TCustomApplicationPro app(nullptr);
    ASSERT_GE(CursorCount(), 0);
    for (int i = 0; i < 3; ++i)
        app.SetCursorHidden(true);
    EXPECT_LT(CursorCount(), 0);
    EXPECT_TRUE(app.CursorHidden());
    app.SetCursorHidden(false);  // once is enough
    EXPECT_GE(CursorCount(), 0);
    EXPECT_FALSE(app.CursorHidden());

    // Hidden by others several times over: shown all the same.
    ShowCursor(FALSE);
    ShowCursor(FALSE);
    app.SetCursorHidden(false);
    EXPECT_GE(CursorCount(), 0);
}

TEST_F(ApplicationProTest, ExitApplicationClosesTheMainFormOrTerminates)
{
    TCustomApplicationPro app(nullptr);
    app.SetCursorHidden(true);
    app.ExitApplication();  // no main form
    EXPECT_TRUE(TakeQuit());
    EXPECT_GE(CursorCount(), 0);

    TForm form(nullptr);
    int closes = 0;
    form.OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    Application->SetMainForm(&form);
    form.Show();
    ASSERT_TRUE(IsWindowVisible(form.Handle()));
    app.ExitApplication();
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(TakeQuit());  // closing the main form terminates
    Application->SetMainForm(nullptr);
}

TEST_F(ApplicationProTest, CenterMainFormPlacesOnlyATopLevelMainForm)
{
    TCustomApplicationPro app(nullptr);
    app.CenterMainForm();  // no main form: nothing to do

    TForm form(nullptr);
    form.SetBounds(5, 6, 400, 300);
    Application->SetMainForm(&form);
    app.CenterMainForm();
    const TFormPlacement expected = CenterMainFormPosition(Screen->Width(), Screen->Height(), 400, 300);
    EXPECT_EQ((std::vector<int>{form.Left(), form.Top(), form.Width(), form.Height()}),
              (std::vector<int>{expected.Left, expected.Top, 400, 300}));

    // Inside a window of another program: left where it is.
    const HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    form.SetParentWindow(host);
    form.SetBounds(5, 6, 400, 300);
    app.CenterMainForm();
    EXPECT_EQ(form.Left(), 5);
    EXPECT_EQ(form.Top(), 6);
    form.SetParentWindow(nullptr);
    DestroyWindow(host);
    Application->SetMainForm(nullptr);
}

TEST_F(ApplicationProTest, ShowHelpOpensTheIndexOfTheDataDirectorysHelpFile)
{
    TCustomApplicationPro app(nullptr);
    app.SingleInstance = false;
    app.Loaded();
    app.SetDataDir("C:\\data\\");
    std::vector<std::string> files;
    std::vector<UINT> commands;
    Application->WinHelpProc = [&](HWND, const std::string& file, UINT command, ULONG_PTR data) {
        files.push_back(file);
        commands.push_back(command);
        EXPECT_EQ(data, 0u);
        return true;
    };
    app.ShowHelp();
    EXPECT_EQ(Application->HelpFile(), "C:\\data\\" + TestBaseName() + ".hlp");
    Application->SetHelpFile("C:\\other.hlp");  // one that is set is kept
    app.ShowHelp();
    EXPECT_EQ(files, (std::vector<std::string>{"C:\\data\\" + TestBaseName() + ".hlp", "C:\\other.hlp"}));
    EXPECT_EQ(commands, (std::vector<UINT>{3, 3}));
}

TEST_F(ApplicationProTest, NeedDisplayAndNeedSystemSetTheExecutionState)
{
    TCustomApplicationPro app(nullptr);
    app.SetNeedDisplay(true);
    // The system answers with the state set before: the one just asked for.
    EXPECT_EQ(app.UpdateExecutionState(), static_cast<DWORD>(ES_CONTINUOUS | ES_DISPLAY_REQUIRED));
    app.SetNeedSystem(true);
    app.SetNeedDisplay(false);
    EXPECT_EQ(app.UpdateExecutionState(), static_cast<DWORD>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED));
    app.SetNeedSystem(false);
    EXPECT_EQ(app.UpdateExecutionState(), static_cast<DWORD>(ES_CONTINUOUS));
}
