#include "classlib/core/BmpCodec.h"

#include <bit>
#include <cstring>
#include <limits>

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t MaxInfoHeaderSize = 124;  // BITMAPV5HEADER
constexpr uint32_t BI_RGB_ = 0;
constexpr uint32_t BI_BITFIELDS_ = 3;

[[noreturn]] void Invalid(const std::string& detail)
{
    throw EInvalidGraphic("Bitmap image is not valid: " + detail);
}

uint16_t GetU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t GetU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void PutU16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

uint64_t RowBytes(uint64_t width, int bitCount)
{
    return (width * static_cast<uint64_t>(bitCount) + 31) / 32 * 4;
}

bool IsStandardMasks(int bitCount, uint32_t red, uint32_t green, uint32_t blue)
{
    if (bitCount == 16)
        return red == 0x7C00 && green == 0x03E0 && blue == 0x001F;
    return red == 0xFF0000 && green == 0x00FF00 && blue == 0x0000FF;
}

// What the info header says, checked, with every offset relative to the start
// of the info header.
struct TDibLayout {
    TDibFormat Format;
    uint64_t TableOffset = 0;   // first colour-table entry
    uint32_t TableEntries = 0;  // entries stored in the table
    uint64_t HeadersEnd = 0;    // end of the header and of any masks after it
    uint64_t ImageBytes = 0;    // Height * RowSize
};

// Parses and checks the info header at `dib` (`size` bytes available).
TDibLayout ParseInfoHeader(const uint8_t* dib, size_t size)
{
    if (size < 4)
        Invalid("the info header is missing");
    const uint32_t headerSize = GetU32(dib);
    if (headerSize < InfoHeaderSize || headerSize > MaxInfoHeaderSize)
        Invalid("unsupported info header size " + std::to_string(headerSize));
    if (size < headerSize)
        Invalid("the info header is cut short");

    const int32_t width = static_cast<int32_t>(GetU32(dib + 4));
    const int32_t height = static_cast<int32_t>(GetU32(dib + 8));
    const uint16_t planes = GetU16(dib + 12);
    const uint16_t bitCount = GetU16(dib + 14);
    const uint32_t compression = GetU32(dib + 16);
    const uint32_t colorsUsed = GetU32(dib + 32);

    if (width <= 0)
        Invalid("width " + std::to_string(width));
    if (height == 0 || height == std::numeric_limits<int32_t>::min())
        Invalid("height " + std::to_string(height));
    if (planes != 1)
        Invalid(std::to_string(planes) + " planes");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        Invalid("bit count " + std::to_string(bitCount));

    TDibLayout layout;
    TDibFormat& format = layout.Format;
    format.Width = width;
    format.Height = height < 0 ? -height : height;
    format.TopDown = height < 0;
    format.BitCount = bitCount;
    layout.HeadersEnd = headerSize;

    if (compression == BI_BITFIELDS_) {
        if (bitCount != 16 && bitCount != 32)
            Invalid("BI_BITFIELDS at " + std::to_string(bitCount) + " bits");
        // A 40-byte header is followed by the three masks; longer headers
        // hold them at the same place inside.
        if (headerSize < InfoHeaderSize + 12) {
            layout.HeadersEnd += 12;
            if (size < layout.HeadersEnd)
                Invalid("the colour masks are cut short");
        }
        const uint32_t red = GetU32(dib + 40);
        const uint32_t green = GetU32(dib + 44);
        const uint32_t blue = GetU32(dib + 48);
        const uint64_t limit = (uint64_t{1} << bitCount) - 1;
        if (red == 0 || green == 0 || blue == 0 || (red & green) != 0 || (red & blue) != 0 ||
            (green & blue) != 0 || (red | green | blue) > limit)
            Invalid("bad colour masks");
        if (!IsStandardMasks(bitCount, red, green, blue)) {
            format.RedMask = red;
            format.GreenMask = green;
            format.BlueMask = blue;
        }
    } else if (compression != BI_RGB_) {
        Invalid("compression " + std::to_string(compression) + " is not supported");
    }

    layout.TableOffset = layout.HeadersEnd;
    if (bitCount <= 8) {
        const uint32_t fullTable = 1u << bitCount;
        if (colorsUsed > fullTable)
            Invalid("a colour table of " + std::to_string(colorsUsed) + " entries at " +
                    std::to_string(bitCount) + " bits");
        layout.TableEntries = colorsUsed == 0 ? fullTable : colorsUsed;
    } else {
        // Some writers store an optimisation palette before deep pixels; it
        // is skipped.
        layout.TableEntries = colorsUsed;
    }

    // Width is below 2^31, so the row size fits easily; the product with the
    // height may not.
    const uint64_t rowSize = RowBytes(static_cast<uint64_t>(format.Width), bitCount);
    if (__builtin_mul_overflow(rowSize, static_cast<uint64_t>(format.Height), &layout.ImageBytes))
        Invalid("the picture is too large");
    return layout;
}

