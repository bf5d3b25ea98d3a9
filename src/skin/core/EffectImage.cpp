#include "skin/core/EffectImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "classlib/core/Random.h"

namespace {

using Real = long double;

uint8_t Channel(Real value)
{
    const Real rounded = std::nearbyint(value);
    if (!(rounded > 0))
        return 0;
    if (rounded >= 255)
        return 255;
    return static_cast<uint8_t>(rounded);
}

Real ClampKf(double Kf)
{
    if (!(Kf > 0))
        return 0;
    return Kf >= 1 ? 1 : static_cast<Real>(Kf);
}

int Round(Real value) { return static_cast<int>(std::nearbyint(value)); }

// Blend(a, b, k) = round(k*a + (1 - k)*b) on the three channels of a pixel.
void BlendPixel(uint8_t* pixel, const uint8_t* c2, Real k)
{
    for (int i = 0; i < 3; ++i)
        pixel[i] = Channel(k * pixel[i] + (1 - k) * c2[i]);
}

// A soft edge: from `from` stepping by `dir` while inside [0, count), each
// pixel (of the unit `unit` gives) blended with Bmp2's with a factor that
// starts at 0 and grows by `step`, held at 1.
template <typename Unit>
void SoftEdge(int from, int to, int dir, Real step, Unit unit)
{
    Real k = 0;
    for (int i = from; dir > 0 ? i <= to : i >= to; i += dir) {
        unit(i, k);
        k = std::min<Real>(k + step, 1);
    }
}

}  // namespace

TEffectImage::TEffectImage(TDibImage& image)
{
    if (image.BitCount == 24 && !image.Bits.empty())
        SetPixels(image.Bits.data(), image.Width, image.Height);
}

void TEffectImage::SetPixels(uint8_t* bits, int width, int height)
{
    FBits = bits;
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    FRowInc = static_cast<size_t>(FWidth) * 3 + static_cast<size_t>(FWidth % 4);
}

bool TEffectImage::SameSize(const TEffectImage& other) const
{
    return other.FWidth == FWidth && other.FHeight == FHeight && other.FBits != nullptr;
}

void TEffectImage::GetRow(int Y, uint8_t* Buffer) const
{
    std::memcpy(Buffer, RowPtr(Y), static_cast<size_t>(FWidth) * 3);
}

void TEffectImage::SetRow(int Y, const uint8_t* Buffer)
{
    std::memcpy(RowPtr(Y), Buffer, static_cast<size_t>(FWidth) * 3);
}

void TEffectImage::Morph(const TEffectImage& Bmp2, double Kf)
{
    if (Empty() || !SameSize(Bmp2))
        return;
    MorphRect(Bmp2, TRect{0, 0, FWidth, FHeight}, Kf, 0, 0);
}

void TEffectImage::MorphRect(const TEffectImage& Bmp2, const TRect& Rect, double Kf, int X, int Y)
{
    if (Empty() || Bmp2.Empty())
        return;
    const Real k = ClampKf(Kf);
    // This image's pixel (x, y) meets Bmp2's (x + ox, y + oy).
    const int64_t ox = static_cast<int64_t>(X) - Rect.Left;
    const int64_t oy = static_cast<int64_t>(Y) - Rect.Top;
    const int64_t left = std::max<int64_t>({Rect.Left, 0, -ox});
    const int64_t top = std::max<int64_t>({Rect.Top, 0, -oy});
    const int64_t right = std::min<int64_t>({Rect.Right, FWidth, Bmp2.FWidth - ox});
    const int64_t bottom = std::min<int64_t>({Rect.Bottom, FHeight, Bmp2.FHeight - oy});
    if (right <= left || bottom <= top)
        return;
    std::vector<uint8_t> row(static_cast<size_t>(FWidth) * 3);
    for (int64_t y = top; y < bottom; ++y) {
        GetRow(static_cast<int>(y), row.data());
        const uint8_t* row2 = Bmp2.RowPtr(static_cast<int>(y + oy));
        for (int64_t x = left; x < right; ++x) {
            uint8_t* p = row.data() + 3 * x;
            const uint8_t* c2 = row2 + 3 * (x + ox);
            for (int i = 0; i < 3; ++i)
                p[i] = Channel((1 - k) * p[i] + k * c2[i]);
        }
        SetRow(static_cast<int>(y), row.data());
    }
}

