// The frame objects that show a value: gauges, the track bar, the label,
// the animation, the bit label and the frame strips.
#include <algorithm>
#include <cmath>

#include "classlib/graphics/WinTypes.h"
#include "skin/SkinData.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/SkinFrameObjects.h"

namespace {

int Round(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

// ---------------------------------------------------------------- gauge

TspSkinGaugeObject::TspSkinGaugeObject(TspDynamicSkinForm* AParent, TspDataSkinGauge* AData)
    : TspActiveSkinObject(AParent, AData), MinValue(AData->MinValue), MaxValue(AData->MaxValue), Kind(AData->Kind),
      FValue(AData->MinValue)
{
}

void TspSkinGaugeObject::SetValue(int AValue)
{
    FValue = std::clamp(AValue, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue));
    Parent->DrawSkinObject(this);
}

void TspSkinGaugeObject::Draw(TCanvas* Canvas, bool UpDate)
{
    if (FValue == MinValue && !UpDate)
        return;
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    const int range = MaxValue - MinValue;
    // No range: the gauge is empty.
    const double share = range == 0 ? 0.0 : static_cast<double>(FValue - MinValue) / range;
    const TRect& O = ObjectRect;
    const TRect& S = SkinRect;
    const TRect& A = ActiveSkinRect;
    auto copy = [&](TBitmap* picture, const TRect& source, const TRect& dest) {
        if (picture != nullptr && !IsNullRect(source) && !IsNullRect(dest))
            Canvas->CopyRect(ToRECT(dest), picture->Canvas(), ToRECT(source));
    };
    TBitmap* active = IsNullRect(A) ? nullptr : ActivePicture;
    if (Kind == gkHorizontal) {
        const int x = std::clamp(Round(w * share), 0, w);
        copy(active, {A.Left, A.Top, A.Left + x, A.Bottom}, {O.Left, O.Top, O.Left + x, O.Bottom});
        copy(Picture, {S.Left + x, S.Top, S.Right, S.Bottom}, {O.Left + x, O.Top, O.Right, O.Bottom});
    } else {
        const int y = std::clamp(Round(h * (1.0 - share)), 0, h);
        copy(Picture, {S.Left, S.Top, S.Right, S.Top + y}, {O.Left, O.Top, O.Right, O.Top + y});
        copy(active, {A.Left, A.Top + y, A.Right, A.Bottom}, {O.Left, O.Top + y, O.Right, O.Bottom});
    }
}

void TspSkinGaugeObject::MouseEnter()
{
    QuietEnter(true);
}

void TspSkinGaugeObject::MouseLeave()
{
    QuietLeave(true);
}

// ---------------------------------------------------------------- track bar

TspSkinTrackBarObject::TspSkinTrackBarObject(TspDynamicSkinForm* AParent, TspDataSkinTrackBar* AData)
    : TspActiveSkinObject(AParent, AData), ButtonRect(AData->ButtonRect), ActiveButtonRect(AData->ActiveButtonRect),
      Track{AData->BeginPoint, AData->EndPoint, AData->MinValue, AData->MaxValue},
      MouseDownChangeValue(AData->MouseDownChangeValue), FValue(AData->MinValue),
      FButtonPos(Track.ValueToPosition(AData->MinValue))
{
}

TRect TspSkinTrackBarObject::ButtonPlace() const
{
    const int w = RectWidth(ButtonRect), h = RectHeight(ButtonRect);
    const int left = FButtonPos.X - w / 2, top = FButtonPos.Y - h / 2;
    return {left, top, left + w, top + h};
}

void TspSkinTrackBarObject::Draw(TCanvas* Canvas, bool)
{
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w < 1 || h < 1)
        return;
    TBitmap look;
    look.SetSize(w, h);
    TCanvas* c = look.Canvas();
    auto copy = [&](TBitmap* picture, const TRect& source, const TRect& dest) {
        if (picture != nullptr && !IsNullRect(source) && !IsNullRect(dest))
            c->CopyRect(ToRECT(dest), picture->Canvas(), ToRECT(source));
    };
    const TRect& S = SkinRect;
    const TRect& A = ActiveSkinRect;
    if (ActivePicture == nullptr || IsNullRect(A)) {
        copy(Picture, S, {0, 0, w, h});
    } else if (!Track.Vertical()) {
        const int x = std::clamp(FButtonPos.X, 0, w);
        copy(ActivePicture, {A.Left, A.Top, A.Left + x, A.Bottom}, {0, 0, x, h});
        copy(Picture, {S.Left + x, S.Top, S.Right, S.Bottom}, {x, 0, w, h});
    } else {
        const int y = std::clamp(FButtonPos.Y, 0, h);
        copy(Picture, {S.Left, S.Top, S.Right, S.Top + y}, {0, 0, w, y});
        copy(ActivePicture, {A.Left, A.Top + y, A.Right, A.Bottom}, {0, y, w, h});
    }
    const TRect& button = FDragging && !IsNullRect(ActiveButtonRect) ? ActiveButtonRect : ButtonRect;
    copy(ActivePicture, button, ButtonPlace());
    Canvas->Draw(ObjectRect.Left, ObjectRect.Top, &look);
}

