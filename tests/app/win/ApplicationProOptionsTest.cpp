// The option store of the application component, on Wine's real registry
// under a key of its own (deleted afterwards from both hives), with registry
// backends standing in for a machine that refuses HKEY_LOCAL_MACHINE writes.
#include "app/ApplicationPro.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/core/OptionNames.h"
#include "classlib/system/Registry.h"
#include "classlib/ui/Application.h"

namespace {

// Writes a value under root\key, creating the key.
void RawWriteData(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data,
                  DWORD size)
{
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
}

void RawWrite(HKEY root, const std::string& key, const std::string& name, const std::string& value)
{
    RawWriteData(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

// The REG_SZ text of root\key\name, or "(missing)".
std::string RawRead(HKEY root, const std::string& key, const std::string& name)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return "(missing)";
    char buffer[512] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    const LONG result =
        RegQueryValueExA(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS)
        return "(missing)";
    if (type != REG_SZ)
        return "(not text)";
    return std::string(buffer);
}

// Refuses every opening of an HKEY_LOCAL_MACHINE key for writing, as a
// machine does for a user without rights there, and counts the attempts.
class TRefusingMachine : public TRegistryBackend {
public:
    LONG OpenKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result) override
    {
        if (Refused(root, access))
            return ERROR_ACCESS_DENIED;
        return TRegistryBackend::OpenKey(root, parent, subKey, access, result);
    }
    LONG CreateKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result) override
    {
        if (Refused(root, access))
            return ERROR_ACCESS_DENIED;
        return TRegistryBackend::CreateKey(root, parent, subKey, access, result);
    }

    int MachineWrites = 0;

private:
    bool Refused(HKEY root, REGSAM access)
    {
        if (root != HKEY_LOCAL_MACHINE || (access & KEY_SET_VALUE) == 0)
            return false;
        ++MachineWrites;
        return true;
    }
};

// Records the keys opened (root, access) and how many are open.
class TRecordingBackend : public TRegistryBackend {
public:
    LONG OpenKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result) override
    {
        return Record(root, access, TRegistryBackend::OpenKey(root, parent, subKey, access, result));
    }
    LONG CreateKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result) override
    {
        return Record(root, access, TRegistryBackend::CreateKey(root, parent, subKey, access, result));
    }
    LONG CloseKey(HKEY root, HKEY key) override
    {
        --Open;
        return TRegistryBackend::CloseKey(root, key);
    }

    std::vector<std::pair<HKEY, REGSAM>> Opened;
    int Open = 0;

private:
    LONG Record(HKEY root, REGSAM access, LONG result)
    {
        Opened.emplace_back(root, access);
        if (result == ERROR_SUCCESS)
            ++Open;
        return result;
    }
};

class ApplicationProOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App.Company = "CorvalenTest";
        App.Title = "ApplicationPro" + std::to_string(GetCurrentProcessId());
        Key = "Software\\CorvalenTest\\" + App.Title + " 1";
    }

    void TearDown() override
    {
        App.CloseRegistry();
        TRegistry::SetBackend(nullptr);
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteTreeA(root, Key.c_str());
            RegDeleteKeyA(root, "Software\\CorvalenTest");  // only when empty
        }
    }

    TCustomApplicationPro App{nullptr};
    std::string Key;
};

}  // namespace

