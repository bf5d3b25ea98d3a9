// Textures against the recording GL table.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLLists.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "GLTestSupport.h"

namespace {

using gltest::MessageOf;
using gltest::Texts;

// The value the last glTexParameteri call set for pname, or "".
std::string Parameter(const GLRecorder& gl, GLenum pname)
{
    std::string value;
    for (const GLCall& call : gl.CallsOf("glTexParameteri"))
        if (call.Args[1] == std::to_string(pname))
            value = call.Args[2];
    return value;
}

struct GLTexture : ::testing::Test {
    GLRecorder gl;
    TGLTextureList list{nullptr};
};

}  // namespace

TEST(GLTextureSizes, SizesFollowFormatAndTypeAndOnlyPowersOfTwoAreAccepted)
{
    TGLTexture t(nullptr);
    t.SetSize(256, 128);
    for (const auto& [format, type, bytes] : {std::tuple{GL_BGRA, GL_SHORT, 8}, {GL_RGB, GL_UNSIGNED_SHORT_5_6_5, 2}}) {
        t.SetFormat(GL_RGBA8, format, type);
        EXPECT_EQ(t.BytesPerPixel(), bytes) << std::hex << format << " " << type;
        EXPECT_EQ(t.FrameSize(), bytes * 256 * 128);
    }
    EXPECT_EQ(MessageOf([&] { t.SetWidth(100); }), "TGLTexture.SetWidth error: Width is not power 2");
    EXPECT_EQ(MessageOf([&] { t.SetHeight(-4); }), "TGLTexture.SetHeight error: Height is not power 2");
    EXPECT_EQ(t.Width() * t.Height(), 256 * 128) << "a refused size changes nothing";
    EXPECT_EQ(MessageOf([&] { t.SetSize(0, 1); }), "(no exception)");
}

TEST(GLTexturePixels, ScanLinesOutsideTheBufferAreNull)
{
    TGLTexture t(nullptr);
    t.SetSize(4, 2);  // GL_RGB bytes: 12 per row, 24 per frame
    t.SetFrameCount(3);
    t.AllocPixels();
    t.SetCurrentFrame(2);
    EXPECT_EQ(t.GetScanLine(0), t.Pixels() + 48);
    t.GetScanLine(1)[11] = 7;  // the buffer's last byte
    EXPECT_EQ(t.GetScanLine(2), nullptr);
    EXPECT_EQ(t.GetScanLine(-1), nullptr);
    t.SetCurrentFrame(3);
    EXPECT_EQ(t.GetScanLine(0), nullptr);
}

TEST_F(GLTexture, UploadSendsTheImageAndItsParametersOnce)
{
    TGLTexture* t = list.AddRGB8(4, 2);
    t->Priority = 0.5f;
    t->EnvColor = {0.25f, 0.5f, 0.75f, 1};
    t->UpLoad();
    EXPECT_EQ(Texts(gl), (std::vector<std::string>{
                             "glGenTextures(1, ptr)", "glBindTexture(3553, 1)", "glPixelStoref(3317, 1)",
                             "glTexParameterf(3553, 32870, 0.5)",
                             "glTexImage2D(3553, 0, 32849, 4, 2, 0, 6407, 5121, ptr)",
                             "glTexParameteri(3553, 10241, 9729)", "glTexParameteri(3553, 10240, 9729)",
                             "glTexParameteri(3553, 10242, 10497)", "glTexParameteri(3553, 10243, 10497)",
                             "glTexEnvi(8960, 8704, 8448)", "glTexEnvfv(8960, 8705, {0.25,0.5,0.75,1})"}));
    EXPECT_EQ(gl.CallsOf("glTexImage2D")[0].Pointers[0], t->Pixels());
    gl.Clear();
    t->UpLoad();
    EXPECT_TRUE(gl.Calls().empty());
}

TEST_F(GLTexture, AMipmapFilterBuildsMipmapsAndMagnifiesLinearly)
{
    list.SetDefaultFilter(GL_LINEAR_MIPMAP_LINEAR);
    TGLTexture* t = list.AddRGBA8(8, 4);
    t->Repeat = false;
    t->UpLoad();
    EXPECT_EQ(Texts(gl, {"gluBuild2DMipmaps", "glTexImage2D"}),
              std::vector<std::string>{"gluBuild2DMipmaps(3553, 4, 8, 4, 6408, 5121, ptr)"});
    EXPECT_EQ(Parameter(gl, GL_TEXTURE_MAG_FILTER), std::to_string(GL_LINEAR));
    EXPECT_EQ(Parameter(gl, GL_TEXTURE_WRAP_T), std::to_string(GL_CLAMP));
}

