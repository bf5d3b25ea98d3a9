// The GL item lists: ownership, light indices, per-context state, texture presets.
#include <gtest/gtest.h>

#include <set>

#include "gl/core/GLLists.h"
#include "gl/core/GLRecorder.h"

namespace {

// An item that reports its destruction and checks it is no longer linked.
struct CountingItem : TGLItem {
    CountingItem(TGLItemList* list, int& destroyed, bool& linkedAtDeath)
        : TGLItem(list), Destroyed(destroyed), LinkedAtDeath(linkedAtDeath) {}
    ~CountingItem() override
    {
        ++Destroyed;
        LinkedAtDeath = LinkedAtDeath || OwnerList() != nullptr;
    }
    int& Destroyed;
    bool& LinkedAtDeath;
};

struct CountingList : TGLItemList {
    CountingList(int& destroyed, bool& linkedAtDeath)
        : TGLItemList(nullptr), Destroyed(destroyed), LinkedAtDeath(linkedAtDeath) {}
    TGLItem* NewItem() override { return new CountingItem(this, Destroyed, LinkedAtDeath); }
    int& Destroyed;
    bool& LinkedAtDeath;
};

}  // namespace

TEST(GLItemList, FreeingTheListFreesItsItemsWithoutThemCallingBack)
{
    int destroyed = 0;
    bool linkedAtDeath = false;
    auto* list = new CountingList(destroyed, linkedAtDeath);
    for (int i = 0; i < 5; ++i)
        list->Add();
    ASSERT_EQ(list->Count(), 5);
    delete list;
    EXPECT_EQ(destroyed, 5);
    EXPECT_FALSE(linkedAtDeath);
}

TEST(GLItemList, FreeingAnItemTakesItOutOfItsList)
{
    TGLItemList list(nullptr, 16);
    EXPECT_EQ(list.Capacity(), 16);
    TGLItem* first = list.Add();
    TGLItem* second = list.Add();
    TGLItem* third = list.Add();
    EXPECT_EQ(second->OwnerList(), &list);
    delete second;
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0), first);
    EXPECT_EQ(list.Items(1), third);
    EXPECT_EQ(list.IndexOf(third), 1);
}

TEST(GLLightList, EachLightDrivesTheLowestFreeGLLight)
{
    TGLLightList lights(nullptr);
    TGLLight* a = lights.Add();
    TGLLight* b = lights.Add();
    TGLLight* c = lights.Add();
    EXPECT_EQ(a->Index(), 0);
    EXPECT_EQ(GL_LIGHT0 + c->Index(), 0x4002u);  // the third light drives GL_LIGHT2

    // A removal frees its index for the next light; no two lights share one.
    delete b;
    TGLLight* d = lights.Add();
    EXPECT_EQ(d->Index(), 1);
    TGLLight* e = lights.Add();
    EXPECT_EQ(e->Index(), 3);
    std::set<int> indices;
    for (int i = 0; i < lights.Count(); ++i)
        indices.insert(lights.Items(i)->Index());
    EXPECT_EQ(indices.size(), 4u);
}

TEST(GLLightList, LightsBeyondTheDriversMaximumDriveNone)
{
    GLRecorder gl;
    gl.SetInteger(GL_MAX_LIGHTS, 2);
    TGLLightList lights(nullptr);
    EXPECT_EQ(lights.MaxLights(), 8);
    lights.InitContext();
    EXPECT_EQ(lights.MaxLights(), 2);
    lights.Add();
    lights.Add();
    EXPECT_EQ(lights.Add()->Index(), -1);
}

TEST(GLLightList, InitContextSendsTheGlobalAmbientOnce)
{
    GLRecorder gl;
    TGLLightList lights(nullptr);
    lights.SetAmbient({0.5f, 0.5f, 0.5f, 1});
    gl.Clear();
    lights.InitContext();
    ASSERT_EQ(gl.Count("glLightModelfv"), 1);
    EXPECT_EQ(gl.CallsOf("glLightModelfv")[0].Text(), "glLightModelfv(2899, {0,0,0,1})");
    EXPECT_EQ(lights.Ambient().w, 1.0f);
}

