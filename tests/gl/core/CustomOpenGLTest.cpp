// Choosing a pixel format; the rendering context against a stand-in window
// system and the recording GL table; the application's context, whose change
// of software rendering while active goes through a new window.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "gl/core/AppOpenGL.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/PixelFormats.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "../../support/ExceptionMessage.h"

namespace {

constexpr uint32_t WindowGL = pfdDrawToWindow | pfdSupportOpenGL;
constexpr uint32_t Accelerated = WindowGL | pfdDoubleBuffer;
constexpr uint32_t Generic = WindowGL | pfdGenericFormat | pfdSupportGDI;

TGLPixelFormat Record(int color, int depth, bool doubleBuffer = true, bool gdi = false, int stencil = 0)
{
    uint32_t flags = WindowGL | (doubleBuffer ? pfdDoubleBuffer : 0) | (gdi ? pfdSupportGDI : 0);
    return MakePixelFormat(MakeTestDescriptor(flags, color, depth, stencil), 1);
}

struct CustomOpenGL : ::testing::Test {
    GLRecorder gl;
    TGLStubPlatform* platform = new TGLStubPlatform;
    std::unique_ptr<TCustomOpenGL> context{new TCustomOpenGL(std::unique_ptr<TGLPlatform>(platform))};

    void SetUp() override
    {
        gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture GL_EXT_bgra GL_EXT_packed_pixels");
        platform->Formats = {MakeTestDescriptor(Accelerated, 32, 16)};
    }
    // A fresh context whose platform lists `formats`.
    void Fresh(const decltype(TGLStubPlatform::Formats)& formats)
    {
        platform = new TGLStubPlatform;
        platform->Formats = formats;
        context = std::make_unique<TCustomOpenGL>(std::unique_ptr<TGLPlatform>(platform));
    }
    std::string CreateError()
    {
        const std::string message = testsupport::MessageOf([this] { context->CreateRC(StubDC()); });
        EXPECT_FALSE(context->Active());
        return message;
    }
};

}  // namespace

TEST(PixelFormats, TheFirstExactFormatWinsElseTheFirstBestScore)
{
    const TGLPixelFormat request;  // 32 colour, 16 depth, double-buffered, no GDI
    // The stencil bits of index 1 do not matter: the request names none.
    EXPECT_EQ(ChoosePixelFormatIndex({Record(32, 24), Record(32, 16, true, false, 8), Record(32, 16)}, request), 1);
    // Nothing exact: depth 24 scores 2048, GDI support loses 5120; of equal best ones the first wins.
    EXPECT_EQ(ChoosePixelFormatIndex({Record(32, 24, false), Record(32, 16, false, true), Record(32, 16, false),
                                      Record(32, 16, false)},
                                     request),
              2);
    EXPECT_EQ(ChoosePixelFormatIndex({}, request), -1);
}

TEST_F(CustomOpenGL, CreateRCChoosesTheFormatMakesTheContextCurrentAndPreparesTheLists)
{
    platform->Formats = {MakeTestDescriptor(Accelerated, 32, 24), MakeTestDescriptor(Generic, 32, 16),
                         MakeTestDescriptor(Accelerated, 32, 16), MakeTestDescriptor(Accelerated, 32, 16)};
    gl.SetInteger(GL_MAX_TEXTURE_UNITS_ARB, 8);
    std::unique_ptr<TGLDisplayList> font(context->DisplayLists().Add());
    font->OnBuild = [](TObject*) {};

    const uint32_t serial = CurrentContextSerial();
    context->CreateRC(StubDC());
    EXPECT_TRUE(context->Active());
    EXPECT_EQ(CurrentContextSerial(), serial + 1) << "what was cached for another context is stale";
    EXPECT_EQ(platform->SetFormatNumber, 3);  // the first exact accelerated one
    const std::vector<std::string> names = gl.Names();
    const auto current = std::find(names.begin(), names.end(), "wglMakeCurrent");
    EXPECT_LT(current, std::find(names.begin(), names.end(), "glLightModelfv")) << "current before any GL call";
    EXPECT_EQ(context->Primitives().TextureUnits(), 8);
    EXPECT_TRUE(font->Built());

    // Destroyed: lists deleted, context released; made again with the same choice.
    context->DestroyRC();
    EXPECT_FALSE(context->Active() || font->Built());
    EXPECT_EQ(gl.Calls().back().Name, "wglDeleteContext");
    platform->SetFormatNumber = 0;
    context->CreateRC(StubDC());
    EXPECT_EQ(platform->SetFormatNumber, 3);
    EXPECT_EQ(platform->LoadCount, 1);
}

