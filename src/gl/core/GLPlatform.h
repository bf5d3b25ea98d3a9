// TGLPlatform: what the rendering context needs from the window system.
//
// The context (TCustomOpenGL) is platform-free; it reaches the libraries,
// the pixel formats, the palette and the buffer swap through this interface.
// TWinGLPlatform (gl/WinGLPlatform.h) implements it over the loader and
// gdi32; tests put a stand-in in its place (tests/support/GLStubPlatform.h).
#pragma once

#include <vector>

#include "gl/core/GLBinding.h"
#include "gl/core/PixelFormats.h"

struct HPALETTE__;
using GLHPALETTE = HPALETTE__*;

class TGLPlatform {
public:
    virtual ~TGLPlatform() = default;

    // The OpenGL and GLU libraries are loaded and bound.
    virtual bool LibrariesLoaded() const = 0;
    // Loads and binds both libraries; raises the loader's messages.
    virtual void LoadLibraries() = 0;
    virtual void UnloadLibraries() = 0;

    // Every pixel format of dc - of the screen when dc is null - in the
    // platform's order: element i describes format number i + 1.
    virtual std::vector<TPixelFormatDescriptor> DescribePixelFormats(GLHDC dc) = 0;
    virtual bool SetPixelFormat(GLHDC dc, int formatNumber, const TPixelFormatDescriptor& pfd) = 0;
    // Makes a logical palette of the entries, selects it into dc and
    // realises it; null when it cannot be made.
    virtual GLHPALETTE CreatePalette(GLHDC dc, const std::vector<TPaletteEntry>& entries) = 0;
    virtual void DeletePalette(GLHPALETTE palette) = 0;
    virtual bool SwapBuffers(GLHDC dc) = 0;
};
