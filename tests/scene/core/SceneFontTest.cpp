#include "scene/core/SceneFont.h"

#include <cstring>
#include <functional>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneRegistry.h"
#include "SceneTestObjects.h"

namespace {

// Draws each glyph as a block of its measured size; a glyph measures
// Widths[c] (default 8) times the picture's scale wide and the cell height
// high. Fill paints each pixel of a block (blue, green, red).
class TBlockRasterizer : public TGlyphRasterizer {
public:
    struct TDrawn {
        int X, Y;
        std::string Text;
    };

    void Begin(int size, const std::string& fontName, TSceneFontStyles style, int height) override
    {
        Size = size;
        FontName = fontName;
        Style = style;
        Height = height;
        Scale = size / 256 > 0 ? size / 256 : 1;
        Picture.assign(static_cast<size_t>(size) * size * 3, 0);
        Drawn.clear();
        ++Begins;
    }
    TGlyphExtent Measure(const std::string& text) override
    {
        const auto found = Widths.find(text[0]);
        return {(found != Widths.end() ? found->second : 8) * Scale, Height};
    }
    void Draw(int x, int y, const std::string& text) override
    {
        Drawn.push_back({x, y, text});
        const TGlyphExtent extent = Measure(text);
        for (int py = y; py < y + extent.Height && py < Size; ++py)
            for (int px = x; px < x + extent.Width && px < Size; ++px) {
                uint8_t* pixel = &Picture[(static_cast<size_t>(py) * Size + px) * 3];
                Fill(px, py, pixel);
            }
    }
    std::vector<uint8_t> End() override { return Picture; }

    std::function<void(int x, int y, uint8_t* bgr)> Fill = [](int, int, uint8_t* bgr) {
        bgr[0] = bgr[1] = bgr[2] = 255;
    };
    std::map<char, int> Widths;
    int Size = 0, Height = 0, Scale = 1, Begins = 0;
    std::string FontName;
    TSceneFontStyles Style = 0;
    std::vector<uint8_t> Picture;
    std::vector<TDrawn> Drawn;
};

class TCountingTexture : public TMainSceneObject, public TRenderTexture {
public:
    explicit TCountingTexture(const std::string& name) { SetName(name); }
    void Bind() override { ++Binds; }
    int Binds = 0;
};

// A picture-font metrics text: the given codes enabled with their widths,
// every glyph 12 high.
std::string MetricsText(const std::map<int, int>& widths)
{
    std::string text = "picture font metrics\r\n";
    for (int code = 0; code < 256; ++code) {
        const auto found = widths.find(code);
        text += found != widths.end() ? "1 " + IntToStr(found->second) + " 12\r\n" : "0 0 0\r\n";
    }
    return text;
}

void ExpectMessage(const std::function<void()>& action, const std::string& message)
{
    EXPECT_EQ(MessageOf(action), message);
}

// Cell, width and height of the glyph of code.
std::vector<int> GlyphOf(const TSceneFont& font, uint8_t code)
{
    return {font.Glyphs(code).Cell, font.Glyphs(code).Width, font.Glyphs(code).Height};
}

std::vector<int> EnabledCodes(const TSceneFont& font)
{
    std::vector<int> codes;
    for (int code = 0; code < 256; ++code)
        if (font.Glyphs(static_cast<uint8_t>(code)).Enabled)
            codes.push_back(code);
    return codes;
}

// A font in a scene on a recorded context, drawing with the block
// rasterizer; the scene's view is 800 x 600.
struct FontScene : ::testing::Test {
    GLRecorder Recorder;
    TCustomOpenGL GL{std::make_unique<TGLStubPlatform>()};
    TBlockRasterizer Rasterizer;
    TMainScene Scene;
    TSceneFont* Font = nullptr;

