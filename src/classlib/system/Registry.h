// Registry wrapper of the class library.
//
// `TRegistry` works on one open key at a time under a root key
// (HKEY_CURRENT_USER unless set otherwise). Key paths starting with "\" are
// absolute from the root; other paths are relative to the open key, or to
// the root when no key is open. Value operations act on the open key only:
// on an object with no open key (never opened, or the last OpenKey failed
// with nothing open before) they fail - reads and writes raise
// ERegistryException, queries answer false - and never fall back to the
// root. A failed OpenKey leaves the key that was open before, if any, open.
// The destructor closes the key.
//
// Every Win32 registry call goes through a `TRegistryBackend`. The default
// one calls the real API; `TRegistry::SetBackend` replaces it for the whole
// process (nullptr restores the default), so that a test can model a
// machine that refuses what Wine always grants, for example a backend whose
// OpenKey/CreateKey answer ERROR_ACCESS_DENIED when `root` is
// HKEY_LOCAL_MACHINE and write access is asked for. Each call receives the
// root key of the registry object making it, so a backend can treat the
// hives differently without tracking handles.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/Exceptions.h"

class TStrings;

class TRegistryBackend {
public:
    virtual ~TRegistryBackend() = default;

    // RegOpenKeyExA / RegCreateKeyExA (non-volatile) on `parent`, which is
    // either `root` itself or a key opened under it.
    virtual LONG OpenKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result);
    virtual LONG CreateKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result);
    virtual LONG CloseKey(HKEY root, HKEY key);
    // RegQueryValueExA / RegSetValueExA / RegDeleteValueA.
    virtual LONG QueryValue(HKEY root, HKEY key, const char* name, DWORD* type, BYTE* data,
                            DWORD* size);
    virtual LONG SetValue(HKEY root, HKEY key, const char* name, DWORD type, const BYTE* data,
                          DWORD size);
    virtual LONG DeleteValue(HKEY root, HKEY key, const char* name);
    // RegDeleteKeyA: deletes a key without subkeys.
    virtual LONG DeleteKey(HKEY root, HKEY parent, const char* subKey);
    // RegEnumKeyExA / RegEnumValueA: the name of entry `index`; `nameSize`
    // holds the buffer size in characters and receives the name length.
    virtual LONG EnumKey(HKEY root, HKEY key, DWORD index, char* name, DWORD* nameSize);
    virtual LONG EnumValue(HKEY root, HKEY key, DWORD index, char* name, DWORD* nameSize);
};

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry {
public:
    TRegistry();                      // KEY_ALL_ACCESS
    explicit TRegistry(REGSAM access);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Process-wide backend; nullptr restores the one that calls Win32.
    static void SetBackend(TRegistryBackend* backend);

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key, then changes the root.
    void SetRootKey(HKEY rootKey);
    // Access asked for by OpenKey and by the keys it creates.
    REGSAM Access() const { return FAccess; }
    void SetAccess(REGSAM access) { FAccess = access; }
    // The open key (nullptr when none) and its path from the root, without
    // a leading "\".
    HKEY CurrentKey() const { return FCurrentKey; }
    const std::string& CurrentPath() const { return FCurrentPath; }

    // Opens `key` with Access, creating it when `canCreate`; on success it
    // becomes the open key (the previous one is closed).
    bool OpenKey(const std::string& key, bool canCreate);
    // Opens an existing key with KEY_READ, whatever Access says.
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    bool KeyExists(const std::string& key);
    // Deletes `key` with all its subkeys.
    bool DeleteKey(const std::string& key);

    bool ValueExists(const std::string& name);
    // rdUnknown for a missing value or a type not listed.
    TRegDataType GetDataType(const std::string& name);
    // Size of the value's data in bytes; -1 when the value is missing.
    int GetDataSize(const std::string& name);
    bool DeleteValue(const std::string& name);

    // REG_SZ or REG_EXPAND_SZ (not expanded); a missing value reads as "".
    // Raises ERegistryException "Invalid data type for '<name>'" for a value
    // of another type and "Failed to get data for '<name>'" with no open key.
    std::string ReadString(const std::string& name);
    // REG_DWORD. Raises "Invalid data type for '<name>'" for another type and
    // "Failed to get data for '<name>'" for a missing value or no open key.
    int ReadInteger(const std::string& name);
    bool ReadBool(const std::string& name);  // ReadInteger(name) != 0
    // Writes raise ERegistryException "Failed to set data for '<name>'".
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int value);
    void WriteBool(const std::string& name, bool value);  // as 1 or 0

    // Replace the contents of `list` with the names of the open key's values
    // or subkeys (empty with no open key).
    void GetValueNames(TStrings& list);
    void GetKeyNames(TStrings& list);

private:
    // The key a path is taken from: the open key for a relative path, else
    // the root.
    HKEY BaseKey(bool relative) const;
    bool OpenInto(const std::string& key, bool canCreate, REGSAM access);
    bool DeleteTree(HKEY parent, const std::string& subKey);
    // Type and size of value `name`; false when there is no open key or the
    // value cannot be queried.
    bool QueryInfo(const std::string& name, DWORD& type, DWORD& size);
    void PutData(const std::string& name, DWORD type, const BYTE* data, DWORD size);

    HKEY FRootKey = HKEY_CURRENT_USER;
    REGSAM FAccess = KEY_ALL_ACCESS;
    HKEY FCurrentKey = nullptr;
    std::string FCurrentPath;
};
