#include "app/ApplicationPro.h"

#include <utility>
#include <vector>

#include "app/core/ApplicationProRules.h"
#include "app/core/BlockLog.h"
#include "classlib/core/CommandLine.h"
#include "classlib/core/ScopeExit.h"
#include "classlib/core/SysUtils.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Screen.h"

namespace {

// Process-wide: the component that owns the hidden window, and the window.
TCustomApplicationPro* FirstInstance = nullptr;
HWND EventsWindow = nullptr;
bool EventsClassRegistered = false;

const char* const EventsWindowName = "AppEvents";
const char* const WindowErrorCaption = "ApplicationPro Error";

constexpr UINT EventsClassStyle = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;               // 0x23
constexpr DWORD EventsWindowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;   // 0x86000000
constexpr DWORD EventsWindowExStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;          // 0x180
constexpr LRESULT BroadcastQueryDeny = 0x424D5144;
constexpr int HelpIndex = 3;

// An Application event bound to a method of one component. Its type lets the
// component find, when it goes, the events that still lead to it.
template <auto Method>
struct TAppHook {
    TCustomApplicationPro* Self;

    template <class... A>
    decltype(auto) operator()(A&&... args) const
    {
        return (Self->*Method)(std::forward<A>(args)...);
    }
};

template <auto Method, class Event>
void Unhook(Event& event, const TCustomApplicationPro* self)
{
    const auto* hook = event.template target<TAppHook<Method>>();
    if (hook != nullptr && hook->Self == self)
        event = nullptr;
}

void ShowWindowError(const char* text)
{
    MessageBoxA(nullptr, text, WindowErrorCaption, MB_ICONERROR);
}

// The hidden window's procedure: the first component answers its messages.
LRESULT CALLBACK EventsWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (EventsWindow == nullptr)
        EventsWindow = wnd;  // messages of the creation arrive before CreateWindowEx returns
    TCustomApplicationPro* instance = FirstInstance;
    if (instance == nullptr)
        return DefWindowProcA(wnd, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        instance->WndProc(message);
    } catch (...) {
        Application->HandleException(instance);
    }
    return message.Result;
}

void KillEventsWindow()
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (EventsWindow != nullptr && !DestroyWindow(EventsWindow))
        ShowWindowError("KillWnd: Unable to destroy window!");
    EventsWindow = nullptr;
    if (EventsClassRegistered && !UnregisterClassA(EventsWindowName, instance))
        ShowWindowError("KillWnd: Unable to unregister window class!");
    EventsClassRegistered = false;
}

void CreateEventsWindow()
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.style = EventsClassStyle;
    windowClass.lpfnWndProc = EventsWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = EventsWindowName;
    if (!RegisterClassA(&windowClass)) {
        ShowWindowError("CreateWnd: Failed to register the window class!");
        return;
    }
    EventsClassRegistered = true;
    const HWND wnd = CreateWindowExA(EventsWindowExStyle, EventsWindowName, EventsWindowName,
                                     EventsWindowStyle, -1, -1, 1, 1, nullptr, nullptr, instance, nullptr);
    if (wnd == nullptr) {
        EventsWindow = nullptr;
        UnregisterClassA(EventsWindowName, instance);
        EventsClassRegistered = false;
        ShowWindowError("CreateWnd: Unable to create window!");
        return;
    }
    EventsWindow = wnd;
    ShowWindow(wnd, SW_SHOW);
    SetForegroundWindow(wnd);
    SetFocus(wnd);
}

// Drives the system's cursor display counter until the cursor is hidden
// (count below 0) or shown (count 0 or more).
void ApplyCursor(bool hidden)
{
    if (hidden) {
        while (ShowCursor(FALSE) >= 0) {
        }
    } else {
        while (ShowCursor(TRUE) < 0) {
        }
    }
}

std::string DirectoryOf(UINT (WINAPI* query)(LPSTR, UINT))
{
    char buffer[MAX_PATH + 1] = {};
    const UINT length = query(buffer, MAX_PATH);
    return AddTrailingBackslash(std::string(buffer, length < MAX_PATH ? length : 0));
}

}  // namespace

// --- Life ----------------------------------------------------------------------

