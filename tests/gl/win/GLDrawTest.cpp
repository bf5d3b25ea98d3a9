// Primitives and textures drawn on a real context under Wine (Xvfb, Mesa
// llvmpipe) and read back from the frame buffer.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"
#include "GLTestWindow.h"

namespace {

constexpr int Size = 64;

using TPixel = std::array<int, 3>;
const TPixel Black{0, 0, 0};
const TPixel Red{255, 0, 0};
const TPixel Green{0, 255, 0};
const TPixel Blue{0, 0, 255};
const TPixel White{255, 255, 255};

// A context on a Size x Size window with a pixel-exact orthographic view
// (one unit per pixel, origin at the bottom left), cleared to black.
struct DrawFixture : ::testing::Test {
    TestWindow window{Size, Size};
    std::unique_ptr<TCustomOpenGL> context = NewContext();

    void SetUp() override
    {
        context->CreateRC(window.DC());
        ASSERT_TRUE(context->Active());
        PrepareView();
    }

    void PrepareView()
    {
        glViewport(0, 0, Size, Size);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, Size, 0, Size, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // The pixel of the frame being drawn (the back buffer).
    static TPixel Read(int x, int y)
    {
        GLubyte rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }

    // A quad over the whole view with texture coordinates 0..1, in white.
    TGLPrimitive* FullQuad()
    {
        TGLPrimitive* quad = context->Primitives().Add();
        quad->Mode = GL_QUADS;
        quad->Vertices().LoadFromArray(std::vector<float>{0, 0, 0, Size, 0, 0, Size, Size, 0, 0, Size, 0});
        quad->GetTextureCoords(0).LoadFromArray(std::vector<float>{0, 0, 1, 0, 1, 1, 0, 1});
        quad->Colors().SetCount(1);
        quad->Colors().SetColor(0, 255, 255, 255, 255);
        return quad;
    }
};

using GLDraw = DrawFixture;

// Each channel within a tolerance that covers 4- and 5-bit formats.
::testing::AssertionResult Near(const TPixel& actual, const TPixel& expected, int tolerance = 12)
{
    for (int i = 0; i < 3; ++i) {
        if (std::abs(actual[i] - expected[i]) > tolerance)
            return ::testing::AssertionFailure() << "got (" << actual[0] << ", " << actual[1] << ", " << actual[2]
                                                 << "), expected (" << expected[0] << ", " << expected[1] << ", "
                                                 << expected[2] << ")";
    }
    return ::testing::AssertionSuccess();
}

// One opaque red pixel in a texture's format and type, as the GL reads it;
// empty for a combination the GL does not accept.
std::vector<uint8_t> RedPixel(GLenum format, GLenum type)
{
    auto bytesOf = [](auto value) {
        std::vector<uint8_t> bytes(sizeof value);
        std::memcpy(bytes.data(), &value, sizeof value);
        return bytes;
    };
    switch (type) {
    case GL_UNSIGNED_BYTE:
        switch (format) {
        case GL_RGB: return {255, 0, 0};
        case GL_BGR: return {0, 0, 255};
        case GL_RGBA: return {255, 0, 0, 255};
        case GL_BGRA: return {0, 0, 255, 255};
        }
        break;
    case GL_UNSIGNED_SHORT_4_4_4_4:
        if (format == GL_RGBA) return bytesOf(uint16_t{0xF00F});
        break;
    case GL_UNSIGNED_SHORT_4_4_4_4_REV:
        if (format == GL_BGRA) return bytesOf(uint16_t{0xFF00});
        break;
    case GL_UNSIGNED_SHORT_5_5_5_1:
        if (format == GL_RGBA) return bytesOf(uint16_t{0xF801});
        break;
    case GL_UNSIGNED_SHORT_1_5_5_5_REV:
        if (format == GL_BGRA) return bytesOf(uint16_t{0xFC00});
        break;
    case GL_UNSIGNED_SHORT_5_6_5:
        if (format == GL_RGB) return bytesOf(uint16_t{0xF800});
        break;
    case GL_UNSIGNED_INT_8_8_8_8:
        if (format == GL_RGBA) return bytesOf(uint32_t{0xFF0000FF});
        break;
    case GL_UNSIGNED_INT_8_8_8_8_REV:
        if (format == GL_BGRA) return bytesOf(uint32_t{0xFFFF0000});
        break;
    }
    return {};
}

}  // namespace

TEST_F(GLDraw, ARedTriangleCoversTheCentre)
{
    TGLPrimitive* triangle = context->Primitives().Add();
    triangle->Vertices().LoadFromArray(std::vector<float>{8, 8, 0, 56, 8, 0, 32, 56, 0});
    triangle->Colors().SetCount(1);
    triangle->Colors().SetColor(0, 255, 0, 0, 255);
    triangle->Render();
    EXPECT_TRUE(Near(Read(32, 32), Red));
    EXPECT_TRUE(Near(Read(2, 60), Black));

    // The same through indices, then through a compiled display list.
    triangle->Indices().LoadFromArray(std::vector<int32_t>{2, 0, 1});
    triangle->Colors().SetColor(0, 0, 255, 0, 255);
    triangle->Render();
    EXPECT_TRUE(Near(Read(32, 32), Green));

    triangle->UseDisplayList = true;
    triangle->Colors().SetColor(0, 0, 0, 255, 255);
    glClear(GL_COLOR_BUFFER_BIT);
    triangle->Render();
    ASSERT_TRUE(triangle->Compiled());
    EXPECT_TRUE(Near(Read(32, 32), Blue));
    // The list keeps what it was compiled with.
    triangle->Colors().SetColor(0, 255, 0, 0, 255);
    glClear(GL_COLOR_BUFFER_BIT);
    triangle->Render();
    EXPECT_TRUE(Near(Read(32, 32), Blue));
    EXPECT_TRUE(Near(Read(2, 60), Black));
}

TEST_F(GLDraw, ATexturedQuadShowsItsTexelsAgainAfterTheContextIsMadeAgain)
{
    TGLTexture* texture = context->Textures().AddRGBA8(2, 2);
    texture->Filter = GL_NEAREST;
    // Rows bottom first: red, green / blue, white.
    const uint8_t texels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    std::memcpy(texture->GetScanLine(0), texels, 8);
    std::memcpy(texture->GetScanLine(1), texels + 8, 8);
    TGLPrimitive* quad = FullQuad();

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first context" : "context made again");
        texture->Apply();
        EXPECT_TRUE(texture->Uploaded());
        quad->Render();
        EXPECT_TRUE(Near(Read(16, 16), Red));
        EXPECT_TRUE(Near(Read(48, 16), Green));
        EXPECT_TRUE(Near(Read(16, 48), Blue));
        EXPECT_TRUE(Near(Read(48, 48), White));

        context->DestroyRC();
        EXPECT_FALSE(texture->Uploaded());
        context->CreateRC(window.DC());
        ASSERT_TRUE(context->Active());
        PrepareView();
    }
}

