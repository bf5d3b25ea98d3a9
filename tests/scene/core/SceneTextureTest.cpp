#include "scene/core/SceneTexture.h"

#include <functional>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/JpegCodec.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneTexturePicture.h"
#include "SceneTestObjects.h"

namespace {

// --- Pictures --------------------------------------------------------------------

using TColorOf = std::function<TPictureBGR(int x, int y)>;

// A picture of the given depth, zeroed (with a black colour table up to 8
// bits), whose top row starts with the given bytes.
TDibImage Blank(int width, int height, int bitCount, const std::vector<uint8_t>& topRow = {})
{
    TDibImage picture;
    picture.Width = width;
    picture.Height = height;
    picture.BitCount = bitCount;
    picture.Allocate();
    std::copy(topRow.begin(), topRow.end(), picture.ScanLine(0));
    return picture;
}

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

std::string BmpFile(const TDibImage& picture)
{
    const std::vector<uint8_t> bytes = WriteBmpFile(picture);
    return {bytes.begin(), bytes.end()};
}

// What an RT_BITMAP resource holds: the file without its 14-byte header.
std::string PackedDib(const TDibImage& picture)
{
    return BmpFile(picture).substr(14);
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

// --- Places pictures come from ------------------------------------------------------

// Program resources served from memory. Names joined to a native folder
// ("/tmp/...") keep that folder, which a resource name never has; the
// provider drops it.
class TPictureResources : public TSceneResourceProvider, public TSceneBitmapResources {
public:
    std::string ReadResource(const std::string& name) override { return Find(RCData, name); }
    std::string ReadBitmapResource(const std::string& name) override { return Find(Bitmaps, name); }

    std::map<std::string, std::string> RCData;
    std::map<std::string, std::string> Bitmaps;
    std::vector<std::string> Requests;

private:
    std::string Find(const std::map<std::string, std::string>& resources, const std::string& name)
    {
        const std::string key = name.substr(name.find_last_of('/') + 1);
        Requests.push_back(key);
        const auto found = resources.find(key);
        if (found == resources.end())
            throw EResNotFound("Resource " + key + " not found");
        return found->second;
    }
};

// A scene with a context object (no context is made: filling textures
// needs none) and a texture list "Textures" whose Path is a temporary
// folder; the picture resources are installed.
class SceneTextureTest : public ::testing::Test {
protected:
    SceneTextureTest()
    {
        scene.GL = &context;
        list = new TSceneTextureList();
        list->SetName("Textures");
        list->Path = folder.Path();
        scene.Add(list);
        SetSceneResources(&resources);
        ResetTextureCache();
    }
    ~SceneTextureTest() override
    {
        SetSceneResources(nullptr);
        ResetTextureCache();
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
    TPictureResources resources;
    TCustomOpenGL context{std::make_unique<TGLStubPlatform>()};
    TMainScene scene;
    TSceneTextureList* list = nullptr;
};

}  // namespace

// --- Texts and steps ------------------------------------------------------------------

TEST(SceneTextureText, PixelStepFollowsQualityButKeepsAtLeast32TexelsAcross)
{
    EXPECT_EQ(TexturePixelStep(64, TTextureQuality::Low), 2);  // 64 div 4 < 32: 64 div 32
    EXPECT_EQ(TexturePixelStep(256, TTextureQuality::Medium), 2);
    EXPECT_EQ(TexturePixelStep(256, TTextureQuality::Low), 4);
    EXPECT_EQ(TexturePixelStep(128, TTextureQuality::Low), 4);  // exactly 32 across
    EXPECT_EQ(TexturePixelStep(512, TTextureQuality::High), 1);
    EXPECT_EQ(TexturePixelStep(32, TTextureQuality::Low), 1);
    EXPECT_EQ(TexturePixelStep(16, TTextureQuality::Low), 1);  // narrower than 32
    EXPECT_EQ(TexturePixelStep(0, TTextureQuality::Medium), 1);
}

TEST(SceneTextureText, ColorBitFormatAndQualityWords)
{
    EXPECT_TRUE(TSceneTextureList::StrToColorBit(""));
    EXPECT_TRUE(TSceneTextureList::StrToColorBit("16bit"));
    EXPECT_FALSE(TSceneTextureList::StrToColorBit("32bit"));
    EXPECT_FALSE(TSceneTextureList::StrToColorBit("x32"));
    EXPECT_EQ(TSceneTextureList::ColorBitToStr(true), "16bit");
    EXPECT_EQ(TSceneTextureList::ColorBitToStr(false), "32bit");

    // The first of Texture, Alpha, Sprite found anywhere wins, in that order.
    EXPECT_EQ(StrToTextureFormat("SpriteAlpha"), TTextureFormat::Alpha);
    EXPECT_EQ(StrToTextureFormat("AlphaTexture"), TTextureFormat::Texture);
    EXPECT_EQ(StrToTextureFormat("[Sprite]"), TTextureFormat::Sprite);
    EXPECT_EQ(StrToTextureFormat("sprite"), TTextureFormat::Texture);  // case-sensitive
    EXPECT_EQ(StrToTextureFormat(""), TTextureFormat::Texture);
    EXPECT_EQ(StrToTextureQuality("MediumHigh"), TTextureQuality::High);
    EXPECT_EQ(StrToTextureQuality("Medium"), TTextureQuality::Medium);
    EXPECT_EQ(StrToTextureQuality(""), TTextureQuality::Low);
    for (auto format : {TTextureFormat::Texture, TTextureFormat::Alpha, TTextureFormat::Sprite})
        EXPECT_EQ(StrToTextureFormat(TextureFormatToStr(format)), format);
    for (auto quality : {TTextureQuality::High, TTextureQuality::Medium, TTextureQuality::Low})
        EXPECT_EQ(StrToTextureQuality(TextureQualityToStr(quality)), quality);
}

// --- Pixels ---------------------------------------------------------------------------

TEST(ScenePicturePixel, ReadsEveryDepthAsBlueGreenRed)
{
    TDibImage one = Blank(8, 1, 1, {0xA0});  // pixels 0 and 2 set
    one.Palette[1] = 0x00FF8040;
    EXPECT_EQ(Text(PicturePixel(one, 0, 0)), "255,128,64");
    EXPECT_EQ(Text(PicturePixel(one, 1, 0)), "0,0,0");
    EXPECT_EQ(Text(PicturePixel(one, 2, 0)), "255,128,64");

    TDibImage four = Blank(2, 1, 4, {0x3A});
    four.Palette[3] = 0x00010203;
    four.Palette[10] = 0x000A0B0C;
    EXPECT_EQ(Text(PicturePixel(four, 0, 0)), "1,2,3");
    EXPECT_EQ(Text(PicturePixel(four, 1, 0)), "10,11,12");

    // 5-5-5: red full; blue 16 of 31.
    const TDibImage standard16 = Blank(2, 1, 16, {0x00, 0x7C, 0x10, 0x00});
    EXPECT_EQ(Text(PicturePixel(standard16, 0, 0)), "255,0,0");
    EXPECT_EQ(Text(PicturePixel(standard16, 1, 0)), "0,0,132");
    TDibImage masked16 = Blank(2, 1, 16, {0xE0, 0x07, 0x00, 0xF8});  // 5-6-5 green full, red full
    masked16.RedMask = 0xF800;
    masked16.GreenMask = 0x07E0;
    masked16.BlueMask = 0x001F;
    EXPECT_EQ(Text(PicturePixel(masked16, 0, 0)), "0,255,0");
    EXPECT_EQ(Text(PicturePixel(masked16, 1, 0)), "255,0,0");

    TDibImage thirtyTwo = Blank(1, 1, 32, {0x30, 0x20, 0x10, 0x99});
    EXPECT_EQ(Text(PicturePixel(thirtyTwo, 0, 0)), "16,32,48");
    thirtyTwo.RedMask = 0x000000FF;  // red in the low byte
    thirtyTwo.GreenMask = 0x0000FF00;
    thirtyTwo.BlueMask = 0x00FF0000;
    EXPECT_EQ(Text(PicturePixel(thirtyTwo, 0, 0)), "48,32,16");
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

TEST_F(SceneTextureTest, EightBitPicturesGoThroughTheirPalette)
{
    TDibImage picture = Blank(4, 2, 8);
    for (int i = 0; i < 256; ++i)
        picture.Palette[i] = static_cast<uint32_t>(i) << 16 | static_cast<uint32_t>(255 - i) << 8 | 7;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            picture.ScanLine(y)[x] = static_cast<uint8_t>(40 * y + 10 * x + 5);
    folder.Write("pal.bmp", BmpFile(picture));
    const TGLTexture& gl = *list->AddPlainTexture("pal.bmp")->GLTexture();
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column) {
            const int index = 40 * (1 - row) + 10 * column + 5;
            EXPECT_EQ(Texel(gl, row, column), IntToStr(index) + "," + IntToStr(255 - index) + ",7");
        }
}

TEST_F(SceneTextureTest, LowerQualitySamplesEveryStepthPixel)
{
    list->Quality = TTextureQuality::Low;
    folder.Write("big.bmp", BmpFile(Picture24(64, 64, Gradient)));
    TSceneTexture* texture = list->AddPlainTexture("big.bmp");
    EXPECT_EQ(texture->PixelStep, 2);
    const TGLTexture& gl = *texture->GLTexture();
    ASSERT_EQ(gl.Width(), 32);
    ASSERT_EQ(gl.Height(), 32);
    for (auto [row, column] : {std::pair{0, 0}, {31, 31}, {5, 17}, {31, 0}})
        EXPECT_EQ(Texel(gl, row, column), Text(Gradient(2 * column, 2 * (31 - row))));
}

TEST_F(SceneTextureTest, PicturesOfOtherDepthsAreConvertedNotLeftBlank)
{
    folder.Write("deep.bmp", BmpFile(Blank(2, 1, 16, {0xE0, 0x03, 0x1F, 0x00})));  // 5-5-5 green, blue
    const TGLTexture& gl = *list->AddPlainTexture("deep.bmp")->GLTexture();
    EXPECT_EQ(Texel(gl, 0, 0), "0,255,0");
    EXPECT_EQ(Texel(gl, 0, 1), "0,0,255");
}

// --- Sprites and alpha ------------------------------------------------------------------

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

TEST_F(SceneTextureTest, AutoSpriteColorTakesTheTopLeftPixel)
{
    const TColorOf picture = [](int x, int y) {
        return (x == 0 && y == 0) || (x == 2 && y == 1) ? TPictureBGR{9, 8, 7} : Gradient(x, y);
    };
    folder.Write("auto.bmp", BmpFile(Picture24(4, 2, picture)));
    TSceneTexture* texture = list->AddSpriteTexture("auto.bmp");
    EXPECT_EQ(texture->Format, TTextureFormat::Sprite);
    EXPECT_TRUE(texture->AutoSpriteColor);
    EXPECT_EQ(texture->SpriteColor & 0xFFFFFF, MakeColorRGBA(7, 8, 9, 0));
    const TGLTexture& gl = *texture->GLTexture();
    // Transparent at the top-left pixel itself and its twin only.
    EXPECT_EQ((std::vector<int>{TexelAlpha(gl, 1, 0), TexelAlpha(gl, 0, 2), TexelAlpha(gl, 0, 0), TexelAlpha(gl, 1, 1)}),
              (std::vector<int>{0, 0, 255, 255}));
}

TEST_F(SceneTextureTest, AlphaComesFromTheOwnBrightnessWhenTheNamesMatchElseFromTheAlphaPicture)
{
    folder.Write("grey.bmp", BmpFile(Picture24(4, 2, Gradient)));
    // "GREY.BMP" is not read: on a case-sensitive file system it does not
    // even exist.
    TSceneTexture* texture = list->AddAlphaTexture("grey.bmp", "GREY.BMP");
    EXPECT_EQ(texture->Name(), "GREY.BMP");
    EXPECT_EQ(texture->Format, TTextureFormat::Alpha);
    const TGLTexture& gl = *texture->GLTexture();
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column) {
            const TPictureBGR color = Gradient(column, 1 - row);
            EXPECT_EQ(TexelAlpha(gl, row, column), (color.r + color.g + color.b) / 3);
            EXPECT_EQ(Texel(gl, row, column), Text(color));
        }

    // From a separate picture.
    folder.Write("col.bmp", BmpFile(Picture24(4, 2, Gradient)));
    folder.Write("mask.bmp", BmpFile(Picture24(4, 2, [](int x, int y) {
                     return TPictureBGR{static_cast<uint8_t>(x * 60), static_cast<uint8_t>(x * 60 + 3),
                                        static_cast<uint8_t>(y * 90)};
                 })));
    const TGLTexture& masked = *list->AddAlphaTexture("col.bmp", "mask.bmp")->GLTexture();
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column) {
            EXPECT_EQ(TexelAlpha(masked, row, column), (120 * column + 3 + 90 * (1 - row)) / 3);
            EXPECT_EQ(Texel(masked, row, column), Text(Gradient(column, 1 - row)));
        }
}