void TEffectImage::GradientMorph(const TEffectImage& Bmp2, double Kf)
{
    if (Empty() || !SameSize(Bmp2))
        return;
    const Real kf = ClampKf(Kf);
    const bool horizontal = FWidth >= FHeight;
    const int W = horizontal ? FWidth : FHeight;
    const int w2 = Round(W * kf);
    const int g = (W - w2) / 2;
    const Real step = g == 0 ? 1 : Real(1) / g;
    const int a = std::max(W / 2 - w2 / 2, 0);
    const int b = std::min(W / 2 + w2 / 2, W - 1);
    std::vector<uint8_t> row(static_cast<size_t>(FWidth) * 3);
    if (horizontal) {
        for (int y = 0; y < FHeight; ++y) {
            GetRow(y, row.data());
            const uint8_t* row2 = Bmp2.RowPtr(y);
            for (int x = a; x <= b; ++x)
                std::memcpy(row.data() + 3 * x, row2 + 3 * x, 3);
            auto blend = [&](int x, Real k) { BlendPixel(row.data() + 3 * x, row2 + 3 * x, k); };
            SoftEdge(a, 0, -1, step, blend);
            SoftEdge(b, W - 1, 1, step, blend);
            SetRow(y, row.data());
        }
        return;
    }
    for (int y = a; y <= b; ++y)
        SetRow(y, Bmp2.RowPtr(y));
    auto blendRow = [&](int y, Real k) {
        GetRow(y, row.data());
        const uint8_t* row2 = Bmp2.RowPtr(y);
        for (int x = 0; x < FWidth; ++x)
            BlendPixel(row.data() + 3 * x, row2 + 3 * x, k);
        SetRow(y, row.data());
    };
    SoftEdge(a, 0, -1, step, blendRow);
    SoftEdge(b, W - 1, 1, step, blendRow);
}

void TEffectImage::LeftGradientMorph(const TEffectImage& Bmp2, double Kf)
{
    if (Empty() || !SameSize(Bmp2))
        return;
    const int W = FWidth;
    const int n = std::min(std::max(Round(W * ClampKf(Kf)), 1), W - 1);
    const Real step = n > 0 ? Real(1) / n : 1;
    std::vector<uint8_t> row(static_cast<size_t>(W) * 3);
    for (int y = 0; y < FHeight; ++y) {
        GetRow(y, row.data());
        const uint8_t* row2 = Bmp2.RowPtr(y);
        SoftEdge(0, n, 1, step, [&](int x, Real k) { BlendPixel(row.data() + 3 * x, row2 + 3 * x, k); });
        SetRow(y, row.data());
    }
}

void TEffectImage::RightGradientMorph(const TEffectImage& Bmp2, double Kf)
{
    if (Empty() || !SameSize(Bmp2))
        return;
    const int W = FWidth;
    const int n = std::clamp(W - Round(W * ClampKf(Kf)), 0, W - 1);
    const Real step = W - n < 1 ? 1 : Real(1) / (W - n);
    std::vector<uint8_t> row(static_cast<size_t>(W) * 3);
    for (int y = 0; y < FHeight; ++y) {
        GetRow(y, row.data());
        const uint8_t* row2 = Bmp2.RowPtr(y);
        SoftEdge(W - 1, n, -1, step, [&](int x, Real k) { BlendPixel(row.data() + 3 * x, row2 + 3 * x, k); });
        SetRow(y, row.data());
    }
}

void TEffectImage::PushMorph(const TEffectImage& Bmp2, double Kf)
{
    if (Empty() || !SameSize(Bmp2))
        return;
    const int W = FWidth;
    const int n = std::clamp(Round(W * ClampKf(Kf)), 0, W - 1);
    std::vector<uint8_t> row(static_cast<size_t>(W) * 3);
    for (int y = 0; y < FHeight; ++y) {
        GetRow(y, row.data());
        const uint8_t* row2 = Bmp2.RowPtr(y);
        // Downwards, so every source column is read before it is written.
        for (int x = W - 1; x >= n; --x)
            std::memcpy(row.data() + 3 * x, row.data() + 3 * std::max(x - n - 1, 0), 3);
        for (int i = 0; i <= n; ++i)
            std::memcpy(row.data() + 3 * i, row2 + 3 * std::min(W - n - 1 + i, W - 1), 3);
        SetRow(y, row.data());
    }
}

void TEffectImage::LeftSlideMorph(const TEffectImage& Bmp2, double Kf)
{
    if (Empty() || !SameSize(Bmp2))
        return;
    const int W = FWidth;
    const int n = std::min(std::max(Round(W * ClampKf(Kf)), 1), W - 1);
    std::vector<uint8_t> row(static_cast<size_t>(W) * 3);
    for (int y = 0; y < FHeight; ++y) {
        GetRow(y, row.data());
        const uint8_t* row2 = Bmp2.RowPtr(y);
        for (int i = 0; i < n; ++i)
            std::memcpy(row.data() + 3 * i, row2 + 3 * std::min(W - n + i, W - 1), 3);
        SetRow(y, row.data());
    }
}