TEST_F(ApplicationProOptionsTest, AMachineReadFallsBackToTheUserAndKeepsTheMachineRoot)
{
    RawWrite(HKEY_CURRENT_USER, Key, "UserOnly", "from user");
    RawWrite(HKEY_CURRENT_USER, Key, "Both", "from user");
    RawWrite(HKEY_LOCAL_MACHINE, Key, "Both", "from machine");

    App.SetLocalMachine(true);
    EXPECT_EQ(App.ReadString("UserOnly", "default"), "from user");
    EXPECT_TRUE(App.LocalMachine());
    EXPECT_EQ(App.GetRegistry()->RootKey(), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(App.ReadString("Both", "default"), "from machine");
    EXPECT_EQ(App.ReadString("Nowhere", "default"), "default");
    EXPECT_TRUE(App.LocalMachine());

    // A value the machine holds in another type fails to read as text:
    // the user's is taken instead.
    const DWORD five = 5;
    RawWriteData(HKEY_LOCAL_MACHINE, Key, "UserOnly", REG_DWORD, &five, sizeof(five));
    EXPECT_EQ(App.ReadString("UserOnly", "default"), "from user");
    EXPECT_TRUE(App.LocalMachine());

    // The user root never falls back to the machine.
    App.SetLocalMachine(false);
    RawWrite(HKEY_LOCAL_MACHINE, Key, "MachineOnly", "from machine");
    EXPECT_EQ(App.ReadString("MachineOnly", "default"), "default");
}

TEST_F(ApplicationProOptionsTest, ARefusedMachineWriteLandsUnderTheUserAndStaysThere)
{
    TRefusingMachine backend;
    TRegistry::SetBackend(&backend);
    App.SetLocalMachine(true);
    App.WriteString("First", "1");
    EXPECT_EQ(backend.MachineWrites, 1);
    EXPECT_FALSE(App.LocalMachine());
    App.WriteString("Second", "2");
    App.WriteInteger("Third", 3);
    EXPECT_EQ(backend.MachineWrites, 1);  // straight to the user
    TRegistry::SetBackend(nullptr);

    for (const char* name : {"First", "Second", "Third"})
        EXPECT_EQ(RawRead(HKEY_LOCAL_MACHINE, Key, name), "(missing)") << name;
    for (const auto& [name, text] : {std::pair{"First", "1"}, {"Second", "2"}, {"Third", "3"}})
        EXPECT_EQ(RawRead(HKEY_CURRENT_USER, Key, name), text) << name;

    // Selecting the machine again tries it again; the framework's options
    // go the same way, and are read back from there.
    TRegistry::SetBackend(&backend);
    App.SetLocalMachine(true);
    App.WriteBool("Fourth", true);
    EXPECT_EQ(backend.MachineWrites, 2);
    EXPECT_EQ(RawRead(HKEY_CURRENT_USER, Key, "Fourth"), "-1");
    App.SetLocalMachine(true);
    App.SetDataDir("C:\\saved\\");
    App.SaveOptions();
    EXPECT_EQ(backend.MachineWrites, 3);
    TRegistry::SetBackend(nullptr);
    EXPECT_EQ(RawRead(HKEY_CURRENT_USER, Key, "DataDir"), "C:\\saved\\");
    EXPECT_EQ(RawRead(HKEY_CURRENT_USER, Key, "NeedSystem"), "0");
    App.SetDataDir("elsewhere");
    App.LoadOptions();
    EXPECT_EQ(App.DataDir(), "C:\\saved\\");
}

TEST_F(ApplicationProOptionsTest, ValuesAreTextAndBadTextReadsAsTheDefault)
{
    App.WriteBool("On", true);
    App.WriteBool("Off", false);
    App.WriteInteger("Count", -7);
    App.WriteString("Empty", "");
    App.CloseRegistry();
    for (const auto& [name, text] : {std::pair{"On", "-1"}, {"Off", "0"}, {"Count", "-7"}})
        EXPECT_EQ(RawRead(HKEY_CURRENT_USER, Key, name), text) << name;

    for (bool def : {false, true}) {
        EXPECT_TRUE(App.ReadBool("On", def));
        EXPECT_FALSE(App.ReadBool("Off", def));
        EXPECT_EQ(App.ReadBool("Empty", def), def);
        EXPECT_EQ(App.ReadBool("Missing", def), def);
    }
    EXPECT_EQ(App.ReadInteger("Count", 5), -7);
    EXPECT_EQ(App.ReadInteger("Empty", 5), 5);
    EXPECT_EQ(App.ReadInteger("Missing", 5), 5);
    EXPECT_EQ(App.ReadString("Empty", "default"), "");  // an empty text is a text

    // Text that does not convert gives the default instead of an error.
    for (const auto& [name, text] : {std::pair{"Bad", "abc"}, {"Huge", "99999999999"}, {"Word", "TRUE"}, {"Other", "12"}})
        RawWrite(HKEY_CURRENT_USER, Key, name, text);
    EXPECT_EQ(App.ReadInteger("Bad", 42), 42);
    EXPECT_EQ(App.ReadInteger("Huge", 42), 42);
    EXPECT_TRUE(App.ReadBool("Bad", true));
    EXPECT_FALSE(App.ReadBool("Bad", false));
    EXPECT_TRUE(App.ReadBool("Word", false));
    EXPECT_TRUE(App.ReadBool("Other", false));  // any integer but 0
    EXPECT_EQ(App.ReadInteger("Other", 0), 12);
}

TEST_F(ApplicationProOptionsTest, WithoutACompanyTheKeyIsTheTitleAndVersion)
{
    App.Company = "";
    App.MajorVersion = "7";
    const std::string key = "Software\\" + App.Title + " 7";
    App.WriteString("Plain", "here");
    EXPECT_EQ(App.GetRegistry()->CurrentPath(), key);
    App.CloseRegistry();
    EXPECT_EQ(RawRead(HKEY_CURRENT_USER, key, "Plain"), "here");
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()), ERROR_SUCCESS);
}

