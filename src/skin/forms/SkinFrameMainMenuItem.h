// A main-menu item drawn on the skinned form's frame: one per visible item
// of the form's MainMenu, made from the skin's "MAINMENUITEM" record. The
// component lays the items out along the frame's main-menu rectangle, each
// as wide as its caption needs; the item draws the record's picture
// stretched to that width with its ends kept, and its caption in the
// record's font colour for its state (down, hot, enabled, disabled).
//
// An item with sub-items opens them under itself through the component's
// skinned menu engine and stays down while they are open; an item without
// sub-items runs its command on a left press.
#pragma once

#include "skin/forms/SkinFrameObjects.h"

class TMenuItem;

class TspSkinMainMenuItem : public TspActiveSkinObject {
public:
    TspSkinMainMenuItem(TspDynamicSkinForm* AParent, TspDataSkinMainMenuItem* AData, TMenuItem* AMenuItem);

    // The width the item takes for its caption on `Canvas`.
    int ItemWidth(TCanvas* Canvas) const;
    // Always draws the whole look: the composed frame never holds it.
    void Draw(TCanvas* Canvas, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool CanMorphing() override;
    // Down opens the sub-items under the item (entering main-menu mode);
    // up only redraws.
    void SetDown(bool Value);
    // Runs the item: with sub-items it goes down, else its command runs
    // after main-menu and skinned-menu mode end.
    void Press();

    TMenuItem* MenuItem;
    bool Down = false;
    TRect DownRect, TextRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;

private:
    void SetFont(TCanvas* Canvas, TColor Color) const;
};
