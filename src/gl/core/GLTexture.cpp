#include "gl/core/GLTexture.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "gl/core/GLLists.h"

namespace {

bool IsValidSide(int value)
{
    return value >= 0 && value <= TGLTexture::MaxSide && (value & (value - 1)) == 0;
}

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

bool IsMipmapFilter(GLenum filter) { return filter >= GL_NEAREST_MIPMAP_NEAREST && filter <= GL_LINEAR_MIPMAP_LINEAR; }

}  // namespace

TGLTexture::TGLTexture(TGLItemList* ownerList) : TGLItem(ownerList) { UpdateSizes(); }

TGLTexture::~TGLTexture() { Release(); }

void TGLTexture::SetWidth(int width)
{
    if (!IsValidSide(width))
        throw Exception("TGLTexture.SetWidth error: Width is not power 2");
    FWidth = width;
    UpdateSizes();
}

void TGLTexture::SetHeight(int height)
{
    if (!IsValidSide(height))
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

void TGLTexture::SetFrameCount(int count) { FFrameCount = std::max(count, 1); }

// --- Pixels --------------------------------------------------------------------------

void TGLTexture::AllocPixels()
{
    FreePixels();
    // At most 1 GiB a frame times an int count: no overflow in 64 bits.
    const size_t size = static_cast<size_t>(FFrameSize) * static_cast<size_t>(FFrameCount);
    FPixels.reset(new uint8_t[size]());
    FPixelsSize = size;
}

void TGLTexture::FreePixels()
{
    FPixels.reset();
    FPixelsSize = 0;
}

uint8_t* TGLTexture::GetScanLine(int row) const
{
    if (!FPixels || FCurrentFrame < 0 || row < 0 || row >= FHeight)
        return nullptr;
    const size_t offset = static_cast<size_t>(FCurrentFrame) * FFrameSize + static_cast<size_t>(row) * FRowSize;
    if (offset + FRowSize > FPixelsSize)
        return nullptr;
    return FPixels.get() + offset;
}

const uint8_t* TGLTexture::FramePixels() const
{
    if (!FPixels || FCurrentFrame < 0)
        return nullptr;
    const size_t offset = static_cast<size_t>(FCurrentFrame) * FFrameSize;
    if (offset + FFrameSize > FPixelsSize)
        return nullptr;
    return FPixels.get() + offset;
}

// --- The GL texture ------------------------------------------------------------------

void TGLTexture::UpLoad()
{
    if (FUploaded)
        return;
    if (Target != GL_TEXTURE_2D && Target != GL_TEXTURE_1D)
        throw Exception("TGLTexture.UpLoad error: Target has invalid format");
    glGenTextures(1, &FName);
    Bind();
    glPixelStoref(GL_UNPACK_ALIGNMENT, 1);
    glTexParameterf(Target, GL_TEXTURE_PRIORITY, Priority);

    const uint8_t* pixels = FramePixels();
    const auto internalFormat = static_cast<GLint>(FInternalFormat);
    if (CopyFromFrameBuffer && Target == GL_TEXTURE_2D)
        glCopyTexImage2D(Target, 0, FInternalFormat, CopyX, CopyY, FWidth, FHeight, 0);
    else if (CopyFromFrameBuffer)
        glCopyTexImage1D(Target, 0, FInternalFormat, CopyX, CopyY, FWidth, 0);
    else if (IsMipmapFilter(Filter) && pixels)
        gluBuild2DMipmaps(Target, FComponents, FWidth, FHeight, FFormat, FType, pixels);
    else if (Target == GL_TEXTURE_2D)
        glTexImage2D(Target, 0, internalFormat, FWidth, FHeight, 0, FFormat, FType, pixels);
    else
        glTexImage1D(Target, 0, internalFormat, FWidth, 0, FFormat, FType, pixels);

    glTexParameteri(Target, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(Filter));
    glTexParameteri(Target, GL_TEXTURE_MAG_FILTER, Filter >= GL_LINEAR ? GL_LINEAR : GL_NEAREST);
    const GLint wrap = Repeat ? GL_REPEAT : GL_CLAMP;
    glTexParameteri(Target, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(Target, GL_TEXTURE_WRAP_T, wrap);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(EnvMode));
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, &EnvColor.x);
    FUploaded = true;
}

void TGLTexture::Release()
{
    if (FUploaded && glDeleteTextures)
        glDeleteTextures(1, &FName);
    FUploaded = false;
}

void TGLTexture::Bind()
{
    const auto* list = dynamic_cast<const TGLTextureList*>(OwnerList());
    if (list && list->MultiTexture() && glActiveTextureARB)
        glActiveTextureARB(GL_TEXTURE0_ARB + static_cast<GLenum>(TextureUnit));
    glBindTexture(Target, FName);
}

void TGLTexture::Apply()
{
    if (!FUploaded)
        UpLoad();
    Bind();
    glAlphaFunc(GL_GREATER, AlphaRef);
    glEnable(Target);
}