TEST_F(ApplicationProOptionsTest, SwitchingBetweenReadingAndWritingReopensTheKey)
{
    RawWrite(HKEY_CURRENT_USER, Key, "Value", "x");
    TRecordingBackend backend;
    TRegistry::SetBackend(&backend);
    App.ReadString("Value", "");
    App.ReadString("Value", "");  // the open key serves again
    App.WriteString("Value", "y");
    App.ReadString("Value", "");
    const std::vector<std::pair<HKEY, REGSAM>> opened = {
        {HKEY_CURRENT_USER, 0x20019}, {HKEY_CURRENT_USER, 0x2001F}, {HKEY_CURRENT_USER, 0x20019}};
    EXPECT_EQ(backend.Opened, opened);
    EXPECT_EQ(backend.Open, 1);
    EXPECT_TRUE(App.RegistryReadOnly());

    // Reading never creates the key.
    App.Company = "CorvalenTest";
    App.Title += "Absent";
    App.CloseRegistry();
    EXPECT_EQ(App.ReadString("Value", "none"), "none");
    EXPECT_EQ(RawRead(HKEY_CURRENT_USER, Key + "Absent", "Value"), "(missing)");
    HKEY absent;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\CorvalenTest\\" + App.Title + " 1").c_str(), 0,
                            KEY_READ, &absent),
              ERROR_SUCCESS);
}

TEST_F(ApplicationProOptionsTest, EveryIdleTickClosesTheStore)
{
    TRecordingBackend backend;
    TRegistry::SetBackend(&backend);
    int openDuringTick = -1;
    App.OnIdle = [&](TObject*, bool&) {
        App.WriteString("Tick", "1");
        openDuringTick = backend.Open;
    };
    Application->Idle();
    EXPECT_EQ(openDuringTick, 1);
    EXPECT_EQ(backend.Open, 0);
}

TEST_F(ApplicationProOptionsTest, TheFrameworkOptionsUsePlainNamesInTheRegistry)
{
    // Saved under the machine, by plain name.
    App.SetDataDir("C:\\saved\\");
    App.SetNeedSystem(true);
    std::vector<std::string> order;
    App.OnSaveOptions = [&](TObject* sender) {
        EXPECT_EQ(sender, &App);
        EXPECT_TRUE(App.ScrambleNames);
        EXPECT_EQ(RawRead(HKEY_LOCAL_MACHINE, Key, "NeedSystem"), "-1");  // written before the event
        order.push_back("save");
    };
    App.SaveOptions();
    EXPECT_EQ(order, std::vector<std::string>{"save"});
    EXPECT_EQ(RawRead(HKEY_LOCAL_MACHINE, Key, "DataDir"), "C:\\saved\\");
    EXPECT_EQ(RawRead(HKEY_LOCAL_MACHINE, Key, "NeedDisplay"), "0");
    EXPECT_EQ(RawRead(HKEY_LOCAL_MACHINE, Key, "NeedSystem"), "-1");
    EXPECT_EQ(RawRead(HKEY_LOCAL_MACHINE, Key, OptionNames::DataDir.Scrambled()), "(missing)");

    // Loaded from the user when the machine lacks them; a handler that
    // clears the flag reads its own plain names under the user.
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, Key.c_str());
    RawWrite(HKEY_CURRENT_USER, Key, "DataDir", "D:\\data\\");
    RawWrite(HKEY_CURRENT_USER, Key, "NeedDisplay", "-1");
    RawWrite(HKEY_CURRENT_USER, Key, "NeedSystem", "abc");  // bad text keeps the current value
    RawWrite(HKEY_CURRENT_USER, Key, "Fish", "12");
    std::string fish;
    App.OnLoadOptions = [&](TObject* sender) {
        EXPECT_EQ(sender, &App);
        EXPECT_TRUE(App.ScrambleNames);
        EXPECT_TRUE(App.LocalMachine());
        App.ScrambleNames = false;
        App.SetLocalMachine(false);
        fish = App.ReadString("Fish", "");
    };
    App.LoadOptions();
    EXPECT_EQ(App.DataDir(), "D:\\data\\");
    EXPECT_TRUE(App.NeedDisplay());
    EXPECT_TRUE(App.NeedSystem());
    EXPECT_EQ(fish, "12");

    App.SetNeedDisplay(false);
    App.SetNeedSystem(false);
}
