#include "scene/core/SceneTexture.h"

#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLTexture.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneRegistry.h"
#include "scene/core/SceneTexturePicture.h"

namespace {

constexpr float SpriteAlphaRef = 0.5f;
constexpr float AlphaAlphaRef = 0.02f;

// The minification filter of a new or updated texture: a software-only
// context samples the nearest texel, an accelerated one filters linearly.
GLenum MinFilter(bool softwareOnly, bool mipmap)
{
    if (softwareOnly)
        return mipmap ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST;
    return mipmap ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
}

GLenum InternalFormatOf(TTextureFormat format, bool colorBit16)
{
    switch (format) {
    case TTextureFormat::Sprite:
        return colorBit16 ? GL_RGB5_A1 : GL_RGBA8;
    case TTextureFormat::Alpha:
        return colorBit16 ? GL_RGBA4 : GL_RGBA8;
    case TTextureFormat::Texture:
    default:
        return colorBit16 ? GL_RGB5 : GL_RGB8;
    }
}

bool Contains(const std::string& text, const char* word)
{
    return text.find(word) != std::string::npos;
}

TCustomOpenGL* GLOf(const TMainItem& item)
{
    return item.Scene != nullptr ? static_cast<TCustomOpenGL*>(item.Scene->GL) : nullptr;
}

}  // namespace

std::string TextureFormatToStr(TTextureFormat format)
{
    switch (format) {
    case TTextureFormat::Alpha:
        return "Alpha";
    case TTextureFormat::Sprite:
        return "Sprite";
    case TTextureFormat::Texture:
    default:
        return "Texture";
    }
}

TTextureFormat StrToTextureFormat(const std::string& text)
{
    if (Contains(text, "Texture"))
        return TTextureFormat::Texture;
    if (Contains(text, "Alpha"))
        return TTextureFormat::Alpha;
    if (Contains(text, "Sprite"))
        return TTextureFormat::Sprite;
    return TTextureFormat::Texture;
}

std::string TextureQualityToStr(TTextureQuality quality)
{
    switch (quality) {
    case TTextureQuality::Medium:
        return "Medium";
    case TTextureQuality::Low:
        return "Low";
    case TTextureQuality::High:
    default:
        return "High";
    }
}

TTextureQuality StrToTextureQuality(const std::string& text)
{
    if (Contains(text, "High"))
        return TTextureQuality::High;
    if (Contains(text, "Medium"))
        return TTextureQuality::Medium;
    return TTextureQuality::Low;
}

int TexturePixelStep(int width, TTextureQuality quality)
{
    if (width < 32)
        return 1;
    const int step = quality == TTextureQuality::High ? 1 : quality == TTextureQuality::Medium ? 2 : 4;
    if (width / step < 32)
        return width / 32;
    return step;
}

// --- TSceneTexture ---------------------------------------------------------------

TSceneTexture::~TSceneTexture()
{
    // The cache compares addresses only; a later texture at this address
    // must not pass for this one.
    if (CurrentTexture() == this)
        ResetTextureCache();
}

TSceneTextureList* TSceneTexture::TextureList() const
{
    return dynamic_cast<TSceneTextureList*>(Owner());
}

void TSceneTexture::Bind()
{
    if (!FGLTexture) {
        CreateGLTexture(Format);
        LoadTexture();
    }
    FGLTexture->Apply();
}

void TSceneTexture::CreateGLTexture(TTextureFormat format)
{
    TCustomOpenGL* gl = GLOf(*this);
    if (gl == nullptr)
        throw Exception("TSceneTexture.CreateGLTexture error: MainScene is NIL!");
    FGLTexture.reset();
    const TSceneTextureList* list = TextureList();
    const bool colorBit16 = list != nullptr && list->ColorBit16;
    Format = format;

    TGLTextureList& textures = gl->Textures();
    textures.SetUseBGRA(true);
    // Only opaque textures get mipmaps when they are made.
    const bool mipmap = list != nullptr && list->MipMap && Format == TTextureFormat::Texture;
    textures.SetDefaultFilter(MinFilter(gl->GetGenericOnly(), mipmap));

    TGLTexture* texture = nullptr;
    switch (Format) {
    case TTextureFormat::Sprite:
        texture = colorBit16 ? textures.AddRGB5A1(0, 0) : textures.AddRGBA8(0, 0);
        texture->AlphaRef = SpriteAlphaRef;
        break;
    case TTextureFormat::Alpha:
        texture = colorBit16 ? textures.AddRGBA4(0, 0) : textures.AddRGBA8(0, 0);
        texture->AlphaRef = AlphaAlphaRef;
        break;
    case TTextureFormat::Texture:
    default:
        texture = colorBit16 ? textures.AddRGB565(0, 0) : textures.AddRGB8(0, 0);
        break;
    }
    FGLTexture.reset(texture);
}

