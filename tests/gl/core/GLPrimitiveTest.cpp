// Primitives: the arrays they hand to the GL, their normals and geometry,
// drawing through a display list, against the recording GL table.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "gl/core/GLLists.h"
#include "gl/core/GLRecorder.h"
#include "GLTestSupport.h"

namespace {

// A list of primitives on the recording table; units > 1 makes the list a
// multitexture one with that many texture units.
struct PrimitiveFixture : ::testing::Test {
    GLRecorder gl;
    TGLPrimitiveList list{nullptr};

    void SetUnits(int units)
    {
        gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture GL_EXT_compiled_vertex_array");
        gl.SetInteger(GL_MAX_TEXTURE_UNITS_ARB, units);
        list.InitContext();
        ASSERT_EQ(list.TextureUnits(), units);
        gl.Clear();
    }

    // A primitive of `count` vertices along x.
    TGLPrimitive* Strip(int count)
    {
        TGLPrimitive* p = list.Add();
        p->Vertices().SetCount(count);
        for (int i = 0; i < count; ++i)
            p->Vertices().SetVector(i, static_cast<float>(i), static_cast<float>(i % 2), 0);
        return p;
    }

    // The texts of the calls that touch one client array, in order.
    std::vector<std::string> ArrayState(GLenum array) const
    {
        std::vector<std::string> texts;
        const std::string arg = std::to_string(array);
        for (const GLCall& call : gl.Calls())
            if ((call.Name == "glEnableClientState" || call.Name == "glDisableClientState") && call.Args[0] == arg)
                texts.push_back(call.Name);
        return texts;
    }

    std::vector<std::string> TextsOf(std::initializer_list<std::string> names) const
    {
        return gltest::Texts(gl, names);
    }
    static std::string RenderError(TGLPrimitive* p) { return gltest::ErrorOf([p] { p->Render(); }); }
};

using GLPrimitive = PrimitiveFixture;

void ExpectVector(const TGLVector& v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

}  // namespace

// --- Arrays --------------------------------------------------------------------------

TEST_F(GLPrimitive, AGridWithOneColourAndOneNormalSendsThemAsValues)
{
    TGLPrimitive* grid = Strip(4);
    grid->Indices().LoadFromArray(std::vector<int32_t>{0, 1, 2, 2, 1, 3});
    grid->Colors().SetCount(1);
    grid->Colors().SetColor(0, 10, 20, 30, 255);
    grid->Normals().SetCount(1);
    grid->Normals().SetVector(0, 0, 1, 0);

    grid->Render();

    EXPECT_EQ(TextsOf({"glColor4ubv", "glNormal3fv"}),
              (std::vector<std::string>{"glColor4ubv({10,20,30,255})", "glNormal3fv({0,1,0})"}));
    EXPECT_EQ(ArrayState(GL_COLOR_ARRAY), std::vector<std::string>{"glDisableClientState"});
    EXPECT_EQ(ArrayState(GL_NORMAL_ARRAY), std::vector<std::string>{"glDisableClientState"});
    EXPECT_EQ(ArrayState(GL_VERTEX_ARRAY), std::vector<std::string>{"glEnableClientState"});
    EXPECT_EQ(gl.Count("glColorPointer") + gl.Count("glNormalPointer"), 0);

    const std::vector<GLCall> vertices = gl.CallsOf("glVertexPointer");
    ASSERT_EQ(vertices.size(), 1u);
    EXPECT_EQ(vertices[0].Text(), "glVertexPointer(3, 5126, 12, ptr)");
    EXPECT_EQ(vertices[0].Pointers[0], grid->Vertices().Data());
    const std::vector<GLCall> draws = gl.CallsOf("glDrawElements");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].Text(), "glDrawElements(4, 6, 5125, ptr)");
    EXPECT_EQ(draws[0].Pointers[0], grid->Indices().Data());
    EXPECT_EQ(gl.Count("glDrawArrays"), 0);
}

