// Owner of a dynamically loaded library, for functions that a system may
// lack and that are therefore looked up at run time.
#pragma once

#include <windows.h>

#include <string>

// A library loaded for one use.
class TLibrary {
public:
    explicit TLibrary(const std::string& fileName) : FModule(LoadLibraryA(fileName.c_str())) {}
    ~TLibrary()
    {
        if (FModule != nullptr)
            FreeLibrary(FModule);
    }
    TLibrary(const TLibrary&) = delete;
    TLibrary& operator=(const TLibrary&) = delete;

    // The function, or null when the library or the function is missing.
    template <class F>
    F Function(const char* name) const
    {
        if (FModule == nullptr)
            return nullptr;
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(FModule, name)));
    }

private:
    HMODULE FModule;
};
