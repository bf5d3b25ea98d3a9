// The scene engine's resources on Win32: the RCDATA resources of a module.
//
// The program installs one over its own resources before it loads a scene
// (SetSceneResources), so that descriptions and meshes compiled into the
// executable are found by name.
#pragma once

#include <windows.h>

#include <string>

#include "scene/core/SceneLoaderResources.h"

class TRCDataResourceProvider : public TSceneResourceProvider {
public:
    // The resources of instance; null: of the program.
    explicit TRCDataResourceProvider(HINSTANCE instance = nullptr) : FInstance(instance) {}

    // The bytes of the RCDATA resource name (Windows matches resource
    // names without regard to case); EResNotFound when there is none.
    std::string ReadResource(const std::string& name) override;

private:
    HINSTANCE FInstance;
};
