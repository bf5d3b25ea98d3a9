// The scene on its GL context: one owner for every GL object whichever goes
// first, lights that hand their GL light back, render-state caches that
// start over with each context; the scene's lights.

#include <set>

#include "scene/core/SceneFont.h"
#include "scene/core/SceneLight.h"
#include "SceneTestObjects.h"

namespace {

TMainLight* AddLight(TMainScene& scene)
{
    auto* light = new TMainLight;
    light->SetName("Light");
    scene.AddObject(light, poRender);
    light->LoadOptions(*ReaderOf("LightStyle=Point\n", &scene));
    return light;
}

int ItemsOf(TCustomOpenGL& gl)
{
    return gl.Lights().Count() + gl.Materials().Count() + gl.Primitives().Count() + gl.Textures().Count() +
           gl.DisplayLists().Count();
}

}  // namespace

TEST(SceneOnContext, EveryGLObjectIsFreedOnceWhicheverGoesFirst)
{
    for (const bool contextFirst : {true, false}) {
        SCOPED_TRACE(contextFirst ? "context first" : "scene first");
        // One of each kind of GL object: a light, a mesh (its primitive)
        // with a textured material, and a picture font (its lists).
        TMeshScene s;
        AddLight(s.Scene);
        s.Built("Tri", "#MaterialStandard 2\nName M\nDiffuseMap skin.tga\n#Object 1\nName O\n#Material 1\nName M\n"
                       "#Vertices 3\n[0,0,0]\n[1,0,0]\n[0,1,0]\n#VertexFaces 1\n[1,2,3]\n#FaceMatID 1\n1\n");
        s.Resources.Add("font_txt", MetricsText({{'A', 8}}));
        auto* font = s.Add(new TSceneFont, "Font");
        font->FileName = "font.txt";
        font->FontOptions &= ~foBuildFromFont;
        font->Build();
        ASSERT_EQ(ItemsOf(s.GL), 5);
        s.Scene.Render();
        if (contextFirst) {
            s.Context.reset();  // a form that made its scene before its saver frees them so
            // The scene forgets the context: what reaches for it finds none.
            ASSERT_EQ(s.Scene.GL, nullptr);
            TMainLight light;
            light.Scene = &s.Scene;
            EXPECT_EQ(MessageOf([&] { light.CreateGLLight(); }), "TMainLight.CreateGLLight error: MainScene.GL is NIL!");
        } else {
            s.Scene.GL = nullptr;  // the scene's destructor, while the context lives
            s.Recorder.Clear();
            s.Scene.Clear();
            EXPECT_EQ(ItemsOf(s.GL), 0) << "the scene took its GL objects with it";
            // Its light went off and handed its index back: the next scene's light is lit as light 0.
            EXPECT_NE(s.Recorder.Text().find("glDisable(16384)"), std::string::npos);
            s.Scene.GL = &s.GL;
            EXPECT_EQ(AddLight(s.Scene)->GLLight()->Index(), 0);
        }
    }
}

TEST(SceneOnContext, TheRenderStateCachesStartOverWithEachContext)
{
    // A full-screen run and the dialog's preview one after the other, both
    // alive for a while: each context has its own light indices.
    TStubScene first;
    TMainLight* firstLight = AddLight(first.Scene);
    first.Scene.Render();
    CurrentColor = {1, 0, 0, 0.5f};

    auto preview = NewStubContext();
    TMainScene second;
    second.GL = preview.get();
    EXPECT_EQ(AddLight(second)->GLLight()->Index(), firstLight->GLLight()->Index());
    first.Recorder.Clear();
    SetCurrentMaterial(nullptr);
    EXPECT_EQ(first.Recorder.Text(), "glColor4fv({1,1,1,1})\n") << "the new context's colour is white";
    // (A context made again starts with blending off: the Wine test of the
    // half-transparent mesh sees the cache send it again.)
}

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
    first->CreateGLLight();
    second->CreateGLLight();
    EXPECT_TRUE(first->GLLight()->Infinite());
    first->SetLightStyle(lsPoint);
    second->SetLightStyle(lsDirectional);

    // Each replacement freed the old light first: the list holds one per
    // scene light and every one drives its own GL light.
    EXPECT_EQ(GL.Lights().Count(), 2);
    std::set<int> indices;
    for (TMainLight* light : {first, second}) {
        EXPECT_GE(GL.Lights().IndexOf(light->GLLight()), 0);
        indices.insert(light->GLLight()->Index());
    }
    EXPECT_EQ(indices, (std::set<int>{0, 1}));
    // The new light has the new style's preset.
    EXPECT_FALSE(first->GLLight()->Infinite());
    EXPECT_FLOAT_EQ(first->GLLight()->SpotCutoff(), 180.0f);

    // The same style again changes nothing.
    TGLLight* kept = first->GLLight();
    first->SetLightStyle(lsPoint);
    EXPECT_EQ(first->GLLight(), kept);
}
