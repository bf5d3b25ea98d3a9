#include "scene/core/SceneTexture.h"

#include <functional>

#include "classlib/core/JpegCodec.h"
#include "scene/core/SceneTexturePicture.h"
#include "SceneTestObjects.h"

namespace {

using TColorOf = std::function<TPictureBGR(int x, int y)>;

TDibImage Picture24(int width, int height, const TColorOf& colorOf)
{
    TDibImage picture = Blank(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TPictureBGR color = colorOf(x, y);
            uint8_t* p = picture.ScanLine(y) + 3 * x;
            p[0] = color.b;
            p[1] = color.g;
            p[2] = color.r;
        }
    return picture;
}

// A different colour at every pixel of a small picture (row 0 on top).
TPictureBGR Gradient(int x, int y)
{
    return {static_cast<uint8_t>(200 + y), static_cast<uint8_t>(7 * x), static_cast<uint8_t>(3 * x + 50 * y + 1)};
}

TColorOf Solid(uint8_t r, uint8_t g, uint8_t b)
{
    return [=](int, int) { return TPictureBGR{b, g, r}; };
}

std::string JpegFile(const TDibImage& picture)
{
    const std::vector<uint8_t> bytes = EncodeJpeg(picture, 100);
    return {bytes.begin(), bytes.end()};
}

std::string Text(TPictureBGR color)
{
    return IntToStr(color.r) + "," + IntToStr(color.g) + "," + IntToStr(color.b);
}

// The colour of texture texel (row 0 at the bottom), as red, green, blue.
std::string Texel(const TGLTexture& texture, int row, int column)
{
    const uint8_t* p = texture.GetScanLine(row) + column * texture.BytesPerPixel();
    return Text({p[0], p[1], p[2]});
}

int TexelAlpha(const TGLTexture& texture, int row, int column)
{
    return texture.GetScanLine(row)[column * texture.BytesPerPixel() + 3];
}

// A stub scene with a texture list "Textures" that reads files from a
// temporary folder.
struct SceneTextureTest : ::testing::Test, TStubScene {
    SceneTextureTest()
    {
        list->SourceLocation = slFile;
        list->Path = folder.Path();
    }

    // A texture object in the list with nothing loaded, as a description
    // makes it.
    TSceneTexture* Described(const std::string& name, TTextureFormat format, const std::string& file)
    {
        auto* texture = new TSceneTexture();
        texture->SetName(name);
        list->Add(texture);
        texture->Format = format;
        texture->TextureName = folder.Path() + file;
        return texture;
    }

    TTempFolder folder;
    TSceneTextureList* list = Add(new TSceneTextureList, "Textures");
};

}  // namespace

TEST(SceneTextureText, PixelStepFollowsQualityButKeepsAtLeast32TexelsAcross)
{
    EXPECT_EQ(TexturePixelStep(64, TTextureQuality::Low), 2);  // 64 div 4 < 32: 64 div 32
    EXPECT_EQ(TexturePixelStep(128, TTextureQuality::Low), 4);  // exactly 32 across
    EXPECT_EQ(TexturePixelStep(256, TTextureQuality::Medium), 2);
    EXPECT_EQ(TexturePixelStep(16, TTextureQuality::Low), 1);  // narrower than 32
    EXPECT_EQ(TexturePixelStep(0, TTextureQuality::Medium), 1);
}

TEST_F(SceneTextureTest, OpaquePictureIsStoredBottomRowFirstInBlueGreenRedOrder)
{
    folder.Write("grad.bmp", BmpFile(Picture24(4, 2, Gradient)));
    const TGLTexture& gl = *list->AddPlainTexture("grad.bmp")->GLTexture();
    ASSERT_EQ(gl.Width(), 4);
    ASSERT_EQ(gl.Height(), 2);
    EXPECT_EQ(gl.Format(), static_cast<GLenum>(GL_BGR));
    EXPECT_EQ(gl.BytesPerPixel(), 3);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(Texel(gl, row, column), Text(Gradient(column, 1 - row))) << row << "," << column;
}

TEST_F(SceneTextureTest, PicturesOfOtherDepthsAreConvertedNotLeftBlank)
{
    folder.Write("deep.bmp", BmpFile(Blank(2, 1, 16, {0xE0, 0x03, 0x1F, 0x00})));  // 5-5-5 green, blue
    const TGLTexture& gl = *list->AddPlainTexture("deep.bmp")->GLTexture();
    EXPECT_EQ(Texel(gl, 0, 0), "0,255,0");
    EXPECT_EQ(Texel(gl, 0, 1), "0,0,255");
}