void TspSkinTrackBarObject::MoveTo(int coordinate)
{
    const int c = Track.ClampToTrack(coordinate);
    const TPoint position = Track.Vertical() ? TPoint{Track.BeginPoint.X, c} : TPoint{c, Track.BeginPoint.Y};
    if (position == FButtonPos)
        return;
    FButtonPos = position;
    FValue = Track.PositionToValue(position);
    Parent->DrawSkinObject(this);
    Parent->DoTrackBarChangeValueEvent(IDName, FValue);
}

void TspSkinTrackBarObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Button == mbLeft) {
        const TPoint local{X - ObjectRect.Left, Y - ObjectRect.Top};
        const TRect place = ButtonPlace();
        const bool onButton =
            local.X >= place.Left && local.X < place.Right && local.Y >= place.Top && local.Y < place.Bottom;
        if (onButton) {
            FDragging = true;
            FGrabOffset = Track.Vertical() ? local.Y - FButtonPos.Y : local.X - FButtonPos.X;
            Parent->DrawSkinObject(this);
        } else if (MouseDownChangeValue) {
            MoveTo(Track.Vertical() ? local.Y : local.X);
        }
    }
    TspActiveSkinObject::MouseDown(X, Y, Button);
}

void TspSkinTrackBarObject::MouseMove(int X, int Y)
{
    if (FDragging)
        MoveTo(Track.Vertical() ? Y - ObjectRect.Top - FGrabOffset : X - ObjectRect.Left - FGrabOffset);
    TspActiveSkinObject::MouseMove(X, Y);
}

void TspSkinTrackBarObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (FDragging) {
        FDragging = false;
        Parent->DrawSkinObject(this);
    }
    TspActiveSkinObject::MouseUp(X, Y, Button);
}

// ---------------------------------------------------------------- label

TspSkinLabelObject::TspSkinLabelObject(TspDynamicSkinForm* AParent, TspDataSkinLabel* AData)
    : TspActiveSkinObject(AParent, AData), TextValue(AData->TextValue), FontName(AData->FontName),
      FontStyle(AData->FontStyle), FontHeight(AData->FontHeight), FontColor(AData->FontColor),
      ActiveFontColor(AData->ActiveFontColor), Alignment(AData->Alignment)
{
}

bool TspSkinLabelObject::ActiveLookDiffers() const
{
    return !IsNullRect(ActiveSkinRect) || ActiveFontColor != FontColor;
}

void TspSkinLabelObject::MakeLook(TBitmap& target, bool active)
{
    if (active && !IsNullRect(ActiveSkinRect))
        CutLook(target, ActivePicture, ActiveSkinRect);
    else
        CutLook(target, Picture, SkinRect);
    TCanvas* c = target.Canvas();
    SetTextFont(c, FontName, FontHeight, FontStyle, active ? ActiveFontColor : FontColor);
    const TRect area{0, 0, target.Width(), target.Height()};
    const SIZE size = c->TextExtent(TextValue);
    c->TextOut(AlignedLeft(area, size.cx, Alignment), (area.Bottom - size.cy) / 2, TextValue);
}

void TspSkinLabelObject::Draw(TCanvas* Canvas, bool)
{
    if (IsNullRect(ObjectRect))
        return;
    // The text is not part of the composed frame, so the normal look is
    // always drawn with it.
    if (MorphPending()) {
        TBitmap normal, active;
        MakeLook(normal, false);
        MakeLook(active, true);
        DrawMorph(Canvas, &normal, &active);
        return;
    }
    TBitmap look;
    MakeLook(look, Active && ActiveLookDiffers());
    Canvas->Draw(ObjectRect.Left, ObjectRect.Top, &look);
}

