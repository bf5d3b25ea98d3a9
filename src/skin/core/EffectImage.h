// The pixel work of the effect bitmap (skin/EffectBmp.h), without any
// platform API: morphs that blend a 24-bit image with a second one of the
// same size (the animated change between a control's normal and active
// look) and effects that change it in place (the look of an inactive
// skinned form).
//
// A TEffectImage is a view of pixels it does not own: Height rows of
// RowInc = Width*3 + Width mod 4 bytes (each row padded to 4 bytes, as a
// 24-bit DIB and a 24-bit TDibImage lay them out), the top row first, each
// pixel blue, green, red. Every operation works row by row through one row
// buffer, with no other allocation, so a 20 ms animation step stays cheap.
//
// Common rules: a factor Kf below 0 counts as 0 and one of 1 or more as 1;
// a channel is computed in extended precision (long double), rounded to
// nearest with ties to even and held to 0..255. Blend(a, b, k) is
// round(k*a + (1 - k)*b). Every operation does nothing on an image without
// pixels; a morph with a second image of another width or height does
// nothing; MorphRect clips its rectangle to this image and its source area
// to the second image, so no operation reads or writes outside either.
#pragma once

#include <cstddef>
#include <cstdint>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/Types.h"
#include "skin/core/SkinEncodings.h"

class TEffectImage {
public:
    TEffectImage() = default;
    // A view of `image`, which must outlive the view; a picture of another
    // depth gives an empty view.
    explicit TEffectImage(TDibImage& image);
    virtual ~TEffectImage() = default;
    TEffectImage(const TEffectImage&) = delete;
    TEffectImage& operator=(const TEffectImage&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    size_t RowInc() const { return FRowInc; }
    size_t Size() const { return FRowInc * static_cast<size_t>(FHeight); }

    // Row Y (0 = top); Y must lie inside the image. GetRow and SetRow copy
    // Width*3 bytes out of and into the row.
    uint8_t* RowPtr(int Y) const { return FBits + static_cast<size_t>(Y) * FRowInc; }
    void GetRow(int Y, uint8_t* Buffer) const;
    void SetRow(int Y, const uint8_t* Buffer);

    // Cross-fade: c := round((1 - Kf)*c + Kf*c2).
    void Morph(const TEffectImage& Bmp2, double Kf);
    // A band of Bmp2 growing from the centre with soft edges; across the
    // columns when Width >= Height, else across the rows.
    void GradientMorph(const TEffectImage& Bmp2, double Kf);
    // A soft edge of Bmp2 moving in from the left.
    void LeftGradientMorph(const TEffectImage& Bmp2, double Kf);
    // A soft edge of Bmp2 moving in from the right.
    void RightGradientMorph(const TEffectImage& Bmp2, double Kf);
    // Bmp2 pushes this image to the right, its right end entering first.
    void PushMorph(const TEffectImage& Bmp2, double Kf);
    // Bmp2 slides in from the left (its right end first) over this image.
    void LeftSlideMorph(const TEffectImage& Bmp2, double Kf);
    // Bmp2 slides in from the right (its left end first).
    void RightSlideMorph(const TEffectImage& Bmp2, double Kf);
    // The morph a skin record names by its kind (the cross-fade for
    // mkDefault and mkMorph).
    void MorphByKind(const TEffectImage& Bmp2, TspMorphKind Kind, double Kf);
    // Cross-fade of Rect of this image with the area of Bmp2 of the same
    // size whose top-left is (X, Y).
    void MorphRect(const TEffectImage& Bmp2, const TRect& Rect, double Kf, int X, int Y);

    // c := round((1 - Kf)*c + 255*Kf).
    void ChangeBrightness(double Kf);
    // c := round((1 - Kf)*c).
    void ChangeDarkness(double Kf);
    // c := 255 - c.
    void Invert();
    // All three channels := round(0.3*R + 0.59*G + 0.11*B).
    void GrayScale();
    // Each pixel := per channel the mean (div 4) of the four samples n
    // columns left and right, n rows up and down; a sample outside the
    // image falls back to the pixel's own column or row. Rows are done top
    // down in place, so a row sees the already blurred rows above it. n = 0
    // does nothing.
    void SplitBlur(int Amount);
    // Adds one draw Random(Amount) - Amount div 2 of the shared generator to
    // all three channels of each pixel, held to 0..255.
    void AddColorNoise(int Amount);

protected:
    // Points the view at other pixels (the effect bitmap's DIB section).
    void SetPixels(uint8_t* bits, int width, int height);

private:
    bool Empty() const { return FWidth < 1 || FHeight < 1 || FBits == nullptr; }
    bool SameSize(const TEffectImage& other) const;

    uint8_t* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    size_t FRowInc = 0;
};
