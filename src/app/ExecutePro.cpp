#include "app/ExecutePro.h"

#include <shellapi.h>


#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"
#include "classlib/system/KernelHandles.h"
#include "classlib/ui/Application.h"

namespace {

// The system's text for `error` with every insert ("%1", the file the
// error is about) filled with `program`.
std::string SystemErrorText(DWORD error, const std::string& program)
{
    // A message may name inserts up to %99; each gets the program, so none
    // reads past the arguments.
    constexpr size_t InsertCount = 99;
    DWORD_PTR inserts[InsertCount];
    for (DWORD_PTR& insert : inserts)
        insert = reinterpret_cast<DWORD_PTR>(program.c_str());
    // The system sizes the text: a long path in every insert outgrows any
    // buffer of ours, and FormatMessage then gives nothing at all.
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr, error, 0,
        reinterpret_cast<LPSTR>(&text), 0, reinterpret_cast<va_list*>(inserts));
    const TLocalMemory owned(text);
    // The system ends its messages with a line break; the report goes on
    // after the message, so it is cut off.
    return length == 0 ? std::string() : TrimRight(std::string(text, length));
}

}  // namespace

TExecutePro::TExecutePro(TComponent* owner) : TComponent(owner) {}

void TExecutePro::SetCommandLine(const std::string& commandLine)
{
    FCommandLine = commandLine;
    const TExecSplit split = SplitExecCommandLine(commandLine);
    // The program's folder: neither a quote before it nor a path among the
    // parameters belongs to it.
    if (DefaultDirectory.empty())
        DefaultDirectory = ExtractFilePath(split.ProgramName);
    FProgramName = split.ProgramName;
    FParameters = split.Parameters;
}

bool TExecutePro::Execute(const std::string& commandLine)
{
    SetCommandLine(commandLine);
    if (ExecRunsAsProcess(Mode, FProgramName))
        return ProcessExecute();
    ShellRun();
    return true;
}

bool TExecutePro::ProcessExecute()
{
    STARTUPINFOA startupInfo{};
    startupInfo.cb = sizeof(startupInfo);
    startupInfo.dwFlags = STARTF_USESHOWWINDOW;
    startupInfo.wShowWindow = static_cast<WORD>(ExecShowCommand(WindowStyle));
    PROCESS_INFORMATION processInfo{};

    // CreateProcessA may write into its command line: give it a copy.
    std::string commandLine = ProcessCommandLine(FCommandLine, {FProgramName, FParameters});
    LPCSTR directory = DefaultDirectory.empty() ? nullptr : DefaultDirectory.c_str();
    const DWORD priorityClass = ExecPriorityClass(Priority);
    BOOL started = FALSE;
    if (CreateProcessProc)
        started = CreateProcessProc(commandLine.data(), priorityClass, directory, startupInfo, processInfo);
    else
        started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, priorityClass, nullptr,
                                 directory, &startupInfo, &processInfo);
    if (!started) {
        const DWORD lastError = GetLastError();
        if (ReportFailure) {
            Exception error("TExecutePro.ProcessExecute error:  CommandLine: " + FCommandLine +
                            " DefaultDirectory: " + DefaultDirectory +
                            " Message: " + SystemErrorText(lastError, FProgramName));
            Application->ShowException(error);
        }
        return false;
    }
    const TKernelHandle process(processInfo.hProcess);
    const TKernelHandle thread(processInfo.hThread);
    if (Wait)
        WaitForProcess(processInfo.hProcess);
    return true;
}

void TExecutePro::WaitForProcess(HANDLE process)
{
    while (!Application->Terminated()) {
        DWORD exitCode = 0;
        if (!GetExitCodeProcess(process, &exitCode) || exitCode != STILL_ACTIVE)
            return;
        Application->ProcessMessages();
        if (Application->Terminated())
            return;
        // Sleeps until the process ends or input arrives (including input
        // already queued but not yet taken).
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        // A process may end with the code STILL_ACTIVE; its handle says it ended.
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
            return;
    }
}

void TExecutePro::ShellRun()
{
    const TShellCall call = MakeShellCall({FProgramName, FParameters}, DefaultDirectory, WindowStyle);
    if (ShellExecuteProc) {
        ShellExecuteProc(call);
        return;
    }
    ShellExecuteA(nullptr, "open", call.FileName.c_str(), call.Parameters ? call.Parameters->c_str() : nullptr,
                  call.Directory ? call.Directory->c_str() : nullptr, call.ShowCommand);
}
