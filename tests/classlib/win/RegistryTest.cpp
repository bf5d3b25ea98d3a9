#include "classlib/system/Registry.h"

#include <gtest/gtest.h>

#include <string>

#include "UiTestSupport.h"
#include "classlib/core/StringList.h"

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

    // Raw look at HKCU\<key>: whether value `name` exists there.
    static bool RawValueExists(const std::string& key, const std::string& name)
    {
        HKEY handle;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
            return false;
        const bool found = RegQueryValueExA(handle, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(handle);
        return found;
    }

    std::string Path;
};

template <class F>
std::string RegistryError(F&& operation)
{
    return uitest::ErrorOf<ERegistryException>(operation);
}

TEST_F(RegistryTest, ValuesWrittenReadBackInThisAndANewObject)
{
    {
        TRegistry reg;  // HKEY_CURRENT_USER
        ASSERT_TRUE(reg.OpenKey(Path, true));
        EXPECT_EQ(reg.CurrentPath(), Path);

        reg.WriteString("Name", "Hello");
        reg.WriteString("Empty", "");
        reg.WriteString("High", "Caf\xE9 \x80\xFF");
        reg.WriteInteger("Count", -5);
        reg.WriteBool("On", true);
        reg.WriteBool("Off", false);

        EXPECT_EQ(reg.ReadString("Name"), "Hello");
        EXPECT_EQ(reg.GetDataType("Name"), rdString);
        EXPECT_EQ(reg.GetDataSize("Name"), 6);  // with the terminating NUL
        EXPECT_EQ(reg.GetDataType("Count"), rdInteger);
        EXPECT_EQ(reg.ReadInteger("On"), 1);  // Booleans are stored as integers
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(Path));
    EXPECT_EQ(reg.ReadString("Name"), "Hello");
    EXPECT_EQ(reg.ReadString("Empty"), "");
    EXPECT_TRUE(reg.ValueExists("Empty"));
    EXPECT_EQ(reg.ReadString("High"), "Caf\xE9 \x80\xFF");
    EXPECT_EQ(reg.ReadInteger("Count"), -5);
    EXPECT_TRUE(reg.ReadBool("On"));
    EXPECT_FALSE(reg.ReadBool("Off"));
}

TEST_F(RegistryTest, MissingValuesAndWrongTypes)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Path, true));
    reg.WriteInteger("Count", 3);
    reg.WriteString("Name", "x");

    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_FALSE(reg.ValueExists("Missing"));
    EXPECT_EQ(reg.GetDataSize("Missing"), -1);
    EXPECT_EQ(reg.GetDataType("Missing"), rdUnknown);
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("Missing"); }), "Failed to get data for 'Missing'");

    // Values other programs may leave: expandable text (read unexpanded),
    // text stored without its NUL, binary data.
    const char expand[] = "%TEMP%\\x";
    const BYTE blob[] = {1, 2, 3};
    const HKEY key = reg.CurrentKey();
    ASSERT_EQ(RegSetValueExA(key, "Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand), sizeof(expand)),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "Blob", 0, REG_BINARY, blob, sizeof(blob)), ERROR_SUCCESS);
    EXPECT_EQ(reg.ReadString("Expand"), "%TEMP%\\x");
    EXPECT_EQ(reg.GetDataType("Expand"), rdExpandString);
    EXPECT_EQ(reg.ReadString("Bare"), "abc");
    for (const char* name : {"Count", "Blob"})
        EXPECT_EQ(RegistryError([&] { reg.ReadString(name); }), "Invalid data type for '" + std::string(name) + "'");
    for (const char* name : {"Name", "Blob"}) {
        EXPECT_EQ(RegistryError([&] { reg.ReadInteger(name); }), "Invalid data type for '" + std::string(name) + "'");
        EXPECT_EQ(RegistryError([&] { reg.ReadBool(name); }), "Invalid data type for '" + std::string(name) + "'");
    }

    EXPECT_TRUE(reg.DeleteValue("Name"));
    EXPECT_FALSE(reg.ValueExists("Name"));
    EXPECT_FALSE(reg.DeleteValue("Name"));
}

TEST_F(RegistryTest, RelativeAndAbsoluteKeys)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Path, true));  // relative to the root: nothing open yet
    ASSERT_TRUE(reg.OpenKey("Sub", true));  // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), Path + "\\Sub");
    reg.WriteString("Where", "sub");
    ASSERT_TRUE(reg.OpenKey("Deeper\\Deepest", true));
    EXPECT_EQ(reg.CurrentPath(), Path + "\\Sub\\Deeper\\Deepest");
    EXPECT_TRUE(RawValueExists(Path + "\\Sub", "Where"));

    ASSERT_TRUE(reg.OpenKey("\\" + Path, false));  // absolute
    EXPECT_EQ(reg.CurrentPath(), Path);
    EXPECT_FALSE(reg.ValueExists("Where"));
    EXPECT_TRUE(reg.KeyExists("Sub\\Deeper"));
    EXPECT_TRUE(reg.KeyExists("\\" + Path + "\\Sub"));
    EXPECT_FALSE(reg.KeyExists("\\Sub"));  // absolute: not under the root

    // A failed open keeps the key that was open.
    EXPECT_FALSE(reg.OpenKey("NoSuchKey", false));
    EXPECT_EQ(reg.CurrentPath(), Path);
    EXPECT_FALSE(reg.KeyExists("NoSuchKey"));

    reg.CloseKey();
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_TRUE(reg.KeyExists(Path + "\\Sub"));  // relative to the root again
}

