#include "classlib/core/ShortCuts.h"

#include <gtest/gtest.h>

#include <initializer_list>

// Every key with a name, under every set of modifiers, reads back as itself;
// the names come in the fixed modifier order.
TEST(ShortCutsTest, EveryNamedKeyAndModifierSetRoundTrips)
{
    const std::initializer_list<TShiftState> shifts = {
        0, ssShift, ssCtrl, ssAlt, ssShift | ssCtrl, ssShift | ssAlt, ssCtrl | ssAlt, ssShift | ssCtrl | ssAlt};
    int named = 0;
    for (uint16_t key = 0; key <= 0xFF; ++key) {
        for (const TShiftState shift : shifts) {
            const TShortCut sc = ShortCut(key, shift);
            const std::string text = ShortCutToText(sc);
            if (text.empty())
                continue;
            ++named;
            EXPECT_EQ(TextToShortCut(text), sc) << text;
        }
    }
    // 26 letters, 10 digits, F1..F12 and 15 named keys, 8 modifier sets each.
    EXPECT_EQ(named, (26 + 10 + 12 + 15) * 8);
    EXPECT_EQ(ShortCutToText(scShift | scCtrl | scAlt | 'K'), "Shift+Ctrl+Alt+K");
    EXPECT_EQ(ShortCutToText(0x08), "BkSp");
    EXPECT_EQ(ShortCutToText(scCtrl | 0x90), "");  // no name: no text at all
    EXPECT_EQ(ShortCut(0x100, ssCtrl), 0);
}

TEST(ShortCutsTest, TextReadsModifiersInAnyOrderAndCase)
{
    EXPECT_EQ(TextToShortCut("Alt+F4"), 0x8073);
    EXPECT_EQ(TextToShortCut("alt+SHIFT+pgdn"), scAlt | scShift | 0x22);
    EXPECT_EQ(TextToShortCut("ctrl+a"), scCtrl | 'A');
    for (const char* text : {"Ctrl+", "Ctrl+Nothing", "F13", ""})
        EXPECT_EQ(TextToShortCut(text), 0) << text;
}

TEST(ShortCutsTest, AcceleratorIsTheCharacterAfterTheFirstSingleAmpersand)
{
    EXPECT_TRUE(IsAccel('X', "E&xit"));
    EXPECT_TRUE(IsAccel('x', "E&Xit"));
    EXPECT_TRUE(IsAccel('S', "Salt && &Sugar"));  // "&&" is a literal ampersand
    EXPECT_FALSE(IsAccel('&', "Trailing&"));
    EXPECT_FALSE(IsAccel('3', "&2 Fish &3"));  // only the first counts
    EXPECT_FALSE(IsAccel('X', "Exit"));
}
