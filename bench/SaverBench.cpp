// Saver benchmark: the real program (Corvalen.scr) run as the system runs a
// screen saver ("/s"), full screen at the desktop's mode (1280 x 1024 on
// the test display), for a fixed number of frames.
//
// Frames are counted exactly from outside: the saver runs with Wine's "wgl"
// trace channel on (WINEDEBUG=-all,+wgl in its environment), and Wine's
// OpenGL driver writes one line naming wglSwapBuffers for every frame shown.
// Wine's traces go to the process's Unix error output, which the saver
// inherits from this program whatever its Windows handles say: so this
// program runs with its error output going to a file (the trace file), and
// reads the saver's lines back from there. Printed, one per line:
//
//   start: <s> s to first frame     from the start of the process
//   saver: <cpu> CPU-ms/frame       the process's CPU time (every thread,
//                                   the rasteriser's included) over the
//                                   frames after the first
//
// Under Wine, GetProcessTimes of another process counts only the threads
// Wine made, not the rasteriser's: the CPU time is read from the saver's
// Linux process entry (Z:\proc\<pid>\stat) when there is one, else from
// GetProcessTimes. Printed:
//   memory: <MB> MB peak working set
//   exit: <s> s from key to process end
//
// A saver that shows no frame within a minute, or does not end within ten
// seconds of the key, ends the benchmark with an error.
//
//   SaverBench.exe <Corvalen.scr> <trace file> [frames] 2> <trace file>
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "LinuxProcess.h"

namespace {

constexpr int DefaultFrames = 500;
constexpr DWORD FirstFrameLimitMs = 60000;
constexpr DWORD ExitLimitMs = 10000;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// Kernel plus user time of the process, in milliseconds.
double CpuMs(HANDLE process, const std::string& linuxProcess)
{
    if (!linuxProcess.empty())
        if (const double ms = LinuxCpuSeconds(linuxProcess) * 1000; ms >= 0)
            return ms;
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    auto ms = [](FILETIME t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

// Follows the trace file as it grows and counts the saver's frames.
class TFrameCounter {
public:
    TFrameCounter(HANDLE trace, HANDLE process) : FTrace(trace), FProcess(process) {}

    // Waits until `frames` frames in all were shown; false when the saver
    // ended first.
    bool WaitFor(int frames)
    {
        while (FFrames < frames) {
            char buffer[4096];
            DWORD read = 0;
            if (!ReadFile(FTrace, buffer, sizeof buffer, &read, nullptr))
                return false;
            if (read == 0) {
                if (WaitForSingleObject(FProcess, 1) == WAIT_OBJECT_0)
                    return false;
                continue;
            }
            for (DWORD i = 0; i < read; ++i) {
                if (buffer[i] != '\n') {
                    FLine += buffer[i];
                    continue;
                }
                if (FLine.find("trace:wgl:") != std::string::npos && FLine.find("wglSwapBuffers") != std::string::npos)
                    ++FFrames;
                FLine.clear();
            }
        }
        return true;
    }
    int Frames() const { return FFrames; }

private:
    HANDLE FTrace;
    HANDLE FProcess;
    std::string FLine;
    int FFrames = 0;
};

// The saver's full-screen window.
HWND FullScreenWindowOf(DWORD processId)
{
    struct TSearch {
        DWORD ProcessId;
        HWND Found = nullptr;
    } search{processId};
    EnumWindows(
        [](HWND wnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(data);
            DWORD pid = 0;
            GetWindowThreadProcessId(wnd, &pid);
            RECT r;
            if (pid == s->ProcessId && IsWindowVisible(wnd) && GetWindowRect(wnd, &r) && r.left <= 0 && r.top <= 0 &&
                r.right >= GetSystemMetrics(SM_CXSCREEN) && r.bottom >= GetSystemMetrics(SM_CYSCREEN))
                s->Found = wnd;
            return s->Found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// Reported on the standard output: the error output is the trace file.
int Fail(const char* what)
{
    std::printf("SaverBench: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Fail("usage: SaverBench.exe <Corvalen.scr> <trace file> [frames] 2> <trace file>");
    const int frames = argc > 3 ? std::atoi(argv[3]) : DefaultFrames;
    if (frames < 1)
        return Fail("the number of frames must be positive");
    const HANDLE trace = CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    if (trace == INVALID_HANDLE_VALUE)
        return Fail("the trace file cannot be read");
    SetFilePointer(trace, 0, nullptr, FILE_END);
    SetEnvironmentVariableA("WINEDEBUG", "-all,+wgl");

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = std::string("\"") + argv[1] + "\" /s";
    PROCESS_INFORMATION process{};
    const LARGE_INTEGER started = Now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return Fail("the saver did not start");
    CloseHandle(process.hThread);

    TFrameCounter counter(trace, process.hProcess);
    // A watchdog for a saver that never draws.
    HANDLE watchdog = CreateThread(
        nullptr, 0,
        [](LPVOID data) -> DWORD {
            auto* p = static_cast<PROCESS_INFORMATION*>(data);
            if (WaitForSingleObject(p->hProcess, FirstFrameLimitMs) == WAIT_TIMEOUT)
                TerminateProcess(p->hProcess, 1);
            return 0;
        },
        &process, 0, nullptr);
    if (!counter.WaitFor(1))
        return Fail("the saver showed no frame");
    const LARGE_INTEGER firstFrame = Now();
    // A saver runs once at a time: its program's name and "/s" find it.
    const std::string program = argv[1];
    const std::string linuxProcess = FindLinuxProcess({program.substr(program.find_last_of("\\/") + 1), " /s"});
    const double firstCpu = CpuMs(process.hProcess, linuxProcess);
    if (!counter.WaitFor(frames + 1))
        return Fail("the saver ended early");
    const double lastCpu = CpuMs(process.hProcess, linuxProcess);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);

    const HWND window = FullScreenWindowOf(process.dwProcessId);
    if (window == nullptr)
        return Fail("no full-screen window");
    SetForegroundWindow(window);
    const LARGE_INTEGER key = Now();
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
    PostMessageA(window, WM_KEYUP, VK_SPACE, 1u | (1u << 30) | (1u << 31));
    const bool ended = WaitForSingleObject(process.hProcess, ExitLimitMs) == WAIT_OBJECT_0;
    const LARGE_INTEGER exited = Now();
    if (!ended)
        TerminateProcess(process.hProcess, 1);

    std::printf("start: %.2f s to first frame\n", Seconds(started, firstFrame));
    std::printf("saver: %.2f CPU-ms/frame\n", (lastCpu - firstCpu) / frames);
    std::printf("memory: %.0f MB peak working set\n", static_cast<double>(memory.PeakWorkingSetSize) / (1024 * 1024));
    std::printf("exit: %.2f s from key to process end\n", Seconds(key, exited));
    WaitForSingleObject(watchdog, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(trace);
    return ended ? 0 : Fail("a key did not end the saver");
}
