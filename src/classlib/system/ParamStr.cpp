// ParamCount and ParamStr over the process's command line (declared in
// classlib/core/CommandLine.h).
#include <windows.h>

#include "classlib/core/CommandLine.h"

namespace {

std::string ModuleFileName()
{
    std::string buffer(MAX_PATH, '\0');
    while (true) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return "";
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);  // truncated: try a larger buffer
    }
}

}  // namespace

int ParamCount()
{
    return static_cast<int>(SplitCommandLine(GetCommandLineA()).size()) - 1;
}

std::string ParamStr(int index)
{
    if (index == 0) return ModuleFileName();
    const std::vector<std::string> parameters = SplitCommandLine(GetCommandLineA());
    if (index < 0 || static_cast<size_t>(index) >= parameters.size()) return "";
    return parameters[static_cast<size_t>(index)];
}
