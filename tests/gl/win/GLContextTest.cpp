// The binding and the rendering context on a real window under Wine (Xvfb, Mesa llvmpipe).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "classlib/core/Exceptions.h"
#include "gl/GLLoader.h"
#include "gl/WinGLPlatform.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"
#include "GLTestWindow.h"
#include "../../support/ExceptionMessage.h"

namespace {

using testsupport::MessageOf;

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

}  // namespace

TEST(GLLoader, LoadingBindsEveryEntryPointAndClosingOrABogusLibraryLeavesNothingBound)
{
    InitOpenGL();
    InitGLU();
    EXPECT_TRUE(AllBound(GLEntrySource::GL, true));
    EXPECT_TRUE(AllBound(GLEntrySource::WGL, true));
    EXPECT_TRUE(AllBound(GLEntrySource::EXT, false));  // these need a context
    EXPECT_TRUE(AllBound(GLEntrySource::GLU, true));
    CloseGLU();
    EXPECT_TRUE(AllBound(GLEntrySource::GLU, false));
    CloseOpenGL();
    EXPECT_TRUE(AllBound(GLEntrySource::GL, false));

    InitOpenGL();
    InitGLU();
    EXPECT_EQ(MessageOf([] { LoadOpenGL("NoSuchOpenGL.DLL"); }), "Error: Could not load OpenGL from NoSuchOpenGL.DLL");
    EXPECT_FALSE(OpenGLLoaded());
    EXPECT_TRUE(AllBound(GLEntrySource::GL, false));
    EXPECT_TRUE(AllBound(GLEntrySource::WGL, false));
    EXPECT_EQ(MessageOf([] { LoadGLU("NoSuchGLU.DLL"); }), "Could not load GLU from NoSuchGLU.DLL");
    EXPECT_TRUE(AllBound(GLEntrySource::GLU, false));
}

TEST(GLContext, IsMadeOnAWindowDestroyedAndMadeAgainWithTheSameFormat)
{
    TestWindow window(160, 120);
    auto context = NewContext();
    context->CreateRC(window.DC());
    ASSERT_TRUE(context->Active());
    EXPECT_TRUE(CheckExtension("GL_ARB_multitexture"));
    EXPECT_GE(context->WGLExtensions().IndexOf("WGL_EXT_swap_control"), 0);
    EXPECT_GE(context->Primitives().TextureUnits(), 2);
    for (const TGLPixelFormat& format : context->AcceleratedFormats())
        EXPECT_EQ(format.Flags, pffDrawToWindow | pffSupportOpenGL);
    const int chosen = context->AcceleratedIndex();
    ASSERT_GE(chosen, 0);
    EXPECT_TRUE(context->AcceleratedFormats()[chosen].DoubleBuffer);
    EXPECT_EQ(GetPixelFormat(window.DC()), context->AcceleratedFormats()[chosen].FormatNumber);
    context->VSync = false;
    context->SwapBuffers(window.DC());
    EXPECT_EQ(wglGetSwapIntervalEXT(), 0);

    context->DestroyRC();
    EXPECT_EQ(context->Context(), nullptr);
    context->CreateRC(window.DC());
    ASSERT_TRUE(context->Active());
    EXPECT_EQ(context->AcceleratedIndex(), chosen);
}
