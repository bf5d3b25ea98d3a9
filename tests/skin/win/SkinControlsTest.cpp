#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "classlib/core/IniFiles.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/StdCtrls.h"
#include "skin/SkinData.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"

namespace {

// The test sheet (64 x 40): the button's four looks are solid colours
// (normal red, active green, down blue, disabled yellow) with 4-pixel ends
// of another shade; the panel's frame is grey around a white client.
constexpr COLORREF Red = RGB(200, 0, 0), Green = RGB(0, 200, 0), Blue = RGB(0, 0, 200), Yellow = RGB(200, 200, 0);
constexpr COLORREF Grey = RGB(90, 90, 90), White = RGB(255, 255, 255), Parent = RGB(10, 20, 30);

void Fill(TDibImage& image, int l, int t, int r, int b, COLORREF c)
{
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x) {
            uint8_t* p = image.ScanLine(y) + x * 3;
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
}

TDibImage Sheet()
{
    TDibImage sheet;
    sheet.Width = 64;
    sheet.Height = 40;
    sheet.Allocate();
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
    TDibImage mask;
    mask.Width = 16;
    mask.Height = 16;
    mask.Allocate();
    Fill(mask, 0, 0, 1, 1, White);
    return mask;
}

const char* const SheetSkin = R"([VERSION]
skinname=sheet
[PICTURES]
activepicturescount=2
[FORMINFO]
bgpictureindex=-1
[SKINOBJECTS]
count=0
[SKINCONTROLS]
count=4
0=button:button
1=panel:panel
2=groupbox:panel
3=flat:panel
[button]
pictureindex=0
skinrect=0,0,16,8
lefttoppoint=4,0
righttoppoint=12,0
clientrect=2,1,14,7
activeskinrect=16,0,32,8
downskinrect=32,0,48,8
disabledskinrect=48,0,64,8
[panel]
pictureindex=0
maskpictureindex=1
cursorindex=-1
skinrect=0,8,16,24
lefttoppoint=4,4
righttoppoint=12,4
leftbottompoint=4,12
rightbottompoint=12,12
clientrect=4,4,12,12
[groupbox]
pictureindex=%PICTURE%
skinrect=0,8,16,24
lefttoppoint=4,4
righttoppoint=12,4
leftbottompoint=4,12
rightbottompoint=12,12
clientrect=4,4,12,12
[flat]
pictureindex=0
skinrect=0,8,16,24
lefttoppoint=4,4
righttoppoint=12,4
leftbottompoint=4,12
rightbottompoint=12,12
clientrect=4,4,4,12
)";

// A skin data component loaded with the sheet; `groupBoxPicture` is the
// group box record's picture index.
struct TSheetSkin {
    std::unique_ptr<TspStoredSkin> Stored = std::make_unique<TspStoredSkin>(nullptr);
    std::unique_ptr<TspSkinData> Data = std::make_unique<TspSkinData>(nullptr);

    explicit TSheetSkin(const std::string& groupBoxPicture = "0", bool morphing = false) { Load(groupBoxPicture, morphing); }
    void Load(const std::string& groupBoxPicture = "0", bool morphing = false)
    {
        std::string text = SheetSkin;
        text.replace(text.find("%PICTURE%"), 9, groupBoxPicture);
        if (morphing)
            text += "[button]\nmorphing=1\n";
        TStringList lines;
        lines.SetText(text);
        Stored->SetIniStrings(lines);
        TspSkinPictures pictures;
        pictures.ActivePictures = {Sheet(), PanelMask()};
        TMemoryStream stream;
        WriteSkinPictures(stream, pictures);
        stream.SetPosition(0);
        Stored->ReadPictures(stream);
        Data->SetStoredSkin(nullptr);
        Data->SetStoredSkin(Stored.get());
    }
};

// A form of the parent colour holding the controls under test.
class SkinControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetColor(static_cast<TColor>(Parent));
        Form->SetBounds(0, 0, 300, 200);
        Form->HandleNeeded();
    }
    void TearDown() override { delete Form; }

    template <class T>
    T* Make(TspSkinData* skin, int left = 10, int top = 10, int width = 60, int height = 40)
    {
        auto* control = new T(Form);
        control->SetParent(Form);
        control->SetBounds(left, top, width, height);
        control->SetSkinData(skin);
        control->HandleNeeded();
        return control;
    }

    // The control painted on a bitmap of its size; the colour at (x, y).
    static COLORREF Painted(TWinControl* control, int x, int y)
    {
        TBitmap bitmap;
        bitmap.SetSize(control->Width(), control->Height());
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas()->Handle()), 0);
        return static_cast<COLORREF>(bitmap.Canvas()->Pixels(x, y));
    }

    static void Mouse(TWinControl* control, UINT msg, int x, int y)
    {
        SendMessageA(control->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    }

    TForm* Form = nullptr;
};

bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 2 && std::abs(GetGValue(a) - GetGValue(b)) <= 2 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 2;
}

}  // namespace

