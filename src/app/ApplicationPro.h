// TCustomApplicationPro: the program's own application component.
//
// It sits on the main form and takes over the class library's Application
// events (OnActivate, OnDeactivate, OnException, OnIdle, OnHint, OnMessage,
// OnMinimize, OnRestore, OnShowHint, OnShortCut; not OnHelp), handing each
// to a virtual App... operation that raises the component's like-named
// event. On the first idle tick it starts the program (Start, OnStart), and
// every idle tick answers "not done", so the loop comes back at once and
// frames follow one another without waiting for messages.
//
// The first component created in the process owns a hidden window of class
// and title "AppEvents" whose messages go to its WndProc: it answers power
// broadcasts (a suspend or standby query is refused unless SuspendEnabled;
// suspend and resume raise OnPowerOff and OnPowerOn) and quits the loop on
// WM_CLOSE.
//
// Once loaded (Initialize), it knows the executable's names and folders,
// and with SingleInstance it makes a second copy of the same executable end
// quietly: the copy terminates, hides its form and clears the form's events
// before anything is shown.
//
// It also keeps an optional log next to the executable (see BlockLog.h) and
// the option store: typed values in the registry key of the product version
// (OptionKeyPath), read under HKEY_LOCAL_MACHINE with a fallback to
// HKEY_CURRENT_USER, written to HKEY_LOCAL_MACHINE with a fallback that then
// stays on HKEY_CURRENT_USER. Registry errors never reach the caller; a
// stored value that does not convert reads as the default. The key is
// opened lazily and closed again at the end of every idle tick.
//
// On destruction the component lets go of the Application events that
// still lead to it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "classlib/core/Components.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/Streams.h"
#include "classlib/system/KernelHandles.h"
#include "classlib/system/Registry.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Messages.h"

class TCustomApplicationPro : public TComponent {
public:
    // At run time hooks the Application events; the first component of the
    // process also creates the hidden window.
    explicit TCustomApplicationPro(TComponent* owner);
    // Closes the semaphore, the option store and the log; the first
    // component destroys the hidden window; the Application and main-form
    // windows are hidden.
    ~TCustomApplicationPro() override;

    std::string ClassName() const override { return "TCustomApplicationPro"; }