TEST(GLItemLists, InitContextReadsWhatTheDriverOffers)
{
    GLRecorder gl;
    gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture GL_EXT_bgra GL_EXT_separate_specular_color");
    gl.SetInteger(GL_MAX_TEXTURE_UNITS_ARB, 4);
    ReadExtensions();

    TGLPrimitiveList primitives(nullptr);
    TGLTextureList textures(nullptr);
    TGLMaterialList materials(nullptr);
    textures.SetUseBGRA(true);
    textures.SetDefaultFilter(GL_NEAREST);
    materials.SeparateSpecular = true;
    primitives.InitContext();
    textures.InitContext();
    materials.InitContext();

    EXPECT_EQ(primitives.TextureUnits(), 4);
    EXPECT_TRUE(textures.MultiTexture());
    EXPECT_EQ(textures.TextureUnits(), 4);
    EXPECT_TRUE(textures.BGRA());
    EXPECT_FALSE(textures.PackedPixels());
    EXPECT_FALSE(textures.UseBGRA());
    EXPECT_EQ(textures.DefaultFilter(), GL_LINEAR);
    EXPECT_EQ(textures.DefaultEnvMode(), GL_MODULATE);
    EXPECT_TRUE(materials.SeparateSpecularPresent());
    EXPECT_EQ(gl.CallsOf("glLightModeli").at(0).Text(), "glLightModeli(33272, 33274)");
    EXPECT_EQ(gl.CallsOf("glHint").at(0).Text(), "glHint(3152, 4354)");
}

TEST(GLItemLists, MultitextureNamedButNotBoundIsNotUsed)
{
    GLRecorder gl;
    gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture");
    gl.SetInteger(GL_MAX_TEXTURE_UNITS_ARB, 8);
    gl.HideProc("glActiveTextureARB");
    ReadExtensions();
    TGLPrimitiveList primitives(nullptr);
    TGLTextureList textures(nullptr);
    primitives.InitContext();
    textures.InitContext();
    EXPECT_EQ(primitives.TextureUnits(), 1);
    EXPECT_FALSE(textures.MultiTexture());
    EXPECT_EQ(textures.TextureUnits(), 1);
}

