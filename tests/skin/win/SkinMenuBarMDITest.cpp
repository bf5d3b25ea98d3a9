// The skinned menu bar on a real MDI frame under Wine: the frame carries a
// skinned form and the bar, its children their own skinned forms. A child
// maximized by its frame button brings the bar's MDI buttons, enabled by
// the child's border icons; real clicks on them restore, minimize and close
// the active child or open its system menu, and the buttons go when no
// maximized child is left. A bar linked only by its own DynamicSkinForm
// property is served the same, also with the keys of main-menu mode.
#include "DynamicSkinFormTestSupport.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/forms/SkinMenuItem.h"
#include "skin/forms/SkinPopupWindow.h"
#include "../../classlib/win/UiTestSupport.h"
#include "../../support/RealInput.h"

namespace {

using skinformtest::AddItem;

class SkinMenuBarMDITest : public uitest::UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        Frame = new TForm(nullptr);
        Frame->SetFormStyle(fsMDIForm);
        Frame->SetCaption("Frame");
        Frame->SetBounds(100, 80, 560, 400);
        Application->SetMainForm(Frame);
        FrameSkin = new TspDynamicSkinForm(Frame);
        auto* menu = new TMainMenu(Frame);
        AddItem(AddItem(menu->Items(), "&File", menu), "&Open", menu);
        AddItem(menu->Items(), "&Window", menu);
        Bar = new TspSkinMainMenuBar(Frame);
        Bar->SetParent(Frame);
        Bar->SetDynamicSkinForm(FrameSkin);
        Bar->SetMainMenu(menu);
        FrameSkin->SetMainMenuBar(Bar);
        Frame->Show();
        Activate(Frame);
        Drain();
    }

    // A skinned MDI child (the default frame), freed when it closes.
    TForm* MakeChild(const std::string& caption, int left, int top)
    {
        auto* child = new TForm(nullptr);
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(left, top, 220, 140);
        child->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
        new TspDynamicSkinForm(child);
        child->Show();
        Pump();
        return child;
    }
    static TspDynamicSkinForm* SkinOf(TCustomForm* form) { return TspDynamicSkinForm::GetDynamicSkinForm(form); }

    static void Pump()
    {
        for (int i = 0; i < 10; ++i, Sleep(5))
            Application->ProcessMessages();
    }
    // A real left click at a screen point.
    static void ClickAt(POINT screen)
    {
        testsupport::LeftClickAt(screen);
        Pump();
    }
    // A click on a frame button of the child's skinned form.
    void ClickFrameButton(TForm* child, TspStdCommand command)
    {
        TspDynamicSkinForm* skin = SkinOf(child);
        TspActiveSkinObject* button = nullptr;
        for (const auto& object : skin->ObjectList) {
            auto* frameButton = dynamic_cast<TspSkinStdButtonObject*>(object.get());
            if (frameButton != nullptr && frameButton->Command == command)
                button = frameButton;
        }
        ASSERT_NE(button, nullptr);
        RECT window{};
        GetWindowRect(child->Handle(), &window);
        const POINT centre = skintest::Centre(button->ObjectRect);
        ClickAt({window.left + centre.x, window.top + centre.y});
    }
    // The bar's MDI button with `command`, null when the buttons are not shown.
    TspSkinMainMenuBarButton* BarButton(int command) const
    {
        for (int i = 0; i < Bar->MDIButtonCount(); ++i) {
            auto* button = static_cast<TspSkinMainMenuBarButton*>(Bar->ObjectList[static_cast<size_t>(i)].get());
            if (button->Command == command)
                return button;
        }
        return nullptr;
    }
    void ClickBarButton(int command)
    {
        TspSkinMainMenuBarButton* button = BarButton(command);
        ASSERT_NE(button, nullptr);
        ClickAt(Bar->ClientToScreen(skintest::Centre(button->ObjectRect)));
    }
    // The screen pixel at the bar point.
    COLORREF BarPixel(int x, int y)
    {
        const POINT p = Bar->ClientToScreen(POINT{x, y});
        return testsupport::ScreenPixel(p.x, p.y);
    }

    TForm* Frame = nullptr;
    TspDynamicSkinForm* FrameSkin = nullptr;
    TspSkinMainMenuBar* Bar = nullptr;
};

}  // namespace

