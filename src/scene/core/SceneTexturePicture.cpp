#include "scene/core/SceneTexturePicture.h"

#include <bit>

#include "classlib/core/Exceptions.h"
#include "classlib/core/JpegCodec.h"
#include "classlib/core/Streams.h"
#include "classlib/core/SysUtils.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneRegistry.h"

namespace {

const uint8_t* BytesOf(const std::string& data)
{
    return reinterpret_cast<const uint8_t*>(data.data());
}

std::string ReadFileBytes(const std::string& fileName)
{
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

std::string ReadBitmapResourceBytes(const std::string& name)
{
    auto* bitmaps = dynamic_cast<TSceneBitmapResources*>(&SceneResources());
    if (bitmaps == nullptr)
        throw EResNotFound("Resource " + name + " not found");
    return bitmaps->ReadBitmapResource(name);
}

// The channel that mask selects in value, scaled to 0..255.
uint8_t MaskedChannel(uint32_t value, uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const uint32_t field = mask >> shift;
    const int bits = std::bit_width(field);
    const uint32_t channel = (value & mask) >> shift;
    if (bits >= 8)
        return static_cast<uint8_t>(channel >> (bits - 8));
    return static_cast<uint8_t>((channel * 255 + field / 2) / field);
}

TPictureBGR PaletteColor(const TDibImage& picture, unsigned index)
{
    if (index >= picture.Palette.size())
        return {0, 0, 0};
    const uint32_t entry = picture.Palette[index];
    return {static_cast<uint8_t>(entry), static_cast<uint8_t>(entry >> 8), static_cast<uint8_t>(entry >> 16)};
}

TPictureBGR MaskedColor(const TDibImage& picture, uint32_t value, uint32_t red, uint32_t green, uint32_t blue)
{
    if (picture.HasMasks()) {
        red = picture.RedMask;
        green = picture.GreenMask;
        blue = picture.BlueMask;
    }
    return {MaskedChannel(value, blue), MaskedChannel(value, green), MaskedChannel(value, red)};
}

}  // namespace

TDibImage LoadScenePicture(const std::string& fileName, TSourceLocations location)
{
    const std::string extension = LowerCase(ExtractFileExt(fileName));
    if (extension == ".bmp") {
        if (location & slResource) {
            const std::string dib = ReadBitmapResourceBytes(ResourceNameOf(fileName));
            return ReadPackedDib(BytesOf(dib), dib.size());
        }
        const std::string file = ReadFileBytes(fileName);
        return ReadBmpFile(BytesOf(file), file.size());
    }
    // ".jepg" is a misspelling older descriptions carry.
    if (extension == ".jpg" || extension == ".jpeg" || extension == ".jepg") {
        const std::string data =
            (location & slFile) ? ReadFileBytes(fileName) : SceneResources().ReadResource(ResourceNameOf(fileName));
        return DecodeJpeg(BytesOf(data), data.size());
    }
    TDibImage empty;
    empty.Width = 0;
    empty.Height = 0;
    return empty;
}

TPictureBGR PicturePixel(const TDibImage& picture, int x, int y)
{
    const uint8_t* row = picture.ScanLine(y);
    switch (picture.BitCount) {
    case 1:
        return PaletteColor(picture, (row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4:
        return PaletteColor(picture, (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4));
    case 8:
        return PaletteColor(picture, row[x]);
    case 16: {
        const uint8_t* p = row + 2 * x;
        return MaskedColor(picture, p[0] | p[1] << 8, 0x7C00, 0x03E0, 0x001F);
    }
    case 24: {
        const uint8_t* p = row + 3 * x;
        return {p[0], p[1], p[2]};
    }
    case 32: {
        const uint8_t* p = row + 4 * x;
        const uint32_t value = p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
        return MaskedColor(picture, value, 0xFF0000, 0x00FF00, 0x0000FF);
    }
    default:
        return {0, 0, 0};
    }
}
