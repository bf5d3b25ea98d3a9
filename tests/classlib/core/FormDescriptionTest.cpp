// The text side of form descriptions: the lexer's tokens and the parser's tree,
// and the line-numbered messages of both.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../support/ExceptionMessage.h"
#include "classlib/core/FormDescriptionError.h"
#include "classlib/core/FormLexer.h"
#include "classlib/core/FormParser.h"

namespace {

using testsupport::MessageOf;

std::vector<TFormToken> Tokens(const std::string& text)
{
    TFormLexer lexer(text);
    std::vector<TFormToken> tokens;
    for (;;) {
        tokens.push_back(lexer.Next());
        if (tokens.back().Kind == TFormTokenKind::EndOfText)
            return tokens;
    }
}

std::string LexError(const std::string& text)
{
    return MessageOf<EFormDescriptionError>([&] { Tokens(text); });
}

std::string ParseError(const std::string& text, const std::string& formName = "")
{
    return MessageOf<EFormDescriptionError>([&] { ParseFormDescription(text, formName); });
}

TEST(FormLexer, TokensCarryTheirKindValueAndLine)
{
    // A lone CR ends a line too; minus is a symbol; a number stops at a dot without digits.
    const auto tokens = Tokens("Width = $1F\r\n\n  2.5e-1\r -9223372036854775807 1.x");
    ASSERT_EQ(tokens.size(), 10u);
    EXPECT_EQ(tokens[2].Integer, 31);
    EXPECT_DOUBLE_EQ(static_cast<double>(tokens[3].Real), 0.25);
    EXPECT_EQ(tokens[3].Line, 3);
    EXPECT_EQ(tokens[4].Text, "-");
    EXPECT_EQ(tokens[4].Line, 4);
    EXPECT_EQ(tokens[5].Integer, INT64_MAX);
    EXPECT_EQ(tokens[7].Text, ".");

    EXPECT_EQ(Tokens("'It''s'#13#10'x'#$41#0'' 'next'")[0].Text, std::string("It's\r\nxA\0", 9));
    EXPECT_EQ(Tokens("'\xE9\x01\x7F'#255")[0].Text, "\xE9\x01\x7F\xFF");  // every byte passes unchanged
    const auto binary = Tokens("{ 0a0B\n  FF\r\n 0 0 }\nx");
    EXPECT_EQ(binary[0].Text, std::string("\x0A\x0B\xFF\x00", 4));
    EXPECT_EQ(binary[1].Line, 4);
}

TEST(FormLexer, MalformedTokensNameTheirLine)
{
    EXPECT_EQ(LexError("'two\nlines'"), "line 1: unterminated string");
    EXPECT_EQ(LexError("'x'#256"), "line 1: invalid character code");
    EXPECT_EQ(LexError("\n{ 0A 0 }"), "line 2: odd number of hexadecimal digits in binary data");
    EXPECT_EQ(LexError("{ 0A\n 0G }"), "line 2: invalid character 'G' in binary data");
    EXPECT_EQ(LexError("x\n{ 0A\n 0B"), "line 2: unterminated binary data");
    EXPECT_EQ(LexError("1.5e"), "line 1: invalid number '1.5e'");
    EXPECT_EQ(LexError("1.0e99999"), "line 1: number out of range '1.0e99999'");
    EXPECT_EQ(LexError("a @"), "line 1: unexpected character '@'");
    EXPECT_EQ(LexError(std::string("a\n\0", 3)), "line 2: unexpected character #0");
}
// The reader's tests cover every value a property takes; lists hold any
// value, though the reader's string lists take only strings.
TEST(FormParser, ListsHoldAnyValueAndKeywordsIgnoreCase)
{
    const TFormObject root =
        ParseFormDescription("OBJECT F: TF\n  L = (\n    'Two' + '!' -4.5 Ident)\n  object B: TB End\nEND");
    const auto& items = root.Properties.at(0).Value.Items;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].Text, "Two!");
    EXPECT_DOUBLE_EQ(static_cast<double>(items[1].Real), -4.5);
    EXPECT_EQ(items[2].Kind, TFormValueKind::Identifier);
    EXPECT_EQ(root.Children.at(0).Line, 4);
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
