// A registry backend that refuses what a non-administrator is refused:
// opening or creating a key of HKEY_LOCAL_MACHINE for writing and setting
// values there; on request every value set. It counts the refusals, the keys opened and those still open.
#pragma once

#include <windows.h>

#include "classlib/system/Registry.h"

namespace testsupport {

class TRefusingRegistry : public TRegistryBackend {
public:
    static constexpr REGSAM WriteAccess = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE;

    LONG OpenKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result) override
    {
        return Refused(root, access) ? ERROR_ACCESS_DENIED
                                     : Count(TRegistryBackend::OpenKey(root, parent, subKey, access, result));
    }
    LONG CreateKey(HKEY root, HKEY parent, const char* subKey, REGSAM access, HKEY* result) override
    {
        return Refused(root, access) ? ERROR_ACCESS_DENIED
                                     : Count(TRegistryBackend::CreateKey(root, parent, subKey, access, result));
    }
    LONG SetValue(HKEY root, HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override
    {
        if (RefuseEverySet || (RefuseMachine && root == HKEY_LOCAL_MACHINE))
            return ERROR_ACCESS_DENIED;
        return TRegistryBackend::SetValue(root, key, name, type, data, size);
    }
    LONG CloseKey(HKEY root, HKEY key) override
    {
        --Open;
        return TRegistryBackend::CloseKey(root, key);
    }

    bool RefuseMachine = true;
    bool RefuseEverySet = false;
    int MachineRefusals = 0;
    int Opens = 0;
    int Open = 0;

private:
    bool Refused(HKEY root, REGSAM access)
    {
        if (!RefuseMachine || root != HKEY_LOCAL_MACHINE || (access & WriteAccess) == 0)
            return false;
        ++MachineRefusals;
        return true;
    }
    LONG Count(LONG result)
    {
        ++Opens;
        Open += result == ERROR_SUCCESS ? 1 : 0;
        return result;
    }
};

}  // namespace testsupport
