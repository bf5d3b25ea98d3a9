// Fuzz target: the stored-skin blobs. An even first byte gives the rest to
// the "Pictures" reader; an odd one inflates the rest and reads it as the
// compressed payload. Only the stream read error, an invalid picture and
// the zlib stream error may escape.
#include <cstddef>
#include <cstdint>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/Streams.h"
#include "classlib/core/StringList.h"
#include "skin/core/StoredSkinFormat.h"
#include "skin/core/ZlibStreams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    TMemoryStream input;
    input.WriteBuffer(data + 1, static_cast<int64_t>(size - 1));
    input.SetPosition(0);
    try {
        if ((data[0] & 1) == 0) {
            ReadSkinPictures(input);
        } else {
            TMemoryStream payload;
            DecompressStream(payload, input);
            payload.SetPosition(0);
            TspSkinPictures pictures;
            TStringList ini;
            ReadCompressedSkinPayload(payload, pictures, ini);
        }
    } catch (const EReadError&) {
    } catch (const EInvalidGraphic&) {
    } catch (const EZDecompressionError&) {
    }
    return 0;
}
