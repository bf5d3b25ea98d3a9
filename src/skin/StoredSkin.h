// The two components that carry a skin inside a form description, so that
// the program needs no skin files at run time (the formats are in
// skin/core/StoredSkinFormat.h):
//  - TspStoredSkin keeps the INI text as a string list and the pictures as
//    bitmaps, streamed as the binary property "Pictures";
//  - TspCompressedStoredSkin keeps both as one zlib stream, the binary
//    property "CompressedData".
// Both are filled by form streaming; the skin data component only reads
// them. There is no form designer here: FileName setters only store the
// name, and the design-time loads (LoadFromSkinFile) are what the offline
// packer runs to make the descriptions.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/Components.h"
#include "classlib/core/Streams.h"
#include "classlib/core/StringList.h"
#include "classlib/graphics/Bitmap.h"
#include "skin/core/StoredSkinFormat.h"

class TspStoredSkin : public TComponent {
public:
    explicit TspStoredSkin(TComponent* owner);
    ~TspStoredSkin() override;
    std::string ClassName() const override { return "TspStoredSkin"; }

    // The INI file's name without its folder, kept for the record.
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& fileName) { FFileName = fileName; }

    // The INI text, one line per item; owned. Assigning copies the lines.
    TStringList* IniStrings() const { return FIniStrings.get(); }
    void SetIniStrings(const TStrings& strings) { FIniStrings->Assign(strings); }

    // Owned and always present, possibly empty.
    TBitmap* Picture() const { return FPicture.get(); }
    TBitmap* Mask() const { return FMask.get(); }
    TBitmap* RollupPicture() const { return FRollupPicture.get(); }
    TBitmap* RollupMask() const { return FRollupMask.get(); }
    // Owned, in order.
    const std::vector<std::unique_ptr<TBitmap>>& ActivePictures() const { return FActivePictures; }

    // The "Pictures" property. Reading replaces every picture only once the
    // whole blob has been read: EReadError, EInvalidGraphic leave the skin as
    // it was.
    void ReadPictures(TStream& stream);
    void WritePictures(TStream& stream) const;

    // The design-time load from an INI file (its lines, and the pictures its
    // [PICTURES] names, from its folder); FileName becomes the name without
    // the folder. Errors of the files pass out and leave the skin as it was.
    void LoadFromSkinFile(const std::string& fileName);

private:
    TspSkinPictures Pictures() const;
    void SetPictures(const TspSkinPictures& pictures);

    std::string FFileName;
    std::unique_ptr<TStringList> FIniStrings;
    std::unique_ptr<TBitmap> FPicture, FMask, FRollupPicture, FRollupMask;
    std::vector<std::unique_ptr<TBitmap>> FActivePictures;
};

class TspCompressedStoredSkin : public TComponent {
public:
    explicit TspCompressedStoredSkin(TComponent* owner);
    ~TspCompressedStoredSkin() override;
    std::string ClassName() const override { return "TspCompressedStoredSkin"; }

    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& fileName) { FFileName = fileName; }

    // The zlib stream; empty when no skin was packed.
    TMemoryStream& CompressedStream() const { return *FCompressedStream; }
    bool IsEmpty() const { return FCompressedStream->Size() == 0; }
    // Inflates the whole compressed stream into `stream` at its position
    // (EZDecompressionError for corrupt data); writes nothing when empty.
    void DecompressToStream(TStream& stream) const;

    // The "CompressedData" property: the stream's bytes as they are.
    void ReadCompressedData(TStream& stream);
    void WriteCompressedData(TStream& stream) const;

    // The design-time load from an INI file (BMP pictures only): does
    // nothing and returns false when the file lacks a skin's sections.
    bool LoadFromSkinFile(const std::string& fileName);

private:
    std::string FFileName;
    std::unique_ptr<TMemoryStream> FCompressedStream;
};

// Registers TspStoredSkin and TspCompressedStoredSkin below TComponent
// ("FileName", "IniStrings" as a sub-object so that "IniStrings.Strings =
// ( ... )" fills it, and the binary properties).
void RegisterStoredSkinClasses(TClassRegistry& classes);
