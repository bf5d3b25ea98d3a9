// The program itself (Corvalen.scr) in each of its roles, started as the
// system would start it, under Wine: the saver, the preview, the password
// change, and the settings dialog driven through its controls as a user
// would, with the options it leaves in the registry.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../../support/ScreenPixels.h"
#include "classlib/core/BmpCodec.h"
#include "../../support/TempFolder.h"

namespace {

std::string TestDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.find_last_of('\\') + 1);
    return dir;
}

// build/win/tests/settings/ -> build/win/src/settings/Corvalen.scr
std::string ProgramPath() { return TestDir() + "..\\..\\src\\settings\\Corvalen.scr"; }

// One run of a program; a run still going at the end is ended by force.
class TRun {
public:
    TRun(const std::string& program, const std::string& parameters, const std::string& directory = {})
    {
        std::string command = "\"" + program + "\" " + parameters;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        FStarted = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  directory.empty() ? nullptr : directory.c_str(), &startup, &FProcess);
        if (FStarted)
            CloseHandle(FProcess.hThread);
    }
    ~TRun()
    {
        if (FStarted && !WaitForEnd(0)) {
            TerminateProcess(FProcess.hProcess, 1);
            WaitForEnd(5000);
        }
        if (FStarted)
            CloseHandle(FProcess.hProcess);
    }
    TRun(const TRun&) = delete;
    TRun& operator=(const TRun&) = delete;

    bool Started() const { return FStarted; }
    bool WaitForEnd(DWORD ms) const { return WaitForSingleObject(FProcess.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(FProcess.hProcess, &code);
        return code;
    }

    // A visible top-level window of the run that `accept` takes, waited for up to `ms`.
    HWND WaitForWindow(DWORD ms, const std::function<bool(HWND)>& accept) const
    {
        return WaitForWindowOf(FProcess.dwProcessId, ms, accept);
    }
    // The same for a window of any process but `excluded`'s.
    static HWND WaitForWindowOf(DWORD processId, DWORD ms, const std::function<bool(HWND)>& accept,
                                DWORD excluded = 0)
    {
        struct TSearch {
            DWORD ProcessId, Excluded;
            const std::function<bool(HWND)>& Accept;
            HWND Found = nullptr;
        } search{processId, excluded, accept};
        for (const DWORD start = GetTickCount(); !search.Found && GetTickCount() - start <= ms; Sleep(20))
            EnumWindows(
                [](HWND wnd, LPARAM data) -> BOOL {
                    auto* s = reinterpret_cast<TSearch*>(data);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(wnd, &pid);
                    const bool owned = s->ProcessId != 0 ? pid == s->ProcessId : pid != s->Excluded;
                    if (owned && IsWindowVisible(wnd) && s->Accept(wnd))
                        s->Found = wnd;
                    return s->Found == nullptr;
                },
                reinterpret_cast<LPARAM>(&search));
        return search.Found;
    }
    DWORD ProcessId() const { return FProcess.dwProcessId; }

private:
    BOOL FStarted = FALSE;
    PROCESS_INFORMATION FProcess{};
};

bool CoversTheScreen(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return r.left <= 0 && r.top <= 0 && r.right >= GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom >= GetSystemMetrics(SM_CYSCREEN) && (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void PressKey(HWND wnd, WPARAM key)
{
    SetForegroundWindow(wnd);
    PostMessageA(wnd, WM_KEYDOWN, key, 1);
    PostMessageA(wnd, WM_KEYUP, key, 1u | (1u << 30) | (1u << 31));
}

// The options of the product version under root: value name -> text.
const char* const OptionKey = "Software\\Veltrask Software\\3D Corvalen 2";

using TOptions = std::map<std::string, std::string>;

TOptions Options(HKEY root)
{
    TOptions result;
    HKEY key;
    if (RegOpenKeyExA(root, OptionKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return result;
    char name[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        data[dataSize] = 0;
        result[name] = type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(data))
                                         : std::string(reinterpret_cast<char*>(data));
    }
    RegCloseKey(key);
    return result;
}

// The option as the program reads it: HKEY_LOCAL_MACHINE first, then HKEY_CURRENT_USER.
std::string OptionOf(const std::string& name)
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        const TOptions options = Options(root);
        if (auto it = options.find(name); it != options.end())
            return it->second;
    }
    return "(missing)";
}

void SetOption(HKEY root, const std::string& name, const std::string& value)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, OptionKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

// Every test starts and ends without stored options.
class ProgramEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ClearOptions(); }
    void TearDown() override { ClearOptions(); }
    static void ClearOptions()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, OptionKey);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, OptionKey);
    }
};

