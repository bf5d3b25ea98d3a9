#include "skin/core/SkinRegionData.h"

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutRect(std::vector<uint8_t>& out, const TRect& r)
{
    PutU32(out, static_cast<uint32_t>(r.Left));
    PutU32(out, static_cast<uint32_t>(r.Top));
    PutU32(out, static_cast<uint32_t>(r.Right));
    PutU32(out, static_cast<uint32_t>(r.Bottom));
}

}  // namespace

std::vector<TRect> BlackRuns(const TDibImage& Picture, int XOffset, int YOffset)
{
    std::vector<TRect> runs;
    const TDibImage image = DibTo24Bit(Picture);
    for (int y = 0; y < image.Height; ++y) {
        const uint8_t* row = image.ScanLine(y);
        auto black = [row](int x) { return row[3 * x] + row[3 * x + 1] + row[3 * x + 2] == 0; };
        int x = 0;
        while (x < image.Width) {
            if (!black(x)) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < image.Width && black(x))
                ++x;
            runs.push_back({XOffset + x0, YOffset + y, XOffset + x, YOffset + y + 1});
        }
    }
    return runs;
}

std::vector<uint8_t> RegionDataBytes(const std::vector<TRect>& Rects, const TRect& Bound)
{
    std::vector<uint8_t> data;
    data.reserve(32 + 16 * Rects.size());
    PutU32(data, 32);
    PutU32(data, 1);
    PutU32(data, static_cast<uint32_t>(Rects.size()));
    PutU32(data, 0);
    PutRect(data, Bound);
    for (const TRect& r : Rects)
        PutRect(data, r);
    return data;
}

std::vector<uint8_t> CreateRgnDataFromDib(const TDibImage& Picture, int XOffset, int YOffset)
{
    if (Picture.Width < 1 || Picture.Height < 1)
        return {};
    return RegionDataBytes(BlackRuns(Picture, XOffset, YOffset),
                           {XOffset, YOffset, XOffset + Picture.Width, YOffset + Picture.Height});
}
