#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "skin/core/SkinRegionData.h"
#include "SkinTestSupport.h"

namespace {

// A white 24-bit picture with the listed pixels set to `color` (blue, green,
// red).
TDibImage Mask(int width, int height, std::initializer_list<TPoint> pixels, uint32_t color = 0)
{
    return Picture24(width, height, [&](int x, int y) {
        return std::find(pixels.begin(), pixels.end(), TPoint{x, y}) != pixels.end() ? color : 0xFFFFFFu;
    });
}

uint32_t U32(const std::vector<uint8_t>& data, size_t at)
{
    uint32_t value;
    std::memcpy(&value, data.data() + at, 4);
    return value;
}

TRect RectAt(const std::vector<uint8_t>& data, size_t at)
{
    return TRect{static_cast<int32_t>(U32(data, at)), static_cast<int32_t>(U32(data, at + 4)),
                 static_cast<int32_t>(U32(data, at + 8)), static_cast<int32_t>(U32(data, at + 12))};
}

}  // namespace

TEST(SkinRegionData, BlackRunsBecomeOneRowRectanglesAfterTheHeader)
{
    const std::vector<uint8_t> data = CreateRgnDataFromDib(Mask(3, 1, {{0, 0}, {2, 0}}), 0, 0);
    ASSERT_EQ(data.size(), 32u + 2 * 16);
    // The header's size and type the platform checks (SkinDrawTest's regions).
    EXPECT_EQ(U32(data, 8), 2u);
    EXPECT_EQ(RectAt(data, 16), (TRect{0, 0, 3, 1}));
    EXPECT_EQ(RectAt(data, 32), (TRect{0, 0, 1, 1}));
    // The run ending the row ends at the picture's width.
    EXPECT_EQ(RectAt(data, 48), (TRect{2, 0, 3, 1}));

    // Offsets move the runs and the bound; runs come row by row.
    const std::vector<TRect> shifted = BlackRuns(Mask(4, 2, {{0, 0}, {1, 1}, {2, 1}}), 10, 20);
    EXPECT_EQ(shifted, (std::vector<TRect>{{10, 20, 11, 21}, {11, 21, 13, 22}}));
    EXPECT_EQ(RectAt(CreateRgnDataFromDib(Mask(4, 2, {}), 10, 20), 16), (TRect{10, 20, 14, 22}));

    // Only pure black is inside; no black gives the header alone; an empty
    // picture gives no data.
    EXPECT_TRUE(BlackRuns(Mask(2, 2, {{0, 0}}, 0x010000), 0, 0).empty());
    const std::vector<uint8_t> none = CreateRgnDataFromDib(Mask(5, 5, {}), 0, 0);
    ASSERT_EQ(none.size(), 32u);
    EXPECT_EQ(U32(none, 8), 0u);
    EXPECT_TRUE(CreateRgnDataFromDib(Mask(0, 4, {}), 0, 0).empty());
}

TEST(SkinRegionData, OneBitMasksAndMasksWithManyRuns)
{
    // A 1-bit mask reads through its colour table, as the platform converts it.
    TDibImage bits;
    bits.Width = 9;
    bits.Height = 1;
    bits.BitCount = 1;
    bits.Allocate();
    bits.Palette = {0xFFFFFF, 0x000000};
    bits.Bits[0] = 0x60;  // columns 1 and 2 use entry 1, black
    bits.Bits[1] = 0x80;  // column 8
    EXPECT_EQ(BlackRuns(bits, 0, 0), (std::vector<TRect>{{1, 0, 3, 1}, {8, 0, 9, 1}}));

    // A 200 x 200 checkerboard has 20,000 runs: more than any fixed table of
    // 10,000 would hold.
    const TDibImage board = Picture24(200, 200, [](int x, int y) { return (x + y) % 2 == 0 ? 0 : 0xFFFFFF; });
    const std::vector<uint8_t> data = CreateRgnDataFromDib(board, 0, 0);
    ASSERT_EQ(U32(data, 8), 20000u);
    ASSERT_EQ(data.size(), 32u + 20000u * 16);
    EXPECT_EQ(RectAt(data, 32 + 19999 * 16), (TRect{199, 199, 200, 200}));
}
