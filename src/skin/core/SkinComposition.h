// Composition of skin images: a skin element drawn once at one size inside a
// skin picture is rebuilt at another size by copying its fixed corner pieces
// and repeating (tiling) the parts between them, the last copy cut short.
//
// Each composer is split in two. A plan, made here without any platform
// API, says how large the target becomes and which rectangle copies (source
// rectangle of the picture to destination rectangle of the target) fill it,
// in order; skin/SkinImages.h executes plans with canvas copies on bitmaps,
// and ExecuteSkinPlan below executes them on 24-bit pictures, so the same
// plans are checked pixel for pixel natively.
//
// Tiling a destination span D0..D1 with a source span of length n > 0 makes
// k + 1 copies, k = (D1 - D0) div n, copy i starting at D0 + i*n; the copy
// that would pass D1 is cut short at its far end (source and destination
// alike). A span n < 1, or D1 < D0, tiles nothing.
//
// Every copy in a plan is clipped to the picture and to the target (a piece
// reaching outside either copies only its inside part, so pixels outside
// the copies keep what the target held), and copies left without area are
// dropped. An empty picture (no pixels, or none at all) gives a plan that
// sizes the target and copies nothing (a stretch's side that the skin's
// rectangle gives is held to the picture's, so it has none). A skin's numbers come from its
// description: coordinates or sizes beyond 2^24 in size give no copies
// (strips are not built), and tiling stops at the target's edge, so no
// input overflows the arithmetic or makes a plan longer than its target
// needs.
#pragma once

#include <vector>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/Types.h"

// One rectangle copy; Source lies in the picture, Dest in the target. The
// two have the same size unless the caller's geometry gives pieces of
// different sizes, in which case the copy is scaled as a canvas copy is.
struct TSkinCopy {
    TRect Source;
    TRect Dest;

    friend bool operator==(const TSkinCopy&, const TSkinCopy&) = default;
};

// A target's new size and the copies that draw it. Built is false for a
// border or mask strip whose size or repeated span is below 1: its bitmap
// is left as it was (neither sized nor drawn).
struct TSkinPlan {
    bool Built = true;
    int Width = 0;
    int Height = 0;
    std::vector<TSkinCopy> Copies;
};

// The corner points and client rectangle of a skin element, relative to the
// top-left of its skin rectangle. ClRect splits the element into bands; the
// points say where each band's repeated middle lies: the top band repeats
// columns LTPoint.X..RTPoint.X, the bottom band LBPoint.X..RBPoint.X, the
// left band rows LTPoint.Y..LBPoint.Y, the right band RTPoint.Y..RBPoint.Y.
struct TSkinGeometry {
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
};

// The geometry moved for a new size AW x AH of an element whose skin
// rectangle is SkinRect: the right points and the client's right edge move
// by dx = AW - width, the bottom points and the client's bottom by
// dy = AH - height (held to 32 bits).
TSkinGeometry NewSkinGeometry(const TSkinGeometry& Old, const TRect& SkinRect, int AW, int AH);

// The size of the picture the copies read from; 0 x 0 for an empty or
// missing picture.
struct TSkinPictureSize {
    int Width = 0;
    int Height = 0;
};

// A horizontal stretch: AW wide, as high as SkinRect; the left LOffset and
// right ROffset columns fixed, the middle tiled. The height, the skin's
// number, is held to the picture's: rows past it could only stay blank, and
// a skin must not size a bitmap beyond what its pictures hold (no picture,
// no rows).
TSkinPlan PlanHSkinImage(int LOffset, int ROffset, TSkinPictureSize Picture, const TRect& SkinRect, int AW);
// A vertical stretch: as wide as SkinRect (held to the picture's width),
// AH high; the top TOffset and bottom BOffset rows fixed, the middle tiled.
TSkinPlan PlanVSkinImage(int TOffset, int BOffset, TSkinPictureSize Picture, const TRect& SkinRect, int AH);

// The client rectangle ClRect of SkinRect (relative to its top-left corner)
// tiled over a whole target of AW x AH from its origin, the last tiles cut
// at the right and bottom edges (a borderless panel).
TSkinPlan PlanTiledClient(TSkinPictureSize Picture, const TRect& SkinRect, const TRect& ClRect, int AW, int AH);

// The nine-part image, AW x AH: tiled edges, then the eight fixed pieces,
// then (when DrawClient) the client tiled both ways. Nothing is copied when
// RBPoint.X = LTPoint.X, RBPoint.Y = LTPoint.Y or the picture is empty.
TSkinPlan PlanSkinImage(const TSkinGeometry& Old, const TSkinGeometry& New, TSkinPictureSize Picture,
                        const TRect& SkinRect, int AW, int AH, bool DrawClient);
// The same without right-hand border (header sections): no right edge or
// right pieces, the top and bottom edges tiled up to AW.
TSkinPlan PlanSkinImage2(const TSkinGeometry& Old, const TSkinGeometry& New, TSkinPictureSize Picture,
                         const TRect& SkinRect, int AW, int AH, bool DrawClient);

// The four strips of a frame or a mask at a new size.
struct TSkinStripPlans {
    TSkinPlan Left;
    TSkinPlan Top;
    TSkinPlan Right;
    TSkinPlan Bottom;
};

// The frame strips of the element at AW x AH, cut from SkinRect of the
// picture.
TSkinStripPlans PlanSkinBorderImages(const TSkinGeometry& Old, const TSkinGeometry& New, TSkinPictureSize Picture,
                                     const TRect& SkinRect, int AW, int AH);
// The strips of a whole mask picture (its own rectangle in the place of the
// skin rectangle) at AW x AH; the strips' heights come from the client
// rectangles, so AH itself is not used.
TSkinStripPlans PlanSkinMask(const TSkinGeometry& Old, const TSkinGeometry& New, TSkinPictureSize Mask, int AW,
                             int AH);

// Executes a plan on pictures: Target (24-bit, or empty) is resized to the
// plan's size keeping the part that still fits at its top-left, new pixels
// black, then every copy is made from Picture (any depth, read as GDI reads
// it) in order. A plan that is not Built leaves Target alone.
void ExecuteSkinPlan(const TSkinPlan& Plan, const TDibImage& Picture, TDibImage& Target);
