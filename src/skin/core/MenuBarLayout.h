// The skinned menu bar's layout and keyboard walks, free of windows: where
// the MDI buttons and the items lie in the band, which items are hidden
// because they do not fit (reached only through the track mark's menu), and
// which item the arrow and accelerator keys move to.
//
// Hidden items are out of reach of the mouse and of every walk: they lose
// Visible and Enabled while hidden and get their saved Enabled back when
// they fit again.
#pragma once

#include <string>
#include <vector>

#include "classlib/core/Types.h"

// Width of the track mark at the right end of ItemsRect; an item whose
// right edge passes ItemsRect.Right minus this is hidden.
constexpr int MenuBarTrackMarkWidth = 5;

struct TMenuBarItemSlot {
    int Width = 0;
    int Height = 0;  // <= 0: the band's height
    bool Enabled = true;
    bool Visible = true;
    // Enabled as it was before the item was hidden.
    bool SavedEnabled = true;
    TRect ObjectRect;
};

struct TMenuBarButtonSlot {
    int Width = 0;   // a skinned button's size; unused for a default one
    int Height = 0;
    bool Skinned = false;
    TRect ObjectRect;
};

// ItemsRect for a bar of width x height: with a skin record its itemsrect
// with the right margin (skin width - itemsrect.Right) kept, else
// (2, 2, width - 2, height - 2).
TRect MenuBarItemsRect(bool hasRecord, const TRect& recordItemsRect, int skinWidth, int width, int height);

// Places the four MDI buttons in the order system menu, close, maximize,
// minimize: the first at the left end of itemsRect, the others each at the
// then right end, itemsRect shrinking by each button's width + 2. A
// default button is a square of the band's height; a skinned one keeps its
// size, centred vertically in the band.
void PlaceMenuBarButtons(TRect& itemsRect, std::vector<TMenuBarButtonSlot>& buttons);

// Places the items left to right from itemsRect's left at its top; hides
// those that pass itemsRect.Right - MenuBarTrackMarkWidth and gives the
// others their saved Enabled back. Answers whether any item is hidden.
bool PlaceMenuBarItems(const TRect& itemsRect, std::vector<TMenuBarItemSlot>& items);

// The track mark: the last MenuBarTrackMarkWidth pixels of itemsRect.
TRect MenuBarTrackMarkRect(const TRect& itemsRect);

// The number of items shown before the first hidden one: the start index
// of the track mark's menu in the main menu's top level.
int MenuBarShownCount(const std::vector<TMenuBarItemSlot>& items);

// The item the walk moves to from `current` (-1: none highlighted): the
// next (or previous) visible and enabled item, wrapping around; from none,
// the first such item (the last for Prev). -1 when no item qualifies.
int MenuBarNextItem(const std::vector<TMenuBarItemSlot>& items, int current);
int MenuBarPrevItem(const std::vector<TMenuBarItemSlot>& items, int current);

// The first visible, enabled item whose caption has `key` as its
// accelerator character (case-insensitive); -1 when none.
int MenuBarFindAccelItem(const std::vector<TMenuBarItemSlot>& items, const std::vector<std::string>& captions,
                         char key);
