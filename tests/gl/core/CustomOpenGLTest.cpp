// The rendering context against a stand-in window system and the recording
// GL table.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "classlib/core/Exceptions.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "GLTestSupport.h"

namespace {

constexpr uint32_t WindowGL = pfdDrawToWindow | pfdSupportOpenGL;
constexpr uint32_t Accelerated = WindowGL | pfdDoubleBuffer;
constexpr uint32_t Generic = WindowGL | pfdGenericFormat | pfdSupportGDI;

using gltest::FakeDC;

// A context on a stub platform; `platform` stays valid while the context lives.
struct ContextFixture : ::testing::Test {
    GLRecorder gl;
    TGLStubPlatform* platform = new TGLStubPlatform;
    std::unique_ptr<TCustomOpenGL> context{new TCustomOpenGL(std::unique_ptr<TGLPlatform>(platform))};

    void SetUp() override
    {
        gl.SetString(GL_VERSION, "1.4 (stub)");
        gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture GL_EXT_bgra GL_EXT_packed_pixels");
    }

    void ExpectCreateFails(const std::string& message)
    {
        try {
            context->CreateRC(FakeDC());
            ADD_FAILURE() << "no exception, expected " << message;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, message);
        }
        EXPECT_FALSE(context->Active());
    }

    int IndexOfCall(const std::string& text) const
    {
        for (size_t i = 0; i < gl.Calls().size(); ++i)
            if (gl.Calls()[i].Text() == text)
                return static_cast<int>(i);
        return -1;
    }
};

using CustomOpenGL = ContextFixture;

}  // namespace

TEST_F(CustomOpenGL, CreateRCMakesTheContextAndPreparesTheLists)
{
    platform->Formats = {MakeTestDescriptor(Accelerated, 32, 24), MakeTestDescriptor(Generic, 32, 16),
                         MakeTestDescriptor(Accelerated, 32, 16), MakeTestDescriptor(Accelerated, 32, 16)};
    gl.SetWGLExtensions("WGL_ARB_extensions_string WGL_EXT_swap_control");
    gl.SetInteger(GL_MAX_TEXTURE_UNITS_ARB, 8);
    TGLDisplayList* font = context->DisplayLists().Add();
    int builds = 0;
    font->OnBuild = [&](TObject* sender) {
        EXPECT_EQ(sender, font);
        ++builds;
    };

    context->CreateRC(FakeDC());

    EXPECT_TRUE(context->Active());
    EXPECT_EQ(platform->LoadCount, 1);
    EXPECT_EQ(platform->DescribedDC, FakeDC());
    // The default request (32/16, double-buffered, no GDI) is the accelerated
    // format number 3; the generic one is chosen from its own list.
    EXPECT_EQ(platform->SetFormatNumber, 3);
    EXPECT_EQ(context->AcceleratedIndex(), 1);
    EXPECT_EQ(context->GenericIndex(), 0);
    EXPECT_FALSE(context->GetGenericOnly());
    EXPECT_TRUE(context->GetHardwareAccelerated());

    // Made current before anything else talks to the GL, then the lists in
    // their order: lights (ambient), ..., textures (perspective hint).
    const int current = IndexOfCall("wglMakeCurrent(ptr, ptr)");
    const int ambient = IndexOfCall("glLightModelfv(2899, {0,0,0,1})");
    const int hint = IndexOfCall("glHint(3152, 4354)");
    ASSERT_GE(current, 0);
    EXPECT_EQ(gl.Calls()[current - 1].Name, "wglCreateContext");
    EXPECT_LT(current, ambient);
    EXPECT_LT(ambient, hint);
    EXPECT_EQ(gl.Count("glLightModelfv"), 1);

    EXPECT_EQ(context->Version(), "1.4 (stub)");
    EXPECT_EQ(context->Extensions().CommaText(), "GL_ARB_multitexture,GL_EXT_bgra,GL_EXT_packed_pixels");
    EXPECT_EQ(context->WGLExtensions().CommaText(), "WGL_ARB_extensions_string,WGL_EXT_swap_control");
    EXPECT_EQ(context->Primitives().TextureUnits(), 8);
    EXPECT_TRUE(context->Textures().MultiTexture());
    EXPECT_TRUE(context->Textures().BGRA());
    EXPECT_TRUE(context->Textures().PackedPixels());
    EXPECT_EQ(builds, 1);
    EXPECT_TRUE(font->Built());
}

