#include "classlib/core/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c)
{
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Parses the whole text as a signed integer of `bits` bits (32 or 64).
// Decimal values must lie in the signed range; hexadecimal values ("$", "0x",
// "0X") are bit patterns of that width, so "$FFFFFFFF" is -1 for 32 bits.
bool ParseInteger(const std::string& text, int bits, int64_t& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return false;

    const uint64_t signBit = uint64_t{1} << (bits - 1);
    const uint64_t limit = base == 16 ? signBit + (signBit - 1)          // all bits
                                      : (negative ? signBit : signBit - 1);
    uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? HexDigitValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0) return false;
        const auto d = static_cast<uint64_t>(digit);
        if (d > limit || magnitude > (limit - d) / base) return false;
        magnitude = magnitude * base + d;
    }

    uint64_t bitsValue = negative ? uint64_t{0} - magnitude : magnitude;
    if (bits == 32) {
        value = static_cast<int32_t>(static_cast<uint32_t>(bitsValue));
    } else {
        value = static_cast<int64_t>(bitsValue);
    }
    return true;
}

[[noreturn]] void InvalidInteger(const std::string& text)
{
    throw EConvertError("'" + text + "' is not a valid integer value");
}

// Integer indefinite: what the processor's conversion gives for values it
// cannot represent while invalid-operation exceptions are masked.
constexpr int64_t IntegerIndefinite = std::numeric_limits<int64_t>::min();

// True when the (already integral) value fits int64 exactly.
bool FitsInt64(long double integral)
{
    // -2^63 is representable; 2^63 is the first value above the range.
    return integral >= -0x1p63L && integral < 0x1p63L;
}

}  // namespace

// --- Integers and Booleans ---------------------------------------------------

std::string IntToStr(int64_t value) { return std::to_string(value); }

bool TryStrToInt(const std::string& text, int& value)
{
    int64_t parsed = 0;
    if (!ParseInteger(text, 32, parsed)) return false;
    value = static_cast<int>(parsed);
    return true;
}

int StrToInt(const std::string& text)
{
    int value = 0;
    if (!TryStrToInt(text, value)) InvalidInteger(text);
    return value;
}

int StrToIntDef(const std::string& text, int defaultValue)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

int64_t StrToInt64(const std::string& text)
{
    int64_t value = 0;
    if (!ParseInteger(text, 64, value)) InvalidInteger(text);
    return value;
}

namespace {

bool TryStrToBool(const std::string& text, bool& value)
{
    int number = 0;
    if (TryStrToInt(text, number)) {
        value = number != 0;
        return true;
    }
    if (SameText(text, "True")) {
        value = true;
        return true;
    }
    if (SameText(text, "False")) {
        value = false;
        return true;
    }
    return false;
}

}  // namespace

bool StrToBool(const std::string& text)
{
    bool value = false;
    if (!TryStrToBool(text, value)) throw EConvertError("'" + text + "' is not a valid boolean value");
    return value;
}

bool StrToBoolDef(const std::string& text, bool defaultValue)
{
    bool value = false;
    return TryStrToBool(text, value) ? value : defaultValue;
}

std::string BoolToStr(bool value) { return value ? "-1" : "0"; }

std::string IntToHex(uint64_t value, int digits)
{
    static const char hexDigits[] = "0123456789ABCDEF";
    std::string result;
    do {
        result.insert(result.begin(), hexDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int64_t>(result.size()) < digits) {
        result.insert(0, static_cast<size_t>(digits) - result.size(), '0');
    }
    return result;
}

// --- Reals -------------------------------------------------------------------

std::string FloatToStr(long double value)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    // Seven significant digits, rounded once: "-d.dddddde-XX".
    char buffer[48];
    const auto converted = std::to_chars(buffer, buffer + sizeof buffer, value,
                                         std::chars_format::scientific, 6);
    const std::string scientific(buffer, converted.ptr);

    const bool negative = scientific[0] == '-';
    const size_t ePos = scientific.find('e');
    std::string digits;
    for (size_t i = negative ? 1 : 0; i < ePos; ++i) {
        if (scientific[i] != '.') digits += scientific[i];
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const int exponent = std::stoi(scientific.substr(ePos + 1));

    std::string result = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        result.append(digits, 0, 1);
        if (digits.size() > 1) result.append(".").append(digits, 1);
        result.append("E").append(std::to_string(exponent));
    } else if (exponent < 0) {
        result.append("0.").append(static_cast<size_t>(-exponent - 1), '0').append(digits);
    } else {
        const auto integerDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() < integerDigits) digits.append(integerDigits - digits.size(), '0');
        result.append(digits, 0, integerDigits);
        if (digits.size() > integerDigits) result.append(".").append(digits, integerDigits);
    }
    return result;
}

