// Visual objects, visual object lists and the particle lists built on them.
#include "scene/core/SceneParticle.h"

#include "classlib/core/Random.h"
#include "gl/core/GLRecorder.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneRegistry.h"
#include "SceneTestObjects.h"

namespace {

// A drawable that marks its passes in the GL record (glFlush opaque,
// glEnd transparent) and counts its animation steps.
class TMarkVisual : public TMainSceneObject {
public:
    explicit TMarkVisual(const std::string& name, bool alpha = false)
    {
        SetName(name);
        Alpha = alpha;
    }
    void Animate(float deltaTime) override { Steps.push_back(deltaTime); }
    void RenderOpaque() override { glFlush(); }
    void RenderAlpha() override { glEnd(); }

    std::vector<float> Steps;
};

std::string Key(const TResourceLoader& writer, const std::string& key)
{
    return writer.IniFile->ReadString("L", key, "<absent>");
}

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

// The shared generator's draws from a known seed, computed independently.
std::vector<double> DrawsFrom(uint32_t seed, int count)
{
    std::vector<double> draws;
    for (int i = 0; i < count; ++i) {
        seed = seed * 134775813u + 1u;
        draws.push_back(seed / 4294967296.0);
    }
    return draws;
}

}  // namespace

// --- Visual objects ---

TEST(VisualOptions, TextRoundTripsEverySet)
{
    const char* texts[] = {"[]", "[Position]", "[Rotation]", "[Position,Rotation]", "[Scale]",
                           "[Position,Scale]", "[Rotation,Scale]", "[Position,Rotation,Scale]"};
    for (TVisualOptions options = 0; options < 8; ++options) {
        EXPECT_EQ(VisualOptionsToStr(options), texts[options]);
        EXPECT_EQ(StrToVisualOptions(texts[options]), options);
    }
    EXPECT_EQ(StrToVisualOptions("Scale then Position"), voScale | voPosition);
    EXPECT_EQ(StrToVisualOptions("[position]"), 0);
}

TEST(MainVisualObject, TheTransformIsTranslateThenYXZRotationThenScale)
{
    GLRecorder recorder;
    TMarkVisual mesh("Mesh");
    TMainVisualObject object;
    object.Visual = &mesh;
    object.Position = {1, 2, 3};
    object.Angles = {10, 20, 30};
    object.Scale = {2, 3, 4};
    object.VisualOptions = voPosition | voRotation | voScale;
    object.Render();
    EXPECT_EQ(recorder.Text(),
              "glPushMatrix()\nglTranslatef(1, 2, 3)\nglRotatef(20, 0, 1, 0)\nglRotatef(10, 1, 0, 0)\n"
              "glRotatef(30, 0, 0, 1)\nglScalef(2, 3, 4)\nglFlush()\nglPopMatrix()\n");

    recorder.Clear();
    object.VisualOptions = voRotation;
    object.RenderOpaque();
    EXPECT_EQ(recorder.Names(), (std::vector<std::string>{"glPushMatrix", "glRotatef", "glRotatef", "glRotatef",
                                                           "glFlush", "glPopMatrix"}));
}

TEST(MainVisualObject, EachPassIsWrappedInTheTransformOnceAndNoOptionsLeaveTheStackAlone)
{
    GLRecorder recorder;
    TMainVisualObject object;
    object.Animate(0.5f);  // without a visual: nothing
    object.Render();
    EXPECT_TRUE(recorder.Calls().empty());

    TMarkVisual mesh("Mesh", true);
    object.Visual = &mesh;
    object.Animate(0.25f);
    EXPECT_EQ(mesh.Steps, std::vector<float>{0.25f});
    object.Alpha = true;
    object.Render();
    EXPECT_EQ(recorder.Count("glPushMatrix"), 2);
    EXPECT_EQ(recorder.Count("glPopMatrix"), 2);
    const std::vector<std::string> names = recorder.Names();
    EXPECT_EQ(names[names.size() - 2], "glEnd");

    recorder.Clear();
    object.VisualOptions = 0;
    object.Render();
    EXPECT_EQ(recorder.Text(), "glFlush()\nglEnd()\n");

    // Without Alpha only the opaque pass; hidden, nothing.
    recorder.Clear();
    object.Alpha = false;
    object.Render();
    EXPECT_EQ(recorder.Text(), "glFlush()\n");
    recorder.Clear();
    object.SetVisible(false);
    object.Render();
    EXPECT_TRUE(recorder.Calls().empty());
}

