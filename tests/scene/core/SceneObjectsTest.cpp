#include "scene/core/SceneObjects.h"
#include "scene/core/SceneRegistry.h"

#include <algorithm>

#include "SceneTestObjects.h"

namespace {

int CountOf(const TSceneLog& log, const std::string& line)
{
    return static_cast<int>(std::count(log.begin(), log.end(), line));
}

}  // namespace

TEST(SceneObjects, AddRefusesNullUnnamedAndForeignItems)
{
    TResource resource;
    EXPECT_EQ(MessageOf([&] { resource.Add(nullptr); }), "TMainObjectList.AddItem error: Add NIL Object failed");
    TSceneLog log;
    TRecordingObject unnamed("", log);
    EXPECT_EQ(MessageOf([&] { resource.Add(&unnamed); }),
              "TMainObjectList.AddItem error: Add empty Object.Name failed");
    TMainItem plainItem;
    EXPECT_THROW(resource.Add(&plainItem), EInvalidCast);
    EXPECT_EQ(resource.GetCount(), 0);
    EXPECT_EQ(unnamed.Owner(), nullptr);
    EXPECT_EQ(plainItem.Owner(), nullptr);
}

// A name is held once: the second object of a name is not taken (no index
// entry, no owner) and stays with the caller, and nothing it goes through
// disturbs the object that holds the name.
TEST(SceneObjects, DuplicateNameIsNotTakenAndNeverTouchesTheHolder)
{
    TSceneLog log;
    auto* resource = new TResource;
    auto* first = new TRecordingObject("Fish", log);
    auto* second = new TRecordingObject("Fish", log);
    EXPECT_EQ(resource->Add(first), first);
    EXPECT_EQ(resource->Add(second), second);

    EXPECT_EQ(resource->GetCount(), 1);
    EXPECT_EQ(resource->FindObject("Fish"), first);
    EXPECT_EQ(first->Owner(), resource);
    EXPECT_EQ(second->Owner(), nullptr);

    // Removing or renaming the duplicate through the list leaves the entry.
    resource->Remove(second);
    resource->Rename(second, "Other");
    EXPECT_EQ(resource->FindObject("Fish"), first);
    EXPECT_EQ(resource->FindObject("Other"), nullptr);
    EXPECT_EQ(second->Name(), "Fish");

    // The caller frees the duplicate; the resource frees its own object.
    delete second;
    EXPECT_EQ(resource->FindObject("Fish"), first);
    delete resource;
    EXPECT_EQ(CountOf(log, "~Fish"), 2);
}

TEST(SceneObjects, RenameMovesTheEntryUnlessTheNewNameIsHeld)
{
    TSceneLog log;
    TResource resource;
    auto* sand = new TRecordingObject("Sand", log);
    auto* rock = new TRecordingObject("Rock", log);
    resource.Add(sand);
    resource.Add(rock);
    sand->SetName("Rock");
    EXPECT_EQ(sand->Name(), "Sand");
    EXPECT_EQ(resource.FindObject("Rock"), rock);
    sand->SetName("Algae");
    EXPECT_EQ(resource.FindObject("Algae"), sand);
    EXPECT_EQ(resource.FindObject("Sand"), nullptr);
}

TEST(SceneObjects, ListForwardsTheFrameToItsChildrenInListOrder)
{
    TSceneLog log;
    TRecordingResource list("L", log);
    list.SetVisible(true);
    auto* b = new TRecordingObject("B", log);
    auto* a = new TRecordingObject("A", log);
    auto* hidden = new TRecordingObject("H", log);
    list.Add(b);
    list.Add(a);
    list.Add(hidden);
    hidden->SetVisible(false);
    a->Alpha = true;

    list.Render();
    EXPECT_EQ(log, (TSceneLog{"L.BeginRender", "A.BeginRender", "A.RenderOpaque", "A.RenderAlpha", "A.EndRender",
                              "B.BeginRender", "B.RenderOpaque", "B.EndRender", "L.EndRender"}));

    // Events and animation reach hidden children too.
    log.clear();
    list.DoEvents(0.5f);
    list.Animate(0.5f);
    EXPECT_EQ(log, (TSceneLog{"A.DoEvents", "B.DoEvents", "H.DoEvents", "A.Animate", "B.Animate", "H.Animate"}));

    // A hidden list draws nothing, not even its own set-up.
    log.clear();
    list.SetVisible(false);
    list.Render();
    EXPECT_TRUE(log.empty());
}

