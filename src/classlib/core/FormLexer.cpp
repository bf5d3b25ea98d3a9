#include "classlib/core/FormLexer.h"

#include <cstdint>
#include <limits>

#include "classlib/core/FormDescriptionError.h"
#include "classlib/core/SysUtils.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsIdentChar(char c) { return IsLetter(c) || IsDigit(c); }
// NUL is no blank in a description: it is an error where it stands.
bool IsSeparator(char c) { return c != '\0' && IsBlank(c); }

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string FormCharText(char c)
{
    const auto b = static_cast<unsigned char>(c);
    if (b > 32 && b < 127)
        return std::string("'") + c + "'";
    std::string code = "#";
    code += std::to_string(b);
    return code;
}

void TFormLexer::Fail(int line, const std::string& detail) const
{
    throw EFormDescriptionError("", line, detail);
}

void TFormLexer::Advance()
{
    const char c = FText[FPos++];
    if (c == '\n' || (c == '\r' && Peek() != '\n'))
        ++FLine;
}

void TFormLexer::SkipBlanks()
{
    while (!AtEnd() && IsSeparator(Peek()))
        Advance();
}

TFormToken TFormLexer::Next()
{
    SkipBlanks();
    TFormToken token;
    token.Line = FLine;
    if (AtEnd())
        return token;
    const char c = Peek();
    if (IsLetter(c)) {
        const size_t start = FPos;
        while (!AtEnd() && IsIdentChar(Peek()))
            Advance();
        token.Kind = TFormTokenKind::Identifier;
        token.Text = std::string(FText.substr(start, FPos - start));
        return token;
    }
    if (IsDigit(c) || c == '$')
        return ReadNumber();
    if (c == '\'' || c == '#')
        return ReadString();
    if (c == '{')
        return ReadBinary();
    static const std::string_view symbols = "=:.,+-[]()";
    if (symbols.find(c) != std::string_view::npos) {
        Advance();
        token.Kind = TFormTokenKind::Symbol;
        token.Text = std::string(1, c);
        return token;
    }
    Fail(FLine, "unexpected character " + FormCharText(c));
}

TFormToken TFormLexer::ReadNumber()
{
    TFormToken token;
    token.Line = FLine;
    token.Kind = TFormTokenKind::Integer;
    const size_t start = FPos;
    bool valid = true;
    bool overflow = false;
    constexpr uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    uint64_t value = 0;
    if (Peek() == '$') {
        Advance();
        valid = HexValue(Peek()) >= 0;
        while (HexValue(Peek()) >= 0) {
            const auto digit = static_cast<uint64_t>(HexValue(Peek()));
            overflow = overflow || value > (limit - digit) / 16;
            if (!overflow)
                value = value * 16 + digit;
            Advance();
        }
    } else {
        while (IsDigit(Peek())) {
            const auto digit = static_cast<uint64_t>(Peek() - '0');
            overflow = overflow || value > (limit - digit) / 10;
            if (!overflow)
                value = value * 10 + digit;
            Advance();
        }
        if (Peek() == '.' && IsDigit(Peek(1))) {
            token.Kind = TFormTokenKind::Real;
            Advance();
            while (IsDigit(Peek()))
                Advance();
        }
        if (token.Kind == TFormTokenKind::Real && (Peek() == 'e' || Peek() == 'E')) {
            Advance();
            if (Peek() == '+' || Peek() == '-')
                Advance();
            valid = IsDigit(Peek());
            while (IsDigit(Peek()))
                Advance();
        }
    }
    // A number glued to letters or digits ("12px", "$FG", "1.5e") is no number.
    while (IsIdentChar(Peek())) {
        valid = false;
        Advance();
    }
    const std::string text(FText.substr(start, FPos - start));
    if (!valid)
        Fail(token.Line, "invalid number '" + text + "'");
    if (token.Kind == TFormTokenKind::Real) {
        if (!TryStrToFloat(text, token.Real))
            Fail(token.Line, "number out of range '" + text + "'");
    } else {
        if (overflow)
            Fail(token.Line, "number out of range '" + text + "'");
        token.Integer = static_cast<int64_t>(value);
    }
    return token;
}

TFormToken TFormLexer::ReadString()
{
    TFormToken token;
    token.Line = FLine;
    token.Kind = TFormTokenKind::String;
    for (;;) {
        if (Peek() == '\'') {
            const int line = FLine;
            Advance();
            for (;;) {
                if (AtEnd() || Peek() == '\r' || Peek() == '\n')
                    Fail(line, "unterminated string");
                const char ch = Peek();
                Advance();
                if (ch == '\'') {
                    if (Peek() != '\'')
                        break;
                    Advance();
                }
                token.Text += ch;
            }
        } else if (Peek() == '#') {
            Advance();
            int code = 0;
            bool any = false;
            const bool hex = Peek() == '$';
            if (hex)
                Advance();
            for (;;) {
                const int digit = hex ? HexValue(Peek()) : (IsDigit(Peek()) ? Peek() - '0' : -1);
                if (digit < 0)
                    break;
                any = true;
                code = code * (hex ? 16 : 10) + digit;
                if (code > 255)
                    Fail(FLine, "invalid character code");
                Advance();
            }
            if (!any || IsIdentChar(Peek()))
                Fail(FLine, "invalid character code");
            token.Text += static_cast<char>(code);
        } else {
            return token;
        }
    }
}

TFormToken TFormLexer::ReadBinary()
{
    TFormToken token;
    token.Line = FLine;
    token.Kind = TFormTokenKind::Binary;
    Advance();  // "{"
    int high = -1;
    for (;;) {
        SkipBlanks();
        if (AtEnd())
            Fail(token.Line, "unterminated binary data");
        const char c = Peek();
        if (c == '}') {
            if (high >= 0)
                Fail(FLine, "odd number of hexadecimal digits in binary data");
            Advance();
            return token;
        }
        const int digit = HexValue(c);
        if (digit < 0)
            Fail(FLine, "invalid character " + FormCharText(c) + " in binary data");
        Advance();
        if (high < 0) {
            high = digit;
        } else {
            token.Text += static_cast<char>(high * 16 + digit);
            high = -1;
        }
    }
}
