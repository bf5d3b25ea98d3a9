// The drawing kit of the skin generator: a floating-point RGB canvas on which
// shapes given by signed distance functions are laid with analytic
// anti-aliasing (a pixel takes clamp(0.5 - d) of a shape whose distance at
// its centre is d), then rounded (ties to even) into a 24-bit picture.
//
// Pixel (x, y) covers [x, x + 1) x [y, y + 1); distances are measured from
// its centre. A shape whose straight edges lie on whole coordinates covers
// the pixels along them fully or not at all, so flat areas come out exactly
// in their colour, which the skin relies on for its client areas.
#pragma once

#include <functional>
#include <vector>

#include "classlib/core/BmpCodec.h"

struct TRgb {
    double R = 0, G = 0, B = 0;
};

TRgb Rgb(int r, int g, int b);
TRgb Mix(const TRgb& a, const TRgb& b, double t);
// The colour as a TColor (0x00BBGGRR).
int ColorValue(const TRgb& c);

// Signed distances: negative inside.
// A rectangle [l, r) x [t, b) whose top corners are rounded with radius
// topRadius and bottom corners with bottomRadius (each at most half the
// smaller side).
double SdRoundRect(double x, double y, double l, double t, double r, double b, double topRadius,
                   double bottomRadius);
double SdCircle(double x, double y, double cx, double cy, double radius);
// A stroke of half-width halfWidth along the segment (x1, y1)-(x2, y2).
double SdSegment(double x, double y, double x1, double y1, double x2, double y2, double halfWidth);

// The clip of a drawing step: the pixels [Left, Right) x [Top, Bottom).
struct TPixelRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class TSkinPainter {
public:
    using TDistance = std::function<double(double x, double y)>;
    using TShade = std::function<TRgb(double x, double y)>;

    TSkinPainter(int width, int height, const TRgb& ground);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // Lays shade(x, y) over the pixels of clip, each covered by the shape
    // `distance` and weighted by opacity.
    void Fill(const TPixelRect& clip, const TDistance& distance, const TShade& shade, double opacity = 1);
    void Fill(const TPixelRect& clip, const TDistance& distance, const TRgb& colour, double opacity = 1);
    // Sets every pixel of the rectangle to colour.
    void Rect(const TPixelRect& rect, const TRgb& colour);

    TRgb Pixel(int x, int y) const { return FPixels[static_cast<size_t>(y) * FWidth + x]; }

    // 24-bit picture (bottom-up rows, as most writers store them).
    TDibImage ToDib() const;
    // 1-bit picture: black (index 0) where inside(x, y) holds, else white.
    TDibImage ToMask(const std::function<bool(int x, int y)>& inside) const;

private:
    int FWidth, FHeight;
    std::vector<TRgb> FPixels;
};