TEST_F(GLPrimitive, PerVertexColoursNormalsAndCoordinatesBecomeArrays)
{
    TGLPrimitive* p = Strip(3);
    p->Colors().SetCount(3);
    p->Normals().SetCount(3);
    p->GetTextureCoords(0).SetCount(3);
    p->Mode = GL_TRIANGLE_STRIP;

    p->Render();

    EXPECT_EQ(TextsOf({"glColorPointer", "glNormalPointer", "glTexCoordPointer", "glDrawArrays"}),
              (std::vector<std::string>{"glColorPointer(4, 5121, 4, ptr)", "glNormalPointer(5126, 12, ptr)",
                                        "glTexCoordPointer(2, 5126, 8, ptr)", "glDrawArrays(5, 0, 3)"}));
    EXPECT_EQ(gl.CallsOf("glColorPointer")[0].Pointers[0], p->Colors().Data());
    EXPECT_EQ(gl.CallsOf("glNormalPointer")[0].Pointers[0], p->Normals().Data());
    EXPECT_EQ(gl.CallsOf("glTexCoordPointer")[0].Pointers[0], p->GetTextureCoords(0).Data());
    for (GLenum array : {GL_COLOR_ARRAY, GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY})
        EXPECT_EQ(ArrayState(array), std::vector<std::string>{"glEnableClientState"}) << array;
    EXPECT_EQ(gl.Count("glColor4ubv") + gl.Count("glNormal3fv") + gl.Count("glClientActiveTextureARB"), 0);
}

TEST_F(GLPrimitive, ACoordinateSetThatFitsNoVertexLeavesNoArrayEnabled)
{
    TGLPrimitive* first = Strip(3);
    first->GetTextureCoords(0).SetCount(3);
    TGLPrimitive* second = Strip(3);
    second->GetTextureCoords(0).SetCount(5);  // fits nothing
    TGLPrimitive* third = Strip(3);           // no coordinates

    first->Render();
    second->Render();
    third->Render();

    EXPECT_EQ(ArrayState(GL_TEXTURE_COORD_ARRAY),
              (std::vector<std::string>{"glEnableClientState", "glDisableClientState", "glDisableClientState"}));
    EXPECT_EQ(gl.Count("glTexCoordPointer"), 1);
    // The same holds for colours and normals of a wrong count: no array, no value.
    TGLPrimitive* odd = Strip(3);
    odd->Colors().SetCount(2);
    odd->Normals().SetCount(2);
    gl.Clear();
    odd->Render();
    EXPECT_EQ(ArrayState(GL_COLOR_ARRAY), std::vector<std::string>{"glDisableClientState"});
    EXPECT_EQ(ArrayState(GL_NORMAL_ARRAY), std::vector<std::string>{"glDisableClientState"});
    EXPECT_EQ(gl.Count("glColor4ubv") + gl.Count("glNormal3fv"), 0);
}

TEST_F(GLPrimitive, MultitextureFeedsAtMostThreeUnitsAndLeavesUnitZeroCurrent)
{
    SetUnits(8);
    TGLPrimitive* p = Strip(4);
    p->MultiTexture = true;
    for (int set = 0; set < 3; ++set)
        p->GetTextureCoords(set).SetCount(set == 1 ? 0 : 4);

    p->Render();

    // Units 0..2 get their sets (set 1 is empty), then units 1 and 2 are
    // switched off again so that no later draw reads this primitive.
    EXPECT_EQ(TextsOf({"glClientActiveTextureARB", "glEnableClientState", "glDisableClientState",
                       "glTexCoordPointer", "glDrawArrays"}),
              (std::vector<std::string>{
                  "glEnableClientState(32884)",
                  "glDisableClientState(32886)",
                  "glDisableClientState(32885)",
                  "glClientActiveTextureARB(33984)", "glEnableClientState(32888)", "glTexCoordPointer(2, 5126, 8, ptr)",
                  "glClientActiveTextureARB(33985)", "glDisableClientState(32888)",
                  "glClientActiveTextureARB(33986)", "glEnableClientState(32888)", "glTexCoordPointer(2, 5126, 8, ptr)",
                  "glDrawArrays(4, 0, 4)",
                  "glClientActiveTextureARB(33985)", "glDisableClientState(32888)",
                  "glClientActiveTextureARB(33986)", "glDisableClientState(32888)",
                  "glClientActiveTextureARB(33984)"}));
    const std::vector<GLCall> pointers = gl.CallsOf("glTexCoordPointer");
    ASSERT_EQ(pointers.size(), 2u);
    EXPECT_EQ(pointers[0].Pointers[0], p->GetTextureCoords(0).Data());
    EXPECT_EQ(pointers[1].Pointers[0], p->GetTextureCoords(2).Data());
}

