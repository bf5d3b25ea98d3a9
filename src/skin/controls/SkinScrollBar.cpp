#include "skin/controls/SkinScrollBar.h"

#include <windowsx.h>

#include "classlib/core/Types.h"
#include "classlib/ui/ControlsRegistration.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/controls/SkinButton.h"

namespace {

constexpr UINT RepeatTimerId = 1;
constexpr int ScrollFirstDelay = 500;
constexpr int ScrollRepeatPace = 50;

bool Contains(const TRect& r, int x, int y)
{
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// The button of the first `count` under (x, y), or -1; while a button is
// held down, no other one can become active.
int ActiveButtonAt(const TspSkinButtonEntry* buttons, int count, int down, int x, int y)
{
    int active = -1;
    for (int i = 0; i < count; ++i) {
        if (Contains(buttons[i].R, x, y)) {
            active = i;
            break;
        }
    }
    return down != -1 && active != down ? -1 : active;
}

TRect Offset(const TRect& r, int dx, int dy)
{
    return TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

RECT ToRECT(const TRect& r)
{
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

// An empty look falls back to the one before it.
TRect Or(const TRect& r, const TRect& fallback)
{
    return IsEmpty(r) ? fallback : r;
}

// A part drawn as the default button: held with the mouse in, under the
// mouse, or plain; `code` is DrawArrowImage's (0 for none).
void DrawDefaultEntry(TCanvas* canvas, const TRect& r, bool held, bool mouseIn, int code)
{
    if (IsEmpty(r))
        return;
    DrawDefaultButtonFace(canvas, ToRECT(r), held, mouseIn);
    if (code != 0)
        DrawArrowImage(canvas, r, clBtnText, code);
}

// Copies rectangle `source` of the picture over `dest` of the bitmap.
void CopyLook(TBitmap* B, TBitmap* picture, const TRect& dest, const TRect& source)
{
    if (picture == nullptr || IsEmpty(source) || IsEmpty(dest))
        return;
    B->Canvas()->CopyRect(ToRECT(dest), picture->Canvas(), ToRECT(source));
}

}  // namespace

// --- TspSkinScrollBar ----------------------------------------------------------

TspSkinScrollBar::TspSkinScrollBar(TComponent* owner) : TspSkinCustomControl(owner)
{
    SetTabStop(false);
    SetBounds(0, 0, 200, 20);
}

TspSkinScrollBar::~TspSkinScrollBar()
{
    StopTimer();
}

void TspSkinScrollBar::SetPosition(int value)
{
    value = FRange.Clamped(value);
    if (value == FRange.Position)
        return;
    FRange.Position = value;
    Repaint();
    Fire(OnChange, this);
}

void TspSkinScrollBar::SetMin(int value)
{
    FRange.SetMin(value);
    Repaint();
}

void TspSkinScrollBar::SetMax(int value)
{
    FRange.SetMax(value);
    Repaint();
}

void TspSkinScrollBar::SetPageSize(int value)
{
    FRange.SetPageSize(value);
    Repaint();
}

void TspSkinScrollBar::SetRange(int min, int max, int pageSize, int position)
{
    FRange.Min = min;
    FRange.Max = max;
    FRange.PageSize = pageSize;
    FRange.Position = FRange.Clamped(position);
    Repaint();
}

void TspSkinScrollBar::SetSmallChange(int value)
{
    FSmallChange = value;
    Repaint();
}

void TspSkinScrollBar::SetLargeChange(int value)
{
    FLargeChange = value;
    Repaint();
}

void TspSkinScrollBar::SetKind(TScrollBarKind value)
{
    if (value == FKind)
        return;
    FKind = value;
    Repaint();
}

void TspSkinScrollBar::SetBoth(bool value)
{
    if (value == FBoth)
        return;
    FBoth = value;
    if ((ComponentState() & csDesigning) != 0)
        return;
    if (FBoth) {
        FSavedSkinDataName = SkinDataName;
        SkinDataName = BothSkinDataName;
    } else if (!FSavedSkinDataName.empty()) {
        SkinDataName = FSavedSkinDataName;
    }
    GetSkinData();
    if (FIndex != -1)
        ChangeSkinData();
    else
        Repaint();
}

void TspSkinScrollBar::SetBothMarkerWidth(int value)
{
    if (value < 0)
        return;
    FBothMarkerWidth = value;
    if (FIndex == -1)
        Repaint();
}

void TspSkinScrollBar::SetCanFocused(bool value)
{
    FCanFocused = value;
    SetTabStop(value);
}

void TspSkinScrollBar::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    if (FIndex == -1)
        return;
    const auto* record = dynamic_cast<const TspDataSkinScrollBarControl*>(SkinData()->ControlList[FIndex].get());
    if (record == nullptr) {
        // A record of another kind under this name draws the plain look.
        FIndex = -1;
        Picture = nullptr;
        MaskPicture = nullptr;
        return;
    }
    FSkinTrackArea = record->TrackArea;
    FUpButtonRect = record->UpButtonRect;
    FActiveUpButtonRect = Or(record->ActiveUpButtonRect, FUpButtonRect);
    FDownUpButtonRect = Or(record->DownUpButtonRect, FActiveUpButtonRect);
    FDownButtonRect = record->DownButtonRect;
    FActiveDownButtonRect = Or(record->ActiveDownButtonRect, FDownButtonRect);
    FDownDownButtonRect = Or(record->DownDownButtonRect, FActiveDownButtonRect);
    FThumbRect = record->ThumbRect;
    FActiveThumbRect = Or(record->ActiveThumbRect, FThumbRect);
    FDownThumbRect = Or(record->DownThumbRect, FActiveThumbRect);
    FThumbOffset1 = record->ThumbOffset1;
    FThumbOffset2 = record->ThumbOffset2;
    FGlyphRect = record->GlyphRect;
    FActiveGlyphRect = Or(record->ActiveGlyphRect, FGlyphRect);
    FDownGlyphRect = Or(record->DownGlyphRect, FActiveGlyphRect);
}

void TspSkinScrollBar::CalcSize(int& W, int& H)
{
    TspSkinCustomControl::CalcSize(W, H);
    CalcRects();
}

// The record's arrow buttons are skin-picture rectangles inside SkinRect and
// the track area is relative to SkinRect, as the client area is; they move
// or stretch with the control as MoveSkinRect places them. The thumb's
// rectangles only say where its looks are in the picture.
void TspSkinScrollBar::CalcRects()
{
    const int w = Width();
    const int h = Height();
    int thumbMin;
    bool atEndWithoutRoom;
    TRect thumbAcross;  // the thumb's extent across the bar
    if (FIndex != -1) {
        const int ox = -SkinRect.Left;
        const int oy = -SkinRect.Top;
        FTrackR = MoveSkinRect(FSkinTrackArea, w, h);
        FButtons[1].R = MoveSkinRect(Offset(FUpButtonRect, ox, oy), w, h);
        FButtons[2].R = MoveSkinRect(Offset(FDownButtonRect, ox, oy), w, h);
        // The thumb keeps the skin thumb's thickness, centred across the track.
        const int thickness = Vertical() ? FThumbRect.Right - FThumbRect.Left : FThumbRect.Bottom - FThumbRect.Top;
        if (Vertical()) {
            const int left = FTrackR.Left + (FTrackR.Right - FTrackR.Left - thickness) / 2;
            thumbAcross = TRect{left, FTrackR.Top, left + thickness, FTrackR.Bottom};
        } else {
            const int top = FTrackR.Top + (FTrackR.Bottom - FTrackR.Top - thickness) / 2;
            thumbAcross = TRect{FTrackR.Left, top, FTrackR.Right, top + thickness};
        }
        thumbMin = Vertical() ? FThumbRect.Bottom - FThumbRect.Top : FThumbRect.Right - FThumbRect.Left;
        atEndWithoutRoom = false;
    } else {
        const int length = (Vertical() ? h : w) - (FBoth ? FBothMarkerWidth : 0);
        const TspScrollBarParts parts = DefaultScrollBarParts(Vertical(), length, Vertical() ? w : h);
        FTrackR = parts.Track;
        FButtons[1].R = parts.UpButton;
        FButtons[2].R = parts.DownButton;
        thumbAcross = parts.Track;
        thumbMin = DefaultScrollThumbLength;
        atEndWithoutRoom = true;
    }
    const int trackLength = Vertical() ? FTrackR.Bottom - FTrackR.Top : FTrackR.Right - FTrackR.Left;
    const int length = ScrollThumbLength(trackLength, thumbMin, FRange);
    const int offset = ScrollThumbOffset(trackLength, length, FRange, atEndWithoutRoom);
    FThumbRoom = trackLength - length;
    if (Vertical()) {
        const int top = FTrackR.Top + offset;
        FButtons[0].R = TRect{thumbAcross.Left, top, thumbAcross.Right, top + length};
    } else {
        const int left = FTrackR.Left + offset;
        FButtons[0].R = TRect{left, thumbAcross.Top, left + length, thumbAcross.Bottom};
    }
}

void TspSkinScrollBar::MoveBy(int delta)
{
    SetPosition(FRange.Position + delta);
}

// An arrow button's step: its event when assigned, else SmallChange.
void TspSkinScrollBar::ButtonStep(int entry)
{
    const TNotifyEvent& event = entry == 1 ? OnUpButtonClick : OnDownButtonClick;
    if (event)
        event(this);
    else
        MoveBy(entry == 1 ? FSmallChange : -FSmallChange);
}

void TspSkinScrollBar::StartTimer(int interval)
{
    FTimerInterval = interval;
    if (HandleAllocated())
        SetTimer(Handle(), RepeatTimerId, static_cast<UINT>(interval), nullptr);
}

void TspSkinScrollBar::StopTimer()
{
    if (FTimerInterval != 0 && HandleAllocated())
        KillTimer(Handle(), RepeatTimerId);
    FTimerInterval = 0;
}

void TspSkinScrollBar::TimerTick()
{
    if (FFirstTick) {
        FFirstTick = false;
        StartTimer(ScrollRepeatPace);
        return;
    }
    switch (FTimerPhase) {
    case 1:
        ButtonStep(2);
        break;
    case 2:
        ButtonStep(1);
        break;
    case 3:
    case 4: {
        CalcRects();
        const int at = Vertical() ? FLastPoint.Y : FLastPoint.X;
        const bool across = Vertical() ? FLastPoint.X >= FTrackR.Left && FLastPoint.X < FTrackR.Right
                                       : FLastPoint.Y >= FTrackR.Top && FLastPoint.Y < FTrackR.Bottom;
        if (FTimerPhase == 3 && across && at < ThumbStart())
            MoveBy(-FLargeChange);
        else if (FTimerPhase == 4 && across && at >= ThumbEnd())
            MoveBy(FLargeChange);
        else
            StopTimer();
        break;
    }
    default:
        StopTimer();
    }
}

void TspSkinScrollBar::TestActive(int x, int y)
{
    const int active = ActiveButtonAt(FButtons, 3, FDownButton, x, y);
    if (active == FActiveButton)
        return;
    FOldActiveButton = FActiveButton;
    FActiveButton = active;
    const bool heldArrow = FDownButton == 1 || FDownButton == 2;
    if (FOldActiveButton != -1) {
        FButtons[FOldActiveButton].MouseIn = false;
        if (heldArrow && FOldActiveButton == FDownButton)
            StopTimer();
    }
    if (FActiveButton != -1) {
        FButtons[FActiveButton].MouseIn = true;
        if (heldArrow && FActiveButton == FDownButton)
            StartTimer(ScrollRepeatPace);
    }
    Repaint();
}

void TspSkinScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TspSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    FMouseHeld = true;
    FLastPoint = TPoint{x, y};
    CalcRects();
    FTimerPhase = 0;
    FFirstTick = true;
    int entry = -1;
    for (int i = 0; i < 3; ++i) {
        if (Contains(FButtons[i].R, x, y)) {
            entry = i;
            break;
        }
    }
    if (entry != -1) {
        FDownButton = entry;
        FActiveButton = entry;
        FButtons[entry].Down = true;
        FButtons[entry].MouseIn = true;
        if (entry == 0) {
            FDragging = true;
            FDownCoord = Vertical() ? y : x;
            FDownOffset = ThumbStart() - (Vertical() ? FTrackR.Top : FTrackR.Left);
            FDownPosition = FRange.Position;
        } else {
            ButtonStep(entry);
            FTimerPhase = entry == 1 ? 2 : 1;
            StartTimer(ScrollFirstDelay);
        }
        Repaint();
        return;
    }
    if (Contains(FTrackR, x, y)) {
        const int at = Vertical() ? y : x;
        if (at < ThumbStart()) {
            MoveBy(-FLargeChange);
            FTimerPhase = 3;
        } else {
            MoveBy(FLargeChange);
            FTimerPhase = 4;
        }
        StartTimer(ScrollFirstDelay);
    }
}

void TspSkinScrollBar::MouseMove(TShiftState shift, int x, int y)
{
    TspSkinCustomControl::MouseMove(shift, x, y);
    FLastPoint = TPoint{x, y};
    TestActive(x, y);
    if (FDragging) {
        const int offset = FDownOffset + ((Vertical() ? y : x) - FDownCoord);
        SetPosition(ScrollDragPosition(offset, FThumbRoom, FRange));
    }
}

void TspSkinScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TspSkinCustomControl::MouseUp(button, shift, x, y);
    FMouseHeld = false;
    if (FTimerPhase == 3 || FTimerPhase == 4)
        StopTimer();
    if (FDownButton != -1) {
        TspSkinButtonEntry& entry = FButtons[FDownButton];
        entry.Down = false;
        entry.MouseIn = FDownButton == FActiveButton;
        if (FDownButton == 0)
            FDragging = false;
        else
            StopTimer();
        FDownButton = -1;
        Repaint();
    }
    FTimerPhase = 0;
    if (button == mbLeft)
        Fire(OnLastChange, this);
}

