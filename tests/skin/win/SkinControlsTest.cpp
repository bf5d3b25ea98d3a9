// The skinned button, panel and group box under Wine: looks by state from
// a test sheet, the mouse and keys, the fade, mask regions across skin
// changes and rolling up (the see-through blend, shared by every skinned
// control: SkinClassesTest).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "SkinTestSheet.h"
#include "classlib/ui/ActnList.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/ImgList.h"
#include "classlib/ui/StdCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"

namespace {

using namespace skintest;

// The test sheet (64 x 40): the button's four looks are solid colours
// (normal red, active green, down blue, disabled yellow) with 4-pixel ends
// of another shade; the panel's frame is grey around a white client.
constexpr COLORREF Red = RGB(200, 0, 0), Green = RGB(0, 200, 0), Blue = RGB(0, 0, 200), Yellow = RGB(200, 200, 0);
constexpr COLORREF Grey = RGB(90, 90, 90), White = RGB(255, 255, 255);

TDibImage Sheet()
{
    TDibImage sheet = skintest::Blank(64, 40);
    const COLORREF looks[] = {Red, Green, Blue, Yellow};
    for (int i = 0; i < 4; ++i) {
        Fill(sheet, i * 16, 0, i * 16 + 16, 8, RGB(1, 1, 1));
        Fill(sheet, i * 16 + 4, 0, i * 16 + 12, 8, looks[i]);
    }
    Fill(sheet, 0, 8, 16, 24, Grey);
    Fill(sheet, 4, 12, 12, 20, White);
    return sheet;
}

// The panel's mask (16 x 16): all inside but its top-left pixel.
TDibImage PanelMask()
{
    TDibImage mask = skintest::Blank(16, 16);
    Fill(mask, 0, 0, 1, 1, White);
    return mask;
}

// The panel's frame, shared by the three panel records.
const std::string PanelFrame = R"(skinrect=0,8,16,24
lefttoppoint=4,4
righttoppoint=12,4
leftbottompoint=4,12
rightbottompoint=12,12
)";

// The sheet's records; `groupBoxPicture` is the group box record's picture
// index.
std::string SheetText(const std::string& groupBoxPicture, bool morphing)
{
    std::string records = R"([button]
pictureindex=0
skinrect=0,0,16,8
lefttoppoint=4,0
righttoppoint=12,0
clientrect=2,1,14,7
activeskinrect=16,0,32,8
downskinrect=32,0,48,8
disabledskinrect=48,0,64,8
)";
    if (morphing)
        records += "morphing=1\n";
    records += "[panel]\npictureindex=0\nmaskpictureindex=1\ncursorindex=-1\n" + PanelFrame;
    records += "clientrect=4,4,12,12\n[groupbox]\npictureindex=" + groupBoxPicture + "\n" + PanelFrame;
    records += "clientrect=4,4,12,12\n[flat]\npictureindex=0\n" + PanelFrame + "clientrect=4,4,4,12\n";
    return skintest::ControlsSkin({"button:button", "panel:panel", "groupbox:panel", "flat:panel"}, records);
}

struct TSheetSkin : skintest::TTestSkin {
    explicit TSheetSkin(const std::string& groupBoxPicture = "0", bool morphing = false)
        : TTestSkin(SheetText(groupBoxPicture, morphing), {Sheet(), PanelMask()})
    {
    }
};

using SkinControlsTest = skintest::TFormTest;

constexpr COLORREF Ground = RGB(255, 0, 255);

// The control painted over a bitmap of at least its size filled with
// Ground; the colour at (x, y).
COLORREF PaintedOver(TControl* control, int x, int y)
{
    TBitmap bitmap;
    bitmap.SetSize(std::max(control->Width(), x + 1), std::max(control->Height(), y + 1));
    bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(Ground));
    bitmap.Canvas()->FillRect(RECT{0, 0, bitmap.Width(), bitmap.Height()});
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas()->Handle()), 0);
    return static_cast<COLORREF>(bitmap.Canvas()->Pixels(x, y));
}

