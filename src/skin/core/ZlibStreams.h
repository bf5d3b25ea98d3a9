// zlib-format compression of whole streams, as compressed stored skins use
// it: CompressStream deflates at level 9 (two-byte header, deflate data,
// Adler-32 trailer); DecompressStream inflates and checks the trailer.
//
// Failures raise EZCompressionError / EZDecompressionError with zlib's
// message. Data that ends before the zlib stream's end (no end marker or a
// cut trailer) is an error, never a silently shortened result. Bytes after
// the stream's end are ignored.
#pragma once

#include <cstdint>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Streams.h"

class EZCompressionError : public Exception {
public:
    explicit EZCompressionError(std::string message) : Exception(std::move(message)) {}
};

class EZDecompressionError : public Exception {
public:
    explicit EZDecompressionError(std::string message) : Exception(std::move(message)) {}
};

// Rewinds source to 0 and deflates all of it into destination (from its
// position).
void CompressStream(TStream& source, TStream& destination);

// The most a skin's compressed data may inflate to: far above any skin's
// pictures and description, far below what a few kilobytes of deflate data
// can ask for.
constexpr int64_t MaxDecompressedSize = int64_t{64} << 20;

// Rewinds source to 0 and inflates it, 4096 bytes at a time, into
// destination (from its position). Note the order: destination first. Data
// that inflates to more than maxSize bytes raises EZDecompressionError
// before more than maxSize bytes are written.
void DecompressStream(TStream& destination, TStream& source, int64_t maxSize = MaxDecompressedSize);
