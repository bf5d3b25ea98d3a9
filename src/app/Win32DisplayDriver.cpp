#include "app/Win32DisplayDriver.h"

#include <windows.h>

namespace {

// A DEVMODE that names only the size and the depth.
DEVMODEA ModeRequest(const TVideoMode& mode)
{
    DEVMODEA devMode{};
    devMode.dmSize = sizeof(devMode);
    devMode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    devMode.dmPelsWidth = static_cast<DWORD>(mode.Width);
    devMode.dmPelsHeight = static_cast<DWORD>(mode.Height);
    devMode.dmBitsPerPel = static_cast<DWORD>(mode.BitsPerPixel);
    return devMode;
}

class TWin32DisplayDriver final : public TDisplayDriver {
public:
    bool EnumMode(int index, TVideoMode& mode) override
    {
        DEVMODEA devMode{};
        devMode.dmSize = sizeof(devMode);
        if (!EnumDisplaySettingsA(nullptr, static_cast<DWORD>(index), &devMode))
            return false;
        mode = {static_cast<int>(devMode.dmPelsWidth), static_cast<int>(devMode.dmPelsHeight),
                static_cast<int>(devMode.dmBitsPerPel)};
        return true;
    }

    bool TestMode(const TVideoMode& mode) override
    {
        DEVMODEA devMode = ModeRequest(mode);
        return ChangeDisplaySettingsA(&devMode, CDS_TEST | CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    }

    bool ChangeMode(const TVideoMode& mode) override
    {
        DEVMODEA devMode = ModeRequest(mode);
        return ChangeDisplaySettingsA(&devMode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    }

    void RestoreMode() override { ChangeDisplaySettingsA(nullptr, CDS_FULLSCREEN); }

    TVideoMode CurrentMode() override
    {
        TVideoMode mode{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0};
        if (HDC screen = GetDC(nullptr)) {
            mode.BitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
            ReleaseDC(nullptr, screen);
        }
        return mode;
    }
};

}  // namespace

std::unique_ptr<TDisplayDriver> CreateWin32DisplayDriver()
{
    return std::make_unique<TWin32DisplayDriver>();
}
