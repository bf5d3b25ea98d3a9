#include "app/core/OptionNames.h"

#include <gtest/gtest.h>

#include <string>

TEST(ScrambleNameTest, FlipsEveryBitAndTheFrameworkNamesUnscrambleToPlainText)
{
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    const std::string scrambled = ScrambleName(all);
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(static_cast<unsigned char>(scrambled[c]), 255 - c);
    EXPECT_EQ(ScrambleName(scrambled), all);
    // The registry holds the plain names: the store unscrambles what the program carries.
    EXPECT_EQ(ScrambleName(OptionNames::FullScreenMode.Scrambled()), "FullScreenMode");
}
