#include "classlib/core/SysUtils.h"

#include <clocale>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

// --- Integers ----------------------------------------------------------------

TEST(StrToInt, AcceptsDecimalWithSignAndTheFullIntRange)
{
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("1234"), 1234);
    EXPECT_EQ(StrToInt("+17"), 17);
    EXPECT_EQ(StrToInt("-17"), -17);
    EXPECT_EQ(StrToInt("007"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
}

TEST(StrToInt, AcceptsHexadecimalPrefixesAsBitPatterns)
{
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("0XaB"), 0xAB);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("$7FFFFFFF"), 2147483647);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000000"), std::numeric_limits<int>::min());
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
}

TEST(StrToInt, ErrorMessageQuotesTheText)
{
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
    EXPECT_EQ(StrToInt64("4294967296"), int64_t{4294967296});
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_THROW(StrToInt64("-9223372036854775809"), EConvertError);
    EXPECT_THROW(StrToInt64("$10000000000000000"), EConvertError);
    EXPECT_THROW(StrToInt64(""), EConvertError);
}

TEST(IntToHex, UppercasePaddedToAtLeastTheDigits)
{
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(IntToHex(0xAB, 4), "00AB");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
    EXPECT_EQ(IntToHex(~uint64_t{0}, 1), "FFFFFFFFFFFFFFFF");
}

// --- Booleans ----------------------------------------------------------------

TEST(StrToBool, IntegersAndWordsInAnyCase)
{
    EXPECT_FALSE(StrToBool("0"));
    EXPECT_TRUE(StrToBool("-1"));
    EXPECT_TRUE(StrToBool("1"));
    EXPECT_TRUE(StrToBool("7"));
    EXPECT_TRUE(StrToBool("$10"));
    EXPECT_TRUE(StrToBool("True"));
    EXPECT_TRUE(StrToBool("tRUE"));
    EXPECT_FALSE(StrToBool("FALSE"));
    EXPECT_FALSE(StrToBool("false"));
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
}

TEST(StrToBool, RejectsAnythingElse)
{
    for (const char* text : {"", " ", "yes", "T", "Tru", "True ", " 0", "0.0", "99999999999"}) {
        EXPECT_THROW(StrToBool(text), EConvertError) << '"' << text << '"';
        EXPECT_TRUE(StrToBoolDef(text, true));
        EXPECT_FALSE(StrToBoolDef(text, false));
    }
}

// --- Reals -------------------------------------------------------------------

TEST(FloatToStr, GeneralFormatWithSevenSignificantDigits)
{
    EXPECT_EQ(FloatToStr(0.0L), "0");
    EXPECT_EQ(FloatToStr(-0.0L), "0");
    EXPECT_EQ(FloatToStr(0.1L), "0.1");
    EXPECT_EQ(FloatToStr(0.1f), "0.1") << "a single widened to long double still prints short";
    EXPECT_EQ(FloatToStr(-2.5L), "-2.5");
    EXPECT_EQ(FloatToStr(1.0L), "1");
    EXPECT_EQ(FloatToStr(1e7L), "10000000");
    EXPECT_EQ(FloatToStr(1234567.8L), "1234568");
    EXPECT_EQ(FloatToStr(123456789.0L), "123456800");
    EXPECT_EQ(FloatToStr(3.14159265L), "3.141593");
    EXPECT_EQ(FloatToStr(9.9999999L), "10") << "rounding carries into a new digit";
    EXPECT_EQ(FloatToStr(0.0001L), "0.0001");
    EXPECT_EQ(FloatToStr(0.00012345L), "0.00012345");
    EXPECT_EQ(FloatToStr(1e14L), "100000000000000");
}

