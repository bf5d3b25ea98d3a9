// Test support: the path of the built program, for tests (and tools) that
// read its resources. They live two folders below the build tree's root
// (build/win/tests/<layer>/, build/win/tools/<tool>/); the program is
// build/win/src/settings/Corvalen.scr.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

inline std::string ProgramPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.find_last_of('\\') + 1);
    return dir + "..\\..\\src\\settings\\Corvalen.scr";
}

}  // namespace testsupport
