// The dialog's drop-down lists in the program itself, by real input: what
// OK stores is what the list shows once it has closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProgramRun.h"

namespace {

using namespace endtoend;

// A real left click at a screen point.
void ClickAt(POINT screen)
{
    MouseAt(screen);
    MouseAt(screen, MOUSEEVENTF_LEFTDOWN);
    MouseAt(screen, MOUSEEVENTF_LEFTUP);
}

POINT ScreenPoint(HWND wnd, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(wnd, &point);
    return point;
}

// A real click on the dialog's OK button.
void ClickOk(HWND dialog)
{
    const HWND ok = FindControl(dialog, "TspSkinButton", "OK");
    ASSERT_NE(ok, nullptr);
    RECT okRect{};
    GetClientRect(ok, &okRect);
    ClickAt(ScreenPoint(ok, okRect.right / 2, okRect.bottom / 2));
}

// "Power off after" opened, arrowed Down (it shows "1 min."), then closed by
// a click outside the list, which puts "None" back: OK stores "None". The
// same for the background list (the preview took the arrowed water too).
TEST_F(ProgramEndToEnd, AListCancelledByAClickOutsideStoresWhatItShowsAgain)
{
    TRun run(ProgramPath(), "/c", Dir.Path());
    const HWND dialog = run.WaitForWindow(ReadyBound, IsReadyDialog);
    ASSERT_NE(dialog, nullptr) << "no dialog: " << run.Windows();
    const HWND powerOff = InGroup(dialog, "  Screen saver", "COMBOBOX");
    const HWND background = InGroup(dialog, "  Background", "COMBOBOX");
    ASSERT_NE(powerOff, nullptr);
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(Chosen(powerOff), 0) << "None, with nothing stored";
    const int water = Chosen(background);

    for (const HWND list : {powerOff, background}) {
        const int shown = Chosen(list);
        RECT box{};
        GetClientRect(list, &box);
        ClickAt(DropButtonOf(list));
        ASSERT_TRUE(Within(EndBound, [&] { return Dropped(list); })) << "the list did not open";
        testsupport::KeyInput(VK_DOWN);
        testsupport::KeyInput(VK_DOWN, KEYEVENTF_KEYUP);
        ASSERT_TRUE(Within(EndBound, [&] { return Chosen(list) == shown + 1; })) << "Down moved nothing";
        // Just above the box (a label, the group's caption): outside the list.
        ClickAt(ScreenPoint(list, box.right / 2, -8));
        ASSERT_TRUE(Within(EndBound, [&] { return !Dropped(list); })) << "the click outside left the list open";
        EXPECT_EQ(Chosen(list), shown) << "the cancelled list shows its old item again";
    }

    ASSERT_NO_FATAL_FAILURE(ClickOk(dialog));
    ASSERT_TRUE(run.WaitForEnd(EndBound)) << "OK did not end the dialog";
    EXPECT_EQ(OptionOf("PowerOffIndex"), "0");
    EXPECT_EQ(OptionOf("WaterBackgroundIndex"), std::to_string(water));
}

// A background picked with the mouse from the open list: the list shows it
// and OK stores it.
TEST_F(ProgramEndToEnd, ABackgroundPickedWithTheMouseIsStoredByOk)
{
    TRun run(ProgramPath(), "/c", Dir.Path());
    const HWND dialog = run.WaitForWindow(ReadyBound, IsReadyDialog);
    ASSERT_NE(dialog, nullptr) << "no dialog: " << run.Windows();
    const HWND background = InGroup(dialog, "  Background", "COMBOBOX");
    ASSERT_NE(background, nullptr);
    ASSERT_GE(SendMessageA(background, CB_GETCOUNT, 0, 0), 3);
    const int pick = Chosen(background) == 2 ? 1 : 2;

    ClickAt(DropButtonOf(background));
    ASSERT_TRUE(Within(EndBound, [&] { return Dropped(background); })) << "the list did not open";
    ClickAt(DroppedItemOf(background, pick));
    ASSERT_TRUE(Within(EndBound, [&] { return !Dropped(background); })) << "the pick left the list open";
    EXPECT_EQ(Chosen(background), pick);

    ASSERT_NO_FATAL_FAILURE(ClickOk(dialog));
    ASSERT_TRUE(run.WaitForEnd(EndBound)) << "OK did not end the dialog";
    EXPECT_EQ(OptionOf("WaterBackgroundIndex"), std::to_string(pick));
}

}  // namespace
