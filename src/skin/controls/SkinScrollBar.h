// The skinned scroll bar and up-down.
//
// `TspSkinScrollBar`: a thumb, two arrow buttons and a track drawn from the
// record named by SkinDataName ("hscrollbar", "vscrollbar", or
// BothSkinDataName while Both is on), or plain without one. Position stays
// in Min .. Max − PageSize + 1 (Max without a page) by the rules of
// skin/controls/core/SkinScrollMath.h; every change of Position by a setter,
// the mouse, a key or the wheel fires OnChange, SetRange fires nothing, and
// a left-button release fires OnLastChange. A held arrow button or track
// repeats on the window timer 1: the press steps at once, the first tick
// (500 ms later) only switches the timer to 50 ms, each later tick steps; a
// page repeat stops once the thumb reaches the mouse. The other skinned
// controls embed it as their external bar and take its OnChange.
//
// `TspSkinUpDown`: two arrow buttons from a TspDataSkinUpDownControl record
// (no default name) or plain halves; Position moves by Increment on release
// and, while a button is held, on the timer (TspUpDownStepper). A value
// outside Min .. Max is refused.
#pragma once

#include <string>

#include "classlib/ui/StdCtrls.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/core/SkinScrollMath.h"

// An active part of a skinned bar: its rectangle in control coordinates and
// whether the mouse is over it and whether it is held down.
struct TspSkinButtonEntry {
    TRect R;
    bool MouseIn = false;
    bool Down = false;
};

class TspSkinScrollBar : public TspSkinCustomControl {
public:
    explicit TspSkinScrollBar(TComponent* owner);
    ~TspSkinScrollBar() override;
    std::string ClassName() const override { return "TspSkinScrollBar"; }

    int Min() const { return FRange.Min; }
    int Max() const { return FRange.Max; }
    int PageSize() const { return FRange.PageSize; }
    int Position() const { return FRange.Position; }
    void SetMin(int value);
    void SetMax(int value);
    // Refused (nothing changes) when the page does not fit from Position.
    void SetPageSize(int value);
    void SetPosition(int value);
    // All four at once, clamped, without OnChange.
    void SetRange(int min, int max, int pageSize, int position);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value);
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind value);
    bool Both() const { return FBoth; }
    void SetBoth(bool value);
    int BothMarkerWidth() const { return FBothMarkerWidth; }
    // Negative values are ignored.
    void SetBothMarkerWidth(int value);
    std::string BothSkinDataName = "bothhscrollbar";
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool value);

    // The parts as last laid out: 0 thumb, 1 up button, 2 down button.
    const TspSkinButtonEntry& Entry(int index) const { return FButtons[index]; }
    TRect TrackRect() const { return FTrackR; }
    // Lays the parts out for the current size, range and record.
    void CalcRects();
    // The interval the repeat timer was last set to; 0 while it is stopped.
    int TimerInterval() const { return FTimerInterval; }

    TNotifyEvent OnChange;
    TNotifyEvent OnLastChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;

protected:
    void WndProc(TMessage& message) override;
    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    // The wheel, wherever the system sends it (the focused window under
    // Wine, the window under the pointer on Windows 10), focused or not:
    // OnMouseWheel, then OnMouseWheelDown/Up per whole notch, first; a notch
    // that no handler takes moves Position by SmallChange (a notch down adds
    // it, a notch up takes it off). The bar keeps every wheel message, so
    // part notches add up here and do not reach the parent.
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;

private:
    bool Vertical() const { return FKind == sbVertical; }
    void MoveBy(int delta);
    void ButtonStep(int entry);
    void StartTimer(int interval);
    void StopTimer();
    void TimerTick();
    void TestActive(int x, int y);
    int ThumbStart() const { return Vertical() ? FButtons[0].R.Top : FButtons[0].R.Left; }
    int ThumbEnd() const { return Vertical() ? FButtons[0].R.Bottom : FButtons[0].R.Right; }
    void DrawEntry(TCanvas* canvas, int index, bool heldLook);

    TspScrollRange FRange;
    int FSmallChange = 1;
    int FLargeChange = 1;
    TScrollBarKind FKind = sbHorizontal;
    bool FBoth = false;
    std::string FSavedSkinDataName;
    int FBothMarkerWidth = 0;
    bool FCanFocused = false;

    TspSkinButtonEntry FButtons[3];
    TRect FTrackR;
    int FActiveButton = -1;
    int FOldActiveButton = -1;
    int FDownButton = -1;
    bool FDragging = false;
    int FDownCoord = 0;
    int FDownOffset = 0;
    int FDownPosition = 0;
    int FThumbRoom = 0;
    TPoint FLastPoint;
    int FTimerPhase = 0;
    bool FFirstTick = false;
    bool FMouseHeld = false;
    int FTimerInterval = 0;

    // The record copy; empty active and down looks fall back to the normal
    // and the active one.
    TRect FSkinTrackArea, FUpButtonRect, FActiveUpButtonRect, FDownUpButtonRect;
    TRect FDownButtonRect, FActiveDownButtonRect, FDownDownButtonRect;
    TRect FThumbRect, FActiveThumbRect, FDownThumbRect;
    int FThumbOffset1 = 0, FThumbOffset2 = 0;
    TRect FGlyphRect, FActiveGlyphRect, FDownGlyphRect;
};

enum TUDOrientation { udHorizontal, udVertical };

class TspSkinUpDown : public TspSkinCustomControl {
public:
    explicit TspSkinUpDown(TComponent* owner);
    ~TspSkinUpDown() override;
    std::string ClassName() const override { return "TspSkinUpDown"; }

    int Min() const { return FStepper.Min; }
    int Max() const { return FStepper.Max; }
    int Position() const { return FStepper.Position(); }
    int Increment() const { return FStepper.Increment; }
    void SetMin(int value) { FStepper.SetMin(value); }
    void SetMax(int value) { FStepper.SetMax(value); }
    // Ignored outside Min .. Max; else stored and OnChange fires. No repaint.
    void SetPosition(int value);
    void SetIncrement(int value) { FStepper.Increment = value; }
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation value);

    // 0 up button, 1 down button, as last laid out.
    const TspSkinButtonEntry& Entry(int index) const { return FButtons[index]; }
    int TimerInterval() const { return FStepper.TimerInterval(); }

    TNotifyEvent OnChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;

protected:
    void WndProc(TMessage& message) override;
    void GetSkinData() override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void CalcRects();
    void SyncTimer();
    void Changed();

    TspUpDownStepper FStepper;
    TUDOrientation FOrientation = udHorizontal;
    TspSkinButtonEntry FButtons[2];
    int FActiveButton = -1;
    int FOldActiveButton = -1;
    int FDownButton = -1;
    int FTimerSet = 0;
    TRect FUpButtonRect, FActiveUpButtonRect, FDownUpButtonRect;
    TRect FDownButtonRect, FActiveDownButtonRect, FDownDownButtonRect;
};

// Registers both with their published properties below TspSkinCustomControl.
void RegisterSkinScrollBarClasses(TClassRegistry& classes);