TEST_F(SceneTextureTest, AlphaPictureOfAnotherSizeRaisesAndLeavesNothingBehind)
{
    folder.Write("col.bmp", BmpFile(Picture24(4, 2, Gradient)));
    folder.Write("small.bmp", BmpFile(Picture24(4, 1, Gradient)));
    EXPECT_EQ(MessageOf<Exception>([&] { list->AddAlphaTexture("col.bmp", "small.bmp"); }),
              "TSceneTexture.AlphaFromBitmap error: Texture size is not equal Alpha size!");
    EXPECT_EQ(list->FindTexture("small.bmp"), nullptr);
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(context.Textures().Count(), 0);
}

// --- Where pictures come from -------------------------------------------------------------

TEST_F(SceneTextureTest, SourceLocationDecidesWherePicturesComeFrom)
{
    resources.Bitmaps["pic_bmp"] = PackedDib(Picture24(2, 2, Solid(200, 10, 20)));
    folder.Write("pic.bmp", BmpFile(Picture24(2, 2, Solid(6, 7, 8))));
    folder.Write("photo.jpg", JpegFile(Picture24(16, 16, Solid(0, 0, 255))));
    // File only: bitmaps from files.
    EXPECT_EQ(Texel(*list->AddPlainTexture("pic.bmp")->GLTexture(), 0, 0), "6,7,8");
    EXPECT_TRUE(resources.Requests.empty());
    list->Clear();

    // File and resource: bitmaps from resources, JPEGs from files.
    list->SourceLocation = slFile | slResource;
    EXPECT_EQ(Texel(*list->AddPlainTexture("pic.bmp")->GLTexture(), 0, 0), "200,10,20");
    const TGLTexture& photo = *list->AddPlainTexture("photo.jpg")->GLTexture();
    ASSERT_EQ(photo.Width(), 16);
    const uint8_t* p = photo.GetScanLine(8) + 3 * 8;
    EXPECT_NEAR(p[0], 255, 4);
    EXPECT_NEAR(p[2], 0, 4);
    EXPECT_EQ(resources.Requests, std::vector<std::string>{"pic_bmp"});
    list->Clear();

    // Resource only: JPEGs from RCDATA under their resource name.
    list->SourceLocation = slResource;
    list->Path = ".\\";
    resources.Requests.clear();
    resources.RCData["photo_jpg"] = JpegFile(Picture24(16, 8, Solid(250, 250, 250)));
    EXPECT_EQ(list->AddPlainTexture("photo.jpg")->GLTexture()->Height(), 8);
    EXPECT_EQ(Texel(*list->AddPlainTexture("pic.bmp")->GLTexture(), 1, 1), "200,10,20");
    EXPECT_EQ(resources.Requests, (std::vector<std::string>{"photo_jpg", "pic_bmp"}));
}

