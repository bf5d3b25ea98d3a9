// Where the scene engine finds its program resources.
//
// Scene descriptions and meshes can be compiled into the program as RCDATA
// resources. The readers of the engine are platform-free, so they ask a
// provider for a resource's bytes instead of calling the platform: the
// Win32 program installs the provider over its own RCDATA resources, and
// tests install one that serves strings.
#pragma once

#include <string>

class TSceneResourceProvider {
public:
    virtual ~TSceneResourceProvider() = default;

    // The bytes of the RCDATA resource `name` (names match without regard
    // to ASCII case). Raises EResNotFound "Resource <name> not found" when
    // there is no such resource.
    virtual std::string ReadResource(const std::string& name) = 0;
};

// The provider the engine reads resources through; never null. Until one is
// installed it is a provider without any resource.
TSceneResourceProvider& SceneResources();
// Installs provider (not owned; it must outlive its use); null restores
// the provider without resources.
void SetSceneResources(TSceneResourceProvider* provider);
