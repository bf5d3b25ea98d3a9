// The application's rendering context: a change of software rendering
// while active goes through a new window.
#include "gl/core/AppOpenGL.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"

namespace {

constexpr uint32_t WindowGL = pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer;

GLHDC FakeDC() { return reinterpret_cast<GLHDC>(static_cast<uintptr_t>(0x3000)); }

// Stands in for the application and its window: hiding the window destroys
// it, which stops OpenGL.
struct FakeApplication : IAppOpenGLOwner {
    TCustomAppOpenGL* Context = nullptr;
    TGLStubPlatform* Platform = nullptr;
    std::vector<std::string> Calls;

    void HideGLWindow() override
    {
        Calls.push_back(std::string("hide") + (Context->Active() ? " active" : "") +
                        (Platform->Loaded ? " loaded" : ""));
        Context->DestroyRC();
    }
    void ShowGLWindow() override
    {
        Calls.push_back(std::string("show") + (Context->GetGenericOnly() ? " generic" : "") +
                        (Platform->Loaded ? " loaded" : ""));
    }
};

struct AppOpenGLFixture : ::testing::Test {
    GLRecorder gl;
    FakeApplication application;
    TGLStubPlatform* platform = new TGLStubPlatform;
    TCustomAppOpenGL context{&application, std::unique_ptr<TGLPlatform>(platform)};

    void SetUp() override
    {
        platform->Formats = {MakeTestDescriptor(WindowGL, 32, 16),
                             MakeTestDescriptor(WindowGL | pfdGenericFormat, 32, 16)};
        application.Context = &context;
        application.Platform = platform;
    }
};

using AppOpenGL = AppOpenGLFixture;

}  // namespace

TEST_F(AppOpenGL, SwitchingWhileActiveRecreatesTheWindowAroundUnloadedLibraries)
{
    context.CreateRC(FakeDC());
    ASSERT_TRUE(context.Active());
    EXPECT_EQ(platform->SetFormatNumber, 1);

    context.SetGenericOnly(true);
    EXPECT_EQ(application.Calls, (std::vector<std::string>{"hide active loaded", "show generic"}));
    EXPECT_EQ(platform->UnloadCount, 1);

    // The next tick makes the context with the new kind of pixel format.
    context.CreateRC(FakeDC());
    EXPECT_EQ(platform->LoadCount, 2);
    EXPECT_EQ(platform->SetFormatNumber, 2);

    // Back to accelerated formats the same way.
    application.Calls.clear();
    context.SetGenericOnly(false);
    EXPECT_EQ(application.Calls, (std::vector<std::string>{"hide active loaded", "show"}));
    EXPECT_FALSE(context.GetGenericOnly());
}

TEST_F(AppOpenGL, AnInactiveContextOrAnUnchangedChoiceOnlyStoresTheFlag)
{
    context.SetGenericOnly(true);
    EXPECT_TRUE(context.GetGenericOnly());
    context.SetGenericOnly(false);

    context.CreateRC(FakeDC());
    context.SetGenericOnly(false);
    EXPECT_TRUE(context.Active());

    TCustomAppOpenGL ownerless(nullptr, std::make_unique<TGLStubPlatform>());
    ownerless.SetGenericOnly(true);
    EXPECT_TRUE(ownerless.GetGenericOnly());

    EXPECT_TRUE(application.Calls.empty());
    EXPECT_EQ(platform->UnloadCount, 0);
}
