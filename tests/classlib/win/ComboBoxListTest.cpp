// The combo box's drop-down list by real input under Wine: what OnChange
// tells is what the box shows once the list has closed, however it closed.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "../../support/DropDownList.h"
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

    bool Dropped() const { return testsupport::Dropped(Combo->Handle()); }

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
    // A real click on the item `index` of the open list, which closes it.
    void Pick(int index) const
    {
        testsupport::LeftClickAt(testsupport::DroppedItemOf(Combo->Handle(), index));
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

// A mouse pick tells its item once, however the window orders the list's
// closing and its report of the pick; a pick of the item already selected
// tells nothing.
TEST_F(ComboBoxListTest, AMousePickTellsItsChangeOnce)
{
    ASSERT_NO_FATAL_FAILURE(Open(Combo->Width() - 8));
    ASSERT_NO_FATAL_FAILURE(Pick(2));
    Drain();
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_TRUE(ShowsItsItem());
    EXPECT_EQ(Told, (std::vector<int>{2}));

    Told.clear();
    ASSERT_NO_FATAL_FAILURE(Open(20));
    ASSERT_NO_FATAL_FAILURE(Pick(2));
    Drain();
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_TRUE(Told.empty()) << "the item already selected, picked again";
}

// What the program does to the selection is not told, and the user's next
// change is told against it: here by keys on the closed box, which open no
// list.
TEST_F(ComboBoxListTest, TheUsersChangeIsToldAgainstWhatTheProgramLastSet)
{
    Combo->SetFocus();
    SendKey(VK_DOWN);
    ASSERT_TRUE(Await([this] { return !Told.empty(); }));
    SendKey(VK_DOWN);
    ASSERT_TRUE(Await([this] { return Told.size() == 2; }));
    EXPECT_EQ(Told, (std::vector<int>{1, 2}));

    Told.clear();
    Combo->SetItemIndex(1);
    SendKey(VK_DOWN);
    ASSERT_TRUE(Await([this] { return Combo->ItemIndex() == 2; }));
    Drain();
    EXPECT_EQ(Told, (std::vector<int>{2})) << "back to the item last told";

    // The first item taken away moves the selection up with its item.
    Told.clear();
    Combo->Items()->Delete(0);
    ASSERT_EQ(Combo->ItemIndex(), 1);
    SendKey(VK_DOWN);
    ASSERT_TRUE(Await([this] { return Combo->ItemIndex() == 2; }));
    Drain();
    EXPECT_EQ(Told, (std::vector<int>{2}));
}

// A handler that frees the box when the cancelled list puts the old item
// back: the box is used no more, and the form goes on.
TEST_F(ComboBoxListTest, AHandlerMayFreeTheBoxThatTheCancelledListTellsOf)
{
    Combo->OnChange = [this](TObject*) {
        // The handler goes with the box: nothing of it is used after the free.
        TComboBox*& combo = Combo;
        Told.push_back(combo->ItemIndex());
        if (combo->ItemIndex() == 0) {
            FreeComponent(combo);
            combo = nullptr;
        }
    };
    ASSERT_NO_FATAL_FAILURE(Open(Combo->Width() - 8));
    SendKey(VK_DOWN);
    ASSERT_TRUE(Await([this] { return !Told.empty(); }));
    testsupport::LeftClickAt(Form->ClientToScreen(POINT{250, 230}));
    ASSERT_TRUE(Await([this] { return Combo == nullptr; })) << "the cancel was not told";
    Drain();
    EXPECT_EQ(Told, (std::vector<int>{1, 0}));
    EXPECT_EQ(Form->ControlCount(), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