void TSceneTexture::LoadTexture()
{
    if (!FGLTexture)
        CreateGLTexture(Format);
    const TSceneTextureList* list = TextureList();
    const TSourceLocations location = list != nullptr ? list->SourceLocation : slFile;
    const TTextureQuality quality = list != nullptr ? list->Quality : TTextureQuality::High;

    const TDibImage picture = LoadScenePicture(TextureName, location);
    PixelStep = TexturePixelStep(picture.Width, quality);
    FGLTexture->SetSize(picture.Width / PixelStep, picture.Height / PixelStep);
    FGLTexture->AllocPixels();
    if (Format != TTextureFormat::Alpha) {
        FillPixels(picture, nullptr);
    } else if (SameText(AlphaName, TextureName)) {
        // The picture's own brightness is its alpha.
        FillPixels(picture, &picture);
    } else {
        const TDibImage alphaPicture = LoadScenePicture(AlphaName, location);
        FillPixels(picture, &alphaPicture);
    }
}

// Texture row r (0 = bottom) samples picture row (height - 1 - r) *
// PixelStep, since pictures are stored top row first; texture column c
// samples picture column c * PixelStep. Pixels are written blue, green, red
// (and alpha), the byte order CreateGLTexture asked the list for.
void TSceneTexture::FillPixels(const TDibImage& picture, const TDibImage* alphaPicture)
{
    if (alphaPicture != nullptr &&
        (alphaPicture->Width != picture.Width || alphaPicture->Height != picture.Height))
        throw Exception("TSceneTexture.AlphaFromBitmap error: Texture size is not equal Alpha size!");
    const int bytesPerPixel = Format == TTextureFormat::Texture ? 3 : 4;
    // The presets lay out plain bytes unless the list was told to use packed
    // pixel types, which this conversion does not write.
    if (FGLTexture->Type() != GL_UNSIGNED_BYTE || FGLTexture->BytesPerPixel() != bytesPerPixel)
        throw Exception("TSceneTexture.AlphaFromBitmap error: Texture pixel layout is not supported!");

    if (Format == TTextureFormat::Sprite && AutoSpriteColor && picture.Width > 0 && picture.Height > 0) {
        const TPictureBGR corner = PicturePixel(picture, 0, 0);
        SpriteColor = MakeColorRGBA(corner.r, corner.g, corner.b, 255);
    }
    const auto keyRed = static_cast<uint8_t>(SpriteColor);
    const auto keyGreen = static_cast<uint8_t>(SpriteColor >> 8);
    const auto keyBlue = static_cast<uint8_t>(SpriteColor >> 16);

    const int width = FGLTexture->Width();
    const int height = FGLTexture->Height();
    for (int row = 0; row < height; ++row) {
        uint8_t* out = FGLTexture->GetScanLine(row);
        const int y = (height - 1 - row) * PixelStep;
        for (int column = 0; column < width; ++column, out += bytesPerPixel) {
            const int x = column * PixelStep;
            const TPictureBGR color = PicturePixel(picture, x, y);
            out[0] = color.b;
            out[1] = color.g;
            out[2] = color.r;
            if (Format == TTextureFormat::Sprite) {
                const bool key = color.r == keyRed && color.g == keyGreen && color.b == keyBlue;
                out[3] = key ? 0 : 255;
            } else if (Format == TTextureFormat::Alpha) {
                const TPictureBGR grey = PicturePixel(*alphaPicture, x, y);
                out[3] = static_cast<uint8_t>((grey.r + grey.g + grey.b) / 3);
            }
        }
    }
}

void TSceneTexture::SaveOptions(TResourceLoader& writer)
{
    TMainObject::SaveOptions(writer);
    const TSceneTextureList* list = TextureList();
    const std::string path = list != nullptr ? list->Path : std::string(".\\");
    if (Format != TTextureFormat::Texture)
        writer.WriteString("Format", TextureFormatToStr(Format));
    writer.WriteFileName("TextureName", path, TextureName);
    if (Format != TTextureFormat::Texture) {
        const float defaultRef = Format == TTextureFormat::Sprite ? SpriteAlphaRef : AlphaAlphaRef;
        writer.WriteFloat("AlphaValue", FGLTexture ? FGLTexture->AlphaRef : defaultRef);
    }
    if (Format == TTextureFormat::Alpha)
        writer.WriteFileName("AlphaName", path, AlphaName);
    if (Format == TTextureFormat::Sprite) {
        if (AutoSpriteColor)
            writer.WriteBool("AutoSpriteColor", true);
        else
            writer.WriteByteColor("SpriteColor", SpriteColor);
    }
}

void TSceneTexture::LoadOptions(TResourceLoader& reader)
{
    TMainObject::LoadOptions(reader);
    const TSceneTextureList* list = TextureList();
    const std::string path = list != nullptr ? list->Path : std::string(".\\");
    TextureName = reader.ReadFileName("TextureName", path, TextureName);
    AlphaName = reader.ReadFileName("AlphaName", path, AlphaName);
    Format = StrToTextureFormat(reader.ReadString("Format", AlphaName.empty() ? "Texture" : "Alpha"));
    SpriteColor = reader.ReadByteColor("SpriteColor", SpriteColor);
    AutoSpriteColor = reader.ReadBool("AutoSpriteColor", false);
}

