// `TspEffectBmp`: a 24-bit top-down copy of a bitmap (TFBitmap) with the
// morphs and effects of TEffectImage (skin/core/EffectImage.h) working on
// its pixels, drawn onto a device context when done.
#pragma once

#include <windows.h>

#include "skin/FBitmap.h"
#include "skin/core/EffectImage.h"

class TspEffectBmp : public TEffectImage {
public:
    // Copies the pixels of `bitmap` (any depth). A handle that is not a
    // bitmap, or an empty one, gives an empty image on which every operation
    // does nothing.
    explicit TspEffectBmp(HBITMAP bitmap);
    TspEffectBmp(const TspEffectBmp&) = delete;
    TspEffectBmp& operator=(const TspEffectBmp&) = delete;

    // The DIB section holding the pixels (null when empty).
    HBITMAP Handle() const { return FCopy.Handle; }
    const BITMAPINFOHEADER& BitmapInfo() const { return FCopy.BitmapInfo; }

    // The whole image with its top-left corner at (X, Y) of DC.
    void Draw(HDC DC, int X, int Y) const;

private:
    TFBitmap FCopy;
};
