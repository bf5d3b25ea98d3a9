#include "classlib/system/Registry.h"

#include <vector>

#include "classlib/core/StringList.h"

// --- TRegistryBackend: the real API ------------------------------------------

LONG TRegistryBackend::OpenKey(HKEY, HKEY parent, const char* subKey, REGSAM access, HKEY* result)
{
    return RegOpenKeyExA(parent, subKey, 0, access, result);
}

LONG TRegistryBackend::CreateKey(HKEY, HKEY parent, const char* subKey, REGSAM access,
                                 HKEY* result)
{
    return RegCreateKeyExA(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                           result, nullptr);
}

LONG TRegistryBackend::CloseKey(HKEY, HKEY key)
{
    return RegCloseKey(key);
}

LONG TRegistryBackend::QueryValue(HKEY, HKEY key, const char* name, DWORD* type, BYTE* data,
                                  DWORD* size)
{
    return RegQueryValueExA(key, name, nullptr, type, data, size);
}

LONG TRegistryBackend::SetValue(HKEY, HKEY key, const char* name, DWORD type, const BYTE* data,
                                DWORD size)
{
    return RegSetValueExA(key, name, 0, type, data, size);
}

LONG TRegistryBackend::DeleteValue(HKEY, HKEY key, const char* name)
{
    return RegDeleteValueA(key, name);
}

LONG TRegistryBackend::DeleteKey(HKEY, HKEY parent, const char* subKey)
{
    return RegDeleteKeyA(parent, subKey);
}

LONG TRegistryBackend::EnumKey(HKEY, HKEY key, DWORD index, char* name, DWORD* nameSize)
{
    return RegEnumKeyExA(key, index, name, nameSize, nullptr, nullptr, nullptr, nullptr);
}

LONG TRegistryBackend::EnumValue(HKEY, HKEY key, DWORD index, char* name, DWORD* nameSize)
{
    return RegEnumValueA(key, index, name, nameSize, nullptr, nullptr, nullptr, nullptr);
}

namespace {

TRegistryBackend DefaultBackend;
TRegistryBackend* CurrentBackend = &DefaultBackend;

TRegistryBackend& Backend()
{
    return *CurrentBackend;
}

// Key names are at most 255 characters, value names at most 16383.
constexpr DWORD MaxKeyName = 256;
constexpr DWORD MaxValueName = 16384;

using EnumFn = LONG (TRegistryBackend::*)(HKEY, HKEY, DWORD, char*, DWORD*);

std::vector<std::string> EnumNames(HKEY root, HKEY key, EnumFn fn, DWORD maxName)
{
    std::vector<std::string> names;
    std::string buffer(maxName, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD size = maxName;
        if ((Backend().*fn)(root, key, index, buffer.data(), &size) != ERROR_SUCCESS)
            break;
        names.emplace_back(buffer.data(), size);
    }
    return names;
}

void ReplaceNames(TStrings& list, const std::vector<std::string>& names)
{
    UpdateStrings(list, [&] {
        list.Clear();
        for (const std::string& name : names)
            list.Add(name);
    });
}

bool IsRelative(const std::string& key)
{
    return key.empty() || key[0] != '\\';
}

std::string StripRoot(const std::string& key)
{
    return IsRelative(key) ? key : key.substr(1);
}

}  // namespace

// --- TRegistry ---------------------------------------------------------------

TRegistry::TRegistry() = default;

TRegistry::TRegistry(REGSAM access) : FAccess(access) {}

TRegistry::~TRegistry()
{
    CloseKey();
}

void TRegistry::SetBackend(TRegistryBackend* backend)
{
    CurrentBackend = backend != nullptr ? backend : &DefaultBackend;
}

void TRegistry::SetRootKey(HKEY rootKey)
{
    CloseKey();
    FRootKey = rootKey;
}

HKEY TRegistry::BaseKey(bool relative) const
{
    return relative && FCurrentKey != nullptr ? FCurrentKey : FRootKey;
}

void TRegistry::CloseKey()
{
    if (FCurrentKey != nullptr)
        Backend().CloseKey(FRootKey, FCurrentKey);
    FCurrentKey = nullptr;
    FCurrentPath.clear();
}

bool TRegistry::OpenInto(const std::string& key, bool canCreate, REGSAM access)
{
    const bool relative = IsRelative(key);
    const std::string path = StripRoot(key);
    HKEY opened = nullptr;
    const LONG result =
        canCreate && !path.empty()
            ? Backend().CreateKey(FRootKey, BaseKey(relative), path.c_str(), access, &opened)
            : Backend().OpenKey(FRootKey, BaseKey(relative), path.c_str(), access, &opened);
    if (result != ERROR_SUCCESS)
        return false;

    std::string newPath = path;
    if (relative && FCurrentKey != nullptr && !FCurrentPath.empty())
        newPath = path.empty() ? FCurrentPath : FCurrentPath + "\\" + path;
    CloseKey();
    FCurrentKey = opened;
    FCurrentPath = newPath;
    return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate)
{
    return OpenInto(key, canCreate, FAccess);
}

