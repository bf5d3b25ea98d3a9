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

TEST_F(GLLight, EachLightDrivesTheLowestFreeGLLightAndAFreedOneSwitchesItOff)
{
    gl.SetInteger(GL_MAX_LIGHTS, 3);
    Activate();
    auto first = NewLight(), second = NewLight(), third = NewLight();
    second->Enable();
    EXPECT_EQ(gl.Calls().back().Text(), "glEnable(16385)");  // GL_LIGHT1
    gl.Clear();
    second.reset();
    EXPECT_EQ(gl.Text(), "glDisable(16385)\n");

    auto spare = NewLight(), beyond = NewLight();
    EXPECT_EQ(spare->Index(), 1) << "the freed index, and no two lights share one";
    ASSERT_EQ(beyond->Index(), -1) << "beyond the driver's maximum";
    gl.Clear();
    beyond->Enable();
    beyond.reset();
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
}
