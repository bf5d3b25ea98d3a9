// The skinned form's frame objects of every kind, client-area mode, the
// main-menu items on the frame and the objects' hints.
#include "DynamicSkinFormTestSupport.h"
#include "skin/forms/SkinPopupWindow.h"

using namespace skinformtest;

namespace {

// The frame objects' kinds, drawn at the skin's own size. (The animation,
// bit label, frame gauge and regulator kinds, which the program's skin does
// not use, keep only their native value tests.)
const char* const KindsSkin =
    "[VERSION]\nskinname=kinds\n[PICTURES]\npicture=p\n[FORMINFO]\nclientrect=5,30,95,55\n"
    "[SKINOBJECTS]\ncount=7\n0=gauge:gauge\n1=switch:switch\n2=track:trackbar\n3=user:userobject\n"
    "4=btn:button\n5=menuitem:mainmenuitem\n6=cap:caption\n"
    "[gauge]\nskinrect=0,0,20,4\nactivepictureindex=2\nactiveskinrect=0,0,20,4\nminvalue=0\nmaxvalue=10\n"
    "[switch]\nskinrect=0,5,8,9\nactivepictureindex=2\nactiveskinrect=8,0,16,4\n"
    "[track]\nskinrect=0,10,40,16\nactivepictureindex=2\nactiveskinrect=0,6,40,12\nbeginpoint=3,3\n"
    "endpoint=35,3\nminvalue=0\nmaxvalue=32\nbuttonrect=40,0,46,6\nmousedownchangevalue=1\n"
    "[user]\nskinrect=60,30,70,40\n"
    "[btn]\nskinrect=70,0,78,4\nactivepictureindex=2\ndownrect=20,0,28,4\n"
    "[menuitem]\nskinrect=0,0,5,5\n"
    "[cap]\nskinrect=40,40,100,50\ntextrect=0,0,30,10\nalignment=taleftjustify\nfontcolor=16777215\n"
    "fontheight=12\n"
    "[SKINCONTROLS]\ncount=0\n";

}  // namespace

// Each kind draws its looks from the skin and reacts as its kind does;
// menu items are left to the menus.
TEST(DynamicSkinForm, ObjectKindsDrawAndReact)
{
    TSkinnedForm f({.Text = KindsSkin});
    std::string names;
    for (const auto& object : f.Skin->ObjectList)
        names += object->IDName + " ";
    EXPECT_EQ(names, "gauge switch track user btn cap ");
    for (const auto& object : f.Skin->ObjectList)
        object->ObjectRect = object->SkinRect;
    auto draw = [&](TspActiveSkinObject* object) {
        auto t = std::make_unique<TTarget>(100, 60);
        object->Draw(t->Bitmap.Canvas(), true);
        return t;
    };

    auto* gauge = dynamic_cast<TspSkinGaugeObject*>(f.Object("gauge"));
    gauge->SetValue(5);
    auto t = draw(gauge);
    EXPECT_EQ(t->Pixel(9, 1), StripColour(9, 1));      // filled part: active
    EXPECT_EQ(t->Pixel(10, 1), PictureColour(10, 1));  // the rest: normal

    std::vector<std::string> events;
    f.Skin->OnSwitchChangeStateEvent = [&](const std::string& id, TSwitchState state) {
        events.push_back(id + (state == swOn ? " on" : " off"));
    };
    f.Skin->OnTrackBarChangeValueEvent = [&](const std::string& id, int value) {
        events.push_back(id + " " + std::to_string(value));
    };
    f.Skin->OnPaintEvent = [&](const std::string& id, TCanvas*, const TRect& r) {
        events.push_back(id + " paint " + std::to_string(r.Left));
    };

    TspActiveSkinObject* sw = f.Object("switch");
    EXPECT_EQ(draw(sw)->Pixel(1, 6), PictureColour(1, 6));
    sw->MouseDown(1, 6, mbLeft);
    EXPECT_EQ(draw(sw)->Pixel(1, 6), StripColour(9, 1));

    auto* track = dynamic_cast<TspSkinTrackBarObject*>(f.Object("track"));
    track->MouseDown(0 + 19, 10 + 3, mbLeft);  // off the button: jumps there
    EXPECT_EQ(track->Value(), 16);
    t = draw(track);
    EXPECT_EQ(t->Pixel(5, 10), StripColour(5, 6));        // left of the button: active
    EXPECT_EQ(t->Pixel(30, 10), PictureColour(30, 10));   // right of it: normal
    EXPECT_EQ(t->Pixel(19, 13), StripColour(43, 3));      // the button, centred on 19

    draw(f.Object("user"));

    auto* btn = dynamic_cast<TspSkinButtonObject*>(f.Object("btn"));
    btn->MouseEnter();
    btn->MouseDown(71, 1, mbLeft);
    EXPECT_EQ(draw(btn)->Pixel(71, 1), StripColour(21, 1));

    // A caption's text is cut to its text rectangle.
    auto* cap = dynamic_cast<TspSkinCaptionObject*>(f.Object("cap"));
    cap->SetText(std::string(40, 'W'));
    t = draw(cap);
    int white = 0;
    for (int y = 40; y < 50; ++y) {
        for (int x = 40; x < 70; ++x)
            white += GetGValue(t->Pixel(x, y)) > 230 ? 1 : 0;
        for (int x = 72; x < 100; ++x)
            ASSERT_EQ(t->Pixel(x, y), PictureColour(x, y)) << x << "," << y;
    }
    EXPECT_GT(white, 10);

    const std::vector<std::string> expected{"switch on", "track 16", "user paint 60"};
    EXPECT_EQ(events, expected);
}