// The button takes the skin's height, keeps its width, and shows each look
// from its own rectangle; a press released outside gives no click.
TEST_F(SkinControlsTest, ButtonLooksAndTheReleaseOutside)
{
    TSheetSkin skin;
    auto* button = Make<TspSkinButton>(skin.Data.get(), 10, 10, 60, 30);
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

    // A strip of two glyph cells (cyan, magenta; black is transparent),
    // centred: the second cell shows only while disabled. Each cell leaves
    // out its bottom-left colour (black).
    TBitmap glyph;
    TDibImage cells;
    cells.Width = 16;
    cells.Height = 8;
    cells.Allocate();
    Fill(cells, 0, 0, 8, 7, RGB(0, 200, 200));
    Fill(cells, 8, 0, 16, 7, RGB(200, 0, 200));
    glyph.SetDib(cells);
    button->SetGlyph(&glyph);
    EXPECT_EQ(Painted(button, 29, 3), RGB(200, 0, 200));
    EXPECT_EQ(Painted(button, 29, 7), Yellow);
    button->SetEnabled(true);
    EXPECT_EQ(Painted(button, 29, 3), RGB(0, 200, 200));
    EXPECT_EQ(Painted(button, 29, 7), Red);  // the transparent row
}

// A grouped button clicks on the press and releases its group; with
// AllowAllUp a second click on it releases it and clicks again.
TEST_F(SkinControlsTest, GroupedButtons)
{
    TSheetSkin skin;
    auto* a = Make<TspSkinButton>(skin.Data.get(), 10, 10);
    auto* b = Make<TspSkinButton>(skin.Data.get(), 80, 10);
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
    auto* button = Make<TspSkinButton>(skin.Data.get());
    button->Perform(CM_MOUSEENTER, 0, 0);
    ASSERT_NE(button->MorphTimer(), nullptr);
    for (int tick = 0; tick < 5; ++tick)
        button->MorphTimerEvent(nullptr);
    const COLORREF halfway = Painted(button, 30, 4);
    EXPECT_TRUE(GetRValue(halfway) > 50 && GetGValue(halfway) > 50) << std::hex << halfway;
    for (int tick = 5; tick < 12; ++tick)
        button->MorphTimerEvent(nullptr);
    EXPECT_EQ(button->MorphFactor(), 1.0);
    EXPECT_EQ(button->MorphTimer(), nullptr);
    EXPECT_EQ(Painted(button, 30, 4), Green);

    button->Perform(CM_MOUSELEAVE, 0, 0);
    const DWORD start = GetTickCount();
    while (button->MorphTimer() != nullptr && GetTickCount() - start < 2000) {
        Application->ProcessMessages();
        Sleep(5);
    }
    EXPECT_EQ(button->MorphFactor(), 0.0);
    EXPECT_EQ(Painted(button, 30, 4), Red);

    button->Perform(CM_MOUSEENTER, 0, 0);
    button->SetDown(true);
    EXPECT_EQ(button->MorphTimer(), nullptr);
}