    void SetUp() override
    {
        SetSceneGlyphRasterizer(&Rasterizer);
        SetAlphaBlend(false);
        ResetTextureCache();
        Scene.GL = &GL;
        Scene.ViewWidth = 800;
        Scene.ViewHeight = 600;
        Font = new TSceneFont;
        Font->SetName("Font");
        Scene.AddObject(Font, 0);
        Recorder.Clear();
    }
    void TearDown() override
    {
        SetSceneGlyphRasterizer(nullptr);
        SetAlphaBlend(false);
        ResetTextureCache();
    }

    // The four bytes of texture pixel (x, row), row 0 being the bottom.
    std::vector<int> Texel(int x, int row) const
    {
        const uint8_t* p = Font->GLTexture()->GetScanLine(row) + x * 4;
        return {p[0], p[1], p[2], p[3]};
    }

    // The calls compiled into the display list of code.
    std::vector<GLCall> ListOf(int code) const
    {
        const std::string start = std::to_string(Font->DisplayLists()->Base() + code);
        std::vector<GLCall> calls;
        bool inside = false;
        for (const GLCall& call : Recorder.Calls()) {
            if (call.Name == "glNewList" && call.Args[0] == start)
                inside = true;
            else if (inside && call.Name == "glEndList")
                break;
            else if (inside)
                calls.push_back(call);
        }
        return calls;
    }
};

void ExpectArgs(const GLCall& call, const std::string& name, const std::vector<double>& values)
{
    EXPECT_EQ(call.Name, name);
    ASSERT_EQ(call.Args.size(), values.size()) << call.Text();
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_NEAR(std::stod(call.Args[i]), values[i], 1e-5) << call.Text() << " argument " << i;
}

}  // namespace

// --- The glyph set ---

TEST(SceneFont, ChangesToTheGlyphSetRenumberTheCellsInCodeOrder)
{
    TSceneFont font;  // every glyph in its own cell, and invisible
    EXPECT_FALSE(font.Visible());
    EXPECT_EQ(font.EnabledCount(), 256);
    EXPECT_EQ(font.Glyphs('A').Cell, 65);
    font.DisableAll();
    EXPECT_EQ(font.EnabledCount(), 0);
    font.EnableChar('A');
    EXPECT_EQ(font.Glyphs('A').Cell, 0);
    EXPECT_EQ(font.EnabledCount(), 1);

    font.DisableAll();
    EXPECT_FALSE(font.Glyphs('A').Enabled);
    font.EnableCharRange('0', '9');
    font.EnableChar(':');
    ASSERT_EQ(font.EnabledCount(), 11);
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(font.Glyphs(static_cast<uint8_t>('0' + i)).Cell, i);

    // A glyph enabled before the others moves them on.
    font.EnableString("-");
    EXPECT_EQ(font.Glyphs('-').Cell, 0);
    EXPECT_EQ(font.Glyphs(':').Cell, 11);
    font.EnableChar('\xE9');  // codes above 127 are glyphs too
    EXPECT_EQ(font.Glyphs(0xE9).Cell, 12);

    // Codes outside 0..255 are ignored; ranges are clipped.
    font.DisableAll();
    font.EnableCode(-1);
    font.EnableCode(256);
    EXPECT_EQ(font.EnabledCount(), 0);
    font.EnableCodeRange(250, 300);
    font.EnableCodeRange(5, 3);
    EXPECT_EQ(font.EnabledCount(), 6);
    EXPECT_EQ(font.Glyphs(255).Cell, 5);
}

