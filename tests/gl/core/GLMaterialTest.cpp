// Materials: the face they go to and the parameters they send.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "gl/core/GLLists.h"
#include "support/GLRecorder.h"
#include "GLTestSupport.h"

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
