// Test support of the skin tests: an in-memory INI made from text, and
// 24-bit pictures drawn from a colour rule.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/IniFiles.h"
#include "classlib/core/StringList.h"

struct TTextIni : TMemIniFile {
    explicit TTextIni(const std::string& text) : TMemIniFile("") { SetText(text); }
    // Replaces what the INI holds with `text`.
    void SetText(const std::string& text)
    {
        TStringList lines;
        lines.SetText(text);
        SetStrings(lines);
    }
};

// A 24-bit picture whose pixel (x, y) is colour(x, y), as 0x00RRGGBB.
template <class Colour>
TDibImage Picture24(int width, int height, Colour colour)
{
    TDibImage image;
    image.Width = width;
    image.Height = height;
    image.BitCount = 24;
    image.Allocate();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int i = 0; i < 3; ++i)
                image.ScanLine(y)[3 * x + i] = static_cast<uint8_t>(static_cast<uint32_t>(colour(x, y)) >> (8 * i));
    return image;
}
