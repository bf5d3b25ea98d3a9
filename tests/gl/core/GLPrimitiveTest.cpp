// Primitives against the recording GL table: arrays, index checks, display lists, geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "gl/core/GLLists.h"
#include "support/GLRecorder.h"
#include "../../support/ExceptionMessage.h"
#include "ExpectVector.h"

namespace {

struct GLPrimitive : ::testing::Test {
    GLRecorder gl;
    TGLPrimitiveList list{nullptr};
    std::vector<std::unique_ptr<TGLPrimitive>> owned;

    TGLPrimitive* New() { return owned.emplace_back(list.Add()).get(); }
    // A primitive of `count` vertices along x.
    TGLPrimitive* Strip(int count)
    {
        TGLPrimitive* p = New();
        p->Vertices().SetCount(count);
        for (int i = 0; i < count; ++i)
            p->Vertices().SetVector(i, static_cast<float>(i), static_cast<float>(i % 2), 0);
        return p;
    }
};

}  // namespace

// Arrays of one item per vertex, indexed or not, are drawn on a real context
// in SceneDrawTest.
TEST_F(GLPrimitive, OneColourOrNormalIsAValueForEveryVertexAndSetsOfAWrongCountAreNeither)
{
    New()->Render();
    EXPECT_TRUE(gl.Calls().empty()) << "an empty mesh draws nothing: " << gl.Text();
    TGLPrimitive* p = Strip(3);
    p->Colors().SetCount(1);
    p->Colors().SetColor(0, 10, 20, 30, 255);
    p->Normals().SetCount(1);
    p->Render();
    EXPECT_EQ(gl.CallsOf("glColor4ubv").at(0).Text(), "glColor4ubv({10,20,30,255})");
    EXPECT_EQ(gl.Count("glNormal3fv"), 1);
    EXPECT_EQ(gl.Count("glColorPointer") + gl.Count("glNormalPointer"), 0);

    // Sets of a wrong count: no array left enabled, no value sent.
    p->Colors().SetCount(2);
    p->Normals().SetCount(2);
    p->GetTextureCoords(0).SetCount(5);
    gl.Clear();
    p->Render();
    ASSERT_EQ(gl.Count("glEnableClientState"), 1);
    EXPECT_EQ(gl.CallsOf("glEnableClientState")[0].Args[0], std::to_string(GL_VERTEX_ARRAY));
    EXPECT_EQ(gl.Count("glColor4ubv") + gl.Count("glNormal3fv") + gl.Count("glTexCoordPointer"), 0);
}

TEST_F(GLPrimitive, MultitextureFeedsEachSetToItsUnitAndSwitchesTheOthersOffAfterTheDraw)
{
    gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture");
    gl.SetInteger(GL_MAX_TEXTURE_UNITS_ARB, 8);
    list.InitContext();
    gl.Clear();
    TGLPrimitive* p = Strip(4);
    p->MultiTexture = true;
    for (int set = 0; set < 3; ++set)
        p->GetTextureCoords(set).SetCount(set == 1 ? 0 : 4);
    p->Render();
    EXPECT_EQ(gl.CallsOf("glTexCoordPointer").at(1).Pointers.at(0), p->GetTextureCoords(2).Data());
    const std::vector<std::string> names = gl.Names();
    const auto draw = std::find(names.begin(), names.end(), "glDrawArrays");
    EXPECT_EQ(std::count(draw, names.end(), "glDisableClientState"), 2) << "units 1 and 2 off after the draw";
    EXPECT_EQ(gl.Calls().back().Text(), "glClientActiveTextureARB(33984)") << "unit 0 current again";

    // Without the entry point only set 0 is given, to the current unit.
    gl.Clear();
    glClientActiveTextureARB = nullptr;
    p->Render();
    ASSERT_EQ(gl.Count("glTexCoordPointer"), 1);
    EXPECT_EQ(gl.CallsOf("glTexCoordPointer")[0].Pointers[0], p->GetTextureCoords(0).Data());
}

