// Fish shoals: spawn paths against the view frustum, depth band, height
// clamp, directions, depth slots and parking.
#include "aquarium/core/Fishes.h"

#include <cmath>

#include "AquariumTestScene.h"
#include "aquarium/core/FishRender.h"

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
    seed = RandSeed();
    TSceneParticle* left = s.Spawn(s.Shoal);
    EXPECT_EQ(DrawsBetween(seed, RandSeed()), 3);
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
