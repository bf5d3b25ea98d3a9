// Viewports: projection and camera, and picking through the name table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "gl/core/GLLists.h"
#include "gl/core/GLRecorder.h"

namespace {

// A viewport of a list, with the recorder's GL_VIEWPORT answer set.
struct ViewportFixture : ::testing::Test {
    GLRecorder gl;
    TGLViewportList viewports{nullptr};
    TGLViewport* viewport = viewports.Add();

    void SetUp() override { gl.SetIntegers(GL_VIEWPORT, {0, 0, 640, 480}); }

    // Runs a pick whose pass leaves `records` in the selection buffer and
    // answers `hits`.
    void Pick(const std::vector<GLuint>& records, GLint hits)
    {
        viewport->BeginPick(100, 100, 4, 4);
        const std::vector<GLCall> select = gl.CallsOf("glSelectBuffer");
        ASSERT_FALSE(select.empty());
        ASSERT_EQ(select.back().Args.at(0), "512");
        auto* buffer = static_cast<GLuint*>(const_cast<void*>(select.back().Pointers.at(0)));
        ASSERT_LE(records.size(), 512u);
        std::copy(records.begin(), records.end(), buffer);
        gl.RenderModeResult = hits;
        viewport->EndPick();
    }
};

using GLViewport = ViewportFixture;

struct Pickable : TGLPickable {};

}  // namespace

TEST_F(GLViewport, ApplySetsTheViewportProjectionAndCamera)
{
    EXPECT_EQ(viewport->Width(), 100);
    viewport->SetRect(10, 20, 640, 480);
    viewport->SetPerspective(75, 4.0 / 3.0, 100, 1000);
    const double top = std::tan(37.5 * std::numbers::pi / 180) * 100;  // 76.73...
    EXPECT_NEAR(viewport->Frustum().Top, top, 1e-9);
    EXPECT_NEAR(viewport->Frustum().Bottom, -top, 1e-9);
    EXPECT_NEAR(viewport->Frustum().Right, top * 4 / 3, 1e-9);
    EXPECT_NEAR(viewport->Frustum().Left, -top * 4 / 3, 1e-9);
    EXPECT_EQ(viewport->Frustum().Near, 100);
    EXPECT_EQ(viewport->Frustum().Far, 1000);
    viewport->Position = {1, 2, 3};
    viewport->Direction = {0, 0.5f, -1};

    viewport->Apply();

    std::vector<std::string> texts;
    for (const GLCall& call : gl.Calls())
        texts.push_back(call.Text());
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "glViewport(10, 20, 640, 480)",
                         "glMatrixMode(5889)",
                         "glLoadIdentity()",
                         "glFrustum(-102.31, 102.31, -76.7327, 76.7327, 100, 1000)",
                         "glMatrixMode(5888)",
                         "glLoadIdentity()",
                         "gluLookAt(1, 2, 3, 1, 2.5, 2, 0, 1, 0)",
                     }));

    // Without perspective the ortho box is used.
    gl.Clear();
    viewport->Perspective = false;
    viewport->SetOrtho({0, 640, 0, 480, -1, 1});
    viewport->Apply();
    EXPECT_EQ(gl.Count("glFrustum"), 0);
    ASSERT_EQ(gl.Count("glOrtho"), 1);
    EXPECT_EQ(gl.CallsOf("glOrtho")[0].Text(), "glOrtho(0, 640, 0, 480, -1, 1)");
}

TEST_F(GLViewport, BeginPickNarrowsTheProjectionAroundTheWindowPoint)
{
    viewport->BeginPick(10, 0, 4, 4);
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"glSelectBuffer", "glRenderMode", "glInitNames", "glPushName",
                                                    "glGetIntegerv", "glMatrixMode", "glLoadIdentity",
                                                    "gluPickMatrix", "glFrustum", "glMatrixMode", "glLoadIdentity",
                                                    "gluLookAt"}));
    EXPECT_EQ(gl.Calls()[1].Text(), "glRenderMode(7170)");
    EXPECT_EQ(gl.Calls()[3].Text(), "glPushName(0)");
    // Window y 0 is the top row of the viewport.
    EXPECT_EQ(gl.CallsOf("gluPickMatrix")[0].Text(), "gluPickMatrix(10, 480, 4, 4, {0,0,640,480})");

    gl.Clear();
    viewport->BeginPick(10, 100, 4, 4);
    EXPECT_EQ(gl.CallsOf("gluPickMatrix")[0].Text(), "gluPickMatrix(10, 380, 4, 4, {0,0,640,480})");
}

