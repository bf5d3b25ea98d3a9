#include "gl/core/CustomGLDisplay.h"

#include <utility>

bool AcceptGLDisplayMode(int depth, int /*width*/, int height)
{
    return (depth == 16 || depth == 32) && height >= 480;
}

TCustomGLDisplay::TCustomGLDisplay(TComponent* owner, std::unique_ptr<TDisplayDriver> driver)
    : TCustomDisplayControl(owner, std::move(driver))
{
    EnumerateOnLoad = true;
}

void TCustomGLDisplay::SetHost(IGLDisplayHost* host)
{
    if (host == nullptr) {
        OnModeChanging = nullptr;
        OnModeChanged = nullptr;
        OnFilterMode = nullptr;
        return;
    }
    OnModeChanging = [host](TObject*) { host->ReadFullScreenMode(); };
    OnModeChanged = [host](TObject*) { host->FullScreenChanged(); };
    OnFilterMode = [](int depth, int width, int height, bool& accept) {
        accept = AcceptGLDisplayMode(depth, width, height);
    };
}
