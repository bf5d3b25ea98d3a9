// TGLScreenSaver: the OpenGL application in every role the system's
// screen-saver conventions give one executable.
//
// It takes its role from the command line when it is created (see
// SaverModeOf): as a saver it hides the cursor, makes its form invisible
// and runs full screen until user input ends it (after the system's
// password check when one is required; a refusal keeps it running); as a
// preview its render window lives inside the host's preview window and the
// run ends when that window goes; as the settings dialog it disables the
// window that opened it while it runs; asked to change the password it
// calls the system's password dialog and ends at once. A saver can power
// the machine down after a chosen time, and a ".SCR" told to run as a
// program hands the run to its ".EXE" copy (a password change never does);
// when the copy is missing or cannot start, the run goes on in its own role.
// A run that the single-instance guard turns away does nothing of its role.
//
// The system's services are reached only through what is named here: the
// password libraries ("MPR.DLL" PwdChangePasswordA, "PASSWORD.CPL"
// VerifyScreenSavePwd, both loaded from the system directory for each use;
// a missing library or function counts as a verified password), the user's
// flag "ScreenSaveUsePassword", SPI_SETSCREENSAVERRUNNING and the power
// calls, which go through replaceable procedures so that tests never
// suspend the machine.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gl/GLApplication.h"
#include "gl/core/ScreenSaverRules.h"

class TGLScreenSaver : public TCustomGLApplication {
public:
    // At run time the role and the parent window come from the program's
    // command line; in mode 4 the password is changed at once.
    explicit TGLScreenSaver(TComponent* owner);
    // The same from `arguments` (the program's file name, then the
    // parameters), with the context on `platform` (null: the real window
    // system).
    TGLScreenSaver(TComponent* owner, const std::vector<std::string>& arguments,
                   std::unique_ptr<TGLPlatform> platform = nullptr);
    // When the role's start-up ran (not in a run that handed over or was
    // turned away): modes 0 and 1 tell the system the saver stopped; mode 3
    // enables the parent window again.
    ~TGLScreenSaver() override;

    std::string ClassName() const override { return "TGLScreenSaver"; }

    // --- Overrides ----------------------------------------------------------
    // The run-as-program option, the single-instance rule, the inherited
    // start-up; then, unless the run was turned away or handed over, the
    // role's set-up (see the class comment).
    void Initialize() override;
    // Full screen: input that ends the run (see IsSaverExitMessage and
    // CheckMouseMove); otherwise the inherited handling.
    void AppMessage(MSG& msg, bool& handled) override;
    // One frame; then the preview ends when its host window went, the
    // dialog leaves processor time to the system, and the saver powers the
    // machine down when the delay has passed since the first frame.
    void AppIdle(TObject* sender, bool& done) override;
    // Suspend refused from now on, the inherited step, full screen left and
    // the program ended.
    void PowerOff() override;
    // The cursor is hidden while full screen.
    void FullScreenChanged() override;
    // Mouse-move exit, run as program, power-off index; then the inherited.
    void LoadOptions() override;
    void SaveOptions() override;

    // --- Operations ---------------------------------------------------------
    TSaverMode SaverMode() const { return FSaverMode; }
    // The host or owner window of the command line (by default the
    // foreground window when the component was made).
    HWND ParentWindowHandle() const { return FParentWindow; }
    // The system's password-change dialog for screen savers, then the end.
    void ChangePassword();
    // The system's password check; true when the library or its function
    // is missing.
    bool VerifyPassword();
    // The user asked for a password: the flag "ScreenSaveUsePassword" under
    // HKEY_CURRENT_USER "Control Panel\desktop" holds a non-zero number (as
    // text or as a DWORD). Any failure to read it means no password.
    bool PasswordEnabled();
    int PowerOffIndex() const { return FPowerOffIndex; }
    // The delay of the index (an index outside the table means never);
    // SuspendEnabled unless never.
    void SetPowerOffIndex(int index);
    // Seconds after the first frame; -1 never.
    float PowerOffDelay() const { return FPowerOffDelay; }
    // Allows suspend, enables the shutdown privilege and suspends the
    // machine (forced).
    void PowerOffNow();
    void ResetMouseTracking() { FMouseTracker.Reset(); }
    void SetScreenSaverRunning(bool running);
    // Runs the ".EXE" copy in the data directory with the same parameters,
    // waits for it, then ends. False, with the form and the priority as
    // they were, when there is no copy or it cannot be started (a failure
    // to start is shown only in the program and configure roles).
    bool StartAsProgram();
    // Whether the mouse move ends the run (only with MouseMoveExit).
    bool CheckMouseMove(int x, int y);

    // --- Properties ---------------------------------------------------------
    bool MouseMoveExit = false;
    bool RunAsProgram = false;

    // --- Seams of the system's services -------------------------------------
    // Enables a privilege in the process token; empty means the real token
    // calls.
    std::function<void(const std::string& privilege)> EnablePrivilegeProc;
    // Suspends the machine; empty means the real SetSystemPowerState.
    std::function<void(bool suspend, bool force)> SetSystemPowerStateProc;
    // Starts the ".EXE" copy; empty means the real process.
    std::function<BOOL(LPSTR commandLine, DWORD priorityClass, LPCSTR directory, STARTUPINFOA& startupInfo,
                       PROCESS_INFORMATION& processInfo)>
        CreateProcessProc;

private:
    void ReadCommandLine(const std::vector<std::string>& arguments);
    bool HasExtension(const char* extension) const;
    // The owner form is black, disabled, borderless and off the screen.
    void MakeOwnerFormInvisible();
    // The preview's host window went, or took our window with it.
    bool PreviewHostGone() const;
    // Ends a run on user input (mode 1 after the password check).
    void ExitOnInput();

    std::vector<std::string> FArguments;
    TSaverMode FSaverMode = smProgram;
    HWND FParentWindow = nullptr;
    TMouseMoveTracker FMouseTracker;
    float FPowerOffDelay = -1;
    int FPowerOffIndex = 0;
    bool FParentDisabled = false;
    // The role's start-up ran, so its end-up runs with the component.
    bool FRoleStarted = false;
};
