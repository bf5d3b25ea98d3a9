// Lights: which parameters reach OpenGL, and when.
#include <gtest/gtest.h>

#include <memory>

#include "gl/core/CustomOpenGL.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "GLTestSupport.h"

namespace {

struct GLLight : ::testing::Test {
    GLRecorder gl;
    std::unique_ptr<TCustomOpenGL> context = NewStubContext();

    void SetUp() override
    {
        context->DestroyRC();
        gl.Clear();
    }
    void Activate()
    {
        context->CreateRC(StubDC());
        ASSERT_TRUE(context->Active());
        gl.Clear();
    }
    std::unique_ptr<TGLLight> NewLight() { return std::unique_ptr<TGLLight>(context->Lights().Add()); }
};

}  // namespace

TEST_F(GLLight, ValuesSetWhileInactiveWaitForTheContextThenOnlyChangesAreSent)
{
    auto light = NewLight();
    light->SetDiffuse({0, 1, 0, 1});
    light->Enable();
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();

    Activate();
    light->Apply();
    EXPECT_EQ(gl.Count("glLightfv") + gl.Count("glLightf") + gl.Count("glLightModeli"), 11) << "everything once";
    EXPECT_EQ(gl.CallsOf("glLightfv").at(1).Text(), "glLightfv(16384, 4609, {0,1,0,1})");
    gl.Clear();
    light->Apply();
    EXPECT_TRUE(gl.Calls().empty());
    light->SetDiffuse({1, 0.5f, 0.25f, 1});
    light->Apply();
    EXPECT_EQ(gl.Text(), "glLightfv(16384, 4609, {1,0.5,0.25,1})\n");

    // Once the context is gone again, changes wait once more.
    context->DestroyRC();
    gl.Clear();
    light->SetAmbient({1, 1, 1, 1});
    light->Apply();
    EXPECT_TRUE(gl.Calls().empty());
    EXPECT_EQ(light->DirtyMask(), TGLLight::dmAmbient);
}

// A freed light switches its GL light off and hands its index back, no two
// share one: SceneContextTest and SceneLightTest.
TEST_F(GLLight, ALightBeyondTheDriversMaximumSendsNothing)
{
    gl.SetInteger(GL_MAX_LIGHTS, 1);
    Activate();
    auto first = NewLight(), beyond = NewLight();
    ASSERT_EQ(beyond->Index(), -1);
    beyond->Enable();
    beyond.reset();
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
}
