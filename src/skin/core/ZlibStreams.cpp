#include "skin/core/ZlibStreams.h"

#include <zlib.h>

#include <cstdint>
#include <string>

namespace {

constexpr int ChunkSize = 4096;

std::string ZlibMessage(const z_stream& stream, int code)
{
    return stream.msg != nullptr ? stream.msg : zError(code);
}

// Ends the zlib stream on every path out of a scope.
struct TDeflateEnd {
    z_stream& Stream;
    ~TDeflateEnd() { deflateEnd(&Stream); }
};
struct TInflateEnd {
    z_stream& Stream;
    ~TInflateEnd() { inflateEnd(&Stream); }
};

}  // namespace

void CompressStream(TStream& source, TStream& destination)
{
    z_stream stream{};
    int code = deflateInit(&stream, 9);
    if (code != Z_OK)
        throw EZCompressionError(ZlibMessage(stream, code));
    TDeflateEnd end{stream};
    source.SetPosition(0);
    uint8_t in[ChunkSize];
    uint8_t out[ChunkSize];
    int flush = Z_NO_FLUSH;
    do {
        const int64_t got = source.Read(in, ChunkSize);
        flush = got == 0 ? Z_FINISH : Z_NO_FLUSH;
        stream.next_in = in;
        stream.avail_in = static_cast<uInt>(got);
        do {
            stream.next_out = out;
            stream.avail_out = ChunkSize;
            code = deflate(&stream, flush);
            if (code == Z_STREAM_ERROR)
                throw EZCompressionError(ZlibMessage(stream, code));
            destination.WriteBuffer(out, ChunkSize - stream.avail_out);
        } while (stream.avail_out == 0);
    } while (flush != Z_FINISH);
}

void DecompressStream(TStream& destination, TStream& source, int64_t maxSize)
{
    int64_t written = 0;
    z_stream stream{};
    int code = inflateInit(&stream);
    if (code != Z_OK)
        throw EZDecompressionError(ZlibMessage(stream, code));
    TInflateEnd end{stream};
    source.SetPosition(0);
    uint8_t in[ChunkSize];
    uint8_t out[ChunkSize];
    for (;;) {
        const int64_t got = source.Read(in, ChunkSize);
        if (got == 0)  // the input ended before the stream's end marker
            throw EZDecompressionError(zError(Z_BUF_ERROR));
        stream.next_in = in;
        stream.avail_in = static_cast<uInt>(got);
        do {
            stream.next_out = out;
            stream.avail_out = ChunkSize;
            code = inflate(&stream, Z_NO_FLUSH);
            if (code != Z_OK && code != Z_STREAM_END && code != Z_BUF_ERROR)
                throw EZDecompressionError(ZlibMessage(stream, code));
            const int64_t produced = ChunkSize - stream.avail_out;
            if (produced > maxSize - written)
                throw EZDecompressionError("the decompressed data exceeds " + std::to_string(maxSize) + " bytes");
            destination.WriteBuffer(out, produced);
            written += produced;
            if (code == Z_STREAM_END)
                return;
        } while (stream.avail_out == 0);
    }
}
