// Picking on a real context under Wine (Xvfb, Mesa llvmpipe). Lights and
// materials on a real context are proven by the lit tile of SceneEndToEndTest.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"
#include "GLTestWindow.h"

namespace {

constexpr int Size = 64;

// A quad from x0 to Size, y0..y1.
void Quad(int x0, int y0, int y1)
{
    glBegin(GL_QUADS);
    glVertex2i(x0, y0), glVertex2i(Size, y0), glVertex2i(Size, y1), glVertex2i(x0, y1);
    glEnd();
}

}  // namespace

TEST(GLPick, APickFindsTheObjectUnderTheWindowPoint)
{
    struct Pickable : TGLPickable {};
    TestWindow window{Size, Size};
    const std::unique_ptr<TCustomOpenGL> context = NewContext();
    const std::unique_ptr<TGLViewport> viewport{context->Viewports().Add()};
    viewport->SetRect(0, 0, Size, Size);  // one unit per pixel from the bottom left
    viewport->Perspective = false;
    viewport->SetOrtho({0, Size, 0, Size, -1, 1});
    context->CreateRC(window.DC());
    ASSERT_TRUE(context->Active());
    Pickable top, bottom;
    context->Viewports().PickNames().Add(top);
    context->Viewports().PickNames().Add(bottom);
    glDisable(GL_DEPTH_TEST);
    viewport->Apply();
    const auto pick = [&](int x, int y) {
        viewport->BeginPick(x, y, 2, 2);
        glPushName(top.PickName());
        Quad(0, Size / 2, Size);
        glPushName(bottom.PickName());
        Quad(0, 0, Size / 2);
        viewport->EndPick();
        return viewport->Picked();
    };
    EXPECT_EQ(pick(Size / 2, 8), &top);  // window y counts from the top
    EXPECT_EQ(pick(Size / 2, Size - 8), &bottom);
    EXPECT_FALSE(top.Picked());
    EXPECT_EQ(pick(Size * 4, Size / 2), nullptr);
    EXPECT_FALSE(bottom.Picked());
}
