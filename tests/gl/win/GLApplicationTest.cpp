// The OpenGL application under Wine with a real render window and context:
// the frame, the guard against ticks inside a frame, full screen entered and
// left (the desktop mode of a fake display), exceptions in full screen,
// power events, and the links to the display and the window.
#include "gl/GLApplication.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <memory>
#include <string>
#include <vector>

#include "GLApplicationTestSupport.h"
#include "classlib/core/FloatControl.h"
#include "classlib/ui/Screen.h"
#include "gl/core/GLApplicationRules.h"
#include "gl/core/GLBinding.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"

namespace {

using glapptest::GLApplicationTest;
using glapptest::TakeQuits;
using Strings = std::vector<std::string>;

// The rounding bits of MXCSR.
constexpr uint32_t SseRounding = 0x6000;

std::string SizeCall(int width, int height)
{
    return "resize " + std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

TEST_F(GLApplicationTest, TheFirstTickStartsOpenGLOnTheWindowAndFramesStepByTheStopwatch)
{
    Build();
    Window->SetColor(RGB(0, 0, 255));
    ASSERT_NE(App->DC(), nullptr);
    EXPECT_EQ(WindowFromDC(App->DC()), Window->Handle());

    GLubyte cleared[4] = {};
    uint16_t wordInFrame = 0;
    uint32_t sseRoundingInFrame = 0;
    Draw = [&] {
        glReadPixels(5, 5, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, cleared);
        wordInFrame = Get8087CW() & 0x1F3F;  // the reserved bits read back as the unit keeps them
        sseRoundingInFrame = _mm_getcsr() & SseRounding;
        Set8087CW(0x1F3F);  // truncating, as some conversions leave it
    };
    Set8087CW(0x1F3F);
    Tick();
    EXPECT_EQ(Calls, (Strings{"start", "start GL", SizeCall(FormWidth, FormHeight)}));
    ASSERT_TRUE(App->OpenGL()->Active());
    ASSERT_EQ(Steps, (std::vector<float>{0.0f}));
    // The viewport cleared the frame with the window's colour before OnRender.
    EXPECT_EQ(cleared[0], 0);
    EXPECT_EQ(cleared[1], 0);
    EXPECT_EQ(cleared[2], 255);
    EXPECT_EQ(wordInFrame, DefaultFPUControlWord);
    EXPECT_EQ(sseRoundingInFrame, 0u) << "to nearest";
    EXPECT_EQ(Get8087CW() & 0x1F3F, DefaultFPUControlWord);
    EXPECT_EQ(_mm_getcsr() & SseRounding, 0u);

    Ticks += 40;
    Tick();
    Ticks += 16;
    Tick();
    ASSERT_EQ(Steps.size(), 3u);
    EXPECT_FLOAT_EQ(Steps[1], 0.040f);
    EXPECT_FLOAT_EQ(Steps[2], 0.016f);
    EXPECT_EQ(Calls.size(), 3u) << "OpenGL starts once";

    // Inactive: no frames; the next frame's step covers the pause.
    App->Active = false;
    Ticks += 100;
    Tick();
    EXPECT_EQ(Steps.size(), 3u);
    App->Active = true;
    Ticks += 10;
    Tick();
    ASSERT_EQ(Steps.size(), 4u);
    EXPECT_FLOAT_EQ(Steps[3], 0.110f);
    Set8087CW(DefaultFPUControlWord);
}

TEST_F(GLApplicationTest, ATickInsideAFrameDrawsNothingAndAFailedFrameDoesNotStopTheNext)
{
    Build();
    std::vector<std::string> errors;
    App->OnException = [&](TObject*, Exception& e) { errors.push_back(e.Message); };
    size_t framesInNestedTick = 99;
    Draw = [&] {
        if (Steps.size() == 2) {
            // A modal loop inside the frame would pump idle ticks like this.
            const size_t before = Steps.size();
            Tick();
            framesInNestedTick = Steps.size() - before;
        }
        if (Steps.size() == 3)
            throw Exception("frame failed");
    };
    Tick();
    Tick();
    EXPECT_EQ(framesInNestedTick, 0u);
    Tick();
    EXPECT_EQ(errors, (Strings{"frame failed"}));
    Tick();
    EXPECT_EQ(Steps.size(), 4u);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(GLApplicationTest, FullScreenMakesTheWindowAnewAndDisablesTheMainFormUntilItIsLeft)
{
    Build();
    Tick();
    const HWND child = Window->Handle();
    EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
    Calls.clear();

    Display->DesktopOnly = true;
    Display->SetFullScreen(true);
    ASSERT_TRUE(App->IsFullScreen());
    EXPECT_TRUE(DriverLog->Changes.empty()) << "the desktop mode needs no switch";
    EXPECT_EQ(Calls, (Strings{"stop GL"}));
    ASSERT_TRUE(Window->HandleAllocated());
    const HWND popup = Window->Handle();
    EXPECT_FALSE(IsWindow(child));
    EXPECT_NE(GetWindowLongA(popup, GWL_STYLE) & WS_POPUP, 0);
    EXPECT_EQ(WindowFromDC(App->DC()), popup);
    EXPECT_FALSE(IsWindowEnabled(Form->Handle()));

    // The next tick makes the context on the new window.
    Tick();
    EXPECT_EQ(Calls, (Strings{"stop GL", "start GL", SizeCall(Screen->Width(), Screen->Height())}));
    EXPECT_TRUE(App->OpenGL()->Active());
    const size_t frames = Steps.size();

    Calls.clear();
    Display->SetFullScreen(false);
    EXPECT_FALSE(App->IsFullScreen());
    EXPECT_EQ(Calls, (Strings{"stop GL"}));
    ASSERT_TRUE(Window->HandleAllocated());
    const HWND again = Window->Handle();
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(GetParent(again), Form->Handle());
    EXPECT_EQ(WindowFromDC(App->DC()), again);
    EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
    Tick();
    EXPECT_EQ(Calls, (Strings{"stop GL", "start GL", SizeCall(FormWidth, FormHeight)}));
    EXPECT_EQ(Steps.size(), frames + 1);
}

TEST_F(GLApplicationTest, ClosingTheFullScreenWindowLeavesFullScreenAndEndsTheRunWhenAsked)
{
    Build();
    Display->DesktopOnly = true;
    Display->SetFullScreen(true);
    Tick();
    EXPECT_EQ(SendMessageA(Window->Handle(), WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(App->IsFullScreen());
    ASSERT_TRUE(Window->HandleAllocated());
    EXPECT_EQ(GetParent(Window->Handle()), Form->Handle());
    EXPECT_EQ(TakeQuits(), 0);

    App->ExitOnLeaveFullScreen = true;
    Display->SetFullScreen(true);
    ASSERT_TRUE(Window->HandleAllocated());
    const HWND popup = Window->Handle();
    EXPECT_EQ(SendMessageA(popup, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(App->IsFullScreen());
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_FALSE(Window->HandleAllocated()) << "the window is not made again for a run that ends";
    EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
    EXPECT_EQ(TakeQuits(), 1);
}

TEST_F(GLApplicationTest, AnExceptionInFullScreenLeavesItForGoodBeforeItIsReported)
{
    Build();
    Display->DesktopOnly = true;
    Display->SetFullScreen(true);
    Tick();
    ASSERT_TRUE(App->OpenGL()->Active());
    Draw = [] { throw Exception("frame failed"); };
    // Without a handler the message is shown and the program ends.
    Tick();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "frame failed");
    EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(TakeQuits(), 1);
    EXPECT_FALSE(App->IsFullScreen());
    EXPECT_TRUE(App->ExitOnLeaveFullScreen);
    EXPECT_FALSE(Window->HandleAllocated());
    EXPECT_FALSE(App->OpenGL()->Active());
    EXPECT_TRUE(IsWindowEnabled(Form->Handle()));

    // Not full screen: only the report.
    App->ExitOnLeaveFullScreen = false;
    Window->Show();
    Tick();
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(TakeQuits(), 1);
    EXPECT_TRUE(Window->HandleAllocated());
}

TEST_F(GLApplicationTest, TheLastFrameIsPresentedOnceMoreWhenAFullScreenFrameFails)
{
    // The frames go to a recording GL on a stand-in window system, which
    // counts the swaps.
    GLRecorder gl;
    auto* platform = new TGLStubPlatform;
    platform->Formats = {MakeTestDescriptor(pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer, 32, 24)};
    Build({1280, 1024, 32}, glapptest::UsualModes(), true, std::unique_ptr<TGLPlatform>(platform));
    Display->DesktopOnly = true;
    Display->SetFullScreen(true);
    Tick();
    ASSERT_TRUE(App->OpenGL()->Active());
    EXPECT_EQ(platform->SwapCount, 1);
    // Presenting the frame again takes one swap, and only one.
    App->PresentLastFrame();
    EXPECT_EQ(platform->SwapCount, 2);
    App->PresentLastFrame();
    EXPECT_EQ(platform->SwapCount, 2);
    Tick();
    EXPECT_EQ(platform->SwapCount, 3);

    App->OnException = [](TObject*, Exception&) {};
    Draw = [] { throw Exception("frame failed"); };
    Tick();
    EXPECT_EQ(platform->SwapCount, 4) << "the drawn frame shown again, the failed one not";
    EXPECT_FALSE(App->IsFullScreen());
}

TEST_F(GLApplicationTest, StopAndPowerOffStopOpenGLAndPowerOnEndsTheProgram)
{
    Build();
    App->OnPowerOff = [this](TObject* sender) {
        EXPECT_EQ(sender, App);
        Calls.push_back("power off");
    };
    App->OnPowerOn = [this](TObject* sender) {
        EXPECT_EQ(sender, App);
        Calls.push_back("power on");
    };
    Tick();
    Calls.clear();
    App->Stop();
    EXPECT_EQ(Calls, (Strings{"stop GL", "stop"}));

    Tick();  // OpenGL starts again: the window still has its device context
    Calls.clear();
    const size_t frames = Steps.size();
    App->PowerOff();
    EXPECT_EQ(Calls, (Strings{"power off", "stop GL"}));
    EXPECT_FALSE(App->OpenGL()->Active());
    Tick();
    Tick();
    EXPECT_EQ(Steps.size(), frames) << "no frame, and OpenGL stays stopped";
    EXPECT_EQ(Calls.size(), 2u);

    App->PowerOn();
    EXPECT_EQ(Calls.back(), "power on");
    EXPECT_EQ(TakeQuits(), 1);
}

TEST_F(GLApplicationTest, TheApplicationLetsGoOfAReplacedDisplayAndForgetsFreedComponents)
{
    Build();
    Tick();
    auto* other = new TCustomGLDisplay(Form.get(), std::make_unique<TFakeDisplayDriver>());
    EXPECT_TRUE(Display->OnModeChanged && Display->OnModeChanging && Display->OnFilterMode);
    App->SetDisplay(other);
    EXPECT_FALSE(Display->OnModeChanged);
    EXPECT_FALSE(Display->OnModeChanging);
    EXPECT_FALSE(Display->OnFilterMode);
    EXPECT_TRUE(other->OnModeChanged && other->OnModeChanging && other->OnFilterMode);
    // The old display's switches no longer reach the application.
    Display->SetFullScreen(true);
    EXPECT_FALSE(App->IsFullScreen());
    EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
    Display->SetFullScreen(false);

    delete other;
    EXPECT_EQ(App->Display(), nullptr);
    EXPECT_FALSE(App->IsFullScreen());

    Calls.clear();
    delete Window;
    EXPECT_EQ(App->Window(), nullptr);
    EXPECT_EQ(App->DC(), nullptr);
    EXPECT_EQ(Calls, (Strings{"stop GL"}));
    const size_t frames = Steps.size();
    Tick();
    EXPECT_EQ(Steps.size(), frames);
    EXPECT_EQ(Calls.size(), 1u);
}

TEST_F(GLApplicationTest, AWindowMadeBeforeItIsLinkedStillGetsOpenGL)
{
    Build({1280, 1024, 32}, glapptest::UsualModes(), false);
    auto* window = new TGLWindow(Form.get());
    window->SetParent(Form.get());
    ASSERT_TRUE(window->HandleAllocated());
    App->SetWindow(window);
    EXPECT_EQ(App->DC(), window->DC());
    Tick();
    EXPECT_TRUE(App->OpenGL()->Active());
    EXPECT_EQ(Steps.size(), 1u);
}

TEST(GLApplicationAcceleration, OnlyADisplayWithoutAcceleratedFormatsIsWarnedAbout)
{
    std::vector<std::string> boxes;
    Application->MessageBoxProc = [&](HWND, const std::string& text, const std::string& caption, UINT flags) {
        boxes.push_back(text + "|" + caption + "|" + std::to_string(flags));
        return IDOK;
    };
    constexpr uint32_t WindowGL = pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer;
    for (const bool accelerated : {true, false}) {
        auto* platform = new TGLStubPlatform;
        platform->Formats = {MakeTestDescriptor(WindowGL | pfdGenericFormat, 32, 16)};
        if (accelerated)
            platform->Formats.push_back(MakeTestDescriptor(WindowGL, 32, 24));
        TCustomGLApplication app(nullptr, std::unique_ptr<TGLPlatform>(platform));
        app.CheckHardwareAcceleration();
    }
    Application->MessageBoxProc = nullptr;
    EXPECT_EQ(boxes, (std::vector<std::string>{std::string(HardwareAccelerationWarning) + "|" +
                                               Application->Title() + "|" + std::to_string(MB_ICONERROR)}));
}
