// The option store of TCustomApplicationPro.
#include "app/ApplicationPro.h"

#include "app/core/ApplicationProRules.h"
#include "app/core/OptionNames.h"
#include "classlib/core/SysUtils.h"

namespace {

constexpr REGSAM ReadAccess = KEY_READ;               // 0x20019
constexpr REGSAM WriteAccess = KEY_READ | KEY_WRITE;  // 0x2001F

}  // namespace

void TCustomApplicationPro::SetRegistryReadOnly(bool value)
{
    if (value == FRegistryReadOnly)
        return;
    FRegistryReadOnly = value;
    CloseRegistry();
}

void TCustomApplicationPro::SetLocalMachine(bool value)
{
    if (value == FLocalMachine)
        return;
    FLocalMachine = value;
    CloseRegistry();
}

TRegistry* TCustomApplicationPro::GetRegistry()
{
    if (!FRegistry) {
        auto registry = std::make_unique<TRegistry>();
        registry->SetRootKey(FLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER);
        const std::string path = OptionKeyPath(Company, Title, MajorVersion);
        // A key that cannot be opened leaves the object without one: its
        // reads find nothing and its writes fail, which the callers handle.
        if (FRegistryReadOnly) {
            registry->SetAccess(ReadAccess);
            registry->OpenKeyReadOnly(path);
        } else {
            registry->SetAccess(WriteAccess);
            registry->OpenKey(path, true);
        }
        FRegistry = std::move(registry);
    }
    return FRegistry.get();
}

void TCustomApplicationPro::CloseRegistry()
{
    if (!IsDesigning())
        FRegistry.reset();
}

void TCustomApplicationPro::ReadCurrentUser(const std::string& name, std::string& result)
{
    SetLocalMachine(false);
    try {
        TRegistry* registry = GetRegistry();
        if (registry->ValueExists(name))
            result = registry->ReadString(name);
    } catch (const Exception&) {
        // A value that cannot be read keeps the default.
    }
    SetLocalMachine(true);
}

std::string TCustomApplicationPro::ReadString(const std::string& name, const std::string& defaultValue)
{
    SetRegistryReadOnly(true);
    std::string result = defaultValue;
    const std::string valueName = ScrambleNames ? ScrambleName(name) : name;
    bool tryCurrentUser = false;
    try {
        TRegistry* registry = GetRegistry();
        if (registry->ValueExists(valueName))
            result = registry->ReadString(valueName);
        else
            tryCurrentUser = FLocalMachine;
    } catch (const Exception&) {
        tryCurrentUser = FLocalMachine;
    }
    if (tryCurrentUser)
        ReadCurrentUser(valueName, result);
    return result;
}

int TCustomApplicationPro::ReadInteger(const std::string& name, int defaultValue)
{
    const std::string text = ReadString(name, "");
    return text.empty() ? defaultValue : StrToIntDef(text, defaultValue);
}

bool TCustomApplicationPro::ReadBool(const std::string& name, bool defaultValue)
{
    const std::string text = ReadString(name, "");
    return text.empty() ? defaultValue : StrToBoolDef(text, defaultValue);
}

void TCustomApplicationPro::WriteString(const std::string& name, const std::string& value)
{
    SetRegistryReadOnly(false);
    const std::string valueName = ScrambleNames ? ScrambleName(name) : name;
    try {
        GetRegistry()->WriteString(valueName, value);
    } catch (const Exception&) {
        if (!FLocalMachine)
            return;
        // HKEY_LOCAL_MACHINE refused: this and the following writes go to
        // HKEY_CURRENT_USER until a caller selects the machine again.
        SetLocalMachine(false);
        try {
            GetRegistry()->WriteString(valueName, value);
        } catch (const Exception&) {
            // Nothing more to try; options are never worth a failure.
        }
    }
}

void TCustomApplicationPro::WriteInteger(const std::string& name, int value)
{
    WriteString(name, IntToStr(value));
}

void TCustomApplicationPro::WriteBool(const std::string& name, bool value)
{
    WriteString(name, BoolToStr(value));
}

bool TCustomApplicationPro::FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool TCustomApplicationPro::HoldsProgram(const std::string& folder) const
{
    const std::string path = AddTrailingBackslash(folder);
    return !path.empty() && (FileExists(path + FExeName) || FileExists(path + FBaseName + ".EXE"));
}

std::string TCustomApplicationPro::ReadDataDir()
{
    const std::string stored = AddTrailingBackslash(ReadString(OptionNames::DataDir.Scrambled(), FDataDir));
    return HoldsProgram(stored) ? stored : FExeDir;
}

void TCustomApplicationPro::LoadOptions()
{
    if (!IsRuntime())
        return;
    SetLocalMachine(true);
    ScrambleNames = true;
    FDataDir = ReadDataDir();
    SetNeedDisplay(ReadBool(OptionNames::NeedDisplay.Scrambled(), FNeedDisplay));
    SetNeedSystem(ReadBool(OptionNames::NeedSystem.Scrambled(), FNeedSystem));
    if (OnLoadOptions) {
        OnLoadOptions(this);
        CloseRegistry();
    }
}

void TCustomApplicationPro::SaveOptions()
{
    if (!IsRuntime())
        return;
    SetLocalMachine(true);
    ScrambleNames = true;
    WriteString(OptionNames::DataDir.Scrambled(), FDataDir);
    WriteBool(OptionNames::NeedDisplay.Scrambled(), FNeedDisplay);
    WriteBool(OptionNames::NeedSystem.Scrambled(), FNeedSystem);
    if (OnSaveOptions) {
        OnSaveOptions(this);
        CloseRegistry();
    }
}
