// Textures against the recording GL table: sizes, frames, what is handed over, units, contexts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLLists.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "../../support/ExceptionMessage.h"

namespace {

using testsupport::MessageOf;

struct GLTexture : ::testing::Test {
    GLRecorder gl;
    TGLTextureList list{nullptr};
    std::unique_ptr<TGLTexture> owned;
    TGLTexture* Own(TGLTexture* texture) { return (owned.reset(texture), texture); }
};

}  // namespace

TEST(GLTextureSizes, SizesFollowFormatAndTypeAndOnlyBoundedPowersOfTwoAreAccepted)
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
    // A side whose frame would not fit an int is refused like any other bad size.
    EXPECT_EQ(MessageOf([&] { t.SetWidth(1 << 30); }), "TGLTexture.SetWidth error: Width is not power 2");
    EXPECT_EQ(MessageOf([&] { t.SetHeight(2 * TGLTexture::MaxSide); }),
              "TGLTexture.SetHeight error: Height is not power 2");
    EXPECT_EQ(t.Width() * t.Height(), 256 * 128) << "a refused size changes nothing";
    t.SetFormat(GL_RGBA, GL_RGBA, GL_FLOAT);  // the widest pixel, 16 bytes
    t.SetSize(TGLTexture::MaxSide, TGLTexture::MaxSide);
    EXPECT_EQ(t.FrameSize(), 16 * TGLTexture::MaxSide * TGLTexture::MaxSide);
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

// Uploading once, with mipmaps when the filter asks, again after a release:
// SceneTextureTest; a freed texture's GL texture deleted: SceneContextTest.
TEST_F(GLTexture, ACopiedFrameBufferHasNoMipmapsAndUnknownTargetsRaise)
{
    list.SetDefaultFilter(GL_LINEAR_MIPMAP_LINEAR);
    TGLTexture* t = Own(list.AddRGBA8(8, 4));
    t->CopyFromFrameBuffer = true;
    t->CopyX = 3;
    t->UpLoad();
    EXPECT_EQ(gl.CallsOf("glCopyTexImage2D").at(0).Text(), "glCopyTexImage2D(3553, 0, 32856, 3, 0, 8, 4, 0)");
    EXPECT_EQ(gl.Count("gluBuild2DMipmaps"), 0);

    gl.Clear();
    t->Release();
    t->Target = 0x806F;  // GL_TEXTURE_3D
    EXPECT_EQ(MessageOf([&] { t->UpLoad(); }), "TGLTexture.UpLoad error: Target has invalid format");
    EXPECT_FALSE(t->Uploaded());
    EXPECT_EQ(gl.Count("glGenTextures"), 0) << gl.Text();
}

TEST_F(GLTexture, PixelsThatDoNotHoldTheFrameAreNotHandedOver)
{
    TGLTexture* t = Own(list.AddRGB8(4, 4));
    t->SetSize(8, 8);  // bigger than the buffer made for 4 x 4
    t->Filter = GL_LINEAR_MIPMAP_NEAREST;  // mipmaps need pixels: a plain image is made
    t->UpLoad();
    EXPECT_EQ(gl.Count("gluBuild2DMipmaps"), 0);
    EXPECT_EQ(gl.CallsOf("glTexImage2D").at(0).Pointers[0], nullptr);

    // The current frame of several is the one uploaded.
    gl.Clear();
    t->Release();
    t->SetFrameCount(2);
    t->AllocPixels();
    t->SetCurrentFrame(1);
    t->UpLoad();
    EXPECT_EQ(gl.CallsOf("gluBuild2DMipmaps").at(0).Pointers[0], t->Pixels() + t->FrameSize());
}

TEST_F(GLTexture, TheTextureUnitIsChosenOnlyWithBoundMultitexture)
{
    TGLTexture* t = Own(list.AddRGB8(2, 2));
    t->TextureUnit = 1;
    gl.SetString(GL_EXTENSIONS, "GL_ARB_multitexture");
    list.InitContext();
    gl.Clear();
    t->Bind();
    EXPECT_EQ(gl.CallsOf("glActiveTextureARB").at(0).Text(), "glActiveTextureARB(33985)");
    gl.Clear();
    glActiveTextureARB = nullptr;  // claimed by the driver, but the entry point is gone
    t->Bind();
    EXPECT_EQ(gl.Names(), std::vector<std::string>{"glBindTexture"});
}

TEST(GLTextureContext, EveryTextureUploadsAgainAfterTheContextIsMadeAgain)
{
    GLRecorder gl;
    const std::unique_ptr<TCustomOpenGL> context = NewStubContext();
    std::unique_ptr<TGLTexture> a(context->Textures().AddRGB8(2, 2));
    a->Apply();
    context->DestroyRC();
    EXPECT_EQ(gl.Count("glDeleteTextures"), 1);
    context->CreateRC(StubDC());
    gl.Clear();
    a->Apply();
    a->Apply();
    EXPECT_EQ(gl.Count("glTexImage2D"), 1);
}
