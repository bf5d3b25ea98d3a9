#include "classlib/core/DockZones.h"

#include <algorithm>
#include <cstdint>

TDockZone DockZoneAt(const TRect& area, TPoint point)
{
    if (IsEmpty(area))
        return TDockZone::Client;
    const int64_t width = WidthOf(area);
    const int64_t height = HeightOf(area);
    const struct {
        TDockZone Zone;
        int64_t Distance;  // from the edge's outermost pixel, inwards
        int64_t Span;      // the area's size across that edge
    } edges[] = {{TDockZone::Left, int64_t{point.X} - area.Left, width},
                 {TDockZone::Top, int64_t{point.Y} - area.Top, height},
                 {TDockZone::Right, int64_t{area.Right} - 1 - point.X, width},
                 {TDockZone::Bottom, int64_t{area.Bottom} - 1 - point.Y, height}};
    TDockZone zone = TDockZone::Client;
    int64_t nearest = 0;
    for (const auto& edge : edges) {
        const bool inEdgeThird = edge.Distance * 3 < edge.Span;
        if (inEdgeThird && (zone == TDockZone::Client || edge.Distance < nearest)) {
            zone = edge.Zone;
            nearest = edge.Distance;
        }
    }
    return zone;
}

TRect DockZoneRect(const TRect& area, TDockZone zone, int width, int height)
{
    const int stripWidth = std::clamp(width, 0, std::max(WidthOf(area), 0));
    const int stripHeight = std::clamp(height, 0, std::max(HeightOf(area), 0));
    TRect rect = area;
    switch (zone) {
    case TDockZone::Left:
        rect.Right = area.Left + stripWidth;
        break;
    case TDockZone::Right:
        rect.Left = area.Right - stripWidth;
        break;
    case TDockZone::Top:
        rect.Bottom = area.Top + stripHeight;
        break;
    case TDockZone::Bottom:
        rect.Top = area.Bottom - stripHeight;
        break;
    case TDockZone::Client:
        break;
    }
    return rect;
}
