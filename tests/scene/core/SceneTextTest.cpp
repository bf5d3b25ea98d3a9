#include "scene/core/SceneText.h"

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneFont.h"
#include "scene/core/SceneRegistry.h"
#include "SceneTestObjects.h"

namespace {

// Every glyph a blank 8 x cell block.
class TBlankRasterizer : public TGlyphRasterizer {
public:
    void Begin(int size, const std::string&, TSceneFontStyles, int height) override
    {
        FSize = size;
        FHeight = height;
    }
    TGlyphExtent Measure(const std::string&) override { return {8, FHeight}; }
    void Draw(int, int, const std::string&) override {}
    std::vector<uint8_t> End() override { return std::vector<uint8_t>(static_cast<size_t>(FSize) * FSize * 3); }

private:
    int FSize = 0;
    int FHeight = 0;
};

// Texts in a scene with the font "Font" on a recorded context.
struct TextScene : ::testing::Test {
    GLRecorder Recorder;
    TCustomOpenGL GL{std::make_unique<TGLStubPlatform>()};
    TBlankRasterizer Rasterizer;
    TMainScene Scene;
    TSceneFont* Font = nullptr;

    void SetUp() override
    {
        SetSceneGlyphRasterizer(&Rasterizer);
        Scene.GL = &GL;
        Scene.ViewWidth = 640;
        Scene.ViewHeight = 480;
        Font = new TSceneFont;
        Font->SetName("Font");
        Scene.AddObject(Font, 0);
        Font->Build();
        Recorder.Clear();
    }
    void TearDown() override
    {
        SetSceneGlyphRasterizer(nullptr);
        SetAlphaBlend(false);
        ResetTextureCache();
    }

    // The colour and place of every line drawn, in order.
    std::vector<std::string> Drawn() const
    {
        std::vector<std::string> lines;
        for (const GLCall& call : Recorder.Calls())
            if (call.Name == "glColor4ubv" || call.Name == "glTranslated")
                lines.push_back(call.Text());
        return lines;
    }
};

}  // namespace

TEST(SceneText, BlinkPhaseWrapsAtOneSecond)
{
    TSceneText text;
    for (int frame = 0; frame < 9; ++frame)
        text.Animate(0.25f);
    EXPECT_FLOAT_EQ(text.BlinkPhase, 0.25f);
    text.BlinkPhase = 0;
    text.Animate(2.25f);
    EXPECT_FLOAT_EQ(text.BlinkPhase, 0.25f);
    text.Animate(0.75f);
    EXPECT_FLOAT_EQ(text.BlinkPhase, 0.0f);
}

TEST(SceneText, TheBlinkColourPulsesBetween80And100PercentOfEveryByte)
{
    const TGLColor color = MakeColorRGBA(255, 100, 10, 0);
    EXPECT_EQ(BlinkColor(color, 0.0f), MakeColorRGBA(204, 80, 8, 0));
    EXPECT_EQ(BlinkColor(color, 0.25f), MakeColorRGBA(229, 90, 9, 0));    // 229.5 truncated
    EXPECT_EQ(BlinkColor(color, 0.5f), MakeColorRGBA(255, 100, 10, 0));
    EXPECT_EQ(BlinkColor(color, 0.75f), MakeColorRGBA(229, 90, 9, 0));
    EXPECT_EQ(BlinkColor(MakeColorRGBA(0, 0, 0, 255), 0.0f), MakeColorRGBA(0, 0, 0, 204));
}

TEST_F(TextScene, WithoutAHighlightEveryLineIsDrawnInColourOneCellApart)
{
    auto* text = new TSceneText;
    text->SetName("Text");
    Scene.AddObject(text, poRender);
    text->Font = Font;
    text->Color = MakeColorRGBA(1, 2, 3, 4);
    text->StringColor = MakeColorRGBA(9, 9, 9, 9);
    text->SetPosition(16, 100);
    text->Lines.SetText("one\ntwo\nthree");
    Scene.Render();
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"glColor4ubv({1,2,3,4})", "glTranslated(16, 100, 0)",
                                                  "glColor4ubv({1,2,3,4})", "glTranslated(16, 84, 0)",
                                                  "glColor4ubv({1,2,3,4})", "glTranslated(16, 68, 0)"}));
    EXPECT_EQ(Recorder.Count("glOrtho"), 1);
    EXPECT_EQ(Recorder.Names().back(), "glMatrixMode");  // EndText

    // The highlighted line blinks; the others keep Color.
    text->StringIndex = 1;
    text->StringColor = MakeColorRGBA(200, 100, 50, 255);
    text->BlinkPhase = 0;
    Recorder.Clear();
    text->RenderAlpha();
    const std::vector<std::string> drawn = Drawn();
    ASSERT_EQ(drawn.size(), 6u);
    EXPECT_EQ(drawn[0], "glColor4ubv({1,2,3,4})");
    EXPECT_EQ(drawn[2], "glColor4ubv({160,80,40,204})");
    EXPECT_EQ(drawn[4], "glColor4ubv({1,2,3,4})");
}

