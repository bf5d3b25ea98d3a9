// The default viewport and its camera: defaults, assignment, the aspect
// rules of the projection and of the culling frustum, the GL calls of a
// frame's start, and windows collapsed to zero size.
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

TEST(OpenGLCamera, LooksFromTwoHundredUnitsAtTheOriginAndAssignsCopies)
{
    TOpenGLCamera camera;
    ExpectVector(camera.Position(), 0, 0, 200);
    ExpectVector(camera.Direction(), 0, 0, -1);
    ExpectVector(camera.Up(), 0, 1, 0);

    TOpenGLCamera other;
    camera.Position()->SetVector(1, 2, 3);
    camera.Direction()->SetVector(0, -1, 0);
    camera.Up()->SetVector(0, 0, 1);
    other.Assign(&camera);
    ExpectVector(other.Position(), 1, 2, 3);
    ExpectVector(other.Direction(), 0, -1, 0);
    ExpectVector(other.Up(), 0, 0, 1);
    EXPECT_NE(other.Position(), camera.Position()) << "the camera owns its vectors";

    TOpenGLVector vector(4, 5, 6);
    EXPECT_THROW(other.Assign(&vector), EConvertError);
    EXPECT_THROW(vector.Assign(&other), EConvertError);
}

TEST_F(DefViewport, StartsWithTheApplicationDefaults)
{
    ExpectVector(viewport.Camera()->Position(), 0, 0, -0.00005f);
    ExpectVector(viewport.Camera()->Direction(), 0, 0, -1);
    ExpectVector(viewport.Camera()->Up(), 0, 1, 0);
    EXPECT_EQ(viewport.ClearMode, cmColor | cmDepth);
    EXPECT_EQ(viewport.FOV, 75);
    EXPECT_EQ(viewport.NearDepth, 100);
    EXPECT_EQ(viewport.FarDepth, 10000);
    EXPECT_TRUE(viewport.Perspective && viewport.Enabled && viewport.Cleared && viewport.Stretch);
    EXPECT_FALSE(viewport.WideScreen);
    EXPECT_EQ(viewport.GLViewport(), nullptr) << "made on the first Apply";
}

TEST_F(DefViewport, AssignCopiesCameraDepthsAndSwitchesButNotTheShapeOrClearing)
{
    TDefViewport source(nullptr);
    source.Camera()->Position()->SetVector(7, 8, 9);
    source.FOV = 60;
    source.NearDepth = 1;
    source.FarDepth = 500;
    source.Perspective = false;
    source.Enabled = false;
    source.Cleared = false;
    source.ClearMode = cmStencil;
    source.WideScreen = true;
    source.Stretch = false;

    viewport.Assign(&source);

    ExpectVector(viewport.Camera()->Position(), 7, 8, 9);
    EXPECT_EQ(viewport.FOV, 60);
    EXPECT_EQ(viewport.NearDepth, 1);
    EXPECT_EQ(viewport.FarDepth, 500);
    EXPECT_FALSE(viewport.Perspective);
    EXPECT_FALSE(viewport.Enabled);
    EXPECT_FALSE(viewport.Cleared);
    EXPECT_EQ(viewport.ClearMode, cmColor | cmDepth);
    EXPECT_FALSE(viewport.WideScreen);
    EXPECT_TRUE(viewport.Stretch);

    TOpenGLCamera camera;
    EXPECT_THROW(viewport.Assign(&camera), EConvertError);
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
    EXPECT_NEAR(frustum.Right, 2 * frustum.Top, 1e-9);
    EXPECT_EQ(frustum.Left, -frustum.Right);
    EXPECT_EQ(frustum.Near, 100);
    EXPECT_EQ(frustum.Far, 10000);
    EXPECT_EQ(viewport.Frustum().Top, frustum.Top) << "the last frustum is kept";
    EXPECT_EQ(viewport.GetViewWidth(), 1000);
    EXPECT_EQ(viewport.GetViewHeight(), 500);
}

