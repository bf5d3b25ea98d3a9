// The platform-free half of the process launcher (TExecutePro): how a
// command line splits into program and parameters, which way it is run, and
// what the Win32 calls receive.
//
// The program part is found first: the first blank whose preceding file
// name (after the last "\" before it) holds a "." ends it, so
// "C:\dir\prog.exe /s C:\data\x.txt" is the program "C:\dir\prog.exe" with
// the parameters "/s C:\data\x.txt", whatever paths the parameters hold.
// A line without such a blank splits on its file-name part (after its last
// "\"): the leftmost blank after that part's last "." (or after its start,
// without one); without such a blank the whole line is the program.
// A line that opens with a double quote names its program between the
// quotes (the program part is then the path without them), so that no
// folder name can move the split: "C:\Games\Corvalen 2.0 Saver\x.EXE" /s.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

enum TExecWindowStyle { ewShow, ewHide, ewMaximize, ewMinimize };
enum TExecPriority { epNormal, epHigh, epIdle, epRealTime };
// emAuto starts ".exe" programs as processes and opens anything else
// through the shell.
enum TExecMode { emAuto, emProcess, emShell };

// SW_SHOW, SW_HIDE, SW_MAXIMIZE, SW_MINIMIZE.
int ExecShowCommand(TExecWindowStyle style);
// NORMAL_, HIGH_, IDLE_, REALTIME_PRIORITY_CLASS.
uint32_t ExecPriorityClass(TExecPriority priority);

// ".exe" occurs in the lower-cased name.
bool IsExeFile(const std::string& fileName);

struct TExecSplit {
    std::string ProgramName;
    std::string Parameters;
};
TExecSplit SplitExecCommandLine(const std::string& commandLine);

// True when the command runs as a new process, false for the shell.
bool ExecRunsAsProcess(TExecMode mode, const std::string& programName);

// The command line handed to CreateProcess: the line as given, with the
// program part put in double quotes when it holds a blank (a line that
// opens with a quote is passed as it is), so that a program under
// "C:\Program Files\" is not mistaken for "C:\Program".
std::string ProcessCommandLine(const std::string& commandLine, const TExecSplit& split);

// The arguments of ShellExecute's "open": the parameters only for a
// non-empty ".exe" call, the directory only when set, and the show command
// only for an ".exe" (0 otherwise).
struct TShellCall {
    std::string FileName;
    std::optional<std::string> Parameters;
    std::optional<std::string> Directory;
    int ShowCommand = 0;
};
TShellCall MakeShellCall(const TExecSplit& split, const std::string& defaultDirectory,
                         TExecWindowStyle style);
