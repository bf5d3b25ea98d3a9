// Run-time helpers of the class library: conversions, string and file-name
// functions, rounding.
//
// Conventions shared by all of them:
//  - strings are 8-bit std::string; positions are 1-based where the name says
//    so (Pos, LastDelimiter), 0 meaning "not found";
//  - the decimal separator is always ".", whatever the locale;
//  - conversions that cannot parse their whole input raise EConvertError.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/core/Exceptions.h"

// --- Integers and Booleans -------------------------------------------------
std::string IntToStr(int64_t value);
// Decimal with optional sign, or hexadecimal with "$" or "0x"/"0X" prefix.
// Leading/trailing blanks or any junk raise EConvertError, as does overflow
// of a 32-bit int.
int StrToInt(const std::string& text);
int StrToIntDef(const std::string& text, int defaultValue);
bool TryStrToInt(const std::string& text, int& value);
int64_t StrToInt64(const std::string& text);
// "0" is False, any other integer True; "True"/"False" in any case; anything
// else raises EConvertError.
bool StrToBool(const std::string& text);
bool StrToBoolDef(const std::string& text, bool defaultValue);
// "-1" for True and "0" for False (the form the registry options use).
std::string BoolToStr(bool value);
std::string IntToHex(uint64_t value, int digits);

// --- Reals -------------------------------------------------------------------
// General format with 7 significant digits (0.1 -> "0.1", 1e7 -> "10000000",
// 1e-6 -> "1E-6", -2.5 -> "-2.5", 1.5e-5 -> "1.5E-5"); switches to exponent
// form "d.dddE[-]x" when the decimal exponent of the rounded value is below -4
// or at or above 15 (the class library's rule). Infinities and NaN give
// "INF", "-INF" and "NAN".
std::string FloatToStr(long double value);
// Accepts an optional sign, digits with "." and an optional exponent; blanks
// around the number are allowed; anything else, and a value too large for
// long double, raises EConvertError (a value too small becomes 0). The point
// is "." whatever the C locale says.
long double StrToFloat(const std::string& text);
long double StrToFloatDef(const std::string& text, long double defaultValue);
bool TryStrToFloat(const std::string& text, long double& value);

// Round to nearest with ties to even (Round(2.5) = 2, Round(3.5) = 4),
// whatever the current rounding mode.
int64_t Round(long double value);
// Truncation toward zero.
int64_t Trunc(long double value);
// Both give INT64_MIN (the processor's "integer indefinite") for NaN and for
// values outside the int64 range, as the conversion does with all
// floating-point exceptions masked.

// --- Formatting --------------------------------------------------------------
// printf-style formatting (%d %u %s %x %X %f %g %e %%, with flags, widths and
// precision). Arguments are checked at compile time by the compiler; under
// mingw-w64 the check follows the printf family that Format really calls (the
// ANSI one that C++ selects there). Reals use "." as long as the process
// keeps the "C" locale, which this program never changes.
#if defined(__MINGW32__)
#define CLASSLIB_PRINTF_CHECK __attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2)))
#else
#define CLASSLIB_PRINTF_CHECK __attribute__((format(printf, 1, 2)))
#endif
std::string Format(const char* format, ...) CLASSLIB_PRINTF_CHECK;

// --- Strings -----------------------------------------------------------------
std::string UpperCase(const std::string& text);  // ASCII letters only
std::string LowerCase(const std::string& text);
// Case-insensitive comparisons (ASCII): CompareText returns <0, 0, >0.
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
// Ordinal comparison: <0, 0, >0.
int CompareStr(const std::string& a, const std::string& b);
// Control characters and the space (every byte <= ' '), what Trim removes
// and what separates command-line parameters.
bool IsBlank(char c);
// Trim removes characters <= ' ' at both ends; TrimLeft/TrimRight at one end.
std::string Trim(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);
// 1-based position of sub in text, 0 when absent or when sub is empty.
size_t Pos(const std::string& sub, const std::string& text);
// Copy(text, index, count): 1-based substring, clamped to the text.
std::string Copy(const std::string& text, int64_t index, int64_t count);
std::string StringReplaceAll(const std::string& text, const std::string& from,
                             const std::string& to);

// --- File names (the separator is "\"; the drive's ":" also ends a directory) --
// 1-based index of the last character of text that is in delimiters, 0 if none.
size_t LastDelimiter(const std::string& delimiters, const std::string& text);
std::string ExtractFilePath(const std::string& fileName);   // up to and incl. the last "\" or ":"
std::string ExtractFileName(const std::string& fileName);   // after the last "\" or ":"
std::string ExtractFileExt(const std::string& fileName);    // from the last "." of the name, with the "."
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
std::string IncludeTrailingBackslash(const std::string& path);
std::string ExcludeTrailingBackslash(const std::string& path);
