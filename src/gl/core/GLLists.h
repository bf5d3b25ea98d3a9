// The six kinds of item list a rendering context owns, with the state each
// keeps per context and the whole-list operations the context runs when it
// is made and destroyed.
//
// InitContext runs right after the context has been made current, in the
// context's order: lights, materials, display lists, primitives, textures,
// viewports. Multitexture counts as present only when the driver names
// GL_ARB_multitexture and both of its entry points are bound.
#pragma once

#include "gl/core/GLBinding.h"
#include "gl/core/GLDisplayList.h"
#include "gl/core/GLItemList.h"
#include "gl/core/GLLight.h"
#include "gl/core/GLMaterial.h"
#include "gl/core/GLPrimitive.h"
#include "gl/core/GLTexture.h"
#include "gl/core/GLViewport.h"
#include "gl/core/VectorTypes.h"

class TGLPrimitiveList : public TGLItemList {
public:
    using TGLItemList::TGLItemList;
    std::string ClassName() const override { return "TGLPrimitiveList"; }

    TGLPrimitive* Add() { return static_cast<TGLPrimitive*>(TGLItemList::Add()); }
    TGLPrimitive* Items(int index) const { return static_cast<TGLPrimitive*>(TGLItemList::Items(index)); }

    // Texture units: GL_MAX_TEXTURE_UNITS_ARB with multitexture, else 1.
    void InitContext() override;
    int TextureUnits() const { return FTextureUnits; }

    // Drops every primitive's display list.
    void DropDisplayLists();

protected:
    TGLItem* NewItem() override { return new TGLPrimitive(this); }

private:
    int FTextureUnits = 1;
};

class TGLLightList : public TGLItemList {
public:
    using TGLItemList::TGLItemList;
    std::string ClassName() const override { return "TGLLightList"; }

    // A light with the lowest index that no light of the list holds, below
    // MaxLights (-1 when there is none).
    TGLLight* Add();
    TGLLight* Items(int index) const { return static_cast<TGLLight*>(TGLItemList::Items(index)); }

    // Reads GL_MAX_LIGHTS and sends the global ambient colour (0, 0, 0, 1).
    void InitContext() override;
    // The driver's GL_MAX_LIGHTS; 8, the least a GL offers, before a
    // context has been made.
    int MaxLights() const { return FMaxLights; }

    const TGLColorFloat& Ambient() const { return FAmbient; }
    // Sets the global ambient colour and sends it (glLightModelfv
    // GL_LIGHT_MODEL_AMBIENT); needs a current context.
    void SetAmbient(const TGLColorFloat& ambient);

protected:
    TGLItem* NewItem() override { return new TGLLight(this); }

private:
    TGLColorFloat FAmbient{0, 0, 0, 1};
    int FMaxLights = 8;
};

class TGLTextureList : public TGLItemList {
public:
    using TGLItemList::TGLItemList;
    std::string ClassName() const override { return "TGLTextureList"; }

    // A texture with the list's default filter and environment mode.
    TGLTexture* Add();
    TGLTexture* Items(int index) const { return static_cast<TGLTexture*>(TGLItemList::Items(index)); }

    // Switches perspective correction on (GL_NICEST), reads which pixel
    // formats and whether multitexture the driver offers, and resets the
    // use flags (off), the default filter (GL_LINEAR) and environment mode
    // (GL_MODULATE).
    void InitContext() override;

    bool BGRA() const { return FBGRA; }                  // GL_EXT_bgra
    bool PackedPixels() const { return FPackedPixels; }  // GL_EXT_packed_pixels
    bool MultiTexture() const { return FMultiTexture; }
    int TextureUnits() const { return FTextureUnits; }

    // Presets lay their pixels out in blue-green-red order.
    bool UseBGRA() const { return FUseBGRA; }
    void SetUseBGRA(bool on) { FUseBGRA = on; }
    // Presets use the packed pixel types.
    bool UsePackedPixels() const { return FUsePackedPixels; }
    void SetUsePackedPixels(bool on) { FUsePackedPixels = on; }
    GLenum DefaultFilter() const { return FDefaultFilter; }
    void SetDefaultFilter(GLenum filter) { FDefaultFilter = filter; }
    GLenum DefaultEnvMode() const { return FDefaultEnvMode; }
    void SetDefaultEnvMode(GLenum mode) { FDefaultEnvMode = mode; }