void TspSkinScrollBar::KeyDown(WORD& key, TShiftState shift)
{
    TspSkinCustomControl::KeyDown(key, shift);
    if (!FCanFocused)
        return;
    if (key == VK_LEFT || key == VK_UP)
        MoveBy(-FSmallChange);
    else if (key == VK_RIGHT || key == VK_DOWN)
        MoveBy(FSmallChange);
}

bool TspSkinScrollBar::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    TspSkinCustomControl::DoMouseWheel(shift, wheelDelta, mousePos);
    return true;
}

bool TspSkinScrollBar::DoMouseWheelDown(TShiftState shift, TPoint mousePos)
{
    if (!TspSkinCustomControl::DoMouseWheelDown(shift, mousePos))
        MoveBy(FSmallChange);
    return true;
}

bool TspSkinScrollBar::DoMouseWheelUp(TShiftState shift, TPoint mousePos)
{
    if (!TspSkinCustomControl::DoMouseWheelUp(shift, mousePos))
        MoveBy(-FSmallChange);
    return true;
}

void TspSkinScrollBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_WANTSPECIALKEY:
        message.Result = FCanFocused && message.WParam >= VK_LEFT && message.WParam <= VK_DOWN ? 1 : 0;
        return;
    case WM_TIMER:
        if (message.WParam == RepeatTimerId) {
            TimerTick();
            message.Result = 0;
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // As the skinned button: a press that could not take the focus (the
        // control that had it kept it) ends here.
        if (FCanFocused && !Focused() && (ComponentState() & csDesigning) == 0) {
            ::SetFocus(Handle());
            if (!Focused())
                return;
        }
        break;
    case CM_MOUSELEAVE:
        TspSkinCustomControl::WndProc(message);
        if (FDownButton == -1 && !FDragging && FActiveButton != -1) {
            FButtons[FActiveButton].MouseIn = false;
            FOldActiveButton = FActiveButton;
            FActiveButton = -1;
            Repaint();
        }
        if (FMouseHeld && FTimerPhase == 4)
            StopTimer();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TspSkinCustomControl::WndProc(message);
        if (FCanFocused)
            Repaint();
        return;
    case CM_ENABLEDCHANGED:
        TspSkinCustomControl::WndProc(message);
        Repaint();
        return;
    }
    TspSkinCustomControl::WndProc(message);
}