TEST_F(DefViewport, ApplyStartsTheFrameWithViewportCameraClearAndCommonState)
{
    window.Color = 0x00336699;  // red 0x99, green 0x66, blue 0x33
    viewport.Camera()->Position()->SetVector(1, 2, 3);
    viewport.Camera()->Direction()->SetVector(0, 0, -1);
    viewport.Apply();

    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"glViewport", "glMatrixMode", "glLoadIdentity", "glFrustum",
                                                    "glMatrixMode", "glLoadIdentity", "gluLookAt", "glClearColor",
                                                    "glDepthMask", "glClear", "glEnable", "glAlphaFunc",
                                                    "glBlendFunc", "glShadeModel"}))
        << gl.Text();
    EXPECT_EQ(gl.CallsOf("glViewport").at(0).Text(), "glViewport(0, 0, 640, 480)");
    EXPECT_EQ(gl.CallsOf("gluLookAt").at(0).Text(), "gluLookAt(1, 2, 3, 1, 2, 2, 0, 1, 0)");
    EXPECT_EQ(gl.CallsOf("glClearColor").at(0).Text(), "glClearColor(0.6, 0.4, 0.2, 1)");
    EXPECT_EQ(gl.CallsOf("glDepthMask").at(0).Text(), "glDepthMask(1)");
    EXPECT_EQ(gl.CallsOf("glClear").at(0).Args.at(0), std::to_string(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
    EXPECT_EQ(gl.CallsOf("glEnable").at(0).Text(), "glEnable(3024)");  // GL_DITHER
    EXPECT_EQ(gl.CallsOf("glAlphaFunc").at(0).Text(), "glAlphaFunc(" + std::to_string(GL_GREATER) + ", 0.5)");
    EXPECT_EQ(gl.CallsOf("glBlendFunc").at(0).Text(),
              "glBlendFunc(" + std::to_string(GL_SRC_ALPHA) + ", " + std::to_string(GL_ONE_MINUS_SRC_ALPHA) + ")");
    EXPECT_EQ(gl.CallsOf("glShadeModel").at(0).Text(), "glShadeModel(" + std::to_string(GL_SMOOTH) + ")");

    // The GL viewport is made once, in the context's viewport list.
    viewport.Apply();
    EXPECT_EQ(context.Viewports().Count(), 1);
    EXPECT_EQ(viewport.GLViewport()->OwnerList(), &context.Viewports());
}

TEST_F(DefViewport, ClearModeChoosesTheBuffersAndClearedOffClearsNothing)
{
    viewport.ClearMode = cmDepth;
    viewport.Apply();
    ASSERT_EQ(gl.Count("glClear"), 1);
    EXPECT_EQ(gl.CallsOf("glClear").at(0).Args.at(0), std::to_string(GL_DEPTH_BUFFER_BIT));

    gl.Clear();
    viewport.ClearMode = cmColor | cmStencil | cmAccum;
    viewport.Apply();
    EXPECT_EQ(gl.CallsOf("glClear").at(0).Args.at(0),
              std::to_string(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT));

    gl.Clear();
    viewport.Cleared = false;
    viewport.Apply();
    EXPECT_EQ(gl.Count("glClear"), 0);
    EXPECT_EQ(gl.Count("glClearColor"), 0);
    EXPECT_EQ(gl.Count("glDepthMask"), 0);
    EXPECT_EQ(gl.Count("glShadeModel"), 1) << "the common state is set in every frame";
}

TEST_F(DefViewport, OrthographicProjectionSpansTheWindow)
{
    viewport.Perspective = false;
    viewport.Apply();
    EXPECT_EQ(gl.Count("glFrustum"), 0);
    ASSERT_EQ(gl.Count("glOrtho"), 1);
    EXPECT_EQ(gl.CallsOf("glOrtho").at(0).Text(), "glOrtho(0, 640, 0, 480, 100, 10000)");
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
