// Textures: sizes, the pixel buffer, uploading, binding and applying,
// against the recording GL table.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLLists.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "GLTestSupport.h"

namespace {

using gltest::ErrorOf;

std::vector<std::string> TextsOf(const GLRecorder& gl, std::initializer_list<std::string> names)
{
    return gltest::Texts(gl, names);
}

// The texture parameter a GL_TEXTURE_2D upload set last for pname, or "".
std::string Parameter(const GLRecorder& gl, GLenum pname)
{
    std::string value;
    for (const GLCall& call : gl.CallsOf("glTexParameteri"))
        if (call.Args[1] == std::to_string(pname))
            value = call.Args[2];
    return value;
}

struct TextureFixture : ::testing::Test {
    GLRecorder gl;
    TGLTextureList list{nullptr};
};

using GLTexture = TextureFixture;

}  // namespace

// --- Sizes and pixels ----------------------------------------------------------------

TEST(GLTextureSizes, FollowFormatTypeAndSize)
{
    TGLTexture t(nullptr);
    t.SetFormat(GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE);
    t.SetSize(256, 128);
    EXPECT_EQ(t.Components(), 4);
    EXPECT_EQ(t.RowSize(), 1024);
    EXPECT_EQ(t.FrameSize(), 131072);

    struct Case {
        GLenum format, type;
        int components, bytesPerPixel;
    };
    const Case cases[] = {
        {GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, 2, 2}, {GL_LUMINANCE, GL_UNSIGNED_BYTE, 1, 1},
        {GL_BGRA, GL_SHORT, 4, 8},                    {GL_RGB, GL_FLOAT, 3, 12},
        {GL_RGB, GL_UNSIGNED_BYTE_3_3_2, 3, 1},       {GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, 4, 2},
        {GL_RGBA, GL_UNSIGNED_INT_2_10_10_10_REV, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.format << " " << c.type);
        t.SetFormat(GL_RGBA8, c.format, c.type);
        EXPECT_EQ(t.Components(), c.components);
        EXPECT_EQ(t.BytesPerPixel(), c.bytesPerPixel);
        EXPECT_EQ(t.FrameSize(), c.bytesPerPixel * 256 * 128);
    }
    t.SetType(GL_UNSIGNED_BYTE);  // GL_RGBA from the last case
    EXPECT_EQ(t.RowSize(), 1024);
    t.SetWidth(16);
    EXPECT_EQ(t.RowSize(), 64);
}

TEST(GLTextureSizes, OnlyZeroAndPowersOfTwoAreSizes)
{
    TGLTexture t(nullptr);
    EXPECT_EQ(ErrorOf([&] { t.SetWidth(100); }), "TGLTexture.SetWidth error: Width is not power 2");
    EXPECT_EQ(ErrorOf([&] { t.SetHeight(-4); }), "TGLTexture.SetHeight error: Height is not power 2");
    EXPECT_EQ(t.Width() * t.Height(), 256 * 256) << "a refused size changes nothing";
    EXPECT_EQ(ErrorOf([&] { t.SetSize(0, 0); }), "(no exception)");
    EXPECT_EQ(ErrorOf([&] { t.SetSize(1, 1); }), "(no exception)");
    // The width is set first: a bad height leaves the new width in place.
    EXPECT_EQ(ErrorOf([&] { t.SetSize(64, 3); }), "TGLTexture.SetHeight error: Height is not power 2");
    EXPECT_EQ(t.Width(), 64);
    EXPECT_EQ(t.Height(), 1);
}

