// The skinned tab control under Wine: the look of each tab state from a
// test skin and the skinned up-down in place of the native one. (Nothing in
// the program places a tab or page control; the page area's offsets and the
// page control's erasing are left untested, its skinned and plain looks to
// the gallery of skinned controls.)
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "../../support/RealInput.h"
#include "SkinTestSheet.h"
#include "classlib/graphics/Colors.h"
#include "classlib/ui/ImgList.h"
#include "classlib/ui/StdCtrls.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinViews.h"

namespace {

using namespace skintest;

constexpr COLORREF Plain = RGB(200, 0, 0), Active = RGB(0, 200, 0), Focus = RGB(0, 0, 200);
constexpr COLORREF Hot = RGB(200, 200, 0), Frame = RGB(90, 90, 90);

const std::string Skin = skintest::ControlsSkin({"tab:tab"}, R"([tab]
pictureindex=0
skinrect=0,20,40,60
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
clientrect=3,5,37,36
tabrect=0,0,20,20
activetabrect=20,0,40,20
focustabrect=40,0,60,20
mouseintabrect=60,0,80,20
tableftoffset=2
tabrightoffset=2
)");

TDibImage Picture()
{
    TDibImage sheet = skintest::Blank(80, 60);
    const COLORREF looks[] = {Plain, Active, Focus, Hot};
    for (int i = 0; i < 4; ++i)
        Fill(sheet, i * 20, 0, i * 20 + 20, 20, looks[i]);
    Fill(sheet, 0, 20, 40, 60, Frame);
    return sheet;
}

class SkinTabsTest : public skintest::TFormTest {
protected:
    SkinTabsTest() : TFormTest(true) {}

    template <class T>
    T* Make(int width, int tabs)
    {
        auto* control = TFormTest::Make<T>(10, 10, width, 150);
        for (int i = 0; i < tabs; ++i)
            control->Tabs()->Add("Tab " + std::to_string(i));
        control->SetTabHeight(20);
        return control;
    }

    static POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
};

TEST_F(SkinTabsTest, EachTabStateTakesItsOwnLookAndTheActiveTabIsNeverHot)
{
    TTestSkin skin(Skin, {Picture()});
    auto* tabs = Make<TspSkinTabControl>(300, 3);
    tabs->SetSkinData(skin.Data.get());
    tabs->SetTabIndex(0);
    const POINT first = Centre(tabs->TabRect(0)), second = Centre(tabs->TabRect(1));
    EXPECT_TRUE(Near(Painted(tabs, first.x, first.y + 6), Active));
    EXPECT_TRUE(Near(Painted(tabs, second.x, second.y + 6), Plain));
    SendMessageA(tabs->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(second.x, second.y));
    EXPECT_TRUE(Near(Painted(tabs, second.x, second.y + 6), Hot));
    SendMessageA(tabs->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(first.x, first.y));
    EXPECT_EQ(tabs->HotTab(), 0);
    EXPECT_TRUE(Near(Painted(tabs, first.x, first.y + 6), Active)) << "the active tab keeps its look";
    tabs->SetFocus();
    EXPECT_TRUE(Near(Painted(tabs, first.x, first.y + 6), Focus));
}

// A page control draws each tab's image as its own page is: enabled or
// embossed, whatever the control's own state.
TEST_F(SkinTabsTest, ATabsImageFollowsItsOwnPage)
{
    auto* pages = TFormTest::Make<TspSkinPageControl>(10, 10, 300, 150);
    TImageList images(nullptr);
    TBitmap picture;
    picture.SetSize(16, 16);
    picture.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(0, 0, 255)));
    picture.Canvas()->FillRect(RECT{0, 0, 16, 16});
    ASSERT_EQ(images.Add(&picture, nullptr), 0);
    pages->SetImages(&images);
    for (int i = 0; i < 2; ++i) {
        auto* sheet = new TTabSheet(Form);
        sheet->SetPageControl(pages);
        sheet->SetCaption("Page");
        sheet->SetImageIndex(0);
    }
    pages->Pages(1)->SetEnabled(false);
    const auto blueIn = [&](int tab) {
        TBitmap bitmap;
        bitmap.SetSize(pages->Width(), pages->Height());
        pages->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas()->Handle()), 0);
        const RECT r = pages->TabRect(tab);
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += static_cast<COLORREF>(bitmap.Canvas()->Pixels(x, y)) == RGB(0, 0, 255) ? 1 : 0;
        return count;
    };
    EXPECT_GT(blueIn(0), 100);
    EXPECT_EQ(blueIn(1), 0) << "the disabled page's image is embossed";
    pages->SetEnabled(false);
    EXPECT_GT(blueIn(0), 100) << "the enabled page's image, in a disabled control";
    pages->SetImages(nullptr);
}

