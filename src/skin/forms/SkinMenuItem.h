// One item of a skinned menu level: its state (highlighted, its submenu
// open, shown in a scrolling level), its reactions to the mouse and keys,
// and its drawing from the skin's menu-item record or in the default look.
//
// A highlight change morphs over 10 steps of 20 ms when the item record
// asks for it; the morph position is counted in tenths so that ten steps
// end exactly at 1.
#pragma once

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "classlib/ui/Menus.h"
#include "skin/core/SkinObjectRecords.h"

class TspSkinPopupWindow;

class TspSkinMenuItem : public TObject {
public:
    // `data` null: default drawing.
    TspSkinMenuItem(TspSkinPopupWindow* parent, TspDataSkinMenuItem* data, TMenuItem* menuItem);

    std::string ClassName() const override { return "TspSkinMenuItem"; }

    // False for an item not shown, whose highlight state is reset; else
    // whether the record morphs.
    virtual bool CanMorphing();

    TspSkinPopupWindow* Parent;
    TspDataSkinMenuItem* Data;
    // The skin picture the record's rectangles lie in; null without one.
    TBitmap* Picture = nullptr;
    TMenuItem* MenuItem;
    TRect ItemRect;
    bool MouseIn = false;
    bool Down = false;
    bool Visible = true;
    // 0 .. 10: the morph position in tenths.
    int MorphTenths = 0;
    double MorphKf() const { return MorphTenths / 10.0; }
    bool Active() const { return MouseIn || Down; }
    bool IsSeparator() const { return MenuItem->IsSeparator(); }

    void MouseEnter(bool byKey);
    void MouseLeave();
    void Activate();

    // Draws the item on `canvas` at its ItemRect (nothing when not Visible).
    void Draw(TCanvas* canvas);
    // Draws at once on the window, or starts the level's morph timer when the
    // record morphs.
    void Redraw();
    // One morph step toward the item's state; false when there was none.
    bool DoMorph();

private:
    void DrawDefaultItem(TCanvas* canvas, const TRect& r);
    void DrawSkinItem(TCanvas* canvas, const TRect& r);
};

