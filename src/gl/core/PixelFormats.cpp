#include "gl/core/PixelFormats.h"

#include <cstddef>

namespace {

bool Matches(int requested, int offered) { return requested == 0 || requested == offered; }

int Weigh(int requested, int offered, int weight)
{
    if (requested == 0)
        return 0;
    return offered <= requested ? weight * offered / requested : weight * requested / offered;
}

bool FlagsContained(const TGLPixelFormat& record, const TGLPixelFormat& request)
{
    return (request.Flags & ~record.Flags) == 0;
}

// One colour component of palette entry `index` (an index of at most 8 bits).
uint8_t Component(int index, int shift, int bits)
{
    if (bits <= 0 || bits > 8 || shift >= 8)
        return 0;
    const int mask = (1 << bits) - 1;
    return static_cast<uint8_t>(((index >> shift) & mask) * 255 / mask);
}

}  // namespace

bool IsWindowGLFormat(const TPixelFormatDescriptor& pfd)
{
    return (pfd.dwFlags & pfdDrawToWindow) && (pfd.dwFlags & pfdSupportOpenGL);
}

TGLPixelFormat MakePixelFormat(const TPixelFormatDescriptor& pfd, int formatNumber)
{
    TGLPixelFormat record;
    record.ColorBits = pfd.cColorBits;
    record.DepthBits = pfd.cDepthBits;
    record.StencilBits = pfd.cStencilBits;
    record.AlphaBits = pfd.cAlphaBits;
    record.AccumBits = pfd.cAccumBits;
    record.Flags = ((pfd.dwFlags & pfdDrawToWindow) ? pffDrawToWindow : 0) |
                   ((pfd.dwFlags & pfdSupportOpenGL) ? pffSupportOpenGL : 0);
    record.DoubleBuffer = (pfd.dwFlags & pfdDoubleBuffer) != 0;
    record.GDISupport = (pfd.dwFlags & pfdSupportGDI) != 0;
    record.FormatNumber = formatNumber;
    record.Descriptor = pfd;
    return record;
}

bool IsExactPixelFormat(const TGLPixelFormat& record, const TGLPixelFormat& request)
{
    return Matches(request.ColorBits, record.ColorBits) && Matches(request.DepthBits, record.DepthBits) &&
           Matches(request.StencilBits, record.StencilBits) && Matches(request.AlphaBits, record.AlphaBits) &&
           Matches(request.AccumBits, record.AccumBits) && FlagsContained(record, request) &&
           request.DoubleBuffer == record.DoubleBuffer && request.GDISupport == record.GDISupport;
}

int PixelFormatScore(const TGLPixelFormat& record, const TGLPixelFormat& request)
{
    const int kinds = int(FlagsContained(record, request)) + int(request.DoubleBuffer == record.DoubleBuffer) +
                      int(request.GDISupport == record.GDISupport);
    return Weigh(request.ColorBits, record.ColorBits, 4096) + 5120 * kinds +
           Weigh(request.DepthBits, record.DepthBits, 3072) + Weigh(request.StencilBits, record.StencilBits, 2048) +
           Weigh(request.AlphaBits, record.AlphaBits, 1024) + Weigh(request.AccumBits, record.AccumBits, 1);
}

int ChoosePixelFormatIndex(const std::vector<TGLPixelFormat>& list, const TGLPixelFormat& request)
{
    if (list.empty())
        return -1;
    int best = 0;
    int bestScore = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (IsExactPixelFormat(list[i], request))
            return static_cast<int>(i);
        const int score = PixelFormatScore(list[i], request);
        if (score > bestScore) {
            bestScore = score;
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::vector<TPaletteEntry> MakeFormatPalette(const TPixelFormatDescriptor& pfd)
{
    std::vector<TPaletteEntry> entries;
    if (pfd.cColorBits > 8)
        return entries;
    const int count = 1 << pfd.cColorBits;
    entries.reserve(count);
    for (int i = 0; i < count; ++i)
        entries.push_back({Component(i, pfd.cRedShift, pfd.cRedBits), Component(i, pfd.cGreenShift, pfd.cGreenBits),
                           Component(i, pfd.cBlueShift, pfd.cBlueBits), 0});
    return entries;
}
