#include "skin/core/SkinShapes.h"

#include <algorithm>

TRect NullRect() { return TRect{0, 0, 0, 0}; }

int RectWidth(const TRect& R) { return R.Right - R.Left; }

int RectHeight(const TRect& R) { return R.Bottom - R.Top; }

bool IsNullRect(const TRect& R) { return RectWidth(R) < 1 || RectHeight(R) < 1; }

bool PointInRect(const TRect& R, const TPoint& P)
{
    return R.Left <= P.X && P.X <= R.Right && R.Top <= P.Y && P.Y <= R.Bottom;
}

namespace {

bool PtInRectExclusive(const TRect& R, int x, int y)
{
    return R.Left <= x && x < R.Right && R.Top <= y && y < R.Bottom;
}

TSkinShape Line(int x1, int y1, int x2, int y2) { return {TSkinShape::Line, {x1, y1}, {x2, y2}, false}; }

TSkinShape Frame(int x1, int y1, int x2, int y2, bool filled = false)
{
    return {TSkinShape::Rectangle, {x1, y1}, {x2, y2}, filled};
}

}  // namespace

bool RectInRect(const TRect& R1, const TRect& R2)
{
    return PtInRectExclusive(R2, R1.Left, R1.Top) && PtInRectExclusive(R2, R1.Right, R1.Bottom);
}

int LayeredWindowAlpha(int Percent)
{
    Percent = std::clamp(Percent, 0, 100);
    return (100 - Percent) * 255 / 100;
}

void FitTextToWidth(std::string& S, int MaxWidth, const std::function<int(const std::string&)>& TextWidth)
{
    if (TextWidth(S) <= MaxWidth)
        return;
    while (!S.empty()) {
        S.pop_back();
        if (TextWidth(S + "...") <= MaxWidth)
            break;
    }
    S += "...";
}

const TSkinShapes& FrameGlyphShapes(TFrameGlyph Glyph)
{
    static const TSkinShapes close{Line(1, 1, 9, 9), Line(9, 1, 1, 9), Line(2, 1, 10, 9), Line(8, 1, 0, 9)};
    static const TSkinShapes sysMenu{Frame(1, 3, 9, 6)};
    static const TSkinShapes minimize{Line(1, 8, 9, 8), Line(1, 9, 9, 9)};
    static const TSkinShapes maximize{Frame(0, 0, 11, 10), Frame(0, 0, 11, 2)};
    static const TSkinShapes restore{Frame(2, 0, 10, 6), Frame(2, 0, 10, 2), Frame(0, 4, 7, 10), Frame(0, 4, 7, 6)};
    static const TSkinShapes rollUp{Line(5, 2, 5, 2), Line(4, 3, 6, 3), Line(3, 4, 7, 4), Line(2, 5, 8, 5),
                                    Line(1, 6, 9, 6)};
    static const TSkinShapes rollDown{Line(1, 3, 9, 3), Line(2, 4, 8, 4), Line(3, 5, 7, 5), Line(4, 6, 6, 6),
                                      Line(5, 7, 5, 7)};
    static const TSkinShapes minToTray{Frame(2, 2, 7, 7, true)};
    switch (Glyph) {
    case fgClose: return close;
    case fgSysMenu: return sysMenu;
    case fgMinimize: return minimize;
    case fgMaximize: return maximize;
    case fgRestore: return restore;
    case fgRollUp: return rollUp;
    case fgRollDown: return rollDown;
    case fgMinToTray: return minToTray;
    }
    static const TSkinShapes none;
    return none;
}

TSkinShapes ArrowShapes(const TRect& R, int Code)
{
    const int cx = R.Left + RectWidth(R) / 2;
    const int cy = R.Top + RectHeight(R) / 2;
    TSkinShapes lines;
    switch (Code) {
    case 1:
        for (int i = 0; i <= 3; ++i)
            lines.push_back(Line(cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1));
        break;
    case 2:
        for (int i = 3; i >= 0; --i)
            lines.push_back(Line(cx + 2 - i, cy + i, cx + 2 - i, cy - i - 1));
        break;
    case 3:
        for (int i = 0; i <= 3; ++i)
            lines.push_back(Line(cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i));
        break;
    case 4:
        for (int i = 3; i >= 0; --i)
            lines.push_back(Line(cx - i, cy + 2 - i, cx + i + 1, cy + 2 - i));
        break;
    default:
        break;
    }
    return lines;
}
