// The program's dialogs in their skin, started as the system would start
// them under Wine: the skinned controls and frame on the screen, the dialog's
// Preview and About buttons, and the frames under real mouse and key input:
// their close buttons, a caption drag and the system menu. (Hot looks and
// the menu modes in detail are proven on forms of the skin's own tests.)
#include "ProgramRun.h"

using namespace endtoend;

namespace {

TDibImage SkinSheet(const char* name = "OWNSKIN_CONTROLS_BMP")
{
    const HRSRC info = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));
    const HGLOBAL data = LoadResource(nullptr, info);
    return ReadBmpFile(static_cast<const uint8_t*>(LockResource(data)), SizeofResource(nullptr, info));
}

COLORREF SheetPixel(const TDibImage& sheet, int x, int y)
{
    const uint8_t* p = sheet.ScanLine(y) + x * 3;
    return RGB(p[2], p[1], p[0]);
}

// A point of the window as the screen shows it.
COLORREF OnWindow(HWND wnd, int x, int y)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return testsupport::ScreenPixel(r.left + x, r.top + y);
}

// Points of a window that show the skin: its (x, y) against the sheet's
// (x + sx, y + sy).
void ExpectSkinPixels(HWND control, const TDibImage& sheet, int sx, int sy, std::initializer_list<POINT> points,
                      const char* what)
{
    ASSERT_NE(control, nullptr) << what;
    for (const POINT& p : points)
        EXPECT_EQ(OnWindow(control, p.x, p.y), SheetPixel(sheet, p.x + sx, p.y + sy))
            << what << " at " << p.x << "," << p.y;
}

// Real input, as the system delivers it: the pointer moved to a screen
// point, with the left button's change `flags` there.
void MoveTo(int x, int y, DWORD flags = 0)
{
    MouseAt({x, y}, flags);
    Sleep(60);
}

// A click at a screen point: the pointer there, the left button pressed and let go.
void ClickAt(int x, int y)
{
    for (const DWORD flags : {DWORD{0}, DWORD{MOUSEEVENTF_LEFTDOWN}, DWORD{MOUSEEVENTF_LEFTUP}})
        MoveTo(x, y, flags);
}

// A key pressed and let go on the keyboard.
void TypeKey(WORD key)
{
    for (const DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
        testsupport::KeyInput(key, flags);
        Sleep(60);
    }
}

// A click on the frame's close button (its picture's right 128 pixels hold
// it at (112, 12)).
void ClickCloseButton(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    ClickAt(r.right - 128 + 112, r.top + 12);
}

int WindowHeight(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return r.bottom - r.top;
}

// White pixels (the caption's text in the active font colour) in the
// caption band between x0 and x1.
int CaptionTextPixels(HWND wnd, int x0, int x1)
{
    int white = 0;
    for (int x = x0; x < x1; ++x)
        for (int y = 2; y < 22; ++y)
            white += OnWindow(wnd, x, y) == RGB(255, 255, 255);
    return white;
}

