// Basic value types of the class library that platform-free code shares with
// the graphics and control classes: points and rectangles (the memory
// layout of the platform's POINT and RECT; classlib/graphics/WinTypes.h
// converts), colours, font styles, text alignment and shift states.
#pragma once

#include <cstdint>

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Left and Top inside, Right and Bottom just outside; all zero is the empty
// rectangle.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    friend bool operator==(const TRect&, const TRect&) = default;
};

// Right - Left and Bottom - Top, held to the int range (the difference of
// two extreme coordinates does not fit in one).
inline int WidthOf(const TRect& r)
{
    const int64_t w = static_cast<int64_t>(r.Right) - r.Left;
    return static_cast<int>(w > INT32_MAX ? INT32_MAX : w < INT32_MIN ? INT32_MIN : w);
}
inline int HeightOf(const TRect& r)
{
    const int64_t h = static_cast<int64_t>(r.Bottom) - r.Top;
    return static_cast<int>(h > INT32_MAX ? INT32_MAX : h < INT32_MIN ? INT32_MIN : h);
}
// Whether the rectangle covers no pixel (a width or height below 1).
inline bool IsEmpty(const TRect& r)
{
    return WidthOf(r) < 1 || HeightOf(r) < 1;
}

// A 32-bit colour, 0x00BBGGRR as a COLORREF; a negative value (high byte
// 0xFF, or 0x80 for the system colours of Colors.h) names a system colour.
using TColor = int32_t;

using TFontStyles = unsigned;
enum : TFontStyles {
    fsBold = 1u << 0,
    fsItalic = 1u << 1,
    fsUnderline = 1u << 2,
    fsStrikeOut = 1u << 3,
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Keys and buttons held during a key stroke or a mouse event.
using TShiftState = unsigned;
enum : TShiftState {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};