// A label placed on the control is painted over its page area.
TEST_F(SkinTabsTest, WindowlessChildrenShow)
{
    auto* tabs = Make<TspSkinTabControl>(300, 3);
    auto* label = new TLabel(Form);
    label->SetParent(tabs);
    label->SetAutoSize(false);
    label->SetBounds(40, 60, 50, 20);
    label->SetColor(clLime);
    EXPECT_TRUE(Near(Painted(tabs, 65, 70), RGB(0, 255, 0)));
    EXPECT_TRUE(Near(Painted(tabs, 150, 120), GetSysColor(COLOR_BTNFACE))) << "the plain look around it";
}

// A header record without a pressed look draws a pressed section in its
// normal one (the frame's grey), not in the plain face.
TEST_F(SkinTabsTest, PressedHeaderSectionFallsBackToTheNormalLook)
{
    TTestSkin skin(skintest::HeaderSkin(), {Picture()});
    auto* header = TFormTest::Make<TspSkinHeaderControl>(10, 10, 200, 40, skin.Data.get());
    header->Sections()->Add()->SetWidth(100);
    Mouse(header, WM_LBUTTONDOWN, 50, 20);
    ASSERT_EQ(header->PressedSection(), 0);
    EXPECT_TRUE(Near(Painted(header, 95, 2), Frame));
}

// Real moves light the section under the pointer, and leaving the header
// puts it out; the section's look follows.
TEST_F(SkinTabsTest, TheHeadersHotSectionFollowsTheRealPointer)
{
    SetForegroundWindow(Form->Handle());
    auto* header = TFormTest::Make<TspSkinHeaderControl>(10, 10, 200, 40);
    header->Sections()->Add()->SetWidth(100);
    header->Sections()->Add()->SetWidth(100);
    const auto moveTo = [&](int x, int y, int hot) {
        testsupport::MouseAt(header->ClientToScreen(POINT{x, y}));
        return PumpUntil([&] { return header->HotSection() == hot; });
    };
    EXPECT_TRUE(moveTo(150, 20, 1));
    EXPECT_TRUE(Near(Painted(header, 150, 20), RGB(0xB6, 0xBD, 0xD2))) << "the hot face";
    EXPECT_TRUE(Near(Painted(header, 50, 20), GetSysColor(COLOR_BTNFACE)));
    EXPECT_TRUE(moveTo(50, 20, 0));
    EXPECT_TRUE(moveTo(100, 100, -1)) << "off the header, on the form";
    EXPECT_TRUE(Near(Painted(header, 50, 20), GetSysColor(COLOR_BTNFACE)));
    testsupport::MouseAt(POINT{0, 0});
}

TEST_F(SkinTabsTest, OverflowingTabsScrollWithTheSkinnedUpDown)
{
    auto* tabs = Make<TspSkinTabControl>(150, 12);
    tabs->CheckTabScrolling();
    EXPECT_EQ(FindWindowExA(tabs->Handle(), nullptr, UPDOWN_CLASSA, nullptr), nullptr) << "the native one is gone";
    TspSkinUpDown* updown = tabs->UpDown();
    ASSERT_NE(updown, nullptr);
    EXPECT_GT(updown->Max(), 5);
    EXPECT_EQ(updown->Position(), 0);
    const int before = tabs->TabRect(1).left;
    updown->SetPosition(1);
    EXPECT_LT(tabs->TabRect(1).left, before) << "the row scrolled";
    EXPECT_EQ(tabs->TabRect(0).right, 0) << "the first tab out of sight";
}

}  // namespace
