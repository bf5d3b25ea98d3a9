#include <gtest/gtest.h>

#include "skin/core/SkinComposition.h"
#include "SkinTestSupport.h"

namespace {

// A 24-bit picture whose every pixel names its own place: blue is the
// column, green the row, so a composed image shows where each pixel came
// from.
TDibImage Coded(int width, int height)
{
    return Picture24(width, height, [](int x, int y) { return 200 << 16 | y << 8 | x; });
}

TPoint From(const TDibImage& image, int x, int y)
{
    const uint8_t* p = image.ScanLine(y) + 3 * x;
    return TPoint{p[0], p[1]};
}

TSkinPictureSize SizeOf(const TDibImage& image) { return {image.Width, image.Height}; }

// The source column of every pixel of row `at`, or (rows) the source row of
// every pixel of column `at`.
std::vector<int> Sources(const TDibImage& image, int at, bool rows)
{
    std::vector<int> line;
    for (int i = 0; i < (rows ? image.Height : image.Width); ++i)
        line.push_back(rows ? From(image, at, i).Y : From(image, i, at).X);
    return line;
}

std::vector<int> Columns(const TDibImage& image, int y) { return Sources(image, y, false); }
std::vector<int> Rows(const TDibImage& image, int x) { return Sources(image, x, true); }

TDibImage Compose(const TSkinPlan& plan, const TDibImage& picture)
{
    TDibImage target;
    ExecuteSkinPlan(plan, picture, target);
    return target;
}

}  // namespace

TEST(SkinComposition, ButtonStretchCopiesTheFixedEndsAndTilesTheMiddleCutShort)
{
    const TDibImage picture = Coded(70, 30);
    const TDibImage image = Compose(PlanHSkinImage(9, 10, SizeOf(picture), TRect{3, 5, 63, 25}, 100), picture);
    ASSERT_EQ(image.Width, 100);
    ASSERT_EQ(image.Height, 20);
    for (int x = 0; x < 100; ++x) {
        const int column = x < 9 ? 3 + x : x < 50 ? 12 + (x - 9) : x < 90 ? 12 + (x - 50) : 53 + (x - 90);
        ASSERT_EQ(From(image, x, 0).X, column) << x;
    }
    EXPECT_EQ(From(image, 57, 19).Y, 24);

    // Narrower than the two fixed parts: no middle, the right part drawn over
    // the left one.
    const TSkinPlan narrow = PlanHSkinImage(9, 10, SizeOf(picture), TRect{3, 5, 63, 25}, 15);
    EXPECT_EQ(Columns(Compose(narrow, picture), 0),
              (std::vector<int>{3, 4, 5, 6, 7, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62}));

    // The vertical stretch is the same with rows.
    const TDibImage tall = Compose(PlanVSkinImage(2, 3, SizeOf(picture), TRect{4, 10, 6, 17}, 11), picture);
    ASSERT_EQ(tall.Width, 2);
    EXPECT_EQ(Rows(tall, 1), (std::vector<int>{10, 11, 12, 13, 12, 13, 12, 13, 14, 15, 16}));
}