// The child's maximize button brings the four buttons to the bar, in front
// of the items and drawn there; the bar's restore button brings the child
// back and takes them away again.
TEST_F(SkinMenuBarMDITest, MaximizedChildBringsTheButtonsAndTheirRestoreTakesThemAway)
{
    TForm* child = MakeChild("Child", 20, 20);
    ASSERT_FALSE(Bar->MDIButtonsShown);
    const RECT normal = child->BoundsRect();
    ClickFrameButton(child, cmMaximize);
    ASSERT_EQ(SkinOf(child)->WindowState, 2);
    ASSERT_TRUE(Bar->MDIButtonsShown);
    ASSERT_EQ(Bar->MDIButtonCount(), 4);
    EXPECT_EQ(Bar->Items().size(), 2u);
    for (int command : {0, 1, 2, 3})
        EXPECT_TRUE(BarButton(command)->Enabled) << command;
    // The system-menu button at the left end, the others at the right.
    EXPECT_LT(BarButton(3)->ObjectRect.Right, Bar->Items()[0]->ObjectRect.Left + 1);
    EXPECT_GT(BarButton(0)->ObjectRect.Left, Bar->Width() / 2);
    // The close glyph in the button text colour.
    Bar->Repaint();
    const TRect close = BarButton(0)->ObjectRect;
    const int gx = close.Left + RectWidth(close) / 2 - 5, gy = close.Top + RectHeight(close) / 2 - 4;
    bool glyph = false;
    for (int y = gy; y < gy + 9; ++y)
        for (int x = gx; x < gx + 10; ++x)
            glyph = glyph || testsupport::ColoursNear(BarPixel(x, y), skinformtest::Sys(clBtnText));
    EXPECT_TRUE(glyph);

    ClickBarButton(1);
    EXPECT_EQ(SkinOf(child)->WindowState, 0);
    EXPECT_FALSE(Bar->MDIButtonsShown);
    EXPECT_EQ(Bar->MDIButtonCount(), 0);
    EXPECT_EQ(child->BoundsRect().right - child->BoundsRect().left, normal.right - normal.left);
    EXPECT_EQ(Bar->Items().size(), 2u);
}

// A child without biMinimize or biSystemMenu gets those buttons disabled
// (a click on them does nothing); the
// minimize button of one with them minimizes it; the system-menu button
// opens the child's system menu under itself and comes up when it closes.
TEST_F(SkinMenuBarMDITest, ButtonsFollowTheChildsBorderIconsAndActOnIt)
{
    TForm* child = MakeChild("Child", 20, 20);
    SkinOf(child)->SetBorderIcons(TspBorderIcons{biMaximize} | biRollUp);
    SkinOf(child)->SetWindowState(2);
    Pump();
    ASSERT_TRUE(Bar->MDIButtonsShown);
    EXPECT_FALSE(BarButton(2)->Enabled);
    EXPECT_FALSE(BarButton(3)->Enabled);
    EXPECT_TRUE(BarButton(0)->Enabled && BarButton(1)->Enabled);
    ClickBarButton(2);
    EXPECT_EQ(SkinOf(child)->WindowState, 2);
    ClickBarButton(3);
    EXPECT_FALSE(FrameSkin->SkinMenu()->Active());

    SkinOf(child)->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    SkinOf(child)->SetWindowState(0);
    SkinOf(child)->SetWindowState(2);
    Pump();
    ASSERT_TRUE(BarButton(3)->Enabled);
    ClickBarButton(3);
    ASSERT_TRUE(FrameSkin->SkinMenu()->Active());
    EXPECT_TRUE(BarButton(3)->Down);
    EXPECT_EQ(FrameSkin->SkinMenu()->PopupControl(), Bar);
    // The child's own system menu, under the button.
    TspSkinPopupWindow* level = FrameSkin->SkinMenu()->Levels()[0];
    bool restore = false;
    for (int i = 0; i < level->ItemCount(); ++i)
        restore = restore || level->Items(i)->MenuItem->Name() == "DSF_RESTORE";
    EXPECT_TRUE(restore);
    RECT popup{};
    GetWindowRect(level->Handle(), &popup);
    EXPECT_GE(popup.top, Bar->ClientToScreen(POINT{0, BarButton(3)->ObjectRect.Bottom}).y);
    FrameSkin->SkinMenu()->CloseMenu();
    Pump();
    EXPECT_FALSE(BarButton(3)->Down);

    ClickBarButton(2);
    EXPECT_EQ(SkinOf(child)->WindowState, 1);
    EXPECT_FALSE(Bar->MDIButtonsShown);
}

