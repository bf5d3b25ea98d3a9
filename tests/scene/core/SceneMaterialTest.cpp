#include "scene/core/SceneMaterial.h"

#include "SceneTestObjects.h"

namespace {

// A stub scene with a material list "Materials".
struct SceneMaterialTest : ::testing::Test, TStubScene {
    TSceneMaterial* NewMaterial(const std::string& name)
    {
        auto* material = new TSceneMaterial();
        material->SetName(name);
        return list->AddMaterial(material);
    }

    TSceneMaterialList* list = Add(new TSceneMaterialList, "Materials");
};

}  // namespace

TEST_F(SceneMaterialTest, GroupsTakeTheirGLMaterialsFromTheScenesContextAndFreeThem)
{
    TSceneMaterial* material = NewMaterial("Rock");
    Scene.GL = nullptr;
    EXPECT_EQ(MessageOf([&] { material->AddGroup(); }), "TSceneMaterial.AddGroup error: MainScene is NIL!");
    EXPECT_EQ(MessageOf([&] { material->GetGroup(0); }), "TSceneMaterial.GetGroup error: Material has no groups!");
    Scene.GL = &GL;
    TGroupMaterial* first = material->AddGroup();
    TGroupMaterial* second = material->AddGroup();
    EXPECT_EQ(second->Index(), 1);
    EXPECT_EQ(second->Material(), material);
    ASSERT_EQ(GL.Materials().Count(), 2);
    EXPECT_EQ(GL.Materials().Items(1), second->GLMaterial());
    // GetGroup clamps the index.
    EXPECT_EQ(material->GetGroup(-1), first);
    EXPECT_EQ(material->GetGroup(7), second);
    delete material;  // leaves the list, frees its groups and their GL materials
    EXPECT_EQ(GL.Materials().Count(), 0);
    EXPECT_EQ(list->GetCount(), 0);
}

TEST_F(SceneMaterialTest, TheMaterialCacheSendsTheWholeGLMaterialAndItsAlpha)
{
    TGroupMaterial* group = NewMaterial("Glass")->AddGroup();
    group->GLMaterial()->SetDiffuse({0.1f, 0.2f, 0.3f, 0.5f});
    group->GLMaterial()->Apply();  // clean now: Apply through the cache must send everything anyway
    ResetMaterialCache();
    CurrentColor = {0.25f, 0.5f, 0.75f, 1};
    Recorder.Clear();
    SetCurrentMaterial(group);
    EXPECT_EQ(Recorder.Count("glMaterialfv") + Recorder.Count("glMaterialf"), 5);
    EXPECT_EQ(Recorder.Calls().back().Text(), "glColor4fv({0.25,0.5,0.75,0.5})");
}

TEST_F(SceneMaterialTest, KeysSurviveARoundTripFaceFlagsIncluded)
{
    TSceneMaterial* material = NewMaterial("Fish");
    material->UseVertexColor = false;
    TGroupMaterial* skin = material->AddGroup();
    skin->GLMaterial()->SetDiffuse({0.4f, 0.5f, 0.6f, 0.5f});
    skin->GLMaterial()->SetShininess(12.5f);
    skin->GLMaterial()->SetFrontFace(false);
    skin->GLMaterial()->SetBackFace(true);
    skin->VertexColor = {1, 0.5f, 0.25f, 1};
    material->AddGroup()->GLMaterial()->SetBackFace(true);

    auto writer = Writer(nullptr);
    material->SaveOptions(*writer);
    // Face flags are written under the suffixed keys they are read with.
    const auto key = [&](const std::string& name) { return writer->IniFile->ReadString("L", name, "-"); };
    EXPECT_EQ(key("Front1") + key("Back1") + key("Front2") + key("Front"), "011-");

    TSceneMaterial* copy = NewMaterial("Copy");
    copy->LoadOptions(*writer);
    EXPECT_FALSE(copy->UseVertexColor);
    ASSERT_EQ(copy->GetGroupCount(), 2);
    const auto all = [](const TGroupMaterial& g) {
        const TGLMaterial& m = *g.GLMaterial();
        return ColorFloatToStr(m.Diffuse()) + " " + ColorFloatToStr(g.VertexColor) + " " +
               FloatToStr(m.Shininess()) + " " +
               std::to_string(m.FrontFace()) + std::to_string(m.BackFace());
    };
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(all(*copy->GetGroup(i)), all(*material->GetGroup(i))) << i;
}

TEST_F(SceneMaterialTest, DamagedValuesGiveDefaultsAndAnAbsurdCountIsRefused)
{
    TSceneMaterial* material = NewMaterial("Odd");
    material->LoadOptions(*ReaderOf("Count=1\nDiffuse1=red\nShininess1=1.2.3\nFront1=maybe\n", nullptr));
    ASSERT_EQ(material->GetGroupCount(), 1);
    const TGLMaterial defaults(nullptr);
    EXPECT_EQ(ColorFloatToStr(material->GetGroup(0)->GLMaterial()->Diffuse()), ColorFloatToStr(defaults.Diffuse()));
    EXPECT_EQ(material->GetGroup(0)->GLMaterial()->Shininess(), defaults.Shininess());
    EXPECT_TRUE(material->GetGroup(0)->GLMaterial()->FrontFace());

    for (const char* count : {"-3", "many", ""}) {
        TSceneMaterial* none = NewMaterial(std::string("None") + count);
        none->LoadOptions(*ReaderOf(std::string("Count=") + count + "\n", nullptr));
        EXPECT_EQ(none->GetGroupCount(), 0) << count;
    }
    TSceneMaterial* huge = NewMaterial("Huge");
    EXPECT_EQ(MessageOf([&] { huge->LoadOptions(*ReaderOf("Count=2000000000\n", nullptr)); }),
              "TSceneMaterial.LoadOptions error: Count is out of range!");
    EXPECT_EQ(huge->GetGroupCount(), 0);
}
