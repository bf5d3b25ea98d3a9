#include "support/GLStubPlatform.h"

#include <cstdint>

#include "gl/core/CustomOpenGL.h"

TPixelFormatDescriptor MakeTestDescriptor(uint32_t flags, int colorBits, int depthBits, int stencilBits)
{
    TPixelFormatDescriptor pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = flags;
    pfd.cColorBits = static_cast<uint8_t>(colorBits);
    const int channelBits = colorBits >= 24 ? 8 : colorBits / 3;
    pfd.cRedBits = pfd.cGreenBits = pfd.cBlueBits = static_cast<uint8_t>(channelBits);
    pfd.cRedShift = static_cast<uint8_t>(2 * channelBits);
    pfd.cGreenShift = static_cast<uint8_t>(channelBits);
    pfd.cDepthBits = static_cast<uint8_t>(depthBits);
    pfd.cStencilBits = static_cast<uint8_t>(stencilBits);
    return pfd;
}

std::unique_ptr<TCustomOpenGL> NewStubContext()
{
    auto platform = std::make_unique<TGLStubPlatform>();
    platform->Formats = {MakeTestDescriptor(pfdDrawToWindow | pfdSupportOpenGL | pfdDoubleBuffer, 32, 16)};
    auto context = std::make_unique<TCustomOpenGL>(std::move(platform));
    context->CreateRC(StubDC());
    return context;
}
