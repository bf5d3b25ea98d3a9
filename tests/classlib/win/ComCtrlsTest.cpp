// The track bar under Wine: clamping and the window's range.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "UiTestSupport.h"
#include "classlib/ui/ComCtrls.h"

namespace {

using uitest::UiTest;

class TrackBarTest : public UiTest {
protected:
    static int WindowPosition(TTrackBar* bar)
    {
        return static_cast<int>(SendMessageA(bar->Handle(), TBM_GETPOS, 0, 0));
    }
};

TEST_F(TrackBarTest, PositionIsClampedToTheRangeAndEveryChangeIsReported)
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
    EXPECT_EQ(WindowPosition(bar), 20);

    bar->SetPosition(-3);
    EXPECT_EQ(WindowPosition(bar), 5);
    bar->SetPosition(5);
    bar->SetPosition(12);
    EXPECT_EQ(WindowPosition(bar), 12);
    // A range that leaves the position outside pulls it in.
    bar->SetMax(8);
    EXPECT_EQ(bar->Position(), 8);
    bar->SetMin(10);
    EXPECT_EQ(bar->Max(), 10);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(SendMessageA(wnd, TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_EQ(changes, (std::vector<int>{20, 5, 12, 8, 10}));
}

}  // namespace
