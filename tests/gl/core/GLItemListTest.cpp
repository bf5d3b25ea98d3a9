// The GL item lists: who frees an item, light indices, per-context state, texture presets.
#include <gtest/gtest.h>

#include <memory>

#include "gl/core/GLLists.h"
#include "support/GLRecorder.h"

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

TEST(GLLightList, EachLightDrivesTheLowestFreeGLLightUpToTheDriversMaximum)
{
    GLRecorder gl;
    TGLLightList lights(nullptr);
    std::unique_ptr<TGLLight> a(lights.Add()), b(lights.Add()), c(lights.Add());
    EXPECT_EQ(a->Index() + c->Index(), 2);
    b.reset();  // a freed light hands its index back
    std::unique_ptr<TGLLight> d(lights.Add()), e(lights.Add());
    EXPECT_EQ(d->Index(), 1);
    EXPECT_EQ(e->Index(), 3) << "no two lights share an index";

    gl.SetInteger(GL_MAX_LIGHTS, 4);
    lights.InitContext();
    EXPECT_EQ(std::unique_ptr<TGLLight>(lights.Add())->Index(), -1);
}

TEST(GLItemLists, InitContextReadsWhatTheDriverOffersAndNeedsBoundEntryPoints)
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

    // Multitexture named but its entry point not bound: not used.
    gl.HideProc("glActiveTextureARB");
    ReadExtensions();
    primitives.InitContext();
    textures.InitContext();
    EXPECT_EQ(primitives.TextureUnits(), 1);
    EXPECT_FALSE(textures.MultiTexture());
}

TEST(GLTextureList, PresetsAllocatePixelsOnlyForANonEmptySizeAndUseThePackedTypes)
{
    TGLTextureList textures(nullptr);
    textures.SetUseBGRA(true);
    std::unique_ptr<TGLTexture> sprite(textures.AddRGBA8(256, 128));
    ASSERT_NE(sprite->Pixels(), nullptr);
    sprite->Pixels()[sprite->FrameSize() - 1] = 1;  // the whole frame is there
    EXPECT_EQ(std::unique_ptr<TGLTexture>(textures.AddRGBA4(64, 0))->Pixels(), nullptr);

    textures.SetUsePackedPixels(true);
    std::unique_ptr<TGLTexture> rgba4(textures.AddRGBA4(2, 2));
    EXPECT_EQ(rgba4->Format(), GL_BGRA);
    EXPECT_EQ(rgba4->Type(), GL_UNSIGNED_SHORT_4_4_4_4_REV);
    EXPECT_EQ(rgba4->BytesPerPixel(), 2);
    std::unique_ptr<TGLTexture> rgb565(textures.AddRGB565(2, 2));  // 5_6_5 only ever with GL_RGB
    EXPECT_EQ(rgb565->Format(), GL_RGB);
    EXPECT_EQ(rgb565->Type(), GL_UNSIGNED_SHORT_5_6_5);
    EXPECT_EQ(std::unique_ptr<TGLTexture>(textures.AddRGB8(2, 2))->Type(), GL_UNSIGNED_BYTE);
}
