// The binding and a real context under Wine (Xvfb, Mesa llvmpipe): loading
// the libraries, making the context, textures drawn and read back from the
// frame buffer, and a frame captured before the swap, written as BMP and JPEG
// files and read back. Meshes drawn on a real context: SceneDrawTest;
// lights and materials: its lit tile (SceneEndToEnd).
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "gl/GLLoader.h"
#include "classlib/graphics/JPEGImage.h"
#include "gl/ScreenShotPicture.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"
#include "GLTestWindow.h"
#include "../../support/ExceptionMessage.h"

namespace {

constexpr int Size = 63;  // odd: captured rows of 189 bytes are read unpadded
using TPixel = std::array<int, 3>;

// Each channel within a tolerance that covers 4- and 5-bit formats.
::testing::AssertionResult Near(const TPixel& actual, const TPixel& expected, int tolerance = 12)
{
    for (int i = 0; i < 3; ++i)
        if (std::abs(actual[i] - expected[i]) > tolerance)
            return ::testing::AssertionFailure() << "got (" << actual[0] << ", " << actual[1] << ", " << actual[2]
                                                 << ")";
    return ::testing::AssertionSuccess();
}

// A context on a Size x Size window, one unit per pixel from the bottom left, cleared to black.
struct GLDraw : ::testing::Test {
    TestWindow window{Size, Size};
    std::unique_ptr<TCustomOpenGL> context = NewContext();

