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
// channel where the colour bits allow; no alpha or accumulation bits).
TPixelFormatDescriptor MakeTestDescriptor(uint32_t flags, int colorBits, int depthBits, int stencilBits = 0);

class TGLStubPlatform : public TGLPlatform {
public:
    std::vector<TPixelFormatDescriptor> Formats;
    bool Loaded = false;
    bool SetPixelFormatResult = true;
    bool CreatePaletteResult = true;

    int LoadCount = 0;
    int SetFormatNumber = 0;
    int DeletePaletteCount = 0;
    int SwapCount = 0;

    bool LibrariesLoaded() const override { return Loaded; }
    void LoadLibraries() override
    {
        ++LoadCount;
        Loaded = true;
    }
    void UnloadLibraries() override { Loaded = false; }
    std::vector<TPixelFormatDescriptor> DescribePixelFormats(GLHDC) override { return Formats; }
    bool SetPixelFormat(GLHDC, int formatNumber, const TPixelFormatDescriptor&) override
    {
        SetFormatNumber = formatNumber;
        return SetPixelFormatResult;
    }
    GLHPALETTE CreatePalette(GLHDC, const std::vector<TPaletteEntry>&) override
    {
        return CreatePaletteResult ? reinterpret_cast<GLHPALETTE>(static_cast<uintptr_t>(0x2000)) : nullptr;
    }
    void DeletePalette(GLHPALETTE) override { ++DeletePaletteCount; }
    bool SwapBuffers(GLHDC) override
    {
        ++SwapCount;
        return true;
    }
};

// A device context for the stub (it never looks at one).
inline GLHDC StubDC() { return reinterpret_cast<GLHDC>(static_cast<uintptr_t>(0x3000)); }

// An active context on a stub platform that offers one accelerated,
// double-buffered window format; the GL is whatever the binding holds (a
// recorder in tests).
std::unique_ptr<TCustomOpenGL> NewStubContext();
