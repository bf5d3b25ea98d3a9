#include "classlib/core/IcoCodec.h"

#include <string>

#include "classlib/core/BmpCodec.h"

namespace {

[[noreturn]] void Invalid(const std::string& what)
{
    throw EInvalidGraphic("Icon image is not valid: " + what);
}

uint32_t U16(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p)
{
    return U16(p) | (U16(p + 2) << 16);
}

}  // namespace

TIcoImage PickIcoImage(const uint8_t* data, size_t size, int wantWidth, int wantHeight)
{
    constexpr size_t HeaderSize = 6, EntrySize = 16;
    if (size < HeaderSize || U16(data) != 0 || U16(data + 2) != 1)
        Invalid("not an icon file");
    const size_t count = U16(data + 4);
    if (count == 0)
        Invalid("no image");
    if ((size - HeaderSize) / EntrySize < count)
        Invalid("the directory is cut short");
    TIcoImage best;
    int bestDepth = -1;
    bool bestFits = false;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = data + HeaderSize + i * EntrySize;
        TIcoImage image;
        image.Width = entry[0] == 0 ? 256 : entry[0];
        image.Height = entry[1] == 0 ? 256 : entry[1];
        image.Size = U32(entry + 8);
        image.Offset = U32(entry + 12);
        if (image.Size == 0 || image.Offset > size || image.Size > size - image.Offset)
            Invalid("image " + std::to_string(i) + " lies outside the file");
        const int depth = static_cast<int>(U16(entry + 6));
        const bool fits = image.Width == wantWidth && image.Height == wantHeight;
        const bool better = bestDepth < 0 || (fits && (!bestFits || depth > bestDepth)) ||
                            (!fits && !bestFits && image.Width * image.Height > best.Width * best.Height);
        if (better) {
            best = image;
            bestDepth = depth;
            bestFits = fits;
        }
    }
    return best;
}
