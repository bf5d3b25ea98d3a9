// The run-time binding's platform-free half and its recording table.
#include <gtest/gtest.h>

#include "gl/core/GLBinding.h"
#include "support/GLRecorder.h"

TEST(GLBinding, ExtensionsAreFoundByNameAndBoundOnlyWhenTheDriverOffersThem)
{
    EXPECT_FALSE(CheckExtension("GL_ARB_multitexture"));  // glGetString unbound
    EXPECT_EQ(GetGLInteger(GL_MAX_LIGHTS, 8), 8);
    GLRecorder gl;
    EXPECT_FALSE(CheckExtension("GL_ARB_multitexture"));  // glGetString answers null
    EXPECT_FALSE(MultiTextureAvailable());
    gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture GL_EXT_bgra");
    EXPECT_TRUE(CheckExtension("bgra")) << "a plain substring test";
    gl.SetInteger(GL_MAX_LIGHTS, 16);
    EXPECT_EQ(GetGLInteger(GL_MAX_LIGHTS, 8), 16);

    gl.HideProc("glLockArraysEXT");
    ReadExtensions();
    EXPECT_EQ(glLockArraysEXT, nullptr);
    ASSERT_NE(glActiveTextureARB, nullptr);
    EXPECT_TRUE(MultiTextureAvailable());
    gl.Clear();
    glActiveTextureARB(GL_TEXTURE0_ARB + 1);
    EXPECT_EQ(gl.Text(), "glActiveTextureARB(33985)\n");
    glActiveTextureARB = nullptr;
    EXPECT_FALSE(MultiTextureAvailable()) << "the name alone is not enough";

    // Without wglGetProcAddress every extension entry point is cleared.
    ReadExtensions();
    pwglGetProcAddress = nullptr;
    ReadExtensions();
    for (int i = 0; i < GLEntryCount(); ++i) {
        if (GLEntries()[i].Source == GLEntrySource::EXT) {
            EXPECT_FALSE(GLEntries()[i].IsBound()) << GLEntries()[i].Variable;
        }
    }
}
