// Test support of the skin tests: an in-memory INI made from text.
#pragma once

#include <string>

#include "classlib/core/IniFiles.h"
#include "classlib/core/StringList.h"

inline void SetIniText(TMemIniFile& ini, const std::string& text)
{
    TStringList lines;
    lines.SetText(text);
    ini.SetStrings(lines);
}