TEST_F(CustomOpenGL, DestroyRCReleasesTheContextAndKeepsTheChoice)
{
    platform->Formats = {MakeTestDescriptor(Accelerated, 32, 24), MakeTestDescriptor(Accelerated, 32, 16)};
    TGLDisplayList* list = context->DisplayLists().Add();
    list->OnBuild = [](TObject*) {};
    context->CreateRC(FakeDC());
    gl.Clear();

    context->DestroyRC();

    EXPECT_FALSE(context->Active());
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"glDeleteLists", "wglMakeCurrent", "wglDeleteContext"}));
    EXPECT_EQ(gl.Calls()[1].Text(), "wglMakeCurrent(null, null)");
    EXPECT_FALSE(list->Built());
    EXPECT_FALSE(context->Enumerated());
    EXPECT_TRUE(context->AcceleratedFormats().empty());
    EXPECT_EQ(context->AcceleratedIndex(), 1);

    context->DestroyRC();  // inactive: nothing more
    EXPECT_EQ(gl.Calls().size(), 3u);

    // Made again: listed again, the kept choice, the libraries not reloaded.
    context->CreateRC(FakeDC());
    EXPECT_TRUE(context->Active());
    EXPECT_EQ(platform->DescribeCount, 2);
    EXPECT_EQ(platform->SetFormatNumber, 2);
    EXPECT_EQ(platform->LoadCount, 1);
    EXPECT_TRUE(list->Built());
}

TEST_F(CustomOpenGL, OnlyGenericFormatsTurnGenericOnlyOn)
{
    platform->Formats = {MakeTestDescriptor(Generic, 24, 16), MakeTestDescriptor(Generic, 32, 16)};
    EXPECT_FALSE(context->GetGenericOnly());  // not listed yet
    EXPECT_FALSE(context->GetHardwareAccelerated());
    EXPECT_EQ(platform->DescribedDC, nullptr);  // listed on the screen
    EXPECT_TRUE(context->GetGenericOnly());

    context->CreateRC(FakeDC());
    EXPECT_TRUE(context->UsesGenericFormats());
    EXPECT_EQ(context->AcceleratedIndex(), -1);
    EXPECT_EQ(context->GenericIndex(), 1);
    EXPECT_EQ(platform->SetFormatNumber, 2);
    EXPECT_EQ(platform->DescribeCount, 1);  // the screen's list served
}

TEST_F(CustomOpenGL, SoftwareRenderingUsesTheGenericListOrFallsBackToAccelerated)
{
    platform->Formats = {MakeTestDescriptor(Accelerated, 32, 16), MakeTestDescriptor(Generic, 24, 16),
                         MakeTestDescriptor(Generic, 32, 16)};
    context->SetGenericOnly(true);
    context->CreateRC(FakeDC());
    EXPECT_EQ(platform->SetFormatNumber, 3);
    EXPECT_EQ(context->AcceleratedIndex(), 0);

    context->DestroyRC();
    context->SetGenericOnly(false);
    context->CreateRC(FakeDC());
    EXPECT_EQ(platform->SetFormatNumber, 1);

    // No generic format at all: the accelerated list serves.
    context->DestroyRC();
    platform->Formats.resize(1);
    context->SetGenericOnly(true);
    context->CreateRC(FakeDC());
    EXPECT_TRUE(context->Active());
    EXPECT_FALSE(context->UsesGenericFormats());
    EXPECT_EQ(platform->SetFormatNumber, 1);
}

TEST_F(CustomOpenGL, FormatsThatCannotDrawToAWindowWithOpenGLAreNotListed)
{
    platform->Formats = {MakeTestDescriptor(pfdSupportOpenGL | pfdDoubleBuffer, 32, 16),       // bitmap only
                         MakeTestDescriptor(pfdDrawToWindow | pfdDoubleBuffer, 32, 16),        // no OpenGL
                         MakeTestDescriptor(pfdDrawToWindow | pfdGenericFormat, 32, 16),       // no OpenGL
                         MakeTestDescriptor(Accelerated, 16, 16)};
    context->CreateRC(FakeDC());
    ASSERT_EQ(context->AcceleratedFormats().size(), 1u);
    EXPECT_TRUE(context->GenericFormats().empty());
    EXPECT_EQ(platform->SetFormatNumber, 4);
    EXPECT_EQ(context->AcceleratedFormats()[0].Flags, pffDrawToWindow | pffSupportOpenGL);
}

TEST_F(CustomOpenGL, NoUsableFormatMeansNoIndex)
{
    platform->Formats = {MakeTestDescriptor(pfdDrawToWindow, 32, 16)};
    ExpectCreateFails("Create RC failed: FormatIndex is not selected!");
    EXPECT_EQ(gl.Count("wglCreateContext"), 0);
}

TEST_F(CustomOpenGL, FailingToSetThePixelFormatLeavesTheContextInactive)
{
    platform->Formats = {MakeTestDescriptor(Accelerated, 32, 16)};
    platform->SetPixelFormatResult = false;
    ExpectCreateFails("Create RC failed: pixel format is not set!");
    EXPECT_EQ(gl.Count("wglCreateContext"), 0);
    EXPECT_EQ(context->Context(), nullptr);

    platform->SetPixelFormatResult = true;  // the next attempt works
    context->CreateRC(FakeDC());
    EXPECT_TRUE(context->Active());
}

