// The skinned menu bar on a real form under Wine: the default looks as
// pixels, menus opened by posted clicks and switched by mouse moves through
// a skinned form that hosts the menu engine, the keyboard walk of
// main-menu mode, and the MDI buttons giving the band back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "classlib/graphics/Colors.h"
#include "classlib/ui/Menus.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/forms/SkinMenu.h"
#include "skin/forms/SkinMenuHost.h"
#include "skin/forms/SkinMenuItem.h"
#include "skin/forms/SkinPopupWindow.h"
#include "../../classlib/win/UiTestSupport.h"
#include "../../support/ScreenPixels.h"

namespace {

class SkinMainMenuBarTest : public uitest::UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        Form = new TForm(nullptr);
        Form->SetBounds(60, 60, 400, 200);
        Menu = new TMainMenu(Form);
        File = AddItem(Menu->Items(), "&File");
        AddItem(File, "&Open");
        AddItem(File, "&Save");
        Edit = AddItem(Menu->Items(), "&Edit");
        AddItem(Edit, "&Copy");
        Help = AddItem(Menu->Items(), "&Help");
        Help->OnClick = [this](TObject*) { ++HelpClicks; };
        SkinForm = new TspDynamicSkinForm(Form);
        Bar = new TspSkinMainMenuBar(Form);
        Bar->SetParent(Form);
        Bar->SetDynamicSkinForm(SkinForm);
        Bar->SetMainMenu(Menu);
        Form->Show();
        Drain();
        Bar->Repaint();
    }

    TMenuItem* AddItem(TMenuItem* parent, const std::string& caption)
    {
        auto* item = new TMenuItem(Form);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }

    POINT Centre(int itemIndex)
    {
        const TRect r = Bar->Items()[static_cast<size_t>(itemIndex)]->ObjectRect;
        return POINT{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }

    void Post(UINT msg, POINT p, WPARAM keys = 0)
    {
        PostMessageA(Bar->Handle(), msg, keys, MAKELPARAM(p.x, p.y));
        Drain();
    }

    TForm* Form = nullptr;
    TMainMenu* Menu = nullptr;
    TMenuItem *File = nullptr, *Edit = nullptr, *Help = nullptr;
    TspDynamicSkinForm* SkinForm = nullptr;
    TspSkinMainMenuBar* Bar = nullptr;
    int HelpClicks = 0;
};

TMenuItem* OpenMenuItem(TspSkinMenu* engine)
{
    if (engine->Levels().empty() || engine->Levels()[0]->ItemCount() == 0)
        return nullptr;
    return engine->Levels()[0]->Items(0)->MenuItem->Parent();
}

TEST_F(SkinMainMenuBarTest, ClickOpensAndMovingSwitchesTheMenu)
{
    ASSERT_EQ(Bar->Items().size(), 3u);
    // A hot item shows the default hot look, the others the plain face.
    const POINT file = Centre(0);
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
    EXPECT_EQ(OpenMenuItem(SkinForm->SkinMenu()), File);

    // No click: moving onto the next item moves the open menu there.
    Post(WM_MOUSEMOVE, Centre(1));
    EXPECT_FALSE(Bar->Items()[0]->Down);
    EXPECT_TRUE(Bar->Items()[1]->Down);
    EXPECT_EQ(OpenMenuItem(SkinForm->SkinMenu()), Edit);
    ASSERT_EQ(SkinForm->SkinMenu()->Levels().size(), 1u);

    // Leaving the bar for the menu keeps the open item.
    Post(WM_MOUSEMOVE, POINT{Bar->Width() - 2, 5});
    EXPECT_TRUE(Bar->Items()[1]->Down);
    SkinForm->SkinMenu()->CloseMenu();
    Drain();
}

