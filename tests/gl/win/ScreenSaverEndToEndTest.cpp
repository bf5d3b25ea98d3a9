// The program itself (Corvalen.scr) in each of its roles, started as the
// system would start it, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "../../support/ScreenPixels.h"
#include "../../support/TempFolder.h"

namespace {

std::string TestDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.find_last_of('\\') + 1);
    return dir;
}

// build/win/tests/gl/ -> build/win/src/settings/Corvalen.scr
std::string ProgramPath() { return TestDir() + "..\\..\\src\\settings\\Corvalen.scr"; }

// One run of a program; a run still going at the end is ended by force.
class TRun {
public:
    TRun(const std::string& program, const std::string& parameters, const std::string& directory = {})
    {
        std::string command = "\"" + program + "\" " + parameters;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        FStarted = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  directory.empty() ? nullptr : directory.c_str(), &startup, &FProcess);
        if (FStarted)
            CloseHandle(FProcess.hThread);
    }
    ~TRun()
    {
        if (FStarted && !WaitForEnd(0)) {
            TerminateProcess(FProcess.hProcess, 1);
            WaitForEnd(5000);
        }
        if (FStarted)
            CloseHandle(FProcess.hProcess);
    }
    TRun(const TRun&) = delete;
    TRun& operator=(const TRun&) = delete;

    bool Started() const { return FStarted; }
    bool WaitForEnd(DWORD ms) const { return WaitForSingleObject(FProcess.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(FProcess.hProcess, &code);
        return code;
    }

    // A visible top-level window of the run that `accept` takes, waited for up to `ms`.
    HWND WaitForWindow(DWORD ms, const std::function<bool(HWND)>& accept) const
    {
        return WaitForWindowOf(FProcess.dwProcessId, ms, accept);
    }
    // The same for a window of any process but `excluded`'s.
    static HWND WaitForWindowOf(DWORD processId, DWORD ms, const std::function<bool(HWND)>& accept,
                                DWORD excluded = 0)
    {
        struct TSearch {
            DWORD ProcessId, Excluded;
            const std::function<bool(HWND)>& Accept;
            HWND Found = nullptr;
        } search{processId, excluded, accept};
        for (const DWORD start = GetTickCount(); !search.Found && GetTickCount() - start <= ms; Sleep(20))
            EnumWindows(
                [](HWND wnd, LPARAM data) -> BOOL {
                    auto* s = reinterpret_cast<TSearch*>(data);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(wnd, &pid);
                    const bool owned = s->ProcessId != 0 ? pid == s->ProcessId : pid != s->Excluded;
                    if (owned && IsWindowVisible(wnd) && s->Accept(wnd))
                        s->Found = wnd;
                    return s->Found == nullptr;
                },
                reinterpret_cast<LPARAM>(&search));
        return search.Found;
    }
    DWORD ProcessId() const { return FProcess.dwProcessId; }

private:
    BOOL FStarted = FALSE;
    PROCESS_INFORMATION FProcess{};
};

