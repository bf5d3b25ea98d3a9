#include "scene/core/SceneMaterial.h"

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLRecorder.h"
#include "gl/core/GLStubPlatform.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneRegistry.h"
#include "scene/core/SceneTexture.h"
#include "SceneTestObjects.h"

namespace {

std::string Text(const TGLColorFloat& color)
{
    return ColorFloatToStr(color);
}

// A scene with a context object (no context is made) and a material list
// "Materials".
class SceneMaterialTest : public ::testing::Test {
protected:
    SceneMaterialTest()
    {
        scene.GL = &context;
        list = new TSceneMaterialList();
        list->SetName("Materials");
        scene.Add(list);
    }

    TSceneMaterial* NewMaterial(const std::string& name)
    {
        auto* material = new TSceneMaterial();
        material->SetName(name);
        return list->AddMaterial(material);
    }

    TCustomOpenGL context{std::make_unique<TGLStubPlatform>()};
    TMainScene scene;
    TSceneMaterialList* list = nullptr;
};

}  // namespace

TEST_F(SceneMaterialTest, GroupsTakeTheirGLMaterialsFromTheSceneAndFreeThem)
{
    TSceneMaterial* material = NewMaterial("Rock");
    EXPECT_TRUE(material->UseVertexColor);
    TGroupMaterial* first = material->AddGroup();
    TGroupMaterial* second = material->AddGroup();
    EXPECT_EQ(first->Index(), 0);
    EXPECT_EQ(second->Index(), 1);
    EXPECT_EQ(second->Material(), material);
    EXPECT_EQ(material->GetGroupCount(), 2);
    EXPECT_EQ(Text(first->VertexColor), "1,1,1,1");
    ASSERT_EQ(context.Materials().Count(), 2);
    EXPECT_EQ(context.Materials().Items(1), second->GLMaterial());
    delete material;  // leaves the list, frees its groups and their GL materials
    EXPECT_EQ(context.Materials().Count(), 0);
    EXPECT_EQ(list->GetCount(), 0);
}

TEST_F(SceneMaterialTest, AddGroupNeedsTheScenesContextObjectAndGetGroupClamps)
{
    TSceneMaterial loose;
    EXPECT_EQ(MessageOf([&] { loose.AddGroup(); }), "TSceneMaterial.AddGroup error: MainScene is NIL!");
    TSceneMaterial* material = NewMaterial("Rock");
    scene.GL = nullptr;
    EXPECT_EQ(MessageOf([&] { material->AddGroup(); }), "TSceneMaterial.AddGroup error: MainScene is NIL!");
    EXPECT_EQ(material->GetGroupCount(), 0);

    // GetGroup clamps the index and raises without groups.
    scene.GL = &context;
    EXPECT_EQ(MessageOf([&] { material->GetGroup(0); }), "TSceneMaterial.GetGroup error: Material has no groups!");
    EXPECT_EQ(MessageOf([&] { material->GetGroup(-1); }), "TSceneMaterial.GetGroup error: Material has no groups!");
    TGroupMaterial* first = material->AddGroup();
    TGroupMaterial* second = material->AddGroup();
    EXPECT_EQ(material->GetGroup(-1), first);
    EXPECT_EQ(material->GetGroup(0), first);
    EXPECT_EQ(material->GetGroup(1), second);
    EXPECT_EQ(material->GetGroup(7), second);
}

TEST_F(SceneMaterialTest, TransparencyFollowsTheDiffuseAlpha)
{
    TGroupMaterial* group = NewMaterial("Glass")->AddGroup();
    EXPECT_FALSE(group->IsTransparent());  // a new GL material is opaque
    for (float alpha : {0.5f, 0.989f, 0.0f}) {
        group->GLMaterial()->SetDiffuse({1, 1, 1, alpha});
        EXPECT_TRUE(group->IsTransparent()) << alpha;
        EXPECT_EQ(group->DiffuseAlpha(), alpha);
    }
    for (float alpha : {0.99f, 1.0f}) {
        group->GLMaterial()->SetDiffuse({1, 1, 1, alpha});
        EXPECT_FALSE(group->IsTransparent()) << alpha;
    }
}

