// TExecutePro: runs a command line as a new process, optionally waiting for
// it while the application's messages keep flowing, or opens it through the
// shell.
//
// A process that cannot be started is reported in a message box through
// Application->ShowException ("TExecutePro.ProcessExecute error:  ...",
// ending with the system's message, its inserts filled with the program's
// path and without its line break) unless
// ReportFailure is cleared; nothing is raised, Execute answers false and
// the caller goes on. Shell failures are not checked.
// While waiting the thread sleeps until a message arrives or the process
// ends; the wait also ends when the application terminates, even if the
// process still runs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/core/ExecuteCommand.h"
#include "classlib/core/Components.h"

class TExecutePro : public TComponent {
public:
    explicit TExecutePro(TComponent* owner);

    std::string ClassName() const override { return "TExecutePro"; }

    // Sets CommandLine and runs it by Mode; false when the process could
    // not be started (a shell call counts as started).
    bool Execute(const std::string& commandLine);

    const std::string& CommandLine() const { return FCommandLine; }
    // Also splits the program from its parameters, and fills an empty
    // DefaultDirectory with the program's directory.
    void SetCommandLine(const std::string& commandLine);
    const std::string& ProgramName() const { return FProgramName; }
    const std::string& Parameters() const { return FParameters; }

    // Working directory of the process and of the shell call.
    std::string DefaultDirectory;
    TExecMode Mode = emAuto;
    TExecPriority Priority = epNormal;
    TExecWindowStyle WindowStyle = ewMinimize;
    bool Wait = true;
    // A process that cannot be started is shown to the user.
    bool ReportFailure = true;

    // Seams for tests; empty means the real CreateProcessA (its command-line
    // buffer, priority class, directory or null, start-up information) and
    // ShellExecuteA "open".
    std::function<BOOL(LPSTR commandLine, DWORD priorityClass, LPCSTR directory,
                       STARTUPINFOA& startupInfo, PROCESS_INFORMATION& processInfo)>
        CreateProcessProc;
    std::function<void(const TShellCall& call)> ShellExecuteProc;

private:
    bool ProcessExecute();
    void ShellRun();
    // Keeps the messages flowing until the process ends or the application
    // terminates.
    void WaitForProcess(HANDLE process);

    std::string FProgramName;
    std::string FParameters;
    std::string FCommandLine;
};
