#include "scene/core/SceneLight.h"

#include <set>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneRegistry.h"
#include "SceneTestObjects.h"

namespace {

GLHDC FakeDC() { return reinterpret_cast<GLHDC>(static_cast<uintptr_t>(0x3000)); }

// A scene on an active context of the stub platform, its GL recorded.
struct LitScene : ::testing::Test {
    GLRecorder Recorder;
    TGLStubPlatform* Platform = new TGLStubPlatform;
    TCustomOpenGL GL{std::unique_ptr<TGLPlatform>(Platform)};
    TMainScene Scene;

    void SetUp() override
    {
        Platform->Formats = {MakeTestDescriptor(pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer, 32, 16)};
        GL.CreateRC(FakeDC());
        ASSERT_TRUE(GL.Active());
        Scene.GL = &GL;
        Recorder.Clear();
        CurrentColor = {1, 1, 1, 1};
    }
    void TearDown() override { CurrentColor = {1, 1, 1, 1}; }

    TMainLight* AddLight(const std::string& name, TProcessOptions options = poRender)
    {
        auto* light = new TMainLight;
        light->SetName(name);
        Scene.AddObject(light, options);
        return light;
    }
};

// Something in the render list that leaves a mark in the GL record.
class TMarker : public TMainSceneObject {
public:
    explicit TMarker(const std::string& name) { SetName(name); }
    void RenderOpaque() override { glFlush(); }
};

}  // namespace

TEST(LightStyle, TextIsSearchedForTheLongestWordFirstAndDefaultsToAmbient)
{
    EXPECT_EQ(StrToLightStyle("ParallelPoint"), lsParallelPoint);
    EXPECT_EQ(StrToLightStyle("Parallel"), lsParallel);
    EXPECT_EQ(StrToLightStyle("Point"), lsPoint);
    EXPECT_EQ(StrToLightStyle("Directional"), lsDirectional);
    EXPECT_EQ(StrToLightStyle("a Point light"), lsPoint);
    EXPECT_EQ(StrToLightStyle("PointParallel"), lsParallel);  // "Parallel" is looked for before "Point"
    EXPECT_EQ(StrToLightStyle(""), lsAmbient);
    EXPECT_EQ(StrToLightStyle(" "), lsAmbient);
    EXPECT_EQ(StrToLightStyle("point"), lsAmbient);  // case-sensitive
    for (TLightStyle style : {lsParallel, lsParallelPoint, lsPoint, lsDirectional, lsAmbient})
        EXPECT_EQ(StrToLightStyle(LightStyleToStr(style)), style) << LightStyleToStr(style);
}

TEST(MainRenderState, EnabledIsAlwaysWrittenAndReadWithTheCurrentDefault)
{
    TMainRenderState state;
    EXPECT_TRUE(state.Enabled);
    auto writer = Writer(nullptr);
    state.SaveOptions(*writer);
    EXPECT_EQ(writer->IniFile->ReadString("L", "Enabled", "absent"), "1");

    state.LoadOptions(*ReaderOf("Enabled=0\n", nullptr));
    EXPECT_FALSE(state.Enabled);
    state.LoadOptions(*ReaderOf("", nullptr));
    EXPECT_FALSE(state.Enabled);
    state.Apply();
    EXPECT_TRUE(state.Enabled);
    state.Restore();
    EXPECT_FALSE(state.Enabled);
}

TEST(MainLight, WithoutASceneOrContextTheLightCannotBeMade)
{
    TMainLight light;
    EXPECT_EQ(MessageOf([&] { light.LoadOptions(*ReaderOf("LightStyle=Point\n", nullptr)); }),
              "TMainLight.CreateGLLight error: MainScene is NIL!");
    EXPECT_EQ(MessageOf([&] { light.Apply(); }), "TMainLight.CreateGLLight error: MainScene is NIL!");
    TMainScene scene;  // no context
    light.Scene = &scene;
    EXPECT_EQ(MessageOf([&] { light.CreateGLLight(); }), "TMainLight.CreateGLLight error: MainScene.GL is NIL!");
    EXPECT_EQ(light.GLLight(), nullptr);
    light.SetLightStyle(lsDirectional);  // only stored
    EXPECT_EQ(light.LightStyle(), lsDirectional);
    EXPECT_EQ(light.GLLight(), nullptr);

    // Restoring a light that has none sends nothing.
    GLRecorder recorder;
    light.Restore();
    EXPECT_FALSE(light.Enabled);
    EXPECT_TRUE(recorder.Calls().empty());
}