TEST_F(SceneTextureTest, SpriteIsTransparentExactlyWhereTheKeyColourIs)
{
    const TColorOf keyed = [](int x, int y) {
        return (x == 1 && y == 0) || (x == 3 && y == 1) ? TPictureBGR{255, 0, 255} : TPictureBGR{254, 0, 255};
    };
    folder.Write("keyed.bmp", BmpFile(Picture24(4, 2, keyed)));
    TSceneTexture* texture = list->AddTexture(TTextureFormat::Sprite, "keyed.bmp", "", false, 255, 0, 255);
    const TGLTexture& gl = *texture->GLTexture();
    EXPECT_EQ(gl.BytesPerPixel(), 4);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column) {
            const bool key = (column == 1 && row == 1) || (column == 3 && row == 0);
            EXPECT_EQ(TexelAlpha(gl, row, column), key ? 0 : 255) << row << "," << column;
            EXPECT_EQ(Texel(gl, row, column), Text(keyed(column, 1 - row)));
        }
}

TEST_F(SceneTextureTest, AlphaComesFromTheOwnBrightnessWhenTheNamesMatchElseFromTheAlphaPicture)
{
    folder.Write("grey.bmp", BmpFile(Picture24(4, 2, Gradient)));
    // "GREY.BMP" is not read: on a case-sensitive file system it does not
    // even exist.
    TSceneTexture* texture = list->AddAlphaTexture("grey.bmp", "GREY.BMP");
    EXPECT_EQ(texture->Name(), "GREY.BMP");
    const TGLTexture& gl = *texture->GLTexture();
    for (int column = 0; column < 4; ++column) {
        const TPictureBGR color = Gradient(column, 0);
        EXPECT_EQ(TexelAlpha(gl, 1, column), (color.r + color.g + color.b) / 3);
        EXPECT_EQ(Texel(gl, 1, column), Text(color));
    }

    // From a separate picture.
    folder.Write("mask.bmp", BmpFile(Picture24(4, 2, [](int x, int y) {
                     return TPictureBGR{static_cast<uint8_t>(x * 60), static_cast<uint8_t>(x * 60 + 3),
                                        static_cast<uint8_t>(y * 90)};
                 })));
    const TGLTexture& masked = *list->AddAlphaTexture("grey.bmp", "mask.bmp")->GLTexture();
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(TexelAlpha(masked, 0, column), (120 * column + 3 + 90) / 3);
}

TEST_F(SceneTextureTest, SourceLocationDecidesWherePicturesComeFrom)
{
    Resources.AddBitmap("pic_bmp", PackedDib(Picture24(2, 2, Solid(200, 10, 20))));
    folder.Write("pic.bmp", BmpFile(Picture24(2, 2, Solid(6, 7, 8))));
    folder.Write("photo.jpg", JpegFile(Picture24(16, 16, Solid(0, 0, 255))));
    // File only: bitmaps from files.
    EXPECT_EQ(Texel(*list->AddPlainTexture("pic.bmp")->GLTexture(), 0, 0), "6,7,8");
    EXPECT_TRUE(Resources.Requests.empty());
    list->Clear();

    // File and resource: bitmaps from resources, JPEGs from files.
    list->SourceLocation = slFile | slResource;
    EXPECT_EQ(Texel(*list->AddPlainTexture("pic.bmp")->GLTexture(), 0, 0), "200,10,20");
    const TGLTexture& photo = *list->AddPlainTexture("photo.jpg")->GLTexture();
    ASSERT_EQ(photo.Width(), 16);
    EXPECT_NEAR(photo.GetScanLine(8)[3 * 8], 255, 4);  // blue
    EXPECT_EQ(Resources.Requests, std::vector<std::string>{"pic_bmp"});
    list->Clear();

    // Resource only: JPEGs from RCDATA under their resource name.
    list->SourceLocation = slResource;
    list->Path = ".\\";
    Resources.Requests.clear();
    Resources.Add("photo_jpg", JpegFile(Picture24(16, 8, Solid(250, 250, 250))));
    EXPECT_EQ(list->AddPlainTexture("photo.jpg")->GLTexture()->Height(), 8);
    EXPECT_EQ(Texel(*list->AddPlainTexture("pic.bmp")->GLTexture(), 1, 1), "200,10,20");
    EXPECT_EQ(Resources.Requests, (std::vector<std::string>{"photo_jpg", "pic_bmp"}));
    // ".jpeg", in any case, and the old misspelling ".jepg" are JPEGs too.
    Resources.Add("long_JPEG", JpegFile(Picture24(16, 4, Solid(250, 250, 250))));
    Resources.Add("old_jepg", JpegFile(Picture24(16, 2, Solid(250, 250, 250))));
    EXPECT_EQ(list->AddPlainTexture("long.JPEG")->GLTexture()->Height(), 4);
    EXPECT_EQ(list->AddPlainTexture("old.jepg")->GLTexture()->Height(), 2);
}

