// `TspEffectBmp`: a 24-bit top-down DIB section copied from a bitmap handle,
// with the morphs and effects of TEffectImage (skin/core/EffectImage.h)
// working on its pixels, drawn onto a device context when done.
#pragma once

#include <windows.h>

#include "skin/core/EffectImage.h"

class TspEffectBmp : public TEffectImage {
public:
    // Copies the pixels of `bitmap` (any depth) through the screen's device
    // context. A handle that is not a bitmap, or an empty one, gives an empty
    // image on which every operation does nothing.
    explicit TspEffectBmp(HBITMAP bitmap);
    ~TspEffectBmp() override;
    TspEffectBmp(const TspEffectBmp&) = delete;
    TspEffectBmp& operator=(const TspEffectBmp&) = delete;

    HBITMAP Handle() const { return FHandle; }
    const BITMAPINFOHEADER& BitmapInfo() const { return FBitmapInfo; }

    // The whole image with its top-left corner at (X, Y) of DC.
    void Draw(HDC DC, int X, int Y) const;

private:
    BITMAPINFOHEADER FBitmapInfo{};
    HBITMAP FHandle = nullptr;
};