TEST_F(LitScene, LoadingSetsUpTheStyleThenReadsEveryValue)
{
    TMainLight* light = AddLight("Light");
    light->LoadOptions(*ReaderOf("LightStyle=Point\nDiffuse=1,0.5,0,1\nSpecular=0,0,1,1\nPosition=1,2,3\n"
                                 "Direction=0,-1,0\nSpotExponent=4\nSpotCutoff=45\nConstantAttenuation=2\n"
                                 "LinearAttenuation=0.5\nQuadraticAttenuation=0.25\nTwoSide=1\nLocalViewer=1\n"
                                 "Enabled=0\n",
                                 &Scene));
    const TGLLight& gl = *light->GLLight();
    EXPECT_EQ(light->LightStyle(), lsPoint);
    EXPECT_FALSE(light->Enabled);
    EXPECT_FALSE(gl.Infinite());  // from the point preset
    EXPECT_EQ((std::vector<float>{gl.Diffuse().y, gl.Specular().z, gl.Position().z, gl.Direction().y,
                                  gl.SpotExponent(), gl.SpotCutoff(), gl.ConstantAttenuation(),
                                  gl.LinearAttenuation(), gl.QuadraticAttenuation()}),
              (std::vector<float>{0.5f, 1, 3, -1, 4, 45, 2, 0.5f, 0.25f}));
    EXPECT_TRUE(gl.TwoSide() && gl.LocalViewer());

    // A key the description leaves out keeps the preset's value; the class
    // is registered.
    auto* parallel = dynamic_cast<TMainLight*>(CreateSceneObject("TMAINLIGHT", "Parallel"));
    ASSERT_NE(parallel, nullptr);
    Scene.AddObject(parallel, poRender);
    parallel->LoadOptions(*ReaderOf("LightStyle=ParallelPoint\nDirection=0,0,-1\n", &Scene));
    EXPECT_EQ(parallel->LightStyle(), lsParallelPoint);
    EXPECT_TRUE(parallel->GLLight()->Infinite());
    EXPECT_FLOAT_EQ(parallel->GLLight()->SpotCutoff(), 180.0f);
}

TEST_F(LitScene, SavedKeysLoadBackIntoAnEqualLight)
{
    TMainLight* light = AddLight("Light");
    light->LoadOptions(*ReaderOf("LightStyle=Directional\nDiffuse=0.5,0.25,0,1\nPosition=4,5,6\n"
                                 "SpotCutoff=30\nTwoSide=1\n",
                                 &Scene));
    auto writer = Writer(&Scene);
    light->SaveOptions(*writer);
    TStringList text;
    writer->IniFile->GetStrings(text);
    EXPECT_EQ(writer->IniFile->ReadString("L", "LightStyle", ""), "Directional");

    TMainLight* copy = AddLight("Copy");
    auto reader = ReaderOf("", &Scene);
    reader->IniFile->SetStrings(text);
    copy->LoadOptions(*reader);
    const TGLLight& a = *light->GLLight();
    const TGLLight& b = *copy->GLLight();
    EXPECT_EQ(copy->LightStyle(), lsDirectional);
    EXPECT_EQ(a.Infinite(), b.Infinite());
    EXPECT_EQ((std::vector<float>{a.Diffuse().y, a.Position().z, a.SpotCutoff()}),
              (std::vector<float>{b.Diffuse().y, b.Position().z, b.SpotCutoff()}));
    EXPECT_EQ(a.TwoSide(), b.TwoSide());
}