void TspSkinLabelObject::MouseEnter()
{
    MouseIn = true;
    Active = true;
    if (ActiveLookDiffers())
        ReDraw();
    Parent->DoMouseEnterEvent(IDName);
}

void TspSkinLabelObject::MouseLeave()
{
    MouseIn = false;
    Active = false;
    if (ActiveLookDiffers())
        ReDraw();
    Parent->DoMouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------- animation

TspSkinAnimateObject::TspSkinAnimateObject(TspDynamicSkinForm* AParent, TspDataSkinAnimate* AData)
    : TspActiveSkinObject(AParent, AData), CountFrames(AData->CountFrames), Cycle(AData->Cycle),
      ButtonStyle(AData->ButtonStyle), TimerInterval(std::max(AData->TimerInterval, 25)), Command(AData->Command)
{
}

void TspSkinAnimateObject::Draw(TCanvas* Canvas, bool UpDate)
{
    if (ActivePicture == nullptr || IsNullRect(ActiveSkinRect)) {
        if (UpDate)
            CopyLook(Canvas, Picture, SkinRect);
        return;
    }
    const int w = RectWidth(SkinRect), h = RectHeight(SkinRect);
    const int n = std::clamp(Animation.Frame, 1, std::max(CountFrames, 1));
    const int left = ActiveSkinRect.Left + (n - 1) * w;
    CopyLook(Canvas, ActivePicture, {left, ActiveSkinRect.Top, left + w, ActiveSkinRect.Top + h});
}

void TspSkinAnimateObject::Step()
{
    const bool changed = Animation.Tick(CountFrames, Cycle, TimerInterval);
    Active = Animation.Running;
    if (changed)
        Parent->DrawSkinObject(this);
}

void TspSkinAnimateObject::Run(bool forward)
{
    Animation.Forward = forward;
    Animation.Running = true;
    Active = true;
    Parent->StartAnimateTimer();
}

void TspSkinAnimateObject::MouseEnter()
{
    MouseIn = true;
    if (ButtonStyle)
        Run(true);
    Parent->DoMouseEnterEvent(IDName);
}

void TspSkinAnimateObject::MouseLeave()
{
    MouseIn = false;
    if (ButtonStyle)
        Run(false);
    Parent->DoMouseLeaveEvent(IDName);
}

void TspSkinAnimateObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (ButtonStyle && MouseIn && Enabled && Button == mbLeft) {
        TspDynamicSkinForm* p = Parent;
        switch (Command) {
        case cmClose: p->Form->Close(); return;
        case cmMaximize: p->SetWindowState(p->WindowState == 2 ? 0 : 2); break;
        case cmMinimize: p->SetWindowState(1); break;
        case cmRollUp: p->SetRollUpState(!p->RollUpState); break;
        case cmSysMenu: p->PopupUnder(this, p->GetSystemMenu(), false); break;
        case cmDefault: p->PopupUnder(this, PopupMenu, false); break;
        }
    }
    TspActiveSkinObject::MouseUp(X, Y, Button);
}

// ---------------------------------------------------------------- bit label

TspSkinBitLabelObject::TspSkinBitLabelObject(TspDynamicSkinForm* AParent, TspDataSkinBitLabel* AData)
    : TspActiveSkinObject(AParent, AData), TextValue(AData->TextValue), SymbolWidth(AData->SymbolWidth),
      SymbolHeight(AData->SymbolHeight)
{
    for (int i = 0; i < AData->Symbols->Count(); ++i)
        Symbols.push_back(AData->Symbols->Strings(i));
}

void TspSkinBitLabelObject::SetText(const std::string& Value)
{
    TextValue = Value;
    Parent->DrawSkinObject(this);
}

void TspSkinBitLabelObject::Draw(TCanvas* Canvas, bool)
{
    CopyLook(Canvas, Picture, SkinRect);
    if (ActivePicture == nullptr || SymbolWidth < 1 || SymbolHeight < 1)
        return;
    int x = ObjectRect.Left;
    for (const char ch : TextValue) {
        if (x >= ObjectRect.Right)
            break;
        const int w = std::min(SymbolWidth, ObjectRect.Right - x);
        for (size_t line = 0; line < Symbols.size(); ++line) {
            const size_t pos = Symbols[line].find(ch);
            if (pos == std::string::npos)
                continue;
            const int sx = ActiveSkinRect.Left + static_cast<int>(pos) * SymbolWidth;
            const int sy = ActiveSkinRect.Top + static_cast<int>(line) * SymbolHeight;
            Canvas->CopyRect(RECT{x, ObjectRect.Top, x + w, ObjectRect.Top + SymbolHeight}, ActivePicture->Canvas(),
                             RECT{sx, sy, sx + w, sy + SymbolHeight});
            break;
        }
        x += SymbolWidth;
    }
}