TCustomApplicationPro::TCustomApplicationPro(TComponent* owner) : TComponent(owner)
{
    if (IsRuntime()) {
        HookApplicationEvents();
        if (FirstInstance == nullptr) {
            FirstInstance = this;
            CreateEventsWindow();
        }
    }
}

TCustomApplicationPro::~TCustomApplicationPro()
{
    try {
        if (IsRuntime()) {
            FSemaphore.Reset();
            CloseRegistry();
            FLogStream.reset();
            if (FirstInstance == this) {
                FirstInstance = nullptr;
                KillEventsWindow();
            }
        }
        ReleaseApplicationHooks();
        HideApplicationWindows();
    } catch (...) {
        // Nothing may leave a destructor; the windows were only being hidden.
    }
}

void TCustomApplicationPro::Loaded()
{
    TComponent::Loaded();
    if (!IsDesigning())
        Initialize();
}

void TCustomApplicationPro::Initialize()
{
    if (!IsRuntime())
        return;
    if (!Title.empty())
        Application->SetTitle(Title);
    if (!Application->Title().empty())
        Title = Application->Title();

    char module[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string path(module, length < MAX_PATH ? length : 0);
    FExeName = ExtractFileName(path);
    FBaseName = ExeBaseName(path);
    FExeDir = AddTrailingBackslash(ExtractFilePath(path));
    FDataDir = FExeDir;
    FSystemDir = DirectoryOf(GetSystemDirectoryA);
    FWindowsDir = DirectoryOf(GetWindowsDirectoryA);
    FLogFileName = LogFileNameOf(FExeDir, FBaseName);

    HookApplicationEvents();
    if (SingleInstance)
        CheckSingleInstance();
    if (HideTaskbar)
        HideTaskbarButton();
}

void TCustomApplicationPro::Notification(TComponent* aComponent, TOperation operation)
{
    TComponent::Notification(aComponent, operation);
    if (IsRuntime() && operation == opRemove && Application->Terminated()) {
        // Told from destructors: nothing may escape.
        try {
            Stop();
        } catch (...) {
            Application->HandleException(this);
        }
    }
}

// --- Run state -----------------------------------------------------------------

void TCustomApplicationPro::Start()
{
    if (IsDesigning() || FRunState != RunStopped)
        return;
    Fire(OnStart, this);
    FRunState = RunStarted;
}

void TCustomApplicationPro::Stop()
{
    if (IsDesigning() || FRunState == RunStopped)
        return;
    Fire(OnStop, this);
    FRunState = RunStopped;
}

void TCustomApplicationPro::PowerOff()
{
    Fire(OnPowerOff, this);
}

void TCustomApplicationPro::PowerOn()
{
    Fire(OnPowerOn, this);
}

// --- Application events --------------------------------------------------------

void TCustomApplicationPro::HookApplicationEvents()
{
    Application->OnActivate = TAppHook<&TCustomApplicationPro::AppActivate>{this};
    Application->OnDeactivate = TAppHook<&TCustomApplicationPro::AppDeactivate>{this};
    Application->OnException = TAppHook<&TCustomApplicationPro::AppException>{this};
    HookIdle();
    Application->OnHint = TAppHook<&TCustomApplicationPro::AppHint>{this};
    Application->OnMessage = TAppHook<&TCustomApplicationPro::AppMessage>{this};
    Application->OnMinimize = TAppHook<&TCustomApplicationPro::AppMinimize>{this};
    Application->OnRestore = TAppHook<&TCustomApplicationPro::AppRestore>{this};
    Application->OnShowHint = TAppHook<&TCustomApplicationPro::AppShowHint>{this};
    Application->OnShortCut = TAppHook<&TCustomApplicationPro::AppShortCut>{this};
}

void TCustomApplicationPro::HookIdle()
{
    Application->OnIdle = TAppHook<&TCustomApplicationPro::AppIdle>{this};
}

void TCustomApplicationPro::ReleaseApplicationHooks()
{
    Unhook<&TCustomApplicationPro::AppActivate>(Application->OnActivate, this);
    Unhook<&TCustomApplicationPro::AppDeactivate>(Application->OnDeactivate, this);
    Unhook<&TCustomApplicationPro::AppException>(Application->OnException, this);
    Unhook<&TCustomApplicationPro::AppIdle>(Application->OnIdle, this);
    Unhook<&TCustomApplicationPro::AppHint>(Application->OnHint, this);
    Unhook<&TCustomApplicationPro::AppMessage>(Application->OnMessage, this);
    Unhook<&TCustomApplicationPro::AppMinimize>(Application->OnMinimize, this);
    Unhook<&TCustomApplicationPro::AppRestore>(Application->OnRestore, this);
    Unhook<&TCustomApplicationPro::AppShowHint>(Application->OnShowHint, this);
    Unhook<&TCustomApplicationPro::AppShortCut>(Application->OnShortCut, this);
}

void TCustomApplicationPro::AppIdle(TObject* sender, bool& done)
{
    if (FRunState == RunStopped) {
        Application->OnIdle = nullptr;
        Start();
        HookIdle();
    }
    if (OnIdle) {
        Application->OnIdle = nullptr;
        OnIdle(sender, done);
        HookIdle();
    }
    done = false;
    CloseRegistry();
}

void TCustomApplicationPro::AppException(TObject* sender, Exception& e)
{
    if (Debug)
        Log(e.Message);
    Application->OnIdle = nullptr;
    const TScopeExit rehook([this] { HookIdle(); });  // also when OnException raises
    SetCursorHidden(false);
    if (OnException) {
        OnException(sender, e);
    } else {
        Application->MessageBox(e.Message, Application->Title(), MB_ICONERROR);
        Application->Terminate();
    }
}

void TCustomApplicationPro::AppMessage(MSG& msg, bool& handled)
{
    handled = false;
    Fire(OnMessage, msg, handled);
}

bool TCustomApplicationPro::AppHelp(WORD command, intptr_t data, bool& callHelp)
{
    return OnHelp ? OnHelp(command, data, callHelp) : false;
}

void TCustomApplicationPro::AppHint(TObject* sender)
{
    Fire(OnHint, sender);
}

void TCustomApplicationPro::AppDeactivate(TObject* sender)
{
    Fire(OnDeactivate, sender);
}

void TCustomApplicationPro::AppActivate(TObject* sender)
{
    Fire(OnActivate, sender);
}

void TCustomApplicationPro::AppMinimize(TObject* sender)
{
    Fire(OnMinimize, sender);
}

void TCustomApplicationPro::AppRestore(TObject* sender)
{
    Fire(OnRestore, sender);
}

void TCustomApplicationPro::AppShortCut(TWMKey& msg, bool& handled)
{
    Fire(OnShortCut, msg, handled);
}

void TCustomApplicationPro::AppShowHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo)
{
    Fire(OnShowHint, hintStr, canShow, hintInfo);
}

