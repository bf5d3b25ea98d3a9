#include "classlib/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "UiTestSupport.h"
#include "../../support/TempFolder.h"
#include "../core/DibPattern.h"
#include "classlib/graphics/JPEGImage.h"

namespace {

using Bytes = std::vector<uint8_t>;
using uitest::MessageOf;
using testsupport::Pattern;

TColor Rgb(int r, int g, int b)
{
    return static_cast<TColor>(RGB(r, g, b));
}

void SetPixel24(TBitmap& bitmap, int x, int y, int r, int g, int b)
{
    auto* pixel = static_cast<uint8_t*>(bitmap.ScanLine(y)) + x * 3;
    pixel[0] = static_cast<uint8_t>(b);
    pixel[1] = static_cast<uint8_t>(g);
    pixel[2] = static_cast<uint8_t>(r);
}

// Replaces the stream's content by `bytes`, positioned at the start.
void Fill(TMemoryStream& stream, const Bytes& bytes)
{
    stream.Clear();
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
}

Bytes BytesOf(TMemoryStream& stream)
{
    const auto* data = static_cast<const uint8_t*>(stream.Memory());
    return Bytes(data, data + stream.Size());
}

}  // namespace

TEST(BitmapTest, SizeMakesAHandleAndScanLineAndCanvasSeeTheSamePixels)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        SCOPED_TRACE(format == pf24bit ? "pf24bit" : "pf32bit");
        const int bytes = format == pf24bit ? 3 : 4;
        TBitmap bitmap;
        bitmap.SetPixelFormat(format);
        bitmap.SetSize(3, 2);
        auto* top = static_cast<uint8_t*>(bitmap.ScanLine(0));
        top[0] = 1;  // blue
        top[1] = 2;
        top[2] = 3;  // red
        static_cast<uint8_t*>(bitmap.ScanLine(1))[2 * bytes] = 200;
        EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), Rgb(3, 2, 1));
        EXPECT_EQ(bitmap.Canvas()->Pixels(2, 1), Rgb(0, 0, 200));

        bitmap.Canvas()->SetPixels(1, 1, Rgb(10, 20, 30));
        const auto* row = static_cast<uint8_t*>(bitmap.ScanLine(1));
        EXPECT_EQ(Bytes(row + bytes, row + bytes + 3), (Bytes{30, 20, 10}));
        for (int bad : {2, -1})
            EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { bitmap.ScanLine(bad); }), "Scan line index out of range");

    }
}

// The codec's test round-trips every depth; here the formats the bitmap's
// DIB section treats apart: a colour table, 16 bits with and without masks,
// masks at 32 bits, each in both row orders.
TEST(BitmapTest, FilesOfEachKindOfDibRoundTrip)
{
    const struct {
        int bits;
        uint32_t red, green, blue;
        TPixelFormat format;
    } cases[] = {{8, 0, 0, 0, pf8bit}, {16, 0, 0, 0, pf15bit}, {16, 0xF800, 0x07E0, 0x001F, pf16bit},
                 {32, 0xFF, 0xFF00, 0xFF0000, pfCustom}};
    for (const auto& c : cases) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(c.bits) + " bits" + (topDown ? ", top-down" : ""));
            const TDibImage image = Pattern(7, 3, c.bits, topDown, c.red, c.green, c.blue);
            TMemoryStream in;
            Fill(in, WriteBmpFile(image));
            TBitmap bitmap;
            bitmap.LoadFromStream(in);
            EXPECT_EQ(bitmap.PixelFormat(), c.format);
            EXPECT_EQ(std::make_pair(bitmap.Width(), bitmap.Height()), std::make_pair(7, 3));
            // Row 0 is the top row whatever the order in memory.
            const auto* top = static_cast<uint8_t*>(bitmap.ScanLine(0));
            EXPECT_EQ(Bytes(top, top + image.RowSize()), Bytes(image.ScanLine(0), image.ScanLine(0) + image.RowSize()));

            TMemoryStream out;
            bitmap.SaveToStream(out);
            const Bytes saved = BytesOf(out);
            const TDibImage back = ReadBmpFile(saved.data(), saved.size());
            EXPECT_EQ(back.TopDown, topDown);
            EXPECT_EQ(back.Palette, image.Palette);
            EXPECT_EQ(back.Bits, image.Bits);
        }
    }
}

TEST(BitmapTest, BadDataRaisesAndLeavesTheBitmapAsItWas)
{
    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    SetPixel24(bitmap, 1, 1, 40, 50, 60);
    // The codec's own tests cover malformed files; one shows the bitmap's answer.
    Bytes badDepth = WriteBmpFile(Pattern(6, 6, 24, false));
    badDepth[28] = 7;
    TMemoryStream stream;
    Fill(stream, badDepth);
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { bitmap.LoadFromStream(stream); }), "Bitmap image is not valid: bit count 7");
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 1), Rgb(40, 50, 60));

    const testsupport::TTempFolder folder;
    const std::string path = folder.Path() + "bitmap.bmp";
    bitmap.SaveToFile(path);
    TBitmap loaded;
    loaded.LoadFromFile(path);
    DeleteFileA(path.c_str());
    EXPECT_EQ(loaded.Canvas()->Pixels(1, 1), Rgb(40, 50, 60)) << "a file round trip";
    EXPECT_THROW(loaded.LoadFromFile(path), EFOpenError);
}

// Drawing through the canvas before the copy is part of the copy; drawing
// on the source afterwards is not.
TEST(BitmapTest, AssignCopiesDeeply)
{
    TBitmap source;
    source.SetSize(2, 2);
    source.Canvas()->SetPixels(1, 1, Rgb(5, 6, 7));
    TBitmap copy;
    copy.Assign(&source);
    source.Canvas()->SetPixels(1, 1, clRed);
    EXPECT_EQ(static_cast<uint8_t*>(copy.ScanLine(1))[3], 7);
    copy.Assign(&copy);
    EXPECT_EQ(copy.Width(), 2) << "assigning itself";
}

// (Loading a JPEG image: the screen shot's test reads its files back; the
// codec's tests cover bad data. Nothing in the program loads one otherwise.)
TEST(BitmapTest, AnEmptyJpegImageCannotBeSaved)
{
    TJPEGImage image;
    TMemoryStream stream;
    EXPECT_NE(MessageOf<EInvalidGraphic>([&] { image.SaveToStream(stream); }), "(no exception)");

    // The Assign protocol's message with both classes named.
    TCanvas canvas;
    EXPECT_EQ(MessageOf<EConvertError>([&] { canvas.Assign(&image); }), "Cannot assign a TJPEGImage to a TCanvas");
}
