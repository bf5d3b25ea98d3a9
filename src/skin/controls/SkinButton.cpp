#include "skin/controls/SkinButton.h"

#include <algorithm>

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/ShortCuts.h"
#include "classlib/ui/ActnList.h"
#include "classlib/ui/ControlsRegistration.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/ImgList.h"
#include "skin/EffectBmp.h"
#include "skin/SkinDraw.h"

namespace {

constexpr TColor DownFrameColor = 0x00800000;
constexpr TColor DownFillColor = 0x00B59385;
constexpr TColor ActiveFillColor = 0x00D2BDB6;

}  // namespace

void DrawDefaultButtonFace(TCanvas* canvas, const RECT& R, bool down, bool active)
{
    TColor frame = clBtnShadow, fill = clBtnFace;
    if (down)
        frame = DownFrameColor, fill = DownFillColor;
    else if (active)
        frame = DownFrameColor, fill = ActiveFillColor;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(fill);
    canvas->FillRect(R);
    canvas->Brush()->SetColor(frame);
    canvas->FrameRect(R);
}

void DrawImageAndText(TCanvas* canvas, const RECT& R, int margin, bool shift, int glyphNum, int numGlyphs,
                      TBitmap* glyph, const std::string& caption, TspButtonLayout layout, int spacing)
{
    const bool hasGlyph = glyph != nullptr && !glyph->Empty() && numGlyphs > 0;
    const int GW = hasGlyph ? glyph->Width() / numGlyphs : 0;
    const int GH = hasGlyph ? glyph->Height() : 0;
    canvas->Brush()->SetStyle(bsClear);
    RECT measured{0, 0, 0, 0};
    canvas->DrawText(caption, measured, DT_CALCRECT | DT_CENTER | DT_VCENTER);
    const int TW = measured.right - measured.left, TH = measured.bottom - measured.top;
    TspGlyphTextLayout l = CalcGlyphTextLayout(layout, TRect{R.left, R.top, R.right, R.bottom}, GW, GH, TW, TH,
                                               margin, spacing);
    if (shift) {
        ++l.GX, ++l.GY, ++l.TX, ++l.TY;
    }
    RECT text{l.TX, l.TY, l.TX, l.TY};
    canvas->DrawText(caption, text, DT_CALCRECT | DT_CENTER | DT_VCENTER);
    text.right += 2;
    canvas->DrawText(caption, text, DT_CENTER | DT_VCENTER);
    if (hasGlyph)
        DrawGlyph(canvas, l.GX, l.GY, glyph, numGlyphs, glyphNum);
}

TspSkinButton::TspSkinButton(TComponent* owner) : TspSkinCustomControl(owner), FGlyph(std::make_unique<TBitmap>())
{
    SkinDataName = "button";
    SetControlStyle(ControlStyle() & ~(csClickEvents | csDoubleClicks));
    SetTabStop(false);
    SetBounds(Left(), Top(), 75, 25);
}

TspSkinButton::~TspSkinButton()
{
    StopMorph();
}

bool TspSkinButton::IsFocused() const
{
    return FCanFocused && Focused();
}

bool TspSkinButton::ShowsDown() const
{
    return FDown && (FGroupIndex != 0 || FMouseIn || (IsFocused() && !FMouseDown));
}

void TspSkinButton::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TspSkinButton::SetGroupIndex(int Value)
{
    FGroupIndex = Value;
    if (Value != 0)
        SetCanFocused(false);
}

void TspSkinButton::SetDefault(bool Value)
{
    FDefault = Value;
    if (HandleAllocated() && FCanFocused && (ComponentState() & csDesigning) == 0) {
        if (TCustomForm* form = GetParentForm(this))
            form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
    }
}

void TspSkinButton::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TspSkinButton::SetNumGlyhps(int Value)
{
    FNumGlyphs = std::clamp(Value, 1, 4);
    Repaint();
}

void TspSkinButton::SetMargin(int Value)
{
    if (Value == FMargin || Value < -1)
        return;
    FMargin = Value;
    Repaint();
}

void TspSkinButton::SetSpacing(int Value)
{
    if (Value == FSpacing)
        return;
    FSpacing = Value;
    Repaint();
}

void TspSkinButton::SetLayout(TspButtonLayout Value)
{
    if (Value == FLayout)
        return;
    FLayout = Value;
    Repaint();
}

