// The display driver of the real system: EnumDisplaySettingsA and
// ChangeDisplaySettingsA on the primary display, and the screen's size and
// depth for the desktop mode.
#pragma once

#include <memory>

#include "app/core/VideoModesList.h"

std::unique_ptr<TDisplayDriver> CreateWin32DisplayDriver();
