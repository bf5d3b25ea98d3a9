// The run-time binding's extensions; the GL item lists: who frees an item,
// per-context state, texture presets (light indices: GLLightTest).
#include <gtest/gtest.h>

#include <memory>

#include "gl/core/GLBinding.h"
#include "gl/core/GLLists.h"
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

TEST(GLItemList, TheCallerOwnsItsItemsAndEitherMayGoFirst)
{
    // Freed item first: it leaves the list.
    auto list = std::make_unique<TGLLightList>(nullptr);
    std::unique_ptr<TGLLight> first(list->Add());
    std::unique_ptr<TGLLight> second(list->Add());
    std::unique_ptr<TGLLight> third(list->Add());
    second.reset();
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Items(1), third.get());

    // List first (the context goes before the scene): the items stay whole,
    // unlinked, and their owners free them once (ASan checks the rest).
    list.reset();
    EXPECT_EQ(first->OwnerList(), nullptr);
    first->Enable();
    first.reset();
    third.reset();
}

// Multitexture named without its entry points is not used: the binding's test
// above, the texture unit and primitive tests.
TEST(GLItemLists, InitContextReadsWhatTheDriverOffers)
{
    GLRecorder gl;
    gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture GL_EXT_bgra GL_EXT_separate_specular_color");
    gl.SetInteger(GL_MAX_TEXTURE_UNITS_ARB, 4);
    ReadExtensions();
    TGLPrimitiveList primitives(nullptr);
    TGLTextureList textures(nullptr);
    TGLMaterialList materials(nullptr);
    materials.SeparateSpecular = true;
    primitives.InitContext();
    textures.InitContext();
    materials.InitContext();
    EXPECT_EQ(primitives.TextureUnits(), 4);
    EXPECT_TRUE(textures.MultiTexture());
    EXPECT_FALSE(textures.PackedPixels());
    EXPECT_EQ(gl.CallsOf("glLightModeli").at(0).Args.at(1), std::to_string(GL_SEPARATE_SPECULAR_COLOR));
}

// Every preset's format and type with and without packed pixels: GLDrawTest.
TEST(GLTextureList, PresetsAllocatePixelsOnlyForANonEmptySize)
{
    TGLTextureList textures(nullptr);
    textures.SetUseBGRA(true);
    std::unique_ptr<TGLTexture> sprite(textures.AddRGBA8(256, 128));
    ASSERT_NE(sprite->Pixels(), nullptr);
    sprite->Pixels()[sprite->FrameSize() - 1] = 1;  // the whole frame is there
    EXPECT_EQ(std::unique_ptr<TGLTexture>(textures.AddRGBA4(64, 0))->Pixels(), nullptr);
}
