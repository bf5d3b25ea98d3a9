#include "skin/core/SkinMenuLayout.h"

#include <algorithm>
#include <cstdint>

namespace {

// Record values are whatever a skin says: sums are made in 64 bits and held
// to a range no level can reach, so no sum overflows and a nonsense record
// gives a nonsense but harmless level.
constexpr int64_t CoordinateLimit = int64_t(1) << 30;

int Coord(int64_t value)
{
    return static_cast<int>(std::clamp(value, -CoordinateLimit, CoordinateLimit));
}

int64_t Height(const TRect& r)
{
    return int64_t(r.Bottom) - r.Top;
}

int64_t Width(const TRect& r)
{
    return int64_t(r.Right) - r.Left;
}

}  // namespace

TPoint SkinMenuPlacement(const TRect& r, const TRect& workArea, int width, int height, int itemsTop,
                         bool isSubMenu, bool scrolling, bool popupUp)
{
    const int64_t waTop = workArea.Top;
    const int64_t waBottom = workArea.Bottom;
    const int64_t middle = waTop + Height(workArea) / 2;
    const int64_t top = r.Top;
    const int64_t bottom = r.Bottom;
    const int64_t h = height;
    bool overlaps = false;
    int64_t y = 0;
    if (scrolling) {
        y = waTop;
    } else if (isSubMenu) {
        if (top + h - itemsTop - waBottom < 1)
            y = top - itemsTop;
        else if (top < middle)
            y = waBottom - h;
        else
            y = std::max(bottom - h + itemsTop, waTop);
    } else if (popupUp) {
        if (top - h >= waTop) {
            y = top - h;
        } else if (top >= middle) {
            overlaps = true;
            y = waTop;
        } else if (bottom + h <= waBottom) {
            y = bottom;
        } else {
            overlaps = true;
            y = waBottom - h;
        }
    } else {
        if (bottom + h <= waBottom) {
            y = bottom;
        } else if (top < middle) {
            overlaps = true;
            y = waBottom - h;
        } else if (top - h >= waTop) {
            y = top - h;
        } else {
            overlaps = true;
            y = waTop;
        }
    }
    const int64_t w = width;
    int64_t x = 0;
    if (isSubMenu || scrolling || overlaps)
        x = int64_t(r.Right) + w + 1 <= workArea.Right ? int64_t(r.Right) + 1 : int64_t(r.Left) - w - 1;
    else if (int64_t(r.Left) + w > workArea.Right)
        x = int64_t(workArea.Right) - w;
    else
        x = std::max(r.Left, workArea.Left);
    return {Coord(x), Coord(y)};
}

int SkinMenuImageColumnWidth(bool hasImages, int imagesWidth)
{
    return hasImages ? imagesWidth + 5 : 16;
}

int SkinMenuItemHeight(bool separator, const TspDataSkinMenuItem* itemData, int itemHeight)
{
    if (itemData != nullptr)
        return Coord(separator ? Height(itemData->DividerRect) : Height(itemData->SkinRect));
    return separator ? SkinMenuDefaultSeparatorHeight : itemHeight;
}

TspSkinMenuLevelSize SkinMenuLevelSize(int maxTextWidth, int imageColumnWidth, const std::vector<int>& heights,
                                       const TspDataSkinPopupWindow* popupData, TPoint pictureSize,
                                       const TspDataSkinMenuItem* itemData, int workAreaHeight)
{
    TspSkinMenuLevelSize size;
    int64_t content = 0;
    for (int h : heights)
        content += h;
    int64_t width = int64_t(maxTextWidth) + 16 + imageColumnWidth;
    if (itemData == nullptr)
        width += 2 * SkinMenuDefaultItemBorder + (SkinMenuDefaultStripeWidth - 16) +
                 (SkinMenuDefaultTextRightMargin - 16);
    int64_t height = content;
    if (popupData == nullptr) {
        width += 6;
        height += 6;
    } else {
        const TRect& ir = popupData->ItemsRect;
        if (itemData != nullptr)
            width += int64_t(itemData->TextRect.Left) + (Width(itemData->SkinRect) - itemData->TextRect.Right);
        width += int64_t(ir.Left) + (int64_t(pictureSize.X) - ir.Right);
        height += int64_t(ir.Top) + (int64_t(pictureSize.Y) - ir.Bottom);
    }
    if (height > workAreaHeight) {
        height = workAreaHeight;
        size.Scrolling = true;
    }
    size.Width = Coord(width);
    size.Height = Coord(height);
    if (popupData == nullptr) {
        size.ItemsRect = {3, 3, size.Width - 3, size.Height - 3};
    } else {
        const TRect& ir = popupData->ItemsRect;
        const int64_t dx = int64_t(size.Width) - pictureSize.X;
        const int64_t dy = int64_t(size.Height) - pictureSize.Y;
        size.ItemsRect = {ir.Left, ir.Top, Coord(size.Width - (int64_t(pictureSize.X) - ir.Right)),
                          Coord(size.Height - (int64_t(pictureSize.Y) - ir.Bottom))};
        size.NewLTPoint = popupData->LeftTopPoint;
        size.NewRTPoint = {Coord(popupData->RightTopPoint.X + dx), popupData->RightTopPoint.Y};
        size.NewLBPoint = {popupData->LeftBottomPoint.X, Coord(popupData->LeftBottomPoint.Y + dy)};
        size.NewRBPoint = {Coord(popupData->RightBottomPoint.X + dx), Coord(popupData->RightBottomPoint.Y + dy)};
    }
    return size;
}