void TspSkinScrollBar::CreateControlSkinImage(TBitmap* B)
{
    CalcRects();
    TspSkinCustomControl::CreateControlSkinImage(B);
    const TspSkinButtonEntry& up = FButtons[1];
    const TspSkinButtonEntry& down = FButtons[2];
    if (up.MouseIn)
        CopyLook(B, Picture, up.R, up.Down ? FDownUpButtonRect : FActiveUpButtonRect);
    if (down.MouseIn)
        CopyLook(B, Picture, down.R, down.Down ? FDownDownButtonRect : FActiveDownButtonRect);
    if (!Enabled() || Picture == nullptr)
        return;
    const TspSkinButtonEntry& thumb = FButtons[0];
    const bool held = thumb.Down || (FCanFocused && Focused());
    const TRect look = held ? FDownThumbRect : thumb.MouseIn ? FActiveThumbRect : FThumbRect;
    const TRect glyph = held ? FDownGlyphRect : thumb.MouseIn ? FActiveGlyphRect : FGlyphRect;
    const int length = Vertical() ? thumb.R.Bottom - thumb.R.Top : thumb.R.Right - thumb.R.Left;
    if (FRange.PageSize != 0 && length > 0 && !IsEmpty(look)) {
        TBitmap T;
        if (Vertical())
            CreateVSkinImage(FThumbOffset1, FThumbOffset2, &T, Picture, look, 0, length);
        else
            CreateHSkinImage(FThumbOffset1, FThumbOffset2, &T, Picture, look, length, 0);
        B->Canvas()->Draw(thumb.R.Left, thumb.R.Top, &T);
    } else {
        CopyLook(B, Picture, TRect{thumb.R.Left, thumb.R.Top, thumb.R.Left + (look.Right - look.Left),
                                   thumb.R.Top + (look.Bottom - look.Top)},
                 look);
    }
    if (!IsEmpty(glyph)) {
        const int gw = glyph.Right - glyph.Left;
        const int gh = glyph.Bottom - glyph.Top;
        const int gx = thumb.R.Left + (thumb.R.Right - thumb.R.Left - gw) / 2;
        const int gy = thumb.R.Top + (thumb.R.Bottom - thumb.R.Top - gh) / 2;
        CopyLook(B, Picture, TRect{gx, gy, gx + gw, gy + gh}, glyph);
    }
}

