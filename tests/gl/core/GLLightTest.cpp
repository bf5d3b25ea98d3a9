// Lights: which parameters reach OpenGL, and when.
#include <gtest/gtest.h>

#include <memory>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "GLTestSupport.h"

namespace {

using gltest::FakeDC;

// A context on a stub platform whose GL is the recorder; made active by
// Activate.
struct LightFixture : ::testing::Test {
    GLRecorder gl;
    TGLStubPlatform* platform = new TGLStubPlatform;
    std::unique_ptr<TCustomOpenGL> context{new TCustomOpenGL(std::unique_ptr<TGLPlatform>(platform))};

    void SetUp() override
    {
        platform->Formats = {MakeTestDescriptor(pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer, 32, 16)};
    }
    void Activate()
    {
        context->CreateRC(FakeDC());
        ASSERT_TRUE(context->Active());
        gl.Clear();
    }
    // An active light with nothing left to send.
    TGLLight* CleanLight()
    {
        Activate();
        TGLLight* light = context->Lights().Add();
        light->Apply();
        gl.Clear();
        return light;
    }
    std::vector<std::string> Texts() const { return gltest::Texts(gl); }
};

using GLLight = LightFixture;

}  // namespace

TEST_F(GLLight, ANewLightSendsEveryParameterOnceWithItsDefaults)
{
    Activate();
    TGLLight* light = context->Lights().Add();
    EXPECT_EQ(light->DirtyMask(), 0xFFCBu);

    light->Apply();

    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           "glLightfv(16384, 4608, {0,0,0,1})",  // ambient
                           "glLightfv(16384, 4609, {1,1,1,1})",  // diffuse
                           "glLightfv(16384, 4610, {1,1,1,1})",  // specular
                           "glLightfv(16384, 4611, {-0,-0,1,0})",  // infinite: along (0, 0, -1)
                           "glLightf(16384, 4613, 0)",           // spot exponent
                           "glLightf(16384, 4614, 90)",          // spot cutoff
                           "glLightModeli(2897, 0)",             // local viewer
                           "glLightModeli(2898, 0)",             // two side
                           "glLightf(16384, 4615, 1)",           // attenuations
                           "glLightf(16384, 4616, 0)",
                           "glLightf(16384, 4617, 0)",
                       }));
    EXPECT_EQ(light->DirtyMask(), 0u);

    gl.Clear();
    light->Apply();
    EXPECT_TRUE(gl.Calls().empty());
}

TEST_F(GLLight, ChangingOnlyTheDiffuseColourSendsOneCall)
{
    TGLLight* light = CleanLight();
    light->SetDiffuse({1, 0.5f, 0.25f, 1});
    EXPECT_EQ(light->DirtyMask(), TGLLight::dmDiffuse);
    light->Apply();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"glLightfv(16384, 4609, {1,0.5,0.25,1})"}));
}

TEST_F(GLLight, ValuesSetWhileInactiveWaitForTheContext)
{
    TGLLight* light = context->Lights().Add();
    light->SetDiffuse({0, 1, 0, 1});
    light->SetSpotCutoff(45);
    light->Apply();
    light->Enable();
    light->Disable();
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
    EXPECT_EQ(light->DirtyMask(), 0xFFCBu);

    Activate();
    light->Apply();
    EXPECT_EQ(gl.Count("glLightfv"), 4);
    EXPECT_EQ(gl.Count("glLightf"), 5);
    EXPECT_EQ(gl.Count("glLightModeli"), 2);
    EXPECT_EQ(gl.CallsOf("glLightfv")[1].Text(), "glLightfv(16384, 4609, {0,1,0,1})");
    EXPECT_EQ(gl.CallsOf("glLightf")[1].Text(), "glLightf(16384, 4614, 45)");

    // Once the context is gone again, changes wait once more.
    context->DestroyRC();
    gl.Clear();
    light->SetAmbient({1, 1, 1, 1});
    light->Apply();
    EXPECT_TRUE(gl.Calls().empty());
    EXPECT_EQ(light->DirtyMask(), TGLLight::dmAmbient);
}

