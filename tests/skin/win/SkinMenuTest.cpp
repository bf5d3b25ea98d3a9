// The skinned menus under Wine, on a form whose skinned form hosts the menu
// engine. The engine: real popup levels opened through a skinned popup menu,
// walked by posted mouse messages and keys the form forwards; the default
// and skinned looks read back as pixels; the mended lifetimes of levels,
// openers and regions. The skinned menu bar: the default looks as pixels,
// menus opened by posted clicks and switched by mouse moves, main-menu mode
// by keys, and the items a narrow bar hides.
#include <algorithm>
#include <string>
#include <vector>

#include "DynamicSkinFormTestSupport.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/forms/SkinMenuItem.h"
#include "skin/forms/SkinPopupMenu.h"
#include "skin/forms/SkinPopupWindow.h"
#include "../../classlib/win/UiTestSupport.h"

namespace {

using skinformtest::AddItem;
using skintest::Centre;

std::vector<std::string> Log;

// A control that opens menus and notes their closing.
class TOpener : public TCustomControl {
public:
    TOpener(TWinControl* parent, std::string name) : TCustomControl(parent), FName(std::move(name))
    {
        SetParent(parent);
    }

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == SM_CLOSESKINMENU)
            Log.push_back(FName + " hears close");
        TCustomControl::WndProc(message);
    }

private:
    std::string FName;
};

LPARAM Coordinates(const TRect& r)
{
    const POINT p = Centre(r);
    return MAKELPARAM(p.x, p.y);
}

// A skin with a popup-window record and a menu-item record: a 20 x 20
// window picture (grey, a red top-left and a cyan bottom-right corner
// piece), its mask (all window but the top-left pixel) and a menu-item
// picture (normal green, active yellow, divider blue).
skintest::TTestSkin MenuSkin()
{
    TDibImage window = skintest::Blank(20, 20);
    skintest::Fill(window, 0, 0, 20, 20, RGB(128, 128, 128));
    skintest::Fill(window, 0, 0, 4, 4, RGB(255, 0, 0));
    skintest::Fill(window, 16, 16, 20, 20, RGB(0, 255, 255));
    TDibImage mask = skintest::Blank(20, 20);
    skintest::Fill(mask, 0, 0, 1, 1, RGB(255, 255, 255));
    TDibImage items = skintest::Blank(40, 24);
    skintest::Fill(items, 0, 0, 40, 10, RGB(0, 255, 0));
    skintest::Fill(items, 0, 10, 40, 20, RGB(255, 255, 0));
    skintest::Fill(items, 0, 20, 40, 24, RGB(0, 0, 255));
    return skintest::TTestSkin(
        "[VERSION]\nskinname=menu\n[PICTURES]\nactivepicturescount=3\n[FORMINFO]\nbgpictureindex=-1\n"
        "[POPUPWINDOW]\nwindowpictureindex=0\nmaskpictureindex=1\nlefttoppoint=4,4\nrighttoppoint=16,4\n"
        "leftbottompoint=4,16\nrightbottompoint=16,16\nitemsrect=4,4,16,16\n"
        "[SKINOBJECTS]\ncount=1\n0=menuitem:menuitem\n[SKINCONTROLS]\ncount=0\n"
        "[menuitem]\nactivepictureindex=2\nskinrect=0,0,40,10\nactiveskinrect=0,10,40,20\n"
        "dividerrect=0,20,40,24\ntextrect=2,0,38,10\nfontheight=8\nfontcolor=0\nactivefontcolor=0\n",
        {window, mask, items});
}