TEST_F(SceneTextureTest, EveryJpegSpellingDecodesAndOtherExtensionsGiveAnEmptyTexture)
{
    const std::string jpeg = JpegFile(Picture24(8, 8, Solid(0, 255, 0)));
    for (const std::string name : {"a.jpg", "b.jpeg", "c.JPEG", "d.Jpg", "e.jepg"}) {
        folder.Write(name, jpeg);
        const TGLTexture& gl = *list->AddPlainTexture(name)->GLTexture();
        ASSERT_EQ(gl.Width(), 8) << name;
        EXPECT_NEAR(gl.GetScanLine(4)[3 * 4 + 1], 255, 4) << name;
    }
    folder.Write("f.png", jpeg);
    TSceneTexture* other = list->AddPlainTexture("f.png");
    EXPECT_EQ(other->GLTexture()->Width(), 0);
    EXPECT_EQ(other->GLTexture()->Height(), 0);
}

TEST_F(SceneTextureTest, MissingPicturesRaiseAndLeaveNothingBehind)
{
    EXPECT_NE(MessageOf<EFOpenError>([&] { list->AddPlainTexture("missing.bmp"); }), "no exception");
    list->SourceLocation = slResource;
    list->Path = ".\\";
    EXPECT_EQ(MessageOf<EResNotFound>([&] { list->AddPlainTexture("missing.jpg"); }),
              "Resource missing_jpg not found");
    TStringResources rcdataOnly;  // no bitmap resources
    EXPECT_EQ(MessageOf<EResNotFound>([&] { list->AddSpriteTexture("pic.bmp"); }), "Resource pic_bmp not found");
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(context.Textures().Count(), 0);
}

