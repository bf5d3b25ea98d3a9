// The live objects on a skinned form's frame: one per object record of the
// skin ([SKINOBJECTS]), or the default buttons of the skinless frame. The
// form component (skin/forms/DynamicSkinForm.h) owns them in its
// ObjectList, lays out their ObjectRect for the form size, finds the one
// under the mouse and forwards the mouse to it; each object draws itself
// and raises the component's object events.
//
// Every object has a normal look (Picture at SkinRect, already part of the
// composed frame) and may have an active look (ActivePicture at
// ActiveSkinRect). An object whose record names no valid active picture
// has no active look: it neither morphs nor draws one. A morphing object
// moves between its looks in ten 20 ms steps of the component's morph
// timer.
//
// Objects hold plain pointers into the component's skin data; the
// component frees them before that skin changes.
#pragma once

#include <string>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "classlib/ui/Controls.h"
#include "skin/core/SkinFrameObjectValues.h"
#include "skin/core/SkinObjectRecords.h"

class TspDynamicSkinForm;
class TspSkinData;
class TPopupMenu;

// The two states of a switch object: on shows the active look.
enum TSwitchState { swOn, swOff };

class TspActiveSkinObject {
public:
    // AData may be null (default buttons): empty rectangles, no pictures.
    TspActiveSkinObject(TspDynamicSkinForm* AParent, TspDataSkinObject* AData);
    virtual ~TspActiveSkinObject() = default;
    TspActiveSkinObject(const TspActiveSkinObject&) = delete;
    TspActiveSkinObject& operator=(const TspActiveSkinObject&) = delete;

    // Draws on a canvas whose origin is the window's top-left (or the
    // frame strip being composed). UpDate: also draw the normal look, which
    // a composed frame already holds.
    virtual void Draw(TCanvas* Canvas, bool UpDate);
    virtual void MouseDown(int X, int Y, TMouseButton Button);
    virtual void MouseUp(int X, int Y, TMouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // True while a morph step remains toward the current state's look.
    virtual bool CanMorphing();

    // Redraws now, or starts the morph timer for a morphing object.
    void ReDraw();
    // One morph step toward the current state, then a redraw.
    void DoMorphing();
    double MorphKf() const { return Morph.Kf(); }
    void SetMorphKf(double Value) { Morph.SetKf(Value); }
    bool HasActivePicture() const { return ActivePicture != nullptr; }

    TspDynamicSkinForm* Parent;
    TspSkinData* SkinData;
    std::string IDName;
    std::string Hint;
    TRect SkinRect;
    TRect ObjectRect;
    TRect ActiveSkinRect;
    TBitmap* Picture = nullptr;
    TBitmap* ActivePicture = nullptr;
    // True only with an active picture to morph toward.
    bool Morphing = false;
    TspMorphKind MorphKind = mkDefault;
    TSkinMorphPosition Morph;
    int CursorIndex = -1;
    bool RollUp = false;
    bool MouseIn = false;
    bool Active = false;
    bool Enabled = true;

protected:
    // Copies `source` of `picture` onto ObjectRect.
    void CopyLook(TCanvas* Canvas, TBitmap* picture, const TRect& source) const;
    // Draws the morph between two looks of the object's size at ObjectRect.
    void DrawMorph(TCanvas* Canvas, TBitmap* normal, TBitmap* active) const;
    // A bitmap of the object's size holding `source` of `picture`.
    void CutLook(TBitmap& target, TBitmap* picture, const TRect& source) const;
    // True when the morph has not reached the current state's end.
    bool MorphPending() const { return Morphing && !Morph.AtEnd(Active); }
    // Enter and leave without a redraw: MouseIn (and Active when asked)
    // follows the mouse and the event is raised.
    void QuietEnter(bool activate);
    void QuietLeave(bool deactivate);
    // The canvas's font for a text drawn with a clear brush.
    static void SetTextFont(TCanvas* Canvas, const std::string& name, int height, TFontStyles style, TColor color);
    // The left of a text `width` wide placed in `area` by `alignment`.
    static int AlignedLeft(const TRect& area, int width, TAlignment alignment);
};

class TspSkinGaugeObject : public TspActiveSkinObject {
public:
    TspSkinGaugeObject(TspDynamicSkinForm* AParent, TspDataSkinGauge* AData);
    void Draw(TCanvas* Canvas, bool UpDate) override;
    void MouseEnter() override;
    void MouseLeave() override;
    int Value() const { return FValue; }
    // Held to [min, max]; redraws.
    void SetValue(int AValue);