// A strip of two 8 x 8 glyph cells, cyan and magenta, each with its
// bottom row black (the transparent colour, from the bottom-left pixel).
void SetTwoCells(TBitmap& glyph)
{
    TDibImage cells = skintest::Blank(16, 8);
    Fill(cells, 0, 0, 8, 7, RGB(0, 200, 200));
    Fill(cells, 8, 0, 16, 7, RGB(200, 0, 200));
    glyph.SetDib(cells);
}

// A skinned control that counts the default images it is asked to make.
class TImageProbe : public TspSkinCustomControl {
public:
    using TspSkinCustomControl::TspSkinCustomControl;
    int Made = 0;

protected:
    void CreateControlDefaultImage(TBitmap* B) override
    {
        ++Made;
        TspSkinCustomControl::CreateControlDefaultImage(B);
    }
};

// Neither the frame's grey nor the client's white of the sheet.
bool NothingOfTheSheet(COLORREF color) { return color != Grey && color != White; }

}  // namespace

// The button takes the skin's height, keeps its width, and shows each look
// from its own rectangle; a press released outside gives no click.
TEST_F(SkinControlsTest, ButtonLooksAndTheReleaseOutside)
{
    TSheetSkin skin;
    auto* button = Make<TspSkinButton>(10, 10, 60, 30, skin.Data.get());
    EXPECT_EQ(button->Width(), 60);
    EXPECT_EQ(button->Height(), 8);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };

    EXPECT_EQ(Painted(button, 30, 4), Red);
    EXPECT_EQ(Painted(button, 1, 4), RGB(1, 1, 1));  // the fixed end
    Mouse(button, WM_MOUSEMOVE, 5, 4);
    EXPECT_EQ(Painted(button, 30, 4), Green);
    Mouse(button, WM_LBUTTONDOWN, 5, 4);
    EXPECT_EQ(Painted(button, 30, 4), Blue);
    Mouse(button, WM_MOUSEMOVE, 200, 4);  // out, holding the capture
    Mouse(button, WM_LBUTTONUP, 200, 4);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(Painted(button, 30, 4), Red);

    Mouse(button, WM_MOUSEMOVE, 5, 4);
    Mouse(button, WM_LBUTTONDOWN, 5, 4);
    Mouse(button, WM_LBUTTONUP, 5, 4);
    EXPECT_EQ(clicks, 1);
    button->SetEnabled(false);
    EXPECT_EQ(Painted(button, 30, 4), Yellow);

    // The two cells centred: the second shows only while disabled.
    TBitmap glyph;
    SetTwoCells(glyph);
    button->SetGlyph(&glyph);
    EXPECT_EQ(Painted(button, 29, 3), RGB(200, 0, 200));
    EXPECT_EQ(Painted(button, 29, 7), Yellow);
    button->SetEnabled(true);
    EXPECT_EQ(Painted(button, 29, 3), RGB(0, 200, 200));
    EXPECT_EQ(Painted(button, 29, 7), Red);  // the transparent row
}

// A linked action with an image gives an empty glyph that image at the
// image list's size; a button with its own glyph keeps it.
TEST_F(SkinControlsTest, ActionImageBecomesTheEmptyGlyph)
{
    TImageList images(nullptr);
    images.SetWidth(8);
    images.SetHeight(6);
    TBitmap picture;
    TDibImage orange = skintest::Blank(8, 6);
    Fill(orange, 0, 0, 8, 6, RGB(250, 120, 0));
    picture.SetDib(orange);
    images.Add(&picture, nullptr);
    TActionList list(nullptr);
    list.SetImages(&images);
    TAction action(nullptr);
    action.SetActionList(&list);
    action.SetImageIndex(0);
    auto* plain = Make<TspSkinButton>(10, 10, 60, 30, nullptr);
    auto* own = Make<TspSkinButton>(10, 50, 60, 30, nullptr);
    TBitmap glyph;
    glyph.SetDib(skintest::Blank(4, 4));
    own->SetGlyph(&glyph);
    plain->SetAction(&action);
    own->SetAction(&action);
    EXPECT_EQ(plain->Glyph()->Width(), 8);
    EXPECT_EQ(plain->Glyph()->Height(), 6);
    EXPECT_EQ(ColorToRGB(plain->Glyph()->Canvas()->Pixels(3, 3)), RGB(250, 120, 0));
    EXPECT_EQ(own->Glyph()->Width(), 4);
}