TEST_F(GLViewport, APickThatHitsNothingPicksNothing)
{
    Pickable fish;
    viewports.PickNames().Add(fish);
    Pick({1, 0, 0, fish.PickName()}, 1);
    ASSERT_EQ(viewport->Picked(), &fish);
    EXPECT_TRUE(fish.Picked());

    Pick({}, 0);
    EXPECT_EQ(viewport->Picked(), nullptr);
    EXPECT_EQ(viewport->PickedName(), 0u);
    EXPECT_FALSE(fish.Picked());
}

TEST_F(GLViewport, TheLastNamedHitRecordWins)
{
    Pickable front, middle, behind;
    TGLPickNames& names = viewports.PickNames();
    names.Add(front);
    names.Add(middle);
    names.Add(behind);

    // Records of one name, of two names (0 at the bottom of the stack), of
    // a hit on something unnamed; the nearest is not the one taken.
    Pick({1, 10, 20, front.PickName(),         //
          2, 500, 600, 0, middle.PickName(),     //
          1, 900, 950, 0},
         3);
    EXPECT_EQ(viewport->Picked(), &middle);
    EXPECT_TRUE(middle.Picked());
    EXPECT_FALSE(front.Picked());

    // The next pick clears the flag of the previous one.
    Pick({2, 1, 1, 0, behind.PickName()}, 1);
    EXPECT_EQ(viewport->Picked(), &behind);
    EXPECT_FALSE(middle.Picked());
}

TEST_F(GLViewport, RecordsRunningPastTheBufferAreNotRead)
{
    Pickable fish;
    viewports.PickNames().Add(fish);

    // A bogus name count after a good record: the good one stands.
    Pick({1, 0, 0, fish.PickName(), 0xFFFFFFFFu, 0, 0}, 5);
    EXPECT_EQ(viewport->Picked(), &fish);

    // A record whose names would end past the last word of the buffer.
    std::vector<GLuint> records(512, 0);
    records[0] = 1;
    records[3] = fish.PickName();
    records[4] = 506;  // needs 3 + 506 words from index 4: one too many
    Pick(records, 2);
    EXPECT_EQ(viewport->Picked(), &fish);

    // More hits claimed than records fit: reading stops at the buffer's end.
    std::vector<GLuint> full;
    for (int i = 0; i < 128; ++i)
        full.insert(full.end(), {1, 0, 0, fish.PickName()});
    Pick(full, 1000);
    EXPECT_EQ(viewport->Picked(), &fish);
}

TEST_F(GLViewport, AHitOnAnObjectThatLeftTheTablePicksNothing)
{
    auto* fish = new Pickable;
    const GLuint name = viewports.PickNames().Add(*fish);
    delete fish;
    EXPECT_EQ(viewports.PickNames().Find(name), nullptr);
    Pick({1, 0, 0, name}, 1);
    EXPECT_EQ(viewport->PickedName(), name);
    EXPECT_EQ(viewport->Picked(), nullptr);
}

TEST(GLPickNames, NamesAreUniqueNonZeroAndNotReusedAtOnce)
{
    TGLPickNames names;
    Pickable a, b;
    const GLuint first = names.Add(a);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(names.Add(a), first);  // registered already: keeps its name
    const GLuint second = names.Add(b);
    EXPECT_NE(second, first);
    EXPECT_EQ(names.Find(second), &b);
    EXPECT_EQ(names.Find(0), nullptr);

    names.Remove(b);
    EXPECT_EQ(b.PickName(), 0u);
    EXPECT_EQ(names.Find(second), nullptr);
    Pickable c;
    EXPECT_NE(names.Add(c), second);
    EXPECT_EQ(names.Count(), 2);
}

TEST(GLPickNames, ObjectsMoveBetweenTablesAndOutliveThem)
{
    Pickable fish;
    {
        TGLPickNames first;
        auto* second = new TGLPickNames;
        const GLuint name = first.Add(fish);
        second->Add(fish);
        EXPECT_EQ(first.Find(name), nullptr);
        EXPECT_EQ(first.Count(), 0);
        EXPECT_EQ(second->Count(), 1);
        delete second;  // the object is cut loose, not left pointing at it
        EXPECT_EQ(fish.PickName(), 0u);
        first.Add(fish);
    }
    EXPECT_EQ(fish.PickName(), 0u);
}  // fish is freed after both tables without touching them
