// Fuzz target: a skin description as INI text. The section check and the
// list readers run over it; then each of the first four sections (each costs
// some fifty records) is read by a record of every keyword of both
// factories, and the popup and hint windows read theirs. A record
// that loads must write itself out, and a fresh record loaded from that
// must write exactly the same again. The popup-window record and every
// menu-item record read run through the geometry of a skinned menu level
// (size, item rectangles, scrolling, arrow keys, placement). Last, the whole
// description is read as a stored and as a compressed skin. Only the
// conversion error of a point or rectangle may escape a load. The frame of
// each stored description that reads is laid out at a few sizes: every
// object placed, the client area, the hit tests at the frame's own points
// (with and without mask strips) and the objects' value logic; the client
// area and frame indexes must stay in range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

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
    TMemIniFile first("");
    record->SaveToFile(first);
    auto fresh = create(keyword, section);
    fresh->LoadFromFile(first);
    TMemIniFile second("");
    fresh->SaveToFile(second);
    if (Text(first) != Text(second))
        std::abort();
}

TDibImage Black(int w, int h)
{
    TDibImage image;
    image.Width = w;
    image.Height = h;
    image.Allocate();
    return image;
}

void RunObjectValues(const TspDataSkinObject& record)
{
    if (const auto* track = dynamic_cast<const TspDataSkinTrackBar*>(&record)) {
        const TSkinTrackBarGeometry g{track->BeginPoint, track->EndPoint, track->MinValue, track->MaxValue};
        for (const int v : {track->MinValue, track->MaxValue, 0})
            g.PositionToValue(TPoint{g.ClampToTrack(g.ValueToPosition(v).X), g.ClampToTrack(g.ValueToPosition(v).Y)});
    } else if (const auto* gauge = dynamic_cast<const TspDataSkinFrameGaugeObject*>(&record)) {
        for (const int v : {gauge->MinValue, gauge->MaxValue, 0}) {
            const int frame = FrameGaugeFrame(v, gauge->MinValue, gauge->MaxValue, gauge->CountFrames);
            if (frame < 1 || (gauge->CountFrames >= 1 && frame > gauge->CountFrames))
                std::abort();
        }
    } else if (const auto* regulator = dynamic_cast<const TspDataSkinFrameRegulatorObject*>(&record)) {
        TSkinRegulatorDrag drag{regulator->MinValue, regulator->MaxValue};
        drag.SetSteps(regulator->SkinRect.Right, regulator->CountFrames);
        drag.Move(drag.Move(regulator->MinValue, INT32_MAX), INT32_MIN);
    } else if (const auto* animate = dynamic_cast<const TspDataSkinAnimate*>(&record)) {
        TSkinAnimationState state;
        state.Running = true;
        for (int tick = 0; tick < 8; ++tick)
            state.Tick(animate->CountFrames, animate->Cycle, animate->TimerInterval);
    }
}

void RunFrame(const TspSkinDescription& skin)
{
    TSkinMaskStrips mask;
    mask.Top = Black(8, 3);
    mask.Bottom = Black(8, 3);
    mask.Left = Black(3, 8);
    mask.Right = Black(3, 8);
    const std::vector<TRect> captions{skin.MainMenuRect};
    TSkinFormState state;
    for (const auto& [pw, ph] : {std::pair{100, 60}, std::pair{1, 1}}) {
        for (const auto& [w, h] : {std::pair{pw, ph}, std::pair{pw + 50, ph + 30}, std::pair{pw / 2, ph / 2}}) {
            const TSkinFrameLayout layout = CalcSkinFrameLayout(skin, pw, ph, w, h);
            for (const auto& record : skin.ObjectList) {
                PlaceFrameObject(skin, layout, record->SkinRect);
                RunObjectValues(*record);
            }
            const TRect client = SkinNCClientRect({0, 0, w, h}, true, skin, pw, ph, 19);
            if (client.Right < client.Left || client.Bottom < client.Top)
                std::abort();
            for (const TPoint& P : {layout.NewHitTestLTPoint, layout.NewHitTestRTPoint, layout.NewHitTestLBPoint,
                                    layout.NewHitTestRBPoint, TPoint{0, 0}, TPoint{w - 1, h - 1}}) {
                SkinHitTest(layout, skin.BorderWidth, nullptr, P, state, captions);
                SkinHitTest(layout, skin.BorderWidth, &mask, P, state, captions);
                ClientAreaHitTest(layout, skin.BorderWidth, &mask, P, state, false);
            }
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
    layout.ScrollDown(true);
    layout.ItemAtPos(size.Width / 2, size.Height / 2);
    int selected = -1;
    for (int i = 0; i < 3; ++i)
        selected = layout.WalkDown(selected);
    selected = layout.WalkUp(layout.WalkUp(-1));
    const TRect workArea{0, 0, 800, 600};
    for (int mode = 0; mode < 4; ++mode)
        SkinMenuPlacement({400, 300, 420, 320}, workArea, size.Width, size.Height, size.ItemsRect.Top, mode == 1,
                          size.Scrolling, mode == 2);
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
    TspDataSkinPopupWindow popup;
    try {
        popup.LoadFromFile(ini);
        LayOutMenuLevel(popup, nullptr);
        for (int s = 0; s < sections.Count() && s < 4; ++s) {
            TspDataSkinMenuItem item(sections.Strings(s));
            try {
                item.LoadFromFile(ini);
            } catch (const EConvertError&) {
                continue;
            }
            LayOutMenuLevel(popup, &item);
        }
    } catch (const EConvertError&) {
    }
    try {
        TspDataSkinHintWindow().LoadFromFile(ini);
    } catch (const EConvertError&) {
    }
    // A list's count only decides how many keys are looked up (its bound is
    // tested natively); held low here so that a run stays short.
    for (const char* list : {"SKINAREAS", "SKINOBJECTS", "SKINCONTROLS"})
        if (ReadListCount(ini, list, "count") > 256)
            ini.WriteInteger(list, "count", 256);
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