TEST_F(TextScene, AScaledFontSpacesLinesByTheRoundedScaledCell)
{
    auto* text = new TSceneText;
    text->SetName("Text");
    Scene.AddObject(text, poRender);
    text->Font = Font;
    text->Lines.SetText("a\nb\nc");
    Font->FontOptions |= foScaled;
    Font->ScaleY = 0.40625f;  // 6.5 rounds to 6: ties go to even
    text->RenderAlpha();
    const std::vector<GLCall> moves = Recorder.CallsOf("glTranslated");
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[1].Args[1], "-6");
    EXPECT_EQ(moves[2].Args[1], "-12");
    Recorder.Clear();
    Font->ScaleY = 1.53125f;  // 24.5 rounds to 24
    text->RenderAlpha();
    EXPECT_EQ(Recorder.CallsOf("glTranslated")[1].Args[1], "-24");
}

TEST_F(TextScene, AStringDrawsOneLineInItsColourAndATextWithoutAFontNothing)
{
    auto* line = new TSceneString;
    line->SetName("FPS");
    Scene.AddObject(line, poRender);
    line->Font = Font;
    line->Text = "60 fps";
    line->Color = MakeColorRGBA(0, 255, 0, 255);
    line->SetPosition(16, 480 - 32);
    Scene.Render();
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"glColor4ubv({0,255,0,255})", "glTranslated(16, 448, 0)"}));
    EXPECT_EQ(Font->Color, line->Color);
    EXPECT_EQ(Recorder.CallsOf("glCallLists")[0].Args[0], "6");

    Recorder.Clear();
    line->Font = nullptr;
    auto* text = new TSceneText;
    text->SetName("Text");
    text->Lines.Add("x");
    Scene.AddObject(text, poRender);
    Scene.Render();
    EXPECT_TRUE(Drawn().empty());
}

TEST_F(TextScene, KeysRoundTripAndLinesStopAtTheFirstMissingNumber)
{
    auto* text = new TSceneText;
    text->SetName("Text");
    Scene.AddObject(text, poRender);
    text->LoadOptions(*ReaderOf("Font=Font\nColor=1,2,3,4\nX=5\nY=6\nEnable3D=1\nStringColor=7,8,9,10\n"
                                "StringIndex=2\nText1=first\nText2=\nText3=third\nText5=fifth\n",
                                &Scene));
    EXPECT_EQ(text->Font, Font);
    EXPECT_EQ(text->Color, MakeColorRGBA(1, 2, 3, 4));
    EXPECT_EQ((std::vector<int>{text->X, text->Y, text->StringIndex}), (std::vector<int>{5, 6, 2}));
    EXPECT_TRUE(text->Enable3D);
    EXPECT_EQ(text->StringColor, MakeColorRGBA(7, 8, 9, 10));
    ASSERT_EQ(text->Lines.Count(), 3);
    EXPECT_EQ(text->Lines.Strings(1), " ");  // an empty value reads as a blank
    EXPECT_EQ(text->Lines.Strings(2), "third");

    auto writer = Writer(&Scene);
    text->SaveOptions(*writer);
    EXPECT_EQ(writer->IniFile->ReadString("L", "Text4", "<absent>"), "<absent>");
    TStringList saved;
    writer->IniFile->GetStrings(saved);

    TSceneText copy;
    copy.Lines.Add("old");
    auto reader = ReaderOf("", &Scene);
    reader->IniFile->SetStrings(saved);
    copy.LoadOptions(*reader);
    EXPECT_EQ(copy.Lines.Text(), text->Lines.Text());
    EXPECT_EQ(copy.StringColor, text->StringColor);
    EXPECT_EQ((std::vector<int>{copy.X, copy.Y, copy.StringIndex}), (std::vector<int>{5, 6, 2}));
    EXPECT_EQ(copy.Font, Font);
    EXPECT_TRUE(copy.Enable3D);

    TSceneString line;
    line.LoadOptions(*ReaderOf("Text=hello\nX=3\n", &Scene));
    EXPECT_EQ(line.Text, "hello");
    EXPECT_EQ(line.X, 3);
}

TEST_F(TextScene, AFontReferenceToAnotherKindOfObjectIsRefusedAndTheClassesAreRegistered)
{
    auto* other = new TSceneString;
    other->SetName("Other");
    Scene.AddObject(other, 0);
    TSceneString line;
    EXPECT_THROW(line.LoadOptions(*ReaderOf("Font=Other\n", &Scene)), EInvalidCast);
    EXPECT_EQ(line.Font, nullptr);
    line.LoadOptions(*ReaderOf("Font=Missing\n", &Scene));
    EXPECT_EQ(line.Font, nullptr);

    for (const char* name : {"TSceneString", "TSceneText"}) {
        std::unique_ptr<TMainItem> item(CreateSceneObject(name, "x"));
        ASSERT_NE(dynamic_cast<TSceneBaseText*>(item.get()), nullptr) << name;
    }
    EXPECT_EQ(CreateSceneObject("TSceneBaseText", "x"), nullptr);
}