// --- TSceneTextureList -------------------------------------------------------------

std::string TSceneTextureList::ColorBitToStr(bool colorBit16)
{
    return colorBit16 ? "16bit" : "32bit";
}

bool TSceneTextureList::StrToColorBit(const std::string& text)
{
    return !Contains(text, "32");
}

void TSceneTextureList::UpdateTextures()
{
    TCustomOpenGL* gl = GLOf(*this);
    const bool softwareOnly = gl != nullptr && gl->GetGenericOnly();
    for (int i = 0; i < GetCount(); ++i) {
        auto* texture = dynamic_cast<TSceneTexture*>(GetItem(i));
        if (texture == nullptr || texture->GLTexture() == nullptr)
            continue;
        TGLTexture& glTexture = *texture->GLTexture();
        glTexture.Release();
        // A software-only context mipmaps opaque textures only; an
        // accelerated one every format.
        const bool mipmap = MipMap && (!softwareOnly || texture->Format == TTextureFormat::Texture);
        glTexture.Filter = MinFilter(softwareOnly, mipmap);
        glTexture.SetFormat(InternalFormatOf(texture->Format, ColorBit16), glTexture.Format(), glTexture.Type());
    }
}

TSceneTexture* TSceneTextureList::FindTexture(const std::string& name) const
{
    return dynamic_cast<TSceneTexture*>(FindObject(name));
}

TSceneTexture* TSceneTextureList::AddTexture(TTextureFormat format, const std::string& textureName,
                                             const std::string& alphaName, bool autoSpriteColor, uint8_t spriteRed,
                                             uint8_t spriteGreen, uint8_t spriteBlue)
{
    const std::string name = ExtractFileName(alphaName.empty() ? textureName : alphaName);
    if (TMainObject* found = FindObject(name)) {
        auto* texture = dynamic_cast<TSceneTexture*>(found);
        if (texture == nullptr)
            throw EInvalidCast("Invalid class typecast");
        return texture;
    }
    auto created = std::make_unique<TSceneTexture>();
    created->SetName(name);
    Add(created.get());
    TSceneTexture* texture = created.release();  // the list owns it now
    try {
        texture->CreateGLTexture(format);
        texture->TextureName = JoinSourcePath(Path, textureName);
        if (!alphaName.empty())
            texture->AlphaName = JoinSourcePath(Path, alphaName);
        texture->SpriteColor = MakeColorRGBA(spriteRed, spriteGreen, spriteBlue, 255);
        texture->AutoSpriteColor = autoSpriteColor;
        texture->LoadTexture();
    } catch (...) {
        delete texture;  // leaves the list
        throw;
    }
    return texture;
}

TSceneTexture* TSceneTextureList::AddAlphaTexture(const std::string& textureName, const std::string& alphaName)
{
    return AddTexture(TTextureFormat::Alpha, textureName, alphaName, false, 0, 0, 0);
}

TSceneTexture* TSceneTextureList::AddPlainTexture(const std::string& textureName)
{
    return AddTexture(TTextureFormat::Texture, textureName, std::string(), false, 0, 0, 0);
}

TSceneTexture* TSceneTextureList::AddSpriteTexture(const std::string& textureName)
{
    return AddTexture(TTextureFormat::Sprite, textureName, std::string(), true, 0, 0, 0);
}

void TSceneTextureList::AddResourceLines(TStrings& lines)
{
    const auto addLine = [&lines](const std::string& name) {
        const char* type = LowerCase(ExtractFileExt(name)) == ".bmp" ? " Bitmap " : " RCData ";
        lines.Add(ResourceNameOf(name) + type + name);
    };
    for (int i = 0; i < GetCount(); ++i) {
        const auto* texture = dynamic_cast<const TSceneTexture*>(GetItem(i));
        if (texture == nullptr)
            continue;
        addLine(texture->TextureName);
        if (!texture->AlphaName.empty())
            addLine(texture->AlphaName);
    }
}

void TSceneTextureList::SaveOptions(TResourceLoader& writer)
{
    TResource::SaveOptions(writer);
    writer.WriteString("Quality", TextureQualityToStr(Quality));
    writer.WriteString("ColorBit", ColorBitToStr(ColorBit16));
    writer.WriteBool("MipMap", MipMap);
}

void TSceneTextureList::LoadOptions(TResourceLoader& reader)
{
    TResource::LoadOptions(reader);
    Quality = StrToTextureQuality(reader.ReadString("Quality", "High"));
    ColorBit16 = StrToColorBit(reader.ReadString("ColorBit", "32bit"));
    MipMap = reader.ReadBool("MipMap", false);
}
