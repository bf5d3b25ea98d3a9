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

TEST(FormParser, BuildsTheTreeWithTypedValuesInOrder)
{
    const std::string text =
        "object FormSettings: TFormSettings\n"
        "  Caption = 'Set' + 'tings'#33\n"
        "  Width = -400\n"
        "  Scale = -1.5\n"
        "  Visible = False\n"
        "  Anchors = [akLeft, akTop]\n"
        "  BorderIcons = []\n"
        "  Items.Strings = (\n"
        "    'One'\n"
        "    'Two' + '!' 3 -4.5 Ident)\n"
        "  Viewport.Camera.Position.Z = -5.0\n"
        "  PreviewTarget = FormOther.Panel1\n"
        "  Pictures = {\n"
        "    0A0B}\n"
        "end\n";
    const TFormObject root = ParseFormDescription(text);
    EXPECT_EQ(root.Name, "FormSettings");
    EXPECT_EQ(root.ClassName, "TFormSettings");
    EXPECT_EQ(root.Line, 1);
    ASSERT_EQ(root.Properties.size(), 10u);
    const auto& p = root.Properties;

    EXPECT_EQ(p[0].Name, "Caption");
    EXPECT_EQ(p[0].Value.Kind, TFormValueKind::String);
    EXPECT_EQ(p[0].Value.Text, "Settings!");
    EXPECT_EQ(p[1].Value.Kind, TFormValueKind::Integer);
    EXPECT_EQ(p[1].Value.Integer, -400);
    EXPECT_EQ(p[1].Line, 3);
    EXPECT_EQ(p[2].Value.Kind, TFormValueKind::Real);
    EXPECT_DOUBLE_EQ(static_cast<double>(p[2].Value.Real), -1.5);
    EXPECT_EQ(p[3].Value.Kind, TFormValueKind::Identifier);
    EXPECT_EQ(p[3].Value.Text, "False");
    EXPECT_EQ(p[4].Value.Kind, TFormValueKind::Set);
    EXPECT_EQ(p[4].Value.Names, (std::vector<std::string>{"akLeft", "akTop"}));
    EXPECT_EQ(p[5].Value.Kind, TFormValueKind::Set);
    EXPECT_TRUE(p[5].Value.Names.empty());

    EXPECT_EQ(p[6].Name, "Items.Strings");
    EXPECT_EQ(p[6].Line, 8);
    const auto& items = p[6].Value.Items;
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].Text, "One");
    EXPECT_EQ(items[1].Text, "Two!");
    EXPECT_EQ(items[2].Integer, 3);
    EXPECT_DOUBLE_EQ(static_cast<double>(items[3].Real), -4.5);
    EXPECT_EQ(items[4].Kind, TFormValueKind::Identifier);

    EXPECT_EQ(p[7].Name, "Viewport.Camera.Position.Z");
    EXPECT_EQ(p[8].Value.Text, "FormOther.Panel1");
    EXPECT_EQ(p[9].Value.Kind, TFormValueKind::Binary);
    EXPECT_EQ(p[9].Value.Text, "\x0A\x0B");
    EXPECT_EQ(p[9].Line, 13);
}

TEST(FormParser, NestsObjectsAfterTheProperties)
{
    const TFormObject root = ParseFormDescription(
        "OBJECT Form1: TForm1 Width = 1\n"
        "  object Panel1: TPanel\n"
        "    object Button1: TButton Caption = 'OK' End\n"
        "  end\n"
        "  object Timer1: TTimer end\n"
        "END");
    ASSERT_EQ(root.Children.size(), 2u);
    const TFormObject& panel = root.Children[0];
    EXPECT_EQ(panel.Name, "Panel1");
    EXPECT_EQ(panel.Line, 2);
    EXPECT_TRUE(panel.Properties.empty());
    ASSERT_EQ(panel.Children.size(), 1u);
    EXPECT_EQ(panel.Children[0].ClassName, "TButton");
    EXPECT_EQ(panel.Children[0].Properties[0].Value.Text, "OK");
    EXPECT_EQ(root.Children[1].Name, "Timer1");
}

TEST(FormParser, ErrorsNameTheFormTheLineAndWhatWasExpected)
{
    // Before the root's class is read, the form is the one given to the parser.
    EXPECT_EQ(ParseError("", "TForm1"), "TForm1, line 1: 'object' expected, found end of text");
    EXPECT_EQ(ParseError("object 'x'"), "line 1: object name expected, found a string");
    EXPECT_EQ(ParseError("object A TForm1 end"), "line 1: ':' expected, found 'TForm1'");
    EXPECT_EQ(ParseError("\n'open", "TForm1"), "TForm1, line 2: unterminated string");
    // Afterwards it is the root's class.
    EXPECT_EQ(ParseError("object A: TFormA\n  Width = 1\n", "TOther"),
              "TFormA, line 3: property, 'object' or 'end' expected, found end of text");
    EXPECT_EQ(ParseError("object A: TFormA\n  object B: TB\n    Width = 1\n"),
              "TFormA, line 4: property, 'object' or 'end' expected, found end of text");
    EXPECT_EQ(ParseError("object A: TFormA\n  Width 1\nend"), "TFormA, line 2: '=' expected, found a number");
    EXPECT_EQ(ParseError("object A: TFormA\n  Width =\nend"), "TFormA, line 3: value expected, found 'end'");
    EXPECT_EQ(ParseError("object A: TFormA\n  Width = -x\nend"), "TFormA, line 2: number expected, found 'x'");
    EXPECT_EQ(ParseError("object A: TFormA\n  Caption = 'a' + 1\nend"),
              "TFormA, line 2: string expected, found a number");
    EXPECT_EQ(ParseError("object A: TFormA\n  S = [a b]\nend"), "TFormA, line 2: ',' or ']' expected, found 'b'");
    EXPECT_EQ(ParseError("object A: TFormA\n  S = [a,]\nend"),
              "TFormA, line 2: set element expected, found ']'");
    EXPECT_EQ(ParseError("object A: TFormA\n  L = ('a'\n  'b'\n"), "TFormA, line 4: ')' expected, found end of text");
    EXPECT_EQ(ParseError("object A: TFormA\n  L = ([a])\nend"), "TFormA, line 2: list item expected, found '['");
    EXPECT_EQ(ParseError("object A: TFormA\n  P = { 0A0\n  0B"), "TFormA, line 2: unterminated binary data");
    EXPECT_EQ(ParseError("object A: TFormA\n  P = { 0A0 }\nend"),
              "TFormA, line 2: odd number of hexadecimal digits in binary data");
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
        limit += "object O" + std::to_string(i) + ": T\n";
    for (int i = 0; i < FormMaxNesting; ++i)
        limit += "end\n";
    EXPECT_NO_THROW(ParseFormDescription(limit));
}

}  // namespace