TEST(SceneFont, SetTextsRoundTrip)
{
    for (int options = 0; options < 64; ++options)
        EXPECT_EQ(StrToFontOptions(FontOptionsToStr(static_cast<TFontOptions>(options))), options);
    for (int style = 0; style < 16; ++style)
        EXPECT_EQ(StrToFontStyle(FontStyleToStr(static_cast<TSceneFontStyles>(style))), style);
    EXPECT_EQ(FontOptionsToStr(0), "[]");
    EXPECT_EQ(FontOptionsToStr(0x3F), "[FixedSize,Soften,BuildFromFont,FixedView,Scaled,3DView]");
    EXPECT_EQ(FontStyleToStr(sfsBold | sfsStrikeOut), "[Bold,StrikeOut]");
    // Reading ignores case and order.
    EXPECT_EQ(StrToFontOptions("3dview SCALED"), fo3DView | foScaled);
    EXPECT_EQ(StrToFontStyle("[italic,BOLD]"), sfsBold | sfsItalic);
    EXPECT_EQ(StrToFontStyle(""), 0);
}

TEST(SceneFont, GlyphKeysEnableTheirFamiliesUpToTheFirstMissingNumber)
{
    TSceneFont font;
    font.LoadOptions(*ReaderOf("Char1=A\nChar2=\nChar4=Z\n"
                               "StartChar1=a\nEndChar1=c\nStartChar2=x\n"
                               "Code1=200\nCode2=-1\nCode3=201\n"
                               "StartCode1=10\nEndCode1=12\n"
                               "Str1=xyz\n",
                               nullptr));
    // "Char2=" reads as a blank, so the blank is enabled; Char4 and Code3
    // come after a gap; StartChar2 has no end.
    EXPECT_EQ(EnabledCodes(font), (std::vector<int>{10, 11, 12, ' ', 'A', 'a', 'b', 'c', 'x', 'y', 'z', 200}));
    EXPECT_EQ(font.Glyphs('A').Cell, 4);

    // No glyph keys: no glyphs.
    font.LoadOptions(*ReaderOf("", nullptr));
    EXPECT_EQ(font.EnabledCount(), 0);
}

TEST(SceneFont, KeysAndTheGlyphSetRoundTrip)
{
    TMainScene scene;
    auto* picture = new TCountingTexture("Picture");
    scene.AddObject(picture, 0);
    TSceneFont font;
    font.Color = MakeColorRGBA(1, 2, 3, 4);
    font.AlphaBackground = 7;
    font.TextureSize = 512;
    font.FontCellSize = 32;
    font.ScaleX = 1.5f;
    font.ScaleY = 0.75f;
    font.ViewWidth = 640;
    font.ViewHeight = 480;
    font.FontName = "Courier New";
    font.FileName = "font.txt";
    font.FontOptions = foFixedSize | foScaled;
    font.FontStyle = sfsItalic;
    font.Texture = picture;
    font.DisableAll();
    font.EnableCodeRange('0', ':');
    font.EnableCode('A');
    font.EnableCode(255);

    auto writer = Writer(&scene);
    font.SaveOptions(*writer);
    const auto key = [&](const std::string& name) { return writer->IniFile->ReadString("L", name, "-"); };
    EXPECT_EQ(key("FontOptions") + " " + key("Texture"), "[FixedSize,Scaled] Picture");
    // The glyph set is written as runs of codes.
    EXPECT_EQ(key("StartCode1") + key("EndCode1") + key("StartCode2") + key("EndCode2"), "48586565");
    EXPECT_EQ(key("StartCode3") + key("EndCode3") + key("StartCode4"), "255255-");
    TStringList text;
    writer->IniFile->GetStrings(text);

    TSceneFont copy;
    auto reader = ReaderOf("", &scene);
    reader->IniFile->SetStrings(text);
    copy.LoadOptions(*reader);
    EXPECT_EQ(copy.Color, font.Color);
    EXPECT_EQ((std::vector<int>{copy.AlphaBackground, copy.TextureSize, copy.FontCellSize, copy.ViewWidth,
                                copy.ViewHeight}),
              (std::vector<int>{7, 512, 32, 640, 480}));
    EXPECT_EQ((std::vector<float>{copy.ScaleX, copy.ScaleY}), (std::vector<float>{1.5f, 0.75f}));
    EXPECT_EQ(copy.FontName + "|" + copy.FileName, "Courier New|font.txt");
    EXPECT_EQ(copy.FontOptions, foFixedSize | foScaled);
    EXPECT_EQ(copy.FontStyle, sfsItalic);
    EXPECT_EQ(copy.Texture, picture);
    EXPECT_EQ(EnabledCodes(copy), EnabledCodes(font));

    // A font without a metrics file writes no "FileName", which would read
    // back as a blank.
    auto plainWriter = Writer(nullptr);
    TSceneFont().SaveOptions(*plainWriter);
    EXPECT_EQ(plainWriter->IniFile->ReadString("L", "FileName", "<absent>"), "<absent>");

    // The picture must be a texture.
    auto* notATexture = new TSceneFont;
    notATexture->SetName("Other");
    scene.AddObject(notATexture, 0);
    EXPECT_THROW(copy.LoadOptions(*ReaderOf("Texture=Other\n", &scene)), EInvalidCast);

    // Out-of-range background alphas are clipped to a byte.
    copy.LoadOptions(*ReaderOf("AlphaBackground=300\n", nullptr));
    EXPECT_EQ(copy.AlphaBackground, 255);
}