// ---------------------------------------------------------------- frame strips

TspSkinFrameObject::TspSkinFrameObject(TspDynamicSkinForm* AParent, TspDataSkinObject* AData, int ACountFrames,
                                       TspFramesPlacement APlacement)
    : TspActiveSkinObject(AParent, AData), CountFrames(ACountFrames), FramesPlacement(APlacement)
{
}

void TspSkinFrameObject::Draw(TCanvas* Canvas, bool UpDate)
{
    if (ActivePicture == nullptr || IsNullRect(ActiveSkinRect) || CountFrames < 1) {
        if (UpDate)
            CopyLook(Canvas, Picture, SkinRect);
        return;
    }
    const int n = std::clamp(FrameIndex, 1, CountFrames);
    const TRect& A = ActiveSkinRect;
    TRect source;
    if (FramesPlacement == fpHorizontal) {
        const int fw = RectWidth(A) / CountFrames;
        source = {A.Left + (n - 1) * fw, A.Top, A.Left + n * fw, A.Bottom};
    } else {
        const int fh = RectHeight(A) / CountFrames;
        source = {A.Left, A.Top + (n - 1) * fh, A.Right, A.Top + n * fh};
    }
    CopyLook(Canvas, ActivePicture, source);
}

void TspSkinFrameObject::MouseEnter()
{
    QuietEnter(true);
}

void TspSkinFrameObject::MouseLeave()
{
    QuietLeave(true);
}

TspSkinFrameGaugeObject::TspSkinFrameGaugeObject(TspDynamicSkinForm* AParent, TspDataSkinFrameGaugeObject* AData)
    : TspSkinFrameGaugeObject(AParent, AData, AData->MinValue, AData->MaxValue, AData->CountFrames,
                              AData->FramesPlacement)
{
}

TspSkinFrameGaugeObject::TspSkinFrameGaugeObject(TspDynamicSkinForm* AParent, TspDataSkinObject* AData, int AMin,
                                                 int AMax, int ACountFrames, TspFramesPlacement APlacement)
    : TspSkinFrameObject(AParent, AData, ACountFrames, APlacement), MinValue(AMin), MaxValue(AMax)
{
}

void TspSkinFrameGaugeObject::SetValue(int AValue)
{
    FValue = std::clamp(AValue, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue));
    FrameIndex = FrameGaugeFrame(FValue, MinValue, MaxValue, CountFrames);
    Parent->DrawSkinObject(this);
}

TspSkinFrameRegulatorObject::TspSkinFrameRegulatorObject(TspDynamicSkinForm* AParent,
                                                         TspDataSkinFrameRegulatorObject* AData)
    : TspSkinFrameGaugeObject(AParent, AData, AData->MinValue, AData->MaxValue, AData->CountFrames,
                              AData->FramesPlacement),
      Kind(AData->Kind)
{
    FDrag.MinValue = MinValue;
    FDrag.MaxValue = MaxValue;
}

int TspSkinFrameRegulatorObject::DragQuantity(int X, int Y) const
{
    const int x = X - ObjectRect.Left, y = Y - ObjectRect.Top;
    switch (Kind) {
    case rkRound: return x - y;
    case rkHorizontal: return x;
    case rkVertical: return -y;
    }
    return x;
}

void TspSkinFrameRegulatorObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Button == mbLeft) {
        const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
        FDrag.SetSteps(Kind == rkHorizontal ? w : Kind == rkVertical ? h : std::min(w, h), CountFrames);
        FDrag.Last = DragQuantity(X, Y);
        FDragging = true;
    }
    TspSkinFrameGaugeObject::MouseDown(X, Y, Button);
}

void TspSkinFrameRegulatorObject::MouseMove(int X, int Y)
{
    if (FDragging) {
        const int value = FDrag.Move(FValue, DragQuantity(X, Y));
        if (value != FValue) {
            SetValue(value);
            Parent->DoFrameRegulatorChangeValueEvent(IDName, FValue);
        }
    }
    TspSkinFrameGaugeObject::MouseMove(X, Y);
}

void TspSkinFrameRegulatorObject::MouseUp(int X, int Y, TMouseButton Button)
{
    FDragging = false;
    TspSkinFrameGaugeObject::MouseUp(X, Y, Button);
}