// A form smaller than the skin's frame grows to the frame's minimum when
// the skin comes; a captured object keeps every other object cold.
TEST(DynamicSkinForm, SkinGrowsASmallFormAndCaptureHoldsTheHotObject)
{
    TSkinnedForm f({}, false);
    f.Form->SetBounds(100, 100, 30, 20);
    f.Apply({});
    // The skinless frame's own minimum already widened it.
    EXPECT_GT(f.Skin->GetMinHeight(), f.Skin->GetDefCaptionHeight() + 6);
    EXPECT_GE(f.Form->Width(), f.Skin->GetMinWidth());
    EXPECT_EQ(f.Form->Height(), f.Skin->GetMinHeight());

    f.Form->SetBounds(100, 100, 200, 100);
    f.Skin->FormActive = true;
    const int close = 2;  // the test skin's third object
    ASSERT_EQ(f.Skin->ObjectList[close]->IDName, "closebutton");
    const POINT atMax = skintest::Centre(f.Object("maxbutton")->ObjectRect);
    const POINT atClose = skintest::Centre(f.Object("closebutton")->ObjectRect);
    f.Skin->CaptureObject = close;
    f.Skin->TestActive(atMax.x, atMax.y, true);
    EXPECT_EQ(f.Skin->ActiveObject, -1);
    EXPECT_FALSE(f.Object("maxbutton")->MouseIn);
    f.Skin->TestActive(atClose.x, atClose.y, true);
    EXPECT_EQ(f.Skin->ActiveObject, close);
    EXPECT_TRUE(f.Object("closebutton")->MouseIn);
    f.Skin->CaptureObject = -1;
    f.Skin->TestActive(atMax.x, atMax.y, true);
    EXPECT_FALSE(f.Object("closebutton")->MouseIn);
    EXPECT_TRUE(f.Object("maxbutton")->MouseIn);
}

namespace {

// Button-style animations, one per command.
const char* const AnimationsSkin =
    "[VERSION]\nskinname=animations\n[PICTURES]\npicture=p\n[FORMINFO]\nclientrect=5,30,95,55\n"
    "[SKINOBJECTS]\ncount=3\n0=sys:animate\n1=own:animate\n2=min:animate\n"
    "[sys]\nskinrect=10,5,20,15\nbuttonstyle=1\ncommand=cmsysmenu\n"
    "[own]\nskinrect=30,5,40,15\nbuttonstyle=1\ncommand=cmdefault\n"
    "[min]\nskinrect=50,5,60,15\nbuttonstyle=1\ncommand=cmminimize\n"
    "[SKINCONTROLS]\ncount=0\n";

}  // namespace

// A button-style animation released under the mouse runs its command: the
// system menu or its own menu opens under it; minimizing twice stays
// minimized.
TEST(DynamicSkinForm, AnimationButtonsRunTheirCommands)
{
    Application->SetMainForm(nullptr);
    TSkinnedForm f({.Text = AnimationsSkin});
    f.Form->Show();
    auto release = [&](const char* name) {
        TspActiveSkinObject* object = f.Object(name);
        object->MouseEnter();
        object->MouseDown(0, 0, mbLeft);
        object->MouseUp(0, 0, mbLeft);
    };
    TspSkinMenu* menu = f.Skin->SkinMenu();
    auto* own = new TPopupMenu(f.Form.get());
    AddItem(own->Items(), "One", own);
    AddItem(own->Items(), "Two", own);
    dynamic_cast<TspSkinAnimateObject*>(f.Object("own"))->PopupMenu = own;
    for (const auto& [name, items] : {std::pair{"sys", 5}, {"own", 2}}) {
        release(name);
        ASSERT_TRUE(menu->Active()) << name;
        EXPECT_EQ(menu->Levels()[0]->ItemCount(), items) << name;
        EXPECT_EQ(menu->Levels()[0]->Top(), f.Form->Top() + f.Object(name)->ObjectRect.Bottom) << name;
        menu->CloseMenu();
    }
    release("min");
    release("min");
    EXPECT_EQ(f.Skin->WindowState, 1);
}