TEST_F(GLPrimitive, MultitextureWithFewUnitsOrNoEntryPointFeedsWhatThereIs)
{
    SetUnits(2);
    TGLPrimitive* p = Strip(3);
    p->MultiTexture = true;
    for (int set = 0; set < 3; ++set)
        p->GetTextureCoords(set).SetCount(3);
    p->Render();
    EXPECT_EQ(TextsOf({"glClientActiveTextureARB"}),
              (std::vector<std::string>{"glClientActiveTextureARB(33984)", "glClientActiveTextureARB(33985)",
                                        "glClientActiveTextureARB(33985)", "glClientActiveTextureARB(33984)"}));
    EXPECT_EQ(gl.Count("glTexCoordPointer"), 2);

    // Without the entry point only set 0 is given, to the current unit.
    gl.Clear();
    p->MultiTexture = true;
    glClientActiveTextureARB = nullptr;
    p->Render();
    EXPECT_EQ(gl.Count("glTexCoordPointer"), 1);
    EXPECT_EQ(gl.CallsOf("glTexCoordPointer")[0].Pointers[0], p->GetTextureCoords(0).Data());
}

TEST_F(GLPrimitive, DrawingIsLockedOnlyWhenTheDriverOffersIt)
{
    TGLPrimitive* p = Strip(5);
    p->Render();
    EXPECT_EQ(TextsOf({"glLockArraysEXT", "glDrawArrays", "glUnlockArraysEXT"}),
              (std::vector<std::string>{"glLockArraysEXT(0, 5)", "glDrawArrays(4, 0, 5)", "glUnlockArraysEXT()"}));

    gl.Clear();
    glLockArraysEXT = nullptr;
    glUnlockArraysEXT = nullptr;
    p->Render();
    EXPECT_EQ(gl.Count("glDrawArrays"), 1);

    gl.Clear();
    list.Add()->Render();  // no vertices: nothing at all
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
}

TEST_F(GLPrimitive, GetTextureCoordsOutsideTheThreeSetsRaises)
{
    TGLPrimitive* p = list.Add();
    EXPECT_NE(&p->GetTextureCoords(0), &p->GetTextureCoords(2));
    for (int index : {3, -1})
        EXPECT_EQ(gltest::ErrorOf([&] { p->GetTextureCoords(index); }),
                  "TGLPrimitive.GetTextureCoords error: Index out of bounds")
            << index;
}

// --- Index checks --------------------------------------------------------------------

TEST_F(GLPrimitive, IndicesOutsideTheVerticesRaiseInsteadOfDrawing)
{
    TGLPrimitive* p = Strip(3);
    p->Indices().LoadFromArray(std::vector<int32_t>{0, 1, 3});
    EXPECT_EQ(RenderError(p), "TGLPrimitive.Render error: Index out of bounds");
    p->Indices().SetIndex(2, -1);
    EXPECT_EQ(RenderError(p), "TGLPrimitive.Render error: Index out of bounds");
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();

    p->Indices().SetIndex(2, 2);
    EXPECT_EQ(RenderError(p), "(no exception)");
    EXPECT_EQ(gl.Count("glDrawElements"), 1);

    // Fewer vertices than the indices address: checked again, and no
    // display list is opened for the bad mesh.
    p->Vertices().SetCount(2);
    p->UseDisplayList = true;
    gl.Clear();
    EXPECT_EQ(RenderError(p), "TGLPrimitive.Render error: Index out of bounds");
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
    EXPECT_FALSE(p->Compiled());
}

