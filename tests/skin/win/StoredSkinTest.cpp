#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "classlib/core/FormReader.h"
#include "classlib/core/JpegCodec.h"
#include "skin/StoredSkin.h"
#include "skin/core/ZlibStreams.h"
#include "SkinTestResources.h"

namespace {

TDibImage ResourcePicture(const char* name)
{
    const std::string bytes = ResourceText(name);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    return std::string(name).ends_with("_JPG") ? DecodeJpeg(data, bytes.size()) : ReadBmpFile(data, bytes.size());
}

void ExpectPicture(const TBitmap& bitmap, const char* resource)
{
    SCOPED_TRACE(resource);
    const TDibImage expected = ResourcePicture(resource);
    const TDibImage actual = bitmap.Dib();
    EXPECT_EQ(actual.Width, expected.Width);
    EXPECT_EQ(actual.Height, expected.Height);
    EXPECT_EQ(actual.BitCount, expected.BitCount);
    EXPECT_EQ(actual.Palette, expected.Palette);
    EXPECT_EQ(actual.Bits, expected.Bits);
}

const TClassRegistry& Registry()
{
    static TClassRegistry registry;
    static const bool filled = (RegisterCoreClasses(registry), RegisterStoredSkinClasses(registry), true);
    (void)filled;
    return registry;
}

// A form description holding the two committed blocks.
std::unique_ptr<TComponent> ReadForm()
{
    const std::string text = "object Form: TComponent\n" + ResourceText("STOREDSKIN_TXT") +
                             ResourceText("COMPRESSEDSTOREDSKIN_TXT") + "end\n";
    return std::unique_ptr<TComponent>(TFormReader(Registry()).Create(text, nullptr));
}

// The lines of a text resource equal `strings`.
bool SameLines(const TStrings& strings, const char* resource)
{
    TStringList lines;
    lines.SetText(ResourceText(resource));
    return strings.Equals(lines);
}

}  // namespace

// The packer's block, read by the form reader, gives back the skin folder:
// its INI lines and every picture pixel for pixel (the JPEG as decoded).
TEST(StoredSkin, PackedBlocksReadBackThroughTheFormReader)
{
    const auto form = ReadForm();
    auto* stored = dynamic_cast<TspStoredSkin*>(form->FindComponent("StoredSkin"));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->FileName(), "Skin.ini");
    EXPECT_TRUE(SameLines(*stored->IniStrings(), "SKIN_INI"));
    ExpectPicture(*stored->Picture(), "PICTURE_BMP");
    ExpectPicture(*stored->Mask(), "MASK_BMP");
    ExpectPicture(*stored->RollupPicture(), "ROLLUP_BMP");
    EXPECT_TRUE(stored->RollupMask()->Empty());
    ASSERT_EQ(stored->ActivePictures().size(), 2u);
    ExpectPicture(*stored->ActivePictures()[0], "ACTIVE0_BMP");
    ExpectPicture(*stored->ActivePictures()[1], "ACTIVE1_JPG");

    // The component writes what it read.
    TMemoryStream written;
    stored->WritePictures(written);
    written.SetPosition(0);
    TspStoredSkin copy(nullptr);
    copy.ReadPictures(written);
    EXPECT_EQ(written.Position(), written.Size());
    ExpectPicture(*copy.ActivePictures()[0], "ACTIVE0_BMP");

    auto* compressed = dynamic_cast<TspCompressedStoredSkin*>(form->FindComponent("CompressedStoredSkin"));
    ASSERT_NE(compressed, nullptr);
    EXPECT_EQ(compressed->FileName(), "BmpSkin.ini");
    EXPECT_FALSE(compressed->IsEmpty());
    TMemoryStream payload;
    compressed->DecompressToStream(payload);
    payload.SetPosition(0);
    TspSkinPictures pictures;
    TStringList ini;
    ASSERT_TRUE(ReadCompressedSkinPayload(payload, pictures, ini));
    EXPECT_TRUE(SameLines(ini, "BMPSKIN_INI"));
    EXPECT_EQ(pictures.Picture.Bits, ResourcePicture("PICTURE_BMP").Bits);
    EXPECT_EQ(pictures.RollupMask.Bits, ResourcePicture("ROLLUP_BMP").Bits);
    EXPECT_EQ(pictures.RollupPicture.Width, 0);
}

TEST(StoredSkin, EmptyAndBrokenBlobs)
{
    TspStoredSkin empty(nullptr);
    TMemoryStream blob;
    empty.WritePictures(blob);
    EXPECT_EQ(blob.Size(), 8);

    TspCompressedStoredSkin none(nullptr);
    EXPECT_TRUE(none.IsEmpty());
    TMemoryStream out;
    none.DecompressToStream(out);
    EXPECT_EQ(out.Size(), 0);

    // A blob cut inside a picture is a form error naming the property; the
    // pictures stay as they were.
    const std::string text = "object Form: TComponent\n object S: TspStoredSkin\n  Pictures = {00424D}\n end\nend\n";
    try {
        std::unique_ptr<TComponent>(TFormReader(Registry()).Create(text, nullptr));
        ADD_FAILURE() << "a cut blob was read";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message.find("Pictures"), std::string::npos) << e.Message;
        EXPECT_NE(e.Message.find("Stream read error"), std::string::npos) << e.Message;
    }
}
