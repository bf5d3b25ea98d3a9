// Test support for the Windows tests: Application->MessageBox captured
// instead of shown, and the WM_QUIT a termination leaves in the queue.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/ui/Application.h"

namespace testsupport {

struct TBoxCall {
    HWND Owner;
    std::string Text, Caption;
    UINT Flags;
};

// The boxes shown while it lives, answered with OK, in the order shown.
class TBoxCapture : public std::vector<TBoxCall> {
public:
    TBoxCapture()
    {
        Application->MessageBoxProc = [this](HWND owner, const std::string& text, const std::string& caption,
                                             UINT flags) {
            push_back({owner, text, caption, flags});
            return IDOK;
        };
    }
    ~TBoxCapture() { Application->MessageBoxProc = nullptr; }
    TBoxCapture(const TBoxCapture&) = delete;
    TBoxCapture& operator=(const TBoxCapture&) = delete;
};

// Takes a WM_QUIT from the queue; true when there was one.
inline bool TakeQuit()
{
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

}  // namespace testsupport
