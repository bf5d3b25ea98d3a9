#include "gl/ScreenSaver.h"

#include <utility>

#include "app/ExecutePro.h"
#include "app/core/OptionNames.h"
#include "classlib/core/CommandLine.h"
#include "classlib/core/SysUtils.h"
#include "classlib/graphics/Graphics.h"
#include "classlib/system/KernelHandles.h"
#include "classlib/system/Registry.h"
#include "classlib/ui/Forms.h"
#include "gl/WinGLPlatform.h"

namespace {

constexpr DWORD DialogIdlePause = 4;  // ms left to the system per idle tick of the dialog
const char* const PasswordFlagKey = "Control Panel\\desktop";
const char* const PasswordFlagName = "ScreenSaveUsePassword";
const char* const ShutdownPrivilege = "SeShutdownPrivilege";

// The signed low and high words of a mouse message's position.
int PositionX(LPARAM lParam)
{
    return static_cast<short>(LOWORD(lParam));
}

int PositionY(LPARAM lParam)
{
    return static_cast<short>(HIWORD(lParam));
}

using TPwdChangePassword = DWORD(WINAPI*)(LPCSTR regKeyName, HWND parent, DWORD reserved1, DWORD reserved2);
using TVerifyScreenSavePwd = BOOL(WINAPI*)(HWND parent);

// The system directory, asked of the system each time: the password
// functions may run before the application component knows its folders.
std::string SystemDirectoryPath()
{
    char buffer[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    return IncludeTrailingBackslash(std::string(buffer, length < MAX_PATH ? length : 0));
}

void EnableTokenPrivilege(const std::string& privilege)
{
    TKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive()))
        return;
    TOKEN_PRIVILEGES privileges{};
    if (!LookupPrivilegeValueA(nullptr, privilege.c_str(), &privileges.Privileges[0].Luid))
        return;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
}

std::vector<std::string> ProgramArguments()
{
    std::vector<std::string> arguments;
    for (int i = 0; i <= ParamCount(); ++i)
        arguments.push_back(ParamStr(i));
    return arguments;
}

// What making the owner form invisible changes, given back when the
// hand-over to the ".EXE" copy fails.
struct TFormLook {
    TColor Color = clBlack;
    bool Enabled = true;
    TFormBorderStyle BorderStyle = bsNone;
    RECT Bounds{};
};

TFormLook LookOf(const TCustomForm& form)
{
    return {form.Color(), form.Enabled(), form.BorderStyle(),
            {form.Left(), form.Top(), form.Left() + form.Width(), form.Top() + form.Height()}};
}

void RestoreLook(TCustomForm& form, const TFormLook& look)
{
    form.SetColor(look.Color);
    form.SetEnabled(look.Enabled);
    form.SetBorderStyle(look.BorderStyle);
    form.SetBounds(look.Bounds.left, look.Bounds.top, look.Bounds.right - look.Bounds.left,
                   look.Bounds.bottom - look.Bounds.top);
}

}  // namespace

// --- Life ----------------------------------------------------------------------

TGLScreenSaver::TGLScreenSaver(TComponent* owner) : TCustomGLApplication(owner)
{
    SetNeedDisplay(true);
    if (IsRuntime())
        ReadCommandLine(ProgramArguments());
}

TGLScreenSaver::TGLScreenSaver(TComponent* owner, const std::vector<std::string>& arguments,
                               std::unique_ptr<TGLPlatform> platform)
    : TCustomGLApplication(owner, platform ? std::move(platform) : std::make_unique<TWinGLPlatform>())
{
    SetNeedDisplay(true);
    if (IsRuntime())
        ReadCommandLine(arguments);
}

TGLScreenSaver::~TGLScreenSaver()
{
    if (!IsRuntime() || !FRoleStarted)
        return;
    if (FSaverMode == smProgram || FSaverMode == smSaver)
        SetScreenSaverRunning(false);
    if (FParentDisabled && IsWindow(FParentWindow))
        EnableWindow(FParentWindow, TRUE);
}

void TGLScreenSaver::ReadCommandLine(const std::vector<std::string>& arguments)
{
    FArguments = arguments;
    FSaverMode = SaverModeOf(arguments);
    FParentWindow = reinterpret_cast<HWND>(
        ParentWindowOf(arguments, reinterpret_cast<uintptr_t>(GetForegroundWindow())));
    if (FSaverMode == smChangePassword)
        ChangePassword();
}

bool TGLScreenSaver::HasExtension(const char* extension) const
{
    return !FArguments.empty() && UpperCase(ExtractFileExt(FArguments.front())) == extension;
}

