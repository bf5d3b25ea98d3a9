#include "classlib/ui/Application.h"

#include <shellapi.h>

#include <exception>
#include <utility>

#include "classlib/core/CommandLine.h"
#include "classlib/core/ScopeExit.h"
#include "classlib/core/SysUtils.h"
#include "classlib/ui/HintWindow.h"

namespace {

const char* const kApplicationWindowClass = "TApplication";

// Whether the thread's queue holds nothing but the messages the system makes
// only when no other waits: due timer ticks and windows to paint.
bool OnlyTimersAndPaintsWait()
{
    return (HIWORD(GetQueueStatus(QS_ALLINPUT)) & ~(QS_TIMER | QS_PAINT)) == 0;
}

}  // namespace

TApplication* InitApplication()
{
    static TApplication application;
    return &application;
}

TApplication* Application = InitApplication();

TApplication::TApplication() : TComponent(nullptr)
{
    FTitle = ChangeFileExt(ExtractFileName(ParamStr(0)), "");
}

TApplication::~TApplication()
{
    // The forms go first, while the application they use still exists.
    DestroyComponents();
    if (FHandle != nullptr) {
        // Detached first: the window may belong to a thread that cannot
        // destroy it now, and it must not reach this object any more.
        DetachWindowTarget(FHandle);
        DestroyWindow(FHandle);
    }
}

void TApplication::Initialize()
{
    Handle();
}

HWND TApplication::Handle()
{
    if (FHandle == nullptr) {
        WNDCLASSEXA windowClass{};
        windowClass.lpszClassName = kApplicationWindowClass;
        RegisterWindowClass(windowClass);
        FHandle = CreateWindowExA(0, kApplicationWindowClass, FTitle.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                  0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                                  static_cast<TWindowTarget*>(this));
        if (FHandle == nullptr)
            throw Exception("Cannot create the application window");
    }
    return FHandle;
}

int TApplication::HookMainWindow(TWindowHook hook)
{
    FWindowHooks.emplace_back(FNextHookId, std::move(hook));
    return FNextHookId++;
}

void TApplication::UnhookMainWindow(int hookId)
{
    for (auto& entry : FWindowHooks)
        if (entry.first == hookId)
            entry.second = nullptr;  // erased outside any running hook walk
}

HICON TApplication::Icon()
{
    if (FIcon == nullptr) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        if (FindResourceA(instance, "MAINICON", MAKEINTRESOURCEA(14)) != nullptr)
            FIcon = static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
        if (FIcon == nullptr)
            FIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    }
    return FIcon;
}

LRESULT TApplication::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!FWindowHooks.empty()) {
        // Removed hooks are dropped only outside every walk; one added on
        // the way sees the next message. A hook runs from a copy, so that
        // removing itself cannot free the closure that is running.
        if (FHookDepth == 0)
            std::erase_if(FWindowHooks, [](const auto& entry) { return !entry.second; });
        TMessage message{msg, wParam, lParam, 0};
        const size_t count = FWindowHooks.size();
        ++FHookDepth;
        const TScopeExit leave([this] { --FHookDepth; });
        for (size_t i = 0; i < count && i < FWindowHooks.size(); ++i) {
            if (!FWindowHooks[i].second)
                continue;
            const TWindowHook hook = FWindowHooks[i].second;
            if (hook(message))
                return message.Result;
        }
    }
    switch (msg) {
    case WM_ACTIVATEAPP:
        // The system sends it to every top-level window of the thread, this
        // hidden one included, so forms need not pass it on.
        if (wParam != 0)
            Fire(OnActivate, this);
        else
            Fire(OnDeactivate, this);
        break;
    case WM_SYSCOMMAND:
        // The minimized application window's taskbar entry and system menu.
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
            Minimize();
            return 0;
        case SC_RESTORE:
            Restore();
            return 0;
        }
        break;
    case WM_CLOSE:
        // Closing the minimized application (its close button, system menu
        // or Alt+F4) closes the main form as the user would, which ends the
        // program. Destroyed instead, the window would take the forms it
        // owns with it and leave the loop running with nothing on screen.
        if (const HWND mainForm = MainFormHandle()) {
            SendMessageA(mainForm, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        FHandle = nullptr;  // made again on the next use
        break;
    }
    return DefaultWindowProc(wnd, msg, wParam, lParam);
}

// --- The loop ----------------------------------------------------------------

bool TApplication::ProcessMessage(MSG& msg)
{
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    try {
        bool handled = false;
        Fire(OnMessage, msg, handled);
        if (!handled && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && FormHooks.MDIKey)
            handled = FormHooks.MDIKey(msg);
        if (!handled && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
            TWMKey key{msg.message, static_cast<WORD>(msg.wParam), msg.lParam, 0};
            handled = IsShortCut(key) || (FormHooks.IsShortCut && FormHooks.IsShortCut(msg.hwnd, key));
        }
        if (!handled && (msg.message == WM_KEYDOWN || msg.message == WM_CHAR || msg.message == WM_SYSCHAR))
            handled = FormHooks.DialogKey && FormHooks.DialogKey(msg);
        if (!handled) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } catch (...) {
        HandleException(this);
    }
    return true;
}

bool TApplication::Idle()
{
    bool done = true;
    try {
        Fire(OnIdle, this, done);
    } catch (...) {
        HandleException(this);
        done = false;
    }
    return done;
}