// A grouped button clicks on the press and releases its group; with
// AllowAllUp a second click on it releases it and clicks again.
TEST_F(SkinControlsTest, GroupedButtons)
{
    TSheetSkin skin;
    auto* a = Make<TspSkinButton>(10, 10, 60, 40, skin.Data.get());
    auto* b = Make<TspSkinButton>(80, 10, 60, 40, skin.Data.get());
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    a->AllowAllUp = true;
    int clicks = 0;
    a->OnClick = [&](TObject*) { ++clicks; };
    b->SetDown(true);
    Mouse(a, WM_LBUTTONDOWN, 5, 4);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(a->Down());
    EXPECT_FALSE(b->Down());
    Mouse(a, WM_LBUTTONUP, 5, 4);
    EXPECT_TRUE(a->Down());
    Mouse(a, WM_LBUTTONDOWN, 5, 4);
    Mouse(a, WM_LBUTTONUP, 5, 4);
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(clicks, 2);
}

// The hover fade runs on the timer to exactly the active look and back;
// pressing stops it. One run uses the real 20 ms timer.
TEST_F(SkinControlsTest, ButtonFade)
{
    TSheetSkin skin("0", true);
    auto* button = Make<TspSkinButton>(10, 10, 60, 40, skin.Data.get());
    button->Perform(CM_MOUSEENTER, 0, 0);
    ASSERT_NE(button->MorphTimer(), nullptr);
    for (int tick = 0; tick < 5; ++tick)
        button->MorphTimerEvent(nullptr);
    const COLORREF halfway = Painted(button, 30, 4);
    EXPECT_TRUE(GetRValue(halfway) > 50 && GetGValue(halfway) > 50) << std::hex << halfway;
    for (int tick = 5; tick < 12; ++tick)
        button->MorphTimerEvent(nullptr);
    EXPECT_EQ(button->MorphTimer(), nullptr);
    EXPECT_EQ(Painted(button, 30, 4), Green);

    button->Perform(CM_MOUSELEAVE, 0, 0);
    const DWORD start = GetTickCount();
    while (button->MorphTimer() != nullptr && GetTickCount() - start < 2000) {
        Application->ProcessMessages();
        Sleep(5);
    }
    EXPECT_EQ(Painted(button, 30, 4), Red);

    button->Perform(CM_MOUSEENTER, 0, 0);
    button->SetDown(true);
    EXPECT_EQ(button->MorphTimer(), nullptr);
}

