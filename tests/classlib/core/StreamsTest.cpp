#include "classlib/core/Streams.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

#include "TempFile.h"

namespace {

std::string Bytes(TMemoryStream& stream) {
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

std::string Pattern(size_t size) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return s;
}

// A stream that accepts at most Room bytes in all.
class TFullStream : public TMemoryStream {
public:
    int64_t Write(const void* buffer, int64_t count) override {
        return TMemoryStream::Write(buffer, std::min<int64_t>(count, Room - Size()));
    }
    int64_t Room = 4;
};

}  // namespace

TEST(TMemoryStream, WriteReadRoundTripAndPositions) {
    TMemoryStream stream;
    stream.WriteBuffer("hello", 5);
    stream.WriteBuffer(" world", 6);
    EXPECT_EQ(stream.Size(), 11);
    EXPECT_EQ(stream.Position(), 11);
    EXPECT_EQ(Bytes(stream), "hello world");

    char buffer[16] = {};
    stream.SetPosition(6);
    EXPECT_EQ(stream.Read(buffer, 16), 5);  // only what is left
    EXPECT_STREQ(buffer, "world");
    EXPECT_EQ(stream.Read(buffer, 16), 0);
    EXPECT_EQ(stream.Seek(-5, soFromEnd), 6);
    EXPECT_EQ(stream.Seek(-2, soFromCurrent), 4);
    stream.WriteBuffer("O", 1);
    EXPECT_EQ(Bytes(stream), "hellO world");
}

TEST(TMemoryStream, GrowsWithZerosAndShrinksWithClampedPosition) {
    TMemoryStream stream;
    stream.SetPosition(3);
    stream.WriteBuffer("x", 1);

    stream.SetSize(6);
    EXPECT_EQ(Bytes(stream), std::string("\0\0\0x\0\0", 6));
    EXPECT_EQ(stream.Position(), 4);
    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);
    EXPECT_EQ(stream.Size(), 2);

    // Outside the data nothing is transferred, and nothing breaks.
    char c = 0;
    stream.SetPosition(10);
    EXPECT_EQ(stream.Read(&c, 1), 0);
    stream.SetPosition(-3);
    EXPECT_EQ(stream.Read(&c, 1), 0);
    EXPECT_EQ(stream.Write(&c, 1), 0);
    EXPECT_EQ(stream.Size(), 2);

    stream.Clear();
    EXPECT_EQ(stream.Size() + stream.Position(), 0);
}

TEST(TStream, ShortTransfersRaise) {
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);
    stream.SetPosition(1);
    char buffer[4];
    try {
        stream.ReadBuffer(buffer, 3);
        FAIL() << "no EReadError";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message, "Stream read error");
    }
    stream.SetPosition(0);
    EXPECT_NO_THROW(stream.ReadBuffer(buffer, 3));
    EXPECT_NO_THROW(stream.ReadBuffer(buffer, 0));

    TFullStream full;
    EXPECT_NO_THROW(full.WriteBuffer("abc", 3));
    try {
        full.WriteBuffer("de", 2);
        FAIL() << "no EWriteError";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message, "Stream write error");
    }
}

TEST(TStream, CopyFrom) {
    std::string data = Pattern(200000);  // several copy buffers
    TMemoryStream source;
    source.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));

    // Count 0: the whole source from its start, wherever it stood.
    TMemoryStream whole;
    whole.WriteBuffer("<", 1);
    EXPECT_EQ(whole.CopyFrom(source, 0), 200000);
    EXPECT_EQ(Bytes(whole), "<" + data);
    EXPECT_EQ(source.Position(), 200000);

    // A count: from the source's current position.
    TMemoryStream part;
    source.SetPosition(100);
    EXPECT_EQ(part.CopyFrom(source, 70000), 70000);
    EXPECT_EQ(Bytes(part), data.substr(100, 70000));

    // More than the source holds.
    source.SetPosition(199990);
    TMemoryStream tooMuch;
    EXPECT_THROW(tooMuch.CopyFrom(source, 20), EReadError);

    TMemoryStream empty, target;
    EXPECT_EQ(target.CopyFrom(empty, 0), 0);
    EXPECT_EQ(target.Size(), 0);
}

