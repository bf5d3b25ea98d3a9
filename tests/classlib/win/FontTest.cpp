// Fonts and colours: the size in points and pixels, the GDI handle made on
// demand and replaced (the old one deleted) on every change, change
// notification, Assign, and the system colours.
#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/graphics/Colors.h"
#include "classlib/graphics/Font.h"
#include "UiTestSupport.h"
#include "classlib/core/StringList.h"

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
    EXPECT_EQ(described.lfHeight, -16);
    EXPECT_EQ(described.lfWeight, FW_BOLD);
    EXPECT_TRUE(described.lfItalic && described.lfUnderline && described.lfStrikeOut);
    EXPECT_EQ(described.lfCharSet, ANSI_CHARSET);

    font.SetStyle(0);
    EXPECT_EQ(GetObjectType(first), 0u) << "the old handle is deleted";
    EXPECT_EQ(DescribedBy(font.Handle()).lfWeight, FW_NORMAL);
    font.SetColor(clRed);  // the colour is not part of the GDI font, but a change all the same
    EXPECT_FALSE(font.HandleAllocated());
    font.SetName("");
    EXPECT_EQ(font.Name(), "Arial") << "an empty name is ignored";
}

TEST(FontTest, OnChangeFiresOncePerChangeAndAssignCopiesEverything)
{
    TFont source;
    source.SetName("Courier New");
    source.SetHeight(-21);
    source.SetStyle(fsItalic);
    source.SetColor(clBlue);
    source.SetCharset(SYMBOL_CHARSET);

    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject* sender) { changes += sender == &font ? 1 : 100; };
    font.SetHeight(font.Height());
    font.SetStyle(font.Style());
    EXPECT_EQ(changes, 0) << "same values";
    font.SetHeight(-30);
    EXPECT_EQ(changes, 1);

    font.Assign(&source);
    EXPECT_EQ(changes, 2) << "one notification for the whole copy";
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_EQ(font.Height(), -21);
    EXPECT_EQ(font.Style(), fsItalic);
    EXPECT_EQ(font.Color(), clBlue);
    EXPECT_EQ(font.Charset(), SYMBOL_CHARSET);

    TStringList notAFont;
    EXPECT_EQ(uitest::ErrorOf<EConvertError>([&] { font.Assign(&notAFont); }), "Cannot assign a TStringList to a TFont");
    EXPECT_THROW(font.Assign(nullptr), EConvertError);
    EXPECT_EQ(changes, 2);
}

TEST(FontTest, SystemColoursResolveThroughTheColourScheme)
{
    const std::pair<TColor, int> colours[] = {{clBtnFace, COLOR_BTNFACE},       {clBtnShadow, COLOR_BTNSHADOW},
                                              {clBtnHighlight, COLOR_BTNHIGHLIGHT}, {cl3DDkShadow, COLOR_3DDKSHADOW},
                                              {cl3DLight, COLOR_3DLIGHT},           {clInfoBk, COLOR_INFOBK}};
    for (const auto& [color, index] : colours)
        EXPECT_EQ(ColorToRGB(color), GetSysColor(index)) << index;
    EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), RGB(1, 2, 3));
    TFont font;
    EXPECT_EQ(font.Color(), clWindowText);
}

}  // namespace
