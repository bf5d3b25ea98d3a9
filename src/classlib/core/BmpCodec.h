// BMP pictures in memory: reading and writing the Windows bitmap formats
// without any platform API, so that the same code serves the bitmap class and
// runs natively under the sanitizers.
//
// Two layouts are read: a complete BMP file ("BM", a 14-byte file header,
// then the DIB) and a packed DIB (the info header, colour table and rows with
// no file header, as RT_BITMAP resources hold it). Info headers of 40 to 124
// bytes (BITMAPINFOHEADER and its longer versions) are accepted; the
// pixels must be uncompressed (BI_RGB) at 1, 4, 8, 16, 24 or 32 bits, or
// BI_BITFIELDS at 16 or 32 bits. Anything else, and any data that is cut
// short or whose header fields contradict each other, raises EInvalidGraphic
// "Bitmap image is not valid: <what is wrong>". Sizes are checked before
// anything is read, so no input makes the reader look outside its buffer or
// allocate more than the input could fill.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/core/Exceptions.h"

// A picture the graphics classes cannot read or write.
class EInvalidGraphic : public Exception {
public:
    explicit EInvalidGraphic(std::string message) : Exception(std::move(message)) {}
};

// The shape of a device-independent picture: size, depth, colour layout and
// the row order a file stores.
struct TDibFormat {
    int Width = 0;
    int Height = 0;
    int BitCount = 24;  // 1, 4, 8, 16, 24 or 32
    // Channel masks of 16- and 32-bit pixels. All zero means the standard
    // layout (5-5-5 for 16 bits, 8-8-8 with an unused high byte for 32 bits),
    // which the reader also reports for files that spell it out as
    // BI_BITFIELDS. Always zero at other depths.
    uint32_t RedMask = 0;
    uint32_t GreenMask = 0;
    uint32_t BlueMask = 0;
    // The colour table: 2^BitCount entries up to 8 bits (the reader pads a
    // shorter table with black), empty above. Each entry is laid out as an
    // RGBQUAD reads it: blue in the low byte, then green, then red.
    std::vector<uint32_t> Palette;
    // True when the file lists the top row first (a negative height).
    bool TopDown = false;

    // Bytes of one row: Width pixels padded to a multiple of 4 bytes.
    size_t RowSize() const;
    bool HasMasks() const { return RedMask != 0 || GreenMask != 0 || BlueMask != 0; }
};

// A picture with its pixels: Height rows of RowSize() bytes in Bits, the top
// row first whatever TopDown says (TopDown only decides how a file stores
// them).
struct TDibImage : TDibFormat {
    std::vector<uint8_t> Bits;

    // Sizes Bits for the current Width, Height and BitCount (zero-filled) and
    // gives a picture of 8 bits or less a black colour table of full size.
    void Allocate();
    uint8_t* ScanLine(int row) { return Bits.data() + static_cast<size_t>(row) * RowSize(); }
    const uint8_t* ScanLine(int row) const
    {
        return Bits.data() + static_cast<size_t>(row) * RowSize();
    }
};

// The number of bytes the BMP file starting at `data` occupies, worked out
// from its headers alone (the pixel rows need not be present): its pixel
// offset plus the rows. Raises EInvalidGraphic when the headers are missing or
// invalid. A stream reader uses it to take exactly one file from a stream.
uint64_t BmpFileLength(const uint8_t* data, size_t size);

// The number of bytes the BMP file starting at `data` takes from a stream
// that holds `available` bytes from its start: the file size its header
// declares when that covers the pixel rows and the stream holds it, else the
// end of its pixel rows (writers that leave the size 0 or wrong). The result
// may exceed `available` when the rows run past the stream's end. Raises
// EInvalidGraphic as BmpFileLength does.
uint64_t BmpFileExtent(const uint8_t* data, size_t size, uint64_t available);

// Reads a complete BMP file; bytes after the pixel rows are ignored.
TDibImage ReadBmpFile(const uint8_t* data, size_t size);

// Reads a packed DIB (info header, optional masks, colour table, rows).
TDibImage ReadPackedDib(const uint8_t* data, size_t size);

// One pixel of a picture as blue, green, red bytes, whatever its depth:
// 1-, 4- and 8-bit pixels through the colour table (an index past the table
// is black), 16- and 32-bit ones through their channel masks (the standard
// 5-5-5 and 8-8-8 layouts when the picture has none), as GDI reads them.
// x and y must lie inside the picture; row 0 is the top row.
struct TPictureBGR {
    uint8_t b, g, r;
};
TPictureBGR PicturePixel(const TDibImage& picture, int x, int y);

// The picture as a 24-bit image of the same size, pixel by pixel through
// PicturePixel (no masks, no colour table, the rows top first); a 24-bit
// picture is copied as it is.
TDibImage DibTo24Bit(const TDibImage& picture);

// Writes a complete BMP file with a 40-byte info header: BI_RGB, or
// BI_BITFIELDS when the image has masks; the rows in the image's TopDown
// order; a colour table of Palette.size() entries up to 8 bits. Raises
// EInvalidGraphic when the image is not consistent (bad size or depth, Bits
// of the wrong length, a palette at the wrong depth or too long).
std::vector<uint8_t> WriteBmpFile(const TDibImage& image);
