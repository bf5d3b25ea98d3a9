#include "skin/forms/SkinFrameMainMenuItem.h"

#include <vector>

#include "classlib/graphics/WinTypes.h"
#include "classlib/ui/Menus.h"
#include "skin/SkinData.h"
#include "skin/SkinImages.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/DynamicSkinForm.h"

TspSkinMainMenuItem::TspSkinMainMenuItem(TspDynamicSkinForm* AParent, TspDataSkinMainMenuItem* AData,
                                         TMenuItem* AMenuItem)
    : TspActiveSkinObject(AParent, AData), MenuItem(AMenuItem)
{
    IDName = AMenuItem->Name();
    Enabled = AMenuItem->Enabled();
    // The frame's objects follow the roll-up rule; the items are always
    // on the frame.
    RollUp = false;
    Picture = SkinData != nullptr ? SkinData->Picture.get() : nullptr;
    DownRect = ActivePicture != nullptr ? AData->DownRect : NullRect();
    TextRect = AData->TextRect;
    ItemLeftOffset = AData->ItemLeftOffset;
    ItemRightOffset = AData->ItemRightOffset;
    FontName = AData->FontName;
    FontHeight = AData->FontHeight;
    FontStyle = AData->FontStyle;
    FontColor = AData->FontColor;
    ActiveFontColor = AData->ActiveFontColor;
    DownFontColor = AData->DownFontColor;
    UnEnabledFontColor = AData->UnEnabledFontColor;
}

void TspSkinMainMenuItem::SetFont(TCanvas* Canvas, TColor Color) const
{
    SetTextFont(Canvas, FontName, FontHeight, FontStyle, Color);
}

int TspSkinMainMenuItem::ItemWidth(TCanvas* Canvas) const
{
    SetFont(Canvas, FontColor);
    RECT r{0, 0, 0, 0};
    Canvas->DrawText(MenuItem->Caption(), r, DT_CALCRECT | DT_SINGLELINE);
    return RectWidth(SkinRect) - RectWidth(TextRect) + (r.right - r.left) + 2;
}

void TspSkinMainMenuItem::Draw(TCanvas* Canvas, bool)
{
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (Picture == nullptr || w <= 0 || h <= 0)
        return;
    TBitmap normal;
    CreateHSkinImage(ItemLeftOffset, ItemRightOffset, &normal, Picture, SkinRect, w, h);
    const bool hasActive = ActivePicture != nullptr && !IsNullRect(ActiveSkinRect);
    if (Down && !IsNullRect(DownRect)) {
        TBitmap down;
        CreateHSkinImage(ItemLeftOffset, ItemRightOffset, &down, ActivePicture, DownRect, w, h);
        Canvas->Draw(ObjectRect.Left, ObjectRect.Top, &down);
    } else if (hasActive && (Morphing || Active || Down)) {
        TBitmap active;
        CreateHSkinImage(ItemLeftOffset, ItemRightOffset, &active, ActivePicture, ActiveSkinRect, w, h);
        if (Morphing && !Down)
            DrawMorph(Canvas, &normal, &active);
        else
            Canvas->Draw(ObjectRect.Left, ObjectRect.Top, &active);
    } else {
        Canvas->Draw(ObjectRect.Left, ObjectRect.Top, &normal);
    }
    TColor color = Enabled ? FontColor : UnEnabledFontColor;
    if (Down)
        color = DownFontColor;
    else if (Active)
        color = ActiveFontColor;
    SetFont(Canvas, color);
    RECT extent{0, 0, 0, 0};
    Canvas->DrawText(MenuItem->Caption(), extent, DT_CALCRECT | DT_SINGLELINE);
    const int left = ObjectRect.Left + TextRect.Left, top = ObjectRect.Top + TextRect.Top;
    RECT place{left, top, left + (extent.right - extent.left) + 2, top + RectHeight(TextRect)};
    Canvas->DrawText(MenuItem->Caption(), place, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Canvas->Brush()->SetStyle(bsSolid);
}

bool TspSkinMainMenuItem::CanMorphing()
{
    return !Down && Morph.CanStep(Active);
}

void TspSkinMainMenuItem::MouseEnter()
{
    MouseIn = true;
    // One hot item; an open item's menu moves here.
    const std::vector<TspSkinMainMenuItem*> items = Parent->MainMenuItems();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == this)
            Parent->HotMainMenuItem(static_cast<int>(i));
    Parent->DoMouseEnterEvent(IDName);
}

void TspSkinMainMenuItem::MouseLeave()
{
    MouseIn = false;
    // A down item keeps its look while its menu is open, and main-menu
    // mode keeps the hot item.
    if (!Down && !Parent->InMainMenu) {
        Active = false;
        ReDraw();
    }
    Parent->DoMouseLeaveEvent(IDName);
}

void TspSkinMainMenuItem::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Button == mbLeft && Enabled && !Down)
        Press();
    TspActiveSkinObject::MouseDown(X, Y, Button);
}

void TspSkinMainMenuItem::Press()
{
    if (MenuItem->Count() > 0) {
        SetDown(true);
        return;
    }
    Down = false;
    Active = false;
    Morph.Tenths = 0;
    Parent->LeaveMenuModes();
    Parent->DrawSkinObject(this);
    // The command may free the form's menu: nothing of the item is
    // touched afterwards.
    TMenuItem* item = MenuItem;
    if (TMenu* menu = item->GetParentMenu())
        menu->DispatchCommand(item->Command());
    else
        item->Click();
}

void TspSkinMainMenuItem::SetDown(bool Value)
{
    Down = Value;
    Parent->DrawSkinObject(this);
    if (Value)
        Parent->PopupMainMenuItem(this);
}
