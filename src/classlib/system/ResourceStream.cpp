#include "classlib/system/ResourceStream.h"

#include <algorithm>
#include <cstring>

TResourceStream::TResourceStream(HINSTANCE instance, const std::string& name, const char* type)
{
    if (instance == nullptr)
        instance = GetModuleHandleA(nullptr);
    const HRSRC resource = FindResourceA(instance, name.c_str(), type);
    const HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        throw EResNotFound("Resource " + name + " not found");
    FData = static_cast<const uint8_t*>(data);
    FSize = SizeofResource(instance, resource);
}

int64_t TResourceStream::Read(void* buffer, int64_t count)
{
    if (count <= 0 || FPosition < 0 || FPosition >= FSize)
        return 0;
    const int64_t n = std::min(count, FSize - FPosition);
    std::memcpy(buffer, FData + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TResourceStream::Write(const void*, int64_t)
{
    throw EStreamError("Can't write to a read-only resource stream");
}

int64_t TResourceStream::Seek(int64_t offset, int origin)
{
    switch (origin) {
    case soFromBeginning: FPosition = offset; break;
    case soFromCurrent: FPosition += offset; break;
    case soFromEnd: FPosition = FSize + offset; break;
    default: return -1;
    }
    return FPosition;
}
