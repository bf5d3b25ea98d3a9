#include "classlib/core/FormLexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/FormDescriptionError.h"

namespace {

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

// The message of the error the text raises, or "" when it lexes.
std::string LexError(const std::string& text)
{
    try {
        Tokens(text);
    } catch (const EFormDescriptionError& e) {
        return e.Message;
    }
    return "";
}

TEST(FormLexer, TokensCarryTheirKindValueAndLine)
{
    const auto tokens = Tokens("object Form1: TForm1\r\n  Width = $1F\n\n  Scale = 2.5e-1\r  end");
    ASSERT_EQ(tokens.size(), 12u);
    EXPECT_EQ(tokens[0].Kind, TFormTokenKind::Identifier);
    EXPECT_EQ(tokens[0].Text, "object");
    EXPECT_EQ(tokens[2].Kind, TFormTokenKind::Symbol);
    EXPECT_EQ(tokens[2].Text, ":");
    EXPECT_EQ(tokens[4].Line, 2);
    EXPECT_EQ(tokens[6].Kind, TFormTokenKind::Integer);
    EXPECT_EQ(tokens[6].Integer, 31);
    EXPECT_EQ(tokens[7].Line, 4);
    EXPECT_EQ(tokens[9].Kind, TFormTokenKind::Real);
    EXPECT_DOUBLE_EQ(static_cast<double>(tokens[9].Real), 0.25);
    // A lone CR ends a line too.
    EXPECT_EQ(tokens[10].Text, "end");
    EXPECT_EQ(tokens[10].Line, 5);
}

TEST(FormLexer, MinusIsASymbolAndNumbersStopAtADotWithoutDigits)
{
    const auto tokens = Tokens("-12 1.x 9223372036854775807");
    ASSERT_EQ(tokens.size(), 7u);
    EXPECT_EQ(tokens[0].Text, "-");
    EXPECT_EQ(tokens[1].Integer, 12);
    EXPECT_EQ(tokens[2].Kind, TFormTokenKind::Integer);
    EXPECT_EQ(tokens[3].Text, ".");
    EXPECT_EQ(tokens[4].Text, "x");
    EXPECT_EQ(tokens[5].Integer, INT64_MAX);
}

TEST(FormLexer, StringsJoinQuotedPartsAndCharacterCodes)
{
    const auto tokens = Tokens("'It''s'#13#10'x'#$41#0'' 'next'");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].Kind, TFormTokenKind::String);
    EXPECT_EQ(tokens[0].Text, std::string("It's\r\nxA\0", 9));
    EXPECT_EQ(tokens[1].Text, "next");
    // Every byte passes through a quoted part unchanged.
    EXPECT_EQ(Tokens("'\xE9\x01\x7F'")[0].Text, "\xE9\x01\x7F");
    EXPECT_EQ(Tokens("#255")[0].Text, "\xFF");
}

TEST(FormLexer, BinaryDataAllowsBlanksAndLineEndsBetweenDigits)
{
    const auto tokens = Tokens("{ 0a0B\n  FF\r\n 0 0 }\nx");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].Kind, TFormTokenKind::Binary);
    EXPECT_EQ(tokens[0].Text, std::string("\x0A\x0B\xFF\x00", 4));
    EXPECT_EQ(tokens[0].Line, 1);
    EXPECT_EQ(tokens[1].Line, 4);
    EXPECT_EQ(Tokens("{}")[0].Text, "");
}

TEST(FormLexer, EndOfTextRepeats)
{
    TFormLexer lexer("  \n ");
    EXPECT_EQ(lexer.Next().Kind, TFormTokenKind::EndOfText);
    const TFormToken again = lexer.Next();
    EXPECT_EQ(again.Kind, TFormTokenKind::EndOfText);
    EXPECT_EQ(again.Line, 2);
}

TEST(FormLexer, MalformedTokensNameTheirLine)
{
    EXPECT_EQ(LexError("a\n'open"), "line 2: unterminated string");
    EXPECT_EQ(LexError("'two\nlines'"), "line 1: unterminated string");
    EXPECT_EQ(LexError("'x'#256"), "line 1: invalid character code");
    EXPECT_EQ(LexError("#"), "line 1: invalid character code");
    EXPECT_EQ(LexError("#$"), "line 1: invalid character code");
    EXPECT_EQ(LexError("#12a"), "line 1: invalid character code");
    EXPECT_EQ(LexError("\n{ 0A 0 }"), "line 2: odd number of hexadecimal digits in binary data");
    EXPECT_EQ(LexError("{ 0A\n 0G }"), "line 2: invalid character 'G' in binary data");
    EXPECT_EQ(LexError("x\n{ 0A\n 0B"), "line 2: unterminated binary data");
    EXPECT_EQ(LexError("12px"), "line 1: invalid number '12px'");
    EXPECT_EQ(LexError("$"), "line 1: invalid number '$'");
    EXPECT_EQ(LexError("$FG"), "line 1: invalid number '$FG'");
    EXPECT_EQ(LexError("1.5e"), "line 1: invalid number '1.5e'");
    EXPECT_EQ(LexError("9223372036854775808"), "line 1: number out of range '9223372036854775808'");
    EXPECT_EQ(LexError("$10000000000000000"), "line 1: number out of range '$10000000000000000'");
    EXPECT_EQ(LexError("1.0e99999"), "line 1: number out of range '1.0e99999'");
    EXPECT_EQ(LexError("a @"), "line 1: unexpected character '@'");
    EXPECT_EQ(LexError(std::string("a\n\0", 3)), "line 2: unexpected character #0");
    EXPECT_EQ(LexError("\x80"), "line 1: unexpected character #128");
}

}  // namespace
