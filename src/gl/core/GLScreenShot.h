// TGLScreenShot: the frame buffer of the rendering window, captured into
// memory as rows of RGB bytes.
//
// Row 0 is the BOTTOM row of the window (OpenGL's order) and each pixel is
// red, green, blue; rows are packed tightly, RowSize = Width * 3. The
// application writes the capture to a picture file, numbering its files by
// the capture counter.
//
// A capture reads the GL's read buffer, which in a double-buffered context
// is the back buffer: take it after a frame is drawn and before that frame
// is swapped (the back buffer is undefined after a swap).
#pragma once

#include <cstdint>
#include <memory>

#include "classlib/core/Components.h"

struct HWND__;
using GLHWND = HWND__*;

class TGLScreenShot : public TObject {
public:
    std::string ClassName() const override { return "TGLScreenShot"; }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int RowSize() const { return FRowSize; }
    int BytesPerPixel() const { return 3; }
    // Number of captures made so far.
    int CaptureCount() const { return FCaptureCount; }
    const uint8_t* Buffer() const { return FBuffer.get(); }

    // Captures the client area of window from the current context's frame
    // buffer (the Win32 part of the layer supplies it).
    void Capture(GLHWND window);
    // Captures width x height pixels from the lower-left corner of the frame
    // buffer with glReadPixels, GL_PACK_ALIGNMENT set to 1; a size below 1
    // gives an empty capture. Raises the capture counter either way.
    void Capture(int width, int height);

    // Row `row` of the capture (0 = bottom).
    const uint8_t* GetScanLine(int row) const { return FBuffer.get() + static_cast<size_t>(row) * FRowSize; }

    // Frees the buffer; width, height and row size become 0.
    void Clear();

private:
    int FWidth = 0;
    int FCaptureCount = 0;
    int FHeight = 0;
    std::unique_ptr<uint8_t[]> FBuffer;
    int FRowSize = 0;
};
