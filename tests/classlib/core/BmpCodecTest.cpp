#include "classlib/core/BmpCodec.h"

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include "../../support/ExceptionMessage.h"
#include "DibPattern.h"

namespace {

using Bytes = std::vector<uint8_t>;
using testsupport::MessageOf;
using testsupport::Pattern;

void SetU32(Bytes& data, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        data[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

void ExpectSameImage(const TDibImage& a, const TDibImage& e)
{
    EXPECT_EQ(std::tie(a.Width, a.Height, a.BitCount, a.TopDown, a.RedMask, a.GreenMask, a.BlueMask),
              std::tie(e.Width, e.Height, e.BitCount, e.TopDown, e.RedMask, e.GreenMask, e.BlueMask));
    EXPECT_EQ(a.Palette, e.Palette);
    EXPECT_EQ(a.Bits, e.Bits);
}

}  // namespace

TEST(BmpCodecTest, RowsComeTopFirstAndEveryDepthAndOrderRoundTrips)
{
    // A 2 x 2 24-bit file stored bottom-up: bottom row blue, white; top row red, green.
    Bytes file = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0,
                  24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                  0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0};
    const TDibImage two = ReadBmpFile(file.data(), file.size());
    EXPECT_EQ(Bytes(two.ScanLine(0), two.ScanLine(0) + 6), (Bytes{0, 0, 0xFF, 0, 0xFF, 0}));
    EXPECT_EQ(WriteBmpFile(two), file);

    const uint32_t masks[][4] = {{1, 0, 0, 0},  {4, 0, 0, 0},  {8, 0, 0, 0},
                                 {16, 0, 0, 0}, {16, 0xF800, 0x07E0, 0x001F},
                                 {24, 0, 0, 0}, {32, 0xFF, 0xFF00, 0xFF0000}};
    for (const auto& m : masks) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(m[0]) + " bits, masks " + std::to_string(m[1]) + ", top-down " +
                         std::to_string(topDown));
            const TDibImage image = Pattern(13, 5, static_cast<int>(m[0]), topDown, m[1], m[2], m[3]);
            const Bytes written = WriteBmpFile(image);
            EXPECT_EQ(BmpFileLength(written.data(), written.size()), written.size());
            ExpectSameImage(ReadBmpFile(written.data(), written.size()), image);
            ExpectSameImage(ReadPackedDib(written.data() + 14, written.size() - 14), image);
        }
    }
}

TEST(BmpCodecTest, FileLengthOfTheLargestPictureDoesNotWrap)
{
    // Behind the longest colour table the sum passes 2^64.
    Bytes huge = WriteBmpFile(Pattern(1, 1, 32, false));
    SetU32(huge, 10, 0);
    SetU32(huge, 18, 0x7FFFFFFF);
    SetU32(huge, 22, 0x7FFFFFFF);
    SetU32(huge, 46, 0xFFFFFFFF);
    const std::string message = MessageOf<EInvalidGraphic>([&] { BmpFileLength(huge.data(), huge.size()); });
    EXPECT_NE(message.find("too large"), std::string::npos) << message;
}

TEST(BmpCodecTest, TruncatedAndContradictoryFilesRaise)
{
    const Bytes valid = WriteBmpFile(Pattern(4, 3, 16, false, 0xF800, 0x07E0, 0x001F));
    for (size_t length = 0; length < valid.size(); ++length) {
        const Bytes cut(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length));
        const std::string message = MessageOf<EInvalidGraphic>([&] { ReadBmpFile(cut.data(), cut.size()); });
        EXPECT_EQ(message.rfind("Bitmap image is not valid: ", 0), 0u) << "length " << length;
        if (length >= 14) {
            EXPECT_NE(MessageOf<EInvalidGraphic>([&] { ReadPackedDib(cut.data() + 14, cut.size() - 14); }),
                      "(no exception)");
        }
    }

    const std::pair<void (*)(Bytes&), const char*> cases[] = {
        {[](Bytes& f) { f[1] = 'A'; }, "Bitmap image is not valid: the file does not start with \"BM\""},
        {[](Bytes& f) { SetU32(f, 14, 12); }, "info header size 12"},
        {[](Bytes& f) { SetU32(f, 22, 0x80000000u); }, "height -2147483648"},
        {[](Bytes& f) { SetU32(f, 18, 0x7FFFFFFF); }, "pixel data is cut short"},
        {[](Bytes& f) { f[28] = 7; }, "bit count 7"},
        {[](Bytes& f) { f[26] = 2; }, "2 planes"},
        {[](Bytes& f) { SetU32(f, 30, 1); }, "compression 1 is not supported"},
        {[](Bytes& f) { f[28] = 8, SetU32(f, 30, 0), SetU32(f, 46, 0xFFFFFFFF); }, "colour table of 4294967295 entries"},
        {[](Bytes& f) { SetU32(f, 10, 0x7FFFFFF0); }, "past the end"},
        {[](Bytes& f) { SetU32(f, 10, 5); }, "inside the headers"},
        {[](Bytes& f) { SetU32(f, 10, 14 + 20); }, "inside the headers"},  // inside the info header
        {[](Bytes& f) { f[28] = 8, SetU32(f, 30, 0), SetU32(f, 46, 2), SetU32(f, 10, 58); },
         "inside the headers"},  // inside the colour table
        {[](Bytes& f) { SetU32(f, 58, 0x0FE0); }, "bad colour masks"},  // overlapping channels
        {[](Bytes& f) { f[28] = 24; }, "BI_BITFIELDS at 24 bits"},
    };
    for (const auto& [corrupt, detail] : cases) {
        Bytes file = valid;
        corrupt(file);
        const std::string message = MessageOf<EInvalidGraphic>([&] { ReadBmpFile(file.data(), file.size()); });
        EXPECT_NE(message.find(detail), std::string::npos) << detail << ": " << message;
    }
}