bool TryStrToFloat(const std::string& text, long double& value)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;

    // Check the grammar ourselves so that only "[sign]digits[.digits][E[sign]digits]"
    // passes (no "inf", "nan" or hexadecimal forms).
    size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-')) ++i;
    size_t mantissaDigits = 0;
    size_t point = std::string::npos;
    while (i < end && IsDigit(text[i])) ++i, ++mantissaDigits;
    if (i < end && text[i] == '.') {
        point = i++;
        while (i < end && IsDigit(text[i])) ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0) return false;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) ++i;
        const size_t exponentStart = i;
        while (i < end && IsDigit(text[i])) ++i;
        if (i == exponentStart) return false;
    }
    if (i != end) return false;

    // strtold rounds correctly to long double on both C libraries (std::from_chars
    // of mingw-w64's libstdc++ only has double precision) but reads the decimal
    // point of the current C locale, so the "." is handed over in that form.
    std::string number = text.substr(begin, end - begin);
    if (point != std::string::npos) {
        const char* localePoint = std::localeconv()->decimal_point;
        number.replace(point - begin, 1, localePoint && *localePoint ? localePoint : ".");
    }
    char* stop = nullptr;
    const long double parsed = std::strtold(number.c_str(), &stop);
    if (stop != number.c_str() + number.size() || std::isinf(parsed)) return false;  // overflow
    value = parsed;
    return true;
}

long double StrToFloat(const std::string& text)
{
    long double value = 0;
    if (!TryStrToFloat(text, value)) {
        throw EConvertError("'" + text + "' is not a valid floating point value");
    }
    return value;
}

long double StrToFloatDef(const std::string& text, long double defaultValue)
{
    long double value = 0;
    return TryStrToFloat(text, value) ? value : defaultValue;
}

int64_t Round(long double value)
{
    if (std::isnan(value)) return IntegerIndefinite;
    // value - trunc(value) is exact, so the tie test is exact too.
    long double integral = std::trunc(value);
    const long double fraction = std::fabs(value - integral);
    const long double step = value < 0 ? -1.0L : 1.0L;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(integral, 2.0L) != 0)) integral += step;
    return FitsInt64(integral) ? static_cast<int64_t>(integral) : IntegerIndefinite;
}

int64_t Trunc(long double value)
{
    if (std::isnan(value)) return IntegerIndefinite;
    const long double integral = std::trunc(value);
    return FitsInt64(integral) ? static_cast<int64_t>(integral) : IntegerIndefinite;
}

// --- Formatting --------------------------------------------------------------

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        va_end(args);
        throw EConvertError(std::string("Format '") + format + "' invalid or incompatible with argument");
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    return std::string(buffer.data(), static_cast<size_t>(length));
}

// --- Strings -----------------------------------------------------------------

std::string UpperCase(const std::string& text)
{
    std::string result = text;
    for (char& c : result) c = UpperChar(c);
    return result;
}

std::string LowerCase(const std::string& text)
{
    std::string result = text;
    for (char& c : result) c = LowerChar(c);
    return result;
}

int CompareText(const std::string& a, const std::string& b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const int ca = static_cast<unsigned char>(UpperChar(a[i]));
        const int cb = static_cast<unsigned char>(UpperChar(b[i]));
        if (ca != cb) return ca - cb;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int CompareStr(const std::string& a, const std::string& b)
{
    const int order = a.compare(b);  // char_traits<char> compares as unsigned char
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::string TrimLeft(const std::string& text)
{
    size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin])) ++begin;
    return text.substr(begin);
}

std::string TrimRight(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return text.substr(0, end);
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

size_t Pos(const std::string& sub, const std::string& text)
{
    if (sub.empty()) return 0;
    const size_t found = text.find(sub);
    return found == std::string::npos ? 0 : found + 1;
}

std::string Copy(const std::string& text, int64_t index, int64_t count)
{
    const auto length = static_cast<int64_t>(text.size());
    if (index < 1) index = 1;
    if (count <= 0 || index > length) return "";
    const int64_t available = length - index + 1;
    return text.substr(static_cast<size_t>(index - 1), static_cast<size_t>(std::min(count, available)));
}

std::string StringReplaceAll(const std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty()) return text;
    std::string result;
    size_t start = 0;
    for (size_t found = text.find(from); found != std::string::npos; found = text.find(from, start)) {
        result.append(text, start, found - start);
        result += to;
        start = found + from.size();
    }
    result.append(text, start, std::string::npos);
    return result;
}

// --- File names --------------------------------------------------------------

size_t LastDelimiter(const std::string& delimiters, const std::string& text)
{
    const size_t found = text.find_last_of(delimiters);
    return found == std::string::npos ? 0 : found + 1;
}

std::string ExtractFilePath(const std::string& fileName)
{
    return fileName.substr(0, LastDelimiter("\\:", fileName));
}

std::string ExtractFileName(const std::string& fileName)
{
    return fileName.substr(LastDelimiter("\\:", fileName));
}

std::string ExtractFileExt(const std::string& fileName)
{
    const size_t index = LastDelimiter(".\\:", fileName);
    return (index > 0 && fileName[index - 1] == '.') ? fileName.substr(index - 1) : "";
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension)
{
    const size_t index = LastDelimiter(".\\:", fileName);
    const size_t nameEnd = (index > 0 && fileName[index - 1] == '.') ? index - 1 : fileName.size();
    return fileName.substr(0, nameEnd) + extension;
}

std::string IncludeTrailingBackslash(const std::string& path)
{
    return (!path.empty() && path.back() == '\\') ? path : path + "\\";
}

std::string ExcludeTrailingBackslash(const std::string& path)
{
    return (!path.empty() && path.back() == '\\') ? path.substr(0, path.size() - 1) : path;
}
