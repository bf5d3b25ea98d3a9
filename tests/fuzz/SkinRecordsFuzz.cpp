// Fuzz target: a skin description as INI text. The section check and the
// list readers run over it; then each of the first two sections is read by
// a record of every eighth keyword of both factories (which eighth, the
// section's name decides, so that across inputs every kind meets every
// section while a run stays short: about a thousand inputs a second), and
// the popup and hint windows read theirs. A control record with stretch points also drives the controls'
// geometry (resize mode, fitted sizes, moved rectangles, glyph and caption
// placement) at its own numbers and at the ends of the int range. Last, the
// whole description is read as a stored and as a compressed skin. Only the
// conversion error of a point or rectangle may escape a load. (The records'
// writing half is not fuzzed: nothing in the program writes a skin.)
//
// The geometry fed by these records (frame, object values, menu levels) is
// proven with extreme values natively, where an overflow stops the test
// (the Wild... tests of tests/skin/core).
//
// The seeds stay under 4 KB (every keyword of the factories is spread over
// all-keys-NN.ini): one larger seed raises libFuzzer's input limit to its
// size, and inputs of that size make every run several times slower.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "classlib/core/IniFiles.h"
#include "classlib/core/StringList.h"
#include "skin/controls/core/SkinControlGeometry.h"
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

// The controls' geometry at the record's numbers.
void Geometry(const TspDataSkinControl& record)
{
    const auto* custom = dynamic_cast<const TspDataSkinCustomControl*>(&record);
    if (custom == nullptr)
        return;
    TspSkinGeometry g;
    g.LTPoint = custom->LeftTopPoint;
    g.RTPoint = custom->RightTopPoint;
    g.LBPoint = custom->LeftBottomPoint;
    g.RBPoint = custom->RightBottomPoint;
    g.SkinRect = custom->SkinRect;
    g.ClRect = custom->ClientRect;
    g.ResizeMode = g.GetResizeMode();
    for (const int size : {INT_MIN, 0, g.ClRect.Right, g.SkinRect.Bottom, INT_MAX}) {
        int w = size, h = ~size;
        g.CalcSize(w, h, true);
        const TRect moved = g.MoveSkinRect(g.ClRect, w, h);
        const TspGlyphTextLayout l = CalcGlyphTextLayout(static_cast<TspButtonLayout>(size & 3), moved, w, h,
                                                         g.SkinRect.Right, g.SkinRect.Bottom, size % 3 - 1, h);
        PanelCaptionX(static_cast<TAlignment>((size >> 2) & 1), moved, l.TX, (size & 16) != 0, true);
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
    for (int s = 0; s < sections.Count() && s < 2; ++s) {
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
        const size_t eighth = std::hash<std::string>()(section) % 8;
        for (size_t k = eighth; k < SkinControlKeywords.size(); k += 8)
            Guarded([&] {
                const auto record = CreateSkinControl(SkinControlKeywords[k], section);
                record->LoadFromFile(own);
                Geometry(*record);
            });
        for (size_t k = eighth; k < SkinObjectKeywords.size(); k += 8)
            Guarded([&] { CreateSkinObject(SkinObjectKeywords[k], section)->LoadFromFile(own); });
    }
    // A list's count only decides how many keys are looked up (its bound is
    // tested natively); held low here so that a run stays short.
    for (const char* list : {"SKINAREAS", "SKINOBJECTS", "SKINCONTROLS"})
        if (ReadListCount(ini, list, "count") > 8)
            ini.WriteInteger(list, "count", 8);
    Guarded([&] { TspDataSkinPopupWindow().LoadFromFile(ini); });
    Guarded([&] { TspDataSkinHintWindow().LoadFromFile(ini); });
    Guarded([&] { TspSkinDescription().ReadStoredDescription(ini); });
    Guarded([&] { TspSkinDescription().ReadCompressedDescription(ini); });
    return 0;
}
