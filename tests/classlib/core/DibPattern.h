// A codec picture for round trips of the BMP codec and the bitmap.
#pragma once

#include <cstdint>
#include <tuple>

#include "classlib/core/BmpCodec.h"

namespace testsupport {

// Every byte (padding included) differs from its neighbours, so that a
// swapped or shifted row cannot go unnoticed.
inline TDibImage Pattern(int width, int height, int bitCount, bool topDown, uint32_t red = 0, uint32_t green = 0,
                         uint32_t blue = 0)
{
    TDibImage image;
    std::tie(image.Width, image.Height, image.BitCount, image.TopDown) = std::tie(width, height, bitCount, topDown);
    std::tie(image.RedMask, image.GreenMask, image.BlueMask) = std::tie(red, green, blue);
    image.Allocate();
    for (size_t i = 0; i < image.Bits.size(); ++i)
        image.Bits[i] = static_cast<uint8_t>(i * 7 + 3);
    for (size_t i = 0; i < image.Palette.size(); ++i)
        image.Palette[i] = static_cast<uint32_t>(i * 0x010203) & 0xFFFFFF;
    return image;
}

}  // namespace testsupport
