#include "classlib/core/BmpCodec.h"

#include <cstring>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t U32At(const Bytes& data, size_t offset)
{
    return data[offset] | data[offset + 1] << 8 | data[offset + 2] << 16 |
           static_cast<uint32_t>(data[offset + 3]) << 24;
}

void SetU32(Bytes& data, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        data[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

void SetU16(Bytes& data, size_t offset, uint16_t value)
{
    data[offset] = static_cast<uint8_t>(value);
    data[offset + 1] = static_cast<uint8_t>(value >> 8);
}

// A picture whose every byte (padding included) is different from its
// neighbours, so that a swapped or shifted row cannot go unnoticed.
TDibImage Pattern(int width, int height, int bitCount, bool topDown, uint32_t red = 0,
                  uint32_t green = 0, uint32_t blue = 0)
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

void ExpectSameImage(const TDibImage& a, const TDibImage& e)
{
    EXPECT_EQ(std::tie(a.Width, a.Height, a.BitCount, a.TopDown, a.RedMask, a.GreenMask, a.BlueMask),
              std::tie(e.Width, e.Height, e.BitCount, e.TopDown, e.RedMask, e.GreenMask, e.BlueMask));
    EXPECT_EQ(a.Palette, e.Palette);
    EXPECT_EQ(a.Bits, e.Bits);
}

template <class F>
std::string BitmapError(F&& operation)
{
    try {
        operation();
    } catch (const EInvalidGraphic& e) {
        return e.Message;
    }
    return "(no exception)";
}

// A 2 x 2 24-bit file as bytes: bottom row blue, white; top row red, green.
Bytes TwoByTwoFile(bool topDown)
{
    Bytes file = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                  40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,
                  0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                  0, 0, 0, 0, 0, 0, 0, 0};
    const Bytes bottom = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0};  // blue, white, padding
    const Bytes top = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0};           // red, green, padding
    if (topDown) {
        SetU32(file, 22, static_cast<uint32_t>(-2));
        file.insert(file.end(), top.begin(), top.end());
        file.insert(file.end(), bottom.begin(), bottom.end());
    } else {
        file.insert(file.end(), bottom.begin(), bottom.end());
        file.insert(file.end(), top.begin(), top.end());
    }
    return file;
}

}  // namespace

TEST(BmpCodecTest, RowsComeTopFirstWhateverTheFileOrder)
{
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        const Bytes file = TwoByTwoFile(topDown);
        const TDibImage image = ReadBmpFile(file.data(), file.size());
        EXPECT_EQ(std::tie(image.Width, image.Height, image.BitCount, image.TopDown),
                  std::make_tuple(2, 2, 24, topDown));
        EXPECT_TRUE(image.Palette.empty());
        ASSERT_EQ(image.RowSize(), 8u);
        const Bytes top(image.ScanLine(0), image.ScanLine(0) + 6);
        const Bytes bottom(image.ScanLine(1), image.ScanLine(1) + 6);
        EXPECT_EQ(top, (Bytes{0, 0, 0xFF, 0, 0xFF, 0}));
        EXPECT_EQ(bottom, (Bytes{0xFF, 0, 0, 0xFF, 0xFF, 0xFF}));
        // Written back, the file is the same byte for byte.
        EXPECT_EQ(WriteBmpFile(image), file);
    }
}

TEST(BmpCodecTest, WriterLaysOutHeadersTableAndRows)
{
    TDibImage image = Pattern(3, 2, 8, false);
    image.Palette.resize(4);
    const Bytes file = WriteBmpFile(image);

    const size_t pixels = 14 + 40 + 4 * 4;
    ASSERT_EQ(file.size(), pixels + 2 * 4);
    // File size, pixel offset, header size, width, height; BI_RGB, image
    // bytes; colours used.
    for (const auto& [offset, value] : std::initializer_list<std::pair<size_t, uint32_t>>{
             {2, file.size()}, {10, pixels}, {14, 40}, {18, 3}, {22, 2}, {30, 0}, {34, 8}, {46, 4}})
        EXPECT_EQ(U32At(file, offset), value) << "offset " << offset;
    EXPECT_EQ(U32At(file, 54 + 4), 0x010203u);
    // Bottom-up: the bottom row is stored first.
    EXPECT_EQ(Bytes(file.begin() + pixels, file.begin() + pixels + 4),
              Bytes(image.ScanLine(1), image.ScanLine(1) + 4));

    image.TopDown = true;
    const Bytes topDown = WriteBmpFile(image);
    EXPECT_EQ(static_cast<int32_t>(U32At(topDown, 22)), -2);
    EXPECT_EQ(Bytes(topDown.begin() + pixels, topDown.begin() + pixels + 4),
              Bytes(image.ScanLine(0), image.ScanLine(0) + 4));
}

