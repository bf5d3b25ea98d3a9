#include "SkinPainter.h"

#include <algorithm>
#include <cmath>

TRgb Rgb(int r, int g, int b)
{
    return {double(r), double(g), double(b)};
}

TRgb Mix(const TRgb& a, const TRgb& b, double t)
{
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

namespace {

int Channel(double v)
{
    return static_cast<int>(std::clamp(std::nearbyint(v), 0.0, 255.0));
}

}  // namespace

int ColorValue(const TRgb& c)
{
    return Channel(c.R) | Channel(c.G) << 8 | Channel(c.B) << 16;
}

double SdRoundRect(double x, double y, double l, double t, double r, double b, double topRadius,
                   double bottomRadius)
{
    const double cx = (l + r) / 2, cy = (t + b) / 2, hw = (r - l) / 2, hh = (b - t) / 2;
    const double radius = y < cy ? topRadius : bottomRadius;
    const double qx = std::fabs(x - cx) - hw + radius, qy = std::fabs(y - cy) - hh + radius;
    return std::min(std::max(qx, qy), 0.0) + std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) - radius;
}

double SdCircle(double x, double y, double cx, double cy, double radius)
{
    return std::hypot(x - cx, y - cy) - radius;
}

double SdSegment(double x, double y, double x1, double y1, double x2, double y2, double halfWidth)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double h = std::clamp(((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(x - x1 - dx * h, y - y1 - dy * h) - halfWidth;
}

TSkinPainter::TSkinPainter(int width, int height, const TRgb& ground)
    : FWidth(width), FHeight(height), FPixels(static_cast<size_t>(width) * height, ground)
{
}

void TSkinPainter::Fill(const TPixelRect& clip, const TDistance& distance, const TShade& shade, double opacity)
{
    for (int y = std::max(clip.Top, 0); y < std::min(clip.Bottom, FHeight); ++y)
        for (int x = std::max(clip.Left, 0); x < std::min(clip.Right, FWidth); ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double a = std::clamp(0.5 - distance(px, py), 0.0, 1.0) * opacity;
            if (a <= 0)
                continue;
            TRgb& p = FPixels[static_cast<size_t>(y) * FWidth + x];
            p = a >= 1 ? shade(px, py) : Mix(p, shade(px, py), a);
        }
}

void TSkinPainter::Fill(const TPixelRect& clip, const TDistance& distance, const TRgb& colour, double opacity)
{
    Fill(clip, distance, [&](double, double) { return colour; }, opacity);
}

void TSkinPainter::Rect(const TPixelRect& rect, const TRgb& colour)
{
    Fill(rect, [](double, double) { return -1.0; }, colour);
}

TDibImage TSkinPainter::ToDib() const
{
    TDibImage image;
    image.Width = FWidth;
    image.Height = FHeight;
    image.BitCount = 24;
    image.Allocate();
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* row = image.ScanLine(y);
        for (int x = 0; x < FWidth; ++x) {
            const TRgb& p = Pixel(x, y);
            row[x * 3] = static_cast<uint8_t>(Channel(p.B));
            row[x * 3 + 1] = static_cast<uint8_t>(Channel(p.G));
            row[x * 3 + 2] = static_cast<uint8_t>(Channel(p.R));
        }
    }
    return image;
}

TDibImage TSkinPainter::ToMask(const std::function<bool(int x, int y)>& inside) const
{
    TDibImage image;
    image.Width = FWidth;
    image.Height = FHeight;
    image.BitCount = 1;
    image.Allocate();
    image.Palette = {0x000000, 0xFFFFFF};
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* row = image.ScanLine(y);
        for (int x = 0; x < FWidth; ++x)
            if (!inside(x, y))
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
    return image;
}