namespace {

// The frame skin with a main-menu band across the top strip (20, 20) -
// (60, 24) and a "MAINMENUITEM" record 20 wide whose text area leaves 2
// pixels at either end; the hot look is green.
TSkinOptions MainMenuSkin()
{
    std::string text = SkinText("mainmenurect=20,20,60,24\n");
    const std::string objects = "count=6\n";
    text.replace(text.find(objects), objects.size(), "count=7\n6=MAINMENUITEM:mainmenuitem\n");
    text.insert(text.find("[SKINCONTROLS]"),
                "[MAINMENUITEM]\nskinrect=20,20,40,24\ntextrect=2,0,18,4\nitemleftoffset=2\nitemrightoffset=2\n"
                "activepictureindex=0\nactiveskinrect=0,0,12,4\nfontheight=8\n");
    return {.Text = text};
}

}  // namespace

// The main menu's visible items lie side by side along the band, each as
// wide as its caption needs, drawn from the record; Alt makes the first one
// hot (the walk's order is proved natively), Enter opens an item's menu,
// Escape leaves it for the item and Right moves on from it, Alt with an
// accelerator runs an item; the items go with their menu.
TEST(DynamicSkinForm, MainMenuItemsOnTheFrame)
{
    TSkinnedForm f(MainMenuSkin());
    f.Form->Show();
    auto* menu = new TMainMenu(f.Form.get());
    TMenuItem* file = AddItem(menu->Items(), "&File", menu, "FileItem");
    AddItem(file, "Open", menu, "OpenItem");
    AddItem(menu->Items(), "Hidden", menu, "HiddenItem")->SetVisible(false);
    TMenuItem* help = AddItem(menu->Items(), "&Help and more", menu, "HelpItem");
    int helps = 0;
    help->OnClick = [&](TObject*) { ++helps; };
    f.Skin->SetMainMenu(menu);

    std::vector<TspSkinMainMenuItem*> items = f.Skin->MainMenuItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->IDName, "FileItem");
    EXPECT_EQ(items[1]->IDName, "HelpItem");
    f.Skin->FormActive = true;
    f.Skin->NewWidth = 200;
    f.Skin->NewHeight = 100;
    TTarget t(200, 100);
    f.Skin->PaintNCSkin(t.DC());
    const TRect a = items[0]->ObjectRect, b = items[1]->ObjectRect;
    EXPECT_EQ(a.Left, f.Skin->Layout.NewMainMenuRect.Left);
    EXPECT_EQ(a.Top, 20);
    EXPECT_EQ(a.Bottom, 24);
    EXPECT_EQ(b.Left, a.Right);
    EXPECT_GT(b.Right - b.Left, a.Right - a.Left);
    // The record's right end closes each item, wherever it ends.
    EXPECT_EQ(t.Pixel(a.Right - 1, 21), PictureColour(39, 21));
    EXPECT_EQ(t.Pixel(b.Right - 1, 21), PictureColour(39, 21));

    f.Skin->MainMenuEnter();
    ASSERT_TRUE(f.Skin->InMainMenu);
    EXPECT_TRUE(items[0]->Active);
    EXPECT_EQ(t.Pixel(a.Left, 20), PictureColour(20, 20));
    TTarget hot(200, 100);
    f.Skin->PaintNCSkin(hot.DC());
    EXPECT_EQ(hot.Pixel(a.Left, 20), ActiveGreen);
    // Escape leaves the item's menu, not main-menu mode.
    for (const WORD key : {VK_RETURN, VK_ESCAPE})
        skintest::OfferKey(key);
    EXPECT_FALSE(f.Skin->SkinMenu()->Active());
    EXPECT_TRUE(f.Skin->InMainMenu);
    EXPECT_FALSE(f.Skin->InSkinMenu);
    EXPECT_TRUE(items[0]->Active && !items[0]->Down);
    skintest::OfferKey(VK_RETURN);
    EXPECT_TRUE(items[0]->Down);
    EXPECT_TRUE(f.Skin->SkinMenu()->Active());
    EXPECT_TRUE(f.Skin->InSkinMenu);
    EXPECT_TRUE(skintest::OfferKey(VK_RIGHT));  // "Open" opens nothing: on to the next item
    EXPECT_FALSE(items[0]->Down);
    EXPECT_TRUE(items[1]->Active);
    EXPECT_FALSE(f.Skin->SkinMenu()->Active());
    EXPECT_TRUE(f.Skin->InMainMenu);
    EXPECT_EQ(helps, 0);
    skintest::OfferKey(VK_ESCAPE);
    EXPECT_FALSE(f.Skin->InMainMenu);
    EXPECT_FALSE(items[1]->Active);
    EXPECT_FALSE(static_cast<bool>(Application->OnMessage));

    TWMKey altH{WM_SYSKEYDOWN, 'H', 0x20000001, 0};
    bool handled = false;
    f.Skin->FormShortCut(altH, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(helps, 1);
    EXPECT_FALSE(f.Skin->InMainMenu);

    // An item freed on its own leaves the frame.
    delete help;
    ASSERT_EQ(f.Skin->MainMenuItems().size(), 1u);
    f.Skin->PaintNCSkin(t.DC());
    delete menu;
    EXPECT_TRUE(f.Skin->MainMenuItems().empty());
}

