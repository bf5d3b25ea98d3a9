// Fuzz target: a skin description as INI text. The section check and the
// list readers run over it; then each of the first four sections (each costs
// some fifty records) is read by a record of every keyword of both
// factories, and the popup and hint windows read theirs. A record
// that loads must write itself out, and a fresh record loaded from that
// must write exactly the same again. The popup-window record and every
// menu-item record read run through the geometry of a skinned menu level
// (size, item rectangles, scrolling, arrow keys, placement). Last, the whole
// description is read as a stored and as a compressed skin. Only the
// conversion error of a point or rectangle may escape a load.
//
// The geometry runs here because its sums of skin values once overflowed:
// the frame of each stored description that reads is laid out at a few
// sizes (every object placed, the client area, the hit tests at the frame's
// own points with and without mask strips, the objects' value logic), and
// the client area must not turn negative.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "classlib/core/IniFiles.h"
#include "classlib/core/StringList.h"
#include "skin/core/SkinControlRecords.h"
#include "skin/core/SkinDescription.h"
#include "skin/core/SkinEncodings.h"
#include "skin/core/SkinFormGeometry.h"
#include "skin/core/SkinFrameObjectValues.h"
#include "skin/core/SkinMenuLayout.h"
#include "skin/core/SkinObjectRecords.h"
#include "skin/core/SkinWindowRecords.h"

namespace {

std::string Text(const TMemIniFile& ini)
{
    TStringList lines;
    ini.GetStrings(lines);
    return lines.Text();
}

template <class Create>
void RoundTrip(TMemIniFile& ini, const std::string& section, const std::string& keyword, Create create)
{
    auto record = create(keyword, section);
    try {
        record->LoadFromFile(ini);
    } catch (const EConvertError&) {
        return;
    }
    // Writing a list costs time quadratic in its lines (each new key is
    // looked up among those written before), so long lists are only read.
    if (ini.ReadInteger(section, "symbolslinecount", 0) > 1024)
        return;
    TMemIniFile first(""), second("");
    record->SaveToFile(first);
    auto fresh = create(keyword, section);
    fresh->LoadFromFile(first);
    fresh->SaveToFile(second);
    if (Text(first) != Text(second))
        std::abort();
}

void RunObjectValues(const TspDataSkinObject& record)
{
    if (const auto* track = dynamic_cast<const TspDataSkinTrackBar*>(&record)) {
        const TSkinTrackBarGeometry g{track->BeginPoint, track->EndPoint, track->MinValue, track->MaxValue};
        for (const int v : {track->MinValue, track->MaxValue})
            g.PositionToValue(g.ValueToPosition(v));
    } else if (const auto* gauge = dynamic_cast<const TspDataSkinFrameGaugeObject*>(&record)) {
        const int frame = FrameGaugeFrame(gauge->MaxValue, gauge->MinValue, gauge->MaxValue, gauge->CountFrames);
        if (frame < 1 || (gauge->CountFrames >= 1 && frame > gauge->CountFrames))
            std::abort();
    } else if (const auto* regulator = dynamic_cast<const TspDataSkinFrameRegulatorObject*>(&record)) {
        TSkinRegulatorDrag drag{regulator->MinValue, regulator->MaxValue};
        drag.SetSteps(regulator->SkinRect.Right, regulator->CountFrames);
        drag.Move(drag.Move(regulator->MinValue, INT32_MAX), INT32_MIN);
    }
}

void RunFrame(const TspSkinDescription& skin)
{
    TSkinMaskStrips mask;
    for (TDibImage* strip : {&mask.Top, &mask.Bottom, &mask.Left, &mask.Right}) {
        strip->Width = strip->Height = 8;
        strip->Allocate();
    }
    const TSkinFormState state;
    for (const int w : {100, 1, 150}) {
        const int h = w * 3 / 5;
        const TSkinFrameLayout layout = CalcSkinFrameLayout(skin, 100, 60, w, h);
        for (const auto& record : skin.ObjectList) {
            PlaceFrameObject(skin, layout, record->SkinRect);
            RunObjectValues(*record);
        }
        const TRect client = SkinNCClientRect({0, 0, w, h}, true, skin, 100, 60, 19);
        if (client.Right < client.Left || client.Bottom < client.Top)
            std::abort();
        for (const TPoint& P : {layout.NewHitTestLTPoint, layout.NewHitTestRBPoint, TPoint{w - 1, h - 1}}) {
            SkinHitTest(layout, skin.BorderWidth, nullptr, P, state, {skin.MainMenuRect});
            SkinHitTest(layout, skin.BorderWidth, &mask, P, state, {skin.MainMenuRect});
            ClientAreaHitTest(layout, skin.BorderWidth, &mask, P, state, false);
        }
    }
}

// A level of 40 items (every third a separator) in a work area of 600
// pixels, so that a level of ordinary records scrolls.
void LayOutMenuLevel(const TspDataSkinPopupWindow& popup, const TspDataSkinMenuItem* item)
{
    TspSkinMenuLevelLayout layout;
    for (int i = 0; i < 40; ++i) {
        layout.Heights.push_back(SkinMenuItemHeight(i % 3 == 1, item, 20));
        layout.Usable.push_back(i % 3 != 1);
    }
    const TspSkinMenuLevelSize size = SkinMenuLevelSize(120, 16, layout.Heights, &popup, {64, 48}, item, 600);
    layout.ItemsRect = size.ItemsRect;
    layout.Scrolling = size.Scrolling;
    layout.CalcItemRects();
    layout.ScrollUp(true);
    layout.WalkDown(layout.WalkUp(-1));
    for (const bool up : {false, true})
        SkinMenuPlacement({400, 300, 420, 320}, {0, 0, 800, 600}, size.Width, size.Height, size.ItemsRect.Top, up,
                          size.Scrolling, up);
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
            RoundTrip(own, section, keyword, CreateSkinControl);
        for (const std::string& keyword : SkinObjectKeywords)
            RoundTrip(own, section, keyword, CreateSkinObject);
    }
    // A list's count only decides how many keys are looked up (its bound is
    // tested natively); held low here so that a run stays short.
    for (const char* list : {"SKINAREAS", "SKINOBJECTS", "SKINCONTROLS"})
        if (ReadListCount(ini, list, "count") > 256)
            ini.WriteInteger(list, "count", 256);
    try {
        TspDataSkinPopupWindow popup;
        popup.LoadFromFile(ini);
        LayOutMenuLevel(popup, nullptr);
        for (int s = 0; s < sections.Count() && s < 4; ++s) {
            TspDataSkinMenuItem item(sections.Strings(s));
            try {
                item.LoadFromFile(ini);
                LayOutMenuLevel(popup, &item);
            } catch (const EConvertError&) {
            }
        }
    } catch (const EConvertError&) {
    }
    try {
        TspDataSkinHintWindow().LoadFromFile(ini);
    } catch (const EConvertError&) {
    }
    try {
        TspSkinDescription stored;
        stored.ReadStoredDescription(ini);
        RunFrame(stored);
    } catch (const EConvertError&) {
    }
    try {
        TspSkinDescription().ReadCompressedDescription(ini);
    } catch (const EConvertError&) {
    }
    return 0;
}