bool TRegistry::OpenKeyReadOnly(const std::string& key)
{
    return OpenInto(key, false, KEY_READ);
}

bool TRegistry::KeyExists(const std::string& key)
{
    HKEY probe = nullptr;
    const bool relative = IsRelative(key);
    if (Backend().OpenKey(FRootKey, BaseKey(relative), StripRoot(key).c_str(), KEY_READ, &probe) !=
        ERROR_SUCCESS)
        return false;
    Backend().CloseKey(FRootKey, probe);
    return true;
}

bool TRegistry::DeleteTree(HKEY parent, const std::string& subKey)
{
    HKEY key = nullptr;
    if (Backend().OpenKey(FRootKey, parent, subKey.c_str(), KEY_READ, &key) == ERROR_SUCCESS) {
        // Collect first: deleting while enumerating would shift the indices.
        for (const std::string& child :
             EnumNames(FRootKey, key, &TRegistryBackend::EnumKey, MaxKeyName))
            DeleteTree(key, child);
        Backend().CloseKey(FRootKey, key);
    }
    return Backend().DeleteKey(FRootKey, parent, subKey.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::DeleteKey(const std::string& key)
{
    const std::string path = StripRoot(key);
    if (path.empty())
        return false;  // never the open key or the root itself
    return DeleteTree(BaseKey(IsRelative(key)), path);
}

bool TRegistry::QueryInfo(const std::string& name, DWORD& type, DWORD& size)
{
    if (FCurrentKey == nullptr)
        return false;
    type = REG_NONE;
    size = 0;
    return Backend().QueryValue(FRootKey, FCurrentKey, name.c_str(), &type, nullptr, &size) ==
           ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name)
{
    DWORD type, size;
    return QueryInfo(name, type, size);
}

TRegDataType TRegistry::GetDataType(const std::string& name)
{
    DWORD type, size;
    if (!QueryInfo(name, type, size))
        return rdUnknown;
    switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
    }
}

int TRegistry::GetDataSize(const std::string& name)
{
    DWORD type, size;
    return QueryInfo(name, type, size) ? static_cast<int>(size) : -1;
}

bool TRegistry::DeleteValue(const std::string& name)
{
    return FCurrentKey != nullptr &&
           Backend().DeleteValue(FRootKey, FCurrentKey, name.c_str()) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name)
{
    if (FCurrentKey == nullptr)
        throw ERegistryException("Failed to get data for '" + name + "'");
    DWORD type, size;
    if (!QueryInfo(name, type, size))
        return "";

    std::string data;
    LONG result;
    do {  // the value may grow between the two queries
        data.resize(size);
        result = Backend().QueryValue(FRootKey, FCurrentKey, name.c_str(), &type,
                                      reinterpret_cast<BYTE*>(data.data()), &size);
    } while (result == ERROR_MORE_DATA);
    if (result != ERROR_SUCCESS)
        throw ERegistryException("Failed to get data for '" + name + "'");
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException("Invalid data type for '" + name + "'");
    data.resize(size);
    // The stored text normally ends with its NUL; it need not.
    const size_t end = data.find('\0');
    if (end != std::string::npos)
        data.resize(end);
    return data;
}

int TRegistry::ReadInteger(const std::string& name)
{
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (FCurrentKey == nullptr)
        throw ERegistryException("Failed to get data for '" + name + "'");
    const LONG result = Backend().QueryValue(FRootKey, FCurrentKey, name.c_str(), &type,
                                             reinterpret_cast<BYTE*>(&value), &size);
    if (result == ERROR_MORE_DATA || (result == ERROR_SUCCESS && type != REG_DWORD))
        throw ERegistryException("Invalid data type for '" + name + "'");
    if (result != ERROR_SUCCESS)
        throw ERegistryException("Failed to get data for '" + name + "'");
    return static_cast<int>(value);
}

bool TRegistry::ReadBool(const std::string& name)
{
    return ReadInteger(name) != 0;
}

void TRegistry::PutData(const std::string& name, DWORD type, const BYTE* data, DWORD size)
{
    if (FCurrentKey == nullptr ||
        Backend().SetValue(FRootKey, FCurrentKey, name.c_str(), type, data, size) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + name + "'");
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    // With its terminating NUL, as the API expects for REG_SZ.
    PutData(name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
            static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteInteger(const std::string& name, int value)
{
    const DWORD data = static_cast<DWORD>(value);
    PutData(name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

void TRegistry::WriteBool(const std::string& name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

void TRegistry::GetValueNames(TStrings& list)
{
    ReplaceNames(list, FCurrentKey == nullptr ? std::vector<std::string>()
                                              : EnumNames(FRootKey, FCurrentKey,
                                                          &TRegistryBackend::EnumValue,
                                                          MaxValueName));
}

void TRegistry::GetKeyNames(TStrings& list)
{
    ReplaceNames(list, FCurrentKey == nullptr ? std::vector<std::string>()
                                              : EnumNames(FRootKey, FCurrentKey,
                                                          &TRegistryBackend::EnumKey,
                                                          MaxKeyName));
}
