#include "scene/core/SceneLoaderResources.h"

#include "classlib/core/Exceptions.h"

namespace {

class TNoResources : public TSceneResourceProvider {
public:
    std::string ReadResource(const std::string& name) override
    {
        throw EResNotFound("Resource " + name + " not found");
    }
};

TNoResources NoResources;
TSceneResourceProvider* CurrentProvider = &NoResources;

}  // namespace

TSceneResourceProvider& SceneResources()
{
    return *CurrentProvider;
}

void SetSceneResources(TSceneResourceProvider* provider)
{
    CurrentProvider = provider != nullptr ? provider : &NoResources;
}
