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

}  // namespace
