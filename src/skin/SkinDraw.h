// Drawing utilities shared by the skin engine, the skinned controls and the
// skinned form: system tests for layered windows, screen capture, text cut
// to a width, arrows, cells of glyph strips, the default frame-button
// glyphs, and a parent's background painted behind a transparent control.
// The geometry and the glyphs' strokes are in skin/core/SkinShapes.h.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/Types.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "classlib/ui/Controls.h"
#include "skin/core/SkinShapes.h"

// Major := the low byte of GetVersion, Minor := its second byte.
void GetWindowsVersion(int& Major, int& Minor);
// True on the systems with layered windows that the skin engine was made
// for (version 5.0 and 5.1); a later system answers false.
bool IsWindows2000OrXP();
// Makes a layered window Percent transparent (0 opaque, 100 invisible;
// held to 0..100) through SetLayeredWindowAttributes, looked up at run time;
// nothing on a system without it.
void SetLayeredWindowAlpha(HWND Wnd, int Percent);
// Copies the screen area at (X, Y) of the bitmap's size into Bitmap.
void GetScreenImage(int X, int Y, TBitmap* Bitmap);

// Cuts S with an ellipsis to MaxWidth in the canvas's font (see the
// platform-free FitTextToWidth).
void FitTextToWidth(TCanvas* Canvas, std::string& S, int MaxWidth);

// Draws strokes at (X, Y) in Color: the pen takes Color; rectangles are
// drawn with a clear brush, filled ones with the brush in Color, and the
// brush is put back afterwards.
void DrawSkinShapes(TCanvas* Canvas, int X, int Y, const TSkinShapes& Shapes, TColor Color);

// A small triangle centred in R pointing left (1), right (2), up (3) or
// down (4) in Color; nothing for another code.
void DrawArrowImage(TCanvas* Canvas, const TRect& R, TColor Color, int Code);

// Draws cell Index (1..Count) of Glyph, a horizontal strip of Count cells of
// Glyph.Width div Count columns, at (X, Y), leaving out the cell's
// bottom-left colour. Nothing for an empty or missing Glyph, a Count below 1
// or an Index outside 1..Count.
void DrawGlyph(TCanvas* Canvas, int X, int Y, TBitmap* Glyph, int Count, int Index);

// Paints on Canvas (the control's own device context) what lies behind the
// windowed Control: the parent's background (a form only erases, another
// parent erases and paints), then, bottom up in the parent's control order,
// the visible windowless and custom-drawn siblings below Control that
// overlap it, custom-drawn ones with their overlapping custom-drawn children.
// The context's state is put back after each step. Nothing without parent.
void DrawParentImage(TControl* Control, TCanvas* Canvas);
// The same for a windowless Control: a parent that is not a form first paints
// itself (PaintWindow), every parent erases, and only the windowless siblings
// below are painted.
void DrawParentImageForGraphic(TControl* Control, TCanvas* Canvas);

// The default glyphs of the frame buttons at (X, Y) in Color.
void DrawCloseGlyph(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawSysMenuGlyph(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawMinimizeGlyph(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawMaximizeGlyph(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawRestoreGlyph(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawRollUpGlyph(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawRollDownGlyph(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawMinToTrayGlyph(TCanvas* Canvas, int X, int Y, TColor Color);
