#include "scene/core/SceneTexturePicture.h"

#include "classlib/core/Exceptions.h"
#include "classlib/core/JpegCodec.h"
#include "classlib/core/Streams.h"
#include "classlib/core/SysUtils.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneRegistry.h"

namespace {

const uint8_t* BytesOf(const std::string& data)
{
    return reinterpret_cast<const uint8_t*>(data.data());
}

std::string ReadFileBytes(const std::string& fileName)
{
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

std::string ReadBitmapResourceBytes(const std::string& name)
{
    auto* bitmaps = dynamic_cast<TSceneBitmapResources*>(&SceneResources());
    if (bitmaps == nullptr)
        throw EResNotFound("Resource " + name + " not found");
    return bitmaps->ReadBitmapResource(name);
}

}  // namespace

TDibImage LoadScenePicture(const std::string& fileName, TSourceLocations location)
{
    const std::string extension = LowerCase(ExtractFileExt(fileName));
    if (extension == ".bmp") {
        if (location & slResource) {
            const std::string dib = ReadBitmapResourceBytes(ResourceNameOf(fileName));
            return ReadPackedDib(BytesOf(dib), dib.size());
        }
        const std::string file = ReadFileBytes(fileName);
        return ReadBmpFile(BytesOf(file), file.size());
    }
    // ".jepg" is a misspelling older descriptions carry.
    if (extension == ".jpg" || extension == ".jpeg" || extension == ".jepg") {
        const std::string data =
            (location & slFile) ? ReadFileBytes(fileName) : SceneResources().ReadResource(ResourceNameOf(fileName));
        return DecodeJpeg(BytesOf(data), data.size());
    }
    TDibImage empty;
    empty.Width = 0;
    empty.Height = 0;
    return empty;
}