// Missing, damaged and unusable pictures raise; no texture object or GL
// texture is left behind.
TEST_F(SceneTextureTest, BadPicturesRaiseAndLeaveNothingBehind)
{
    const std::string bmp = BmpFile(Picture24(4, 4, Gradient));
    const std::string jpeg = JpegFile(Picture24(16, 16, Gradient));
    const std::map<std::string, std::string> damaged = {
        {"empty.bmp", ""},
        {"cut.bmp", bmp.substr(0, bmp.size() - 10)},
        {"cut.jpg", jpeg.substr(0, jpeg.size() / 2)},
        {"text.jpg", "not a picture at all"},
    };
    for (const auto& [name, bytes] : damaged) {
        folder.Write(name, bytes);
        EXPECT_NE(MessageOf<EInvalidGraphic>([&] { list->AddPlainTexture(name); }), "no exception") << name;
    }
    folder.Write("odd.bmp", BmpFile(Picture24(3, 2, Gradient)));
    EXPECT_EQ(MessageOf<Exception>([&] { list->AddPlainTexture("odd.bmp"); }),
              "TGLTexture.SetWidth error: Width is not power 2");
    folder.Write("col.bmp", bmp);
    folder.Write("small.bmp", BmpFile(Picture24(4, 1, Gradient)));
    EXPECT_EQ(MessageOf<Exception>([&] { list->AddAlphaTexture("col.bmp", "small.bmp"); }),
              "TSceneTexture.AlphaFromBitmap error: Texture size is not equal Alpha size!");
    EXPECT_NE(MessageOf<EFOpenError>([&] { list->AddPlainTexture("missing.bmp"); }), "no exception");
    list->SourceLocation = slResource;
    list->Path = ".\\";
    EXPECT_EQ(MessageOf<EResNotFound>([&] { list->AddPlainTexture("missing.jpg"); }),
              "Resource missing_jpg not found");
    EXPECT_EQ(MessageOf<EResNotFound>([&] { list->AddSpriteTexture("pic.bmp"); }), "Resource pic_bmp not found");
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(GL.Textures().Count(), 0);
}

TEST_F(SceneTextureTest, CreateGLTextureChoosesPresetFilterAndAlphaReference)
{
    struct TCase {
        bool softwareOnly, mipMap, colorBit16;
        TTextureFormat format;
        GLenum filter, internalFormat, pixelFormat;
        float alphaRef;
    };
    const TCase cases[] = {
        {false, false, false, TTextureFormat::Texture, GL_LINEAR, GL_RGB8, GL_BGR, 0},
        {false, true, false, TTextureFormat::Texture, GL_LINEAR_MIPMAP_LINEAR, GL_RGB8, GL_BGR, 0},
        {true, true, false, TTextureFormat::Texture, GL_NEAREST_MIPMAP_NEAREST, GL_RGB8, GL_BGR, 0},
        // Only opaque textures are made with mipmaps.
        {false, true, false, TTextureFormat::Sprite, GL_LINEAR, GL_RGBA8, GL_BGRA, 0.5f},
        {true, true, false, TTextureFormat::Alpha, GL_NEAREST, GL_RGBA8, GL_BGRA, 0.02f},
        {false, false, true, TTextureFormat::Alpha, GL_LINEAR, GL_RGBA4, GL_BGRA, 0.02f},
    };
    TSceneTexture* texture = Described("T", TTextureFormat::Texture, "t.bmp");
    for (const TCase& c : cases) {
        SCOPED_TRACE(TextureFormatToStr(c.format) + (c.softwareOnly ? " software" : " accelerated") +
                     (c.mipMap ? " mipmap" : "") + (c.colorBit16 ? " 16bit" : ""));
        GL.SetGenericOnly(c.softwareOnly);
        GL.Textures().SetUseBGRA(false);
        list->MipMap = c.mipMap;
        list->ColorBit16 = c.colorBit16;
        texture->CreateGLTexture(c.format);
        EXPECT_EQ(GL.Textures().Count(), 1);  // the old GL texture is freed
        EXPECT_TRUE(GL.Textures().UseBGRA());
        EXPECT_EQ(GL.Textures().DefaultFilter(), c.filter);
        const TGLTexture& glTexture = *texture->GLTexture();
        EXPECT_EQ(glTexture.Filter, c.filter);
        EXPECT_EQ(glTexture.InternalFormat(), c.internalFormat);
        EXPECT_EQ(glTexture.Format(), c.pixelFormat);
        EXPECT_FLOAT_EQ(glTexture.AlphaRef, c.alphaRef);
    }
}

