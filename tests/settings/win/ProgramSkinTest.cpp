// The program's dialogs in their skin, started as the system would start
// them under Wine: the skinned controls and frame on the screen, and the frame
// answering real mouse and key input.
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

COLORREF OnScreen(HWND control, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(control, &point);
    return testsupport::ScreenPixel(point.x, point.y);
}

// Points of a control that show the skin: its (x, y) against the sheet's
// (x + sx, y + sy).
void ExpectSkinPixels(HWND control, const TDibImage& sheet, int sx, int sy, std::initializer_list<POINT> points,
                      const char* what)
{
    ASSERT_NE(control, nullptr) << what;
    for (const POINT& p : points)
        EXPECT_EQ(OnScreen(control, p.x, p.y), SheetPixel(sheet, p.x + sx, p.y + sy))
            << what << " at " << p.x << "," << p.y;
}

// The dialog's buttons are the skin's height and show its normal look at
// their ends; the preview panel shows the glass rim, the group boxes the
// caption band and its bubbles; the about box wears the same skin.
TEST_F(ProgramEndToEnd, DialogAndAboutBoxWearTheProgramsSkin)
{
    const TDibImage sheet = SkinSheet();
    SetCursorPos(0, 0);  // over no button: every one shows its normal look
    testsupport::TTempFolder dir;
    TRun run(ProgramPath(), "/c", dir.Path());
    const HWND dialog = run.WaitForWindow(20000, IsReadyDialog);
    ASSERT_NE(dialog, nullptr) << "no dialog";
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
    const HWND panel = FindControl(dialog, "TspSkinPanel");
    ExpectSkinPixels(panel, sheet, 16, 48, {{0, 0}, {1, 20}, {3, 20}, {4, 20}, {20, 2}}, "panel");
    // Both ends of a group box's caption band: the rounded left end and the
    // bubble cluster.
    const HWND box = FindControl(dialog, "TspSkinGroupBox", "  Display");
    RECT boxClient{};
    GetClientRect(box, &boxClient);
    ExpectSkinPixels(box, sheet, 56, 48, {{0, 0}, {2, 1}, {5, 10}, {1, 19}}, "group box");
    ExpectSkinPixels(box, sheet, 56 + 72 - boxClient.right, 48,
                     {{boxClient.right - 6, 12}, {boxClient.right - 7, 6}, {boxClient.right - 1, 30}}, "group box");

    Press(FindControl(dialog, "TspSkinButton", "About"));
    const HWND about =
        run.WaitForWindow(10000, [](HWND wnd) { return HasCaption(wnd, "About 3D Corvalen Screen Saver"); });
    ASSERT_NE(about, nullptr) << "no about box";
    Sleep(300);
    const HWND ok = FindControl(about, "TspSkinButton", "OK");
    ASSERT_NE(ok, nullptr);
    RECT okClient{};
    GetClientRect(ok, &okClient);
    EXPECT_EQ(okClient.bottom, 24);
    ExpectSkinPixels(ok, sheet, 0, 0, {{0, 12}, {5, 12}, {9, 20}}, "about OK");
    ExpectSkinPixels(FindControl(about, "TspSkinPanel"), sheet, 16, 48, {{0, 0}, {2, 30}, {4, 30}}, "about panel");
    Press(ok);
    for (int i = 0; i < 250 && IsWindow(about) && IsWindowVisible(about); ++i)
        Sleep(20);
    Press(FindControl(dialog, "TspSkinButton", "Cancel"));
    EXPECT_TRUE(run.WaitForEnd(10000));
}

// Real input, as the system delivers it: the pointer moved to a screen point.
void MoveTo(int x, int y)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((x * 65536LL + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = static_cast<LONG>((y * 65536LL + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

void Button(bool down)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
    Sleep(60);
}

void Key(WORD key)
{
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    Sleep(100);
}

// A point of the window as the screen shows it.
COLORREF OnWindow(HWND wnd, int x, int y)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return testsupport::ScreenPixel(r.left + x, r.top + y);
}

// A click at a point of the window.
void ClickAt(HWND wnd, int x, int y)
{
    RECT r;
    GetWindowRect(wnd, &r);
    MoveTo(r.left + x, r.top + y);
    Button(true);
    Button(false);
}

// Some visible top-level window of the run other than `except`.
HWND OtherWindow(const TRun& run, HWND except, DWORD ms)
{
    return run.WaitForWindow(ms, [except](HWND wnd) { return wnd != except; });
}

template <class Done>
bool Within(DWORD ms, Done done)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start <= ms; Sleep(20))
        if (done())
            return true;
    return false;
}

