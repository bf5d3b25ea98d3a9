#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "skin/core/StoredSkinFormat.h"
#include "skin/core/ZlibStreams.h"
#include "../../support/ExceptionMessage.h"

namespace {

TDibImage Image(int width, int height, int bits, int paletteSize = 0)
{
    TDibImage image;
    image.Width = width;
    image.Height = height;
    image.BitCount = bits;
    image.Allocate();
    for (size_t i = 0; i < image.Bits.size(); ++i)
        image.Bits[i] = static_cast<uint8_t>(i * 37 + bits);
    if (paletteSize > 0) {
        image.Palette.resize(static_cast<size_t>(paletteSize));
        for (int i = 0; i < paletteSize; ++i)
            image.Palette[static_cast<size_t>(i)] = 0x010203u * static_cast<uint32_t>(i + 1);
        // Pixels must index the short table: keep the indexes below its size.
        for (auto& byte : image.Bits)
            byte = static_cast<uint8_t>(byte % paletteSize);
    }
    return image;
}

// The picture as a reader of the class library's BMP files sees it.
TDibImage AsRead(const TDibImage& image)
{
    const std::vector<uint8_t> file = WriteBmpFile(image);
    return ReadBmpFile(file.data(), file.size());
}

std::vector<uint8_t> Bytes(TMemoryStream& stream)
{
    const auto* data = static_cast<const uint8_t*>(stream.Memory());
    return {data, data + stream.Size()};
}

std::unique_ptr<TMemoryStream> StreamOf(const std::vector<uint8_t>& bytes)
{
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream->SetPosition(0);
    return stream;
}

}  // namespace

// Pictures of every kind the skins use travel whole, each BMP taking
// exactly its own bytes; every cut of the blob is an error, never a read
// outside it.
TEST(StoredSkinFormat, PicturesRoundTripAndEveryPrefixFails)
{
    TspSkinPictures pictures;
    pictures.Picture = AsRead(Image(5, 3, 8, 4));  // a table shorter than 256, padded by the reader
    pictures.Mask = Image(5, 3, 1, 2);
    pictures.RollupMask = Image(4, 4, 24);
    pictures.ActivePictures = {Image(7, 2, 24), Image(9, 1, 1, 2)};
    TMemoryStream blob;
    WriteSkinPictures(blob, pictures);
    const std::vector<uint8_t> bytes = Bytes(blob);
    blob.SetPosition(0);
    const TspSkinPictures back = ReadSkinPictures(blob);
    EXPECT_EQ(blob.Position(), blob.Size());
    EXPECT_EQ(WriteBmpFile(back.Picture), WriteBmpFile(pictures.Picture));  // size, depth, colours, pixels
    EXPECT_EQ(WriteBmpFile(back.Mask), WriteBmpFile(pictures.Mask));
    EXPECT_EQ(WriteBmpFile(back.RollupMask), WriteBmpFile(pictures.RollupMask));
    ASSERT_EQ(back.ActivePictures.size(), 2u);
    EXPECT_EQ(WriteBmpFile(back.ActivePictures[1]), WriteBmpFile(pictures.ActivePictures[1]));

    for (size_t length = 0; length < bytes.size(); ++length) {
        auto cut = StreamOf(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(length)));
        try {
            ReadSkinPictures(*cut);
            ADD_FAILURE() << "a blob cut to " << length << " bytes was read";
        } catch (const EReadError&) {
        } catch (const EInvalidGraphic&) {
        }
    }
}

