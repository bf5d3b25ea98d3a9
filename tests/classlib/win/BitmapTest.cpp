#include "classlib/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "UiTestSupport.h"
#include "../../support/TempFolder.h"
#include "classlib/graphics/JPEGImage.h"

namespace {

using Bytes = std::vector<uint8_t>;
using uitest::MessageOf;

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

// A codec picture whose bytes all differ, for round trips.
TDibImage Pattern(int width, int height, int bitCount, bool topDown, uint32_t red = 0, uint32_t green = 0,
                  uint32_t blue = 0)
{
    TDibImage image;
    image.Width = width;
    image.Height = height;
    image.BitCount = bitCount;
    image.TopDown = topDown;
    image.RedMask = red;
    image.GreenMask = green;
    image.BlueMask = blue;
    image.Allocate();
    for (size_t i = 0; i < image.Bits.size(); ++i)
        image.Bits[i] = static_cast<uint8_t>(i * 7 + 3);
    for (size_t i = 0; i < image.Palette.size(); ++i)
        image.Palette[i] = static_cast<uint32_t>(i * 0x030507) & 0xFFFFFF;
    return image;
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
    TBitmap empty;
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { empty.ScanLine(0); }), "Scan line index out of range");

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

TEST(BitmapTest, FilesOfEveryDepthAndOrderRoundTrip)
{
    const struct {
        int bits;
        uint32_t red, green, blue;
        TPixelFormat format;
    } cases[] = {{1, 0, 0, 0, pf1bit},   {4, 0, 0, 0, pf4bit},   {8, 0, 0, 0, pf8bit},
                 {16, 0, 0, 0, pf15bit}, {16, 0xF800, 0x07E0, 0x001F, pf16bit},
                 {24, 0, 0, 0, pf24bit}, {32, 0, 0, 0, pf32bit}, {32, 0xFF, 0xFF00, 0xFF0000, pfCustom}};
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

TEST(BitmapTest, ResourceBitmapsLoadByNameAndAssignCopiesDeeply)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    TBitmap bitmap;
    bitmap.LoadFromResourceName(instance, "BITMAPTEST2X2");
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    ASSERT_EQ(std::make_pair(bitmap.Width(), bitmap.Height()), std::make_pair(2, 2));
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 1), clBlue);

    TBitmap source;
    source.LoadFromResourceName(instance, "BITMAPTEST4X2");
    EXPECT_EQ(source.PixelFormat(), pf8bit);
    const TColor top[] = {clBlack, clRed, clLime, clBlue};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(source.Canvas()->Pixels(x, 0), top[x]) << x;
        EXPECT_EQ(source.Canvas()->Pixels(x, 1), top[3 - x]) << x;
        EXPECT_EQ(static_cast<uint8_t*>(source.ScanLine(0))[x], x);
    }
    EXPECT_EQ(MessageOf<EResNotFound>([&] { bitmap.LoadFromResourceName(instance, "NOSUCHBITMAP"); }),
              "Resource NOSUCHBITMAP not found");
    EXPECT_EQ(bitmap.Width(), 2);

    TBitmap copy;
    copy.Assign(&source);
    static_cast<uint8_t*>(source.ScanLine(0))[0] = 2;
    source.SetPaletteColor(1, Rgb(1, 1, 1));
    EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(copy.PaletteColor(1), clRed);

    // Drawing through the canvas before the copy is part of the copy.
    TBitmap drawn;
    drawn.SetSize(2, 2);
    drawn.Canvas()->SetPixels(1, 1, Rgb(5, 6, 7));
    copy.Assign(&drawn);
    EXPECT_EQ(static_cast<uint8_t*>(copy.ScanLine(1))[3], 7);
    copy.Assign(&copy);
    EXPECT_EQ(copy.Width(), 2) << "assigning itself";
}

TEST(BitmapTest, JpegErrorsLeaveTheImageAsItWas)
{
    TBitmap source;
    source.SetSize(16, 16);
    TJPEGImage jpeg;
    jpeg.Assign(&source);
    TMemoryStream good;
    jpeg.SaveToStream(good);
    Bytes cut = BytesOf(good);
    cut.resize(cut.size() / 2);

    TJPEGImage image;
    TMemoryStream stream;
    Fill(stream, cut);
    EXPECT_EQ(MessageOf<EJPEG>([&] { image.LoadFromStream(stream); }), "Premature end of JPEG file");
    EXPECT_TRUE(image.Empty());
    EXPECT_NE(MessageOf<EInvalidGraphic>([&] { image.SaveToStream(stream); }), "(no exception)");

    good.SetPosition(0);
    image.LoadFromStream(good);
    Fill(stream, WriteBmpFile(Pattern(4, 4, 24, false)));
    EXPECT_NE(MessageOf<EJPEG>([&] { image.LoadFromStream(stream); }).find("Not a JPEG file"), std::string::npos);
    EXPECT_EQ(image.Width(), 16);

    // The Assign protocol's message with both classes named.
    TCanvas canvas;
    EXPECT_EQ(MessageOf<EConvertError>([&] { canvas.Assign(&image); }), "Cannot assign a TJPEGImage to a TCanvas");
}
