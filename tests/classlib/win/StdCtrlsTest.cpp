// Standard controls under Wine, driven through real messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StdCtrlsTestSupport.h"
#include "UiTestSupport.h"
#include "classlib/ui/CheckLst.h"
#include "classlib/ui/StdCtrls.h"

namespace {

using uitest::TWindowShot;
using uitest::UiTest;

class StdCtrlsTest : public UiTest {};

// (The grayed state: nothing in the program sets it.)
TEST_F(StdCtrlsTest, CheckBoxClickTogglesAndFiresOnClickOnce)
{
    TForm* form = MakeForm();
    auto* box = AddControl<TCheckBox>(form, 10, 10, 120, 20);
    box->SetCaption("Sound");
    std::vector<bool> clicks;
    box->OnClick = [&](TObject* sender) { clicks.push_back(sender == box && box->Checked()); };
    const HWND wnd = box->Handle();
    EXPECT_EQ(WindowText(wnd), "Sound");

    SendMessageA(wnd, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(wnd, BM_GETCHECK, 0, 0), BST_CHECKED);
    PressKey(box, VK_SPACE);  // the space key clicks too
    EXPECT_EQ(SendMessageA(wnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(clicks, (std::vector<bool>{true, false})) << "checked before OnClick runs";
    EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & BS_TYPEMASK, BS_3STATE) << "the window never checks itself";
}

// The settings dialog sets each of its radio buttons itself: only this test
// proves the exclusion.
TEST_F(StdCtrlsTest, RadioButtonsExcludeTheirSiblingsOnly)
{
    TForm* form = MakeForm();
    auto* a = AddControl<TRadioButton>(form, 10, 10, 100, 20);
    auto* b = AddControl<TRadioButton>(form, 10, 30, 100, 20);
    auto* group = AddControl<TGroupBox>(form, 150, 10, 140, 100);
    auto* c = AddControl<TRadioButton>(group, 10, 20, 100, 20);
    std::vector<std::string> clicks;
    const auto record = [&](const char* name) { return [&clicks, name](TObject*) { clicks.push_back(name); }; };
    a->OnClick = record("a");
    b->OnClick = record("b");
    c->OnClick = record("c");

    SendMessageA(a->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(a->Checked());
    SendMessageA(c->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(a->Checked()) << "another parent's radio buttons are another group";
    EXPECT_TRUE(c->Checked());

    b->SetChecked(true);
    EXPECT_EQ(SendMessageA(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(clicks, (std::vector<std::string>{"a", "c", "b"}));
}

TEST_F(StdCtrlsTest, ComboBoxItemsAndIndexExistBeforeTheWindowAndSurviveItsRecreation)
{
    TForm* form = MakeForm(300, 200, false);
    auto* combo = AddControl<TComboBox>(form, 10, 10, 150, 21);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->Items()->SetCommaText("black,green,blue");
    combo->SetItemIndex(3);
    EXPECT_EQ(combo->ItemIndex(), -1) << "out of range selects none";
    combo->SetItemIndex(2);

    form->Show();
    const HWND wnd = combo->Handle();
    EXPECT_EQ(SendMessageA(wnd, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(wnd, CB_GETCURSEL, 0, 0), 2);
    char text[32] = {};
    SendMessageA(wnd, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "black");

    // A new window keeps the items and the index.
    combo->SetStyle(csDropDownList);
    EXPECT_NE(combo->Handle(), wnd);
    EXPECT_EQ(combo->Items()->CommaText(), "black,green,blue");
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(changes, 0) << "the setter never fires OnChange";
}

TEST_F(StdCtrlsTest, EditTextRoundTripsAndTypingFiresOnChange)
{
    TForm* form = MakeForm(300, 200, false);
    auto* edit = AddControl<TEdit>(form, 10, 10, 150, 21);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("before");
    EXPECT_EQ(changes, 1) << "a change without a window too";

    form->Show();
    Activate(form);
    const HWND wnd = edit->Handle();
    EXPECT_EQ(WindowText(wnd), "before");
    edit->SetText("abc");
    EXPECT_EQ(WindowText(wnd), "abc");
    edit->SetText("abc");
    EXPECT_EQ(changes, 2) << "the same text is no change";

    // Typed text (nothing in the program sets MaxLength or OnKeyPress).
    edit->SetFocus();
    SendMessageA(wnd, EM_SETSEL, 3, 3);
    for (const char c : std::string("defgh"))
        SendMessageA(wnd, WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ(edit->Text(), "abcdefgh");
    EXPECT_GE(changes, 7) << "each typed character is a change";
    // Typed text survives the parent's new window (not through the edit's own DestroyHandle).
    form->RecreateWnd();
    EXPECT_EQ(WindowText(edit->Handle()), "abcdefgh");
}

// Measuring goes through the same text drawing as painting, so "&" counts
// as it is shown.
TEST_F(StdCtrlsTest, LabelsPaintTheirCaptionOnTheParentAndMeasureItAsShown)
{
    TForm* form = MakeForm(300, 150);
    form->SetColor(RGB(0, 0, 255));
    const auto make = [&](auto* label, const char* caption) {
        label->Font()->SetName("Arial");
        label->Font()->SetHeight(-20);
        label->SetCaption(caption);
        label->SetParent(form);
        return label;
    };
    auto* plain = make(new TLabel(form), "W&&W");
    auto* accel = make(new TCustomLabel(form), "W&&W");
    auto* lone = make(new TCustomLabel(form), "&");
    auto* space = make(new TCustomLabel(form), " ");
    EXPECT_GT(plain->Width(), accel->Width()) << "\"&&\" shows one \"&\" only with ShowAccelChar";
    EXPECT_EQ(lone->Width(), space->Width()) << "a lone \"&\" measures as a space";
    EXPECT_GT(lone->Width(), 0);

    plain->SetLeft(150);
    plain->SetTop(10);
    plain->Font()->SetColor(RGB(255, 0, 0));
    plain->SetColor(RGB(0, 255, 0));
    accel->SetAutoSize(false);
    accel->SetBounds(20, 40, 100, 80);
    accel->Font()->SetColor(RGB(255, 0, 0));
    accel->SetTransparent(true);
    accel->SetLayout(tlBottom);
    const RECT bounds = plain->BoundsRect();
    {
        const TWindowShot shot(form->Handle());
        EXPECT_GT(shot.CountNear(bounds, RGB(255, 0, 0), 60), 20) << "the caption in the font's colour";
        EXPECT_GT(shot.CountNear(bounds, RGB(0, 255, 0)), 20) << "an opaque label fills its rectangle";
        EXPECT_EQ(shot.CountNear(RECT{150, bounds.bottom + 5, 300, 150}, RGB(255, 0, 0), 60), 0);
        // tlBottom: nothing in the upper half.
        EXPECT_EQ(shot.CountNear(RECT{20, 40, 120, 80}, RGB(255, 0, 0), 60), 0);
        EXPECT_GT(shot.CountNear(RECT{20, 80, 120, 120}, RGB(255, 0, 0), 60), 10);
    }
    plain->SetTransparent(true);
    const TWindowShot shot(form->Handle());
    EXPECT_GT(shot.CountNear(bounds, RGB(255, 0, 0), 60), 20);
    EXPECT_EQ(shot.CountNear(bounds, RGB(0, 255, 0)), 0);
    EXPECT_GT(shot.CountNear(bounds, RGB(0, 0, 255)), 20) << "the parent shows through";
}

// (WantReturns, WantTabs and the memo's styles: nothing in the program sets them.)
TEST_F(StdCtrlsTest, MemoLinesFollowTheTextBothWaysAndItTakesReturnsButNotTabs)
{
    TForm* form = MakeForm(300, 200, false);
    auto* memo = AddControl<TMemo>(form, 10, 10, 200, 100);
    TStrings* lines = memo->Lines();
    lines->Add("first");
    lines->Add("second");
    EXPECT_EQ(memo->Text(), "first\r\nsecond\r\n") << "no window yet";

    form->Show();
    const HWND wnd = memo->Handle();
    EXPECT_EQ(WindowText(wnd), "first\r\nsecond\r\n");
    // What the user typed is what Lines reads.
    SetWindowTextA(wnd, "a\r\nb\r\nc");
    EXPECT_EQ(lines->CommaText(), "a,b,c");

    lines->Clear();
    const auto type = [&](char c) { SendMessageA(memo->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1); };
    type('a');
    type('\r');
    type('\t');
    EXPECT_EQ(memo->Text(), "a\r\n") << "a Return but no Tab by default";
    EXPECT_EQ(memo->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 1) << "Return stays with the memo, not the form";
    EXPECT_EQ(memo->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 0);
}

// The check list box: check marks with and without a window, toggling by
// mouse and keyboard. (Nothing in the program edits the items of a list,
// a combo box or a memo by index: they are filled from descriptions.)
TEST_F(StdCtrlsTest, CheckListBoxMarksMoveWithTheirItemsAndToggleInTheCheckAreaOrBySpace)
{
    TForm* form = MakeForm(300, 200, false);
    auto* list = AddControl<TCheckListBox>(form, 10, 10, 200, 150);
    int clickChecks = 0;
    list->OnClickCheck = [&](TObject* sender) { clickChecks += sender == list ? 1 : 100; };
    list->Items()->SetCommaText("Angel,Clown,Tang");
    list->SetChecked(1, true);
    list->SetItemIndex(2);
    EXPECT_TRUE(list->Checked(1));

    form->Show();
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCURSEL, 0, 0), 2);
    // Kept through the parent's new window.
    form->RecreateWnd();
    EXPECT_TRUE(list->Checked(1));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_THROW(list->Checked(3), EListError);
    EXPECT_EQ(clickChecks, 0) << "the setter fires nothing";

    Activate(form);
    list->SetFocus();
    const HWND wnd = list->Handle();
    const auto itemRect = [&](int index) {
        RECT rect{};
        SendMessageA(wnd, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    };
    const RECT first = itemRect(0);
    ClickAt(wnd, first.left + 5, (first.top + first.bottom) / 2);
    EXPECT_TRUE(list->Checked(0));
    EXPECT_EQ(clickChecks, 1);
    EXPECT_EQ(list->ItemIndex(), 0) << "the click selects the item as well";
    // A click on the text selects without toggling; below the last item nothing toggles.
    const RECT third = itemRect(2);
    ClickAt(wnd, third.left + 80, (third.top + third.bottom) / 2);
    ClickAt(wnd, 5, third.bottom + 30);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_FALSE(list->Checked(2));
    EXPECT_EQ(clickChecks, 1);
    // The space key toggles the selected item.
    SendMessageA(wnd, WM_CHAR, ' ', 1);
    EXPECT_TRUE(list->Checked(2));
    EXPECT_EQ(clickChecks, 2);
}

}  // namespace