TEST(TFileStream, CreateWriteReopenReadSeekAndSetSize) {
    TempFile file("create.bin");
    std::string data = Pattern(5000);
    {
        TFileStream stream(file.Path(), fmCreate);
        stream.WriteBuffer(data.data(), 5000);
        EXPECT_EQ(stream.FileName(), file.Path());
    }
    {
        TFileStream stream(file.Path(), fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(stream.Size(), 5000);
        EXPECT_EQ(stream.Position(), 0);
        std::string back(5000, '\0');
        stream.ReadBuffer(back.data(), 5000);
        EXPECT_EQ(back, data);
        char c;
        EXPECT_EQ(stream.Read(&c, 1), 0);
        EXPECT_THROW(stream.ReadBuffer(&c, 1), EReadError);
    }
    {
        // fmCreate truncates an existing file.
        TFileStream stream(file.Path(), fmCreate);
        EXPECT_EQ(stream.Size(), 0);
        stream.WriteBuffer("0123456789", 10);
    }
    TFileStream stream(file.Path(), fmOpenReadWrite | fmShareExclusive);
    EXPECT_EQ(stream.Seek(4, soFromBeginning), 4);
    stream.WriteBuffer("ab", 2);
    EXPECT_EQ(stream.Seek(-1, soFromEnd), 9);
    stream.SetSize(5);
    EXPECT_EQ(stream.Size(), 5);
    EXPECT_EQ(stream.Position(), 5);
    stream.SetPosition(0);
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 8), 5);
    EXPECT_STREQ(buffer, "0123a");
}

TEST(TFileStream, OpenFailuresNameTheFile) {
    TempFile missing("missing.txt");
    try {
        TFileStream stream(missing.Path(), fmOpenRead);
        FAIL() << "no EFOpenError";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message, "Cannot open file \"" + missing.Path() + "\"");
    }
    EXPECT_THROW(TFileStream(missing.Path(), fmOpenReadWrite), EFOpenError);
    EXPECT_FALSE(std::filesystem::exists(missing.Path()));

    std::string inMissingFolder = missing.Path() + "-folder/x.txt";
    try {
        TFileStream stream(inMissingFolder, fmCreate);
        FAIL() << "no EFCreateError";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message, "Cannot create file \"" + inMissingFolder + "\"");
    }

    // An access mode that does not exist.
    TempFile existing("existing.txt");
    TFileStream(existing.Path(), fmCreate);
    EXPECT_THROW(TFileStream(existing.Path(), 3), EFOpenError);
    EXPECT_THROW(TFileStream(existing.Path(), fmOpenRead | 0x50), EFOpenError);
}

#ifdef _WIN32
TEST(TFileStream, ShareModesAreHonoured) {
    TempFile file("share.txt");
    TFileStream(file.Path(), fmCreate);
    {
        TFileStream reader(file.Path(), fmOpenRead | fmShareDenyWrite);
        EXPECT_NO_THROW(TFileStream(file.Path(), fmOpenRead | fmShareDenyNone));
        EXPECT_THROW(TFileStream(file.Path(), fmOpenWrite | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream only(file.Path(), fmOpenRead | fmShareExclusive);
        EXPECT_THROW(TFileStream(file.Path(), fmOpenRead | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream writer(file.Path(), fmOpenWrite | fmShareDenyNone);
        EXPECT_NO_THROW(TFileStream(file.Path(), fmOpenReadWrite | fmShareDenyNone));
    }
}
#endif

TEST(TMemoryStream, FileRoundTrip) {
    TempFile file("memory.bin");
    std::string data = Pattern(70000);
    TMemoryStream out;
    out.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    out.SetPosition(123);  // saving ignores the position
    out.SaveToFile(file.Path());

    TMemoryStream in;
    in.WriteBuffer("old content", 11);
    in.LoadFromFile(file.Path());
    EXPECT_EQ(Bytes(in), data);

    TMemoryStream copy;
    in.SetPosition(500);
    copy.LoadFromStream(in);
    EXPECT_EQ(Bytes(copy), data);
    EXPECT_EQ(copy.Position(), 0);

    EXPECT_THROW(in.LoadFromFile(file.Path() + ".none"), EFOpenError);
}
