// Fonts: the size in points and pixels, the GDI handle made on demand and
// replaced (the old one deleted) on every change.
#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/graphics/Colors.h"
#include "classlib/graphics/Font.h"

namespace {

LOGFONTA DescribedBy(HFONT font)
{
    LOGFONTA logFont{};
    EXPECT_EQ(GetObjectA(font, sizeof(logFont), &logFont), static_cast<int>(sizeof(logFont)));
    return logFont;
}

TEST(FontTest, SizeConvertsAtTheScreenResolutionAndTheHandleIsMadeOnDemandAndReplacedOnChange)
{
    TFont font;
    const int ppi = TFont::PixelsPerInch();
    ASSERT_GT(ppi, 0);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -MulDiv(12, ppi, 72));
    font.SetHeight(-MulDiv(9, ppi, 72));
    EXPECT_EQ(font.Size(), 9);

    EXPECT_FALSE(font.HandleAllocated());
    font.SetName("Arial");
    font.SetHeight(-16);
    font.SetStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
    font.SetCharset(ANSI_CHARSET);
    const HFONT first = font.Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(font.Handle(), first) << "kept while nothing changes";
    const LOGFONTA described = DescribedBy(first);
    EXPECT_STREQ(described.lfFaceName, "Arial");
    EXPECT_EQ(described.lfWeight, FW_BOLD);
    EXPECT_TRUE(described.lfItalic && described.lfUnderline && described.lfStrikeOut);

    font.SetStyle(0);
    EXPECT_EQ(GetObjectType(first), 0u) << "the old handle is deleted";
    EXPECT_EQ(DescribedBy(font.Handle()).lfWeight, FW_NORMAL);
    // The colour is not part of the GDI font: the handle stays (one selected
    // into a paint DC could not be deleted), and the change is announced.
    const HFONT selected = font.Handle();
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetColor(clRed);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(font.HandleAllocated());
    EXPECT_EQ(font.Handle(), selected);
    font.SetName("");
    EXPECT_EQ(font.Name(), "Arial") << "an empty name is ignored";
}

}  // namespace
