// Fuzz target: an option's text as the registry hands it over, through every
// reader of stored values. Each must give a value or raise EConvertError,
// and a full-screen mode in the usable range must name itself the same way
// again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/core/ScreenMode.h"
#include "classlib/core/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    StrToIntDef(text, 0);
    StrToBoolDef(text, false);
    StrToFloatDef(text, 0);
    try {
        StrToInt64(text);
    } catch (const EConvertError&) {
    }

    int width = 0, height = 0, depth = 0;
    try {
        ModeFromName(text, width, height, depth);
    } catch (const EConvertError&) {
        return 0;
    }
    if (width < 1 || width > 0xFFFF || height < 1 || height > 0xFFFF || depth < 1 || depth > 32)
        return 0;  // the range a stored mode must have to be used
    int width2 = 0, height2 = 0, depth2 = 0;
    ModeFromName(ModeName(width, height, depth), width2, height2, depth2);
    if (width2 != width || height2 != height || depth2 != depth)
        abort();
    return 0;
}
