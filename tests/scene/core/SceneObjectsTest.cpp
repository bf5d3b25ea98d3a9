#include "scene/core/SceneObjects.h"

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

    // Freeing the resource frees what it still holds, once.
    delete resource;
    EXPECT_EQ(CountOf(log, "~Kept"), 1);
    EXPECT_EQ(CountOf(log, "~Removed"), 0);
    delete removed;
    EXPECT_EQ(CountOf(log, "~Removed"), 1);
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
