// The default viewport: assignment, the aspect rules of the projection and
// of the culling frustum, a frame's start, and windows collapsed to zero size.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/DefViewport.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "GLTestSupport.h"

namespace {

struct FakeWindow : IViewWindow {
    int Width = 640;
    int Height = 480;
    uint32_t Color = 0;
    int ViewWidth() override { return Width; }
    int ViewHeight() override { return Height; }
    uint32_t ViewColorRGB() override { return Color; }
};

struct FakeOwner : IDefViewportOwner {
    IViewWindow* Window = nullptr;
    TCustomOpenGL* Context = nullptr;
    IViewWindow* ViewWindow() override { return Window; }
    TCustomOpenGL* ViewContext() override { return Context; }
};

struct ViewportFixture : ::testing::Test {
    GLRecorder gl;
    TCustomOpenGL context{std::make_unique<TGLStubPlatform>()};
    FakeWindow window;
    FakeOwner owner;
    TDefViewport viewport{&owner};

    void SetUp() override
    {
        owner.Window = &window;
        owner.Context = &context;
    }

    // The aspect of the perspective the last Apply gave the GL viewport.
    double AppliedAspect() const
    {
        const TGLViewBox& box = viewport.GLViewport()->Frustum();
        return box.Right / box.Top;
    }
};

using DefViewport = ViewportFixture;

void ExpectVector(const TOpenGLVector* v, float x, float y, float z)
{
    EXPECT_FLOAT_EQ(v->X, x);
    EXPECT_FLOAT_EQ(v->Y, y);
    EXPECT_FLOAT_EQ(v->Z, z);
}

bool Finite(const TGLViewBox& box)
{
    for (double value : {box.Left, box.Right, box.Bottom, box.Top, box.Near, box.Far})
        if (!std::isfinite(value))
            return false;
    return true;
}

}  // namespace

TEST_F(DefViewport, AssignCopiesCameraDepthsAndSwitchesButNotTheShapeOrClearing)
{
    TDefViewport source(nullptr);
    source.Camera()->Position()->SetVector(7, 8, 9);
    source.Camera()->Up()->SetVector(0, 0, 1);
    source.FOV = 60;
    source.NearDepth = 1;
    source.FarDepth = 500;
    source.Perspective = source.Enabled = source.Cleared = source.Stretch = false;
    source.ClearMode = cmStencil;
    source.WideScreen = true;

    viewport.Assign(&source);

    ExpectVector(viewport.Camera()->Position(), 7, 8, 9);
    ExpectVector(viewport.Camera()->Up(), 0, 0, 1);
    EXPECT_NE(viewport.Camera()->Position(), source.Camera()->Position()) << "the camera owns its vectors";
    EXPECT_EQ(viewport.FOV, 60);
    EXPECT_EQ(viewport.NearDepth, 1);
    EXPECT_EQ(viewport.FarDepth, 500);
    EXPECT_FALSE(viewport.Perspective || viewport.Enabled || viewport.Cleared);
    EXPECT_EQ(viewport.ClearMode, cmColor | cmDepth);
    EXPECT_FALSE(viewport.WideScreen);
    EXPECT_TRUE(viewport.Stretch);

    TOpenGLCamera camera;
    TOpenGLVector vector(4, 5, 6);
    EXPECT_THROW(viewport.Assign(&camera), EConvertError);
    EXPECT_THROW(camera.Assign(&vector), EConvertError);
    EXPECT_THROW(vector.Assign(&camera), EConvertError);
}

TEST_F(DefViewport, ProjectionAndCullingFrustumFollowTheirOwnAspectRules)
{
    struct Case {
        bool Stretch, WideScreen;
        int Width, Height;
        double Projection, Frustum;
    };
    const Case cases[] = {
        {true, false, 800, 400, 2.0, 2.0},
        // Without Stretch the picture keeps 4:3, but culling uses the window.
        {false, false, 800, 400, 4.0 / 3.0, 2.0},
        {false, false, 300, 600, 4.0 / 3.0, 0.5},
        {true, true, 800, 400, 16.0 / 9.0, 1.7777778},
        {false, true, 640, 480, 16.0 / 9.0, 1.7777778},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Stretch " << c.Stretch << ", WideScreen " << c.WideScreen << ", "
                                        << c.Width << "x" << c.Height);
        viewport.Stretch = c.Stretch;
        viewport.WideScreen = c.WideScreen;
        window.Width = c.Width;
        window.Height = c.Height;
        viewport.Apply();
        EXPECT_NEAR(AppliedAspect(), c.Projection, 1e-9);
        const TGLViewBox frustum = viewport.GetFrustum();
        EXPECT_NEAR(frustum.Right / frustum.Top, c.Frustum, 1e-7);
    }
}

TEST_F(DefViewport, FrustumTopIsTheTangentOfHalfTheFieldOfViewTimesNear)
{
    window.Width = 1000;
    window.Height = 500;
    const TGLViewBox frustum = viewport.GetFrustum();
    EXPECT_NEAR(frustum.Top, 76.733, 0.001);
    EXPECT_EQ(frustum.Bottom, -frustum.Top);
    EXPECT_EQ(frustum.Left, -frustum.Right);
    EXPECT_EQ(frustum.Near, 100);
    EXPECT_EQ(frustum.Far, 10000);
    EXPECT_EQ(viewport.Frustum().Top, frustum.Top) << "the last frustum is kept";
}