TEST_F(GLDraw, EveryPresetUploadsAsValidGLWithAndWithoutPackedPixels)
{
    ASSERT_TRUE(context->Textures().BGRA());
    ASSERT_TRUE(context->Textures().PackedPixels());
    using Preset = TGLTexture* (TGLTextureList::*)(int, int);
    const Preset presets[] = {&TGLTextureList::AddRGBA4, &TGLTextureList::AddRGB5A1, &TGLTextureList::AddRGB565,
                              &TGLTextureList::AddRGB8, &TGLTextureList::AddRGBA8};
    TGLPrimitive* quad = FullQuad();
    for (bool packed : {false, true}) {
        for (bool bgra : {false, true}) {
            for (GLenum filter : {GL_NEAREST, GL_LINEAR_MIPMAP_LINEAR}) {
                for (int i = 0; i < 5; ++i) {
                    SCOPED_TRACE(::testing::Message() << "packed " << packed << " bgra " << bgra << " filter "
                                                      << filter << " preset " << i);
                    TGLTextureList& textures = context->Textures();
                    textures.SetUsePackedPixels(packed);
                    textures.SetUseBGRA(bgra);
                    textures.SetDefaultFilter(filter);
                    TGLTexture* texture = (textures.*presets[i])(4, 4);
                    const std::vector<uint8_t> red = RedPixel(texture->Format(), texture->Type());
                    ASSERT_EQ(static_cast<int>(red.size()), texture->BytesPerPixel())
                        << "format " << texture->Format() << " type " << texture->Type();
                    for (int p = 0; p < 16; ++p)
                        std::memcpy(texture->Pixels() + p * red.size(), red.data(), red.size());

                    glClear(GL_COLOR_BUFFER_BIT);
                    texture->Apply();
                    quad->Render();
                    // A texture the GL refused would leave the white quad.
                    EXPECT_TRUE(Near(Read(32, 32), Red));
                    glDisable(GL_TEXTURE_2D);
                    delete texture;
                }
            }
        }
    }
}

TEST_F(GLDraw, BuiltNormalsLightTheFrontFaceOnly)
{
    // Light 0 at its defaults shines along -z; the context's global ambient is black.
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    TGLPrimitive* p = context->Primitives().Add();
    // Left: counter-clockwise, facing the light; right: clockwise, facing away.
    p->Vertices().LoadFromArray(std::vector<float>{0, 0, 0, 30, 0, 0, 0, 64, 0, 34, 0, 0, 34, 64, 0, 64, 0, 0});
    p->BuildNormals();
    p->Render();
    const TPixel lit = Read(8, 16);
    const TPixel unlit = Read(40, 16);
    EXPECT_GT(lit[0], 150);
    EXPECT_TRUE(Near(lit, {lit[0], lit[0], lit[0]}, 2));  // grey
    EXPECT_TRUE(Near(unlit, Black, 8));
    glDisable(GL_LIGHTING);
}
