// Role benchmark: what the real program (Corvalen.scr) costs in each role
// that draws - the full-screen saver ("/s"), the preview inside the display
// settings ("/p", in a host window of this program at the preview's size)
// and the settings dialog with its live preview ("/c") - with "Wait for
// vertical sync" on and off. Each run is measured for a fixed time after its
// first frame, at the renderer's own number of threads. Printed, one line
// per role and setting:
//
//   cores <role>: <cores> cores, <frames> frames/s
//
// where cores is the process's CPU time (every thread, the rasteriser's
// included, read from its Linux process entry Z:\proc\<pid>\stat) over the
// wall time. Frames are counted from Wine's "wgl" trace: every frame reads
// the swap interval (wglGetSwapIntervalEXT, one trace line), whether it is
// swapped to the screen or copied into a child window. The traces go to the
// process's Unix error output, which the program inherits from this one: so
// this benchmark runs with its error output going to the trace file and
// reads the lines back from there.
//
// The option is written where the program reads it (HKEY_LOCAL_MACHINE) and
// put back as it was afterwards.
//
//   RoleBench.exe <Corvalen.scr> <trace file> [seconds] 2> <trace file>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "BenchClock.h"
#include "LinuxProcess.h"

namespace {

constexpr double DefaultSeconds = 10;
constexpr double FirstFrameLimit = 60;
constexpr DWORD EndLimitMs = 10000;
constexpr int PreviewWidth = 152;
constexpr int PreviewHeight = 112;
const char* const OptionKey = "Software\\Veltrask Software\\3D Corvalen 2";
const char* const VSyncOption = "VSync";

// Reported on the standard output: the error output is the trace file.
int Fail(const std::string& what)
{
    std::printf("RoleBench: %s\n", what.c_str());
    return 1;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The stored text of the option; none when it is not stored.
std::optional<std::string> ReadOption(const char* name)
{
    char text[64] = {};
    DWORD size = sizeof text - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, OptionKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

void WriteOption(const char* name, const std::optional<std::string>& value)
{
    if (!value) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, OptionKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, name);
            RegCloseKey(key);
        }
        return;
    }
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, OptionKey, name, REG_SZ, value->c_str(),
                    static_cast<DWORD>(value->size() + 1));
}

// Follows the trace file as it grows and counts the frames in it.
class TFrameCounter {
public:
    explicit TFrameCounter(HANDLE trace) : FTrace(trace) {}

    // Reads what the trace has gained.
    void Read()
    {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(FTrace, buffer, sizeof buffer, &read, nullptr) && read > 0)
            for (DWORD i = 0; i < read; ++i) {
                if (buffer[i] != '\n') {
                    FLine += buffer[i];
                    continue;
                }
                if (FLine.find("trace:wgl:") != std::string::npos &&
                    FLine.find("wglGetSwapIntervalEXT") != std::string::npos)
                    ++FFrames;
                FLine.clear();
            }
    }
    long Frames() const { return FFrames; }

private:
    HANDLE FTrace;
    std::string FLine;
    long FFrames = 0;
};

// A visible top-level window of the process that `accept` takes.
template <class Accept>
HWND WindowOf(DWORD processId, Accept accept)
{
    for (HWND wnd = GetTopWindow(nullptr); wnd != nullptr; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        if (pid == processId && IsWindowVisible(wnd) && accept(wnd))
            return wnd;
    }
    return nullptr;
}

bool CoversTheScreen(HWND wnd)
{
    RECT r;
    return GetWindowRect(wnd, &r) && r.left <= 0 && r.top <= 0 && r.right >= GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom >= GetSystemMetrics(SM_CYSCREEN);
}

// Keeps this program's windows answering (the preview's host is one) while
// the trace is followed, until `seconds` have passed or the process ended.
bool Follow(TFrameCounter& counter, HANDLE process, double seconds, long frames = -1)
{
    const double start = WallSeconds();
    while (WallSeconds() - start < seconds) {
        Pump();
        counter.Read();
        if (frames >= 0 && counter.Frames() >= frames)
            return true;
        if (MsgWaitForMultipleObjects(1, &process, FALSE, 10, QS_ALLINPUT) == WAIT_OBJECT_0)
            return false;
    }
    return frames < 0;
}

