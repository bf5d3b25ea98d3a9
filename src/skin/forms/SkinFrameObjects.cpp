#include "skin/forms/SkinFrameObjects.h"

#include <algorithm>
#include <cmath>

#include "classlib/graphics/Colors.h"
#include "classlib/graphics/WinTypes.h"
#include "skin/EffectBmp.h"
#include "skin/SkinData.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/core/EffectMorph.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/DynamicSkinForm.h"

namespace {

TRect Offset(const TRect& R, int dx, int dy)
{
    return {R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy};
}

int Round(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

void UseFont(TCanvas* Canvas, const std::string& name, int height, TFontStyles style, TColor color)
{
    Canvas->Font()->SetName(name);
    Canvas->Font()->SetHeight(height);
    Canvas->Font()->SetStyle(style);
    Canvas->Font()->SetColor(color);
    Canvas->Brush()->SetStyle(bsClear);
}

// The left of a text of `width` in `area` by alignment.
int AlignedLeft(const TRect& area, int width, TAlignment alignment)
{
    switch (alignment) {
    case taLeftJustify: return area.Left;
    case taRightJustify: return area.Right - width;
    case taCenter: break;
    }
    return area.Left + (RectWidth(area) - width) / 2;
}

}  // namespace

// ---------------------------------------------------------------- base

TspActiveSkinObject::TspActiveSkinObject(TspDynamicSkinForm* AParent, TspDataSkinObject* AData)
    : Parent(AParent), SkinData(AParent->SkinData())
{
    if (AData == nullptr)
        return;
    IDName = AData->IDName;
    Hint = AData->Hint;
    SkinRect = AData->SkinRect;
    ObjectRect = SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    MorphKind = AData->MorphKind;
    CursorIndex = AData->CursorIndex;
    RollUp = AData->RollUp;
    if (SkinData != nullptr) {
        Picture = RollUp ? SkinData->RollupPicture.get() : SkinData->Picture.get();
        const int index = AData->ActivePictureIndex;
        if (index >= 0 && index < static_cast<int>(SkinData->ActivePictures.size()))
            ActivePicture = SkinData->ActivePictures[static_cast<size_t>(index)].get();
        if (ActivePicture != nullptr && ActivePicture->Empty())
            ActivePicture = nullptr;
    }
    if (ActivePicture == nullptr) {
        ActiveSkinRect = NullRect();
        AData->ActiveSkinRect = NullRect();
    }
    // Nothing to morph toward without an active look.
    Morphing = AData->Morphing && ActivePicture != nullptr;
}

void TspActiveSkinObject::CopyLook(TCanvas* Canvas, TBitmap* picture, const TRect& source) const
{
    if (picture == nullptr || picture->Empty() || IsNullRect(source))
        return;
    Canvas->CopyRect(ToRECT(ObjectRect), picture->Canvas(), ToRECT(source));
}

void TspActiveSkinObject::CutLook(TBitmap& target, TBitmap* picture, const TRect& source) const
{
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    target.SetSize(w, h);
    if (picture != nullptr && !picture->Empty() && !IsNullRect(source))
        target.Canvas()->CopyRect(RECT{0, 0, w, h}, picture->Canvas(), ToRECT(source));
}

void TspActiveSkinObject::DrawMorph(TCanvas* Canvas, TBitmap* normal, TBitmap* active) const
{
    TspEffectBmp from(normal->Handle());
    const TspEffectBmp to(active->Handle());
    MorphByKind(from, to, MorphKind, Morph.Kf());
    from.Draw(Canvas->Handle(), ObjectRect.Left, ObjectRect.Top);
}

void TspActiveSkinObject::Draw(TCanvas* Canvas, bool UpDate)
{
    if (IsNullRect(ObjectRect))
        return;
    if (MorphPending()) {
        TBitmap normal, active;
        CutLook(normal, Picture, SkinRect);
        CutLook(active, ActivePicture, ActiveSkinRect);
        DrawMorph(Canvas, &normal, &active);
    } else if (Active && !IsNullRect(ActiveSkinRect)) {
        CopyLook(Canvas, ActivePicture, ActiveSkinRect);
    } else if (UpDate) {
        CopyLook(Canvas, Picture, SkinRect);
    }
}

void TspActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button)
{
    Parent->DoMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TspActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (MouseIn)
        Parent->DoMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TspActiveSkinObject::MouseMove(int X, int Y)
{
    Parent->DoMouseMoveEvent(IDName, X, Y, ObjectRect);
}

void TspActiveSkinObject::MouseEnter()
{
    MouseIn = true;
    Active = true;
    if (!IsNullRect(ActiveSkinRect))
        ReDraw();
    Parent->DoMouseEnterEvent(IDName);
}

void TspActiveSkinObject::MouseLeave()
{
    MouseIn = false;
    Active = false;
    if (!IsNullRect(ActiveSkinRect))
        ReDraw();
    Parent->DoMouseLeaveEvent(IDName);
}

bool TspActiveSkinObject::CanMorphing()
{
    return Morph.CanStep(Active);
}

void TspActiveSkinObject::ReDraw()
{
    if (Morphing)
        Parent->StartMorphTimer();
    else
        Parent->DrawSkinObject(this);
}

void TspActiveSkinObject::DoMorphing()
{
    Morph.Step(Active);
    Parent->DrawSkinObject(this);
}

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
    MouseIn = true;
    Active = true;
    Parent->DoMouseEnterEvent(IDName);
}