void TGLScreenSaver::Initialize()
{
    if (!IsRuntime()) {
        TCustomGLApplication::Initialize();
        return;
    }
    SetLocalMachine(true);
    ScrambleNames = true;
    RunAsProgram = ReadBool(OptionNames::RunAsProgram.Scrambled(), RunAsProgram);
    SingleInstance = HasExtension(".EXE") || (!RunAsProgram && FSaverMode == smSaver);
    TCustomGLApplication::Initialize();
    // A run turned away leaves the system and the screen to the copy that
    // runs: neither its role's start-up nor (see the destructor) its end-up.
    if (TurnedAway())
        return;

    // The password was changed when the command line was read: a hand-over
    // would change it again.
    if (HasExtension(".SCR") && RunAsProgram && FSaverMode != smChangePassword) {
        SetLocalMachine(true);
        ScrambleNames = true;
        SetDataDir(ReadDataDir());
        // A copy that is missing or cannot start must not lock the user
        // out of the dialog or the saver: this run then goes on in its role.
        if (StartAsProgram())
            return;
        // Going on as the saver, this run is guarded as any saver run is.
        if (FSaverMode == smSaver && !SingleInstance) {
            SingleInstance = true;
            CheckSingleInstance();
            if (TurnedAway())
                return;
        }
    }
    FRoleStarted = true;
    if (FSaverMode == smProgram || FSaverMode == smSaver)
        SetScreenSaverRunning(true);
    switch (FSaverMode) {
    case smSaver:
        SetCursorHidden(true);
        MakeOwnerFormInvisible();
        ExitOnLeaveFullScreen = true;
        if (Display() != nullptr)
            Display()->SetFullScreen(true);
        break;
    case smPreview:
        HideApplicationWindows();
        HideTaskbarButton();
        MakeOwnerFormInvisible();
        ExitOnLeaveFullScreen = true;
        if (!IsWindow(FParentWindow)) {
            // The host closed or replaced its preview before this run began
            // (it does so while the user scrolls through the savers): the
            // run ends quietly, as when the host goes later.
            Application->ShowMainForm = false;
            Active = false;
            ExitApplication();
            break;
        }
        if (Window() != nullptr) {
            Window()->SetParent(nullptr);
            Window()->SetParentWindow(FParentWindow);
        }
        break;
    case smConfigure:
        HideApplicationWindows();
        HideTaskbarButton();
        if (FParentWindow != nullptr) {
            EnableWindow(FParentWindow, FALSE);
            FParentDisabled = true;
        }
        break;
    default:
        break;
    }
    if (FSaverMode != smProgram)
        ResetMouseTracking();
}

void TGLScreenSaver::MakeOwnerFormInvisible()
{
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (form == nullptr)
        return;
    form->SetColor(clBlack);
    form->SetEnabled(false);
    form->SetBorderStyle(bsNone);
    form->SetBounds(-form->Width(), -form->Height(), 0, 0);
}

bool TGLScreenSaver::StartAsProgram()
{
    const std::string program = DataDir() + BaseName() + ".EXE";
    if (!FileExists(program))
        return false;
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    const TFormLook look = form != nullptr ? LookOf(*form) : TFormLook{};
    MakeOwnerFormInvisible();
    const DWORD priorityClass = GetPriorityClass(GetCurrentProcess());
    SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS);
    // Quoted: a blank in a folder name cannot split the program's path.
    std::string command = "\"" + program + "\" ";
    for (size_t i = 1; i < FArguments.size(); ++i)
        command += (i > 1 ? " " : "") + FArguments[i];
    auto launcher = std::make_unique<TExecutePro>(nullptr);
    launcher->Mode = emProcess;
    launcher->WindowStyle = ewShow;
    launcher->Wait = true;
    launcher->DefaultDirectory = DataDir();
    launcher->CreateProcessProc = CreateProcessProc;
    // Only the dialog's roles may show a failure: a saver or a preview
    // goes on silently.
    launcher->ReportFailure = FSaverMode == smProgram || FSaverMode == smConfigure;
    if (!launcher->Execute(command)) {
        if (priorityClass != 0)
            SetPriorityClass(GetCurrentProcess(), priorityClass);
        if (form != nullptr)
            RestoreLook(*form, look);
        return false;
    }
    ExitApplication();
    return true;
}

// --- Password ------------------------------------------------------------------

void TGLScreenSaver::ChangePassword()
{
    Application->ShowMainForm = false;
    {
        const TModule library(SystemDirectoryPath() + "MPR.DLL");
        if (const auto change = library.Function<TPwdChangePassword>("PwdChangePasswordA"))
            change("SCRSAVE", FParentWindow, 0, 0);
    }
    ExitApplication();
}

bool TGLScreenSaver::VerifyPassword()
{
    const TModule library(SystemDirectoryPath() + "PASSWORD.CPL");
    const auto verify = library.Function<TVerifyScreenSavePwd>("VerifyScreenSavePwd");
    if (verify == nullptr)
        return true;
    ShowCursor(TRUE);
    const bool verified = verify(GetForegroundWindow()) != 0;
    ShowCursor(FALSE);
    return verified;
}

bool TGLScreenSaver::PasswordEnabled()
{
    try {
        TRegistry registry(KEY_READ);
        registry.SetRootKey(HKEY_CURRENT_USER);
        if (!registry.OpenKeyReadOnly(PasswordFlagKey))
            return false;
        switch (registry.GetDataType(PasswordFlagName)) {
        case rdInteger:
            return registry.ReadInteger(PasswordFlagName) != 0;
        case rdString:
        case rdExpandString: {
            int value = 0;
            return TryStrToInt(Trim(registry.ReadString(PasswordFlagName)), value) && value != 0;
        }
        default:
            return false;
        }
    } catch (const Exception&) {
        return false;
    }
}