// A shown form whose skinned form hosts the menu engine (its close of a
// skinned menu is logged), with a skinned popup menu (Open with a shortcut,
// a separator, Sub with two items) and a main menu of File, Edit and Help
// on a skinned menu bar.
class SkinMenuTest : public uitest::UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        Log.clear();
        Form = new TForm(nullptr);
        Form->SetBounds(600, 500, 400, 200);
        SkinForm = new TspDynamicSkinForm(Form);
        SkinForm->OnSkinMenuClose = [](TObject*) { Log.push_back("form hears close"); };
        Menu = new TspSkinPopupMenu(Form);
        Open = AddItem(Menu->Items(), "&Open");
        Open->SetShortCut(scCtrl | 'O');
        AddItem(Menu->Items(), "-");
        Sub = AddItem(Menu->Items(), "&Sub");
        AddItem(Sub, "Inner A");
        AddItem(Sub, "Inner B");
        MainMenu = new TMainMenu(Form);
        File = AddItem(MainMenu->Items(), "&File");
        AddItem(File, "&Open");
        AddItem(File, "&Save");
        Edit = AddItem(MainMenu->Items(), "&Edit");
        AddItem(Edit, "&Copy");
        Help = AddItem(MainMenu->Items(), "&Help");
        Help->OnClick = [this](TObject*) { ++HelpClicks; };
        Bar = new TspSkinMainMenuBar(Form);
        Bar->SetParent(Form);
        Bar->SetDynamicSkinForm(SkinForm);
        Bar->SetMainMenu(MainMenu);
        Form->Show();
        Activate(Form);
        Drain();
        Bar->Repaint();
    }

    TspSkinMenu* Engine() const { return SkinForm->SkinMenu(); }
    TspSkinPopupWindow* Level(int i) const { return Engine()->Levels()[static_cast<size_t>(i)]; }
    // The item whose menu is open.
    TMenuItem* OpenMenuItem() const
    {
        return Engine()->Levels().empty() ? nullptr : Level(0)->Items(0)->MenuItem->Parent();
    }
    POINT BarItemCentre(int i) const { return Centre(Bar->Items()[static_cast<size_t>(i)]->ObjectRect); }
    void Post(UINT msg, POINT p, WPARAM keys = 0)
    {
        PostMessageA(Bar->Handle(), msg, keys, MAKELPARAM(p.x, p.y));
        Drain();
    }

    TForm* Form = nullptr;
    TspDynamicSkinForm* SkinForm = nullptr;
    TspSkinPopupMenu* Menu = nullptr;
    TMenuItem *Open = nullptr, *Sub = nullptr;
    TMainMenu* MainMenu = nullptr;
    TMenuItem *File = nullptr, *Edit = nullptr, *Help = nullptr;
    TspSkinMainMenuBar* Bar = nullptr;
    int HelpClicks = 0;
};

class SkinMainMenuBarTest : public SkinMenuTest {};

}  // namespace

// The whole path: the popup menu opens a real level where placement says;
// forwarded keys walk it and open and close the submenu; a posted click
// chooses an item, whose handler runs after every level is hidden; the
// levels are freed once the messages are handled. A chosen item's handler
// may free the menu's items, or release the form with its engine: levels
// hide at once and are freed later, and nothing freed is touched.
TEST_F(SkinMenuTest, KeysAndClicksWalkRealLevelsChooseAndFreeWhatHandlersFree)
{
    std::vector<HWND> windows;
    Open->OnClick = [&](TObject*) {
        const bool shown = std::ranges::any_of(windows, [](HWND w) { return IsWindow(w) && IsWindowVisible(w); });
        Log.push_back(std::string("clicked, levels shown: ") + (shown ? "yes" : "no"));
    };
    EXPECT_TRUE(RunScenario([&] {
        Menu->Popup(100, 120);
        ASSERT_TRUE(Engine()->Active());
        EXPECT_TRUE(SkinForm->InSkinMenu);
        ASSERT_EQ(Engine()->Levels().size(), 1u);
        TspSkinPopupWindow* level = Level(0);
        windows.push_back(level->Handle());
        RECT area{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        const TPoint expected = SkinMenuPlacement({100, 120, 100, 120}, ToTRect(area), level->Width(),
                                                  level->Height(), level->ItemsRect().Top, false, false, false);
        RECT bounds{};
        GetWindowRect(level->Handle(), &bounds);
        EXPECT_EQ(bounds.left, expected.X);
        EXPECT_EQ(bounds.top, expected.Y);
        EXPECT_TRUE(IsWindowVisible(level->Handle()));
        EXPECT_NE(GetForegroundWindow(), level->Handle());
        EXPECT_EQ(level->Selected(), 0);  // the first usable item

        PostMessageA(Form->Handle(), WM_KEYDOWN, VK_DOWN, 1);  // skips the separator
        PostMessageA(Form->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
        ASSERT_TRUE(PumpUntil([&] { return Engine()->Levels().size() == 2; }));
        EXPECT_EQ(level->Selected(), 2);
        EXPECT_TRUE(level->Items(2)->Down);
        windows.push_back(Level(1)->Handle());
        EXPECT_EQ(Level(1)->Selected(), 0);

        PostMessageA(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        ASSERT_TRUE(PumpUntil([&] { return Engine()->Levels().size() == 1; }));
        EXPECT_FALSE(IsWindowVisible(windows[1]));
        EXPECT_FALSE(level->Items(2)->Down);
        EXPECT_TRUE(Engine()->Active());

        PostMessageA(level->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Coordinates(level->Items(0)->ItemRect));
        PostMessageA(level->Handle(), WM_LBUTTONUP, 0, Coordinates(level->Items(0)->ItemRect));
        ASSERT_TRUE(PumpUntil([&] { return Log.size() >= 2; }));
        EXPECT_FALSE(Engine()->Active());
        EXPECT_TRUE(Engine()->Levels().empty());
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(windows[0]) && !IsWindow(windows[1]); }));

        // An accelerator chooses its item at once.
        Menu->Popup(100, 120);
        windows = {Level(0)->Handle()};
        PostMessageA(Form->Handle(), WM_KEYDOWN, 'O', 1);
        ASSERT_TRUE(PumpUntil([&] { return Log.size() >= 4; }));
        EXPECT_EQ(Log, (std::vector<std::string>{"form hears close", "clicked, levels shown: no", "form hears close",
                                                 "clicked, levels shown: no"}));
        EXPECT_FALSE(SkinForm->InSkinMenu);

        Open->OnClick = [&](TObject*) { Menu->Items()->Clear(); };
        Menu->Popup(100, 120);
        const HWND first = Level(0)->Handle();
        SendMessageA(first, WM_LBUTTONUP, 0, Coordinates(Level(0)->Items(0)->ItemRect));
        EXPECT_EQ(Menu->Items()->Count(), 0);
        EXPECT_TRUE(IsWindow(first));
        EXPECT_FALSE(IsWindowVisible(first));
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(first); }));

        TMenuItem* close = AddItem(Menu->Items(), "Close");
        close->OnClick = [&](TObject*) { Form->Release(); };
        Menu->Popup(100, 120);
        const HWND second = Level(0)->Handle();
        SendMessageA(second, WM_LBUTTONUP, 0, Coordinates(Level(0)->Items(0)->ItemRect));
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(second) && Screen->FormCount() == 0; }));
    }));
    EXPECT_TRUE(Errors.empty());
}