// With two children, the bar's close button closes the active, maximized
// one and leaves the other. While another child is still maximized the
// buttons stay and follow that child's icons; once none is, they go.
TEST_F(SkinMenuBarMDITest, CloseClosesTheActiveChild)
{
    TForm* first = MakeChild("First", 10, 10);
    SkinOf(first)->SetBorderIcons(biSystemMenu | biMaximize);
    SkinOf(first)->SetWindowState(2);
    TForm* second = MakeChild("Second", 60, 40);
    ClickFrameButton(second, cmMaximize);
    ASSERT_EQ(SkinOf(second)->WindowState, 2);
    ASSERT_TRUE(Bar->MDIButtonsShown);
    ASSERT_EQ(Frame->ActiveMDIChild(), second);
    EXPECT_TRUE(BarButton(2)->Enabled);
    ClickBarButton(0);
    EXPECT_TRUE(PumpUntil([&] { return Frame->MDIChildCount() == 1; }));
    EXPECT_EQ(Frame->MDIChildren(0), first);
    ASSERT_TRUE(Bar->MDIButtonsShown);
    EXPECT_FALSE(BarButton(2)->Enabled);

    ClickBarButton(1);
    EXPECT_EQ(SkinOf(first)->WindowState, 0);
    EXPECT_FALSE(Bar->MDIButtonsShown);
}

// A bar that names the frame's skinned form only by its own DynamicSkinForm
// property (the form's MainMenuBar is not set) gets the MDI buttons and the
// keys of main-menu mode: Alt, Right, Left and an item's accelerator, and
// Alt with the accelerator. The form forgets the bar when the bar lets go
// of it or is freed.
TEST_F(SkinMenuBarMDITest, ABarLinkedByItsOwnPropertyGetsTheButtonsAndTheKeys)
{
    FrameSkin->SetMainMenuBar(nullptr);
    ASSERT_EQ(FrameSkin->MenuBar(), Bar);
    const std::vector<TspSkinMainMenuBarItem*> items = Bar->Items();
    ASSERT_EQ(items.size(), 2u);
    // Without a child the frame has the keys: Alt with an accelerator
    // highlights the bar's item.
    testsupport::AltKey('W');
    EXPECT_TRUE(PumpUntil([&] { return items[1]->Active; })) << "Alt with the accelerator of \"&Window\"";
    EXPECT_FALSE(FrameSkin->InMainMenu);
    items[1]->MouseLeave();

    TForm* child = MakeChild("Child", 20, 20);
    ClickFrameButton(child, cmMaximize);
    ASSERT_TRUE(PumpUntil([&] { return SkinOf(child)->WindowState == 2; }));
    EXPECT_TRUE(Bar->MDIButtonsShown);
    EXPECT_EQ(Bar->MDIButtonCount(), 4);
    // The child has the focus; the accelerator the child does not take is
    // the frame's.
    ASSERT_TRUE(IsChild(child->Handle(), GetFocus()) || GetFocus() == child->Handle());
    testsupport::AltKey('W');
    EXPECT_TRUE(PumpUntil([&] { return items[1]->Active; })) << "Alt with the accelerator, a child focused";
    items[1]->MouseLeave();

    TypeKey(VK_MENU);
    EXPECT_TRUE(PumpUntil([&] { return Bar->MenuMode; }));
    EXPECT_TRUE(FrameSkin->InMainMenu);
    EXPECT_TRUE(items[0]->Active);
    TypeKey(VK_RIGHT);
    EXPECT_TRUE(PumpUntil([&] { return items[1]->Active; }));
    EXPECT_FALSE(items[0]->Active);
    TypeKey(VK_LEFT);
    EXPECT_TRUE(PumpUntil([&] { return items[0]->Active; }));
    TypeKey('W');
    EXPECT_TRUE(PumpUntil([&] { return items[1]->Active; })) << "the accelerator of \"&Window\"";
    TypeKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !FrameSkin->InMainMenu; }));
    EXPECT_FALSE(Bar->MenuMode);
    EXPECT_FALSE(items[1]->Active);

    SkinOf(child)->SetWindowState(0);
    EXPECT_FALSE(Bar->MDIButtonsShown);
    Bar->SetDynamicSkinForm(nullptr);
    EXPECT_EQ(FrameSkin->MenuBar(), nullptr);
    SkinOf(child)->SetWindowState(2);
    EXPECT_FALSE(Bar->MDIButtonsShown);
    SkinOf(child)->SetWindowState(0);

    // A bar of another owner is forgotten by free notification.
    auto* own = new TspSkinMainMenuBar(nullptr);
    own->SetParent(Frame);
    own->SetDynamicSkinForm(FrameSkin);
    EXPECT_EQ(FrameSkin->MenuBar(), own);
    FrameSkin->SetMainMenuBar(own);
    FrameSkin->SetMainMenuBar(nullptr);
    EXPECT_EQ(FrameSkin->MenuBar(), own) << "still linked by its own property";
    delete own;
    EXPECT_EQ(FrameSkin->MenuBar(), nullptr);
    SkinOf(child)->SetWindowState(2);
    EXPECT_EQ(SkinOf(child)->WindowState, 2);
}
