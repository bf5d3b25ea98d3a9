// Display lists: built on demand by their event, called by id or by text.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>

#include "gl/core/GLLists.h"
#include "support/GLRecorder.h"
#include "../../support/ExceptionMessage.h"

namespace {

struct GLDisplayList : ::testing::Test {
    GLRecorder gl;
    TGLDisplayListList lists{nullptr};
    std::unique_ptr<TGLDisplayList> font{lists.Add()};
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
    font->CallString("A");
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(gl.CallsOf("glNewList").at(0).Args.at(0), "66");  // base 1 + 'A'
    const GLCall call = gl.CallsOf("glCallLists").at(0);
    EXPECT_EQ(call.Args.at(1), "5121");  // GL_UNSIGNED_BYTE: 8-bit codes
    EXPECT_EQ(std::memcmp(call.Pointers.at(0), text.data(), 3), 0);

    // Deleted (once only: SceneFontTest), then called: built again; a rebuild
    // frees exactly the lists that were built.
    font->Delete();
    font->CallString("A");
    EXPECT_EQ(builds, 2);
    font->Range = 1;
    font->Build();
    EXPECT_EQ(gl.CallsOf("glDeleteLists").at(1).Text(), "glDeleteLists(257, 256)");
    gl.Clear();
    font.reset();
    EXPECT_EQ(gl.Text(), "glDeleteLists(513, 1)\n");
}

TEST_F(GLDisplayList, AFailingMissingOrRefusedBuildLeavesNoListsBehind)
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

    // No names from the GL: reported, and nothing compiled over lists 0.. that others own.
    font->OnBuild = [this](TObject*) { font->BeginList(0); };
    glGenLists = [](GLsizei) -> GLuint { return 0; };
    EXPECT_EQ(testsupport::MessageOf([this] { font->CallString("A"); }),
              "TGLDisplayList.Build error: glGenLists failed");
    EXPECT_FALSE(font->Built());
    EXPECT_EQ(gl.Count("glNewList") + gl.Count("glCallLists"), 0);
}
