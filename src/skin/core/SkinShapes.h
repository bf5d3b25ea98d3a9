// Geometry and shape data shared by the skin engine, the skinned controls and
// the skinned form: rectangle and point tests, text fitting with an ellipsis,
// the opacity of a layered window, and the line and rectangle lists of the
// arrows and default frame-button glyphs. The lists are data so that what is
// drawn can be checked against them; skin/SkinDraw.h draws them on a canvas.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/core/Types.h"

TRect NullRect();
int RectWidth(const TRect& R);
int RectHeight(const TRect& R);
// True when R has no area: a width or height below 1.
bool IsNullRect(const TRect& R);
// All four edges inclusive: the corner (Right, Bottom) lies in R.
bool PointInRect(const TRect& R, const TPoint& P);
// True when R1's top-left and bottom-right corners both lie in R2 by the
// platform's point-in-rectangle rule (right and bottom edges outside), so a
// rectangle is never inside an equal one.
bool RectInRect(const TRect& R1, const TRect& R2);

// The alpha a layered window gets for a transparency of Percent:
// (100 - Percent) * 255 div 100, Percent held to 0..100 first.
int LayeredWindowAlpha(int Percent);

// Cuts S to MaxWidth: when TextWidth(S) exceeds MaxWidth, characters are
// taken off the end until S + "..." fits or S is empty, and "..." is
// appended. A text that fits is left as it is. TextWidth measures in the
// caller's font.
void FitTextToWidth(std::string& S, int MaxWidth, const std::function<int(const std::string&)>& TextWidth);

// One pen stroke of a glyph: a line from A to B (the end pixel B is not
// drawn) or a rectangle with corners A and B (right and bottom edges
// outside), outlined with the pen and, when Filled, filled in the same
// colour; unfilled rectangles keep what lies inside.
struct TSkinShape {
    enum TKind { Line, Rectangle };
    TKind Kind = Line;
    TPoint A;
    TPoint B;
    bool Filled = false;
};
using TSkinShapes = std::vector<TSkinShape>;

// The default glyphs of the frame buttons, drawn at an origin in one colour.
enum TFrameGlyph {
    fgClose,
    fgSysMenu,
    fgMinimize,
    fgMaximize,
    fgRestore,
    fgRollUp,
    fgRollDown,
    fgMinToTray,
};

// The strokes of a glyph, relative to its origin.
const TSkinShapes& FrameGlyphShapes(TFrameGlyph Glyph);

// The four lines of the small triangle centred in R that points left (Code
// 1), right (2), up (3) or down (4); no lines for any other code.
TSkinShapes ArrowShapes(const TRect& R, int Code);