// The pixel offset relative to the info header: `declared` when the file gives
// one (0 means "right after the colour table"), checked against the headers.
uint64_t PixelOffset(const TDibLayout& layout, uint64_t declared, bool given)
{
    const uint64_t tableEnd = layout.TableOffset + uint64_t{layout.TableEntries} * 4;
    if (!given)
        return tableEnd;
    const uint64_t required = layout.Format.BitCount <= 8 ? tableEnd : layout.HeadersEnd;
    if (declared < required)
        Invalid("the pixel data offset lies inside the headers");
    return declared;
}

// Builds the image from the DIB at `dib` (`size` bytes) whose pixels start at
// `pixelOffset`.
TDibImage ReadDib(const uint8_t* dib, size_t size, const TDibLayout& layout,
                  uint64_t pixelOffset)
{
    if (pixelOffset > size)
        Invalid("the pixel data offset lies past the end of the data");
    if (layout.ImageBytes > size - pixelOffset)
        Invalid("the pixel data is cut short");

    TDibImage image;
    static_cast<TDibFormat&>(image) = layout.Format;
    image.Allocate();
    if (image.BitCount <= 8) {
        // The table lies before the pixels (checked by PixelOffset).
        for (uint32_t i = 0; i < layout.TableEntries; ++i)
            image.Palette[i] = GetU32(dib + layout.TableOffset + i * 4) & 0xFFFFFF;
    }
    const size_t rowSize = image.RowSize();
    const uint8_t* pixels = dib + pixelOffset;
    for (int row = 0; row < image.Height; ++row) {
        const int stored = image.TopDown ? row : image.Height - 1 - row;
        std::memcpy(image.ScanLine(row), pixels + static_cast<size_t>(stored) * rowSize, rowSize);
    }
    return image;
}

struct TFileHeader {
    uint32_t FileSize;
    uint32_t PixelOffset;
};

TFileHeader ParseFileHeader(const uint8_t* data, size_t size)
{
    if (size < FileHeaderSize)
        Invalid("the file header is cut short");
    if (data[0] != 'B' || data[1] != 'M')
        Invalid("the file does not start with \"BM\"");
    const TFileHeader header{GetU32(data + 2), GetU32(data + 10)};
    if (header.PixelOffset != 0 && header.PixelOffset < FileHeaderSize)
        Invalid("the pixel data offset lies inside the headers");
    return header;
}