TEST_F(CustomOpenGL, GenericOnlyChoosesFromTheGenericListOrFallsBackToAccelerated)
{
    platform->Formats = {MakeTestDescriptor(Generic, 24, 16), MakeTestDescriptor(Generic, 32, 16)};
    EXPECT_FALSE(context->GetHardwareAccelerated());  // lists the screen's formats
    EXPECT_TRUE(context->GetGenericOnly());
    context->CreateRC(StubDC());
    EXPECT_EQ(platform->SetFormatNumber, 2);

    // Asking did not switch software rendering on: a display that now
    // offers an accelerated format gets it.
    context->DestroyRC();
    platform->Formats.push_back(MakeTestDescriptor(Accelerated, 32, 16));
    context->CreateRC(StubDC());
    EXPECT_FALSE(context->GetGenericOnly());
    EXPECT_EQ(platform->SetFormatNumber, 3);

    Fresh({MakeTestDescriptor(Accelerated, 32, 16)});
    context->SetGenericOnly(true);
    context->CreateRC(StubDC());
    EXPECT_TRUE(context->Active());
    EXPECT_FALSE(context->UsesGenericFormats());
    EXPECT_EQ(platform->SetFormatNumber, 1);
}

TEST_F(CustomOpenGL, EveryCreateFailureHasItsMessageAndLeavesNothingBehind)
{
    Fresh({MakeTestDescriptor(pfdSupportOpenGL | pfdDoubleBuffer, 32, 16),
           MakeTestDescriptor(pfdDrawToWindow | pfdGenericFormat, 32, 16)});
    EXPECT_EQ(CreateError(), "Create RC failed: FormatIndex is not selected!");

    Fresh({MakeTestDescriptor(Accelerated, 32, 16)});
    platform->SetPixelFormatResult = false;
    EXPECT_EQ(CreateError(), "Create RC failed: pixel format is not set!");

    Fresh({MakeTestDescriptor(Accelerated | pfdNeedPalette, 8, 16)});
    platform->CreatePaletteResult = false;
    EXPECT_EQ(CreateError(), "Create RC failed: Palette is not created!");
    EXPECT_EQ(gl.Count("wglCreateContext"), 0);

    platform->CreatePaletteResult = true;
    gl.CreateContextResult = nullptr;
    EXPECT_EQ(CreateError(), "Create RC failed: Context is not created!");
    EXPECT_EQ(platform->DeletePaletteCount, 1) << "the palette is not left behind";

}

TEST_F(CustomOpenGL, SwapSetsTheIntervalOnlyWhenItDiffersAndBothEntryPointsAreBound)
{
    context->CreateRC(StubDC());
    context->VSync = false;
    gl.SwapInterval = 1;
    gl.Clear();
    context->SwapBuffers(StubDC());
    context->SwapBuffers(StubDC());
    ASSERT_EQ(gl.Count("wglSwapIntervalEXT"), 1);
    EXPECT_EQ(gl.CallsOf("wglSwapIntervalEXT")[0].Args[0], "0");
    EXPECT_EQ(platform->SwapCount, 2);

    context->SwapBuffersIfEven(StubDC());  // after an even number of swaps: none
    EXPECT_EQ(platform->SwapCount, 2);
    gl.Clear();
    wglGetSwapIntervalEXT = nullptr;
    context->VSync = true;
    context->SwapBuffers(StubDC());
    EXPECT_EQ(gl.Names(), std::vector<std::string>{"glFlush"});
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
    counting->Formats = platform->Formats;
    context = std::make_unique<TCustomOpenGL>(std::unique_ptr<TGLPlatform>(counting));
    context->CreateRC(StubDC());
    gl.Clear();
    context.reset();
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"wglMakeCurrent", "wglDeleteContext"}));
    EXPECT_EQ(unloads, 1);

    // At exit the binding may already be unloaded: nothing is called through it.
    Fresh({MakeTestDescriptor(Accelerated, 32, 16)});
    context->CreateRC(StubDC());
    pwglMakeCurrent = nullptr;
    pwglDeleteContext = nullptr;
    context.reset();
}

TEST(AppOpenGL, SwitchingWhileActiveRecreatesTheWindowAroundUnloadedLibraries)
{
    // Stands in for the application: hiding its window destroys it, which stops OpenGL.
    struct Owner : IAppOpenGLOwner {
        std::vector<std::string> Calls;
        TCustomAppOpenGL* Context = nullptr;
        TGLStubPlatform* Platform = new TGLStubPlatform;
        void HideGLWindow() override
        {
            Calls.push_back(std::string("hide") + (Context->Active() ? " active" : "") +
                            (Platform->Loaded ? " loaded" : ""));
            Context->DestroyRC();
        }
        void ShowGLWindow() override
        {
            Calls.push_back(std::string("show") + (Context->GetGenericOnly() ? " generic" : "") +
                            (Platform->Loaded ? " loaded" : ""));
        }
    } owner;
    GLRecorder gl;
    owner.Platform->Formats = {MakeTestDescriptor(Accelerated, 32, 16), MakeTestDescriptor(Generic, 32, 16)};
    TCustomAppOpenGL context{&owner, std::unique_ptr<TGLPlatform>(owner.Platform)};
    owner.Context = &context;
    context.SetGenericOnly(true);  // inactive: only the flag
    context.SetGenericOnly(false);
    EXPECT_TRUE(owner.Calls.empty());

    context.CreateRC(StubDC());
    EXPECT_EQ(owner.Platform->SetFormatNumber, 1);
    context.SetGenericOnly(true);
    EXPECT_EQ(owner.Calls, (std::vector<std::string>{"hide active loaded", "show generic"}));
    context.CreateRC(StubDC());  // the next tick, with the new kind of pixel format
    EXPECT_EQ(owner.Platform->SetFormatNumber, 2);
}
