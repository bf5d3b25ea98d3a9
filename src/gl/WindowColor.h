// Window colours as float colours.
//
// A window colour is the class library's colour value: 0x00BBGGRR, or, with
// the high bit 0x80000000 set, a system colour whose index (COLOR_BTNFACE
// ...) is in the low byte and whose value the system gives.
#pragma once

#include <cstdint>

#include "gl/core/VectorTypes.h"

// Red, green and blue of the (resolved) colour, each / 255, alpha 1.
TGLColorFloat WindowColorToFloat(int32_t color);
