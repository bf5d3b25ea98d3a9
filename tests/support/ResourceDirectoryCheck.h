// Test support: every named resource a module carries must be found by
// name. The loader looks names up by a binary search over the resource
// directory, so a directory the resource compiler sorted differently from
// the loader's order (names that differ at a "_") would hide resources that
// are there; this check reads the directory in full and asks for each one.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

struct TResourceCheck {
    int Checked = 0;                   // named resources looked up
    std::vector<std::string> Missing;  // "<type>/<name>" of those not found
};

inline TResourceCheck CheckResourceNames(HMODULE module)
{
    TResourceCheck state;
    EnumResourceTypesA(
        module,
        [](HMODULE mod, LPSTR type, LONG_PTR typeData) -> BOOL {
            EnumResourceNamesA(
                mod, type,
                [](HMODULE m, LPCSTR t, LPSTR name, LONG_PTR data) -> BOOL {
                    auto* s = reinterpret_cast<TResourceCheck*>(data);
                    if (IS_INTRESOURCE(name))
                        return TRUE;
                    ++s->Checked;
                    if (FindResourceA(m, name, t) == nullptr) {
                        const std::string typeName =
                            IS_INTRESOURCE(t) ? std::to_string(reinterpret_cast<ULONG_PTR>(t)) : std::string(t);
                        s->Missing.push_back(typeName + "/" + name);
                    }
                    return TRUE;
                },
                typeData);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&state));
    return state;
}

}  // namespace testsupport
