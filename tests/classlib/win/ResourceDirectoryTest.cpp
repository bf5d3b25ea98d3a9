// Resources hidden by the order of the resource directory: the fixtures of
// this test program and the program itself.
#include <gtest/gtest.h>

#include <string>

#include "../../support/ProgramPath.h"
#include "../../support/ResourceDirectoryCheck.h"

namespace {

TEST(ResourceDirectory, EveryFixtureOfThisTestProgramIsFoundByName)
{
    const testsupport::TResourceCheck check = testsupport::CheckResourceNames(GetModuleHandleA(nullptr));
    EXPECT_GT(check.Checked, 5);
    EXPECT_TRUE(check.Missing.empty()) << check.Missing.front();
}

TEST(ResourceDirectory, EveryResourceOfTheProgramIsFoundByName)
{
    const HMODULE program =
        LoadLibraryExA(testsupport::ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr) << testsupport::ProgramPath();
    const testsupport::TResourceCheck check = testsupport::CheckResourceNames(program);
    FreeLibrary(program);
    // The program carries no named resource yet; every one it will carry
    // (form descriptions, meshes, textures, the scene) is checked here.
    EXPECT_TRUE(check.Missing.empty()) << check.Missing.front();
}

}  // namespace
