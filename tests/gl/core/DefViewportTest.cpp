// The default viewport: aspect rules, a frame's start, collapsed windows.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/DefViewport.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"

namespace {

struct FakeWindow : IViewWindow {
    int Width = 640, Height = 480;
    uint32_t Color = 0;
    int ViewWidth() override { return Width; }
    int ViewHeight() override { return Height; }
    uint32_t ViewColorRGB() override { return Color; }
};

struct DefViewport : ::testing::Test, IDefViewportOwner {
    GLRecorder gl;
    TCustomOpenGL context{std::make_unique<TGLStubPlatform>()};
    FakeWindow window;
    IViewWindow* Window = &window;
    TCustomOpenGL* Context = &context;
    TDefViewport viewport{this};
    IViewWindow* ViewWindow() override { return Window; }
    TCustomOpenGL* ViewContext() override { return Context; }
};

bool Finite(const TGLViewBox& box)
{
    for (double value : {box.Left, box.Right, box.Bottom, box.Top, box.Near, box.Far})
        if (!std::isfinite(value))
            return false;
    return true;
}

}  // namespace

TEST_F(DefViewport, ProjectionAndCullingFrustumFollowTheirOwnAspectRules)
{
    // Without Stretch the picture keeps 4:3 (16:9 when wide), but culling uses the window.
    for (const auto& [stretch, wide, width, height, projection, culling] :
         {std::tuple{true, false, 800, 400, 2.0, 2.0}, {false, false, 300, 600, 4.0 / 3.0, 0.5},
          {false, true, 640, 480, 16.0 / 9.0, 1.7777778}}) {
        SCOPED_TRACE(testing::Message() << stretch << wide << " " << width << "x" << height);
        viewport.Stretch = stretch;
        viewport.WideScreen = wide;
        window.Width = width;
        window.Height = height;
        viewport.Apply();
        const TGLViewBox& applied = viewport.GLViewport()->Frustum();
        EXPECT_NEAR(applied.Right / applied.Top, projection, 1e-9);
        const TGLViewBox frustum = viewport.GetFrustum();
        EXPECT_NEAR(frustum.Right / frustum.Top, culling, 1e-7);
    }
}

TEST_F(DefViewport, ApplyClearsTheChosenBuffersInTheWindowsColour)
{
    // The colour itself: the first frame of GLApplicationTest.
    viewport.Apply();
    viewport.Apply();
    EXPECT_EQ(context.Viewports().Count(), 1) << "the GL viewport is made once";
    EXPECT_EQ(gl.CallsOf("glClear").at(0).Args.at(0), std::to_string(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));

    gl.Clear();
    viewport.ClearMode = cmColor | cmStencil | cmAccum;
    viewport.Apply();
    EXPECT_EQ(gl.CallsOf("glClear").at(0).Args.at(0),
              std::to_string(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT));
    gl.Clear();
    viewport.Cleared = false;
    viewport.Perspective = false;  // orthographic: spans the window
    viewport.Apply();
    EXPECT_EQ(gl.Count("glClear") + gl.Count("glClearColor"), 0);
    EXPECT_EQ(gl.Count("glFrustum"), 0);
    EXPECT_EQ(gl.CallsOf("glOrtho").at(0).Text(), "glOrtho(0, 640, 0, 480, 100, 10000)");
}

TEST_F(DefViewport, NothingIsDrawnWithoutWindowOrContextOrWhenDisabled)
{
    Window = nullptr;
    viewport.Apply();
    Window = &window;
    Context = nullptr;
    viewport.Apply();
    Context = &context;
    viewport.Enabled = false;
    viewport.Apply();
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
    EXPECT_EQ(context.Viewports().Count(), 0);
}

TEST_F(DefViewport, ACollapsedWindowGivesFiniteProjectionsAndFrustums)
{
    for (const auto& [width, height] : {std::pair{640, 0}, std::pair{0, 480}, std::pair{0, 0}}) {
        window.Width = width;
        window.Height = height;
        for (const bool perspective : {true, false}) {
            SCOPED_TRACE(testing::Message() << width << "x" << height << " perspective " << perspective);
            gl.Clear();
            viewport.Perspective = perspective;
            viewport.Apply();
            EXPECT_GT(viewport.GLViewport()->Frustum().Right, viewport.GLViewport()->Frustum().Left);
            EXPECT_GT(viewport.GLViewport()->Ortho().Top, 0);
            for (const char* projection : {"glFrustum", "glOrtho"})
                for (const GLCall& call : gl.CallsOf(projection))
                    for (const std::string& arg : call.Args)
                        EXPECT_TRUE(std::isfinite(std::stod(arg))) << call.Text();
        }
        EXPECT_TRUE(Finite(viewport.GetFrustum()));
    }
}