uint64_t FilePixelOffset(const TFileHeader& header, const TDibLayout& layout)
{
    const bool given = header.PixelOffset != 0;
    return PixelOffset(layout, given ? header.PixelOffset - FileHeaderSize : 0, given);
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

size_t TDibFormat::RowSize() const
{
    return static_cast<size_t>(RowBytes(static_cast<uint64_t>(Width < 0 ? 0 : Width), BitCount));
}

void TDibImage::Allocate()
{
    Bits.assign(RowSize() * static_cast<size_t>(Height < 0 ? 0 : Height), 0);
    if (BitCount <= 8)
        Palette.resize(size_t{1} << BitCount, 0);
    else
        Palette.clear();
}

uint64_t BmpFileLength(const uint8_t* data, size_t size)
{
    const TFileHeader header = ParseFileHeader(data, size);
    const TDibLayout layout = ParseInfoHeader(data + FileHeaderSize, size - FileHeaderSize);
    uint64_t length = 0;
    if (__builtin_add_overflow(FileHeaderSize + FilePixelOffset(header, layout),
                               layout.ImageBytes, &length))
        Invalid("the picture is too large");
    return length;
}

uint64_t BmpFileExtent(const uint8_t* data, size_t size, uint64_t available)
{
    const uint64_t pixelsEnd = BmpFileLength(data, size);
    const uint64_t declared = static_cast<uint64_t>(data[2]) | static_cast<uint64_t>(data[3]) << 8 |
                              static_cast<uint64_t>(data[4]) << 16 |
                              static_cast<uint64_t>(data[5]) << 24;
    return declared >= pixelsEnd && declared <= available ? declared : pixelsEnd;
}

TDibImage ReadBmpFile(const uint8_t* data, size_t size)
{
    const TFileHeader header = ParseFileHeader(data, size);
    const uint8_t* dib = data + FileHeaderSize;
    const size_t dibSize = size - FileHeaderSize;
    const TDibLayout layout = ParseInfoHeader(dib, dibSize);
    return ReadDib(dib, dibSize, layout, FilePixelOffset(header, layout));
}

TDibImage ReadPackedDib(const uint8_t* data, size_t size)
{
    const TDibLayout layout = ParseInfoHeader(data, size);
    return ReadDib(data, size, layout, PixelOffset(layout, 0, false));
}

std::vector<uint8_t> WriteBmpFile(const TDibImage& image)
{
    const int bits = image.BitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        Invalid("bit count " + std::to_string(bits));
    if (image.Width <= 0 || image.Height <= 0)
        Invalid("size " + std::to_string(image.Width) + " x " + std::to_string(image.Height));
    const bool masks = image.HasMasks();
    if (masks && bits != 16 && bits != 32)
        Invalid("colour masks at " + std::to_string(bits) + " bits");
    const size_t tableEntries = image.Palette.size();
    if (bits <= 8 ? tableEntries == 0 || tableEntries > (size_t{1} << bits) : tableEntries != 0)
        Invalid("a colour table of " + std::to_string(tableEntries) + " entries at " +
                std::to_string(bits) + " bits");
    const size_t rowSize = image.RowSize();
    if (image.Bits.size() / rowSize != static_cast<size_t>(image.Height) ||
        image.Bits.size() % rowSize != 0)
        Invalid("the pixel buffer does not match the size");

    const uint64_t headers = FileHeaderSize + InfoHeaderSize + (masks ? 12 : 0) + tableEntries * 4;
    const uint64_t fileSize = headers + image.Bits.size();
    if (fileSize > std::numeric_limits<uint32_t>::max())
        Invalid("the picture is too large for a BMP file");

    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(fileSize));
    out.push_back('B');
    out.push_back('M');
    PutU32(out, static_cast<uint32_t>(fileSize));
    PutU32(out, 0);  // reserved
    PutU32(out, static_cast<uint32_t>(headers));

    PutU32(out, InfoHeaderSize);
    PutU32(out, static_cast<uint32_t>(image.Width));
    PutU32(out, static_cast<uint32_t>(image.TopDown ? -image.Height : image.Height));
    PutU16(out, 1);  // planes
    PutU16(out, static_cast<uint32_t>(bits));
    PutU32(out, masks ? BI_BITFIELDS_ : BI_RGB_);
    PutU32(out, static_cast<uint32_t>(image.Bits.size()));
    PutU32(out, 0);  // horizontal resolution: unknown
    PutU32(out, 0);  // vertical resolution
    PutU32(out, bits <= 8 && tableEntries < (size_t{1} << bits)
                    ? static_cast<uint32_t>(tableEntries)
                    : 0);
    PutU32(out, 0);  // all colours important
    if (masks) {
        PutU32(out, image.RedMask);
        PutU32(out, image.GreenMask);
        PutU32(out, image.BlueMask);
    }
    for (uint32_t entry : image.Palette)
        PutU32(out, entry & 0xFFFFFF);
    for (int i = 0; i < image.Height; ++i) {
        const uint8_t* row = image.ScanLine(image.TopDown ? i : image.Height - 1 - i);
        out.insert(out.end(), row, row + rowSize);
    }
    return out;
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

TDibImage DibTo24Bit(const TDibImage& picture)
{
    if (picture.BitCount == 24 && !picture.HasMasks()) {
        TDibImage copy = picture;
        copy.Palette.clear();
        return copy;
    }
    TDibImage image;
    image.Width = picture.Width;
    image.Height = picture.Height;
    image.BitCount = 24;
    image.TopDown = picture.TopDown;
    image.Allocate();
    for (int y = 0; y < image.Height; ++y) {
        uint8_t* row = image.ScanLine(y);
        for (int x = 0; x < image.Width; ++x) {
            const TPictureBGR c = PicturePixel(picture, x, y);
            row[3 * x] = c.b;
            row[3 * x + 1] = c.g;
            row[3 * x + 2] = c.r;
        }
    }
    return image;
}
