// Fuzz target: INI text. Every input must parse and survive a
// write-and-parse round trip with the same sections. (The typed readers'
// conversions of a value's text are the registry-value target's.)
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "classlib/core/IniFiles.h"
#include "classlib/core/StringList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TStringList lines;
    lines.SetText(std::string(reinterpret_cast<const char*>(data), size));
    TMemIniFile ini("");
    ini.SetStrings(lines);

    TStringList sections;
    ini.ReadSections(sections);

    TStringList written;
    ini.GetStrings(written);
    TMemIniFile again("");
    again.SetStrings(written);
    TStringList sectionsAgain;
    again.ReadSections(sectionsAgain);
    if (sectionsAgain.Count() != sections.Count())
        abort();
    return 0;
}