TEST_F(SceneTextureTest, DamagedPicturesRaiseInvalidGraphic)
{
    const std::string bmp = BmpFile(Picture24(4, 4, Gradient));
    const std::string jpeg = JpegFile(Picture24(16, 16, Gradient));
    const std::map<std::string, std::string> damaged = {
        {"empty.bmp", ""},
        {"head.bmp", bmp.substr(0, 30)},
        {"cut.bmp", bmp.substr(0, bmp.size() - 10)},
        {"empty.jpg", ""},
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
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(context.Textures().Count(), 0);
}

// --- The list -------------------------------------------------------------------------

TEST_F(SceneTextureTest, AddTextureNamesByTheFilePartAndReusesTheTextureOfThatName)
{
    folder.Write("col.bmp", BmpFile(Picture24(2, 2, Gradient)));
    folder.Write("mask.bmp", BmpFile(Picture24(2, 2, Gradient)));
    TSceneTexture* masked = list->AddAlphaTexture("col.bmp", "mask.bmp");
    EXPECT_EQ(masked->Name(), "mask.bmp");
    EXPECT_EQ(masked->AlphaName, folder.Path() + "mask.bmp");
    EXPECT_EQ(list->FindTexture("mask.bmp"), masked);
    // Found by the file part of the name; nothing is loaded again.
    EXPECT_EQ(list->AddAlphaTexture("other.bmp", "sub\\mask.bmp"), masked);
    EXPECT_EQ(list->AddPlainTexture("nowhere\\mask.bmp"), masked);
    EXPECT_EQ(context.Textures().Count(), 1);

    TSceneTexture* plain = list->AddPlainTexture("col.bmp");
    EXPECT_NE(plain, masked);
    EXPECT_EQ(plain->Format, TTextureFormat::Texture);
    EXPECT_EQ(list->GetCount(), 2);
    EXPECT_EQ(context.Textures().Count(), 2);
}

TEST_F(SceneTextureTest, ResourceLinesNameBitmapsAndRCDataByLowerCasedExtension)
{
    Described("A", TTextureFormat::Texture, "")->TextureName = ".\\Data\\sand.bmp";
    TSceneTexture* fish = Described("B", TTextureFormat::Alpha, "");
    fish->TextureName = ".\\Data\\fish.JPG";
    fish->AlphaName = ".\\Data\\fish_a.BMP";
    Described("C", TTextureFormat::Sprite, "")->TextureName = ".\\Data\\glass.jpeg";
    TStringList lines;
    lines.Add("FIRST RCData first.txt");
    list->AddResourceLines(lines);
    const std::vector<std::string> expected{
        "FIRST RCData first.txt",
        "sand_bmp Bitmap .\\Data\\sand.bmp",
        "fish_JPG RCData .\\Data\\fish.JPG",
        "fish_a_BMP Bitmap .\\Data\\fish_a.BMP",
        "glass_jpeg RCData .\\Data\\glass.jpeg",
    };
    ASSERT_EQ(lines.Count(), static_cast<int>(expected.size()));
    for (int i = 0; i < lines.Count(); ++i)
        EXPECT_EQ(lines.Strings(i), expected[i]);
}

// --- GL textures --------------------------------------------------------------------------

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
        {false, true, true, TTextureFormat::Texture, GL_LINEAR_MIPMAP_LINEAR, GL_RGB5, GL_BGR, 0},
        {true, true, false, TTextureFormat::Texture, GL_NEAREST_MIPMAP_NEAREST, GL_RGB8, GL_BGR, 0},
        {true, false, true, TTextureFormat::Texture, GL_NEAREST, GL_RGB5, GL_BGR, 0},
        // Only opaque textures are made with mipmaps.
        {false, true, false, TTextureFormat::Sprite, GL_LINEAR, GL_RGBA8, GL_BGRA, 0.5f},
        {false, false, true, TTextureFormat::Sprite, GL_LINEAR, GL_RGB5_A1, GL_BGRA, 0.5f},
        {true, true, false, TTextureFormat::Alpha, GL_NEAREST, GL_RGBA8, GL_BGRA, 0.02f},
        {false, false, true, TTextureFormat::Alpha, GL_LINEAR, GL_RGBA4, GL_BGRA, 0.02f},
    };
    TSceneTexture* texture = Described("T", TTextureFormat::Texture, "t.bmp");
    for (const TCase& c : cases) {
        SCOPED_TRACE(TextureFormatToStr(c.format) + (c.softwareOnly ? " software" : " accelerated") +
                     (c.mipMap ? " mipmap" : "") + (c.colorBit16 ? " 16bit" : ""));
        context.SetGenericOnly(c.softwareOnly);
        context.Textures().SetUseBGRA(false);
        list->MipMap = c.mipMap;
        list->ColorBit16 = c.colorBit16;
        texture->CreateGLTexture(c.format);
        EXPECT_EQ(texture->Format, c.format);
        EXPECT_EQ(context.Textures().Count(), 1);  // the old GL texture is freed
        EXPECT_TRUE(context.Textures().UseBGRA());
        EXPECT_EQ(context.Textures().DefaultFilter(), c.filter);
        const TGLTexture& glTexture = *texture->GLTexture();
        EXPECT_EQ(glTexture.Filter, c.filter);
        EXPECT_EQ(glTexture.InternalFormat(), c.internalFormat);
        EXPECT_EQ(glTexture.Format(), c.pixelFormat);
        EXPECT_EQ(glTexture.Type(), static_cast<GLenum>(GL_UNSIGNED_BYTE));
        EXPECT_FLOAT_EQ(glTexture.AlphaRef, c.alphaRef);
    }
}

