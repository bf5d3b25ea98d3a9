#include "gl/core/GLApplicationRules.h"

#include "app/core/DisplayControl.h"
#include "classlib/core/Exceptions.h"

const char* const ColorDepthWarning =
    "Warning! This Program needs High Color (16 bits) or True Color (32 bits) to work in Preview Mode.\r\n"
    " Change the Color Depth of your Windows Desktop to run it!";

const char* const HardwareAccelerationWarning =
    "In this screen mode, hardware acceleration was not detected! The program runs in Software Rendering "
    "mode with lower performance and quality! You need to update your video drivers. See the HELP for more "
    "details.";

bool DesktopColorDepthUsable(int depthGroups, int desktopDepth)
{
    return depthGroups > 0 && (desktopDepth == 16 || desktopDepth == 32);
}

void CheckDesktopColorDepth(TCustomDisplayControl& display)
{
    const int desktopDepth = display.GetDesktopMode().ColorDepth();
    if (!DesktopColorDepthUsable(display.ColorDepthModes().Count(), desktopDepth))
        throw Exception(ColorDepthWarning);
}

bool SetFullScreenModeName(TCustomDisplayControl& display, const std::string& name)
{
    int width = 0;
    int height = 0;
    int depth = 0;
    try {
        ModeFromName(name, width, height, depth);
    } catch (const EConvertError&) {
        return false;
    }
    if (width < 1 || width > 0xFFFF || height < 1 || height > 0xFFFF || depth < 1 || depth > 32)
        return false;
    TScreenMode mode(width, height, depth);
    display.SetFullScreenMode(mode);
    return true;
}
