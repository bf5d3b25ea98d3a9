// The binary forms in which a skin travels inside a form description, and
// the loads that make them from a skin folder (an INI file plus BMP or JPEG
// pictures).
//
// "Pictures" (a stored skin's binary property), little-endian:
//   for Picture, Mask, RollupPicture, RollupMask: one flag byte (1: empty,
//   0: a BMP file follows) and the BMP file; then a signed 32-bit count and
//   that many BMP files back to back. Each BMP takes exactly the bytes its
//   headers give (BmpFileExtent), so the next field follows it. A skin with
//   no pictures is the 8 bytes 01 01 01 01 00 00 00 00.
// "CompressedData" (a compressed stored skin's binary property) is one zlib
//   stream (ZlibStreams.h) of the payload: a signed 32-bit version (1), the
//   pictures as above, then the INI text, each line ended by CR LF, to the
//   end.
//
// Readers never trust sizes: a picture that runs past the end of its data
// raises EReadError "Stream read error", a missing flag or count byte too;
// invalid BMP headers raise EInvalidGraphic; a count only ever reads
// pictures one by one (a huge count fails at the first missing one), and a
// count below 1 reads none.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/Streams.h"
#include "classlib/core/StringList.h"

// The pictures of a skin; a 0 x 0 image is an empty bitmap.
struct TspSkinPictures {
    TDibImage Picture;
    TDibImage Mask;
    TDibImage RollupPicture;
    TDibImage RollupMask;
    std::vector<TDibImage> ActivePictures;
};

constexpr int32_t CompressedSkinVersion = 1;

void WriteSkinPictures(TStream& stream, const TspSkinPictures& pictures);
// Reads from the stream's position.
TspSkinPictures ReadSkinPictures(TStream& stream);

// One BMP file from the stream's position, exactly its extent.
TDibImage ReadBmpFromStream(TStream& stream);

// The payload before compression.
void WriteCompressedSkinPayload(TStream& stream, const TspSkinPictures& pictures, const TStrings& iniStrings);
// Reads the payload from the stream's position; false (and nothing read past
// the version) when the version is not CompressedSkinVersion. iniStrings is
// replaced by the INI text.
bool ReadCompressedSkinPayload(TStream& stream, TspSkinPictures& pictures, TStrings& iniStrings);

// True when the name contains ".jpg" or ".jpeg" (exactly so, lower case):
// "a.JPG" is taken for a BMP.
bool IsJPEGFileName(const std::string& fileName);
// Decodes a JPEG file into a 24-bit picture.
TDibImage LoadJPEGToBitmap(const std::string& fileName);

// The folder part of a file name, with its last "\" or "/" (empty when the
// name has none).
std::string SkinFolderOf(const std::string& fileName);
// The name without its folder.
std::string SkinFileNameOf(const std::string& fileName);

// The load of a stored skin from its INI file: the file's lines and the
// pictures [PICTURES] names ("picture", "mask", "rolluppicture",
// "rollupmask"; the counted list "activepictures"), each a JPEG when
// IsJPEGFileName says so, else a BMP file, from the INI file's folder; an
// empty name gives an empty picture. Makes no section check. A file that
// cannot be opened raises EFOpenError; a picture that cannot be decoded
// raises EInvalidGraphic naming its file.
void LoadStoredSkinFromFile(const std::string& fileName, TStrings& iniStrings, TspSkinPictures& pictures);

// The load of a compressed stored skin from its INI file: nothing happens
// and the result is false when the file lacks a skin's sections
// (HasSkinSections); else `compressed` is replaced by the zlib stream of the
// payload, with BMP pictures only.
bool LoadCompressedSkinFromFile(const std::string& fileName, TMemoryStream& compressed);