TEST(SceneRegistry, NamesMatchWithoutCaseAndTheFirstRegistrationWins)
{
    RegisterSceneClass("TRegistryFirst", NewSceneObject<TResource>);
    RegisterSceneClass("TREGISTRYFIRST", NewSceneObject<TMainSceneObject>);
    std::unique_ptr<TMainItem> object(CreateSceneObject("tregistryfirst", "Shoal"));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->ClassName(), "TResource");
    EXPECT_EQ(static_cast<TMainObject*>(object.get())->Name(), "Shoal");
    EXPECT_EQ(CreateSceneObject("TUnknownClass", "X"), nullptr);
    EXPECT_EQ(CreateSceneObject("TMainSceneObject", "X"), nullptr);  // abstract bases are not registered
}

TEST(ObjectPaths, PathsResolveFromTheRootAndReferencesAreNamesBelowIt)
{
    TMainScene scene;
    auto* textures = new TResource;
    textures->SetName("Textures");
    scene.AddObject(textures, 0);
    auto* sand = new TMainSceneObject;
    sand->SetName("Sand");
    textures->Add(sand);
    EXPECT_EQ(StrToReference(&scene, "Textures/Sand"), sand);
    EXPECT_EQ(StrToReference(textures, "Sand"), sand);
    for (const char* path : {"", "/", "/Textures", "Textures//Sand", "Nothing/Sand", "textures/Sand"})
        EXPECT_EQ(StrToReference(&scene, path), nullptr) << path;
    EXPECT_EQ(StrToReference(nullptr, "Textures"), nullptr);
    // A path that goes on below an object that is not a list.
    EXPECT_THROW(StrToReference(&scene, "Textures/Sand/Fin"), EInvalidCast);

    EXPECT_EQ(ReferenceToStr(&scene, sand), "Textures/Sand");
    EXPECT_EQ(ReferenceToStr(&scene, nullptr), "");
    // Not below the root: the owner chain ends first.
    TResource elsewhere;
    EXPECT_EQ(MessageOf([&] { ReferenceToStr(&elsewhere, sand); }), "RefferenceToStr error: Owner is NIL!");
}

TEST(SourceNames, FolderAndResourceNames)
{
    EXPECT_EQ(JoinSourcePath(".\\Scene\\", "fishes.gsc"), ".\\Scene\\fishes.gsc");
    EXPECT_EQ(JoinSourcePath(".\\Scene\\", "Meshes\\fish.txt"), "Meshes\\fish.txt");
    EXPECT_EQ(ResourceNameOf(".\\Scene\\bubbles.wav"), "bubbles_wav");
    EXPECT_EQ(ResourceNameOf("x.y.z"), "x_y.z");
    EXPECT_EQ(ResourceNameOf("scene.d\\readme"), "readme");
}

namespace {

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
    TSceneLog log;
    TStubScene s;  // frees the objects before the log goes
    TCountingTexture texture("Texture");
    for (const char* name : {"First", "Second"}) {
        auto* object = new TRecordingObject(name, log);
        object->Texture = &texture;
        s.Scene.AddObject(object, poRender);
    }
    SetAlphaBlend(true);
    s.Recorder.Clear();
    s.Scene.Render();
    EXPECT_EQ(texture.Binds, 1);  // the second object finds it current
    s.Scene.Render();
    EXPECT_EQ(texture.Binds, 2);  // bound again in the next frame
    EXPECT_EQ(s.Recorder.CallsOf("glEnable").front().Text(), "glEnable(2884)");
    s.Recorder.Clear();
    SetAlphaBlend(true);
    EXPECT_EQ(s.Recorder.Count("glBlendFunc"), 0);
}

// The cache sends only changes, but after a reset it sends the state
// whatever it is, null included.
TEST(RenderStateCaches, TextureIsEnabledOnceAndBoundOnChangeAndAgainAfterAReset)
{
    TStubScene s;
    TCountingTexture sand("Sand");
    TCountingTexture rock("Rock");
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
    EXPECT_EQ(s.Recorder.Text(), "glDisable(3553)\nglEnable(3553)\nglEnable(3553)\nglDisable(3553)\n");
    EXPECT_EQ(sand.Binds, 1);
    EXPECT_EQ(rock.Binds, 2);
}
