#include "classlib/core/CommandLine.h"

#include "classlib/core/SysUtils.h"

std::vector<std::string> SplitCommandLine(const std::string& commandLine)
{
    std::vector<std::string> result;
    size_t i = 0;
    const size_t length = commandLine.size();
    while (true) {
        while (i < length && IsBlank(commandLine[i])) ++i;
        std::string parameter;
        while (i < length && !IsBlank(commandLine[i])) {
            if (commandLine[i] == '"') {
                ++i;
                while (i < length && commandLine[i] != '"') parameter += commandLine[i++];
                if (i < length) ++i;  // the closing quote
            } else {
                parameter += commandLine[i++];
            }
        }
        if (parameter.empty() && !result.empty()) break;
        result.push_back(std::move(parameter));
    }
    return result;
}