TEST(MainVisualObject, KeysRoundTripWithTheVisualAsAPath)
{
    TMainScene scene;
    auto* meshes = new TResource;
    meshes->SetName("Meshes");
    scene.AddObject(meshes, 0);
    auto* mesh = new TMarkVisual("Fish");
    meshes->Add(mesh);

    TMainVisualObject object;
    object.Visual = mesh;
    object.VisualOptions = voScale;
    object.Position = {1, 2, 3};
    object.Scale = {0.5f, 1, 2};
    object.Angles = {0, 90, 0};
    auto writer = Writer(&scene);
    object.SaveOptions(*writer);
    EXPECT_EQ(Key(*writer, "VisualOptions"), "[Scale]");
    EXPECT_EQ(Key(*writer, "Visual"), "Meshes/Fish");

    TStringList text;
    writer->IniFile->GetStrings(text);
    auto reader = ReaderOf("", &scene);
    reader->IniFile->SetStrings(text);
    TMainVisualObject copy;
    copy.LoadOptions(*reader);
    EXPECT_EQ(copy.Visual, mesh);
    EXPECT_EQ(copy.VisualOptions, voScale);
    EXPECT_EQ((std::vector<float>{copy.Position.z, copy.Scale.x, copy.Angles.y}), (std::vector<float>{3, 0.5f, 90}));

    // Absent keys keep the constructed values.
    TMainVisualObject plain;
    plain.LoadOptions(*ReaderOf("", &scene));
    EXPECT_EQ(plain.VisualOptions, voPosition | voRotation);
    EXPECT_FLOAT_EQ(plain.Scale.y, 1);
    EXPECT_EQ(plain.Visual, nullptr);
}

// --- Visual object lists ---

TEST(MainVisualObjectList, WithoutAVisualOrItemsItAnimatesNothing)
{
    GLRecorder recorder;
    TMainVisualObjectList list;
    list.SetName("List");
    auto* item = new TMainVisualObject;
    item->SetName("Item");
    list.Add(item);
    list.Animate(0.1f);
    list.Render();
    EXPECT_TRUE(recorder.Calls().empty());

    TMarkVisual mesh("Mesh");
    TMainVisualObjectList empty;
    empty.Visual = &mesh;
    empty.Animate(0.1f);
    TSceneParticleList particles;
    particles.Visual = &mesh;
    particles.Animate(0.1f);
    EXPECT_TRUE(mesh.Steps.empty());
    particles.SetName("L");
    particles.SetCount(5);
    particles.Animate(0.1f);
    EXPECT_EQ(mesh.Steps.size(), 1u);  // once per frame, not per particle
}

TEST(MainVisualObjectList, DrawsTheVisualAtEveryItemVisibleOrNotAndAnimatesItOnce)
{
    GLRecorder recorder;
    TMarkVisual mesh("Mesh", true);
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
    list.Animate(0.2f);
    EXPECT_EQ(mesh.Steps, std::vector<float>{0.2f});

    list.Render();
    EXPECT_TRUE(list.Alpha);  // taken from the visual
    EXPECT_EQ(recorder.Count("glFlush"), 3);
    EXPECT_EQ(recorder.Count("glEnd"), 3);
    EXPECT_EQ(recorder.Count("glPushMatrix"), 6);
    EXPECT_EQ(recorder.CallsOf("glTranslatef")[1].Text(), "glTranslatef(0, 5, 0)");
    // Every opaque pass comes before the first transparent one.
    const std::vector<std::string> names = recorder.Names();
    const auto lastOpaque = std::find(names.rbegin(), names.rend(), "glFlush").base() - names.begin() - 1;
    const auto firstAlpha = std::find(names.begin(), names.end(), "glEnd") - names.begin();
    EXPECT_LT(lastOpaque, firstAlpha);

    // A visual without a transparent pass: opaque passes only.
    recorder.Clear();
    mesh.Alpha = false;
    list.Render();
    EXPECT_FALSE(list.Alpha);
    EXPECT_EQ(recorder.Count("glEnd"), 0);
    recorder.Clear();
    list.RenderAlpha();
    EXPECT_TRUE(recorder.Calls().empty());
}

TEST(MainVisualObjectList, VisualKeyAndSortedIndex)
{
    TMainScene scene;
    auto* mesh = new TMarkVisual("Mesh");
    scene.AddObject(mesh, 0);
    TMainVisualObjectList list;
    list.LoadOptions(*ReaderOf("Visual=Mesh\n", &scene));
    EXPECT_EQ(list.Visual, mesh);
    auto writer = Writer(&scene);
    list.SaveOptions(*writer);
    EXPECT_EQ(Key(*writer, "Visual"), "Mesh");

    // Sorted by name unless switched off.
    for (const char* name : {"b", "a"}) {
        auto* item = new TMainVisualObject;
        item->SetName(name);
        list.Add(item);
    }
    EXPECT_EQ(static_cast<TMainObject*>(list.GetItem(0))->Name(), "a");
    list.SetSorted(false);
    auto* item = new TMainVisualObject;
    item->SetName("0");
    list.Add(item);
    EXPECT_EQ(static_cast<TMainObject*>(list.GetItem(2))->Name(), "0");
}