TEST_F(RegistryTest, KeyThatFailedToOpenRefusesEveryValueOperation)
{
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(Path + "\\Missing", false));
    EXPECT_FALSE(reg.OpenKeyReadOnly(Path + "\\Missing"));
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_FALSE(reg.KeyExists(Path + "\\Missing"));  // nothing was created

    const std::string value = "CorvalenTestValue";
    EXPECT_EQ(RegistryError([&] { reg.WriteString(value, "x"); }), "Failed to set data for '" + value + "'");
    EXPECT_EQ(RegistryError([&] { reg.WriteInteger(value, 1); }), "Failed to set data for '" + value + "'");
    EXPECT_EQ(RegistryError([&] { reg.ReadString(value); }), "Failed to get data for '" + value + "'");
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger(value); }), "Failed to get data for '" + value + "'");
    EXPECT_FALSE(reg.ValueExists(value));
    EXPECT_FALSE(reg.DeleteValue(value));
    EXPECT_EQ(reg.GetDataSize(value), -1);
    EXPECT_FALSE(RawValueExists("", value));  // the root was not written

    // Changing the root closes the open key: nothing is written to the new root.
    ASSERT_TRUE(reg.OpenKey(Path, true));
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_THROW(reg.WriteString(value, "x"), ERegistryException);
}

TEST_F(RegistryTest, ReadOnlyOpenRefusesWrites)
{
    {
        TRegistry writer;
        ASSERT_TRUE(writer.OpenKey(Path, true));
        writer.WriteString("Name", "kept");
    }
    TRegistry reg;  // KEY_ALL_ACCESS, but the read-only open asks only for KEY_READ
    ASSERT_TRUE(reg.OpenKeyReadOnly(Path));
    EXPECT_EQ(reg.ReadString("Name"), "kept");
    EXPECT_EQ(RegistryError([&] { reg.WriteString("Name", "changed"); }), "Failed to set data for 'Name'");
    EXPECT_FALSE(reg.DeleteValue("Name"));
    EXPECT_EQ(reg.ReadString("Name"), "kept");

    TRegistry reader(KEY_READ);  // Access is what OpenKey asks for
    ASSERT_TRUE(reader.OpenKey(Path, false));
    EXPECT_THROW(reader.WriteInteger("Count", 1), ERegistryException);
}

TEST_F(RegistryTest, DeleteKeyRemovesTheWholeTreeAndNamesAreListed)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Path + "\\Tree\\A\\A1", true));
    reg.WriteString("v", "1");
    ASSERT_TRUE(reg.OpenKey("\\" + Path + "\\Tree\\B", true));
    reg.WriteString("v", "2");
    ASSERT_TRUE(reg.OpenKey("\\" + Path, false));

    EXPECT_TRUE(reg.DeleteKey("Tree"));
    EXPECT_FALSE(reg.KeyExists("Tree"));
    EXPECT_TRUE(reg.KeyExists("\\" + Path));
    EXPECT_FALSE(reg.DeleteKey("Tree"));
    EXPECT_FALSE(reg.DeleteKey(""));   // never the open key itself
    EXPECT_FALSE(reg.DeleteKey("\\"));  // nor the root
    EXPECT_TRUE(reg.KeyExists("\\" + Path));

    // The value and key names of the open key.
    TStringList names;
    names.Add("stale");
    TRegistry().GetValueNames(names);  // no open key: empty
    EXPECT_EQ(names.Count(), 0);
    ASSERT_TRUE(reg.OpenKey("K1", true));
    ASSERT_TRUE(reg.OpenKey("\\" + Path + "\\K2", true));
    ASSERT_TRUE(reg.OpenKey("\\" + Path, false));
    reg.WriteString("First", "1");
    reg.WriteInteger("Second", 2);

    reg.GetValueNames(names);
    names.Sort();
    EXPECT_EQ(names.CommaText(), "First,Second");
    reg.GetKeyNames(names);
    names.Sort();
    EXPECT_EQ(names.CommaText(), "K1,K2");
}

