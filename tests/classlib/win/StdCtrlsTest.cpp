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

class StdCtrlsTest : public UiTest {
protected:
    static LONG StyleOf(TWinControl* control) { return GetWindowLongA(control->Handle(), GWL_STYLE); }
};

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

    // Grayed shows as indeterminate; a click makes it checked.
    box->SetState(cbGrayed);
    EXPECT_EQ(SendMessageA(wnd, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    SendMessageA(wnd, BM_CLICK, 0, 0);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(StyleOf(box) & BS_TYPEMASK, BS_3STATE) << "the window never checks itself";
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
    combo->Items()->SetCommaText("red,green,blue");
    combo->SetItemIndex(3);
    EXPECT_EQ(combo->ItemIndex(), -1) << "out of range selects none";
    combo->SetItemIndex(2);
    // Without a window the index follows insertions and deletions.
    combo->Items()->Insert(0, "black");
    EXPECT_EQ(combo->ItemIndex(), 3);
    combo->Items()->Delete(1);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Items()->CommaText(), "black,green,blue");

    form->Show();
    const HWND wnd = combo->Handle();
    EXPECT_EQ(SendMessageA(wnd, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(wnd, CB_GETCURSEL, 0, 0), 2);
    char text[32] = {};
    SendMessageA(wnd, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "black");

    // With a window every change goes to it; a new window keeps the items and index.
    combo->Items()->Put(2, "navy");
    EXPECT_EQ(combo->ItemIndex(), 2) << "replacing the selected item keeps it selected";
    combo->SetStyle(csDropDownList);
    EXPECT_NE(combo->Handle(), wnd);
    EXPECT_EQ(combo->Items()->CommaText(), "black,green,navy");
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_THROW(combo->Items()->Insert(4, "x"), EListError);
    EXPECT_EQ(changes, 0) << "the setter never fires OnChange";
}

TEST_F(StdCtrlsTest, EditTextRoundTripsAndTypingFiresOnChange)
{
    TForm* form = MakeForm(300, 200, false);
    auto* edit = AddControl<TEdit>(form, 10, 10, 150, 21);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("before");
    edit->SetMaxLength(8);
    EXPECT_EQ(changes, 1) << "a change without a window too";

    form->Show();
    Activate(form);
    const HWND wnd = edit->Handle();
    EXPECT_EQ(WindowText(wnd), "before");
    edit->SetText("abc");
    EXPECT_EQ(WindowText(wnd), "abc");
    edit->SetText("abc");
    EXPECT_EQ(changes, 2) << "the same text is no change";

    // Typed text, cut at MaxLength; OnKeyPress may change a key before the edit sees it.
    edit->OnKeyPress = [](TObject*, char& key) { key = key == 'e' ? 'E' : key; };
    edit->SetFocus();
    SendMessageA(wnd, EM_SETSEL, 3, 3);
    for (const char c : std::string("defghij"))
        SendMessageA(wnd, WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ(edit->Text(), "abcdEfgh");
    EXPECT_GE(changes, 7) << "each accepted character is a change";
    // Typed text survives the parent's new window (not through the edit's own DestroyHandle).
    form->RecreateWnd();
    EXPECT_EQ(WindowText(edit->Handle()), "abcdEfgh");
}

TEST_F(StdCtrlsTest, ScrollBarClampsItsPositionAndReportsChanges)
{
    TForm* form = MakeForm();
    auto* bar = AddControl<TScrollBar>(form, 10, 10, 200, 17);
    std::vector<int> changes;
    bar->OnChange = [&](TObject*) { changes.push_back(bar->Position()); };
    const auto windowPos = [&] { return GetScrollPos(bar->Handle(), SB_CTL); };

    bar->SetPosition(150);
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(windowPos(), 100);
    bar->SetPosition(100);
    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(changes, (std::vector<int>{100, 0}));

    // A page leaves room for itself at the end.
    bar->SetPageSize(10);
    bar->SetPosition(100);
    EXPECT_EQ(bar->Position(), 91);
    EXPECT_EQ(windowPos(), 91);
    // A narrower range pulls the position in, as a change.
    bar->SetMax(50);
    EXPECT_EQ(bar->Position(), 41);
    EXPECT_EQ(changes, (std::vector<int>{100, 0, 91, 41}));
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

TEST_F(StdCtrlsTest, MemoLinesFollowTheTextBothWaysAndItTakesReturnsAndTabsOnlyWhenItWantsThem)
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
    lines->Delete(1);
    lines->Insert(0, "top");
    lines->Put(2, "C");
    EXPECT_EQ(WindowText(wnd), "top\r\na\r\nC\r\n");
    EXPECT_THROW(lines->Strings(3), EListError);

    lines->Clear();
    const auto type = [&](char c) { SendMessageA(memo->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1); };
    type('a');
    type('\r');
    type('\t');
    EXPECT_EQ(memo->Text(), "a\r\n") << "a Return but no Tab by default";
    EXPECT_EQ(memo->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 1) << "Return stays with the memo, not the form";
    EXPECT_EQ(memo->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 0);
    memo->SetWantReturns(false);
    memo->SetWantTabs(true);
    type('\r');
    type('\t');
    EXPECT_EQ(memo->Text(), "a\r\n\t");
    EXPECT_EQ(memo->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
    EXPECT_EQ(memo->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 1);

    memo->SetAlignment(taRightJustify);
    memo->SetHideSelection(false);
    EXPECT_EQ(StyleOf(memo) & (ES_RIGHT | ES_NOHIDESEL | ES_MULTILINE), ES_RIGHT | ES_NOHIDESEL | ES_MULTILINE);
    EXPECT_EQ(memo->Text(), "a\r\n\t") << "the text survives the new window";
}

// The check list box: check marks with and without a window, toggling by
// mouse and keyboard.
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
    // Inserting and deleting move the check marks along.
    list->Items()->Insert(0, "Betta");
    EXPECT_FALSE(list->Checked(1));
    EXPECT_TRUE(list->Checked(2));
    EXPECT_EQ(list->ItemIndex(), 3);
    list->Items()->Delete(1);
    EXPECT_TRUE(list->Checked(1));
    EXPECT_EQ(list->Items()->CommaText(), "Betta,Clown,Tang");
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
