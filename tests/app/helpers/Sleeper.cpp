// Test helper of the process launcher: sleeps for the number of
// milliseconds given as its first argument (0 without one) and exits with
// code 7, so that a caller can tell it ran to its end.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    const long milliseconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    if (milliseconds > 0)
        Sleep(static_cast<DWORD>(milliseconds));
    return 7;
}
