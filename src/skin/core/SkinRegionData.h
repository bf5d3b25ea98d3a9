// Window shapes from mask pictures, without any platform API: every pure
// black pixel (blue + green + red = 0) belongs to the shape, every other
// pixel does not. The shape is a list of one-row rectangles (the black runs,
// rows top down, each row left to right) and, for the platform's region
// calls, the same list as RGNDATA bytes. skin/SkinRegions.h makes regions of
// them.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/Types.h"

// The black runs of Picture (any depth, pixels read as GDI converts them to
// 24 bits), each shifted by (XOffset, YOffset). The list grows as needed: a
// mask may have any number of runs.
std::vector<TRect> BlackRuns(const TDibImage& Picture, int XOffset, int YOffset);

// RGNDATA, little-endian: a 32-byte header (dwSize 32, iType 1 =
// RDH_RECTANGLES, nCount, nRgnSize 0, rcBound) followed by the rectangles,
// 16 bytes each.
std::vector<uint8_t> RegionDataBytes(const std::vector<TRect>& Rects, const TRect& Bound);

// The region data of the black pixels of Picture shifted by (XOffset,
// YOffset), with rcBound the picture's rectangle so shifted; a picture
// without black pixels gives the 32-byte header alone. An empty picture
// (a side of 0) gives no data at all.
std::vector<uint8_t> CreateRgnDataFromDib(const TDibImage& Picture, int XOffset, int YOffset);