TEST_F(GLPrimitive, OutOfBoundsIndicesAndForeignArraysRaiseBeforeTheGLSeesThem)
{
    TGLPrimitive* p = Strip(3);
    for (int index : {3, -1})
        EXPECT_EQ(testsupport::MessageOf([&] { p->GetTextureCoords(index); }),
                  "TGLPrimitive.GetTextureCoords error: Index out of bounds");
    p->Indices().LoadFromArray(std::vector<int32_t>{0, 1, -1});
    EXPECT_EQ(testsupport::MessageOf([p] { p->Render(); }), "TGLPrimitive.Render error: Index out of bounds");
    p->Indices().SetIndex(2, 3);
    EXPECT_EQ(testsupport::MessageOf([p] { p->BuildNormals(); }),
              "TGLPrimitive.BuildNormals error: Index out of bounds");
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();

    // Vertices removed under good indices: checked again, no display list opened.
    p->Indices().SetIndex(2, 2);
    p->Vertices().SetCount(2);
    p->UseDisplayList = true;
    EXPECT_THROW(p->Render(), Exception);
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
    EXPECT_FALSE(p->Compiled());

    TGLPrimitive* q = Strip(3);
    TGLColorDArray colours;
    colours.SetCount(3);
    colours.CopyTo(&q->Normals());  // 4-byte elements where 12-byte ones belong
    EXPECT_THROW(q->Render(), EInvalidCast);
    EXPECT_EQ(gl.Count("glNormalPointer") + gl.Count("glDrawArrays"), 0);
}

// (The program draws nothing through a display list; the recorded calls are the check.)
TEST_F(GLPrimitive, ADisplayListIsCompiledOnceAndGoesWithThePrimitive)
{
    TGLPrimitive* p = Strip(3);
    p->UseDisplayList = true;
    p->Render();
    p->Render();
    EXPECT_EQ(gl.Count("glNewList"), 1);
    gl.Clear();
    owned.clear();
    EXPECT_EQ(gl.Text(), "glDeleteLists(1, 1)\n");
}

TEST_F(GLPrimitive, NormalsAreAveragedFaceNormalsOrZeroWhereNoFaceIsKnown)
{
    TGLPrimitive* p = New();
    // Two triangles of equal area facing +z and +x share vertices 0 and 2; vertex 4 is in none.
    p->Vertices().LoadFromArray(std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 5, 5, 5});
    p->Indices().LoadFromArray(std::vector<int32_t>{0, 1, 2, 0, 2, 3});
    p->BuildNormals();
    ASSERT_EQ(p->Normals().Count(), 5);
    const float h = std::sqrt(0.5f);
    ExpectVector(p->Normals().GetVector(0), h, 0, h);
    ExpectVector(p->Normals().GetVector(3), 1, 0, 0);
    ExpectVector(p->Normals().GetVector(4), 0, 0, 0);

    // Unindexed quads: one in the xz plane wound to face +y; indexed quads get zero normals.
    p->Indices().SetCount(0);
    p->Mode = GL_QUADS;
    p->Vertices().LoadFromArray(std::vector<float>{0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 0, 0});
    p->BuildNormals();
    ExpectVector(p->Normals().GetVector(3), 0, 1, 0);
    p->Indices().LoadFromArray(std::vector<int32_t>{0, 1, 2, 3});
    p->BuildNormals();
    ASSERT_EQ(p->Normals().Count(), 4);
    ExpectVector(p->Normals().GetVector(0), 0, 0, 0);
}

TEST_F(GLPrimitive, MorphingInterpolatesFramesOfOneCountOnlyAndCopyToCopiesTheMesh)
{
    TGLVectorDArray a, b, shorter;
    a.LoadFromArray(std::vector<float>{0, 0, 0, 2, 4, 6});
    b.LoadFromArray(std::vector<float>{4, 4, 4, 2, 0, -6});
    shorter.SetCount(1);
    TGLPrimitive* source = New();
    source->MorphVertices(a, b, 0.25f);
    source->MorphVertices(a, shorter, 0.5f);
    ASSERT_EQ(source->Vertices().Count(), 2);
    ExpectVector(source->Vertices().GetVector(1), 2, 3, 3);

    source->GetTextureCoords(2).LoadFromArray(std::vector<float>{0, 0, 1, 0});
    std::unique_ptr<TGLPrimitive> copy(source->CopyTo(nullptr));
    EXPECT_EQ(list.IndexOf(copy.get()), 1);
    ExpectVector(copy->Vertices().GetVector(1), 2, 3, 3);
    EXPECT_EQ(copy->GetTextureCoords(2).GetCoord(1).s, 1.0f);

    // An existing target drops the display list compiled from its old mesh.
    TGLPrimitive* target = Strip(1);
    target->UseDisplayList = true;
    target->Render();
    EXPECT_EQ(source->CopyTo(target), target);
    EXPECT_FALSE(target->Compiled());
    TGLPrimitive loose(nullptr);  // no list to add a copy to
    EXPECT_EQ(loose.CopyTo(nullptr), nullptr);
}
