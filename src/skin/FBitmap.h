// `TFBitmap`: a 24-bit, top-down copy of any bitmap, for code that reads or
// changes pixels directly (region scans, the effect bitmap).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// A 24-bit, top-down DIB copy of a bitmap handle with direct pixel access:
// rows of RowInc = Width*3 + Width mod 4 bytes, each pixel blue, green, red.
// The pixels are read through the screen's device context, whatever the
// source's depth. A handle that is not a bitmap gives a 0 x 0 copy.
class TFBitmap {
public:
    explicit TFBitmap(HBITMAP source);
    ~TFBitmap();
    TFBitmap(const TFBitmap&) = delete;
    TFBitmap& operator=(const TFBitmap&) = delete;

    int Width = 0;
    int Height = 0;
    int RowInc = 0;
    int Gap = 0;
    int Size = 0;
    BITMAPINFOHEADER BitmapInfo{};
    HBITMAP Handle = nullptr;
    uint8_t* Bits = nullptr;
    std::vector<uint8_t*> ScanLines;
    // A memory DC compatible with the screen with Handle selected.
    HDC DC = nullptr;

private:
    HGDIOBJ FOldBitmap = nullptr;
};