TEST(FloatToStr, ExponentFormOutsideTheFixedRange)
{
    EXPECT_EQ(FloatToStr(1e-6L), "1E-6");
    EXPECT_EQ(FloatToStr(1.5e-5L), "1.5E-5");
    EXPECT_EQ(FloatToStr(-1e-5L), "-1E-5");
    EXPECT_EQ(FloatToStr(1e15L), "1E15");
    EXPECT_EQ(FloatToStr(1.25e37L), "1.25E37");
    EXPECT_EQ(FloatToStr(999999999999999.0L), "1E15") << "the exponent is the rounded value's";
    EXPECT_EQ(FloatToStr(std::numeric_limits<long double>::infinity()), "INF");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<long double>::infinity()), "-INF");
    EXPECT_EQ(FloatToStr(std::numeric_limits<long double>::quiet_NaN()), "NAN");
}

TEST(StrToFloat, AcceptsTheNumberForms)
{
    EXPECT_EQ(StrToFloat("0.1"), 0.1L);
    EXPECT_EQ(StrToFloat("-2.5"), -2.5L);
    EXPECT_EQ(StrToFloat("+3"), 3.0L);
    EXPECT_EQ(StrToFloat(".5"), 0.5L);
    EXPECT_EQ(StrToFloat("5."), 5.0L);
    EXPECT_EQ(StrToFloat("1E-6"), 1e-6L);
    EXPECT_EQ(StrToFloat("1.5e+3"), 1500.0L);
    EXPECT_EQ(StrToFloat("  42 \t"), 42.0L) << "blanks around the number are allowed";
    EXPECT_EQ(StrToFloat("1e-99999"), 0.0L) << "too small a value becomes zero";
}

TEST(StrToFloat, KeepsLongDoublePrecision)
{
    EXPECT_EQ(StrToFloat("0.1"), 0.1L);
    EXPECT_NE(StrToFloat("0.1"), static_cast<long double>(0.1)) << "not a widened double";
    EXPECT_EQ(StrToFloat("1.0000000000000000001"), 1.0L + 0x1p-63L);
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
    long double pointValue = 0;
    long double commaValue = 0;
    const bool pointParsed = TryStrToFloat("1.5", pointValue);
    const bool commaParsed = TryStrToFloat("1,5", commaValue);
    std::setlocale(LC_ALL, saved.c_str());

    ASSERT_TRUE(comma) << german;
    EXPECT_TRUE(pointParsed);
    EXPECT_EQ(pointValue, 1.5L);
    EXPECT_FALSE(commaParsed);
}