    // --- Virtual operations, in slot order --------------------------------
    // Once per run: OnStart, then the state is "started".
    virtual void Start();
    // When started: OnStop, then the state is "stopped".
    virtual void Stop();
    // The hidden window's messages; Result is the window procedure's result.
    virtual void WndProc(TMessage& message);
    // Application->OnException: logs the message under Debug, shows the
    // cursor, and gives the exception to OnException, or shows it and
    // terminates when there is no handler. Idle ticks are held meanwhile.
    virtual void AppException(TObject* sender, Exception& e);
    // Application->OnMessage: Handled starts false.
    virtual void AppMessage(MSG& msg, bool& handled);
    // OnHelp's answer, false without a handler (Application->OnHelp is not
    // hooked: descendants and forms call it).
    virtual bool AppHelp(WORD command, intptr_t data, bool& callHelp);
    virtual void AppHint(TObject* sender);
    // Application->OnIdle: Start on the first tick, then OnIdle (with the
    // Application's idle event held, so a modal loop inside either does not
    // re-enter), Done := false, and the option store is closed.
    virtual void AppIdle(TObject* sender, bool& done);
    virtual void AppDeactivate(TObject* sender);
    virtual void AppActivate(TObject* sender);
    virtual void AppMinimize(TObject* sender);
    virtual void AppRestore(TObject* sender);
    virtual void AppShortCut(TWMKey& msg, bool& handled);
    virtual void AppShowHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo);
    // A suspend or standby broadcast: OnPowerOff.
    virtual void PowerOff();
    // A resume broadcast: OnPowerOn.
    virtual void PowerOn();
    // Run time only, from Loaded: the titles, the executable's names and
    // folders, the Application hooks, the single-instance check and the
    // taskbar button.
    virtual void Initialize();
    // The framework's options from HKEY_LOCAL_MACHINE (scrambled names):
    // data directory, NeedDisplay, NeedSystem; then OnLoadOptions.
    virtual void LoadOptions();
    // The same options written back; then OnSaveOptions.
    virtual void SaveOptions();

    // Inherited, then Initialize unless designing.
    void Loaded() override;
    // A component removed while the application terminates stops the
    // program (the form's components go after the message loop ended).
    void Notification(TComponent* aComponent, TOperation operation) override;

    // --- Properties -------------------------------------------------------
    std::string Title;
    std::string Company;
    std::string MajorVersion = "1";
    std::string MinorVersion = "0";
    bool Debug = false;
    // Whether suspend and standby queries are let through.
    bool SuspendEnabled = false;
    // Whether a second copy of the executable is turned away.
    bool SingleInstance = true;
    // Whether Initialize removes the program's taskbar button.
    bool HideTaskbar = false;
    // Whether the option store unscrambles value names (ScrambleName)
    // before use. LoadOptions and SaveOptions set it; a handler that reads
    // its own plain names clears it.
    bool ScrambleNames = false;

    bool LogFile() const { return FLogFile; }
    // Clearing it at run time closes the log.
    void SetLogFile(bool value);
    bool NeedDisplay() const { return FNeedDisplay; }
    // A change updates the thread's execution state.
    void SetNeedDisplay(bool value);
    bool NeedSystem() const { return FNeedSystem; }
    void SetNeedSystem(bool value);
    bool CursorHidden() const { return FCursorHidden; }
    // Stores the flag and, at run time, hides or shows the cursor. The
    // system's display counter is driven until the cursor really is hidden
    // (count below 0) or shown (count 0 or more), however often the flag is
    // applied.
    void SetCursorHidden(bool value);

    // Known once Initialize ran. Folders end in "\".
    const std::string& ExeName() const { return FExeName; }  // file name with extension
    const std::string& BaseName() const { return FBaseName; }  // up to the first "."
    const std::string& ExeDir() const { return FExeDir; }
    const std::string& DataDir() const { return FDataDir; }
    void SetDataDir(const std::string& dataDir) { FDataDir = dataDir; }
    // The data directory stored in the option store as it is switched now,
    // when that folder holds the program (a file named as this executable
    // or its ".EXE" copy); otherwise the executable's own folder, so that a
    // folder left behind by a moved or removed installation decides neither
    // where the program is started from nor where its help is looked for.
    std::string ReadDataDir();
    // Whether the folder holds a file named as this executable or its
    // ".EXE" copy.
    bool HoldsProgram(const std::string& folder) const;
    // A file (not a folder) is at the path.
    static bool FileExists(const std::string& path);
    const std::string& SystemDir() const { return FSystemDir; }
    const std::string& WindowsDir() const { return FWindowsDir; }
    const std::string& LogFileName() const { return FLogFileName; }
    bool Started() const { return FRunState == RunStarted; }

    // --- Helpers ----------------------------------------------------------
    // Points the ten Application events at the App... operations.
    void HookApplicationEvents();
    // Whether the command line carries the switch (see FindSwitchIn).
    static bool FindSwitch(const std::string& switchName);
    // Hides the windows, shows the cursor, then closes the main form (or
    // terminates when there is none).
    void ExitApplication();
    // Hides the Application window and the main form's window.
    void HideApplicationWindows();
    // Gives the Application window WS_EX_TOOLWINDOW.
    void HideTaskbarButton();
    // Places a top-level main form (see CenterMainFormPosition).
    void CenterMainForm();
    // Opens the help index of Application->HelpFile, which defaults to the
    // data directory's <base>.hlp.
    void ShowHelp();
    std::string GetVersion() const { return MajorVersion + "." + MinorVersion; }
    // Appends a line to the log when LogFile is set (creating it first).
    void Log(const std::string& text);
    // SetThreadExecutionState with ES_CONTINUOUS plus the display and
    // system flags that NeedDisplay and NeedSystem ask for; its result, or
    // ES_CONTINUOUS when the system lacks the function. Run time only.
    DWORD UpdateExecutionState();
    // Turns this copy away when another copy of the executable runs.
    void CheckSingleInstance();
    // The last single-instance check turned this copy away.
    bool TurnedAway() const { return FTurnedAway; }
    bool IsDesigning() const { return (ComponentState() & csDesigning) != 0; }
    bool IsRuntime() const { return !IsDesigning(); }

    // --- Option store -----------------------------------------------------
    bool RegistryReadOnly() const { return FRegistryReadOnly; }
    // A change closes the store, so the next access reopens the key for
    // reading (read-only) or writing (created when missing).
    void SetRegistryReadOnly(bool value);
    // True: HKEY_LOCAL_MACHINE, false: HKEY_CURRENT_USER. A change closes
    // the store.
    bool LocalMachine() const { return FLocalMachine; }
    void SetLocalMachine(bool value);
    // The registry object on the product version's key, opened on first use.
    TRegistry* GetRegistry();
    void CloseRegistry();
    // A missing or empty value gives the default, and so does text that
    // does not convert. Booleans read "0" as false, other integers as true,
    // and "True"/"False".
    std::string ReadString(const std::string& name, const std::string& defaultValue);
    int ReadInteger(const std::string& name, int defaultValue);
    bool ReadBool(const std::string& name, bool defaultValue);
    // Values are text: integers in decimal, Booleans "-1" and "0".
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int value);
    void WriteBool(const std::string& name, bool value);

    // --- Events -----------------------------------------------------------
    // Sender is this component.
    TNotifyEvent OnLoadOptions;
    TNotifyEvent OnSaveOptions;
    TNotifyEvent OnStart;
    TNotifyEvent OnStop;
    TNotifyEvent OnPowerOff;
    TNotifyEvent OnPowerOn;
    // The Application's events, with its arguments.
    TExceptionEvent OnException;
    TMessageEvent OnMessage;
    THelpEvent OnHelp;
    TNotifyEvent OnHint;
    TIdleEvent OnIdle;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnActivate;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TShortCutEvent OnShortCut;
    TShowHintEvent OnShowHint;

private:
    enum : uint8_t { RunStopped = 0, RunStarted = 2 };

    // Points Application->OnIdle at AppIdle (again, after holding it).
    void HookIdle();
    void ReleaseApplicationHooks();
    void OpenLog();
    // Reads `name` under HKEY_CURRENT_USER into `result` when it exists
    // there, then selects HKEY_LOCAL_MACHINE again.
    void ReadCurrentUser(const std::string& name, std::string& result);

    bool FRegistryReadOnly = false;
    bool FLocalMachine = false;
    std::string FBaseName;
    std::string FExeDir;
    std::string FDataDir;
    std::string FSystemDir;
    std::string FWindowsDir;
    std::string FExeName;
    std::string FLogFileName;
    TKernelHandle FSemaphore;
    std::unique_ptr<TFileStream> FLogStream;
    bool FLogFile = false;
    bool FCursorHidden = false;
    bool FTurnedAway = false;
    uint8_t FRunState = RunStopped;
    std::unique_ptr<TRegistry> FRegistry;
    bool FNeedSystem = false;
    bool FNeedDisplay = false;
};