void TEffectImage::RightSlideMorph(const TEffectImage& Bmp2, double Kf)
{
    if (Empty() || !SameSize(Bmp2))
        return;
    const int W = FWidth;
    const int n = std::min(std::max(Round(W * ClampKf(Kf)), 1), W - 1);
    std::vector<uint8_t> row(static_cast<size_t>(W) * 3);
    for (int y = 0; y < FHeight; ++y) {
        GetRow(y, row.data());
        const uint8_t* row2 = Bmp2.RowPtr(y);
        for (int i = 0; i < n; ++i)
            std::memcpy(row.data() + 3 * (W - n + i), row2 + 3 * i, 3);
        SetRow(y, row.data());
    }
}

namespace {

// Applies `change` to every channel of every pixel, row by row.
template <typename Change>
void EachChannel(TEffectImage& image, Change change)
{
    std::vector<uint8_t> row(static_cast<size_t>(image.Width()) * 3);
    for (int y = 0; y < image.Height(); ++y) {
        image.GetRow(y, row.data());
        for (uint8_t& c : row)
            c = change(c);
        image.SetRow(y, row.data());
    }
}

}  // namespace

void TEffectImage::ChangeBrightness(double Kf)
{
    if (Empty())
        return;
    const Real k = ClampKf(Kf);
    EachChannel(*this, [k](uint8_t c) { return Channel((1 - k) * c + 255 * k); });
}

void TEffectImage::ChangeDarkness(double Kf)
{
    if (Empty())
        return;
    const Real k = ClampKf(Kf);
    EachChannel(*this, [k](uint8_t c) { return Channel((1 - k) * c); });
}

void TEffectImage::Invert()
{
    if (Empty())
        return;
    EachChannel(*this, [](uint8_t c) { return static_cast<uint8_t>(255 - c); });
}

void TEffectImage::GrayScale()
{
    if (Empty())
        return;
    std::vector<uint8_t> row(static_cast<size_t>(FWidth) * 3);
    for (int y = 0; y < FHeight; ++y) {
        GetRow(y, row.data());
        for (int x = 0; x < FWidth; ++x) {
            uint8_t* p = row.data() + 3 * x;
            const uint8_t g = Channel(0.3L * p[2] + 0.59L * p[1] + 0.11L * p[0]);
            p[0] = p[1] = p[2] = g;
        }
        SetRow(y, row.data());
    }
}

void TEffectImage::SplitBlur(int Amount)
{
    if (Empty() || Amount == 0)
        return;
    const int64_t n = Amount;
    auto inside = [](int64_t i, int64_t own, int count) { return i >= 0 && i < count ? i : own; };
    std::vector<uint8_t> row(static_cast<size_t>(FWidth) * 3);
    for (int y = 0; y < FHeight; ++y) {
        const uint8_t* upper = RowPtr(static_cast<int>(inside(y - n, y, FHeight)));
        const uint8_t* lower = RowPtr(static_cast<int>(inside(y + n, y, FHeight)));
        for (int x = 0; x < FWidth; ++x) {
            const int64_t l = inside(x - n, x, FWidth);
            const int64_t r = inside(x + n, x, FWidth);
            for (int i = 0; i < 3; ++i) {
                const int sum = upper[3 * l + i] + lower[3 * l + i] + upper[3 * r + i] + lower[3 * r + i];
                row[3 * x + i] = static_cast<uint8_t>(sum / 4);
            }
        }
        SetRow(y, row.data());
    }
}

void TEffectImage::AddColorNoise(int Amount)
{
    if (Empty())
        return;
    std::vector<uint8_t> row(static_cast<size_t>(FWidth) * 3);
    for (int y = 0; y < FHeight; ++y) {
        GetRow(y, row.data());
        for (int x = 0; x < FWidth; ++x) {
            const int r = Random(Amount) - Amount / 2;
            for (int i = 0; i < 3; ++i)
                row[3 * x + i] = static_cast<uint8_t>(std::clamp(row[3 * x + i] + r, 0, 255));
        }
        SetRow(y, row.data());
    }
}

void TEffectImage::MorphByKind(const TEffectImage& Bmp2, TspMorphKind Kind, double Kf)
{
    switch (Kind) {
    case mkGradient: GradientMorph(Bmp2, Kf); break;
    case mkLeftGradient: LeftGradientMorph(Bmp2, Kf); break;
    case mkRightGradient: RightGradientMorph(Bmp2, Kf); break;
    case mkLeftSlide: LeftSlideMorph(Bmp2, Kf); break;
    case mkRightSlide: RightSlideMorph(Bmp2, Kf); break;
    case mkPush: PushMorph(Bmp2, Kf); break;
    default: Morph(Bmp2, Kf); break;
    }
}
