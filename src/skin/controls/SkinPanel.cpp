#include "skin/controls/SkinPanel.h"

#include <algorithm>

#include "classlib/core/ClassRegistry.h"
#include "classlib/ui/ControlsRegistration.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"

namespace {

RECT ToRECT(const TRect& r)
{
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

bool PointInInclusive(int x, int y, const TRect& r)
{
    return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}

}  // namespace

TspSkinPanel::TspSkinPanel(TComponent* owner) : TspSkinCustomControl(owner), FGlyph(std::make_unique<TBitmap>())
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csSetCaption | csOpaque);
    SetBounds(Left(), Top(), 185, 41);
    NewClRect = TRect{};
    SkinDataName = "panel";
}

void TspSkinPanel::CreateParams(TCreateParams& params)
{
    TspSkinCustomControl::CreateParams(params);
    params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TspSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TspSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FIndex == -1)
        Repaint();
}

void TspSkinPanel::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TspSkinPanel::SetNumGlyphs(int Value)
{
    FNumGlyphs = std::clamp(Value, 1, 2);
    Repaint();
}

void TspSkinPanel::SetSpacing(int Value)
{
    FSpacing = Value;
    Repaint();
}

void TspSkinPanel::SetDefaultAlignment(TAlignment Value)
{
    FDefaultAlignment = Value;
    if (FIndex == -1 && FCaptionMode)
        Repaint();
}

void TspSkinPanel::SetRollUpMode(bool Value)
{
    FRollUpMode = Value;
    if (FIndex == -1 && FCaptionMode)
        Repaint();
}

void TspSkinPanel::SetDefaultCaptionHeight(int Value)
{
    FDefaultCaptionHeight = Value;
    if (FIndex == -1 && FCaptionMode) {
        Repaint();
        Realign();
    }
}

void TspSkinPanel::SetBorderStyle(TspSkinBorderStyle Value)
{
    FBorderStyle = Value;
    if (FIndex == -1) {
        Repaint();
        Realign();
    }
}

void TspSkinPanel::SetCaptionMode(bool Value)
{
    FCaptionMode = Value;
    Repaint();
    Realign();
}

void TspSkinPanel::SetRollUpState(bool Value)
{
    if (!FRollUpMode) {
        FRollUpState = false;
        return;
    }
    if (Value == FRollUpState)
        return;
    FRollUpState = Value;
    RollUp(Value);
}

void TspSkinPanel::HideChildren()
{
    FHiddenControls.clear();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible())
            continue;
        FHiddenControls.push_back(child);
        FreeNotification(child);
        child->SetVisible(false);
    }
}

void TspSkinPanel::ShowChildren()
{
    const std::vector<TControl*> hidden = std::move(FHiddenControls);
    FHiddenControls.clear();
    for (TControl* child : hidden) {
        RemoveFreeNotification(child);
        child->SetVisible(true);
    }
}

int TspSkinPanel::RolledHeight(int unrolledHeight)
{
    GetSkinData();
    if (FIndex == -1)
        return FDefaultCaptionHeight + 1;
    int w = Width(), h = unrolledHeight;
    CalcSize(w, h);
    return h - (NewClRect.Bottom - NewClRect.Top);
}

void TspSkinPanel::RollUp(bool up)
{
    if (up) {
        FOldHeight = Height();
        const int rolled = RolledHeight(FOldHeight);
        HideChildren();
        SetHeight(rolled);
    } else if (FOldHeight != -1) {
        const int height = FOldHeight;
        FOldHeight = -1;
        SetHeight(height);
        ShowChildren();
    }
}

void TspSkinPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomControl::Notification(AComponent, Operation);
    // Compared by address: the component may be half destroyed by now.
    if (Operation == opRemove)
        std::erase_if(FHiddenControls,
                      [AComponent](TControl* control) { return static_cast<TComponent*>(control) == AComponent; });
}

void TspSkinPanel::ChangeSkinData()
{
    const int oldHeight = FOldHeight;
    TspSkinCustomControl::ChangeSkinData();
    if (!FRollUpState || oldHeight == -1) {
        Realign();
        return;
    }
    // Still rolled up: the rolled height of the new skin, the same hidden
    // children and the same height to come back to.
    SetHeight(RolledHeight(oldHeight));
    FOldHeight = oldHeight;
}