TEST(StrToFloat, RoundTripsFloatToStr)
{
    for (long double value : {0.1L, -2.5L, 1e-6L, 1.5e-5L, 1e15L, 1234568.0L, 0.0L}) {
        EXPECT_EQ(FloatToStr(StrToFloat(FloatToStr(value))), FloatToStr(value));
    }
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

TEST(Round, TiesGoToEven)
{
    EXPECT_EQ(Round(2.5L), 2);
    EXPECT_EQ(Round(3.5L), 4);
    EXPECT_EQ(Round(-2.5L), -2);
    EXPECT_EQ(Round(-3.5L), -4);
    EXPECT_EQ(Round(0.5L), 0);
    EXPECT_EQ(Round(-0.5L), 0);
    EXPECT_EQ(Round(2.4999L), 2);
    EXPECT_EQ(Round(2.5001L), 3);
    EXPECT_EQ(Round(-2.7L), -3);
    EXPECT_EQ(Round(1e12L + 0.5L), 1000000000000);
}

TEST(Trunc, CutsTowardZero)
{
    EXPECT_EQ(Trunc(-2.7L), -2);
    EXPECT_EQ(Trunc(2.7L), 2);
    EXPECT_EQ(Trunc(-0.9L), 0);
    EXPECT_EQ(Trunc(-9223372036854775808.0L), std::numeric_limits<int64_t>::min());
}

TEST(Round, UnrepresentableValuesGiveIntegerIndefinite)
{
    const int64_t indefinite = std::numeric_limits<int64_t>::min();
    EXPECT_EQ(Round(1e30L), indefinite);
    EXPECT_EQ(Trunc(-1e30L), indefinite);
    EXPECT_EQ(Trunc(9223372036854775808.0L), indefinite);
    EXPECT_EQ(Round(std::numeric_limits<long double>::quiet_NaN()), indefinite);
    EXPECT_EQ(Trunc(std::numeric_limits<long double>::infinity()), indefinite);
}

// --- Formatting --------------------------------------------------------------

TEST(Format, FormatsTheUsedConversions)
{
    EXPECT_EQ(Format("%dx%dx%d", 1280, 1024, 32), "1280x1024x32");
    EXPECT_EQ(Format("%u Color(%d bit)", 256u, 8), "256 Color(8 bit)");
    EXPECT_EQ(Format("%d fps", -3), "-3 fps");
    EXPECT_EQ(Format("[%5s|%-4s]", "ab", "c"), "[   ab|c   ]");
    EXPECT_EQ(Format("%08X %x", 0xBEEFu, 255u), "0000BEEF ff");
    EXPECT_EQ(Format("%.2f %g %e", 3.14159, 0.5, 1500.0), "3.14 0.5 1.500000e+03");
    EXPECT_EQ(Format("%lld %zu", static_cast<long long>(-1) << 40, size_t{7}), "-1099511627776 7");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_EQ(Format("%s", ""), "");
}

TEST(Format, HandlesOutputLongerThanAnyFixedBuffer)
{
    const std::string longText(5000, 'q');
    EXPECT_EQ(Format("<%s>", longText.c_str()), "<" + longText + ">");
}

// --- Strings -----------------------------------------------------------------

TEST(CaseFunctions, TouchOnlyAsciiLetters)
{
    EXPECT_EQ(UpperCase("abz AZ_09\xe9"), "ABZ AZ_09\xe9");
    EXPECT_EQ(LowerCase("ABZ az_09\xc9"), "abz az_09\xc9");
}

TEST(CompareText, IgnoresAsciiCaseAndOrdersByUppercase)
{
    EXPECT_EQ(CompareText("Hello", "hELLO"), 0);
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_LT(CompareText("ab", "ABC"), 0) << "a prefix sorts first";
    EXPECT_GT(CompareText("_", "a"), 0) << "'_' comes after the letters once they are upper-cased";
    EXPECT_GT(CompareText("\xe0", "z"), 0) << "bytes compare unsigned";
    EXPECT_TRUE(SameText("Fish", "FISH"));
    EXPECT_FALSE(SameText("Fish", "Fishes"));
}

TEST(CompareStr, IsOrdinalAndCaseSensitive)
{
    EXPECT_EQ(CompareStr("abc", "abc"), 0);
    EXPECT_LT(CompareStr("ABC", "abc"), 0);
    EXPECT_LT(CompareStr("ab", "abc"), 0);
    EXPECT_GT(CompareStr("\x80", "a"), 0);
}

TEST(Trim, RemovesControlCharactersAndBlanksOnly)
{
    EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
    EXPECT_EQ(TrimLeft("  a  "), "a  ");
    EXPECT_EQ(TrimRight("  a  "), "  a");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("\xa0x\xa0"), "\xa0x\xa0") << "high bytes are not blanks";
}

TEST(Pos, IsOneBasedWithZeroForAbsentOrEmpty)
{
    EXPECT_EQ(Pos("a", "abc"), 1u);
    EXPECT_EQ(Pos("bc", "abcbc"), 2u);
    EXPECT_EQ(Pos("c", "abc"), 3u);
    EXPECT_EQ(Pos("x", "abc"), 0u);
    EXPECT_EQ(Pos("", "abc"), 0u);
    EXPECT_EQ(Pos("a", ""), 0u);
    EXPECT_EQ(Pos("abcd", "abc"), 0u);
}

TEST(Copy, ClampsIndexAndCountToTheText)
{
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abcdef", 1, 100), "abcdef");
    EXPECT_EQ(Copy("abcdef", 6, 1), "f");
    EXPECT_EQ(Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Copy("abcdef", 0, 2), "ab") << "an index below 1 counts as 1";
    EXPECT_EQ(Copy("abcdef", -5, 2), "ab");
    EXPECT_EQ(Copy("abcdef", 2, 0), "");
    EXPECT_EQ(Copy("abcdef", 2, -1), "");
    EXPECT_EQ(Copy("abcdef", 3, std::numeric_limits<int64_t>::max()), "cdef");
    EXPECT_EQ(Copy("", 1, 1), "");
}

