// TGLTexture: one OpenGL texture object with its own pixel buffer.
//
// The buffer holds FrameCount frames of Width x Height pixels in the
// texture's format and type; the texture list's presets (TGLTextureList)
// make textures of the kinds the scene engine fills. Uploading, binding and
// applying come with the texture's drawing behaviour; what is here is the
// texture's description, its buffer and its release.
#pragma once

#include <cstdint>
#include <memory>

#include "gl/core/GLBinding.h"
#include "gl/core/GLItemList.h"

class TGLTexture : public TGLItem {
public:
    explicit TGLTexture(TGLItemList* ownerList);
    // Releases the GL texture and frees the buffer.
    ~TGLTexture() override;

    std::string ClassName() const override { return "TGLTexture"; }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Each size is 0 or a power of two; anything else raises Exception
    // "TGLTexture.SetWidth error: Width is not power 2" /
    // "TGLTexture.SetHeight error: Height is not power 2". SetSize sets the
    // width first.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);

    GLenum InternalFormat() const { return FInternalFormat; }
    GLenum Format() const { return FFormat; }
    GLenum Type() const { return FType; }
    void SetFormat(GLenum internalFormat, GLenum format, GLenum type);
    void SetType(GLenum type);

    // Derived from format, type and size.
    int Components() const { return FComponents; }
    int BytesPerPixel() const { return FBytesPerPixel; }
    int RowSize() const { return FRowSize; }
    int FrameSize() const { return FFrameSize; }
    int FrameCount() const { return FFrameCount; }

    // Frees the buffer and allocates FrameSize * FrameCount zeroed bytes.
    void AllocPixels();
    void FreePixels();
    uint8_t* Pixels() const { return FPixels.get(); }

    // Minification filter and environment mode used when uploading.
    GLenum Filter = GL_LINEAR;
    GLenum EnvMode = GL_MODULATE;

    bool Uploaded() const { return FUploaded; }
    GLuint Name() const { return FName; }
    // Deletes the GL texture when it exists; the pixels stay, so the next
    // use uploads again.
    void Release();

protected:
    bool FUploaded = false;
    GLuint FName = 0;

private:
    void UpdateSizes();

    int FWidth = 256;
    int FHeight = 256;
    std::unique_ptr<uint8_t[]> FPixels;
    GLenum FFormat = GL_RGB;
    GLenum FInternalFormat = GL_RGB8;
    GLenum FType = GL_UNSIGNED_BYTE;
    int FComponents = 0;
    int FBytesPerPixel = 0;
    int FRowSize = 0;
    int FFrameSize = 0;
    int FFrameCount = 1;
};