// A cursor resting on an item with children opens its submenu after 500 ms;
// moving to another item first cancels it. Escape on the only level ends the
// menu.
TEST_F(SkinMenuTest, RestingCursorOpensSubmenuAndMovingOnCancels)
{
    EXPECT_TRUE(RunScenario([&] {
        Menu->Popup(100, 120);
        TspSkinPopupWindow* level = Level(0);
        const auto screenCentre = [&](int item) {
            const POINT p = Centre(level->Items(item)->ItemRect);
            return POINT{p.x + level->Left(), p.y + level->Top()};
        };
        POINT sub = screenCentre(2);
        SetCursorPos(sub.x, sub.y);
        ASSERT_TRUE(PumpUntil([&] { return Engine()->PendingItem != nullptr; }));
        POINT open = screenCentre(0);
        SetCursorPos(open.x, open.y);
        ASSERT_TRUE(PumpUntil([&] { return level->Selected() == 0; }));
        EXPECT_EQ(Engine()->PendingItem, nullptr);
        EXPECT_FALSE(PumpUntil([&] { return Engine()->Levels().size() > 1; }, std::chrono::milliseconds(700)));

        SetCursorPos(sub.x, sub.y);
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(PumpUntil([&] { return Engine()->Levels().size() == 2; }));
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(450));

        PostMessageA(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageA(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        ASSERT_TRUE(PumpUntil([&] { return !Engine()->Active(); }));
    }));
    SetCursorPos(0, 0);
    EXPECT_TRUE(Errors.empty());
}

// Reopening tells the first opener that its menu closed before the new one
// is kept; closing tells the opener, then the form. Menus with nothing to
// show.
TEST_F(SkinMenuTest, ReopeningTellsTheFirstOpenerAndEmptyMenusShowNothing)
{
    auto* a = new TOpener(Form, "A");
    auto* b = new TOpener(Form, "B");
    EXPECT_TRUE(Engine()->Popup(a, nullptr, 0, {10, 10, 10, 10}, Menu->Items(), false));
    EXPECT_TRUE(Engine()->Popup(b, nullptr, 0, {10, 10, 10, 10}, Menu->Items(), false));
    EXPECT_EQ(Engine()->PopupControl(), b);
    EXPECT_EQ(Log, std::vector<std::string>{"A hears close"});
    SkinForm->SkinMenuOpen();  // as the skinned popup menu does
    Engine()->CloseMenu();
    EXPECT_EQ(Log, (std::vector<std::string>{"A hears close", "B hears close", "form hears close"}));
    EXPECT_EQ(Engine()->PopupControl(), nullptr);

    // An item without children opens nothing; invisible children give an
    // empty level.
    Log.clear();
    EXPECT_FALSE(Engine()->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Open, false));
    EXPECT_FALSE(Engine()->Active());
    TMenuItem* hidden = AddItem(Open, "hidden");
    hidden->SetVisible(false);
    EXPECT_TRUE(Engine()->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Open, false));
    EXPECT_EQ(Level(0)->ItemCount(), 0);
    Engine()->CloseMenu();

    // A popup menu without items leaves the host out of its menu mode (which
    // would swallow every key waiting for a close that never comes).
    auto* empty = new TspSkinPopupMenu(Form);
    int popups = 0;
    empty->OnPopup = [&](TObject*) { ++popups; };
    empty->Popup(50, 50);
    EXPECT_EQ(popups, 1);
    EXPECT_FALSE(SkinForm->InSkinMenu);
    EXPECT_FALSE(Engine()->Active());

    // No host on the form: nothing shows, OnPopup still runs.
    TForm bare(nullptr);
    auto* orphan = new TspSkinPopupMenu(&bare);
    orphan->OnPopup = [&](TObject*) { ++popups; };
    AddItem(orphan->Items(), "x");
    orphan->Popup(50, 50);
    EXPECT_EQ(popups, 2);
    EXPECT_FALSE(Engine()->Active());
}

