// The world controller over a small hand-built scene - two fish groups of
// plain particle lists, two backgrounds, the bubbles - with its options in
// Wine's real registry under a key of its own (deleted afterwards).
#include "aquarium/UnderWaterWorld.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ApplicationPro.h"
#include "aquarium/core/FishRender.h"
#include "aquarium/core/UnderWater.h"
#include "../../support/ExceptionMessage.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneParticle.h"

namespace {

template <typename T>
T* Named(TMainObjectList& owner, const std::string& name)
{
    auto* object = new T;
    object->SetName(name);
    owner.Add(object);
    return object;
}

class UnderWaterWorldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App.Company = "CorvalenTest";
        App.Title = "World" + std::to_string(GetCurrentProcessId());
        Key = "Software\\CorvalenTest\\" + App.Title + " 1";
        BuildScene();
    }

    void TearDown() override
    {
        World.reset();
        App.CloseRegistry();
        RegDeleteTreeA(HKEY_CURRENT_USER, Key.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\CorvalenTest");  // only when empty
    }

    // A fresh scene as a scene description would leave it (groups sorting
    // and swimming left, every shoal visible and empty) and a new world
    // controller over it, as a new run of the program makes them.
    void BuildScene()
    {
        World.reset();
        Scene = std::make_unique<TMainScene>();
        Salt = Named<TFishRender>(*Scene, "SaltWater");
        Fresh = Named<TFishRender>(*Scene, "FreshWater");
        for (TFishRender* group : {Salt, Fresh}) {
            group->SortAlpha = true;
            group->FishDirection = fdLeft;
        }
        Angel = Named<TSceneParticleList>(*Salt, "Angel");
        Clown = Named<TSceneParticleList>(*Salt, "Clown");
        Tang = Named<TSceneParticleList>(*Salt, "Tang");
        Guppy = Named<TSceneParticleList>(*Fresh, "Guppy");
        Tetra = Named<TSceneParticleList>(*Fresh, "Tetra");
        Reef = Named<TUnderWater>(*Scene, "Reef");
        Lagoon = Named<TUnderWater>(*Scene, "Lagoon");
        Named<TSceneParticleList>(*Scene, "Bubbles");
        World = std::make_unique<TUnderWaterWorld>();
        World->FApp = &App;
        World->FScene = Scene.get();
    }

    void Store(const std::string& name, const std::string& value)
    {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, Key.c_str(), name.c_str(), REG_SZ, value.c_str(),
                                  static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
    }

    static std::vector<int> Counts(std::initializer_list<TSceneParticleList*> lists)
    {
        std::vector<int> counts;
        for (TSceneParticleList* list : lists)
            counts.push_back(list->Count());
        return counts;
    }

    static std::vector<std::string> Names(const TStringList& list)
    {
        std::vector<std::string> names;
        for (int i = 0; i < list.Count(); ++i)
            names.push_back(list.Strings(i));
        return names;
    }

    TCustomApplicationPro App{nullptr};
    std::string Key;
    std::unique_ptr<TMainScene> Scene;
    std::unique_ptr<TUnderWaterWorld> World;
    TFishRender* Salt = nullptr;
    TFishRender* Fresh = nullptr;
    TSceneParticleList *Angel = nullptr, *Clown = nullptr, *Tang = nullptr, *Guppy = nullptr, *Tetra = nullptr;
    TUnderWater *Reef = nullptr, *Lagoon = nullptr;
};

}  // namespace

TEST_F(UnderWaterWorldTest, InitNamesTheMissingReferenceSceneFirst)
{
    TUnderWaterWorld world;
    EXPECT_EQ(testsupport::MessageOf([&] { world.Init(); }), "TUnderWaterWorld.Init error: FScene=NIL");
    world.FScene = Scene.get();
    EXPECT_EQ(testsupport::MessageOf([&] { world.LoadOptions(); }), "TUnderWaterWorld.Init error: FApp=NIL");
    EXPECT_EQ(world.FishGroups.Count(), 0);
}