    void SetUp() override
    {
        context->CreateRC(window.DC());
        ASSERT_TRUE(context->Active());
        glViewport(0, 0, Size, Size);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, Size, 0, Size, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    static TPixel Read(int x, int y)
    {
        GLubyte rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }

    // A white quad over the whole view with texture coordinates 0..1.
    std::unique_ptr<TGLPrimitive> FullQuad()
    {
        std::unique_ptr<TGLPrimitive> quad(context->Primitives().Add());
        quad->Mode = GL_QUADS;
        quad->Vertices().LoadFromArray(std::vector<float>{0, 0, 0, Size, 0, 0, Size, Size, 0, 0, Size, 0});
        quad->GetTextureCoords(0).LoadFromArray(std::vector<float>{0, 0, 1, 0, 1, 1, 0, 1});
        quad->Colors().SetCount(1);
        quad->Colors().SetColor(0, 255, 255, 255, 255);
        return quad;
    }
};

// One opaque red pixel in a texture's format (the program uploads bytes only:
// it never asks for packed pixels).
std::vector<uint8_t> RedPixel(GLenum format)
{
    const bool bgra = format == GL_BGRA || format == GL_BGR;
    std::vector<uint8_t> bytes{uint8_t(bgra ? 0 : 255), 0, uint8_t(bgra ? 255 : 0), 255};
    bytes.resize(format == GL_RGB || format == GL_BGR ? 3 : 4);
    return bytes;
}

constexpr uint8_t Top[3] = {255, 128, 0};  // orange over teal
constexpr uint8_t Bottom[3] = {0, 128, 128};

void ExpectRows(TBitmap& bitmap, int top, int bottom, int tolerance)
{
    ASSERT_EQ(bitmap.Width(), Size);
    ASSERT_EQ(bitmap.Height(), Size);
    for (int x : {2, Size / 2, Size - 3})
        for (int c = 0; c < 3; ++c) {  // the bitmap is BGR
            EXPECT_NEAR(static_cast<const uint8_t*>(bitmap.ScanLine(top))[x * 3 + 2 - c], Top[c], tolerance) << x;
            EXPECT_NEAR(static_cast<const uint8_t*>(bitmap.ScanLine(bottom))[x * 3 + 2 - c], Bottom[c], tolerance);
        }
}

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
    EXPECT_EQ(testsupport::MessageOf([] { LoadOpenGL("NoSuchOpenGL.DLL"); }),
              "Error: Could not load OpenGL from NoSuchOpenGL.DLL");
    EXPECT_FALSE(OpenGLLoaded());
    EXPECT_TRUE(AllBound(GLEntrySource::GL, false));
    EXPECT_TRUE(AllBound(GLEntrySource::WGL, false));
    EXPECT_EQ(testsupport::MessageOf([] { LoadGLU("NoSuchGLU.DLL"); }), "Could not load GLU from NoSuchGLU.DLL");
    EXPECT_TRUE(AllBound(GLEntrySource::GLU, false));
}

// Made again with the same choice: CustomOpenGLTest; on a real window: SceneDrawTest.
TEST_F(GLDraw, TheContextIsMadeOnAnAcceleratedDoubleBufferedFormatWithTheDriversExtensions)
{
    EXPECT_TRUE(CheckExtension("GL_ARB_multitexture"));
    EXPECT_GE(context->WGLExtensions().IndexOf("WGL_EXT_swap_control"), 0);
    for (const TGLPixelFormat& format : context->AcceleratedFormats())
        EXPECT_EQ(format.Flags, pffDrawToWindow | pffSupportOpenGL);
    const int chosen = context->AcceleratedIndex();
    ASSERT_GE(chosen, 0);
    EXPECT_TRUE(context->AcceleratedFormats()[chosen].DoubleBuffer);
    EXPECT_EQ(GetPixelFormat(window.DC()), context->AcceleratedFormats()[chosen].FormatNumber);
    context->VSync = false;
    context->SwapBuffers(window.DC());
    EXPECT_EQ(wglGetSwapIntervalEXT(), 0);
}

TEST_F(GLDraw, EveryPresetUploadsAsValidGLInEitherByteOrderAndFilter)
{
    ASSERT_TRUE(context->Textures().BGRA());
    using Preset = TGLTexture* (TGLTextureList::*)(int, int);
    const Preset presets[] = {&TGLTextureList::AddRGBA4, &TGLTextureList::AddRGB5A1, &TGLTextureList::AddRGB565,
                              &TGLTextureList::AddRGB8, &TGLTextureList::AddRGBA8};
    const std::unique_ptr<TGLPrimitive> quad = FullQuad();
    TGLTextureList& textures = context->Textures();
    for (int mode = 0; mode < 4; ++mode)
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(::testing::Message() << "mode " << mode << " preset " << i);
            textures.SetUseBGRA((mode & 1) != 0);
            textures.SetDefaultFilter(mode & 2 ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
            const std::unique_ptr<TGLTexture> texture((textures.*presets[i])(4, 4));
            const std::vector<uint8_t> red = RedPixel(texture->Format());
            ASSERT_EQ(static_cast<int>(red.size()), texture->BytesPerPixel())
                << "format " << texture->Format() << " type " << texture->Type();
            for (int p = 0; p < 16; ++p)
                std::memcpy(texture->Pixels() + p * red.size(), red.data(), red.size());
            glClear(GL_COLOR_BUFFER_BIT);
            texture->Apply();
            quad->Render();
            EXPECT_TRUE(Near(Read(32, 32), {255, 0, 0})) << "a texture the GL refused leaves the quad white";
            glDisable(GL_TEXTURE_2D);
        }
}

TEST_F(GLDraw, AFrameIsWrittenAsBmpAndJpegThatDecodeBackToItAndNothingForOtherExtensions)
{
    glClearColor(Bottom[0] / 255.0f, Bottom[1] / 255.0f, Bottom[2] / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const GLubyte top[4] = {Top[0], Top[1], Top[2], 255};
    glColor4ubv(top);
    const int middle = (Size + 1) / 2;
    glBegin(GL_QUADS);
    glVertex2i(0, middle), glVertex2i(Size, middle), glVertex2i(Size, Size), glVertex2i(0, Size);
    glEnd();
    context->ScreenShot().Capture(window.Handle());
    context->SwapBuffers(window.DC());
    EXPECT_EQ(context->ScreenShot().CaptureCount(), 1);

    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string name = std::string(dir) + "corvalen-shot.";
    ASSERT_TRUE(SaveScreenShotPicture(context->ScreenShot(), name + "BMP"));  // the case does not matter
    ASSERT_TRUE(SaveScreenShotPicture(context->ScreenShot(), name + "jpg"));
    ASSERT_TRUE(SaveScreenShotPicture(context->ScreenShot(), name + "Jpeg"));
    EXPECT_FALSE(SaveScreenShotPicture(context->ScreenShot(), name + "png"));
    EXPECT_EQ(GetFileAttributesA((name + "png").c_str()), INVALID_FILE_ATTRIBUTES);

    TBitmap bmp;
    bmp.LoadFromFile(name + "BMP");
    ExpectRows(bmp, 0, Size - 1, 0);
    TJPEGImage jpeg;
    jpeg.LoadFromFile(name + "jpg");
    TBitmap decoded;
    decoded.Assign(&jpeg);
    ExpectRows(decoded, 2, Size - 3, 12);  // away from the edge between the halves, where JPEG blurs
    jpeg.LoadFromFile(name + "Jpeg");
    EXPECT_EQ(jpeg.Width(), Size);
    for (const char* extension : {"BMP", "jpg", "Jpeg"})
        DeleteFileA((name + extension).c_str());
}