TEST_F(GLTexture, FrameBufferCopiesWinOverMipmapsAndUnknownTargetsRaise)
{
    TGLTexture* t = list.AddRGB8(16, 8);
    t->CopyFromFrameBuffer = true;
    t->CopyX = 3;
    t->CopyY = 5;
    t->Filter = GL_LINEAR_MIPMAP_LINEAR;
    t->UpLoad();
    EXPECT_EQ(Texts(gl, {"glCopyTexImage2D", "gluBuild2DMipmaps", "glTexImage2D"}),
              std::vector<std::string>{"glCopyTexImage2D(3553, 0, 32849, 3, 5, 16, 8, 0)"});

    gl.Clear();
    t->Release();
    t->Target = 0x806F;  // GL_TEXTURE_3D
    EXPECT_EQ(MessageOf([&] { t->UpLoad(); }), "TGLTexture.UpLoad error: Target has invalid format");
    EXPECT_FALSE(t->Uploaded());
    EXPECT_EQ(gl.Count("glGenTextures"), 0) << gl.Text();
}

TEST_F(GLTexture, PixelsThatDoNotHoldTheFrameAreNotHandedOver)
{
    TGLTexture* t = list.AddRGB8(4, 4);
    t->SetSize(8, 8);  // bigger than the buffer made for 4 x 4
    t->Filter = GL_LINEAR_MIPMAP_NEAREST;  // mipmaps need pixels: a plain image is made
    t->UpLoad();
    EXPECT_EQ(gl.Count("gluBuild2DMipmaps"), 0);
    ASSERT_EQ(gl.CallsOf("glTexImage2D").size(), 1u);
    EXPECT_EQ(gl.CallsOf("glTexImage2D")[0].Pointers[0], nullptr);

    // The current frame of several is the one uploaded.
    gl.Clear();
    t->Release();
    t->SetFrameCount(2);
    t->AllocPixels();
    t->SetCurrentFrame(1);
    t->UpLoad();
    ASSERT_EQ(gl.CallsOf("gluBuild2DMipmaps").size(), 1u);
    EXPECT_EQ(gl.CallsOf("gluBuild2DMipmaps")[0].Pointers[0], t->Pixels() + t->FrameSize());
}

TEST_F(GLTexture, ApplyUploadsOnceAndReleaseKeepsThePixelsForTheNextUpload)
{
    TGLTexture* t = list.AddRGBA8(2, 2);
    t->AlphaRef = 0.5f;
    t->Apply();
    gl.Clear();
    t->Apply();
    EXPECT_EQ(Texts(gl), (std::vector<std::string>{"glBindTexture(3553, 1)", "glAlphaFunc(516, 0.5)",
                                                   "glEnable(3553)"}));

    uint8_t* pixels = t->Pixels();
    t->Release();
    EXPECT_EQ(Texts(gl, {"glDeleteTextures"}), std::vector<std::string>{"glDeleteTextures(1, {1})"});
    gl.Clear();
    t->Apply();
    EXPECT_EQ(gl.CallsOf("glTexImage2D")[0].Pointers[0], pixels);
    gl.Clear();
    delete t;
    EXPECT_EQ(Texts(gl, {"glDeleteTextures"}), std::vector<std::string>{"glDeleteTextures(1, {2})"});
}

TEST_F(GLTexture, TheTextureUnitIsChosenOnlyWithBoundMultitexture)
{
    TGLTexture* t = list.AddRGB8(2, 2);
    t->TextureUnit = 1;
    gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture");
    list.InitContext();
    gl.Clear();
    t->Bind();
    EXPECT_EQ(Texts(gl), (std::vector<std::string>{"glActiveTextureARB(33985)", "glBindTexture(3553, 0)"}));

    gl.Clear();
    glActiveTextureARB = nullptr;  // claimed by the driver, but the entry point is gone
    t->Bind();
    EXPECT_EQ(gl.Names(), std::vector<std::string>{"glBindTexture"});
}

TEST(GLTextureContext, EveryTextureUploadsAgainAfterTheContextIsMadeAgain)
{
    GLRecorder gl;
    auto* platform = new TGLStubPlatform;
    platform->Formats = {MakeTestDescriptor(pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer, 32, 16)};
    TCustomOpenGL context{std::unique_ptr<TGLPlatform>(platform)};
    context.CreateRC(gltest::FakeDC());
    TGLTexture* a = context.Textures().AddRGB8(2, 2);
    a->Apply();
    context.DestroyRC();
    EXPECT_EQ(gl.Count("glDeleteTextures"), 1);
    context.CreateRC(gltest::FakeDC());
    gl.Clear();
    a->Apply();
    a->Apply();
    EXPECT_EQ(gl.Count("glTexImage2D"), 1);
}
