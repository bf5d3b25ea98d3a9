#include "app/core/ExecuteCommand.h"

#include "classlib/core/SysUtils.h"

int ExecShowCommand(TExecWindowStyle style)
{
    switch (style) {
    case ewShow: return 5;
    case ewHide: return 0;
    case ewMaximize: return 3;
    case ewMinimize: return 6;
    }
    return 5;
}

uint32_t ExecPriorityClass(TExecPriority priority)
{
    switch (priority) {
    case epNormal: return 0x20;
    case epHigh: return 0x80;
    case epIdle: return 0x40;
    case epRealTime: return 0x100;
    }
    return 0x20;
}

bool IsExeFile(const std::string& fileName)
{
    return LowerCase(fileName).find(".exe") != std::string::npos;
}

TExecSplit SplitExecCommandLine(const std::string& commandLine)
{
    if (!commandLine.empty() && commandLine.front() == '"') {
        const size_t close = commandLine.find('"', 1);
        if (close == std::string::npos)
            return {commandLine.substr(1), ""};
        const size_t rest = close + 1 < commandLine.size() && commandLine[close + 1] == ' ' ? close + 2 : close + 1;
        return {commandLine.substr(1, close - 1), commandLine.substr(rest)};
    }
    // The program part first: the shortest prefix ending at a blank whose
    // file name has a ".", so a path among the parameters cannot move the
    // split.
    for (size_t blank = commandLine.find(' '); blank != std::string::npos;
         blank = commandLine.find(' ', blank + 1)) {
        const size_t slash = commandLine.rfind('\\', blank);
        const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
        if (commandLine.find('.', nameStart) < blank)
            return {commandLine.substr(0, blank), commandLine.substr(blank + 1)};
    }
    // No such prefix: the leftmost blank after the line's last "\".
    const size_t slash = commandLine.rfind('\\');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = commandLine.rfind('.');
    const size_t searchFrom = dot != std::string::npos && dot >= nameStart ? dot : nameStart;
    const size_t blank = commandLine.find(' ', searchFrom);
    if (blank == std::string::npos)
        return {commandLine, ""};
    return {commandLine.substr(0, blank), commandLine.substr(blank + 1)};
}

bool ExecRunsAsProcess(TExecMode mode, const std::string& programName)
{
    switch (mode) {
    case emProcess: return true;
    case emShell: return false;
    case emAuto: break;
    }
    return IsExeFile(programName);
}

std::string ProcessCommandLine(const std::string& commandLine, const TExecSplit& split)
{
    const std::string& program = split.ProgramName;
    if (program.find(' ') == std::string::npos || (!commandLine.empty() && commandLine.front() == '"'))
        return commandLine;
    std::string quoted = "\"" + program + "\"";
    if (program.size() < commandLine.size())
        quoted += " " + split.Parameters;
    return quoted;
}

TShellCall MakeShellCall(const TExecSplit& split, const std::string& defaultDirectory,
                         TExecWindowStyle style)
{
    TShellCall call;
    call.FileName = split.ProgramName;
    const bool exe = IsExeFile(split.ProgramName);
    if (exe && !split.Parameters.empty())
        call.Parameters = split.Parameters;
    if (!defaultDirectory.empty())
        call.Directory = defaultDirectory;
    call.ShowCommand = exe ? ExecShowCommand(style) : 0;
    return call;
}