TEST(BmpCodecTest, EveryDepthAndOrderRoundTrips)
{
    struct Case {
        int bits;
        uint32_t red, green, blue;
    };
    const Case cases[] = {{1, 0, 0, 0},  {4, 0, 0, 0},
                          {8, 0, 0, 0},  {16, 0, 0, 0},
                          {16, 0xF800, 0x07E0, 0x001F},
                          {24, 0, 0, 0}, {32, 0, 0, 0},
                          {32, 0x000000FF, 0x0000FF00, 0x00FF0000}};
    for (const Case& c : cases) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(c.bits) + " bits, masks " + std::to_string(c.red) +
                         (topDown ? ", top-down" : ", bottom-up"));
            const TDibImage image = Pattern(13, 5, c.bits, topDown, c.red, c.green, c.blue);
            const Bytes file = WriteBmpFile(image);
            EXPECT_EQ(BmpFileLength(file.data(), file.size()), file.size());
            ExpectSameImage(ReadBmpFile(file.data(), file.size()), image);
            // The same DIB without its file header is a packed DIB.
            ExpectSameImage(ReadPackedDib(file.data() + 14, file.size() - 14), image);
        }
    }
}

TEST(BmpCodecTest, StandardMasksAndLongerHeadersAreUnderstood)
{
    // BI_BITFIELDS spelling out 5-5-5 reads as the plain 16-bit layout.
    TDibImage image = Pattern(4, 3, 16, false, 0x7C00, 0x03E0, 0x001F);
    Bytes file = WriteBmpFile(image);
    EXPECT_EQ(U32At(file, 30), 3u);
    TDibImage read = ReadBmpFile(file.data(), file.size());
    EXPECT_FALSE(read.HasMasks());
    EXPECT_EQ(read.Bits, image.Bits);

    // A 124-byte header holds the masks inside; the pixels follow it.
    const TDibImage custom = Pattern(5, 2, 32, true, 0xFF, 0xFF00, 0xFF0000);
    const Bytes plain = WriteBmpFile(custom);  // 14 + 40 + 12 masks + rows
    Bytes v5(plain.begin(), plain.begin() + 14 + 40);
    v5.insert(v5.end(), plain.begin() + 54, plain.begin() + 66);  // masks at 40..51
    v5.resize(14 + 124, 0);
    v5.insert(v5.end(), plain.begin() + 66, plain.end());
    SetU32(v5, 14, 124);
    SetU32(v5, 10, 14 + 124);
    SetU32(v5, 2, static_cast<uint32_t>(v5.size()));
    ExpectSameImage(ReadBmpFile(v5.data(), v5.size()), custom);
    ExpectSameImage(ReadPackedDib(v5.data() + 14, v5.size() - 14), custom);
}

TEST(BmpCodecTest, ShortTableIsPaddedAndZeroOffsetMeansAfterTheTable)
{
    TDibImage image = Pattern(6, 4, 8, false);
    image.Palette.resize(2);
    Bytes file = WriteBmpFile(image);
    SetU32(file, 10, 0);  // some writers leave the pixel offset out
    const TDibImage read = ReadBmpFile(file.data(), file.size());
    ASSERT_EQ(read.Palette.size(), 256u);
    EXPECT_EQ(read.Palette[1], image.Palette[1]);
    EXPECT_EQ(read.Palette[2], 0u);
    EXPECT_EQ(read.Bits, image.Bits);
}

