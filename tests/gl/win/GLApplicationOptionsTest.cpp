// The OpenGL application's colour-depth check against a fake display, and its
// display options in the real registry under the test's own key.
#include "gl/GLApplication.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GLApplicationTestSupport.h"
#include "gl/core/GLApplicationRules.h"

namespace {

using glapptest::GLApplicationTest;

void RawWrite(const std::string& key, const std::string& name, const std::string& value)
{
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}

std::string RawRead(const std::string& key, const std::string& name)
{
    char buffer[256] = {};
    DWORD size = sizeof(buffer) - 1;
    const LONG status = RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size);
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

}  // namespace

TEST_F(GLApplicationTest, ADesktopWithoutHighOrTrueColorStopsTheStartWithTheWarning)
{
    Build({1280, 1024, 24});
    Tick();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, ColorDepthWarning);
    EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(Calls.empty() && Steps.empty()) << "neither OnStart nor OpenGL";
    EXPECT_EQ(glapptest::TakeQuits(), 1) << "without an exception handler the program ends";
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

TEST_F(GLApplicationTest, TheDisplayOptionsGoToTheStoreAndComeBackAndMalformedOnesKeepTheCurrentValues)
{
    Build({1280, 1024, 32}, glapptest::UsualModes(), false);
    TCustomAppOpenGL& context = *App->OpenGL();
    Display->DesktopOnly = false;
    ASSERT_TRUE(SetFullScreenModeName(*Display, "1024x768x16"));
    context.VSync = false;
    App->Viewport()->WideScreen = true;
    App->SaveOptions();
    EXPECT_EQ(RawRead(OptionKey(), "FullScreenMode"), "1024x768x16");
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
    Display->DesktopOnly = true;
    App->SaveOptions();
    EXPECT_EQ(RawRead(OptionKey(), "FullScreenMode"), "1280x1024x32") << "desktop only: the desktop's mode";

    for (const char* name : {"DesktopOnly", "VSync", "SoftwareRendering", "WideScreen"})
        RawWrite(OptionKey(), name, "2x");
    RawWrite(OptionKey(), "FullScreenMode", "800x600x32x");
    App->LoadOptions();
    EXPECT_TRUE(Display->DesktopOnly);
    EXPECT_EQ(StoredMode(*Display), "1024x768x16");
    EXPECT_FALSE(context.VSync);
    EXPECT_TRUE(App->Viewport()->WideScreen);
    EXPECT_TRUE(context.GetGenericOnly());
    EXPECT_TRUE(Boxes.empty());
}
