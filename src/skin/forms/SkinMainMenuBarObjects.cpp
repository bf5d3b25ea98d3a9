// The menu bar's objects: the MDI buttons and the items, their looks and
// what the mouse does to them.
#include "skin/forms/SkinMainMenuBar.h"

#include "classlib/graphics/Colors.h"
#include "classlib/graphics/WinTypes.h"
#include "skin/EffectBmp.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/SkinMenu.h"
#include "skin/forms/SkinMenuHost.h"

namespace {

// The default looks shared with the other skinned controls.
constexpr TColor DefaultFrameColor = 0x800000;
constexpr TColor DefaultDownColor = 0xB59385;
constexpr TColor DefaultHotColor = 0xD2BDB6;

}  // namespace

TspMenuBarObject::TspMenuBarObject(TspSkinMainMenuBar* AParent, const TspDataSkinObject* AData) : Parent(AParent)
{
    if (AData == nullptr)
        return;
    IDName = AData->IDName;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    DownSkinRect = AData->ActiveSkinRect;
    Morphing = AData->Morphing;
    MorphKind = AData->MorphKind;
    Picture = AParent->ActivePicture(AData->ActivePictureIndex);
}

void TspMenuBarObject::MouseEnter()
{
    Active = true;
    MorphActive = true;
    ReDraw();
}

void TspMenuBarObject::MouseLeave()
{
    Active = false;
    MorphActive = false;
    ReDraw();
}

bool TspMenuBarObject::CanMorphing()
{
    if (Down && !RectEmpty(DownSkinRect))
        return false;
    return Morph.CanStep(MorphActive);
}

void TspMenuBarObject::ReDraw()
{
    // The picture changes at once (down, enabled); the morph follows.
    if (Morphing)
        Parent->BarMorphTimer()->SetEnabled(true);
    Parent->Invalidate();
}

void TspMenuBarObject::DrawSkinLook(TCanvas* Cnvs, const TRect& normal, int leftOffset, int rightOffset)
{
    const int w = RectWidth(ObjectRect);
    const int h = RectHeight(ObjectRect);
    const bool between = Morphing && !RectEmpty(ActiveSkinRect) && Morph.Tenths > 0 && Morph.Tenths < 10;
    TBitmap image;
    const TRect& shown = !between && MorphActive && !RectEmpty(ActiveSkinRect) && normal == SkinRect
                             ? ActiveSkinRect
                             : normal;
    CreateHSkinImage(leftOffset, rightOffset, &image, Picture, shown, w, h);
    if (between && normal == SkinRect) {
        TBitmap active;
        CreateHSkinImage(leftOffset, rightOffset, &active, Picture, ActiveSkinRect, w, h);
        TspEffectBmp from(image.Handle());
        const TspEffectBmp to(active.Handle());
        from.MorphByKind(to, MorphKind, MorphKf());
        from.Draw(Cnvs->Handle(), ObjectRect.Left, ObjectRect.Top);
        return;
    }
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &image);
}

void TspMenuBarObject::DrawDefaultLook(TCanvas* Cnvs, bool pressed, bool hot)
{
    const RECT r = ToRECT(ObjectRect);
    Cnvs->Brush()->SetStyle(bsSolid);
    if (pressed || hot) {
        Cnvs->Brush()->SetColor(pressed ? DefaultDownColor : DefaultHotColor);
        Cnvs->FillRect(r);
        Cnvs->Brush()->SetColor(DefaultFrameColor);
        Cnvs->FrameRect(r);
    } else {
        Cnvs->Brush()->SetColor(clBtnFace);
        Cnvs->FillRect(r);
    }
}

TspSkinMainMenuBarButton::TspSkinMainMenuBarButton(TspSkinMainMenuBar* AParent,
                                                   const TspDataSkinMainMenuBarButton* AData,
                                                   const std::string& DefaultName, int DefaultCommand)
    : TspMenuBarObject(AParent, AData), HasRecord(AData != nullptr && Picture != nullptr), Command(DefaultCommand)
{
    if (AData == nullptr) {
        IDName = DefaultName;
        return;
    }
    if (!RectEmpty(AData->DownRect))
        DownSkinRect = AData->DownRect;
    Command = AData->Command;
}

