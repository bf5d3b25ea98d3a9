// TCustomOpenGL: one OpenGL rendering context on a window's device context.
//
// The context loads the OpenGL and GLU libraries when they are not loaded,
// lists the pixel formats of the display, chooses one by a weighted
// comparison with its request (gl/core/PixelFormats.h), creates and
// destroys the rendering context, owns the typed lists of GL objects and
// the screenshot, keeps the version and extension texts, switches common
// GL states and swaps buffers with the chosen swap interval.
//
// Pixel formats are split into the accelerated list and the generic
// (software) list; only formats that draw to a window with OpenGL are
// listed. The list in use is the generic one when GenericOnly is set or no
// accelerated format exists - unless there is no generic format, in which
// case the accelerated list serves anyway. Each list has its own chosen
// index, computed once (for the default request) and kept across DestroyRC.
//
// The window system is reached through a TGLPlatform (gl/core/GLPlatform.h),
// which the context owns: TWinGLPlatform in the program, a stand-in in tests.
// One thread: the context is created, used and destroyed on the GUI thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/StringList.h"
#include "gl/core/GLBinding.h"
#include "gl/core/GLContextLink.h"
#include "gl/core/GLLists.h"
#include "gl/core/GLPlatform.h"
#include "gl/core/GLScreenShot.h"
#include "gl/core/PixelFormats.h"

// Raised each time any context of the process is made current (CreateRC).
// State cached on the GL's behalf (the scene's render-state caches) is
// stale when the serial it was cached under differs: a different context,
// or the same window's context made again, starts from the GL defaults.
uint32_t CurrentContextSerial();

class TCustomOpenGL : public TObject {
public:
    explicit TCustomOpenGL(std::unique_ptr<TGLPlatform> platform);
    // Clears every TGLContextLink to it, destroys the context, frees the
    // lists (unlinking the items, which their owners free) and the
    // screenshot, and unloads the libraries when this context loaded them.
    ~TCustomOpenGL() override;
    TCustomOpenGL(const TCustomOpenGL&) = delete;
    TCustomOpenGL& operator=(const TCustomOpenGL&) = delete;

    std::string ClassName() const override { return "TCustomOpenGL"; }

    // Wait for the vertical retrace when swapping.
    bool VSync = true;

    // Makes the context on dc and makes it current: loads the libraries
    // when they are not loaded, lists the pixel formats when they are not
    // listed, chooses the indices still unchosen, sets the pixel format
    // (with a palette when the format needs one), creates the context, binds
    // the extension entry points, runs every list's InitContext (lights,
    // materials, display lists, primitives, textures, viewports), reads the
    // version and the extensions and builds the display lists. Failures
    // raise Exception "Create RC failed: FormatIndex is not selected!",
    // "... Pixel Format is not choosed!", "... pixel format is not set!",
    // "... Palette is not created!" or "... Context is not created!" and
    // leave the context inactive. An active context is destroyed first.
    void CreateRC(GLHDC dc);
    // Only while active: deletes the display lists, releases every texture
    // and drops every primitive's display list, releases and deletes the
    // context (through whatever of wglMakeCurrent / wglDeleteContext is
    // still bound: at exit the libraries may be gone) and the palette, and
    // empties both pixel-format lists.
    void DestroyRC();
    // While active: glFlush, the swap interval (1 with VSync, else 0) set
    // when it differs - only when wglGetSwapIntervalEXT and
    // wglSwapIntervalEXT are both bound - then the platform's swap; the
    // frame parity flips.
    void SwapBuffers(GLHDC dc);
    // SwapBuffers only when the frame parity is 0: presents the last frame
    // once more.
    void SwapBuffersIfEven(GLHDC dc);

