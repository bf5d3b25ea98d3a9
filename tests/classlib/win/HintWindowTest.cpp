#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/ui/HintWindow.h"
#include "classlib/ui/Screen.h"

namespace {

class TOtherHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
    std::string ClassName() const override { return "TOtherHintWindow"; }
};

}  // namespace

// The application's hint window follows ShowHint and HintWindowClass; a
// hint past the screen's right edge ends at it, shown topmost without
// taking the activation.
TEST(HintWindow, MadeFromTheClassAndShownOnScreen)
{
    EXPECT_EQ(Application->HintWindow(), nullptr);
    EXPECT_EQ(Application->HintPause, 500);
    Application->SetShowHint(true);
    THintWindow* hint = Application->HintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->ClassName(), "THintWindow");

    const int screenWidth = Screen->Width();
    hint->ActivateHint(RECT{screenWidth - 10, 40, screenWidth + 50, 70}, "Tip");
    const HWND wnd = hint->Handle();
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_NE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetForegroundWindow(), wnd);
    RECT bounds{};
    GetWindowRect(wnd, &bounds);
    EXPECT_EQ(bounds.right, screenWidth);
    EXPECT_EQ(bounds.right - bounds.left, 60);

    Application->SetShowHint(false);
    EXPECT_EQ(Application->HintWindow(), nullptr);
    HintWindowClass = CreateHintWindowOf<TOtherHintWindow>;
    Application->SetShowHint(true);
    EXPECT_NE(dynamic_cast<TOtherHintWindow*>(Application->HintWindow()), nullptr);
    Application->SetShowHint(false);
    HintWindowClass = CreateHintWindowOf<THintWindow>;
}
