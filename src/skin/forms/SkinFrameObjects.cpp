// The frame objects' common behaviour, the buttons, the caption, the user
// object and the switch; the objects with values (gauges, track bar,
// label, animation, bit label, frame strips) are in SkinFrameValueObjects.cpp.
#include "skin/forms/SkinFrameObjects.h"

#include <algorithm>

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

void TspActiveSkinObject::QuietEnter(bool activate)
{
    MouseIn = true;
    if (activate)
        Active = true;
    Parent->DoMouseEnterEvent(IDName);
}

void TspActiveSkinObject::QuietLeave(bool deactivate)
{
    MouseIn = false;
    if (deactivate)
        Active = false;
    Parent->DoMouseLeaveEvent(IDName);
}

void TspActiveSkinObject::SetTextFont(TCanvas* Canvas, const std::string& name, int height, TFontStyles style,
                                      TColor color)
{
    Canvas->Font()->SetName(name);
    Canvas->Font()->SetHeight(height);
    Canvas->Font()->SetStyle(style);
    Canvas->Font()->SetColor(color);
    Canvas->Brush()->SetStyle(bsClear);
}

int TspActiveSkinObject::AlignedLeft(const TRect& area, int width, TAlignment alignment)
{
    switch (alignment) {
    case taLeftJustify: return area.Left;
    case taRightJustify: return area.Right - width;
    case taCenter: break;
    }
    return area.Left + (RectWidth(area) - width) / 2;
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
    if (Button == mbLeft && !Down) {
        SetDown(true);
        if (PopupMenu != nullptr)
            Parent->PopupUnder(this);
    }
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
    if (!(Enabled && Button == mbLeft && !Down))
        return;
    SetDown(true);
    if (Command == cmSysMenu) {
        PopupMenu = Parent->GetSystemMenu();
        Parent->PopupUnder(this);
    }
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
    std::string text = DefaultCaption ? Parent->FrameCaption(FText) : FText;
    if (text.empty())
        return;
    SetTextFont(Canvas, FontName, FontHeight, FontStyle, activeColors ? ActiveFontColor : FontColor);
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
    QuietEnter(false);
}

void TspSkinCaptionObject::MouseLeave()
{
    QuietLeave(false);
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
    QuietEnter(false);
}

void TspSkinSwitchObject::MouseLeave()
{
    QuietLeave(false);
}
