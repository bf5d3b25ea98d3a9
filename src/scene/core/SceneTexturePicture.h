// The pictures scene textures are made from: where they are read from and
// how their pixels are sampled.
//
// Pictures are decoded by the class library's platform-free codecs, so
// texture loading runs the same in the program and in native tests. Files
// are read directly; program resources come through the scene's resource
// provider (SceneResources()): RCDATA through ReadResource, and bitmap
// resources (RT_BITMAP, a packed DIB without file header) through
// TSceneBitmapResources, which a provider offers besides.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/core/BmpCodec.h"
#include "scene/core/SceneObjects.h"

// The bitmap resources of a resource provider. A provider that has them
// derives from both TSceneResourceProvider and this class.
class TSceneBitmapResources {
public:
    virtual ~TSceneBitmapResources() = default;
    // The bytes of the RT_BITMAP resource `name` (a packed DIB); raises
    // EResNotFound "Resource <name> not found" when there is none.
    virtual std::string ReadBitmapResource(const std::string& name) = 0;
};

// The picture of file fileName, by its lower-cased extension: ".bmp" from
// the bitmap resource ResourceNameOf(fileName) when location holds
// Resource, else from the file; ".jpg", ".jpeg" (and the old ".jepg") from
// the file when location holds File, else from the RCDATA resource
// ResourceNameOf(fileName); any other extension an empty picture (0 x 0).
// A provider without bitmap resources answers EResNotFound; a file that
// cannot be opened raises EFOpenError; undecodable data EInvalidGraphic.
TDibImage LoadScenePicture(const std::string& fileName, TSourceLocations location);
