#include <gtest/gtest.h>

#include "classlib/core/Random.h"
#include "skin/core/EffectImage.h"
#include "SkinTestSupport.h"

namespace {

// A 24-bit picture whose pixel x of every row is grey level value(x).
template <typename Value>
TDibImage Grey(int width, int height, Value value)
{
    return Picture24(width, height, [&](int x, int) { return value(x) * 0x010101; });
}

TDibImage Flat(int width, int height, int value)
{
    return Grey(width, height, [value](int) { return value; });
}

// Channel i of pixel x of row y.
int At(const TDibImage& image, int x, int y = 0, int i = 0) { return image.ScanLine(y)[3 * x + i]; }

std::vector<int> Row(const TDibImage& image, int y = 0)
{
    std::vector<int> row;
    for (int x = 0; x < image.Width; ++x)
        row.push_back(At(image, x, y));
    return row;
}

// A 6 x 1 image 10..60 morphed into one of 101..106.
template <typename Operation>
std::vector<int> Morphed(Operation operation, double kf)
{
    TDibImage a = Grey(6, 1, [](int x) { return 10 * (x + 1); });
    TDibImage b = Grey(6, 1, [](int x) { return 101 + x; });
    TEffectImage image(a);
    TEffectImage other(b);
    (image.*operation)(other, kf);
    return Row(a);
}

}  // namespace

TEST(EffectImage, CrossFadeAndEffectsOnChannels)
{
    // Factors outside 0..1 are held to it.
    EXPECT_EQ(Morphed(&TEffectImage::Morph, -1.0), (std::vector<int>{10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(Morphed(&TEffectImage::Morph, 2.0), (std::vector<int>{101, 102, 103, 104, 105, 106}));
    // 127.5 rounds to the even 128.
    TDibImage black = Flat(3, 2, 0);
    TDibImage white = Flat(3, 2, 255);
    TEffectImage(black).Morph(TEffectImage(white), 0.5);
    EXPECT_EQ(Row(black, 1), (std::vector<int>{128, 128, 128}));

    TDibImage red = Flat(1, 1, 0);
    red.ScanLine(0)[2] = 255;
    TEffectImage(red).GrayScale();
    EXPECT_EQ(Row(red), (std::vector<int>{76}));
    EXPECT_EQ(At(red, 0, 0, 2), 76);

    TDibImage bright = Grey(4, 1, [](int x) { return 40 * x; });
    TEffectImage(bright).ChangeBrightness(1);
    EXPECT_EQ(Row(bright), (std::vector<int>{255, 255, 255, 255}));
    TDibImage dark = Grey(4, 1, [](int x) { return 40 * x + 10; });
    TEffectImage(dark).ChangeDarkness(1);
    EXPECT_EQ(Row(dark), (std::vector<int>{0, 0, 0, 0}));
    TEffectImage(dark).Invert();
    EXPECT_EQ(Row(dark), (std::vector<int>{255, 255, 255, 255}));

    // The far edges sample the pixel's own column and row, like the near ones.
    TDibImage blur = Grey(3, 1, [](int x) { return 100 * x; });
    TEffectImage(blur).SplitBlur(1);
    EXPECT_EQ(Row(blur), (std::vector<int>{50, 100, 150}));

    // Noise 0 changes nothing but draws once a pixel.
    TDibImage noisy = Grey(5, 2, [](int x) { return x; });
    SetRandSeed(7);
    TEffectImage(noisy).AddColorNoise(0);
    EXPECT_EQ(Row(noisy, 1), (std::vector<int>{0, 1, 2, 3, 4}));
    const uint32_t after = RandSeed();
    SetRandSeed(7);
    for (int i = 0; i < 10; ++i)
        Random(0);
    EXPECT_EQ(RandSeed(), after);
}

TEST(EffectImage, PushSlideAndGradientRowsAtHalfway)
{
    EXPECT_EQ(Morphed(&TEffectImage::PushMorph, 0.5), (std::vector<int>{103, 104, 105, 106, 10, 20}));
    EXPECT_EQ(Morphed(&TEffectImage::LeftSlideMorph, 0.5), (std::vector<int>{104, 105, 106, 40, 50, 60}));
    EXPECT_EQ(Morphed(&TEffectImage::RightSlideMorph, 0.5), (std::vector<int>{10, 20, 30, 101, 102, 103}));
    EXPECT_EQ(Morphed(&TEffectImage::GradientMorph, 0.5), (std::vector<int>{10, 20, 103, 104, 105, 60}));
    EXPECT_EQ(Morphed(&TEffectImage::LeftGradientMorph, 0.5), (std::vector<int>{101, 75, 54, 40, 50, 60}));
    EXPECT_EQ(Morphed(&TEffectImage::RightGradientMorph, 0.5), (std::vector<int>{10, 20, 30, 61, 87, 106}));
}

TEST(EffectImage, OtherSizesTinyImagesAndRectanglesOutOfRangeAreSafe)
{
    using TMorph = void (TEffectImage::*)(const TEffectImage&, double);
    const TMorph morphs[] = {&TEffectImage::Morph,          &TEffectImage::GradientMorph,
                             &TEffectImage::LeftGradientMorph, &TEffectImage::RightGradientMorph,
                             &TEffectImage::PushMorph,      &TEffectImage::LeftSlideMorph,
                             &TEffectImage::RightSlideMorph};
    for (TMorph morph : morphs) {
        TDibImage a = Flat(4, 3, 10);
        TDibImage b = Flat(4, 2, 200);
        (TEffectImage(a).*morph)(TEffectImage(b), 0.5);
        EXPECT_EQ(Row(a, 2), (std::vector<int>{10, 10, 10, 10}));

        // One pixel wide or high, or empty: every morph stays inside the image.
        for (const auto& [w, h] : {std::pair{1, 3}, {3, 1}, {0, 0}})
            for (double kf : {0.0, 0.5, 1.0}) {
                TDibImage one = Flat(w, h, 10);
                TDibImage two = Flat(w, h, 200);
                (TEffectImage(one).*morph)(TEffectImage(two), kf);
            }
    }
    TDibImage thin = Flat(1, 1, 10);
    TDibImage thin2 = Flat(1, 1, 200);
    TEffectImage(thin).LeftGradientMorph(TEffectImage(thin2), 0.5);
    EXPECT_EQ(Row(thin), (std::vector<int>{200}));

    // The rectangle is clipped to this image, the source area to Bmp2.
    TDibImage a = Flat(4, 4, 0);
    TDibImage b = Grey(3, 3, [](int x) { return 100 + x; });
    TEffectImage(a).MorphRect(TEffectImage(b), TRect{-2, 1, 10, 10}, 1, 0, 0);
    EXPECT_EQ(Row(a, 0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Row(a, 3), (std::vector<int>{102, 0, 0, 0}));
    TDibImage c = Flat(4, 4, 0);
    TEffectImage(c).MorphRect(TEffectImage(b), TRect{1, 1, 3, 3}, 1, 2, -1);
    EXPECT_EQ(Row(c, 1), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Row(c, 2), (std::vector<int>{0, 102, 0, 0}));
}