    // Presets: a texture of width x height in the given layout. The buffer is
    // allocated only when both sizes are non-zero, else the size is 0 x 0.
    // The format is RGB(A), or BGR(A) with UseBGRA; the type is
    // GL_UNSIGNED_BYTE unless UsePackedPixels:
    //   AddRGBA4  GL_RGBA4    4_4_4_4 / 4_4_4_4_REV with BGRA
    //   AddRGB5A1 GL_RGB5_A1  5_5_5_1 / 1_5_5_5_REV with BGRA
    //   AddRGB565 GL_RGB5     always GL_RGB with 5_6_5 (see below)
    //   AddRGB8   GL_RGB8     GL_UNSIGNED_BYTE: no packed type has 3 bytes
    //   AddRGBA8  GL_RGBA8    8_8_8_8 / 8_8_8_8_REV with BGRA
    // The 5_6_5 types are valid only with GL_RGB; GL_RGB with 5_6_5 puts red
    // in the top bits, the layout BGR with 5_6_5_REV would describe.
    TGLTexture* AddRGBA4(int width, int height);
    TGLTexture* AddRGB5A1(int width, int height);
    TGLTexture* AddRGB565(int width, int height);
    TGLTexture* AddRGB8(int width, int height);
    TGLTexture* AddRGBA8(int width, int height);

    // Releases every texture's GL object (their pixels stay).
    void ReleaseAll();

protected:
    TGLItem* NewItem() override { return new TGLTexture(this); }

private:
    TGLTexture* AddPreset(int width, int height, GLenum internalFormat, GLenum format, GLenum type);
    GLenum RGBFormat(bool alpha) const;

    bool FBGRA = false;
    bool FPackedPixels = false;
    GLenum FDefaultFilter = GL_LINEAR;
    GLenum FDefaultEnvMode = GL_MODULATE;
    bool FUseBGRA = false;
    bool FUsePackedPixels = false;
    bool FMultiTexture = false;
    int FTextureUnits = 1;
};

class TGLMaterialList : public TGLItemList {
public:
    using TGLItemList::TGLItemList;
    std::string ClassName() const override { return "TGLMaterialList"; }

    TGLMaterial* Add() { return static_cast<TGLMaterial*>(TGLItemList::Add()); }
    TGLMaterial* Items(int index) const { return static_cast<TGLMaterial*>(TGLItemList::Items(index)); }

    // Reads whether the driver offers separate specular colour; when
    // SeparateSpecular is wanted, switches it on (glLightModeli
    // GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR).
    void InitContext() override;

    // Separate specular colour is wanted.
    bool SeparateSpecular = false;
    bool SeparateSpecularPresent() const { return FSeparateSpecularPresent; }

protected:
    TGLItem* NewItem() override { return new TGLMaterial(this); }

private:
    bool FSeparateSpecularPresent = false;
};

class TGLViewportList : public TGLItemList {
public:
    using TGLItemList::TGLItemList;
    std::string ClassName() const override { return "TGLViewportList"; }

    TGLViewport* Add() { return static_cast<TGLViewport*>(TGLItemList::Add()); }
    TGLViewport* Items(int index) const { return static_cast<TGLViewport*>(TGLItemList::Items(index)); }

    // The names of the objects that take part in the viewports' picks.
    TGLPickNames& PickNames() { return FPickNames; }

protected:
    TGLItem* NewItem() override { return new TGLViewport(this); }

private:
    TGLPickNames FPickNames;
};

class TGLDisplayListList : public TGLItemList {
public:
    using TGLItemList::TGLItemList;
    std::string ClassName() const override { return "TGLDisplayListList"; }

    TGLDisplayList* Add() { return static_cast<TGLDisplayList*>(TGLItemList::Add()); }
    TGLDisplayList* Items(int index) const { return static_cast<TGLDisplayList*>(TGLItemList::Items(index)); }

    // Builds every display list (those with OnBuild).
    void BuildAll();
    // Deletes every display list.
    void DeleteAll();

protected:
    TGLItem* NewItem() override { return new TGLDisplayList(this); }
};
