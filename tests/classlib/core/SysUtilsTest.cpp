#include "classlib/core/SysUtils.h"

#include <clocale>
#include <cmath>
#include <limits>
#include <tuple>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace {
constexpr auto kInf = std::numeric_limits<long double>::infinity();
constexpr auto kNaN = std::numeric_limits<long double>::quiet_NaN();
}  // namespace

TEST(StrToInt, AcceptsDecimalAndHexWithSignAndTheFullRange)
{
    const std::pair<const char*, int> cases[] = {
        {"0", 0}, {"1234", 1234}, {"+17", 17}, {"-17", -17}, {"007", 7}, {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()}, {"$1F", 31}, {"0x1f", 31}, {"0XaB", 0xAB},
        {"-$10", -16}, {"$7FFFFFFF", 2147483647}, {"$FFFFFFFF", -1},
        {"$80000000", std::numeric_limits<int>::min()}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StrToInt(text), value) << text;
}

TEST(StrToInt, RejectsEmptyBlanksJunkAndOverflow)
{
    for (const char* text : {"", " ", "1 ", " 1", "1\t", "abc", "12a", "1.5", "+", "-", "--1", "+-1",
                             "$", "0x", "$G", "0x1G", "x10", "2147483648", "-2147483649",
                             "99999999999999999999", "$100000000", "1,000"}) {
        EXPECT_THROW(StrToInt(text), EConvertError) << '"' << text << '"';
        int value = 42;
        EXPECT_FALSE(TryStrToInt(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 42) << "a failed TryStrToInt leaves the value alone";
        EXPECT_EQ(StrToIntDef(text, -5), -5);
    }
    try {
        StrToInt("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'abc' is not a valid integer value");
    }
}

TEST(StrToInt64, CoversTheWholeRangeAndRejectsOverflow)
{
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    for (const char* text : {"9223372036854775808", "-9223372036854775809", "$10000000000000000", ""})
        EXPECT_THROW(StrToInt64(text), EConvertError) << text;
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(IntToHex(0xAB, 4), "00AB");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
    EXPECT_EQ(IntToHex(~uint64_t{0}, 1), "FFFFFFFFFFFFFFFF");
}

TEST(StrToBool, IntegersAndWordsInAnyCaseElseAnError)
{
    for (const char* text : {"-1", "1", "7", "$10", "True", "tRUE"})
        EXPECT_TRUE(StrToBool(text)) << text;
    for (const char* text : {"0", "FALSE", "false"})
        EXPECT_FALSE(StrToBool(text)) << text;
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
    for (const char* text : {"", " ", "yes", "T", "Tru", "True ", " 0", "0.0", "99999999999"}) {
        EXPECT_THROW(StrToBool(text), EConvertError) << '"' << text << '"';
        EXPECT_TRUE(StrToBoolDef(text, true));
        EXPECT_FALSE(StrToBoolDef(text, false));
    }
}

TEST(FloatToStr, GeneralFormatWithSevenSignificantDigitsElseExponent)
{
    const std::pair<long double, const char*> cases[] = {
        {0.0L, "0"}, {-0.0L, "0"}, {0.1L, "0.1"}, {0.1f, "0.1"}, {-2.5L, "-2.5"}, {1.0L, "1"},
        {1e7L, "10000000"}, {1234567.8L, "1234568"}, {123456789.0L, "123456800"},
        {3.14159265L, "3.141593"}, {9.9999999L, "10"}, {0.0001L, "0.0001"}, {0.00012345L, "0.00012345"},
        {1e14L, "100000000000000"}, {1e-6L, "1E-6"}, {1.5e-5L, "1.5E-5"}, {-1e-5L, "-1E-5"},
        {1e15L, "1E15"}, {1.25e37L, "1.25E37"}, {999999999999999.0L, "1E15"}, {kInf, "INF"},
        {-kInf, "-INF"}, {kNaN, "NAN"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FloatToStr(value), text);
}

TEST(StrToFloat, AcceptsTheNumberFormsAtLongDoublePrecision)
{
    const std::pair<const char*, long double> cases[] = {
        {"0.1", 0.1L}, {"-2.5", -2.5L}, {"+3", 3.0L}, {".5", 0.5L}, {"5.", 5.0L}, {"1E-6", 1e-6L},
        {"1.5e+3", 1500.0L}, {"  42 \t", 42.0L}, {"1e-99999", 0.0L},
        {"1.0000000000000000001", 1.0L + 0x1p-63L}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StrToFloat(text), value) << text;
    EXPECT_NE(StrToFloat("0.1"), static_cast<long double>(0.1)) << "not a widened double";
    for (long double value : {0.1L, -2.5L, 1e-6L, 1.5e-5L, 1e15L, 1234568.0L, 0.0L})
        EXPECT_EQ(FloatToStr(StrToFloat(FloatToStr(value))), FloatToStr(value));
}

// The decimal point is "." even when the C locale says otherwise.
TEST(StrToFloat, IgnoresTheLocaleDecimalPoint)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* german = nullptr;
    for (const char* name : {"German_Germany.1252", "de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name)) {
            german = name;
            break;
        }
    }
    if (!german) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const bool comma = std::localeconv()->decimal_point[0] == ',';
    long double pointValue = 0, commaValue = 0;
    const bool pointParsed = TryStrToFloat("1.5", pointValue);
    const bool commaParsed = TryStrToFloat("1,5", commaValue);
    std::setlocale(LC_ALL, saved.c_str());

    ASSERT_TRUE(comma) << german;
    EXPECT_TRUE(pointParsed);
    EXPECT_EQ(pointValue, 1.5L);
    EXPECT_FALSE(commaParsed);
}

TEST(StrToFloat, RejectsMalformedAndOutOfRangeText)
{
    for (const char* text : {"", "   ", "abc", "1,5", "1.5x", "1.2.3", ".", "-", "+.", "e5", "1e",
                             "1e+", "1 2", "--1", "inf", "nan", "0x10", "$10", "1e99999"}) {
        EXPECT_THROW(StrToFloat(text), EConvertError) << '"' << text << '"';
        long double value = 7;
        EXPECT_FALSE(TryStrToFloat(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 7);
        EXPECT_EQ(StrToFloatDef(text, -1.0L), -1.0L);
    }
    try {
        StrToFloat("1,5");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'1,5' is not a valid floating point value");
    }
}

TEST(Round, TiesGoToEvenAndTruncCutsTowardZero)
{
    const std::pair<long double, int64_t> rounds[] = {
        {2.5L, 2}, {3.5L, 4}, {-2.5L, -2}, {-3.5L, -4}, {0.5L, 0}, {-0.5L, 0}, {2.4999L, 2},
        {2.5001L, 3}, {-2.7L, -3}, {1e12L + 0.5L, 1000000000000}};
    for (const auto& [value, rounded] : rounds)
        EXPECT_EQ(Round(value), rounded) << static_cast<double>(value);
    EXPECT_EQ(Trunc(-2.7L), -2);
    EXPECT_EQ(Trunc(2.7L), 2);
    EXPECT_EQ(Trunc(-0.9L), 0);
    EXPECT_EQ(Trunc(-9223372036854775808.0L), std::numeric_limits<int64_t>::min());
    // Unrepresentable values give the integer indefinite.
    const int64_t indefinite = std::numeric_limits<int64_t>::min();
    EXPECT_EQ(Round(1e30L), indefinite);
    EXPECT_EQ(Trunc(-1e30L), indefinite);
    EXPECT_EQ(Trunc(9223372036854775808.0L), indefinite);
    EXPECT_EQ(Round(kNaN), indefinite);
    EXPECT_EQ(Trunc(kInf), indefinite);
}

TEST(Format, FormatsTheUsedConversionsAtAnyLength)
{
    EXPECT_EQ(Format("%dx%dx%d", 1280, 1024, 32), "1280x1024x32");
    EXPECT_EQ(Format("%u Color(%d bit)", 256u, 8), "256 Color(8 bit)");
    EXPECT_EQ(Format("[%5s|%-4s]", "ab", "c"), "[   ab|c   ]");
    EXPECT_EQ(Format("%08X %x", 0xBEEFu, 255u), "0000BEEF ff");
    EXPECT_EQ(Format("%.2f %g %e", 3.14159, 0.5, 1500.0), "3.14 0.5 1.500000e+03");
    EXPECT_EQ(Format("%lld %zu", static_cast<long long>(-1) << 40, size_t{7}), "-1099511627776 7");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_EQ(Format("%s", ""), "");
    const std::string longText(5000, 'q');
    EXPECT_EQ(Format("<%s>", longText.c_str()), "<" + longText + ">");
}

TEST(Strings, CaseAndComparisonTouchOnlyAsciiLetters)
{
    EXPECT_EQ(UpperCase("abz AZ_09\xe9"), "ABZ AZ_09\xe9");
    EXPECT_EQ(LowerCase("ABZ az_09\xc9"), "abz az_09\xc9");
    EXPECT_EQ(CompareText("Hello", "hELLO"), 0);
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_LT(CompareText("ab", "ABC"), 0) << "a prefix sorts first";
    EXPECT_GT(CompareText("_", "a"), 0) << "'_' comes after the letters once they are upper-cased";
    EXPECT_GT(CompareText("\xe0", "z"), 0) << "bytes compare unsigned";
    EXPECT_TRUE(SameText("Fish", "FISH"));
    EXPECT_FALSE(SameText("Fish", "Fishes"));
    EXPECT_EQ(CompareStr("abc", "abc"), 0);
    EXPECT_LT(CompareStr("ABC", "abc"), 0);
    EXPECT_LT(CompareStr("ab", "abc"), 0);
    EXPECT_GT(CompareStr("\x80", "a"), 0);
}

TEST(Strings, TrimPosCopyAndReplace)
{
    EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
    EXPECT_EQ(TrimLeft("  a  "), "a  ");
    EXPECT_EQ(TrimRight("  a  "), "  a");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\xa0x\xa0"), "\xa0x\xa0") << "high bytes are not blanks";

    const std::tuple<const char*, const char*, size_t> positions[] = {
        {"a", "abc", 1}, {"bc", "abcbc", 2}, {"c", "abc", 3}, {"x", "abc", 0}, {"", "abc", 0},
        {"a", "", 0}, {"abcd", "abc", 0}};
    for (const auto& [sub, text, at] : positions)
        EXPECT_EQ(Pos(sub, text), at) << sub << " in " << text;

    const std::tuple<int64_t, int64_t, const char*> copies[] = {
        {2, 3, "bcd"}, {1, 100, "abcdef"}, {6, 1, "f"}, {7, 1, ""}, {0, 2, "ab"}, {-5, 2, "ab"},
        {2, 0, ""}, {2, -1, ""}, {3, std::numeric_limits<int64_t>::max(), "cdef"}};
    for (const auto& [index, count, result] : copies)
        EXPECT_EQ(Copy("abcdef", index, count), result) << index << "," << count;
    EXPECT_EQ(Copy("", 1, 1), "");

    EXPECT_EQ(StringReplaceAll("a.b.c", ".", "\\"), "a\\b\\c");
    EXPECT_EQ(StringReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(StringReplaceAll("abc", "abc", ""), "");
    EXPECT_EQ(StringReplaceAll("abc", "", "y"), "abc");
    EXPECT_EQ(StringReplaceAll("ab", "b", "bb"), "abb") << "replacements are not rescanned";
}

TEST(FileNames, SplitPathsOnBackslashAndColonOnly)
{
    EXPECT_EQ(LastDelimiter("\\:", "C:\\dir\\a"), 7u);
    EXPECT_EQ(LastDelimiter(".", "a.b.c"), 4u);
    EXPECT_EQ(LastDelimiter("\\", "abc"), 0u);
    EXPECT_EQ(LastDelimiter("", "abc"), 0u);

    // path, directory, name, extension
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"C:\\dir\\a.b.scr", "C:\\dir\\", "a.b.scr", ".scr"}, {"a", "", "a", ""},
        {"dir\\", "dir\\", "", ""}, {"C:x", "C:", "x", ""}, {"", "", "", ""},
        {"C:\\my.dir\\file", "C:\\my.dir\\", "file", ""}, {"name.", "", "name.", "."},
        {".hidden", "", ".hidden", ".hidden"}, {"a/b", "", "a/b", ""}};
    for (const auto& [path, dir, name, ext] : cases) {
        EXPECT_EQ(ExtractFilePath(path), dir) << path;
        EXPECT_EQ(ExtractFileName(path), name) << path;
        EXPECT_EQ(ExtractFileExt(path), ext) << path;
    }
    EXPECT_EQ(ChangeFileExt("C:\\dir\\a.b.scr", ".EXE"), "C:\\dir\\a.b.EXE");
    EXPECT_EQ(ChangeFileExt("C:\\dir\\a.b.scr", ""), "C:\\dir\\a.b");
    EXPECT_EQ(ChangeFileExt("a", ".txt"), "a.txt");
    EXPECT_EQ(ChangeFileExt("C:\\my.dir\\file", ".ini"), "C:\\my.dir\\file.ini");

    EXPECT_EQ(IncludeTrailingBackslash("C:\\dir"), "C:\\dir\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\dir\\"), "C:\\dir\\");
    EXPECT_EQ(IncludeTrailingBackslash(""), "\\");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\dir\\"), "C:\\dir");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\dir"), "C:\\dir");
    EXPECT_EQ(ExcludeTrailingBackslash("\\\\"), "\\") << "only one is removed";
    EXPECT_EQ(ExcludeTrailingBackslash(""), "");
}
