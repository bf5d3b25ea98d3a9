#include "classlib/graphics/JPEGImage.h"

#include <algorithm>

#include "classlib/graphics/Bitmap.h"

void TJPEGImage::SetCompressionQuality(int quality)
{
    quality = std::clamp(quality, 1, 100);
    if (quality == FCompressionQuality)
        return;
    FCompressionQuality = quality;
    FData.clear();
}

void TJPEGImage::Assign(TPersistent* source)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        TDibImage image = bitmap->GetDib24();
        image.TopDown = false;
        FImage = std::move(image);
        FData.clear();
        return;
    }
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(source)) {
        if (jpeg != this) {
            FImage = jpeg->FImage;
            FData = jpeg->FData;
            FCompressionQuality = jpeg->FCompressionQuality;
        }
        return;
    }
    TPersistent::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent* dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        bitmap->SetDib(FImage);
        return;
    }
    TPersistent::AssignTo(dest);
}

void TJPEGImage::LoadFromFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TJPEGImage::LoadFromStream(TStream& stream)
{
    const int64_t available = std::max<int64_t>(stream.Size() - stream.Position(), 0);
    std::vector<uint8_t> data(static_cast<size_t>(available));
    stream.ReadBuffer(data.data(), available);
    TDibImage image = DecodeJpeg(data.data(), data.size());
    FImage = std::move(image);
    FData = std::move(data);
}

const std::vector<uint8_t>& TJPEGImage::Data()
{
    if (FData.empty()) {
        if (Empty())
            throw EInvalidGraphic("Cannot save an empty JPEG image");
        FData = EncodeJpeg(FImage, FCompressionQuality);
    }
    return FData;
}

void TJPEGImage::SaveToFile(const std::string& fileName)
{
    const std::vector<uint8_t>& data = Data();
    TFileStream stream(fileName, fmCreate);
    stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

void TJPEGImage::SaveToStream(TStream& stream)
{
    const std::vector<uint8_t>& data = Data();
    stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}
