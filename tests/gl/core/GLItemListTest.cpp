// The GL item lists: ownership, light indices, per-context state, texture presets.
#include <gtest/gtest.h>

#include "gl/core/GLLists.h"
#include "gl/core/GLRecorder.h"

namespace {

// An item that counts its destruction and notes whether it was still linked.
struct CountingItem : TGLItem {
    using TGLItem::TGLItem;
    static inline int Destroyed = 0;
    static inline bool Linked = false;
    ~CountingItem() override
    {
        ++Destroyed;
        Linked = Linked || OwnerList() != nullptr;
    }
};

struct CountingList : TGLItemList {
    CountingList() : TGLItemList(nullptr) {}
    TGLItem* NewItem() override { return new CountingItem(this); }
};

}  // namespace

TEST(GLItemList, TheListFreesItsItemsAndAFreedItemLeavesItsList)
{
    auto* list = new CountingList;
    TGLItem* first = list->Add();
    TGLItem* second = list->Add();
    TGLItem* third = list->Add();
    delete second;
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Items(0), first);
    EXPECT_EQ(list->Items(1), third);
    CountingItem::Linked = false;  // an item freed on its own unlinks only after its destructor
    delete list;
    EXPECT_EQ(CountingItem::Destroyed, 3);
    EXPECT_FALSE(CountingItem::Linked) << "items freed by the list must not call back into it";
}

TEST(GLLightList, EachLightDrivesTheLowestFreeGLLightUpToTheDriversMaximum)
{
    GLRecorder gl;
    TGLLightList lights(nullptr);
    TGLLight* a = lights.Add();
    TGLLight* b = lights.Add();
    TGLLight* c = lights.Add();
    EXPECT_EQ(a->Index() + c->Index(), 2);
    delete b;
    EXPECT_EQ(lights.Add()->Index(), 1);
    EXPECT_EQ(lights.Add()->Index(), 3) << "no two lights share an index";

    gl.SetInteger(GL_MAX_LIGHTS, 4);
    lights.InitContext();
    EXPECT_EQ(lights.Add()->Index(), -1);
    EXPECT_EQ(gl.CallsOf("glLightModelfv").at(0).Text(), "glLightModelfv(2899, {0,0,0,1})");
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
    EXPECT_EQ(gl.CallsOf("glLightModeli").at(0).Text(), "glLightModeli(33272, 33274)");

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
    TGLTexture* sprite = textures.AddRGBA8(256, 128);
    ASSERT_NE(sprite->Pixels(), nullptr);
    sprite->Pixels()[sprite->FrameSize() - 1] = 1;  // the whole frame is there
    EXPECT_EQ(textures.AddRGBA4(64, 0)->Pixels(), nullptr);

    textures.SetUsePackedPixels(true);
    TGLTexture* rgba4 = textures.AddRGBA4(2, 2);
    EXPECT_EQ(rgba4->Format(), GL_BGRA);
    EXPECT_EQ(rgba4->Type(), GL_UNSIGNED_SHORT_4_4_4_4_REV);
    EXPECT_EQ(rgba4->BytesPerPixel(), 2);
    TGLTexture* rgb565 = textures.AddRGB565(2, 2);  // 5_6_5 only ever with GL_RGB
    EXPECT_EQ(rgb565->Format(), GL_RGB);
    EXPECT_EQ(rgb565->Type(), GL_UNSIGNED_SHORT_5_6_5);
    EXPECT_EQ(textures.AddRGB8(2, 2)->Type(), GL_UNSIGNED_BYTE);
}
