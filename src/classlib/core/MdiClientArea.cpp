#include "classlib/core/MdiClientArea.h"

#include <algorithm>

TRect MdiClientArea(int ClientWidth, int ClientHeight, const std::vector<TAlignedBox>& Boxes)
{
    TRect area{0, 0, ClientWidth, ClientHeight};
    for (const TAlignedBox& box : Boxes) {
        switch (box.Side) {
        case TAlignedSide::Top: area.Top = std::max(area.Top, box.Bounds.Bottom); break;
        case TAlignedSide::Bottom: area.Bottom = std::min(area.Bottom, box.Bounds.Top); break;
        case TAlignedSide::Left: area.Left = std::max(area.Left, box.Bounds.Right); break;
        case TAlignedSide::Right: area.Right = std::min(area.Right, box.Bounds.Left); break;
        }
    }
    return area;
}
