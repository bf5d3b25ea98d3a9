// The screen-saver component under Wine, in the process: the saver's run
// ended by input (the exit table, mouse moves, Print Screen), the password
// check through the stand-in PASSWORD.CPL, the power-off delay on an
// injected clock with the power calls recorded, the preview inside a host
// window and its end when the host goes, the dialog's parent window, and
// the password change.
#include "gl/ScreenSaver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "GLApplicationTestSupport.h"
#include "app/core/OptionNames.h"
#include "classlib/core/SysUtils.h"

namespace {

using glapptest::TakeQuits;
using glapptest::UsualModes;
using Strings = std::vector<std::string>;
using namespace std::chrono_literals;

const char* const SaverFile = "C:\\Savers\\Corvalen.scr";

std::string HandleText(HWND wnd)
{
    return std::to_string(reinterpret_cast<intptr_t>(wnd));
}

std::string EnvironmentValue(const char* name)
{
    char text[64] = {};
    const DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
    return length > 0 && length < sizeof text ? std::string(text, length) : std::string();
}

std::string SystemDirectory()
{
    char buffer[MAX_PATH] = {};
    GetSystemDirectoryA(buffer, MAX_PATH);
    return IncludeTrailingBackslash(buffer);
}

std::string TestProgramDirectory()
{
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return ExtractFilePath(buffer);
}

// A top-level window of another kind than ours: the display control
// panel's preview, or the window that opened the dialog.
class THostWindow {
public:
    THostWindow(int width, int height)
        : FWnd(CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 40, 40, width, height, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~THostWindow() { Destroy(); }
    THostWindow(const THostWindow&) = delete;
    THostWindow& operator=(const THostWindow&) = delete;
    HWND Handle() const { return FWnd; }
    void Destroy()
    {
        if (FWnd != nullptr && IsWindow(FWnd))
            DestroyWindow(FWnd);
        FWnd = nullptr;
    }

private:
    HWND FWnd;
};

class ScreenSaverTest : public uitest::UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        TakeQuits();
    }

    void TearDown() override
    {
        Form.reset();
        Application->ShowMainForm = true;
        const std::string key = "Software\\CorvalenTest\\ScreenSaver" + std::to_string(GetCurrentProcessId()) + " 1";
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        TakeQuits();
        UiTest::TearDown();
    }

    // The main form (shown) with a display over a fake driver (desktop
    // mode only), the saver made from `parameters` and a render window in
    // the form; then the display and the saver are loaded, as a form
    // description would do. The clock reads Ticks; the power calls are
    // recorded.
    void Build(const Strings& parameters)
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(160);
        Form->SetClientHeight(120);
        Application->SetMainForm(Form.get());
        auto driver = std::make_unique<TFakeDisplayDriver>();
        driver->AcceptsEverything = true;
        driver->Listed = UsualModes();
        Display = new TCustomGLDisplay(Form.get(), std::move(driver));
        Display->DesktopOnly = true;

