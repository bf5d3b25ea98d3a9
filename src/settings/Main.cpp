// The program's entry.
//
// Until the aquarium and its settings dialog exist, the program shows the
// class library's message loop at work: a window whose caption and client
// area report how many idle ticks the loop delivers per second (the loop is
// kept busy by answering "not done" on every tick, as the frame loop will).
#include <windows.h>

#include <cstdint>
#include <string>

#include "classlib/core/SysUtils.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/WndProc.h"

namespace {

class TLoopWindow : public TWindowTarget {
public:
    TLoopWindow() {
        WNDCLASSEXA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "CorvalenLoopWindow";
        RegisterWindowClass(wc);
        FHandle = CreateWindowExA(0, wc.lpszClassName, Application->Title().c_str(),
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 480, 200,
                                  nullptr, nullptr, GetModuleHandleA(nullptr),
                                  static_cast<TWindowTarget*>(this));
        if (!FHandle) throw Exception("The main window cannot be created");
        ShowWindow(FHandle, SW_SHOW);
    }

    ~TLoopWindow() override {
        if (FHandle) DestroyWindow(FHandle);
    }

    // One idle tick: counts it and, once a second, shows the rate.
    void Tick() {
        ++FTicks;
        const DWORD now = GetTickCount();
        const DWORD span = now - FSince;
        if (span < 1000) return;
        FRate = Round(FTicks * 1000.0L / span);
        FTicks = 0;
        FSince = now;
        SetWindowTextA(FHandle, (Application->Title() + " - " + IntToStr(FRate) + " idle ticks/s").c_str());
        InvalidateRect(FHandle, nullptr, TRUE);
    }

    LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(wnd, &ps);
            RECT r;
            GetClientRect(wnd, &r);
            const std::string text = "The message loop delivers " + IntToStr(FRate) +
                                     " idle ticks per second.";
            DrawTextA(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            EndPaint(wnd, &ps);
            return 0;
        }
        case WM_DESTROY:
            Application->Terminate();
            return 0;
        default:
            return DefaultWindowProc(wnd, msg, wParam, lParam);
        }
    }

    void WindowDestroyed(HWND) override { FHandle = nullptr; }

private:
    HWND FHandle = nullptr;
    int64_t FTicks = 0;
    int64_t FRate = 0;
    DWORD FSince = GetTickCount();
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle("Corvalen");
        TLoopWindow window;
        Application->OnIdle = [&window](TObject*, bool& done) {
            window.Tick();
            done = false;
        };
        Application->Run();
        Application->OnIdle = nullptr;
    } catch (...) {
        Application->HandleException(nullptr);
    }
    return 0;
}
