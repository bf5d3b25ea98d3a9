// Visual objects, visual object lists and the particle lists built on them.
#include "scene/core/SceneParticle.h"

#include "classlib/core/Random.h"
#include "SceneTestObjects.h"

namespace {

// A particle list that counts restarts and gives restarted particles a
// lifetime.
class TCountingParticles : public TSceneParticleList {
public:
    void InitParticle(TSceneParticle* particle) override
    {
        ++Restarts;
        particle->LifeTime = NewLifeTime;
    }
    int Restarts = 0;
    float NewLifeTime = 0;
};

}  // namespace

TEST(MainVisualObjectList, DrawsTheVisualAtEveryItemVisibleOrNotAndAnimatesItOnce)
{
    GLRecorder recorder;
    TSceneLog log;
    TRecordingObject mesh("Mesh", log);
    mesh.Alpha = true;
    TMainVisualObjectList list;
    list.SetName("List");
    list.Visual = &mesh;
    for (const char* name : {"A", "B", "C"}) {
        auto* item = new TMainVisualObject;
        item->SetName(name);
        item->VisualOptions = voPosition;
        list.Add(item);
    }
    static_cast<TMainVisualObject*>(list.FindObject("B"))->Position = {0, 5, 0};
    list.FindObject("B")->SetVisible(false);
    list.FindObject("C")->Animate(0);  // the items themselves have no visual
    list.Animate(0.2f);                 // once per frame, not per item
    list.Render();
    EXPECT_TRUE(list.Alpha);  // taken from the visual
    // Every opaque pass comes before the first transparent one.
    const std::string opaque = "Mesh.RenderOpaque";
    const std::string alpha = "Mesh.RenderAlpha";
    EXPECT_EQ(log, (TSceneLog{"Mesh.Animate", opaque, opaque, opaque, alpha, alpha, alpha}));
    EXPECT_EQ(recorder.CallsOf("glTranslatef")[1].Text(), "glTranslatef(0, 5, 0)");
}

TEST(SceneParticleList, CountAddsAndFreesFromTheEndInInsertionOrder)
{
    TSceneParticleList list;
    list.SetName("P");
    EXPECT_FALSE(list.StoreItems);
    list.SetCount(12);
    ASSERT_EQ(list.Count(), 12);
    TSceneParticle* first = list.Particles(0);
    EXPECT_EQ(list.Particles(2)->Name(), "P2");  // a sorted index would give P10
    EXPECT_EQ(list.FindObject("P10"), list.Particles(10));
    list.SetCount(1);
    list.SetCount(2);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Particles(0), first);
    EXPECT_EQ(list.Particles(1)->Name(), "P1");
    list.SetCount(-5);
    EXPECT_EQ(list.Count(), 0);
    // A name taken by a renamed particle stops the count there.
    list.SetCount(1);
    list.Particles(0)->SetName("P1");
    EXPECT_EQ(MessageOf([&] { list.SetCount(3); }), "TMainObjectList.AddItem error: Object.Name P1 is taken");
    EXPECT_EQ(list.Count(), 1);
}

// Gravity is taken once per move from the frame step and changes the
// velocity after the move.
TEST(SceneParticleList, AParticleOlderThanItsLifeTimeRestartsAndMovesByItsAgeUnderGravity)
{
    TCountingParticles list;
    list.SetName("L");
    list.SetCount(2);
    list.FirstAnimate = false;
    list.EnableGravity = true;
    list.Gravity = 10;
    TSceneParticle* old = list.Particles(0);  // age 1, lifetime 0
    old->Velocity = {1, 4, 0};
    old->RotationVelocity = {0, 10, 0};
    TSceneParticle* due = list.Particles(1);
    due->Age = 0.5f;
    due->LifeTime = 1.0f;
    due->Velocity = {0, 4, 2};

    list.Animate(0.5f);  // old: age 1.5 > 0, restarted, moved by 1.5; due: exactly at its lifetime, moved
    EXPECT_EQ(list.Restarts, 1);
    EXPECT_FLOAT_EQ(list.GravityStep, 5.0f);
    EXPECT_EQ((std::vector<float>{old->Position.x, old->Position.y, old->Angles.y, old->Velocity.y}),
              (std::vector<float>{1.5f, 6.0f, 15.0f, -1.0f}));
    EXPECT_EQ((std::vector<float>{due->Position.z, due->Position.y, due->Velocity.y}),
              (std::vector<float>{1.0f, 2.0f, -1.0f}));
    list.Animate(0.5f);  // nothing reset old's age: restarted again, moved by 2.0; due now past its lifetime
    EXPECT_EQ(list.Restarts, 3);
    EXPECT_FLOAT_EQ(old->Position.x, 3.5f);
}

TEST(SceneParticleList, TheFirstFrameStartsParticlesAtRandomAgesOfTheSharedGenerator)
{
    TCountingParticles list;
    list.SetName("L");
    list.NewLifeTime = 10;
    list.SetCount(3);
    SetRandSeed(0);
    list.Animate(0.1f);
    SetRandSeed(0);  // the same draws again
    for (int i = 0; i < 3; ++i)
        EXPECT_FLOAT_EQ(list.Particles(i)->Age, static_cast<float>(Random() * 10)) << i;
    EXPECT_EQ(list.Restarts, 3);

    // Particles added later start at the beginning of their paths.
    list.SetCount(4);
    const uint32_t seed = RandSeed();
    list.Animate(0.1f);
    EXPECT_EQ(RandSeed(), seed);
    EXPECT_FLOAT_EQ(list.Particles(3)->Age, 1.1f);
}
