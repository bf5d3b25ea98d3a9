// The binding, the rendering context and the screenshot on a real window
// under Wine (Xvfb, Mesa llvmpipe).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "classlib/core/Exceptions.h"
#include "gl/GLLoader.h"
#include "gl/WinGLPlatform.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"
#include "GLTestWindow.h"

namespace {

bool AllBound(GLEntrySource source, bool bound)
{
    bool all = true;
    for (int i = 0; i < GLEntryCount(); ++i) {
        const GLEntryInfo& entry = GLEntries()[i];
        if (entry.Source == source && entry.IsBound() != bound) {
            ADD_FAILURE() << entry.Variable << (bound ? " is not bound" : " is still bound");
            all = false;
        }
    }
    return all;
}

std::string MessageOf(void (*action)())
{
    try {
        action();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "(no exception)";
}

}  // namespace

TEST(GLLoader, LoadingBindsEveryEntryPointAndClosingUnbindsThem)
{
    InitOpenGL();
    EXPECT_TRUE(OpenGLLoaded());
    EXPECT_TRUE(AllBound(GLEntrySource::GL, true));
    EXPECT_TRUE(AllBound(GLEntrySource::WGL, true));
    EXPECT_TRUE(AllBound(GLEntrySource::EXT, false));  // these need a context
    InitGLU();
    EXPECT_TRUE(AllBound(GLEntrySource::GLU, true));

    CloseGLU();
    EXPECT_FALSE(GLULoaded());
    EXPECT_TRUE(AllBound(GLEntrySource::GLU, false));
    EXPECT_TRUE(AllBound(GLEntrySource::GL, true));
    CloseOpenGL();
    EXPECT_FALSE(OpenGLLoaded());
    EXPECT_TRUE(AllBound(GLEntrySource::GL, false));
    EXPECT_TRUE(AllBound(GLEntrySource::WGL, false));
}

TEST(GLLoader, ABogusLibraryRaisesAndLeavesNothingBound)
{
    InitOpenGL();
    InitGLU();
    EXPECT_EQ(MessageOf([] { LoadOpenGL("NoSuchOpenGL.DLL"); }), "Error: Could not load OpenGL from NoSuchOpenGL.DLL");
    EXPECT_FALSE(OpenGLLoaded());
    EXPECT_TRUE(AllBound(GLEntrySource::GL, false));
    EXPECT_TRUE(AllBound(GLEntrySource::WGL, false));

    EXPECT_EQ(MessageOf([] { LoadGLU("NoSuchGLU.DLL"); }), "Could not load GLU from NoSuchGLU.DLL");
    EXPECT_FALSE(GLULoaded());
    EXPECT_TRUE(AllBound(GLEntrySource::GLU, false));
}

TEST(GLContext, IsMadeOnAWindowDestroyedAndMadeAgain)
{
    TestWindow window(160, 120);
    auto context = NewContext();
    EXPECT_TRUE(context->GetHardwareAccelerated());

    context->CreateRC(window.DC());
    ASSERT_TRUE(context->Active());
    EXPECT_NE(context->Context(), nullptr);
    EXPECT_FALSE(context->Version().empty());
    EXPECT_FALSE(context->GetRenderer().empty());
    EXPECT_TRUE(CheckExtension("GL_ARB_multitexture"));
    EXPECT_GE(context->Extensions().IndexOf("GL_ARB_multitexture"), 0);
    EXPECT_NE(wglSwapIntervalEXT, nullptr);
    EXPECT_NE(wglGetSwapIntervalEXT, nullptr);
    EXPECT_GE(context->WGLExtensions().IndexOf("WGL_EXT_swap_control"), 0);
    EXPECT_TRUE(context->Textures().MultiTexture());
    EXPECT_GE(context->Primitives().TextureUnits(), 2);
    // Every listed format can draw to a window with OpenGL.
    for (const TGLPixelFormat& format : context->AcceleratedFormats())
        EXPECT_EQ(format.Flags, pffDrawToWindow | pffSupportOpenGL);
    const int chosen = context->AcceleratedIndex();
    ASSERT_GE(chosen, 0);
    const TGLPixelFormat& format = context->AcceleratedFormats()[chosen];
    EXPECT_TRUE(format.DoubleBuffer);
    EXPECT_EQ(GetPixelFormat(window.DC()), format.FormatNumber);

    context->VSync = false;
    context->SwapBuffers(window.DC());
    EXPECT_EQ(wglGetSwapIntervalEXT(), 0);

    context->DestroyRC();
    EXPECT_FALSE(context->Active());
    EXPECT_EQ(context->Context(), nullptr);

    context->CreateRC(window.DC());
    ASSERT_TRUE(context->Active());
    EXPECT_EQ(context->AcceleratedIndex(), chosen);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    context->SwapBuffers(window.DC());
}

TEST(GLContext, AFailingSetPixelFormatRaisesAndLeavesTheContextInactive)
{
    struct RefusingPlatform : TWinGLPlatform {
        bool SetPixelFormat(GLHDC, int, const TPixelFormatDescriptor&) override { return false; }
    };
    TestWindow window(32, 32);
    TCustomOpenGL context(std::make_unique<RefusingPlatform>());
    try {
        context.CreateRC(window.DC());
        ADD_FAILURE() << "CreateRC did not fail";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Create RC failed: pixel format is not set!");
    }
    EXPECT_FALSE(context.Active());
    EXPECT_EQ(context.Context(), nullptr);
    EXPECT_EQ(GetPixelFormat(window.DC()), 0);
}

TEST(GLScreenShot, CapturesTheFrameAboutToBeShownBottomRowFirst)
{
    constexpr int Width = 64;
    constexpr int Height = 48;
    TestWindow window(Width, Height);
    auto context = NewContext();
    context->CreateRC(window.DC());
    ASSERT_TRUE(context->Active());

    // Blue everywhere, then a red quad over the top half.
    glViewport(0, 0, Width, Height);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, Width, 0, Height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    const GLubyte red[4] = {255, 0, 0, 255};
    glColor4ubv(red);
    glBegin(GL_QUADS);
    glVertex2i(0, Height / 2);
    glVertex2i(Width, Height / 2);
    glVertex2i(Width, Height);
    glVertex2i(0, Height);
    glEnd();

    // Read before the swap: the back buffer holds the frame to be shown.
    TGLScreenShot& shot = context->ScreenShot();
    shot.Capture(window.Handle());
    context->SwapBuffers(window.DC());

    ASSERT_EQ(shot.Width(), Width);
    ASSERT_EQ(shot.Height(), Height);
    EXPECT_EQ(shot.RowSize(), Width * 3);
    EXPECT_EQ(shot.CaptureCount(), 1);
    for (int x : {0, Width / 2, Width - 1}) {
        const uint8_t* bottom = shot.GetScanLine(0) + x * 3;
        const uint8_t* top = shot.GetScanLine(Height - 1) + x * 3;
        EXPECT_EQ(bottom[0], 0) << x;
        EXPECT_EQ(bottom[1], 0) << x;
        EXPECT_EQ(bottom[2], 255) << x;
        EXPECT_EQ(top[0], 255) << x;
        EXPECT_EQ(top[1], 0) << x;
        EXPECT_EQ(top[2], 0) << x;
    }
}
