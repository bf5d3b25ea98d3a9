#include <gtest/gtest.h>

#include "classlib/core/SysUtils.h"
#include "skin/core/SkinControlRecords.h"
#include "skin/core/SkinObjectRecords.h"
#include "skin/core/SkinWindowRecords.h"
#include "SkinTestSupport.h"

namespace {

const char* const RecordKeysIni =
#include "SkinRecordKeys.inc"
    ;

// The section's lines with lower-case keys, in order.
std::vector<std::string> SectionLines(const TMemIniFile& ini, const std::string& section)
{
    TStringList values;
    ini.ReadSectionValues(section, values);
    std::vector<std::string> lines;
    for (int i = 0; i < values.Count(); ++i)
        lines.push_back(LowerCase(values.Names(i)) + "=" + values.ValueFromIndex(i));
    return lines;
}

template <class Record>
std::unique_ptr<Record> Loaded(std::unique_ptr<Record> record, const std::string& text)
{
    TTextIni ini(text);
    record->LoadFromFile(ini);
    return record;
}

}  // namespace

// Every record reads each of its keys under the name the skin format gives
// it and writes them back under the same names, in declared order.
TEST(SkinRecords, EveryKeyReadsAndWritesBack)
{
    TTextIni fixture(RecordKeysIni);
    for (const std::string list : {"SKINCONTROLS", "SKINOBJECTS"}) {
        const std::vector<std::string>& keywords =
            list == "SKINCONTROLS" ? SkinControlKeywords : SkinObjectKeywords;
        ASSERT_EQ(fixture.ReadInteger(list, "count", 0), static_cast<int>(keywords.size()));
        for (int i = 0; i < static_cast<int>(keywords.size()); ++i) {
            const std::string entry = fixture.ReadString(list, std::to_string(i), "");
            const std::string name = entry.substr(0, entry.find(':'));
            ASSERT_EQ(entry.substr(entry.find(':') + 1), keywords[i]);
            TMemIniFile saved("");
            const auto roundTrip = [&](auto record) {
                record->LoadFromFile(fixture);
                record->SaveToFile(saved);
            };
            if (list == "SKINCONTROLS")
                roundTrip(CreateSkinControl(keywords[i], name));
            else
                roundTrip(CreateSkinObject(keywords[i], name));
            EXPECT_EQ(SectionLines(saved, name), SectionLines(fixture, name)) << name;
        }
    }
}

TEST(SkinRecords, ControlSpecialRules)
{
    // A picture index a skin leaves out is no picture, not the first one.
    EXPECT_EQ(Loaded(CreateSkinControl("button", "b"), "[b]\nskinrect=3,5,63,25\n")->PictureIndex, -1);

    // Up-downs never stretch: zero after loading.
    auto updown = Loaded(CreateSkinControl("updown", "u"), "[u]\nlefttoppoint=2,2\nclientrect=1,1,5,5\n");
    auto* u = dynamic_cast<TspDataSkinUpDownControl*>(updown.get());
    EXPECT_EQ(u->LeftTopPoint, TPoint{});
    EXPECT_EQ(u->ClientRect, TRect{});

    for (const auto& [text, count] : {std::pair{"0", 1}, {"-3", 1}, {"4", 4}}) {
        auto frame = Loaded(CreateSkinControl("framegauge", "f"), std::string("[f]\nframescount=") + text + "\n");
        EXPECT_EQ(dynamic_cast<TspDataSkinFrameControl*>(frame.get())->FramesCount, count) << text;
    }

    // A list box names the scroll bar records it uses unless the skin does.
    auto list = Loaded(CreateSkinControl("checklistbox", "c"), "[c]\n");
    EXPECT_EQ(dynamic_cast<TspDataSkinCheckListBox*>(list.get())->HScrollBarName, "hscrollbar");
}

TEST(SkinRecords, ObjectSpecialRules)
{
    // (A button's command word and the plain keys are proven by the round
    // trip above and the description's lookups.)
    for (const char* keyword : {"animate", "bitlabel", "trackbar"})
        EXPECT_FALSE(Loaded(CreateSkinObject(keyword, "o"), "[o]\nmorphing=1\n")->Morphing) << keyword;
    auto animate = Loaded(CreateSkinObject("animate", "a"), "[a]\n");
    EXPECT_EQ(dynamic_cast<TspDataSkinAnimate*>(animate.get())->CountFrames, 1);

    auto user = Loaded(CreateSkinObject("userobject", "u"), "[u]\nhint=tip\nactivepictureindex=2\nrollup=1\n");
    EXPECT_EQ(user->Hint, "");
    EXPECT_EQ(user->ActivePictureIndex, -1);
    EXPECT_TRUE(user->RollUp);
}

TEST(SkinRecords, PopupAndHintWindows)
{
    TTextIni ini("[POPUPWINDOW]\nwindowpictureindex=-1\nitemsrect=2,2,59,38\nscrollmarkercolor=0\n"
                 "scrollmarkeractivecolor=16777215\n"
                 "[HINTWINDOW]\nfontname=Arial\nfontheight=14\nfontstyle=\nfontcolor=16777215\n");
    TspDataSkinPopupWindow popup;
    popup.LoadFromFile(ini);
    EXPECT_EQ(popup.ItemsRect, (TRect{2, 2, 59, 38}));
    EXPECT_EQ(popup.ScrollMarkerActiveColor, 16777215);
    TspDataSkinHintWindow hint;
    hint.LoadFromFile(ini);
    EXPECT_EQ(hint.FontColor, 16777215);
    EXPECT_EQ(hint.FontStyle, 0u);

    TspDataSkinHintWindow fresh;
    TMemIniFile empty("");
    fresh.LoadFromFile(empty);
    EXPECT_EQ(fresh.FontHeight, 14);
}