TEST(GLTexturePixels, FramesAndScanLinesStayInsideTheBuffer)
{
    TGLTexture t(nullptr);
    t.SetSize(4, 2);  // GL_RGB bytes: 12 per row, 24 per frame
    t.SetFrameCount(3);
    t.AllocPixels();
    ASSERT_NE(t.Pixels(), nullptr);
    EXPECT_EQ(t.GetScanLine(1), t.Pixels() + 12);
    t.SetCurrentFrame(2);
    EXPECT_EQ(t.GetScanLine(0), t.Pixels() + 48);
    t.GetScanLine(1)[11] = 7;  // the buffer's last byte
    EXPECT_EQ(t.GetScanLine(2), nullptr);
    EXPECT_EQ(t.GetScanLine(-1), nullptr);
    t.SetCurrentFrame(3);
    EXPECT_EQ(t.GetScanLine(0), nullptr);

    t.SetCurrentFrame(0);
    t.FreePixels();
    EXPECT_EQ(t.GetScanLine(0), nullptr);
}

// --- Uploading -----------------------------------------------------------------------

TEST_F(GLTexture, UploadSendsTheImageAndItsParameters)
{
    TGLTexture* t = list.AddRGB8(4, 2);
    t->Priority = 0.5f;
    t->EnvColor = {0.25f, 0.5f, 0.75f, 1};

    t->UpLoad();

    EXPECT_TRUE(t->Uploaded());
    EXPECT_EQ(t->Name(), 1u);
    const std::vector<std::string> expected = {
        "glGenTextures(1, ptr)", "glBindTexture(3553, 1)", "glPixelStoref(3317, 1)",
        "glTexParameterf(3553, 32870, 0.5)", "glTexImage2D(3553, 0, 32849, 4, 2, 0, 6407, 5121, ptr)",
        "glTexParameteri(3553, 10241, 9729)", "glTexParameteri(3553, 10240, 9729)",
        "glTexParameteri(3553, 10242, 10497)", "glTexParameteri(3553, 10243, 10497)",
        "glTexEnvi(8960, 8704, 8448)", "glTexEnvfv(8960, 8705, {0.25,0.5,0.75,1})"};
    EXPECT_EQ(gltest::Texts(gl), expected);
    EXPECT_EQ(gl.CallsOf("glTexImage2D")[0].Pointers[0], t->Pixels());

    gl.Clear();
    t->UpLoad();  // uploaded already
    EXPECT_TRUE(gl.Calls().empty());
}

TEST_F(GLTexture, AMipmapFilterBuildsMipmapsAndMagnifiesLinearly)
{
    list.SetDefaultFilter(GL_LINEAR_MIPMAP_LINEAR);
    TGLTexture* t = list.AddRGBA8(8, 4);
    t->UpLoad();
    EXPECT_EQ(TextsOf(gl, {"gluBuild2DMipmaps", "glTexImage2D"}),
              std::vector<std::string>{"gluBuild2DMipmaps(3553, 4, 8, 4, 6408, 5121, ptr)"});
    EXPECT_EQ(gl.CallsOf("gluBuild2DMipmaps")[0].Pointers[0], t->Pixels());
    EXPECT_EQ(Parameter(gl, GL_TEXTURE_MIN_FILTER), std::to_string(GL_LINEAR_MIPMAP_LINEAR));
    EXPECT_EQ(Parameter(gl, GL_TEXTURE_MAG_FILTER), std::to_string(GL_LINEAR));

    // Every mipmap filter counts as "linear or more"; GL_NEAREST alone does not.
    const std::pair<GLenum, GLenum> filters[] = {{GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR}, {GL_NEAREST, GL_NEAREST}};
    for (const auto& [filter, mag] : filters) {
        gl.Clear();
        t->Release();
        t->Filter = filter;
        t->Repeat = false;
        t->UpLoad();
        EXPECT_EQ(Parameter(gl, GL_TEXTURE_MAG_FILTER), std::to_string(mag)) << filter;
        EXPECT_EQ(Parameter(gl, GL_TEXTURE_WRAP_S), std::to_string(GL_CLAMP));
        EXPECT_EQ(Parameter(gl, GL_TEXTURE_WRAP_T), std::to_string(GL_CLAMP));
    }
    EXPECT_EQ(gl.Count("gluBuild2DMipmaps"), 0);  // GL_NEAREST, the last one
}

