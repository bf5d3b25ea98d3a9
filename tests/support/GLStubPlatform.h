// TGLStubPlatform: a stand-in window system for tests of the rendering
// context, with the GL itself served by a GLRecorder.
//
// It offers the pixel formats a test puts in Formats, answers SetPixelFormat
// and CreatePalette as told, and counts what the context asked of it.
// "Loading" the libraries only flips Loaded; the recorder's stubs are the
// bound entry points.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gl/core/GLPlatform.h"

class TCustomOpenGL;

// A descriptor with the given flags and bit counts (RGBA, 8 bits per
// channel where the colour bits allow).
TPixelFormatDescriptor MakeTestDescriptor(uint32_t flags, int colorBits, int depthBits, int stencilBits = 0,
                                          int alphaBits = 0, int accumBits = 0);

class TGLStubPlatform : public TGLPlatform {
public:
    std::vector<TPixelFormatDescriptor> Formats;
    bool Loaded = false;
    bool SetPixelFormatResult = true;
    bool CreatePaletteResult = true;

    int LoadCount = 0;
    int UnloadCount = 0;
    int DescribeCount = 0;
    GLHDC DescribedDC = nullptr;
    int SetFormatNumber = 0;
    std::vector<TPaletteEntry> PaletteEntries;
    int DeletePaletteCount = 0;
    int SwapCount = 0;

    bool LibrariesLoaded() const override { return Loaded; }
    void LoadLibraries() override;
    void UnloadLibraries() override;
    std::vector<TPixelFormatDescriptor> DescribePixelFormats(GLHDC dc) override;
    bool SetPixelFormat(GLHDC dc, int formatNumber, const TPixelFormatDescriptor& pfd) override;
    GLHPALETTE CreatePalette(GLHDC dc, const std::vector<TPaletteEntry>& entries) override;
    void DeletePalette(GLHPALETTE palette) override;
    bool SwapBuffers(GLHDC dc) override;
};

// A device context for the stub (it never looks at one).
inline GLHDC StubDC() { return reinterpret_cast<GLHDC>(static_cast<uintptr_t>(0x3000)); }

// An active context on a stub platform that offers one accelerated,
// double-buffered window format; the GL is whatever the binding holds (a
// recorder in tests).
std::unique_ptr<TCustomOpenGL> NewStubContext();