TEST(StoredSkinFormat, CountsNeverReserve)
{
    auto negative = StreamOf({1, 1, 1, 1, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_TRUE(ReadSkinPictures(*negative).ActivePictures.empty());
    auto huge = StreamOf({1, 1, 1, 1, 0xFF, 0xFF, 0xFF, 0x7F});
    EXPECT_THROW(ReadSkinPictures(*huge), EReadError);

    // Headers that claim a large picture are not taken at their word: the
    // reader never asks for more than the data holds.
    struct TReadsRecorded : TMemoryStream {
        int64_t Largest = 0;
        int64_t Read(void* buffer, int64_t count) override
        {
            Largest = std::max(Largest, count);
            return TMemoryStream::Read(buffer, count);
        }
    } claims;
    std::vector<uint8_t> header = {0};
    const std::vector<uint8_t> small = WriteBmpFile(Image(1, 1, 24));
    header.insert(header.end(), small.begin(), small.begin() + 54);
    header[1 + 18] = header[1 + 22] = 0xD0;  // 2000 x 2000 pixels
    header[1 + 19] = header[1 + 23] = 0x07;
    claims.WriteBuffer(header.data(), static_cast<int64_t>(header.size()));
    claims.SetPosition(0);
    EXPECT_THROW(ReadSkinPictures(claims), EReadError);
    EXPECT_LE(claims.Largest, claims.Size());
}

// A payload of several chunks inflates to itself (reading a payload back is
// the packer's test); a cut or damaged stream is an error, and a payload of
// another version is refused.
TEST(StoredSkinFormat, CompressedPayload)
{
    TspSkinPictures pictures;
    pictures.Mask = Image(33, 40, 24);  // more than one 4096-byte chunk
    TStringList ini;
    TMemoryStream payload;
    WriteCompressedSkinPayload(payload, pictures, ini);
    TMemoryStream packed;
    CompressStream(payload, packed);
    EXPECT_LT(packed.Size(), payload.Size());
    TMemoryStream inflated;
    DecompressStream(inflated, packed);
    EXPECT_EQ(Bytes(inflated), Bytes(payload));
    // A bound on what the data may inflate to: reached exactly, it holds.
    for (const int64_t bound : {payload.Size(), payload.Size() - 1}) {
        TMemoryStream out;
        if (bound == payload.Size())
            EXPECT_NO_THROW(DecompressStream(out, packed, bound));
        else
            EXPECT_THROW(DecompressStream(out, packed, bound), EZDecompressionError);
        EXPECT_LE(out.Size(), bound);
    }

    // Data that stops before the end marker or the checksum, or that is
    // damaged, is an error rather than a shorter payload.
    const std::vector<uint8_t> zlib = Bytes(packed);
    for (size_t length : {size_t{0}, size_t{2}, zlib.size() / 2, zlib.size() - 4, zlib.size() - 1}) {
        auto cut = StreamOf(std::vector<uint8_t>(zlib.begin(), zlib.begin() + static_cast<long>(length)));
        TMemoryStream out;
        EXPECT_THROW(DecompressStream(out, *cut), EZDecompressionError) << length;
    }
    std::vector<uint8_t> damaged = zlib;
    damaged[damaged.size() - 2] ^= 0x55;
    auto bad = StreamOf(damaged);
    TMemoryStream out;
    EXPECT_THROW(DecompressStream(out, *bad), EZDecompressionError);

    auto version2 = StreamOf({2, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0});
    EXPECT_FALSE(ReadCompressedSkinPayload(*version2, pictures, ini));
}

// Without a bound of its own a load takes 64 MiB: a few kilobytes of zeros
// that inflate past it are refused.
TEST(StoredSkinFormat, TheDefaultBoundIs64MiB)
{
    constexpr int64_t Bound = int64_t{64} << 20;
    TMemoryStream zeros;
    zeros.SetSize(Bound + 1);
    TMemoryStream packed;
    CompressStream(zeros, packed);
    zeros.Clear();
    TMemoryStream out;
    EXPECT_EQ(testsupport::MessageOf<EZDecompressionError>([&] { DecompressStream(out, packed); }),
              "the decompressed data exceeds 67108864 bytes");
    EXPECT_LE(out.Size(), Bound);
}

TEST(StoredSkinFormat, JpegNamesAreLowerCase)
{
    // A ".jpg" is refused by the packer's test; these are the other spellings.
    EXPECT_TRUE(IsJPEGFileName("b.jpeg"));
    EXPECT_FALSE(IsJPEGFileName("A.JPG"));
}