TEST_F(SceneMaterialTest, TheMaterialCacheSendsTheWholeGLMaterialAndItsAlpha)
{
    TGroupMaterial* group = NewMaterial("Glass")->AddGroup();
    group->GLMaterial()->SetDiffuse({0.1f, 0.2f, 0.3f, 0.5f});
    GLRecorder recorder;
    group->GLMaterial()->Apply();  // clean now: Apply through the cache must send everything anyway
    ResetMaterialCache();
    CurrentColor = {0.25f, 0.5f, 0.75f, 1};
    recorder.Clear();
    SetCurrentMaterial(group);
    EXPECT_EQ(recorder.Count("glMaterialfv"), 4);
    EXPECT_EQ(recorder.Count("glMaterialf"), 1);
    EXPECT_EQ(recorder.Calls().back().Text(), "glColor4fv({0.25,0.5,0.75,0.5})");
    SetCurrentMaterial(nullptr);
    ResetMaterialCache();
    CurrentColor = {1, 1, 1, 1};
}

TEST_F(SceneMaterialTest, UnsuffixedFaceKeysApplyToEveryGroupWithoutKeysOfItsOwn)
{
    TSceneMaterial* material = NewMaterial("Weed");
    material->LoadOptions(*ReaderOf("[Weed]\nCount=3\nFront=0\nBack=1\nFront2=1\nBack3=0\n", nullptr, "Weed"));
    ASSERT_EQ(material->GetGroupCount(), 3);
    std::string faces;  // front and back of each group
    for (int i = 0; i < 3; ++i)
        faces += std::to_string(material->GetGroup(i)->GLMaterial()->FrontFace()) +
                 std::to_string(material->GetGroup(i)->GLMaterial()->BackFace()) + " ";
    EXPECT_EQ(faces, "01 11 00 ");
}

