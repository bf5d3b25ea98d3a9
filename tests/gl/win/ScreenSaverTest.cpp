// The screen-saver component under Wine, in the process: the run ended by
// input, the password check through the stand-in PASSWORD.CPL, the power-off
// delay on an injected clock, the preview in a host window, the dialog.
#include "gl/ScreenSaver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "GLApplicationTestSupport.h"
#include "app/core/ApplicationProRules.h"
#include "classlib/core/SysUtils.h"

namespace {

using glapptest::TakeQuits;
using Strings = std::vector<std::string>;
using namespace std::chrono_literals;

const char* const SaverFile = "C:\\Savers\\Corvalen.scr";

std::string HandleText(HWND wnd) { return std::to_string(reinterpret_cast<intptr_t>(wnd)); }

std::string EnvironmentValue(const char* name)
{
    char text[64] = {};
    const DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
    return length < sizeof text ? std::string(text, length) : std::string();
}

std::string PasswordLibrary()
{
    char buffer[MAX_PATH] = {};
    GetSystemDirectoryA(buffer, MAX_PATH);
    return IncludeTrailingBackslash(buffer) + "PASSWORD.CPL";
}

// A top-level window of another program: the control panel's preview or the dialog's opener.
HWND NewHostWindow(int width, int height)
{
    return CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 40, 40, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

MSG Message(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return {nullptr, message, wParam, lParam, 0, {}}; }
MSG MouseMove(int x, int y) { return Message(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

class ScreenSaverTest : public glapptest::GLApplicationTest {
protected:
    // The shown main form with a desktop-only display over a fake driver, the
    // saver made from `parameters` and a render window; the clock reads
    // Ticks, the power calls are recorded.
    void Build(const Strings& parameters)
    {
        TakeQuits();
        BuildForm();
        Display->DesktopOnly = true;
        Strings arguments{SaverFile};
        arguments.insert(arguments.end(), parameters.begin(), parameters.end());
        App = Saver = new TGLScreenSaver(Form.get(), arguments);
        Hook();
        Saver->EnablePrivilegeProc = [this](const std::string& p) { PowerCalls.push_back("privilege " + p); };
        Saver->SetSystemPowerStateProc = [this](bool suspend, bool force) {
            PowerCalls.push_back(std::string("power ") + (suspend ? "suspend" : "hibernate") +
                                 (force ? " forced" : ""));
        };
        // The ".EXE" copy never starts here.
        Saver->CreateProcessProc = [this](LPSTR commandLine, DWORD, LPCSTR, STARTUPINFOA&, PROCESS_INFORMATION&) {
            CopyStarts.push_back(commandLine);
            SetLastError(ERROR_BAD_EXE_FORMAT);
            return FALSE;
        };
        AddWindow();
        Form->Show();
        Display->Loaded();
        Saver->Loaded();
    }

    // Posts the messages to the render window, then runs the application's
    // loop (not Application->Run, which leaves Terminated set) until a
    // WM_QUIT or the watchdog; true when the run ended by itself.
    bool RunAfterPosting(const std::vector<MSG>& messages, std::chrono::milliseconds limit = 400ms)
    {
        for (const MSG& msg : messages)
            PostMessageA(Window->Handle(), msg.message, msg.wParam, msg.lParam);
        uitest::TLoopWatchdog watchdog(limit);
        MSG msg;
        for (;;) {
            if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                Application->Idle();
                continue;
            }
            if (msg.message == WM_QUIT)
                break;
            bool handled = false;
            if (Application->OnMessage)
                Application->OnMessage(msg, handled);
            if (!handled) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        return !watchdog.Fired();
    }

    // The option as stored under the saver's key, before Build.
    void StoreOption(const char* name, const std::string& value)
    {
        const std::string key = "Software\\CorvalenTest\\GLApplication" + std::to_string(GetCurrentProcessId()) + " 1";
        ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, value.c_str(),
                                  static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
    }

    TGLScreenSaver* Saver = nullptr;
    Strings PowerCalls;
    Strings CopyStarts;
};

// The user's password flag and the stand-in library, both removed afterwards.
class ScreenSaverPasswordTest : public ScreenSaverTest {
protected:
    void SetUp() override
    {
        ScreenSaverTest::SetUp();
        ASSERT_EQ(GetFileAttributesA(PasswordLibrary().c_str()), INVALID_FILE_ATTRIBUTES)
            << "the system has a password library of its own";
        SetEnvironmentVariableA("CORVALEN_TEST_PASSWORD_CALLS", "0");
    }
    void TearDown() override
    {
        ScreenSaverTest::TearDown();
        DeleteFileA(PasswordLibrary().c_str());
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\desktop", "ScreenSaveUsePassword");
        SetEnvironmentVariableA("CORVALEN_TEST_PASSWORD", nullptr);
    }

    // The stand-in, built beside the test program, copied where the system's library would be.
    static void InstallLibrary(bool accepts)
    {
        char buffer[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, buffer, MAX_PATH);
        const std::string built = ExtractFilePath(buffer) + "PASSWORD.CPL";
        ASSERT_TRUE(CopyFileA(built.c_str(), PasswordLibrary().c_str(), FALSE)) << "no " << built;
        SetEnvironmentVariableA("CORVALEN_TEST_PASSWORD", accepts ? "1" : "0");
    }
    static void SetFlag(DWORD type, const void* data, DWORD size)
    {
        RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\desktop", "ScreenSaveUsePassword", type, data, size);
    }
    static void SetFlag(const std::string& text) { SetFlag(REG_SZ, text.c_str(), DWORD(text.size() + 1)); }
    static int Verifications() { return std::atoi(EnvironmentValue("CORVALEN_TEST_PASSWORD_CALLS").c_str()); }
};

}  // namespace

TEST_F(ScreenSaverTest, TheSaverRunsFullScreenUntilAMessageOfTheExitTableAndPrintScreenOnlyTakesAShot)
{
    Build({"/s"});
    int shots = 0;
    Saver->OnSnapShot = [&](TObject*) { ++shots; };
    EXPECT_TRUE(Saver->CursorHidden());
    EXPECT_TRUE(Saver->SingleInstance) << "a saver without run-as-program runs once";
    EXPECT_FALSE(RunAfterPosting({Message(WM_LBUTTONDOWN), Message(WM_RBUTTONDOWN), Message(WM_KEYUP, 'A'),
                                  Message(WM_KEYDOWN, VK_SNAPSHOT), Message(WM_KEYUP, VK_SNAPSHOT)}));
    EXPECT_EQ(shots, 1);
    EXPECT_TRUE(Saver->IsFullScreen());
    EXPECT_TRUE(RunAfterPosting({Message(WM_LBUTTONUP)}, 3s));
    EXPECT_FALSE(Saver->IsFullScreen());
    EXPECT_FALSE(Saver->CursorHidden());
    EXPECT_FALSE(Window->HandleAllocated()) << "a run that ends does not make its window again";
}

// The render window asks for double clicks; a real click still ends the run
// at its release, the first one, and a press alone does not.
TEST_F(ScreenSaverTest, ARealClickEndsTheRunAtItsFirstRelease)
{
    Build({"/s"});
    Saver->MouseMoveExit = false;
    POINT centre{Window->Width() / 2, Window->Height() / 2};
    ClientToScreen(Window->Handle(), &centre);
    testsupport::MouseAt(centre, MOUSEEVENTF_LEFTDOWN);
    EXPECT_FALSE(RunAfterPosting({}));
    EXPECT_TRUE(Saver->IsFullScreen());
    testsupport::MouseAt(centre, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(RunAfterPosting({}, 3s));
    EXPECT_FALSE(Saver->IsFullScreen());
}

// The driver here (llvmpipe) ignores the swap interval and the virtual
// screen reports no refresh rate (60 Hz): frames are paced by the program.
TEST_F(ScreenSaverTest, WithVerticalSyncTheSaverDrawsNoFasterThanTheDisplayRefreshesAndStillEndsOnAKey)
{
    Build({"/s"});
    Saver->OpenGL()->VSync = true;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(RunAfterPosting({}, 1500ms));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_GT(Steps.size(), 0u);
    EXPECT_LE(static_cast<double>(Steps.size()) / seconds, 75.0) << Steps.size() << " frames in " << seconds << " s";
    EXPECT_TRUE(RunAfterPosting({Message(WM_KEYDOWN, VK_SPACE)}, 3s));
}

// Moves end the run only with MouseMoveExit, after five ignored ones and the
// anchor, when both axes moved more than 2 pixels; positions left of the
// screen are signed words (read unsigned, (0, 0) would be 65534 pixels from
// (-2, -2)). After a refused password the tracking starts anew: against the
// old anchor the first move would end the run.
TEST_F(ScreenSaverPasswordTest, MovesEndTheRunOnlyWhenAskedAndFarEnoughAndARefusedPasswordKeepsItRunning)
{
    InstallLibrary(false);
    SetFlag("1");
    Build({"/s"});
    SetCursorPos(0, 0);  // the window system's own moves come at the cursor
    std::vector<MSG> input;
    for (int i = 0; i < 7; ++i)
        input.push_back(MouseMove(i * 50, i * 50));
    EXPECT_FALSE(RunAfterPosting(input));
    EXPECT_EQ(Verifications(), 0) << "moves without MouseMoveExit";

    Saver->MouseMoveExit = true;
    input.assign(6, MouseMove(0, 0));
    input.push_back(Message(WM_KEYDOWN, 'A'));
    for (const int xy : {100, 0, 100, 0, 100, -2, 0})
        input.push_back(MouseMove(xy, xy));
    input.push_back(MouseMove(1, -2));
    EXPECT_FALSE(RunAfterPosting(input));
    EXPECT_EQ(Verifications(), 1);
    EXPECT_TRUE(Saver->CursorHidden()) << "hidden again after the refusal";
    SetEnvironmentVariableA("CORVALEN_TEST_PASSWORD", "1");
    EXPECT_TRUE(RunAfterPosting({MouseMove(1, 1)}, 3s));
    EXPECT_EQ(Verifications(), 2);
}

TEST_F(ScreenSaverPasswordTest, TheFlagIsTextOrANumberAndTheLibraryIsLetGoAfterEachUse)
{
    Build({"/c"});
    EXPECT_TRUE(Saver->VerifyPassword()) << "without the library the password counts as verified";
    for (const auto& [text, enabled] : {std::pair{"1", true}, {" 2 ", true}, {"0", false}, {"yes", false}}) {
        SetFlag(text);
        EXPECT_EQ(Saver->PasswordEnabled(), enabled) << text;
    }
    const DWORD one = 1;
    SetFlag(REG_DWORD, &one, sizeof one);
    EXPECT_TRUE(Saver->PasswordEnabled());
    SetFlag(REG_BINARY, &one, sizeof one);
    EXPECT_FALSE(Saver->PasswordEnabled()) << "binary";

    InstallLibrary(true);
    EXPECT_TRUE(Saver->VerifyPassword());
    EXPECT_EQ(EnvironmentValue("CORVALEN_TEST_PASSWORD_WINDOW"), HandleText(GetForegroundWindow()));
    SetEnvironmentVariableA("CORVALEN_TEST_PASSWORD", "0");
    EXPECT_FALSE(Saver->VerifyPassword());
    EXPECT_EQ(Verifications(), 2);
    EXPECT_TRUE(DeleteFileA(PasswordLibrary().c_str())) << "the library is still loaded";
}

// Told to run as a program, a ".SCR" whose copy cannot start goes on in its
// own role: the saver and the preview silently, the dialog after showing the
// failure, which names the copy, with the form and the priority as they were.
// A stored data folder that does not hold the program gives way to the
// program's own (the copy found beside the program there is the test program
// itself). A password change never hands over.
TEST_F(ScreenSaverTest, AHandOverToTheCopyThatCannotStartGoesOnInTheRunsOwnRole)
{
    ASSERT_NO_FATAL_FAILURE(StoreOption("RunAsProgram", "-1"));
    ASSERT_NO_FATAL_FAILURE(StoreOption("DataDir", "C:\\no longer installed\\"));
    Build({"/s"});
    ASSERT_EQ(CopyStarts.size(), 1u);
    EXPECT_EQ(Saver->DataDir(), Saver->ExeDir());
    EXPECT_EQ(CopyStarts[0], "\"" + Saver->ExeDir() + Saver->BaseName() + ".EXE\" /s");
    EXPECT_TRUE(Boxes.empty()) << Boxes.front().Text;
    EXPECT_EQ(TakeQuits(), 0) << "the saver ended with its copy";
    EXPECT_TRUE(Saver->IsFullScreen());
    EXPECT_TRUE(Saver->CursorHidden());
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
    EXPECT_TRUE(RunAfterPosting({Message(WM_KEYDOWN, VK_SPACE)}, 3s)) << "the saver does not run";

    Form.reset();
    CopyStarts.clear();
    const HWND host = NewHostWindow(152, 112);
    Build({"/p", HandleText(host)});
    ASSERT_EQ(CopyStarts.size(), 1u);
    EXPECT_TRUE(Boxes.empty()) << "the preview showed " << Boxes.front().Text;
    EXPECT_EQ(TakeQuits(), 0);
    Application->Idle();
    EXPECT_EQ(GetParent(Window->Handle()), host) << "the preview does not run";
    Form.reset();
    DestroyWindow(host);

    CopyStarts.clear();
    Build({"/c"});
    ASSERT_EQ(CopyStarts.size(), 1u);
    ASSERT_EQ(Boxes.size(), 1u) << "the dialog's role shows the failure";
    const std::string& text = Boxes[0].Text;
    const size_t message = text.find(" Message: ");
    EXPECT_NE(text.find(Saver->ExeDir() + Saver->BaseName() + ".EXE", message), std::string::npos)
        << "the system's message does not name the copy: " << text;
    EXPECT_EQ(text.find('%'), std::string::npos) << text;
    EXPECT_EQ(TakeQuits(), 0);
    EXPECT_TRUE(Form->Enabled());
    EXPECT_NE(Form->BorderStyle(), bsNone);
    EXPECT_GT(Form->Width(), FormWidth);
    EXPECT_GE(Form->Left(), 0);

    Form.reset();
    CopyStarts.clear();
    Build({"/a"});
    EXPECT_TRUE(CopyStarts.empty()) << "the password change handed over: " << CopyStarts.front();
    TakeQuits();

    // Going on as the saver, the run is guarded as a saver: with another
    // saver running, it ends, and leaves the system's flag, the cursor and
    // the screen to that saver.
    const std::string guardName = SingleInstanceName(Saver->BaseName());
    Form.reset();
    CopyStarts.clear();
    const HANDLE otherSaver = CreateSemaphoreA(nullptr, 0, 1, guardName.c_str());
    ASSERT_NE(otherSaver, nullptr);
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0);
    Build({"/s"});
    EXPECT_EQ(CopyStarts.size(), 1u);
    EXPECT_EQ(TakeQuits(), 1) << "a second saver runs beside the first";
    EXPECT_FALSE(Saver->CursorHidden());
    EXPECT_FALSE(Saver->IsFullScreen());
    Form.reset();
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    EXPECT_TRUE(running) << "the turned-away run cleared the first saver's flag";
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    CloseHandle(otherSaver);
}

TEST_F(ScreenSaverTest, TheSaverPowersDownOnceWhenTheDelayHasPassedSinceTheFirstFrameAndASuspendEndsIt)
{
    Build({"/s"});
    Saver->SetPowerOffIndex(1);
    Saver->SuspendEnabled = false;  // as a denied query would leave it
    Application->Idle();  // the first frame starts the clock
    Ticks += 60000;
    Application->Idle();
    EXPECT_TRUE(PowerCalls.empty()) << "not before the delay has passed";
    Ticks += 1;
    Application->Idle();
    EXPECT_EQ(PowerCalls, (Strings{"privilege SeShutdownPrivilege", "power suspend forced"}));
    Ticks += 600000;
    Application->Idle();
    EXPECT_EQ(PowerCalls.size(), 2u) << "once";

    Saver->SetPowerOffIndex(3);
    Saver->PowerOff();
    EXPECT_FALSE(Saver->IsFullScreen());
    EXPECT_EQ(TakeQuits(), 1);
}

TEST_F(ScreenSaverTest, ThePreviewLivesInTheHostWindowAndEndsWhenTheHostGoes)
{
    HWND host = NewHostWindow(152, 112);
    Build({"/p", HandleText(host)});
    EXPECT_EQ(Saver->SaverMode(), smPreview);
    // Our own hide and show make the window anew; the preview goes on (the
    // preview drawn in a host of another process: ProgramEndToEndTest).
    Window->Hide();
    Application->Idle();
    Window->Show();
    Application->Idle();
    EXPECT_EQ(TakeQuits(), 0);
    EXPECT_EQ(GetParent(Window->Handle()), host);
    DestroyWindow(host);  // and ours with it: the run ends and draws no more
    const size_t frames = Steps.size();
    Application->Idle();
    Application->Idle();
    EXPECT_EQ(TakeQuits(), 1);
    EXPECT_EQ(Steps.size(), frames);

    // A host gone before the start ends the run just as quietly: no message.
    Form.reset();
    host = NewHostWindow(100, 80);
    DestroyWindow(host);
    Build({"/p", HandleText(host)});
    for (int tick = 0; tick < 3; ++tick)
        Application->Idle();
    EXPECT_EQ(TakeQuits(), 1);
    EXPECT_TRUE(Boxes.empty()) << Boxes.front().Text;
}

TEST_F(ScreenSaverTest, TheDialogDisablesItsOpenerAndNeverPowersDown)
{
    const HWND parent = NewHostWindow(50, 50);
    Build({"/c:" + HandleText(parent)});
    EXPECT_EQ(Saver->SaverMode(), smConfigure);
    EXPECT_FALSE(IsWindowEnabled(parent));
    Saver->SetPowerOffIndex(1);
    Application->Idle();
    Ticks += 120000;
    Application->Idle();
    EXPECT_TRUE(PowerCalls.empty()) << "only the saver powers down";
    Form.reset();
    EXPECT_TRUE(IsWindowEnabled(parent));
    DestroyWindow(parent);
}
