// A read-only stream over a resource of a module.
//
// The bytes stay where the loader mapped them (resources live as long as
// their module), so opening costs nothing and reading copies only what is
// asked for. Writing is refused with EStreamError.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/Streams.h"

class TResourceStream : public TStream {
public:
    // Finds the resource `name` of `type` (RT_RCDATA, RT_BITMAP, a type
    // name ...) in `instance` (nullptr: the program). Raises EResNotFound
    // "Resource <name> not found" when it does not exist.
    TResourceStream(HINSTANCE instance, const std::string& name, const char* type);

    std::string ClassName() const override { return "TResourceStream"; }
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, int origin) override;
    int64_t Size() override { return FSize; }

    // The resource's bytes (Size() of them).
    const void* Memory() const { return FData; }

private:
    const uint8_t* FData = nullptr;
    int64_t FSize = 0;
    int64_t FPosition = 0;
};
