// Stand-in for the system's MPR.DLL in the password-change tests, where
// Wine's own takes the call and says nothing of it. Its PwdChangePasswordA
// appends what it was given to the file that CORVALEN_TEST_MPR_CALLS names,
// as "<key>,<window>,<reserved>,<reserved>" (the window in decimal), so that
// every call of every process is there, and answers success.
#include <windows.h>

#include <cstdint>
#include <cstdio>

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR key, HWND window, DWORD reserved1,
                                                                   DWORD reserved2)
{
    char path[MAX_PATH] = {};
    if (GetEnvironmentVariableA("CORVALEN_TEST_MPR_CALLS", path, sizeof path) == 0)
        return ERROR_SUCCESS;
    if (FILE* file = std::fopen(path, "ab")) {
        std::fprintf(file, "%s,%llu,%lu,%lu", key != nullptr ? key : "(null)",
                     static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)),
                     static_cast<unsigned long>(reserved1), static_cast<unsigned long>(reserved2));
        std::fclose(file);
    }
    return ERROR_SUCCESS;
}
