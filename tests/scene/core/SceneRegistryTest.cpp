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

}  // namespace

TEST(SceneRegistry, NamesMatchWithoutCaseAndTheFirstRegistrationWins)
{
    RegisterSceneClass("TRegistryFirst", NewSceneObject<TRegistryFirst>);
    RegisterSceneClass("TREGISTRYFIRST", NewSceneObject<TRegistrySecond>);
    std::unique_ptr<TMainItem> object(CreateSceneObject("tregistryfirst", "Shoal"));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->ClassName(), "TRegistryFirst");
    EXPECT_EQ(static_cast<TMainObject*>(object.get())->Name(), "Shoal");
    EXPECT_EQ(CreateSceneObject("TUnknownClass", "X"), nullptr);
    EXPECT_EQ(CreateSceneObject("TMainSceneObject", "X"), nullptr);  // abstract bases are not registered
}

TEST(ObjectPaths, PathsResolveFromTheRootAndReferencesAreNamesBelowIt)
{
    TMainScene scene;
    auto* textures = new TResource;
    textures->SetName("Textures");
    scene.AddObject(textures, 0);
    auto* sand = new TMainSceneObject;
    sand->SetName("Sand");
    textures->Add(sand);
    EXPECT_EQ(StrToReference(&scene, "Textures/Sand"), sand);
    EXPECT_EQ(StrToReference(textures, "Sand"), sand);
    for (const char* path : {"", "/", "/Textures", "Textures//Sand", "Nothing/Sand", "textures/Sand"})
        EXPECT_EQ(StrToReference(&scene, path), nullptr) << path;
    EXPECT_EQ(StrToReference(nullptr, "Textures"), nullptr);
    // A path that goes on below an object that is not a list.
    EXPECT_THROW(StrToReference(&scene, "Textures/Sand/Fin"), EInvalidCast);

    EXPECT_EQ(ReferenceToStr(&scene, sand), "Textures/Sand");
    EXPECT_EQ(ReferenceToStr(&scene, nullptr), "");
    // Not below the root: the owner chain ends first.
    TResource elsewhere;
    try {
        ReferenceToStr(&elsewhere, sand);
        FAIL() << "a path outside the root was made";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "RefferenceToStr error: Owner is NIL!");
    }
}

TEST(SourceNames, FolderAndResourceNames)
{
    EXPECT_EQ(JoinSourcePath(".\\Scene\\", "fishes.gsc"), ".\\Scene\\fishes.gsc");
    EXPECT_EQ(JoinSourcePath(".\\Scene\\", "Meshes\\fish.txt"), "Meshes\\fish.txt");
    EXPECT_EQ(ResourceNameOf(".\\Scene\\bubbles.wav"), "bubbles_wav");
    EXPECT_EQ(ResourceNameOf("x.y.z"), "x_y.z");
    EXPECT_EQ(ResourceNameOf("scene.d\\readme"), "readme");
}