// --- Hidden window -------------------------------------------------------------

void TCustomApplicationPro::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        PostQuitMessage(0);
        message.Result = 0;
        return;
    case WM_POWERBROADCAST:
        switch (message.WParam) {
        case PBT_APMQUERYSUSPEND:
        case PBT_APMQUERYSTANDBY:
            if (!SuspendEnabled) {
                message.Result = BroadcastQueryDeny;
                return;
            }
            break;
        case PBT_APMSUSPEND:
        case PBT_APMSTANDBY:
            PowerOff();
            break;
        case PBT_APMRESUMECRITICAL:
        case PBT_APMRESUMESUSPEND:
        case PBT_APMRESUMESTANDBY:
            PowerOn();
            break;
        }
        break;
    }
    message.Result = DefWindowProcA(EventsWindow, message.Msg, message.WParam, message.LParam);
}

// --- Single instance, windows, cursor ----------------------------------------

void TCustomApplicationPro::CheckSingleInstance()
{
    FSemaphore.Reset();  // a component initialised again does not find itself
    const HANDLE semaphore = CreateSemaphoreA(nullptr, 0, 1, SingleInstanceName(FBaseName).c_str());
    const DWORD error = GetLastError();
    FSemaphore.Reset(semaphore);
    FTurnedAway = semaphore != nullptr && error == ERROR_ALREADY_EXISTS;
    if (!FTurnedAway)
        return;
    SetLogFile(false);
    Application->Terminate();
    Application->ShowMainForm = false;
    if (auto* form = dynamic_cast<TCustomForm*>(Owner())) {
        form->OnResize = nullptr;
        form->OnActivate = nullptr;
        form->OnClose = nullptr;
        form->OnCloseQuery = nullptr;
        form->OnDeactivate = nullptr;
        form->OnPaint = nullptr;
        form->OnShow = nullptr;
        form->OnCreate = nullptr;
        form->OnDestroy = nullptr;
        form->SetVisible(false);
    }
}

