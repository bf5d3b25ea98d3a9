// Lights, materials, viewports, picking and display lists on a real
// context under Wine (Xvfb, Mesa llvmpipe).
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

// A window of Size x Size and a context for it (not yet created), whose
// viewport maps GL units to pixels (origin bottom left).
class GLScene {
public:
    GLScene()
    {
        Viewport = Context->Viewports().Add();
        Viewport->SetRect(0, 0, Size, Size);
        Viewport->Perspective = false;
        Viewport->SetOrtho({0, Size, 0, Size, -1, 1});
    }

    HDC DC() const { return Window.DC(); }

    // Clears to black and applies the viewport.
    void Begin()
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        Viewport->Apply();
    }

    // The RGB of pixel (x, y), y from the bottom, in the back buffer.
    std::array<int, 3> Pixel(int x, int y) const
    {
        GLubyte rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }

    TestWindow Window{Size, Size};
    std::unique_ptr<TCustomOpenGL> Context = NewContext();
    TGLViewport* Viewport = nullptr;
};

// A quad over x0..x1, y0..y1 at z = 0, its front (and normal) towards +z.
void Quad(int x0, int y0, int x1, int y1)
{
    const GLfloat normal[3] = {0, 0, 1};
    glNormal3fv(normal);
    glBegin(GL_QUADS);
    glVertex2i(x0, y0);
    glVertex2i(x1, y0);
    glVertex2i(x1, y1);
    glVertex2i(x0, y1);
    glEnd();
}

void Colour(float r, float g, float b)
{
    const GLfloat colour[4] = {r, g, b, 1};
    glColor4fv(colour);
}

using RGB = std::array<int, 3>;

}  // namespace

TEST(GLState, DisplayListsAreBuiltWithTheContextAndCalledByCharacter)
{
    GLScene scene;
    TGLDisplayList* lists = scene.Context->DisplayLists().Add();
    lists->Range = 2;
    int builds = 0;
    lists->OnBuild = [&](TObject*) {
        ++builds;
        lists->BeginList(0);
        Colour(1, 0, 0);
        Quad(0, 0, Size, Size);
        lists->EndList();
        lists->BeginList(1);
        Colour(0, 1, 0);
        Quad(0, 0, Size / 2, Size);
        lists->EndList();
    };

    for (int round = 1; round <= 2; ++round) {
        scene.Context->CreateRC(scene.DC());
        ASSERT_TRUE(scene.Context->Active());
        EXPECT_EQ(builds, round);
        scene.Begin();
        // Character code 1 calls only the second list: green on the left half.
        lists->CallString(std::string(1, '\x01'));
        EXPECT_EQ(scene.Pixel(Size / 4, Size / 2), (RGB{0, 255, 0})) << "round " << round;
        EXPECT_EQ(scene.Pixel(Size * 3 / 4, Size / 2), (RGB{0, 0, 0})) << "round " << round;
        // Codes 0 then 1: red everywhere, then green over the left half.
        lists->CallString(std::string("\x00\x01", 2));
        EXPECT_EQ(scene.Pixel(Size / 4, Size / 2), (RGB{0, 255, 0}));
        EXPECT_EQ(scene.Pixel(Size * 3 / 4, Size / 2), (RGB{255, 0, 0}));
        scene.Context->DestroyRC();
        EXPECT_FALSE(lists->Built());
    }
}

TEST(GLState, AnInfiniteLightLightsFacesTurnedTowardsWhereItComesFrom)
{
    GLScene scene;
    scene.Context->CreateRC(scene.DC());
    ASSERT_TRUE(scene.Context->Active());
    TGLLight* light = scene.Context->Lights().Add();
    TGLMaterial* material = scene.Context->Materials().Add();
    material->SetAmbient({0, 0, 0, 1});
    material->SetDiffuse({1, 0, 0, 1});

    scene.Begin();  // the camera first: the light's position is in eye space
    scene.Context->SetLighting(true);
    light->Enable();  // shines along (0, 0, -1), onto the +z faces
    material->Apply();
    Quad(0, 0, Size, Size);
    EXPECT_EQ(scene.Pixel(Size / 2, Size / 2), (RGB{255, 0, 0}));

    // Turned round, it lights their backs only; back again, and switched off.
    light->SetDirection({0, 0, 1});
    light->Apply();
    Quad(0, 0, Size, Size);
    EXPECT_EQ(scene.Pixel(Size / 2, Size / 2), (RGB{0, 0, 0}));
    light->SetDirection({0, 0, -1});
    light->Apply();
    Quad(0, 0, Size, Size);
    EXPECT_EQ(scene.Pixel(Size / 2, Size / 2), (RGB{255, 0, 0}));
    light->Disable();
    Quad(0, 0, Size, Size);
    EXPECT_EQ(scene.Pixel(Size / 2, Size / 2), (RGB{0, 0, 0}));

    // A material for the back faces only leaves the front as it was.
    light->Enable();
    material->SetFrontFace(false);
    material->SetDiffuse({0, 1, 0, 1});
    material->Apply();
    Quad(0, 0, Size, Size);
    EXPECT_EQ(scene.Pixel(Size / 2, Size / 2), (RGB{255, 0, 0}));
    material->SetFrontFace(true);
    material->Apply();
    Quad(0, 0, Size, Size);
    EXPECT_EQ(scene.Pixel(Size / 2, Size / 2), (RGB{0, 255, 0}));
    scene.Context->SetLighting(false);
}

TEST(GLState, APickFindsTheObjectUnderTheWindowPoint)
{
    struct Pickable : TGLPickable {};
    GLScene scene;
    scene.Context->CreateRC(scene.DC());
    ASSERT_TRUE(scene.Context->Active());
    TGLPickNames& names = scene.Context->Viewports().PickNames();
    Pickable top, bottom;
    names.Add(top);
    names.Add(bottom);
    scene.Begin();

    // The top half named `top`, the bottom half `bottom` (pushed over it).
    const auto pass = [&](int x, int y) {
        scene.Viewport->BeginPick(x, y, 2, 2);
        glPushName(top.PickName());
        Quad(0, Size / 2, Size, Size);
        glPushName(bottom.PickName());
        Quad(0, 0, Size, Size / 2);
        scene.Viewport->EndPick();
    };

    // Window y counts from the top.
    pass(Size / 2, 8);
    EXPECT_EQ(scene.Viewport->Picked(), &top);
    EXPECT_TRUE(top.Picked());
    pass(Size / 2, Size - 8);
    EXPECT_EQ(scene.Viewport->Picked(), &bottom);
    EXPECT_FALSE(top.Picked());
    EXPECT_TRUE(bottom.Picked());

    // Outside both quads: nothing.
    pass(Size * 4, Size / 2);
    EXPECT_EQ(scene.Viewport->Picked(), nullptr);
    EXPECT_FALSE(bottom.Picked());
}