TEST(GLTextureList, PresetsAllocatePixelsOnlyForANonEmptySize)
{
    TGLTextureList textures(nullptr);
    textures.SetUseBGRA(true);
    textures.SetDefaultFilter(GL_LINEAR_MIPMAP_LINEAR);
    TGLTexture* sprite = textures.AddRGBA8(256, 128);
    EXPECT_EQ(sprite->InternalFormat(), GL_RGBA8);
    EXPECT_EQ(sprite->Format(), GL_BGRA);
    EXPECT_EQ(sprite->Type(), GL_UNSIGNED_BYTE);
    EXPECT_EQ(sprite->FrameSize(), 256 * 128 * 4);
    ASSERT_NE(sprite->Pixels(), nullptr);
    sprite->Pixels()[sprite->FrameSize() - 1] = 1;  // the whole frame is there
    EXPECT_EQ(sprite->Filter, GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(sprite->EnvMode, GL_MODULATE);

    TGLTexture* empty = textures.AddRGB8(0, 0);
    EXPECT_EQ(empty->Pixels(), nullptr);
    EXPECT_EQ(empty->Width(), 0);
    EXPECT_EQ(empty->Height(), 0);
    EXPECT_EQ(empty->Format(), GL_BGR);
    EXPECT_EQ(textures.AddRGBA4(64, 0)->Pixels(), nullptr);
    EXPECT_EQ(textures.Count(), 3);
}

TEST(GLTextureList, PresetTypesWithoutAndWithPackedPixels)
{
    struct Case {
        bool bgra;
        GLenum format[5];
        GLenum type[5];
    };
    const Case unpacked[] = {
        {false, {GL_RGBA, GL_RGBA, GL_RGB, GL_RGB, GL_RGBA}, {GL_UNSIGNED_BYTE, GL_UNSIGNED_BYTE, GL_UNSIGNED_BYTE, GL_UNSIGNED_BYTE, GL_UNSIGNED_BYTE}},
        {true, {GL_BGRA, GL_BGRA, GL_BGR, GL_BGR, GL_BGRA}, {GL_UNSIGNED_BYTE, GL_UNSIGNED_BYTE, GL_UNSIGNED_BYTE, GL_UNSIGNED_BYTE, GL_UNSIGNED_BYTE}},
    };
    // Packed: 5_6_5 only ever with GL_RGB, RGB8 stays in bytes.
    const Case packed[] = {
        {false, {GL_RGBA, GL_RGBA, GL_RGB, GL_RGB, GL_RGBA},
         {GL_UNSIGNED_SHORT_4_4_4_4, GL_UNSIGNED_SHORT_5_5_5_1, GL_UNSIGNED_SHORT_5_6_5, GL_UNSIGNED_BYTE, GL_UNSIGNED_INT_8_8_8_8}},
        {true, {GL_BGRA, GL_BGRA, GL_RGB, GL_BGR, GL_BGRA},
         {GL_UNSIGNED_SHORT_4_4_4_4_REV, GL_UNSIGNED_SHORT_1_5_5_5_REV, GL_UNSIGNED_SHORT_5_6_5, GL_UNSIGNED_BYTE, GL_UNSIGNED_INT_8_8_8_8_REV}},
    };
    const GLenum internal[5] = {GL_RGBA4, GL_RGB5_A1, GL_RGB5, GL_RGB8, GL_RGBA8};
    const int bytesPerPixel[2][5] = {{4, 4, 3, 3, 4}, {2, 2, 2, 3, 4}};
    for (bool usePacked : {false, true}) {
        for (const Case& c : usePacked ? packed : unpacked) {
            TGLTextureList textures(nullptr);
            textures.SetUsePackedPixels(usePacked);
            textures.SetUseBGRA(c.bgra);
            TGLTexture* made[5] = {textures.AddRGBA4(2, 2), textures.AddRGB5A1(2, 2), textures.AddRGB565(2, 2),
                                   textures.AddRGB8(2, 2), textures.AddRGBA8(2, 2)};
            for (int i = 0; i < 5; ++i) {
                SCOPED_TRACE(testing::Message() << "packed " << usePacked << " bgra " << c.bgra << " preset " << i);
                EXPECT_EQ(made[i]->InternalFormat(), internal[i]);
                EXPECT_EQ(made[i]->Format(), c.format[i]);
                EXPECT_EQ(made[i]->Type(), c.type[i]);
                EXPECT_EQ(made[i]->BytesPerPixel(), bytesPerPixel[usePacked][i]);
            }
        }
    }
}

TEST(GLDisplayListList, BuildsAndDeletesTheListsThatHaveABuilder)
{
    GLRecorder gl;
    TGLDisplayListList lists(nullptr);
    TGLDisplayList* font = lists.Add();
    font->Range = 256;
    int built = 0;
    font->OnBuild = [&](TObject*) { ++built; };
    TGLDisplayList* idle = lists.Add();

    lists.BuildAll();
    EXPECT_EQ(built, 1);
    EXPECT_TRUE(font->Built());
    EXPECT_FALSE(idle->Built());
    lists.BuildAll();  // built again: the old lists go first
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"glGenLists", "glDeleteLists", "glGenLists"}));
    EXPECT_EQ(gl.Calls()[1].Text(), "glDeleteLists(1, 256)");
    lists.DeleteAll();
    EXPECT_FALSE(font->Built());
    EXPECT_EQ(gl.Count("glDeleteLists"), 2);
}