TEST_F(GLPrimitive, AnArrayWithForeignElementsIsRefusedBeforeTheGLSeesIt)
{
    TGLPrimitive* p = Strip(3);
    TGLColorDArray colours;
    colours.SetCount(3);
    colours.CopyTo(&p->Normals());  // three 4-byte elements where 12-byte ones belong
    EXPECT_THROW(p->Render(), EInvalidCast);
    EXPECT_EQ(gl.Count("glNormalPointer") + gl.Count("glDrawArrays"), 0);
}

// --- Display lists -------------------------------------------------------------------

TEST_F(GLPrimitive, ADisplayListIsCompiledOnceCalledAfterwardsAndDroppedOnDemand)
{
    TGLPrimitive* p = Strip(3);
    p->UseDisplayList = true;
    glLockArraysEXT = nullptr;

    p->Render();
    const std::vector<std::string> names = gl.Names();
    ASSERT_GE(names.size(), 5u);
    EXPECT_EQ(names.front(), "glGenLists");
    EXPECT_EQ(gl.Calls()[1].Text(), "glNewList(1, 4864)");
    EXPECT_EQ(names[names.size() - 3], "glDrawArrays");
    EXPECT_EQ(names[names.size() - 2], "glEndList");
    EXPECT_EQ(gl.Calls().back().Text(), "glCallList(1)");
    EXPECT_TRUE(p->Compiled());

    gl.Clear();
    p->Render();
    EXPECT_EQ(gl.Names(), std::vector<std::string>{"glCallList"});

    p->DropDisplayList();
    EXPECT_FALSE(p->Compiled());
    p->Render();
    EXPECT_EQ(TextsOf({"glDeleteLists", "glNewList", "glCallList"}),
              (std::vector<std::string>{"glCallList(1)", "glDeleteLists(1, 1)", "glNewList(2, 4864)",
                                        "glCallList(2)"}));

    gl.Clear();
    delete p;  // the list goes with the primitive
    EXPECT_EQ(TextsOf({"glDeleteLists"}), std::vector<std::string>{"glDeleteLists(2, 1)"});
}

// --- Normals and geometry ------------------------------------------------------------

TEST_F(GLPrimitive, IndexedTrianglesAverageTheFaceNormalsAtASharedVertex)
{
    TGLPrimitive* p = list.Add();
    // Two right triangles of equal area: one facing +z, one facing +x; they
    // share vertices 0 and 2. Vertex 4 belongs to no triangle.
    p->Vertices().LoadFromArray(std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 5, 5, 5});
    p->Indices().LoadFromArray(std::vector<int32_t>{0, 1, 2, 0, 2, 3});
    p->BuildNormals();

    ASSERT_EQ(p->Normals().Count(), 5);
    const float h = std::sqrt(0.5f);
    ExpectVector(p->Normals().GetVector(0), h, 0, h);
    ExpectVector(p->Normals().GetVector(1), 0, 0, 1);
    ExpectVector(p->Normals().GetVector(2), h, 0, h);
    ExpectVector(p->Normals().GetVector(3), 1, 0, 0);
    ExpectVector(p->Normals().GetVector(4), 0, 0, 0);
}

TEST_F(GLPrimitive, UnindexedTrianglesAndQuadsGetTheirFaceNormals)
{
    TGLPrimitive* p = list.Add();
    // A counter-clockwise triangle facing +z and a clockwise one facing -z,
    // each twice the size of a unit normal; a leftover vertex stays zero.
    p->Vertices().LoadFromArray(std::vector<float>{0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 2, 0, 2, 0, 0, 9, 9, 9});
    p->BuildNormals();
    for (int i = 0; i < 3; ++i)
        ExpectVector(p->Normals().GetVector(i), 0, 0, 1);
    for (int i = 3; i < 6; ++i)
        ExpectVector(p->Normals().GetVector(i), 0, 0, -1);
    ExpectVector(p->Normals().GetVector(6), 0, 0, 0);

    // A quad in the xz plane, wound to face +y.
    p->Mode = GL_QUADS;
    p->Vertices().LoadFromArray(std::vector<float>{0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 0, 0});
    p->BuildNormals();
    ASSERT_EQ(p->Normals().Count(), 4);
    for (int i = 0; i < 4; ++i)
        ExpectVector(p->Normals().GetVector(i), 0, 1, 0);

    // Indexed quads and other modes: zero normals, one per vertex.
    p->Indices().LoadFromArray(std::vector<int32_t>{0, 1, 2, 3});
    p->BuildNormals();
    for (int i = 0; i < 4; ++i)
        ExpectVector(p->Normals().GetVector(i), 0, 0, 0);
    p->Mode = GL_TRIANGLE_STRIP;
    p->Indices().SetCount(0);
    p->BuildNormals();
    ASSERT_EQ(p->Normals().Count(), 4);
    ExpectVector(p->Normals().GetVector(0), 0, 0, 0);
}