TEST_F(SceneTextureTest, SixteenBitTexturesHoldTheSamePixels)
{
    list->ColorBit16 = true;
    folder.Write("col.bmp", BmpFile(Picture24(4, 2, Gradient)));
    TSceneTexture* alpha = list->AddAlphaTexture("col.bmp", "col.bmp");
    EXPECT_EQ(alpha->GLTexture()->InternalFormat(), static_cast<GLenum>(GL_RGBA4));
    EXPECT_EQ(Texel(*alpha->GLTexture(), 0, 3), Text(Gradient(3, 1)));
    folder.Write("plain.bmp", BmpFile(Picture24(4, 2, Gradient)));
    TSceneTexture* plain = list->AddPlainTexture("plain.bmp");
    EXPECT_EQ(plain->GLTexture()->InternalFormat(), static_cast<GLenum>(GL_RGB5));
    EXPECT_EQ(Texel(*plain->GLTexture(), 1, 2), Text(Gradient(2, 0)));
}

TEST_F(SceneTextureTest, CreateGLTextureNeedsTheScenesContextObject)
{
    scene.GL = nullptr;
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
    GLRecorder recorder;
    SetCurrentTexture(texture);
    ASSERT_NE(texture->GLTexture(), nullptr);
    const TGLTexture& gl = *texture->GLTexture();
    EXPECT_EQ(gl.Width(), 4);
    EXPECT_EQ(recorder.Names().front(), "glEnable");
    ASSERT_EQ(recorder.Count("glTexImage2D"), 1);
    const GLCall upload = recorder.CallsOf("glTexImage2D")[0];
    EXPECT_EQ(upload.Text(), "glTexImage2D(3553, 0, 32856, 4, 2, 0, 32993, 5121, ptr)");  // RGBA8, BGRA
    EXPECT_EQ(upload.Pointers.back(), gl.Pixels());
    EXPECT_EQ(recorder.CallsOf("glAlphaFunc").back().Text(), "glAlphaFunc(516, 0.5)");
    EXPECT_EQ(recorder.Calls().back().Text(), "glEnable(3553)");

    recorder.Clear();
    ResetTextureCache();
    SetCurrentTexture(texture);
    EXPECT_EQ(recorder.Count("glTexImage2D"), 0);
    EXPECT_EQ(recorder.Count("glGenTextures"), 0);
    EXPECT_EQ(recorder.Count("glBindTexture"), 1);
    EXPECT_EQ(texture->GLTexture(), &gl);

    // Opaque textures are uploaded with mipmaps when the list asks.
    list->MipMap = true;
    folder.Write("m.bmp", BmpFile(Picture24(4, 4, Gradient)));
    recorder.Clear();
    Described("M", TTextureFormat::Texture, "m.bmp")->Bind();
    EXPECT_EQ(recorder.Count("glTexImage2D"), 0);
    ASSERT_EQ(recorder.Count("gluBuild2DMipmaps"), 1);
    EXPECT_EQ(recorder.CallsOf("gluBuild2DMipmaps")[0].Text(), "gluBuild2DMipmaps(3553, 3, 4, 4, 32992, 5121, ptr)");
}