// One run of the program in `role`, measured for `seconds` after its first
// frame and ended as the system would end it.
int Measure(const std::string& program, const std::string& role, const char* setting, HANDLE trace,
            double seconds)
{
    HWND host = nullptr;
    std::string parameters = role;
    if (role == "/p") {
        WNDCLASSA hostClass{};
        hostClass.lpfnWndProc = DefWindowProcA;
        hostClass.hInstance = GetModuleHandleA(nullptr);
        hostClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        hostClass.lpszClassName = "RoleBenchPreview";
        RegisterClassA(&hostClass);
        host = CreateWindowExA(0, "RoleBenchPreview", "Preview", WS_POPUP | WS_VISIBLE, 100, 100, PreviewWidth,
                               PreviewHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (host == nullptr)
            return Fail("no preview host window");
        parameters += ' ';
        parameters += std::to_string(reinterpret_cast<intptr_t>(host));
    }
    SetFilePointer(trace, 0, nullptr, FILE_END);
    TFrameCounter counter(trace);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + program + "\" " + parameters;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return Fail("the program did not start as " + role);
    CloseHandle(process.hThread);

    int result = 0;
    if (!Follow(counter, process.hProcess, FirstFrameLimit, 1)) {
        result = Fail("no frame as " + role);
    } else {
        // The whole path finds it: other trees may run a program of the same name.
        const std::string linuxProcess = FindLinuxProcess({program + " " + role});
        const long firstFrames = counter.Frames();
        const double firstCpu = LinuxCpuSeconds(linuxProcess);
        const double started = WallSeconds();
        Follow(counter, process.hProcess, seconds);
        const double wall = WallSeconds() - started;
        const double cpu = LinuxCpuSeconds(linuxProcess) - firstCpu;
        if (linuxProcess.empty() || firstCpu < 0)
            result = Fail("no process entry for " + role);
        else
            std::printf("cores %s (VSync %s): %.2f cores, %.1f frames/s\n", role.c_str(), setting, cpu / wall,
                        static_cast<double>(counter.Frames() - firstFrames) / wall);
        std::fflush(stdout);
    }

    // Ended as the system ends each role: a key, the host window gone, the dialog closed.
    if (role == "/s") {
        if (const HWND window = WindowOf(process.dwProcessId, CoversTheScreen)) {
            SetForegroundWindow(window);
            PostMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
            PostMessageA(window, WM_KEYUP, VK_SPACE, 1u | (1u << 30) | (1u << 31));
        }
    } else if (role == "/p") {
        DestroyWindow(host);
    } else if (const HWND dialog = WindowOf(process.dwProcessId, [](HWND) { return true; })) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    const double ending = WallSeconds();
    while (WallSeconds() - ending < EndLimitMs / 1000.0 &&
           MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 10, QS_ALLINPUT) != WAIT_OBJECT_0)
        Pump();
    if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, EndLimitMs);
    CloseHandle(process.hProcess);
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Fail("usage: RoleBench.exe <Corvalen.scr> <trace file> [seconds] 2> <trace file>");
    const double seconds = argc > 3 ? std::atof(argv[3]) : DefaultSeconds;
    if (!(seconds > 0))
        return Fail("the time must be positive");
    const HANDLE trace = CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    if (trace == INVALID_HANDLE_VALUE)
        return Fail("the trace file cannot be read");
    SetEnvironmentVariableA("WINEDEBUG", "-all,+wgl");

    const std::optional<std::string> stored = ReadOption(VSyncOption);
    int result = 0;
    for (const bool vsync : {true, false}) {
        WriteOption(VSyncOption, std::string(vsync ? "-1" : "0"));
        for (const char* role : {"/s", "/p", "/c"})
            result |= Measure(argv[1], role, vsync ? "on" : "off", trace, seconds);
    }
    WriteOption(VSyncOption, stored);
    CloseHandle(trace);
    return result;
}