void TspSkinButton::StartMorph()
{
    FStoppedTimer.reset();
    if (FMorphTimer != nullptr)
        return;
    FMorphTimer = std::make_unique<TTimer>(nullptr);
    FMorphTimer->SetInterval(20);
    FMorphTimer->OnTimer = [this](TObject* sender) { MorphTimerEvent(sender); };
    FMorphTimer->SetEnabled(true);
}

void TspSkinButton::StopMorph()
{
    if (FMorphTimer == nullptr)
        return;
    FMorphTimer->SetEnabled(false);
    FStoppedTimer = std::move(FMorphTimer);
}

void TspSkinButton::StartMorphOrRepaint()
{
    if (Morphing && FIndex != -1)
        StartMorph();
    else
        Repaint();
}

void TspSkinButton::MorphTimerEvent(TObject*)
{
    const TspMorphTick tick = StepMorph(FMorphKf, WantsActive(), FIndex != -1 && Morphing);
    FMorphKf = tick.Kf;
    if (tick.Stop)
        StopMorph();
    if (tick.Repaint)
        Repaint();
}

void TspSkinButton::SetDown(bool Value)
{
    FDown = Value;
    if (Morphing) {
        FMorphKf = 1;
        if (FDown)
            StopMorph();
        else
            StartMorph();
    }
    Repaint();
    // At most one button of a group is down, whatever AllowAllUp says.
    if (FGroupIndex != 0 && FDown && Parent() != nullptr) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TspSkinButton*>(Parent()->Controls(i));
            if (other != nullptr && other != this && other->FGroupIndex == FGroupIndex && other->FDown)
                other->SetDown(false);
        }
    }
}

void TspSkinButton::Click()
{
    if (FCanFocused) {
        if (TCustomForm* form = GetParentForm(this))
            form->SetModalResult(ModalResult);
    }
    TspSkinCustomControl::Click();
}

void TspSkinButton::ActionChange(TCustomAction* sender, bool checkDefaults)
{
    TspSkinCustomControl::ActionChange(sender, checkDefaults);
    TActionList* list = sender->ActionList();
    TCustomImageList* images = list != nullptr ? list->Images() : nullptr;
    if (images == nullptr || sender->ImageIndex() < 0 || sender->ImageIndex() >= images->Count() ||
        !FGlyph->Empty())
        return;
    FGlyph->SetSize(images->Width(), images->Height());
    FGlyph->Canvas()->Brush()->SetColor(static_cast<TColor>(0x00FF00FF));
    FGlyph->Canvas()->FillRect(RECT{0, 0, images->Width(), images->Height()});
    images->Draw(FGlyph->Canvas(), 0, 0, sender->ImageIndex());
    Repaint();
}

void TspSkinButton::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    if (FIndex == -1) {
        Morphing = false;
        return;
    }
    const auto* record = dynamic_cast<const TspDataSkinButtonControl*>(SkinData()->ControlList[FIndex].get());
    if (record == nullptr)
        return;
    FontName = record->FontName;
    FontStyle = record->FontStyle;
    FontHeight = record->FontHeight;
    FontColor = record->FontColor;
    ActiveFontColor = record->ActiveFontColor;
    DownFontColor = record->DownFontColor;
    DisabledFontColor = record->DisabledFontColor;
    Morphing = record->Morphing;
    MorphKind = record->MorphKind;
    ActiveSkinRect = RectEmpty(record->ActiveSkinRect) ? SkinRect : record->ActiveSkinRect;
    DownSkinRect = RectEmpty(record->DownSkinRect) ? ActiveSkinRect : record->DownSkinRect;
    DisabledSkinRect = record->DisabledSkinRect;
}

void TspSkinButton::DrawButtonImage(TBitmap* B, const TRect& R, bool IsDown, bool IsActive)
{
    CreateSkinControlImage(B, Picture, R);
    TFont* font = B->Canvas()->Font();
    if (UseSkinFont) {
        font->SetName(FontName);
        font->SetHeight(FontHeight);
        font->SetStyle(FontStyle);
    } else {
        font->Assign(DefaultFont());
    }
    if (!Enabled())
        font->SetColor(DisabledFontColor);
    else if (IsDown && IsActive)
        font->SetColor(DownFontColor);
    else if (IsActive)
        font->SetColor(ActiveFontColor);
    else
        font->SetColor(FontColor);
    int cell = 1;
    if (IsDown && IsActive && FNumGlyphs > 2)
        cell = 3;
    else if (IsActive && FNumGlyphs > 3)
        cell = 4;
    else if (Enabled() || FNumGlyphs < 2)
        cell = 1;
    else
        cell = 2;
    const RECT client{NewClRect.Left, NewClRect.Top, NewClRect.Right, NewClRect.Bottom};
    DrawImageAndText(B->Canvas(), client, FMargin, IsDown && IsActive, cell, FNumGlyphs, FGlyph.get(), Caption(),
                     FLayout, FSpacing);
}

