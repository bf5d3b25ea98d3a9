// Fuzz target: a JPEG picture. Every input must decode into a picture whose
// rows fill its pixel buffer, or raise EJPEG; nothing else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "classlib/core/JpegCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        const TDibImage image = DecodeJpeg(data, size);
        if (image.BitCount != 24 ||
            static_cast<uint64_t>(image.RowSize()) * static_cast<uint64_t>(image.Height) != image.Bits.size())
            abort();
    } catch (const EJPEG&) {
    }
    return 0;
}
