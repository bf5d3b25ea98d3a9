// The check list box under Wine: items and check marks with and without a
// window, toggling by mouse and keyboard, and what it draws.
#include <gtest/gtest.h>

#include <string>

#include "StdCtrlsTestSupport.h"
#include "UiTestSupport.h"
#include "classlib/ui/CheckLst.h"

namespace {

using uitest::TWindowShot;
using uitest::UiTest;

class CheckListBoxTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        Form = MakeForm(300, 200, false);
        List = AddControl<TCheckListBox>(Form, 10, 10, 200, 150);
        List->OnClickCheck = [this](TObject* sender) { ClickChecks += sender == List ? 1 : 100; };
    }

    RECT ItemRect(int index) const
    {
        RECT rect{};
        SendMessageA(List->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    void ClickAt(int x, int y) const
    {
        SendMessageA(List->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(List->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    TForm* Form = nullptr;
    TCheckListBox* List = nullptr;
    int ClickChecks = 0;
};

TEST_F(CheckListBoxTest, ItemsAndCheckMarksExistBeforeTheWindowAndMoveWithTheirItems)
{
    List->Items()->SetCommaText("Angel,Clown,Tang");
    List->SetChecked(1, true);
    List->SetItemIndex(2);
    EXPECT_TRUE(List->Checked(1));

    Form->Show();
    const HWND wnd = List->Handle();
    EXPECT_EQ(SendMessageA(wnd, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(wnd, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS), LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);

    // Inserting and deleting move the check marks along.
    List->Items()->Insert(0, "Betta");
    EXPECT_FALSE(List->Checked(1));
    EXPECT_TRUE(List->Checked(2));
    EXPECT_EQ(List->ItemIndex(), 3);
    List->Items()->Delete(1);
    EXPECT_TRUE(List->Checked(1));
    EXPECT_EQ(List->Items()->CommaText(), "Betta,Clown,Tang");

    // Kept through a new window, its own or with its parent's.
    List->RecreateWnd();
    EXPECT_NE(List->Handle(), wnd);
    EXPECT_TRUE(List->Checked(1));
    Form->RecreateWnd();
    EXPECT_EQ(SendMessageA(List->Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(List->ItemIndex(), 2);
    List->SetItemIndex(3);
    EXPECT_EQ(List->ItemIndex(), -1);

    EXPECT_THROW(List->Checked(3), EListError);
    EXPECT_THROW(List->SetChecked(-1, true), EListError);
    List->Items()->Clear();
    EXPECT_EQ(SendMessageA(List->Handle(), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(ClickChecks, 0) << "the setter fires nothing";
}

TEST_F(CheckListBoxTest, ClickInTheCheckAreaOrSpaceTogglesAndFiresOnClickCheck)
{
    List->Items()->SetCommaText("Angel,Clown,Tang");
    Form->Show();
    Activate(Form);
    List->SetFocus();

    const RECT second = ItemRect(1);
    ClickAt(second.left + 5, (second.top + second.bottom) / 2);
    EXPECT_TRUE(List->Checked(1));
    EXPECT_EQ(ClickChecks, 1);
    EXPECT_EQ(List->ItemIndex(), 1) << "the click selects the item as well";

    // A click on the text selects without toggling; below the last item nothing toggles.
    const RECT third = ItemRect(2);
    ClickAt(third.left + 80, (third.top + third.bottom) / 2);
    ClickAt(5, third.bottom + 30);
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_FALSE(List->Checked(2));
    EXPECT_EQ(ClickChecks, 1);

    // The space key toggles the selected item.
    SendMessageA(List->Handle(), WM_CHAR, ' ', 1);
    EXPECT_TRUE(List->Checked(2));
    SendMessageA(List->Handle(), WM_CHAR, ' ', 1);
    EXPECT_FALSE(List->Checked(2));
    EXPECT_EQ(ClickChecks, 3);

    List->SetChecked(0, true);
    EXPECT_EQ(ClickChecks, 3);
}

TEST_F(CheckListBoxTest, DrawsACheckMarkInTheBoxesOfCheckedItems)
{
    List->SetColor(RGB(255, 255, 255));
    List->Font()->SetColor(RGB(0, 0, 255));
    List->Items()->SetCommaText("Angel,Clown");
    List->SetChecked(1, true);
    Form->Show();
    const RECT first = ItemRect(0);
    const RECT second = ItemRect(1);
    EXPECT_GE(second.bottom - second.top, 15) << "room for the check box";
    const TWindowShot shot(List->Handle());
    const auto box = [](const RECT& item) {
        const int middle = (item.top + item.bottom) / 2;
        return RECT{item.left + 4, middle - 4, item.left + 13, middle + 5};
    };
    const COLORREF mark = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(shot.CountNear(box(first), mark, 40), 0) << "an empty box";
    EXPECT_GT(shot.CountNear(box(second), mark, 40), 5) << "a check mark";
    EXPECT_GT(shot.CountNear(RECT{first.left + 17, first.top, first.right, first.bottom}, RGB(0, 0, 255), 60), 5)
        << "the text after the box";
}

}  // namespace
