// Copy-presentation benchmark: what a frame costs when a child render window
// presents by copy (gl/GLCopyPresentation.h) - the clear, the read-back of
// the off-screen window's back buffer and the blit into the child - beside
// the same frame swapped in a top-level window of the same size, at the
// preview sizes (152 x 112 in the display control panel, 400 x 300 in the
// settings dialog) and at the program's 640 x 480.
//
// Each size: a shown top-level window with a child window, a context on the
// child's off-screen window; then a childless top-level window with a
// context of its own. The first frames pass, then a fixed number of
// frames (500 unless the first argument says otherwise) are timed, messages
// flowing between frames as in the program. Prints milliseconds per frame
// and, of them, the presentation (the copy, or the buffer swap).
//
//   CopyPresentBench.exe [frames]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <utility>

#include "BenchClock.h"
#include "gl/GLCopyPresentation.h"
#include "gl/GLLoader.h"
#include "gl/WinGLPlatform.h"
#include "gl/core/CustomOpenGL.h"

namespace {

constexpr int WarmUpFrames = 20;

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

// A plain window of the built-in class; destroyed with the object.
class TPlainWindow {
public:
    TPlainWindow(DWORD style, int width, int height, HWND parent)
        : FHandle(CreateWindowExA(0, "STATIC", "", style | WS_VISIBLE, 0, 0, width, height, parent, nullptr,
                                  GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~TPlainWindow() { DestroyWindow(FHandle); }
    TPlainWindow(const TPlainWindow&) = delete;
    TPlainWindow& operator=(const TPlainWindow&) = delete;
    HWND Handle() const { return FHandle; }

private:
    HWND FHandle;
};

struct TFrameTimes {
    double Frame = 0;    // milliseconds per frame
    double Present = 0;  // of which the buffer swap (or the copy)
};

// `frames` frames (clear and swap) on dc.
TFrameTimes TimeFrames(HDC dc, int frames)
{
    TCustomOpenGL context(std::make_unique<TWinGLPlatform>());
    context.VSync = false;
    context.CreateRC(dc);
    double start = 0;
    double present = 0;
    for (int i = 0; i < WarmUpFrames + frames; ++i) {
        if (i == WarmUpFrames) {
            start = WallSeconds();
            present = 0;
        }
        glClearColor(0.1f, 0.4f, (i % 2) * 1.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const double before = WallSeconds();
        context.SwapBuffers(dc);
        present += WallSeconds() - before;
        Pump();
    }
    const TFrameTimes times{(WallSeconds() - start) * 1000.0 / frames, present * 1000.0 / frames};
    context.DestroyRC();
    return times;
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 500;
    if (frames < 1) {
        std::fprintf(stderr, "usage: CopyPresentBench [frames]\n");
        return 2;
    }
    try {
        InitOpenGL();
        std::printf("child windows present by copy on this system: %s\n", ChildWindowsPresentByCopy() ? "yes" : "no");
        for (const auto& [width, height] : {std::pair{152, 112}, {400, 300}, {640, 480}}) {
            TFrameTimes copy;
            TFrameTimes swap;
            {
                TPlainWindow top(WS_POPUP, width, height, nullptr);
                TPlainWindow child(WS_CHILD, width, height, top.Handle());
                Pump();
                TGLOffscreenWindow offscreen(child.Handle());
                copy = TimeFrames(offscreen.DC(), frames);
            }
            {
                TPlainWindow top(WS_POPUP, width, height, nullptr);
                Pump();
                const HDC dc = GetDC(top.Handle());
                swap = TimeFrames(dc, frames);
                ReleaseDC(top.Handle(), dc);
            }
            std::printf("%dx%d: by copy into a child %.3f ms per frame (copy %.3f ms); "
                        "swapped in a top-level window %.3f ms per frame (swap %.3f ms)\n",
                        width, height, copy.Frame, copy.Present, swap.Frame, swap.Present);
        }
        std::fflush(stdout);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "CopyPresentBench: %s\n", e.what());
        return 1;
    }
}