void TspSkinGaugeObject::MouseLeave()
{
    MouseIn = false;
    Active = false;
    Parent->DoMouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------- buttons

TspSkinButtonObject::TspSkinButtonObject(TspDynamicSkinForm* AParent, TspDataSkinButton* AData)
    : TspActiveSkinObject(AParent, AData)
{
    if (AData != nullptr) {
        DownRect = ActivePicture != nullptr ? AData->DownRect : NullRect();
        GroupIndex = AData->GroupIndex;
    }
}

void TspSkinButtonObject::Draw(TCanvas* Canvas, bool UpDate)
{
    if (Down && !IsNullRect(DownRect) && (GroupIndex != -1 || MouseIn))
        CopyLook(Canvas, ActivePicture, DownRect);
    else
        TspActiveSkinObject::Draw(Canvas, UpDate);
}

void TspSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (!Enabled)
        return;
    if (Button == mbLeft && !Down)
        SetDown(true);
    TspActiveSkinObject::MouseDown(X, Y, Button);
}

void TspSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (!Enabled)
        return;
    if (Button == mbLeft && Down && PopupMenu == nullptr && GroupIndex == -1)
        SetDown(false);
    TspActiveSkinObject::MouseUp(X, Y, Button);
}

void TspSkinButtonObject::SetDown(bool Value)
{
    auto releaseGroup = [this] {
        if (GroupIndex == -1)
            return;
        for (const auto& object : Parent->ObjectList) {
            auto* other = dynamic_cast<TspSkinButtonObject*>(object.get());
            if (other != nullptr && other != this && other->GroupIndex == GroupIndex && other->IDName != IDName &&
                other->Down)
                other->SetDown(false);
        }
    };
    Down = Value;
    if (IsNullRect(DownRect)) {
        if (Value)
            releaseGroup();
        return;
    }
    if (Value) {
        if (Morphing)
            Morph.SetKf(1);
        Parent->DrawSkinObject(this);
        releaseGroup();
        return;
    }
    if (GroupIndex != -1 || PopupMenu != nullptr)
        Active = false;
    if (Morphing && !IsNullRect(ActiveSkinRect))
        Parent->DrawSkinObject(this);
    ReDraw();
}

void TspSkinButtonObject::MouseEnter()
{
    MouseIn = true;
    Active = true;
    if (Down && !IsNullRect(DownRect)) {
        if (GroupIndex == -1)
            Parent->DrawSkinObject(this);
    } else if (!IsNullRect(ActiveSkinRect)) {
        ReDraw();
    }
    Parent->DoMouseEnterEvent(IDName);
}

void TspSkinButtonObject::MouseLeave()
{
    MouseIn = false;
    if (Down && !IsNullRect(DownRect) && (PopupMenu != nullptr || GroupIndex != -1)) {
        Parent->DoMouseLeaveEvent(IDName);
        return;
    }
    Active = false;
    const bool downLook = Down && !IsNullRect(DownRect);
    if (Down && Morphing)
        Morph.SetKf(1);
    if (!IsNullRect(ActiveSkinRect) || downLook)
        ReDraw();
    Parent->DoMouseLeaveEvent(IDName);
}

