// Conversions between the class library's TPoint and TRect and the
// platform's POINT and RECT, whose layout they share.
#pragma once

#include <windows.h>

#include "classlib/core/Types.h"

static_assert(sizeof(TPoint) == sizeof(POINT) && sizeof(TRect) == sizeof(RECT));

inline POINT ToPOINT(const TPoint& p) { return POINT{p.X, p.Y}; }
inline TPoint ToTPoint(const POINT& p) { return TPoint{p.x, p.y}; }
inline RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
inline TRect ToTRect(const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; }
