// The skinned splitter and control bar under Wine: thickness and look by
// alignment and record, the bands' strips, the skinned frame only with
// SkinBevel, and a skin whose background picture index is out of range.
#include <gtest/gtest.h>

#include <windows.h>

#include "SkinTestSheet.h"
#include "skin/controls/SkinSplitterBar.h"

namespace {

using namespace skintest;

constexpr COLORREF Purple = RGB(120, 0, 160), Brown = RGB(120, 60, 0), White = RGB(255, 255, 255);
constexpr COLORREF Teal = RGB(0, 128, 128);

TDibImage Picture()
{
    TDibImage sheet = skintest::Blank(60, 40);
    Fill(sheet, 0, 0, 8, 20, Purple);
    Fill(sheet, 0, 20, 20, 40, Teal);
    Fill(sheet, 20, 0, 60, 40, Brown);
    Fill(sheet, 24, 4, 56, 36, White);
    return sheet;
}

const std::string Skin = skintest::ControlsSkin({"vsplitter:splitter", "controlbar:controlbar"}, R"([vsplitter]
pictureindex=0
skinrect=0,0,8,20
lefttoppoint=0,4
leftbottompoint=0,16
[controlbar]
pictureindex=0
skinrect=20,0,60,40
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
clientrect=4,4,36,36
itemrect=0,20,20,40
bgpictureindex=5
)");

// Records whether the splitter was opaque when it read its record.
struct TWatchedSplitter : TspSkinSplitter {
    using TspSkinSplitter::TspSkinSplitter;
    void BeforeChangeSkinData() override
    {
        OpaqueWhileReading = (ControlStyle() & csOpaque) != 0;
        TspSkinSplitter::BeforeChangeSkinData();
    }
    bool OpaqueWhileReading = false;
};

using SkinSplitterBarTest = skintest::TFormTest;

TEST_F(SkinSplitterBarTest, SplitterThicknessAndLookFollowAlignmentAndRecord)
{
    TTestSkin skin(Skin, {Picture()});
    auto* splitter = new TWatchedSplitter(Form);
    splitter->SetParent(Form);
    splitter->SetSkinData(skin.Data.get());
    EXPECT_EQ(splitter->Width(), 8);
    EXPECT_TRUE(splitter->OpaqueWhileReading) << "opaque outside painting";
    EXPECT_TRUE(Near(Painted(splitter, 4, 100), Purple)) << "stretched along its length";
    EXPECT_FALSE(splitter->OpaqueWhileReading) << "not opaque while painting";
    EXPECT_NE(splitter->ControlStyle() & csOpaque, 0u) << "opaque again after painting";
    splitter->SetAlign(alTop);
    splitter->ChangeSkinData();
    EXPECT_EQ(splitter->Height(), 20);
    splitter->SetAlign(alNone);
    EXPECT_TRUE(Near(Painted(splitter, 4, 10), static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE))))
        << "unaligned: the inherited look";
    splitter->SetAlign(alLeft);
    skin.Data.reset();
    splitter->ChangeSkinData();
    EXPECT_EQ(splitter->Width(), 10) << "DefaultSize";
}

TEST_F(SkinSplitterBarTest, ControlBarDrawsBandStripsAndTakesTheSkinFrameOnlyWithSkinBevel)
{
    TTestSkin skin(Skin, {Picture()});
    auto* bar = Make<TspSkinControlBar>(0, 0, 200, 100);
    auto* child = new TControl(bar);
    child->SetBounds(0, 0, 60, 30);
    child->SetParent(bar);
    bar->SetSkinData(skin.Data.get());
    EXPECT_EQ(bar->ClientRect().right, 200) << "no skin frame without SkinBevel";
    const RECT band = TCustomControlBar::BandRect(child);
    EXPECT_TRUE(Near(Painted(bar, band.left + 30, band.top), Teal)) << "the band's top strip";
    EXPECT_TRUE(Near(Painted(bar, band.left + 2, band.top + 15), Teal)) << "the grabber side";
    EXPECT_TRUE(Near(Painted(bar, 150, 80), White)) << "the client tiled; the background index is out of range";

    bar->SetSkinBevel(true);
    EXPECT_EQ(bar->ClientRect().right, 200 - 8);
    EXPECT_EQ(bar->ClientRect().bottom, 100 - 8);
    skin.Data.reset();
    EXPECT_EQ(bar->ClientRect().right, 200) << "the frame goes with the skin";
}

}  // namespace
