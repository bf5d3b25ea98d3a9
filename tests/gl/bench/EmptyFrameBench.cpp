// Empty-frame benchmark: what one frame of the OpenGL application costs when
// it draws nothing - the viewport's clear and the buffer swap, full screen
// at the desktop's mode (1280 x 1024 on the test display).
//
// The program runs the real message loop with the application component,
// a display (desktop only, so no mode switch) and a render window; it lets
// the first frames pass, then times a fixed number of frames (600 unless the
// first argument says otherwise) and prints the frames per second and the
// process's CPU seconds per 1000 frames (GetProcessTimes: every thread of the
// process, the rasteriser's included). Vertical sync is off, so the rate is
// not capped. A run that does not finish within two minutes ends with an
// error.
//
//   EmptyFrameBench.exe [frames]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "BenchClock.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"
#include "gl/GLApplication.h"
#include "gl/GLDisplay.h"
#include "gl/GLWindow.h"

namespace {

constexpr int WarmUpFrames = 30;
constexpr UINT TimeLimitMs = 120000;

// The process's user and kernel time, in seconds.
double ProcessCpuSeconds()
{
    FILETIME creation, exit, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user))
        return 0;
    const auto seconds = [](const FILETIME& time) {
        ULARGE_INTEGER value;
        value.LowPart = time.dwLowDateTime;
        value.HighPart = time.dwHighDateTime;
        return static_cast<double>(value.QuadPart) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

bool TimedOut = false;

void CALLBACK OnTimeLimit(HWND, UINT, UINT_PTR, DWORD)
{
    TimedOut = true;
    PostQuitMessage(1);
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    if (frames < 1) {
        std::fprintf(stderr, "usage: EmptyFrameBench [frames]\n");
        return 2;
    }
    try {
        Application->Initialize();
        TForm* form = new TForm(nullptr);
        Application->SetMainForm(form);
        form->SetCaption("Empty frame benchmark");
        auto* display = new TGLDisplay(form);
        display->DesktopOnly = true;
        auto* application = new TCustomGLApplication(form);
        application->SingleInstance = false;
        application->SetDisplay(display);
        auto* window = new TGLWindow(form);
        application->SetWindow(window);
        window->SetParent(form);
        application->Loaded();
        display->Loaded();
        application->OpenGL()->VSync = false;

        int drawn = 0;
        double wallStart = 0, cpuStart = 0, wall = 0, cpu = 0;
        int width = 0, height = 0;
        application->OnRender = [&](float, bool) {
            ++drawn;
            if (drawn == WarmUpFrames) {
                wallStart = WallSeconds();
                cpuStart = ProcessCpuSeconds();
            } else if (drawn == WarmUpFrames + frames) {
                wall = WallSeconds() - wallStart;
                cpu = ProcessCpuSeconds() - cpuStart;
                width = window->Width();
                height = window->Height();
                Application->Terminate();
            }
        };
        application->OnException = [](TObject*, Exception& e) {
            std::fprintf(stderr, "EmptyFrameBench: %s\n", e.Message.c_str());
            Application->Terminate();
        };
        application->OnStart = [display](TObject*) { display->SetFullScreen(true); };

        SetTimer(nullptr, 0, TimeLimitMs, OnTimeLimit);
        Application->Run();
        if (TimedOut || drawn < WarmUpFrames + frames) {
            std::fprintf(stderr, "EmptyFrameBench: %d of %d frames drawn%s\n", drawn, WarmUpFrames + frames,
                         TimedOut ? " before the time limit" : "");
            return 1;
        }
        std::printf("empty frame %dx%d, %d frames in %.3f s\n", width, height, frames, wall);
        std::printf("frames per second: %.1f\n", frames / wall);
        std::printf("CPU seconds per 1000 frames: %.3f\n", cpu * 1000.0 / frames);
        std::fflush(stdout);
        display->SetFullScreen(false);
        delete form;
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "EmptyFrameBench: %s\n", e.what());
        return 1;
    }
}
