// Fuzz target: a text mesh. Every input must load into consistent data or
// raise the library's exception; nothing else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "classlib/core/Exceptions.h"
#include "scene/core/TextMesh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        T3DMFile file;
        file.LoadFromText(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const Exception&) {
    }
    return 0;
}