TEST_F(SceneTextureTest, UpdateTexturesReleasesAndResetsFilterAndInternalFormat)
{
    folder.Write("a.bmp", BmpFile(Picture24(2, 2, Gradient)));
    folder.Write("b.bmp", BmpFile(Picture24(2, 2, Gradient)));
    folder.Write("c.bmp", BmpFile(Picture24(2, 2, Gradient)));
    TSceneTexture* plain = list->AddPlainTexture("a.bmp");
    TSceneTexture* alpha = list->AddAlphaTexture("a.bmp", "b.bmp");
    TSceneTexture* sprite = list->AddSpriteTexture("c.bmp");
    TSceneTexture* unused = Described("Unused", TTextureFormat::Texture, "a.bmp");
    GLRecorder recorder;
    for (TSceneTexture* texture : {plain, alpha, sprite})
        texture->Bind();
    const std::vector<TSceneTexture*> textures{plain, alpha, sprite};
    const auto expect = [&](std::vector<GLenum> filters, std::vector<GLenum> internalFormats) {
        for (size_t i = 0; i < textures.size(); ++i) {
            const TGLTexture& glTexture = *textures[i]->GLTexture();
            EXPECT_FALSE(glTexture.Uploaded()) << i;
            EXPECT_EQ(glTexture.Filter, filters[i]) << i;
            EXPECT_EQ(glTexture.InternalFormat(), internalFormats[i]) << i;
        }
        EXPECT_EQ(unused->GLTexture(), nullptr);
    };

    recorder.Clear();
    list->MipMap = true;
    list->ColorBit16 = true;
    list->UpdateTextures();
    EXPECT_EQ(recorder.Count("glDeleteTextures"), 3);
    // An accelerated context mipmaps every format once asked.
    expect({GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR_MIPMAP_LINEAR},
           {GL_RGB5, GL_RGBA4, GL_RGB5_A1});
    EXPECT_EQ(sprite->GLTexture()->Format(), static_cast<GLenum>(GL_BGRA));

    context.SetGenericOnly(true);
    list->UpdateTextures();
    EXPECT_EQ(recorder.Count("glDeleteTextures"), 3);  // none was uploaded again
    expect({GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST, GL_NEAREST}, {GL_RGB5, GL_RGBA4, GL_RGB5_A1});

    list->MipMap = false;
    list->ColorBit16 = false;
    list->UpdateTextures();
    expect({GL_NEAREST, GL_NEAREST, GL_NEAREST}, {GL_RGB8, GL_RGBA8, GL_RGBA8});

    recorder.Clear();
    plain->Bind();
    ASSERT_EQ(recorder.Count("glTexImage2D"), 1);
    EXPECT_EQ(recorder.CallsOf("glTexImage2D")[0].Args[2], "32849");  // GL_RGB8
    EXPECT_EQ(recorder.CallsOf("glTexImage2D")[0].Pointers.back(), plain->GLTexture()->Pixels());
}