TEST_F(GLTexture, FrameBufferCopiesAndOneDimensionalImages)
{
    TGLTexture* t = list.AddRGB8(16, 8);
    t->CopyFromFrameBuffer = true;
    t->CopyX = 3;
    t->CopyY = 5;
    t->Filter = GL_LINEAR_MIPMAP_LINEAR;  // a copy wins over mipmaps
    t->UpLoad();
    EXPECT_EQ(TextsOf(gl, {"glCopyTexImage2D", "glCopyTexImage1D", "gluBuild2DMipmaps", "glTexImage2D"}),
              std::vector<std::string>{"glCopyTexImage2D(3553, 0, 32849, 3, 5, 16, 8, 0)"});

    gl.Clear();
    t->Release();
    t->Target = GL_TEXTURE_1D;
    t->UpLoad();
    EXPECT_EQ(TextsOf(gl, {"glCopyTexImage1D"}),
              std::vector<std::string>{"glCopyTexImage1D(3552, 0, 32849, 3, 5, 16, 0)"});

    gl.Clear();
    t->Release();
    t->CopyFromFrameBuffer = false;
    t->Filter = GL_LINEAR;
    t->UpLoad();
    EXPECT_EQ(TextsOf(gl, {"glTexImage1D", "glBindTexture"}),
              (std::vector<std::string>{"glBindTexture(3552, 3)", "glTexImage1D(3552, 0, 32849, 16, 0, 6407, 5121, ptr)"}));
}

TEST_F(GLTexture, AnUnknownTargetRaisesBeforeAnyGLCall)
{
    TGLTexture* t = list.AddRGB8(2, 2);
    t->Target = 0x806F;  // GL_TEXTURE_3D
    EXPECT_EQ(ErrorOf([&] { t->UpLoad(); }), "TGLTexture.UpLoad error: Target has invalid format");
    EXPECT_FALSE(t->Uploaded());
    EXPECT_TRUE(gl.Calls().empty()) << gl.Text();
}

TEST_F(GLTexture, PixelsThatDoNotHoldTheFrameAreNotHandedOver)
{
    TGLTexture* t = list.AddRGB8(4, 4);
    t->SetSize(8, 8);  // bigger than the buffer made for 4 x 4
    t->UpLoad();
    ASSERT_EQ(gl.CallsOf("glTexImage2D").size(), 1u);
    EXPECT_EQ(gl.CallsOf("glTexImage2D")[0].Pointers[0], nullptr);

    // Mipmaps need pixels: none here, so a plain image is made.
    gl.Clear();
    t->Release();
    t->AllocPixels();
    t->SetCurrentFrame(1);  // one frame only
    t->Filter = GL_LINEAR_MIPMAP_NEAREST;
    t->UpLoad();
    EXPECT_EQ(gl.Count("gluBuild2DMipmaps"), 0);
    ASSERT_EQ(gl.CallsOf("glTexImage2D").size(), 1u);
    EXPECT_EQ(gl.CallsOf("glTexImage2D")[0].Pointers[0], nullptr);

    // The current frame of a buffer of several is the one uploaded.
    gl.Clear();
    t->Release();
    t->SetFrameCount(2);
    t->AllocPixels();
    t->UpLoad();
    ASSERT_EQ(gl.CallsOf("gluBuild2DMipmaps").size(), 1u);
    EXPECT_EQ(gl.CallsOf("gluBuild2DMipmaps")[0].Pointers[0], t->Pixels() + t->FrameSize());
}

// --- Binding, applying, releasing ----------------------------------------------------

TEST_F(GLTexture, ApplyUploadsOnceThenBindsAndEnables)
{
    TGLTexture* t = list.AddRGBA8(2, 2);
    t->AlphaRef = 0.5f;
    t->Apply();
    EXPECT_EQ(gl.Count("glGenTextures"), 1);
    EXPECT_EQ(TextsOf(gl, {"glBindTexture", "glAlphaFunc", "glEnable"}),
              (std::vector<std::string>{"glBindTexture(3553, 1)", "glBindTexture(3553, 1)", "glAlphaFunc(516, 0.5)",
                                        "glEnable(3553)"}));

    gl.Clear();
    t->Apply();
    EXPECT_EQ(gl.Names(), (std::vector<std::string>{"glBindTexture", "glAlphaFunc", "glEnable"}));
}

