// The OpenGL application's start check and display options under Wine: the
// colour-depth warning against a fake display, and the five options in the
// real registry under the test's own key.
#include "gl/GLApplication.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GLApplicationTestSupport.h"
#include "gl/core/GLApplicationRules.h"

namespace {

using glapptest::GLApplicationTest;
using glapptest::TakeQuits;

void RawWrite(const std::string& key, const std::string& name, const std::string& value)
{
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

std::string RawRead(const std::string& key, const std::string& name)
{
    char buffer[256] = {};
    DWORD size = sizeof(buffer) - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS)
        return "(missing)";
    return buffer;
}

// The stored full-screen mode, whatever DesktopOnly says.
std::string StoredMode(TCustomGLDisplay& display)
{
    const bool desktopOnly = display.DesktopOnly;
    display.DesktopOnly = false;
    const std::string name = display.FullScreenMode().GetModeName();
    display.DesktopOnly = desktopOnly;
    return name;
}

}  // namespace

TEST_F(GLApplicationTest, ADesktopWithoutHighOrTrueColorStopsTheStartWithTheWarning)
{
    struct TCase {
        TVideoMode Desktop;
        std::vector<TVideoMode> Modes;
    };
    const std::vector<TCase> refused{
        {{1280, 1024, 24}, glapptest::UsualModes()},
        {{1280, 1024, 8}, glapptest::UsualModes()},
        // Usable modes are missing altogether: the desktop is too short.
        {{640, 400, 32}, {{1280, 1024, 24}, {800, 600, 8}}},
    };
    for (const TCase& c : refused) {
        Form.reset();
        Boxes.clear();
        Calls.clear();
        Build(c.Desktop, c.Modes);
        Tick();
        ASSERT_EQ(Boxes.size(), 1u) << c.Desktop.BitsPerPixel;
        EXPECT_EQ(Boxes[0].Text, ColorDepthWarning);
        EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_ICONERROR));
        EXPECT_TRUE(Calls.empty()) << "neither OnStart nor OpenGL";
        EXPECT_TRUE(Steps.empty());
        EXPECT_EQ(TakeQuits(), 1) << "without an exception handler the program ends";
    }

    Form.reset();
    Boxes.clear();
    Build({1024, 768, 16});
    Tick();
    EXPECT_TRUE(Boxes.empty());
    ASSERT_FALSE(Calls.empty());
    EXPECT_EQ(Calls[0], "start");
    EXPECT_EQ(Steps.size(), 1u);
}

TEST_F(GLApplicationTest, ASwitchBeforeTheOptionsAreLoadedReadsTheStoredModeOnceAndLoadingReadsItAgain)
{
    Build({1280, 1024, 32}, glapptest::UsualModes(), false);
    RawWrite(OptionKey(), "DesktopOnly", "0");
    RawWrite(OptionKey(), "FullScreenMode", "800x600x32");
    Display->DesktopOnly = true;

    Display->SetFullScreen(true);
    EXPECT_FALSE(Display->DesktopOnly);
    ASSERT_EQ(DriverLog->Changes.size(), 1u);
    EXPECT_EQ(DriverLog->Changes[0], (TVideoMode{800, 600, 32}));
    Display->SetFullScreen(false);

    RawWrite(OptionKey(), "DesktopOnly", "-1");
    RawWrite(OptionKey(), "FullScreenMode", "1024x768x16");
    Display->SetFullScreen(true);
    ASSERT_EQ(DriverLog->Changes.size(), 2u);
    EXPECT_EQ(DriverLog->Changes[1], (TVideoMode{800, 600, 32})) << "read once only";
    Display->SetFullScreen(false);

    bool desktopOnlyAtEvent = false;
    App->OnLoadOptions = [&](TObject*) { desktopOnlyAtEvent = Display->DesktopOnly; };
    App->LoadOptions();
    EXPECT_TRUE(Display->DesktopOnly);
    EXPECT_TRUE(desktopOnlyAtEvent) << "the display options come before the framework's";
    EXPECT_EQ(StoredMode(*Display), "1024x768x16");
}

TEST_F(GLApplicationTest, TheDisplayOptionsGoToTheStoreAndComeBack)
{
    Build({1280, 1024, 32}, glapptest::UsualModes(), false);
    TCustomAppOpenGL& context = *App->OpenGL();
    Display->DesktopOnly = false;
    ASSERT_TRUE(SetFullScreenModeName(*Display, "1024x768x16"));
    context.VSync = false;
    App->Viewport()->WideScreen = true;

    App->SaveOptions();
    EXPECT_EQ(RawRead(OptionKey(), "DesktopOnly"), "0");
    EXPECT_EQ(RawRead(OptionKey(), "FullScreenMode"), "1024x768x16");
    EXPECT_EQ(RawRead(OptionKey(), "VSync"), "0");
    EXPECT_EQ(RawRead(OptionKey(), "SoftwareRendering"), "0");
    EXPECT_EQ(RawRead(OptionKey(), "WideScreen"), "-1");
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

    // Desktop only: the desktop's mode is what is stored.
    Display->DesktopOnly = true;
    App->SaveOptions();
    EXPECT_EQ(RawRead(OptionKey(), "FullScreenMode"), "1280x1024x32");
    EXPECT_EQ(RawRead(OptionKey(), "SoftwareRendering"), "-1");
}

TEST_F(GLApplicationTest, MalformedStoredOptionsKeepTheCurrentValues)
{
    Build({1280, 1024, 32}, glapptest::UsualModes(), false);
    TCustomAppOpenGL& context = *App->OpenGL();
    for (const bool current : {true, false}) {
        Display->DesktopOnly = current;
        context.VSync = current;
        App->Viewport()->WideScreen = !current;
        ASSERT_TRUE(SetFullScreenModeName(*Display, current ? "1024x768x32" : "640x480x16"));
        for (const char* mode : {"1024x768", "garbage", "800x600x32x", "0x0x0", ""}) {
            RawWrite(OptionKey(), "DesktopOnly", "perhaps");
            RawWrite(OptionKey(), "FullScreenMode", mode);
            RawWrite(OptionKey(), "VSync", "yes please");
            RawWrite(OptionKey(), "SoftwareRendering", "fast");
            RawWrite(OptionKey(), "WideScreen", "2x");
            App->LoadOptions();
            EXPECT_EQ(Display->DesktopOnly, current) << mode;
            EXPECT_EQ(StoredMode(*Display), current ? "1024x768x32" : "640x480x16") << mode;
            EXPECT_EQ(context.VSync, current) << mode;
            EXPECT_EQ(App->Viewport()->WideScreen, !current) << mode;
            EXPECT_FALSE(context.GetGenericOnly()) << mode;
        }
    }
    EXPECT_TRUE(Boxes.empty());
}
