#include "skin/core/SkinEncodings.h"

#include <algorithm>
#include <array>

#include "classlib/core/SysUtils.h"

namespace {

constexpr const char* MorphKindNames[] = {"mkdefault",   "mkgradient",   "mkleftgradient", "mkrightgradient",
                                          "mkleftslide", "mkrightslide", "mkpush"};
constexpr const char* InactiveEffectNames[] = {"iebrightness", "iedarkness",  "iegrayscale",
                                               "ienoise",      "iesplitblur", "ieinvert"};
constexpr const char* FramesPlacementNames[] = {"fphorizontal", "fpvertical"};
constexpr const char* RegulatorKindNames[] = {"rkround", "rkhorizontal", "rkvertical"};
constexpr const char* GaugeKindNames[] = {"gkhorizontal", "gkvertical"};
constexpr const char* StdCommandNames[] = {"cmclose", "cmmaximize", "cmminimize",
                                           "cmsysmenu", "cmdefault", "cmrollup"};

template <size_t N>
constexpr TspWordList List(const char* const (&words)[N], int missing, int unknown)
{
    return TspWordList{words, static_cast<int>(N), missing, unknown};
}

// The pieces of a point or rectangle text, converted in order.
template <size_t N>
std::array<int, N> ParsePieces(const std::string& text)
{
    std::array<std::string, N> pieces;
    size_t piece = 0;
    std::string digits;
    for (char c : text) {
        if (c == ',') {
            if (piece < N)
                pieces[piece] = digits;
            digits.clear();
            ++piece;
        } else if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    if (piece < N)
        pieces[piece] = digits;
    std::array<int, N> values{};
    for (size_t i = 0; i < N; ++i)
        values[i] = StrToInt(pieces[i]);
    return values;
}

constexpr struct {
    const char* Word;
    TFontStyles Style;
} StyleWords[] = {{"fsbold", fsBold}, {"fsitalic", fsItalic}, {"fsunderline", fsUnderline}, {"fsstrikeout", fsStrikeOut}};

}  // namespace

const TspWordList MorphKindWords = List(MorphKindNames, mkDefault, mkDefault);
const TspWordList InactiveEffectWords = List(InactiveEffectNames, ieBrightness, ieBrightness);
const TspWordList FramesPlacementWords = List(FramesPlacementNames, fpHorizontal, fpVertical);
const TspWordList RegulatorKindWords = List(RegulatorKindNames, rkRound, rkVertical);
const TspWordList GaugeKindWords = List(GaugeKindNames, gkHorizontal, gkVertical);
const TspWordList StdCommandWords = List(StdCommandNames, cmDefault, cmRollUp);

int TspWordList::CodeOf(const std::string& word) const
{
    for (int i = 0; i < Count; ++i)
        if (word == Words[i])
            return i;
    return Unknown;
}

std::string TspWordList::WordOf(int code) const
{
    return Words[code >= 0 && code < Count ? code : Unknown];
}

TRect TextToRect(const std::string& text)
{
    const auto v = ParsePieces<4>(text);
    return TRect{v[0], v[1], v[2], v[3]};
}

TRect ReadRect(const TCustomIniFile& ini, const std::string& section, const std::string& key)
{
    return TextToRect(ini.ReadString(section, key, "0,0,0,0"));
}

TPoint ReadPoint(const TCustomIniFile& ini, const std::string& section, const std::string& key)
{
    const auto v = ParsePieces<2>(ini.ReadString(section, key, "0,0"));
    return TPoint{v[0], v[1]};
}

bool ReadBoolean(const TCustomIniFile& ini, const std::string& section, const std::string& key)
{
    return ini.ReadInteger(section, key, 0) == 1;
}

TFontStyles ReadFontStyles(const TCustomIniFile& ini, const std::string& section, const std::string& key)
{
    const std::string text = ini.ReadString(section, key, "");
    TFontStyles styles = 0;
    for (const auto& entry : StyleWords)
        if (text.find(entry.Word) != std::string::npos)
            styles |= entry.Style;
    return styles;
}

TAlignment ReadAlignment(const TCustomIniFile& ini, const std::string& section, const std::string& key)
{
    const std::string text = ini.ReadString(section, key, "tacenter");
    if (text == "tacenter")
        return taCenter;
    if (text == "taleftjustify")
        return taLeftJustify;
    return taRightJustify;
}

int ReadWord(const TCustomIniFile& ini, const std::string& section, const std::string& key,
             const TspWordList& words)
{
    return words.CodeOf(ini.ReadString(section, key, words.Words[words.Missing]));
}

TspMorphKind ReadMorphKind(const TCustomIniFile& ini, const std::string& section, const std::string& key)
{
    return static_cast<TspMorphKind>(ReadWord(ini, section, key, MorphKindWords));
}

TspInactiveEffect ReadInactiveEffect(const TCustomIniFile& ini, const std::string& section,
                                     const std::string& key)
{
    return static_cast<TspInactiveEffect>(ReadWord(ini, section, key, InactiveEffectWords));
}

int ReadListCount(const TCustomIniFile& ini, const std::string& section, const std::string& key)
{
    return std::clamp(ini.ReadInteger(section, key, 0), 0, SkinListLimit);
}

void ReadStrings(const TCustomIniFile& ini, const std::string& section, const std::string& key,
                 TStrings& list)
{
    const int count = ReadListCount(ini, section, key + "linecount");
    for (int i = 0; i < count; ++i)
        list.Add(ini.ReadString(section, key + "line" + std::to_string(i), ""));
}

void ReadCountedStrings(const TCustomIniFile& ini, const std::string& section, const std::string& key,
                        TStrings& list)
{
    const int count = ReadListCount(ini, section, key + "count");
    for (int i = 0; i < count; ++i)
        list.Add(ini.ReadString(section, std::to_string(i), ""));
}

void WriteRect(TCustomIniFile& ini, const std::string& section, const std::string& key, const TRect& value)
{
    ini.WriteString(section, key,
                    Format("%d,%d,%d,%d", value.Left, value.Top, value.Right, value.Bottom));
}

void WritePoint(TCustomIniFile& ini, const std::string& section, const std::string& key, const TPoint& value)
{
    ini.WriteString(section, key, Format("%d,%d", value.X, value.Y));
}

void WriteBoolean(TCustomIniFile& ini, const std::string& section, const std::string& key, bool value)
{
    ini.WriteInteger(section, key, value ? 1 : 0);
}

void WriteFontStyles(TCustomIniFile& ini, const std::string& section, const std::string& key,
                     TFontStyles value)
{
    std::string text;
    for (const auto& entry : StyleWords)
        if (value & entry.Style)
            text += (text.empty() ? "" : ",") + std::string(entry.Word);
    ini.WriteString(section, key, text);
}

void WriteAlignment(TCustomIniFile& ini, const std::string& section, const std::string& key,
                    TAlignment value)
{
    ini.WriteString(section, key,
                    value == taCenter ? "tacenter" : value == taLeftJustify ? "taleftjustify" : "tarightjustify");
}

void WriteWord(TCustomIniFile& ini, const std::string& section, const std::string& key, int code,
               const TspWordList& words)
{
    ini.WriteString(section, key, words.WordOf(code));
}

void WriteMorphKind(TCustomIniFile& ini, const std::string& section, const std::string& key,
                    TspMorphKind value)
{
    WriteWord(ini, section, key, value, MorphKindWords);
}

void WriteInactiveEffect(TCustomIniFile& ini, const std::string& section, const std::string& key,
                         TspInactiveEffect value)
{
    WriteWord(ini, section, key, value, InactiveEffectWords);
}

void WriteStrings(TCustomIniFile& ini, const std::string& section, const std::string& key,
                  const TStrings& list)
{
    ini.WriteInteger(section, key + "linecount", list.Count());
    for (int i = 0; i < list.Count(); ++i)
        ini.WriteString(section, key + "line" + std::to_string(i), list.Strings(i));
}

bool HasSkinSections(const TCustomIniFile& ini)
{
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.SectionExists(section))
            return false;
    return true;
}
