// The scene engine reading the program's own RCDATA resources (SceneResourceTest.rc).
#include "scene/Win32SceneResources.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace

TEST_F(SceneResources, TheProviderReadsAResourceByNameInAnyCaseAndNamesAMissingOne)
{
    EXPECT_EQ(FProvider.ReadResource("bubbletest_3dm").rfind("#Object 1\n", 0), 0u);
    try {
        FProvider.ReadResource("NOSUCH_GSC");
        ADD_FAILURE() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message, "Resource NOSUCH_GSC not found");
    }
    T3DMFile file;
    file.LoadFromResource(".\\Meshes\\BubbleTest.3dm");  // named after the file
    ASSERT_EQ(file.ObjectCount(), 1);
    EXPECT_EQ(file.Objects(0).Name, "Bubble");
}

TEST_F(SceneResources, AResourceLoadsItsDescriptionAndRefusesAMissingOne)
{
    TResource aquarium;
    aquarium.SetName("Aquarium");
    aquarium.SourceLocation = slResource;
    aquarium.SourceName = "absent.gsc";
    EXPECT_THROW(aquarium.Load(), EResNotFound);
    aquarium.SourceName = "scenetest.gsc";
    aquarium.Load();
    EXPECT_EQ(aquarium.Path, ".\\Data\\");
    auto* rocks = dynamic_cast<TResource*>(aquarium.FindObject("Rocks"));
    ASSERT_NE(rocks, nullptr);
    EXPECT_NE(rocks->FindObject("Sand"), nullptr);
    EXPECT_NE(aquarium.FindObject("Plants"), nullptr);
}