// The window as the screen shows it, saved as a BMP file beside the test
// program (in the build tree).
void SaveShot(HWND wnd, const std::string& name)
{
    RECT r;
    GetWindowRect(wnd, &r);
    TDibImage image;
    image.Width = r.right - r.left;
    image.Height = r.bottom - r.top;
    image.BitCount = 24;
    image.Allocate();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.Width;
    info.bmiHeader.biHeight = -image.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.Width, image.Height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    std::memcpy(image.Bits.data(), bits, image.Bits.size());
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const std::vector<uint8_t> file = WriteBmpFile(image);
    const HANDLE out = CreateFileA((TestDir() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(out);
}

int HeightOf(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return r.bottom - r.top;
}

// The dialog's frame is the skin's, drawn and shaped by it, and answers the
// mouse and the keys: the close button's hot look, a caption drag, the
// system menu rolling the dialog up and back, Alt leaving the keys to the
// menus until Escape, and the close button ending the program.
TEST_F(ProgramEndToEnd, TheDialogsSkinnedFrameAnswersTheMouseAndTheKeys)
{
    const TDibImage frame = SkinSheet("OWNSKIN_FRAME_BMP");
    const TDibImage sheet = SkinSheet();
    testsupport::TTempFolder dir;
    TRun run(ProgramPath(), "/c", dir.Path());
    const HWND dialog = run.WaitForWindow(20000, IsReadyDialog);
    ASSERT_NE(dialog, nullptr) << "no dialog";
    SetForegroundWindow(dialog);
    MoveTo(0, 0);
    Sleep(500);
    RECT r;
    GetWindowRect(dialog, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    // The corners one to one (outside the objects), the top edge stretched
    // between them.
    for (const POINT& p : std::initializer_list<POINT>{{2, 10}, {4, 22}, {23, 12}, {30, 23}})
        EXPECT_EQ(OnWindow(dialog, p.x, p.y), SheetPixel(frame, p.x, p.y)) << p.x << "," << p.y;
    for (const POINT& p : std::initializer_list<POINT>{{124, 10}, {101, 22}})
        EXPECT_EQ(OnWindow(dialog, w - 128 + p.x, p.y), SheetPixel(frame, p.x, p.y)) << p.x << "," << p.y;
    EXPECT_EQ(OnWindow(dialog, 2, h - 2), SheetPixel(frame, 2, 94));
    // The mask's cut corner shows what lies behind the window.
    EXPECT_EQ(OnWindow(dialog, 0, 0), testsupport::ScreenPixel(r.left - 3, r.top - 3));
    // The caption's text, in the active font colour, within the caption.
    int white = 0;
    for (int x = 24; x < 100; ++x)
        for (int y = 2; y < 22; ++y)
            white += OnWindow(dialog, x, y) == RGB(255, 255, 255);
    EXPECT_GT(white, 20) << "no caption text";
    // The skin's margins take a few pixels from the client area: no control
    // is cut.
    RECT client{};
    GetClientRect(dialog, &client);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT c;
        GetWindowRect(child, &c);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&c), 2);
        EXPECT_TRUE(c.left >= 0 && c.top >= 0 && c.right <= client.right && c.bottom <= client.bottom)
            << "a control is cut: " << c.left << "," << c.top << "," << c.right << "," << c.bottom;
    }

    // The close button: its normal look, then the hot look once morphed.
    const int closeX = w - 128 + 112;
    EXPECT_EQ(OnWindow(dialog, closeX, 12), SheetPixel(frame, 112, 12));
    MoveTo(r.left + closeX - 20, r.top + 12);
    MoveTo(r.left + closeX, r.top + 12);
    EXPECT_TRUE(Within(2000, [&] { return OnWindow(dialog, closeX, 12) == SheetPixel(sheet, 8, 56); }))
        << "no hot look on the close button";

    // The caption drags the dialog.
    MoveTo(r.left + 60, r.top + 12);
    Button(true);
    for (int i = 1; i <= 4; ++i)
        MoveTo(r.left + 60 + 10 * i, r.top + 12 + 15 * i / 2);
    Button(false);
    RECT moved;
    EXPECT_TRUE(Within(2000, [&] {
        GetWindowRect(dialog, &moved);
        return moved.left == r.left + 40 && moved.top == r.top + 30;
    })) << "at " << moved.left - r.left << "," << moved.top - r.top;
    GetWindowRect(dialog, &r);

    // The keys go to a control the user clicked: the first fish.
    const HWND fishes = FindControl(dialog, "ListBox");
    ASSERT_NE(fishes, nullptr);
    RECT item{};
    SendMessageA(fishes, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    POINT itemAt{item.left + 40, (item.top + item.bottom) / 2};
    ClientToScreen(fishes, &itemAt);
    MoveTo(itemAt.x, itemAt.y);
    Button(true);
    Button(false);
    ASSERT_TRUE(Within(2000, [&] { return SendMessageA(fishes, LB_GETCURSEL, 0, 0) == 0; }));

    // The system menu under its button; Minimize first, so Down, Down and
    // Enter roll the dialog up to its frame; the same keys on the rolled-up
    // menu (Minimize, Maximize, Restore) bring it back.
    ClickAt(dialog, 13, 12);
    HWND menu = OtherWindow(run, dialog, 3000);
    ASSERT_NE(menu, nullptr) << "no system menu";
    RECT m;
    GetWindowRect(menu, &m);
    EXPECT_EQ(m.left, r.left + 5);
    EXPECT_EQ(m.top, r.top + 20);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_TRUE(Within(3000, [&] { return HeightOf(dialog) < 40; })) << "not rolled up: " << HeightOf(dialog);
    EXPECT_TRUE(Within(3000, [&] { return !IsWindowVisible(menu); }));
    ClickAt(dialog, 13, 12);
    menu = OtherWindow(run, dialog, 3000);
    ASSERT_NE(menu, nullptr) << "no system menu when rolled up";
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_TRUE(Within(3000, [&] { return HeightOf(dialog) == h; })) << "not restored: " << HeightOf(dialog);

    // Alt alone enters menu mode, which takes the keys; Escape leaves it
    // and the list has the keys again.
    Key(VK_MENU);
    Key(VK_DOWN);
    Sleep(200);
    EXPECT_EQ(SendMessageA(fishes, LB_GETCURSEL, 0, 0), 0) << "a key reached the list in menu mode";
    Key(VK_ESCAPE);
    Key(VK_DOWN);
    EXPECT_TRUE(Within(2000, [&] { return SendMessageA(fishes, LB_GETCURSEL, 0, 0) == 1; }))
        << "the keys did not come back to the list";

    SaveShot(dialog, "skinned-dialog.bmp");

    // The about box wears the same frame; its close button ends its modal
    // loop and the program goes on.
    Press(FindControl(dialog, "TspSkinButton", "About"));
    const HWND about =
        run.WaitForWindow(10000, [](HWND wnd) { return HasCaption(wnd, "About 3D Corvalen Screen Saver"); });
    ASSERT_NE(about, nullptr) << "no about box";
    Sleep(500);
    SaveShot(about, "skinned-about.bmp");
    EXPECT_EQ(OnWindow(about, 2, 10), SheetPixel(frame, 2, 10));
    // The whole caption, set after the description's: text beyond "About".
    int aboutWhite = 0;
    for (int x = 80; x < 240; ++x)
        for (int y = 2; y < 22; ++y)
            aboutWhite += OnWindow(about, x, y) == RGB(255, 255, 255);
    EXPECT_GT(aboutWhite, 20) << "the about box's caption is not its window's";
    RECT a;
    GetWindowRect(about, &a);
    ClickAt(about, a.right - a.left - 128 + 112, 12);
    EXPECT_TRUE(Within(3000, [&] { return !IsWindow(about) || !IsWindowVisible(about); }))
        << "the about box's close button did not close it";
    EXPECT_FALSE(run.WaitForEnd(300));

    // The close button ends the program.
    ClickAt(dialog, closeX, 12);
    EXPECT_TRUE(run.WaitForEnd(10000)) << "the close button did not end the program";
}

}  // namespace