// --- Descriptions --------------------------------------------------------------------------

TEST_F(SceneTextureTest, KeysSurviveARoundTripThroughADescription)
{
    list->Quality = TTextureQuality::Medium;
    list->ColorBit16 = true;
    list->MipMap = true;
    list->SourceName = "textures.gsc";
    Described("Plain", TTextureFormat::Texture, "plain.bmp");
    // Names in another folder are written whole.
    TSceneTexture* masked = Described("Masked", TTextureFormat::Alpha, "");
    masked->TextureName = "C:\\Pics\\col.jpg";
    masked->AlphaName = ".\\Elsewhere\\mask.bmp";
    TSceneTexture* keyed = Described("Keyed", TTextureFormat::Sprite, "");
    keyed->TextureName = "C:\\Pics\\keyed.bmp";
    keyed->SpriteColor = MakeColorRGBA(10, 20, 30, 255);
    keyed->CreateGLTexture(TTextureFormat::Sprite);
    keyed->GLTexture()->AlphaRef = 0.25f;
    TSceneTexture* automatic = Described("Auto", TTextureFormat::Sprite, "");
    automatic->TextureName = "C:\\Pics\\auto.bmp";
    automatic->AutoSpriteColor = true;
    automatic->SpriteColor = MakeColorRGBA(1, 1, 1, 255);
    list->Save();

    TMemIniFile ini(folder.Path() + "textures.gsc");
    const auto value = [&ini](const std::string& object, const std::string& key) {
        for (int i = 1; i <= 4; ++i)
            if (ini.ReadString("Textures" + IntToStr(i), "Name", "") == object)
                return ini.ReadString("Textures" + IntToStr(i), key, "<none>");
        return std::string("<no object>");
    };
    EXPECT_EQ(ini.ReadString("Textures", "Quality", "") + ini.ReadString("Textures", "ColorBit", "") +
                  ini.ReadString("Textures", "MipMap", ""),
              "Medium16bit1");
    EXPECT_EQ(value("Plain", "Format"), "<none>");
#ifdef _WIN32
    EXPECT_EQ(value("Plain", "TextureName"), "plain.bmp");  // bare: it lies in the list's Path
#else
    // File-name functions split at "\" and ":" only, so a native folder is
    // no folder part and the name is written whole.
    EXPECT_EQ(value("Plain", "TextureName"), folder.Path() + "plain.bmp");
#endif
    EXPECT_EQ(value("Plain", "AlphaValue"), "<none>");
    EXPECT_EQ(value("Masked", "Format") + " " + value("Masked", "AlphaValue"), "Alpha 0.02");
    EXPECT_EQ(value("Keyed", "AlphaValue") + " " + value("Keyed", "SpriteColor") + " " + value("Keyed", "AutoSpriteColor"),
              "0.25 10,20,30,255 <none>");
    EXPECT_EQ(value("Auto", "AutoSpriteColor") + " " + value("Auto", "SpriteColor"), "1 <none>");

    TMainScene copy;
    auto* loaded = new TSceneTextureList();
    loaded->SetName("Textures");
    loaded->Path = folder.Path();
    loaded->SourceName = "textures.gsc";
    copy.Add(loaded);
    loaded->Load();
    EXPECT_EQ(loaded->Quality, TTextureQuality::Medium);
    EXPECT_TRUE(loaded->ColorBit16 && loaded->MipMap);
    ASSERT_EQ(loaded->GetCount(), 4);
    for (const std::string name : {"Plain", "Masked", "Keyed", "Auto"}) {
        const TSceneTexture* original = list->FindTexture(name);
        const TSceneTexture* texture = loaded->FindTexture(name);
        ASSERT_NE(texture, nullptr) << name;
        EXPECT_EQ(texture->Format, original->Format) << name;
#ifndef _WIN32
        if (name != "Plain")  // a native folder's whole name reads back as a relative one
#endif
        {
            EXPECT_EQ(texture->TextureName, original->TextureName) << name;
        }
        EXPECT_EQ(texture->AlphaName, original->AlphaName) << name;
        EXPECT_EQ(texture->AutoSpriteColor, original->AutoSpriteColor) << name;
        EXPECT_EQ(texture->GLTexture(), nullptr) << name;  // nothing loads before the first Bind
    }
    EXPECT_EQ(loaded->FindTexture("Keyed")->SpriteColor, keyed->SpriteColor);
}

