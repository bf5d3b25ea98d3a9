// Lights and materials: which parameters reach OpenGL, and when; the face a material goes to.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLLists.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"

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
// share one: SceneContextTest.
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

TEST(GLMaterial, ANewMaterialSendsEverythingOnceThenOnlyChangesToTheChosenFace)
{
    GLRecorder gl;
    TGLMaterialList materials(nullptr);
    std::unique_ptr<TGLMaterial> material(materials.Add());
    material->Apply();  // everything once: SceneMaterialTest
    EXPECT_EQ(gl.CallsOf("glMaterialfv").at(1).Text(), "glMaterialfv(1028, 4609, {0.8,0.8,0.8,1})");
    gl.Clear();
    material->Apply();
    EXPECT_TRUE(gl.Calls().empty());
    material->SetShininess(20);
    material->Apply();
    EXPECT_EQ(gl.Text(), "glMaterialf(1028, 5633, 20)\n");

    // A face change makes everything dirty; with neither flag it is still the back.
    for (const auto& [front, back, face] : {std::tuple{true, true, "1032"}, {false, true, "1029"},
                                            {false, false, "1029"}}) {
        gl.Clear();
        material->SetFrontFace(front);
        material->SetBackFace(back);
        material->Apply();
        ASSERT_EQ(gl.Calls().size(), 5u) << front << back;
        for (const GLCall& call : gl.Calls())
            EXPECT_EQ(call.Args.at(0), face) << front << back;
    }
}
