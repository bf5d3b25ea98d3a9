// The system layer under Wine: the registry, resource streams and the
// program's resource directory.
#include "classlib/system/Registry.h"

#include <gtest/gtest.h>

#include <string>

#include "RefusingRegistry.h"
#include "UiTestSupport.h"
#include "../../support/ProgramPath.h"
#include "../../support/ResourceDirectoryCheck.h"
#include "classlib/system/ResourceStream.h"

namespace {

// Every test works under its own key HKCU\Software\CorvalenTest\<pid-tick>
// and deletes it afterwards; the backend is always restored.
class RegistryTest : public testing::Test {
protected:
    void SetUp() override
    {
        Path = "Software\\CorvalenTest\\Run" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name();
    }

    void TearDown() override
    {
        TRegistry::SetBackend(nullptr);
        RegDeleteTreeA(HKEY_CURRENT_USER, Path.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\CorvalenTest");  // only when empty
    }

    std::string Path;
};

template <class F>
std::string RegistryError(F&& operation)
{
    return uitest::MessageOf<ERegistryException>(operation);
}

TEST_F(RegistryTest, ValuesReadBackAsWrittenAndMissingValuesAndWrongTypesRaise)
{
    {
        TRegistry reg;  // HKEY_CURRENT_USER
        ASSERT_TRUE(reg.OpenKey(Path, true));
        reg.WriteString("Name", "Hello");
        reg.WriteString("Empty", "");
        reg.WriteString("High", "Caf\xE9 \x80\xFF");
        reg.WriteInteger("Count", -5);
        reg.WriteBool("On", true);
        EXPECT_EQ(reg.ReadInteger("On"), 1);  // Booleans are stored as integers

        // Values other programs may leave: expandable text (read unexpanded),
        // text stored without its NUL, binary data.
        const char expand[] = "%TEMP%\\x";
        const BYTE blob[] = {1, 2, 3};
        const HKEY key = reg.CurrentKey();
        const auto* expandBytes = reinterpret_cast<const BYTE*>(expand);
        ASSERT_EQ(RegSetValueExA(key, "Expand", 0, REG_EXPAND_SZ, expandBytes, sizeof(expand)), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, "Blob", 0, REG_BINARY, blob, sizeof(blob)), ERROR_SUCCESS);
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(Path));
    EXPECT_EQ(reg.ReadString("Name"), "Hello");
    EXPECT_EQ(reg.ReadString("High"), "Caf\xE9 \x80\xFF");
    EXPECT_EQ(reg.ReadInteger("Count"), -5);
    EXPECT_TRUE(reg.ReadBool("On"));
    EXPECT_EQ(reg.ReadString("Expand"), "%TEMP%\\x");
    EXPECT_EQ(reg.ReadString("Bare"), "abc");

    EXPECT_TRUE(reg.ValueExists("Empty"));
    EXPECT_EQ(reg.ReadString("Gone"), "");
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("Gone"); }), "Failed to get data for 'Gone'");
    for (const char* name : {"Count", "Blob"})
        EXPECT_EQ(RegistryError([&] { reg.ReadString(name); }), "Invalid data type for '" + std::string(name) + "'");
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("Name"); }), "Invalid data type for 'Name'");
}

TEST_F(RegistryTest, RefusedWritesRaiseAndEveryHandleOpenedIsClosed)
{
    testsupport::TRefusingRegistry backend;
    TRegistry::SetBackend(&backend);
    {
        TRegistry machine;
        machine.SetRootKey(HKEY_LOCAL_MACHINE);
        EXPECT_FALSE(machine.OpenKey(Path, true));
        EXPECT_EQ(RegistryError([&] { machine.WriteString("Name", "x"); }), "Failed to set data for 'Name'");

        TRegistry user;  // HKEY_CURRENT_USER still works
        ASSERT_TRUE(user.OpenKey(Path + "\\A\\B", true));
        ASSERT_TRUE(user.OpenKey("C", true));
        EXPECT_EQ(backend.Open, 1) << "the previous key was closed";
        user.WriteString("Name", "user");
        backend.RefuseEverySet = true;  // a refusal of the write itself
        EXPECT_EQ(RegistryError([&] { user.WriteString("Name", "changed"); }), "Failed to set data for 'Name'");
        EXPECT_EQ(user.ReadString("Name"), "user");
        EXPECT_FALSE(user.OpenKey("Missing", false));
    }
    EXPECT_EQ(backend.Open, 0) << "the destructors closed the keys";
}

const std::string kText = "Corvalen resource";

TEST(ResourceStream, ReadsAndSeeksTheWholeResourceAndNothingOutside)
{
    TResourceStream stream(nullptr, "RESSTREAM_TEXT", RT_RCDATA);
    ASSERT_EQ(stream.Size(), static_cast<int64_t>(kText.size()));
    std::string buffer(64, '\0');
    EXPECT_EQ(stream.Read(buffer.data(), 64), static_cast<int64_t>(kText.size()));
    EXPECT_EQ(buffer.substr(0, kText.size()), kText);
    EXPECT_EQ(stream.Read(buffer.data(), 1), 0);

    // Seeks from every origin and reads nothing outside.
    char c = 0;
    EXPECT_EQ(stream.Seek(-8, soFromEnd), static_cast<int64_t>(kText.size()) - 8);
    stream.ReadBuffer(&c, 1);
    EXPECT_EQ(c, 'r');
    EXPECT_EQ(stream.Seek(2, soFromCurrent), static_cast<int64_t>(kText.size()) - 5);
    stream.SetPosition(1000);
    EXPECT_EQ(stream.Read(&c, 1), 0);
}

// Resources hidden by the order of the resource directory. This program's
// fixtures are each loaded by name by their own tests.
TEST(ResourceDirectory, EveryResourceOfTheProgramIsFoundByName)
{
    const HMODULE program = LoadLibraryExA(testsupport::ProgramPath().c_str(), nullptr,
                                           LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr) << testsupport::ProgramPath();
    const testsupport::TResourceCheck check = testsupport::CheckResourceNames(program);
    FreeLibrary(program);
    EXPECT_GT(check.Checked, 5) << "the form descriptions, meshes, textures and the scene";
    EXPECT_TRUE(check.Missing.empty()) << check.Missing.front();
}

}  // namespace