        Strings arguments{SaverFile};
        arguments.insert(arguments.end(), parameters.begin(), parameters.end());
        Saver = new TGLScreenSaver(Form.get(), arguments);
        Saver->Company = "CorvalenTest";
        Saver->Title = "ScreenSaver" + std::to_string(GetCurrentProcessId());
        Saver->TickSource = [this] { return Ticks; };
        Saver->EnablePrivilegeProc = [this](const std::string& privilege) {
            PowerCalls.push_back("privilege " + privilege);
        };
        Saver->SetSystemPowerStateProc = [this](bool suspend, bool force) {
            PowerCalls.push_back(std::string("power ") + (suspend ? "suspend" : "hibernate") +
                                 (force ? " forced" : ""));
        };
        Saver->OnRender = [this](float, bool) { ++Frames; };
        Saver->OnSnapShot = [this](TObject*) { ++Shots; };
        Saver->SetDisplay(Display);
        Window = new TGLWindow(Form.get());
        Saver->SetWindow(Window);
        Window->SetParent(Form.get());
        Form->Show();
        Display->Loaded();
        Saver->Loaded();
    }

    // Posts the messages to the render window, then runs the message loop
    // until the program ends or `limit` passes; true when it ended by
    // itself.
    bool RunAfterPosting(const std::vector<MSG>& messages, std::chrono::milliseconds limit = 400ms)
    {
        for (const MSG& msg : messages)
            PostMessageA(Window->Handle(), msg.message, msg.wParam, msg.lParam);
        return RunLoop(limit);
    }

    // The application's loop (messages through OnMessage, idle ticks when
    // the queue is empty) until a WM_QUIT arrives; true when it was not the
    // watchdog's. Application->Run is not used: it leaves Terminated set,
    // which later tests would inherit.
    static bool RunLoop(std::chrono::milliseconds limit)
    {
        uitest::TLoopWatchdog watchdog(limit);
        for (;;) {
            MSG msg;
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

    static MSG Message(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        MSG msg{};
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        return msg;
    }

    static MSG MouseMove(int x, int y) { return Message(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

    // The window system reports moves of its own at the cursor's place
    // (after the posted ones): the cursor is put where they cannot end a
    // run (the full-screen window's client area starts at the screen's).
    static void ParkCursor(int x, int y) { SetCursorPos(x, y); }

    std::unique_ptr<TForm> Form;
    TCustomGLDisplay* Display = nullptr;
    TGLScreenSaver* Saver = nullptr;
    TGLWindow* Window = nullptr;
    uint32_t Ticks = 1000;
    int Frames = 0;
    int Shots = 0;
    Strings PowerCalls;
};

// The password flag of the user and the stand-in library in the system
// directory, both put back afterwards.
class ScreenSaverPasswordTest : public ScreenSaverTest {
protected:
    void SetUp() override
    {
        ScreenSaverTest::SetUp();
        FLibrary = SystemDirectory() + "PASSWORD.CPL";
        ASSERT_EQ(GetFileAttributesA(FLibrary.c_str()), INVALID_FILE_ATTRIBUTES)
            << "the system has a password library of its own";
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &FKey, nullptr) != ERROR_SUCCESS)
            FKey = nullptr;
        ASSERT_NE(FKey, nullptr);
        DWORD size = sizeof FSaved;
        FHadFlag = RegQueryValueExA(FKey, "ScreenSaveUsePassword", nullptr, &FSavedType, FSaved, &size) ==
                   ERROR_SUCCESS;
        FSavedSize = size;
        SetEnvironmentVariableA("CORVALEN_TEST_PASSWORD_CALLS", "0");
    }

    void TearDown() override
    {
        ScreenSaverTest::TearDown();
        DeleteFileA(FLibrary.c_str());
        if (FKey != nullptr) {
            if (FHadFlag)
                RegSetValueExA(FKey, "ScreenSaveUsePassword", 0, FSavedType, FSaved, FSavedSize);
            else
                RegDeleteValueA(FKey, "ScreenSaveUsePassword");
            RegCloseKey(FKey);
        }
        SetEnvironmentVariableA("CORVALEN_TEST_PASSWORD", nullptr);
    }

    // The stand-in, built beside the test program, copied where the
    // system's library would be.
    void InstallLibrary(bool accepts)
    {
        const std::string built = TestProgramDirectory() + "PASSWORD.CPL";
        ASSERT_TRUE(CopyFileA(built.c_str(), FLibrary.c_str(), FALSE)) << "no " << built;
        SetEnvironmentVariableA("CORVALEN_TEST_PASSWORD", accepts ? "1" : "0");
    }

    void SetFlag(const std::string& text)
    {
        RegSetValueExA(FKey, "ScreenSaveUsePassword", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    }

    void SetFlag(DWORD value)
    {
        RegSetValueExA(FKey, "ScreenSaveUsePassword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
    }

    static int Verifications() { return std::atoi(EnvironmentValue("CORVALEN_TEST_PASSWORD_CALLS").c_str()); }

private:
    std::string FLibrary;
    HKEY FKey = nullptr;
    bool FHadFlag = false;
    DWORD FSavedType = 0;
    BYTE FSaved[256] = {};
    DWORD FSavedSize = 0;
};

}  // namespace

// --- The saver's run -------------------------------------------------------------

TEST_F(ScreenSaverTest, TheSaverRunsFullScreenOnAnInvisibleFormWithTheCursorHidden)
{
    Build({"/s"});
    EXPECT_EQ(Saver->SaverMode(), smSaver);
    EXPECT_TRUE(Saver->IsFullScreen());
    EXPECT_TRUE(Saver->ExitOnLeaveFullScreen);
    EXPECT_TRUE(Saver->CursorHidden());
    EXPECT_TRUE(Saver->SingleInstance) << "a saver without run-as-program runs once";
    EXPECT_FALSE(Form->Enabled());
    EXPECT_EQ(Form->BorderStyle(), bsNone);
    EXPECT_LE(Form->Left() + Form->Width(), 0);
    ASSERT_TRUE(Window->HandleAllocated());
    EXPECT_NE(GetWindowLongA(Window->Handle(), GWL_STYLE) & WS_POPUP, 0);
    EXPECT_FALSE(RunAfterPosting({})) << "nothing ends it by itself";
    EXPECT_GT(Frames, 0);
    EXPECT_TRUE(Saver->IsFullScreen());
}

TEST_F(ScreenSaverTest, AButtonPressDoesNotEndTheSaverItsReleaseDoes)
{
    Build({"/s"});
    EXPECT_FALSE(RunAfterPosting({Message(WM_LBUTTONDOWN), Message(WM_RBUTTONDOWN), Message(WM_MBUTTONDOWN),
                                  Message(WM_KEYUP, 'A')}));
    EXPECT_TRUE(Saver->IsFullScreen());
    EXPECT_TRUE(RunAfterPosting({Message(WM_LBUTTONUP)}, 3s));
    EXPECT_FALSE(Saver->IsFullScreen());
    EXPECT_FALSE(Saver->CursorHidden());
    EXPECT_FALSE(Window->HandleAllocated()) << "a run that ends does not make its window again";
}

TEST_F(ScreenSaverTest, EveryMessageOfTheExitTableEndsTheSaver)
{
    for (const UINT message : {WM_LBUTTONDBLCLK, WM_MBUTTONUP, WM_MBUTTONDBLCLK, WM_RBUTTONUP, WM_RBUTTONDBLCLK,
                               WM_SYSKEYDOWN}) {
        Build({"/s"});
        EXPECT_TRUE(RunAfterPosting({Message(message)}, 3s)) << std::hex << message;
        EXPECT_FALSE(Saver->IsFullScreen()) << std::hex << message;
        Form.reset();
    }
    Build({"/s"});
    EXPECT_TRUE(RunAfterPosting({Message(WM_KEYDOWN, VK_SPACE)}, 3s));
}

TEST_F(ScreenSaverTest, PrintScreenTakesAShotAndDoesNotEndTheSaver)
{
    Build({"/s"});
    EXPECT_FALSE(RunAfterPosting({Message(WM_KEYDOWN, VK_SNAPSHOT), Message(WM_KEYUP, VK_SNAPSHOT)}));
    EXPECT_EQ(Shots, 1);
    EXPECT_TRUE(Saver->IsFullScreen());
}

TEST_F(ScreenSaverTest, MouseMovesEndTheSaverOnlyWhenAskedAndOnlyAfterTheFirstFive)
{
    Build({"/s"});
    // Without MouseMoveExit no move ends it.
    EXPECT_FALSE(RunAfterPosting({MouseMove(0, 0), MouseMove(10, 10), MouseMove(20, 20), MouseMove(30, 30),
                                  MouseMove(40, 40), MouseMove(50, 50), MouseMove(300, 300)}));
    Saver->MouseMoveExit = true;
    Saver->ResetMouseTracking();
    ParkCursor(100, 100);
    // Five ignored, the anchor, one axis only, 2 pixels: still running.
    EXPECT_FALSE(RunAfterPosting({MouseMove(0, 0), MouseMove(200, 200), MouseMove(20, 20), MouseMove(30, 30),
                                  MouseMove(40, 40), MouseMove(100, 100), MouseMove(103, 100), MouseMove(100, 300),
                                  MouseMove(102, 102)}));
    EXPECT_TRUE(Saver->IsFullScreen());
    EXPECT_TRUE(RunAfterPosting({MouseMove(97, 103)}, 3s));
    EXPECT_FALSE(Saver->IsFullScreen());
}

TEST_F(ScreenSaverTest, PositionsLeftOfTheScreenAreSignedWords)
{
    Build({"/s"});
    Saver->MouseMoveExit = true;
    ParkCursor(0, 0);
    std::vector<MSG> moves(5, MouseMove(5, 5));
    moves.push_back(MouseMove(-2, -2));  // the anchor
    moves.push_back(MouseMove(0, 0));    // 2 pixels away; 65534 if read unsigned
    EXPECT_FALSE(RunAfterPosting(moves));
    EXPECT_TRUE(Saver->IsFullScreen());
    EXPECT_TRUE(RunAfterPosting({MouseMove(1, 1)}, 3s));
}

// --- Password ----------------------------------------------------------------------

TEST_F(ScreenSaverPasswordTest, ARefusedPasswordKeepsTheSaverRunningAndTheRightOneEndsIt)
{
    InstallLibrary(false);
    SetFlag("1");
    Build({"/s"});
    Saver->MouseMoveExit = true;
    ParkCursor(10, 10);
    // Five moves ignored and the anchor; the key asks for the password,
    // which is refused; the tracking starts anew, so the moves after it do
    // not end the run (against the old anchor the first one would).
    std::vector<MSG> input(6, MouseMove(10, 10));
    input.push_back(Message(WM_KEYDOWN, 'A'));
    for (const int xy : {0, 100, 0, 100, 0, 10})
        input.push_back(MouseMove(xy, xy));
    EXPECT_FALSE(RunAfterPosting(input));
    EXPECT_EQ(Verifications(), 1);
    EXPECT_TRUE(Saver->IsFullScreen());
    EXPECT_TRUE(Saver->CursorHidden()) << "hidden again after the refusal";

    SetEnvironmentVariableA("CORVALEN_TEST_PASSWORD", "1");
    EXPECT_TRUE(RunAfterPosting({Message(WM_RBUTTONUP)}, 3s));
    EXPECT_EQ(Verifications(), 2);
    EXPECT_FALSE(Saver->IsFullScreen());
}

TEST_F(ScreenSaverPasswordTest, TheFlagIsReadAsTextOrAsANumberAndAnythingElseMeansNoPassword)
{
    Build({"/c"});
    SetFlag("1");
    EXPECT_TRUE(Saver->PasswordEnabled());
    SetFlag(" 2 ");
    EXPECT_TRUE(Saver->PasswordEnabled());
    SetFlag("0");
    EXPECT_FALSE(Saver->PasswordEnabled());
    SetFlag("yes");
    EXPECT_FALSE(Saver->PasswordEnabled());
    SetFlag("");
    EXPECT_FALSE(Saver->PasswordEnabled());
    SetFlag(DWORD{1});
    EXPECT_TRUE(Saver->PasswordEnabled());
    SetFlag(DWORD{0});
    EXPECT_FALSE(Saver->PasswordEnabled());
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const BYTE bytes[] = {1, 0, 0, 0};
    RegSetValueExA(key, "ScreenSaveUsePassword", 0, REG_BINARY, bytes, sizeof bytes);
    EXPECT_FALSE(Saver->PasswordEnabled()) << "binary";
    RegDeleteValueA(key, "ScreenSaveUsePassword");
    RegCloseKey(key);
    EXPECT_FALSE(Saver->PasswordEnabled()) << "missing";
}

TEST_F(ScreenSaverPasswordTest, WithoutThePasswordLibraryThePasswordCountsAsVerified)
{
    SetFlag(DWORD{1});
    Build({"/s"});
    EXPECT_TRUE(Saver->VerifyPassword());
    EXPECT_TRUE(RunAfterPosting({Message(WM_KEYDOWN, VK_ESCAPE)}, 3s));
    EXPECT_FALSE(Saver->IsFullScreen());
}

TEST_F(ScreenSaverPasswordTest, TheLibraryIsAskedWithTheForegroundWindowAndLetGoAfterEachUse)
{
    InstallLibrary(true);
    Build({"/c"});
    EXPECT_TRUE(Saver->VerifyPassword());
    EXPECT_EQ(EnvironmentValue("CORVALEN_TEST_PASSWORD_WINDOW"), HandleText(GetForegroundWindow()));
    SetEnvironmentVariableA("CORVALEN_TEST_PASSWORD", "0");
    EXPECT_FALSE(Saver->VerifyPassword());
    EXPECT_EQ(Verifications(), 2);
    // Freed after each use: the file can go.
    EXPECT_TRUE(DeleteFileA((SystemDirectory() + "PASSWORD.CPL").c_str()));
    EXPECT_TRUE(Saver->VerifyPassword());
}

// --- Power-off -----------------------------------------------------------------

TEST_F(ScreenSaverTest, PowerOffIndexesSetTheDelayAndWhetherSuspendIsAllowed)
{
    Build({"/c"});
    Saver->SetPowerOffIndex(4);
    EXPECT_EQ(Saver->PowerOffDelay(), 300.0f);
    EXPECT_TRUE(Saver->SuspendEnabled);
    Saver->SetPowerOffIndex(0);
    EXPECT_EQ(Saver->PowerOffDelay(), -1.0f);
    EXPECT_FALSE(Saver->SuspendEnabled);
    Saver->SetPowerOffIndex(15);
    EXPECT_EQ(Saver->PowerOffDelay(), 18000.0f);
    Saver->SetPowerOffIndex(16);
    EXPECT_EQ(Saver->PowerOffIndex(), 0);
    EXPECT_EQ(Saver->PowerOffDelay(), -1.0f);
    EXPECT_FALSE(Saver->SuspendEnabled);
}

TEST_F(ScreenSaverTest, AStoredPowerOffIndexOutsideTheTableNeverSuspends)
{
    Build({"/s"});
    Saver->WriteInteger(OptionNames::PowerOffIndex.Scrambled(), 99);
    Saver->LoadOptions();
    EXPECT_EQ(Saver->PowerOffIndex(), 0);
    EXPECT_FALSE(Saver->SuspendEnabled);
    for (int i = 0; i < 3; ++i) {
        Application->Idle();
        Ticks += 100000000;
    }
    EXPECT_TRUE(PowerCalls.empty());
}

TEST_F(ScreenSaverTest, TheSaverPowersTheMachineDownOnceWhenTheDelayHasPassedSinceTheFirstFrame)
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
    EXPECT_TRUE(Saver->SuspendEnabled);
    EXPECT_EQ(Saver->PowerOffDelay(), -1.0f);
    Ticks += 600000;
    Application->Idle();
    EXPECT_EQ(PowerCalls.size(), 2u) << "once";
}

TEST_F(ScreenSaverTest, OnlyTheSaverPowersDown)
{
    Build({"/c"});
    Saver->SetPowerOffIndex(1);
    Application->Idle();
    Ticks += 120000;
    Application->Idle();
    EXPECT_TRUE(PowerCalls.empty());
}

TEST_F(ScreenSaverTest, ASuspendEndsTheSaver)
{
    Build({"/s"});
    Saver->SetPowerOffIndex(3);
    Application->Idle();
    Saver->PowerOff();
    EXPECT_FALSE(Saver->SuspendEnabled);
    EXPECT_FALSE(Saver->IsFullScreen());
    EXPECT_EQ(TakeQuits(), 1);
}

TEST_F(ScreenSaverTest, TheSaverOptionsGoToTheStoreAndComeBack)
{
    Build({"/c"});
    Saver->MouseMoveExit = true;
    Saver->RunAsProgram = true;
    Saver->SetPowerOffIndex(7);
    Saver->SaveOptions();
    Saver->MouseMoveExit = false;
    Saver->RunAsProgram = false;
    Saver->SetPowerOffIndex(0);
    Saver->LoadOptions();
    EXPECT_TRUE(Saver->MouseMoveExit);
    EXPECT_TRUE(Saver->RunAsProgram);
    EXPECT_EQ(Saver->PowerOffIndex(), 7);
    EXPECT_EQ(Saver->PowerOffDelay(), 1200.0f);
}

// --- Preview, dialog, password change ------------------------------------------------

TEST_F(ScreenSaverTest, ThePreviewLivesInTheHostWindowAndEndsWhenTheHostGoes)
{
    THostWindow host(152, 112);
    ASSERT_NE(host.Handle(), nullptr);
    Build({"/p", HandleText(host.Handle())});
    EXPECT_EQ(Saver->SaverMode(), smPreview);
    EXPECT_EQ(Saver->ParentWindowHandle(), host.Handle());
    ASSERT_TRUE(Window->HandleAllocated());
    EXPECT_EQ(GetParent(Window->Handle()), host.Handle());
    EXPECT_EQ(Window->Width(), 152);
    EXPECT_EQ(Window->Height(), 112);
    EXPECT_FALSE(Saver->IsFullScreen());
    Application->Idle();
    Application->Idle();
    EXPECT_EQ(Frames, 2);
    EXPECT_EQ(TakeQuits(), 0);

    // Our own hide and show make the window anew; the preview goes on.
    Window->Hide();
    Application->Idle();
    Window->Show();
    Application->Idle();
    EXPECT_EQ(TakeQuits(), 0);
    EXPECT_EQ(GetParent(Window->Handle()), host.Handle());

    // The host destroys its window (and ours with it): the run ends and
    // draws no more.
    host.Destroy();
    EXPECT_FALSE(Window->HandleAllocated());
    const int frames = Frames;
    Application->Idle();
    EXPECT_EQ(TakeQuits(), 1);
    EXPECT_FALSE(Saver->Active);
    Application->Idle();
    EXPECT_EQ(Frames, frames);
}

TEST_F(ScreenSaverTest, ThePreviewRunEndsInTheMessageLoopWhenTheHostGoes)
{
    THostWindow host(100, 80);
    Build({"/l", HandleText(host.Handle())});
    const HWND hostWnd = host.Handle();
    bool ended = false;
    {
        // The host goes from inside the loop, a moment after it started.
        SetTimer(hostWnd, 1, 100, [](HWND wnd, UINT, UINT_PTR, DWORD) { DestroyWindow(wnd); });
        ended = RunLoop(3s);
    }
    EXPECT_TRUE(ended) << "the preview kept running after its host went";
    EXPECT_FALSE(IsWindow(hostWnd));
    EXPECT_GT(Frames, 0);
}

TEST_F(ScreenSaverTest, TheDialogDisablesItsParentWindowWhileItRuns)
{
    THostWindow parent(50, 50);
    Build({"/c:" + HandleText(parent.Handle())});
    EXPECT_EQ(Saver->SaverMode(), smConfigure);
    EXPECT_FALSE(IsWindowEnabled(parent.Handle()));
    EXPECT_FALSE(Saver->IsFullScreen());
    Form.reset();
    EXPECT_TRUE(IsWindowEnabled(parent.Handle()));
}

TEST_F(ScreenSaverTest, ThePasswordChangeEndsAtOnceWithoutShowingTheForm)
{
    Form = std::make_unique<TForm>(nullptr);
    Application->SetMainForm(Form.get());
    auto* saver = new TGLScreenSaver(Form.get(), {SaverFile, "/a"});
    EXPECT_EQ(saver->SaverMode(), smChangePassword);
    EXPECT_FALSE(Application->ShowMainForm);
    EXPECT_EQ(TakeQuits(), 1);
}

TEST_F(ScreenSaverTest, AHandleThatIsNotANumberRaisesAConversionError)
{
    Form = std::make_unique<TForm>(nullptr);
    EXPECT_THROW(new TGLScreenSaver(Form.get(), {SaverFile, "/s", "junk"}), EConvertError);
}
