// The platform-free arithmetic of the skinned controls: how a control's skin
// image stretches (resize modes), how a requested size is fitted to the
// skin, where a rectangle of the skin falls in a stretched control, where
// a button puts its glyph and caption, how the hover fade steps, and where a
// panel's caption starts.
//
// Rectangles are half-open (right and bottom exclusive); a rectangle is
// empty when its width or height is below 1. Integer halves truncate toward
// zero, as the controls' layout has always done. Every coordinate is held to
// the int range: a skin may hold any 32-bit number.
#pragma once

#include "classlib/core/Types.h"

// True when the rectangle has no area (width or height below 1).
inline bool RectEmpty(const TRect& r)
{
    return IsEmpty(r);
}

// The skin record's geometry as a control copies it, with the positions its
// corner points and client area take at the control's current size. Corner
// points and ClRect are relative to SkinRect's top-left corner.
struct TspSkinGeometry {
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect SkinRect;
    TRect ClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    // -1: no image (empty SkinRect); 0: fixed size; 1: nine parts, corners
    // fixed; 2: stretches horizontally only; 3: vertically only.
    int ResizeMode = 0;

    // The mode the geometry asks for, first match wins: -1 for an empty
    // SkinRect whatever the points say, 1 when both coordinates of RBPoint
    // are non-zero, 2 when either of RTPoint is, 3 when either of LBPoint
    // is, else 0.
    int GetResizeMode() const;

    // Fits a requested size to the skin by ResizeMode and places the New
    // points and NewClRect: modes 1 to 3 stretch (mode 2 keeps the skin's
    // height, mode 3 its width); mode 0 with a record takes SkinRect's size;
    // without a record, or in mode -1, nothing changes.
    void CalcSize(int& AWidth, int& AHeight, bool hasRecord);

    // Where rectangle S of the skin (relative to SkinRect) lies in a control
    // of width x height: a part in a fixed corner keeps its place or follows
    // that corner, a part spanning a stretched span stretches with it. Mode
    // 1 judges by the four corner areas, modes 2 and 3 by the points' X or
    // Y; every containment test includes the edges. Other modes give S.
    TRect MoveSkinRect(const TRect& S, int width, int height) const;
};

enum TspButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TspGlyphTextLayout {
    int GX = 0, GY = 0;  // the glyph cell's top-left corner
    int TX = 0, TY = 0;  // the caption's top-left corner
};

// Places a glyph cell of GW x GH and a caption of TW x TH in R. margin -1
// centres both together (spacing counts even without a glyph); margin >= 0
// puts the glyph that far from the edge of its side and the caption beside
// it.
TspGlyphTextLayout CalcGlyphTextLayout(TspButtonLayout layout, const TRect& R, int GW, int GH, int TW, int TH,
                                       int margin, int spacing);

// One tick of a button's hover fade from factor kf (0 the normal look, 1 the
// active one) toward the look wanted. With a skin that morphs the factor
// moves by the constant 0.1 while it has not reached the end, so a fade
// takes eleven steps and the twelfth tick sets the end value exactly and
// stops; without one the end value is set at once, with no repaint.
struct TspMorphTick {
    double Kf;
    bool Stop;
    bool Repaint;
};
TspMorphTick StepMorph(double kf, bool wantActive, bool skinMorphing);

// The left edge of a panel's caption (text plus glyph cell and spacing,
// captionWidth wide) in the caption area R. The default look keeps 2 pixels
// from R's left edge for left and centred captions and, with rollUpMode,
// moves right and centred captions 10 pixels left, clear of the roll-up
// arrow; the skin look does neither.
int PanelCaptionX(TAlignment alignment, const TRect& R, int captionWidth, bool defaultLook, bool rollUpMode);