// Where a skin object lies over the main-menu band, the main-menu item
// under it takes the mouse, and the object's look is drawn over the item's.
TEST(DynamicSkinForm, MainMenuItemsComeBeforeTheSkinsObjects)
{
    TSkinOptions options = MainMenuSkin();
    const std::string objects = "count=7\n";
    options.Text.replace(options.Text.find(objects), objects.size(), "count=8\n7=over:button\n");
    options.Text.insert(options.Text.find("[SKINCONTROLS]"),
                        "[over]\nskinrect=24,20,30,24\nactivepictureindex=2\nactiveskinrect=0,0,6,4\n");
    TSkinnedForm f(options);
    f.Form->Show();
    auto* menu = new TMainMenu(f.Form.get());
    AddItem(AddItem(menu->Items(), "&File", menu, "FileItem"), "Open", menu);
    f.Skin->SetMainMenu(menu);
    f.Skin->FormActive = true;
    f.Skin->NewWidth = 200;
    f.Skin->NewHeight = 100;
    TTarget t(200, 100);
    f.Skin->PaintNCSkin(t.DC());
    const std::vector<TspSkinMainMenuItem*> items = f.Skin->MainMenuItems();
    ASSERT_EQ(items.size(), 1u);
    ASSERT_NE(f.Object("over"), nullptr);
    ASSERT_EQ(f.Object("over")->ObjectRect, (TRect{24, 20, 30, 24}));
    ASSERT_GT(items[0]->ObjectRect.Right, 30);

    f.Skin->TestActive(26, 21, true);
    ASSERT_GE(f.Skin->ActiveObject, 0);
    EXPECT_EQ(f.Skin->ObjectList[static_cast<size_t>(f.Skin->ActiveObject)].get(), items[0]);
    EXPECT_TRUE(items[0]->Active);
    items[0]->Active = true;
    f.Object("over")->Active = true;
    TTarget hot(200, 100);
    f.Skin->PaintNCSkin(hot.DC());
    EXPECT_EQ(hot.Pixel(items[0]->ObjectRect.Left, 21), ActiveGreen);
    EXPECT_EQ(hot.Pixel(26, 21), StripColour(2, 1));
}