TspSkinStdButtonObject::TspSkinStdButtonObject(TspDynamicSkinForm* AParent, TspDataSkinStdButton* AData)
    : TspSkinButtonObject(AParent, AData), Command(AData->Command)
{
    if (ActivePicture != nullptr) {
        RestoreRect = AData->RestoreRect;
        RestoreActiveRect = AData->RestoreActiveRect;
        RestoreDownRect = AData->RestoreDownRect;
    }
}

TspSkinStdButtonObject::TspSkinStdButtonObject(TspDynamicSkinForm* AParent, const std::string& AIDName,
                                               TspStdCommand ACommand)
    : TspSkinButtonObject(AParent, nullptr), Command(ACommand), FromSkin(false)
{
    IDName = AIDName;
}

bool TspSkinStdButtonObject::RestoreLook() const
{
    if (IsNullRect(RestoreRect) || ActivePicture == nullptr)
        return false;
    return (Command == cmMaximize && Parent->WindowState == 2) || (Command == cmMinimize && Parent->WindowState == 1) ||
           (Command == cmRollUp && Parent->RollUpState);
}

void TspSkinStdButtonObject::Draw(TCanvas* Canvas, bool UpDate)
{
    if (!FromSkin) {
        DrawDefault(Canvas);
        return;
    }
    if (!RestoreLook()) {
        TspSkinButtonObject::Draw(Canvas, UpDate);
        return;
    }
    if (Down && MouseIn && !IsNullRect(RestoreDownRect)) {
        CopyLook(Canvas, ActivePicture, RestoreDownRect);
    } else if (MorphPending() && !IsNullRect(RestoreActiveRect)) {
        TBitmap normal, active;
        CutLook(normal, ActivePicture, RestoreRect);
        CutLook(active, ActivePicture, RestoreActiveRect);
        DrawMorph(Canvas, &normal, &active);
    } else if (Active && !IsNullRect(RestoreActiveRect)) {
        CopyLook(Canvas, ActivePicture, RestoreActiveRect);
    } else {
        CopyLook(Canvas, ActivePicture, RestoreRect);
    }
}

void TspSkinStdButtonObject::DrawDefault(TCanvas* Canvas)
{
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w < 1 || h < 1)
        return;
    TBitmap look;
    look.SetSize(w, h);
    TCanvas* c = look.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(RECT{0, 0, w, h});
    const bool pressed = Down && MouseIn;
    if (MouseIn) {
        c->Brush()->SetColor(Down ? 11899781 : 13811126);
        c->FillRect(RECT{0, 0, w, h});
        c->Brush()->SetColor(0x800000);
        c->FrameRect(RECT{0, 0, w, h});
    }
    const int x = w / 2 - 5 + (pressed ? 1 : 0);
    const int y = h / 2 - 4 + (pressed ? 1 : 0);
    const TColor color = Enabled ? clBtnText : clBtnShadow;
    switch (Command) {
    case cmClose: DrawCloseGlyph(c, x, y, color); break;
    case cmMaximize:
        if (Parent->WindowState == 2)
            DrawRestoreGlyph(c, x, y, color);
        else
            DrawMaximizeGlyph(c, x, y, color);
        break;
    case cmMinimize:
        if (Parent->WindowState == 1)
            DrawRestoreGlyph(c, x, y, color);
        else
            DrawMinimizeGlyph(c, x, y, color);
        break;
    case cmSysMenu: DrawSysMenuGlyph(c, x, y, color); break;
    case cmRollUp:
        if (Parent->RollUpState)
            DrawRollDownGlyph(c, x, y, color);
        else
            DrawRollUpGlyph(c, x, y, color);
        break;
    case cmDefault: break;
    }
    Canvas->Draw(ObjectRect.Left, ObjectRect.Top, &look);
}

void TspSkinStdButtonObject::MouseDown(int, int, TMouseButton Button)
{
    // The system menu under its button comes with the menu hook; until
    // then its press only puts the button down.
    if (Enabled && Button == mbLeft && !Down)
        SetDown(true);
}

void TspSkinStdButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (!(Active && Button == mbLeft && Enabled)) {
        TspSkinButtonObject::MouseUp(X, Y, Button);
        return;
    }
    if (Command == cmClose) {
        TspSkinButtonObject::MouseUp(X, Y, Button);
        DoCommand();
        return;
    }
    DoCommand();
    TspSkinButtonObject::MouseUp(X, Y, Button);
}

void TspSkinStdButtonObject::DoCommand()
{
    TspDynamicSkinForm* p = Parent;
    switch (Command) {
    case cmClose: p->Form->Close(); break;
    case cmMaximize: p->SetWindowState(p->WindowState == 2 ? 0 : 2); break;
    case cmMinimize:
        if (p->SupportNCArea() && p->WindowState == 1)
            p->SetWindowState(0);
        else
            p->SetWindowState(1);
        break;
    case cmRollUp: p->SetRollUpState(!p->RollUpState); break;
    case cmSysMenu:
    case cmDefault: break;
    }
}

// ---------------------------------------------------------------- caption

TspSkinCaptionObject::TspSkinCaptionObject(TspDynamicSkinForm* AParent, TspDataSkinCaption* AData)
    : TspActiveSkinObject(AParent, AData), DefaultCaption(AData->DefaultCaption), FontName(AData->FontName),
      FontStyle(AData->FontStyle), FontHeight(AData->FontHeight), FontColor(AData->FontColor),
      ActiveFontColor(AData->ActiveFontColor), ShadowColor(AData->ShadowColor),
      ActiveShadowColor(AData->ActiveShadowColor), Alignment(AData->Alignment), Shadow(AData->Shadow),
      TextRect(AData->TextRect)
{
    if (DefaultCaption)
        FText = AParent->Form->Caption();
}

void TspSkinCaptionObject::SetText(const std::string& Value)
{
    FText = Value;
    Parent->DrawSkinObject(this);
}

void TspSkinCaptionObject::DrawText(TCanvas* Canvas, const TRect& area, bool activeColors)
{
    if (FText.empty())
        return;
    UseFont(Canvas, FontName, FontHeight, FontStyle, activeColors ? ActiveFontColor : FontColor);
    std::string text = FText;
    FitTextToWidth(Canvas, text, RectWidth(area));
    const SIZE size = Canvas->TextExtent(text);
    const int x = AlignedLeft(area, size.cx, Alignment);
    const int y = area.Top + (RectHeight(area) - size.cy) / 2;
    if (Shadow) {
        Canvas->Font()->SetColor(activeColors ? ActiveShadowColor : ShadowColor);
        Canvas->TextOut(x + 1, y + 1, text);
        Canvas->Font()->SetColor(activeColors ? ActiveFontColor : FontColor);
    }
    Canvas->TextOut(x, y, text);
}

void TspSkinCaptionObject::ComposeLook(TBitmap& target, TBitmap* picture, const TRect& source, bool activeColors)
{
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    target.SetSize(w, h);
    if (picture != nullptr && !picture->Empty() && !IsNullRect(source)) {
        const TspSkinData* skin = SkinData;
        const int sw = RectWidth(source);
        if (w != sw && skin != nullptr && SkinStretches(*skin)) {
            // The fixed ends are the parts left of the stretch start and
            // right of its end, measured on the form picture's skin rectangle.
            const int left = std::clamp(skin->LTPoint.X - SkinRect.Left, 0, sw);
            const int right = std::clamp(SkinRect.Right - skin->RTPoint.X, 0, sw - left);
            TBitmap row;
            CreateHSkinImage(left, right, &row, picture, source, w, h);
            target.Canvas()->CopyRect(RECT{0, 0, w, h}, row.Canvas(), RECT{0, 0, row.Width(), row.Height()});
        } else {
            target.Canvas()->CopyRect(RECT{0, 0, w, h}, picture->Canvas(), ToRECT(source));
        }
    }
    TRect area = TextRect;
    area.Right += w - RectWidth(SkinRect);
    DrawText(target.Canvas(), area, activeColors);
}

