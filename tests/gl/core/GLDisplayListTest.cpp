// Display lists: built on demand by their event, called by id or by text.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "gl/core/GLLists.h"
#include "gl/core/GLRecorder.h"

namespace {

struct DisplayListFixture : ::testing::Test {
    GLRecorder gl;
    TGLDisplayListList lists{nullptr};
    TGLDisplayList* font = lists.Add();
    int builds = 0;

    void SetUp() override
    {
        font->Range = 256;
        font->OnBuild = [this](TObject* sender) {
            EXPECT_EQ(sender, font);
            ++builds;
            font->BeginList('A');
            font->EndList();
        };
    }
};

using GLDisplayList = DisplayListFixture;

}  // namespace

TEST_F(GLDisplayList, CallingATextBeforeTheListsExistBuildsThemOnce)
{
    const std::string text = "AB\xE9";
    font->CallString(text);

    EXPECT_EQ(builds, 1);
    EXPECT_TRUE(font->Built());
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"glGenLists", "glNewList", "glEndList", "glListBase",
                                                    "glCallLists"}));
    EXPECT_EQ(gl.Calls()[0].Text(), "glGenLists(256)");
    EXPECT_EQ(gl.Calls()[1].Text(), "glNewList(66, 4864)");  // base 1 + 'A'
    EXPECT_EQ(gl.Calls()[3].Text(), "glListBase(1)");
    const GLCall& call = gl.Calls()[4];
    EXPECT_EQ(call.Args.at(0), "3");
    EXPECT_EQ(call.Args.at(1), "5121");  // GL_UNSIGNED_BYTE: 8-bit codes
    EXPECT_EQ(std::memcmp(call.Pointers.at(0), text.data(), 3), 0);

    gl.Clear();
    font->CallString("A");
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"glListBase", "glCallLists"}));
}

TEST_F(GLDisplayList, WithoutOnBuildNothingIsBuiltOrCalled)
{
    font->OnBuild = nullptr;
    font->Build();
    font->CallString("AB");
    const GLuint ids[] = {0, 1};
    font->CallLists(2, ids);
    EXPECT_FALSE(font->Built());
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
}

TEST_F(GLDisplayList, DeleteThenCallBuildsAgain)
{
    font->Build();
    font->Delete();
    EXPECT_FALSE(font->Built());
    font->Delete();  // not built: nothing more
    EXPECT_EQ(gl.Count("glDeleteLists"), 1);
    EXPECT_EQ(gl.CallsOf("glDeleteLists")[0].Text(), "glDeleteLists(1, 256)");

    font->CallString("A");
    EXPECT_EQ(builds, 2);
    EXPECT_EQ(gl.Count("glGenLists"), 2);
    EXPECT_EQ(font->Base(), 257u);
    EXPECT_EQ(gl.CallsOf("glListBase")[0].Text(), "glListBase(257)");
}

TEST_F(GLDisplayList, RebuildingFreesExactlyTheListsThatWereBuilt)
{
    font->Build();
    font->Range = 1;
    font->Build();
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"glGenLists", "glNewList", "glEndList", "glDeleteLists",
                                                    "glGenLists", "glNewList", "glEndList"}));
    EXPECT_EQ(gl.CallsOf("glDeleteLists")[0].Text(), "glDeleteLists(1, 256)");
    EXPECT_EQ(gl.CallsOf("glGenLists")[1].Text(), "glGenLists(1)");

    // Freeing a built display list deletes its lists.
    gl.Clear();
    delete font;
    EXPECT_EQ(lists.Count(), 0);
    EXPECT_EQ(gl.Text(), "glDeleteLists(257, 1)\n");
}

TEST_F(GLDisplayList, CallListsUsesTheCallTypeWhileTextsStayBytes)
{
    font->CallType = GL_UNSIGNED_SHORT;
    const GLushort ids[] = {65, 66};
    font->CallLists(2, ids);
    font->CallString("A");
    const std::vector<GLCall> calls = gl.CallsOf("glCallLists");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].Args.at(1), "5123");
    EXPECT_EQ(calls[0].Pointers.at(0), ids);
    EXPECT_EQ(calls[1].Args.at(1), "5121");
}

TEST_F(GLDisplayList, AFailingBuildLeavesNoListsBehind)
{
    font->OnBuild = [](TObject*) { throw std::runtime_error("no glyphs"); };
    EXPECT_THROW(font->CallString("A"), std::runtime_error);
    EXPECT_FALSE(font->Built());
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"glGenLists", "glDeleteLists"}));
    EXPECT_EQ(gl.CallsOf("glDeleteLists")[0].Text(), "glDeleteLists(1, 256)");
}
