#include <gtest/gtest.h>

#include "skin/core/SkinShapes.h"

TEST(SkinShapes, RectangleRoutinesAndLayeredAlpha)
{
    EXPECT_TRUE(IsNullRect(TRect{5, 5, 5, 10}));
    EXPECT_TRUE(IsNullRect(NullRect()));
    EXPECT_FALSE(IsNullRect(TRect{0, 0, 1, 1}));
    EXPECT_TRUE(PointInRect(TRect{0, 0, 10, 10}, TPoint{10, 10}));
    EXPECT_FALSE(PointInRect(TRect{0, 0, 10, 10}, TPoint{11, 10}));
    EXPECT_FALSE(RectInRect(TRect{2, 2, 8, 8}, TRect{2, 2, 8, 8}));
    EXPECT_TRUE(RectInRect(TRect{2, 2, 8, 8}, TRect{2, 2, 9, 9}));

    EXPECT_EQ(LayeredWindowAlpha(0), 255);
    EXPECT_EQ(LayeredWindowAlpha(50), 127);
    EXPECT_EQ(LayeredWindowAlpha(100), 0);
    EXPECT_EQ(LayeredWindowAlpha(-20), 255);
    EXPECT_EQ(LayeredWindowAlpha(250), 0);
}

TEST(SkinShapes, TextIsCutWithAnEllipsisUntilItFits)
{
    const auto width = [](const std::string& text) { return 5 * static_cast<int>(text.size()); };
    const auto fit = [&](std::string text, int maxWidth) {
        FitTextToWidth(text, maxWidth, width);
        return text;
    };
    EXPECT_EQ(fit("Hello", 25), "Hello");
    EXPECT_EQ(fit("Hello", 24), "H...");
    EXPECT_EQ(fit("Hello world", 40), "Hello...");
    EXPECT_EQ(fit("Hello", 10), "...");
    EXPECT_EQ(fit("", 0), "");
    EXPECT_EQ(fit("", -1), "...");
}