void TspSkinMainMenuBarButton::Draw(TCanvas* Cnvs)
{
    if (HasRecord) {
        DrawSkinLook(Cnvs, Down && Active && !RectEmpty(DownSkinRect) ? DownSkinRect : SkinRect, 0, 0);
        return;
    }
    DrawDefaultLook(Cnvs, Down && Active, Active || MorphActive);
    const int shift = Down && Active ? 1 : 0;
    const int x = ObjectRect.Left + RectWidth(ObjectRect) / 2 - 5 + shift;
    const int y = ObjectRect.Top + RectHeight(ObjectRect) / 2 - 4 + shift;
    const TColor color = Enabled ? clBtnText : clBtnShadow;
    switch (Command) {
    case 0: DrawCloseGlyph(Cnvs, x, y, color); break;
    case 1: DrawRestoreGlyph(Cnvs, x, y, color); break;
    case 2: DrawMinimizeGlyph(Cnvs, x, y, color); break;
    default: DrawSysMenuGlyph(Cnvs, x, y, color); break;
    }
}

void TspSkinMainMenuBarButton::DoCommand()
{
    Parent->QueueMDICommand(Command, ObjectRect);
}

void TspSkinMainMenuBarButton::MouseEnter()
{
    if (Command == 3 && Down) {
        Active = true;
        MorphActive = true;
        if (Morphing)
            Morph.Tenths = 0;
        return;
    }
    TspMenuBarObject::MouseEnter();
}

void TspSkinMainMenuBarButton::MouseLeave()
{
    if (Command == 3 && Down) {
        Active = false;
        MorphActive = false;
        return;
    }
    TspMenuBarObject::MouseLeave();
}

void TspSkinMainMenuBarButton::MouseDown(TMouseButton Button, int, int)
{
    if (Button != mbLeft || !Enabled || Down)
        return;
    Down = true;
    if (!RectEmpty(DownSkinRect))
        Morph.Tenths = 10;
    ReDraw();
    if (Command == 3)
        DoCommand();
}

void TspSkinMainMenuBarButton::MouseUp(TMouseButton Button, int, int)
{
    if (Button != mbLeft || !Down || Command == 3)
        return;
    Down = false;
    ReDraw();
    if (Active)
        DoCommand();
}

TspSkinMainMenuBarItem::TspSkinMainMenuBarItem(TspSkinMainMenuBar* AParent, const TspDataSkinMainMenuBarItem* AData,
                                               TMenuItem* AMenuItem)
    : TspMenuBarObject(AParent, AData), HasRecord(AData != nullptr && Picture != nullptr), MenuItem(AMenuItem)
{
    IDName = AMenuItem->Name();
    Enabled = AMenuItem->Enabled();
    SavedEnabled = Enabled;
    if (!HasRecord)
        return;
    FontName = AData->FontName;
    FontHeight = AData->FontHeight;
    FontStyle = AData->FontStyle;
    UnEnabledFontColor = AData->UnEnabledFontColor;
    FontColor = AData->FontColor;
    ActiveFontColor = AData->ActiveFontColor;
    DownFontColor = AData->DownFontColor;
    TextRect = AData->TextRect;
    DownRect = AData->DownRect;
    ItemLeftOffset = AData->ItemLeftOffset;
    ItemRightOffset = AData->ItemRightOffset;
    if (RectEmpty(DownRect))
        DownRect = RectEmpty(ActiveSkinRect) ? SkinRect : ActiveSkinRect;
    if (RectEmpty(ActiveSkinRect))
        Morphing = false;
}

void TspSkinMainMenuBarItem::SetItemFont(TCanvas* Cnvs)
{
    if (HasRecord) {
        Cnvs->Font()->SetName(FontName);
        Cnvs->Font()->SetHeight(FontHeight);
        Cnvs->Font()->SetStyle(FontStyle);
    } else {
        Cnvs->Font()->Assign(Parent->DefItemFont());
    }
}

int TspSkinMainMenuBarItem::ItemWidth(TCanvas* Cnvs)
{
    SetItemFont(Cnvs);
    RECT r{0, 0, 0, 0};
    Cnvs->DrawText(MenuItem->Caption(), r, DT_CALCRECT | DT_SINGLELINE);
    const int text = r.right - r.left;
    if (!HasRecord)
        return text + 12;
    return text + 2 + RectWidth(SkinRect) + TextRect.Left - TextRect.Right;
}

