// Owners of kernel objects, loaded modules and memory the system allocated,
// the twins of GdiHandles.h: every handle is closed, every library and block
// freed exactly once, on every path, exceptions included.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

// Owns a kernel handle (process, thread, token, semaphore, file) and closes
// it. Null and INVALID_HANDLE_VALUE both mean "none", as the Win32 calls
// that make handles use either for a failure.
class TKernelHandle {
public:
    TKernelHandle() = default;
    explicit TKernelHandle(HANDLE handle) : FHandle(handle) {}
    ~TKernelHandle() { Reset(); }
    TKernelHandle(TKernelHandle&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
    TKernelHandle& operator=(TKernelHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.FHandle, nullptr));
        return *this;
    }

    HANDLE Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr && FHandle != INVALID_HANDLE_VALUE; }
    // Closes the handle held and takes `handle`.
    void Reset(HANDLE handle = nullptr)
    {
        if (*this)
            CloseHandle(FHandle);
        FHandle = handle;
    }
    // Closes the handle held and gives the place a Win32 call fills in.
    HANDLE* Receive()
    {
        Reset();
        return &FHandle;
    }

private:
    HANDLE FHandle = nullptr;
};

// A library loaded for the owner's lifetime and freed with it.
class TModule {
public:
    // A missing library gives an empty owner (every Function is null).
    explicit TModule(const std::string& fileName) : FModule(LoadLibraryA(fileName.c_str())) {}
    ~TModule()
    {
        if (FModule != nullptr)
            FreeLibrary(FModule);
    }
    TModule(const TModule&) = delete;
    TModule& operator=(const TModule&) = delete;

    HMODULE Get() const { return FModule; }
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

// Memory the system allocated for the caller with LocalAlloc (the text of
// FormatMessage's FORMAT_MESSAGE_ALLOCATE_BUFFER), freed with LocalFree.
class TLocalMemory {
public:
    explicit TLocalMemory(void* memory) : FMemory(memory) {}
    ~TLocalMemory()
    {
        if (FMemory != nullptr)
            LocalFree(FMemory);
    }
    TLocalMemory(const TLocalMemory&) = delete;
    TLocalMemory& operator=(const TLocalMemory&) = delete;

private:
    void* FMemory;
};
