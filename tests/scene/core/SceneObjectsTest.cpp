#include "scene/core/SceneObjects.h"
#include "scene/core/SceneRegistry.h"

#include "SceneTestObjects.h"

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

// A name is held once: adding a second object of a name raises, and the
// object stays with the caller (no index entry, no owner, no scene), and
// nothing it goes through disturbs the object that holds the name.
TEST(SceneObjects, DuplicateNameIsRefusedAndNeverTouchesTheHolderWhichRenamesOnlyToAFreeName)
{
    TSceneLog log;
    auto* resource = new TResource;
    auto* first = new TRecordingObject("Fish", log);
    auto* second = new TRecordingObject("Fish", log);
    EXPECT_EQ(resource->Add(first), first);
    EXPECT_EQ(resource->Add(first), first);  // held already: nothing changes
    EXPECT_EQ(MessageOf([&] { resource->Add(second); }), "TMainObjectList.AddItem error: Object.Name Fish is taken");

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

    // The holder renamed to a held name keeps its own; to a free one, its entry moves.
    resource->Add(new TRecordingObject("Rock", log));
    first->SetName("Rock");
    EXPECT_EQ(first->Name(), "Fish");
    first->SetName("Algae");
    EXPECT_EQ(resource->FindObject("Algae"), first);
    EXPECT_EQ(resource->FindObject("Fish"), nullptr);
    delete resource;
    EXPECT_EQ(log, (TSceneLog{"~Fish", "~Rock", "~Algae"}));  // the resource frees its own, last first
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

TEST(SceneRegistry, NamesMatchWithoutCase)
{
    std::unique_ptr<TMainItem> object(CreateSceneObject("tresource", "Shoal"));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->ClassName(), "TResource");
    EXPECT_EQ(static_cast<TMainObject*>(object.get())->Name(), "Shoal");
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
    EXPECT_EQ(StrToReference(textures, "Sand"), sand);  // (from the root: the loader's round trip)
    for (const char* path : {"", "/", "/Textures", "Textures//Sand", "Nothing/Sand", "textures/Sand"})
        EXPECT_EQ(StrToReference(&scene, path), nullptr) << path;
    EXPECT_EQ(StrToReference(nullptr, "Textures"), nullptr);
    // A path that goes on below an object that is not a list.
    EXPECT_THROW(StrToReference(&scene, "Textures/Sand/Fin"), EInvalidCast);

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

// Removing an object, or freeing it from outside, takes it out of all
// three process lists whatever its options say by then: a changed option
// must not leave a freed object in a list. Clear walks the flat list, skips
// its holes and frees each owned object once; a duplicate name is never the
// scene's.
TEST(MainScene, RemoveAndClearIgnoreChangedProcessOptionsHolesAndDuplicates)
{
    TSceneLog log;
    auto* scene = new TMainScene;
    scene->AddObject(new TRecordingObject("A", log), poRender);
    auto* removed = new TRecordingObject("B", log);
    scene->AddObject(removed, poRender | poAnimation | poEvents);
    scene->AddObject(new TRecordingObject("C", log), poAnimation);
    auto* duplicate = new TRecordingObject("A", log);
    EXPECT_THROW(scene->AddObject(duplicate, poRender | poAnimation), Exception);
    auto* freed = new TRecordingObject("D", log);
    scene->AddObject(freed, poRender | poAnimation | poEvents);
    removed->ProcessOptions = 0;
    scene->Remove(removed);
    freed->ProcessOptions = poEvents;
    delete freed;

    EXPECT_EQ(duplicate->Owner(), nullptr);
    EXPECT_EQ(removed->Owner(), nullptr);  // removing only takes it out
    EXPECT_EQ(scene->FindObject("D"), nullptr);
    EXPECT_EQ(scene->Objects().Count(), 4);  // A, a hole, C, a hole
    EXPECT_EQ(ListCounts(*scene), (std::vector<int>{1, 1, 0}));

    log.clear();
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

// A frame runs the events, then the animation, then the drawing, each in
// order of addition. Each frame starts with culling on and the texture
// forgotten (a font may have bound its glyphs behind the cache's back); the
// alpha-blend state carries over.
TEST(MainScene, AFrameRunsEventsAnimationAndDrawingInOrderAndStartsWithCullingOnAndTheTextureForgotten)
{
    TSceneLog log;
    TStubScene s;  // frees the objects before the log goes
    TCountingTexture texture("Texture");
    for (const char* name : {"Zed", "Alpha"}) {
        auto* object = new TRecordingObject(name, log);
        object->Texture = &texture;
        object->Alpha = name[0] == 'A';
        s.Scene.AddObject(object, poRender | poAnimation | poEvents);
    }
    SetAlphaBlend(true);
    s.Recorder.Clear();
    s.Scene.DoFrame(0.02f);
    EXPECT_EQ(log, (TSceneLog{"Zed.DoEvents", "Alpha.DoEvents", "Zed.Animate", "Alpha.Animate", "Zed.BeginRender",
                              "Zed.RenderOpaque", "Zed.EndRender", "Alpha.BeginRender", "Alpha.RenderOpaque",
                              "Alpha.RenderAlpha", "Alpha.EndRender"}));
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