TEST(StringReplaceAll, ReplacesEveryNonOverlappingOccurrence)
{
    EXPECT_EQ(StringReplaceAll("a.b.c", ".", "\\"), "a\\b\\c");
    EXPECT_EQ(StringReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(StringReplaceAll("abc", "abc", ""), "");
    EXPECT_EQ(StringReplaceAll("abc", "x", "y"), "abc");
    EXPECT_EQ(StringReplaceAll("abc", "", "y"), "abc");
    EXPECT_EQ(StringReplaceAll("ab", "b", "bb"), "abb") << "replacements are not rescanned";
}

// --- File names --------------------------------------------------------------

TEST(LastDelimiter, FindsTheLastOfAnyDelimiter)
{
    EXPECT_EQ(LastDelimiter("\\:", "C:\\dir\\a"), 7u);
    EXPECT_EQ(LastDelimiter(".", "a.b.c"), 4u);
    EXPECT_EQ(LastDelimiter("\\", "abc"), 0u);
    EXPECT_EQ(LastDelimiter("", "abc"), 0u);
}

TEST(FileNames, SplitAFullPath)
{
    const std::string path = "C:\\dir\\a.b.scr";
    EXPECT_EQ(ExtractFilePath(path), "C:\\dir\\");
    EXPECT_EQ(ExtractFileName(path), "a.b.scr");
    EXPECT_EQ(ExtractFileExt(path), ".scr");
    EXPECT_EQ(ChangeFileExt(path, ".EXE"), "C:\\dir\\a.b.EXE");
    EXPECT_EQ(ChangeFileExt(path, ""), "C:\\dir\\a.b");
}

TEST(FileNames, BareNameDirectoryAndDriveRelativeForms)
{
    EXPECT_EQ(ExtractFilePath("a"), "");
    EXPECT_EQ(ExtractFileName("a"), "a");
    EXPECT_EQ(ExtractFileExt("a"), "");
    EXPECT_EQ(ChangeFileExt("a", ".txt"), "a.txt");

    EXPECT_EQ(ExtractFilePath("dir\\"), "dir\\");
    EXPECT_EQ(ExtractFileName("dir\\"), "");
    EXPECT_EQ(ExtractFileExt("dir\\"), "");

    EXPECT_EQ(ExtractFilePath("C:x"), "C:");
    EXPECT_EQ(ExtractFileName("C:x"), "x");
    EXPECT_EQ(ExtractFileExt("C:x"), "");

    EXPECT_EQ(ExtractFilePath(""), "");
    EXPECT_EQ(ExtractFileName(""), "");
}

TEST(FileNames, ExtensionComesFromTheNameOnly)
{
    EXPECT_EQ(ExtractFileExt("C:\\my.dir\\file"), "");
    EXPECT_EQ(ChangeFileExt("C:\\my.dir\\file", ".ini"), "C:\\my.dir\\file.ini");
    EXPECT_EQ(ExtractFileExt("name."), ".");
    EXPECT_EQ(ExtractFileExt(".hidden"), ".hidden");
    EXPECT_EQ(ExtractFileName("a/b"), "a/b") << "only \\ and : separate";
}

TEST(FileNames, TrailingBackslash)
{
    EXPECT_EQ(IncludeTrailingBackslash("C:\\dir"), "C:\\dir\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\dir\\"), "C:\\dir\\");
    EXPECT_EQ(IncludeTrailingBackslash(""), "\\");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\dir\\"), "C:\\dir");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\dir"), "C:\\dir");
    EXPECT_EQ(ExcludeTrailingBackslash("\\\\"), "\\") << "only one is removed";
    EXPECT_EQ(ExcludeTrailingBackslash(""), "");
}