TEST(SkinComposition, NinePartImage)
{
    const TDibImage picture = Coded(16, 12);
    const TRect skinRect{2, 1, 14, 11};
    const TSkinGeometry old{{3, 3}, {9, 3}, {3, 7}, {9, 7}, {2, 2, 10, 8}};

    // At the skin rectangle's own size the image is the skin rectangle.
    const TDibImage same = Compose(PlanSkinImage(old, old, SizeOf(picture), skinRect, 12, 10, true), picture);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(From(same, x, y), (TPoint{2 + x, 1 + y})) << x << "," << y;

    // Larger: the corners stay, the bands repeat; without DrawClient the
    // client keeps what the target held.
    const TSkinGeometry wide = NewSkinGeometry(old, skinRect, 20, 13);
    EXPECT_EQ(wide.RBPoint, (TPoint{17, 10}));
    EXPECT_EQ(wide.ClRect, (TRect{2, 2, 18, 11}));
    TDibImage target = Coded(20, 13);
    for (auto& byte : target.Bits)
        byte = 99;
    ExecuteSkinPlan(PlanSkinImage(old, wide, SizeOf(picture), skinRect, 20, 13, false), picture, target);
    EXPECT_EQ(From(target, 0, 0), (TPoint{2, 1}));
    EXPECT_EQ(From(target, 19, 12), (TPoint{13, 10}));
    EXPECT_EQ(Columns(target, 0),
              (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 5, 6, 7, 8, 9, 10, 5, 6, 11, 12, 13}));
    EXPECT_EQ(From(target, 10, 6), (TPoint{99, 99}));

    // The variant without right border tiles the top band to the right end.
    const TDibImage header = Compose(PlanSkinImage2(old, wide, SizeOf(picture), skinRect, 20, 13, true), picture);
    EXPECT_EQ(Columns(header, 0),
              (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 5, 6, 7, 8, 9, 10, 5, 6, 7, 8, 9}));
    EXPECT_EQ(From(header, 10, 6), (TPoint{4, 7}));
}

TEST(SkinComposition, DegenerateGeometryOrMissingPictureStillSizesTheTarget)
{
    const TDibImage picture = Coded(16, 12);
    const TSkinGeometry flat{{3, 3}, {9, 3}, {3, 7}, {3, 7}, {2, 2, 10, 8}};
    const TSkinGeometry good{{3, 3}, {9, 3}, {3, 7}, {9, 7}, {2, 2, 10, 8}};
    for (const TSkinPlan& plan : {PlanSkinImage(flat, flat, SizeOf(picture), {2, 1, 14, 11}, 30, 20, true),
                                  PlanSkinImage(good, good, TSkinPictureSize{}, {2, 1, 14, 11}, 30, 20, true),
                                  PlanSkinImage2(good, good, TSkinPictureSize{}, {2, 1, 14, 11}, 30, 20, true)}) {
        EXPECT_EQ(plan.Width, 30);
        EXPECT_EQ(plan.Height, 20);
        EXPECT_TRUE(plan.Copies.empty());
    }
    const TSkinStripPlans strips = PlanSkinBorderImages(good, good, TSkinPictureSize{}, {2, 1, 14, 11}, 12, 10);
    EXPECT_TRUE(strips.Top.Built);
    EXPECT_EQ(strips.Top.Width, 12);
    EXPECT_TRUE(strips.Top.Copies.empty());

    // Pieces reaching past the picture copy only what lies inside it.
    const TDibImage clipped = Compose(PlanHSkinImage(4, 4, SizeOf(picture), {10, 8, 20, 14}, 10), picture);
    ASSERT_EQ(clipped.Height, 6);
    EXPECT_EQ(From(clipped, 0, 3), (TPoint{10, 11}));
    EXPECT_EQ(From(clipped, 9, 3), (TPoint{0, 0}));
    EXPECT_EQ(From(clipped, 0, 4), (TPoint{0, 0}));
}

