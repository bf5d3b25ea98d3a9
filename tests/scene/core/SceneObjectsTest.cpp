#include "scene/core/SceneObjects.h"
#include "SceneTestObjects.h"

namespace {

std::vector<std::string> IndexNames(const TMainList& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i)
        names.push_back(static_cast<TMainObject*>(list.GetItem(i))->Name());
    return names;
}

}  // namespace

TEST(SceneObjects, OnlyAResourceStartsInvisible)
{
    // A resource starts invisible, the other lists visible.
    EXPECT_FALSE(TResource().Visible());
    EXPECT_TRUE(TMainItemList().Visible());
    EXPECT_TRUE(TMainObjectList().Visible());
}

TEST(SceneObjects, AddRefusesNullUnnamedAndForeignItems)
{
    TResource resource;
    try {
        resource.Add(nullptr);
        FAIL() << "a null item was taken";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "TMainObjectList.AddItem error: Add NIL Object failed");
    }
    TSceneLog log;
    TRecordingObject unnamed("", log);
    try {
        resource.Add(&unnamed);
        FAIL() << "an unnamed object was taken";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "TMainObjectList.AddItem error: Add empty Object.Name failed");
    }
    TMainItem plainItem;
    EXPECT_THROW(resource.Add(&plainItem), EInvalidCast);

    EXPECT_EQ(resource.GetCount(), 0);
    EXPECT_EQ(unnamed.Owner(), nullptr);
    EXPECT_EQ(plainItem.Owner(), nullptr);
}

TEST(SceneObjects, NameIndexIsSortedByteWiseAndCaseSensitive)
{
    TSceneLog log;
    TResource resource;
    resource.Add(new TRecordingObject("textures", log));
    resource.Add(new TRecordingObject("Textures", log));
    resource.Add(new TRecordingObject("B", log));
    resource.Add(new TRecordingObject("a", log));

    EXPECT_EQ(IndexNames(resource), (std::vector<std::string>{"B", "Textures", "a", "textures"}));
    EXPECT_EQ(resource.FindObject("Textures")->Name(), "Textures");
    EXPECT_EQ(resource.FindObject("textures")->Name(), "textures");
    EXPECT_EQ(resource.FindObject("TEXTURES"), nullptr);
    EXPECT_EQ(resource.FindObject(""), nullptr);
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
    EXPECT_EQ(IndexNames(resource), (std::vector<std::string>{"Rock", "Sand"}));
    EXPECT_EQ(resource.FindObject("Rock"), rock);

    sand->SetName("Algae");
    EXPECT_EQ(sand->Name(), "Algae");
    EXPECT_EQ(IndexNames(resource), (std::vector<std::string>{"Algae", "Rock"}));
    EXPECT_EQ(resource.FindObject("Algae"), sand);
    EXPECT_EQ(resource.FindObject("Sand"), nullptr);
}

TEST(SceneObjects, DeleteLastFreesFromTheEndAndClipsItsCount)
{
    TSceneLog log;
    TResource resource;
    for (const char* name : {"A", "B", "C"})
        resource.Add(new TRecordingObject(name, log));

    resource.DeleteLast(0);
    resource.DeleteLast(-2);
    EXPECT_EQ(resource.GetCount(), 3);
    EXPECT_TRUE(log.empty());

    resource.DeleteLast(1);
    EXPECT_EQ(log, (TSceneLog{"~C"}));
    EXPECT_EQ(IndexNames(resource), (std::vector<std::string>{"A", "B"}));

    resource.DeleteLast(10);
    EXPECT_EQ(log, (TSceneLog{"~C", "~B", "~A"}));
    EXPECT_EQ(resource.GetCount(), 0);
}

TEST(SceneObjects, ResourceOwnsWhatItHoldsAndRemoveOnlyTakesOut)
{
    TSceneLog log;
    auto* resource = new TRecordingResource("Textures", log);
    auto* kept = new TRecordingObject("Kept", log);
    auto* removed = new TRecordingObject("Removed", log);
    auto* freedOutside = new TRecordingObject("FreedOutside", log);
    resource->Add(kept);
    resource->Add(removed);
    resource->Add(freedOutside);

    // Freeing an owned object from outside takes it out of its resource.
    delete freedOutside;
    EXPECT_EQ(resource->FindObject("FreedOutside"), nullptr);
    EXPECT_EQ(resource->GetCount(), 2);

    // Removing only takes it out: the object lives on, without an owner.
    resource->Remove(removed);
    EXPECT_EQ(resource->FindObject("Removed"), nullptr);
    EXPECT_EQ(removed->Owner(), nullptr);
    EXPECT_EQ(CountOf(log, "~Removed"), 0);

    // Freeing the resource frees what it still holds, once.
    delete resource;
    EXPECT_EQ(CountOf(log, "~Kept"), 1);
    EXPECT_EQ(CountOf(log, "~Removed"), 0);
    delete removed;
    EXPECT_EQ(CountOf(log, "~Removed"), 1);
}

TEST(SceneObjects, ClearingFreesButClearItemsOfAViewDoesNot)
{
    TSceneLog log;
    TResource resource;
    resource.Add(new TRecordingObject("A", log));
    resource.ClearItems();  // a resource's ClearItems is its Clear
    EXPECT_EQ(log, (TSceneLog{"~A"}));
    EXPECT_EQ(resource.GetCount(), 0);

    log.clear();
    TRecordingObject item("Item", log);
    {
        TMainItemList view;
        view.Add(&item);
        view.Add(&item);
        EXPECT_EQ(view.GetCount(), 2);
        view.Remove(&item);
        EXPECT_EQ(view.GetCount(), 1);
        view.ClearItems();
        EXPECT_EQ(view.GetCount(), 0);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(item.Owner(), nullptr);

    TMainItemList owningClear;
    owningClear.Add(new TRecordingObject("Temp", log));
    owningClear.Clear();
    EXPECT_EQ(log, (TSceneLog{"~Temp"}));
}

TEST(SceneObjects, ObjectMovesToANewResourceAndLeavesTheOldOne)
{
    TSceneLog log;
    TResource first;
    TResource second;
    auto* object = new TRecordingObject("Obj", log);
    first.Add(object);
    second.Add(object);
    EXPECT_EQ(object->Owner(), &second);
    EXPECT_EQ(first.FindObject("Obj"), nullptr);
    EXPECT_EQ(second.FindObject("Obj"), object);
    // Adding it again to its own resource changes nothing.
    second.Add(object);
    EXPECT_EQ(second.GetCount(), 1);
}

TEST(SceneObjects, ItemRendersItsPassesOnlyWhenVisible)
{
    TSceneLog log;
    TRecordingObject object("O", log);
    object.Render();
    EXPECT_EQ(log, (TSceneLog{"O.BeginRender", "O.RenderOpaque", "O.EndRender"}));

    log.clear();
    object.Alpha = true;
    object.Render();
    EXPECT_EQ(log, (TSceneLog{"O.BeginRender", "O.RenderOpaque", "O.RenderAlpha", "O.EndRender"}));

    log.clear();
    object.SetVisible(false);
    object.Render();
    EXPECT_TRUE(log.empty());
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

    // The bare passes go to visible children only.
    log.clear();
    list.RenderOpaque();
    list.RenderAlpha();
    EXPECT_EQ(log, (TSceneLog{"A.RenderOpaque", "B.RenderOpaque", "A.RenderAlpha", "B.RenderAlpha"}));

    // A hidden list draws nothing, not even its own set-up.
    log.clear();
    list.SetVisible(false);
    list.Render();
    EXPECT_TRUE(log.empty());
}
