#include "gl/core/GLScreenShot.h"

#include "gl/core/GLBinding.h"

void TGLScreenShot::Capture(int width, int height)
{
    Clear();
    ++FCaptureCount;
    if (width < 1 || height < 1)
        return;
    FWidth = width;
    FHeight = height;
    FRowSize = width * BytesPerPixel();
    FBuffer.reset(new uint8_t[static_cast<size_t>(FRowSize) * height]());
    glPixelStoref(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, FBuffer.get());
}

void TGLScreenShot::Clear()
{
    FBuffer.reset();
    FWidth = 0;
    FHeight = 0;
    FRowSize = 0;
}
