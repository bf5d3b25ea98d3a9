// The check list box under Wine: check marks with and without a window,
// toggling by mouse and keyboard.
#include <gtest/gtest.h>

#include <string>

#include "UiTestSupport.h"
#include "classlib/ui/CheckLst.h"

namespace {

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

    // Inserting and deleting move the check marks along.
    List->Items()->Insert(0, "Betta");
    EXPECT_FALSE(List->Checked(1));
    EXPECT_TRUE(List->Checked(2));
    EXPECT_EQ(List->ItemIndex(), 3);
    List->Items()->Delete(1);
    EXPECT_TRUE(List->Checked(1));
    EXPECT_EQ(List->Items()->CommaText(), "Betta,Clown,Tang");

    // Kept through the parent's new window.
    Form->RecreateWnd();
    EXPECT_TRUE(List->Checked(1));
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_THROW(List->Checked(3), EListError);
    EXPECT_EQ(ClickChecks, 0) << "the setter fires nothing";
}

TEST_F(CheckListBoxTest, ClickInTheCheckAreaOrSpaceTogglesAndFiresOnClickCheck)
{
    List->Items()->SetCommaText("Angel,Clown,Tang");
    Form->Show();
    Activate(Form);
    List->SetFocus();

    const RECT second = ItemRect(1);
    ClickAt(List->Handle(), second.left + 5, (second.top + second.bottom) / 2);
    EXPECT_TRUE(List->Checked(1));
    EXPECT_EQ(ClickChecks, 1);
    EXPECT_EQ(List->ItemIndex(), 1) << "the click selects the item as well";

    // A click on the text selects without toggling; below the last item nothing toggles.
    const RECT third = ItemRect(2);
    ClickAt(List->Handle(), third.left + 80, (third.top + third.bottom) / 2);
    ClickAt(List->Handle(), 5, third.bottom + 30);
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_FALSE(List->Checked(2));
    EXPECT_EQ(ClickChecks, 1);

    // The space key toggles the selected item.
    SendMessageA(List->Handle(), WM_CHAR, ' ', 1);
    EXPECT_TRUE(List->Checked(2));
    EXPECT_EQ(ClickChecks, 2);
}

}  // namespace