void TspSkinPanel::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    if (FIndex == -1)
        return;
    const auto* record = dynamic_cast<const TspDataSkinPanelControl*>(SkinData()->ControlList[FIndex].get());
    if (record == nullptr)
        return;
    CaptionRect = record->CaptionRect;
    Alignment = record->Alignment;
    FontName = record->FontName;
    FontColor = record->FontColor;
    FontStyle = record->FontStyle;
    FontHeight = record->FontHeight;
    RollUpMarkerRect = record->RollUpMarkerRect;
    RestoreMarkerRect = record->RestoreMarkerRect;
    // Only an index that names a picture of the skin is taken.
    if (record->BgPictureIndex >= 0 && record->BgPictureIndex < static_cast<int>(SkinData()->ActivePictures.size()))
        BGPictureIndex = record->BgPictureIndex;
}

void TspSkinPanel::AdjustClientRect(RECT& rect)
{
    GetSkinData();
    if (FIndex != -1 && (ComponentState() & csDesigning) == 0) {
        if (BGPictureIndex == -1)
            rect = ToRECT(NewClRect);
        return;
    }
    if (FBorderStyle != TspSkinBorderStyle::bvNone)
        InflateRect(&rect, -1, -1);
    if (FCaptionMode)
        rect.top += FDefaultCaptionHeight;
}

void TspSkinPanel::Paint()
{
    GetSkinData();
    if (FIndex == -1 || BGPictureIndex == -1) {
        TspSkinCustomControl::Paint();
        return;
    }
    TBitmap* picture = SkinData()->ActivePictures[static_cast<size_t>(BGPictureIndex)].get();
    const int pw = picture->Width(), ph = picture->Height();
    if (pw < 1 || ph < 1 || Width() < 1 || Height() < 1)
        return;
    for (int column = 0; column <= Width() / pw; ++column)
        for (int row = 0; row <= Height() / ph; ++row)
            Canvas()->Draw(column * pw, row * ph, picture);
}

void TspSkinPanel::DrawCaption(TCanvas* canvas, const RECT& R, TAlignment alignment, bool defaultLook)
{
    const std::string caption = Caption();
    const bool hasGlyph = !FGlyph->Empty();
    const int cell = hasGlyph ? FGlyph->Width() / FNumGlyphs : 0;
    const int TY = R.top + (R.bottom - R.top) / 2 - canvas->TextHeight(caption) / 2;
    const int captionWidth = canvas->TextWidth(caption) + (hasGlyph ? cell + FSpacing : 0);
    int TX = PanelCaptionX(alignment, TRect{R.left, R.top, R.right, R.bottom}, captionWidth, defaultLook,
                           FRollUpMode);
    int glyphX = TX;
    if (hasGlyph)
        TX += cell + FSpacing;
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(R, TX, TY, caption);
    if (hasGlyph) {
        const int glyphNum = !Enabled() && FNumGlyphs == 2 ? 2 : 1;
        DrawGlyph(canvas, glyphX, R.top + (R.bottom - R.top) / 2 - FGlyph->Height() / 2, FGlyph.get(), FNumGlyphs,
                  glyphNum);
    }
}

void TspSkinPanel::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->Canvas();
    RECT R{0, 0, Width(), Height()};
    switch (FBorderStyle) {
    case TspSkinBorderStyle::bvRaised: Frame3D(canvas, R, clBtnHighlight, clBtnShadow, 1); break;
    case TspSkinBorderStyle::bvLowered: Frame3D(canvas, R, clBtnShadow, clBtnHighlight, 1); break;
    case TspSkinBorderStyle::bvFrame: Frame3D(canvas, R, clBtnShadow, clBtnShadow, 1); break;
    case TspSkinBorderStyle::bvNone: break;
    }
    if (!FCaptionMode)
        return;
    if (FBorderStyle != TspSkinBorderStyle::bvFrame) {
        R = RECT{1, 1, Width() - 1, FDefaultCaptionHeight};
        Frame3D(canvas, R, clBtnShadow, clBtnHighlight, 1);
        Frame3D(canvas, R, clBtnHighlight, clBtnShadow, 1);
    } else {
        R = RECT{0, 0, Width(), FDefaultCaptionHeight};
        Frame3D(canvas, R, clBtnShadow, clBtnShadow, 1);
        Frame3D(canvas, R, clBtnHighlight, clBtnFace, 1);
    }
    canvas->Font()->Assign(DefaultFont());
    DrawCaption(canvas, R, FDefaultAlignment, true);
    if (FRollUpMode)
        DrawArrowImage(canvas, TRect{R.right - 10, R.top, R.right, R.bottom}, clBtnText, FRollUpState ? 4 : 3);
}