// Without a skin: the default look in the system's button colour; a skin
// component that goes takes the record and the pictures with it (a new
// window is not shaped by its freed mask), leaves the default look, and
// the cursor step then gives crDefault whatever index an earlier skin left.
TEST_F(SkinControlsTest, DefaultLookAndALostSkin)
{
    TSheetSkin skin;
    auto* panel = Make<TspSkinPanel>(10, 10, 60, 40, skin.Data.get());
    EXPECT_EQ(Painted(panel, 30, 20), White);
    panel->UseSkinCursor = true;
    panel->CursorIndex = 3;
    skin.Data.reset();
    EXPECT_EQ(panel->SkinData(), nullptr);
    EXPECT_EQ(panel->FIndex, -1);
    EXPECT_EQ(panel->MaskPicture, nullptr) << "nothing points into the freed skin";
    panel->RecreateWnd();  // shapes a new window from what is left
    EXPECT_EQ(InWindowRegion(panel->Handle(), 0, 0), -1);
    panel->ChangeSkinData();
    EXPECT_EQ(panel->Cursor(), crDefault);
    EXPECT_EQ(Painted(panel, 30, 20), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(panel->Picture, nullptr);

    auto* empty = Make<TspSkinPanel>(0, 0, 0, 10);
    EXPECT_EQ(PaintedOver(empty, 0, 5), Ground) << "nothing to paint";
    // Nor is an image made for it, plain or see-through (which would also
    // paint the parent): the image makers only ever get a bitmap with area.
    for (const bool seeThrough : {false, true}) {
        for (const SIZE size : {SIZE{0, 10}, SIZE{10, 0}}) {
            auto* probe = Make<TImageProbe>(0, 0, size.cx, size.cy);
            probe->SetTransparent(seeThrough);
            PaintedOver(probe, 0, 0);
            EXPECT_EQ(probe->Made, 0) << size.cx << " x " << size.cy << (seeThrough ? ", see-through" : "");
        }
    }
    auto* probe = Make<TImageProbe>(0, 0, 1, 1);
    PaintedOver(probe, 0, 0);
    EXPECT_EQ(probe->Made, 1) << "one pixel has area";
}

// The mask shapes the window; after each skin change the window still owns
// a valid region (none of its handles deleted behind its back), a region
// made meanwhile stays valid, and a skin without the mask unshapes it.
TEST_F(SkinControlsTest, MaskRegionsStayTheWindows)
{
    TSheetSkin skin;
    auto* panel = Make<TspSkinPanel>(10, 10, 40, 40, skin.Data.get());
    std::vector<HRGN> made;
    for (int change = 0; change < 3; ++change) {
        EXPECT_EQ(InWindowRegion(panel->Handle(), 0, 0), 0);  // the white mask pixel is outside
        EXPECT_EQ(InWindowRegion(panel->Handle(), 20, 20), 1);
        made.push_back(CreateRectRgn(0, 0, 5, 5));
        panel->BeforeChangeSkinData();
        panel->ChangeSkinData();
        panel->SetBounds(10, 10, 44 + change, 40);
    }
    for (HRGN region : made) {
        RECT box{};
        EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
        DeleteObject(region);
    }
    panel->SkinDataName = "groupbox";  // the same frame without a mask
    panel->ChangeSkinData();
    EXPECT_EQ(InWindowRegion(panel->Handle(), 0, 0), -1);
}

// Picture indexes outside the skin's pictures name no picture: the record
// still sizes the control and nothing is copied. A borderless panel that
// tiles an empty client area draws nothing.
TEST_F(SkinControlsTest, PictureIndexOutOfRangeAndEmptyTiles)
{
    {
        TSheetSkin skin;
        auto* flat = Make<TspSkinPanel>(10, 10, 60, 40, skin.Data.get());
        flat->SetBorderStyle(TspSkinBorderStyle::bvNone);
        flat->SkinDataName = "flat";
        flat->ChangeSkinData();
        EXPECT_EQ(flat->ResizeMode, 1);
        EXPECT_PRED1(NothingOfTheSheet, PaintedOver(flat, 5, 5)) << "an empty client tiles nothing";
        flat->SkinDataName = "groupbox";
        flat->ChangeSkinData();
        EXPECT_EQ(Painted(flat, 55, 35), White) << "the client tiled over the whole panel";
    }
    for (const char* index : {"5", "-2", "-1"}) {
        TSheetSkin skin(index);
        auto* box = Make<TspSkinGroupBox>(10, 10, 60, 40, skin.Data.get());
        box->ChangeSkinData();
        EXPECT_EQ(box->Picture, nullptr) << index;
        EXPECT_EQ(box->ResizeMode, 1);
        EXPECT_PRED1(NothingOfTheSheet, PaintedOver(box, 5, 5)) << index << ": nothing copied";
        delete box;
    }
}

// A disabled group box shows its glyph's disabled cell at once, without
// waiting for the next paint.
TEST_F(SkinControlsTest, DisablingRepaintsAtOnce)
{
    Form->Show();
    auto* box = Make<TspSkinGroupBox>(10, 10, 120, 80);
    TBitmap glyph;
    SetTwoCells(glyph);
    box->SetGlyph(&glyph);
    box->SetNumGlyphs(2);
    box->Repaint();
    const auto onScreen = [&](COLORREF color) {
        const HDC dc = GetDC(box->Handle());
        int count = 0;
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < box->Width(); ++x)
                count += GetPixel(dc, x, y) == color ? 1 : 0;
        ReleaseDC(box->Handle(), dc);
        return count;
    };
    ASSERT_GT(onScreen(RGB(0, 200, 200)), 20);
    box->SetEnabled(false);
    EXPECT_GT(onScreen(RGB(200, 0, 200)), 20);
    EXPECT_EQ(onScreen(RGB(0, 200, 200)), 0);
}