void TspSkinCaptionObject::Draw(TCanvas* Canvas, bool UpDate)
{
    if (IsNullRect(ObjectRect))
        return;
    if (Parent->SupportNCArea())
        Active = Parent->FormActive;
    const bool effect = !Parent->FormActive && SkinData != nullptr && SkinData->AutoRenderingInActiveImage;
    auto drawLook = [&](TBitmap& look) {
        if (!effect) {
            Canvas->Draw(ObjectRect.Left, ObjectRect.Top, &look);
            return;
        }
        TspEffectBmp image(look.Handle());
        ApplyInactiveEffect(image, SkinData->InActiveEffect);
        image.Draw(Canvas->Handle(), ObjectRect.Left, ObjectRect.Top);
    };
    if (!IsNullRect(ActiveSkinRect) && !(!Active && Morph.Tenths == 0)) {
        TBitmap active;
        ComposeLook(active, ActivePicture, ActiveSkinRect, true);
        if (Active && (!Morphing || Morph.Tenths == 10)) {
            Canvas->Draw(ObjectRect.Left, ObjectRect.Top, &active);
            return;
        }
        TBitmap normal;
        ComposeLook(normal, Picture, SkinRect, false);
        TspEffectBmp from(normal.Handle());
        const TspEffectBmp to(active.Handle());
        MorphByKind(from, to, MorphKind, Morph.Kf());
        if (effect)
            ApplyInactiveEffect(from, SkinData->InActiveEffect);
        from.Draw(Canvas->Handle(), ObjectRect.Left, ObjectRect.Top);
    } else if (UpDate) {
        TBitmap normal;
        ComposeLook(normal, Picture, SkinRect, Active);
        drawLook(normal);
    } else {
        TRect area = Offset(TextRect, ObjectRect.Left, ObjectRect.Top);
        area.Right += RectWidth(ObjectRect) - RectWidth(SkinRect);
        DrawText(Canvas, area, Active);
    }
}

void TspSkinCaptionObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (!Parent->SupportNCArea() && Parent->WindowState != 2 && Button == mbLeft) {
        POINT cursor{};
        GetCursorPos(&cursor);
        Parent->Dragging = true;
        Parent->DragPoint = {cursor.x, cursor.y};
    }
    TspActiveSkinObject::MouseDown(X, Y, Button);
}

void TspSkinCaptionObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (!Parent->SupportNCArea())
        Parent->Dragging = false;
    TspActiveSkinObject::MouseUp(X, Y, Button);
}

void TspSkinCaptionObject::MouseEnter()
{
    MouseIn = true;
    Parent->DoMouseEnterEvent(IDName);
}

void TspSkinCaptionObject::MouseLeave()
{
    MouseIn = false;
    Parent->DoMouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------- user object, switch

void TspUserObject::Draw(TCanvas* Canvas, bool)
{
    Parent->DoPaintEvent(IDName, Canvas, ObjectRect);
}

TspSkinSwitchObject::TspSkinSwitchObject(TspDynamicSkinForm* AParent, TspDataSkinObject* AData)
    : TspActiveSkinObject(AParent, AData)
{
}

void TspSkinSwitchObject::Draw(TCanvas* Canvas, bool UpDate)
{
    Active = State == swOn;
    TspActiveSkinObject::Draw(Canvas, UpDate);
}

void TspSkinSwitchObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Button == mbLeft) {
        State = State == swOn ? swOff : swOn;
        Active = State == swOn;
        ReDraw();
        Parent->DoSwitchChangeStateEvent(IDName, State);
    }
    TspActiveSkinObject::MouseDown(X, Y, Button);
}

void TspSkinSwitchObject::MouseEnter()
{
    MouseIn = true;
    Parent->DoMouseEnterEvent(IDName);
}

void TspSkinSwitchObject::MouseLeave()
{
    MouseIn = false;
    Parent->DoMouseLeaveEvent(IDName);
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
    UseFont(c, FontName, FontHeight, FontStyle, active ? ActiveFontColor : FontColor);
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
        case cmMinimize: p->SetWindowState(p->WindowState == 1 ? 0 : 1); break;
        case cmRollUp: p->SetRollUpState(!p->RollUpState); break;
        // The menus under an animation come with the menu hook.
        case cmSysMenu:
        case cmDefault: break;
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
    MouseIn = true;
    Active = true;
    Parent->DoMouseEnterEvent(IDName);
}

void TspSkinFrameObject::MouseLeave()
{
    MouseIn = false;
    Active = false;
    Parent->DoMouseLeaveEvent(IDName);
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
