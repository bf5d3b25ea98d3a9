// `TJPEGImage`: a JPEG picture, loaded from and saved to JPEG files, made from
// a TBitmap and decoded into one (see classlib/core/JpegCodec.h).
//
// The image holds the compressed file it was loaded from or last saved as,
// and the decoded 24-bit pixels. Loading decodes at once, so a corrupt or
// truncated file raises EJPEG (with libjpeg's message) from LoadFromFile or
// LoadFromStream and leaves the image as it was. LoadFromStream takes the
// stream from its position to its end.
//
// Saving writes the loaded file unchanged; after Assign from a bitmap, or
// after CompressionQuality changed, the pixels are encoded again at
// CompressionQuality (1..100, default 90) when saved.
//
// Decoding into a bitmap is the class library's usual Assign:
// `bitmap.Assign(&jpeg)` makes the bitmap a pf24bit copy of the picture
// (grey JPEGs become grey RGB). `jpeg.Assign(&bitmap)` takes the bitmap's
// pixels, converted to 24 bits when needed; an empty bitmap makes the image
// empty.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/Components.h"
#include "classlib/core/JpegCodec.h"
#include "classlib/core/Streams.h"

class TJPEGImage : public TPersistent {
public:
    std::string ClassName() const override { return "TJPEGImage"; }

    int Width() const { return FImage.Width; }
    int Height() const { return FImage.Height; }
    bool Empty() const { return FImage.Bits.empty(); }

    int CompressionQuality() const { return FCompressionQuality; }
    // Clamped to 1..100.
    void SetCompressionQuality(int quality);

    // Takes a TBitmap or another TJPEGImage; anything else as TPersistent.
    void Assign(TPersistent* source) override;
    // Gives a TBitmap the decoded picture; anything else as TPersistent.
    void AssignTo(TPersistent* dest) override;

    void LoadFromFile(const std::string& fileName);
    void LoadFromStream(TStream& stream);
    // Saving an empty image raises EInvalidGraphic.
    void SaveToFile(const std::string& fileName);
    void SaveToStream(TStream& stream);

private:
    // The compressed file; empty when it must be encoded from FImage.
    const std::vector<uint8_t>& Data();

    TDibImage FImage;
    std::vector<uint8_t> FData;
    int FCompressionQuality = DefaultJpegQuality;
};
