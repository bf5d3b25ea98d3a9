#include <gtest/gtest.h>

#include "classlib/core/SysUtils.h"
#include "skin/core/SkinEncodings.h"
#include "SkinTestSupport.h"
#include "../../support/ExceptionMessage.h"

using testsupport::MessageOf;

namespace {

std::string RectText(const TRect& r)
{
    return Format("(%d,%d,%d,%d)", r.Left, r.Top, r.Right, r.Bottom);
}

}  // namespace

// Only digits survive; pieces are strict integers; pieces past the last one
// a value holds are ignored, never converted.
TEST(SkinEncodings, PointsAndRectangles)
{
    const struct {
        const char* Text;
        const char* Expected;  // rectangle, or the conversion message
    } rects[] = {
        {"1.5,2,0x10,4", "(15,2,10,4)"},
        {"1,2,3,4,x", "(1,2,3,4)"},
        {"1,,2,3", "'' is not a valid integer value"},
        {"1,2,3", "'' is not a valid integer value"},
        {"4294967296,0,0,0", "'4294967296' is not a valid integer value"},
    };
    TMemIniFile ini("");
    for (const auto& c : rects) {
        ini.WriteString("s", "r", c.Text);
        std::string result;
        const std::string message = MessageOf<EConvertError>([&] { result = RectText(ReadRect(ini, "s", "r")); });
        EXPECT_EQ(result.empty() ? message : result, c.Expected) << c.Text;
    }
    EXPECT_EQ(ReadRect(ini, "s", "missing"), TRect{});

    ini.WriteString("s", "p", "-5,3,7");
    EXPECT_EQ(ReadPoint(ini, "s", "p"), (TPoint{5, 3}));
    EXPECT_EQ(ReadPoint(ini, "s", "missing"), TPoint{});
}

// Reading only: the records' writing half serves their round trip in
// SkinRecordsTest, nothing in the program writes a skin.
TEST(SkinEncodings, BooleansStylesAlignmentAndWords)
{
    TTextIni ini("[s]\none=1\nminus=-1\ntwo=2\nword=true\n"
                 "styles=fsitalic,fsbold\nglued=fsboldfsitalic\nupper=FSBOLD\nall=fsstrikeout fsunderline\n"
                 "center=tacenter\nleft=taleftjustify\nright=TaCenter\n"
                 "close=cmclose\nsys=cmSysMenu\n");
    EXPECT_TRUE(ReadBoolean(ini, "s", "one"));
    for (const char* key : {"minus", "two", "word", "missing"})
        EXPECT_FALSE(ReadBoolean(ini, "s", key)) << key;

    EXPECT_EQ(ReadFontStyles(ini, "s", "styles"), fsBold | fsItalic);
    EXPECT_EQ(ReadFontStyles(ini, "s", "glued"), fsBold | fsItalic);
    EXPECT_EQ(ReadFontStyles(ini, "s", "upper"), 0u);
    EXPECT_EQ(ReadFontStyles(ini, "s", "all"), fsUnderline | fsStrikeOut);

    EXPECT_EQ(ReadAlignment(ini, "s", "center"), taCenter);
    EXPECT_EQ(ReadAlignment(ini, "s", "missing"), taCenter);
    EXPECT_EQ(ReadAlignment(ini, "s", "left"), taLeftJustify);
    EXPECT_EQ(ReadAlignment(ini, "s", "right"), taRightJustify);


    // Unknown words and missing keys give different codes.
    EXPECT_EQ(ReadWord(ini, "s", "close", StdCommandWords), cmClose);
    EXPECT_EQ(ReadWord(ini, "s", "sys", StdCommandWords), cmRollUp);
    EXPECT_EQ(ReadWord(ini, "s", "missing", StdCommandWords), cmDefault);
}

TEST(SkinEncodings, SkinSectionsNeedKeys)
{
    const std::string skin = "[VERSION]\na=1\n[PICTURES]\na=1\n[FORMINFO]\na=1\n[SKINOBJECTS]\na=1\n";
    TTextIni ini(skin + "[SKINCONTROLS]\ncount=0\n");
    EXPECT_TRUE(HasSkinSections(ini));
    ini.SetText(skin);
    EXPECT_FALSE(HasSkinSections(ini));
    ini.SetText(skin + "[SKINCONTROLS]\n");
    EXPECT_FALSE(HasSkinSections(ini));
}

TEST(SkinEncodings, ListsAppendAndCountsAreBounded)
{
    TTextIni ini("[s]\nsymbolslinecount=3\nsymbolsline0=a\nsymbolsline2=c\n"
                 "activepicturescount=2\n0=x.bmp\n1=y.jpg\n"
                 "biglinecount=70000\nhugecount=2147483647\nneglinecount=-5\n");
    TStringList list;
    list.Add("kept");
    ReadStrings(ini, "s", "symbols", list);
    ReadCountedStrings(ini, "s", "activepictures", list);
    EXPECT_EQ(list.Text(), "kept\r\na\r\n\r\nc\r\nx.bmp\r\ny.jpg\r\n");

    list.Clear();
    ReadStrings(ini, "s", "neg", list);
    EXPECT_EQ(list.Count(), 0);
    ReadStrings(ini, "s", "big", list);
    ASSERT_EQ(list.Count(), SkinListLimit);
    list.Clear();
    ReadCountedStrings(ini, "s", "huge", list);
    EXPECT_EQ(list.Count(), SkinListLimit);
}