// A right click on a skinned control opens its skinned popup menu at the
// cursor, for that control.
TEST_F(SkinMenuTest, RightClickOnASkinnedControlOpensItsSkinnedPopupMenu)
{
    auto* button = new TspSkinButton(Form);
    auto* panel = new TspSkinPanel(Form);
    panel->SetLeft(100);
    for (TWinControl* control : std::initializer_list<TWinControl*>{button, panel}) {
        control->SetParent(Form);
        control->SetPopupMenu(Menu);
        SendMessageA(control->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 5));
        SendMessageA(control->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(4, 5));
        ASSERT_TRUE(Engine()->Active()) << control->ClassName();
        EXPECT_EQ(Menu->PopupComponent(), control);
        const POINT at = control->ClientToScreen(POINT{4, 5});
        RECT area{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        const TPoint expected = SkinMenuPlacement({at.x, at.y, at.x, at.y}, ToTRect(area), Level(0)->Width(),
                                                  Level(0)->Height(), Level(0)->ItemsRect().Top, false, false, false);
        RECT bounds{};
        GetWindowRect(Level(0)->Handle(), &bounds);
        EXPECT_EQ(bounds.left, expected.X) << control->ClassName();
        EXPECT_EQ(bounds.top, expected.Y) << control->ClassName();
        PostMessageA(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        ASSERT_TRUE(PumpUntil([&] { return !Engine()->Active(); }));
    }
}

// Default look, read back from the level painted into a bitmap: the level
// frame and stripe, a normal item, a highlighted one, a highlighted
// separator (highlight, then the line at half height); a hidden item's state.
TEST_F(SkinMenuTest, DefaultLookPixels)
{
    const std::string longCaption = "A rather long caption to measure the default font by";
    AddItem(Menu->Items(), longCaption);
    Engine()->Popup(nullptr, nullptr, 0, {100, 120, 100, 120}, Menu->Items(), false);
    TspSkinPopupWindow* level = Level(0);
    TspSkinMenuItem* open = level->Items(0);
    TspSkinMenuItem* separator = level->Items(1);
    TspSkinMenuItem* sub = level->Items(2);
    separator->MouseIn = true;
    open->MouseIn = true;
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(level->Width(), level->Height());
    level->PaintLevel(picture.Canvas());
    TCanvas* c = picture.Canvas();
    EXPECT_EQ(c->Pixels(0, 0), ColorToRGB(clBtnShadow));
    const TRect subRect = sub->ItemRect;
    const int subMiddle = (subRect.Top + subRect.Bottom) / 2;
    EXPECT_EQ(c->Pixels(subRect.Left + 1, subRect.Top + 1), ColorToRGB(clBtnFace));  // the stripe
    EXPECT_EQ(c->Pixels(subRect.Right - 30, subRect.Top + 1), ColorToRGB(clWindow));
    EXPECT_EQ(c->Pixels(subRect.Right - 9, subMiddle), ColorToRGB(clWindowText));  // the arrow's first line
    const TRect openRect = open->ItemRect;
    EXPECT_EQ(c->Pixels(openRect.Left, openRect.Top), 0x800000);
    EXPECT_EQ(c->Pixels(openRect.Left + 3, openRect.Top + 2), 0xD2BDB6);
    const TRect sepRect = separator->ItemRect;
    const int sepMiddle = sepRect.Top + (sepRect.Bottom - sepRect.Top) / 2;
    EXPECT_EQ(c->Pixels(sepRect.Left + 25, sepMiddle), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c->Pixels(sepRect.Left + 10, sepMiddle), 0xD2BDB6);

    // Captions are measured in the font they are drawn with: the longest
    // one fits inside the level from its text column on.
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(Engine()->DefaultFont());
    const int textWidth = measure.Canvas()->TextWidth(longCaption);
    EXPECT_LE(3 + 2 + 19 + textWidth, level->Width() - 3);

    // An invisible item (outside a scrolled view) cannot morph and loses its
    // highlight state.
    sub->MouseIn = sub->Down = true;
    sub->MorphTenths = 6;
    sub->Visible = false;
    EXPECT_FALSE(sub->CanMorphing());
    EXPECT_FALSE(sub->MouseIn || sub->Down);
    EXPECT_EQ(sub->MorphTenths, 0);
    Engine()->CloseMenu();
}

// The mark left of a caption, as pixels of the default look: an image from
// the menu's list; for an index past the list, the item's name glyph; a
// checked item's check mark and a checked radio item's bullet.
TEST_F(SkinMenuTest, ItemMarksPixels)
{
    auto* images = new TImageList(Form);
    images->SetWidth(8);
    images->SetHeight(8);
    TBitmap red;
    red.SetSize(8, 8);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(RECT{0, 0, 8, 8});
    ASSERT_EQ(images->Add(&red, nullptr), 0);
    auto* menu = new TPopupMenu(Form);
    menu->SetImages(images);
    AddItem(menu->Items(), "Image")->SetImageIndex(0);
    TMenuItem* named = AddItem(menu->Items(), "Close", nullptr, "DSF_CLOSE");
    named->SetImageIndex(3);
    AddItem(menu->Items(), "Check")->SetChecked(true);
    TMenuItem* radio = AddItem(menu->Items(), "Radio");
    radio->SetChecked(true);
    radio->SetRadioItem(true);
    ASSERT_TRUE(Engine()->Popup(nullptr, nullptr, 0, {100, 120, 100, 120}, menu->Items(), false));
    TspSkinPopupWindow* level = Level(0);
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(level->Width(), level->Height());
    level->PaintLevel(picture.Canvas());
    // Each item's inner rectangle: its left edge and middle.
    const auto at = [&](int item, int dx, int dy) {
        const TRect& r = level->Items(item)->ItemRect;
        return picture.Canvas()->Pixels(r.Left + 2 + dx, (r.Top + r.Bottom) / 2 + dy);
    };
    const TPoint glyph = FrameGlyphShapes(fgClose)[0].A;
    const TColor text = ColorToRGB(clWindowText), face = ColorToRGB(clBtnFace);
    EXPECT_EQ(at(0, 4, 0), clRed);
    EXPECT_EQ(at(1, 2 + glyph.X, -4 + glyph.Y), text);
    EXPECT_EQ(at(2, 9, -1), text);  // the check's long stroke
    EXPECT_EQ(at(2, 6, -2), face);
    EXPECT_EQ(at(3, 6, -2), text);  // inside the bullet
    EXPECT_EQ(at(3, 9, -1), face);
    Engine()->CloseMenu();
}

// The skinned look: the window picture's corner pieces reproduced at the
// level's size, the mask's shape as the window region, items from the item
// record, and a separator that never takes the active look.
TEST_F(SkinMenuTest, SkinnedLookFromTheSkinRecords)
{
    const skintest::TTestSkin skin = MenuSkin();
    ASSERT_FALSE(skin.Data->Empty);
    ASSERT_TRUE(Engine()->Popup(nullptr, skin.Data.get(), 0, {100, 120, 100, 120}, Menu->Items(), false));
    TspSkinPopupWindow* level = Level(0);
    ASSERT_NE(level->MenuItemData(), nullptr);
    const int w = level->Width();
    const int h = level->Height();
    level->Items(1)->MouseIn = true;  // the separator
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(w, h);
    level->PaintLevel(picture.Canvas());
    TCanvas* c = picture.Canvas();
    EXPECT_EQ(c->Pixels(1, 1), clRed);
    EXPECT_EQ(c->Pixels(w - 2, h - 2), TColor(0xFFFF00));
    EXPECT_EQ(c->Pixels(w / 2, 1), 0x808080);
    EXPECT_EQ(c->Pixels(w - 6, 5), TColor(0x00FFFF));  // item 0, selected when shown
    EXPECT_EQ(c->Pixels(w - 6, 15), clBlue);   // the separator
    EXPECT_EQ(c->Pixels(w - 6, 19), clLime);   // item 2

    EXPECT_EQ(skintest::InWindowRegion(level->Handle(), 0, 0), 0);
    EXPECT_EQ(skintest::InWindowRegion(level->Handle(), 1, 0), 1);
    EXPECT_EQ(skintest::InWindowRegion(level->Handle(), w - 1, h - 1), 1);
    Engine()->CloseMenu();
}

// With layered windows the level is layered at (100 - 20)% of 255; without
// them it cross-fades its picture with the screen grabbed under it.
TEST_F(SkinMenuTest, TransparentLevels)
{
    Engine()->Transparent = true;
    Engine()->SetTransparentValue(20);
    Engine()->AlphaBlendSupport = true;
    Engine()->Popup(nullptr, nullptr, 0, {100, 120, 100, 120}, Menu->Items(), false);
    const HWND layered = Level(0)->Handle();
    EXPECT_NE(GetWindowLongA(layered, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(layered, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 204);
    Engine()->CloseMenu();

    auto* red = new TForm(nullptr);
    red->SetBorderStyle(bsNone);
    red->SetColor(clRed);
    red->SetBounds(300, 300, 300, 200);
    red->Show();
    red->Update();
    Engine()->AlphaBlendSupport = false;
    EXPECT_TRUE(RunScenario([&] {
        Engine()->Popup(nullptr, nullptr, 0, {320, 320, 320, 320}, Menu->Items(), false);
        TspSkinPopupWindow* level = Level(0);
        EXPECT_FALSE(IsWindowVisible(level->Handle()));  // shown after the screen is grabbed
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(level->Handle()); }));
        level->Update();
        Drain();
        // The right part of an item that is not highlighted: white over red.
        const TRect sub = level->Items(2)->ItemRect;
        const COLORREF seen =
            testsupport::ScreenPixel(level->Left() + sub.Right - 30, level->Top() + (sub.Top + sub.Bottom) / 2);
        EXPECT_TRUE(testsupport::ColoursNear(seen, RGB(255, 204, 204), 2)) << std::hex << seen;
        Engine()->CloseMenu();
    }));
}

