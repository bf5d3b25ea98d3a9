#include "gl/core/GLLists.h"

#include <algorithm>

namespace {

int TextureUnitsOf(bool multiTexture)
{
    return multiTexture ? std::max(1, GetGLInteger(GL_MAX_TEXTURE_UNITS_ARB, 1)) : 1;
}

}  // namespace

// --- Primitives ---------------------------------------------------------------

void TGLPrimitiveList::InitContext() { FTextureUnits = TextureUnitsOf(MultiTextureAvailable()); }

void TGLPrimitiveList::DropDisplayLists()
{
    for (int i = 0; i < Count(); ++i)
        Items(i)->DropDisplayList();
}

// --- Lights -------------------------------------------------------------------

TGLLight* TGLLightList::Add()
{
    int index = -1;
    for (int candidate = 0; candidate < FMaxLights && index < 0; ++candidate) {
        bool taken = false;
        for (int i = 0; i < Count() && !taken; ++i)
            taken = Items(i)->Index() == candidate;
        if (!taken)
            index = candidate;
    }
    auto* light = static_cast<TGLLight*>(TGLItemList::Add());
    light->FIndex = index;
    return light;
}

void TGLLightList::InitContext()
{
    FMaxLights = std::max(1, GetGLInteger(GL_MAX_LIGHTS, 8));
    SetAmbient({0, 0, 0, 1});
}

void TGLLightList::SetAmbient(const TGLColorFloat& ambient)
{
    FAmbient = ambient;
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, &FAmbient.x);
}

// --- Textures -----------------------------------------------------------------

TGLTexture* TGLTextureList::Add()
{
    auto* texture = static_cast<TGLTexture*>(TGLItemList::Add());
    texture->Filter = FDefaultFilter;
    texture->EnvMode = FDefaultEnvMode;
    return texture;
}

void TGLTextureList::InitContext()
{
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    FBGRA = CheckExtension("GL_EXT_bgra");
    FPackedPixels = CheckExtension("GL_EXT_packed_pixels");
    FMultiTexture = MultiTextureAvailable();
    FTextureUnits = TextureUnitsOf(FMultiTexture);
    FUseBGRA = false;
    FUsePackedPixels = false;
    FDefaultFilter = GL_LINEAR;
    FDefaultEnvMode = GL_MODULATE;
}

GLenum TGLTextureList::RGBFormat(bool alpha) const
{
    if (alpha)
        return FUseBGRA ? GL_BGRA : GL_RGBA;
    return FUseBGRA ? GL_BGR : GL_RGB;
}

TGLTexture* TGLTextureList::AddPreset(int width, int height, GLenum internalFormat, GLenum format, GLenum type)
{
    TGLTexture* texture = Add();
    texture->SetFormat(internalFormat, format, type);
    if (width != 0 && height != 0) {
        texture->SetSize(width, height);
        texture->AllocPixels();
    } else {
        texture->SetSize(0, 0);
    }
    return texture;
}

TGLTexture* TGLTextureList::AddRGBA4(int width, int height)
{
    GLenum type = GL_UNSIGNED_BYTE;
    if (FUsePackedPixels)
        type = FUseBGRA ? GL_UNSIGNED_SHORT_4_4_4_4_REV : GL_UNSIGNED_SHORT_4_4_4_4;
    return AddPreset(width, height, GL_RGBA4, RGBFormat(true), type);
}

TGLTexture* TGLTextureList::AddRGB5A1(int width, int height)
{
    GLenum type = GL_UNSIGNED_BYTE;
    if (FUsePackedPixels)
        type = FUseBGRA ? GL_UNSIGNED_SHORT_1_5_5_5_REV : GL_UNSIGNED_SHORT_5_5_5_1;
    return AddPreset(width, height, GL_RGB5_A1, RGBFormat(true), type);
}

TGLTexture* TGLTextureList::AddRGB565(int width, int height)
{
    if (FUsePackedPixels)
        return AddPreset(width, height, GL_RGB5, GL_RGB, GL_UNSIGNED_SHORT_5_6_5);
    return AddPreset(width, height, GL_RGB5, RGBFormat(false), GL_UNSIGNED_BYTE);
}

TGLTexture* TGLTextureList::AddRGB8(int width, int height)
{
    return AddPreset(width, height, GL_RGB8, RGBFormat(false), GL_UNSIGNED_BYTE);
}

TGLTexture* TGLTextureList::AddRGBA8(int width, int height)
{
    GLenum type = GL_UNSIGNED_BYTE;
    if (FUsePackedPixels)
        type = FUseBGRA ? GL_UNSIGNED_INT_8_8_8_8_REV : GL_UNSIGNED_INT_8_8_8_8;
    return AddPreset(width, height, GL_RGBA8, RGBFormat(true), type);
}

void TGLTextureList::ReleaseAll()
{
    for (int i = 0; i < Count(); ++i)
        Items(i)->Release();
}

// --- Materials ----------------------------------------------------------------

void TGLMaterialList::InitContext()
{
    FSeparateSpecularPresent = CheckExtension("EXT_separate_specular_color");
    if (SeparateSpecular)
        glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
}

// --- Display lists ------------------------------------------------------------

void TGLDisplayListList::BuildAll()
{
    for (int i = 0; i < Count(); ++i)
        Items(i)->Build();
}

void TGLDisplayListList::DeleteAll()
{
    for (int i = 0; i < Count(); ++i)
        Items(i)->Delete();
}
