// Test support of the skin Wine tests: the committed fixtures, embedded as
// RCDATA resources (StoredSkinFixtures.rc).
#pragma once

#include <windows.h>

#include <string>

#include "classlib/system/ResourceStream.h"

inline std::string ResourceText(const char* name)
{
    TResourceStream resource(nullptr, name, RT_RCDATA);
    return std::string(static_cast<const char*>(resource.Memory()), static_cast<size_t>(resource.Size()));
}