void TspSkinScrollBar::CreateControlDefaultImage(TBitmap* B)
{
    CalcRects();
    TCanvas* canvas = B->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(RECT{0, 0, B->Width(), B->Height()});
    const TspSkinButtonEntry& up = FButtons[1];
    const TspSkinButtonEntry& down = FButtons[2];
    DrawDefaultEntry(canvas, up.R, up.Down && up.MouseIn, up.MouseIn, Vertical() ? 4 : 2);
    DrawDefaultEntry(canvas, down.R, down.Down && down.MouseIn, down.MouseIn, Vertical() ? 3 : 1);
    if (Enabled()) {
        const TspSkinButtonEntry& thumb = FButtons[0];
        DrawDefaultEntry(canvas, thumb.R, thumb.Down || (FCanFocused && Focused()), thumb.MouseIn, 0);
    }
}

// --- TspSkinUpDown ------------------------------------------------------------------

TspSkinUpDown::TspSkinUpDown(TComponent* owner) : TspSkinCustomControl(owner)
{
    SetBounds(0, 0, 25, 50);
}

TspSkinUpDown::~TspSkinUpDown()
{
    if (FTimerSet != 0 && HandleAllocated())
        KillTimer(Handle(), RepeatTimerId);
}

void TspSkinUpDown::SetPosition(int value)
{
    if (!FStepper.SetPosition(value))
        return;
    if ((ComponentState() & csDesigning) == 0)
        Fire(OnChange, this);
}