    virtual void SetGenericOnly(bool on);
    // Set on, or the formats are listed and none is accelerated (only the
    // generic renderer can serve). Changes nothing.
    bool GetGenericOnly() const;
    // At least one accelerated format exists (lists the formats of the
    // screen when they are not listed yet).
    bool GetHardwareAccelerated();
    // GL_RENDERER / GL_VENDOR, read on the first request while active and
    // then cached; empty before.
    std::string GetRenderer();
    std::string GetVendor();

    bool Active() const { return FActive; }
    // GL_VERSION of the current context; empty before the first CreateRC.
    const std::string& Version() const { return FVersion; }
    // The names of GL_EXTENSIONS and of wglGetExtensionsStringARB.
    const TStringList& Extensions() const { return FExtensions; }
    const TStringList& WGLExtensions() const { return FWGLExtensions; }
    uint8_t FrameParity() const { return FFrameParity; }
    GLHGLRC Context() const { return FContext; }

    // glEnable / glDisable of one capability.
    void SetCullFace(bool on);
    void SetDepthTest(bool on);
    void SetLighting(bool on);
    void SetTexturing(bool on);
    void SetFog(bool on);
    // GL_PERSPECTIVE_CORRECTION_HINT: GL_NICEST when on, GL_FASTEST when off.
    void SetPerspectiveCorrection(bool on);

    TGLLightList& Lights() { return *FLights; }
    TGLMaterialList& Materials() { return *FMaterials; }
    TGLPrimitiveList& Primitives() { return *FPrimitives; }
    TGLScreenShot& ScreenShot() { return *FScreenShot; }
    TGLTextureList& Textures() { return *FTextures; }
    TGLViewportList& Viewports() { return *FViewports; }
    TGLDisplayListList& DisplayLists() { return *FDisplayLists; }

    // Lists the pixel formats of dc (of the screen when dc is null) unless
    // they are listed already.
    void EnumeratePixelFormats(GLHDC dc);
    bool Enumerated() const { return FEnumerated; }
    const std::vector<TGLPixelFormat>& AcceleratedFormats() const { return FAcceleratedFormats; }
    const std::vector<TGLPixelFormat>& GenericFormats() const { return FGenericFormats; }
    int AcceleratedIndex() const { return FAcceleratedIndex; }
    int GenericIndex() const { return FGenericIndex; }
    // The generic list is the one in use (see above).
    bool UsesGenericFormats() const;

protected:
    TGLPlatform& Platform() { return *FPlatform; }

private:
    friend class TGLContextLink;
    std::vector<TGLContextLink*> FLinks;

    void ChooseIndices();
    // Sets the pixel format (and palette) on dc and creates FContext.
    void SetupPixelFormat(GLHDC dc);
    // Releases the GL objects of the lists, then the context and the palette.
    void ReleaseContext();
    void InitLists();
    void ReadContextTexts(GLHDC dc);
    void AdjustSwapInterval();
    void DeletePalette();

    std::unique_ptr<TGLPlatform> FPlatform;
    std::string FVersion;
    std::string FRenderer;
    std::string FVendor;
    TStringList FExtensions;
    TStringList FWGLExtensions;
    bool FGenericOnly = false;
    std::unique_ptr<TGLLightList> FLights;
    std::unique_ptr<TGLMaterialList> FMaterials;
    std::unique_ptr<TGLPrimitiveList> FPrimitives;
    std::unique_ptr<TGLScreenShot> FScreenShot;
    std::unique_ptr<TGLTextureList> FTextures;
    std::unique_ptr<TGLViewportList> FViewports;
    std::vector<TGLPixelFormat> FAcceleratedFormats;
    std::vector<TGLPixelFormat> FGenericFormats;
    int FAcceleratedIndex = -1;
    int FGenericIndex = -1;
    bool FEnumerated = false;
    bool FActive = false;
    bool FLibrariesLoaded = false;
    GLHGLRC FContext = nullptr;
    GLHPALETTE FPalette = nullptr;
    uint8_t FFrameParity = 1;
    std::unique_ptr<TGLDisplayListList> FDisplayLists;
};
