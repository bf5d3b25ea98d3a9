#include "gl/core/CustomOpenGL.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "scene/core/MainScene.h"
#include "SceneTestObjects.h"

namespace {

class TCountingTexture : public TRenderTexture {
public:
    void Bind() override { ++Binds; }
    int Binds = 0;
};

// The number of items of the render, animation and event lists.
std::vector<int> ListCounts(TMainScene& scene)
{
    return {scene.RenderList()->GetCount(), scene.AnimationList()->GetCount(), scene.EventList()->GetCount()};
}

}  // namespace

TEST(MainScene, FrameRunsEventsThenAnimationThenDrawingInOrderOfAddition)
{
    ResetRenderState();
    GLRecorder recorder;
    TSceneLog log;
    TMainScene scene;
    auto* zed = new TRecordingObject("Zed", log);
    auto* alpha = new TRecordingObject("Alpha", log);
    alpha->Alpha = true;
    scene.AddObject(zed, poRender | poAnimation | poEvents);
    scene.AddObject(alpha, poRender | poAnimation | poEvents);
    EXPECT_EQ(zed->Scene, &scene);
    EXPECT_EQ(zed->Owner(), &scene);

    scene.DoFrame(0.02f);
    EXPECT_EQ(log, (TSceneLog{"Zed.DoEvents", "Alpha.DoEvents", "Zed.Animate", "Alpha.Animate", "Zed.BeginRender",
                              "Zed.RenderOpaque", "Zed.EndRender", "Alpha.BeginRender", "Alpha.RenderOpaque",
                              "Alpha.RenderAlpha", "Alpha.EndRender"}));
}

// The scene takes an object out of all three process lists, whatever its
// options say by then: a changed option must not leave a freed object in a
// list.
TEST(MainScene, RemoveIgnoresChangedProcessOptions)
{
    ResetRenderState();
    GLRecorder recorder;
    TSceneLog log;
    TMainScene scene;
    auto* object = new TRecordingObject("Obj", log);
    scene.AddObject(object, poRender | poAnimation | poEvents);
    object->ProcessOptions = 0;
    scene.Remove(object);
    EXPECT_EQ(ListCounts(scene), (std::vector<int>{0, 0, 0}));
    delete object;

    // Freeing an owned object from outside does the same.
    auto* other = new TRecordingObject("Other", log);
    scene.AddObject(other, poRender | poAnimation | poEvents);
    other->ProcessOptions = poEvents;
    delete other;
    EXPECT_EQ(ListCounts(scene), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(scene.GetItem(1), nullptr);
    EXPECT_EQ(scene.FindObject("Other"), nullptr);

    log.clear();
    scene.DoFrame(0.02f);  // nothing left to reach
    EXPECT_TRUE(log.empty());
}

// Clear walks the flat list, skips its holes and frees each owned object
// once; a duplicate name is never the scene's.
TEST(MainScene, ClearFreesEveryOwnedObjectOnceAfterRemovesAndDuplicates)
{
    TSceneLog log;
    auto* scene = new TMainScene;
    scene->AddObject(new TRecordingObject("A", log), poRender);
    auto* removed = new TRecordingObject("B", log);
    scene->AddObject(removed, poRender);
    scene->AddObject(new TRecordingObject("C", log), poAnimation);
    auto* duplicate = new TRecordingObject("A", log);
    scene->AddObject(duplicate, poRender | poAnimation);
    scene->Remove(removed);

    EXPECT_EQ(duplicate->Owner(), nullptr);
    EXPECT_EQ(removed->Owner(), nullptr);  // removing only takes it out
    EXPECT_EQ(scene->Objects().Count(), 3);
    EXPECT_EQ(ListCounts(*scene), (std::vector<int>{1, 1, 0}));

    scene->Clear();
    EXPECT_EQ(log, (TSceneLog{"~C", "~A"}));
    EXPECT_EQ(scene->GetCount(), 0);
    EXPECT_EQ(scene->Objects().Count(), 0);
    EXPECT_EQ(ListCounts(*scene), (std::vector<int>{0, 0, 0}));

    // The scene can be filled again after a Clear, and freeing it frees
    // what it holds, children of child resources included.
    auto* textures = new TRecordingResource("Textures", log);
    textures->Add(new TRecordingObject("Sand", log));
    scene->AddObject(textures, 0);
    scene->AddObject(new TRecordingObject("E", log), poRender);
    log.clear();
    delete scene;
    EXPECT_EQ(log, (TSceneLog{"~E", "~Textures", "~Sand"}));

    delete removed;
    delete duplicate;
}

// Each frame starts with culling on and the texture forgotten (a font may
// have bound its glyphs behind the cache's back); the alpha-blend state
// carries over.
TEST(MainScene, RenderTurnsCullingOnAndForgetsTheTextureEveryFrame)
{
    ResetRenderState();
    GLRecorder recorder;
    TSceneLog log;
    TCustomOpenGL gl(std::make_unique<TGLStubPlatform>());
    TMainScene scene;
    scene.GL = &gl;
    TCountingTexture texture;
    for (const char* name : {"First", "Second"}) {
        auto* object = new TRecordingObject(name, log);
        object->Texture = &texture;
        scene.AddObject(object, poRender);
    }
    SetAlphaBlend(true);
    recorder.Clear();
    scene.Render();
    EXPECT_EQ(texture.Binds, 1);  // the second object finds it current
    scene.Render();
    EXPECT_EQ(texture.Binds, 2);  // bound again in the next frame
    EXPECT_EQ(recorder.CallsOf("glEnable").front().Text(), "glEnable(2884)");
    recorder.Clear();
    SetAlphaBlend(true);
    EXPECT_EQ(recorder.Count("glBlendFunc"), 0);
    ResetRenderState();
}

// The cache sends only changes, but after a reset it sends the state
// whatever it is, null included.
TEST(RenderStateCaches, TextureIsEnabledOnceAndBoundOnChangeAndAgainAfterAReset)
{
    ResetRenderState();
    GLRecorder recorder;
    TCountingTexture sand;
    TCountingTexture rock;
    SetCurrentTexture(nullptr);
    SetCurrentTexture(nullptr);
    SetCurrentTexture(&sand);
    SetCurrentTexture(&sand);
    SetCurrentTexture(&rock);
    EXPECT_EQ(CurrentTexture(), &rock);
    ResetTextureCache();  // sends nothing itself
    SetCurrentTexture(&rock);
    ResetTextureCache();
    SetCurrentTexture(nullptr);
    EXPECT_EQ(recorder.Text(), "glDisable(3553)\nglEnable(3553)\nglEnable(3553)\nglDisable(3553)\n");
    EXPECT_EQ(sand.Binds, 1);
    EXPECT_EQ(rock.Binds, 2);
    ResetRenderState();
}
