// Scene textures loaded from the program's own resources (SceneTextureDrawTest.rc)
// and drawn on a real context under Wine, read back from the frame buffer.
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

// The texture drawn over the whole view (one unit per pixel) on grey; the pixel at (x, y) within tolerance.
::testing::AssertionResult Near(int x, int y, const std::array<int, 3>& expected, int tolerance = 12)
{
    GLubyte rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    for (int i = 0; i < 3; ++i)
        if (std::abs(rgba[i] - expected[i]) > tolerance)
            return ::testing::AssertionFailure() << "got (" << +rgba[0] << ", " << +rgba[1] << ", " << +rgba[2] << ")";
    return ::testing::AssertionSuccess();
}

void DrawOnGrey(TSceneTexture* texture)
{
    glViewport(0, 0, Size, Size);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glClearColor(0.5f, 0.5f, 0.5f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    SetCurrentTexture(texture);
    const GLfloat white[4] = {1, 1, 1, 1};
    glColor4fv(white);
    glBegin(GL_QUADS);
    for (const auto& [u, v] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}})
        glTexCoord2f(float(u), float(v)), glVertex2i(u, v);
    glEnd();
}

}  // namespace

TEST(SceneTextureDraw, JpegAndSpriteResourcesDrawUprightCutOutAndAgainAfterAnUpdate)
{
    TestWindow window{Size, Size};
    std::unique_ptr<TCustomOpenGL> context = NewContext();
    context->CreateRC(window.DC());
    ASSERT_TRUE(context->Active());
    TRCDataBitmapResourceProvider resources;
    SetSceneResources(&resources);
    ResetTextureCache();
    SetAlphaBlend(false);
    {
        TMainScene scene;
        scene.GL = context.get();
        auto* list = new TSceneTextureList();
        list->SetName("Textures");
        list->SourceLocation = slResource;
        scene.Add(list);

        TSceneTexture* texture = list->AddPlainTexture("quad.jpg");
        DrawOnGrey(texture);
        EXPECT_TRUE(Near(16, 48, {255, 0, 0}));  // top left
        EXPECT_TRUE(Near(48, 48, {0, 255, 0}));
        EXPECT_TRUE(Near(16, 16, {0, 0, 255}));

        SetAlphaBlend(true);
        DrawOnGrey(list->AddSpriteTexture("sprite.bmp"));
        EXPECT_TRUE(Near(32, 32, {255, 255, 0}));
        EXPECT_TRUE(Near(4, 4, {128, 128, 128})) << "the key colour leaves the background";
        SetAlphaBlend(false);

        list->MipMap = true;
        list->ColorBit16 = true;
        list->UpdateTextures();
        EXPECT_FALSE(texture->GLTexture()->Uploaded());
        ResetTextureCache();
        DrawOnGrey(texture);
        EXPECT_TRUE(texture->GLTexture()->Uploaded());
        EXPECT_TRUE(Near(16, 48, {255, 0, 0}, 24));  // 16-bit: a coarser tolerance
        SetCurrentTexture(nullptr);
        ResetTextureCache();
    }  // the GL textures go while the context is current
    SetSceneResources(nullptr);

    EXPECT_EQ(resources.ReadBitmapResource("sprite_bmp").size(), 822u - 14u);  // a packed DIB: no file header
    try {
        resources.ReadBitmapResource("NOSUCH_BMP");
        ADD_FAILURE() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message, "Resource NOSUCH_BMP not found");
    }
}
