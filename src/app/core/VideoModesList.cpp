#include "app/core/VideoModesList.h"

#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"

namespace {

// A mode no display can have: a driver that accepts it accepts anything.
constexpr TVideoMode ProbeMode{42, 37, 8};

constexpr TVideoMode LowResolutions[] = {
    {320, 200, 0}, {320, 240, 0}, {320, 350, 0}, {320, 400, 0}, {320, 480, 0}, {360, 200, 0},
    {360, 240, 0}, {360, 350, 0}, {360, 400, 0}, {360, 480, 0}, {400, 300, 0}, {512, 384, 0},
};
constexpr int LowResolutionDepths[] = {8, 15, 16, 24, 32};

}  // namespace

TVideoModesList::TVideoModesList(TDisplayDriver& driver) : FDriver(driver) {}

TVideoModesList::~TVideoModesList()
{
    RestoreMode();
}

void TVideoModesList::ReadVideoModes()
{
    Clear();
    TVideoMode mode;
    for (int i = 0; FDriver.EnumMode(i, mode); ++i)
        AddMode(mode);

    if (!TestMode(ProbeMode)) {
        for (const TVideoMode& size : LowResolutions)
            for (const int depth : LowResolutionDepths)
                AddMode({size.Width, size.Height, depth});
    }

    const TVideoMode& desktop = GetCurrentMode();
    if (FindMode(desktop.Width, desktop.Height, desktop.BitsPerPixel) < 0)
        FModes.push_back(desktop);
}

const TVideoMode& TVideoModesList::GetMode(int index) const
{
    CheckListIndex(index, Count());
    return FModes[index];
}

int TVideoModesList::FindMode(int width, int height, int bitsPerPixel) const
{
    const TVideoMode wanted{width, height, bitsPerPixel};
    for (int i = 0; i < Count(); ++i)
        if (FModes[i] == wanted)
            return i;
    return -1;
}

void TVideoModesList::AddMode(const TVideoMode& mode)
{
    if (FindMode(mode.Width, mode.Height, mode.BitsPerPixel) >= 0 || !TestMode(mode))
        return;
    FModes.push_back(mode);
}

bool TVideoModesList::TestMode(const TVideoMode& mode)
{
    return FDriver.TestMode(mode);
}

const TVideoMode& TVideoModesList::GetCurrentMode()
{
    FDesktopMode = FDriver.CurrentMode();
    return FDesktopMode;
}

bool TVideoModesList::SetMode(int width, int height, int bitsPerPixel)
{
    const TVideoMode mode{width, height, bitsPerPixel};
    bool success = true;
    if (!(mode == FDesktopMode)) {
        success = FDriver.ChangeMode(mode);
        // A failed switch leaves the screen as it was: a mode changed
        // earlier still has to be restored.
        if (success)
            FChanged = true;
    }
    FActive = success;
    if (success)
        FLastMode = mode;
    return success;
}

void TVideoModesList::RestoreMode()
{
    if (FChanged) {
        FDriver.RestoreMode();
        FChanged = false;
    }
    FActive = false;
}
