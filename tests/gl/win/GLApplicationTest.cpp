// The OpenGL application under Wine with a real render window and context:
// the frame, ticks inside a frame, full screen entered and left, exceptions
// in full screen, power events, the links to the display and the window; the
// colour-depth check against a fake display; the display options in the real
// registry under the test's own key; screenshots: Print Screen and a picture
// that cannot be written.
#include "gl/GLApplication.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "GLApplicationTestSupport.h"
#include "classlib/core/FloatControl.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/ui/Screen.h"
#include "gl/core/GLApplicationRules.h"
#include "gl/core/GLBinding.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "../../support/TempFolder.h"

namespace {

using glapptest::GLApplicationTest;
using glapptest::TakeQuits;
using Strings = std::vector<std::string>;

constexpr uint32_t SseRounding = 0x6000;  // the rounding bits of MXCSR

std::string SizeCall(int width, int height) { return "resize " + std::to_string(width) + "x" + std::to_string(height); }

void RawWrite(const std::string& key, const std::string& name, const std::string& value)
{
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}

std::string RawRead(const std::string& key, const std::string& name)
{
    char buffer[256] = {};
    DWORD size = sizeof(buffer) - 1;
    const LONG status =
        RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size);
    return status == ERROR_SUCCESS ? buffer : "(missing)";
}

// The stored full-screen mode, whatever DesktopOnly says.
std::string StoredMode(TCustomGLDisplay& display)
{
    const bool desktopOnly = std::exchange(display.DesktopOnly, false);
    const std::string name = display.FullScreenMode().GetModeName();
    display.DesktopOnly = desktopOnly;
    return name;
}

bool FileExists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFile(const std::string& name)
{
    std::ostringstream text;
    text << std::ifstream(name, std::ios::binary).rdbuf();
    return text.str();
}

// In a folder of its own, made the current directory (where Print Screen
// writes), removed afterwards; one frame drawn.
class GLApplicationShot : public GLApplicationTest {
protected:
    void SetUp() override
    {
        GLApplicationTest::SetUp();
        std::filesystem::current_path(Folder.Path());
        Build();
        Tick();
        ASSERT_TRUE(App->OpenGL()->Active());
    }
    void TearDown() override
    {
        GLApplicationTest::TearDown();
        std::filesystem::current_path(OldDirectory);
    }
    void PressPrintScreen()
    {
        PostMessageA(Window->Handle(), WM_KEYUP, VK_SNAPSHOT, 0xC0370001);
        Application->ProcessMessages();
    }

    const std::filesystem::path OldDirectory = std::filesystem::current_path();
    testsupport::TTempFolder Folder;
};

}  // namespace

TEST_F(GLApplicationTest, TheFirstTickStartsOpenGLFramesStepByTheStopwatchAndRunWithTheDefaultFPUModes)
{
    Build();
    uint16_t wordInFrame = 0;
    uint32_t sseRoundingInFrame = 1;
    Draw = [&] {
        wordInFrame = Get8087CW() & 0x1F3F;
        sseRoundingInFrame = _mm_getcsr() & SseRounding;
        Set8087CW(0x1F3F);  // truncating, as some conversions leave it
    };
    Set8087CW(0x1F3F);
    Tick();
    EXPECT_EQ(Calls, (Strings{"start", "start GL", SizeCall(FormWidth, FormHeight)}));
    EXPECT_EQ(App->DC(), Window->DC());
    EXPECT_EQ(wordInFrame, DefaultFPUControlWord);
    EXPECT_EQ(sseRoundingInFrame, 0u) << "to nearest";
    EXPECT_EQ(Get8087CW() & 0x1F3F, DefaultFPUControlWord);

    Ticks += 40;
    Tick();
    App->Active = false;  // no frames; the next step covers the pause
    Ticks += 100;
    Tick();
    App->Active = true;
    Ticks += 10;
    Tick();
    ASSERT_EQ(Steps.size(), 3u);
    EXPECT_FLOAT_EQ(Steps[1], 0.040f);
    EXPECT_FLOAT_EQ(Steps[2], 0.110f);
    EXPECT_EQ(Calls.size(), 3u) << "OpenGL starts once";
    Set8087CW(DefaultFPUControlWord);
}

