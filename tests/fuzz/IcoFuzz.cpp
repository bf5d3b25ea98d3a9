// Fuzz target: an ICO file's directory, asked for the image of a wanted
// size (the first two bytes). Every input must give an image that lies
// wholly inside the data, with a size between 1 and 256 on each side, or
// raise EInvalidGraphic; nothing else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/IcoCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int wantWidth = data[0], wantHeight = data[1];
    data += 2;
    size -= 2;
    try {
        const TIcoImage image = PickIcoImage(data, size, wantWidth, wantHeight);
        if (image.Size == 0 || image.Offset > size || image.Size > size - image.Offset || image.Width < 1 ||
            image.Width > 256 || image.Height < 1 || image.Height > 256)
            abort();
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
