// The Win32 half of TGLScreenShot: the size of the window to capture.
#include <windows.h>

#include "gl/core/GLScreenShot.h"

void TGLScreenShot::Capture(GLHWND window)
{
    RECT client{};
    if (!GetClientRect(window, &client))
        client = RECT{};
    Capture(client.right - client.left, client.bottom - client.top);
}