TEST_F(SkinMainMenuBarTest, ClickOpensAndMovingSwitchesTheMenu)
{
    ASSERT_EQ(Bar->Items().size(), 3u);
    // A hot item shows the default hot look, the others the plain face.
    const POINT file = BarItemCentre(0);
    Post(WM_MOUSEMOVE, file);
    Bar->Repaint();
    const TRect r = Bar->Items()[0]->ObjectRect;
    const POINT inside = Bar->ClientToScreen(POINT{r.Left + 2, r.Top + 2});
    const POINT frame = Bar->ClientToScreen(POINT{r.Left, r.Top});
    EXPECT_TRUE(Bar->Items()[0]->Active);
    EXPECT_TRUE(testsupport::ColoursNear(testsupport::ScreenPixel(inside.x, inside.y), 0xD2BDB6));
    EXPECT_TRUE(testsupport::ColoursNear(testsupport::ScreenPixel(frame.x, frame.y), 0x800000));

    Post(WM_LBUTTONDOWN, file, MK_LBUTTON);
    Post(WM_LBUTTONUP, file);
    EXPECT_TRUE(Bar->Items()[0]->Down);
    EXPECT_TRUE(SkinForm->InMainMenu);
    EXPECT_TRUE(SkinForm->InSkinMenu);
    EXPECT_EQ(OpenMenuItem(), File);

    // No click: moving onto the next item moves the open menu there.
    Post(WM_MOUSEMOVE, BarItemCentre(1));
    EXPECT_FALSE(Bar->Items()[0]->Down);
    EXPECT_TRUE(Bar->Items()[1]->Down);
    EXPECT_EQ(OpenMenuItem(), Edit);
    ASSERT_EQ(Engine()->Levels().size(), 1u);

    // Leaving the bar for the menu keeps the open item.
    Post(WM_MOUSEMOVE, POINT{Bar->Width() - 2, 5});
    EXPECT_TRUE(Bar->Items()[1]->Down);
    Engine()->CloseMenu();
    Drain();
    // An item freed on its own leaves the bar.
    delete Help;
    ASSERT_EQ(Bar->Items().size(), 2u);
    Bar->Repaint();
}

