// Display lists: built on demand by their event, called by id or by text.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "gl/core/GLLists.h"
#include "gl/core/GLRecorder.h"

namespace {

struct GLDisplayList : ::testing::Test {
    GLRecorder gl;
    TGLDisplayListList lists{nullptr};
    TGLDisplayList* font = lists.Add();
    int builds = 0;

    void SetUp() override
    {
        font->Range = 256;
        font->OnBuild = [this](TObject*) {
            ++builds;
            font->BeginList('A');
            font->EndList();
        };
    }
};

}  // namespace

TEST_F(GLDisplayList, CallingATextBuildsTheListsOnceAndSendsItsBytes)
{
    const std::string text = "AB\xE9";
    font->CallString(text);
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"glGenLists", "glNewList", "glEndList", "glListBase",
                                                    "glCallLists"}));
    EXPECT_EQ(gl.Calls()[1].Text(), "glNewList(66, 4864)");  // base 1 + 'A'
    const GLCall& call = gl.Calls()[4];
    EXPECT_EQ(call.Args.at(1), "5121");  // GL_UNSIGNED_BYTE: 8-bit codes
    EXPECT_EQ(std::memcmp(call.Pointers.at(0), text.data(), 3), 0);
    font->CallString("A");
    EXPECT_EQ(builds, 1);

    // Deleted, then called: built again.
    font->Delete();
    font->Delete();
    EXPECT_EQ(gl.CallsOf("glDeleteLists").size(), 1u);
    font->CallString("A");
    EXPECT_EQ(builds, 2);
    font->Range = 1;  // a rebuild frees exactly the lists that were built
    font->Build();
    EXPECT_EQ(gl.CallsOf("glDeleteLists").at(1).Text(), "glDeleteLists(257, 256)");
    gl.Clear();
    delete font;
    EXPECT_EQ(gl.Text(), "glDeleteLists(513, 1)\n");
}

TEST_F(GLDisplayList, AFailingOrMissingBuildLeavesNoListsBehind)
{
    font->OnBuild = [](TObject*) { throw std::runtime_error("no glyphs"); };
    EXPECT_THROW(font->CallString("A"), std::runtime_error);
    EXPECT_FALSE(font->Built());
    EXPECT_EQ(gl.CallsOf("glDeleteLists").at(0).Text(), "glDeleteLists(1, 256)");

    gl.Clear();
    font->OnBuild = nullptr;  // without a builder nothing is built or called
    font->CallString("AB");
    EXPECT_FALSE(font->Built());
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
}
