// The scene engine's resources on Win32, bitmaps included: the RCDATA and
// RT_BITMAP resources of a module.
//
// The program installs one over its own resources before it loads a scene
// (SetSceneResources), so that descriptions, meshes and texture pictures
// compiled into the executable are found by name.
#pragma once

#include <windows.h>

#include <string>

#include "scene/Win32SceneResources.h"
#include "scene/core/SceneTexturePicture.h"

class TRCDataBitmapResourceProvider : public TRCDataResourceProvider, public TSceneBitmapResources {
public:
    // The resources of instance; null: of the program.
    explicit TRCDataBitmapResourceProvider(HINSTANCE instance = nullptr)
        : TRCDataResourceProvider(instance), FInstance(instance)
    {
    }

    // The bytes of the RT_BITMAP resource name (a packed DIB); EResNotFound
    // when there is none.
    std::string ReadBitmapResource(const std::string& name) override;

private:
    HINSTANCE FInstance;
};