TEST_F(GLApplicationTest, ATickInsideAFrameDrawsNothingAndAFailedFrameDoesNotStopTheNext)
{
    Build();
    Strings errors;
    App->OnException = [&](TObject*, Exception& e) { errors.push_back(e.Message); };
    size_t framesInNestedTick = 99;
    Draw = [&] {
        if (Steps.size() == 2) {  // a modal loop inside the frame pumps idle ticks like this
            const size_t before = Steps.size();
            Tick();
            framesInNestedTick = Steps.size() - before;
        }
        if (Steps.size() == 3)
            throw Exception("frame failed");
    };
    for (int i = 0; i < 4; ++i)
        Tick();
    EXPECT_EQ(framesInNestedTick, 0u);
    EXPECT_EQ(errors, (Strings{"frame failed"}));
    EXPECT_EQ(Steps.size(), 4u);
}

TEST_F(GLApplicationTest, FullScreenMakesTheWindowAnewAndDisablesTheMainFormUntilItIsLeftOrClosed)
{
    Build();
    Tick();
    Calls.clear();
    Display->DesktopOnly = true;
    Display->SetFullScreen(true);
    ASSERT_TRUE(App->IsFullScreen());
    EXPECT_TRUE(DriverLog->Changes.empty()) << "the desktop mode needs no switch";
    const HWND popup = Window->Handle();  // a topmost popup over the whole screen (the size: the resize below)
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(popup, GWL_STYLE)),
              static_cast<DWORD>(WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE));
    EXPECT_NE(GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(WindowFromDC(App->DC()), popup);
    TGLWindow unmade(nullptr);  // asking the client size of a window not yet made moves nothing
    unmade.SetHost(Window->Host());
    EXPECT_EQ(unmade.ClientWidth(), 640);
    EXPECT_EQ(unmade.Width(), 640);
    unmade.SetHost(nullptr);
    EXPECT_FALSE(IsWindowEnabled(Form->Handle()));
    Tick();
    EXPECT_EQ(Calls, (Strings{"stop GL", "start GL", SizeCall(Screen->Width(), Screen->Height())}));

    Calls.clear();
    Display->SetFullScreen(false);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(GetParent(Window->Handle()), Form->Handle());
    EXPECT_EQ(App->DC(), Window->DC());
    EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
    Tick();
    EXPECT_EQ(Calls, (Strings{"stop GL", "start GL", SizeCall(FormWidth, FormHeight)}));

    // Closing the full-screen window only leaves full screen, unless the run ends with it.
    Display->SetFullScreen(true);
    EXPECT_EQ(SendMessageA(Window->Handle(), WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(App->IsFullScreen());
    EXPECT_EQ(GetParent(Window->Handle()), Form->Handle());
    EXPECT_EQ(TakeQuits(), 0);
    App->ExitOnLeaveFullScreen = true;
    Display->SetFullScreen(true);
    EXPECT_EQ(SendMessageA(Window->Handle(), WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(Window->HandleAllocated()) << "the window is not made again for a run that ends";
    EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
    EXPECT_EQ(TakeQuits(), 1);
}

TEST_F(GLApplicationTest, AFailedFullScreenFrameShowsTheLastOneAgainAndLeavesFullScreenForGoodBeforeTheReport)
{
    GLRecorder gl;
    auto* platform = new TGLStubPlatform;  // counts the swaps
    platform->Formats = {MakeTestDescriptor(pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer, 32, 24)};
    Build({1280, 1024, 32}, glapptest::UsualModes(), true, std::unique_ptr<TGLPlatform>(platform));
    Display->DesktopOnly = true;
    Display->SetFullScreen(true);
    Tick();
    App->PresentLastFrame();
    App->PresentLastFrame();
    EXPECT_EQ(platform->SwapCount, 2) << "one swap, and only one";
    Tick();
    Draw = [] { throw Exception("frame failed"); };
    Tick();  // without a handler the message is shown and the program ends
    EXPECT_EQ(platform->SwapCount, 4) << "the drawn frame shown again, the failed one not";
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "frame failed");
    EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(TakeQuits(), 1);
    EXPECT_FALSE(App->IsFullScreen());
    EXPECT_FALSE(Window->HandleAllocated());
    EXPECT_FALSE(App->OpenGL()->Active());
    EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
}

// The pass runs before the frame, once per request; a request made before
// the first frame (no projection to pick through yet) waits for the second.
TEST_F(GLApplicationTest, APickRequestRunsASelectPassBeforeTheFrameAndFindsTheObjectUnderThePoint)
{
    Build();
    TGLPickable leftHalf;
    App->OpenGL()->Viewports().PickNames().Add(leftHalf);
    std::vector<bool> passes;
    App->OnRender = [&](float, bool select) {
        passes.push_back(select);
        if (select && passes.size() == 4)
            throw Exception("pass failed");
        glPushName(leftHalf.PickName());
        glPushMatrix();
        glTranslatef(0, 0, -500);  // the camera looks down -z, near 100
        glBegin(GL_QUADS);
        for (const auto& [x, y] : {std::pair{-5000, -5000}, {0, -5000}, {0, 5000}, {-5000, 5000}})
            glVertex2i(x, y);
        glEnd();
        glPopMatrix();
    };
    App->RequestPick(10, FormHeight / 2);
    Tick();
    EXPECT_TRUE(App->PickRequested());
    Tick();
    EXPECT_EQ(passes, (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(App->PickRequested());
    EXPECT_TRUE(leftHalf.Picked());
    EXPECT_EQ(App->Viewport()->GLViewport()->Picked(), &leftHalf);

    App->OnException = [](TObject*, Exception&) {};
    App->RequestPick(FormWidth - 10, FormHeight / 2);  // a failing pass still ends selection mode
    Tick();
    Tick();
    EXPECT_EQ(passes, (std::vector<bool>{false, true, false, true, false}));
    EXPECT_FALSE(leftHalf.Picked()) << "the right half is empty";
    GLint renderMode = 0;
    glGetIntegerv(GL_RENDER_MODE, &renderMode);
    EXPECT_EQ(renderMode, GL_RENDER);
}

TEST_F(GLApplicationTest, StopAndPowerOffStopOpenGLAndPowerOnEndsTheProgram)
{
    Build();
    App->OnPowerOff = [this](TObject*) { Calls.push_back("power off"); };
    App->OnPowerOn = [this](TObject*) { Calls.push_back("power on"); };
    Tick();
    Calls.clear();
    App->Stop();
    EXPECT_EQ(Calls, (Strings{"stop GL", "stop"}));
    Tick();  // OpenGL starts again
    Calls.clear();
    const size_t frames = Steps.size();
    App->PowerOff();
    Tick();
    EXPECT_EQ(Calls, (Strings{"power off", "stop GL"}));
    EXPECT_EQ(Steps.size(), frames) << "no frame, and OpenGL stays stopped";
    App->PowerOn();
    EXPECT_EQ(Calls.back(), "power on");
    EXPECT_EQ(TakeQuits(), 1);
}

TEST_F(GLApplicationTest, TheApplicationLetsGoOfAReplacedDisplayAndForgetsFreedComponents)
{
    Build();
    Tick();
    auto* other = new TCustomGLDisplay(Form.get(), std::make_unique<TFakeDisplayDriver>());
    App->SetDisplay(other);
    EXPECT_FALSE(Display->OnModeChanged || Display->OnModeChanging || Display->OnFilterMode);
    Display->SetFullScreen(true);
    EXPECT_FALSE(App->IsFullScreen()) << "the old display's switches no longer reach the application";
    Display->SetFullScreen(false);
    delete other;
    EXPECT_EQ(App->Display(), nullptr);

    Calls.clear();
    delete Window;
    EXPECT_EQ(App->Window(), nullptr);
    EXPECT_EQ(App->DC(), nullptr);
    Tick();
    EXPECT_EQ(Calls, (Strings{"stop GL"}));

    // A window made before it is linked still gets OpenGL.
    auto* window = new TGLWindow(Form.get());
    window->SetParent(Form.get());
    App->SetWindow(window);
    EXPECT_EQ(App->DC(), window->DC());
    Tick();
    EXPECT_TRUE(App->OpenGL()->Active());
}

TEST(GLApplicationAcceleration, OnlyADisplayWithoutAcceleratedFormatsIsWarnedAbout)
{
    testsupport::TBoxCapture boxes;
    constexpr uint32_t WindowGL = pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer;
    for (const bool accelerated : {true, false}) {
        auto* platform = new TGLStubPlatform;
        platform->Formats = {MakeTestDescriptor(WindowGL | pfdGenericFormat, 32, 16)};
        if (accelerated)
            platform->Formats.push_back(MakeTestDescriptor(WindowGL, 32, 24));
        TCustomGLApplication(nullptr, std::unique_ptr<TGLPlatform>(platform)).CheckHardwareAcceleration();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, HardwareAccelerationWarning);
    EXPECT_EQ(boxes[0].Caption, Application->Title());
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONERROR));
}


TEST_F(GLApplicationTest, ADesktopWithoutHighOrTrueColorStopsTheStartWithTheWarning)
{
    Build({1280, 1024, 24});
    Tick();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, ColorDepthWarning);
    EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(Calls.empty() && Steps.empty()) << "neither OnStart nor OpenGL";
    EXPECT_EQ(TakeQuits(), 1) << "without an exception handler the program ends";
}

TEST_F(GLApplicationTest, ASwitchBeforeTheOptionsAreLoadedReadsTheStoredModeOnceAndLoadingReadsItAgain)
{
    Build({1280, 1024, 32}, glapptest::UsualModes(), false);
    RawWrite(OptionKey(), "DesktopOnly", "0");
    RawWrite(OptionKey(), "FullScreenMode", "800x600x32");
    Display->DesktopOnly = true;
    Display->SetFullScreen(true);
    Display->SetFullScreen(false);
    RawWrite(OptionKey(), "DesktopOnly", "-1");
    RawWrite(OptionKey(), "FullScreenMode", "1024x768x16");
    Display->SetFullScreen(true);
    Display->SetFullScreen(false);
    EXPECT_EQ(DriverLog->Changes, (std::vector<TVideoMode>{{800, 600, 32}, {800, 600, 32}})) << "read once only";

    bool desktopOnlyAtEvent = false;
    App->OnLoadOptions = [&](TObject*) { desktopOnlyAtEvent = Display->DesktopOnly; };
    App->LoadOptions();
    EXPECT_TRUE(desktopOnlyAtEvent) << "the display options come before the framework's";
    EXPECT_EQ(StoredMode(*Display), "1024x768x16");
}

// Malformed stored values read as the defaults: ProgramEndToEndTest.
TEST_F(GLApplicationTest, TheDisplayOptionsGoToTheStoreBeforeTheFrameworksAndComeBack)
{
    Build({1280, 1024, 32}, glapptest::UsualModes(), false);
    TCustomAppOpenGL& context = *App->OpenGL();
    Display->DesktopOnly = false;
    ASSERT_TRUE(SetFullScreenModeName(*Display, "1024x768x16"));
    context.VSync = false;
    App->Viewport()->WideScreen = true;
    App->SaveOptions();
    EXPECT_EQ(RawRead(OptionKey(), "FullScreenMode"), "1024x768x16");
    EXPECT_NE(RawRead(OptionKey(), "DataDir"), "(missing)") << "then the framework's options";

    Display->DesktopOnly = true;
    ASSERT_TRUE(SetFullScreenModeName(*Display, "800x600x32"));
    context.VSync = true;
    App->Viewport()->WideScreen = false;
    RawWrite(OptionKey(), "SoftwareRendering", "-1");
    App->LoadOptions();
    EXPECT_FALSE(Display->DesktopOnly);
    EXPECT_EQ(StoredMode(*Display), "1024x768x16");
    EXPECT_FALSE(context.VSync);
    EXPECT_TRUE(App->Viewport()->WideScreen);
    EXPECT_TRUE(context.GetGenericOnly());
    Display->DesktopOnly = true;
    App->SaveOptions();
    EXPECT_EQ(RawRead(OptionKey(), "FullScreenMode"), "1280x1024x32") << "desktop only: the desktop's mode";
}


TEST_F(GLApplicationShot, PrintScreenShootsTheNextFrameBeforeItsSwapOrGoesToOnSnapShot)
{
    std::vector<UINT> passedOn;
    App->OnMessage = [&](MSG& msg, bool&) {
        if (msg.message == WM_KEYUP)
            passedOn.push_back(static_cast<UINT>(msg.wParam));
    };
    PressPrintScreen();
    ASSERT_FALSE(App->BaseName().empty());
    EXPECT_FALSE(FileExists(App->BaseName() + "1.jpg")) << "the key only marks the shot";
    Tick();
    EXPECT_TRUE(FileExists(App->BaseName() + "1.jpg"));

    // The shot is of the frame drawn after the key, taken before its swap.
    int snapshots = 0;
    App->OnSnapShot = [&](TObject*) { ++snapshots, App->SaveScreenShot("next.bmp"); };
    PressPrintScreen();
    Draw = [] {
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    };
    Tick();
    Tick();
    EXPECT_EQ(snapshots, 1);
    EXPECT_FALSE(FileExists(App->BaseName() + "2.jpg"));
    TBitmap bitmap;
    bitmap.LoadFromFile("next2.bmp");
    const auto* row = static_cast<const uint8_t*>(bitmap.ScanLine(FormHeight / 2));
    EXPECT_EQ((std::vector<int>{row[0], row[1], row[2]}), (std::vector<int>{0, 255, 0}));

    // A shot still pending when OpenGL stops goes with the frames it was for.
    PressPrintScreen();
    App->StopOpenGL();
    Tick();
    ASSERT_TRUE(App->OpenGL()->Active());
    EXPECT_EQ(snapshots, 1);

    PostMessageA(Window->Handle(), WM_KEYUP, 'A', 0xC01E0001);
    Application->ProcessMessages();
    EXPECT_EQ(passedOn, (std::vector<UINT>{'A'})) << "Print Screen is handled, other keys go on";
}

TEST_F(GLApplicationShot, APictureThatCannotBeWrittenIsLoggedAndTheRunGoesOn)
{
    App->SetLogFile(true);
    const std::string blocked = App->BaseName() + "1.jpg";
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));  // a folder stands where the picture should go
    PressPrintScreen();
    const size_t frames = Steps.size();
    Tick();
    Tick();
    EXPECT_EQ(Steps.size(), frames + 2);
    EXPECT_FALSE(App->SaveScreenShot("missing\\shot.bmp"));
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(TakeQuits(), 0);
    App->SetLogFile(false);  // closes the log
    const std::string log = ReadFile(App->LogFileName());
    DeleteFileA(App->LogFileName().c_str());
    EXPECT_NE(log.find("Screenshot " + blocked + " not saved"), std::string::npos) << log;
    EXPECT_NE(log.find("Screenshot missing\\shot2.bmp not saved"), std::string::npos) << log;
}