// --- Power ---------------------------------------------------------------------

void TGLScreenSaver::SetPowerOffIndex(int index)
{
    FPowerOffIndex = NormalPowerOffIndex(index);
    FPowerOffDelay = PowerOffDelayOf(FPowerOffIndex);
    SuspendEnabled = FPowerOffIndex != 0;
}

void TGLScreenSaver::PowerOffNow()
{
    SuspendEnabled = true;
    if (EnablePrivilegeProc)
        EnablePrivilegeProc(ShutdownPrivilege);
    else
        EnableTokenPrivilege(ShutdownPrivilege);
    if (SetSystemPowerStateProc)
        SetSystemPowerStateProc(true, true);
    else
        SetSystemPowerState(TRUE, TRUE);
}

void TGLScreenSaver::PowerOff()
{
    SuspendEnabled = false;
    TCustomGLApplication::PowerOff();
    if (Display() != nullptr)
        Display()->SetFullScreen(false);
    ExitApplication();
}

void TGLScreenSaver::SetScreenSaverRunning(bool running)
{
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? TRUE : FALSE, nullptr, 0);
}

// --- Run -----------------------------------------------------------------------

bool TGLScreenSaver::PreviewHostGone() const
{
    if (!IsWindow(FParentWindow))
        return true;
    // Our own hiding destroys the window too, but then it is not visible.
    return Window() != nullptr && Window()->Visible() && !Window()->HandleAllocated();
}

void TGLScreenSaver::AppIdle(TObject* sender, bool& done)
{
    if (FSaverMode == smPreview && IsRuntime() && Active && PreviewHostGone()) {
        // The host closed its preview: the run ends instead of idling on.
        Active = false;
        ExitApplication();
        return;
    }
    TCustomGLApplication::AppIdle(sender, done);
    if (FSaverMode == smConfigure)
        Sleep(DialogIdlePause);
    if (FSaverMode == smSaver && FPowerOffDelay > 0 && Timer().Elapsed().GetSeconds() > FPowerOffDelay) {
        FPowerOffDelay = -1;
        PowerOffNow();
    }
}

void TGLScreenSaver::FullScreenChanged()
{
    SetCursorHidden(IsFullScreen());
    TCustomGLApplication::FullScreenChanged();
    SetCursorHidden(IsFullScreen());
}

bool TGLScreenSaver::CheckMouseMove(int x, int y)
{
    return MouseMoveExit && FMouseTracker.Check(x, y);
}

void TGLScreenSaver::AppMessage(MSG& msg, bool& handled)
{
    if (!IsFullScreen()) {
        TCustomGLApplication::AppMessage(msg, handled);
        return;
    }
    handled = false;
    const bool exit = msg.message == WM_MOUSEMOVE
                          ? CheckMouseMove(PositionX(msg.lParam), PositionY(msg.lParam))
                          : IsSaverExitMessage(msg.message, msg.wParam);
    if (!exit) {
        TCustomGLApplication::AppMessage(msg, handled);
        return;
    }
    handled = true;
    ExitOnInput();
}

void TGLScreenSaver::ExitOnInput()
{
    if (FSaverMode != smSaver) {
        // A full-screen preview from the dialog: back to the dialog.
        Display()->SetFullScreen(false);
        return;
    }
    if (PasswordEnabled()) {
        PresentLastFrame();
        SetCursorHidden(false);
        if (!VerifyPassword()) {
            ResetMouseTracking();
            SetCursorHidden(true);
            return;
        }
    }
    SetCursorHidden(true);
    Display()->SetFullScreen(false);
    ExitApplication();
}

// --- Options -------------------------------------------------------------------

void TGLScreenSaver::LoadOptions()
{
    if (IsRuntime()) {
        SetLocalMachine(true);
        ScrambleNames = true;
        MouseMoveExit = ReadBool(OptionNames::MouseMoveExit.Scrambled(), MouseMoveExit);
        RunAsProgram = ReadBool(OptionNames::RunAsProgram.Scrambled(), RunAsProgram);
        SetPowerOffIndex(ReadInteger(OptionNames::PowerOffIndex.Scrambled(), FPowerOffIndex));
    }
    TCustomGLApplication::LoadOptions();
}

void TGLScreenSaver::SaveOptions()
{
    if (IsRuntime()) {
        SetLocalMachine(true);
        ScrambleNames = true;
        WriteBool(OptionNames::MouseMoveExit.Scrambled(), MouseMoveExit);
        WriteBool(OptionNames::RunAsProgram.Scrambled(), RunAsProgram);
        WriteInteger(OptionNames::PowerOffIndex.Scrambled(), FPowerOffIndex);
    }
    TCustomGLApplication::SaveOptions();
}
