// A drawing surface over a device context: filling with a brush colour,
// single pixels and copies between canvases and from bitmaps.
//
// The canvas does not own its device context; whoever gives it one (a
// bitmap, later a window) keeps it alive while the canvas uses it. Drawing on
// a canvas without a context raises EInvalidGraphicOperation "Canvas does not
// allow drawing". Every GDI object the canvas makes for one operation is
// deleted before the operation returns, and every mode it changes on the
// context is put back.
#pragma once

#include <windows.h>

#include "classlib/core/Components.h"
#include "classlib/graphics/Graphics.h"

class TBitmap;

// The colour FillRect paints with.
class TBrush : public TPersistent {
public:
    std::string ClassName() const override { return "TBrush"; }

    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; }

private:
    TColor FColor = clWhite;
};

class TCanvas : public TPersistent {
public:
    TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    std::string ClassName() const override { return "TCanvas"; }

    HDC Handle() const { return FHandle; }
    void SetHandle(HDC handle) { FHandle = handle; }

    TBrush* Brush() { return &FBrush; }

    // Paints `rect` (right and bottom edges excluded) with the brush colour.
    void FillRect(const RECT& rect);

    // The colour at (x, y); -1 outside the surface or its clipping region.
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // Copies the whole bitmap with its top-left corner at (x, y). Nothing
    // happens for a null or empty bitmap.
    void Draw(int x, int y, TBitmap* bitmap);
    // Copies the whole bitmap scaled to `rect`, nearest pixel (COLORONCOLOR).
    void StretchDraw(const RECT& rect, TBitmap* bitmap);
    // Copies `source` of `canvas` onto `dest` of this canvas, scaled when the
    // two sizes differ (SRCCOPY, COLORONCOLOR).
    void CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source);

private:
    HDC RequiredHandle() const;

    HDC FHandle = nullptr;
    TBrush FBrush;
};
