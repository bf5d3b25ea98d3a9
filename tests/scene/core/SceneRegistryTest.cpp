#include <gtest/gtest.h>

#include <memory>

#include "classlib/core/Exceptions.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneRegistry.h"

namespace {

class TRegistryFirst : public TMainSceneObject {
public:
    std::string ClassName() const override { return "TRegistryFirst"; }
};

class TRegistrySecond : public TMainSceneObject {
public:
    std::string ClassName() const override { return "TRegistrySecond"; }
};

// A scene with Textures/Sand and Meshes/Fish, where Fish is not a list.
struct TPathScene {
    TPathScene()
    {
        textures->SetName("Textures");
        scene.AddObject(textures, 0);
        sand->SetName("Sand");
        textures->Add(sand);
        meshes->SetName("Meshes");
        scene.AddObject(meshes, 0);
        fish->SetName("Fish");
        meshes->Add(fish);
    }

    TMainScene scene;
    TResource* textures = new TResource;
    TMainSceneObject* sand = new TMainSceneObject;
    TResource* meshes = new TResource;
    TMainSceneObject* fish = new TMainSceneObject;
};

}  // namespace

TEST(SceneRegistry, NamesMatchWithoutCaseAndTheFirstRegistrationWins)
{
    RegisterSceneClass("TRegistryFirst", NewSceneObject<TRegistryFirst>);
    RegisterSceneClass("TREGISTRYFIRST", NewSceneObject<TRegistrySecond>);

    std::unique_ptr<TMainItem> object(CreateSceneObject("tregistryfirst", "Shoal"));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->ClassName(), "TRegistryFirst");
    EXPECT_EQ(static_cast<TMainObject*>(object.get())->Name(), "Shoal");
    EXPECT_EQ(object->Owner(), nullptr);

    EXPECT_EQ(CreateSceneObject("TUnknownClass", "X"), nullptr);
    EXPECT_EQ(CreateSceneObject("", "X"), nullptr);
}

TEST(SceneRegistry, EngineClassesAreThereWithoutRegistration)
{
    for (const char* type : {"TMainItemList", "TMainObjectList", "TMainScene", "TResource"}) {
        std::unique_ptr<TMainItem> object(CreateSceneObject(type, "Obj"));
        ASSERT_NE(object, nullptr) << type;
        EXPECT_EQ(object->ClassName(), type);
    }
    // The abstract bases are not registered.
    for (const char* type : {"TMainItem", "TMainObject", "TMainSceneObject", "TMainList"})
        EXPECT_EQ(CreateSceneObject(type, "Obj"), nullptr) << type;

    std::unique_ptr<TMainItem> scene(CreateSceneObject("TMAINSCENE", "Other"));
    EXPECT_EQ(static_cast<TMainScene*>(scene.get())->Name(), "Other");
    EXPECT_EQ(scene->Scene, scene.get());
}

TEST(ObjectPaths, PathsResolveFromTheRoot)
{
    TPathScene s;
    EXPECT_EQ(StrToReference(&s.scene, "Textures"), s.textures);
    EXPECT_EQ(StrToReference(&s.scene, "Textures/Sand"), s.sand);
    EXPECT_EQ(StrToReference(&s.scene, "Textures/Sand/"), s.sand);
    EXPECT_EQ(StrToReference(s.textures, "Sand"), s.sand);

    EXPECT_EQ(StrToReference(&s.scene, ""), nullptr);
    EXPECT_EQ(StrToReference(&s.scene, "/"), nullptr);
    EXPECT_EQ(StrToReference(&s.scene, "/Textures"), nullptr);
    EXPECT_EQ(StrToReference(&s.scene, "Textures//Sand"), nullptr);
    EXPECT_EQ(StrToReference(&s.scene, "Nothing/Sand"), nullptr);
    EXPECT_EQ(StrToReference(&s.scene, "textures/Sand"), nullptr);
    EXPECT_EQ(StrToReference(&s.scene, "Textures/sand"), nullptr);
    EXPECT_EQ(StrToReference(nullptr, "Textures"), nullptr);

    // A path that goes on below an object that is not a list.
    EXPECT_THROW(StrToReference(&s.scene, "Meshes/Fish/Fin"), EInvalidCast);
    EXPECT_THROW(StrToReference(s.fish, "Fin"), EInvalidCast);
}

TEST(ObjectPaths, ReferencesAreNamesFromBelowTheRoot)
{
    TPathScene s;
    EXPECT_EQ(ReferenceToStr(&s.scene, s.textures), "Textures");
    EXPECT_EQ(ReferenceToStr(&s.scene, s.sand), "Textures/Sand");
    EXPECT_EQ(ReferenceToStr(s.textures, s.sand), "Sand");
    EXPECT_EQ(ReferenceToStr(&s.scene, nullptr), "");
    EXPECT_EQ(StrToReference(&s.scene, ReferenceToStr(&s.scene, s.fish)), s.fish);

    // Not below the root: the owner chain ends first.
    try {
        ReferenceToStr(s.meshes, s.sand);
        FAIL() << "a path outside the root was made";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "RefferenceToStr error: Owner is NIL!");
    }
    TMainSceneObject loose;
    loose.SetName("Loose");
    EXPECT_THROW(ReferenceToStr(&s.scene, &loose), Exception);
    EXPECT_THROW(ReferenceToStr(&s.scene, &s.scene), Exception);
}

TEST(SourceNames, JoinSourcePathKeepsNamesWithAFolder)
{
    EXPECT_EQ(JoinSourcePath(".\\Scene\\", "fishes.gsc"), ".\\Scene\\fishes.gsc");
    EXPECT_EQ(JoinSourcePath(".\\Scene\\", "Meshes\\fish.txt"), "Meshes\\fish.txt");
    EXPECT_EQ(JoinSourcePath(".\\Scene\\", "C:fish.txt"), "C:fish.txt");
    EXPECT_EQ(JoinSourcePath("", "fish.txt"), "fish.txt");
    EXPECT_EQ(JoinSourcePath(".\\", ""), ".\\");
}

TEST(SourceNames, ResourceNameReplacesTheFirstDotOfTheFileName)
{
    EXPECT_EQ(ResourceNameOf(".\\Scene\\bubbles.wav"), "bubbles_wav");
    EXPECT_EQ(ResourceNameOf("fishes.gsc"), "fishes_gsc");
    EXPECT_EQ(ResourceNameOf("x.y.z"), "x_y.z");
    EXPECT_EQ(ResourceNameOf("C:Fish.TXT"), "Fish_TXT");
    EXPECT_EQ(ResourceNameOf("scene.d\\readme"), "readme");
    EXPECT_EQ(ResourceNameOf("noext"), "noext");
    EXPECT_EQ(ResourceNameOf(""), "");
}