bool TCustomApplicationPro::FindSwitch(const std::string& switchName)
{
    std::vector<std::string> parameters;
    for (int i = 1; i <= ParamCount(); ++i)
        parameters.push_back(ParamStr(i));
    return FindSwitchIn(parameters, switchName);
}

void TCustomApplicationPro::HideApplicationWindows()
{
    ShowWindow(Application->Handle(), SW_HIDE);
    TForm* mainForm = Application->MainForm();
    if (mainForm != nullptr && mainForm->HandleAllocated())
        ShowWindow(mainForm->Handle(), SW_HIDE);
}

void TCustomApplicationPro::ExitApplication()
{
    HideApplicationWindows();
    ApplyCursor(false);
    if (TForm* mainForm = Application->MainForm())
        mainForm->Close();
    else
        Application->Terminate();
}

void TCustomApplicationPro::HideTaskbarButton()
{
    const HWND wnd = Application->Handle();
    SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}

void TCustomApplicationPro::CenterMainForm()
{
    TForm* form = Application->MainForm();
    if (form == nullptr || form->Parent() != nullptr || form->ParentWindow() != nullptr)
        return;
    const TFormPlacement place =
        CenterMainFormPosition(Screen->Width(), Screen->Height(), form->Width(), form->Height());
    form->SetBounds(place.Left, place.Top, form->Width(), form->Height());
}

void TCustomApplicationPro::ShowHelp()
{
    if (Application->HelpFile().empty())
        Application->SetHelpFile(FDataDir + FBaseName + ".hlp");
    Application->HelpCommand(HelpIndex, 0);
}

void TCustomApplicationPro::SetCursorHidden(bool value)
{
    FCursorHidden = value;
    if (IsRuntime())
        ApplyCursor(value);
}

// --- Execution state -----------------------------------------------------------

void TCustomApplicationPro::SetNeedDisplay(bool value)
{
    if (value == FNeedDisplay)
        return;
    FNeedDisplay = value;
    UpdateExecutionState();
}

void TCustomApplicationPro::SetNeedSystem(bool value)
{
    if (value == FNeedSystem)
        return;
    FNeedSystem = value;
    UpdateExecutionState();
}

DWORD TCustomApplicationPro::UpdateExecutionState()
{
    if (!IsRuntime())
        return ES_CONTINUOUS;
    using TSetThreadExecutionState = EXECUTION_STATE(WINAPI*)(EXECUTION_STATE);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const FARPROC proc = kernel != nullptr ? GetProcAddress(kernel, "SetThreadExecutionState") : nullptr;
    if (proc == nullptr)
        return ES_CONTINUOUS;
    DWORD flags = ES_CONTINUOUS;
    if (FNeedDisplay)
        flags |= ES_DISPLAY_REQUIRED;
    if (FNeedSystem)
        flags |= ES_SYSTEM_REQUIRED;
    const auto setState = reinterpret_cast<TSetThreadExecutionState>(reinterpret_cast<void*>(proc));
    return setState(flags);
}

// --- Log -----------------------------------------------------------------------

void TCustomApplicationPro::SetLogFile(bool value)
{
    FLogFile = value;
    if (!value && IsRuntime())
        FLogStream.reset();
}

void TCustomApplicationPro::OpenLog()
{
    {
        TFileStream created(FLogFileName, fmCreate);
        AppendLogBlock(created);
    }
    FLogStream = std::make_unique<TFileStream>(FLogFileName, fmOpenReadWrite | fmShareDenyWrite);
}

void TCustomApplicationPro::Log(const std::string& text)
{
    if (!FLogFile)
        return;
    if (!FLogStream)
        OpenLog();
    WriteLogLine(*FLogStream, text);
}
