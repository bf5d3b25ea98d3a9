// Test support of the program's end-to-end tests: what a test changes of
// the system for the program's runs (a user setting, a system file, an
// environment variable), each given back when its object goes; and the
// stand-in MPR.DLL that records the program's password changes.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "../../support/ProgramPath.h"

namespace endtoend {

// A value under HKEY_CURRENT_USER set for a test and given back afterwards.
class TUserSetting {
public:
    TUserSetting(const std::string& key, const std::string& name, const std::string& value) : FKey(key), FName(name)
    {
        DWORD size = sizeof FOld;
        FHadOld = RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &FType,
                               FOld, &size) == ERROR_SUCCESS;
        FOldSize = size;
        RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, value.c_str(),
                        static_cast<DWORD>(value.size() + 1));
    }
    ~TUserSetting()
    {
        if (FHadOld)
            RegSetKeyValueA(HKEY_CURRENT_USER, FKey.c_str(), FName.c_str(), FType, FOld, FOldSize);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, FKey.c_str(), FName.c_str());
    }
    TUserSetting(const TUserSetting&) = delete;
    TUserSetting& operator=(const TUserSetting&) = delete;

private:
    std::string FKey, FName;
    bool FHadOld = false;
    DWORD FType = 0, FOldSize = 0;
    BYTE FOld[2048] = {};
};

// A file replaced for a test and given back afterwards.
class TFileSwap {
public:
    TFileSwap(const std::string& path, const std::string& replacement) : FPath(path)
    {
        std::ifstream in(path, std::ios::binary);
        FHad = in.good();
        FOld.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        in.close();
        FReplaced = CopyFileA(replacement.c_str(), path.c_str(), FALSE) != FALSE;
    }
    ~TFileSwap()
    {
        if (FHad)
            std::ofstream(FPath, std::ios::binary) << FOld;
        else
            DeleteFileA(FPath.c_str());
    }
    bool Replaced() const { return FReplaced; }
    TFileSwap(const TFileSwap&) = delete;
    TFileSwap& operator=(const TFileSwap&) = delete;

private:
    std::string FPath, FOld;
    bool FHad = false, FReplaced = false;
};

// An environment variable of this process (and so of the runs it starts)
// set for a while.
class TEnvironmentSetting {
public:
    TEnvironmentSetting(const char* name, const std::string& value) : FName(name)
    {
        char old[1024] = {};
        const DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        FHad = length > 0 && length < sizeof old;
        FOld = old;
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~TEnvironmentSetting() { SetEnvironmentVariableA(FName, FHad ? FOld.c_str() : nullptr); }
    TEnvironmentSetting(const TEnvironmentSetting&) = delete;
    TEnvironmentSetting& operator=(const TEnvironmentSetting&) = delete;

private:
    const char* FName;
    std::string FOld;
    bool FHad = false;
};

// The stand-in for the system's MPR.DLL (built beside this test program) in
// the system directory, taken by Wine for the named programs only, each of
// its PwdChangePasswordA calls appended to `callsFile` as
// "<key>,<window>,0,0".
class TMprStandIn {
public:
    TMprStandIn(const std::vector<std::string>& programNames, const std::string& callsFile)
        : FLibrary(SystemLibrary(), StandInLibrary()), FCalls("CORVALEN_TEST_MPR_CALLS", callsFile)
    {
        for (const std::string& name : programNames)
            FNative.push_back(std::make_unique<TUserSetting>(AppDefaults(name) + "\\DllOverrides", "mpr", "native"));
    }
    ~TMprStandIn()
    {
        FNative.clear();
        for (const std::string& key : FKeys)
            RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    }
    bool Installed() const { return FLibrary.Replaced(); }
    static std::string StandInLibrary()
    {
        const std::string program = testsupport::ProgramPath();
        return program.substr(0, program.find("..\\")) + "MPR.DLL";
    }

private:
    static std::string SystemLibrary()
    {
        char system[MAX_PATH] = {};
        GetSystemDirectoryA(system, MAX_PATH);
        return std::string(system) + "\\MPR.DLL";
    }
    std::string AppDefaults(const std::string& programName)
    {
        FKeys.push_back("Software\\Wine\\AppDefaults\\" + programName);
        return FKeys.back();
    }

    TFileSwap FLibrary;
    TEnvironmentSetting FCalls;
    std::vector<std::string> FKeys;
    std::vector<std::unique_ptr<TUserSetting>> FNative;
};

}  // namespace endtoend
