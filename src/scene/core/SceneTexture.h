// Scene textures: pictures turned into OpenGL textures.
//
// A TSceneTexture turns a picture (BMP or JPEG, from a file or a program
// resource, with an optional separate alpha picture) into a TGLTexture of
// the scene's GL context, in one of three formats: an opaque texture, a
// texture whose alpha comes from a grey picture, or a sprite whose alpha is
// cut out by a key colour. A TSceneTextureList holds a scene's textures and
// decides quality, colour depth and mipmapping for all of them; the settings
// form changes the last two at run time and calls UpdateTextures.
//
// A texture reaches the GL context through its scene (Scene->GL), so it
// must be in a list of a scene with a context object before its GL texture
// is made. The texture owns its GL texture; it and the context object may
// be freed in either order, but a scene must not be used once its context
// is gone (the scene then has no GL). Making and filling the GL texture
// needs no current context; only drawing (Bind) does.
#pragma once

#include <memory>
#include <string>

#include "gl/core/GLBinding.h"
#include "gl/core/GLTexture.h"
#include "gl/core/VectorTypes.h"
#include "scene/core/SceneObjects.h"
#include "scene/core/SceneRenderState.h"

class TSceneTextureList;
struct TDibImage;

// The kinds of texture: opaque; alpha from a grey picture; alpha cut out by
// a key colour.
enum class TTextureFormat { Texture = 0, Alpha = 1, Sprite = 2 };

// The sampling step from picture to texture: 1, 2 or 4.
enum class TTextureQuality { High = 0, Medium = 1, Low = 2 };

// "Texture", "Alpha", "Sprite". Reading takes the first of those words
// that occurs anywhere in the text (case-sensitive), in that order; none
// gives Texture.
std::string TextureFormatToStr(TTextureFormat format);
TTextureFormat StrToTextureFormat(const std::string& text);
// "High", "Medium", "Low". Reading: contains "High" gives High, else
// contains "Medium" gives Medium, else Low.
std::string TextureQualityToStr(TTextureQuality quality);
TTextureQuality StrToTextureQuality(const std::string& text);

// The sampling step for a picture width: narrower than 32 pixels 1; else
// the quality's step (1, 2, 4), but width div 32 when width div that step
// would be less than 32.
int TexturePixelStep(int width, TTextureQuality quality);

class TSceneTexture : public TMainObject, public TRenderTexture {
public:
    // Format Texture, key colour black, no GL texture.
    TSceneTexture() = default;
    // Frees the GL texture.
    ~TSceneTexture() override;

    std::string ClassName() const override { return "TSceneTexture"; }

    // File name of the alpha picture (empty: none), joined to the list's
    // Path.
    std::string AlphaName;
    // File name of the picture, joined to the list's Path.
    std::string TextureName;
    // The sprite key colour (red, green and blue bytes; the alpha byte is
    // not compared).
    TGLColor SpriteColor = MakeColorRGBA(0, 0, 0, 255);
    TTextureFormat Format = TTextureFormat::Texture;
    // Take the key colour from the picture's top-left pixel when loading.
    bool AutoSpriteColor = false;
    // The sampling step of the last LoadTexture.
    int PixelStep = 1;

    // The GL texture (owned), null until CreateGLTexture.
    TGLTexture* GLTexture() const { return FGLTexture.get(); }
    // The list that holds the texture, or null.
    TSceneTextureList* TextureList() const;

    // CreateGLTexture(Format) and LoadTexture when there is no GL texture
    // yet, then TGLTexture::Apply (upload when needed, bind, alpha test
    // reference, enable). SetCurrentTexture calls it.
    void Bind() override;
    // Frees the old GL texture; sets the scene's GL texture list to BGR(A)
    // byte order and its default filter - accelerated: GL_LINEAR, or
    // GL_LINEAR_MIPMAP_LINEAR with mipmaps; software-only: GL_NEAREST, or
    // GL_NEAREST_MIPMAP_NEAREST with mipmaps, where mipmaps means the list's
    // MipMap and format Texture; Format := format; adds the preset of the
    // format and colour depth (Texture AddRGB565 / AddRGB8, Sprite
    // AddRGB5A1 / AddRGBA8 with alpha test reference 0.5, Alpha AddRGBA4 /
    // AddRGBA8 with 0.02, for 16 / 32 bits). Raises Exception
    // "TSceneTexture.CreateGLTexture error: MainScene is NIL!" when the
    // texture's scene or its GL context object is missing.
    void CreateGLTexture(TTextureFormat format);
    // Loads the picture (and the alpha picture), sizes the GL texture to
    // picture size div PixelStep and fills its pixels (bottom row first,
    // blue-green-red(-alpha)); makes the GL texture first when there is
    // none (CreateGLTexture(Format)). A picture of unknown extension gives
    // an empty texture; a missing file or resource raises the class
    // library's error; an alpha picture of another size raises Exception
    // "TSceneTexture.AlphaFromBitmap error: Texture size is not equal Alpha
    // size!"; undecodable data raises EInvalidGraphic; a texture side that
    // is not a power of two raises TGLTexture's error.
    void LoadTexture();

