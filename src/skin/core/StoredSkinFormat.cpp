#include "skin/core/StoredSkinFormat.h"

#include <algorithm>

#include "classlib/core/IniFiles.h"
#include "classlib/core/JpegCodec.h"
#include "skin/core/SkinEncodings.h"
#include "skin/core/ZlibStreams.h"

namespace {

constexpr const char* MainPictureKeys[] = {"picture", "mask", "rolluppicture", "rollupmask"};

TDibImage* MainPicture(TspSkinPictures& pictures, int index)
{
    TDibImage* const all[] = {&pictures.Picture, &pictures.Mask, &pictures.RollupPicture, &pictures.RollupMask};
    return all[index];
}

const TDibImage* MainPicture(const TspSkinPictures& pictures, int index)
{
    return MainPicture(const_cast<TspSkinPictures&>(pictures), index);
}

bool IsEmptyImage(const TDibImage& image)
{
    return image.Width <= 0 || image.Height <= 0;
}

void WriteBmp(TStream& stream, const TDibImage& image)
{
    const std::vector<uint8_t> file = WriteBmpFile(image);
    stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
}

void WriteInt32(TStream& stream, int32_t value)
{
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    stream.WriteBuffer(bytes, 4);
}

int32_t ReadInt32(TStream& stream)
{
    uint8_t bytes[4];
    stream.ReadBuffer(bytes, 4);
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                                static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

TDibImage EmptyImage()
{
    TDibImage image;
    image.Width = 0;
    image.Height = 0;
    return image;
}

TDibImage LoadBmpFile(const std::string& fileName)
{
    TMemoryStream file;
    file.LoadFromFile(fileName);
    return ReadBmpFromStream(file);
}

// A picture named in [PICTURES]: empty name, JPEG or BMP.
TDibImage LoadNamedPicture(const std::string& folder, const std::string& name, bool jpegAllowed)
{
    if (name.empty())
        return EmptyImage();
    try {
        if (jpegAllowed && IsJPEGFileName(name))
            return LoadJPEGToBitmap(folder + name);
        return LoadBmpFile(folder + name);
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(folder + name + ": " + e.Message);
    } catch (const EReadError& e) {
        throw EInvalidGraphic(folder + name + ": " + e.Message);
    }
}

void LoadPictures(const TMemIniFile& ini, const std::string& folder, bool jpegAllowed, TspSkinPictures& pictures)
{
    for (int i = 0; i < 4; ++i)
        *MainPicture(pictures, i) =
            LoadNamedPicture(folder, ini.ReadString("PICTURES", MainPictureKeys[i], ""), jpegAllowed);
    TStringList names;
    ReadCountedStrings(ini, "PICTURES", "activepictures", names);
    pictures.ActivePictures.clear();
    for (int i = 0; i < names.Count(); ++i)
        pictures.ActivePictures.push_back(LoadNamedPicture(folder, names.Strings(i), jpegAllowed));
}

}  // namespace

TDibImage ReadBmpFromStream(TStream& stream)
{
    constexpr int64_t HeadersMax = 14 + 124;
    const int64_t start = stream.Position();
    const int64_t available = std::max<int64_t>(stream.Size() - start, 0);
    std::vector<uint8_t> data(static_cast<size_t>(std::min(available, HeadersMax)));
    stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    // Headers that the data's end cuts short are a short read; headers that
    // are there but wrong are an invalid picture.
    constexpr size_t FileHeaderSize = 14;
    const uint32_t infoSize =
        data.size() < FileHeaderSize + 4
            ? 0
            : static_cast<uint32_t>(data[14]) | static_cast<uint32_t>(data[15]) << 8 |
                  static_cast<uint32_t>(data[16]) << 16 | static_cast<uint32_t>(data[17]) << 24;
    if (data.size() < FileHeaderSize + 4 || (infoSize <= 124 && data.size() < FileHeaderSize + infoSize))
        throw EReadError("Stream read error");
    const uint64_t length = BmpFileExtent(data.data(), data.size(), static_cast<uint64_t>(available));
    if (length > static_cast<uint64_t>(available))
        throw EReadError("Stream read error");
    const size_t head = data.size();
    data.resize(static_cast<size_t>(length));
    if (length > head)
        stream.ReadBuffer(data.data() + head, static_cast<int64_t>(length - head));
    else
        stream.SetPosition(start + static_cast<int64_t>(length));
    return ReadBmpFile(data.data(), data.size());
}

void WriteSkinPictures(TStream& stream, const TspSkinPictures& pictures)
{
    for (int i = 0; i < 4; ++i) {
        const TDibImage& image = *MainPicture(pictures, i);
        const uint8_t flag = IsEmptyImage(image) ? 1 : 0;
        stream.WriteBuffer(&flag, 1);
        if (flag == 0)
            WriteBmp(stream, image);
    }
    WriteInt32(stream, static_cast<int32_t>(pictures.ActivePictures.size()));
    for (const TDibImage& image : pictures.ActivePictures)
        WriteBmp(stream, image);
}

TspSkinPictures ReadSkinPictures(TStream& stream)
{
    TspSkinPictures pictures;
    for (int i = 0; i < 4; ++i) {
        uint8_t flag = 0;
        stream.ReadBuffer(&flag, 1);
        *MainPicture(pictures, i) = flag != 0 ? EmptyImage() : ReadBmpFromStream(stream);
    }
    const int32_t count = ReadInt32(stream);
    for (int32_t i = 0; i < count; ++i)
        pictures.ActivePictures.push_back(ReadBmpFromStream(stream));
    return pictures;
}

void WriteCompressedSkinPayload(TStream& stream, const TspSkinPictures& pictures, const TStrings& iniStrings)
{
    WriteInt32(stream, CompressedSkinVersion);
    WriteSkinPictures(stream, pictures);
    iniStrings.SaveToStream(stream);
}

bool ReadCompressedSkinPayload(TStream& stream, TspSkinPictures& pictures, TStrings& iniStrings)
{
    if (ReadInt32(stream) != CompressedSkinVersion)
        return false;
    pictures = ReadSkinPictures(stream);
    iniStrings.LoadFromStream(stream);
    return true;
}

bool IsJPEGFileName(const std::string& fileName)
{
    return fileName.find(".jpg") != std::string::npos || fileName.find(".jpeg") != std::string::npos;
}

TDibImage LoadJPEGToBitmap(const std::string& fileName)
{
    TMemoryStream file;
    file.LoadFromFile(fileName);
    return DecodeJpeg(static_cast<const uint8_t*>(file.Memory()), static_cast<size_t>(file.Size()));
}

std::string SkinFolderOf(const std::string& fileName)
{
    const size_t slash = fileName.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

std::string SkinFileNameOf(const std::string& fileName)
{
    return fileName.substr(SkinFolderOf(fileName).size());
}

void LoadStoredSkinFromFile(const std::string& fileName, TStrings& iniStrings, TspSkinPictures& pictures)
{
    TStringList lines;
    lines.LoadFromFile(fileName);
    TMemIniFile ini("");
    ini.SetStrings(lines);
    TspSkinPictures loaded;
    LoadPictures(ini, SkinFolderOf(fileName), true, loaded);
    iniStrings.Assign(lines);
    pictures = std::move(loaded);
}

bool LoadCompressedSkinFromFile(const std::string& fileName, TMemoryStream& compressed)
{
    TStringList lines;
    lines.LoadFromFile(fileName);
    TMemIniFile ini("");
    ini.SetStrings(lines);
    if (!HasSkinSections(ini))
        return false;
    TspSkinPictures pictures;
    LoadPictures(ini, SkinFolderOf(fileName), false, pictures);
    TMemoryStream payload;
    WriteCompressedSkinPayload(payload, pictures, lines);
    TMemoryStream packed;
    CompressStream(payload, packed);
    compressed.Clear();
    packed.SaveToStream(compressed);
    compressed.SetPosition(0);
    return true;
}
