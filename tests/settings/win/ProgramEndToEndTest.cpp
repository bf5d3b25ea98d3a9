// The program itself (Corvalen.scr) in each of its roles, started as the
// system would start it, under Wine: the saver, the preview, the password
// change, and the settings dialog driven through its controls as a user
// would, with the options it leaves in the registry.
#include "ProgramRun.h"

#include <algorithm>
#include <climits>

#include "classlib/graphics/GdiHandles.h"

using namespace endtoend;

namespace {

// What Print Screen and each key do in a run is the saver's own tests'.
TEST_F(ProgramEndToEnd, SaverRunsFullScreenWithTheAquariumAndEndsOnAKey)
{
    TRun run(ProgramPath(), "/s", Dir.Path());
    ASSERT_TRUE(run.Started()) << ProgramPath();
    const HWND window = run.WaitForWindow(20000, CoversTheScreen);
    ASSERT_NE(window, nullptr) << "no full-screen window";
    EXPECT_TRUE(ShowsAPicture(window)) << "the saver shows no aquarium";
    PressKey(window, VK_SPACE);
    EXPECT_TRUE(run.WaitForEnd(5000)) << "a key did not end the saver";
}

// The screen over the window, row by row from its top left.
std::vector<RGBQUAD> ScreenOver(HWND wnd, int& width)
{
    RECT r{};
    GetWindowRect(wnd, &r);
    width = r.right - r.left;
    const int height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const TScreenDC screen;
    const TMemoryDC memory(screen.Get());
    const TGdiObject bitmap(CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return {};
    const TSelection selected(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const RGBQUAD*>(bits);
    return std::vector<RGBQUAD>(first, first + static_cast<size_t>(width) * height);
}

// Whatever is stored, the preview shows neither the frame rate nor the clock.
TEST_F(ProgramEndToEnd, PreviewDrawsInsideTheHostWithoutFrameRateOrClockAndEndsWithIt)
{
    SetOption(HKEY_CURRENT_USER, "FPS", "-1");
    SetOption(HKEY_CURRENT_USER, "ClockMode", "1");
    const std::string program = ProgramPath();
    // The preview host of the GL tests, beside this test program's folder.
    TRun host(program.substr(0, program.find("..\\")) + "..\\gl\\PreviewHost.exe", "\"" + program + "\" 6000");
    ASSERT_TRUE(host.Started());
    const HWND preview = TRun::WaitForWindowOf(host.ProcessId(), 20000, [](HWND wnd) {
        char name[32] = {};
        return GetClassNameA(wnd, name, sizeof name) > 0 && std::string(name) == "PreviewHost";
    });
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(ShowsAPicture(preview));
    Sleep(1500);  // past the first frame-rate count
    // The text would be white at the top left, the clock the first
    // background's blue at the bottom right; the least over a few frames,
    // so that a passing fish cannot pass for either.
    int white = INT_MAX, blue = INT_MAX;
    for (int shot = 0; shot < 5; ++shot, Sleep(150)) {
        int width = 0;
        const std::vector<RGBQUAD> pixels = ScreenOver(preview, width);
        ASSERT_FALSE(pixels.empty());
        const int height = static_cast<int>(pixels.size()) / width;
        int whites = 0, blues = 0;
        for (size_t i = 0; i < pixels.size(); ++i) {
            const int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
            const RGBQUAD& p = pixels[i];
            whites += x < width / 2 && y < height / 3 && std::min({p.rgbRed, p.rgbGreen, p.rgbBlue}) >= 235;
            blues += x > width * 2 / 3 && y > height * 2 / 3 && std::abs(p.rgbRed - 65) <= 30 &&
                     std::abs(p.rgbGreen - 170) <= 30 && p.rgbBlue >= 225;
        }
        white = std::min(white, whites);
        blue = std::min(blue, blues);
    }
    EXPECT_EQ(white, 0) << "the frame rate is shown";
    EXPECT_EQ(blue, 0) << "the clock is shown";
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

// From a folder whose name has a "." before a blank, as an installed version's may.
TEST_F(ProgramEndToEnd, WithRunAsProgramTheSaverHandsOverToTheExeCopyWhichWithoutParametersIsTheProgram)
{
    const std::string folder = Dir.Path() + "Corvalen 2.0 Saver\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string saver = folder + "Corvalen.scr";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), saver.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), (folder + "Corvalen.EXE").c_str(), FALSE));
    SetOption(HKEY_CURRENT_USER, "RunAsProgram", "-1");

    TRun run(saver, "/s", folder);
    ASSERT_TRUE(run.Started());
    // Only the copy's run with the same "/s" covers the screen.
    const HWND window = TRun::WaitForWindowOf(0, 20000, CoversTheScreen, run.ProcessId());
    ASSERT_NE(window, nullptr) << "the .EXE copy did not start with /s";
    EXPECT_EQ(run.WaitForWindow(0, CoversTheScreen), nullptr) << "the .SCR ran the saver itself";
    EXPECT_FALSE(run.WaitForEnd(300)) << "the .SCR did not wait for its copy";
    PressKey(window, VK_SPACE);
    EXPECT_TRUE(run.WaitForEnd(5000)) << "the .SCR did not end with its copy";

    // Without parameters the copy is the program: its dialog, until closed,
    // also when minimized (the application's window then stands for it).
    TRun program(folder + "Corvalen.EXE", "", folder);
    const HWND dialog = program.WaitForWindow(20000, IsReadyDialog);
    ASSERT_NE(dialog, nullptr) << "the .EXE copy without parameters shows no dialog";
    EXPECT_FALSE(program.WaitForEnd(300));
    const HWND application = GetWindow(dialog, GW_OWNER);
    PostMessageA(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(Within(5000, [&] { return IsIconic(application) && IsWindowVisible(application); }));
    PostMessageA(application, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program.WaitForEnd(5000)) << "closing the minimized window did not end the program";
}

TEST_F(ProgramEndToEnd, DialogOkWritesEveryOptionASecondStartReadsThemAndCancelWritesNothing)
{
    {
        TRun run(ProgramPath(), "/c", Dir.Path());
        const HWND dialog = run.WaitForWindow(20000, IsReadyDialog);
        ASSERT_NE(dialog, nullptr) << "no dialog";

        Press(InGroup(dialog, "  Clock", "BUTTON", "Frames per second"));
        Press(InGroup(dialog, "  Clock", "BUTTON", "24 hours"));
        Press(InGroup(dialog, "  Sound", "BUTTON", "None"));
        Press(FindControl(dialog, "BUTTON", "Mipmapped textures"));
        Press(FindControl(dialog, "BUTTON", "End on mouse move"));
        Slide(InGroup(dialog, "  Fish count", "msctls_trackbar32"), 37);
        Slide(InGroup(dialog, "  Bubbles", "msctls_trackbar32"), 120);
        Choose(InGroup(dialog, "  Direction", "COMBOBOX"), 1);     // Right to Left
        Choose(InGroup(dialog, "  Screen saver", "COMBOBOX"), 2);  // 2 min.
        Choose(InGroup(dialog, "  Background", "COMBOBOX"), 1);
        Slide(InGroup(dialog, "  Sound", "msctls_trackbar32"), 30);
        for (const char* box : {"Emulate depth", "Sort transparent fish", "Wide screen (16:9)",
                                "Wait for vertical sync", "True colour textures", "Keep desktop mode"})
            Press(FindControl(dialog, "BUTTON", box));
        Press(FindControl(dialog, "BUTTON", "Fresh water"));
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
        TRun run(ProgramPath(), "/c", Dir.Path());
        const HWND dialog = run.WaitForWindow(20000, IsReadyDialog);
        ASSERT_NE(dialog, nullptr) << "no dialog";
        EXPECT_TRUE(IsChecked(InGroup(dialog, "  Clock", "BUTTON", "Frames per second")));
        EXPECT_TRUE(IsChecked(InGroup(dialog, "  Clock", "BUTTON", "24 hours")));
        EXPECT_TRUE(IsChecked(InGroup(dialog, "  Sound", "BUTTON", "None")));
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

        Press(InGroup(dialog, "  Clock", "BUTTON", "Frames per second"));
        Slide(InGroup(dialog, "  Fish count", "msctls_trackbar32"), 5);
        Press(FindControl(dialog, "TspSkinButton", "Cancel"));
        EXPECT_TRUE(run.WaitForEnd(10000)) << "Cancel did not end the dialog";
    }
    EXPECT_EQ(Options(HKEY_CURRENT_USER), user) << "Cancel wrote options";
    EXPECT_EQ(Options(HKEY_LOCAL_MACHINE), machine) << "Cancel wrote options";
}

}  // namespace
