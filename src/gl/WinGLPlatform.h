// TWinGLPlatform: the rendering context's window system on Win32 - the
// run-time loader for the libraries, gdi32 for pixel formats, palettes and
// the buffer swap. The swap of an off-screen window's device context (a
// child render window presenting by copy, gl/GLCopyPresentation.h) copies
// the frame into the child instead.
#pragma once

#include "gl/GLCopyPresentation.h"
#include "gl/core/GLPlatform.h"

class TWinGLPlatform : public TGLPlatform {
public:
    bool LibrariesLoaded() const override;
    // InitOpenGL, then InitGLU.
    void LoadLibraries() override;
    void UnloadLibraries() override;
    std::vector<TPixelFormatDescriptor> DescribePixelFormats(GLHDC dc) override;
    bool SetPixelFormat(GLHDC dc, int formatNumber, const TPixelFormatDescriptor& pfd) override;
    GLHPALETTE CreatePalette(GLHDC dc, const std::vector<TPaletteEntry>& entries) override;
    void DeletePalette(GLHPALETTE palette) override;
    bool SwapBuffers(GLHDC dc) override;

private:
    TGLCopyPresenter FPresenter;
};
