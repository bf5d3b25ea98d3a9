// Resources hidden by the order of the resource directory: the fixtures of
// this test program and the program itself.
#include <gtest/gtest.h>

#include <string>

#include "../../support/ResourceDirectoryCheck.h"

namespace {

std::string ProgramPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.find_last_of('\\') + 1);
    // build/win/tests/classlib/ -> build/win/src/settings/
    return dir + "..\\..\\src\\settings\\Corvalen.scr";
}

TEST(ResourceDirectory, EveryFixtureOfThisTestProgramIsFoundByName)
{
    const testsupport::TResourceCheck check = testsupport::CheckResourceNames(GetModuleHandleA(nullptr));
    EXPECT_GT(check.Checked, 5);
    EXPECT_TRUE(check.Missing.empty()) << check.Missing.front();
}

TEST(ResourceDirectory, EveryResourceOfTheProgramIsFoundByName)
{
    const HMODULE program =
        LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr) << ProgramPath();
    const testsupport::TResourceCheck check = testsupport::CheckResourceNames(program);
    FreeLibrary(program);
    // The program carries no named resource yet; every one it will carry
    // (form descriptions, meshes, textures, the scene) is checked here.
    EXPECT_TRUE(check.Missing.empty()) << check.Missing.front();
}

}  // namespace
