// The track bar under Wine: clamping, the window's range and ticks, and the
// user's moves through the keyboard.
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
    char className[32] = {};
    GetClassNameA(wnd, className, sizeof(className));
    EXPECT_STREQ(className, TRACKBAR_CLASSA);
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
    bar->SetMin(0);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(changes, (std::vector<int>{20, 5, 12, 8, 10}));
}

TEST_F(TrackBarTest, TheUsersMovesFireOnChange)
{
    TForm* form = MakeForm(300, 200, false);
    auto* bar = AddControl<TTrackBar>(form, 10, 10, 200, 40);
    form->Show();
    Activate(form);
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };

    PressKey(bar, VK_RIGHT);
    EXPECT_EQ(bar->Position(), 1);
    EXPECT_EQ(changes, 1) << "the end of the move is no second change";
    PressKey(bar, VK_END);
    EXPECT_EQ(bar->Position(), 10);
    PressKey(bar, VK_END);
    EXPECT_EQ(changes, 2);

    // Vertical: Min at the top, moves come as WM_VSCROLL.
    bar->SetOrientation(trVertical);
    EXPECT_EQ(bar->Width(), 40);
    EXPECT_EQ(bar->Height(), 200);
    EXPECT_NE(GetWindowLongA(bar->Handle(), GWL_STYLE) & TBS_VERT, 0);
    EXPECT_EQ(WindowPosition(bar), 10) << "the position survives the new window";
    PressKey(bar, VK_HOME);
    EXPECT_EQ(bar->Position(), 0);
    PressKey(bar, VK_DOWN);
    EXPECT_EQ(bar->Position(), 1);
    EXPECT_EQ(changes, 4);
}

TEST_F(TrackBarTest, FrequencySpacesTheTicks)
{
    TForm* form = MakeForm(300, 200, false);
    auto* bar = AddControl<TTrackBar>(form, 10, 10, 200, 40);
    bar->SetMax(20);
    form->Show();
    const auto ticks = [&] { return SendMessageA(bar->Handle(), TBM_GETNUMTICS, 0, 0); };
    EXPECT_EQ(ticks(), 21) << "one per position";
    bar->SetFrequency(5);
    EXPECT_EQ(ticks(), 5);
    bar->SetFrequency(0);
    EXPECT_EQ(bar->Frequency(), 1);
    EXPECT_EQ(ticks(), 21);
}

}  // namespace