TEST_F(DefViewport, ApplyStartsTheFrameWithViewportCameraClearAndCommonState)
{
    window.Color = 0x00336699;  // red 0x99, green 0x66, blue 0x33
    viewport.Camera()->Position()->SetVector(1, 2, 3);
    viewport.Camera()->Direction()->SetVector(0, 0, -1);
    viewport.Apply();

    EXPECT_EQ(gltest::Texts(gl), (std::vector<std::string>{
                                      "glViewport(0, 0, 640, 480)", "glMatrixMode(5889)", "glLoadIdentity()",
                                      "glFrustum(-102.31, 102.31, -76.7327, 76.7327, 100, 10000)",
                                      "glMatrixMode(5888)", "glLoadIdentity()",
                                      "gluLookAt(1, 2, 3, 1, 2, 2, 0, 1, 0)", "glClearColor(0.6, 0.4, 0.2, 1)",
                                      "glDepthMask(1)", "glClear(16640)",  // colour and depth
                                      "glEnable(3024)",                    // GL_DITHER
                                      "glAlphaFunc(516, 0.5)", "glBlendFunc(770, 771)", "glShadeModel(7425)"}));

    // The GL viewport is made once, in the context's viewport list.
    viewport.Apply();
    EXPECT_EQ(context.Viewports().Count(), 1);
    EXPECT_EQ(viewport.GLViewport()->OwnerList(), &context.Viewports());
}

TEST_F(DefViewport, ClearModeChoosesTheBuffersAndClearedOffClearsNothing)
{
    const std::pair<TClearModes, GLbitfield> modes[] = {
        {cmDepth, GL_DEPTH_BUFFER_BIT},
        {cmColor | cmStencil | cmAccum, GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT}};
    for (const auto& [mode, bits] : modes) {
        gl.Clear();
        viewport.ClearMode = mode;
        viewport.Apply();
        EXPECT_EQ(gltest::Texts(gl, {"glClear"}), std::vector<std::string>{"glClear(" + std::to_string(bits) + ")"});
    }

    gl.Clear();
    viewport.Cleared = false;
    viewport.Apply();
    EXPECT_EQ(gl.Count("glClear") + gl.Count("glClearColor") + gl.Count("glDepthMask"), 0);
    EXPECT_EQ(gl.Count("glShadeModel"), 1) << "the common state is set in every frame";

    gl.Clear();
    viewport.Perspective = false;  // orthographic: spans the window
    viewport.Apply();
    EXPECT_EQ(gltest::Texts(gl, {"glFrustum", "glOrtho"}),
              std::vector<std::string>{"glOrtho(0, 640, 0, 480, 100, 10000)"});
}

TEST_F(DefViewport, NothingIsDrawnWithoutWindowOrContextOrWhenDisabled)
{
    owner.Window = nullptr;
    viewport.Apply();
    EXPECT_EQ(viewport.GetViewWidth(), 0);
    EXPECT_EQ(viewport.GetViewHeight(), 0);
    EXPECT_TRUE(Finite(viewport.GetFrustum()));

    owner.Window = &window;
    owner.Context = nullptr;
    viewport.Apply();

    owner.Context = &context;
    viewport.Enabled = false;
    viewport.Apply();

    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
    EXPECT_EQ(viewport.GLViewport(), nullptr);
    EXPECT_EQ(context.Viewports().Count(), 0);
}

TEST_F(DefViewport, ACollapsedWindowGivesFiniteProjectionsAndFrustums)
{
    for (const auto& [width, height] : {std::pair{640, 0}, std::pair{0, 480}, std::pair{0, 0}}) {
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        window.Width = width;
        window.Height = height;
        for (const bool perspective : {true, false}) {
            gl.Clear();
            viewport.Perspective = perspective;
            viewport.Apply();
            EXPECT_TRUE(Finite(viewport.GLViewport()->Frustum()));
            EXPECT_GT(viewport.GLViewport()->Frustum().Right, viewport.GLViewport()->Frustum().Left);
            EXPECT_GT(viewport.GLViewport()->Ortho().Right, 0);
            EXPECT_GT(viewport.GLViewport()->Ortho().Top, 0);
            EXPECT_EQ(gl.CallsOf("glViewport").at(0).Text(),
                      "glViewport(0, 0, " + std::to_string(width) + ", " + std::to_string(height) + ")");
            for (const char* projection : {"glFrustum", "glOrtho"})
                for (const GLCall& call : gl.CallsOf(projection))
                    for (const std::string& arg : call.Args)
                        EXPECT_TRUE(std::isfinite(std::stod(arg))) << call.Text();
        }
        const TGLViewBox frustum = viewport.GetFrustum();
        EXPECT_TRUE(Finite(frustum));
        EXPECT_GT(frustum.Right, 0);
    }
}
