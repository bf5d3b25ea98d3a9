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