void TApplication::HandleMessage()
{
    if (FIdleAfterTick && OnlyTimersAndPaintsWait()) {
        FIdleAfterTick = false;
        Idle();  // messages wait: no waiting, whatever the step answers
        return;
    }
    MSG msg;
    if (ProcessMessage(msg)) {
        FIdleAfterTick = FIdleAfterTick || msg.message == WM_TIMER;
        return;
    }
    FIdleAfterTick = false;
    if (Idle())
        WaitMessage();
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::Run()
{
    FTerminated = false;
    if (ShowMainForm && FMainForm != nullptr && FormHooks.Show)
        FormHooks.Show(FMainForm);
    while (!FTerminated)
        HandleMessage();
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

bool TApplication::IsShortCut(TWMKey& msg)
{
    bool handled = false;
    Fire(OnShortCut, msg, handled);
    return handled;
}

// --- Properties ----------------------------------------------------------------

void TApplication::SetTitle(const std::string& title)
{
    FTitle = title;
    if (FHandle != nullptr)
        SetWindowTextA(FHandle, FTitle.c_str());
}

void TApplication::SetHint(const std::string& hint)
{
    if (hint == FHint)
        return;
    FHint = hint;
    Fire(OnHint, this);
}

void TApplication::SetShowHint(bool showHint)
{
    if (showHint == FShowHint)
        return;
    FShowHint = showHint;
    if (showHint) {
        FHintWindow = HintWindowClass(this);
    } else {
        delete FHintWindow;
        FHintWindow = nullptr;
    }
}

void TApplication::Notification(TComponent* aComponent, TOperation operation)
{
    TComponent::Notification(aComponent, operation);
    if (operation == opRemove && aComponent == FHintWindow)
        FHintWindow = nullptr;
    if (operation == opRemove && aComponent == FHintControl)
        CancelHint();
}

HWND TApplication::MainFormHandle() const
{
    if (FMainForm == nullptr || !FormHooks.Handle)
        return nullptr;
    return FormHooks.Handle(FMainForm);
}

HWND TApplication::MessageOwner()
{
    const HWND mainForm = MainFormHandle();
    return mainForm != nullptr ? mainForm : Handle();
}

void TApplication::Minimize()
{
    const HWND wnd = Handle();
    if (IsIconic(wnd))
        return;
    ShowWindow(wnd, SW_MINIMIZE);
    Fire(OnMinimize, this);
}

void TApplication::Restore()
{
    const HWND wnd = Handle();
    if (!IsIconic(wnd))
        return;
    ShowWindow(wnd, SW_RESTORE);
    Fire(OnRestore, this);
}

// --- Message boxes and help ----------------------------------------------------

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    const HWND owner = MessageOwner();
    const std::string& shownCaption = caption.empty() ? FTitle : caption;
    if (MessageBoxProc)
        return MessageBoxProc(owner, text, shownCaption, flags);
    return ::MessageBoxA(owner, text.c_str(), shownCaption.c_str(), flags);
}

bool TApplication::HelpCommand(int command, intptr_t data)
{
    bool callHelp = true;
    bool result = false;
    if (OnHelp)
        result = OnHelp(static_cast<WORD>(command), data, callHelp);
    if (!callHelp || FHelpFile.empty())
        return result;
    const HWND owner = MessageOwner();
    const auto helpData = static_cast<ULONG_PTR>(data);
    if (WinHelpProc)
        return WinHelpProc(owner, FHelpFile, static_cast<UINT>(command), helpData);
    return ::WinHelpA(owner, FHelpFile.c_str(), static_cast<UINT>(command), helpData) != FALSE;
}

void TApplication::ShellExecuteFile(HWND owner, const std::string& operation, const std::string& file,
                                    int showCommand)
{
    if (ShellExecuteProc) {
        ShellExecuteProc(owner, operation, file, showCommand);
        return;
    }
    ShellExecuteA(owner, operation.c_str(), file.c_str(), nullptr, nullptr, showCommand);
}

// --- Exceptions ------------------------------------------------------------------

void TApplication::ShowException(Exception& e)
{
    if (dynamic_cast<EAbort*>(&e) != nullptr)
        return;
    MessageBox(e.Message, FTitle, MB_OK | MB_ICONERROR);
}

void TApplication::ReportException(TObject* sender, Exception& e)
{
    if (OnException) {
        OnException(sender, e);
    } else {
        ShowException(e);
        Terminate();
    }
}

void TApplication::HandleException(TObject* sender)
{
    const std::exception_ptr current = std::current_exception();
    if (!current)
        return;
    if (FReportingException) {
        try {
            std::rethrow_exception(current);
        } catch (const Exception& e) {
            OutputDebugStringA(("Exception while another is reported: " + e.Message + "\n").c_str());
        } catch (...) {
            OutputDebugStringA("Exception while another is reported\n");
        }
        return;
    }
    FReportingException = true;
    const TScopeExit reported([this] { FReportingException = false; });
    try {
        try {
            std::rethrow_exception(current);
        } catch (EAbort&) {
            // silent by definition
        } catch (Exception& e) {
            ReportException(sender, e);
        } catch (std::exception& e) {
            Exception wrapped(e.what());
            ReportException(sender, wrapped);
        } catch (...) {
            Exception wrapped("Unknown exception");
            ReportException(sender, wrapped);
        }
    } catch (...) {
        // A failing handler cannot be reported anywhere; the loop goes on.
    }
}