// --- Particle lists ---

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
    EXPECT_EQ(first->Owner(), &list);
    EXPECT_EQ(first->Age, 1.0f);
    list.SetCount(1);
    list.SetCount(2);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Particles(0), first);
    EXPECT_EQ(list.Particles(1)->Name(), "P1");
    list.SetCount(-5);
    EXPECT_EQ(list.Count(), 0);
}

TEST(SceneParticleList, AParticleOlderThanItsLifeTimeRestartsAndMovesByItsAge)
{
    TCountingParticles list;
    list.SetName("L");
    list.SetCount(2);
    list.FirstAnimate = false;
    TSceneParticle* old = list.Particles(0);  // age 1, lifetime 0
    old->Velocity = {1, 0, 0};
    old->RotationVelocity = {0, 10, 0};
    TSceneParticle* due = list.Particles(1);
    due->Age = 0.5f;
    due->LifeTime = 1.0f;
    due->Velocity = {0, 0, 2};

    list.Animate(0.5f);  // old: age 1.5 > 0, restarted, moved by 1.5; due: exactly at its lifetime, moved
    EXPECT_EQ(list.Restarts, 1);
    EXPECT_FLOAT_EQ(old->Position.x, 1.5f);
    EXPECT_FLOAT_EQ(old->Angles.y, 15.0f);
    EXPECT_FLOAT_EQ(due->Position.z, 1.0f);
    list.Animate(0.5f);  // nothing reset old's age: restarted again, moved by 2.0
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
    const std::vector<double> draws = DrawsFrom(0, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_FLOAT_EQ(list.Particles(i)->Age, static_cast<float>(draws[i] * 10)) << i;
    EXPECT_EQ(list.Restarts, 3);
    EXPECT_FALSE(list.FirstAnimate);

    // Particles added later start at the beginning of their paths.
    list.SetCount(4);
    const uint32_t seed = RandSeed();
    list.Animate(0.1f);
    EXPECT_EQ(RandSeed(), seed);
    EXPECT_FLOAT_EQ(list.Particles(3)->Age, 1.1f);
}

TEST(SceneParticleList, GravityIsTakenOncePerMoveFromTheFrameStep)
{
    TCountingParticles list;
    list.SetName("L");
    list.NewLifeTime = 100;
    list.SetCount(2);
    list.FirstAnimate = false;
    list.EnableGravity = true;
    list.Gravity = 10;
    TSceneParticle* running = list.Particles(0);
    running->Age = 0;
    running->LifeTime = 100;
    running->Velocity = {0, 4, 0};
    TSceneParticle* restarted = list.Particles(1);  // age 1 > lifetime 0
    restarted->Velocity = {0, 4, 0};

    list.Animate(0.5f);
    EXPECT_FLOAT_EQ(list.GravityStep, 5.0f);
    EXPECT_FLOAT_EQ(running->Position.y, 2.0f);  // moved before the velocity changes
    EXPECT_FLOAT_EQ(running->Velocity.y, -1.0f);
    EXPECT_FLOAT_EQ(restarted->Position.y, 6.0f);  // moved by its age, 1.5 s
    EXPECT_FLOAT_EQ(restarted->Velocity.y, -1.0f);

    // Without EnableGravity the step is kept and not applied.
    list.EnableGravity = false;
    list.Animate(1.0f);
    EXPECT_FLOAT_EQ(list.GravityStep, 5.0f);
    EXPECT_FLOAT_EQ(running->Velocity.y, -1.0f);
}

TEST(SceneParticleList, KeysSetTheCountAndTheParticlesAreNotWrittenAsSections)
{
    TMainScene scene;
    EXPECT_EQ(CreateSceneObject("TSceneParticleList", "Bubbles"), nullptr);  // only subclasses are registered

    TSceneParticleList particles;
    particles.SetName("Bubbles");
    particles.LoadOptions(*ReaderOf("Gravity=2.5\nEnableGravity=1\nParticleCount=4\n", &scene));
    EXPECT_FLOAT_EQ(particles.Gravity, 2.5f);
    EXPECT_TRUE(particles.EnableGravity);
    EXPECT_EQ(particles.Count(), 4);
    particles.LoadOptions(*ReaderOf("", &scene));  // an absent count is 0
    EXPECT_EQ(particles.Count(), 0);
    EXPECT_FLOAT_EQ(particles.Gravity, 2.5f);

    particles.SetCount(3);
    auto writer = Writer(&scene);
    particles.SaveOptions(*writer);
    writer->WriteItems(particles);
    EXPECT_EQ(Key(*writer, "ParticleCount") + " " + Key(*writer, "Gravity") + " " + Key(*writer, "EnableGravity"),
              "3 2.5 1");
    TStringList sections;
    writer->IniFile->ReadSections(sections);
    EXPECT_EQ(sections.Count(), 1);
}