TEST_F(SceneTextureTest, DescriptionsReadWithTheirDefaults)
{
    folder.Write("described.gsc", "[Textures]\nCount=3\nQuality=Lowest\nColorBit=\n"
                                  "[Textures1]\nType=TSceneTexture\nName=A\nTextureName=a.bmp\nAlphaName=a_mask.bmp\n"
                                  "[Textures2]\nType=TSceneTexture\nName=B\nTextureName=b.bmp\n"
                                  "Format=SpriteAlpha\nSpriteColor=1,2,3\nAlphaValue=0.7\n"
                                  "[Textures3]\nType=TSceneTexture\nName=C\nTextureName=c.bmp\n"
                                  "Format=Sprite\nAutoSpriteColor=1\n");
    list->SourceName = "described.gsc";
    list->MipMap = true;
    list->Load();
    EXPECT_EQ(list->Quality, TTextureQuality::Low);
    EXPECT_TRUE(list->ColorBit16);  // present but empty: no "32"
    EXPECT_FALSE(list->MipMap);
    ASSERT_EQ(list->GetCount(), 3);
    const TSceneTexture* a = list->FindTexture("A");
    EXPECT_EQ(a->Format, TTextureFormat::Alpha);  // an alpha picture makes Alpha the default
    EXPECT_EQ(a->TextureName, folder.Path() + "a.bmp");
    EXPECT_EQ(a->AlphaName, folder.Path() + "a_mask.bmp");
    const TSceneTexture* b = list->FindTexture("B");
    EXPECT_EQ(b->Format, TTextureFormat::Alpha);
    EXPECT_EQ(b->SpriteColor & 0xFFFFFF, MakeColorRGBA(1, 2, 3, 0));
    EXPECT_FALSE(b->AutoSpriteColor);
    TSceneTexture* c = list->FindTexture("C");
    EXPECT_EQ(c->Format, TTextureFormat::Sprite);
    EXPECT_TRUE(c->AutoSpriteColor);
    // Nothing is loaded before the first Bind, which finds the picture in
    // the list's folder.
    EXPECT_EQ(c->GLTexture(), nullptr);
    folder.Write("c.bmp", BmpFile(Picture24(4, 2, Gradient)));
    {
        GLRecorder recorder;
        c->Bind();
        EXPECT_EQ(recorder.Count("glTexImage2D"), 1);
    }
    ASSERT_NE(c->GLTexture(), nullptr);
    EXPECT_EQ(Texel(*c->GLTexture(), 1, 0), Text(Gradient(0, 0)));
    EXPECT_EQ(TexelAlpha(*c->GLTexture(), 1, 0), 0);
    EXPECT_EQ(TexelAlpha(*c->GLTexture(), 1, 1), 255);

    folder.Write("bare.gsc", "[Textures]\nCount=0\n");
    list->SourceName = "bare.gsc";
    list->Quality = TTextureQuality::Low;
    list->ColorBit16 = true;
    list->MipMap = true;
    list->Load();
    EXPECT_EQ(list->Quality, TTextureQuality::High);
    EXPECT_FALSE(list->ColorBit16);
    EXPECT_FALSE(list->MipMap);
    EXPECT_EQ(list->GetCount(), 0);
}