// Rolling up hides the visible children and shows exactly those again;
// setting the same state twice, a skin change while rolled and a child
// freed while hidden lose nothing and leave nothing dangling.
TEST_F(SkinControlsTest, PanelRollUp)
{
    auto* box = Make<TspSkinGroupBox>(10, 10, 120, 100);
    RECT area{0, 0, 120, 100};
    box->AdjustClientRect(area);
    EXPECT_EQ(area.top, 23);
    EXPECT_EQ(area.left, 1);
    EXPECT_EQ(area.right, 119);

    auto* shown = new TButton(Form);
    shown->SetParent(box);
    auto* hidden = new TButton(Form);
    hidden->SetParent(box);
    hidden->SetVisible(false);
    auto* freed = new TButton(Form);
    freed->SetParent(box);

    box->SetRollUpState(true);
    EXPECT_FALSE(box->RollUpState());  // without RollUpMode
    box->SetRollUpMode(true);
    box->SetRollUpState(true);
    box->SetRollUpState(true);
    EXPECT_EQ(box->Height(), 23);
    EXPECT_FALSE(shown->Visible());
    delete freed;
    box->ChangeSkinData();
    EXPECT_EQ(box->HiddenControls().size(), 1u);
    box->SetRollUpState(false);
    EXPECT_EQ(box->Height(), 100);
    EXPECT_TRUE(shown->Visible());
    EXPECT_FALSE(hidden->Visible());
    EXPECT_TRUE(box->HiddenControls().empty());
}

// Escape clicks the Cancel button and Return the Default one, also when
// they take no focus, unless a focused button keeps Return. The rest of the
// keyboard reaches a button only with CanFocused: then Enter and Space
// click it, Alt with the accelerator focuses and clicks, and a click sets
// the form's ModalResult. The default button's look by where the focus is.
TEST_F(SkinControlsTest, KeyboardOnlyWithCanFocused)
{
    TSheetSkin skin;
    auto* go = Make<TspSkinButton>(10, 10, 60, 40, skin.Data.get());
    go->SetCaption("&Go");
    go->ModalResult = mrOk;
    auto* cancel = Make<TspSkinButton>(80, 10, 60, 40, skin.Data.get());
    cancel->SetCaption("Stop");
    cancel->Cancel = true;
    cancel->ModalResult = mrCancel;
    int goClicks = 0, cancelClicks = 0;
    go->OnClick = [&](TObject*) { ++goClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    Form->Show();
    const auto key = [&](UINT msg, WPARAM code) {
        PostMessageA(GetFocus(), msg, code, 0);
        Application->ProcessMessages();
    };
    const auto keys = [&] {
        SetFocus(go->Handle());
        key(WM_KEYDOWN, VK_RETURN);
        key(WM_KEYDOWN, VK_SPACE);
        key(WM_KEYUP, VK_SPACE);
        key(WM_KEYDOWN, VK_ESCAPE);
    };

    keys();
    key(WM_SYSCHAR, 'g');
    EXPECT_EQ(goClicks, 0);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(Form->ModalResult(), mrNone);

    go->SetCanFocused(true);
    cancel->SetCanFocused(true);
    keys();
    EXPECT_EQ(goClicks, 2);
    EXPECT_EQ(cancelClicks, 2);
    EXPECT_EQ(Form->ModalResult(), mrCancel);
    SetFocus(cancel->Handle());
    key(WM_SYSCHAR, 'G');
    EXPECT_EQ(goClicks, 3);
    EXPECT_EQ(Form->ActiveControl(), go);
    EXPECT_EQ(Form->ModalResult(), mrOk);

    // A default button looks active while the focus is on a control that is
    // not a button, and normal again when a button takes it (left of the
    // captions).
    auto* panel = Make<TspSkinPanel>(150, 10, 60, 40, skin.Data.get());
    SetFocus(panel->Handle());
    go->SetDefault(true);
    go->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_EQ(Painted(go, 8, 4), Green);
    go->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(cancel));
    EXPECT_EQ(Painted(go, 8, 4), Red);
    cancel->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_EQ(Painted(cancel, 8, 4), Red) << "not a default button";
    go->SetCanFocused(false);
    go->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_EQ(Painted(go, 8, 4), Red) << "a default button that takes no focus keeps its look";
    key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(goClicks, 4);
    SetFocus(cancel->Handle());
    key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(goClicks, 4) << "the focused button keeps Return";
    EXPECT_EQ(cancelClicks, 3);
}
