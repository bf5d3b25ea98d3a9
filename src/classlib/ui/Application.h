// The application object: the message loop, idle processing, the hidden
// application window, exception reporting, help and message boxes.
//
// There is one, reached through the global `Application` (it exists from
// static initialisation on; `InitApplication` returns it for code that runs
// before this file's globals are initialised).
//
// The loop. Each message taken from the queue goes first to OnMessage; when
// the handler sets Handled the message is dropped. A key-down message then
// goes to OnShortCut (see IsShortCut), and if nothing claimed it, it is
// translated and dispatched. When the queue is empty the loop runs one idle
// step: OnIdle with Done = true. Done left true means "nothing more to do":
// the loop sleeps in WaitMessage until the next message arrives; Done = false
// makes it call OnIdle again at once. WM_QUIT (posted by Terminate) sets
// Terminated. An exception thrown by OnMessage or OnIdle goes to
// HandleException and the loop goes on.
//
// A timer's tick (WM_TIMER) is made only when no other message waits, so it
// stands for an empty queue: after a tick, while nothing but ticks and paints
// waits, the loop runs the idle step before it takes the next message. A tick
// handler that outlasts its interval finds the next tick due at once, every
// time, and would otherwise keep the idle step away for good. Paints alone
// do not count: a window shown is painted whole before the next idle step.
//
// Modal loops (a dialog shown modally) drive the same loop, so idle
// processing keeps running under them:
//
//     while (!closed && !Application->Terminated())
//         Application->HandleMessage();
//
// When Terminated becomes true the modal loop ends too; Terminated stays
// true so that Run, further out, ends as well.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/Exceptions.h"
#include "classlib/ui/Messages.h"
#include "classlib/ui/WndProc.h"

class TForm;
class THintWindow;
class TControl;
class TTimer;


// What a hint window is about to show; OnShowHint may change it.
struct THintInfo {
    TObject* HintControl = nullptr;
    POINT CursorPos{};
    RECT CursorRect{};
    POINT HintPos{};
    int HintMaxWidth = 0;
    COLORREF HintColor = 0;
};

using TExceptionEvent = std::function<void(TObject* sender, Exception& e)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;
using TShortCutEvent = std::function<void(TWMKey& msg, bool& handled)>;
using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;
using THelpEvent = std::function<bool(WORD command, intptr_t data, bool& callHelp)>;
// Sees a message of the application window before the application does;
// true ends its processing (the message's Result is then the answer).
using TWindowHook = std::function<bool(TMessage& message)>;

class TApplication : public TComponent, public TWindowTarget {
public:
    TApplication();
    ~TApplication() override;

    std::string ClassName() const override { return "TApplication"; }

    // Creates the application window.
    void Initialize();
    // Shows the main form (when ShowMainForm and the forms layer can) and
    // runs the loop until Terminated. Terminated is cleared on entry, so Run
    // may be called again after it returned; a Terminate issued before Run
    // still ends it, because its WM_QUIT is still queued.
    void Run();
    // Handles one message, or, with none waiting, runs one idle step and
    // waits for a message when the step says it is done. After a tick, with
    // nothing but ticks and paints waiting, it runs the idle step instead,
    // and does not wait.
    void HandleMessage();
    // Handles every waiting message; no idle step, no waiting.
    void ProcessMessages();
    // One idle step without waiting: fires OnIdle with Done = true and
    // returns Done. An exception from the handler goes to HandleException
    // and counts as "not done".
    bool Idle();
    // Posts WM_QUIT; the loop that takes it sets Terminated.
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // The hidden application window (class "TApplication"), created on
    // first use. It owns message boxes when there is no main form, carries
    // the title and reports activation of the application; closed (while
    // minimized it stands for the program) it closes the main form.
    HWND Handle();

