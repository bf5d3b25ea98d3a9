#include "classlib/core/JpegCodec.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// jpeglib.h first: its configuration decides which messages jerror.h lists.
#include <jpeglib.h>
#include <jerror.h>

namespace {

// --- Error handling ------------------------------------------------------------
//
// Every function below that calls libjpeg sets the jump point itself and
// holds only plain data, so that the jump crosses nothing but libjpeg's C
// frames and the two hooks. Their C++ callers turn a `false` into EJPEG.

struct TErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info)
{
    auto* error = reinterpret_cast<TErrorManager*>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

bool IsDataWarning(int code)
{
    return code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE ||
           code == JWRN_ARITH_BAD_CODE || code == JWRN_MUST_RESYNC;
}

// Warnings (level -1) about missing or corrupt data become errors; other
// warnings are counted as libjpeg does, and trace messages are dropped.
void EmitMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    if (IsDataWarning(info->err->msg_code))
        ErrorExit(info);
    info->err->num_warnings++;
}

void InstallErrorManager(jpeg_common_struct* info, TErrorManager* error)
{
    info->err = jpeg_std_error(&error->Pub);
    error->Pub.error_exit = ErrorExit;
    error->Pub.emit_message = EmitMessage;
    error->Message[0] = '\0';
}

// --- Decoding ------------------------------------------------------------------

struct TDecoderState {
    jpeg_decompress_struct Info;
    TErrorManager Error;
};

// Owns a decoder; jpeg_destroy is safe on a zeroed or half-made object.
class TDecoder {
public:
    TDecoder() : State{} {}
    ~TDecoder() { jpeg_destroy_decompress(&State.Info); }
    TDecoder(const TDecoder&) = delete;
    TDecoder& operator=(const TDecoder&) = delete;

    TDecoderState State;
};

bool StartDecompress(TDecoderState* state, const uint8_t* data, unsigned long size)
{
    InstallErrorManager(reinterpret_cast<jpeg_common_struct*>(&state->Info), &state->Error);
    if (setjmp(state->Error.Jump))
        return false;
    jpeg_create_decompress(&state->Info);
    jpeg_mem_src(&state->Info, data, size);
    jpeg_read_header(&state->Info, TRUE);
    const JDIMENSION width = state->Info.image_width;
    const JDIMENSION height = state->Info.image_height;
    if (uint64_t{width} * height > MaxJpegPixels) {
        std::snprintf(state->Error.Message, JMSG_LENGTH_MAX, "JPEG image too large: %u x %u pixels",
                      static_cast<unsigned>(width), static_cast<unsigned>(height));
        return false;
    }
    state->Info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&state->Info);
    return true;
}

// Reads `count` rows into `rows` (`stride` bytes apart).
bool ReadRows(TDecoderState* state, uint8_t* rows, size_t stride, unsigned count)
{
    if (setjmp(state->Error.Jump))
        return false;
    for (unsigned done = 0; done < count;) {
        JSAMPROW row = rows + done * stride;
        const unsigned read = jpeg_read_scanlines(&state->Info, &row, 1);
        if (read == 0) {
            // Only a suspending data source returns no rows; the memory
            // source never does, but a stall must not loop.
            std::snprintf(state->Error.Message, JMSG_LENGTH_MAX, "Premature end of JPEG file");
            return false;
        }
        done += read;
    }
    return true;
}

bool FinishDecompress(TDecoderState* state)
{
    if (setjmp(state->Error.Jump))
        return false;
    jpeg_finish_decompress(&state->Info);
    return true;
}

// --- Encoding ------------------------------------------------------------------

struct TEncoderState {
    jpeg_compress_struct Info;
    TErrorManager Error;
    unsigned char* Buffer;  // malloc'ed by libjpeg's memory destination
    unsigned long BufferSize;
};

class TEncoder {
public:
    TEncoder() : State{} {}
    ~TEncoder()
    {
        jpeg_destroy_compress(&State.Info);
        std::free(State.Buffer);
    }
    TEncoder(const TEncoder&) = delete;
    TEncoder& operator=(const TEncoder&) = delete;

    TEncoderState State;
};

bool StartCompress(TEncoderState* state, int width, int height, int quality)
{
    InstallErrorManager(reinterpret_cast<jpeg_common_struct*>(&state->Info), &state->Error);
    if (setjmp(state->Error.Jump))
        return false;
    jpeg_create_compress(&state->Info);
    jpeg_mem_dest(&state->Info, &state->Buffer, &state->BufferSize);
    state->Info.image_width = static_cast<JDIMENSION>(width);
    state->Info.image_height = static_cast<JDIMENSION>(height);
    state->Info.input_components = 3;
    state->Info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&state->Info);
    jpeg_set_quality(&state->Info, quality, TRUE);
    jpeg_start_compress(&state->Info, TRUE);
    return true;
}

bool WriteRows(TEncoderState* state, const uint8_t* rows, size_t stride, unsigned count)
{
    if (setjmp(state->Error.Jump))
        return false;
    for (unsigned done = 0; done < count;) {
        JSAMPROW row = const_cast<uint8_t*>(rows + done * stride);
        done += jpeg_write_scanlines(&state->Info, &row, 1);
    }
    jpeg_finish_compress(&state->Info);
    return true;
}

}  // namespace

TDibImage DecodeJpeg(const uint8_t* data, size_t size)
{
    if (size > ULONG_MAX)
        throw EJPEG("JPEG data too large");
    TDecoder decoder;
    TDecoderState& state = decoder.State;
    if (!StartDecompress(&state, data, static_cast<unsigned long>(size)))
        throw EJPEG(state.Error.Message);

    TDibImage image;
    image.Width = static_cast<int>(state.Info.output_width);
    image.Height = static_cast<int>(state.Info.output_height);
    image.BitCount = 24;
    const size_t rowSize = image.RowSize();
    // Rows arrive in blocks; the buffer grows with them (geometrically, as
    // std::vector does), never ahead of the data.
    constexpr unsigned Block = 16;
    for (unsigned row = 0; row < state.Info.output_height;) {
        const unsigned count = std::min(Block, state.Info.output_height - row);
        image.Bits.resize((row + count) * rowSize);
        if (!ReadRows(&state, image.Bits.data() + row * rowSize, rowSize, count))
            throw EJPEG(state.Error.Message);
        row += count;
    }
    if (!FinishDecompress(&state))
        throw EJPEG(state.Error.Message);
    return image;
}

std::vector<uint8_t> EncodeJpeg(const TDibImage& image, int quality)
{
    if (image.BitCount != 24)
        throw EInvalidGraphic("JPEG encoding needs a 24-bit picture, not " +
                              std::to_string(image.BitCount) + "-bit");
    if (image.Width < 0 || image.Height < 0 ||
        image.Bits.size() != image.RowSize() * static_cast<size_t>(image.Height))
        throw EInvalidGraphic("JPEG encoding: the pixel buffer does not match the size");

    TEncoder encoder;
    TEncoderState& state = encoder.State;
    if (!StartCompress(&state, image.Width, image.Height, std::clamp(quality, 1, 100)) ||
        !WriteRows(&state, image.Bits.data(), image.RowSize(),
                   static_cast<unsigned>(image.Height)))
        throw EJPEG(state.Error.Message);
    return std::vector<uint8_t>(state.Buffer, state.Buffer + state.BufferSize);
}
