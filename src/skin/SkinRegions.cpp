#include "skin/SkinRegions.h"

#include <cstring>

#include "classlib/graphics/GdiHandles.h"
#include "skin/SkinImages.h"
#include "skin/core/SkinRegionData.h"
#include "skin/core/SkinShapes.h"

TFBitmap::TFBitmap(HBITMAP source)
{
    BITMAP info{};
    if (source == nullptr || GetObjectA(source, sizeof(info), &info) == 0 || info.bmWidth < 1 || info.bmHeight < 1)
        return;
    BitmapInfo.biSize = sizeof(BITMAPINFOHEADER);
    BitmapInfo.biWidth = info.bmWidth;
    BitmapInfo.biHeight = -info.bmHeight;
    BitmapInfo.biPlanes = 1;
    BitmapInfo.biBitCount = 24;
    BitmapInfo.biCompression = BI_RGB;
    void* bits = nullptr;
    Handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&BitmapInfo), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (Handle == nullptr)
        return;
    Width = info.bmWidth;
    Height = info.bmHeight;
    Gap = Width % 4;
    RowInc = Width * 3 + Gap;
    Size = RowInc * Height;
    Bits = static_cast<uint8_t*>(bits);
    {
        const TScreenDC screen;
        GetDIBits(screen.Get(), source, 0, static_cast<UINT>(Height), Bits, reinterpret_cast<BITMAPINFO*>(&BitmapInfo),
                  DIB_RGB_COLORS);
    }
    ScanLines.resize(static_cast<size_t>(Height));
    for (int i = 0; i < Height; ++i)
        ScanLines[static_cast<size_t>(i)] = Bits + static_cast<size_t>(i) * static_cast<size_t>(RowInc);
    DC = CreateCompatibleDC(nullptr);
    if (DC != nullptr)
        FOldBitmap = SelectObject(DC, Handle);
}

TFBitmap::~TFBitmap()
{
    if (DC != nullptr) {
        if (FOldBitmap != nullptr)
            SelectObject(DC, FOldBitmap);
        DeleteDC(DC);
    }
    if (Handle != nullptr)
        DeleteObject(Handle);
}

std::vector<uint8_t> CreateRgnDataFromBitmap(TBitmap* Bitmap, int XOffset, int YOffset)
{
    if (Bitmap == nullptr || Bitmap->Empty())
        return {};
    const TFBitmap copy(Bitmap->Handle());
    TDibImage image;
    image.Width = copy.Width;
    image.Height = copy.Height;
    image.BitCount = 24;
    image.Bits.assign(copy.Bits, copy.Bits + copy.Size);
    return CreateRgnDataFromDib(image, XOffset, YOffset);
}

void CreateRgnFromBitmap(HRGN& Rgn, TBitmap* Bitmap)
{
    const std::vector<uint8_t> data = CreateRgnDataFromBitmap(Bitmap, 0, 0);
    if (data.empty()) {
        Rgn = nullptr;
        return;
    }
    Rgn = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

void CreateRgnFromSkinMask(HRGN& Rgn, const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
                           const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint,
                           const TPoint& NewRTPoint, const TPoint& NewLBPoint, const TPoint& NewRBPoint,
                           const TRect& NewClRect, TBitmap* Mask, int AW, int AH)
{
    Rgn = nullptr;
    if (NewLTPoint.X > NewRTPoint.X || NewLTPoint.Y > NewLBPoint.Y || IsNullRect(NewClRect))
        return;
    TBitmap top, left, right, bottom;
    CreateSkinMask(LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                   NewClRect, Mask, &top, &left, &right, &bottom, AW, AH);
    Rgn = CreateRectRgn(NewClRect.Left, NewClRect.Top, NewClRect.Right, NewClRect.Bottom);
    const struct {
        TBitmap* Strip;
        int X;
        int Y;
    } strips[] = {{&top, 0, 0},
                  {&bottom, 0, NewClRect.Bottom},
                  {&left, 0, NewClRect.Top},
                  {&right, NewClRect.Right, NewClRect.Top}};
    for (const auto& strip : strips) {
        const std::vector<uint8_t> data = CreateRgnDataFromBitmap(strip.Strip, strip.X, strip.Y);
        if (data.empty())
            continue;
        const TGdiObject part(
            ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
        if (part)
            CombineRgn(Rgn, Rgn, static_cast<HRGN>(part.Get()), RGN_OR);
    }
}
