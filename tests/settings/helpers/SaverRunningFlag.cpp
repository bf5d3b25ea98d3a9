// Answers, as its exit code, what SystemParametersInfo(SPI_GETSCREENSAVERRUNNING)
// tells a process that asks now: 1 a saver runs, 0 none, 2 the call failed.
// The tests ask through a new process each time: Wine keeps in each process
// the value that process last read or set, and another process's change
// never reaches it.
#include <windows.h>

int main()
{
    BOOL running = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0))
        return 2;
    return running ? 1 : 0;
}