TEST_F(GLTexture, ReleaseDeletesTheNameKeepsThePixelsAndTheNextApplyUploadsAgain)
{
    TGLTexture* t = list.AddRGB8(2, 2);
    t->Release();  // nothing uploaded: nothing to delete
    EXPECT_TRUE(gl.Calls().empty());

    t->Apply();
    uint8_t* pixels = t->Pixels();
    t->Release();
    EXPECT_EQ(TextsOf(gl, {"glDeleteTextures"}), std::vector<std::string>{"glDeleteTextures(1, {1})"});
    EXPECT_FALSE(t->Uploaded());
    EXPECT_EQ(t->Pixels(), pixels);

    gl.Clear();
    t->Apply();
    EXPECT_EQ(gl.Count("glGenTextures"), 1);
    EXPECT_EQ(t->Name(), 2u);
    EXPECT_EQ(gl.CallsOf("glTexImage2D")[0].Pointers[0], pixels);

    gl.Clear();
    delete t;  // freeing releases
    EXPECT_EQ(TextsOf(gl, {"glDeleteTextures"}), std::vector<std::string>{"glDeleteTextures(1, {2})"});
}

TEST_F(GLTexture, TheTextureUnitIsChosenOnlyWithBoundMultitexture)
{
    TGLTexture* t = list.AddRGB8(2, 2);
    t->TextureUnit = 1;
    t->Bind();  // the list has not seen a multitexture driver
    EXPECT_EQ(gl.Names(), std::vector<std::string>{"glBindTexture"});

    gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture");
    gl.SetInteger(GL_MAX_TEXTURE_UNITS_ARB, 4);
    list.InitContext();
    ASSERT_TRUE(list.MultiTexture());
    gl.Clear();
    t->Bind();
    EXPECT_EQ(TextsOf(gl, {"glActiveTextureARB", "glBindTexture"}),
              (std::vector<std::string>{"glActiveTextureARB(33985)", "glBindTexture(3553, 0)"}));

    // The driver still claims it, but the entry point is gone.
    gl.Clear();
    glActiveTextureARB = nullptr;
    t->Apply();
    EXPECT_EQ(gl.Count("glActiveTextureARB"), 0);
    EXPECT_EQ(gl.Count("glBindTexture"), 2);
}

TEST(GLTextureContext, EveryTextureUploadsAgainAfterTheContextIsMadeAgain)
{
    GLRecorder gl;
    gl.SetString(GL_VERSION, "1.1 (stub)");
    auto* platform = new TGLStubPlatform;
    platform->Formats = {MakeTestDescriptor(pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer, 32, 16)};
    TCustomOpenGL context{std::unique_ptr<TGLPlatform>(platform)};
    const GLHDC dc = gltest::FakeDC();

    context.CreateRC(dc);
    TGLTexture* a = context.Textures().AddRGB8(2, 2);
    TGLTexture* b = context.Textures().AddRGBA4(4, 4);
    a->Apply();
    b->Apply();
    EXPECT_EQ(gl.Count("glGenTextures"), 2);

    context.DestroyRC();
    EXPECT_EQ(gl.Count("glDeleteTextures"), 2);
    EXPECT_FALSE(a->Uploaded());
    EXPECT_FALSE(b->Uploaded());
    ASSERT_NE(a->Pixels(), nullptr);

    context.CreateRC(dc);
    gl.Clear();
    a->Apply();
    b->Apply();
    a->Apply();
    EXPECT_EQ(gl.Count("glGenTextures"), 2);
    EXPECT_EQ(gl.Count("glTexImage2D"), 2);
}
