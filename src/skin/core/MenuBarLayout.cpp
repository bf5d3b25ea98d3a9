#include "skin/core/MenuBarLayout.h"

#include <algorithm>
#include <cstdint>

#include "classlib/core/ShortCuts.h"

TRect MenuBarItemsRect(bool hasRecord, const TRect& recordItemsRect, int skinWidth, int width, int height)
{
    if (!hasRecord)
        return {2, 2, width - 2, height - 2};
    return {recordItemsRect.Left, recordItemsRect.Top, width - (skinWidth - recordItemsRect.Right),
            recordItemsRect.Bottom};
}

void PlaceMenuBarButtons(TRect& itemsRect, std::vector<TMenuBarButtonSlot>& buttons)
{
    const int band = itemsRect.Bottom - itemsRect.Top;
    for (size_t i = 0; i < buttons.size(); ++i) {
        TMenuBarButtonSlot& b = buttons[i];
        const int w = b.Skinned ? b.Width : band;
        const int h = b.Skinned ? b.Height : band;
        const int top = b.Skinned ? itemsRect.Top + band / 2 - h / 2 : itemsRect.Top;
        if (i == 0) {
            b.ObjectRect = {itemsRect.Left, top, itemsRect.Left + w, top + h};
            itemsRect.Left += w + 2;
        } else {
            b.ObjectRect = {itemsRect.Right - w, top, itemsRect.Right, top + h};
            itemsRect.Right -= w + 2;
        }
    }
}

bool PlaceMenuBarItems(const TRect& itemsRect, std::vector<TMenuBarItemSlot>& items)
{
    bool hidden = false;
    int x = itemsRect.Left;
    for (TMenuBarItemSlot& item : items) {
        const int h = item.Height > 0 ? item.Height : itemsRect.Bottom - itemsRect.Top;
        item.ObjectRect = {x, itemsRect.Top, x + item.Width, itemsRect.Top + h};
        x += item.Width;
        if (item.ObjectRect.Right > itemsRect.Right - MenuBarTrackMarkWidth) {
            if (item.Visible) {
                item.SavedEnabled = item.Enabled;
                item.Enabled = false;
                item.Visible = false;
            }
            hidden = true;
        } else if (!item.Visible) {
            item.Visible = true;
            item.Enabled = item.SavedEnabled;
        }
    }
    return hidden;
}

TRect MenuBarTrackMarkRect(const TRect& itemsRect)
{
    return {itemsRect.Right - MenuBarTrackMarkWidth, itemsRect.Top, itemsRect.Right, itemsRect.Bottom};
}

int MenuBarShownCount(const std::vector<TMenuBarItemSlot>& items)
{
    int n = 0;
    while (n < static_cast<int>(items.size()) && items[n].Visible)
        ++n;
    return n;
}

namespace {

bool Reachable(const TMenuBarItemSlot& item) { return item.Visible && item.Enabled; }

int Walk(const std::vector<TMenuBarItemSlot>& items, int current, int step)
{
    const int n = static_cast<int>(items.size());
    if (n == 0)
        return -1;
    int start = current;
    if (current < 0 || current >= n)
        start = step > 0 ? n - 1 : 0;  // the first candidate is then item 0 (or the last)
    for (int k = 1; k <= n; ++k) {
        const int i = ((start + step * k) % n + n) % n;
        if (Reachable(items[i]))
            return i;
    }
    return -1;
}

}  // namespace

int MenuBarNextItem(const std::vector<TMenuBarItemSlot>& items, int current) { return Walk(items, current, 1); }

int MenuBarPrevItem(const std::vector<TMenuBarItemSlot>& items, int current) { return Walk(items, current, -1); }

int MenuBarFindAccelItem(const std::vector<TMenuBarItemSlot>& items, const std::vector<std::string>& captions,
                         char key)
{
    const size_t n = std::min(items.size(), captions.size());
    for (size_t i = 0; i < n; ++i)
        if (Reachable(items[i]) && IsAccel(static_cast<uint8_t>(key), captions[i]))
            return static_cast<int>(i);
    return -1;
}