void TspSkinPanel::CreateControlSkinImage(TBitmap* B)
{
    if (FBorderStyle == TspSkinBorderStyle::bvNone && ResizeMode == 1 && !FCaptionMode) {
        // The skin's client area tiled over the whole control.
        CreateTiledClientImage(B, Picture, SkinRect, ClRect, Width(), Height());
        return;
    }
    TspSkinCustomControl::CreateControlSkinImage(B);
    NewCaptionRect = ResizeMode > 0 ? MoveSkinRect(CaptionRect, Width(), Height()) : CaptionRect;
    if (!Caption().empty() && !RectEmpty(CaptionRect)) {
        TFont* font = B->Canvas()->Font();
        font->SetName(FontName);
        font->SetHeight(FontHeight);
        font->SetColor(FontColor);
        font->SetStyle(FontStyle);
        DrawCaption(B->Canvas(), ToRECT(NewCaptionRect), Alignment, false);
    }
    if (!RectEmpty(RollUpMarkerRect) && FRollUpMode) {
        NewRollUpMarkerRect = ResizeMode > 0 ? MoveSkinRect(RollUpMarkerRect, Width(), Height()) : RollUpMarkerRect;
        if (FRollUpState && !RectEmpty(RestoreMarkerRect) && Picture != nullptr)
            B->Canvas()->CopyRect(ToRECT(NewRollUpMarkerRect), Picture->Canvas(), ToRECT(RestoreMarkerRect));
    }
}

void TspSkinPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && FRollUpMode && FCaptionMode) {
        GetSkinData();
        const bool onBar = FIndex != -1 ? PointInInclusive(x, y, NewCaptionRect) ||
                                              PointInInclusive(x, y, NewRollUpMarkerRect)
                                        : PointInInclusive(x, y, TRect{1, 1, Width() - 1, FDefaultCaptionHeight});
        if (onBar)
            SetRollUpState(!FRollUpState);
    }
    TspSkinCustomControl::MouseUp(button, shift, x, y);
}

void TspSkinPanel::WndProc(TMessage& message)
{
    TspSkinCustomControl::WndProc(message);
    // The glyph's disabled cell shows at once, not at the next paint.
    if ((message.Msg == CM_TEXTCHANGED && FCaptionMode) || message.Msg == CM_ENABLEDCHANGED)
        Repaint();
}

TspSkinGroupBox::TspSkinGroupBox(TComponent* owner) : TspSkinPanel(owner)
{
    SkinDataName = "groupbox";
    SetCaptionMode(true);
}

namespace {

const TFormEnumTable<TspSkinBorderStyle> SkinBorderStyleNames = {{"bvRaised", TspSkinBorderStyle::bvRaised},
                                                                 {"bvLowered", TspSkinBorderStyle::bvLowered},
                                                                 {"bvNone", TspSkinBorderStyle::bvNone},
                                                                 {"bvFrame", TspSkinBorderStyle::bvFrame}};

}  // namespace

void RegisterSkinPanelClasses(TClassRegistry& classes)
{
    classes.Register<TspSkinPanel>("TspSkinPanel", "TspSkinCustomControl")
        .Binary("Glyph",
                [](TspSkinPanel* panel, TStream& stream) {
                    panel->Glyph()->LoadFromStream(stream);
                    panel->Repaint();
                })
        .Int("NumGlyphs", &TspSkinPanel::SetNumGlyphs)
        .Int("Spacing", &TspSkinPanel::SetSpacing)
        .Enum("DefaultAlignment", &TspSkinPanel::SetDefaultAlignment, AlignmentNames)
        .Int("DefaultCaptionHeight", &TspSkinPanel::SetDefaultCaptionHeight)
        .Enum("BorderStyle", &TspSkinPanel::SetBorderStyle, SkinBorderStyleNames)
        .Bool("CaptionMode", &TspSkinPanel::SetCaptionMode)
        .Bool("RollUpMode", &TspSkinPanel::SetRollUpMode)
        .Bool("RollUpState", &TspSkinPanel::SetRollUpState);
    classes.Register<TspSkinGroupBox>("TspSkinGroupBox", "TspSkinPanel");
}
