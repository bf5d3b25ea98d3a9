// TGLTexture: one OpenGL texture object with its own pixel buffer.
//
// The buffer holds FrameCount frames of Width x Height pixels in the
// texture's format and type; the texture list's presets (TGLTextureList)
// make textures of the kinds the scene engine fills from pictures and
// fonts. The texture uploads itself on first use (Apply) - with mipmaps
// when its filter asks for them, or copied from the frame buffer - and
// Release deletes the GL object but keeps the pixels, so that after the
// context is made again the next Apply uploads the same picture again.
#pragma once

#include <cstdint>
#include <memory>

#include "gl/core/GLBinding.h"
#include "gl/core/GLItemList.h"
#include "gl/core/VectorTypes.h"

class TGLTexture : public TGLItem {
public:
    explicit TGLTexture(TGLItemList* ownerList);
    // Releases the GL texture and frees the buffer.
    ~TGLTexture() override;

    std::string ClassName() const override { return "TGLTexture"; }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Each size is 0 or a power of two up to MaxSide; anything else raises
    // Exception "TGLTexture.SetWidth error: Width is not power 2" /
    // "TGLTexture.SetHeight error: Height is not power 2". SetSize sets the
    // width first.
    // MaxSide keeps a frame (up to 16 bytes a pixel) within 1 GiB, so row
    // and frame sizes always fit an int.
    static constexpr int MaxSide = 8192;
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

    // Frames in the buffer (at least 1; the buffer takes the new count at
    // the next AllocPixels) and the frame that is uploaded and that
    // GetScanLine addresses.
    int FrameCount() const { return FFrameCount; }
    void SetFrameCount(int count);
    int CurrentFrame() const { return FCurrentFrame; }
    void SetCurrentFrame(int frame) { FCurrentFrame = frame; }

    // Frees the buffer and allocates FrameSize * FrameCount zeroed bytes.
    void AllocPixels();
    void FreePixels();
    uint8_t* Pixels() const { return FPixels.get(); }
    // Row `row` of the current frame: the buffer + CurrentFrame * FrameSize
    // + row * RowSize; null when that row lies outside the buffer.
    uint8_t* GetScanLine(int row) const;

    // How the texture is uploaded and applied. Changes reach the GL at the
    // next upload (after Release), except TextureUnit and AlphaRef, which
    // every Bind / Apply sends.
    GLenum Target = GL_TEXTURE_2D;   // or GL_TEXTURE_1D
    GLenum Filter = GL_LINEAR;       // minification; a mipmap filter builds mipmaps
    GLenum EnvMode = GL_MODULATE;    // GL_TEXTURE_ENV_MODE
    TGLColorFloat EnvColor{1, 1, 1, 1};  // GL_TEXTURE_ENV_COLOR
    bool Repeat = true;              // GL_REPEAT on s and t, else GL_CLAMP
    float Priority = 1.0f;           // GL_TEXTURE_PRIORITY
    // Take the image from the frame buffer at (CopyX, CopyY) instead of
    // the buffer.
    bool CopyFromFrameBuffer = false;
    int CopyX = 0;
    int CopyY = 0;
    // The unit bound to when the context offers multitexture.
    int TextureUnit = 0;
    // glAlphaFunc(GL_GREATER, AlphaRef) on every Apply.
    float AlphaRef = 0.0f;

    bool Uploaded() const { return FUploaded; }
    GLuint Name() const { return FName; }

    // Only when not uploaded: makes the GL texture (glGenTextures, Bind)
    // and gives it its image and parameters. The image is, first match:
    // copied from the frame buffer; built with mipmaps (gluBuild2DMipmaps)
    // for a mipmap filter; glTexImage2D / glTexImage1D for the target. The
    // magnification filter is GL_LINEAR for a filter of GL_LINEAR and up
    // (the mipmap filters included), else GL_NEAREST. A target other than
    // GL_TEXTURE_2D and GL_TEXTURE_1D raises Exception "TGLTexture.UpLoad
    // error: Target has invalid format" before any GL call. The pixels are
    // those of the current frame; when the buffer does not hold that frame
    // whole (none allocated, or allocated for a smaller size), no pixels are
    // handed over and the image is left undefined - and without pixels no
    // mipmaps are built.
    void UpLoad();
    // Deletes the GL texture when it exists; the pixels stay, so the next
    // use uploads again.
    void Release();
    // glActiveTextureARB(GL_TEXTURE0_ARB + TextureUnit) when the texture
    // list has multitexture and the entry point is bound, then
    // glBindTexture(Target, Name).
    void Bind();
    // UpLoad when needed, Bind, glAlphaFunc(GL_GREATER, AlphaRef) and
    // glEnable(Target).
    void Apply();

protected:
    bool FUploaded = false;
    GLuint FName = 0;

private:
    void UpdateSizes();
    // The current frame's pixels, or null when the buffer does not hold
    // that frame whole.
    const uint8_t* FramePixels() const;

    int FWidth = 256;
    int FHeight = 256;
    std::unique_ptr<uint8_t[]> FPixels;
    size_t FPixelsSize = 0;
    GLenum FFormat = GL_RGB;
    GLenum FInternalFormat = GL_RGB8;
    GLenum FType = GL_UNSIGNED_BYTE;
    int FComponents = 0;
    int FBytesPerPixel = 0;
    int FRowSize = 0;
    int FFrameSize = 0;
    int FFrameCount = 1;
    int FCurrentFrame = 0;
};