TEST_F(UnderWaterWorldTest, FishAreSharedOverTheVisibleShoalsOfEveryGroupAndEachShoalsVisibilityIsStored)
{
    World->Init();
    World->SetFishTypeIndex(0);
    World->SetFishCount(20);
    EXPECT_EQ(Counts({Angel, Clown, Tang}), (std::vector<int>{7, 7, 6}));
    EXPECT_EQ(Counts({Guppy, Tetra}), (std::vector<int>{10, 10}));  // the hidden group too
    EXPECT_FALSE(Fresh->Visible());

    World->SetFishVisible("Clown", false);
    EXPECT_EQ(Counts({Angel, Clown, Tang}), (std::vector<int>{10, 0, 10}));
    // Each shoal's visibility is stored: a new run finds Clown hidden. (The
    // other options' round trip: the program's end-to-end test.)
    World->SaveOptions();
    BuildScene();
    World->LoadOptions();
    EXPECT_FALSE(World->IsFishVisible("Clown"));
    EXPECT_EQ(Counts({Angel, Clown, Tang}), (std::vector<int>{10, 0, 10}));
    World->SetFishVisible("Clown", true);
    EXPECT_EQ(Counts({Angel, Clown, Tang}), (std::vector<int>{7, 7, 6}));

    World->SetFishVisible("Nemo", true);
    EXPECT_FALSE(World->IsFishVisible("Nemo"));

    // A group without a visible shoal keeps its counts.
    Guppy->SetVisible(false);
    Tetra->SetVisible(false);
    World->SetFishCount(30);
    EXPECT_EQ(Counts({Guppy, Tetra}), (std::vector<int>{10, 10}));

    // An index above the last group shows the last one and lists its shoals.
    World->SetFishTypeIndex(5);
    EXPECT_EQ(World->FishTypeIndex, 1);
    EXPECT_TRUE(Fresh->Visible());
    EXPECT_FALSE(Salt->Visible());
    EXPECT_EQ(Names(World->FishNames), (std::vector<std::string>{"Guppy", "Tetra"}));
}

// The setters apply only a change: stored values equal to the controller's
// first ones (false, Right) leave the groups as the description made them.
TEST_F(UnderWaterWorldTest, StoredValuesEqualToTheControllersFirstLeaveTheGroupsAsDescribed)
{
    Store("SortAlpha", "0");
    Store("FishDirection", "Right");
    World->LoadOptions();
    EXPECT_FALSE(World->SortAlpha);
    EXPECT_EQ(World->FishDirection, fdRight);
    for (TFishRender* group : {Salt, Fresh}) {
        EXPECT_TRUE(group->SortAlpha) << group->Name();
        EXPECT_EQ(group->FishDirection, fdLeft) << group->Name();
    }
}

// Corrupt values and missing ones read as their defaults; a second load
// adds nothing to the lists.
TEST_F(UnderWaterWorldTest, CorruptOrMissingValuesReadAsTheirDefaultsAndASecondLoadRepeatsNothing)
{
    // 10001 lies above MaxStoredCount.
    for (const auto& [name, value] : {std::pair{"FishCount", "twenty"}, {"SortAlpha", "maybe"}, {"EmulateDepth", ""},
                                      {"BubbleCount", "10001"}, {"FishTypeIndex", "-3"}, {"WaterBackgroundIndex", "7"}})
        Store(name, value);
    World->LoadOptions();
    World->LoadOptions();
    EXPECT_EQ(Names(World->FishGroups), (std::vector<std::string>{"SaltWater", "FreshWater"}));
    EXPECT_EQ(Names(World->Backgrounds), (std::vector<std::string>{"Reef", "Lagoon"}));
    EXPECT_EQ(Names(World->FishNames), (std::vector<std::string>{"Angel", "Clown", "Tang"}));

    EXPECT_EQ(World->FishTypeIndex, 0);
    EXPECT_TRUE(Salt->Visible());
    EXPECT_FALSE(Fresh->Visible());
    EXPECT_EQ(Counts({Angel, Clown, Tang, Guppy, Tetra}), (std::vector<int>{7, 7, 6, 10, 10}));
    EXPECT_EQ(Salt->FishDirection, fdBoth);
    EXPECT_TRUE(Salt->SortAlpha && Fresh->SortAlpha);
    EXPECT_EQ(World->GetBubbleCount(), 50);
    EXPECT_TRUE(World->EmulateDepth);
    EXPECT_TRUE(Reef->EmulateDepth && Lagoon->EmulateDepth);
    // An index beyond the backgrounds shows the last one rather than none.
    EXPECT_EQ(World->WaterBackgroundIndex, 1);
    EXPECT_TRUE(Lagoon->Visible());
    EXPECT_FALSE(Reef->Visible());

    // Without a chosen background the depth emulation is only stored.
    World->SetWaterBackgroundIndex(-1);
    World->SetEmulateDepth(false);
    EXPECT_FALSE(World->EmulateDepth);
    EXPECT_TRUE(Lagoon->EmulateDepth);
}
