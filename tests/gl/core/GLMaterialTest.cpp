// Materials: the face they go to and the parameters they send.
#include <gtest/gtest.h>

#include "gl/core/GLLists.h"
#include "gl/core/GLRecorder.h"

namespace {

std::vector<std::string> Texts(const GLRecorder& gl)
{
    std::vector<std::string> texts;
    for (const GLCall& call : gl.Calls())
        texts.push_back(call.Text());
    return texts;
}

// The face argument of every call, in order.
std::vector<std::string> Faces(const GLRecorder& gl)
{
    std::vector<std::string> faces;
    for (const GLCall& call : gl.Calls())
        faces.push_back(call.Args.at(0));
    return faces;
}

}  // namespace

TEST(GLMaterial, ANewMaterialSendsItsDefaultsForTheFrontOnce)
{
    GLRecorder gl;
    TGLMaterialList materials(nullptr);
    TGLMaterial* material = materials.Add();
    EXPECT_EQ(material->ClassName(), "TGLMaterial");
    EXPECT_EQ(material->DirtyMask(), 0x3Bu);

    material->Apply();
    EXPECT_EQ(Texts(gl), (std::vector<std::string>{
                             "glMaterialfv(1028, 4608, {0.2,0.2,0.2,1})",
                             "glMaterialfv(1028, 4609, {0.8,0.8,0.8,1})",
                             "glMaterialfv(1028, 4610, {0,0,0,0})",
                             "glMaterialfv(1028, 5632, {0,0,0,0})",
                             "glMaterialf(1028, 5633, 0)",
                         }));

    // A clean mask sends nothing.
    gl.Clear();
    material->Apply();
    EXPECT_TRUE(gl.Calls().empty());
}

TEST(GLMaterial, OnlyChangedParametersAreSent)
{
    GLRecorder gl;
    TGLMaterialList materials(nullptr);
    TGLMaterial* material = materials.Add();
    material->Apply();
    gl.Clear();

    material->SetShininess(20);
    material->SetEmission({0.5f, 0, 0, 1});
    material->Apply();
    EXPECT_EQ(Texts(gl), (std::vector<std::string>{"glMaterialfv(1028, 5632, {0.5,0,0,1})",
                                                   "glMaterialf(1028, 5633, 20)"}));

    gl.Clear();
    material->ApplyAll();
    EXPECT_EQ(gl.Calls().size(), 5u);
}

TEST(GLMaterial, TheFaceFlagsChooseTheFaceAndMakeEverythingDirty)
{
    GLRecorder gl;
    TGLMaterialList materials(nullptr);
    TGLMaterial* material = materials.Add();
    material->Apply();
    gl.Clear();

    material->SetBackFace(true);
    EXPECT_EQ(material->DirtyMask(), 0x3Bu);
    material->Apply();
    EXPECT_EQ(Faces(gl), std::vector<std::string>(5, "1032"));  // GL_FRONT_AND_BACK

    gl.Clear();
    material->SetFrontFace(false);
    material->Apply();
    EXPECT_EQ(Faces(gl), std::vector<std::string>(5, "1029"));  // back only: GL_BACK

    // With neither flag the material still goes to the back.
    gl.Clear();
    material->SetBackFace(false);
    EXPECT_EQ(material->Face(), GL_BACK);
    material->Apply();
    EXPECT_EQ(Faces(gl), std::vector<std::string>(5, "1029"));
}