TEST(BmpCodecTest, FileLengthNeedsOnlyTheHeaders)
{
    const Bytes file = WriteBmpFile(Pattern(40, 30, 8, false));
    EXPECT_EQ(BmpFileLength(file.data(), 14 + 40), file.size());
    // A gap between the table and the pixels counts.
    Bytes gapped = file;
    SetU32(gapped, 10, U32At(file, 10) + 100);
    EXPECT_EQ(BmpFileLength(gapped.data(), 14 + 40), file.size() + 100);
    EXPECT_NE(BitmapError([&] { BmpFileLength(file.data(), 14 + 39); }), "(no exception)");

    // The largest picture the fields can describe, behind the longest
    // colour table: the sum passes 2^64 and must not wrap to a small length.
    Bytes huge = WriteBmpFile(Pattern(1, 1, 32, false));
    SetU32(huge, 10, 0);
    SetU32(huge, 18, 0x7FFFFFFF);
    SetU32(huge, 22, 0x7FFFFFFF);
    SetU32(huge, 46, 0xFFFFFFFF);
    EXPECT_NE(BitmapError([&] { BmpFileLength(huge.data(), huge.size()); }).find("too large"),
              std::string::npos);
}

TEST(BmpCodecTest, EveryTruncationRaises)
{
    const TDibImage images[] = {Pattern(7, 5, 1, false), Pattern(5, 3, 8, true),
                                Pattern(3, 4, 16, false, 0xF800, 0x07E0, 0x001F),
                                Pattern(4, 3, 24, false)};
    for (const TDibImage& image : images) {
        SCOPED_TRACE(std::to_string(image.BitCount) + " bits");
        const Bytes file = WriteBmpFile(image);
        for (size_t length = 0; length < file.size(); ++length) {
            const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
            const std::string message = BitmapError([&] { ReadBmpFile(cut.data(), cut.size()); });
            EXPECT_EQ(message.rfind("Bitmap image is not valid: ", 0), 0u)
                << "length " << length << ": " << message;
            if (length >= 14) {
                EXPECT_NE(BitmapError([&] { ReadPackedDib(cut.data() + 14, cut.size() - 14); }),
                          "(no exception)")
                    << "packed length " << length - 14;
            }
        }
    }
}

TEST(BmpCodecTest, ContradictoryHeaderFieldsRaise)
{
    const Bytes valid = WriteBmpFile(Pattern(4, 4, 8, false));
    struct Case {
        const char* name;
        void (*corrupt)(Bytes&);
        const char* detail;
    };
    const Case cases[] = {
        {"bad magic", [](Bytes& f) { f[1] = 'A'; }, "does not start with \"BM\""},
        {"core header", [](Bytes& f) { SetU32(f, 14, 12); }, "info header size 12"},
        {"header too long", [](Bytes& f) { SetU32(f, 14, 200); }, "info header size 200"},
        {"header past end", [](Bytes& f) { SetU32(f, 14, 124); f.resize(100); }, "cut short"},
        {"zero width", [](Bytes& f) { SetU32(f, 18, 0); }, "width 0"},
        {"negative width", [](Bytes& f) { SetU32(f, 18, static_cast<uint32_t>(-4)); },
         "width -4"},
        {"zero height", [](Bytes& f) { SetU32(f, 22, 0); }, "height 0"},
        {"most negative height", [](Bytes& f) { SetU32(f, 22, 0x80000000u); },
         "height -2147483648"},
        {"huge size",
         [](Bytes& f) {
             SetU32(f, 18, 0x7FFFFFFF);
             SetU32(f, 22, 0x7FFFFFFF);
             SetU16(f, 28, 32);
         },
         "pixel data is cut short"},
        {"huge width", [](Bytes& f) { SetU32(f, 18, 0x7FFFFFFF); }, "pixel data is cut short"},
        {"bit count 7", [](Bytes& f) { SetU16(f, 28, 7); }, "bit count 7"},
        {"bit count 0", [](Bytes& f) { SetU16(f, 28, 0); }, "bit count 0"},
        {"two planes", [](Bytes& f) { SetU16(f, 26, 2); }, "2 planes"},
        {"RLE8", [](Bytes& f) { SetU32(f, 30, 1); }, "compression 1 is not supported"},
        {"bitfields at 8 bits", [](Bytes& f) { SetU32(f, 30, 3); }, "BI_BITFIELDS at 8 bits"},
        {"palette too large", [](Bytes& f) { SetU32(f, 46, 257); },
         "colour table of 257 entries at 8 bits"},
        {"palette count wraps", [](Bytes& f) { SetU32(f, 46, 0xFFFFFFFF); },
         "colour table of 4294967295 entries"},
        {"offset past end", [](Bytes& f) { SetU32(f, 10, 0x7FFFFFF0); }, "past the end"},
        {"offset inside table", [](Bytes& f) { SetU32(f, 10, 60); }, "inside the headers"},
        {"offset inside file header", [](Bytes& f) { SetU32(f, 10, 5); }, "inside the headers"},
        {"rows missing", [](Bytes& f) { f.resize(f.size() - 1); }, "pixel data is cut short"},
    };
    for (const Case& c : cases) {
        Bytes file = valid;
        c.corrupt(file);
        const std::string message = BitmapError([&] { ReadBmpFile(file.data(), file.size()); });
        EXPECT_NE(message.find(c.detail), std::string::npos) << c.name << ": " << message;
        EXPECT_EQ(message.rfind("Bitmap image is not valid: ", 0), 0u) << c.name;
    }
}

