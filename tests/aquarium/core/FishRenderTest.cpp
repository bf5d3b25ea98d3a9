// Fish groups: the slot table, the conflict rules, the direction texts and
// the far-to-near transparent pass.
#include "aquarium/core/FishRender.h"

#include "AquariumTestScene.h"
#include "aquarium/core/Fishes.h"
#include "support/GLRecorder.h"
#include "scene/core/SceneMesh.h"
#include "../../support/ExceptionMessage.h"

namespace {

// A fish at (x, y, z) swimming at vx, with remaining lifetime left.
void Place(TSceneParticle& fish, float x, float y, float z, float vx, float left = 10)
{
    fish.Position = {x, y, z};
    fish.Velocity = {vx, 0, 0};
    fish.Age = 0;
    fish.LifeTime = left;
}

// A transparent mesh that marks its transparent pass with glFlush and
// draws nothing else: the fish's transforms show in the GL record.
class TAlphaVisual : public TSceneMesh {
public:
    TAlphaVisual() { Alpha = true; }
    void RenderOpaque() override {}
    void RenderAlpha() override { glFlush(); }
};

}  // namespace

// The default table, claimed on before LoadOptions ever set one up; a step
// that is not positive is refused and keeps it.
TEST(FishRender, TheDefaultTableHas1001SlotsAndLooks15SlotsEachWayAndABadStepKeepsIt)
{
    TFishRender group;
    EXPECT_EQ(group.SlotCount(), 1001);
    EXPECT_EQ(group.SlotOfDepth(-99999), 1000);

    // A fish in slot 300 is blocked by an opposite swimmer in 285 or 315,
    // not by one in 284 or 316.
    TSceneParticle other, fish;
    for (const auto& [z, blocked] :
         {std::pair{-2850.0f, true}, {-3150.0f, true}, {-2845.0f, false}, {-3165.0f, false}}) {
        Place(other, 0, 0, z, -100);
        ASSERT_TRUE(group.ClaimSlot(nullptr, &other));
        Place(fish, 0, 0, -3000, 100);
        EXPECT_EQ(group.ClaimSlot(nullptr, &fish), !blocked) << z;
        group.ReleaseSlot(&fish);
        group.ReleaseSlot(&other);
    }

    ASSERT_TRUE(group.ClaimSlot(nullptr, &fish));
    group.StepZ = 0;
    EXPECT_EQ(testsupport::MessageOf([&] { group.Init(); }), "TFishRender.Init error: StepZ=0!");
    group.StepZ = -10;
    EXPECT_THROW(group.Init(), Exception);
    group.StepZ = 1e-6f;
    EXPECT_THROW(group.Init(), Exception) << "a table of ten billion slots";
    EXPECT_EQ(group.SlotCount(), 1001);
    EXPECT_EQ(group.SlotFish(300), &fish);
}

TEST(FishRender, FishConflictOnlyWhenCloseInHeightAndOppositeOrTooCloseBehind)
{
    TFishRender group;
    TSceneParticle ahead, fish;
    struct Case {
        float aheadX, aheadY, aheadVx, x, y, vx;
        bool free;
    };
    // The fish ahead leaves in 10 s; the new one must then trail it by 1000.
    for (const Case& c : std::initializer_list<Case>{
             {0, 0, 100, -1000, 0, 100, true},     // 1000 behind at the end
             {0, 0, 100, -999, 0, 100, false},     // 999 behind
             {0, 0, 100, -900, 800, 100, true},    // 800 apart in height
             {0, 0, 100, -5000, 799, -100, false}, // opposite ways
             {0, 0, -100, 1000, 0, -100, true},    // leftwards, 1000 behind
             {0, 0, -100, 999, 0, -100, false},
             {0, 0, 100, -2000, 0, 200, true},     // faster: 1000 behind after 10 s
             {0, 0, 100, -1999, 0, 200, false},
         }) {
        Place(ahead, c.aheadX, c.aheadY, -3010, c.aheadVx);
        ASSERT_TRUE(group.ClaimSlot(nullptr, &ahead));
        Place(fish, c.x, c.y, -3000, c.vx);
        EXPECT_EQ(group.IsSlotFree(group.SlotOfDepth(-3000), &fish), c.free)
            << c.aheadVx << " " << c.x << " " << c.y << " " << c.vx;
        group.ReleaseSlot(&ahead);
    }
}

TEST(FishRender, SortedTransparentFishAreDrawnFarToNearAcrossShoalsSkippingHiddenShoals)
{
    TAquariumTestScene s;
    auto* group = new TFishRender;
    group->SetName("Fresh");
    group->Alpha = true;
    group->SortAlpha = true;
    s.Scene.AddObject(group, poRender);
    TAlphaVisual visual;
    TFishes* shoals[3];
    for (int i = 0; i < 3; ++i) {
        shoals[i] = new TFishes;
        shoals[i]->SetName("Shoal" + std::to_string(i));
        shoals[i]->Visual = &visual;
        group->Add(shoals[i]);
        shoals[i]->SetCount(2);
    }
    shoals[2]->SetVisible(false);
    // Depths interleaved across the shoals; a fish without a slot is not drawn.
    const float depths[3][2] = {{-1000, -7000}, {-4000, -2000}, {-5000, -6000}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) {
            TSceneParticle* fish = shoals[i]->Particles(j);
            Place(*fish, 0, 1000.0f * static_cast<float>(i * 2 + j), depths[i][j], 100);
            ASSERT_TRUE(group->ClaimSlot(shoals[i], fish));
        }
    shoals[1]->Particles(1)->Position.z = -3000;  // drifted since its spawn: the slot stays
    group->ReleaseSlot(shoals[0]->Particles(0));

    GLRecorder gl;
    group->Render();
    // The depth of the fish drawn at each transparent draw.
    std::vector<std::string> translations;
    std::string depth;
    for (const GLCall& call : gl.Calls())
        if (call.Name == "glTranslatef")
            depth = call.Args[2];
        else if (call.Name == "glFlush")
            translations.push_back(depth);
    EXPECT_EQ(translations, (std::vector<std::string>{"-7000", "-4000", "-3000"}));
}
