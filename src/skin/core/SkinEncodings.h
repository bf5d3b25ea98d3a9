// The value encodings of skin descriptions: how every value a skin record
// holds is read from and written to the description's INI text, the word
// lists of the skin format's enumerations, and the check that tells a skin
// description from any other INI text.
//
// All functions are stateless and take the INI content, the section and the
// key. Section and key names are matched as the INI content matches them
// (TMemIniFile: without regard to case); enumeration words are matched
// exactly, letter case included.
//
// Points ("x,y") and rectangles ("left,top,right,bottom") are parsed by
// walking the text: "," ends a piece, and only the digits 0-9 are kept, so
// signs, blanks, letters and decimal points vanish ("-5,3" reads (5, 3),
// "1.5,2" reads (15, 2)). Each piece goes through the strict StrToInt, so a
// piece left empty (too few commas, ",," or no digits) or beyond 32 bits
// raises EConvertError "'<piece>' is not a valid integer value". Pieces after
// the second (point) or fourth (rectangle) are ignored and never converted.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/core/IniFiles.h"
#include "classlib/core/StringList.h"
#include "classlib/core/Types.h"

enum TspMorphKind : uint8_t {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush,
};

enum TspInactiveEffect : uint8_t {
    ieBrightness,
    ieDarkness,
    ieGrayScale,
    ieNoise,
    ieSplitBlur,
    ieInvert,
};

enum TspFramesPlacement : uint8_t { fpHorizontal, fpVertical };

enum TspRegulatorKind : uint8_t { rkRound, rkHorizontal, rkVertical };

enum TspGaugeKind : uint8_t { gkHorizontal, gkVertical };

enum TspStdCommand : uint8_t { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp };

// The words of one enumeration, indexed by code. Reading gives the code of
// the word found, `Unknown` for any other text; a missing key reads
// `Missing`'s word. Writing gives the code's word, and the word of
// `Unknown` for a code outside the list.
struct TspWordList {
    const char* const* Words;
    int Count;
    int Missing;
    int Unknown;

    int CodeOf(const std::string& word) const;
    std::string WordOf(int code) const;
};

extern const TspWordList MorphKindWords;        // missing "mkdefault", unknown 0
extern const TspWordList InactiveEffectWords;   // missing "iebrightness", unknown 0
extern const TspWordList FramesPlacementWords;  // missing "fphorizontal", unknown 1
extern const TspWordList RegulatorKindWords;    // missing "rkround", unknown 2
extern const TspWordList GaugeKindWords;        // missing "gkhorizontal", unknown 1
extern const TspWordList StdCommandWords;       // missing "cmdefault", unknown 5

// Missing keys read "0,0,0,0" / "0,0".
TRect ReadRect(const TCustomIniFile& ini, const std::string& section, const std::string& key);
TPoint ReadPoint(const TCustomIniFile& ini, const std::string& section, const std::string& key);
// The rectangle encoding of a text that is not a key's whole value (an
// area entry's part after its name).
TRect TextToRect(const std::string& text);
// True exactly when the integer reading (default 0) is 1.
bool ReadBoolean(const TCustomIniFile& ini, const std::string& section, const std::string& key);
// Each of "fsbold", "fsitalic", "fsunderline", "fsstrikeout" found anywhere
// in the text (case-sensitive) sets its style.
TFontStyles ReadFontStyles(const TCustomIniFile& ini, const std::string& section, const std::string& key);
// "tacenter" (also when missing) and "taleftjustify"; any other text is
// taRightJustify.
TAlignment ReadAlignment(const TCustomIniFile& ini, const std::string& section, const std::string& key);
TspMorphKind ReadMorphKind(const TCustomIniFile& ini, const std::string& section, const std::string& key);
TspInactiveEffect ReadInactiveEffect(const TCustomIniFile& ini, const std::string& section,
                                     const std::string& key);
// The code of the word under key by the list (see TspWordList).
int ReadWord(const TCustomIniFile& ini, const std::string& section, const std::string& key,
             const TspWordList& words);

// Lists: neither reader clears `list`. ReadStrings reads key + "linecount"
// lines under key + "line0", key + "line1" ...; ReadCountedStrings reads
// key + "count" lines under "0", "1" .... Missing lines add empty strings;
// a count below 1 adds nothing, and at most SkinListLimit lines are read
// whatever the count says (a count is text from outside and must not decide
// how much memory is taken).
constexpr int SkinListLimit = 65536;
void ReadStrings(const TCustomIniFile& ini, const std::string& section, const std::string& key,
                 TStrings& list);
void ReadCountedStrings(const TCustomIniFile& ini, const std::string& section, const std::string& key,
                        TStrings& list);
// The count under key, clamped to 0..SkinListLimit: how many entries a list
// or a counted section ([SKINOBJECTS] "count" ...) has to be read.
int ReadListCount(const TCustomIniFile& ini, const std::string& section, const std::string& key);

void WriteRect(TCustomIniFile& ini, const std::string& section, const std::string& key, const TRect& value);
void WritePoint(TCustomIniFile& ini, const std::string& section, const std::string& key, const TPoint& value);
void WriteBoolean(TCustomIniFile& ini, const std::string& section, const std::string& key, bool value);
void WriteFontStyles(TCustomIniFile& ini, const std::string& section, const std::string& key,
                     TFontStyles value);
void WriteAlignment(TCustomIniFile& ini, const std::string& section, const std::string& key,
                    TAlignment value);
void WriteMorphKind(TCustomIniFile& ini, const std::string& section, const std::string& key,
                    TspMorphKind value);
void WriteInactiveEffect(TCustomIniFile& ini, const std::string& section, const std::string& key,
                         TspInactiveEffect value);
void WriteWord(TCustomIniFile& ini, const std::string& section, const std::string& key, int code,
               const TspWordList& words);
// key + "linecount", then key + "line" + i for each line.
void WriteStrings(TCustomIniFile& ini, const std::string& section, const std::string& key,
                  const TStrings& list);

// True when [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS] and
// [SKINCONTROLS] all exist (hold at least one key), tested in that order.
bool HasSkinSections(const TCustomIniFile& ini);
