// Fish shoals and their groups: spawn paths against the view frustum, depth
// band, height clamp, directions, parking; the groups' depth-slot table, the
// conflict rules and the far-to-near transparent pass.
#include "aquarium/core/Fishes.h"

#include <cmath>

#include "AquariumTestScene.h"
#include "aquarium/core/FishRender.h"
#include "../../support/ExceptionMessage.h"
#include "scene/core/SceneMesh.h"
#include "support/GLRecorder.h"

namespace {

const float Cos15 = std::cos(15 * 3.14159265f / 180);
const float Sin15 = std::sin(15 * 3.14159265f / 180);

// An 800 x 600 view: 75 degrees, near 100, camera at (0, 0, -0.00005).
struct FishScene : TAquariumTestScene {
    FishScene()
    {
        Group->SetName("Salt");
        Scene.AddObject(Group, poRender | poAnimation);
        Shoal->SetName("Shoal");
        Group->Add(Shoal);
        for (TFishes* fishes : {Shoal, Loose}) {
            fishes->MinZ = 1000;
            fishes->MaxZ = 7000;
            fishes->UpY = 400;
            fishes->BottomY = -400;
            fishes->MinSpeed = 100;
            fishes->MaxSpeed = 300;
            fishes->MaxCount = 10;
        }
        Loose->SetName("Loose");
        Scene.AddObject(Loose, poRender | poAnimation);
    }
    // The frustum's half-width (positive) at depth z.
    float EdgeX(float z) const
    {
        const float top = std::tan(37.5f * 3.14159265f / 180) * 100;
        return std::fabs(z + 0.00005f) / 100 * top * 4 / 3;
    }
    TSceneParticle* Spawn(TFishes* fishes)
    {
        fishes->SetCount(fishes->Count() + 1);
        TSceneParticle* fish = fishes->Particles(fishes->Count() - 1);
        fishes->InitParticle(fish);
        return fish;
    }

