#include "app/core/OptionNames.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(ScrambleNameTest, FlipsEveryBitOfEveryByteAndUndoesItself)
{
    EXPECT_EQ(ScrambleName("A"), "\xBE");
    EXPECT_EQ(ScrambleName(std::string(1, '\0')), "\xFF");
    EXPECT_EQ(ScrambleName(""), "");

    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    const std::string scrambled = ScrambleName(all);
    ASSERT_EQ(scrambled.size(), all.size());
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(static_cast<unsigned char>(scrambled[c]), 255 - c);
    EXPECT_EQ(ScrambleName(scrambled), all);
}

// The registry holds the plain names: the store unscrambles what the
// program carries.
TEST(ScrambleNameTest, TheFrameworkNamesUnscrambleToTheirPlainText)
{
    const std::pair<std::string, const char*> cases[] = {
        {OptionNames::DataDir.Scrambled(), "DataDir"}, {OptionNames::NeedDisplay.Scrambled(), "NeedDisplay"},
        {OptionNames::NeedSystem.Scrambled(), "NeedSystem"}, {OptionNames::DesktopOnly.Scrambled(), "DesktopOnly"},
        {OptionNames::FullScreenMode.Scrambled(), "FullScreenMode"}, {OptionNames::VSync.Scrambled(), "VSync"},
        {OptionNames::SoftwareRendering.Scrambled(), "SoftwareRendering"},
        {OptionNames::WideScreen.Scrambled(), "WideScreen"}, {OptionNames::RunAsProgram.Scrambled(), "RunAsProgram"},
        {OptionNames::MouseMoveExit.Scrambled(), "MouseMoveExit"},
        {OptionNames::PowerOffIndex.Scrambled(), "PowerOffIndex"}};
    for (const auto& [scrambled, plain] : cases) {
        EXPECT_NE(scrambled, plain);
        EXPECT_EQ(ScrambleName(scrambled), plain);
    }
}

TEST(OptionKeyPathTest, NamesTheProductVersionUnderSoftware)
{
    EXPECT_EQ(OptionKeyPath("Veltrask Software", "3D Corvalen", "2"),
              "Software\\Veltrask Software\\3D Corvalen 2");
    EXPECT_EQ(OptionKeyPath("", "3D Corvalen", "2"), "Software\\3D Corvalen 2");
}
