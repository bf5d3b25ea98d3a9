// Pixel formats of a display and the choice of one for a rendering context.
//
// The platform describes each format it offers; a format that can draw to a
// window with OpenGL becomes a TGLPixelFormat record, and the context picks
// the record closest to its request by a weighted comparison. All of it is
// platform-free: the descriptor mirrors the platform's structure field for
// field, so records can be made from real or made-up descriptors alike.
#pragma once

#include <cstdint>
#include <vector>

// The platform's pixel-format descriptor (Win32 PIXELFORMATDESCRIPTOR),
// with the same fields in the same layout.
struct TPixelFormatDescriptor {
    uint16_t nSize;
    uint16_t nVersion;
    uint32_t dwFlags;
    uint8_t iPixelType;
    uint8_t cColorBits;
    uint8_t cRedBits;
    uint8_t cRedShift;
    uint8_t cGreenBits;
    uint8_t cGreenShift;
    uint8_t cBlueBits;
    uint8_t cBlueShift;
    uint8_t cAlphaBits;
    uint8_t cAlphaShift;
    uint8_t cAccumBits;
    uint8_t cAccumRedBits;
    uint8_t cAccumGreenBits;
    uint8_t cAccumBlueBits;
    uint8_t cAccumAlphaBits;
    uint8_t cDepthBits;
    uint8_t cStencilBits;
    uint8_t cAuxBuffers;
    uint8_t iLayerType;
    uint8_t bReserved;
    uint32_t dwLayerMask;
    uint32_t dwVisibleMask;
    uint32_t dwDamageMask;
};
static_assert(sizeof(TPixelFormatDescriptor) == 40);

// Descriptor flags (dwFlags), with the platform's values.
constexpr uint32_t pfdDoubleBuffer = 0x00000001;
constexpr uint32_t pfdDrawToWindow = 0x00000004;
constexpr uint32_t pfdSupportGDI = 0x00000010;
constexpr uint32_t pfdSupportOpenGL = 0x00000020;
constexpr uint32_t pfdGenericFormat = 0x00000040;
constexpr uint32_t pfdNeedPalette = 0x00000080;

// The capabilities a request can ask for; every listed format has both.
using TGLPixelFormatFlags = uint8_t;
constexpr TGLPixelFormatFlags pffDrawToWindow = 0x01;
constexpr TGLPixelFormatFlags pffSupportOpenGL = 0x02;

// One pixel format, or a request for one. A default-constructed record is
// the context's default request: 32 colour bits, 16 depth bits, no
// stencil, alpha or accumulation, drawing to a window, double-buffered,
// without GDI support.
struct TGLPixelFormat {
    int ColorBits = 32;
    int DepthBits = 16;
    int StencilBits = 0;
    int AlphaBits = 0;
    int AccumBits = 0;
    TGLPixelFormatFlags Flags = pffDrawToWindow;
    bool DoubleBuffer = true;
    bool GDISupport = false;
    // The platform's 1-based number of the format; 0 = none.
    int FormatNumber = 0;
    TPixelFormatDescriptor Descriptor{};
};

// A format the context can use: it draws to a window and supports OpenGL.
bool IsWindowGLFormat(const TPixelFormatDescriptor& pfd);
// Generic formats are the platform's software renderer.
inline bool IsGenericFormat(const TPixelFormatDescriptor& pfd) { return (pfd.dwFlags & pfdGenericFormat) != 0; }

TGLPixelFormat MakePixelFormat(const TPixelFormatDescriptor& pfd, int formatNumber);

// True when record satisfies request exactly: every bit count the request
// names (non-zero) is equal, the request's flags are among the record's,
// and double-buffering and GDI support are the same.
bool IsExactPixelFormat(const TGLPixelFormat& record, const TGLPixelFormat& request);

// How well record fits request:
//   w(colour, 4096) + 5120 * (flags contained + double-buffer equal + GDI equal)
//   + w(depth, 3072) + w(stencil, 2048) + w(alpha, 1024) + w(accumulation, 1),
// where w(r, h, weight) is 0 for a request r = 0, weight * h / r when the
// record's h <= r, and weight * r / h when h > r (integer division).
int PixelFormatScore(const TGLPixelFormat& record, const TGLPixelFormat& request);

// The index in list of the first exact record; else of the first record with
// the highest score above 0; else 0. -1 for an empty list.
int ChoosePixelFormatIndex(const std::vector<TGLPixelFormat>& list, const TGLPixelFormat& request);

// A logical palette entry (Win32 PALETTEENTRY layout).
struct TPaletteEntry {
    uint8_t Red;
    uint8_t Green;
    uint8_t Blue;
    uint8_t Flags;
};

// The palette of a colour-index format: 2^colour-bits entries (at most 256),
// entry i having red = ((i >> red shift) & red mask) * 255 / red mask with
// red mask = 2^red bits - 1, green and blue alike, flags 0. Empty for a
// format of more than 8 colour bits.
std::vector<TPaletteEntry> MakeFormatPalette(const TPixelFormatDescriptor& pfd);
