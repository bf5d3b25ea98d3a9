// Window regions from mask bitmaps: every pure black pixel of the mask is
// inside the window. The callers pass a region to SetWindowRgn (which takes
// it over) and delete their previous one; a region handle of 0 tells them to
// leave the window unshaped.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "classlib/core/Types.h"
#include "classlib/graphics/Bitmap.h"
#include "skin/FBitmap.h"

// The region data of the black pixels of Bitmap, each one-row rectangle
// shifted by (XOffset, YOffset) (see skin/core/SkinRegionData.h); no data for
// an empty or missing bitmap.
std::vector<uint8_t> CreateRgnDataFromBitmap(TBitmap* Bitmap, int XOffset, int YOffset);

// Rgn := the region of the black pixels of Bitmap; 0 for an empty or missing
// bitmap (no call is made then).
void CreateRgnFromBitmap(HRGN& Rgn, TBitmap* Bitmap);

// Rgn := the region of a window of AW x AH whose mask was drawn for the
// skin's own size: the new client rectangle, solid, united with the regions
// of the four mask strips (skin/SkinImages.h CreateSkinMask) placed around
// it. 0 when the new top points are inverted (NewLTPoint.X > NewRTPoint.X or
// NewLTPoint.Y > NewLBPoint.Y) or the new client rectangle is empty.
void CreateRgnFromSkinMask(HRGN& Rgn, const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
                           const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint,
                           const TPoint& NewRTPoint, const TPoint& NewLBPoint, const TPoint& NewRBPoint,
                           const TRect& NewClRect, TBitmap* Mask, int AW, int AH);

// Hands Region to the window (SetWindowRgn with redraw), which owns it from
// then on; a region the window refuses is deleted here. Whether the window
// took it. A null region removes the window's shape.
bool SetWindowRegion(HWND Wnd, HRGN Region);
