// Fuzz target: INI text. Every input must parse; what it holds must read
// back through every typed reader and survive a write-and-parse round trip
// with the same sections.
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
    for (int i = 0; i < sections.Count(); ++i) {
        TStringList keys;
        ini.ReadSection(sections.Strings(i), keys);
        for (int k = 0; k < keys.Count(); ++k) {
            ini.ReadInteger(sections.Strings(i), keys.Strings(k), 0);
            ini.ReadBool(sections.Strings(i), keys.Strings(k), false);
            ini.ReadFloat(sections.Strings(i), keys.Strings(k), 0);
        }
    }

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
