#include "skin/core/SkinMenuLayout.h"

#include <algorithm>

namespace {

int Height(const TRect& r)
{
    return r.Bottom - r.Top;
}

int Width(const TRect& r)
{
    return r.Right - r.Left;
}

}  // namespace

TPoint SkinMenuPlacement(const TRect& r, const TRect& workArea, int width, int height, int itemsTop,
                         bool isSubMenu, bool scrolling, bool popupUp)
{
    const int middle = workArea.Top + Height(workArea) / 2;
    bool overlaps = false;
    int y = 0;
    if (scrolling) {
        y = workArea.Top;
    } else if (isSubMenu) {
        if (r.Top + height - itemsTop - workArea.Bottom < 1)
            y = r.Top - itemsTop;
        else if (r.Top < middle)
            y = workArea.Bottom - height;
        else
            y = std::max(r.Bottom - height + itemsTop, static_cast<int>(workArea.Top));
    } else if (popupUp) {
        if (r.Top - height >= workArea.Top) {
            y = r.Top - height;
        } else if (r.Top >= middle) {
            overlaps = true;
            y = workArea.Top;
        } else if (r.Bottom + height <= workArea.Bottom) {
            y = r.Bottom;
        } else {
            overlaps = true;
            y = workArea.Bottom - height;
        }
    } else {
        if (r.Bottom + height <= workArea.Bottom) {
            y = r.Bottom;
        } else if (r.Top < middle) {
            overlaps = true;
            y = workArea.Bottom - height;
        } else if (r.Top - height >= workArea.Top) {
            y = r.Top - height;
        } else {
            overlaps = true;
            y = workArea.Top;
        }
    }
    int x = 0;
    if (isSubMenu || scrolling || overlaps)
        x = r.Right + width + 1 <= workArea.Right ? r.Right + 1 : r.Left - width - 1;
    else if (r.Left + width > workArea.Right)
        x = workArea.Right - width;
    else
        x = std::max(r.Left, workArea.Left);
    return {x, y};
}

int SkinMenuImageColumnWidth(bool hasImages, int imagesWidth)
{
    return hasImages ? imagesWidth + 5 : 16;
}

int SkinMenuItemHeight(bool separator, const TspDataSkinMenuItem* itemData, int itemHeight)
{
    if (itemData != nullptr)
        return separator ? Height(itemData->DividerRect) : Height(itemData->SkinRect);
    return separator ? SkinMenuDefaultSeparatorHeight : itemHeight;
}

TspSkinMenuLevelSize SkinMenuLevelSize(int maxTextWidth, int imageColumnWidth, const std::vector<int>& heights,
                                       const TspDataSkinPopupWindow* popupData, TPoint pictureSize,
                                       const TspDataSkinMenuItem* itemData, int workAreaHeight)
{
    TspSkinMenuLevelSize size;
    int content = 0;
    for (int h : heights)
        content += h;
    size.Width = maxTextWidth + 16 + imageColumnWidth;
    size.Height = content;
    if (popupData == nullptr) {
        size.Width += 10;
        size.Height += 6;
    } else {
        const TRect& ir = popupData->ItemsRect;
        if (itemData != nullptr)
            size.Width += itemData->TextRect.Left + (Width(itemData->SkinRect) - itemData->TextRect.Right);
        size.Width += ir.Left + (pictureSize.X - ir.Right);
        size.Height += ir.Top + (pictureSize.Y - ir.Bottom);
    }
    if (size.Height > workAreaHeight) {
        size.Height = workAreaHeight;
        size.Scrolling = true;
    }
    if (popupData == nullptr) {
        size.ItemsRect = {3, 3, size.Width - 3, size.Height - 3};
    } else {
        const TRect& ir = popupData->ItemsRect;
        const int dx = size.Width - pictureSize.X;
        const int dy = size.Height - pictureSize.Y;
        size.ItemsRect = {ir.Left, ir.Top, size.Width - (pictureSize.X - ir.Right),
                          size.Height - (pictureSize.Y - ir.Bottom)};
        size.NewLTPoint = popupData->LeftTopPoint;
        size.NewRTPoint = {popupData->RightTopPoint.X + dx, popupData->RightTopPoint.Y};
        size.NewLBPoint = {popupData->LeftBottomPoint.X, popupData->LeftBottomPoint.Y + dy};
        size.NewRBPoint = {popupData->RightBottomPoint.X + dx, popupData->RightBottomPoint.Y + dy};
    }
    return size;
}

void TspSkinMenuLevelLayout::CalcItemRects()
{
    const int count = Count();
    ItemRects.resize(static_cast<size_t>(count));
    Visible.resize(static_cast<size_t>(count), true);
    int y = ItemsRect.Top;
    int bottom = ItemsRect.Bottom;
    if (Scrolling) {
        y += SkinMenuScrollMarkerHeight;
        bottom -= SkinMenuScrollMarkerHeight;
    }
    VisibleCount = 0;
    for (int i = TopIndex; i < count; ++i) {
        const int h = Heights[static_cast<size_t>(i)];
        ItemRects[static_cast<size_t>(i)] = {ItemsRect.Left, y, ItemsRect.Right, y + h};
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
        const int room = (ItemsRect.Bottom - SkinMenuScrollMarkerHeight) - (ItemsRect.Top + SkinMenuScrollMarkerHeight);
        int used = 0;
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
    while (index < TopIndex && CanScroll(1))
        ScrollUp(false);
    while (index > LastShown() && CanScroll(2))
        ScrollDown(false);
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
