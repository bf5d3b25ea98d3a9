// Standard controls under Wine, driven through real messages: check boxes,
// radio buttons, combo boxes, edits, memos, scroll bars, labels and group
// boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StdCtrlsTestSupport.h"
#include "UiTestSupport.h"
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
    SendMessageA(wnd, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(wnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    PressKey(box, VK_SPACE);  // the space key clicks too
    EXPECT_EQ(clicks, (std::vector<bool>{true, false, true})) << "checked before OnClick runs";

    // Setting Checked fires OnClick for a change only.
    clicks.clear();
    box->SetChecked(false);
    box->SetChecked(false);
    EXPECT_EQ(clicks, std::vector<bool>{false});
    EXPECT_EQ(SendMessageA(wnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // Grayed shows as indeterminate; a click makes it checked.
    box->SetState(cbGrayed);
    EXPECT_EQ(SendMessageA(wnd, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    SendMessageA(wnd, BM_CLICK, 0, 0);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(clicks.size(), 3u);
    EXPECT_EQ(StyleOf(box) & BS_TYPEMASK, BS_3STATE) << "the window never checks itself";
}

TEST_F(StdCtrlsTest, CheckBoxStateExistsBeforeItsWindowAndNotWhileLoading)
{
    TForm* form = MakeForm(300, 200, false);
    auto* box = AddControl<TCheckBox>(form, 10, 10, 120, 20);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->Loading();
    box->SetChecked(true);
    box->Loaded();
    EXPECT_TRUE(box->Checked());

    form->Show();
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    box->RecreateWnd();
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(clicks, 0) << "a streamed Checked fires nothing";
}

TEST_F(StdCtrlsTest, RadioButtonsExcludeTheirSiblingsOnly)
{
    TForm* form = MakeForm();
    auto* a = AddControl<TRadioButton>(form, 10, 10, 100, 20);
    auto* b = AddControl<TRadioButton>(form, 10, 30, 100, 20);
    auto* box = AddControl<TCheckBox>(form, 10, 50, 100, 20);
    auto* group = AddControl<TGroupBox>(form, 150, 10, 140, 100);
    auto* c = AddControl<TRadioButton>(group, 10, 20, 100, 20);
    auto* d = AddControl<TRadioButton>(group, 10, 40, 100, 20);
    std::vector<std::string> clicks;
    const auto record = [&](const char* name) { return [&clicks, name](TObject*) { clicks.push_back(name); }; };
    a->OnClick = record("a");
    b->OnClick = record("b");
    c->OnClick = record("c");
    d->OnClick = record("d");
    box->SetChecked(true);

    SendMessageA(a->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(a->Checked());
    SendMessageA(c->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(a->Checked()) << "another parent's radio buttons are another group";
    EXPECT_TRUE(c->Checked());

    b->SetChecked(true);
    EXPECT_EQ(SendMessageA(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(b->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(c->Checked());
    EXPECT_TRUE(box->Checked()) << "check boxes are not radio buttons";

    // Clicking the checked one changes nothing; unchecking fires nothing.
    SendMessageA(b->Handle(), BM_CLICK, 0, 0);
    d->SetChecked(true);
    d->SetChecked(false);
    EXPECT_FALSE(c->Checked());
    EXPECT_EQ(clicks, (std::vector<std::string>{"a", "c", "b", "d"}));
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

    // With a window every change goes to it.
    combo->Items()->Add("white");
    combo->Items()->Put(2, "navy");
    EXPECT_EQ(SendMessageA(wnd, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(combo->ItemIndex(), 2) << "replacing the selected item keeps it selected";
    EXPECT_EQ(combo->Text(), "navy");
    combo->SetItemIndex(-7);
    EXPECT_EQ(SendMessageA(wnd, CB_GETCURSEL, 0, 0), CB_ERR);
    combo->SetItemIndex(4);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(3);
    EXPECT_EQ(changes, 0) << "the setter never fires OnChange";

    // A new window, its own or with its parent's, keeps the items and index.
    combo->SetStyle(csDropDownList);
    EXPECT_NE(combo->Handle(), wnd);
    EXPECT_EQ(StyleOf(combo) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(combo->Items()->CommaText(), "black,green,navy,white");
    form->RecreateWnd();
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(combo->ItemIndex(), 3);

    combo->Items()->Clear();
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_THROW(combo->Items()->Strings(0), EListError);
    EXPECT_THROW(combo->Items()->Insert(1, "x"), EListError);
    EXPECT_EQ(changes, 0);
}

TEST_F(StdCtrlsTest, ComboBoxUserSelectionFiresOnChange)
{
    TForm* form = MakeForm();
    auto* combo = AddControl<TComboBox>(form, 10, 10, 150, 21);
    combo->SetStyle(csDropDownList);
    for (const char* item : {"one", "two", "three"})
        combo->Items()->Add(item);
    std::vector<int> seen;
    combo->OnChange = [&](TObject*) { seen.push_back(combo->ItemIndex()); };

    // The keyboard moves the selection as a user would.
    PressKey(combo, VK_DOWN);
    PressKey(combo, VK_DOWN);
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));

    // A selection notified the way the list reports a pick with the mouse.
    SendMessageA(combo->Handle(), CB_SETCURSEL, 2, 0);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo->Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo->Handle()));
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(combo->Text(), "three");
}

TEST_F(StdCtrlsTest, ComboBoxKeepsItsClosedHeightAndRoomForTheDropList)
{
    TForm* form = MakeForm();
    auto* combo = AddControl<TComboBox>(form, 10, 10, 150, 21);
    for (int i = 0; i < 20; ++i)
        combo->Items()->Add("item " + std::to_string(i));
    EXPECT_LT(combo->Height(), 40);
    combo->SetBounds(20, 30, 120, combo->Height());
    RECT window{};
    GetWindowRect(combo->Handle(), &window);
    EXPECT_EQ(combo->Height(), window.bottom - window.top);
    EXPECT_EQ(combo->Width(), 120);
    const auto itemHeight = static_cast<int>(SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    RECT dropped{};
    SendMessageA(combo->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_GE(dropped.bottom - dropped.top, combo->Height() + 5 * itemHeight) << "the list shows several items";
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
    EXPECT_EQ(SendMessageA(wnd, EM_GETLIMITTEXT, 0, 0), 8);
    EXPECT_NE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);

    edit->SetText("abc");
    EXPECT_EQ(WindowText(wnd), "abc");
    EXPECT_EQ(changes, 2);
    edit->SetText("abc");
    EXPECT_EQ(changes, 2) << "the same text is no change";

    // Typed text, cut at MaxLength.
    edit->SetFocus();
    SendMessageA(wnd, EM_SETSEL, 3, 3);
    for (const char c : std::string("defghij"))
        SendMessageA(wnd, WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ(edit->Text(), "abcdefgh");
    EXPECT_GE(changes, 7) << "each accepted character is a change";

    edit->SetMaxLength(0);
    SendMessageA(wnd, WM_CHAR, 'z', 1);
    EXPECT_EQ(edit->Text(), "abcdefghz") << "0 is no limit";
    // Typed text survives the parent's new window (not through the edit's own DestroyHandle).
    form->RecreateWnd();
    EXPECT_EQ(WindowText(edit->Handle()), "abcdefghz");

    // Read-only: typing changes nothing; the text survives a new window.
    edit->SetReadOnly(true);
    EXPECT_NE(StyleOf(edit) & ES_READONLY, 0);
    SendMessageA(edit->Handle(), WM_CHAR, 'y', 1);
    EXPECT_EQ(edit->Text(), "abcdefghz");
    edit->RecreateWnd();
    EXPECT_EQ(WindowText(edit->Handle()), "abcdefghz");
    EXPECT_NE(StyleOf(edit) & ES_READONLY, 0);
}

TEST_F(StdCtrlsTest, MemoLinesFollowTheTextBothWays)
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
    EXPECT_NE(StyleOf(memo) & ES_MULTILINE, 0);

    // What the user typed is what Lines reads.
    SetWindowTextA(wnd, "a\r\nb\r\nc");
    EXPECT_EQ(lines->CommaText(), "a,b,c");
    lines->Delete(1);
    lines->Insert(0, "top");
    lines->Put(2, "C");
    EXPECT_EQ(WindowText(wnd), "top\r\na\r\nC\r\n");
    EXPECT_THROW(lines->Strings(3), EListError);
    EXPECT_THROW(lines->Delete(-1), EListError);

    // A whole new content is one change.
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    TStringList replacement;
    replacement.SetCommaText("x,y,z");
    memo->SetLines(&replacement);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(lines->CommaText(), "x,y,z");
    lines->Clear();
    EXPECT_EQ(WindowText(wnd), "");
    EXPECT_EQ(changes, 2);
    SendMessageA(wnd, WM_CHAR, 'k', 1);
    EXPECT_EQ(changes, 3) << "typing";
    EXPECT_EQ(lines->CommaText(), "k");
}

TEST_F(StdCtrlsTest, MemoWordWrapAndScrollBarsRemakeTheWindowKeepingTheText)
{
    TForm* form = MakeForm();
    auto* memo = AddControl<TMemo>(form, 10, 10, 200, 100);
    memo->Lines()->SetText("one\r\ntwo\r\n");
    EXPECT_EQ(StyleOf(memo) & (ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL), 0) << "wraps by default";

    memo->SetWordWrap(false);
    memo->SetScrollBars(ssBoth);
    EXPECT_NE(StyleOf(memo) & ES_AUTOHSCROLL, 0);
    EXPECT_EQ(StyleOf(memo) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
    EXPECT_EQ(memo->Lines()->CommaText(), "one,two");
    memo->SetScrollBars(ssVertical);
    EXPECT_EQ(StyleOf(memo) & (WS_HSCROLL | WS_VSCROLL), WS_VSCROLL);
    memo->SetReadOnly(true);
    SendMessageA(memo->Handle(), WM_CHAR, 'q', 1);
    EXPECT_EQ(memo->Lines()->Count(), 2);
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
    bar->SetMin(60);
    EXPECT_EQ(bar->Max(), 60);
    EXPECT_EQ(bar->Position(), 60);
    EXPECT_EQ(changes, (std::vector<int>{100, 0, 91, 41, 60}));
    bar->SetMax(10);
    EXPECT_EQ(bar->Min(), 10);
}

TEST_F(StdCtrlsTest, ScrollBarFollowsTheUserThroughOnScrollInEitherKind)
{
    TForm* form = MakeForm();
    auto* bar = AddControl<TScrollBar>(form, 10, 10, 200, 17);
    bar->SetSmallChange(3);
    bar->SetLargeChange(20);
    std::vector<std::pair<TScrollCode, int>> scrolls;
    bar->OnScroll = [&](TObject* sender, TScrollCode code, int& position) {
        EXPECT_EQ(sender, bar);
        scrolls.emplace_back(code, position);
    };
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };

    // The keyboard makes the window send its scroll messages.
    PressKey(bar, VK_RIGHT);
    EXPECT_EQ(bar->Position(), 3);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 3);
    PressKey(bar, VK_NEXT);
    EXPECT_EQ(bar->Position(), 23);
    PressKey(bar, VK_END);
    EXPECT_EQ(bar->Position(), 100);
    ASSERT_GE(scrolls.size(), 3u);
    EXPECT_EQ(scrolls.front(), std::make_pair(scLineDown, 3));
    EXPECT_EQ(changes, 3);

    // OnScroll may change where the bar goes; past the end is clamped.
    bar->OnScroll = [&](TObject*, TScrollCode code, int& position) {
        if (code == scLineUp)
            position = 500;
    };
    SendMessageA(form->Handle(), WM_HSCROLL, MAKEWPARAM(SB_LINEUP, 0), reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(bar->Position(), 100);
    SendMessageA(form->Handle(), WM_HSCROLL, MAKEWPARAM(SB_TOP, 0), reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(bar->Position(), 0);
    SendMessageA(form->Handle(), WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(changes, 4);

    // Kind turns the bar; vertical bars report through WM_VSCROLL.
    bar->SetPosition(40);
    bar->SetKind(sbVertical);
    EXPECT_EQ(bar->Width(), 17);
    EXPECT_EQ(bar->Height(), 200);
    EXPECT_EQ(StyleOf(bar) & SBS_VERT, SBS_VERT);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 40);
    scrolls.clear();
    bar->OnScroll = [&](TObject*, TScrollCode code, int& position) { scrolls.emplace_back(code, position); };
    PressKey(bar, VK_DOWN);
    EXPECT_EQ(bar->Position(), 43);
    ASSERT_FALSE(scrolls.empty());
    EXPECT_EQ(scrolls.front(), std::make_pair(scLineDown, 43));
}

class LabelTest : public StdCtrlsTest {
protected:
    TLabel* NewLabel(TForm* form, const std::string& caption)
    {
        auto* label = new TLabel(form);
        label->SetLeft(20);
        label->SetTop(30);
        label->Font()->SetName("Arial");
        label->Font()->SetHeight(-24);
        label->Font()->SetColor(RGB(255, 0, 0));
        label->SetCaption(caption);
        label->SetParent(form);
        return label;
    }
};

TEST_F(LabelTest, PaintsItsCaptionOnItsParent)
{
    TForm* form = MakeForm(300, 150);
    form->SetColor(RGB(0, 0, 255));
    TLabel* label = NewLabel(form, "WWWW");
    label->SetColor(RGB(0, 255, 0));
    const RECT bounds = label->BoundsRect();
    const RECT lower{0, bounds.bottom + 5, 300, 150};
    {
        const TWindowShot shot(form->Handle());
        EXPECT_GT(shot.CountNear(bounds, RGB(255, 0, 0), 60), 20) << "the caption in the font's colour";
        EXPECT_GT(shot.CountNear(bounds, RGB(0, 255, 0)), 20) << "an opaque label fills its rectangle";
        EXPECT_EQ(shot.CountNear(lower, RGB(255, 0, 0), 60), 0);
    }
    label->SetTransparent(true);
    {
        const TWindowShot shot(form->Handle());
        EXPECT_GT(shot.CountNear(bounds, RGB(255, 0, 0), 60), 20);
        EXPECT_EQ(shot.CountNear(bounds, RGB(0, 255, 0)), 0);
        EXPECT_GT(shot.CountNear(bounds, RGB(0, 0, 255)), 20) << "the parent shows through";
    }
    label->Hide();
    {
        const TWindowShot shot(form->Handle());
        EXPECT_EQ(shot.CountNear(bounds, RGB(255, 0, 0), 60), 0);
    }
}

TEST_F(LabelTest, AutoSizeFollowsCaptionFontAndWordWrap)
{
    TForm* form = MakeForm(400, 300);
    TLabel* label = NewLabel(form, "Fish");
    const int shortWidth = label->Width();
    const int lineHeight = label->Height();
    EXPECT_GT(shortWidth, 10);
    EXPECT_GE(lineHeight, 20);
    EXPECT_LT(lineHeight, 40);

    label->SetCaption("Fish count");
    EXPECT_GT(label->Width(), shortWidth);
    label->SetCaption("two\r\nlines");
    EXPECT_GE(label->Height(), 2 * lineHeight - 2);
    label->SetCaption("");
    EXPECT_EQ(label->Height(), lineHeight) << "an empty caption keeps a line's height";

    // A right-aligned label grows to the left.
    label->SetAlignment(taRightJustify);
    label->SetCaption("Fish");
    const int right = label->Left() + label->Width();
    label->SetCaption("Fish and more fish");
    EXPECT_EQ(label->Left() + label->Width(), right);

    // Word wrap keeps the width and takes the lines it needs.
    label->SetAlignment(taLeftJustify);
    label->SetWordWrap(true);
    label->SetWidth(80);
    label->SetCaption("many words to wrap over lines");
    EXPECT_EQ(label->Width(), 80);
    EXPECT_GE(label->Height(), 3 * lineHeight - 2);

    // Without AutoSize the bounds stay as set.
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 33, 44);
    label->SetCaption("anything else");
    EXPECT_EQ(label->Width(), 33);
    EXPECT_EQ(label->Height(), 44);

    // The font change also resizes.
    label->SetAutoSize(true);
    label->SetWordWrap(false);
    label->SetCaption("Fish");
    const int width = label->Width();
    label->Font()->SetHeight(-48);
    EXPECT_GT(label->Width(), width);
}

TEST_F(LabelTest, IsClickable)
{
    TForm* form = MakeForm();
    TLabel* label = NewLabel(form, "Visit us");
    int clicks = 0;
    label->OnClick = [&](TObject* sender) { clicks += sender == label ? 1 : 100; };
    for (const int x : {label->Left() + 3, label->Left() + label->Width() + 5}) {
        SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, label->Top() + 3));
        SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, label->Top() + 3));
    }
    EXPECT_EQ(clicks, 1) << "inside only";
}

TEST_F(StdCtrlsTest, GroupBoxDrawsItsFrameAndCaptionAndHoldsControls)
{
    TForm* form = MakeForm(300, 200);
    form->SetColor(RGB(0, 0, 255));
    auto* group = AddControl<TGroupBox>(form, 20, 20, 200, 120);
    group->SetColor(RGB(255, 255, 255));
    group->Font()->SetName("Arial");
    group->Font()->SetHeight(-20);
    group->Font()->SetColor(RGB(255, 0, 0));
    group->SetCaption("Fish");
    auto* label = new TLabel(form);
    label->SetBounds(30, 50, 40, 20);
    label->SetParent(group);
    int clicks = 0;
    label->OnClick = [&](TObject*) { ++clicks; };

    const TWindowShot shot(group->Handle());
    EXPECT_GT(shot.CountNear(RECT{0, 0, 80, 22}, RGB(255, 0, 0), 60), 10) << "the caption at the top";
    EXPECT_GT(shot.CountNear(RECT{100, 40, 190, 100}, RGB(255, 255, 255)), 1000) << "the inside in its colour";
    // The etched frame's outer line on the left edge, below the caption.
    EXPECT_EQ(shot.CountNear(RECT{0, 40, 1, 100}, GetSysColor(COLOR_BTNSHADOW)), 60);

    // Windowless children get their clicks through the group box.
    SendMessageA(group->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 55));
    SendMessageA(group->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(35, 55));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(group->Controls(0), label);
}

}  // namespace
