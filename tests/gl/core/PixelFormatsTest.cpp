// Listing and choosing pixel formats.
#include <gtest/gtest.h>

#include "support/GLStubPlatform.h"
#include "gl/core/PixelFormats.h"

namespace {

constexpr uint32_t WindowGL = pfdDrawToWindow | pfdSupportOpenGL;

TGLPixelFormat Record(int color, int depth, bool doubleBuffer = true, bool gdi = false, int stencil = 0)
{
    uint32_t flags = WindowGL | (doubleBuffer ? pfdDoubleBuffer : 0) | (gdi ? pfdSupportGDI : 0);
    return MakePixelFormat(MakeTestDescriptor(flags, color, depth, stencil), 1);
}

}  // namespace

TEST(PixelFormats, ScoreWeighsEachBitCountAgainstTheRequest)
{
    TGLPixelFormat request;
    request.DepthBits = 0;
    request.Flags = pffDrawToWindow;
    request.ColorBits = 24;
    // 4096 * 24 / 32 for colour, plus 5120 for each of flags, double-buffering and GDI support.
    EXPECT_EQ(PixelFormatScore(Record(32, 16), request), 3072 + 3 * 5120);
}

TEST(PixelFormats, TheFirstExactFormatWinsElseTheFirstBestScore)
{
    const TGLPixelFormat request;  // 32 colour, 16 depth, double-buffered, no GDI
    // The stencil bits of index 1 do not matter: the request names none.
    EXPECT_EQ(ChoosePixelFormatIndex({Record(32, 24), Record(32, 16, true, false, 8), Record(32, 16)}, request), 1);
    // Nothing exact: depth 24 scores 2048, GDI support loses 5120; of equal best ones the first wins.
    EXPECT_EQ(ChoosePixelFormatIndex({Record(32, 24, false), Record(32, 16, false, true), Record(32, 16, false),
                                      Record(32, 16, false)},
                                     request),
              2);
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
    EXPECT_EQ(palette[7].Red, 255);
    EXPECT_EQ(palette[8].Green, 36);  // 1 * 255 / 7
    EXPECT_EQ(palette[0x40].Blue, 85);
    pfd.cColorBits = 16;
    EXPECT_TRUE(MakeFormatPalette(pfd).empty());
}