TEST_F(SceneMaterialTest, KeysSurviveARoundTripFaceFlagsIncluded)
{
    TSceneMaterial* material = NewMaterial("Fish");
    material->UseVertexColor = false;
    TGroupMaterial* skin = material->AddGroup();
    skin->GLMaterial()->SetAmbient({0.1f, 0.2f, 0.3f, 1});
    skin->GLMaterial()->SetDiffuse({0.4f, 0.5f, 0.6f, 0.5f});
    skin->GLMaterial()->SetSpecular({0.7f, 0.8f, 0.9f, 1});
    skin->GLMaterial()->SetEmission({0.05f, 0, 0, 1});
    skin->GLMaterial()->SetShininess(12.5f);
    skin->GLMaterial()->SetFrontFace(false);
    skin->GLMaterial()->SetBackFace(true);
    skin->VertexColor = {1, 0.5f, 0.25f, 1};
    TGroupMaterial* fin = material->AddGroup();
    fin->GLMaterial()->SetBackFace(true);

    TResourceLoader writer;
    writer.BeginWrite();
    writer.Section = "Fish";
    material->SaveOptions(writer);
    const TMemIniFile& ini = *writer.IniFile;
    EXPECT_EQ(ini.ReadString("Fish", "Diffuse1", ""), "0.4,0.5,0.6,0.5");
    // Face flags are written under the suffixed keys they are read with.
    EXPECT_EQ(ini.ReadString("Fish", "Front1", "") + ini.ReadString("Fish", "Back1", "") +
                  ini.ReadString("Fish", "Front2", ""),
              "011");
    EXPECT_FALSE(ini.ValueExists("Fish", "Front"));

    TSceneMaterial* copy = NewMaterial("Copy");
    copy->LoadOptions(writer);
    EXPECT_FALSE(copy->UseVertexColor);
    ASSERT_EQ(copy->GetGroupCount(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const auto all = [](const TGroupMaterial& g) {
            const TGLMaterial& m = *g.GLMaterial();
            return Text(m.Ambient()) + " " + Text(m.Diffuse()) + " " + Text(m.Specular()) + " " + Text(m.Emission()) +
                   " " + Text(g.VertexColor) + " " + FloatToStr(m.Shininess()) + " " +
                   std::to_string(m.FrontFace()) + std::to_string(m.BackFace());
        };
        EXPECT_EQ(all(*copy->GetGroup(i)), all(*material->GetGroup(i)));
    }
}

TEST_F(SceneMaterialTest, LoadingAddsToTheGroupsPresent)
{
    TSceneMaterial* material = NewMaterial("Sand");
    const auto reader = ReaderOf("[Sand]\nCount=2\nDiffuse2=1,0,0,0.25\n", nullptr, "Sand");
    material->LoadOptions(*reader);
    material->LoadOptions(*reader);
    ASSERT_EQ(material->GetGroupCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(material->GetGroup(i)->Index(), i);
    EXPECT_FALSE(material->GetGroup(2)->IsTransparent());
    EXPECT_TRUE(material->GetGroup(3)->IsTransparent());
    EXPECT_EQ(context.Materials().Count(), 4);
}

TEST_F(SceneMaterialTest, DamagedValuesGiveDefaultsAndAnAbsurdCountIsRefused)
{
    TSceneMaterial* material = NewMaterial("Odd");
    material->LoadOptions(*ReaderOf("[Odd]\nCount=1\nDiffuse1=red\nShininess1=1.2.3\nFront1=maybe\n", nullptr, "Odd"));
    ASSERT_EQ(material->GetGroupCount(), 1);
    const TGLMaterial defaults(nullptr);
    EXPECT_EQ(Text(material->GetGroup(0)->GLMaterial()->Diffuse()), Text(defaults.Diffuse()));
    EXPECT_EQ(material->GetGroup(0)->GLMaterial()->Shininess(), defaults.Shininess());
    EXPECT_TRUE(material->GetGroup(0)->GLMaterial()->FrontFace());

    for (const char* count : {"-3", "many", ""}) {
        TSceneMaterial* none = NewMaterial(std::string("None") + count);
        none->LoadOptions(*ReaderOf(std::string("[N]\nCount=") + count + "\n", nullptr, "N"));
        EXPECT_EQ(none->GetGroupCount(), 0) << count;
    }
    TSceneMaterial* huge = NewMaterial("Huge");
    EXPECT_EQ(MessageOf([&] { huge->LoadOptions(*ReaderOf("[H]\nCount=2000000000\n", nullptr, "H")); }),
              "TSceneMaterial.LoadOptions error: Count is out of range!");
    EXPECT_EQ(huge->GetGroupCount(), 0);
}

TEST_F(SceneMaterialTest, TheListFindsMaterialsByExactName)
{
    TSceneMaterial* glass = NewMaterial("Glass");
    EXPECT_EQ(list->FindMaterial("Glass"), glass);
    EXPECT_EQ(list->FindMaterial("glass"), nullptr);
    auto* texture = new TSceneTexture();
    texture->SetName("NotAMaterial");
    list->Add(texture);
    EXPECT_EQ(list->FindMaterial("NotAMaterial"), nullptr);
}

TEST(SceneMaterialDescription, MaterialsLoadFromASceneDescriptionByClassName)
{
    TStringResources resources;
    resources.Add("test_gsc",
        "[MainScene]\nCount=2\n"
        "[MainScene1]\nType=TSceneMaterialList\nName=Materials\nCount=1\n"
        "[Materials1]\nType=TSceneMaterial\nName=Glass\nCount=2\nFront=1\nBack=1\nDiffuse1=1,1,1,0.5\n"
        "[MainScene2]\nType=TSceneTextureList\nName=Textures\nCount=1\nQuality=Low\n"
        "[Textures1]\nType=TSceneTexture\nName=Sand\nTextureName=sand.bmp\n");
    TCustomOpenGL context(std::make_unique<TGLStubPlatform>());
    TMainScene scene;
    scene.GL = &context;
    scene.SourceLocation = slResource;
    scene.SourceName = "test.gsc";
    scene.Load();

    auto* materials = dynamic_cast<TSceneMaterialList*>(StrToReference(&scene, "Materials"));
    ASSERT_NE(materials, nullptr);
    TSceneMaterial* glass = materials->FindMaterial("Glass");
    ASSERT_NE(glass, nullptr);
    ASSERT_EQ(glass->GetGroupCount(), 2);
    EXPECT_TRUE(glass->GetGroup(0)->IsTransparent());
    EXPECT_FALSE(glass->GetGroup(1)->IsTransparent());
    EXPECT_TRUE(glass->GetGroup(1)->GLMaterial()->BackFace());
    auto* textures = dynamic_cast<TSceneTextureList*>(StrToReference(&scene, "Textures"));
    ASSERT_NE(textures, nullptr);
    EXPECT_EQ(textures->Quality, TTextureQuality::Low);
    ASSERT_NE(textures->FindTexture("Sand"), nullptr);
    EXPECT_EQ(textures->FindTexture("Sand")->TextureName, ".\\sand.bmp");
}