TEST_F(GLLight, AnInfiniteLightShinesAlongItsDirectionAndIgnoresItsPosition)
{
    TGLLight* light = CleanLight();
    light->SetPosition({5, 6, 7});
    light->Apply();
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();

    light->SetDirection({1, -2, 3});
    light->Apply();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"glLightfv(16384, 4611, {-1,2,-3,0})"}));
}

TEST_F(GLLight, ALocalLightSendsItsPositionAndSpotDirection)
{
    TGLLight* light = CleanLight();
    light->SetPosition({5, 6, 7});
    light->SetDirection({0, -1, 0});
    light->SetupPoint();
    light->Apply();
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           "glLightfv(16384, 4611, {5,6,7,1})",
                           "glLightfv(16384, 4612, {0,-1,0})",
                           "glLightf(16384, 4613, 0)",
                           "glLightf(16384, 4614, 180)",
                       }));

    // Moving it sends only the position; turning it infinite sends the
    // direction as the position.
    gl.Clear();
    light->SetPosition({1, 1, 1});
    light->Apply();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"glLightfv(16384, 4611, {1,1,1,1})"}));
    gl.Clear();
    light->SetupParallel();
    light->Apply();
    EXPECT_EQ(gl.CallsOf("glLightfv").size(), 1u);
    EXPECT_EQ(gl.CallsOf("glLightfv")[0].Text(), "glLightfv(16384, 4611, {-0,1,-0,0})");
    EXPECT_EQ(gl.Count("glLightf"), 5);  // exponent, cutoff, three attenuations
}

TEST_F(GLLight, SetupParallelFarPutsThePositionFarAlongTheDirection)
{
    TGLLight* light = CleanLight();
    light->SetDirection({0, 0.5f, -1});
    light->SetupParallelFar();
    EXPECT_TRUE(light->Infinite());
    EXPECT_FLOAT_EQ(light->Position().y, 0.5e37f);
    EXPECT_FLOAT_EQ(light->Position().z, -1e37f);
    light->Apply();
    EXPECT_EQ(gl.CallsOf("glLightfv")[0].Text(), "glLightfv(16384, 4611, {-0,-0.5,1,0})");
}

TEST_F(GLLight, LocalViewerAndTwoSideGoThroughTheLightModel)
{
    TGLLight* light = CleanLight();
    light->SetLocalViewer(true);
    light->SetTwoSide(true);
    light->Apply();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"glLightModeli(2897, 1)", "glLightModeli(2898, 1)"}));
}

TEST_F(GLLight, EnableAppliesWhatIsDirtyAndSwitchesItsOwnGLLightOn)
{
    Activate();
    context->Lights().Add();
    context->Lights().Add();
    TGLLight* third = context->Lights().Add();
    third->Apply();
    gl.Clear();

    third->Enable();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"glEnable(16386)"}));

    gl.Clear();
    third->SetSpecular({0, 0, 0, 1});
    third->Enable();
    third->Disable();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"glLightfv(16386, 4610, {0,0,0,1})", "glEnable(16386)",
                                                 "glDisable(16386)"}));

    gl.Clear();
    third->ApplyAll();
    EXPECT_EQ(gl.Count("glLightfv"), 4);
    EXPECT_EQ(gl.Count("glLightf"), 5);
    EXPECT_EQ(gl.Count("glLightModeli"), 2);
}

TEST_F(GLLight, ALightBeyondTheDriversMaximumSendsNothing)
{
    gl.SetInteger(GL_MAX_LIGHTS, 1);
    Activate();
    context->Lights().Add();
    TGLLight* spare = context->Lights().Add();
    ASSERT_EQ(spare->Index(), -1);
    spare->ApplyAll();
    spare->Enable();
    spare->Disable();
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
}
