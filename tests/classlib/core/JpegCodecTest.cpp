#include "classlib/core/JpegCodec.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include "../../support/ExceptionMessage.h"

namespace {

using Bytes = std::vector<uint8_t>;
using testsupport::MessageOf;

// A smooth picture (blue across, green down, red diagonal) JPEG keeps well.
TDibImage Gradient(int width, int height)
{
    TDibImage image;
    std::tie(image.Width, image.Height, image.BitCount) = std::make_tuple(width, height, 24);
    image.Allocate();
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            row[x * 3 + 0] = static_cast<uint8_t>(x * 255 / (width - 1));
            row[x * 3 + 1] = static_cast<uint8_t>(y * 255 / (height - 1));
            row[x * 3 + 2] = static_cast<uint8_t>((x + y) * 255 / (width + height - 2));
        }
    }
    return image;
}

// Offset of the first byte after marker `code` (0xFF, code), or 0.
size_t AfterMarker(const Bytes& data, uint8_t code)
{
    for (size_t i = 0; i + 1 < data.size(); ++i)
        if (data[i] == 0xFF && data[i + 1] == code)
            return i + 2;
    return 0;
}

}  // namespace

TEST(JpegCodecTest, GradientSurvivesEncodeAndDecodeAndQualityIsClamped)
{
    const TDibImage source = Gradient(64, 48);
    const Bytes file = EncodeJpeg(source);
    const TDibImage decoded = DecodeJpeg(file.data(), file.size());
    ASSERT_EQ(std::tie(decoded.Width, decoded.Height, decoded.BitCount, decoded.TopDown),
              std::make_tuple(64, 48, 24, false));
    // A swapped channel order or flipped rows would be far off.
    int worst = 0;
    for (size_t i = 0; i < source.Bits.size(); ++i)
        worst = std::max(worst, std::abs(decoded.Bits[i] - source.Bits[i]));
    EXPECT_LE(worst, 12);
    EXPECT_LT(EncodeJpeg(source, 10).size(), file.size());
    EXPECT_EQ(EncodeJpeg(source, 0), EncodeJpeg(source, 1));
    EXPECT_EQ(EncodeJpeg(source, 1000), EncodeJpeg(source, 100));
}

TEST(JpegCodecTest, TruncatedAndCorruptDataRaiseWithTheLibrarysMessage)
{
    const Bytes valid = EncodeJpeg(Gradient(32, 24));
    EXPECT_EQ(MessageOf<EJPEG>([&] { DecodeJpeg(valid.data(), 0); }), "Empty input file");
    for (size_t length = 1; length < valid.size(); ++length)
        EXPECT_NE(MessageOf<EJPEG>([&] { DecodeJpeg(valid.data(), length); }), "(no exception)") << "length " << length;
    // Cut inside the scan: libjpeg's warning is raised as the error.
    const size_t scan = AfterMarker(valid, 0xDA);
    ASSERT_NE(scan, 0u);
    EXPECT_EQ(MessageOf<EJPEG>([&] { DecodeJpeg(valid.data(), scan + 40); }), "Premature end of JPEG file");

    Bytes notJpeg = valid;
    notJpeg[0] = 0x42;
    EXPECT_EQ(MessageOf<EJPEG>([&] { DecodeJpeg(notJpeg.data(), notJpeg.size()); }),
              "Not a JPEG file: starts with 0x42 0xd8");

    // A tiny file claiming 60000 x 60000 fails without allocating that much.
    const size_t frame = AfterMarker(valid, 0xC0);  // length (2), precision (1), height (2), width (2)
    ASSERT_NE(frame, 0u);
    Bytes huge = valid;
    huge[frame + 3] = huge[frame + 5] = 0xEA;
    huge[frame + 4] = huge[frame + 6] = 0x60;
    EXPECT_NE(MessageOf<EJPEG>([&] { DecodeJpeg(huge.data(), huge.size()); }), "(no exception)");
}

TEST(JpegCodecTest, EncoderRefusesPicturesOtherThan24Bit)
{
    TDibImage grey = Gradient(8, 8);
    grey.BitCount = 8;
    grey.Allocate();
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { EncodeJpeg(grey); }),
              "JPEG encoding needs a 24-bit picture, not 8-bit");
}