void TspSkinUpDown::SetOrientation(TUDOrientation value)
{
    FOrientation = value;
    CalcRects();
    Repaint();
}

void TspSkinUpDown::Changed()
{
    if ((ComponentState() & csDesigning) == 0)
        Fire(OnChange, this);
}

void TspSkinUpDown::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    if (FIndex != -1) {
        const auto* record = dynamic_cast<const TspDataSkinUpDownControl*>(SkinData()->ControlList[FIndex].get());
        if (record == nullptr) {
            FIndex = -1;
            Picture = nullptr;
            MaskPicture = nullptr;
        } else {
            FUpButtonRect = record->UpButtonRect;
            FActiveUpButtonRect = Or(record->ActiveUpButtonRect, FUpButtonRect);
            FDownUpButtonRect = Or(record->DownUpButtonRect, FActiveUpButtonRect);
            FDownButtonRect = record->DownButtonRect;
            FActiveDownButtonRect = Or(record->ActiveDownButtonRect, FDownButtonRect);
            FDownDownButtonRect = Or(record->DownDownButtonRect, FActiveDownButtonRect);
        }
    }
    CalcRects();
}

void TspSkinUpDown::CalcRects()
{
    const int w = Width();
    const int h = Height();
    if (FIndex != -1) {
        FButtons[0].R = Offset(FUpButtonRect, -SkinRect.Left, -SkinRect.Top);
        FButtons[1].R = Offset(FDownButtonRect, -SkinRect.Left, -SkinRect.Top);
    } else if (FOrientation == udVertical) {
        FButtons[0].R = TRect{0, 0, w, h / 2};
        FButtons[1].R = TRect{0, h / 2, w, h};
    } else {
        FButtons[0].R = TRect{w / 2, 0, w, h};
        FButtons[1].R = TRect{0, 0, w / 2, h};
    }
}

