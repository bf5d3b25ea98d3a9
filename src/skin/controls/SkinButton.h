// The skinned push button: drawn from the skin record "button" in four
// looks (normal, active under the mouse or focused, down, disabled), with a
// glyph strip and a caption, a cross-fade (or another morph of the skin)
// between the normal and active looks on a 20 ms timer, speed-button
// grouping and dialog-button behaviour.
//
// Clicks come only from the rules below, not from the class library's
// click handling: an ungrouped button clicks when released over itself
// (released elsewhere it only comes up, unclicked and unrepainted); a
// grouped one clicks on the press, and going down releases the others of
// its group. Return on the form clicks its Default button and Escape its
// Cancel button (unless the focused control keeps the key), whether or not
// they take the focus. With CanFocused (off for the program's forms) the
// button is a tab stop and the keyboard works too: Space presses and
// releases, Enter clicks, and a click sets the parent form's ModalResult.
#pragma once

#include <memory>
#include <string>

#include "classlib/ui/Timer.h"
#include "skin/controls/SkinControl.h"

// The plain look of a button face without a skin record: a one-pixel frame
// and a fill, $00800000 on $00B59385 when down, $00800000 on $00D2BDB6 when
// active (under the mouse or focused), clBtnShadow on clBtnFace otherwise.
void DrawDefaultButtonFace(TCanvas* canvas, const RECT& R, bool down, bool active);

// Lays out and draws a glyph cell (1-based, of numGlyphs equal cells) and a
// caption in R of the canvas, by CalcGlyphTextLayout; shift moves both one
// pixel right and down. The caption is measured with DT_CALCRECT and drawn
// centred in its measured box, over a clear background.
void DrawImageAndText(TCanvas* canvas, const RECT& R, int margin, bool shift, int glyphNum, int numGlyphs,
                      TBitmap* glyph, const std::string& caption, TspButtonLayout layout, int spacing);

class TspSkinButton : public TspSkinCustomControl {
public:
    explicit TspSkinButton(TComponent* owner);
    ~TspSkinButton() override;
    std::string ClassName() const override { return "TspSkinButton"; }

    void ChangeSkinData() override;
    void Click() override;

    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Default() const { return FDefault; }
    // Tells the form's controls the focus anew, so that every default
    // button updates its look.
    void SetDefault(bool Value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    // 1..4 (held there).
    int NumGlyhps() const { return FNumGlyphs; }
    void SetNumGlyhps(int Value);
    int Margin() const { return FMargin; }
    // Values below -1 are ignored.
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TspButtonLayout Layout() const { return FLayout; }
    void SetLayout(TspButtonLayout Value);

    // One tick of the fade (the morph timer's handler).
    void MorphTimerEvent(TObject* Sender);
    // The running fade's timer; null while no fade runs.
    TTimer* MorphTimer() const { return FMorphTimer.get(); }
    double MorphFactor() const { return FMorphKf; }

    bool AllowAllUp = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;

    // The skin font and colours copied from the record.
    std::string FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;
    bool Morphing = false;
    TspMorphKind MorphKind = mkDefault;

protected:
    void WndProc(TMessage& message) override;
    // Also takes the action's image as the glyph while Glyph is empty.
    void ActionChange(TCustomAction* sender, bool checkDefaults) override;
    void Paint() override;
    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    virtual void DrawButtonImage(TBitmap* B, const TRect& R, bool IsDown, bool IsActive);

private:
    bool IsFocused() const;
    bool WantsActive() const { return FMouseIn || IsFocused(); }
    // The down look shows (Paint and the default look agree on it).
    bool ShowsDown() const;
    void StartMorph();
    void StopMorph();
    void StartMorphOrRepaint();

    bool FWasDown = false;
    bool FDefault = false;
    bool FClicksDisabled = false;
    bool FCanFocused = false;
    double FMorphKf = 0;
    bool FDown = false;
    bool FMouseIn = false;
    bool FMouseDown = false;
    int FGroupIndex = 0;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 2;
    int FMargin = -1;
    int FSpacing = 1;
    TspButtonLayout FLayout = blGlyphLeft;
    std::unique_ptr<TTimer> FMorphTimer;
    // A stopped timer waits here until the next start or the destructor:
    // the fade usually stops inside the timer's own handler.
    std::unique_ptr<TTimer> FStoppedTimer;
};

// The names of the glyph layouts in form descriptions.
extern const TFormEnumTable<TspButtonLayout> ButtonLayoutNames;
void RegisterSkinButtonClasses(TClassRegistry& classes);
