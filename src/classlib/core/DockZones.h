// Where a control dropped on a dock site lands. The site's layout area is
// cut in thirds each way: a point in an edge third docks the control on
// that edge (on the nearer edge when it lies in two, as in a corner), a
// point in the middle third both ways fills the site.
#pragma once

#include "classlib/core/Types.h"

enum class TDockZone { Left, Top, Right, Bottom, Client };

// The zone of `point` in `area` (both in one coordinate space). Distances
// are counted to the area's outermost pixels; a tie between two edges goes
// to the first of Left, Top, Right, Bottom. A point outside the area counts
// as lying beyond its nearest edge; an empty area is all Client.
TDockZone DockZoneAt(const TRect& area, TPoint point);

// What a control of `width` x `height` docked in `zone` covers of `area`:
// a strip along that edge as wide (Left, Right) or as high (Top, Bottom) as
// the control, held inside the area; the whole area for Client.
TRect DockZoneRect(const TRect& area, TDockZone zone, int width, int height);
