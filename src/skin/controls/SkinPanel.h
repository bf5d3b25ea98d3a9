// The skinned panel and group box: containers drawn from the skin records
// "panel" and "groupbox" (or, without a skin, as a bevelled panel), with an
// optional caption bar and glyph, rolling up to the caption bar and back,
// and a tiled background picture of the skin in place of the frame.
//
// Rolling up hides the visible children and remembers exactly those; rolling
// down shows them again and forgets them. A child freed while hidden leaves
// the list; a skin change while rolled up keeps the list and recomputes the
// rolled height for the new skin.
#pragma once

#include <string>
#include <vector>

#include "skin/controls/SkinControl.h"

// The frame of the default look; scoped, as the class library's TBevelCut
// uses the same words.
enum class TspSkinBorderStyle { bvRaised, bvLowered, bvNone, bvFrame };

class TspSkinPanel : public TspSkinCustomControl {
public:
    explicit TspSkinPanel(TComponent* owner);
    std::string ClassName() const override { return "TspSkinPanel"; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(RECT& rect) override;
    void ChangeSkinData() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    // 1..2 (held there); cell 2 is the disabled look.
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    bool RollUpState() const { return FRollUpState; }
    // Without RollUpMode the state stays False; setting the current value
    // does nothing.
    void SetRollUpState(bool Value);
    bool RollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool Value);
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool Value);
    TspSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TspSkinBorderStyle Value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);

    // The height before rolling up; -1 when not rolled up.
    int FOldHeight = -1;
    // The children that rolling up hid.
    const std::vector<TControl*>& HiddenControls() const { return FHiddenControls; }

    // The skin caption's font, alignment and areas copied from the record.
    std::string FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 0;
    TColor FontColor = 0;
    TAlignment Alignment = taLeftJustify;
    TRect CaptionRect, NewCaptionRect, RollUpMarkerRect, RestoreMarkerRect, NewRollUpMarkerRect;
    int BGPictureIndex = -1;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void RollUp(bool up);
    void HideChildren();
    void ShowChildren();
    // The rolled-up height for an unrolled height.
    int RolledHeight(int unrolledHeight);
    // The caption and glyph in R (TY, widths and cells shared by both looks).
    void DrawCaption(TCanvas* canvas, const RECT& R, TAlignment alignment, bool defaultLook);

    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    bool FRollUpState = false;
    bool FRollUpMode = false;
    bool FCaptionMode = false;
    TspSkinBorderStyle FBorderStyle = TspSkinBorderStyle::bvRaised;
    int FDefaultCaptionHeight = 22;
    TAlignment FDefaultAlignment = taLeftJustify;
    std::vector<TControl*> FHiddenControls;
};

class TspSkinGroupBox : public TspSkinPanel {
public:
    explicit TspSkinGroupBox(TComponent* owner);
    std::string ClassName() const override { return "TspSkinGroupBox"; }
};

void RegisterSkinPanelClasses(TClassRegistry& classes);