// In client-area mode a control on a named skin area follows the area as
// the form's size moves the skin's parts; rolling up shows the roll-up
// picture's height and hides exactly the children that were visible; a
// skin change keeps a roll-up the new skin can show and undoes one it
// cannot.
TEST(DynamicSkinForm, ClientAreaControlsAndRollUpAcrossSkinChanges)
{
    TSkinnedForm f({}, false);
    f.Skin->SetSupportNCArea(false);
    f.Form->SetBorderStyle(bsNone);
    auto* placed = new TspSkinControl(f.Form.get());
    placed->SetParent(f.Form.get());
    placed->SetAlign(alTop);
    placed->AreaName = "panelarea";
    auto* hidden = new TButton(f.Form.get());
    hidden->SetParent(f.Form.get());
    hidden->Hide();
    TSkinOptions options{.Text = SkinText(""), .RollUp = true};
    options.Text.insert(options.Text.find("[SKINCONTROLS]"), "[SKINAREAS]\ncount=1\n0=panelarea:70,10,90,20\n");
    f.Apply(options);
    EXPECT_EQ(placed->Align(), alNone);
    ASSERT_EQ(f.Skin->AreaControlList.size(), 1u);
    // In the right-top corner: the area moves with the width.
    const int dx = f.Form->Width() - 100;
    EXPECT_EQ(placed->Left(), 70 + dx);
    EXPECT_EQ(placed->Width(), 20);
    const int top = placed->Top();
    f.Form->SetWidth(f.Form->Width() + 20);
    EXPECT_EQ(placed->Left(), 90 + dx);
    EXPECT_EQ(placed->Top(), top);

    const int height = f.Form->Height();
    auto* freed = new TButton(f.Form.get());
    freed->SetParent(f.Form.get());
    f.Skin->SetRollUpState(true);
    f.Apply(options);
    EXPECT_TRUE(f.Skin->RollUpState);
    EXPECT_EQ(f.Form->Height(), 20);
    EXPECT_FALSE(placed->Visible());
    // A child freed while rolled up is not to be shown again.
    delete freed;
    ASSERT_EQ(f.Skin->HiddenControls(), std::vector<TControl*>{placed});
    f.Skin->SetRollUpState(false);
    EXPECT_TRUE(placed->Visible());
    EXPECT_FALSE(hidden->Visible());
    EXPECT_EQ(f.Form->Height(), height);
    f.Skin->SetRollUpState(true);
    options.RollUp = false;
    f.Apply(options);
    EXPECT_FALSE(f.Skin->RollUpState);
    EXPECT_TRUE(placed->Visible());
    EXPECT_FALSE(hidden->Visible());
    EXPECT_EQ(f.Form->Height(), height);
    EXPECT_EQ(placed->Left(), 70 + f.Form->Width() - 100);
}

// In client-area mode the form's cursor follows the mouse over the skin:
// the hot object's cursor, else the form's, else the default one, counted
// from the skin's first cursor.
TEST(DynamicSkinForm, SkinCursorsFollowTheMouse)
{
    TSkinnedForm f({}, false);
    f.Skin->SetSupportNCArea(false);
    f.Skin->UseSkinCursors = true;
    f.Form->SetBorderStyle(bsNone);
    f.Form->Show();
    auto cursorOver = [&](const char* object, const std::string& formCursor) {
        std::string text = SkinText(formCursor) + "[CURSORS]\nstartcursorindex=10\n";
        text.replace(text.find("[closebutton]\n"), 14, "[closebutton]\ncursorindex=5\n");
        f.Apply({.Text = text});
        POINT p = skintest::Centre(f.Object(object)->ObjectRect);
        ClientToScreen(f.Form->Handle(), &p);
        SetCursorPos(p.x, p.y);
        f.Skin->MouseTimer()->OnTimer(nullptr);
        return f.Form->Cursor();
    };
    EXPECT_EQ(cursorOver("closebutton", "cursorindex=2\n"), 15);
    EXPECT_EQ(cursorOver("maxbutton", "cursorindex=2\n"), 12);
    f.Form->SetCursor(crHandPoint);
    EXPECT_EQ(cursorOver("maxbutton", ""), crDefault);
}

namespace {

// Whether a skinned hint window shows.
bool HintShown()
{
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "TspSkinHintWindow", nullptr)) != nullptr;)
        if (IsWindowVisible(w))
            return true;
    return false;
}

}  // namespace

// A hot object's hint shows through the hint component after the pause
// and goes when the object is left.
TEST(DynamicSkinForm, ObjectHintsFollowTheHotObject)
{
    TSkinnedForm f;
    f.Skin->FormActive = true;
    auto* hint = new TspSkinHint(f.Form.get());
    f.Skin->SetSkinHint(hint);
    f.Skin->ShowObjectHint = true;
    TspActiveSkinObject* close = f.Object("closebutton");
    close->Hint = "Closes the form";
    // The hint window serves the main form's hint component.
    Application->SetMainForm(f.Form.get());
    const int pause = Application->HintPause;
    Application->HintPause = 1;
    ASSERT_FALSE(HintShown());
    const TRect& r = close->ObjectRect;
    f.Skin->TestActive((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2, true);
    for (int i = 0; i < 50 && !HintShown(); ++i) {
        Application->ProcessMessages();
        Sleep(10);
    }
    EXPECT_TRUE(HintShown());
    f.Skin->TestActive(-1, -1, false);
    EXPECT_FALSE(HintShown());
    Application->HintPause = pause;
    Application->SetMainForm(nullptr);
}