// --- Building ---

TEST(SceneFont, BuildNeedsASceneWithAContextAndSaneCells)
{
    GLRecorder recorder;
    TCustomOpenGL gl(std::make_unique<TGLStubPlatform>());
    TMainScene scene;
    TSceneFont font;  // freed before the context that holds its texture
    ExpectMessage([&] { font.Build(); }, "TSceneFont.Build error: MainScene is NIL!");
    ExpectMessage([&] { font.BeginText(); }, "TSceneFont.Build error: MainScene is NIL!");
    font.Scene = &scene;
    ExpectMessage([&] { font.Build(); }, "TSceneFont.Build error: MainScene.GL is NIL!");
    scene.GL = &gl;
    font.FontCellSize = 0;
    ExpectMessage([&] { font.Build(); }, "TSceneFont.Build error: FontCellSize is out of range!");
    font.FontCellSize = 512;
    ExpectMessage([&] { font.Build(); }, "TSceneFont.Build error: FontCellSize is out of range!");
    font.FontCellSize = 16;
    // No rasterizer installed.
    ExpectMessage([&] { font.Build(); }, "TGlyphRasterizer error: no rasterizer is installed!");
    EXPECT_FALSE(font.Built());
    font.TextureSize = 100;
    ExpectMessage([&] { font.Build(); }, "TGLTexture.SetWidth error: Width is not power 2");
    EXPECT_FALSE(font.Built());
    EXPECT_EQ(gl.Textures().Count(), 1);  // the font's one texture, kept
}