void TspSkinMainMenuBarItem::Draw(TCanvas* Cnvs)
{
    SetItemFont(Cnvs);
    if (!HasRecord) {
        DrawDefaultLook(Cnvs, Down, Active || MorphActive);
        Cnvs->Font()->SetColor(MenuItem->Enabled() ? Parent->DefItemFont()->Color() : clBtnShadow);
        RECT r = ToRECT(ObjectRect);
        Cnvs->Brush()->SetStyle(bsClear);
        Cnvs->DrawText(MenuItem->Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        Cnvs->Brush()->SetStyle(bsSolid);
        return;
    }
    DrawSkinLook(Cnvs, Down ? DownRect : SkinRect, ItemLeftOffset, ItemRightOffset);
    TColor color = MenuItem->Enabled() ? FontColor : UnEnabledFontColor;
    if (Down)
        color = DownFontColor;
    else if (Active)
        color = ActiveFontColor;
    Cnvs->Font()->SetColor(color);
    RECT r{0, 0, 0, 0};
    Cnvs->DrawText(MenuItem->Caption(), r, DT_CALCRECT | DT_SINGLELINE);
    const int left = ObjectRect.Left + TextRect.Left;
    const int top = ObjectRect.Top + TextRect.Top;
    RECT place{left, top, left + (r.right - r.left) + 2, top + RectHeight(TextRect)};
    Cnvs->Brush()->SetStyle(bsClear);
    Cnvs->DrawText(MenuItem->Caption(), place, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Cnvs->Brush()->SetStyle(bsSolid);
}

void TspSkinMainMenuBarItem::MouseEnter()
{
    TspSkinMainMenuBarItem* down = nullptr;
    for (TspSkinMainMenuBarItem* item : Parent->Items())
        if (item != this && item->Down) {
            down = item;
            break;
        }
    if (down != nullptr) {
        // The open menu moves to this item.
        down->Active = false;
        down->SetDown(false);
        Active = true;
        MorphActive = true;
        Morph.Tenths = 10;
        SetDown(true);
        return;
    }
    for (TspSkinMainMenuBarItem* item : Parent->Items())
        if (item != this && item->Active) {
            item->Active = false;
            item->MorphActive = false;
            item->ReDraw();
        }
    TspMenuBarObject::MouseEnter();
}

void TspSkinMainMenuBarItem::MouseLeave()
{
    Active = false;
    MorphActive = false;
    if (Down && Morphing)
        Morph.Tenths = 0;
    ReDraw();
}

void TspSkinMainMenuBarItem::MouseDown(TMouseButton Button, int, int)
{
    if (Button != mbLeft || !Enabled)
        return;
    if (Parent->OnMainMenuItemClick)
        Parent->OnMainMenuItemClick(IDName);
    if (MenuItem->Count() > 0) {
        Parent->MenuMode = true;
        SetDown(true);
        return;
    }
    if (TspDynamicSkinForm* form = Parent->DynamicSkinForm()) {
        if (form->InMainMenu)
            Parent->FormMainMenuExit();
        form->InSkinMenu = false;
    }
    ReDraw();
    // The command may free the bar: nothing of it is touched afterwards.
    TMenuItem* item = MenuItem;
    if (TMenu* menu = item->GetParentMenu())
        menu->DispatchCommand(item->Command());
    else
        item->Click();
}

void TspSkinMainMenuBarItem::SetDown(bool Value)
{
    if (!Value) {
        Down = false;
        MorphActive = false;
        if (Morphing)
            Morph.Tenths = 10;
        ReDraw();
        return;
    }
    Down = true;
    ReDraw();
    TspDynamicSkinForm* form = Parent->DynamicSkinForm();
    if (form == nullptr)
        return;
    // The form takes the bar as the one in main-menu mode, so the bar hears
    // of the menu's closing even when the form does not name it.
    if (!form->InMainMenu)
        Parent->FormMainMenuEnter();
    TspSkinMenuHost* host = Parent->MenuHost();
    if (host == nullptr || host->SkinMenu() == nullptr)
        return;
    const POINT topLeft = Parent->ClientToScreen(POINT{ObjectRect.Left, ObjectRect.Top});
    const TRect r{topLeft.x, topLeft.y, topLeft.x + RectWidth(ObjectRect), topLeft.y + RectHeight(ObjectRect)};
    // Skinned-menu mode only with a level open: only its closing ends the
    // mode. An item without children opens none, and the menu it replaced
    // closed without a word, so that menu's mode ends here.
    if (host->SkinMenu()->Popup(nullptr, Parent->SkinData(), 0, r, MenuItem, Parent->PopupToUp)) {
        host->SkinMenuOpen();
    } else if (form->InSkinMenu) {
        form->InSkinMenu = false;
        Fire(form->OnSkinMenuClose, form);
    }
    form->InMainMenu = true;
}