// The dialog's buttons are the skin's height and show its normal look at
// their ends; the preview panel shows the glass rim, the group boxes the
// caption band. The frame is the skin's: its corners, the
// mask's cut corner, the caption's text, and margins that cut no control.
// Preview goes full screen and a key comes back to the live dialog. The
// about box is modal while the preview goes on, and wears the same skin and
// frame with its own caption; the frames' close buttons close the about box
// and end the program. Before that, under real input: a drag on the
// dialog's caption moves it by the drag; its system menu, opened by its
// button (at (13, 12) of the frame picture) and walked by keys, rolls it up
// to its frame (the picture's 96 rows less its 68 client rows) and restores
// it.
TEST_F(ProgramEndToEnd, TheDialogWearsTheProgramsSkinAndItsPreviewAndAboutButtonsReturnToTheLiveDialog)
{
    const TDibImage sheet = SkinSheet();
    const TDibImage frame = SkinSheet("OWNSKIN_FRAME_BMP");
    MouseAt({0, 0});  // over no button: every one shows its normal look
    Sleep(30);
    TRun run(ProgramPath(), "/c", Dir.Path());
    ASSERT_TRUE(run.Started()) << ProgramPath();
    const HWND dialog = run.WaitForWindow(ReadyBound, IsReadyDialog);
    ASSERT_NE(dialog, nullptr) << "no dialog: " << run.Windows();
    SetForegroundWindow(dialog);
    Sleep(500);
    for (const char* caption : {"Preview", "About", "Help", "Feedback", "OK", "Cancel"}) {
        const HWND button = FindControl(dialog, "TspSkinButton", caption);
        ASSERT_NE(button, nullptr) << caption;
        RECT client{};
        GetClientRect(button, &client);
        EXPECT_EQ(client.bottom, 24) << caption;
        // The fixed ends of the button picture (10 pixels each side).
        ExpectSkinPixels(button, sheet, 0, 0, {{0, 12}, {2, 2}, {5, 12}, {9, 20}, {3, 23}}, caption);
        ExpectSkinPixels(button, sheet, 64 - client.right, 0, {{client.right - 1, 12}, {client.right - 6, 3}},
                         caption);
    }
    // The panel's 5-pixel rim along its left and top edges.
    ExpectSkinPixels(FindControl(dialog, "TspSkinPanel"), sheet, 16, 48, {{0, 0}, {1, 20}, {3, 20}, {4, 20}, {20, 2}},
                     "panel");
    // The rounded left end of a group box's caption band. (That the band's
    // right end moves with the box: the skin's geometry test.)
    ExpectSkinPixels(FindControl(dialog, "TspSkinGroupBox", "  Display"), sheet, 56, 48,
                     {{0, 0}, {2, 1}, {5, 10}, {1, 19}}, "group box");

    RECT r;
    GetWindowRect(dialog, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    // The corners one to one (outside the objects), the top edge stretched
    // between them; the close button in its normal look.
    ExpectSkinPixels(dialog, frame, 0, 0, {{2, 10}, {4, 22}, {23, 12}, {30, 23}}, "frame left");
    ExpectSkinPixels(dialog, frame, 128 - w, 0, {{w - 4, 10}, {w - 27, 22}, {w - 16, 12}}, "frame right");
    ExpectSkinPixels(dialog, frame, 0, 96 - h, {{2, h - 2}}, "frame bottom");
    // The mask's cut corner shows what lies behind the window.
    EXPECT_EQ(OnWindow(dialog, 0, 0), testsupport::ScreenPixel(r.left - 3, r.top - 3));
    EXPECT_GT(CaptionTextPixels(dialog, 24, 100), 20) << "no caption text";
    RECT client{};
    GetClientRect(dialog, &client);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT c;
        GetWindowRect(child, &c);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&c), 2);
        EXPECT_TRUE(c.left >= 0 && c.top >= 0 && c.right <= client.right && c.bottom <= client.bottom)
            << "a control is cut: " << c.left << "," << c.top << "," << c.right << "," << c.bottom;
    }

    Press(FindControl(dialog, "TspSkinButton", "Preview"));
    const HWND full = run.WaitForWindow(ReadyBound, CoversTheScreen);
    ASSERT_NE(full, nullptr) << "Preview did not go full screen";
    EXPECT_TRUE(ShowsAPicture(full)) << "the full-screen preview shows no aquarium";
    PressKey(full, VK_SPACE);
    EXPECT_TRUE(Within(5000, [&] { return run.WaitForWindow(0, CoversTheScreen) == nullptr; }))
        << "a key did not leave full screen";
    EXPECT_FALSE(run.WaitForEnd(300)) << "leaving the full-screen preview ended the program";
    EXPECT_TRUE(IsWindowVisible(dialog) && IsWindowEnabled(dialog));
    // Leaving full screen made the render window anew.
    const HWND preview = FindControl(dialog, "TGLWindow");
    EXPECT_TRUE(ShowsAPicture(preview)) << "the live preview did not come back";

    Press(FindControl(dialog, "TspSkinButton", "About"));
    const HWND about = run.WaitForWindow(ReadyBound, IsAboutBox);
    ASSERT_NE(about, nullptr) << "no about box";
    const std::vector<COLORREF> before = PixelsOn(preview);
    EXPECT_TRUE(Within(5000, [&] { return PixelsOn(preview) != before; })) << "no frames while the about box is open";
    Sleep(300);
    ExpectSkinPixels(FindControl(about, "TspSkinButton", "OK"), sheet, 0, 0, {{0, 12}, {5, 12}, {9, 20}}, "about OK");
    ExpectSkinPixels(FindControl(about, "TspSkinPanel"), sheet, 16, 48, {{0, 0}, {2, 30}, {4, 30}}, "about panel");
    EXPECT_EQ(OnWindow(about, 2, 10), SheetPixel(frame, 2, 10));
    // The whole caption, set before the about box's window existed: text
    // beyond "About".
    EXPECT_GT(CaptionTextPixels(about, 80, 240), 20) << "the about box's caption is not its window's";
    ClickCloseButton(about);
    EXPECT_TRUE(Within(3000, [&] { return !IsWindow(about) || !IsWindowVisible(about); }))
        << "the about box's close button did not close it";
    EXPECT_FALSE(run.WaitForEnd(300));

    GetWindowRect(dialog, &r);
    const RECT start = r;
    MoveTo(r.left + 60, r.top + 12);
    MoveTo(r.left + 60, r.top + 12, MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 4; ++step)
        MoveTo(start.left + 60 + 10 * step, start.top + 12 + 5 * step);
    MoveTo(start.left + 100, start.top + 32, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(Within(3000, [&] {
        GetWindowRect(dialog, &r);
        return r.left == start.left + 40 && r.top == start.top + 20;
    })) << "the caption drag moved the dialog by " << r.left - start.left << "," << r.top - start.top;
    ClickAt(r.left + 13, r.top + 12);
    for (const WORD key : {VK_DOWN, VK_DOWN, VK_RETURN})  // Minimize, Maximize, RollUp
        TypeKey(key);
    EXPECT_TRUE(Within(3000, [&] { return WindowHeight(dialog) == 28; })) << "not rolled up";
    ClickAt(r.left + 13, r.top + 12);
    TypeKey('R');
    EXPECT_TRUE(Within(3000, [&] { return WindowHeight(dialog) == h; })) << "not restored";

    ClickCloseButton(dialog);
    EXPECT_TRUE(run.WaitForEnd(EndBound)) << "the close button did not end the program";
}

}  // namespace
