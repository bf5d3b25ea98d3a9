#include "gl/core/CustomOpenGL.h"

#include "classlib/core/Exceptions.h"
#include "classlib/core/FloatControl.h"

namespace {

std::string GLText(GLenum name)
{
    const GLubyte* text = glGetString ? glGetString(name) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : std::string();
}

void Switch(GLenum capability, bool on)
{
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

uint32_t ContextSerial = 0;

}  // namespace

uint32_t CurrentContextSerial() { return ContextSerial; }

TCustomOpenGL::TCustomOpenGL(std::unique_ptr<TGLPlatform> platform)
    : FPlatform(std::move(platform)),
      FLights(std::make_unique<TGLLightList>(this, 16)),
      FMaterials(std::make_unique<TGLMaterialList>(this, 1000)),
      FPrimitives(std::make_unique<TGLPrimitiveList>(this, 100000)),
      FScreenShot(std::make_unique<TGLScreenShot>()),
      FTextures(std::make_unique<TGLTextureList>(this, 1000)),
      FViewports(std::make_unique<TGLViewportList>(this, 16)),
      FDisplayLists(std::make_unique<TGLDisplayListList>(this, 1000))
{
}

TCustomOpenGL::~TCustomOpenGL()
{
    for (TGLContextLink* link : FLinks)
        link->FGL = nullptr;
    FLinks.clear();
    DestroyRC();
    // DestroyRC released every GL object of the lists; freeing the lists
    // only unlinks the items, which stay with their owners and send nothing
    // to this context again.
    FDisplayLists.reset();
    FViewports.reset();
    FTextures.reset();
    FScreenShot.reset();
    FPrimitives.reset();
    FMaterials.reset();
    FLights.reset();
    if (FLibrariesLoaded)
        FPlatform->UnloadLibraries();
}

void TGLContextLink::Set(TCustomOpenGL* gl)
{
    if (gl == FGL)
        return;
    if (FGL != nullptr)
        std::erase(FGL->FLinks, this);
    FGL = gl;
    if (FGL != nullptr)
        FGL->FLinks.push_back(this);
}

// --- Pixel formats -------------------------------------------------------------

void TCustomOpenGL::EnumeratePixelFormats(GLHDC dc)
{
    if (FEnumerated)
        return;
    Set8087CW(DefaultFPUControlWord);
    FAcceleratedFormats.clear();
    FGenericFormats.clear();
    const std::vector<TPixelFormatDescriptor> descriptors = FPlatform->DescribePixelFormats(dc);
    for (size_t i = 0; i < descriptors.size(); ++i) {
        const TPixelFormatDescriptor& pfd = descriptors[i];
        if (!IsWindowGLFormat(pfd))
            continue;
        auto& list = IsGenericFormat(pfd) ? FGenericFormats : FAcceleratedFormats;
        list.push_back(MakePixelFormat(pfd, static_cast<int>(i) + 1));
    }
    FEnumerated = !descriptors.empty();
}

bool TCustomOpenGL::UsesGenericFormats() const
{
    return (FGenericOnly || FAcceleratedFormats.empty()) && !FGenericFormats.empty();
}

void TCustomOpenGL::ChooseIndices()
{
    const TGLPixelFormat request;
    if (FAcceleratedIndex == -1)
        FAcceleratedIndex = ChoosePixelFormatIndex(FAcceleratedFormats, request);
    if (FGenericIndex == -1)
        FGenericIndex = ChoosePixelFormatIndex(FGenericFormats, request);
}

void TCustomOpenGL::SetGenericOnly(bool on) { FGenericOnly = on; }

bool TCustomOpenGL::GetGenericOnly() const
{
    return FGenericOnly || (FEnumerated && FAcceleratedFormats.empty());
}

bool TCustomOpenGL::GetHardwareAccelerated()
{
    EnumeratePixelFormats(nullptr);
    return !FAcceleratedFormats.empty();
}

// --- Context ---------------------------------------------------------------------

void TCustomOpenGL::CreateRC(GLHDC dc)
{
    DestroyRC();
    if (!FPlatform->LibrariesLoaded()) {
        // Set first, so that a half-done load is undone with the context.
        FLibrariesLoaded = true;
        FPlatform->LoadLibraries();
    }
    EnumeratePixelFormats(dc);
    ChooseIndices();
    SetupPixelFormat(dc);
    try {
        pwglMakeCurrent(dc, FContext);
        ++ContextSerial;
        ReadExtensions();
        InitLists();
        ReadContextTexts(dc);
        FDisplayLists->BuildAll();
    } catch (...) {
        FDisplayLists->DeleteAll();
        ReleaseContext();
        throw;
    }
    FActive = true;
}

void TCustomOpenGL::SetupPixelFormat(GLHDC dc)
{
    const bool generic = UsesGenericFormats();
    const std::vector<TGLPixelFormat>& list = generic ? FGenericFormats : FAcceleratedFormats;
    const int index = generic ? FGenericIndex : FAcceleratedIndex;
    if (index < 0 || index >= static_cast<int>(list.size()))
        throw Exception("Create RC failed: FormatIndex is not selected!");
    const TGLPixelFormat& format = list[index];
    if (format.FormatNumber == 0)
        throw Exception("Create RC failed: Pixel Format is not choosed!");

    Set8087CW(DefaultFPUControlWord);
    if (!FPlatform->SetPixelFormat(dc, format.FormatNumber, format.Descriptor))
        throw Exception("Create RC failed: pixel format is not set!");
    if (format.Descriptor.dwFlags & pfdNeedPalette) {
        FPalette = FPlatform->CreatePalette(dc, MakeFormatPalette(format.Descriptor));
        if (!FPalette)
            throw Exception("Create RC failed: Palette is not created!");
    }
    FContext = pwglCreateContext ? pwglCreateContext(dc) : nullptr;
    if (!FContext) {
        DeletePalette();
        throw Exception("Create RC failed: Context is not created!");
    }
}

void TCustomOpenGL::InitLists()
{
    FLights->InitContext();
    FMaterials->InitContext();
    FDisplayLists->InitContext();
    FPrimitives->InitContext();
    FTextures->InitContext();
    FViewports->InitContext();
}

void TCustomOpenGL::ReadContextTexts(GLHDC dc)
{
    FVersion = GLText(GL_VERSION);
    FRenderer.clear();
    FVendor.clear();
    FExtensions.SetCommaText(GLText(GL_EXTENSIONS));
    const char* wglExtensions = wglGetExtensionsStringARB ? wglGetExtensionsStringARB(dc) : nullptr;
    if (wglExtensions)
        FWGLExtensions.SetCommaText(wglExtensions);
    else
        FWGLExtensions.Clear();
}

void TCustomOpenGL::DestroyRC()
{
    if (!FActive)
        return;
    FDisplayLists->DeleteAll();
    Set8087CW(DefaultFPUControlWord);
    ReleaseContext();
    FAcceleratedFormats.clear();
    FGenericFormats.clear();
    FEnumerated = false;
    FActive = false;
}

void TCustomOpenGL::ReleaseContext()
{
    if (FContext) {
        FTextures->ReleaseAll();
        FPrimitives->DropDisplayLists();
        if (pwglMakeCurrent)
            pwglMakeCurrent(nullptr, nullptr);
        if (pwglDeleteContext)
            pwglDeleteContext(FContext);
        FContext = nullptr;
    }
    DeletePalette();
}

void TCustomOpenGL::DeletePalette()
{
    if (FPalette)
        FPlatform->DeletePalette(FPalette);
    FPalette = nullptr;
}

// --- Frames ------------------------------------------------------------------------

void TCustomOpenGL::AdjustSwapInterval()
{
    if (!wglGetSwapIntervalEXT || !wglSwapIntervalEXT)
        return;
    const int wanted = VSync ? 1 : 0;
    if (wglGetSwapIntervalEXT() != wanted)
        wglSwapIntervalEXT(wanted);
}

void TCustomOpenGL::SwapBuffers(GLHDC dc)
{
    if (!FActive)
        return;
    glFlush();
    AdjustSwapInterval();
    FPlatform->SwapBuffers(dc);
    FFrameParity ^= 1;
}

void TCustomOpenGL::SwapBuffersIfEven(GLHDC dc)
{
    if (FFrameParity == 0)
        SwapBuffers(dc);
}

std::string TCustomOpenGL::GetRenderer()
{
    if (FRenderer.empty() && FActive)
        FRenderer = GLText(GL_RENDERER);
    return FRenderer;
}

std::string TCustomOpenGL::GetVendor()
{
    if (FVendor.empty() && FActive)
        FVendor = GLText(GL_VENDOR);
    return FVendor;
}

// --- State switches --------------------------------------------------------------

void TCustomOpenGL::SetCullFace(bool on) { Switch(GL_CULL_FACE, on); }
void TCustomOpenGL::SetDepthTest(bool on) { Switch(GL_DEPTH_TEST, on); }
void TCustomOpenGL::SetLighting(bool on) { Switch(GL_LIGHTING, on); }
void TCustomOpenGL::SetTexturing(bool on) { Switch(GL_TEXTURE_2D, on); }
void TCustomOpenGL::SetFog(bool on) { Switch(GL_FOG, on); }

void TCustomOpenGL::SetPerspectiveCorrection(bool on)
{
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, on ? GL_NICEST : GL_FASTEST);
}
