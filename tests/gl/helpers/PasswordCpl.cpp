// Stand-in for the system's screen-saver password library, which Wine
// lacks: a DLL named PASSWORD.CPL whose VerifyScreenSavePwd answers from
// the environment of the process that loaded it.
//   CORVALEN_TEST_PASSWORD        "1": the password is right; anything else
//                                 or missing: it is refused.
//   CORVALEN_TEST_PASSWORD_CALLS  counts the calls (written by the DLL).
//   CORVALEN_TEST_PASSWORD_WINDOW the window passed, in decimal (written).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

int ReadNumber(const char* name)
{
    char text[32] = {};
    if (GetEnvironmentVariableA(name, text, sizeof text) == 0)
        return 0;
    return std::atoi(text);
}

void WriteNumber(const char* name, long long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld", value);
    SetEnvironmentVariableA(name, text);
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND parent)
{
    WriteNumber("CORVALEN_TEST_PASSWORD_CALLS", ReadNumber("CORVALEN_TEST_PASSWORD_CALLS") + 1);
    WriteNumber("CORVALEN_TEST_PASSWORD_WINDOW", reinterpret_cast<intptr_t>(parent));
    char answer[8] = {};
    GetEnvironmentVariableA("CORVALEN_TEST_PASSWORD", answer, sizeof answer);
    return answer[0] == '1' ? TRUE : FALSE;
}
