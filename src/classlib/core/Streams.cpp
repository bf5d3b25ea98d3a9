#include "classlib/core/Streams.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "classlib/core/Exceptions.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

// --- TStream -----------------------------------------------------------------

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

int64_t TStream::Size() {
    int64_t position = Seek(0, soFromCurrent);
    int64_t size = Seek(0, soFromEnd);
    Seek(position, soFromBeginning);
    return size;
}

void TStream::SetSize(int64_t) {}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count <= 0)
        return 0;
    constexpr int64_t BufferSize = 64 * 1024;
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min(count, BufferSize)));
    for (int64_t left = count; left > 0;) {
        int64_t chunk = std::min(left, BufferSize);
        source.ReadBuffer(buffer.data(), chunk);
        WriteBuffer(buffer.data(), chunk);
        left -= chunk;
    }
    return count;
}

// --- TMemoryStream -----------------------------------------------------------

namespace {

// offset + delta, held at the ends of the int64 range instead of wrapping.
int64_t SaturatedSum(int64_t offset, int64_t delta) {
    int64_t sum = 0;
    if (!__builtin_add_overflow(offset, delta, &sum))
        return sum;
    return delta > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

}  // namespace

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    if (FPosition < 0 || count <= 0 || FPosition >= Size())
        return 0;
    count = std::min(count, Size() - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(count));
    FPosition += count;
    return count;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (FPosition < 0 || count <= 0)
        return 0;
    // A position or size past what memory can hold transfers nothing, so
    // WriteBuffer reports it as a write error.
    int64_t end = 0;
    if (__builtin_add_overflow(FPosition, count, &end) || static_cast<uint64_t>(end) > FData.max_size())
        return 0;
    if (end > Size()) {
        try {
            FData.resize(static_cast<size_t>(end));
        } catch (const std::bad_alloc&) {
            return 0;
        }
    }
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, int origin) {
    switch (origin) {
    case soFromBeginning: FPosition = offset; break;
    case soFromCurrent: FPosition = SaturatedSum(FPosition, offset); break;
    case soFromEnd: FPosition = SaturatedSum(Size(), offset); break;
    default: break;
    }
    return FPosition;
}

void TMemoryStream::SetSize(int64_t size) {
    const auto wanted = static_cast<uint64_t>(std::max<int64_t>(size, 0));
    try {
        if (wanted > FData.max_size())
            throw std::bad_alloc();
        FData.resize(static_cast<size_t>(wanted));
    } catch (const std::bad_alloc&) {
        throw EStreamError("Out of memory while expanding memory stream");
    }
    FPosition = std::min(FPosition, Size());
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    int64_t count = stream.Size();
    SetSize(count);
    stream.ReadBuffer(FData.data(), count);
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& stream) {
    stream.WriteBuffer(FData.data(), Size());
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// --- TFileStream -------------------------------------------------------------

namespace {

bool ValidOpenMode(unsigned mode) {
    return (mode & 0x0003) <= fmOpenReadWrite && (mode & 0x00F0) <= fmShareDenyNone &&
           (mode & ~0x00F3u) == 0;
}

}  // namespace

#ifdef _WIN32

TFileStream::TFileStream(const std::string& fileName, unsigned mode)
    : FFileName(fileName), FHandle(INVALID_HANDLE_VALUE) {
    if (mode == fmCreate) {
        FHandle = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (FHandle == INVALID_HANDLE_VALUE)
            throw EFCreateError("Cannot create file \"" + fileName + "\"");
        return;
    }
    if (ValidOpenMode(mode)) {
        static const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
        static const DWORD share[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE};
        FHandle = CreateFileA(fileName.c_str(), access[mode & 0x03], share[(mode & 0xF0) >> 4],
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (FHandle == INVALID_HANDLE_VALUE)
        throw EFOpenError("Cannot open file \"" + fileName + "\"");
}

TFileStream::~TFileStream() {
    CloseHandle(FHandle);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t total = 0;
    while (total < count) {
        DWORD chunk = static_cast<DWORD>(std::min<int64_t>(count - total, 0x40000000));
        DWORD done = 0;
        if (!ReadFile(FHandle, static_cast<uint8_t*>(buffer) + total, chunk, &done, nullptr))
            break;
        total += done;
        if (done < chunk)
            break;
    }
    return total;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t total = 0;
    while (total < count) {
        DWORD chunk = static_cast<DWORD>(std::min<int64_t>(count - total, 0x40000000));
        DWORD done = 0;
        if (!WriteFile(FHandle, static_cast<const uint8_t*>(buffer) + total, chunk, &done,
                       nullptr))
            break;
        total += done;
        if (done < chunk)
            break;
    }
    return total;
}

int64_t TFileStream::Seek(int64_t offset, int origin) {
    static const DWORD method[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    if (origin < soFromBeginning || origin > soFromEnd)
        return -1;
    LARGE_INTEGER distance;
    LARGE_INTEGER position;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(FHandle, distance, &position, method[origin]))
        return -1;
    return position.QuadPart;
}

void TFileStream::SetSize(int64_t size) {
    int64_t position = Position();
    if (Seek(size, soFromBeginning) != size || !SetEndOfFile(FHandle)) {
        SetPosition(position);
        throw EWriteError("Stream write error");
    }
    SetPosition(std::min(position, size));
}

#else

TFileStream::TFileStream(const std::string& fileName, unsigned mode)
    : FFileName(fileName), FHandle(-1) {
    if (mode == fmCreate) {
        FHandle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0)
            throw EFCreateError("Cannot create file \"" + fileName + "\"");
        return;
    }
    if (ValidOpenMode(mode)) {
        static const int access[] = {O_RDONLY, O_WRONLY, O_RDWR};
        FHandle = ::open(fileName.c_str(), access[mode & 0x03] | O_CLOEXEC);
    }
    if (FHandle < 0)
        throw EFOpenError("Cannot open file \"" + fileName + "\"");
}

TFileStream::~TFileStream() {
    ::close(FHandle);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t total = 0;
    while (total < count) {
        ssize_t done = ::read(FHandle, static_cast<uint8_t*>(buffer) + total,
                              static_cast<size_t>(std::min<int64_t>(count - total, 0x40000000)));
        if (done <= 0)
            break;
        total += done;
    }
    return total;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t total = 0;
    while (total < count) {
        ssize_t done = ::write(FHandle, static_cast<const uint8_t*>(buffer) + total,
                               static_cast<size_t>(std::min<int64_t>(count - total, 0x40000000)));
        if (done <= 0)
            break;
        total += done;
    }
    return total;
}

int64_t TFileStream::Seek(int64_t offset, int origin) {
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (origin < soFromBeginning || origin > soFromEnd)
        return -1;
    return ::lseek(FHandle, offset, whence[origin]);
}

void TFileStream::SetSize(int64_t size) {
    if (size < 0 || ::ftruncate(FHandle, size) != 0)
        throw EWriteError("Stream write error");
    int64_t position = Position();
    if (position > size)
        SetPosition(size);
}

#endif
