// The geometry of skinned popup-menu levels, free of windows so that it can
// be checked alone: where a level opens, how large it is, where its items
// lie, how a level taller than the work area scrolls, how the arrow keys
// walk its items and how far an item's highlight has morphed.
//
// A level lays its items out from top to bottom inside ItemsRect. A level
// taller than the work area is cut to the work area's height and keeps a
// 10-pixel scroll marker at the top and at the bottom of ItemsRect; the
// items shown are TopIndex .. TopIndex + VisibleCount - 1.
#pragma once

#include <vector>

#include "classlib/core/Types.h"
#include "skin/core/SkinObjectRecords.h"
#include "skin/core/SkinWindowRecords.h"

constexpr int SkinMenuScrollMarkerHeight = 10;
constexpr int SkinMenuDefaultSeparatorHeight = 4;
// A default (skinless) item draws inside a 2-pixel border, its caption right
// of a 19-pixel stripe (the image column with images) and its shortcut
// ending 19 pixels from the right.
constexpr int SkinMenuDefaultItemBorder = 2;
constexpr int SkinMenuDefaultStripeWidth = 19;
constexpr int SkinMenuDefaultTextRightMargin = 19;

// Where a level of Width x Height opens beside `r` (screen coordinates; a
// point is an empty rectangle) inside `workArea`. `itemsTop` is the top of
// the level's ItemsRect: a submenu's first item lines up with r's top.
//  - A scrolling level opens at the work area's top.
//  - A submenu opens level with r, else (r in the upper half) with its
//    bottom on the work area's bottom, else with its last item level with
//    r's bottom, else at the work area's top.
//  - A menu opened upward ends at r's top; one opened downward starts at
//    r's bottom. When that does not fit it moves to the other side, or is
//    pushed to the work area's edge; a pushed level covers r, so it moves
//    beside r.
// Submenus, scrolling levels and pushed levels open right of r when they fit
// there, else left of it; the others start at r's left, kept inside the
// work area.
TPoint SkinMenuPlacement(const TRect& r, const TRect& workArea, int width, int height, int itemsTop,
                         bool isSubMenu, bool scrolling, bool popupUp);

// The column of item images: the image list's width + 5, or 16 without one.
int SkinMenuImageColumnWidth(bool hasImages, int imagesWidth);

// Height of one item: with an item record its divider or its SkinRect
// height, else 4 for a separator and `itemHeight` for the others.
int SkinMenuItemHeight(bool separator, const TspDataSkinMenuItem* itemData, int itemHeight);

// The size and frame of a level.
struct TspSkinMenuLevelSize {
    int Width = 0;
    int Height = 0;
    bool Scrolling = false;  // cut to the work area's height
    TRect ItemsRect;         // window coordinates
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;  // the record's corners moved to the size
};

// `maxTextWidth` is the widest item text (caption, or caption, two blanks
// and shortcut text) + 2, 0 without items; `heights` the item heights.
// Without a popup-window record (`popupData` null) the level is 6 wider and
// 6 taller than its content, with ItemsRect 3 pixels inside. With one,
// `pictureSize` is its window picture's size and ItemsRect keeps the
// record's margins; the item record's text margins widen the content, and
// without an item record the items are laid out as default items inside
// the skinned window. Default items are 10 wider, for their border, stripe
// and right margin, so that the widest text fits between them whole and a
// shortcut keeps its two blanks' distance from the caption.
TspSkinMenuLevelSize SkinMenuLevelSize(int maxTextWidth, int imageColumnWidth, const std::vector<int>& heights,
                                       const TspDataSkinPopupWindow* popupData, TPoint pictureSize,
                                       const TspDataSkinMenuItem* itemData, int workAreaHeight);

// The items of a level: their heights, which ones the arrow keys may
// select, and the resulting rectangles.
struct TspSkinMenuLevelLayout {
    std::vector<int> Heights;
    std::vector<bool> Usable;  // enabled and no separator
    TRect ItemsRect;
    bool Scrolling = false;
    int TopIndex = 0;
    int VisibleCount = 0;
    std::vector<TRect> ItemRects;
    std::vector<bool> Visible;

    int Count() const { return static_cast<int>(Heights.size()); }
    int LastShown() const { return TopIndex + VisibleCount - 1; }
    // Lays the items from TopIndex down (below the top marker when
    // scrolling); the first one that does not fit ends the walk and is not
    // counted. When scrolling, the items outside the shown range are not
    // Visible.
    void CalcItemRects();
    // Direction 1: up (TopIndex > 0); 2: down (the last item is not shown).
    bool CanScroll(int direction) const;
    // One item up; at the top with `wrap`, to the last page (the last item
    // at the bottom).
    void ScrollUp(bool wrap);
    // One item down; with the last item shown and `wrap`, back to the top.
    void ScrollDown(bool wrap);
    // The first Visible item holding (x, y); -1 for none.
    int ItemAtPos(int x, int y) const;
    // The arrow keys: the next usable item after `selected` (from the first
    // item when none is selected or `selected` is the last one), or before
    // it for Up (from the last item when none is selected or at item 0).
    // With no usable item that way the selection stays. A scrolling level
    // scrolls the new selection into view.
    int WalkDown(int selected);
    int WalkUp(int selected);
    // Scrolls until item `index` is shown.
    void ScrollIntoView(int index);
};

// Morph positions in tenths, 0 (normal) .. 10 (fully highlighted): one step
// toward `active`; false once the end is reached (no step taken).
bool SkinMenuMorphStep(int& tenths, bool active);
