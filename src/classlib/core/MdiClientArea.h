// The area of an MDI form's client window inside the form's client area:
// what the form's visible aligned controls leave free.
#pragma once

#include <vector>

#include "classlib/core/Types.h"

enum class TAlignedSide { Top, Bottom, Left, Right };

// A visible control aligned to one side, its bounds in client coordinates.
struct TAlignedBox {
    TAlignedSide Side;
    TRect Bounds;
};

// Top: the largest bottom of the top-aligned boxes (0 without any); bottom:
// the smallest top of the bottom-aligned ones (ClientHeight without any);
// left and right alike with the left- and right-aligned ones.
TRect MdiClientArea(int ClientWidth, int ClientHeight, const std::vector<TAlignedBox>& Boxes);