TEST_F(CustomOpenGL, PaletteFormatsGetAPaletteThatGoesWithTheContext)
{
    platform->Formats = {MakeTestDescriptor(Accelerated | pfdNeedPalette, 8, 16)};

    platform->CreatePaletteResult = false;
    ExpectCreateFails("Create RC failed: Palette is not created!");
    EXPECT_EQ(gl.Count("wglCreateContext"), 0);

    platform->CreatePaletteResult = true;
    gl.CreateContextResult = nullptr;
    ExpectCreateFails("Create RC failed: Context is not created!");
    EXPECT_EQ(platform->PaletteEntries.size(), 256u);
    EXPECT_EQ(platform->DeletePaletteCount, 1);  // not left behind

    gl.CreateContextResult = reinterpret_cast<GLHGLRC>(static_cast<uintptr_t>(0x1000));
    context->CreateRC(FakeDC());
    EXPECT_EQ(platform->DeletePaletteCount, 1);
    context->DestroyRC();
    EXPECT_EQ(platform->DeletePaletteCount, 2);
}

TEST_F(CustomOpenGL, SwapSetsTheIntervalOnlyWhenItDiffers)
{
    platform->Formats = {MakeTestDescriptor(Accelerated, 32, 16)};
    context->CreateRC(FakeDC());
    context->VSync = false;
    gl.SwapInterval = 1;
    gl.Clear();

    context->SwapBuffers(FakeDC());
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"glFlush", "wglGetSwapIntervalEXT", "wglSwapIntervalEXT"}));
    EXPECT_EQ(gl.Calls()[2].Text(), "wglSwapIntervalEXT(0)");
    gl.Clear();
    context->SwapBuffers(FakeDC());
    EXPECT_EQ(gl.Count("wglSwapIntervalEXT"), 0);
    EXPECT_EQ(platform->SwapCount, 2);

    context->VSync = true;
    context->SwapBuffers(FakeDC());
    EXPECT_EQ(gl.CallsOf("wglSwapIntervalEXT").at(0).Text(), "wglSwapIntervalEXT(1)");
}

TEST_F(CustomOpenGL, SwapLeavesTheIntervalAloneUnlessBothEntryPointsAreBound)
{
    gl.HideProc("wglGetSwapIntervalEXT");
    platform->Formats = {MakeTestDescriptor(Accelerated, 32, 16)};
    context->CreateRC(FakeDC());
    ASSERT_NE(wglSwapIntervalEXT, nullptr);
    context->VSync = false;
    gl.Clear();
    context->SwapBuffers(FakeDC());
    EXPECT_EQ(gl.Names(), std::vector<std::string>{"glFlush"});
    EXPECT_EQ(platform->SwapCount, 1);
}

TEST_F(CustomOpenGL, TheConditionalSwapPresentsOnlyAfterAnOddNumberOfSwaps)
{
    platform->Formats = {MakeTestDescriptor(Accelerated, 32, 16)};
    context->SwapBuffers(FakeDC());  // inactive: nothing
    EXPECT_EQ(platform->SwapCount, 0);
    context->CreateRC(FakeDC());
    EXPECT_EQ(context->FrameParity(), 1);
    context->SwapBuffersIfEven(FakeDC());
    EXPECT_EQ(platform->SwapCount, 0);
    context->SwapBuffers(FakeDC());
    EXPECT_EQ(context->FrameParity(), 0);
    context->SwapBuffersIfEven(FakeDC());
    EXPECT_EQ(platform->SwapCount, 2);
    EXPECT_EQ(context->FrameParity(), 1);
}

TEST_F(CustomOpenGL, RendererAndVendorAreReadOnceWhileActive)
{
    gl.SetString(GL_RENDERER, "llvmpipe");
    gl.SetString(GL_VENDOR, "Mesa");
    EXPECT_EQ(context->GetRenderer(), "");
    EXPECT_EQ(gl.Count("glGetString"), 0);

    platform->Formats = {MakeTestDescriptor(Accelerated, 32, 16)};
    context->CreateRC(FakeDC());
    EXPECT_EQ(context->GetRenderer(), "llvmpipe");
    EXPECT_EQ(context->GetVendor(), "Mesa");
    gl.SetString(GL_RENDERER, "other");
    gl.Clear();
    EXPECT_EQ(context->GetRenderer(), "llvmpipe");
    EXPECT_EQ(gl.Count("glGetString"), 0);
}

TEST_F(CustomOpenGL, FreeingAnActiveContextReleasesItAndUnloadsTheLibraries)
{
    struct CountingPlatform : TGLStubPlatform {
        int* Unloads = nullptr;
        void UnloadLibraries() override { ++*Unloads; }
    };
    int unloads = 0;
    auto* counting = new CountingPlatform;
    counting->Unloads = &unloads;
    counting->Formats = {MakeTestDescriptor(Accelerated, 32, 16)};
    auto other = std::make_unique<TCustomOpenGL>(std::unique_ptr<TGLPlatform>(counting));
    other->CreateRC(FakeDC());
    gl.Clear();
    other.reset();
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"wglMakeCurrent", "wglDeleteContext"}));
    EXPECT_EQ(unloads, 1);
}
