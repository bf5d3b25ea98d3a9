#include <gtest/gtest.h>

#include "skin/core/SkinShapes.h"

// An alpha-blend percentage (0 opaque, 100 see-through) as the layered
// window's alpha, held to the byte.
TEST(SkinShapes, LayeredAlpha)
{
    EXPECT_EQ(LayeredWindowAlpha(50), 127);
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