TEST_F(FontScene, BuildDrawsEveryEnabledGlyphIntoItsCell)
{
    Rasterizer.Widths = {{'W', 15}, {'A', 11}};
    Font->DisableAll();
    Font->EnableString("AW");
    Font->EnableCodeRange(0, 16);
    Font->Build();
    EXPECT_TRUE(Font->Built());
    EXPECT_EQ(Rasterizer.Size, 256);
    EXPECT_EQ(Rasterizer.Height, 16);
    EXPECT_EQ(Font->WideWidth, 15);
    ASSERT_EQ(Rasterizer.Drawn.size(), 19u);
    // 'A' has cell 17: the second row, second column.
    EXPECT_EQ(Rasterizer.Drawn[17].Text + IntToStr(Rasterizer.Drawn[17].X) + "," + IntToStr(Rasterizer.Drawn[17].Y),
              "A16,16");
    EXPECT_EQ(GlyphOf(*Font, 'A'), (std::vector<int>{17, 11, 16}));
    EXPECT_EQ(Font->Glyphs('B').Width, 0);

    // The texture is the picture upside down, alpha 255 where drawn.
    EXPECT_EQ(Texel(16, 255 - 16), (std::vector<int>{255, 255, 255, 255}));  // top-left of 'A'
    EXPECT_EQ(Texel(26, 255 - 31), (std::vector<int>{255, 255, 255, 255}));  // its bottom-right
    EXPECT_EQ(Texel(27, 255 - 16), (std::vector<int>{0, 0, 0, 0}));          // right of it
    EXPECT_EQ(Texel(100, 0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(GL.DisplayLists().Count(), 1);
    EXPECT_EQ(Recorder.Count("glNewList"), 256);
}

TEST_F(FontScene, TexturePixelsFollowTheTexturesLayoutAndTheBackgroundAlpha)
{
    Rasterizer.Fill = [](int, int, uint8_t* bgr) {
        bgr[0] = 30;  // blue
        bgr[1] = 20;
        bgr[2] = 10;  // red
    };
    // A new font with only 'A', built in the texture list's current layout;
    // the first four bytes of its top row.
    const auto build = [this](uint8_t background) {
        delete Font;
        Font = new TSceneFont;
        Font->SetName("Font");
        Scene.AddObject(Font, 0);
        Font->DisableAll();
        Font->EnableChar('A');
        Font->AlphaBackground = background;
        Font->Build();
        uint32_t word;
        std::memcpy(&word, Font->GLTexture()->GetScanLine(255), 4);
        return word;
    };
    build(9);
    EXPECT_EQ(Font->GLTexture()->Format(), GL_RGBA);
    EXPECT_EQ(Texel(0, 255), (std::vector<int>{10, 20, 30, 255}));
    EXPECT_EQ(Texel(200, 0), (std::vector<int>{0, 0, 0, 9}));

    // A texture list that lays pixels out blue first: the same colour.
    GL.Textures().SetUseBGRA(true);
    build(0);
    EXPECT_EQ(Font->GLTexture()->Format(), GL_BGRA);
    EXPECT_EQ(Texel(0, 255), (std::vector<int>{30, 20, 10, 255}));

    // Packed pixels: one 32-bit word per pixel in the order its type names.
    GL.Textures().SetUsePackedPixels(true);
    EXPECT_EQ(build(0), 0xFF0A141Eu);  // BGRA, 8_8_8_8_REV
    EXPECT_EQ(Font->GLTexture()->Type(), GL_UNSIGNED_INT_8_8_8_8_REV);
    GL.Textures().SetUseBGRA(false);
    EXPECT_EQ(build(0), 0x0A141EFFu);  // RGBA, 8_8_8_8
    EXPECT_EQ(Font->GLTexture()->Type(), GL_UNSIGNED_INT_8_8_8_8);
}

TEST_F(FontScene, SoftenDrawsAtTwiceTheSizeAndAveragesEachBlock)
{
    // Blue on every other column, green everywhere, red on one pixel of
    // each 2 x 2 block.
    Rasterizer.Fill = [](int x, int y, uint8_t* bgr) {
        bgr[0] = x % 2 == 0 ? 201 : 0;
        bgr[1] = 255;
        bgr[2] = (x % 2 == 1 && y % 2 == 1) ? 7 : 0;
    };
    Rasterizer.Widths = {{'W', 10}, {'A', 7}};
    Font->DisableAll();
    Font->EnableChar('A');
    Font->FontOptions = foBuildFromFont | foSoften;
    Font->Build();
    EXPECT_EQ(Rasterizer.Size, 512);
    EXPECT_EQ(Rasterizer.Height, 32);
    EXPECT_EQ(Font->WideWidth, 10);
    EXPECT_EQ(GlyphOf(*Font, 'A'), (std::vector<int>{0, 7, 16}));
    EXPECT_EQ(Font->GLTexture()->Width(), 256);
    // Red 7 div 4, green 255, blue (201 + 0 + 201 + 0) div 4.
    EXPECT_EQ(Texel(0, 255), (std::vector<int>{1, 255, 100, 255}));
    EXPECT_EQ(Texel(6, 240), (std::vector<int>{1, 255, 100, 255}));
    EXPECT_EQ(Texel(7, 255), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(FontScene, EachGlyphListDrawsItsCellsQuadAndAdvances)
{
    Rasterizer.Widths = {{'B', 10}, {'W', 13}};
    Font->DisableAll();
    Font->EnableCodeRange(0, 16);
    Font->EnableChar('B');  // cell 17
    Font->Build();
    ASSERT_EQ(Font->Glyphs('B').Cell, 17);

    const std::vector<GLCall> quad = ListOf('B');
    ASSERT_EQ(quad.size(), 11u);
    ExpectArgs(quad[0], "glBegin", {GL_QUADS});
    ExpectArgs(quad[1], "glTexCoord2f", {16 / 255.0, 239 / 255.0});
    ExpectArgs(quad[2], "glVertex2i", {0, 16});
    ExpectArgs(quad[3], "glTexCoord2f", {16 / 255.0, 224 / 255.0});
    ExpectArgs(quad[4], "glVertex2i", {0, 0});
    ExpectArgs(quad[5], "glTexCoord2f", {25 / 255.0, 224 / 255.0});
    ExpectArgs(quad[6], "glVertex2i", {10, 0});
    ExpectArgs(quad[7], "glTexCoord2f", {25 / 255.0, 239 / 255.0});
    ExpectArgs(quad[8], "glVertex2i", {10, 16});
    ExpectArgs(quad[9], "glEnd", {});
    ExpectArgs(quad[10], "glTranslatef", {10, 0, 0});

    // A disabled glyph: cell 0, no width, no advance.
    const std::vector<GLCall> blank = ListOf('C');
    ASSERT_EQ(blank.size(), 11u);
    ExpectArgs(blank[1], "glTexCoord2f", {0, 1});
    ExpectArgs(blank[10], "glTranslatef", {0, 0, 0});

    // FixedSize advances every glyph, disabled ones too, by the width of W.
    Font->Release();
    Font->FontOptions = foBuildFromFont | foFixedSize;
    Recorder.Clear();
    Font->Build();
    ExpectArgs(ListOf('B').back(), "glTranslatef", {13, 0, 0});
    ExpectArgs(ListOf('C').back(), "glTranslatef", {13, 0, 0});
}

TEST_F(FontScene, ReleaseThenBuildReusesTheGlyphTexture)
{
    Font->DisableAll();
    Font->EnableChar('A');
    Font->BeginText();  // builds and uploads
    Font->EndText();
    TGLTexture* texture = Font->GLTexture();
    ASSERT_TRUE(texture->Uploaded());
    for (int round = 0; round < 3; ++round) {
        Recorder.Clear();
        Font->Release();
        EXPECT_FALSE(Font->Built());
        EXPECT_EQ(Font->GLTexture()->Pixels(), nullptr);
        EXPECT_EQ(Recorder.Count("glDeleteLists"), 1);
        EXPECT_FALSE(texture->Uploaded());
        Font->Release();  // a second release does nothing
        EXPECT_EQ(Recorder.Count("glDeleteLists"), 1);

        Font->Build();
        EXPECT_TRUE(Font->Built());
        EXPECT_EQ(Font->GLTexture(), texture);
        EXPECT_EQ(GL.Textures().Count(), 1);
        EXPECT_EQ(GL.DisplayLists().Count(), 1);
        EXPECT_EQ(Texel(0, 255), (std::vector<int>{255, 255, 255, 255}));  // drawn again
    }
    EXPECT_EQ(Rasterizer.Begins, 4);
    Font->Build();  // built: nothing
    EXPECT_EQ(Rasterizer.Begins, 4);
}

// --- Drawing ---

TEST_F(FontScene, BeginTextSetsUpAPixelProjectionOfTheView)
{
    Font->DisableAll();
    Font->EnableChar('A');
    Font->Build();
    Recorder.Clear();
    Font->BeginText();
    const std::vector<GLCall>& calls = Recorder.Calls();
    ASSERT_GE(calls.size(), 5u);
    // Lighting, culling, depth test and fog off, texturing on.
    EXPECT_EQ(calls[0].Text() + calls[1].Text() + calls[2].Text() + calls[3].Text() + calls[4].Text(),
              "glDisable(2896)glDisable(2884)glDisable(2929)glDisable(2912)glEnable(3553)");
    EXPECT_GE(Recorder.Count("glBindTexture"), 1);
    EXPECT_TRUE(AlphaBlend());
    const std::string text = Recorder.Text();
    EXPECT_NE(text.find("glMatrixMode(5889)\nglPushMatrix()\nglLoadIdentity()\nglOrtho(0, 800, 0, 600, -100, 100)\n"
                        "glMatrixMode(5888)\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(Recorder.Names().back(), "glMatrixMode");

    Recorder.Clear();
    Font->EndText();
    EXPECT_EQ(Recorder.Text(), "glMatrixMode(5889)\nglPopMatrix()\nglMatrixMode(5888)\n");

    // The projection follows the scene's view after a resize, so a text
    // keeps its distance in pixels from the bottom-left corner.
    Scene.ViewWidth = 1000;
    Scene.ViewHeight = 700;
    Recorder.Clear();
    Font->BeginText();
    Font->EndText();
    EXPECT_EQ(Recorder.CallsOf("glOrtho")[0].Text(), "glOrtho(0, 1000, 0, 700, -100, 100)");

    // FixedView: the font's own view.
    Font->FontOptions |= foFixedView;
    Recorder.Clear();
    Font->BeginText();
    EXPECT_EQ(Recorder.CallsOf("glOrtho")[0].Text(), "glOrtho(0, 1024, 0, 768, -100, 100)");

    // 3DView: the projection stays.
    Font->FontOptions = foBuildFromFont | fo3DView;
    Recorder.Clear();
    Font->BeginText();
    Font->EndText();
    EXPECT_EQ(Recorder.Count("glMatrixMode"), 0);
    EXPECT_EQ(Recorder.Count("glOrtho"), 0);

    // The font binds its glyph texture directly: the scene binds its own
    // texture again afterwards.
    TCountingTexture sand("Sand");
    SetCurrentTexture(&sand);
    Font->BeginText();
    Font->EndText();
    EXPECT_EQ(CurrentTexture(), nullptr);
    SetCurrentTexture(&sand);
    EXPECT_EQ(sand.Binds, 2);
}

TEST_F(FontScene, DrawTextCallsOneListPerCharacterAtThePosition)
{
    Font->Color = MakeColorRGBA(10, 20, 30, 40);
    Font->DrawText(5, 7, "AB");  // builds on first use
    EXPECT_TRUE(Font->Built());
    const std::vector<GLCall> all = Recorder.Calls();
    std::vector<std::string> drawn;
    bool after = false;
    for (const GLCall& call : all) {
        after = after || call.Name == "glColor4ubv";
        if (after)
            drawn.push_back(call.Text());
    }
    const std::string base = std::to_string(Font->DisplayLists()->Base());
    EXPECT_EQ(drawn, (std::vector<std::string>{"glColor4ubv({10,20,30,40})", "glPushMatrix()", "glLoadIdentity()",
                                               "glTranslated(5, 7, 0)", "glListBase(" + base + ")",
                                               "glCallLists(2, 5121, ptr)", "glPopMatrix()"}));

    Font->FontOptions |= foScaled;
    Font->ScaleX = 2;
    Font->ScaleY = 0.5f;
    Recorder.Clear();
    Font->DrawText(0, 0, "");
    EXPECT_EQ(Recorder.CallsOf("glScalef")[0].Text(), "glScalef(2, 0.5, 0)");
    EXPECT_EQ(Recorder.CallsOf("glCallLists")[0].Args[0], "0");
}

// --- Picture fonts ---

TEST_F(FontScene, APictureFontReadsItsMetricsFromTheProgramResource)
{
    TStringResources resources;
    resources.Add("FONT_TXT", MetricsText({{'0', 8}, {'1', 6}, {'W', 14}}));
    Scene.SourceLocation = slResource;
    Font->FontOptions = 0;
    Font->FileName = "Data\\font.txt";
    auto* picture = new TCountingTexture("Picture");
    Scene.AddObject(picture, 0);
    Font->Texture = picture;

    Font->BeginText();
    EXPECT_EQ(Rasterizer.Begins, 0);
    EXPECT_EQ(Font->GLTexture(), nullptr);
    EXPECT_EQ(EnabledCodes(*Font), (std::vector<int>{'0', '1', 'W'}));
    EXPECT_EQ(GlyphOf(*Font, '1'), (std::vector<int>{1, 6, 12}));
    EXPECT_EQ(Font->WideWidth, 14);
    // The picture is bound directly, so the cache forgets what it held.
    EXPECT_EQ(picture->Binds, 1);
    EXPECT_EQ(CurrentTexture(), nullptr);
    ExpectArgs(ListOf('W').back(), "glTranslatef", {14, 0, 0});
    Font->EndText();
}

TEST_F(FontScene, APictureFontReadsItsMetricsFromAFileInTheScenesFolder)
{
    TTempFolder folder;
    folder.Write("font.txt", MetricsText({{'A', 9}}));
    Scene.Path = folder.Path();
    Font->FontOptions = 0;
    Font->FileName = "font.txt";
    Font->Build();
    EXPECT_EQ(EnabledCodes(*Font), (std::vector<int>{'A'}));
    EXPECT_EQ(Font->Glyphs('A').Width, 9);
}

TEST_F(FontScene, CorruptMetricsAreRefusedAndLeaveTheGlyphsAlone)
{
    TStringResources resources;
    Scene.SourceLocation = slResource;
    Font->FontOptions = 0;
    Font->FileName = "font.txt";
    const std::string good = MetricsText({{'A', 9}});
    const std::string lines[] = {
        good.substr(0, good.size() / 2),                         // cut short
        "header only",                                           // no glyph lines
        "",                                                      // empty
        StringReplaceAll(good, "0 0 0\r\n", "0 0\r\n"),          // two numbers
        StringReplaceAll(good, "1 9 12", "1 nine 12"),           // not a number
        StringReplaceAll(good, "1 9 12", "1 9 12 4"),            // four numbers
    };
    for (const std::string& text : lines) {
        resources.Add("FONT_TXT", text);
        try {
            Font->Build();
            ADD_FAILURE() << "accepted: " << text.substr(0, 40);
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message.rfind("TSceneFont.Build error: bad font metrics in font.txt at line ", 0), 0u)
                << e.Message;
        }
        EXPECT_FALSE(Font->Built());
        EXPECT_EQ(Font->EnabledCount(), 256);
    }
    resources.Clear();
    EXPECT_THROW(Font->Build(), EResNotFound);
}

TEST_F(FontScene, TheFontIsRegisteredAndFreesItsGLObjects)
{
    TMainItem* item = CreateSceneObject("TSceneFont", "Other");
    ASSERT_NE(dynamic_cast<TSceneFont*>(item), nullptr);
    auto* other = static_cast<TSceneFont*>(item);
    Scene.AddObject(other, 0);
    other->Build();
    EXPECT_EQ(GL.Textures().Count(), 1);
    EXPECT_EQ(GL.DisplayLists().Count(), 1);
    Recorder.Clear();
    delete other;
    EXPECT_EQ(GL.Textures().Count(), 0);
    EXPECT_EQ(GL.DisplayLists().Count(), 0);
    EXPECT_EQ(Recorder.Count("glDeleteLists"), 1);
}
