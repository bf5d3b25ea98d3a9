// One pass over a skin record's keys that either reads them or writes them.
//
// Every record lists its keys once, in declared order, with their kinds
// and reading defaults (its Exchange operation); reading and writing are the
// two directions of that one list, so a key can never be read under one
// spelling and written under another by accident.
#pragma once

#include <string>

#include "classlib/core/IniFiles.h"
#include "classlib/core/StringList.h"
#include "classlib/core/Types.h"
#include "skin/core/SkinEncodings.h"

class TspSkinRecordIO {
public:
    // Reading from `ini`, or writing to it, within `section`.
    TspSkinRecordIO(TCustomIniFile& ini, std::string section, bool reading)
        : FIni(ini), FSection(std::move(section)), FReading(reading)
    {
    }

    bool Reading() const { return FReading; }

    void Int(const char* key, int& value, int defaultValue = 0);
    void Color(const char* key, TColor& value) { Int(key, value, 0); }
    void Bool(const char* key, bool& value);
    void String(const char* key, std::string& value, const std::string& defaultValue = "");
    void Rect(const char* key, TRect& value);
    void Point(const char* key, TPoint& value);
    void Styles(const char* key, TFontStyles& value);
    void Align(const char* key, TAlignment& value);
    // Read with ReadStrings into a list that is cleared first, so that a
    // record read twice holds its lines once.
    void Lines(const char* key, TStrings& value);

    template <class E>
    void Word(const char* key, E& value, const TspWordList& words)
    {
        int code = value;
        WordCode(key, code, words);
        value = static_cast<E>(code);
    }

private:
    void WordCode(const char* key, int& code, const TspWordList& words);

    TCustomIniFile& FIni;
    std::string FSection;
    bool FReading;
};

// The font group "<prefix>fontname", "<prefix>fontstyle",
// "<prefix>fontheight", "<prefix>fontcolor" in that order (control records
// and the hint window); the reading defaults are "Arial", none, 14, 0.
void ExchangeFontGroup(TspSkinRecordIO& io, const std::string& prefix, std::string& name, TFontStyles& style,
                       int& height, TColor& color);
