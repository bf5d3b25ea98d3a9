#include "gl/WinGLPlatform.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <memory>

#include "gl/GLLoader.h"

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == sizeof(TPixelFormatDescriptor) &&
              offsetof(PIXELFORMATDESCRIPTOR, dwFlags) == offsetof(TPixelFormatDescriptor, dwFlags) &&
              offsetof(PIXELFORMATDESCRIPTOR, cColorBits) == offsetof(TPixelFormatDescriptor, cColorBits) &&
              offsetof(PIXELFORMATDESCRIPTOR, cDepthBits) == offsetof(TPixelFormatDescriptor, cDepthBits) &&
              offsetof(PIXELFORMATDESCRIPTOR, dwDamageMask) == offsetof(TPixelFormatDescriptor, dwDamageMask));
static_assert(sizeof(PALETTEENTRY) == sizeof(TPaletteEntry) &&
              offsetof(PALETTEENTRY, peBlue) == offsetof(TPaletteEntry, Blue));

bool TWinGLPlatform::LibrariesLoaded() const { return OpenGLLoaded() && GLULoaded(); }

void TWinGLPlatform::LoadLibraries()
{
    InitOpenGL();
    InitGLU();
}

void TWinGLPlatform::UnloadLibraries()
{
    CloseGLU();
    CloseOpenGL();
}

std::vector<TPixelFormatDescriptor> TWinGLPlatform::DescribePixelFormats(GLHDC dc)
{
    HDC device = dc ? dc : GetDC(nullptr);
    std::vector<TPixelFormatDescriptor> formats;
    PIXELFORMATDESCRIPTOR pfd{};
    const int count = DescribePixelFormat(device, 1, sizeof pfd, &pfd);
    for (int i = 1; i <= count; ++i) {
        TPixelFormatDescriptor format{};
        if (DescribePixelFormat(device, i, sizeof pfd, &pfd))
            std::memcpy(&format, &pfd, sizeof format);
        formats.push_back(format);
    }
    if (!dc)
        ReleaseDC(nullptr, device);
    return formats;
}

bool TWinGLPlatform::SetPixelFormat(GLHDC dc, int formatNumber, const TPixelFormatDescriptor& pfd)
{
    PIXELFORMATDESCRIPTOR descriptor;
    std::memcpy(&descriptor, &pfd, sizeof descriptor);
    return ::SetPixelFormat(dc, formatNumber, &descriptor) != FALSE;
}

GLHPALETTE TWinGLPlatform::CreatePalette(GLHDC dc, const std::vector<TPaletteEntry>& entries)
{
    if (entries.empty())
        return nullptr;
    const size_t size = sizeof(LOGPALETTE) + (entries.size() - 1) * sizeof(PALETTEENTRY);
    auto buffer = std::make_unique<std::byte[]>(size);
    auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.get());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(entries.size());
    std::memcpy(logical->palPalEntry, entries.data(), entries.size() * sizeof(PALETTEENTRY));
    HPALETTE palette = ::CreatePalette(logical);
    if (palette) {
        SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    return palette;
}

void TWinGLPlatform::DeletePalette(GLHPALETTE palette) { DeleteObject(palette); }

bool TWinGLPlatform::SwapBuffers(GLHDC dc)
{
    if (ChildWindowsPresentByCopy() && FPresenter.Present(dc))
        return true;
    return ::SwapBuffers(dc) != FALSE;
}
