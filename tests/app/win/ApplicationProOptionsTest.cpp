// The option store of the application component, on Wine's real registry
// under a key of its own (deleted afterwards from both hives), with a registry
// backend standing in for a machine that refuses HKEY_LOCAL_MACHINE writes.
#include "app/ApplicationPro.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../../classlib/win/RefusingRegistry.h"
#include "../../support/TempFolder.h"
#include "app/core/OptionNames.h"
#include "classlib/system/Registry.h"
#include "classlib/ui/Application.h"

namespace {

void RawWrite(HKEY root, const std::string& key, const std::string& name, const std::string& value)
{
    ASSERT_EQ(RegSetKeyValueA(root, key.c_str(), name.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1)),
              ERROR_SUCCESS);
}

// The text of root\key\name, or "(missing)".
std::string RawRead(HKEY root, const std::string& key, const std::string& name)
{
    char buffer[512] = {};
    DWORD size = sizeof(buffer) - 1;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return "(missing)";
    return std::string(buffer);
}

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
    RawWrite(HKEY_LOCAL_MACHINE, Key, "Both", "from machine");
    App.SetLocalMachine(true);
    EXPECT_EQ(App.ReadString("UserOnly", "default"), "from user");
    EXPECT_EQ(App.ReadString("Both", "default"), "from machine");  // the machine root is kept

    // The user root never falls back to the machine.
    App.SetLocalMachine(false);
    EXPECT_EQ(App.ReadString("Both", "default"), "default");
}

TEST_F(ApplicationProOptionsTest, ARefusedMachineWriteLandsUnderTheUserAndStaysThere)
{
    testsupport::TRefusingRegistry backend;
    TRegistry::SetBackend(&backend);
    App.SetLocalMachine(true);
    App.WriteString("First", "1");
    App.WriteInteger("Second", 2);
    EXPECT_EQ(backend.MachineRefusals, 1);  // the second goes straight to the user
    EXPECT_FALSE(App.LocalMachine());
    App.SetLocalMachine(true);
    App.SetDataDir("C:\\saved\\");
    App.SaveOptions();
    EXPECT_EQ(backend.MachineRefusals, 2);
    TRegistry::SetBackend(nullptr);
    EXPECT_EQ(RawRead(HKEY_CURRENT_USER, Key, "Second"), "2");
    EXPECT_EQ(RawRead(HKEY_CURRENT_USER, Key, "DataDir"), "C:\\saved\\");
}

TEST_F(ApplicationProOptionsTest, KeysAreReusedAndClosedOnIdle)
{
    RawWrite(HKEY_CURRENT_USER, Key, "Value", "x");
    testsupport::TRefusingRegistry backend;
    backend.RefuseMachine = false;
    TRegistry::SetBackend(&backend);
    App.ReadString("Value", "");
    App.ReadString("Value", "");  // the open key serves again
    App.WriteString("Value", "y");  // reopened for writing
    EXPECT_EQ(backend.Opens, 2);
    EXPECT_EQ(backend.Open, 1);
    int openDuringTick = -1;
    App.OnIdle = [&](TObject*, bool&) { openDuringTick = backend.Open; };
    Application->Idle();
    EXPECT_EQ(openDuringTick, 1);
    EXPECT_EQ(backend.Open, 0);
}

TEST_F(ApplicationProOptionsTest, TheFrameworkOptionsUsePlainNamesInTheRegistry)
{
    App.SetDataDir("C:\\saved\\");
    App.SetNeedSystem(true);
    App.SaveOptions();
    EXPECT_EQ(RawRead(HKEY_LOCAL_MACHINE, Key, "DataDir"), "C:\\saved\\");
    EXPECT_EQ(RawRead(HKEY_LOCAL_MACHINE, Key, "NeedSystem"), "-1");
    EXPECT_EQ(RawRead(HKEY_LOCAL_MACHINE, Key, OptionNames::DataDir.Scrambled()), "(missing)");

    // Loaded from the user when the machine lacks them; bad text keeps the
    // value. A data folder is taken only while it holds the program (here
    // its ".EXE" copy); one that does not gives way to the program's own.
    App.SingleInstance = false;
    App.Initialize();
    const testsupport::TTempFolder data;
    data.Write(App.BaseName() + ".EXE", "copy");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, Key.c_str());
    RawWrite(HKEY_CURRENT_USER, Key, "DataDir", data.Path());
    RawWrite(HKEY_CURRENT_USER, Key, "NeedSystem", "abc");
    App.LoadOptions();
    EXPECT_EQ(App.DataDir(), data.Path());
    EXPECT_TRUE(App.NeedSystem());
    App.SetNeedSystem(false);
    RawWrite(HKEY_CURRENT_USER, Key, "DataDir", "D:\\data\\");
    App.LoadOptions();
    EXPECT_EQ(App.DataDir(), App.ExeDir());
}
