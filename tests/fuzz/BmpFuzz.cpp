// Fuzz target: a BMP picture, read as a file or (odd first byte) as a packed
// DIB. Every input must give a picture whose rows fill its pixel buffer and
// whose colour table has its full size, or raise EInvalidGraphic; nothing
// else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "classlib/core/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool packed = (data[0] & 1) != 0;
    ++data;
    --size;
    try {
        if (!packed)
            BmpFileLength(data, size);
        const TDibImage image = packed ? ReadPackedDib(data, size) : ReadBmpFile(data, size);
        if (image.Width < 0 || image.Height < 0 ||
            static_cast<uint64_t>(image.RowSize()) * static_cast<uint64_t>(image.Height) != image.Bits.size() ||
            image.Palette.size() != (image.BitCount <= 8 ? size_t{1} << image.BitCount : 0))
            abort();
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