void TspSkinMenuLevelLayout::CalcItemRects()
{
    const int count = Count();
    ItemRects.resize(static_cast<size_t>(count));
    Visible.resize(static_cast<size_t>(count), true);
    int64_t y = ItemsRect.Top;
    int64_t bottom = ItemsRect.Bottom;
    if (Scrolling) {
        y += SkinMenuScrollMarkerHeight;
        bottom -= SkinMenuScrollMarkerHeight;
    }
    VisibleCount = 0;
    for (int i = TopIndex; i < count; ++i) {
        const int64_t h = Heights[static_cast<size_t>(i)];
        ItemRects[static_cast<size_t>(i)] = {ItemsRect.Left, Coord(y), ItemsRect.Right, Coord(y + h)};
        if (y + h > bottom)
            break;
        Visible[static_cast<size_t>(i)] = true;
        ++VisibleCount;
        y += h;
    }
    if (Scrolling)
        for (int i = 0; i < count; ++i)
            if (i < TopIndex || i >= TopIndex + VisibleCount)
                Visible[static_cast<size_t>(i)] = false;
}

bool TspSkinMenuLevelLayout::CanScroll(int direction) const
{
    if (direction == 1)
        return TopIndex > 0;
    if (direction == 2)
        return LastShown() < Count() - 1;
    return false;
}

void TspSkinMenuLevelLayout::ScrollUp(bool wrap)
{
    if (TopIndex > 0) {
        --TopIndex;
    } else if (wrap && Count() > 0) {
        // The last page: as many items as fit between the markers, ending
        // with the last one.
        const int64_t room = Height(ItemsRect) - 2 * SkinMenuScrollMarkerHeight;
        int64_t used = 0;
        int top = Count();
        while (top > 0 && used + Heights[static_cast<size_t>(top - 1)] <= room) {
            used += Heights[static_cast<size_t>(top - 1)];
            --top;
        }
        TopIndex = std::min(top, Count() - 1);
    }
    CalcItemRects();
}

void TspSkinMenuLevelLayout::ScrollDown(bool wrap)
{
    if (LastShown() < Count() - 1 && TopIndex < Count() - 1)
        ++TopIndex;
    else if (wrap)
        TopIndex = 0;
    CalcItemRects();
}

int TspSkinMenuLevelLayout::ItemAtPos(int x, int y) const
{
    for (int i = 0; i < Count() && i < static_cast<int>(ItemRects.size()); ++i) {
        const TRect& r = ItemRects[static_cast<size_t>(i)];
        if (Visible[static_cast<size_t>(i)] && x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
            return i;
    }
    return -1;
}

void TspSkinMenuLevelLayout::ScrollIntoView(int index)
{
    if (!Scrolling || index < 0 || index >= Count())
        return;
    // Each step moves the top one item toward `index`, so the walk ends even
    // when an item taller than the room never shows.
    while (index < TopIndex) {
        --TopIndex;
        CalcItemRects();
    }
    while (index > LastShown() && TopIndex < index) {
        ++TopIndex;
        CalcItemRects();
    }
}

int TspSkinMenuLevelLayout::WalkDown(int selected)
{
    const int count = Count();
    const int start = selected < 0 || selected >= count - 1 ? 0 : selected + 1;
    for (int i = start; i < count; ++i) {
        if (Usable[static_cast<size_t>(i)]) {
            ScrollIntoView(i);
            return i;
        }
    }
    return selected;
}

int TspSkinMenuLevelLayout::WalkUp(int selected)
{
    const int count = Count();
    const int start = selected <= 0 || selected >= count ? count - 1 : selected - 1;
    for (int i = start; i >= 0; --i) {
        if (Usable[static_cast<size_t>(i)]) {
            ScrollIntoView(i);
            return i;
        }
    }
    return selected;
}

bool SkinMenuMorphStep(int& tenths, bool active)
{
    if (active) {
        if (tenths >= 10)
            return false;
        ++tenths;
    } else {
        if (tenths <= 0)
            return false;
        --tenths;
    }
    return true;
}
