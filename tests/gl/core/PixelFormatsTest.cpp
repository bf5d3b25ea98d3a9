// Listing and choosing pixel formats.
#include <gtest/gtest.h>

#include "gl/core/GLStubPlatform.h"
#include "gl/core/PixelFormats.h"

namespace {

constexpr uint32_t WindowGL = pfdDrawToWindow | pfdSupportOpenGL;

TGLPixelFormat Record(int color, int depth, bool doubleBuffer = true, bool gdi = false, int stencil = 0)
{
    uint32_t flags = WindowGL | (doubleBuffer ? pfdDoubleBuffer : 0) | (gdi ? pfdSupportGDI : 0);
    return MakePixelFormat(MakeTestDescriptor(flags, color, depth, stencil), 1);
}

}  // namespace

TEST(PixelFormats, RecordsTakeTheDescriptorsBitsAndFlags)
{
    TPixelFormatDescriptor pfd = MakeTestDescriptor(WindowGL | pfdSupportGDI, 24, 32, 8, 8, 64);
    const TGLPixelFormat record = MakePixelFormat(pfd, 7);
    EXPECT_EQ(record.ColorBits + record.DepthBits + record.StencilBits + record.AlphaBits + record.AccumBits,
              24 + 32 + 8 + 8 + 64);
    EXPECT_EQ(record.Flags, pffDrawToWindow | pffSupportOpenGL);
    EXPECT_FALSE(record.DoubleBuffer);
    EXPECT_TRUE(record.GDISupport);
    EXPECT_EQ(record.FormatNumber, 7);
}

TEST(PixelFormats, OnlyWindowOpenGLFormatsAreUsable)
{
    EXPECT_TRUE(IsWindowGLFormat(MakeTestDescriptor(WindowGL, 32, 16)));
    EXPECT_FALSE(IsWindowGLFormat(MakeTestDescriptor(pfdDrawToWindow, 32, 16)));
    EXPECT_FALSE(IsWindowGLFormat(MakeTestDescriptor(pfdSupportOpenGL | pfdDoubleBuffer, 32, 16)));
    EXPECT_TRUE(IsGenericFormat(MakeTestDescriptor(WindowGL | pfdGenericFormat, 32, 16)));
}

TEST(PixelFormats, ScoreWeighsEachBitCountAgainstTheRequest)
{
    TGLPixelFormat request;
    request.DepthBits = 0;
    request.Flags = pffDrawToWindow;
    request.ColorBits = 24;
    // 24 requested, 32 offered: 4096 * 24 / 32 for colour, plus 5120 for each
    // of flags, double-buffering and GDI support.
    EXPECT_EQ(PixelFormatScore(Record(32, 16), request), 3072 + 3 * 5120);
    // Fewer bits than requested: 4096 * 16 / 24.
    EXPECT_EQ(PixelFormatScore(Record(16, 16), request), 2730 + 3 * 5120);
    // Depth 16 requested, 24 offered; single-buffered with GDI loses two kinds.
    request.DepthBits = 16;
    EXPECT_EQ(PixelFormatScore(Record(24, 24, false, true), request), 4096 + 5120 + 2048);
}

TEST(PixelFormats, TheFirstExactFormatWins)
{
    const TGLPixelFormat request;  // 32 colour, 16 depth, double-buffered, no GDI
    std::vector<TGLPixelFormat> list = {Record(32, 24), Record(32, 16, true, false, 8), Record(32, 16),
                                        Record(32, 16)};
    // The stencil bits of index 1 do not matter: the request names none.
    EXPECT_EQ(ChoosePixelFormatIndex(list, request), 1);
    list.erase(list.begin() + 1);
    EXPECT_EQ(ChoosePixelFormatIndex(list, request), 1);
}

TEST(PixelFormats, WithoutAnExactFormatTheFirstBestScoreWins)
{
    const TGLPixelFormat request;
    // Nothing is exact (all single-buffered). Depth 24 against 16 scores
    // 3072 * 16 / 24 = 2048, depth 16 scores 3072 but loses 5120 with GDI
    // support; of the two equal best ones the first wins.
    const std::vector<TGLPixelFormat> list = {Record(32, 24, false), Record(32, 16, false, true),
                                              Record(32, 16, false), Record(32, 16, false)};
    EXPECT_EQ(ChoosePixelFormatIndex(list, request), 2);
}

TEST(PixelFormats, AllScoresZeroChooseTheFirstAndAnEmptyListNone)
{
    TGLPixelFormat request;
    request.ColorBits = request.DepthBits = 0;
    request.Flags = pffSupportOpenGL;
    TGLPixelFormat record = Record(32, 16, false, true);
    record.Flags = pffDrawToWindow;
    ASSERT_EQ(PixelFormatScore(record, request), 0);
    EXPECT_EQ(ChoosePixelFormatIndex({record, record}, request), 0);
    EXPECT_EQ(ChoosePixelFormatIndex({}, request), -1);
}

TEST(PixelFormats, PaletteOfAColourIndexFormat)
{
    // 3-3-2: red in bits 0-2, green 3-5, blue 6-7.
    TPixelFormatDescriptor pfd = MakeTestDescriptor(WindowGL | pfdNeedPalette, 8, 16);
    pfd.cRedBits = 3;
    pfd.cRedShift = 0;
    pfd.cGreenBits = 3;
    pfd.cGreenShift = 3;
    pfd.cBlueBits = 2;
    pfd.cBlueShift = 6;
    const std::vector<TPaletteEntry> palette = MakeFormatPalette(pfd);
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_EQ(palette[0].Red + palette[0].Green + palette[0].Blue, 0);
    EXPECT_EQ(palette[7].Red, 255);
    EXPECT_EQ(palette[7].Green, 0);
    EXPECT_EQ(palette[8].Green, 36);  // 1 * 255 / 7
    EXPECT_EQ(palette[0xC0].Blue, 255);
    EXPECT_EQ(palette[0x40].Blue, 85);
    EXPECT_EQ(palette[255].Flags, 0);

    pfd.cColorBits = 16;
    EXPECT_TRUE(MakeFormatPalette(pfd).empty());
}