void TspSkinUpDown::SyncTimer()
{
    const int interval = FStepper.TimerInterval();
    if (interval == FTimerSet)
        return;
    FTimerSet = interval;
    if (!HandleAllocated())
        return;
    if (interval == 0)
        KillTimer(Handle(), RepeatTimerId);
    else
        SetTimer(Handle(), RepeatTimerId, static_cast<UINT>(interval), nullptr);
}

void TspSkinUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TspSkinCustomControl::MouseDown(button, shift, x, y);
    CalcRects();
    for (int i = 0; i < 2; ++i) {
        if (!Contains(FButtons[i].R, x, y))
            continue;
        FDownButton = i;
        FActiveButton = i;
        FButtons[i].MouseIn = true;
        FButtons[i].Down = true;
        Repaint();
        FStepper.Press(i == 0);
        SyncTimer();
        return;
    }
}

void TspSkinUpDown::MouseMove(TShiftState shift, int x, int y)
{
    TspSkinCustomControl::MouseMove(shift, x, y);
    const int active = ActiveButtonAt(FButtons, 2, FDownButton, x, y);
    if (active == FActiveButton)
        return;
    FOldActiveButton = FActiveButton;
    FActiveButton = active;
    if (FOldActiveButton != -1) {
        FButtons[FOldActiveButton].MouseIn = false;
        if (FOldActiveButton == FDownButton)
            FStepper.Leave();
    }
    if (FActiveButton != -1) {
        FButtons[FActiveButton].MouseIn = true;
        if (FActiveButton == FDownButton)
            FStepper.Reenter();
    }
    SyncTimer();
    Repaint();
}

void TspSkinUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TspSkinCustomControl::MouseUp(button, shift, x, y);
    if (FDownButton == -1)
        return;
    const int held = FDownButton;
    FDownButton = -1;
    FButtons[held].Down = false;
    FButtons[held].MouseIn = held == FActiveButton;
    Repaint();
    if (FStepper.Release(held == 0))
        Changed();
    SyncTimer();
    Fire(held == 0 ? OnUpButtonClick : OnDownButtonClick, this);
}

