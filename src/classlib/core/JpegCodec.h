// JPEG pictures in memory, through libjpeg-turbo, without any platform API.
//
// libjpeg reports a fatal error by calling its error_exit hook, which must
// not return. The codec never lets that hook unwind C++ frames: each call
// into libjpeg is made from a small C-style function that sets a jump point
// and holds no C++ object with a destructor; the hook jumps back there, the
// function returns failure, and its C++ caller raises EJPEG with the
// library's own message. Warnings that mean the data ran out or is corrupt
// ("Premature end of JPEG file", "Corrupt JPEG data: premature end of data
// segment", a bad Huffman or arithmetic code, a lost restart marker) are
// errors too, so a truncated or damaged file never yields a half-grey picture.
// Nothing is ever printed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/BmpCodec.h"

// A JPEG picture libjpeg rejected; the message is the library's.
class EJPEG : public EInvalidGraphic {
public:
    explicit EJPEG(std::string message) : EInvalidGraphic(std::move(message)) {}
};

constexpr int DefaultJpegQuality = 90;

// The most pixels a picture may declare (8192 x 8192): the decoder's own
// buffers and the picture follow the declared size, not the file's.
constexpr uint64_t MaxJpegPixels = uint64_t{1} << 26;

// Decodes a JPEG file in memory into a 24-bit picture (blue, green, red bytes
// per pixel, as a DIB holds them; TopDown false). Grey pictures come out as
// grey RGB. Raises EJPEG with "JPEG image too large: <width> x <height>
// pixels" before decoding a picture that declares more than MaxJpegPixels,
// and with the library's message for damaged data, a file that ends before
// its picture does among them. The bound is what keeps a small file from
// asking for the memory of the size it claims: an arithmetic-coded scan may
// legally stop early and be completed with zeros (encoders drop its trailing
// zero bytes), and a progressive one is buffered whole before its first row.
TDibImage DecodeJpeg(const uint8_t* data, size_t size);

// Encodes a 24-bit picture as a baseline JPEG file at `quality` (clamped to
// 1..100). Raises EInvalidGraphic for a picture that is not 24-bit or whose
// Bits do not match its size, and EJPEG when libjpeg refuses it (an empty
// picture, a side longer than 65500).
std::vector<uint8_t> EncodeJpeg(const TDibImage& image, int quality = DefaultJpegQuality);