// The keyboard walk (wrapping and skipping are proved natively): the mode
// is announced, a disabled item is passed over and not reached by its
// accelerator, and Enter on an item without children runs its command and
// ends the mode.
TEST_F(SkinMainMenuBarTest, KeyboardWalkSkipsDisabledItemsAndRunsACommand)
{
    Edit->SetEnabled(false);
    Bar->SetMainMenu(Menu);
    auto items = Bar->Items();
    int entered = 0;
    SkinForm->OnMainMenuEnter = [&](TObject* sender) { entered += sender == Bar; };
    Bar->MenuKeyMode();
    EXPECT_TRUE(Bar->MenuMode && SkinForm->InMainMenu);
    EXPECT_EQ(entered, 1);
    EXPECT_TRUE(items[0]->Active);
    Bar->NextItem();
    EXPECT_FALSE(items[0]->Active || items[1]->Active);
    EXPECT_TRUE(items[2]->Active);
    EXPECT_FALSE(Bar->FindAccelItem('e'));
    EXPECT_TRUE(Bar->FindAccelItem('f'));
    EXPECT_TRUE(items[0]->Active && !items[2]->Active);

    EXPECT_TRUE(Bar->FindAccelItem('H'));
    EXPECT_TRUE(Bar->ClickDownItem());
    EXPECT_EQ(HelpClicks, 1);
    EXPECT_FALSE(SkinForm->InMainMenu || Bar->MenuMode);
}

// Items that do not fit are hidden and out of reach of the mouse; the MDI
// buttons take the band's ends and give it back.
TEST_F(SkinMainMenuBarTest, NarrowBarHidesItemsAndMdiButtonsGiveTheBandBack)
{
    Bar->CalcRects();
    const int firstLeft = Bar->Items()[0]->ObjectRect.Left;
    Bar->ShowMDIButtons();
    Bar->CalcRects();
    ASSERT_EQ(Bar->MDIButtonCount(), 4);
    EXPECT_GT(Bar->Items()[0]->ObjectRect.Left, firstLeft);
    Bar->HideMDIButtons();
    Bar->CalcRects();
    EXPECT_EQ(Bar->MDIButtonCount(), 0);
    EXPECT_EQ(Bar->Items()[0]->ObjectRect.Left, firstLeft);

    // An invisible menu item has no place on the bar but keeps its place
    // in the menu the track mark opens.
    auto* invisible = new TMenuItem(Form);
    invisible->SetCaption("&Invisible");
    invisible->SetVisible(false);
    Menu->Items()->Insert(0, invisible);
    Bar->SetMainMenu(Menu);
    Bar->CalcRects();
    ASSERT_EQ(Bar->Items().size(), 3u);
    // Narrower than a skinned form can be: the bar alone.
    const int narrow = Bar->Items()[1]->ObjectRect.Right + 8;
    Bar->SetAlign(alNone);
    Bar->SetWidth(narrow);
    Bar->CalcRects();
    ASSERT_TRUE(Bar->HasHiddenItems);
    EXPECT_FALSE(Bar->Items()[2]->Visible);
    Post(WM_LBUTTONDOWN, Centre(2), MK_LBUTTON);
    Post(WM_LBUTTONUP, Centre(2));
    EXPECT_EQ(HelpClicks, 0);
    // The track mark offers the menu from the hidden item on.
    const TRect mark = Bar->TrackMarkRect();
    Post(WM_LBUTTONDOWN, POINT{mark.Left + 1, mark.Top + 2}, MK_LBUTTON);
    Post(WM_LBUTTONUP, POINT{mark.Left + 1, mark.Top + 2});
    ASSERT_EQ(SkinForm->SkinMenu()->Levels().size(), 1u);
    EXPECT_EQ(SkinForm->SkinMenu()->Levels()[0]->Items(0)->MenuItem, Help);
    SkinForm->SkinMenu()->CloseMenu();
    Drain();
}

// A morphing highlight takes exactly ten 20 ms steps and ends exactly on
// the highlighted look.
TEST_F(SkinMainMenuBarTest, HighlightMorphsInTenSteps)
{
    TspSkinMainMenuBarItem* item = Bar->Items()[0];
    item->Morphing = true;
    int ticks = 0;
    const auto step = Bar->BarMorphTimer()->OnTimer;
    Bar->BarMorphTimer()->OnTimer = [&](TObject* sender) {
        ++ticks;
        step(sender);
    };
    item->MouseEnter();
    EXPECT_TRUE(PumpUntil([&] { return !Bar->BarMorphTimer()->Enabled(); }));
    EXPECT_EQ(item->MorphKf(), 1.0);
    EXPECT_EQ(ticks, 11);  // ten steps and the tick that finds nothing left to move
}

}  // namespace