void TspSkinButton::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->Canvas();
    const RECT R{0, 0, Width(), Height()};
    canvas->Font()->Assign(DefaultFont());
    if (!Enabled())
        canvas->Font()->SetColor(clBtnShadow);
    const bool down = ShowsDown();
    DrawDefaultButtonFace(canvas, R, down, IsFocused() || FMouseIn);
    DrawImageAndText(canvas, R, FMargin, down, 1, FNumGlyphs, FGlyph.get(), Caption(), FLayout, FSpacing);
}

void TspSkinButton::Paint()
{
    GetSkinData();
    if (FIndex == -1) {
        TspSkinCustomControl::Paint();
        return;
    }
    if (Width() < 1 || Height() < 1)
        return;
    TBitmap B;
    B.SetSize(Width(), Height());
    if (Morphing && FMorphKf != 0 && FMorphKf != 1 && Enabled()) {
        DrawButtonImage(&B, SkinRect, false, false);
        TBitmap active;
        active.SetSize(Width(), Height());
        DrawButtonImage(&active, ActiveSkinRect, false, true);
        TspEffectBmp from(B.Handle()), to(active.Handle());
        from.MorphByKind(to, MorphKind, FMorphKf);
        from.Draw(B.Canvas()->Handle(), 0, 0);
    } else if (!Enabled() && !RectEmpty(DisabledSkinRect)) {
        DrawButtonImage(&B, DisabledSkinRect, false, false);
    } else if (ShowsDown()) {
        DrawButtonImage(&B, DownSkinRect, true, true);
    } else if (!IsFocused() && !FMouseIn) {
        // A fade-out that has not taken its first step still shows active.
        if (Morphing && FMorphKf == 1)
            DrawButtonImage(&B, ActiveSkinRect, false, true);
        else
            DrawButtonImage(&B, SkinRect, false, false);
    } else {
        DrawButtonImage(&B, ActiveSkinRect, false, true);
    }
    if (Transparent())
        DrawTransparent(&B);
    else
        Canvas()->Draw(0, 0, &B);
}

void TspSkinButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TspSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    FMouseDown = true;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (FGroupIndex != 0)
            Click();
        FWasDown = false;
    } else if (FGroupIndex != 0) {
        FWasDown = true;
    }
}

void TspSkinButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        // Only a press that began on the button makes its release a click:
        // a press on a window that keeps no capture (a list's empty part)
        // ends in a release over whatever the mouse was moved to.
        const bool pressedHere = FMouseDown;
        FMouseDown = false;
        if (FGroupIndex != 0) {
            if (FDown && AllowAllUp && FWasDown && FMouseIn && pressedHere) {
                SetDown(false);
                Click();
            }
        } else if (FMouseIn && pressedHere) {
            SetDown(false);
            Click();
        } else {
            FDown = false;  // released elsewhere: up, without a click or a repaint
        }
    }
    TspSkinCustomControl::MouseUp(button, shift, x, y);
}

void TspSkinButton::ChangeSkinData()
{
    StopMorph();
    TspSkinCustomControl::ChangeSkinData();
    if (Morphing && FIndex != -1 && (IsFocused() || FMouseIn))
        FMorphKf = 1;
}

