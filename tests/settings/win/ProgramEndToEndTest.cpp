// The program itself (Corvalen.scr) in each of its roles, started as the
// system would start it, under Wine: the saver, the preview, the password
// change, and the settings dialog driven through its controls as a user
// would, with the options it leaves in the registry.
#include "ProgramRun.h"
#include "ProgramStandIns.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "classlib/graphics/GdiHandles.h"
#include "settings/AboutBox.h"

using namespace endtoend;

namespace {

// What Print Screen and each key do in a run is the saver's own tests'.
TEST_F(ProgramEndToEnd, SaverRunsFullScreenWithTheAquariumAndEndsOnAKey)
{
    TRun run(ProgramPath(), "/s", Dir.Path());
    ASSERT_TRUE(run.Started()) << ProgramPath();
    const HWND window = run.WaitForWindow(ReadyBound, CoversTheScreen);
    ASSERT_NE(window, nullptr) << "no full-screen window";
    EXPECT_TRUE(ShowsAPicture(window)) << "the saver shows no aquarium";
    PressKey(window, VK_SPACE);
    EXPECT_TRUE(run.WaitForEnd(EndBound)) << "a key did not end the saver";
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

// A run that did not start has no window, of its own or of any other
// process, and nothing waits for one.
TEST_F(ProgramEndToEnd, ARunThatDidNotStartIsNotWaitedFor)
{
    TRun run(Dir.Path() + "Missing.scr", "/c", Dir.Path());
    ASSERT_FALSE(run.Started());
    const DWORD start = GetTickCount();
    EXPECT_EQ(run.WaitForWindow(3000, [](HWND) { return true; }), nullptr);
    EXPECT_LT(GetTickCount() - start, 1000u);
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
    const HWND preview = TRun::WaitForWindowOf(host.ProcessId(), ReadyBound, [](HWND wnd) {
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
    ASSERT_TRUE(host.WaitForEnd(EndBound));
    // 1: our window became the host's child, 2: it drew, 4: it ended with the host.
    EXPECT_EQ(host.ExitCode(), 7u);
}

TEST_F(ProgramEndToEnd, PasswordChangeEndsWithoutAWindow)
{
    TRun run(ProgramPath(), "/a");
    ASSERT_TRUE(run.Started());
    EXPECT_TRUE(run.WaitForEnd(EndBound));
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
    const HWND window = TRun::WaitForWindowOf(0, ReadyBound, CoversTheScreen, run.ProcessId());
    ASSERT_NE(window, nullptr) << "the .EXE copy did not start with /s";
    EXPECT_EQ(run.WaitForWindow(0, CoversTheScreen), nullptr) << "the .SCR ran the saver itself";
    EXPECT_FALSE(run.WaitForEnd(300)) << "the .SCR did not wait for its copy";
    PressKey(window, VK_SPACE);
    EXPECT_TRUE(run.WaitForEnd(EndBound)) << "the .SCR did not end with its copy";

    // Without parameters the copy is the program: its dialog, until closed,
    // also when minimized (the application's window then stands for it).
    TRun program(folder + "Corvalen.EXE", "", folder);
    const HWND dialog = program.WaitForWindow(ReadyBound, IsReadyDialog);
    ASSERT_NE(dialog, nullptr) << "the .EXE copy without parameters shows no dialog";
    EXPECT_FALSE(program.WaitForEnd(300));
    const HWND application = GetWindow(dialog, GW_OWNER);
    PostMessageA(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(Within(5000, [&] { return IsIconic(application) && IsWindowVisible(application); }));
    PostMessageA(application, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program.WaitForEnd(EndBound)) << "closing the minimized window did not end the program";
}

bool IsMessageBox(HWND wnd)
{
    char name[16] = {};
    return GetClassNameA(wnd, name, sizeof name) > 0 && std::string(name) == "#32770";
}

// The text of a message box.
std::string MessageOf(HWND box)
{
    char text[512] = {};
    if (const HWND label = GetDlgItem(box, 0xFFFF))  // the static text of a message box
        GetWindowTextA(label, text, sizeof text);
    return text;
}

// A ".SCR" told to run as a program with no ".EXE" copy beside it does not
// lock the user out: the saver runs as the saver with no message, and the
// dialog shows, where unticking the option and OK store it off.
TEST_F(ProgramEndToEnd, WithRunAsProgramButNoCopyTheSaverAndTheDialogStillRunAndTheOptionCanBeTurnedOff)
{
    // The build places the copy beside the saver, as an installation does.
    const std::string built = ProgramPath().substr(0, ProgramPath().rfind('.')) + ".EXE";
    EXPECT_NE(GetFileAttributesA(built.c_str()), INVALID_FILE_ATTRIBUTES) << built;

    const std::string saver = Dir.Path() + "Corvalen.scr";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), saver.c_str(), FALSE));
    SetOption(HKEY_CURRENT_USER, "RunAsProgram", "-1");
    {
        TRun run(saver, "/s", Dir.Path());
        const HWND window = run.WaitForWindow(ReadyBound, CoversTheScreen);
        ASSERT_NE(window, nullptr) << "the saver did not run";
        EXPECT_EQ(run.WaitForWindow(0, IsMessageBox), nullptr) << "the saver showed a message";
        PressKey(window, VK_SPACE);
        EXPECT_TRUE(run.WaitForEnd(EndBound)) << "a key did not end the saver";
    }
    {
        TRun run(saver, "/c", Dir.Path());
        const HWND dialog = run.WaitForWindow(ReadyBound, IsReadyDialog);
        ASSERT_NE(dialog, nullptr) << "no dialog: " << run.Windows();
        const HWND option = FindControl(dialog, "BUTTON", "Run as program");
        EXPECT_TRUE(IsChecked(option));
        Click(option);
        EXPECT_TRUE(Within(EndBound, [option] { return !IsChecked(option); })) << "the click left the tick";
        Click(FindControl(dialog, "TspSkinButton", "OK"));
        EXPECT_TRUE(run.WaitForEnd(EndBound)) << "OK did not end the dialog";
    }
    EXPECT_EQ(OptionOf("RunAsProgram"), "0");
}

// The description as the program stores it: every byte but the line breaks
// complemented.
std::string Scrambled(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(~c);
    return text;
}

// A copy of the program whose scene description names a kind of object that
// does not exist shows the user the loader's error and ends when the
// message is answered.
TEST_F(ProgramEndToEnd, AProgramWhoseSceneDoesNotLoadShowsTheErrorAndEnds)
{
    std::string bytes;
    {
        std::ifstream in(ProgramPath(), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::string known = Scrambled("Type=TSceneTextureList"), unknown = Scrambled("Type=TSceneTextureLisX");
    const size_t at = bytes.find(known);
    ASSERT_NE(at, std::string::npos) << "the description is not in the program";
    bytes.replace(at, known.size(), unknown);
    Dir.Write("Corvalen.scr", bytes);

    TRun run(Dir.Path() + "Corvalen.scr", "/s", Dir.Path());
    const HWND box = run.WaitForWindow(ReadyBound, IsMessageBox);
    ASSERT_NE(box, nullptr) << "no message";
    EXPECT_NE(MessageOf(box).find("TSceneTextureLisX"), std::string::npos) << MessageOf(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(run.WaitForEnd(EndBound)) << "the program did not end";
}

// The host's path of a folder of the prefix (Wine's own conversion).
std::string UnixPathOf(const std::string& path)
{
    using TConvert = char*(CDECL*)(LPCWSTR);
    const auto convert = reinterpret_cast<TConvert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (convert == nullptr)
        return {};
    std::wstring wide(path.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()),
                                                        wide.data(), static_cast<int>(wide.size()))));
    char* converted = convert(wide.c_str());
    if (converted == nullptr)
        return {};
    std::string result = converted;
    HeapFree(GetProcessHeap(), 0, converted);
    return result;
}

// The password change hands the window it was given to the system's
// password dialog for screen savers: ("SCRSAVE", the window, 0, 0), as the
// stand-in MPR.DLL (in the system directory for this run) records it.
TEST_F(ProgramEndToEnd, PasswordChangeCallsTheSystemsDialogForTheGivenWindow)
{
    const HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string program = ProgramPath();
    // The stand-in, built beside this test program.
    const std::string standIn = program.substr(0, program.find("..\\")) + "MPR.DLL";
    // A copy of its own, which alone Wine tells to take the native library.
    const std::string copy = Dir.Path() + "CorvalenPassword.scr";
    ASSERT_TRUE(CopyFileA(program.c_str(), copy.c_str(), FALSE));
    const std::string appKey = "Software\\Wine\\AppDefaults\\CorvalenPassword.scr";
    {
        const TFileSwap library(std::string(system) + "\\MPR.DLL", standIn);
        ASSERT_TRUE(library.Replaced()) << standIn;
        const TUserSetting native(appKey + "\\DllOverrides", "mpr", "native");
        const TEnvironmentSetting calls("CORVALEN_TEST_MPR_CALLS", Dir.Path() + "calls.txt");
        const std::string window = std::to_string(reinterpret_cast<uintptr_t>(owner));
        TRun run(copy, "/a " + window, Dir.Path());
        ASSERT_TRUE(run.Started());
        EXPECT_TRUE(run.WaitForEnd(EndBound));
        EXPECT_EQ(Dir.Read("calls.txt"), "SCRSAVE," + window + ",0,0");
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, appKey.c_str());
    DestroyWindow(owner);
}

// The samples of the program's bubble sound: the data of its WAVE resource.
std::string BubbleSamples()
{
    const HRSRC resource = FindResourceA(nullptr, "BUBBLES_WAV", "WAVE");
    if (resource == nullptr)
        return {};
    const std::string wave(static_cast<const char*>(LockResource(LoadResource(nullptr, resource))),
                           SizeofResource(nullptr, resource));
    for (size_t chunk = 12; chunk + 8 <= wave.size();) {
        uint32_t size = 0;
        wave.copy(reinterpret_cast<char*>(&size), 4, chunk + 4);
        if (wave.compare(chunk, 4, "data") == 0)
            return wave.substr(chunk + 8, size);
        chunk += 8 + size + (size & 1);
    }
    return {};
}

// The saver's bubble sound on a sound device as Wine's ALSA driver plays
// it: for these runs the prefix's only output device is alsa-lib's "file"
// device, which keeps every sample it is given in a file. With the bubbles
// chosen (the default) the device receives the program's bubble sound, the
// whole of it and then again (looped), while the saver runs; with "None"
// stored it receives nothing (the sound would start before the first frame).
TEST_F(ProgramEndToEnd, TheSaversBubbleSoundPlaysOnTheDeviceAndWithNoneNothingPlays)
{
    const std::string samples = BubbleSamples();
    ASSERT_GT(samples.size(), 1000u) << "no bubble sound in the program's resources";
    // One fixed file: the prefix keeps a record of each device name it met.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string device = std::string(temp) + "corvalen-sound-device.raw";
    const std::string unixDevice = UnixPathOf(device);
    ASSERT_FALSE(unixDevice.empty());
    // The driver takes only a list of names (REG_MULTI_SZ): the setting is
    // saved, given back afterwards, and for now that list of one name.
    const char* const driver = "Software\\Wine\\Drivers\\winealsa.drv";
    const TUserSetting output(driver, "ALSAOutputDevices", "");
    const std::string names = "file:FILE=" + unixDevice + std::string(1, '\0');
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, driver, "ALSAOutputDevices", REG_MULTI_SZ, names.c_str(),
                              static_cast<DWORD>(names.size() + 1)),
              ERROR_SUCCESS);
    const auto received = [&device] {
        std::ifstream in(device, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    for (const bool bubbles : {true, false}) {
        DeleteFileA(device.c_str());
        if (!bubbles)
            SetOption(HKEY_CURRENT_USER, "BubbleSnd", "0");  // as the "None" radio button stores it
        TRun run(ProgramPath(), "/s", Dir.Path());
        ASSERT_TRUE(run.Started());
        const HWND window = run.WaitForWindow(ReadyBound, CoversTheScreen);
        ASSERT_NE(window, nullptr) << "no full-screen window";
        ASSERT_TRUE(ShowsAPicture(window)) << "the saver shows no aquarium";
        if (bubbles) {
            ASSERT_TRUE(Within(EndBound, [&] { return received().size() > samples.size() + 1000; }))
                << "the device received " << received().size() << " bytes";
            const std::string heard = received();
            EXPECT_EQ(heard.substr(0, samples.size()), samples) << "not the bubble sound";
            EXPECT_EQ(heard.substr(samples.size(), 1000), samples.substr(0, 1000)) << "not looped";
        } else {
            Sleep(2000);
            EXPECT_EQ(received().size(), 0u) << "a sound plays";
        }
        PressKey(window, VK_SPACE);
        EXPECT_TRUE(run.WaitForEnd(EndBound)) << "a key did not end the saver";
    }
    DeleteFileA(device.c_str());
}

// A click on the maker's page in the about box opens it in the user's
// browser: Wine gives it to the command its browser setting names, here a
// shell script that records what it was given.
TEST_F(ProgramEndToEnd, TheAboutBoxOpensTheMakersPageInTheUsersBrowser)
{
    const std::string folder = UnixPathOf(Dir.Path());
    ASSERT_FALSE(folder.empty());
    Dir.Write("browser.sh", "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + folder + "/opened.txt'\n");
    const TUserSetting browser("Software\\Wine\\WineBrowser", "Browsers", "/bin/sh " + folder + "/browser.sh");

    TRun run(ProgramPath(), "/c", Dir.Path());
    const HWND dialog = run.WaitForWindow(ReadyBound, IsReadyDialog);
    ASSERT_NE(dialog, nullptr) << "no dialog: " << run.Windows();
    Press(FindControl(dialog, "TspSkinButton", "About"));
    const HWND about = run.WaitForWindow(ReadyBound, IsAboutBox);
    ASSERT_NE(about, nullptr) << "no about box";
    SetForegroundWindow(about);
    POINT page{16 + 40, 198 + 9};  // on Label1: (16, 198), 382 x 18 in the box
    ClientToScreen(about, &page);
    MouseAt(page);
    Sleep(100);
    MouseAt(page, MOUSEEVENTF_LEFTDOWN);
    MouseAt(page, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(Within(EndBound, [&] { return Dir.Read("opened.txt") == std::string(MakerWebPage) + "\n"; }))
        << "the browser was given [" << Dir.Read("opened.txt") << "]";
    PostMessageA(about, WM_CLOSE, 0, 0);
    Press(FindControl(dialog, "TspSkinButton", "Cancel"));
    EXPECT_TRUE(run.WaitForEnd(EndBound));
}

TEST_F(ProgramEndToEnd, DialogOkWritesEveryOptionASecondStartReadsThemAndCancelWritesNothing)
{
    {
        TRun run(ProgramPath(), "/c", Dir.Path());
        const HWND dialog = run.WaitForWindow(ReadyBound, IsReadyDialog);
        ASSERT_NE(dialog, nullptr) << "no dialog: " << run.Windows();

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
        EXPECT_TRUE(run.WaitForEnd(EndBound)) << "OK did not end the dialog";
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
        const HWND dialog = run.WaitForWindow(ReadyBound, IsReadyDialog);
        ASSERT_NE(dialog, nullptr) << "no dialog: " << run.Windows();
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
        EXPECT_TRUE(run.WaitForEnd(EndBound)) << "Cancel did not end the dialog";
    }
    EXPECT_EQ(Options(HKEY_CURRENT_USER), user) << "Cancel wrote options";
    EXPECT_EQ(Options(HKEY_LOCAL_MACHINE), machine) << "Cancel wrote options";
}

}  // namespace