// The dialog once its controls show the options (its caption carries the version then).
bool IsReadyDialog(HWND wnd)
{
    char caption[64] = {};
    GetWindowTextA(wnd, caption, sizeof caption);
    return std::string(caption) == "3D Corvalen v2.30";
}

bool HasCaption(HWND wnd, const std::string& caption)
{
    char text[128] = {};
    GetWindowTextA(wnd, text, sizeof text);
    return caption == text;
}

// The first window below `parent` (at any depth) of that class and, unless
// empty, that text.
HWND FindControl(HWND parent, const std::string& className, const std::string& text = {})
{
    struct TSearch {
        const std::string& ClassName;
        const std::string& Text;
        HWND Found = nullptr;
    } search{className, text};
    EnumChildWindows(
        parent,
        [](HWND wnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(data);
            char name[64] = {};
            GetClassNameA(wnd, name, sizeof name);
            if (_stricmp(name, s->ClassName.c_str()) == 0 && (s->Text.empty() || HasCaption(wnd, s->Text)))
                s->Found = wnd;
            return s->Found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// The control of that class inside the group box with that caption.
HWND InGroup(HWND dialog, const std::string& group, const std::string& className, const std::string& text = {})
{
    const HWND box = FindControl(dialog, "TspSkinGroupBox", group);
    return box == nullptr ? nullptr : FindControl(box, className, text);
}

// What a click on a button, check box or radio button tells its parent; posted,
// so that a modal loop or the end of the program does not hold the test.
void Click(HWND control)
{
    ASSERT_NE(control, nullptr);
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

// A mouse click on a skinned button as a user makes it: the pointer over
// its centre, then a press and a release there; posted, like Click.
void Press(HWND button)
{
    ASSERT_NE(button, nullptr);
    RECT client{};
    GetClientRect(button, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    POINT screen = centre;
    ClientToScreen(button, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(centre.x, centre.y);
    PostMessageA(button, WM_MOUSEMOVE, 0, at);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(button, WM_LBUTTONUP, 0, at);
}

bool IsChecked(HWND control) { return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The thumb moved to `position` and let go, as a user's drag ends.
void Slide(HWND trackBar, int position)
{
    ASSERT_NE(trackBar, nullptr);
    SendMessageA(trackBar, TBM_SETPOS, TRUE, position);
    SendMessageA(GetParent(trackBar), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(trackBar));
}

int SliderPosition(HWND trackBar) { return static_cast<int>(SendMessageA(trackBar, TBM_GETPOS, 0, 0)); }

void Choose(HWND comboBox, int index)
{
    ASSERT_NE(comboBox, nullptr);
    SendMessageA(comboBox, CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(comboBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(comboBox));
}

int Chosen(HWND comboBox) { return static_cast<int>(SendMessageA(comboBox, CB_GETCURSEL, 0, 0)); }

// A 16 x 16 grid of points over the window as the screen shows it.
std::vector<COLORREF> PixelsOn(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    std::vector<COLORREF> pixels;
    for (int i = 0; i < 16; ++i)
        for (int j = 0; j < 16; ++j)
            pixels.push_back(testsupport::ScreenPixel(r.left + (r.right - r.left) * (2 * i + 1) / 32,
                                                      r.top + (r.bottom - r.top) * (2 * j + 1) / 32));
    return pixels;
}

std::set<COLORREF> ColoursOn(HWND wnd)
{
    const std::vector<COLORREF> pixels = PixelsOn(wnd);
    return {pixels.begin(), pixels.end()};
}

// At some moment within `ms` the screen shows a picture over the window,
// not a cleared window: many colours.
bool ShowsAPicture(HWND wnd, DWORD ms = 10000)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start <= ms; Sleep(50))
        if (ColoursOn(wnd).size() >= 20)
            return true;
    return false;
}

TEST_F(ProgramEndToEnd, SaverRunsFullScreenWithTheAquariumSavesAShotOnPrintScreenAndEndsOnAKey)
{
    testsupport::TTempFolder dir;
    TRun run(ProgramPath(), "/s", dir.Path());
    ASSERT_TRUE(run.Started()) << ProgramPath();
    const HWND window = run.WaitForWindow(20000, CoversTheScreen);
    ASSERT_NE(window, nullptr) << "no full-screen window";
    EXPECT_TRUE(ShowsAPicture(window)) << "the saver shows no aquarium";
    PressKey(window, VK_SNAPSHOT);
    const std::string shot = dir.Path() + "Corvalen1.jpg";
    for (int i = 0; i < 100 && GetFileAttributesA(shot.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(20);
    EXPECT_NE(GetFileAttributesA(shot.c_str()), INVALID_FILE_ATTRIBUTES) << "no screenshot";
    EXPECT_FALSE(run.WaitForEnd(300)) << "Print Screen ended the saver";
    PressKey(window, VK_SPACE);
    EXPECT_TRUE(run.WaitForEnd(5000)) << "a key did not end the saver";
}

TEST_F(ProgramEndToEnd, PreviewDrawsInsideTheHostAndEndsWithIt)
{
    const std::string program = ProgramPath();
    TRun host(TestDir() + "..\\gl\\PreviewHost.exe", "\"" + program + "\" 3000");
    ASSERT_TRUE(host.Started());
    ASSERT_TRUE(host.WaitForEnd(30000));
    // 1: our window became the host's child, 2: it drew, 4: it ended with the host.
    EXPECT_EQ(host.ExitCode(), 7u);
}

TEST_F(ProgramEndToEnd, PasswordChangeEndsWithoutAWindow)
{
    TRun run(ProgramPath(), "/a");
    ASSERT_TRUE(run.Started());
    EXPECT_TRUE(run.WaitForEnd(5000));
    EXPECT_EQ(run.WaitForWindow(0, [](HWND) { return true; }), nullptr);
}

TEST_F(ProgramEndToEnd, WithRunAsProgramTheSaverHandsOverToTheExeCopyAndWaitsForIt)
{
    testsupport::TTempFolder dir;
    const std::string saver = dir.Path() + "Corvalen.scr";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), saver.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), (dir.Path() + "Corvalen.EXE").c_str(), FALSE));
    SetOption(HKEY_CURRENT_USER, "RunAsProgram", "-1");

    TRun run(saver, "/s", dir.Path());
    ASSERT_TRUE(run.Started());
    // Only the copy's run with the same "/s" covers the screen.
    const HWND window = TRun::WaitForWindowOf(0, 20000, CoversTheScreen, run.ProcessId());
    ASSERT_NE(window, nullptr) << "the .EXE copy did not start with /s";
    EXPECT_EQ(run.WaitForWindow(0, CoversTheScreen), nullptr) << "the .SCR ran the saver itself";
    EXPECT_FALSE(run.WaitForEnd(300)) << "the .SCR did not wait for its copy";
    PressKey(window, VK_SPACE);
    EXPECT_TRUE(run.WaitForEnd(5000)) << "the .SCR did not end with its copy";
}

TEST_F(ProgramEndToEnd, DialogShowsTheLiveAquariumOkWritesEveryOptionASecondStartReadsThemAndCancelWritesNothing)
{
    testsupport::TTempFolder dir;
    {
        TRun run(ProgramPath(), "/c", dir.Path());
        const HWND dialog = run.WaitForWindow(20000, IsReadyDialog);
        ASSERT_NE(dialog, nullptr) << "no dialog";
        EXPECT_TRUE(ShowsAPicture(FindControl(dialog, "TGLWindow"))) << "no live preview";

        Click(InGroup(dialog, "  Clock", "BUTTON", "Frames per second"));
        Click(InGroup(dialog, "  Clock", "BUTTON", "24 hours"));
        Click(InGroup(dialog, "  Sound", "BUTTON", "None"));
        Click(FindControl(dialog, "BUTTON", "Mipmapped textures"));
        Click(FindControl(dialog, "BUTTON", "End on mouse move"));
        Slide(InGroup(dialog, "  Fish count", "msctls_trackbar32"), 37);
        Slide(InGroup(dialog, "  Bubbles", "msctls_trackbar32"), 120);
        Choose(InGroup(dialog, "  Direction", "COMBOBOX"), 1);     // Right to Left
        Choose(InGroup(dialog, "  Screen saver", "COMBOBOX"), 2);  // 2 min.
        Choose(InGroup(dialog, "  Background", "COMBOBOX"), 1);
        Slide(InGroup(dialog, "  Sound", "msctls_trackbar32"), 30);
        for (const char* box : {"Emulate depth", "Sort transparent fish", "Wide screen (16:9)",
                                "Wait for vertical sync", "True colour textures", "Keep desktop mode"})
            Click(FindControl(dialog, "BUTTON", box));
        Click(FindControl(dialog, "BUTTON", "Fresh water"));
        Press(FindControl(dialog, "TspSkinButton", "OK"));
        EXPECT_TRUE(run.WaitForEnd(10000)) << "OK did not end the dialog";
    }
    const std::map<std::string, std::string> expected = {
        {"FPS", "-1"},          {"ClockMode", "1"},          {"BubbleSnd", "0"},        {"RoteSnd", "0"},
        {"MipMap", "-1"},       {"Texture ColorBit", "32bit"}, {"FishCount", "37"},     {"BubbleCount", "120"},
        {"FishDirection", "Left"}, {"MouseMoveExit", "-1"},  {"PowerOffIndex", "2"},    {"SoundVolume", "30"},
        {"EmulateDepth", "0"},  {"SortAlpha", "0"},          {"WideScreen", "-1"},      {"VSync", "0"},
        {"DesktopOnly", "0"},   {"FishTypeIndex", "1"},      {"WaterBackgroundIndex", "1"},
        {"SoftwareRendering", "0"}, {"RunAsProgram", "0"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(OptionOf(name), value) << name;
    EXPECT_NE(OptionOf("FullScreenMode"), "(missing)");
    const TOptions user = Options(HKEY_CURRENT_USER);
    const TOptions machine = Options(HKEY_LOCAL_MACHINE);

    {
        TRun run(ProgramPath(), "/c", dir.Path());
        const HWND dialog = run.WaitForWindow(20000, IsReadyDialog);
        ASSERT_NE(dialog, nullptr) << "no dialog";
        EXPECT_TRUE(IsChecked(InGroup(dialog, "  Clock", "BUTTON", "Frames per second")));
        EXPECT_TRUE(IsChecked(InGroup(dialog, "  Clock", "BUTTON", "24 hours")));
        EXPECT_TRUE(IsChecked(InGroup(dialog, "  Sound", "BUTTON", "None")));
        EXPECT_FALSE(IsChecked(InGroup(dialog, "  Sound", "BUTTON", "Bubbles")));
        EXPECT_TRUE(IsChecked(FindControl(dialog, "BUTTON", "Mipmapped textures")));
        EXPECT_TRUE(IsChecked(FindControl(dialog, "BUTTON", "End on mouse move")));
        EXPECT_EQ(SliderPosition(InGroup(dialog, "  Fish count", "msctls_trackbar32")), 37);
        EXPECT_EQ(SliderPosition(InGroup(dialog, "  Bubbles", "msctls_trackbar32")), 120);
        EXPECT_EQ(Chosen(InGroup(dialog, "  Direction", "COMBOBOX")), 1);
        EXPECT_EQ(Chosen(InGroup(dialog, "  Screen saver", "COMBOBOX")), 2);
        EXPECT_EQ(Chosen(InGroup(dialog, "  Background", "COMBOBOX")), 1);
        EXPECT_TRUE(IsChecked(FindControl(dialog, "BUTTON", "Fresh water")));
        EXPECT_TRUE(IsChecked(FindControl(dialog, "BUTTON", "True colour textures")));
        EXPECT_FALSE(IsChecked(FindControl(dialog, "BUTTON", "Keep desktop mode")));

        Click(InGroup(dialog, "  Clock", "BUTTON", "Frames per second"));
        Slide(InGroup(dialog, "  Fish count", "msctls_trackbar32"), 5);
        Press(FindControl(dialog, "TspSkinButton", "Cancel"));
        EXPECT_TRUE(run.WaitForEnd(10000)) << "Cancel did not end the dialog";
    }
    EXPECT_EQ(Options(HKEY_CURRENT_USER), user) << "Cancel wrote options";
    EXPECT_EQ(Options(HKEY_LOCAL_MACHINE), machine) << "Cancel wrote options";
}

TEST_F(ProgramEndToEnd, PreviewAndAboutButtonsReturnToTheLiveDialog)
{
    testsupport::TTempFolder dir;
    TRun run(ProgramPath(), "/c", dir.Path());
    const HWND dialog = run.WaitForWindow(20000, IsReadyDialog);
    ASSERT_NE(dialog, nullptr) << "no dialog";
    Press(FindControl(dialog, "TspSkinButton", "Preview"));
    const HWND full = run.WaitForWindow(10000, CoversTheScreen);
    ASSERT_NE(full, nullptr) << "Preview did not go full screen";
    EXPECT_TRUE(ShowsAPicture(full)) << "the full-screen preview shows no aquarium";
    PressKey(full, VK_SPACE);
    for (int i = 0; i < 250 && run.WaitForWindow(0, CoversTheScreen) != nullptr; ++i)
        Sleep(20);
    EXPECT_EQ(run.WaitForWindow(0, CoversTheScreen), nullptr) << "a key did not leave full screen";
    EXPECT_FALSE(run.WaitForEnd(300)) << "leaving the full-screen preview ended the program";
    EXPECT_TRUE(IsWindowVisible(dialog) && IsWindowEnabled(dialog));
    // Leaving full screen made the render window anew.
    const HWND preview = FindControl(dialog, "TGLWindow");
    EXPECT_TRUE(ShowsAPicture(preview)) << "the live preview did not come back";

    // The about box is modal; the preview goes on meanwhile.
    Press(FindControl(dialog, "TspSkinButton", "About"));
    const HWND about =
        run.WaitForWindow(10000, [](HWND wnd) { return HasCaption(wnd, "About 3D Corvalen Screen Saver"); });
    ASSERT_NE(about, nullptr) << "no about box";
    const std::vector<COLORREF> before = PixelsOn(preview);
    bool moved = false;
    for (const DWORD start = GetTickCount(); !moved && GetTickCount() - start <= 5000; Sleep(50))
        moved = PixelsOn(preview) != before;
    EXPECT_TRUE(moved) << "no frames while the about box is open";
    Press(FindControl(about, "TspSkinButton", "OK"));
    for (int i = 0; i < 250 && IsWindow(about) && IsWindowVisible(about); ++i)
        Sleep(20);
    EXPECT_FALSE(IsWindow(about) && IsWindowVisible(about)) << "OK did not close the about box";
    EXPECT_FALSE(run.WaitForEnd(300));

    Press(FindControl(dialog, "TspSkinButton", "Cancel"));
    EXPECT_TRUE(run.WaitForEnd(10000));
}

// The skin's control pictures (controls.bmp), as the test carries them.
TDibImage SkinSheet()
{
    const HRSRC info = FindResourceA(nullptr, "OWNSKIN_CONTROLS_BMP", MAKEINTRESOURCEA(10));
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

TEST_F(ProgramEndToEnd, TheExeCopyWithoutParametersIsTheProgramWithTheDialogUntilClosed)
{
    testsupport::TTempFolder dir;
    const std::string exeCopy = dir.Path() + "Corvalen.exe";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), exeCopy.c_str(), FALSE));
    TRun run(exeCopy, "", dir.Path());
    ASSERT_TRUE(run.Started());
    const HWND window = run.WaitForWindow(20000, IsReadyDialog);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(run.WaitForEnd(300));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(run.WaitForEnd(5000)) << "closing the window did not end the program";
}

TEST_F(ProgramEndToEnd, MalformedOrOutOfRangeOptionsReadAsDefaultsAndOkWritesValidOnesBack)
{
    for (const auto& [name, value] :
         {std::pair{"ClockMode", "7"}, {"FPS", "maybe"}, {"SoundVolume", "250"}, {"Texture ColorBit", ""},
          {"FishCount", "-5"}, {"BubbleCount", "lots"}, {"FishDirection", "Sideways"}, {"WaterBackgroundIndex", "-3"}})
        SetOption(HKEY_CURRENT_USER, name, value);
    for (const auto& [name, value] : {std::pair{"PowerOffIndex", "42"}, {"FullScreenMode", "huge"},
                                      {"MouseMoveExit", "x"}, {"DesktopOnly", "?"}})
        SetOption(HKEY_LOCAL_MACHINE, name, value);

    testsupport::TTempFolder dir;
    TRun run(ProgramPath(), "/c", dir.Path());
    const HWND dialog = run.WaitForWindow(20000, IsReadyDialog);
    ASSERT_NE(dialog, nullptr) << "no dialog";
    EXPECT_EQ(run.WaitForWindow(0, [](HWND wnd) { return FindControl(wnd, "TspSkinButton", "OK") && !IsReadyDialog(wnd); }),
              nullptr)
        << "a message box";
    EXPECT_TRUE(IsChecked(InGroup(dialog, "  Clock", "BUTTON", "None")));
    Press(FindControl(dialog, "TspSkinButton", "OK"));
    ASSERT_TRUE(run.WaitForEnd(10000));

    const std::map<std::string, std::string> expected = {
        {"ClockMode", "0"},  {"FPS", "0"},           {"Texture ColorBit", "16bit"}, {"FishCount", "20"},
        {"BubbleCount", "50"}, {"FishDirection", "Both"}, {"WaterBackgroundIndex", "0"}, {"PowerOffIndex", "0"},
        {"MouseMoveExit", "0"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(OptionOf(name), value) << name;
    const int volume = std::stoi(OptionOf("SoundVolume"));
    EXPECT_TRUE(volume >= 0 && volume <= 100) << volume;
    EXPECT_NE(OptionOf("FullScreenMode"), "huge");
}

}  // namespace
