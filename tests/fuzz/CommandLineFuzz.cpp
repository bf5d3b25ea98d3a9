// Fuzz target: a command line, as the saver and the launcher take it apart.
// Every input must split, give a role, and give a window handle or raise
// EConvertError; the launcher's split must give back pieces of the line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/core/ApplicationProRules.h"
#include "app/core/ExecuteCommand.h"
#include "classlib/core/CommandLine.h"
#include "classlib/core/SysUtils.h"
#include "gl/core/ScreenSaverRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> arguments = SplitCommandLine(line);
    SaverModeOf(arguments);
    try {
        ParentWindowOf(arguments, 0);
    } catch (const EConvertError&) {
    }
    if (!arguments.empty()) {
        const std::vector<std::string> parameters(arguments.begin() + 1, arguments.end());
        FindSwitchIn(parameters, "S");
        ExeBaseName(arguments.front());
    }

    const TExecSplit split = SplitExecCommandLine(line);
    if (line.find(split.ProgramName) == std::string::npos || line.find(split.Parameters) == std::string::npos)
        abort();
    ProcessCommandLine(line, split);
    MakeShellCall(split, "C:\\", ewShow);
    return 0;
}
