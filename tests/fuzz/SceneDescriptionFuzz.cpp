// Fuzz target: a scene description, served as the program resource the
// scene reads, plain or (when the first byte is odd) line-scrambled.
// Every input must load or raise the library's exception; nothing else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "classlib/core/Exceptions.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoaderResources.h"

namespace {

class TOneResource : public TSceneResourceProvider {
public:
    std::string Bytes;
    std::string ReadResource(const std::string&) override { return Bytes; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TOneResource resource;
    SetSceneResources(&resource);
    const bool scrambled = size > 0 && (data[0] & 1) != 0;
    resource.Bytes.assign(reinterpret_cast<const char*>(data), size);
    try {
        TMainScene scene;
        scene.SourceLocation = slResource;
        scene.SourceName = "fuzz.gsc";
        scene.Scrambled = scrambled;
        scene.Load();
    } catch (const Exception&) {
    }
    return 0;
}
