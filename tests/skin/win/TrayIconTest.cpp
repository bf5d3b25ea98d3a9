// The tray icon against Wine's explorer tray (the "Shell_TrayWnd" window
// that the test runner's explorer /desktop provides): the shell's answers,
// a task-bar restart, icon cycling on a real timer, clicks posted as the
// shell posts them, and a skinned form minimizing the application to the
// icon.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/ui/ImgList.h"
#include "classlib/ui/Menus.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/SkinPopupMenu.h"
#include "skin/forms/TrayIcon.h"
#include "../../classlib/win/UiTestSupport.h"

namespace {

class TrayIconTest : public uitest::UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_NE(FindWindowA("Shell_TrayWnd", nullptr), nullptr)
            << "no shell tray: the test runner must start Wine's explorer /desktop before the tests";
    }
};

TEST_F(TrayIconTest, ShellAnswersAndTaskbarRestart)
{
    TspTrayIcon tray(nullptr);
    EXPECT_FALSE(tray.Icon()->Empty());  // the application's icon by default
    EXPECT_FALSE(tray.ModifyIcon());     // never shown: the shell holds no such icon

    EXPECT_TRUE(tray.ShowIcon());
    tray.SetHint("Corvalen");
    EXPECT_TRUE(tray.ModifyIcon());

    // The task bar restarts: our icon is gone until "TaskbarCreated".
    NOTIFYICONDATAA gone{};
    gone.cbSize = NOTIFYICONDATAA_V2_SIZE;
    gone.hWnd = tray.Handle();
    gone.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
    EXPECT_FALSE(tray.ModifyIcon());
    SendMessageA(Application->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(tray.ModifyIcon());

    EXPECT_TRUE(tray.HideIcon());
    EXPECT_FALSE(tray.HideIcon());
    // A hidden icon is not brought back by a restart.
    SendMessageA(Application->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_FALSE(tray.ModifyIcon());
}

// A real timer cycles the icon through the list (the order and the index
// clamps are proved natively); with no images the timer asks for none.
TEST_F(TrayIconTest, CyclesThroughTheImagesAndIgnoresAnEmptyList)
{
    TImageList images(nullptr);
    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(48, 16);
    ASSERT_EQ(images.Add(&strip, nullptr), 0);
    ASSERT_EQ(images.Count(), 3);

    TspTrayIcon tray(nullptr);
    tray.SetIconList(&images);
    std::vector<int> cycled;
    tray.OnCycle = [&](TObject*, int next) { cycled.push_back(next); };
    tray.SetAnimateTimerInterval(10);
    tray.SetCycleIcons(true);
    EXPECT_EQ(tray.IconIndex(), 0);
    EXPECT_TRUE(PumpUntil([&] { return cycled.size() >= 4; }));
    tray.SetCycleIcons(false);
    cycled.resize(4);  // under load a tick more can come in the last pump
    EXPECT_EQ(cycled, (std::vector<int>{1, 2, 0, 1}));

    images.Clear();
    const HICON shown = tray.Icon()->Handle();
    cycled.clear();
    tray.SetCycleIcons(true);
    PumpUntil([] { return false; }, std::chrono::milliseconds(60));
    tray.SetCycleIcons(false);
    EXPECT_TRUE(cycled.empty());
    EXPECT_EQ(tray.Icon()->Handle(), shown);
}

// Clicks arrive as the shell posts them. A skinned form given the icon
// hides it and offers it its tray menu; the system menu's "Minimize to
// Tray" minimizes the application, which hides the main form and shows the
// icon. A disabled icon ignores the shell; a double click gives DblClick
// (the form's restore) and no Click, and brings both back; a single click
// is reported once the double-click time has passed.
TEST_F(TrayIconTest, MinimizeToTrayFromTheSkinnedFormAndDoubleClickBack)
{
    auto* form = new TForm(nullptr);
    form->SetBounds(100, 100, 240, 140);
    Application->SetMainForm(form);
    auto* skin = new TspDynamicSkinForm(form);
    auto* tray = new TspTrayIcon(form);
    tray->SetIconVisible(true);
    tray->MinimizeToTray = true;
    skin->SetTrayIcon(tray);
    EXPECT_FALSE(tray->IconVisible());
    EXPECT_FALSE(tray->MinimizeToTray);
    EXPECT_EQ(tray->PopupMenu(), skin->TrayMenu());
    skin->SetBorderIcons(skin->BorderIcons() | biMinimizeToTray);
    int minimized = 0, restored = 0, clicks = 0;
    skin->OnMinimizeToTray = [&](TObject*) { ++minimized; };
    skin->OnRestoreFromTray = [&](TObject*) { ++restored; };
    tray->OnClick = [&](TObject*) { ++clicks; };
    form->Show();

    EXPECT_TRUE(RunScenario([&] {
        TMenuItem* items = skin->GetSystemMenu()->Items();
        TMenuItem* toTray = nullptr;
        for (int i = 0; i < items->Count(); ++i)
            if (items->Items(i)->Caption() == "Minimize to &Tray")
                toTray = items->Items(i);
        ASSERT_NE(toTray, nullptr);
        toTray->Click();
        EXPECT_FALSE(form->Visible());
        EXPECT_FALSE(IsWindowVisible(Application->Handle()));
        EXPECT_TRUE(tray->IconVisible());
        EXPECT_EQ(minimized, 1);

        tray->Enabled = false;
        PostMessageA(tray->Handle(), WM_TRAYICONNOTIFY, 1, WM_LBUTTONDBLCLK);
        Drain();
        EXPECT_FALSE(form->Visible());
        tray->Enabled = true;

        for (LPARAM m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            PostMessageA(tray->Handle(), WM_TRAYICONNOTIFY, 1, m);
        const DWORD start = GetTickCount();
        PumpUntil([&] { return GetTickCount() - start > GetDoubleClickTime() + 100; });
        EXPECT_EQ(clicks, 0);
        EXPECT_EQ(restored, 1);
        EXPECT_TRUE(form->Visible());
        EXPECT_TRUE(IsWindowVisible(form->Handle()));
        EXPECT_FALSE(tray->IconVisible());
        EXPECT_FALSE(tray->MinimizeToTray);

        PostMessageA(tray->Handle(), WM_TRAYICONNOTIFY, 1, WM_LBUTTONDOWN);
        PostMessageA(tray->Handle(), WM_TRAYICONNOTIFY, 1, WM_LBUTTONUP);
        EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    }));
    Application->SetMainForm(nullptr);
    delete form;  // the tray icon with it, its hook on the form disarmed
}

}  // namespace
