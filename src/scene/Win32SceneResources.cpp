#include "scene/Win32SceneResources.h"

#include "classlib/system/ResourceStream.h"

std::string TRCDataResourceProvider::ReadResource(const std::string& name)
{
    TResourceStream stream(FInstance, name, RT_RCDATA);
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}
