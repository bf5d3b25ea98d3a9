// The OpenGL application's rules that need no window: its two warnings, the
// desktop colour-depth check made at start, and the reading of a stored
// full-screen mode.
#pragma once

#include <string>

class TCustomDisplayControl;

// Raised by the start of the program when the desktop cannot carry it.
extern const char* const ColorDepthWarning;
// Shown when the display offers no hardware-accelerated pixel format.
extern const char* const HardwareAccelerationWarning;

// Whether a desktop of `desktopDepth` bits, with `depthGroups` groups of
// usable full-screen modes, can carry the program: it needs at least one
// group and a desktop of 16 or 32 bits.
bool DesktopColorDepthUsable(int depthGroups, int desktopDepth);

// Reads the display's desktop mode and raises Exception(ColorDepthWarning)
// unless DesktopColorDepthUsable.
void CheckDesktopColorDepth(TCustomDisplayControl& display);

// Makes the stored text "<width>x<height>x<depth>" the display's full-screen
// mode (kept inside its depth groups as usual). Text that does not parse, or
// names a size outside 1..65535 or a depth outside 1..32, leaves the mode as
// it was and gives false.
bool SetFullScreenModeName(TCustomDisplayControl& display, const std::string& name);
