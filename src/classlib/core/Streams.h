// Byte streams: the abstract TStream, the in-memory TMemoryStream and the
// file-backed TFileStream.
//
// Positions and sizes are 64-bit byte counts. Read and Write transfer as
// much as they can and return the count; ReadBuffer and WriteBuffer insist
// on the whole count and raise EReadError "Stream read error" or EWriteError
// "Stream write error" otherwise. A negative count transfers nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/Exceptions.h"

// Seek origins.
enum : int { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream : public TObject {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    std::string ClassName() const override { return "TStream"; }

    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Returns the new position, or -1 when the stream cannot move there.
    virtual int64_t Seek(int64_t offset, int origin) = 0;

    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);

    int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(int64_t position) { Seek(position, soFromBeginning); }
    virtual int64_t Size();
    // The base stream cannot change its size and ignores the call.
    virtual void SetSize(int64_t size);

    // Copies count bytes from source's current position to this stream and
    // returns count; count 0 copies the whole of source from its start.
    // A short read raises EReadError, a short write EWriteError.
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over a growable block of memory. Writing past the end grows it;
// a gap left by seeking past the end before writing reads back as zeros.
// Seeking is never refused (relative seeks stop at the ends of the int64
// range): from a position outside 0..Size() reads return 0 bytes, and writes
// too when the position is negative or the end of the write lies beyond what
// memory can hold.
class TMemoryStream : public TStream {
public:
    std::string ClassName() const override { return "TMemoryStream"; }

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, int origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    // Bytes added by growing are zero; the position moves back to the new
    // end when it lay beyond it. A size memory cannot hold raises
    // EStreamError "Out of memory while expanding memory stream".
    void SetSize(int64_t size) override;

    // The stream's bytes (Size() of them); invalidated by any size change.
    void* Memory() { return FData.data(); }
    const void* Memory() const { return FData.data(); }
    void Clear();

    // Replace the content by the whole of stream (read from its start);
    // Position is kept (clamped to the new size).
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    // Write the whole content, whatever Position is.
    void SaveToStream(TStream& stream);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

// File open modes: one access mode OR-ed with one share mode, or fmCreate
// alone (create or truncate, read and write, no sharing).
enum : unsigned {
    fmCreate = 0xFFFF,
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
};

// A stream over an open file, which it owns and closes. Failing to open
// raises EFOpenError "Cannot open file "<name>""; failing to create raises
// EFCreateError "Cannot create file "<name>"". Share modes are honoured on
// Windows (fmShareCompat shares nothing, as fmShareExclusive) and ignored
// elsewhere. SetSize failures raise EWriteError.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;

    std::string ClassName() const override { return "TFileStream"; }

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, int origin) override;
    // Position is kept (clamped to the new size).
    void SetSize(int64_t size) override;

    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
#ifdef _WIN32
    void* FHandle;  // HANDLE
#else
    int FHandle;
#endif
};
