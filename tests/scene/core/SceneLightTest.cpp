#include "scene/core/SceneLight.h"

#include <set>

#include "SceneTestObjects.h"

namespace {

struct LitScene : ::testing::Test, TStubScene {
    TMainLight* AddLight(const std::string& name) { return Add(new TMainLight, name, poRender); }
};

// Something in the render list that leaves a mark in the GL record.
class TMarker : public TMainSceneObject {
public:
    explicit TMarker(const std::string& name) { SetName(name); }
    void RenderOpaque() override { glFlush(); }
};

}  // namespace

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