    // Default: the executable's file name without its extension.
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title);

    const std::string& HelpFile() const { return FHelpFile; }
    void SetHelpFile(const std::string& helpFile) { FHelpFile = helpFile; }
    // Asks OnHelp first (its result is the answer); unless it cleared
    // CallHelp, calls the help system (WinHelpProc) with HelpFile, whose
    // result is then the answer. With no help file nothing is called.
    bool HelpCommand(int command, intptr_t data);

    // A message box owned by the main form, or by the application window
    // when there is none; an empty caption means Title. Goes through
    // MessageBoxProc. (<windows.h> turns the name into MessageBoxA, here and
    // at every call, which changes nothing for callers.)
    int MessageBox(const std::string& text, const std::string& caption = std::string(),
                   UINT flags = MB_OK);

    bool ShowMainForm = true;

    // Hooks on the application window, called in the order they were added
    // before the window's own processing. The answer identifies the hook
    // for UnhookMainWindow; hooks may be removed in any order, also from
    // inside a hook.
    int HookMainWindow(TWindowHook hook);
    void UnhookMainWindow(int hookId);
    // The program's "MAINICON" group icon when it carries one, else the
    // system's application icon (shared, never destroyed).
    HICON Icon();
    // Creates a form of class T owned by the application. `reference` is
    // set before T's constructor runs, so that the form's own code may use
    // the global that holds it; it is reset when the constructor throws.
    // The first form created this way becomes MainForm. OnCreate fires once
    // the form is constructed (T::AfterConstruction).
    template <class T>
    void CreateForm(T*& reference);
    TForm* MainForm() const { return FMainForm; }
    void SetMainForm(TForm* form) { FMainForm = form; }
    // The main form's window through FormHooks.Handle; null without either.
    HWND MainFormHandle() const;

    // Setting a different hint fires OnHint.
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint);

    // Turning ShowHint on makes the application's hint window, owned by
    // the application, from HintWindowClass (HintWindow.h); turning it off
    // frees that window. Off at first.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool showHint);
    // Null while ShowHint is off.
    THintWindow* HintWindow() const { return FHintWindow; }
    // Milliseconds: before a hint shows, before the next one shows when a
    // hint was just visible, and before a shown hint hides.
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    // Told by every control of each mouse move over it: moving onto another
    // control hides the hint shown and, after HintPause (HintShortPause
    // while a hint was just shown), shows the new control's Hint when its
    // ShowHint is on, through OnShowHint, for HintHidePause. Null: the mouse
    // left the control that had it.
    void HintMouseMessage(TControl* control);
    // Hides the hint shown and forgets its control.
    void CancelHint();
    // The control the hint is for; null when none.
    TControl* HintControl() const { return FHintControl; }

    // Minimizes the application window (the system hides the windows it
    // owns) and fires OnMinimize; nothing happens when it is minimized
    // already. From then on the window is shown - zero-sized, it carries
    // the program's taskbar entry.
    void Minimize();
    // Restores a minimized application window (and the windows it owns)
    // and fires OnRestore; nothing happens when it is not minimized.
    void Restore();

    // A message box with the exception's message and Title, MB_ICONERROR;
    // nothing for EAbort.
    void ShowException(Exception& e);
    // Reports the exception being handled; call it from a catch block.
    // EAbort is ignored. Other exceptions go to OnException when it is set;
    // otherwise the message is shown (ShowException) and the application
    // terminates. Exceptions not derived from Exception are reported as an
    // Exception with their what() text. Nothing escapes from here. A report
    // raised while another is in progress (a handler that fails every tick
    // while the first box waits) is written to the debugger output and
    // dropped, so reports never stack.
    void HandleException(TObject* sender);
    // Offers a key to OnShortCut; true when the handler claimed it.
    bool IsShortCut(TWMKey& msg);

    TNotifyEvent OnActivate;    // the application became active (WM_ACTIVATEAPP)
    TNotifyEvent OnDeactivate;  // another application became active
    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    TNotifyEvent OnHint;
    // Fired by the hint window before it shows a hint.
    TShowHintEvent OnShowHint;
    TMessageEvent OnMessage;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TShortCutEvent OnShortCut;
    THelpEvent OnHelp;

    // Seams to the modal and external parts; empty means the system's
    // MessageBoxA and WinHelpA. Tests put recorders here.
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT flags)>
        MessageBoxProc;
    std::function<bool(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data)>
        WinHelpProc;
    // The shell's ShellExecuteA of `file` with `operation` ("open" ...), no
    // parameters or directory; empty means the system's. Nothing is reported
    // back: the shell shows its own errors.
    std::function<void(HWND owner, const std::string& operation, const std::string& file, int showCommand)>
        ShellExecuteProc;
    void ShellExecuteFile(HWND owner, const std::string& operation, const std::string& file, int showCommand);

    // Filled in by the forms layer: the window of a form, how to show it,
    // and the shortcut handling of the form a key message is for (asked
    // after OnShortCut).
    struct TFormHooks {
        std::function<HWND(TForm* form)> Handle;
        std::function<void(TForm* form)> Show;
        std::function<bool(HWND target, TWMKey& msg)> IsShortCut;
        // The dialog keys and characters of the form a message is for.
        std::function<bool(const MSG& msg)> DialogKey;
        // The MDI system keys (Ctrl+F4, Ctrl+F6) of the main form's MDI
        // client.
        std::function<bool(MSG& msg)> MDIKey;
    };
    TFormHooks FormHooks;

    void Notification(TComponent* aComponent, TOperation operation) override;

private:
    LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Takes one message from the queue and handles it; false when the queue
    // was empty.
    bool ProcessMessage(MSG& msg);
    void ReportException(TObject* sender, Exception& e);
    HWND MessageOwner();

    HWND FHandle = nullptr;
    std::vector<std::pair<int, TWindowHook>> FWindowHooks;
    int FNextHookId = 1;
    int FHookDepth = 0;
    HICON FIcon = nullptr;
    bool FTerminated = false;
    // A tick was handled since the last idle step.
    bool FIdleAfterTick = false;
    bool FReportingException = false;
    std::string FTitle;
    std::string FHelpFile;
    std::string FHint;
    TForm* FMainForm = nullptr;
    bool FShowHint = false;
    THintWindow* FHintWindow = nullptr;
    TControl* FHintControl = nullptr;
    TTimer* FHintTimer = nullptr;  // owned; the pause before showing, then before hiding
    bool FHintShown = false;
    void HintTimerExpired();
};

template <class T>
void TApplication::CreateForm(T*& reference)
{
    void* memory = ::operator new(sizeof(T));
    reference = static_cast<T*>(memory);
    T* form = nullptr;
    try {
        form = new (memory) T(this);
    } catch (...) {
        reference = nullptr;
        ::operator delete(memory);
        throw;
    }
    if (FMainForm == nullptr)
        FMainForm = form;
    form->AfterConstruction();
}

TApplication* InitApplication();

extern TApplication* Application;