// A bar that knows the form only through its own DynamicSkinForm gets its
// open item back up whenever its menu closes: by a click elsewhere on the
// form, by the form closing the menu, and by Escape, which leaves the item
// highlighted in main-menu mode until a second Escape.
TEST_F(SkinMainMenuBarTest, ABarLinkedOnlyByItsOwnPropertyReleasesItsItem)
{
    ASSERT_EQ(SkinForm->MainMenuBar(), nullptr);
    const auto open = [&](int i) {
        Post(WM_LBUTTONDOWN, BarItemCentre(i), MK_LBUTTON);
        Post(WM_LBUTTONUP, BarItemCentre(i));
        return Bar->Items()[static_cast<size_t>(i)]->Down && Engine()->Active();
    };
    ASSERT_TRUE(open(0));
    PostMessageA(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 150));
    PostMessageA(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
    Drain();
    EXPECT_FALSE(Engine()->Active());
    EXPECT_FALSE(Bar->Items()[0]->Down || Bar->Items()[0]->Active);
    EXPECT_FALSE(SkinForm->InMainMenu || SkinForm->InSkinMenu || Bar->MenuMode);

    ASSERT_TRUE(open(1));
    Engine()->CloseMenu();
    Drain();
    EXPECT_FALSE(Bar->Items()[1]->Down);
    EXPECT_FALSE(SkinForm->InMainMenu || Bar->MenuMode);
    EXPECT_FALSE(Application->OnMessage);

    ASSERT_TRUE(open(0));
    skintest::OfferKey(VK_ESCAPE);
    EXPECT_FALSE(Engine()->Active());
    EXPECT_FALSE(Bar->Items()[0]->Down);
    EXPECT_TRUE(Bar->Items()[0]->Active);
    EXPECT_TRUE(SkinForm->InMainMenu);
    skintest::OfferKey(VK_ESCAPE);
    EXPECT_FALSE(Bar->Items()[0]->Active);
    EXPECT_FALSE(SkinForm->InMainMenu || Bar->MenuMode);
    EXPECT_FALSE(Application->OnMessage);
}

