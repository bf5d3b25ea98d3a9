// Image lists: equally sized pictures with masks, over the common
// controls' image lists (24-bit colour plus mask). Menus and the skinned
// controls draw their item images from them.
//
// Width and Height are 16 by default; changing either empties the list.
// An index outside 0..Count-1 draws nothing and gives an empty icon.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "classlib/core/Components.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "classlib/graphics/Icon.h"

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    std::string ClassName() const override { return "TCustomImageList"; }

    int Width() const { return FWidth; }
    void SetWidth(int width) { SetSize(width, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int height) { SetSize(FWidth, height); }
    int Count() const;
    HIMAGELIST Handle() const { return FHandle; }

    // Adds the picture (a picture wider than Width adds one image per
    // Width columns) with `mask` (null: opaque); the index of the first
    // image added, -1 when nothing was added. The bitmaps are not changed.
    int Add(TBitmap* image, TBitmap* mask);
    // Adds the picture with every pixel of `maskColor` transparent.
    int AddMasked(TBitmap* image, TColor maskColor);
    // Draws image `index` with its top left at (x, y); a disabled image is
    // drawn embossed (the system's disabled look).
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
    // Puts a new icon of image `index` into `icon` (an empty icon outside
    // the list).
    void GetIcon(int index, TIcon* icon) const;
    void Clear();

private:
    void SetSize(int width, int height);
    void Recreate();

    int FWidth = 16;
    int FHeight = 16;
    HIMAGELIST FHandle = nullptr;
};

class TImageList : public TCustomImageList {
public:
    explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
    std::string ClassName() const override { return "TImageList"; }
};