    // TMainObject keys, then "Format" (only when not Texture),
    // "TextureName" (bare when the file lies in the list's Path), for a
    // format other than Texture "AlphaValue" (the alpha test reference;
    // never read back), for Alpha "AlphaName", for Sprite "AutoSpriteColor"
    // when set, else "SpriteColor".
    void SaveOptions(TResourceLoader& writer) override;
    // TMainObject keys, then "TextureName", "AlphaName" (joined to the
    // list's Path), "Format" (default Alpha when AlphaName is set, else
    // Texture), "SpriteColor" (default current), "AutoSpriteColor" (default
    // false). Nothing is loaded until the first Bind.
    void LoadOptions(TResourceLoader& reader) override;

private:
    // Fills the GL texture from the loaded pictures.
    void FillPixels(const TDibImage& picture, const TDibImage* alphaPicture);

    std::unique_ptr<TGLTexture> FGLTexture;
};

class TSceneTextureList : public TResource {
public:
    TSceneTextureList() = default;

    std::string ClassName() const override { return "TSceneTextureList"; }

    // Mipmaps for opaque textures (see UpdateTextures for the others).
    bool MipMap = false;
    // 16-bit internal formats instead of 8 bits per channel.
    bool ColorBit16 = false;
    TTextureQuality Quality = TTextureQuality::High;

    // "16bit" or "32bit"; reading gives 16-bit (true) unless the text
    // contains "32".
    static std::string ColorBitToStr(bool colorBit16);
    static bool StrToColorBit(const std::string& text);

    // For every texture with a GL texture: Release (the next Bind uploads
    // again), then its minification filter - software-only context:
    // GL_NEAREST_MIPMAP_NEAREST with MipMap for format Texture, else
    // GL_NEAREST; accelerated: GL_LINEAR_MIPMAP_LINEAR with MipMap (any
    // format), else GL_LINEAR - and its internal format: Texture GL_RGB5 /
    // GL_RGB8, Sprite GL_RGB5_A1 / GL_RGBA8, Alpha GL_RGBA4 / GL_RGBA8
    // (16- / 32-bit).
    void UpdateTextures();

    // The texture named exactly name, or null.
    TSceneTexture* FindTexture(const std::string& name) const;
    // The texture named after the file part of alphaName when given, else
    // of textureName. When the list does not hold that name yet, a new
    // texture of that name is added, its GL texture made (CreateGLTexture),
    // its names joined to Path, its key colour set, and its pictures
    // loaded at once; a load that fails frees it again and raises. Returns
    // the texture of that name.
    TSceneTexture* AddTexture(TTextureFormat format, const std::string& textureName, const std::string& alphaName,
                              bool autoSpriteColor, uint8_t spriteRed, uint8_t spriteGreen, uint8_t spriteBlue);
    TSceneTexture* AddAlphaTexture(const std::string& textureName, const std::string& alphaName);
    TSceneTexture* AddPlainTexture(const std::string& textureName);
    // A sprite keyed by its top-left pixel.
    TSceneTexture* AddSpriteTexture(const std::string& textureName);

    // For every texture a line for TextureName and, when set, AlphaName:
    // ResourceNameOf(name) + " Bitmap " + name for a ".bmp" file, else
    // ResourceNameOf(name) + " RCData " + name.
    void AddResourceLines(TStrings& lines) override;

    // TResource keys, then "Quality", "ColorBit", "MipMap".
    void SaveOptions(TResourceLoader& writer) override;
    // TResource keys, then "Quality" (default "High"), "ColorBit" (default
    // "32bit"), "MipMap" (default false).
    void LoadOptions(TResourceLoader& reader) override;
};