// Main-menu mode by keys (wrapping and skipping are proved natively): the
// form hands Alt to its bar, which announces the mode; Right walks past a
// disabled item, which its accelerator does not reach either; Escape leaves
// the mode and the key hook; Enter on an item without children runs its
// command and ends the mode. Right from an open menu onto an item without
// children opens no level, so the skinned-menu mode ends with it, and Enter
// then gives the application its keys back.
TEST_F(SkinMainMenuBarTest, AltHandsMainMenuModeToTheBarWhoseKeysWalkAndRunIt)
{
    Edit->SetEnabled(false);
    Bar->SetMainMenu(MainMenu);
    SkinForm->SetMainMenuBar(Bar);
    int entered = 0;
    SkinForm->OnMainMenuEnter = [&](TObject* sender) { entered += sender == Bar; };
    SendMessageA(Form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    ASSERT_TRUE(Bar->MenuMode);
    EXPECT_EQ(entered, 1);
    EXPECT_TRUE(SkinForm->InMainMenu);
    EXPECT_TRUE(Bar->Items()[0]->Active);
    skintest::OfferKey(VK_RIGHT);
    EXPECT_TRUE(Bar->Items()[2]->Active);
    skintest::OfferKey(VK_ESCAPE);
    EXPECT_FALSE(SkinForm->InMainMenu || Bar->MenuMode);
    EXPECT_FALSE(Application->OnMessage);

    Bar->MenuKeyMode();
    EXPECT_FALSE(Bar->FindAccelItem('e'));
    EXPECT_TRUE(Bar->FindAccelItem('H'));
    EXPECT_TRUE(Bar->Items()[2]->Active);
    EXPECT_FALSE(Bar->Items()[0]->Active);
    EXPECT_TRUE(Bar->ClickDownItem());
    EXPECT_EQ(HelpClicks, 1);
    EXPECT_FALSE(SkinForm->InMainMenu || Bar->MenuMode);

    auto* edit = AddControl<TEdit>(Form, 10, 60, 100, 22);
    edit->SetFocus();
    SendMessageA(Form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    skintest::OfferKey(VK_RETURN);
    ASSERT_EQ(OpenMenuItem(), File);
    skintest::OfferKey(VK_RIGHT);
    EXPECT_TRUE(Bar->Items()[2]->Down);
    EXPECT_FALSE(Engine()->Active() || SkinForm->InSkinMenu);
    skintest::OfferKey(VK_RETURN);
    EXPECT_EQ(HelpClicks, 2);
    EXPECT_FALSE(Application->OnMessage);
    PostMessageA(edit->Handle(), WM_KEYDOWN, 'A', 1);
    EXPECT_TRUE(PumpUntil([&] { return edit->Text() == "a"; })) << edit->Text();
}

// Items that do not fit are hidden and out of reach of the mouse (the MDI
// buttons' place on the band is proved natively).
TEST_F(SkinMainMenuBarTest, NarrowBarHidesItemsOutOfReachAndTheTrackMarkOffersThem)
{
    // An invisible menu item has no place on the bar but keeps its place
    // in the menu the track mark opens.
    auto* invisible = new TMenuItem(Form);
    invisible->SetCaption("&Invisible");
    invisible->SetVisible(false);
    MainMenu->Items()->Insert(0, invisible);
    Bar->SetMainMenu(MainMenu);
    Bar->CalcRects();
    ASSERT_EQ(Bar->Items().size(), 3u);
    // Narrower than a skinned form can be: the bar alone.
    const int narrow = Bar->Items()[1]->ObjectRect.Right + 8;
    Bar->SetAlign(alNone);
    Bar->SetWidth(narrow);
    Bar->CalcRects();
    ASSERT_TRUE(Bar->HasHiddenItems);
    EXPECT_FALSE(Bar->Items()[2]->Visible);
    Post(WM_LBUTTONDOWN, BarItemCentre(2), MK_LBUTTON);
    Post(WM_LBUTTONUP, BarItemCentre(2));
    EXPECT_EQ(HelpClicks, 0);
    // The track mark offers the menu from the hidden item on.
    const TRect mark = Bar->TrackMarkRect();
    Post(WM_LBUTTONDOWN, POINT{mark.Left + 1, mark.Top + 2}, MK_LBUTTON);
    Post(WM_LBUTTONUP, POINT{mark.Left + 1, mark.Top + 2});
    ASSERT_EQ(Engine()->Levels().size(), 1u);
    EXPECT_EQ(Engine()->Levels()[0]->Items(0)->MenuItem, Help);
    Engine()->CloseMenu();
    Drain();
}

namespace {

class SkinMainMenuBarSkinTest : public skintest::TFormTest {};

}  // namespace

// A bar record gives the bar its height, kept whatever the bounds, and its
// picture stretched with both ends kept; without one the bar takes its
// default height.
TEST_F(SkinMainMenuBarSkinTest, TheBarRecordGivesHeightAndLook)
{
    TDibImage picture = skintest::Blank(40, 16);
    skintest::Fill(picture, 0, 0, 4, 16, RGB(200, 0, 0));
    skintest::Fill(picture, 4, 0, 36, 16, RGB(0, 200, 0));
    skintest::Fill(picture, 36, 0, 40, 16, RGB(0, 0, 200));
    skintest::TTestSkin barSkin(skintest::ControlsSkin({"mainmenubar:mainmenubar"},
                                                       "[mainmenubar]\npictureindex=0\nskinrect=0,0,40,16\n"
                                                       "itemsrect=4,2,36,14\n"),
                                {picture});
    skintest::TTestSkin plainSkin(skintest::ControlsSkin({}, ""), {});
    auto* bar = Make<TspSkinMainMenuBar>(0, 0, 200, 30, barSkin.Data.get());
    EXPECT_EQ(bar->Height(), 16);
    bar->SetBounds(0, 0, 200, 40);
    EXPECT_EQ(bar->Height(), 16);
    const int w = bar->Width();  // the form's width: the bar is aligned to the top
    for (const auto& [x, colour] : {std::pair{1, RGB(200, 0, 0)}, {w / 2, RGB(0, 200, 0)}, {w - 2, RGB(0, 0, 200)}})
        EXPECT_EQ(skintest::Painted(bar, x, 8), colour) << x;
    bar->SetDefaultHeight(25);
    bar->SetSkinData(plainSkin.Data.get());
    EXPECT_EQ(bar->Height(), 25);
}