// Without a skin: the default look in the system's button colour; a skin
// component that goes leaves the default look, and the cursor step then
// gives crDefault whatever index an earlier skin left.
TEST_F(SkinControlsTest, DefaultLookAndALostSkin)
{
    auto skin = std::make_unique<TSheetSkin>();
    auto* panel = Make<TspSkinPanel>(skin->Data.get(), 10, 10, 60, 40);
    EXPECT_EQ(Painted(panel, 30, 20), White);
    panel->UseSkinCursor = true;
    panel->CursorIndex = 3;
    skin.reset();
    EXPECT_EQ(panel->SkinData(), nullptr);
    panel->ChangeSkinData();
    EXPECT_EQ(panel->Cursor(), crDefault);
    EXPECT_EQ(Painted(panel, 30, 20), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(panel->Picture, nullptr);

    auto* empty = Make<TspSkinPanel>(nullptr, 0, 0, 0, 10);
    EXPECT_NO_THROW(Painted(empty, 0, 0));  // nothing to paint
}

// Transparency blends with the parent's ground: 100 shows only the ground.
TEST_F(SkinControlsTest, TransparentBlend)
{
    TSheetSkin skin;
    auto* button = Make<TspSkinButton>(skin.Data.get());
    button->SetTransparent(true);
    button->SetTransparentValue(100);
    EXPECT_TRUE(Near(Painted(button, 30, 4), Parent));
    button->SetTransparentValue(50);
    EXPECT_TRUE(Near(Painted(button, 30, 4), RGB((200 + 10) / 2, 20 / 2, 30 / 2))) << std::hex << Painted(button, 30, 4);
    button->SetTransparentValue(0);
    EXPECT_EQ(button->TransparentValue(), 1);
}

// The mask shapes the window; after each skin change the window still owns
// a valid region (none of its handles deleted behind its back), a region
// made meanwhile stays valid, and a skin without the mask unshapes it.
TEST_F(SkinControlsTest, MaskRegionsStayTheWindows)
{
    TSheetSkin skin;
    auto* panel = Make<TspSkinPanel>(skin.Data.get(), 10, 10, 40, 40);
    std::vector<HRGN> made;
    for (int change = 0; change < 3; ++change) {
        EXPECT_TRUE(panel->FRgn);
        HRGN probe = CreateRectRgn(0, 0, 1, 1);
        EXPECT_NE(GetWindowRgn(panel->Handle(), probe), ERROR);
        EXPECT_FALSE(PtInRegion(probe, 0, 0));  // the white mask pixel is outside
        EXPECT_TRUE(PtInRegion(probe, 20, 20));
        DeleteObject(probe);
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
    EXPECT_FALSE(panel->FRgn);
    HRGN probe = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(GetWindowRgn(panel->Handle(), probe), ERROR);
    DeleteObject(probe);
}

// Picture indexes outside the skin's pictures name no picture: the record
// still sizes the control and nothing is copied. A borderless panel that
// tiles an empty client area draws nothing.
TEST_F(SkinControlsTest, PictureIndexOutOfRangeAndEmptyTiles)
{
    {
        TSheetSkin skin;
        auto* flat = Make<TspSkinPanel>(skin.Data.get());
        flat->SetBorderStyle(TspSkinBorderStyle::bvNone);
        flat->SkinDataName = "flat";
        flat->ChangeSkinData();
        EXPECT_EQ(flat->ResizeMode, 1);
        EXPECT_NO_THROW(Painted(flat, 5, 5));
    }
    for (const char* index : {"5", "-2", "-1"}) {
        TSheetSkin skin(index);
        auto* box = Make<TspSkinGroupBox>(skin.Data.get());
        box->ChangeSkinData();
        EXPECT_EQ(box->Picture, nullptr) << index;
        EXPECT_EQ(box->ResizeMode, 1);
        EXPECT_NO_THROW(Painted(box, 5, 5));
        delete box;
    }
}

// Rolling up hides the visible children and shows exactly those again;
// setting the same state twice, a skin change while rolled and a child
// freed while hidden lose nothing and leave nothing dangling.
TEST_F(SkinControlsTest, PanelRollUp)
{
    auto* box = Make<TspSkinGroupBox>(nullptr, 10, 10, 120, 100);
    EXPECT_EQ(box->SkinDataName, "groupbox");
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
    EXPECT_EQ(box->FOldHeight, -1);
    EXPECT_TRUE(shown->Visible());
    EXPECT_FALSE(hidden->Visible());
    EXPECT_TRUE(box->HiddenControls().empty());
}

// The keyboard reaches a button only with CanFocused: then Enter and Space
// click it, Escape clicks the Cancel button, Alt with the accelerator
// focuses and clicks, and a click sets the form's ModalResult.
TEST_F(SkinControlsTest, KeyboardOnlyWithCanFocused)
{
    TSheetSkin skin;
    auto* go = Make<TspSkinButton>(skin.Data.get(), 10, 10);
    go->SetCaption("&Go");
    go->ModalResult = mrOk;
    auto* cancel = Make<TspSkinButton>(skin.Data.get(), 80, 10);
    cancel->SetCaption("Stop");
    cancel->Cancel = true;
    cancel->ModalResult = mrCancel;
    int goClicks = 0, cancelClicks = 0;
    go->OnClick = [&](TObject*) { ++goClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    Form->Show();
    const auto key = [&](UINT msg, WPARAM code) {
        PostMessageA(go->Handle(), msg, code, 0);
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
    EXPECT_EQ(goClicks + cancelClicks, 0);
    EXPECT_EQ(Form->ModalResult(), mrNone);

    go->SetCanFocused(true);
    cancel->SetCanFocused(true);
    keys();
    EXPECT_EQ(goClicks, 2);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(Form->ModalResult(), mrCancel);
    SetFocus(cancel->Handle());
    key(WM_SYSCHAR, 'G');
    EXPECT_EQ(goClicks, 3);
    EXPECT_EQ(Form->ActiveControl(), go);
    EXPECT_EQ(Form->ModalResult(), mrOk);
}

// A default button looks active while the focus is on a control that is not
// a button, and normal again when a button takes it.
TEST_F(SkinControlsTest, DefaultButtonLooksActiveWhileTheFocusIsOnAnotherKindOfControl)
{
    TSheetSkin skin;
    auto* button = Make<TspSkinButton>(skin.Data.get(), 10, 10, 60, 30);
    auto* other = Make<TspSkinButton>(skin.Data.get(), 10, 40, 60, 30);
    auto* panel = Make<TspSkinPanel>(skin.Data.get(), 100, 10, 60, 40);
    button->SetCanFocused(true);
    other->SetCanFocused(true);
    button->SetDefault(true);
    button->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_EQ(Painted(button, 30, 4), Green);
    button->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(other));
    EXPECT_EQ(Painted(button, 30, 4), Red);
    other->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_EQ(Painted(other, 30, 4), Red) << "not a default button";
    button->SetCanFocused(false);
    button->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_EQ(Painted(button, 30, 4), Red) << "a default button that takes no focus keeps its look";
}
