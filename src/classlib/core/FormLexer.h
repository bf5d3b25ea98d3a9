// Lexer of form descriptions (see FormDescription.h for the format).
//
// Turns the text into tokens, each with the line it starts on (lines count
// from 1; a line ends at LF, CR LF or a lone CR). Bytes from 1 to 32 are
// blanks between tokens. The tokens:
//  - Identifier: a letter or "_", then letters, digits and "_";
//  - Integer: decimal digits, or "$" and hexadecimal digits; the value must
//    fit a signed 64-bit integer. A sign is a separate "-" symbol;
//  - Real: digits "." digits, with an optional exponent ("e" or "E", an
//    optional sign, digits); a number followed at once by a letter, a digit
//    or "_" is an error ("12px", "$FG");
//  - String: quoted parts 'like this' (a doubled quote stands for one quote;
//    a part may not run past its line) and character codes #nn (decimal)
//    or #$hh (hexadecimal), 0 to 255, written together without blanks:
//    'Line 1'#13#10'Line 2'. Joining strings with "+" is the parser's work;
//  - Binary: "{", hexadecimal digit pairs with any blanks between them,
//    "}"; the token's Text holds the bytes;
//  - Symbol: one of  = : . , + - [ ] ( )  (its Text is the character);
//  - EndOfText, returned again on every further call.
// Anything else is an EFormDescriptionError naming the line (the form is
// left for the parser to fill in).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class TFormTokenKind { EndOfText, Identifier, Integer, Real, String, Binary, Symbol };

struct TFormToken {
    TFormTokenKind Kind = TFormTokenKind::EndOfText;
    int Line = 1;
    // The identifier, the string's characters, the binary bytes or the
    // symbol character.
    std::string Text;
    int64_t Integer = 0;
    long double Real = 0;
};

class TFormLexer {
public:
    // The text must outlive the lexer.
    explicit TFormLexer(std::string_view text) : FText(text) {}

    TFormToken Next();

private:
    void SkipBlanks();
    TFormToken ReadNumber();
    TFormToken ReadString();
    TFormToken ReadBinary();
    [[noreturn]] void Fail(int line, const std::string& detail) const;
    bool AtEnd() const { return FPos >= FText.size(); }
    char Peek(size_t ahead = 0) const
    {
        return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0';
    }
    // Moves past one character, counting line ends.
    void Advance();

    std::string_view FText;
    size_t FPos = 0;
    int FLine = 1;
};

// How an error message shows one character: 'x' when printable, else #nn.
std::string FormCharText(char c);
