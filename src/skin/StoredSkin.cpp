#include "skin/StoredSkin.h"

#include "skin/core/ZlibStreams.h"

TspStoredSkin::TspStoredSkin(TComponent* owner)
    : TComponent(owner),
      FIniStrings(std::make_unique<TStringList>()),
      FPicture(std::make_unique<TBitmap>()),
      FMask(std::make_unique<TBitmap>()),
      FRollupPicture(std::make_unique<TBitmap>()),
      FRollupMask(std::make_unique<TBitmap>())
{
}

TspStoredSkin::~TspStoredSkin() = default;

TspSkinPictures TspStoredSkin::Pictures() const
{
    TspSkinPictures pictures;
    pictures.Picture = FPicture->Dib();
    pictures.Mask = FMask->Dib();
    pictures.RollupPicture = FRollupPicture->Dib();
    pictures.RollupMask = FRollupMask->Dib();
    for (const auto& bitmap : FActivePictures)
        pictures.ActivePictures.push_back(bitmap->Dib());
    return pictures;
}

void TspStoredSkin::SetPictures(const TspSkinPictures& pictures)
{
    std::vector<std::unique_ptr<TBitmap>> active;
    for (const TDibImage& image : pictures.ActivePictures) {
        active.push_back(std::make_unique<TBitmap>());
        active.back()->SetDib(image);
    }
    FPicture->SetDib(pictures.Picture);
    FMask->SetDib(pictures.Mask);
    FRollupPicture->SetDib(pictures.RollupPicture);
    FRollupMask->SetDib(pictures.RollupMask);
    FActivePictures = std::move(active);
}

void TspStoredSkin::ReadPictures(TStream& stream)
{
    SetPictures(ReadSkinPictures(stream));
}

void TspStoredSkin::WritePictures(TStream& stream) const
{
    WriteSkinPictures(stream, Pictures());
}

void TspStoredSkin::LoadFromSkinFile(const std::string& fileName)
{
    TStringList lines;
    TspSkinPictures pictures;
    LoadStoredSkinFromFile(fileName, lines, pictures);
    SetPictures(pictures);
    FIniStrings->Assign(lines);
    FFileName = SkinFileNameOf(fileName);
}

TspCompressedStoredSkin::TspCompressedStoredSkin(TComponent* owner)
    : TComponent(owner), FCompressedStream(std::make_unique<TMemoryStream>())
{
}

TspCompressedStoredSkin::~TspCompressedStoredSkin() = default;

void TspCompressedStoredSkin::DecompressToStream(TStream& stream) const
{
    if (!IsEmpty())
        DecompressStream(stream, *FCompressedStream);
}

void TspCompressedStoredSkin::ReadCompressedData(TStream& stream)
{
    FCompressedStream->LoadFromStream(stream);
}

void TspCompressedStoredSkin::WriteCompressedData(TStream& stream) const
{
    FCompressedStream->SaveToStream(stream);
}

bool TspCompressedStoredSkin::LoadFromSkinFile(const std::string& fileName)
{
    if (!LoadCompressedSkinFromFile(fileName, *FCompressedStream))
        return false;
    FFileName = SkinFileNameOf(fileName);
    return true;
}

void RegisterStoredSkinClasses(TClassRegistry& classes)
{
    classes.Register<TspStoredSkin>("TspStoredSkin", "TComponent")
        .String("FileName", &TspStoredSkin::SetFileName)
        .Object("IniStrings", &TspStoredSkin::IniStrings)
        .Binary("Pictures", &TspStoredSkin::ReadPictures);
    classes.Register<TspCompressedStoredSkin>("TspCompressedStoredSkin", "TComponent")
        .String("FileName", &TspCompressedStoredSkin::SetFileName)
        .Binary("CompressedData", &TspCompressedStoredSkin::ReadCompressedData);
}
