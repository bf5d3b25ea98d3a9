// Fuzz target: a skin description as INI text. The section check and the
// list readers run over it; then each of the first four sections (each costs
// some fifty records) is read by a record of every keyword of both
// factories, and the popup and hint windows read theirs. Last, the whole
// description is read as a stored and as a compressed skin. Only the
// conversion error of a point or rectangle may escape a load. (The records'
// writing half is not fuzzed: nothing in the program writes a skin.)
//
// The geometry fed by these records (frame, object values, menu levels) is
// proven with extreme values natively, where an overflow stops the test
// (the Wild... tests of tests/skin/core).
#include <cstddef>
#include <cstdint>
#include <string>

#include "classlib/core/IniFiles.h"
#include "classlib/core/StringList.h"
#include "skin/core/SkinControlRecords.h"
#include "skin/core/SkinDescription.h"
#include "skin/core/SkinEncodings.h"
#include "skin/core/SkinObjectRecords.h"
#include "skin/core/SkinWindowRecords.h"

namespace {

// Runs a load; the conversion error of a point or rectangle is its only
// allowed failure.
template <class Load>
void Guarded(Load load)
{
    try {
        load();
    } catch (const EConvertError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TStringList lines;
    lines.SetText(std::string(reinterpret_cast<const char*>(data), size));
    TMemIniFile ini("");
    ini.SetStrings(lines);
    HasSkinSections(ini);

    TStringList sections;
    ini.ReadSections(sections);
    for (int s = 0; s < sections.Count() && s < 4; ++s) {
        const std::string section = sections.Strings(s);
        TStringList list;
        ReadStrings(ini, section, "symbols", list);
        ReadCountedStrings(ini, section, "activepictures", list);
        // A record reads only its own section: give it that one alone, so
        // that the cost of a run does not grow with the number of sections.
        TStringList values;
        ini.ReadSectionValues(section, values);
        TMemIniFile own("");
        for (int i = 0; i < values.Count(); ++i)
            own.WriteString(section, values.Names(i), values.ValueFromIndex(i));
        for (const std::string& keyword : SkinControlKeywords)
            Guarded([&] { CreateSkinControl(keyword, section)->LoadFromFile(own); });
        for (const std::string& keyword : SkinObjectKeywords)
            Guarded([&] { CreateSkinObject(keyword, section)->LoadFromFile(own); });
    }
    // A list's count only decides how many keys are looked up (its bound is
    // tested natively); held low here so that a run stays short.
    for (const char* list : {"SKINAREAS", "SKINOBJECTS", "SKINCONTROLS"})
        if (ReadListCount(ini, list, "count") > 16)
            ini.WriteInteger(list, "count", 16);
    Guarded([&] { TspDataSkinPopupWindow().LoadFromFile(ini); });
    Guarded([&] { TspDataSkinHintWindow().LoadFromFile(ini); });
    Guarded([&] { TspSkinDescription().ReadStoredDescription(ini); });
    Guarded([&] { TspSkinDescription().ReadCompressedDescription(ini); });
    return 0;
}
