// Scene textures loaded from the program's own resources and drawn on a
// real context under Wine (Xvfb, Mesa llvmpipe), read back from the frame
// buffer. The pictures are the fixtures of SceneTextureDrawTest.rc.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>

#include "../../gl/win/GLTestWindow.h"
#include "classlib/core/Exceptions.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"
#include "scene/SceneTextureResources.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneRenderState.h"
#include "scene/core/SceneTexture.h"

namespace {

constexpr int Size = 64;

using TPixel = std::array<int, 3>;

::testing::AssertionResult Near(const TPixel& actual, const TPixel& expected, int tolerance = 12)
{
    for (int i = 0; i < 3; ++i)
        if (std::abs(actual[i] - expected[i]) > tolerance)
            return ::testing::AssertionFailure() << "got (" << actual[0] << ", " << actual[1] << ", " << actual[2]
                                                 << "), expected (" << expected[0] << ", " << expected[1] << ", "
                                                 << expected[2] << ")";
    return ::testing::AssertionSuccess();
}

// A context on a Size x Size window with one unit per pixel (origin at the
// bottom left), cleared to grey; a scene on it with a texture list that
// reads pictures from the program's resources only.
class SceneTextureDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        context->CreateRC(window.DC());
        ASSERT_TRUE(context->Active());
        SetSceneResources(&resources);
        scene.GL = context.get();
        list = new TSceneTextureList();
        list->SetName("Textures");
        list->SourceLocation = slResource;
        scene.Add(list);

        glViewport(0, 0, Size, Size);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, Size, 0, Size, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
        glClearColor(0.5f, 0.5f, 0.5f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        ResetTextureCache();
        SetAlphaBlend(false);
    }

    void TearDown() override
    {
        SetCurrentTexture(nullptr);
        SetAlphaBlend(false);
        ResetTextureCache();
        scene.Clear();  // the GL textures go while the context is current
        SetSceneResources(nullptr);
    }

    // The whole view, texture coordinates 0..1 from the bottom left, white.
    static void DrawQuad()
    {
        const GLfloat white[4] = {1, 1, 1, 1};
        glColor4fv(white);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2i(0, 0);
        glTexCoord2f(1, 0);
        glVertex2i(Size, 0);
        glTexCoord2f(1, 1);
        glVertex2i(Size, Size);
        glTexCoord2f(0, 1);
        glVertex2i(0, Size);
        glEnd();
    }

    static TPixel Read(int x, int y)
    {
        GLubyte rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }

    TestWindow window{Size, Size};
    std::unique_ptr<TCustomOpenGL> context = NewContext();
    TRCDataBitmapResourceProvider resources;
    TMainScene scene;
    TSceneTextureList* list = nullptr;
};

}  // namespace

TEST_F(SceneTextureDraw, AJpegResourceDrawsUprightWithItsColours)
{
    TSceneTexture* texture = list->AddPlainTexture("quad.jpg");
    ASSERT_EQ(texture->GLTexture()->Width(), 16);
    SetCurrentTexture(texture);
    DrawQuad();
    EXPECT_TRUE(Near(Read(16, 48), {255, 0, 0}));  // top left
    EXPECT_TRUE(Near(Read(48, 48), {0, 255, 0}));
    EXPECT_TRUE(Near(Read(16, 16), {0, 0, 255}));
    EXPECT_TRUE(Near(Read(48, 16), {255, 255, 255}));
}

TEST_F(SceneTextureDraw, ASpriteFromABitmapResourceIsCutOutByItsKeyColour)
{
    TSceneTexture* sprite = list->AddSpriteTexture("sprite.bmp");
    ASSERT_EQ(sprite->GLTexture()->Height(), 16);
    SetAlphaBlend(true);
    SetCurrentTexture(sprite);
    DrawQuad();
    EXPECT_TRUE(Near(Read(32, 32), {255, 255, 0}));
    EXPECT_TRUE(Near(Read(4, 4), {128, 128, 128}));  // the key colour left the background
    EXPECT_TRUE(Near(Read(60, 60), {128, 128, 128}));
}

TEST_F(SceneTextureDraw, TexturesUploadAgainAfterUpdateWithTheNewSettings)
{
    TSceneTexture* texture = list->AddPlainTexture("quad.jpg");
    SetCurrentTexture(texture);
    list->MipMap = true;
    list->ColorBit16 = true;
    list->UpdateTextures();
    EXPECT_FALSE(texture->GLTexture()->Uploaded());
    ResetTextureCache();
    SetCurrentTexture(texture);
    EXPECT_TRUE(texture->GLTexture()->Uploaded());
    DrawQuad();
    EXPECT_TRUE(Near(Read(16, 48), {255, 0, 0}, 24));  // 16-bit: a coarser tolerance
    EXPECT_TRUE(Near(Read(48, 16), {255, 255, 255}, 24));
}

TEST(SceneTextureResources, MissingBitmapResourcesRaiseResNotFound)
{
    TRCDataBitmapResourceProvider resources;
    EXPECT_EQ(resources.ReadBitmapResource("sprite_bmp").size(), 822u - 14u);  // a packed DIB: no file header
    try {
        resources.ReadBitmapResource("NOSUCH_BMP");
        ADD_FAILURE() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message, "Resource NOSUCH_BMP not found");
    }
}
