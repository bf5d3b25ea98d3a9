#include "gl/core/GLTexture.h"

#include "classlib/core/Exceptions.h"

namespace {

bool IsPowerOfTwoOrZero(int value) { return value >= 0 && (value & (value - 1)) == 0; }

int ComponentsOf(GLenum format)
{
    switch (format) {
    case GL_LUMINANCE_ALPHA:
        return 2;
    case GL_RGB:
    case GL_BGR:
        return 3;
    case GL_RGBA:
    case GL_BGRA:
        return 4;
    default:
        return 1;
    }
}

int BytesPerPixelOf(GLenum type, int components)
{
    switch (type) {
    case GL_SHORT:
    case GL_UNSIGNED_SHORT:
        return 2 * components;
    case GL_INT:
    case GL_UNSIGNED_INT:
    case GL_FLOAT:
        return 4 * components;
    case GL_UNSIGNED_BYTE_3_3_2:
    case GL_UNSIGNED_BYTE_2_3_3_REV:
        return 1;
    case GL_UNSIGNED_SHORT_4_4_4_4:
    case GL_UNSIGNED_SHORT_4_4_4_4_REV:
    case GL_UNSIGNED_SHORT_5_5_5_1:
    case GL_UNSIGNED_SHORT_1_5_5_5_REV:
    case GL_UNSIGNED_SHORT_5_6_5:
    case GL_UNSIGNED_SHORT_5_6_5_REV:
        return 2;
    case GL_UNSIGNED_INT_8_8_8_8:
    case GL_UNSIGNED_INT_8_8_8_8_REV:
    case GL_UNSIGNED_INT_10_10_10_2:
    case GL_UNSIGNED_INT_2_10_10_10_REV:
        return 4;
    default:  // GL_BYTE, GL_UNSIGNED_BYTE
        return components;
    }
}

}  // namespace

TGLTexture::TGLTexture(TGLItemList* ownerList) : TGLItem(ownerList) { UpdateSizes(); }

TGLTexture::~TGLTexture() { Release(); }

void TGLTexture::SetWidth(int width)
{
    if (!IsPowerOfTwoOrZero(width))
        throw Exception("TGLTexture.SetWidth error: Width is not power 2");
    FWidth = width;
    UpdateSizes();
}

void TGLTexture::SetHeight(int height)
{
    if (!IsPowerOfTwoOrZero(height))
        throw Exception("TGLTexture.SetHeight error: Height is not power 2");
    FHeight = height;
    UpdateSizes();
}

void TGLTexture::SetSize(int width, int height)
{
    SetWidth(width);
    SetHeight(height);
}

void TGLTexture::SetFormat(GLenum internalFormat, GLenum format, GLenum type)
{
    FInternalFormat = internalFormat;
    FFormat = format;
    FType = type;
    UpdateSizes();
}

void TGLTexture::SetType(GLenum type)
{
    FType = type;
    UpdateSizes();
}

void TGLTexture::UpdateSizes()
{
    FComponents = ComponentsOf(FFormat);
    FBytesPerPixel = BytesPerPixelOf(FType, FComponents);
    FRowSize = FBytesPerPixel * FWidth;
    FFrameSize = FRowSize * FHeight;
}

void TGLTexture::AllocPixels()
{
    FreePixels();
    FPixels.reset(new uint8_t[static_cast<size_t>(FFrameSize) * FFrameCount]());
}

void TGLTexture::FreePixels() { FPixels.reset(); }

void TGLTexture::Release()
{
    if (FUploaded && glDeleteTextures)
        glDeleteTextures(1, &FName);
    FUploaded = false;
}
