#include "skin/SkinRegions.h"

#include <cstring>

#include "classlib/graphics/GdiHandles.h"
#include "skin/SkinImages.h"
#include "skin/core/SkinRegionData.h"
#include "skin/core/SkinShapes.h"

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

bool SetWindowRegion(HWND Wnd, HRGN Region)
{
    if (SetWindowRgn(Wnd, Region, TRUE) != 0)
        return true;
    if (Region != nullptr)
        DeleteObject(Region);
    return false;
}
