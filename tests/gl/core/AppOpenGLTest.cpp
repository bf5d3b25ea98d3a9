// The application's context: a change of software rendering while active goes through a new window.
#include "gl/core/AppOpenGL.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "GLTestSupport.h"

namespace {

constexpr uint32_t WindowGL = pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer;

// Stands in for the application: hiding its window destroys it, which stops OpenGL.
struct AppOpenGL : ::testing::Test, IAppOpenGLOwner {
    GLRecorder gl;
    std::vector<std::string> calls;
    TGLStubPlatform* platform = new TGLStubPlatform;
    TCustomAppOpenGL context{this, std::unique_ptr<TGLPlatform>(platform)};

    void SetUp() override
    {
        platform->Formats = {MakeTestDescriptor(WindowGL, 32, 16),
                             MakeTestDescriptor(WindowGL | pfdGenericFormat, 32, 16)};
    }
    void HideGLWindow() override
    {
        calls.push_back(std::string("hide") + (context.Active() ? " active" : "") + (platform->Loaded ? " loaded" : ""));
        context.DestroyRC();
    }
    void ShowGLWindow() override
    {
        calls.push_back(std::string("show") + (context.GetGenericOnly() ? " generic" : "") +
                        (platform->Loaded ? " loaded" : ""));
    }
};

}  // namespace

TEST_F(AppOpenGL, SwitchingWhileActiveRecreatesTheWindowAroundUnloadedLibraries)
{
    context.SetGenericOnly(true);  // inactive: only the flag
    context.SetGenericOnly(false);
    EXPECT_TRUE(calls.empty());

    context.CreateRC(StubDC());
    EXPECT_EQ(platform->SetFormatNumber, 1);
    context.SetGenericOnly(true);
    EXPECT_EQ(calls, (std::vector<std::string>{"hide active loaded", "show generic"}));
    EXPECT_EQ(platform->UnloadCount, 1);
    context.CreateRC(StubDC());  // the next tick, with the new kind of pixel format
    EXPECT_EQ(platform->SetFormatNumber, 2);
}
