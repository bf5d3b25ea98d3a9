// The run-time binding's platform-free half and its recording table.
#include <gtest/gtest.h>

#include <stdexcept>

#include "gl/core/GLBinding.h"
#include "gl/core/GLRecorder.h"

namespace {

bool AnyBound(GLEntrySource source)
{
    for (int i = 0; i < GLEntryCount(); ++i)
        if (GLEntries()[i].Source == source && GLEntries()[i].IsBound())
            return true;
    return false;
}

}  // namespace

TEST(GLBinding, EntryTableNamesTheExportsAndStartsUnbound)
{
    ASSERT_GT(GLEntryCount(), 80);
    int wgl = 0;
    for (int i = 0; i < GLEntryCount(); ++i) {
        const GLEntryInfo& entry = GLEntries()[i];
        EXPECT_FALSE(entry.IsBound()) << entry.Variable;
        if (entry.Source == GLEntrySource::WGL) {
            ++wgl;
            EXPECT_EQ(std::string("p") + entry.ExportName, entry.Variable);
        } else {
            EXPECT_STREQ(entry.ExportName, entry.Variable);
        }
    }
    EXPECT_EQ(wgl, 4);
}

TEST(GLBinding, CheckExtensionIsAPlainSubstringTest)
{
    EXPECT_FALSE(CheckExtension("GL_ARB_multitexture"));  // glGetString unbound
    GLRecorder gl;
    EXPECT_FALSE(CheckExtension("GL_ARB_multitexture"));  // glGetString answers null
    gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture GL_EXT_separate_specular_color GL_EXT_bgra");
    EXPECT_TRUE(CheckExtension("GL_ARB_multitexture"));
    EXPECT_TRUE(CheckExtension("EXT_separate_specular_color"));
    EXPECT_TRUE(CheckExtension("bgra"));
    EXPECT_FALSE(CheckExtension("GL_EXT_packed_pixels"));
}

TEST(GLBinding, ReadExtensionsBindsWhatTheDriverOffers)
{
    GLRecorder gl;
    gl.HideProc("glLockArraysEXT");
    gl.HideProc("wglGetSwapIntervalEXT");
    ReadExtensions();
    EXPECT_EQ(glLockArraysEXT, nullptr);
    EXPECT_EQ(wglGetSwapIntervalEXT, nullptr);
    ASSERT_NE(wglSwapIntervalEXT, nullptr);
    ASSERT_NE(glActiveTextureARB, nullptr);
    EXPECT_EQ(gl.Count("wglGetProcAddress"), 7);

    // What ReadExtensions bound records like any other entry point.
    gl.Clear();
    glActiveTextureARB(GL_TEXTURE0_ARB + 1);
    ASSERT_EQ(gl.Calls().size(), 1u);
    EXPECT_EQ(gl.Calls()[0].Text(), "glActiveTextureARB(33985)");

    // Without wglGetProcAddress every extension entry point is cleared.
    pwglGetProcAddress = nullptr;
    ReadExtensions();
    EXPECT_FALSE(AnyBound(GLEntrySource::EXT));
}

TEST(GLBinding, MultiTextureNeedsTheNameAndBothEntryPoints)
{
    GLRecorder gl;
    EXPECT_FALSE(MultiTextureAvailable());
    gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture");
    EXPECT_TRUE(MultiTextureAvailable());
    glActiveTextureARB = nullptr;
    EXPECT_FALSE(MultiTextureAvailable());
}

TEST(GLBinding, GetGLIntegerKeepsTheFallbackWhenNothingAnswers)
{
    EXPECT_EQ(GetGLInteger(GL_MAX_LIGHTS, 8), 8);
    GLRecorder gl;
    EXPECT_EQ(GetGLInteger(GL_MAX_LIGHTS, 8), 8);
    gl.SetInteger(GL_MAX_LIGHTS, 16);
    EXPECT_EQ(GetGLInteger(GL_MAX_LIGHTS, 8), 16);
}

TEST(GLRecorder, InstallsStubsAndRestoresThePreviousPointers)
{
    {
        GLRecorder gl;
        EXPECT_EQ(GLRecorder::Active(), &gl);
        for (int i = 0; i < GLEntryCount(); ++i)
            EXPECT_TRUE(GLEntries()[i].IsBound()) << GLEntries()[i].Variable;
        EXPECT_THROW(GLRecorder second, std::logic_error);
        glClear = nullptr;  // a test may unbind what it likes
    }
    EXPECT_EQ(GLRecorder::Active(), nullptr);
    for (int i = 0; i < GLEntryCount(); ++i)
        EXPECT_FALSE(GLEntries()[i].IsBound()) << GLEntries()[i].Variable;
}

TEST(GLRecorder, WritesArgumentsAndTheVectorsBehindPointers)
{
    GLRecorder gl;
    const GLfloat direction[3] = {0, 0, -1};  // exactly three: ASan checks the length rule
    const GLfloat colour[4] = {0.5f, 0.25f, 1, 1};
    const GLubyte bytes[4] = {255, 0, 128, 7};
    const GLuint names[2] = {5, 9};
    glLightfv(GL_LIGHT0 + 2, GL_SPOT_DIRECTION, direction);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, colour);
    glColor4ubv(bytes);
    glDeleteTextures(2, names);
    glVertexPointer(3, GL_FLOAT, 12, nullptr);
    glTexCoordPointer(2, GL_FLOAT, 8, colour);
    glDepthMask(GL_TRUE);
    pwglGetProcAddress("glLockArraysEXT");
    ASSERT_EQ(gl.Calls().size(), 8u);
    EXPECT_EQ(gl.Calls()[0].Text(), "glLightfv(16386, 4612, {0,0,-1})");
    EXPECT_EQ(gl.Calls()[1].Text(), "glLightfv(16384, 4609, {0.5,0.25,1,1})");
    EXPECT_EQ(gl.Calls()[2].Text(), "glColor4ubv({255,0,128,7})");
    EXPECT_EQ(gl.Calls()[3].Text(), "glDeleteTextures(2, {5,9})");
    EXPECT_EQ(gl.Calls()[4].Text(), "glVertexPointer(3, 5126, 12, null)");
    EXPECT_EQ(gl.Calls()[5].Text(), "glTexCoordPointer(2, 5126, 8, ptr)");
    EXPECT_EQ(gl.Calls()[5].Pointers.at(0), colour);
    EXPECT_EQ(gl.Calls()[6].Text(), "glDepthMask(1)");
    EXPECT_EQ(gl.Calls()[7].Text(), "wglGetProcAddress(\"glLockArraysEXT\")");
}

TEST(GLRecorder, AnswersLikeADriver)
{
    GLRecorder gl;
    EXPECT_EQ(glGenLists(3), 1u);
    EXPECT_EQ(glGenLists(1), 4u);
    GLuint textures[2] = {};
    glGenTextures(2, textures);
    EXPECT_EQ(textures[0], 1u);
    EXPECT_EQ(textures[1], 2u);

    gl.SetIntegers(GL_VIEWPORT, {0, 0, 640, 480});
    GLint viewport[4] = {-1, -1, -1, -1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);

    EXPECT_EQ(wglGetExtensionsStringARB(nullptr), nullptr);
    gl.SetWGLExtensions("WGL_EXT_swap_control");
    EXPECT_STREQ(wglGetExtensionsStringARB(nullptr), "WGL_EXT_swap_control");

    gl.SwapInterval = 1;
    EXPECT_EQ(wglGetSwapIntervalEXT(), 1);
    wglSwapIntervalEXT(0);
    EXPECT_EQ(wglGetSwapIntervalEXT(), 0);
}
