// Stand-in for the display control panel's preview, which Wine lacks.
//
//   PreviewHost.exe <saver program> <lifetime ms>
//
// Makes a white top-level window of the preview's size (152 x 112), starts
// "<saver program> /p <window>", keeps its messages flowing for the
// lifetime, then destroys the window and waits up to 5 s for the saver to
// end (ending it by force when it does not). What it saw is the exit code,
// a sum of:
//   1  a child window appeared in the preview window,
//   2  the child's drawing reached the screen (the screen at the preview's
//      centre is neither white nor black at some moment),
//   4  the saver ended after the window was destroyed;
// 64 when the saver could not be started, 128 for a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../../support/ScreenPixels.h"

namespace {

constexpr int PreviewWidth = 152;
constexpr int PreviewHeight = 112;
constexpr DWORD EndWaitMs = 5000;

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 128;
    const std::string saver = argv[1];
    const DWORD lifetime = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));

    // Plain white, without text: anything else at its centre is the saver's.
    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = DefWindowProcA;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    hostClass.lpszClassName = "PreviewHost";
    RegisterClassA(&hostClass);
    const HWND host = CreateWindowExA(0, "PreviewHost", "Preview", WS_POPUP | WS_VISIBLE, 100, 100, PreviewWidth,
                                      PreviewHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (host == nullptr)
        return 64;
    std::string command = "\"" + saver + "\" /p " + std::to_string(reinterpret_cast<intptr_t>(host));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 64;
    CloseHandle(process.hThread);

    int seen = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < lifetime) {
        Pump();
        if (GetWindow(host, GW_CHILD) != nullptr) {
            seen |= 1;
            if (testsupport::ShowsADrawing(testsupport::ScreenPixelAtCentre(host)))
                seen |= 2;
        }
        Sleep(10);
    }
    DestroyWindow(host);
    const DWORD end = GetTickCount();
    while (GetTickCount() - end < EndWaitMs) {
        Pump();
        if (WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0) {
            seen |= 4;
            break;
        }
    }
    if ((seen & 4) == 0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    std::printf("child %d drawn %d ended %d\n", seen & 1, (seen & 2) >> 1, (seen & 4) >> 2);
    return seen;
}