void TspSkinUpDown::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_TIMER:
        if (message.WParam == RepeatTimerId) {
            if (FStepper.Tick())
                Changed();
            SyncTimer();
            message.Result = 0;
            return;
        }
        break;
    case WM_SIZE:
        TspSkinCustomControl::WndProc(message);
        CalcRects();
        return;
    case CM_MOUSEENTER:
        TspSkinCustomControl::WndProc(message);
        FActiveButton = -1;
        FOldActiveButton = -1;
        return;
    case CM_MOUSELEAVE:
        TspSkinCustomControl::WndProc(message);
        FButtons[0].MouseIn = false;
        FButtons[1].MouseIn = false;
        Repaint();
        return;
    }
    TspSkinCustomControl::WndProc(message);
}

void TspSkinUpDown::CreateControlSkinImage(TBitmap* B)
{
    CalcRects();
    TspSkinCustomControl::CreateControlSkinImage(B);
    const TRect active[2] = {FActiveUpButtonRect, FActiveDownButtonRect};
    const TRect down[2] = {FDownUpButtonRect, FDownDownButtonRect};
    for (int i = 0; i < 2; ++i) {
        if (FButtons[i].MouseIn)
            CopyLook(B, Picture, FButtons[i].R, FButtons[i].Down ? down[i] : active[i]);
    }
}

void TspSkinUpDown::CreateControlDefaultImage(TBitmap* B)
{
    CalcRects();
    TCanvas* canvas = B->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(RECT{0, 0, B->Width(), B->Height()});
    const int codes[2] = {FOrientation == udVertical ? 3 : 2, FOrientation == udVertical ? 4 : 1};
    for (int i = 0; i < 2; ++i) {
        const TspSkinButtonEntry& e = FButtons[i];
        DrawDefaultEntry(canvas, e.R, e.Down && e.MouseIn, e.MouseIn, codes[i]);
    }
}

namespace {

const TFormEnumTable<TUDOrientation> UDOrientationNames = {{"udHorizontal", udHorizontal},
                                                           {"udVertical", udVertical}};

}  // namespace

void RegisterSkinScrollBarClasses(TClassRegistry& classes)
{
    classes.Register<TspSkinScrollBar>("TspSkinScrollBar", "TspSkinCustomControl")
        .Bool("Both", &TspSkinScrollBar::SetBoth)
        .Int("BothMarkerWidth", &TspSkinScrollBar::SetBothMarkerWidth)
        .String("BothSkinDataName", &TspSkinScrollBar::BothSkinDataName)
        .Bool("CanFocused", &TspSkinScrollBar::SetCanFocused)
        .Enum("Kind", &TspSkinScrollBar::SetKind, ScrollBarKindNames)
        .Int("Min", &TspSkinScrollBar::SetMin)
        .Int("Max", &TspSkinScrollBar::SetMax)
        .Int("PageSize", &TspSkinScrollBar::SetPageSize)
        .Int("Position", &TspSkinScrollBar::SetPosition)
        .Int("SmallChange", &TspSkinScrollBar::SetSmallChange)
        .Int("LargeChange", &TspSkinScrollBar::SetLargeChange)
        .Event("OnChange", &TspSkinScrollBar::OnChange)
        .Event("OnLastChange", &TspSkinScrollBar::OnLastChange)
        .Event("OnUpButtonClick", &TspSkinScrollBar::OnUpButtonClick)
        .Event("OnDownButtonClick", &TspSkinScrollBar::OnDownButtonClick);
    classes.Register<TspSkinUpDown>("TspSkinUpDown", "TspSkinCustomControl")
        .Enum("Orientation", &TspSkinUpDown::SetOrientation, UDOrientationNames)
        .Int("Increment", &TspSkinUpDown::SetIncrement)
        .Int("Min", &TspSkinUpDown::SetMin)
        .Int("Max", &TspSkinUpDown::SetMax)
        .Int("Position", &TspSkinUpDown::SetPosition)
        .Event("OnChange", &TspSkinUpDown::OnChange)
        .Event("OnUpButtonClick", &TspSkinUpDown::OnUpButtonClick)
        .Event("OnDownButtonClick", &TspSkinUpDown::OnDownButtonClick);
}
