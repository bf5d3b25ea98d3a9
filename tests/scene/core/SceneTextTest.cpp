#include "scene/core/SceneText.h"

#include "gl/core/CustomOpenGL.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneFont.h"
#include "SceneTestObjects.h"

namespace {

// Texts in a scene with the font "Font" on a recorded context.
struct TextScene : ::testing::Test {
    GLRecorder Recorder;
    TCustomOpenGL GL{std::make_unique<TGLStubPlatform>()};
    TBlockRasterizer Rasterizer;
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
        ResetRenderState();
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

TEST_F(TextScene, EveryLineIsDrawnOneCellApartAndTheHighlightedLineBlinks)
{
    auto* text = new TSceneText;
    text->SetName("Text");
    Scene.AddObject(text, poRender);
    text->Font = Font;
    text->Color = MakeColorRGBA(1, 2, 3, 4);
    text->SetPosition(16, 100);
    text->Lines.SetText("one\ntwo\nthree");
    text->StringIndex = 1;
    text->StringColor = MakeColorRGBA(200, 100, 50, 255);
    text->BlinkPhase = 0;  // the trough of the pulse: 80 percent of every byte
    Scene.Render();
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"glColor4ubv({1,2,3,4})", "glTranslated(16, 100, 0)",
                                                  "glColor4ubv({160,80,40,204})", "glTranslated(16, 84, 0)",
                                                  "glColor4ubv({1,2,3,4})", "glTranslated(16, 68, 0)"}));
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
