#include "classlib/core/Streams.h"

#include <gtest/gtest.h>

#include <limits>

#include "../../support/ExceptionMessage.h"
#include "../../support/TempFolder.h"

namespace {

using testsupport::MessageOf;

std::string Bytes(TMemoryStream& stream) {
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

std::string Pattern(size_t size) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return s;
}

// A stream that accepts at most 4 bytes in all.
class TFullStream : public TMemoryStream {
public:
    int64_t Write(const void* buffer, int64_t count) override {
        return TMemoryStream::Write(buffer, std::min<int64_t>(count, 4 - Size()));
    }
};

}  // namespace

TEST(TMemoryStream, PositionsOutsideTheDataTransferNothingAndShortTransfersRaise) {
    TMemoryStream stream;
    stream.SetPosition(3);
    stream.WriteBuffer("x", 1);
    stream.SetSize(6);
    EXPECT_EQ(Bytes(stream), std::string("\0\0\0x\0\0", 6));  // grows with zeros
    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);  // clamped
    char c = 0;
    stream.SetPosition(-3);  // outside the data nothing is transferred
    EXPECT_EQ(stream.Read(&c, 1) + stream.Write(&c, 1), 0);
    // Extreme positions neither wrap nor allocate.
    constexpr int64_t Max = std::numeric_limits<int64_t>::max();
    stream.SetPosition(Max);
    EXPECT_EQ(stream.Seek(Max, soFromCurrent), Max);
    EXPECT_EQ(stream.Read(&c, 1) + stream.Write(&c, 1), 0);
    EXPECT_EQ(stream.Seek(-Max, soFromEnd), -Max + 2);
    EXPECT_EQ(stream.Seek(-Max, soFromCurrent), std::numeric_limits<int64_t>::min());
    stream.SetPosition(Max - 1);
    EXPECT_THROW(stream.WriteBuffer("ab", 2), EWriteError);
    EXPECT_EQ(stream.Size(), 2);

    stream.SetPosition(1);
    char buffer[4];
    EXPECT_EQ(MessageOf<EReadError>([&] { stream.ReadBuffer(buffer, 3); }), "Stream read error");
    TFullStream full;
    full.WriteBuffer("abc", 3);
    EXPECT_EQ(MessageOf<EWriteError>([&] { full.WriteBuffer("de", 2); }), "Stream write error");
}

TEST(TFileStream, WriteReopenSeekTruncateAndRoundTripThroughMemory) {
    const testsupport::TTempFolder dir;
    const std::string file = dir.Path() + "create.bin";
    {
        TFileStream stream(file, fmCreate);
        stream.WriteBuffer("0123456789", 10);
    }
    {
        TFileStream stream(file, fmOpenReadWrite | fmShareExclusive);
        EXPECT_EQ(stream.Seek(4, soFromBeginning), 4);
        stream.WriteBuffer("ab", 2);
        stream.SetSize(5);
        EXPECT_EQ(stream.Position(), 5);
        stream.SetPosition(0);
        char buffer[8] = {};
        EXPECT_EQ(stream.Read(buffer, 8), 5);
        EXPECT_STREQ(buffer, "0123a");
    }
    const std::string data = Pattern(70000);
    TMemoryStream out;
    out.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    out.SetPosition(123);  // saving ignores the position
    out.SaveToFile(file);  // truncates the existing file
    TMemoryStream in;
    in.WriteBuffer("old content", 11);
    in.LoadFromFile(file);
    EXPECT_EQ(Bytes(in), data);
}

TEST(TFileStream, OpenFailuresNameTheFile) {
    const testsupport::TTempFolder dir;
    const std::string missing = dir.Path() + "missing.txt";
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream(missing, fmOpenRead); }),
              "Cannot open file \"" + missing + "\"");
    const std::string inMissingFolder = dir.Path() + "no folder/x.txt";
    EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream(inMissingFolder, fmCreate); }),
              "Cannot create file \"" + inMissingFolder + "\"");
    const std::string existing = dir.Path() + "existing.txt";
    TFileStream(existing, fmCreate);
    EXPECT_THROW(TFileStream(existing, 3), EFOpenError);  // an access mode that does not exist
}

#ifdef _WIN32
TEST(TFileStream, ShareModesAreHonoured) {
    const testsupport::TTempFolder dir;
    const std::string file = dir.Path() + "share.txt";
    TFileStream(file, fmCreate);
    TFileStream reader(file, fmOpenRead | fmShareDenyWrite);
    EXPECT_NO_THROW(TFileStream(file, fmOpenRead | fmShareDenyNone));
    EXPECT_THROW(TFileStream(file, fmOpenWrite | fmShareDenyNone), EFOpenError);
}
#endif