    TFishRender* Group = new TFishRender;  // owned by the scene
    TFishes* Shoal = new TFishes;          // owned by the group
    TFishes* Loose = new TFishes;          // a shoal without a group, owned by the scene
};

bool Parked(const TSceneParticle* fish)
{
    return fish->Position.z > 0 && fish->Velocity.x == 0 && fish->Velocity.z == 0 && fish->LifeTime == 0 &&
           fish->Age == 1 && fish->DepthSlot == -1;
}

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

TEST(Fishes, ARightFishEntersAndLeaves800UnitsBeyondTheFrustumEdgesAtItsDepthAndHeight)
{
    FishScene s;
    for (int i = 0; i < 50; ++i) {
        TSceneParticle fish;
        s.Loose->SpawnFish(&fish);
        const float v = std::hypot(fish.Velocity.x, fish.Velocity.z);
        ASSERT_NEAR(fish.Velocity.x / v, Cos15, 1e-5);
        ASSERT_NEAR(fish.Velocity.z / v, -Sin15, 1e-5);
        EXPECT_EQ(fish.Angles.y, 15);
        const TGLVector in{fish.Position.x + 800 * Cos15, 0, fish.Position.z - 800 * Sin15};
        EXPECT_NEAR(in.x, -s.EdgeX(in.z), 0.05);
        const TGLVector end{fish.Position.x + fish.Velocity.x * fish.LifeTime, 0,
                            fish.Position.z + fish.Velocity.z * fish.LifeTime};
        EXPECT_NEAR(end.x - 800 * Cos15, s.EdgeX(end.z + 800 * Sin15), 0.05);
        // With no fish yet the band reaches a third of the way to MaxZ.
        EXPECT_LE(in.z, -1000);
        EXPECT_GE(in.z, -3000);
        EXPECT_LE(std::fabs(fish.Position.y), 400);
    }

    // A height outside the frustum is clamped to its top or its mirror.
    const float top = std::tan(37.5f * 3.14159265f / 180) * 100;
    for (float height : {1e5f, -1e5f}) {
        s.Loose->UpY = s.Loose->BottomY = height;
        TSceneParticle fish;
        s.Loose->SpawnFish(&fish);
        const float depth = std::fabs(fish.Position.z - 800 * Sin15 + 0.00005f);
        EXPECT_NEAR(fish.Position.y, std::copysign(depth / 100 * top, height), 0.05);
    }
}

TEST(Fishes, DirectionsComeFromTheGroupAndEachSpawnDrawsThreeTimesOrFourForBoth)
{
    FishScene s;
    uint32_t seed = RandSeed();
    TSceneParticle* loose = s.Spawn(s.Loose);
    EXPECT_EQ(DrawsBetween(seed, RandSeed()), 3);
    EXPECT_GT(loose->Velocity.x, 0);
    EXPECT_EQ(loose->DepthSlot, -1) << "a shoal without a group claims no slot";

    s.Group->FishDirection = fdLeft;
    TSceneParticle* left = s.Spawn(s.Shoal);
    EXPECT_LT(left->Velocity.x, 0);
    EXPECT_EQ(left->Angles.y, 195);
    EXPECT_NEAR(left->Position.x - 800 * Cos15, s.EdgeX(left->Position.z + 800 * Sin15), 0.05)
        << "a left fish starts beyond the right edge";
    EXPECT_GE(left->DepthSlot, 0);

    s.Group->FishDirection = fdBoth;
    int rights = 0;
    for (int i = 0; i < 40; ++i) {
        seed = RandSeed();
        TSceneParticle fish;
        s.Shoal->SpawnFish(&fish);
        EXPECT_EQ(DrawsBetween(seed, RandSeed()), 4);
        rights += fish.Velocity.x > 0;
    }
    EXPECT_GT(rights, 5);
    EXPECT_LT(rights, 35);
}

TEST(Fishes, AFishWithoutAFreeSlotOrWithoutSpeedWaitsOutOfViewAndSpawnsAgain)
{
    FishScene s;
    s.Group->StepZ = 5000;  // three slots, no neighbours
    s.Group->Init();
    TSceneParticle blockers[3];
    for (int i = 0; i < 3; ++i) {
        blockers[i].Position.z = -5000.0f * static_cast<float>(i);
        ASSERT_TRUE(s.Group->ClaimSlot(s.Shoal, &blockers[i]));
    }
    TSceneParticle* fish = s.Spawn(s.Shoal);
    EXPECT_TRUE(Parked(fish));
    s.Shoal->FirstAnimate = false;
    s.Shoal->Animate(1.0f);
    EXPECT_TRUE(Parked(fish)) << "a parked fish stays behind the camera";
    for (TSceneParticle& blocker : blockers)
        s.Group->ReleaseSlot(&blocker);

    // No speed, and no MaxCount: nothing infinite or NaN, nothing in view.
    s.Shoal->MinSpeed = s.Shoal->MaxSpeed = 0;
    s.Shoal->MaxCount = 0;
    s.Shoal->InitParticle(fish);
    EXPECT_TRUE(Parked(fish));
    s.Shoal->MinSpeed = s.Shoal->MaxSpeed = 100;
    s.Shoal->InitParticle(fish);
    EXPECT_TRUE(std::isfinite(fish->Position.z) && std::isfinite(fish->LifeTime) && fish->LifeTime > 0);
}

TEST(Fishes, EveryWayOfFreeingFishReleasesTheirSlotsAndNoOthers)
{
    auto slotsHeld = [](const TFishRender& group) {
        int held = 0;
        for (int i = 0; i < group.SlotCount(); ++i)
            held += group.SlotFish(i) != nullptr;
        return held;
    };
    enum { Shrink, FreeOneFish, ClearShoal, FreeShoal, RemoveShoal, ClearGroup, Reinit };
    for (int way : {Shrink, FreeOneFish, ClearShoal, FreeShoal, RemoveShoal, ClearGroup, Reinit}) {
        SCOPED_TRACE(way);
        FishScene s;
        s.Shoal->SetCount(4);
        for (int i = 0; i < 4; ++i) {
            TSceneParticle* fish = s.Shoal->Particles(i);
            fish->Position.z = -1000.0f * static_cast<float>(i + 1);
            ASSERT_TRUE(s.Group->ClaimSlot(s.Shoal, fish));
        }
        TSceneParticle* first = s.Shoal->Particles(0);
        TSceneParticle* last = s.Shoal->Particles(3);
        switch (way) {
        case Shrink:
            s.Shoal->SetCount(2);
            EXPECT_EQ(slotsHeld(*s.Group), 2);
            EXPECT_EQ(s.Group->SlotFish(100), first);
            break;
        case FreeOneFish:
            delete last;
            EXPECT_EQ(slotsHeld(*s.Group), 3);
            EXPECT_EQ(s.Group->SlotFish(400), nullptr);
            break;
        case ClearShoal:
            s.Shoal->Clear();
            break;
        case FreeShoal:
            delete s.Shoal;
            break;
        case RemoveShoal:
            s.Group->Remove(s.Shoal);
            EXPECT_EQ(first->DepthSlot, -1);
            s.Scene.AddObject(s.Shoal, 0);  // the scene frees it
            break;
        case ClearGroup:
            s.Group->Clear();
            break;
        case Reinit:
            s.Group->StepZ = 20;
            s.Group->Init();
            EXPECT_EQ(first->DepthSlot, -1);
            break;
        }
        if (way != Shrink && way != FreeOneFish) {
            EXPECT_EQ(slotsHeld(*s.Group), 0);
        }
    }
}

// The stored direction texts are exact: any other spelling is Both.
TEST(FishRender, DirectionTextsAreExactAndRoundTrip)
{
    EXPECT_EQ(StrToFishDirection("Right"), fdRight);
    EXPECT_EQ(StrToFishDirection("Left"), fdLeft);
    EXPECT_EQ(StrToFishDirection("right"), fdBoth);
    EXPECT_EQ(StrToFishDirection(""), fdBoth);
    for (uint8_t direction : {fdRight, fdLeft, fdBoth})
        EXPECT_EQ(StrToFishDirection(FishDirectionToStr(direction)), direction);
}

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
