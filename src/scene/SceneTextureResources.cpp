#include "scene/SceneTextureResources.h"

#include "classlib/system/ResourceStream.h"

std::string TRCDataBitmapResourceProvider::ReadBitmapResource(const std::string& name)
{
    TResourceStream stream(FInstance, name, RT_BITMAP);
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}
