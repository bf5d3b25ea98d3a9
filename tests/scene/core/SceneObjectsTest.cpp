#include "scene/core/SceneObjects.h"
#include "scene/core/SceneRegistry.h"

#include <algorithm>

#include "SceneTestObjects.h"

namespace {

class TRegistryFirst : public TMainSceneObject {
public:
    std::string ClassName() const override { return "TRegistryFirst"; }
};

class TRegistrySecond : public TMainSceneObject {
public:
    std::string ClassName() const override { return "TRegistrySecond"; }
};

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
    RegisterSceneClass("TRegistryFirst", NewSceneObject<TRegistryFirst>);
    RegisterSceneClass("TREGISTRYFIRST", NewSceneObject<TRegistrySecond>);
    std::unique_ptr<TMainItem> object(CreateSceneObject("tregistryfirst", "Shoal"));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->ClassName(), "TRegistryFirst");
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