    int MinValue, MaxValue;
    TspGaugeKind Kind;

private:
    int FValue;
};

class TspSkinButtonObject : public TspActiveSkinObject {
public:
    TspSkinButtonObject(TspDynamicSkinForm* AParent, TspDataSkinButton* AData);
    void Draw(TCanvas* Canvas, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // A press releases the other down button of the same group.
    void SetDown(bool Value);

    bool Down = false;
    TRect DownRect;
    int GroupIndex = -1;
    TPopupMenu* PopupMenu = nullptr;
    bool PopupToUp = false;
};

class TspSkinStdButtonObject : public TspSkinButtonObject {
public:
    TspSkinStdButtonObject(TspDynamicSkinForm* AParent, TspDataSkinStdButton* AData);
    // A default button of the skinless frame.
    TspSkinStdButtonObject(TspDynamicSkinForm* AParent, const std::string& AIDName, TspStdCommand ACommand);
    void Draw(TCanvas* Canvas, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;

    TspStdCommand Command = cmDefault;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect;
    bool FromSkin = true;

private:
    bool RestoreLook() const;
    void DrawDefault(TCanvas* Canvas);
    void DoCommand();
};

class TspSkinCaptionObject : public TspActiveSkinObject {
public:
    TspSkinCaptionObject(TspDynamicSkinForm* AParent, TspDataSkinCaption* AData);
    void Draw(TCanvas* Canvas, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void SetText(const std::string& Value);
    const std::string& Text() const { return FText; }

    bool DefaultCaption;
    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight;
    TColor FontColor, ActiveFontColor, ShadowColor, ActiveShadowColor;
    TAlignment Alignment;
    bool Shadow;
    TRect TextRect;  // relative to the object, its right edge growing with it

private:
    // The look from `picture` at `source` composed at the object's size,
    // the stretchable middle tiled, with the text in the given state.
    void ComposeLook(TBitmap& target, TBitmap* picture, const TRect& source, bool activeColors);
    void DrawText(TCanvas* Canvas, const TRect& area, bool activeColors);

    std::string FText;
};

// Drawn by the component's OnPaintEvent.
class TspUserObject : public TspActiveSkinObject {
public:
    using TspActiveSkinObject::TspActiveSkinObject;
    void Draw(TCanvas* Canvas, bool UpDate) override;
};

class TspSkinSwitchObject : public TspActiveSkinObject {
public:
    TspSkinSwitchObject(TspDynamicSkinForm* AParent, TspDataSkinObject* AData);
    void Draw(TCanvas* Canvas, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    TSwitchState State = swOff;
};

class TspSkinTrackBarObject : public TspActiveSkinObject {
public:
    TspSkinTrackBarObject(TspDynamicSkinForm* AParent, TspDataSkinTrackBar* AData);
    void Draw(TCanvas* Canvas, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;
    int Value() const { return FValue; }
    TPoint ButtonPos() const { return FButtonPos; }

    TRect ButtonRect, ActiveButtonRect;
    TSkinTrackBarGeometry Track;
    bool MouseDownChangeValue;

private:
    // The button's rectangle within the object, centred on the position.
    TRect ButtonPlace() const;
    // Moves the button to the track coordinate; a new value redraws and is
    // announced.
    void MoveTo(int coordinate);

    int FValue;
    TPoint FButtonPos;
    bool FDragging = false;
    int FGrabOffset = 0;
};

class TspSkinLabelObject : public TspActiveSkinObject {
public:
    TspSkinLabelObject(TspDynamicSkinForm* AParent, TspDataSkinLabel* AData);
    void Draw(TCanvas* Canvas, bool UpDate) override;
    void MouseEnter() override;
    void MouseLeave() override;

    std::string TextValue;
    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight;
    TColor FontColor, ActiveFontColor;
    TAlignment Alignment;

private:
    void MakeLook(TBitmap& target, bool active);
    bool ActiveLookDiffers() const;
};

class TspSkinAnimateObject : public TspActiveSkinObject {
public:
    TspSkinAnimateObject(TspDynamicSkinForm* AParent, TspDataSkinAnimate* AData);
    void Draw(TCanvas* Canvas, bool UpDate) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool CanMorphing() override { return false; }
    // One 25 ms tick of the component's animation timer.
    void Step();

    int CountFrames;
    bool Cycle;
    bool ButtonStyle;
    int TimerInterval;
    TspStdCommand Command;
    TPopupMenu* PopupMenu = nullptr;
    TSkinAnimationState Animation;

private:
    void Run(bool forward);
};

class TspSkinBitLabelObject : public TspActiveSkinObject {
public:
    TspSkinBitLabelObject(TspDynamicSkinForm* AParent, TspDataSkinBitLabel* AData);
    void Draw(TCanvas* Canvas, bool UpDate) override;
    void SetText(const std::string& Value);

    std::string TextValue;
    int SymbolWidth, SymbolHeight;
    std::vector<std::string> Symbols;
};

// Frames side by side (or stacked) in the active picture; frame
// FrameIndex (1-based) is shown.
class TspSkinFrameObject : public TspActiveSkinObject {
public:
    TspSkinFrameObject(TspDynamicSkinForm* AParent, TspDataSkinObject* AData, int ACountFrames,
                       TspFramesPlacement APlacement);
    void Draw(TCanvas* Canvas, bool UpDate) override;
    void MouseEnter() override;
    void MouseLeave() override;

    int CountFrames;
    TspFramesPlacement FramesPlacement;
    int FrameIndex = 1;
};

class TspSkinFrameGaugeObject : public TspSkinFrameObject {
public:
    TspSkinFrameGaugeObject(TspDynamicSkinForm* AParent, TspDataSkinFrameGaugeObject* AData);
    TspSkinFrameGaugeObject(TspDynamicSkinForm* AParent, TspDataSkinObject* AData, int AMin, int AMax,
                            int ACountFrames, TspFramesPlacement APlacement);
    int Value() const { return FValue; }
    // Held to [min, max]; shows its frame and redraws.
    void SetValue(int AValue);

    int MinValue, MaxValue;

protected:
    int FValue = 0;
};

class TspSkinFrameRegulatorObject : public TspSkinFrameGaugeObject {
public:
    TspSkinFrameRegulatorObject(TspDynamicSkinForm* AParent, TspDataSkinFrameRegulatorObject* AData);
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;

    TspRegulatorKind Kind;

private:
    int DragQuantity(int X, int Y) const;

    bool FDragging = false;
    TSkinRegulatorDrag FDrag;
};
