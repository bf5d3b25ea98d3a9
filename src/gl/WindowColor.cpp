#include "gl/WindowColor.h"

#include <windows.h>

TGLColorFloat WindowColorToFloat(int32_t color)
{
    uint32_t rgb = static_cast<uint32_t>(color);
    if (rgb & 0x80000000u) rgb = GetSysColor(static_cast<int>(rgb & 0xFF));
    return ColorRefToFloat(rgb);
}