TEST_F(GLPrimitive, BuildingNormalsFromABadIndexRaises)
{
    TGLPrimitive* p = Strip(3);
    p->Indices().LoadFromArray(std::vector<int32_t>{0, 1, 2, 2, 1, 3});
    EXPECT_EQ(gltest::ErrorOf([p] { p->BuildNormals(); }), "TGLPrimitive.BuildNormals error: Index out of bounds");
}

TEST_F(GLPrimitive, MorphingInterpolatesFramesOfOneCountOnly)
{
    TGLVectorDArray a;
    TGLVectorDArray b;
    a.LoadFromArray(std::vector<float>{0, 0, 0, 2, 4, 6});
    b.LoadFromArray(std::vector<float>{4, 4, 4, 2, 0, -6});
    TGLPrimitive* p = list.Add();

    p->MorphVertices(a, b, 0.25f);
    ASSERT_EQ(p->Vertices().Count(), 2);
    ExpectVector(p->Vertices().GetVector(0), 1, 1, 1);
    ExpectVector(p->Vertices().GetVector(1), 2, 3, 3);

    p->MorphNormals(a, b, 0.5f);  // no normals: none made
    EXPECT_EQ(p->Normals().Count(), 0);
    p->Normals().SetCount(1);
    p->MorphNormals(a, b, 0.5f);
    ASSERT_EQ(p->Normals().Count(), 2);
    ExpectVector(p->Normals().GetVector(1), 2, 2, 0);

    TGLVectorDArray shorter;
    shorter.SetCount(1);
    p->MorphVertices(a, shorter, 0.5f);
    ASSERT_EQ(p->Vertices().Count(), 2);
    ExpectVector(p->Vertices().GetVector(1), 2, 3, 3);
}

TEST_F(GLPrimitive, CopyToANewPrimitiveCopiesTheMeshIntoTheSameList)
{
    TGLPrimitive* source = Strip(3);
    source->Mode = GL_QUADS;
    source->Colors().SetCount(1);
    source->Colors().SetColor(0, 1, 2, 3, 4);
    source->Normals().SetCount(3);
    source->GetTextureCoords(2).LoadFromArray(std::vector<float>{0, 0, 1, 0, 1, 1});
    source->Indices().LoadFromArray(std::vector<int32_t>{2, 1, 0});

    TGLPrimitive* copy = source->CopyTo(nullptr);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(1), copy);
    EXPECT_EQ(copy->Mode, static_cast<GLenum>(GL_QUADS));
    EXPECT_EQ(copy->Colors().GetColor(0), MakeColorRGBA(1, 2, 3, 4));
    ExpectVector(copy->Vertices().GetVector(1), 1, 1, 0);
    EXPECT_EQ(copy->Normals().Count(), 3);
    EXPECT_EQ(copy->GetTextureCoords(2).GetCoord(2).s, 1.0f);
    EXPECT_EQ(copy->Indices().GetIndex(0), 2);

    // An existing destination drops the list it compiled from its old mesh.
    TGLPrimitive* target = Strip(1);
    target->UseDisplayList = true;
    target->Render();
    ASSERT_TRUE(target->Compiled());
    EXPECT_EQ(source->CopyTo(target), target);
    EXPECT_FALSE(target->Compiled());
    EXPECT_EQ(target->Vertices().Count(), 3);

    TGLPrimitive loose(nullptr);  // no list to add a copy to
    EXPECT_EQ(loose.CopyTo(nullptr), nullptr);
}
