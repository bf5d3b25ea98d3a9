#include "classlib/core/JpegCodec.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <jpeglib.h>

namespace {

using Bytes = std::vector<uint8_t>;

// A smooth 24-bit picture (blue across, green down, red diagonal) that JPEG
// keeps well.
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

// Largest difference of any channel of any pixel.
int MaxDifference(const TDibImage& a, const TDibImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.Height; ++y)
        for (int i = 0; i < a.Width * 3; ++i)
            worst = std::max(worst, std::abs(a.ScanLine(y)[i] - b.ScanLine(y)[i]));
    return worst;
}

// A one-component (grey) JPEG of a horizontal ramp, made with libjpeg
// directly because the codec only writes colour.
Bytes GreyRamp(int width, int height)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x)
        row[x] = static_cast<uint8_t>(x * 255 / (width - 1));
    while (info.next_scanline < info.image_height) {
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes result(buffer, buffer + size);
    std::free(buffer);
    return result;
}

template <class F>
std::string JpegError(F&& operation)
{
    try {
        operation();
    } catch (const EJPEG& e) {
        return e.Message;
    }
    return "(no exception)";
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

TEST(JpegCodecTest, GradientSurvivesEncodeAndDecode)
{
    const TDibImage source = Gradient(64, 48);
    const Bytes file = EncodeJpeg(source);
    ASSERT_GT(file.size(), 4u);
    EXPECT_EQ((Bytes{file[0], file[1], file[file.size() - 2], file.back()}), (Bytes{0xFF, 0xD8, 0xFF, 0xD9}));

    const TDibImage decoded = DecodeJpeg(file.data(), file.size());
    EXPECT_EQ(std::tie(decoded.Width, decoded.Height, decoded.BitCount, decoded.TopDown),
              std::make_tuple(64, 48, 24, false));
    ASSERT_EQ(decoded.Bits.size(), decoded.RowSize() * 48);
    // Channels keep their place (blue grows to the right, green downwards):
    // a swapped order or flipped rows would be far off.
    EXPECT_LE(MaxDifference(decoded, source), 12);
}

TEST(JpegCodecTest, QualityTradesSizeForFidelityAndIsClamped)
{
    const TDibImage source = Gradient(96, 64);
    const Bytes low = EncodeJpeg(source, 10);
    const Bytes high = EncodeJpeg(source, 95);
    EXPECT_LT(low.size(), high.size());
    EXPECT_GT(MaxDifference(DecodeJpeg(low.data(), low.size()), source),
              MaxDifference(DecodeJpeg(high.data(), high.size()), source));
    EXPECT_EQ(EncodeJpeg(source, 0), EncodeJpeg(source, 1));
    EXPECT_EQ(EncodeJpeg(source, 1000), EncodeJpeg(source, 100));
    EXPECT_EQ(EncodeJpeg(source), EncodeJpeg(source, 90));
}

TEST(JpegCodecTest, GreyJpegBecomesGreyRgb)
{
    const Bytes file = GreyRamp(40, 8);
    const TDibImage decoded = DecodeJpeg(file.data(), file.size());
    ASSERT_EQ(std::tie(decoded.Width, decoded.Height, decoded.BitCount), std::make_tuple(40, 8, 24));
    for (int y = 0; y < decoded.Height; ++y) {
        const uint8_t* row = decoded.ScanLine(y);
        for (int x = 0; x < decoded.Width; ++x) {
            EXPECT_EQ(row[x * 3], row[x * 3 + 1]);
            EXPECT_EQ(row[x * 3], row[x * 3 + 2]);
            EXPECT_NEAR(row[x * 3], x * 255 / 39, 8) << x << "," << y;
        }
    }
}

TEST(JpegCodecTest, EveryTruncationRaisesWithTheLibrarysMessage)
{
    const Bytes file = EncodeJpeg(Gradient(32, 24));
    EXPECT_EQ(JpegError([&] { DecodeJpeg(file.data(), 0); }), "Empty input file");
    for (size_t length = 1; length < file.size(); ++length) {
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_NE(JpegError([&] { DecodeJpeg(cut.data(), cut.size()); }), "(no exception)")
            << "length " << length;
    }
    // Cut inside the scan: libjpeg's warning is raised as the error.
    const size_t scan = AfterMarker(file, 0xDA);
    ASSERT_NE(scan, 0u);
    const Bytes half(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(scan + 40));
    EXPECT_EQ(JpegError([&] { DecodeJpeg(half.data(), half.size()); }),
              "Premature end of JPEG file");
}

TEST(JpegCodecTest, CorruptDataRaisesWithTheLibrarysMessage)
{
    const Bytes valid = EncodeJpeg(Gradient(32, 24));

    Bytes notJpeg = valid;
    notJpeg[0] = 0x42;
    EXPECT_EQ(JpegError([&] { DecodeJpeg(notJpeg.data(), notJpeg.size()); }),
              "Not a JPEG file: starts with 0x42 0xd8");

    // Frame header: length (2), precision (1), height (2), width (2).
    const size_t frame = AfterMarker(valid, 0xC0);
    ASSERT_NE(frame, 0u);
    Bytes precision = valid;
    precision[frame + 2] = 12;
    EXPECT_NE(JpegError([&] { DecodeJpeg(precision.data(), precision.size()); })
                  .find("Unsupported JPEG data precision 12"),
              std::string::npos);

    // An unexpected marker in the middle of the entropy-coded data.
    const size_t scan = AfterMarker(valid, 0xDA);
    ASSERT_NE(scan, 0u);
    Bytes marker = valid;
    const size_t middle = (scan + valid.size()) / 2;
    marker[middle] = 0xFF;
    marker[middle + 1] = 0xD9;
    const std::string message = JpegError([&] { DecodeJpeg(marker.data(), marker.size()); });
    EXPECT_NE(message.find("Corrupt JPEG data"), std::string::npos) << message;

    // A tiny file that claims a huge picture fails at its end of data
    // without allocating the claimed size (the sanitizers' allocator would
    // refuse 60000 x 60000 x 3 bytes outright).
    Bytes huge = valid;
    huge[frame + 3] = 0xEA;  // height 60000
    huge[frame + 4] = 0x60;
    huge[frame + 5] = 0xEA;  // width 60000
    huge[frame + 6] = 0x60;
    EXPECT_NE(JpegError([&] { DecodeJpeg(huge.data(), huge.size()); }), "(no exception)");
}

// Any single damaged byte gives a picture of consistent size, or EJPEG;
// never a crash or a read outside the buffer (the sanitizers watch this).
TEST(JpegCodecTest, DamagedBytesNeverCrash)
{
    const Bytes valid = EncodeJpeg(Gradient(24, 16), 75);
    for (size_t offset = 0; offset < valid.size(); ++offset) {
        for (uint8_t value : {0x00, 0xFF}) {
            Bytes file = valid;
            file[offset] = value;
            try {
                const TDibImage image = DecodeJpeg(file.data(), file.size());
                EXPECT_EQ(image.Bits.size(), image.RowSize() * static_cast<size_t>(image.Height));
            } catch (const EJPEG&) {
            }
        }
    }
}

TEST(JpegCodecTest, EncoderRefusesWhatItCannotWrite)
{
    TDibImage grey = Gradient(8, 8);
    grey.BitCount = 8;
    grey.Allocate();
    try {
        EncodeJpeg(grey);
        ADD_FAILURE() << "an 8-bit picture was encoded";
    } catch (const EJPEG&) {
        ADD_FAILURE() << "the depth check belongs to the codec, not libjpeg";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message.find("24-bit"), std::string::npos);
    }

    TDibImage mismatched = Gradient(8, 8);
    mismatched.Bits.pop_back();
    EXPECT_THROW(EncodeJpeg(mismatched), EInvalidGraphic);

    TDibImage empty;
    empty.BitCount = 24;
    EXPECT_EQ(JpegError([&] { EncodeJpeg(empty); }), "Empty JPEG image (DNL not supported)");
}
