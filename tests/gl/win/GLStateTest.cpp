// Lights, materials, picking and display lists on a real context under Wine (Xvfb, Mesa llvmpipe).
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"
#include "GLTestWindow.h"

namespace {

constexpr int Size = 64;
using RGB = std::array<int, 3>;

// A Size x Size window, a context for it (not yet made) and a viewport of one unit per pixel from the bottom left.
struct GLState : ::testing::Test {
    TestWindow Window{Size, Size};
    std::unique_ptr<TCustomOpenGL> Context = NewContext();
    std::unique_ptr<TGLViewport> Viewport{Context->Viewports().Add()};

    void SetUp() override
    {
        Viewport->SetRect(0, 0, Size, Size);
        Viewport->Perspective = false;
        Viewport->SetOrtho({0, Size, 0, Size, -1, 1});
    }
    void Begin()  // clears to black and applies the viewport
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        Viewport->Apply();
    }
    static RGB Pixel(int x, int y)
    {
        GLubyte rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }
};

// A quad from x0 to Size, y0..y1, its front and normal towards +z, in the colour given.
void Quad(int x0, int y0, int y1, float r = 1, float g = 1)
{
    const GLfloat normal[3] = {0, 0, 1};
    const GLfloat colour[4] = {r, g, 0, 1};
    glColor4fv(colour);
    glNormal3fv(normal);
    glBegin(GL_QUADS);
    glVertex2i(x0, y0), glVertex2i(Size, y0), glVertex2i(Size, y1), glVertex2i(x0, y1);
    glEnd();
}

}  // namespace

TEST_F(GLState, AnInfiniteLightLightsOnlyFacesTurnedTowardsWhereItComesFrom)
{
    Context->CreateRC(Window.DC());
    ASSERT_TRUE(Context->Active());
    std::unique_ptr<TGLLight> light(Context->Lights().Add());
    std::unique_ptr<TGLMaterial> material(Context->Materials().Add());
    material->SetAmbient({0, 0, 0, 1});
    material->SetDiffuse({1, 0, 0, 1});
    Begin();  // the camera first: the light's position is in eye space
    Context->SetLighting(true);
    light->Enable();  // shines along (0, 0, -1), onto the +z faces
    material->Apply();
    Quad(0, 0, Size);
    EXPECT_EQ(Pixel(Size / 2, Size / 2), (RGB{255, 0, 0}));
    light->SetDirection({0, 0, 1});
    light->Apply();
    Quad(0, 0, Size);
    EXPECT_EQ(Pixel(Size / 2, Size / 2), (RGB{0, 0, 0}));
    Context->SetLighting(false);
}

TEST_F(GLState, APickFindsTheObjectUnderTheWindowPoint)
{
    struct Pickable : TGLPickable {};
    Context->CreateRC(Window.DC());
    ASSERT_TRUE(Context->Active());
    Pickable top, bottom;
    Context->Viewports().PickNames().Add(top);
    Context->Viewports().PickNames().Add(bottom);
    Begin();
    const auto pick = [&](int x, int y) {
        Viewport->BeginPick(x, y, 2, 2);
        glPushName(top.PickName());
        Quad(0, Size / 2, Size);
        glPushName(bottom.PickName());
        Quad(0, 0, Size / 2);
        Viewport->EndPick();
        return Viewport->Picked();
    };
    EXPECT_EQ(pick(Size / 2, 8), &top);  // window y counts from the top
    EXPECT_EQ(pick(Size / 2, Size - 8), &bottom);
    EXPECT_FALSE(top.Picked());
    EXPECT_EQ(pick(Size * 4, Size / 2), nullptr);
    EXPECT_FALSE(bottom.Picked());
}
