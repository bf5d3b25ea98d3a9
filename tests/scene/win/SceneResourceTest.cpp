// The scene engine reading the program's own RCDATA resources (the
// fixtures of SceneResourceTest.rc).
#include "scene/Win32SceneResources.h"

#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"
#include "scene/core/SceneObjects.h"
#include "scene/core/TextMesh.h"

namespace {

class SceneResources : public ::testing::Test {
protected:
    void SetUp() override { SetSceneResources(&FProvider); }
    void TearDown() override { SetSceneResources(nullptr); }

    TRCDataResourceProvider FProvider;
};

// The fixture description: Aquarium holds Rocks (holding Sand) and Plants.
void ExpectFixtureScene(const TResource& aquarium)
{
    EXPECT_EQ(aquarium.Path, ".\\Data\\");
    ASSERT_EQ(aquarium.GetCount(), 2);
    auto* rocks = dynamic_cast<TResource*>(aquarium.FindObject("Rocks"));
    ASSERT_NE(rocks, nullptr);
    EXPECT_NE(rocks->FindObject("Sand"), nullptr);
    ASSERT_NE(aquarium.FindObject("Plants"), nullptr);
    EXPECT_TRUE(aquarium.FindObject("Plants")->Visible());
}

}  // namespace

TEST_F(SceneResources, ProviderReadsTheBytesOfAnRCDataResourceByNameInAnyCase)
{
    const std::string mesh = FProvider.ReadResource("bubbletest_3dm");
    EXPECT_EQ(mesh.rfind("#Object 1\n", 0), 0u);
    EXPECT_EQ(mesh.back(), '\n');
    EXPECT_EQ(FProvider.ReadResource("SCENETEST_GSC").size(), FProvider.ReadResource("scrambledtest_gsc").size());
    try {
        FProvider.ReadResource("NOSUCH_GSC");
        ADD_FAILURE() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message, "Resource NOSUCH_GSC not found");
    }
}

TEST_F(SceneResources, ResourceLoadsItsPlainAndScrambledDescriptionAndRefusesAMissingOne)
{
    for (const bool scrambled : {false, true}) {
        TResource aquarium;
        aquarium.SetName("Aquarium");
        aquarium.SourceLocation = slResource;
        aquarium.SourceName = scrambled ? "scrambledtest.gsc" : "scenetest.gsc";
        aquarium.Scrambled = scrambled;
        aquarium.Load();
        ExpectFixtureScene(aquarium);
    }
    TResource absent;
    absent.SetName("Aquarium");
    absent.SourceLocation = slResource;
    absent.SourceName = "absent.gsc";
    EXPECT_THROW(absent.Load(), EResNotFound);
}

TEST_F(SceneResources, TextMeshLoadsFromAResourceNamedAfterItsFile)
{
    T3DMFile file;
    file.LoadFromResource(".\\Meshes\\BubbleTest.3dm");
    ASSERT_EQ(file.ObjectCount(), 1);
    EXPECT_EQ(file.Objects(0).Name, "Bubble");
    EXPECT_EQ(file.Objects(0).VertexFaces.Count(), 1);
    EXPECT_THROW(file.LoadFromResource("nothing.3dm"), EResNotFound);
}
