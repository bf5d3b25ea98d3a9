// The common controls under Wine: each keeps what it holds through a new
// window and reports only the user's changes.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "UiTestSupport.h"
#include "classlib/ui/ComCtrls.h"

namespace {

using uitest::UiTest;

class ComCtrlsTest : public UiTest {
protected:
    static void ClickIn(HWND wnd, const RECT& rect)
    {
        ClickAt(wnd, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
};

TEST_F(ComCtrlsTest, TrackBarPositionIsClampedToTheRangeAndEveryChangeIsReported)
{
    TForm* form = MakeForm(300, 200, false);
    auto* bar = AddControl<TTrackBar>(form, 10, 10, 200, 40);
    std::vector<int> changes;
    bar->OnChange = [&](TObject* sender) { changes.push_back(sender == bar ? bar->Position() : -100); };
    // Before the window exists.
    bar->SetMax(20);
    bar->SetPosition(25);
    EXPECT_EQ(bar->Position(), 20);
    bar->SetMin(5);

    form->Show();
    const HWND wnd = bar->Handle();
    EXPECT_EQ(SendMessageA(wnd, TBM_GETRANGEMIN, 0, 0), 5);
    EXPECT_EQ(SendMessageA(wnd, TBM_GETRANGEMAX, 0, 0), 20);
    EXPECT_EQ(SendMessageA(wnd, TBM_GETPOS, 0, 0), 20);
    bar->SetPosition(-3);
    EXPECT_EQ(SendMessageA(wnd, TBM_GETPOS, 0, 0), 5);
    bar->SetPosition(5);  // no change
    bar->SetPosition(12);
    EXPECT_EQ(SendMessageA(wnd, TBM_GETPOS, 0, 0), 12);
    // A range that leaves the position outside pulls it in.
    bar->SetMax(8);
    EXPECT_EQ(bar->Position(), 8);
    bar->SetMin(10);
    EXPECT_EQ(bar->Max(), 10);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(SendMessageA(wnd, TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_EQ(changes, (std::vector<int>{20, 5, 12, 8, 10}));
}

// A page control whose page area is 7 pixels lower than the window's answer.
class TLowPageControl : public TPageControl {
public:
    using TPageControl::TPageControl;

protected:
    void WndProc(TMessage& message) override
    {
        TPageControl::WndProc(message);
        if (message.Msg == TCM_ADJUSTRECT && message.WParam == FALSE && Shift)
            reinterpret_cast<RECT*>(message.LParam)->top += 7;
    }

public:
    bool Shift = false;
};

TEST_F(ComCtrlsTest, TabControlKeepsItsTabsThroughANewWindowAndReportsOnlyTheUsersChoice)
{
    TForm* form = MakeForm(300, 200, false);
    auto* tabs = AddControl<TTabControl>(form, 10, 10, 280, 150);
    tabs->Tabs()->Add("One");
    tabs->Tabs()->Add("Two");
    tabs->Tabs()->Add("Three");
    tabs->SetTabIndex(1);
    int changes = 0;
    tabs->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    tabs->SetTabPosition(tpBottom);
    const HWND wnd = tabs->Handle();
    EXPECT_EQ(SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_GT(tabs->TabRect(2).top, tabs->DisplayRect().bottom - 1) << "tabs below the page area";

    const RECT third = tabs->TabRect(2);
    EXPECT_EQ(tabs->IndexOfTabAt(third.left + 2, third.top + 2), 2);
    ClickIn(wnd, third);
    EXPECT_EQ(tabs->TabIndex(), 2);
    tabs->SetTabIndex(0);
    EXPECT_EQ(changes, 1) << "code's choice is not reported";
    tabs->SetTabIndex(7);
    EXPECT_EQ(tabs->TabIndex(), -1);
}

TEST_F(ComCtrlsTest, PageControlShowsTheChosenPageInThePageAreaItsDescendantAnswers)
{
    TForm* form = MakeForm(300, 200, false);
    auto* pages = AddControl<TLowPageControl>(form, 10, 10, 280, 180);
    TTabSheet* sheets[3];
    for (int i = 0; i < 3; ++i) {
        sheets[i] = new TTabSheet(form);
        sheets[i]->SetCaption(std::string("Page ") + char('A' + i));
        sheets[i]->SetPageControl(pages);
    }
    sheets[1]->SetTabVisible(false);
    form->Show();
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    const RECT inherited = pages->DisplayRect();
    EXPECT_EQ(sheets[0]->BoundsRect().top, inherited.top);

    pages->Shift = true;
    pages->Realign();
    EXPECT_EQ(sheets[0]->BoundsRect().top, inherited.top + 7) << "the descendant's answer places the page";

    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    ClickIn(pages->Handle(), pages->TabRect(1));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pages->ActivePage(), sheets[2]) << "the hidden tab is skipped";
    EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
    EXPECT_FALSE(sheets[0]->Visible());

    sheets[2]->SetCaption("Renamed");
    char text[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(pages->Handle(), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Renamed");

    delete sheets[2];
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(pages->TabIndex(), 0);
    delete pages;  // its pages go with it
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(ComCtrlsTest, TreeNodesSurviveANewWindowAndExpansionIsReportedOnce)
{
    TForm* form = MakeForm(300, 200, false);
    auto* tree = AddControl<TTreeView>(form, 10, 10, 200, 150);
    TTreeNode* fish = tree->Items()->Add(nullptr, "Fish");
    tree->Items()->AddChild(fish, "Carp");
    tree->Items()->AddChild(fish, "Tetra");
    TTreeNode* plants = tree->Items()->Add(fish, "Plants");
    tree->Items()->AddChild(plants, "Fern");
    fish->Expand();
    std::vector<std::string> events;
    tree->OnExpanded = [&](TObject*, TTreeNode* node) { events.push_back("+" + node->Text()); };
    tree->OnCollapsed = [&](TObject*, TTreeNode* node) { events.push_back("-" + node->Text()); };
    EXPECT_EQ(tree->Items()->Count(), 5);

    form->Show();
    tree->RecreateWnd();
    const HWND wnd = tree->Handle();
    EXPECT_EQ(SendMessageA(wnd, TVM_GETCOUNT, 0, 0), 5);
    const auto stateOf = [&](TTreeNode* node) {
        return SendMessageA(wnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node->ItemId()), TVIS_EXPANDED);
    };
    EXPECT_NE(stateOf(fish), 0) << "the open node is open again";

    // The user opens a node from the keyboard.
    SendMessageA(wnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(plants->ItemId()));
    SendMessageA(wnd, WM_KEYDOWN, VK_ADD, 1);
    EXPECT_TRUE(plants->Expanded());
    fish->Collapse();
    fish->Collapse();
    EXPECT_EQ(stateOf(fish), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"+Plants", "-Fish"}));
}

TEST_F(ComCtrlsTest, ListViewKeepsColumnsItemsAndADraggedWidthThroughANewWindow)
{
    TForm* form = MakeForm(300, 200, false);
    auto* list = AddControl<TListView>(form, 10, 10, 280, 150);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption("Name");
    TListColumn* size = list->Columns()->Add();
    size->SetCaption("Size");
    size->SetAlignment(taRightJustify);
    TListItem* item = list->Items()->Add();
    item->SetCaption("Carp");
    item->SubItems()->Add("40 cm");
    form->Show();

    // The user drags the second column wider; the width is the window's.
    SendMessageA(list->Handle(), LVM_SETCOLUMNWIDTH, 1, 90);
    EXPECT_EQ(size->Width(), 90);
    list->SetShowColumnHeaders(false);
    const HWND wnd = list->Handle();
    EXPECT_NE(GetWindowLongA(wnd, GWL_STYLE) & LVS_NOCOLUMNHEADER, 0);
    EXPECT_EQ(SendMessageA(wnd, LVM_GETCOLUMNWIDTH, 1, 0), 90);
    char text[32] = {};
    LVITEMA sub{};
    sub.iSubItem = 1;
    sub.pszText = text;
    sub.cchTextMax = sizeof(text);
    SendMessageA(wnd, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&sub));
    EXPECT_STREQ(text, "40 cm");
    item->SubItems()->Put(0, "45 cm");
    SendMessageA(wnd, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&sub));
    EXPECT_STREQ(text, "45 cm") << "a changed sub-item reaches the window";
}

TEST_F(ComCtrlsTest, HeaderSectionsLineUpAndAClickNamesItsSection)
{
    TForm* form = MakeForm(300, 200, false);
    auto* header = AddControl<THeaderControl>(form, 0, 0, 300, 20);
    for (const int width : {80, 60, 100})
        header->Sections()->Add()->SetWidth(width);
    header->Sections()->Items(1)->SetText("Middle");
    EXPECT_EQ(header->Sections()->Items(2)->Left(), 140) << "without a window";
    form->Show();
    THeaderSection* middle = header->Sections()->Items(1);
    EXPECT_EQ(middle->Left(), 80);
    EXPECT_EQ(middle->Right(), 140);
    std::vector<THeaderSection*> clicks;
    header->OnSectionClick = [&](TObject*, THeaderSection* section) { clicks.push_back(section); };
    ClickAt(header->Handle(), 110, 10);
    EXPECT_EQ(clicks, (std::vector<THeaderSection*>{middle}));
}

}  // namespace
