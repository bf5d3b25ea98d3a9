// The combo box's drop-down list by real input under Wine: what OnChange
// tells is what the box shows once the list has closed, however it closed.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "UiTestSupport.h"
#include "classlib/ui/StdCtrls.h"

namespace {

using uitest::UiTest;

class ComboBoxListTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        Form = MakeForm(300, 260);
        Combo = AddControl<TComboBox>(Form, 10, 10, 150, 21);
        Combo->SetStyle(csDropDownList);
        Combo->Items()->SetCommaText("None,\"1 min.\",\"2 min.\",\"3 min.\"");
        Combo->SetItemIndex(0);
        Combo->OnChange = [this](TObject*) { Told.push_back(Combo->ItemIndex()); };
    }
    void TearDown() override
    {
        testsupport::MouseAt(POINT{0, 0});
        Drain();
        UiTest::TearDown();
    }

    bool Dropped() const { return SendMessageA(Combo->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

    // Waits with a bound that the load of parallel runs does not reach.
    static bool Await(const std::function<bool()>& done) { return PumpUntil(done, std::chrono::seconds(10)); }

    // Opens the list by a real click on the box, at `x`: a second click at
    // the same place soon after the last would be a double click.
    void Open(int x) const
    {
        testsupport::LeftClickAt(Combo->ClientToScreen(POINT{x, Combo->Height() / 2}));
        ASSERT_TRUE(Await([this] { return Dropped(); }));
    }
    // A real click on the form, away from the box and its list.
    void ClickOutside() const
    {
        testsupport::LeftClickAt(Form->ClientToScreen(POINT{250, 230}));
        ASSERT_TRUE(Await([this] { return !Dropped(); }));
    }

    // The box shows the item ItemIndex names.
    ::testing::AssertionResult ShowsItsItem() const
    {
        const int index = Combo->ItemIndex();
        const std::string shown = WindowText(Combo->Handle());
        if (index >= 0 && shown == Combo->Items()->Strings(index))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "shows \"" << shown << "\", ItemIndex " << index;
    }

    TForm* Form = nullptr;
    TComboBox* Combo = nullptr;
    std::vector<int> Told;  // ItemIndex as each OnChange saw it
};

// Arrowed in the open list and cancelled by a click outside it, the list
// puts its old selection back: OnChange tells that too. Closed by Return it
// keeps the new one, told once; by Escape OnChange has told what it shows;
// opened and cancelled untouched it tells nothing.
TEST_F(ComboBoxListTest, OnChangeFollowsTheSelectionThatAClosingListLeaves)
{
    ASSERT_NO_FATAL_FAILURE(Open(Combo->Width() - 8));  // the button
    SendKey(VK_DOWN);
    ASSERT_TRUE(Await([this] { return !Told.empty(); }));
    EXPECT_EQ(Told, (std::vector<int>{1}));
    ASSERT_NO_FATAL_FAILURE(ClickOutside());
    Drain();
    EXPECT_EQ(Combo->ItemIndex(), 0) << "the cancelled list put the old selection back";
    EXPECT_TRUE(ShowsItsItem());
    EXPECT_EQ(Told, (std::vector<int>{1, 0}));

    Told.clear();
    ASSERT_NO_FATAL_FAILURE(Open(Combo->Width() - 8));
    SendKey(VK_DOWN);
    ASSERT_TRUE(Await([this] { return !Told.empty(); }));
    SendKey(VK_RETURN);
    ASSERT_TRUE(Await([this] { return !Dropped(); }));
    Drain();
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_TRUE(ShowsItsItem());
    EXPECT_EQ(Told, (std::vector<int>{1}));

    // Escape: whatever the list leaves, OnChange told it last, and once.
    Told.clear();
    ASSERT_NO_FATAL_FAILURE(Open(20));
    SendKey(VK_DOWN);
    ASSERT_TRUE(Await([this] { return !Told.empty(); }));
    SendKey(VK_ESCAPE);
    ASSERT_TRUE(Await([this] { return !Dropped(); }));
    Drain();
    EXPECT_TRUE(ShowsItsItem());
    ASSERT_FALSE(Told.empty());
    EXPECT_EQ(Told.back(), Combo->ItemIndex());
    EXPECT_EQ(std::adjacent_find(Told.begin(), Told.end()), Told.end()) << "no change told twice";

    Told.clear();
    ASSERT_NO_FATAL_FAILURE(Open(Combo->Width() - 8));
    ASSERT_NO_FATAL_FAILURE(ClickOutside());
    Drain();
    EXPECT_TRUE(ShowsItsItem());
    EXPECT_TRUE(Told.empty());
}

}  // namespace