TEST(SkinComposition, BorderAndMaskStrips)
{
    const TDibImage picture = Coded(12, 10);
    const TRect whole{0, 0, 12, 10};
    const TSkinGeometry old{{3, 3}, {8, 3}, {3, 6}, {8, 6}, {2, 2, 10, 8}};
    const TSkinGeometry grown = NewSkinGeometry(old, whole, 17, 13);

    const TSkinStripPlans border = PlanSkinBorderImages(old, grown, SizeOf(picture), whole, 17, 13);
    const TDibImage top = Compose(border.Top, picture);
    ASSERT_EQ(top.Height, 2);
    EXPECT_EQ(Columns(top, 1), (std::vector<int>{0, 1, 2, 6, 7, 3, 4, 5, 6, 7, 3, 4, 5, 8, 9, 10, 11}));
    const TDibImage left = Compose(border.Left, picture);
    ASSERT_EQ(left.Width, 2);
    EXPECT_EQ(Rows(left, 0), (std::vector<int>{2, 4, 5, 3, 4, 5, 3, 6, 7}));
    EXPECT_EQ(Rows(Compose(border.Bottom, picture), 0), (std::vector<int>{8, 9}));
    EXPECT_EQ(Columns(Compose(border.Right, picture), 0), (std::vector<int>{10, 11}));

    // A strip whose repeated span is empty is not built.
    const TSkinGeometry noRightSpan{{3, 3}, {8, 5}, {3, 6}, {8, 5}, {2, 2, 10, 8}};
    const TSkinStripPlans skipped =
        PlanSkinBorderImages(noRightSpan, NewSkinGeometry(noRightSpan, whole, 17, 13), SizeOf(picture), whole, 17, 13);
    EXPECT_FALSE(skipped.Right.Built);
    TDibImage untouched = Coded(3, 3);
    ExecuteSkinPlan(skipped.Right, picture, untouched);
    EXPECT_EQ(From(untouched, 2, 2), (TPoint{2, 2}));

    // The mask's top strip tiles between the new points, not from column 0.
    const TSkinStripPlans mask = PlanSkinMask(old, grown, SizeOf(picture), 17, 13);
    EXPECT_EQ(Columns(Compose(mask.Top, picture), 0),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(Rows(Compose(mask.Left, picture), 1), (std::vector<int>{2, 4, 5, 3, 4, 5, 3, 6, 7}));
    EXPECT_EQ(Columns(Compose(mask.Bottom, picture), 0),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(SkinComposition, WildSkinNumbersGiveShortPlansWithoutOverflow)
{
    const TSkinPictureSize picture{64, 64};
    const int big = 2147483647;
    const TSkinGeometry wild{{-big - 1, 0}, {big, 0}, {0, 5}, {1, 5}, {0, 1, big, 6}};
    EXPECT_TRUE(PlanSkinImage(wild, wild, picture, {0, 0, 10, 10}, 40, 30, true).Copies.empty());
    EXPECT_FALSE(PlanSkinBorderImages(wild, wild, picture, {0, 0, 10, 10}, 40, 30).Top.Built);
    EXPECT_FALSE(PlanSkinMask(wild, wild, picture, 40, 30).Left.Built);
    // A stretch is never higher (or wider) than its picture: no rows without one.
    const TSkinPlan tall = PlanHSkinImage(0, 0, picture, {0, -big - 1, 10, big}, 40);
    EXPECT_EQ(tall.Height, 64);
    EXPECT_TRUE(tall.Copies.empty());
    EXPECT_EQ(PlanVSkinImage(0, 0, picture, {-big - 1, 0, big, 10}, 40).Width, 64);
    EXPECT_EQ(PlanHSkinImage(2, 2, TSkinPictureSize{}, {0, 0, 10, 20}, 30).Height, 0);
    EXPECT_TRUE(PlanTiledClient(picture, {big - 1, big - 1, big, big}, {5, 5, big, big}, 40, 30).Copies.empty());
    const TSkinPlan tiles = PlanTiledClient(picture, {10, 10, 20, 20}, {2, 2, 4, 4}, 5, 3);
    EXPECT_EQ(tiles.Copies.size(), 6u);
    EXPECT_EQ(tiles.Copies.back(), (TSkinCopy{{12, 12, 13, 13}, {4, 2, 5, 3}}));
    EXPECT_EQ(NewSkinGeometry(wild, {0, 0, 10, 10}, big, 10).RTPoint.X, big);

    // A span of one column tiled from far left of the target: only the
    // copies that reach it are made.
    const TSkinGeometry thin{{2, 2}, {3, 2}, {2, 8}, {3, 8}, {2, 2, 8, 8}};
    TSkinGeometry shifted = thin;
    shifted.LTPoint.X = -(1 << 23);
    const TSkinPlan plan = PlanSkinImage(thin, shifted, picture, {0, 0, 10, 10}, 12, 10, false);
    EXPECT_LT(plan.Copies.size(), 64u);
}