// Refuses what a non-administrator is refused: opening or creating any key
// of HKEY_LOCAL_MACHINE for writing, and setting values there.
class TRefusingLocalMachine : public TRegistryBackend {
public:
    static constexpr REGSAM WriteAccess = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE;

    LONG OpenKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result) override
    {
        if (root == HKEY_LOCAL_MACHINE && (access & WriteAccess) != 0)
            return ERROR_ACCESS_DENIED;
        return TRegistryBackend::OpenKey(root, parent, subKey, access, result);
    }
    LONG CreateKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result) override
    {
        if (root == HKEY_LOCAL_MACHINE)
            return ERROR_ACCESS_DENIED;
        return TRegistryBackend::CreateKey(root, parent, subKey, access, result);
    }
    LONG SetValue(HKEY root, HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override
    {
        if (root == HKEY_LOCAL_MACHINE || RefuseEverySet)
            return ERROR_ACCESS_DENIED;
        return TRegistryBackend::SetValue(root, key, name, type, data, size);
    }
    bool RefuseEverySet = false;
};

TEST_F(RegistryTest, RefusingBackendMakesWritesRaise)
{
    TRefusingLocalMachine backend;
    TRegistry::SetBackend(&backend);

    TRegistry machine;
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(machine.OpenKey(Path, true));
    EXPECT_EQ(RegistryError([&] { machine.WriteString("Name", "x"); }), "Failed to set data for 'Name'");

    TRegistry user;  // HKEY_CURRENT_USER still works
    ASSERT_TRUE(user.OpenKey(Path, true));
    user.WriteString("Name", "user");
    EXPECT_EQ(user.ReadString("Name"), "user");

    backend.RefuseEverySet = true;  // a refusal of the write itself
    EXPECT_EQ(RegistryError([&] { user.WriteString("Name", "changed"); }), "Failed to set data for 'Name'");
    EXPECT_EQ(user.ReadString("Name"), "user");

    TRegistry::SetBackend(nullptr);  // the real API again
    user.WriteString("Name", "again");
    EXPECT_EQ(user.ReadString("Name"), "again");
}

// Counts the handles the registry objects open and close.
class TCountingBackend : public TRegistryBackend {
public:
    LONG OpenKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result) override
    {
        return Count(TRegistryBackend::OpenKey(root, parent, subKey, access, result));
    }
    LONG CreateKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result) override
    {
        return Count(TRegistryBackend::CreateKey(root, parent, subKey, access, result));
    }
    LONG CloseKey(HKEY root, HKEY key) override
    {
        --Open;
        return TRegistryBackend::CloseKey(root, key);
    }
    LONG Count(LONG result)
    {
        if (result == ERROR_SUCCESS)
            ++Open;
        return result;
    }
    int Open = 0;
};

TEST_F(RegistryTest, EveryHandleOpenedIsClosed)
{
    TCountingBackend backend;
    TRegistry::SetBackend(&backend);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(Path + "\\A\\B", true));
        ASSERT_TRUE(reg.OpenKey("C", true));
        EXPECT_EQ(backend.Open, 1);  // the previous key was closed
        EXPECT_TRUE(reg.KeyExists("\\" + Path + "\\A"));
        EXPECT_FALSE(reg.OpenKey("Missing", false));
        EXPECT_TRUE(reg.DeleteKey("\\" + Path + "\\A"));
        EXPECT_EQ(backend.Open, 1);
    }
    EXPECT_EQ(backend.Open, 0);  // the destructor closed the key
}

}  // namespace
