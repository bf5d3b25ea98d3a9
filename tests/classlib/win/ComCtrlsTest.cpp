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

    ClickIn(wnd, tabs->TabRect(2));
    EXPECT_EQ(tabs->TabIndex(), 2);
    tabs->SetTabIndex(0);
    EXPECT_EQ(changes, 1) << "code's choice is not reported";
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

}  // namespace
