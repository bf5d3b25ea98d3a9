// Viewports: picking through the name table.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "gl/core/GLLists.h"
#include "support/GLRecorder.h"

namespace {

struct GLViewport : ::testing::Test {
    GLRecorder gl;
    TGLViewportList viewports{nullptr};
    std::unique_ptr<TGLViewport> owned{viewports.Add()};
    TGLViewport* viewport = owned.get();

    void SetUp() override { gl.SetIntegers(GL_VIEWPORT, {0, 0, 640, 480}); }

    // Runs a pick whose pass leaves `records` in the selection buffer and answers `hits`.
    void Pick(const std::vector<GLuint>& records, GLint hits)
    {
        viewport->BeginPick(100, 100, 4, 4);
        const std::vector<GLCall> select = gl.CallsOf("glSelectBuffer");
        ASSERT_EQ(select.back().Args.at(0), "512");
        auto* buffer = static_cast<GLuint*>(const_cast<void*>(select.back().Pointers.at(0)));
        std::copy(records.begin(), records.end(), buffer);
        gl.RenderModeResult = hits;
        viewport->EndPick();
    }
};

struct Pickable : TGLPickable {};

}  // namespace

// Hit records are read only inside the buffer and only for objects still in the table.
TEST_F(GLViewport, TheLastNamedHitWinsAndRecordsPastTheBufferOrOfGoneObjectsAreNotRead)
{
    Pickable front, middle;
    viewports.PickNames().Add(front);
    viewports.PickNames().Add(middle);
    // One name; two names (0 at the bottom of the stack); a hit on something unnamed.
    Pick({1, 10, 20, front.PickName(), 2, 500, 600, 0, middle.PickName(), 1, 900, 950, 0}, 3);
    EXPECT_EQ(viewport->Picked(), &middle);
    EXPECT_TRUE(middle.Picked());
    EXPECT_FALSE(front.Picked());
    Pick({}, 0);
    EXPECT_EQ(viewport->Picked(), nullptr);
    EXPECT_FALSE(middle.Picked());

    Pick({1, 0, 0, front.PickName(), 0xFFFFFFFFu, 0, 0}, 5);  // a bogus name count after a good record
    EXPECT_EQ(viewport->Picked(), &front);
    std::vector<GLuint> records(512, 0);
    records[0] = 1;
    records[3] = middle.PickName();
    records[4] = 506;  // names would end one word past the buffer
    Pick(records, 2);
    EXPECT_EQ(viewport->Picked(), &middle);
    std::vector<GLuint> full;
    for (int i = 0; i < 128; ++i)
        full.insert(full.end(), {1, 0, 0, front.PickName()});
    Pick(full, 1000);  // more hits claimed than fit
    EXPECT_EQ(viewport->Picked(), &front);

    auto* fish = new Pickable;
    const GLuint name = viewports.PickNames().Add(*fish);
    delete fish;
    Pick({1, 0, 0, name}, 1);
    EXPECT_EQ(viewport->PickedName(), name);
    EXPECT_EQ(viewport->Picked(), nullptr);
}

TEST(GLPickNames, NamesAreNotReusedAtOnceAndObjectsOutliveTheirTables)
{
    Pickable fish, other;
    TGLPickNames names;
    const GLuint first = names.Add(fish);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(names.Add(fish), first);
    names.Remove(fish);
    EXPECT_EQ(names.Find(first), nullptr);
    EXPECT_NE(names.Add(other), first);
    auto* table = new TGLPickNames;
    table->Add(fish);
    table->Add(other);  // moves it out of `names`
    EXPECT_EQ(names.Count(), 0);
    delete table;  // the objects are cut loose, not left pointing at it
    EXPECT_EQ(fish.PickName() + other.PickName(), 0u);
}