void TspSkinButton::WndProc(TMessage& message)
{
    if (FCanFocused) {
        switch (message.Msg) {
        case WM_KEYDOWN:
            if (message.WParam == VK_SPACE)
                SetDown(true);
            else if (message.WParam == VK_RETURN)
                Click();
            break;
        case WM_KEYUP:
            if (message.WParam == VK_SPACE) {
                SetDown(false);
                Click();
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!Focused() && (ComponentState() & csDesigning) == 0) {
                FClicksDisabled = true;
                ::SetFocus(Handle());
                FClicksDisabled = false;
                if (!Focused())
                    return;
            }
            break;
        case CN_COMMAND:
            if (FClicksDisabled)
                return;
            break;
        }
    }
    switch (message.Msg) {
    case CM_MOUSEENTER:
        TspSkinCustomControl::WndProc(message);
        FMouseIn = true;
        if ((FGroupIndex == 0 && (!IsFocused() || FDown)) || (FGroupIndex != 0 && !FDown)) {
            if (FDown) {
                if (Morphing)
                    FMorphKf = 1;
                Repaint();
            } else {
                StartMorphOrRepaint();
            }
        }
        return;
    case CM_MOUSELEAVE:
        TspSkinCustomControl::WndProc(message);
        FMouseIn = false;
        if (!(FGroupIndex == 0 && IsFocused() && !FDown) && !(FGroupIndex != 0 && FDown))
            StartMorphOrRepaint();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TspSkinCustomControl::WndProc(message);
        if (FCanFocused)
            StartMorphOrRepaint();
        return;
    case CM_ENABLEDCHANGED:
        TspSkinCustomControl::WndProc(message);
        if (Morphing) {
            StopMorph();
            FMorphKf = 0;
        }
        FMouseIn = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TspSkinCustomControl::WndProc(message);
        if (!(FIndex == -1 && !DrawDefault))
            Repaint();
        return;
    case CM_FOCUSCHANGED:
        // A default button looks active while the focus is on a control
        // that is not a button.
        if (FDefault && FCanFocused) {
            if (dynamic_cast<TspSkinButton*>(reinterpret_cast<TControl*>(message.LParam)) != nullptr) {
                FMouseIn = false;
                StartMorphOrRepaint();
            } else {
                FMouseIn = true;
                if (Morphing)
                    FMorphKf = 1;
                Repaint();
            }
        }
        TspSkinCustomControl::WndProc(message);
        return;
    case CM_WANTSPECIALKEY:
        // A focused button clicks on Return itself (WM_KEYDOWN above).
        message.Result = FCanFocused && message.WParam == VK_RETURN ? 1 : 0;
        return;
    case CM_DIALOGKEY:
        // Return clicks the Default button and Escape the Cancel one, also
        // when the button takes no focus (the program's dialogs).
        if (((message.WParam == VK_ESCAPE && Cancel) || (message.WParam == VK_RETURN && FDefault)) &&
            GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0 && CanFocus()) {
            Click();
            message.Result = 1;
            return;
        }
        TspSkinCustomControl::WndProc(message);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<uint16_t>(message.WParam), Caption()) && CanFocus() && FCanFocused) {
            SetFocus();
            Click();
            message.Result = 1;
            return;
        }
        TspSkinCustomControl::WndProc(message);
        return;
    default:
        TspSkinCustomControl::WndProc(message);
    }
}

const TFormEnumTable<TspButtonLayout> ButtonLayoutNames = {{"blGlyphLeft", blGlyphLeft},
                                                           {"blGlyphRight", blGlyphRight},
                                                           {"blGlyphTop", blGlyphTop},
                                                           {"blGlyphBottom", blGlyphBottom}};

void RegisterSkinButtonClasses(TClassRegistry& classes)
{
    classes.Register<TspSkinButton>("TspSkinButton", "TspSkinCustomControl")
        .Bool("AllowAllUp", &TspSkinButton::AllowAllUp)
        .Bool("CanFocused", &TspSkinButton::SetCanFocused)
        .Bool("Down", &TspSkinButton::SetDown)
        .Int("GroupIndex", &TspSkinButton::SetGroupIndex)
        .Binary("Glyph",
                [](TspSkinButton* button, TStream& stream) {
                    button->Glyph()->LoadFromStream(stream);
                    button->Repaint();
                })
        .Int("NumGlyhps", &TspSkinButton::SetNumGlyhps)
        .Int("Margin", &TspSkinButton::SetMargin)
        .Int("Spacing", &TspSkinButton::SetSpacing)
        .Enum("Layout", &TspSkinButton::SetLayout, ButtonLayoutNames)
        .Bool("Cancel", &TspSkinButton::Cancel)
        .Bool("Default", &TspSkinButton::SetDefault)
        .Int("ModalResult", &TspSkinButton::ModalResult, ModalResultNames);
}
