// Lights: which parameters reach OpenGL, and when.
#include <gtest/gtest.h>

#include <memory>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "GLTestSupport.h"

namespace {

struct GLLight : ::testing::Test {
    GLRecorder gl;
    TGLStubPlatform* platform = new TGLStubPlatform;
    std::unique_ptr<TCustomOpenGL> context{new TCustomOpenGL(std::unique_ptr<TGLPlatform>(platform))};

    void SetUp() override
    {
        platform->Formats = {MakeTestDescriptor(pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer, 32, 16)};
    }
    void Activate()
    {
        context->CreateRC(gltest::FakeDC());
        ASSERT_TRUE(context->Active());
        gl.Clear();
    }
    std::vector<std::string> Texts() const { return gltest::Texts(gl); }
};

}  // namespace

TEST_F(GLLight, ValuesSetWhileInactiveWaitForTheContextThenOnlyChangesAreSent)
{
    TGLLight* light = context->Lights().Add();
    light->SetDiffuse({0, 1, 0, 1});
    light->Apply();
    light->Enable();
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();

    Activate();
    light->Apply();
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           "glLightfv(16384, 4608, {0,0,0,1})", "glLightfv(16384, 4609, {0,1,0,1})",
                           "glLightfv(16384, 4610, {1,1,1,1})",
                           "glLightfv(16384, 4611, {-0,-0,1,0})",  // infinite: along (0, 0, -1)
                           "glLightf(16384, 4613, 0)", "glLightf(16384, 4614, 90)", "glLightModeli(2897, 0)",
                           "glLightModeli(2898, 0)", "glLightf(16384, 4615, 1)", "glLightf(16384, 4616, 0)",
                           "glLightf(16384, 4617, 0)"}));
    gl.Clear();
    light->Apply();
    EXPECT_TRUE(gl.Calls().empty());
    light->SetDiffuse({1, 0.5f, 0.25f, 1});
    light->Apply();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"glLightfv(16384, 4609, {1,0.5,0.25,1})"}));

    // Once the context is gone again, changes wait once more.
    context->DestroyRC();
    gl.Clear();
    light->SetAmbient({1, 1, 1, 1});
    light->Apply();
    EXPECT_TRUE(gl.Calls().empty());
    EXPECT_EQ(light->DirtyMask(), TGLLight::dmAmbient);
}

TEST_F(GLLight, AnInfiniteLightIgnoresItsPositionAndALocalOneSendsIt)
{
    Activate();
    TGLLight* light = context->Lights().Add();
    light->Apply();
    gl.Clear();
    light->SetPosition({5, 6, 7});
    light->Apply();
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();

    light->SetDirection({0, -1, 0});
    light->SetupPoint();
    light->Apply();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"glLightfv(16384, 4611, {5,6,7,1})",
                                                 "glLightfv(16384, 4612, {0,-1,0})", "glLightf(16384, 4613, 0)",
                                                 "glLightf(16384, 4614, 180)"}));

    // Turned infinite, the direction goes as the position.
    gl.Clear();
    light->SetupParallel();
    light->Apply();
    EXPECT_EQ(gl.CallsOf("glLightfv").at(0).Text(), "glLightfv(16384, 4611, {-0,1,-0,0})");
}

TEST_F(GLLight, EnableSwitchesItsOwnGLLightAndALightBeyondTheDriversMaximumSendsNothing)
{
    gl.SetInteger(GL_MAX_LIGHTS, 3);
    Activate();
    context->Lights().Add();
    context->Lights().Add();
    TGLLight* third = context->Lights().Add();
    third->Apply();
    gl.Clear();
    third->SetSpecular({0, 0, 0, 1});
    third->Enable();
    third->Disable();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"glLightfv(16386, 4610, {0,0,0,1})", "glEnable(16386)",
                                                 "glDisable(16386)"}));
    gl.Clear();
    TGLLight* spare = context->Lights().Add();
    ASSERT_EQ(spare->Index(), -1);
    spare->ApplyAll();
    spare->Enable();
    spare->Disable();
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
}
