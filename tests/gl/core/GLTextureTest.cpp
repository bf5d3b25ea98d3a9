// Textures against the recording GL table: sizes, what is handed over, contexts.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLLists.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "../../support/ExceptionMessage.h"

using testsupport::MessageOf;

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
    t.SetSize(4, 2);  // GL_RGB bytes: 12 per row
    t.AllocPixels();
    EXPECT_EQ(t.GetScanLine(1), t.Pixels() + 12);
    t.GetScanLine(1)[11] = 7;  // the buffer's last byte
    EXPECT_EQ(t.GetScanLine(2), nullptr);
    EXPECT_EQ(t.GetScanLine(-1), nullptr);
    t.SetSize(4, 4);  // rows 2 and 3 are not in the buffer made for 4 x 2
    EXPECT_EQ(t.GetScanLine(3), nullptr);
}

// Uploading once, with mipmaps when the filter asks, again after a release:
// SceneTextureTest; a freed texture's GL texture deleted: SceneContextTest.
// (The program copies no frame buffer into a texture, uses only 2-D textures
// of one frame on unit 0: those options are left untested.)
TEST(GLTextureUpload, PixelsThatDoNotHoldTheFrameAreNotHandedOver)
{
    GLRecorder gl;
    TGLTextureList list(nullptr);
    const std::unique_ptr<TGLTexture> t(list.AddRGB8(4, 4));
    t->SetSize(8, 8);  // bigger than the buffer made for 4 x 4
    t->Filter = GL_LINEAR_MIPMAP_NEAREST;  // mipmaps need pixels: a plain image is made
    t->UpLoad();
    EXPECT_EQ(gl.Count("gluBuild2DMipmaps"), 0);
    EXPECT_EQ(gl.CallsOf("glTexImage2D").at(0).Pointers[0], nullptr);
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