bool CoversTheScreen(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return r.left <= 0 && r.top <= 0 && r.right >= GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom >= GetSystemMetrics(SM_CYSCREEN) && (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The form's window (not the 1 x 1 "AppEvents" window, nor a full-screen one).
bool IsFormWindow(HWND wnd)
{
    char name[64] = {};
    GetClassNameA(wnd, name, sizeof name);
    return std::string(name) != "AppEvents" && !CoversTheScreen(wnd);
}

void PressKey(HWND wnd, WPARAM key)
{
    SetForegroundWindow(wnd);
    PostMessageA(wnd, WM_KEYDOWN, key, 1);
    PostMessageA(wnd, WM_KEYUP, key, 1u | (1u << 30) | (1u << 31));
}

TEST(ScreenSaverEndToEnd, SaverRunsFullScreenSavesAShotOnPrintScreenAndEndsOnAKey)
{
    testsupport::TTempFolder dir;
    TRun run(ProgramPath(), "/s", dir.Path());
    ASSERT_TRUE(run.Started()) << ProgramPath();
    const HWND window = run.WaitForWindow(10000, CoversTheScreen);
    ASSERT_NE(window, nullptr) << "no full-screen window";
    Sleep(300);  // some frames
    PressKey(window, VK_SNAPSHOT);
    const std::string shot = dir.Path() + "Corvalen1.jpg";
    for (int i = 0; i < 100 && GetFileAttributesA(shot.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(20);
    EXPECT_NE(GetFileAttributesA(shot.c_str()), INVALID_FILE_ATTRIBUTES) << "no screenshot";
    EXPECT_FALSE(run.WaitForEnd(300)) << "Print Screen ended the saver";
    PressKey(window, VK_SPACE);
    EXPECT_TRUE(run.WaitForEnd(5000)) << "a key did not end the saver";
}

TEST(ScreenSaverEndToEnd, PreviewShowsItsFramesInsideTheHostAndEndsWithIt)
{
    const std::string program = ProgramPath();
    TRun host(TestDir() + "PreviewHost.exe", "\"" + program + "\" 2500");
    ASSERT_TRUE(host.Started());
    ASSERT_TRUE(host.WaitForEnd(20000));
    // 1: our window became the host's child, 2: its frames reached the screen, 4: it ended with the host.
    EXPECT_EQ(host.ExitCode(), 7u);
}

TEST(ScreenSaverEndToEnd, PasswordChangeEndsWithoutAWindow)
{
    TRun run(ProgramPath(), "/a");
    ASSERT_TRUE(run.Started());
    EXPECT_TRUE(run.WaitForEnd(5000));
    EXPECT_EQ(run.WaitForWindow(0, [](HWND) { return true; }), nullptr);
}

TEST(ScreenSaverEndToEnd, WithRunAsProgramTheSaverHandsOverToTheExeCopyAndWaitsForIt)
{
    testsupport::TTempFolder dir;
    const std::string saver = dir.Path() + "Corvalen.scr";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), saver.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), (dir.Path() + "Corvalen.EXE").c_str(), FALSE));
    const char* const key = "Software\\Corvalen 1";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key, "RunAsProgram", REG_SZ, "-1", 3), ERROR_SUCCESS);
    struct TForget {
        const char* Key;
        ~TForget() { RegDeleteKeyValueA(HKEY_CURRENT_USER, Key, "RunAsProgram"); }
    } forget{key};

    TRun run(saver, "/s", dir.Path());
    ASSERT_TRUE(run.Started());
    // Only the copy's run with the same "/s" covers the screen.
    const HWND window = TRun::WaitForWindowOf(0, 10000, CoversTheScreen, run.ProcessId());
    ASSERT_NE(window, nullptr) << "the .EXE copy did not start with /s";
    EXPECT_EQ(run.WaitForWindow(0, CoversTheScreen), nullptr) << "the .SCR ran the saver itself";
    EXPECT_FALSE(run.WaitForEnd(300)) << "the .SCR did not wait for its copy";
    PressKey(window, VK_SPACE);
    EXPECT_TRUE(run.WaitForEnd(5000)) << "the .SCR did not end with its copy";
}

// At some moment within `ms` the screen itself shows a drawing at the centre of the window.
bool ScreenShowsADrawingIn(HWND wnd, DWORD ms)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start <= ms; Sleep(20))
        if (testsupport::ShowsADrawing(testsupport::ScreenPixelAtCentre(wnd)))
            return true;
    return false;
}

TEST(ScreenSaverEndToEnd, ConfigureAndProgramShowTheirFramesOnTheScreenUntilClosed)
{
    testsupport::TTempFolder dir;
    // The same file as ".EXE" without parameters runs as a program; the ".scr" with /c is the dialog.
    const std::string exeCopy = dir.Path() + "Corvalen.exe";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), exeCopy.c_str(), FALSE));
    for (const auto& [program, parameters] : {std::pair{ProgramPath(), "/c"}, std::pair{exeCopy, ""}}) {
        SCOPED_TRACE(program + " " + parameters);
        TRun run(program, parameters, dir.Path());
        ASSERT_TRUE(run.Started());
        const HWND window = run.WaitForWindow(10000, IsFormWindow);
        ASSERT_NE(window, nullptr);
        // The render window is the form's child: its frames must reach the screen, not only its own DC.
        const HWND view = GetWindow(window, GW_CHILD);
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(ScreenShowsADrawingIn(view, 5000));
        EXPECT_FALSE(run.WaitForEnd(0));
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(run.WaitForEnd(5000)) << "closing the window did not end the program";
    }
}

}  // namespace
