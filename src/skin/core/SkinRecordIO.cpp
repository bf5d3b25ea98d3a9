#include "skin/core/SkinRecordIO.h"

void TspSkinRecordIO::Int(const char* key, int& value, int defaultValue)
{
    if (FReading)
        value = FIni.ReadInteger(FSection, key, defaultValue);
    else
        FIni.WriteInteger(FSection, key, value);
}

void TspSkinRecordIO::Bool(const char* key, bool& value)
{
    if (FReading)
        value = ReadBoolean(FIni, FSection, key);
    else
        WriteBoolean(FIni, FSection, key, value);
}

void TspSkinRecordIO::String(const char* key, std::string& value, const std::string& defaultValue)
{
    if (FReading)
        value = FIni.ReadString(FSection, key, defaultValue);
    else
        FIni.WriteString(FSection, key, value);
}

void TspSkinRecordIO::Rect(const char* key, TRect& value)
{
    if (FReading)
        value = ReadRect(FIni, FSection, key);
    else
        WriteRect(FIni, FSection, key, value);
}

void TspSkinRecordIO::Point(const char* key, TPoint& value)
{
    if (FReading)
        value = ReadPoint(FIni, FSection, key);
    else
        WritePoint(FIni, FSection, key, value);
}

void TspSkinRecordIO::Styles(const char* key, TFontStyles& value)
{
    if (FReading)
        value = ReadFontStyles(FIni, FSection, key);
    else
        WriteFontStyles(FIni, FSection, key, value);
}

void TspSkinRecordIO::Align(const char* key, TAlignment& value)
{
    if (FReading)
        value = ReadAlignment(FIni, FSection, key);
    else
        WriteAlignment(FIni, FSection, key, value);
}

void TspSkinRecordIO::Lines(const char* key, TStrings& value)
{
    if (FReading) {
        value.Clear();
        ReadStrings(FIni, FSection, key, value);
    } else {
        WriteStrings(FIni, FSection, key, value);
    }
}

void TspSkinRecordIO::WordCode(const char* key, int& code, const TspWordList& words)
{
    if (FReading)
        code = ReadWord(FIni, FSection, key, words);
    else
        WriteWord(FIni, FSection, key, code, words);
}

void ExchangeFontGroup(TspSkinRecordIO& io, const std::string& prefix, std::string& name, TFontStyles& style,
                       int& height, TColor& color)
{
    io.String((prefix + "fontname").c_str(), name, "Arial");
    io.Styles((prefix + "fontstyle").c_str(), style);
    io.Int((prefix + "fontheight").c_str(), height, 14);
    io.Color((prefix + "fontcolor").c_str(), color);
}
