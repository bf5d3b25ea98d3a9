#include "classlib/core/FormParser.h"

#include <gtest/gtest.h>

#include <string>

#include "classlib/core/FormDescriptionError.h"

namespace {

std::string ParseError(const std::string& text, const std::string& formName = "")
{
    try {
        ParseFormDescription(text, formName);
    } catch (const EFormDescriptionError& e) {
        return e.Message;
    }
    return "";
}

TEST(FormParser, BuildsTheTreeWithTypedValuesInOrderAndNestsObjectsAfterTheProperties)
{
    const TFormObject root = ParseFormDescription(
        "OBJECT FormSettings: TFormSettings\n"
        "  Caption = 'Set' + 'tings'#33\n"
        "  Width = -400\n"
        "  Anchors = []\n"
        "  Items.Strings = (\n"
        "    'Two' + '!' -4.5 Ident)\n"
        "  Pictures = {\n"
        "    0A0B}\n"
        "  object Panel1: TPanel\n"
        "    object Button1: TButton Caption = 'OK' End\n"
        "  end\n"
        "END\n");
    ASSERT_EQ(root.Properties.size(), 5u);
    const auto& p = root.Properties;
    EXPECT_EQ(p[0].Value.Text, "Settings!");
    EXPECT_EQ(p[1].Value.Integer, -400);
    EXPECT_EQ(p[1].Line, 3);
    EXPECT_EQ(p[3].Name, "Items.Strings");
    ASSERT_EQ(p[3].Value.Items.size(), 3u);
    EXPECT_EQ(p[3].Value.Items[0].Text, "Two!");
    EXPECT_DOUBLE_EQ(static_cast<double>(p[3].Value.Items[1].Real), -4.5);
    EXPECT_EQ(p[3].Value.Items[2].Kind, TFormValueKind::Identifier);
    EXPECT_EQ(p[4].Value.Text, "\x0A\x0B");
    ASSERT_EQ(root.Children.size(), 1u);
    EXPECT_EQ(root.Children[0].Line, 9);
    EXPECT_EQ(root.Children[0].Children.at(0).Properties.at(0).Value.Text, "OK");
}

TEST(FormParser, ErrorsNameTheFormTheLineAndWhatWasExpected)
{
    // Before the root's class is read, the form is the one given to the parser; afterwards the root's class.
    EXPECT_EQ(ParseError("", "TForm1"), "TForm1, line 1: 'object' expected, found end of text");
    EXPECT_EQ(ParseError("object 'x'"), "line 1: object name expected, found a string");
    EXPECT_EQ(ParseError("object A: TFormA\n  object B: TB\n    Width = 1\n", "TOther"),
              "TFormA, line 4: property, 'object' or 'end' expected, found end of text");
    EXPECT_EQ(ParseError("object A: TFormA\n  Width =\nend"), "TFormA, line 3: value expected, found 'end'");
    EXPECT_EQ(ParseError("object A: TFormA\n  Width = -x\nend"), "TFormA, line 2: number expected, found 'x'");
    EXPECT_EQ(ParseError("object A: TFormA\n  L = ([a])\nend"), "TFormA, line 2: list item expected, found '['");
    EXPECT_EQ(ParseError("object A: TFormA\n  object B: TB end\n  Width = 1\nend"),
              "TFormA, line 3: 'object' or 'end' expected, found 'Width'");
    EXPECT_EQ(ParseError("object A: TFormA end\nobject B: TB end"),
              "TFormA, line 2: end of text expected, found 'object'");
}

TEST(FormParser, RefusesNestingBeyondTheLimitWithoutExhaustingTheStack)
{
    std::string deep;
    for (int i = 0; i <= FormMaxNesting; ++i)
        deep += "object O" + std::to_string(i) + ": T\n";
    EXPECT_EQ(ParseError(deep), "T, line " + std::to_string(FormMaxNesting + 1) + ": objects nested too deeply");
    std::string limit;
    for (int i = 0; i < FormMaxNesting; ++i)
        limit = "object O" + std::to_string(i) + ": T\n" + limit + "end\n";
    EXPECT_NO_THROW(ParseFormDescription(limit));
}

}  // namespace
