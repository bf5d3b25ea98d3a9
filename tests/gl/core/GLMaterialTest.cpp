// Materials: the face they go to and the parameters they send.
#include <gtest/gtest.h>

#include <tuple>

#include "gl/core/GLLists.h"
#include "gl/core/GLRecorder.h"
#include "GLTestSupport.h"

TEST(GLMaterial, ANewMaterialSendsItsDefaultsOnceThenOnlyChanges)
{
    GLRecorder gl;
    TGLMaterialList materials(nullptr);
    TGLMaterial* material = materials.Add();
    material->Apply();
    EXPECT_EQ(gltest::Texts(gl), (std::vector<std::string>{
                                     "glMaterialfv(1028, 4608, {0.2,0.2,0.2,1})",
                                     "glMaterialfv(1028, 4609, {0.8,0.8,0.8,1})",
                                     "glMaterialfv(1028, 4610, {0,0,0,0})", "glMaterialfv(1028, 5632, {0,0,0,0})",
                                     "glMaterialf(1028, 5633, 0)"}));
    gl.Clear();
    material->Apply();
    EXPECT_TRUE(gl.Calls().empty());
    material->SetShininess(20);
    material->Apply();
    EXPECT_EQ(gl.Text(), "glMaterialf(1028, 5633, 20)\n");
}

TEST(GLMaterial, TheFaceFlagsChooseTheFaceAndMakeEverythingDirty)
{
    GLRecorder gl;
    TGLMaterialList materials(nullptr);
    TGLMaterial* material = materials.Add();
    material->Apply();
    for (const auto& [front, back, face] : {std::tuple{true, true, "1032"}, {false, true, "1029"},
                                            {false, false, "1029"}}) {  // with neither flag: still the back
        gl.Clear();
        material->SetFrontFace(front);
        material->SetBackFace(back);
        material->Apply();
        ASSERT_EQ(gl.Calls().size(), 5u) << front << back;
        for (const GLCall& call : gl.Calls())
            EXPECT_EQ(call.Args.at(0), face) << front << back;
    }
}