TEST_F(SceneTextureTest, CreateGLTextureNeedsTheScenesContextObject)
{
    Scene.GL = nullptr;
    TSceneTexture* texture = Described("T", TTextureFormat::Texture, "t.bmp");
    EXPECT_EQ(MessageOf<Exception>([&] { texture->CreateGLTexture(TTextureFormat::Sprite); }),
              "TSceneTexture.CreateGLTexture error: MainScene is NIL!");
    TSceneTexture loose;
    EXPECT_EQ(MessageOf<Exception>([&] { loose.Bind(); }), "TSceneTexture.CreateGLTexture error: MainScene is NIL!");
}

TEST_F(SceneTextureTest, BindMakesAndFillsTheTextureOnFirstUseAndUploadsItOnce)
{
    folder.Write("s.bmp", BmpFile(Picture24(4, 2, Gradient)));
    TSceneTexture* texture = Described("S", TTextureFormat::Sprite, "s.bmp");
    Recorder.Clear();
    SetCurrentTexture(texture);
    ASSERT_NE(texture->GLTexture(), nullptr);
    TGLTexture* gl = texture->GLTexture();
    ASSERT_EQ(Recorder.Count("glTexImage2D"), 1);
    EXPECT_EQ(Recorder.CallsOf("glTexImage2D")[0].Pointers.back(), gl->Pixels());  // filled before the upload
    ResetTextureCache();
    SetCurrentTexture(texture);
    EXPECT_EQ(Recorder.Count("glTexImage2D"), 1);
    EXPECT_EQ(texture->GLTexture(), gl);

    // Opaque textures are uploaded with mipmaps when the list asks.
    list->MipMap = true;
    folder.Write("m.bmp", BmpFile(Picture24(4, 4, Gradient)));
    Described("M", TTextureFormat::Texture, "m.bmp")->Bind();
    EXPECT_EQ(Recorder.Count("glTexImage2D"), 1);
    EXPECT_EQ(Recorder.Count("gluBuild2DMipmaps"), 1);
}

// An update releases every made texture and gives it the list's filter and
// colour depth: an accelerated context mipmaps every format once asked, a
// software-only one opaque textures only. (The Wine sprite test draws one
// again after an update.)
TEST_F(SceneTextureTest, UpdateTexturesReleasesAndResetsFilterAndInternalFormat)
{
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        folder.Write(name, BmpFile(Picture24(2, 2, Gradient)));
    const std::vector<TSceneTexture*> textures{list->AddPlainTexture("a.bmp"), list->AddAlphaTexture("a.bmp", "b.bmp"),
                                               list->AddSpriteTexture("c.bmp")};
    for (TSceneTexture* texture : textures)
        texture->Bind();
    list->MipMap = true;
    list->ColorBit16 = true;
    for (const bool softwareOnly : {false, true}) {
        GL.SetGenericOnly(softwareOnly);
        list->UpdateTextures();
        const GLenum formats[] = {GL_RGB5, GL_RGBA4, GL_RGB5_A1};
        for (size_t i = 0; i < textures.size(); ++i) {
            const TGLTexture& glTexture = *textures[i]->GLTexture();
            EXPECT_FALSE(glTexture.Uploaded()) << i;
            EXPECT_EQ(glTexture.InternalFormat(), formats[i]) << i;
            const GLenum softwareFilter = i == 0 ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST;
            EXPECT_EQ(glTexture.Filter, softwareOnly ? softwareFilter : GL_LINEAR_MIPMAP_LINEAR) << i;
        }
    }
}