TEST(BmpCodecTest, BadColourMasksRaise)
{
    const Bytes valid = WriteBmpFile(Pattern(4, 4, 16, false, 0xF800, 0x07E0, 0x001F));
    const uint32_t bad[][3] = {{0, 0x07E0, 0x001F},        // a missing channel
                               {0xF800, 0x0FE0, 0x001F},   // overlapping channels
                               {0x1F800, 0x07E0, 0x001F}}; // wider than the pixel
    for (const auto& masks : bad) {
        Bytes file = valid;
        SetU32(file, 54, masks[0]);
        SetU32(file, 58, masks[1]);
        SetU32(file, 62, masks[2]);
        const std::string message = BitmapError([&] { ReadBmpFile(file.data(), file.size()); });
        EXPECT_NE(message.find("bad colour masks"), std::string::npos) << message;
    }
    Bytes file = valid;
    SetU16(file, 28, 24);  // BI_BITFIELDS at 24 bits
    EXPECT_NE(BitmapError([&] { ReadBmpFile(file.data(), file.size()); }).find("BI_BITFIELDS"),
              std::string::npos);
}

// Any single damaged byte of the headers gives a picture that agrees with its
// own size, or the error; never a read outside the buffer (the sanitizers
// watch this test).
TEST(BmpCodecTest, DamagedHeaderBytesNeverReadOutside)
{
    const Bytes valid = WriteBmpFile(Pattern(9, 7, 4, false));
    for (size_t offset = 0; offset < 14 + 40 + 64; ++offset) {
        for (uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            Bytes file = valid;
            file[offset] = value;
            try {
                const TDibImage image = ReadBmpFile(file.data(), file.size());
                EXPECT_EQ(image.Bits.size(), image.RowSize() * static_cast<size_t>(image.Height));
                EXPECT_EQ(image.Palette.size(),
                          image.BitCount <= 8 ? size_t{1} << image.BitCount : 0u);
            } catch (const EInvalidGraphic&) {
            }
        }
    }
}

TEST(BmpCodecTest, WriterRejectsInconsistentImages)
{
    const TDibImage good = Pattern(3, 3, 8, false);
    struct Case {
        const char* name;
        void (*spoil)(TDibImage&);
    };
    const Case cases[] = {
        {"bit count 7", [](TDibImage& i) { i.BitCount = 7; }},
        {"zero width", [](TDibImage& i) { i.Width = 0; }},
        {"short bits", [](TDibImage& i) { i.Bits.pop_back(); }},
        {"long bits", [](TDibImage& i) { i.Bits.push_back(0); }},
        {"no table", [](TDibImage& i) { i.Palette.clear(); }},
        {"table too long", [](TDibImage& i) { i.Palette.push_back(0); }},
        {"masks at 8 bits", [](TDibImage& i) { i.RedMask = 1; }},
        {"table at 24 bits",
         [](TDibImage& i) {
             i.BitCount = 24;
             i.Bits.assign(i.RowSize() * 3, 0);
         }},
    };
    for (const Case& c : cases) {
        TDibImage image = good;
        c.spoil(image);
        EXPECT_EQ(BitmapError([&] { WriteBmpFile(image); }).rfind("Bitmap image is not valid: ", 0),
                  0u)
            << c.name;
    }
}
