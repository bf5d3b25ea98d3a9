#include "classlib/core/SysUtils.h"

#include <clocale>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "../../support/ExceptionMessage.h"

namespace {
constexpr auto kInf = std::numeric_limits<long double>::infinity();
constexpr auto kNaN = std::numeric_limits<long double>::quiet_NaN();
}  // namespace

TEST(StrToInt, AcceptsTheFullRangeAndRejectsJunkAndOverflow)
{
    const std::pair<const char*, int> cases[] = {{"-17", -17},
                                                 {"-2147483648", std::numeric_limits<int>::min()},
                                                 {"0XaB", 0xAB},
                                                 {"-$10", -16},
                                                 {"$FFFFFFFF", -1}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StrToInt(text), value) << text;
    for (const char* text : {"", " 1", "1\t", "12a", "+-1", "$", "0x", "2147483648", "-2147483649",
                             "99999999999999999999", "$100000000"}) {
        int value = 42;
        EXPECT_FALSE(TryStrToInt(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 42) << "a failed TryStrToInt leaves the value alone";
    }
    EXPECT_EQ(testsupport::MessageOf<EConvertError>([] { StrToInt("abc"); }), "'abc' is not a valid integer value");
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_THROW(StrToBool("True "), EConvertError);
    // Stored options are text: true is "-1", and any integer but 0 reads as true.
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_TRUE(StrToBoolDef("TRUE", false) && StrToBoolDef("12", false));
}

TEST(StrToFloat, ReadsAtLongDoublePrecisionAndRejectsMalformedText)
{
    // Written with seven significant digits, else with an exponent.
    const std::pair<long double, const char*> written[] = {
        {-0.0L, "0"}, {0.1f, "0.1"}, {123456789.0L, "123456800"}, {1e14L, "100000000000000"},
        {1e-6L, "1E-6"}, {999999999999999.0L, "1E15"}, {-kInf, "-INF"}, {kNaN, "NAN"}};
    for (const auto& [value, text] : written)
        EXPECT_EQ(FloatToStr(value), text);
    const std::pair<const char*, long double> cases[] = {
        {".5", 0.5L}, {"5.", 5.0L}, {"  42 \t", 42.0L}, {"1e-99999", 0.0L}, {"1.0000000000000000001", 1.0L + 0x1p-63L}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StrToFloat(text), value) << text;
    EXPECT_NE(StrToFloat("0.1"), static_cast<long double>(0.1)) << "not a widened double";
    for (const char* text : {"", "1.2.3", ".", "+.", "1e", "1 2", "inf", "nan", "0x10", "1e99999"}) {
        long double value = 7;
        EXPECT_FALSE(TryStrToFloat(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 7);
    }
    EXPECT_EQ(testsupport::MessageOf<EConvertError>([] { StrToFloat("1,5"); }),
              "'1,5' is not a valid floating point value");
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
    if (!german)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    long double pointValue = 0, commaValue = 0;
    const bool pointParsed = TryStrToFloat("1.5", pointValue);
    const bool commaParsed = TryStrToFloat("1,5", commaValue);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_TRUE(pointParsed);
    EXPECT_EQ(pointValue, 1.5L);
    EXPECT_FALSE(commaParsed);
}

TEST(Round, TiesGoToEvenAndUnrepresentableValuesGiveTheIndefinite)
{
    const std::pair<long double, int64_t> rounds[] = {{2.5L, 2}, {3.5L, 4}, {-2.5L, -2}, {-0.5L, 0}, {2.5001L, 3}};
    for (const auto& [value, rounded] : rounds)
        EXPECT_EQ(Round(value), rounded) << static_cast<double>(value);
    EXPECT_EQ(Trunc(-9223372036854775808.0L), std::numeric_limits<int64_t>::min());
    const int64_t indefinite = std::numeric_limits<int64_t>::min();
    EXPECT_EQ(Round(1e30L), indefinite);
    EXPECT_EQ(Trunc(9223372036854775808.0L), indefinite);
    EXPECT_EQ(Round(kNaN), indefinite);
    EXPECT_EQ(Trunc(kInf), indefinite);
}

TEST(Strings, FormatCaseTrimAndCopy)
{
    EXPECT_EQ(Format("%dx%d %5s|%08X %.2f 100%%", 1280, 1024, "ab", 0xBEEFu, 3.14159), "1280x1024    ab|0000BEEF 3.14 100%");
    const std::string longText(5000, 'q');
    EXPECT_EQ(Format("<%s>", longText.c_str()), "<" + longText + ">");

    EXPECT_EQ(UpperCase("abz_09\xe9"), "ABZ_09\xe9");  // only ASCII letters
    EXPECT_GT(CompareText("_", "a"), 0) << "'_' comes after the letters once they are upper-cased";
    EXPECT_GT(CompareText("\xe0", "z"), 0) << "bytes compare unsigned";
    EXPECT_LT(CompareText("ab", "ABC"), 0) << "a prefix sorts first";
    EXPECT_EQ(Trim("\xa0x\xa0"), "\xa0x\xa0") << "high bytes are not blanks";
    const std::tuple<int64_t, int64_t, const char*> copies[] = {
        {7, 1, ""}, {-5, 2, "ab"}, {2, -1, ""}, {3, std::numeric_limits<int64_t>::max(), "cdef"}};
    for (const auto& [index, count, result] : copies)
        EXPECT_EQ(Copy("abcdef", index, count), result) << index << "," << count;
}

TEST(FileNames, SplitPathsOnBackslashAndColonOnly)
{
    // path, directory, name, extension
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"C:\\dir\\a.b.scr", "C:\\dir\\", "a.b.scr", ".scr"}, {"C:x", "C:", "x", ""},
        {"C:\\my.dir\\file", "C:\\my.dir\\", "file", ""},    {"a/b", "", "a/b", ""}};
    for (const auto& [path, dir, name, ext] : cases) {
        EXPECT_EQ(ExtractFilePath(path), dir) << path;
        EXPECT_EQ(ExtractFileName(path), name) << path;
        EXPECT_EQ(ExtractFileExt(path), ext) << path;
    }
}
