#include "scene/core/SceneFont.h"
#include "scene/core/SceneText.h"

#include <cstring>

#include "SceneTestObjects.h"

namespace {

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

// A font in a stub scene, drawing with the block rasterizer; the scene's
// view is 800 x 600.
struct FontScene : ::testing::Test, TStubScene {
    FontScene()
    {
        SetSceneGlyphRasterizer(&Rasterizer);
        Scene.ViewWidth = 800;
        Scene.ViewHeight = 600;
    }
    ~FontScene() override { SetSceneGlyphRasterizer(nullptr); }

    // The four bytes of texture pixel (x, row), row 0 being the bottom.
    std::vector<int> Texel(int x, int row) const
    {
        const uint8_t* p = Font->GLTexture()->GetScanLine(row) + x * 4;
        return {p[0], p[1], p[2], p[3]};
    }

    // A text of the lines in the font, built.
    TSceneText* Text(const std::string& lines)
    {
        Font->Build();
        auto* text = Add(new TSceneText, "Text", poRender);
        text->Font = Font;
        text->Lines.SetText(lines);
        Recorder.Clear();
        return text;
    }

    TBlockRasterizer Rasterizer;
    TSceneFont* Font = Add(new TSceneFont, "Font");
};

}  // namespace

TEST(SceneFont, ChangesToTheGlyphSetRenumberTheCellsInCodeOrder)
{
    TSceneFont font;  // every glyph in its own cell
    EXPECT_EQ(font.Glyphs('A').Cell, 65);
    font.DisableAll();
    font.EnableCharRange('0', '9');
    font.EnableChar(':');
    ASSERT_EQ(font.EnabledCount(), 11);
    EXPECT_EQ(font.Glyphs('9').Cell, 9);

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

TEST(SceneFont, BuildNeedsASceneWithAContextAndSaneCells)
{
    TStubScene s;
    TSceneFont font;  // freed before the context that holds its texture
    EXPECT_EQ(MessageOf([&] { font.Build(); }), "TSceneFont.Build error: MainScene is NIL!");
    EXPECT_EQ(MessageOf([&] { font.BeginText(); }), "TSceneFont.Build error: MainScene is NIL!");
    font.Scene = &s.Scene;
    s.Scene.GL = nullptr;
    EXPECT_EQ(MessageOf([&] { font.Build(); }), "TSceneFont.Build error: MainScene.GL is NIL!");
    s.Scene.GL = &s.GL;
    font.FontCellSize = 0;
    EXPECT_EQ(MessageOf([&] { font.Build(); }), "TSceneFont.Build error: FontCellSize is out of range!");
    font.FontCellSize = 512;
    EXPECT_EQ(MessageOf([&] { font.Build(); }), "TSceneFont.Build error: FontCellSize is out of range!");
    font.FontCellSize = 16;
    // No rasterizer installed.
    EXPECT_EQ(MessageOf([&] { font.Build(); }), "TGlyphRasterizer error: no rasterizer is installed!");
    EXPECT_FALSE(font.Built());
    font.TextureSize = 100;
    EXPECT_EQ(MessageOf([&] { font.Build(); }), "TGLTexture.SetWidth error: Width is not power 2");
    EXPECT_FALSE(font.Built());
    EXPECT_EQ(s.GL.Textures().Count(), 1);  // the font's one texture, kept
}

TEST_F(FontScene, BuildDrawsEveryEnabledGlyphIntoItsCell)
{
    Rasterizer.Widths = {{'W', 15}, {'A', 11}};
    Rasterizer.Level = 100;  // grey, as the soft edge of a real glyph
    Font->AlphaBackground = 3;
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

    // The texture is the picture upside down, opaque wherever drawn, the
    // rest of the background's alpha.
    EXPECT_EQ(Texel(16, 255 - 16), (std::vector<int>{100, 100, 100, 255}));  // top-left of 'A'
    EXPECT_EQ(Texel(26, 255 - 31), (std::vector<int>{100, 100, 100, 255}));  // its bottom-right
    EXPECT_EQ(Texel(27, 255 - 16), (std::vector<int>{0, 0, 0, 3}));          // right of it
    EXPECT_EQ(Texel(100, 0), (std::vector<int>{0, 0, 0, 3}));
    EXPECT_EQ(GL.DisplayLists().Count(), 1);
    EXPECT_EQ(Recorder.Count("glNewList"), 256);
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

TEST_F(FontScene, BeginTextSetsUpAPixelProjectionOfTheViewAndEndTextRestoresIt)
{
    Font->DisableAll();
    Font->EnableChar('A');
    Font->Build();
    Recorder.Clear();
    Font->BeginText();
    EXPECT_TRUE(AlphaBlend());
    EXPECT_EQ(Recorder.CallsOf("glOrtho").at(0).Text(), "glOrtho(0, 800, 0, 600, -100, 100)");
    Font->EndText();
    EXPECT_EQ(Recorder.Count("glPushMatrix"), Recorder.Count("glPopMatrix"));

    // The projection follows the scene's view after a resize, so a text
    // keeps its distance in pixels from the bottom-left corner; FixedView
    // keeps the font's own view; 3DView leaves the projection alone.
    const std::pair<int, std::string> cases[] = {{foBuildFromFont, "glOrtho(0, 1000, 0, 700, -100, 100)"},
                                                 {foBuildFromFont | foFixedView, "glOrtho(0, 1024, 0, 768, -100, 100)"},
                                                 {foBuildFromFont | fo3DView, ""}};
    for (const auto& [options, projection] : cases) {
        Scene.ViewWidth = 1000;
        Scene.ViewHeight = 700;
        Font->FontOptions = static_cast<TFontOptions>(options);
        Recorder.Clear();
        Font->BeginText();
        Font->EndText();
        const std::vector<GLCall> ortho = Recorder.CallsOf("glOrtho");
        EXPECT_EQ(ortho.empty() ? "" : ortho[0].Text(), projection);
    }

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

// A picture font's metrics come from the program's resource; a corrupt
// file is refused whole and leaves the glyphs alone.
TEST_F(FontScene, APictureFontReadsItsMetricsFromTheProgramResourceAndRefusesCorruptOnes)
{
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
        Resources.Add("FONT_TXT", text);
        const std::string message = MessageOf([&] { Font->Build(); });
        EXPECT_EQ(message.rfind("TSceneFont.Build error: bad font metrics in font.txt at line ", 0), 0u) << message;
        EXPECT_FALSE(Font->Built());
        EXPECT_EQ(Font->EnabledCount(), 256);
    }
    Resources.Clear();
    EXPECT_THROW(Font->Build(), EResNotFound);

    Resources.Add("FONT_TXT", MetricsText({{'0', 8}, {'1', 6}, {'W', 14}}));
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
    Font->EndText();
}

TEST(SceneText, BlinkPhaseWrapsAtOneSecond)
{
    TSceneText text;
    text.Animate(2.25f);
    EXPECT_FLOAT_EQ(text.BlinkPhase, 0.25f);
    text.Animate(0.75f);
    EXPECT_FLOAT_EQ(text.BlinkPhase, 0.0f);
}

TEST_F(FontScene, EveryLineOfATextIsDrawnOneCellApartAndTheHighlightedLineBlinks)
{
    TSceneText* text = Text("one\ntwo\nthree");
    text->Color = MakeColorRGBA(1, 2, 3, 4);
    text->SetPosition(16, 100);
    text->StringIndex = 1;
    text->StringColor = MakeColorRGBA(200, 100, 50, 255);
    text->BlinkPhase = 0;  // the trough of the pulse: 80 percent of every byte
    Scene.Render();
    std::vector<std::string> drawn;  // the colour and place of every line
    for (const GLCall& call : Recorder.Calls())
        if (call.Name == "glColor4ubv" || call.Name == "glTranslated")
            drawn.push_back(call.Text());
    EXPECT_EQ(drawn, (std::vector<std::string>{"glColor4ubv({1,2,3,4})", "glTranslated(16, 100, 0)",
                                                "glColor4ubv({160,80,40,204})", "glTranslated(16, 84, 0)",
                                                "glColor4ubv({1,2,3,4})", "glTranslated(16, 68, 0)"}));
}

TEST_F(FontScene, AScaledFontSpacesTextLinesByTheRoundedScaledCell)
{
    TSceneText* text = Text("a\nb\nc");
    Font->FontOptions |= foScaled;
    for (const auto& [scale, step] : {std::pair{0.40625f, "-6"}, {1.53125f, "-24"}}) {  // 6.5 and 24.5: ties to even
        Recorder.Clear();
        Font->ScaleY = scale;
        text->RenderAlpha();
        EXPECT_EQ(Recorder.CallsOf("glTranslated").at(1).Args[1], step);
    }
}