TEST_F(LitScene, AnEnabledLightSwitchesOnAtItsPlaceAndSetsTheCurrentColour)
{
    Scene.AddObject(new TMarker("Before"), poRender);
    TMainLight* light = AddLight("Light");
    Scene.AddObject(new TMarker("After"), poRender);
    light->LoadOptions(*ReaderOf("LightStyle=Point\nDiffuse=1,0.5,0.25,1\n", &Scene));
    ASSERT_EQ(light->GLLight()->Index(), 0);

    Scene.Render();
    const std::vector<std::string> names = Recorder.Names();
    const auto first = std::find(names.begin(), names.end(), "glFlush");
    const auto enable = std::find(names.begin(), names.end(), "glLightfv");
    ASSERT_NE(enable, names.end());
    EXPECT_LT(first, enable);  // the object before the light is drawn unlit
    EXPECT_EQ(std::count(names.begin(), names.end(), "glFlush"), 2);
    EXPECT_EQ(Recorder.CallsOf("glEnable").back().Text(), "glEnable(16384)");
    EXPECT_EQ(Recorder.Names().back(), "glFlush");  // the object after it comes last
    EXPECT_FLOAT_EQ(CurrentColor.y, 0.5f);
    EXPECT_FLOAT_EQ(CurrentColor.z, 0.25f);

    // Every frame sends the whole light again.
    Recorder.Clear();
    Scene.Render();
    EXPECT_GE(Recorder.Count("glLightfv"), 4);
}

TEST_F(LitScene, ADisabledLightIsSwitchedOffEveryFrame)
{
    TMainLight* light = AddLight("Light");
    light->LoadOptions(*ReaderOf("LightStyle=Parallel\nEnabled=0\n", &Scene));
    for (int frame = 0; frame < 2; ++frame) {
        Recorder.Clear();
        Scene.Render();
        EXPECT_EQ(Recorder.Count("glDisable"), 1);
        EXPECT_EQ(Recorder.CallsOf("glDisable")[0].Text(), "glDisable(16384)");
        EXPECT_EQ(Recorder.Count("glLightfv"), 0);
        EXPECT_FALSE(light->Enabled);
    }
}

TEST_F(LitScene, WithoutAStyleTheLightIsAmbientAndSetsTheGlobalAmbientColourOnly)
{
    TMainLight* light = AddLight("Light");
    light->LoadOptions(*ReaderOf("Ambient=0.1,0.2,0.3,1\n", &Scene));
    EXPECT_EQ(light->LightStyle(), lsAmbient);
    EXPECT_EQ(light->GLLight()->Position().z, 0.0f);  // no preset: not the parallel preset's far position
    EXPECT_TRUE(Recorder.Calls().empty());            // loading is headless
    Recorder.Clear();
    light->Render();
    EXPECT_EQ(Recorder.Text(), "glLightModelfv(2899, {0.1,0.2,0.3,1})\n");
    EXPECT_FLOAT_EQ(GL.Lights().Ambient().z, 0.3f);
    EXPECT_FLOAT_EQ(CurrentColor.x, 0.1f);
    EXPECT_FLOAT_EQ(CurrentColor.z, 0.3f);
}

TEST_F(LitScene, AStyleChangeReplacesTheGLLightWithoutSharingAnIndex)
{
    TMainLight* first = AddLight("First");
    TMainLight* second = AddLight("Second");
    TMainLight* third = AddLight("Third");
    first->CreateGLLight();
    second->CreateGLLight();
    third->CreateGLLight();
    ASSERT_EQ(GL.Lights().Count(), 3);
    EXPECT_TRUE(first->GLLight()->Infinite());

    first->SetLightStyle(lsPoint);
    second->SetLightStyle(lsDirectional);
    first->SetLightStyle(lsAmbient);
    third->SetLightStyle(lsPoint);

    // Each replacement freed the old light: the list holds one per scene
    // light and every one drives its own GL light.
    EXPECT_EQ(GL.Lights().Count(), 3);
    std::set<int> indices;
    for (TMainLight* light : {first, second, third}) {
        EXPECT_GE(GL.Lights().IndexOf(light->GLLight()), 0);
        indices.insert(light->GLLight()->Index());
    }
    EXPECT_EQ(indices, (std::set<int>{0, 1, 2}));
    // The new light has the new style's preset.
    EXPECT_FALSE(third->GLLight()->Infinite());
    EXPECT_FLOAT_EQ(third->GLLight()->SpotCutoff(), 180.0f);

    // The same style again changes nothing.
    TGLLight* kept = third->GLLight();
    third->SetLightStyle(lsPoint);
    EXPECT_EQ(third->GLLight(), kept);
}
