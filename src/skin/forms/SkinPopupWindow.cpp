#include "skin/forms/SkinPopupWindow.h"

#include <algorithm>
#include <utility>

#include "classlib/core/ShortCuts.h"
#include "classlib/graphics/Colors.h"
#include "skin/EffectBmp.h"
#include "skin/SkinData.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/SkinRegions.h"
#include "skin/forms/SkinMenu.h"
#include "skin/forms/SkinMenuItem.h"

namespace {

constexpr UINT_PTR MenuScrollTimer = 1;
constexpr UINT ShowFlags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW;  // 0x51

TBitmap* ActivePicture(TspSkinData* skinData, int index)
{
    if (skinData == nullptr || index < 0 || index >= static_cast<int>(skinData->ActivePictures.size()))
        return nullptr;
    return skinData->ActivePictures[static_cast<size_t>(index)].get();
}

// The character `key` types, for matching accelerators: letters and digits
// as they are, any other key through the keyboard layout; 0 for a key that
// types none (function keys, arrows, dead keys), whose code only looks like
// a character (F9 is 'x', numpad 3 'c').
unsigned char TypedCharacter(WORD key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return static_cast<unsigned char>(key);
    const UINT typed = MapVirtualKeyA(key, MAPVK_VK_TO_CHAR);
    if ((typed & 0x80000000u) != 0 || typed < 0x20 || typed > 0xFF)
        return 0;
    return static_cast<unsigned char>(typed);
}

}  // namespace

TspSkinPopupWindow::TspSkinPopupWindow(TComponent* owner, TspDataSkinPopupWindow* popupData, TspSkinMenu* menu)
    : TCustomControl(owner), FMenu(menu), FMouseTimer(new TTimer(this)), FMorphTimer(new TTimer(this)),
      FShowTimer(new TTimer(this)), FTransparent(menu->Transparent), FTransparentValue(menu->TransparentValue()),
      FAlphaBlendSupport(menu->AlphaBlendSupport)
{
    SetVisible(false);
    for (auto [timer, interval] : {std::pair{FMouseTimer, 50u}, {FMorphTimer, 20u}, {FShowTimer, 100u}}) {
        timer->SetEnabled(false);
        timer->SetInterval(interval);
    }
    FMouseTimer->OnTimer = [this](TObject*) { PollMouse(); };
    FMorphTimer->OnTimer = [this](TObject* sender) { MorphTimerFired(sender); };
    FShowTimer->OnTimer = [this](TObject* sender) { DelayedShow(sender); };
    // A record is used only with its window picture: without one the level
    // has nothing to be drawn from.
    if (popupData != nullptr && popupData->WindowPictureIndex != -1) {
        TBitmap* picture = ActivePicture(menu->SkinData(), popupData->WindowPictureIndex);
        if (picture != nullptr && !picture->Empty()) {
            FPopupData = popupData;
            FSkinData = menu->SkinData();
            FWindowPicture = picture;
            FMaskPicture = ActivePicture(FSkinData, popupData->MaskPictureIndex);
        }
    }
}

TspSkinPopupWindow::~TspSkinPopupWindow()
{
    StopTimers();
    // A region handed to SetWindowRgn belongs to the system: never deleted here.
    FItems.clear();
}

void TspSkinPopupWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW;
    params.WndParent = nullptr;
    params.WindowClass.style |= CS_SAVEBITS;
}

int TspSkinPopupWindow::IndexOfItem(const TspSkinMenuItem* item) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == item)
            return static_cast<int>(i);
    return -1;
}

bool TspSkinPopupWindow::Usable(int index) const
{
    const TspSkinMenuItem* item = Items(index);
    return item->MenuItem->Enabled() && !item->IsSeparator();
}

void TspSkinPopupWindow::CreateMenu(TMenuItem* item, int startIndex)
{
    // The item record, only inside a skinned window.
    FMenuItemData = nullptr;
    if (FPopupData != nullptr && FSkinData != nullptr) {
        int index = FSkinData->GetObjectIndex("MENUITEM");
        if (index < 0)
            index = FSkinData->GetObjectIndex("menuitem");
        if (index >= 0)
            FMenuItemData = dynamic_cast<TspDataSkinMenuItem*>(FSkinData->ObjectList[static_cast<size_t>(index)].get());
    }
    // Items are measured in the font they are drawn with.
    TFont* font = Canvas()->Font();
    if (FMenuItemData != nullptr) {
        font->SetName(FMenuItemData->FontName);
        font->SetHeight(FMenuItemData->FontHeight);
        font->SetStyle(FMenuItemData->FontStyle);
    } else {
        font->Assign(FMenu->DefaultFont());
    }
    TMenu* owningMenu = item->GetParentMenu();
    FImages = owningMenu != nullptr ? owningMenu->Images() : nullptr;

    FItems.clear();
    for (int i = std::max(startIndex, 0); i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (child->Visible())
            FItems.push_back(std::make_unique<TspSkinMenuItem>(this, FMenuItemData, child));
    }

    TBitmap measure;
    measure.SetSize(1, 1);
    TCanvas* canvas = measure.Canvas();
    canvas->Font()->Assign(font);
    int widest = 0;
    FLayout = TspSkinMenuLevelLayout{};
    for (const auto& menuItem : FItems) {
        std::string text = menuItem->MenuItem->Caption();
        if (menuItem->MenuItem->ShortCut() != 0)
            text += "  " + ShortCutToText(menuItem->MenuItem->ShortCut());
        RECT r{0, 0, 0, 0};
        canvas->DrawText(text, r, DT_CALCRECT);
        widest = std::max(widest, static_cast<int>(r.right - r.left) + 2);
        FLayout.Heights.push_back(SkinMenuItemHeight(menuItem->IsSeparator(), FMenuItemData, FMenu->ItemHeight));
        FLayout.Usable.push_back(menuItem->MenuItem->Enabled() && !menuItem->IsSeparator());
    }
    FImageColumnWidth = SkinMenuImageColumnWidth(FImages != nullptr, FImages != nullptr ? FImages->Width() : 0);
    const TPoint pictureSize = FWindowPicture != nullptr ? TPoint{FWindowPicture->Width(), FWindowPicture->Height()}
                                                         : TPoint{};
    const TRect& area = FMenu->WorkArea;
    FSize = SkinMenuLevelSize(widest, FImageColumnWidth, FLayout.Heights, FPopupData, pictureSize, FMenuItemData,
                              area.Bottom - area.Top);
    FLayout.ItemsRect = FSize.ItemsRect;
    FLayout.Scrolling = FSize.Scrolling;
    SetBounds(Left(), Top(), FSize.Width, FSize.Height);
    CalcItemRects();
}

void TspSkinPopupWindow::CalcItemRects()
{
    FLayout.CalcItemRects();
    for (size_t i = 0; i < FItems.size(); ++i) {
        FItems[i]->ItemRect = FLayout.ItemRects[i];
        FItems[i]->Visible = FLayout.Visible[i];
    }
}

void TspSkinPopupWindow::SetRegion()
{
    if (FPopupData == nullptr)
        return;
    HRGN region = nullptr;
    CreateRgnFromSkinMask(region, FPopupData->LeftTopPoint, FPopupData->RightTopPoint, FPopupData->LeftBottomPoint,
                          FPopupData->RightBottomPoint, FPopupData->ItemsRect, FSize.NewLTPoint, FSize.NewRTPoint,
                          FSize.NewLBPoint, FSize.NewRBPoint, FSize.ItemsRect, FMaskPicture, Width(), Height());
    if (region == nullptr)
        return;
    // Once SetWindowRgn has taken it, the region is the system's: it is
    // deleted here only when the call failed.
    if (SetWindowRgn(Handle(), region, TRUE) == 0) {
        DeleteObject(region);
        return;
    }
    FRegion = region;
}

void TspSkinPopupWindow::Popup(const TRect& r, TMenuItem* item, int startIndex, bool isSubMenu, bool popupUp)
{
    CreateMenu(item, startIndex);
    const TPoint at = SkinMenuPlacement(r, FMenu->WorkArea, Width(), Height(), FLayout.ItemsRect.Top, isSubMenu,
                                        FLayout.Scrolling, popupUp);
    FPopupX = at.X;
    FPopupY = at.Y;
    SetBounds(FPopupX, FPopupY, Width(), Height());
    HandleNeeded();
    SetRegion();
    if (FTransparent && !FAlphaBlendSupport) {
        FShowTimer->SetEnabled(true);
        return;
    }
    ShowLevel();
}

void TspSkinPopupWindow::ShowLevel()
{
    if (FPopupData != nullptr && FPopupData->CursorIndex != -1 && FSkinData != nullptr)
        SetCursor(FSkinData->StartCursorIndex + FPopupData->CursorIndex);
    if (FTransparent && FAlphaBlendSupport) {
        SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredWindowAlpha(Handle(), FTransparentValue);
    }
    SetWindowPos(Handle(), HWND_TOPMOST, FPopupX, FPopupY, 0, 0, ShowFlags);
    SetVisible(true);
    FMouseTimer->SetEnabled(true);
    FSelected = -1;
    SelectFirstUsable();
}

void TspSkinPopupWindow::DelayedShow(TObject*)
{
    FShowTimer->SetEnabled(false);
    FScreenImage = std::make_unique<TBitmap>();
    FScreenImage->SetPixelFormat(pf24bit);
    FScreenImage->SetSize(Width() + 1, Height() + 1);
    GetScreenImage(FPopupX, FPopupY, FScreenImage.get());
    FScreenEffect = std::make_unique<TspEffectBmp>(FScreenImage->Handle());
    if (FPopupData != nullptr && FPopupData->CursorIndex != -1 && FSkinData != nullptr)
        SetCursor(FSkinData->StartCursorIndex + FPopupData->CursorIndex);
    SetWindowPos(Handle(), HWND_TOPMOST, FPopupX, FPopupY, 0, 0, ShowFlags);
    SetVisible(true);
    FMouseTimer->SetEnabled(true);
    FSelected = -1;
    SelectFirstUsable();
}

void TspSkinPopupWindow::SelectFirstUsable()
{
    for (int i = 0; i < ItemCount(); ++i) {
        if (Usable(i)) {
            FSelected = i;
            Items(i)->MouseEnter(true);
            return;
        }
    }
}

void TspSkinPopupWindow::StopTimers()
{
    FMouseTimer->SetEnabled(false);
    FMorphTimer->SetEnabled(false);
    FShowTimer->SetEnabled(false);
    if (FScrollTimerOn && HandleAllocated())
        KillTimer(Handle(), MenuScrollTimer);
    FScrollTimerOn = false;
    FScrollDirection = 0;
}

void TspSkinPopupWindow::CloseSubLevels()
{
    FMenu->CloseToLevel(FMenu->LevelOf(this) + 1);
    for (const auto& item : FItems) {
        if (item->Down) {
            item->Down = false;
            item->Redraw();
        }
    }
}

void TspSkinPopupWindow::ScrollUp(bool wrap)
{
    FLayout.ScrollUp(wrap);
    CalcItemRects();
    Invalidate();
}

void TspSkinPopupWindow::ScrollDown(bool wrap)
{
    FLayout.ScrollDown(wrap);
    CalcItemRects();
    Invalidate();
}

void TspSkinPopupWindow::StartScroll()
{
    FMenu->CloseToLevel(FMenu->LevelOf(this) + 1);
    KillTimer(Handle(), MenuScrollTimer);
    SetTimer(Handle(), MenuScrollTimer, 100, nullptr);
    FScrollTimerOn = true;
}

void TspSkinPopupWindow::StopScroll()
{
    FScrollDirection = 0;
    RedrawScrollMarkers();
    if (HandleAllocated())
        KillTimer(Handle(), MenuScrollTimer);
    FScrollTimerOn = false;
}

TRect TspSkinPopupWindow::ScrollMarkerRect(int direction) const
{
    const TRect& ir = FLayout.ItemsRect;
    const int marker = SkinMenuScrollMarkerHeight;
    if (FPopupData != nullptr)
        return direction == 1 ? TRect{ir.Left, ir.Top, ir.Right, ir.Top + marker}
                              : TRect{ir.Left, ir.Bottom - marker, ir.Right, ir.Bottom};
    return direction == 1 ? TRect{3, 3, Width() - 3, 3 + marker}
                          : TRect{3, Height() - marker, Width() - 3, Height() - 3};
}

void TspSkinPopupWindow::TrackMouse(int x, int y)
{
    const auto over = [x, y](const TRect& r) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; };
    if (FLayout.Scrolling) {
        const bool overUp = over(ScrollMarkerRect(1));
        const bool overDown = over(ScrollMarkerRect(2));
        if (overUp && FScrollDirection == 0 && CanScroll(1)) {
            FScrollDirection = 1;
            RedrawScrollMarkers();
            StartScroll();
        } else if (overDown && FScrollDirection == 0 && CanScroll(2)) {
            FScrollDirection = 2;
            RedrawScrollMarkers();
            StartScroll();
        } else if (FScrollDirection != 0 && !overUp && !overDown) {
            StopScroll();
        }
    }
    FOldSelected = FSelected;
    const int hit = ItemAtPos(x, y);
    if (hit >= 0)
        FSelected = hit;
    if (FSelected >= ItemCount())
        FSelected = -1;
    if (FSelected != FOldSelected) {
        if (FOldSelected >= 0 && FOldSelected < ItemCount() && Usable(FOldSelected))
            Items(FOldSelected)->MouseLeave();
        if (FSelected >= 0 && Usable(FSelected))
            Items(FSelected)->MouseEnter(false);
    }
}

void TspSkinPopupWindow::PollMouse()
{
    if (!HandleAllocated())
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT screen = cursor;
    ::ScreenToClient(Handle(), &cursor);
    if (cursor.x == FLastMouseX && cursor.y == FLastMouseY)
        return;
    FLastMouseX = cursor.x;
    FLastMouseY = cursor.y;
    if (WindowFromPoint(screen) == Handle()) {
        TrackMouse(cursor.x, cursor.y);
    } else if (FLayout.Scrolling) {
        FScrollDirection = 0;
        RedrawScrollMarkers();
    }
}

void TspSkinPopupWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    TrackMouse(x, y);
    if (FSelected < 0 || button != mbLeft)
        return;
    const int hit = ItemAtPos(x, y);
    if (hit < 0)
        return;
    TspSkinMenuItem* item = Items(FSelected);
    if (!item->IsSeparator())
        item->Activate();
}

void TspSkinPopupWindow::ChangeSelection(int index, bool byKey)
{
    if (index == FSelected)
        return;
    const int old = FSelected;
    FSelected = index;
    if (old >= 0 && old < ItemCount())
        Items(old)->MouseLeave();
    if (index >= 0)
        Items(index)->MouseEnter(byKey);
}

void TspSkinPopupWindow::ProcessKey(WORD key)
{
    if (!Visible())
        return;
    const unsigned char typed = TypedCharacter(key);
    for (int i = 0; i < ItemCount() && typed != 0; ++i) {
        TspSkinMenuItem* item = Items(i);
        if (IsAccel(typed, item->MenuItem->Caption())) {
            item->MouseEnter(false);
            if (FSelected != i && FSelected >= 0 && FSelected < ItemCount())
                Items(FSelected)->MouseLeave();
            FSelected = i;
            item->Activate();
            return;
        }
    }
    switch (key) {
    case VK_DOWN:
    case VK_UP: {
        const int top = FLayout.TopIndex;
        const int next = key == VK_DOWN ? FLayout.WalkDown(FSelected) : FLayout.WalkUp(FSelected);
        if (FLayout.TopIndex != top) {
            CalcItemRects();
            Invalidate();
        }
        ChangeSelection(next, true);
        break;
    }
    case VK_RIGHT:
        if (FSelected >= 0 && Items(FSelected)->MenuItem->Count() > 0)
            Items(FSelected)->Activate();
        break;
    case VK_RETURN:
        if (FSelected >= 0)
            Items(FSelected)->Activate();
        break;
    case VK_LEFT:
    case VK_ESCAPE: {
        const int levels = static_cast<int>(FMenu->Levels().size());
        if (key == VK_LEFT && levels < 2)
            break;
        TspSkinMenu* menu = FMenu;  // this level is closed below
        menu->CloseToLevel(levels - 1);
        if (TspSkinPopupWindow* deepest = menu->DeepestLevel()) {
            if (deepest->FSelected >= 0) {
                TspSkinMenuItem* item = deepest->Items(deepest->FSelected);
                item->Down = false;
                item->Redraw();
            }
        }
        break;
    }
    default:
        break;
    }
}

void TspSkinPopupWindow::MorphTimerFired(TObject*)
{
    bool moving = false;
    for (const auto& item : FItems) {
        if (item->CanMorphing() && item->DoMorph()) {
            moving = true;
            DrawItemNow(item.get());
        }
    }
    if (!moving)
        FMorphTimer->SetEnabled(false);
}

void TspSkinPopupWindow::PaintLevel(TCanvas* canvas)
{
    const int w = Width();
    const int h = Height();
    if (FPopupData != nullptr) {
        TBitmap background;
        CreateSkinImage(FPopupData->LeftTopPoint, FPopupData->RightTopPoint, FPopupData->LeftBottomPoint,
                        FPopupData->RightBottomPoint, FPopupData->ItemsRect, FSize.NewLTPoint, FSize.NewRTPoint,
                        FSize.NewLBPoint, FSize.NewRBPoint, FSize.ItemsRect, &background, FWindowPicture,
                        TRect{0, 0, FWindowPicture->Width(), FWindowPicture->Height()}, w, h, true);
        canvas->Draw(0, 0, &background);
    } else {
        const int stripe = FImages != nullptr ? FImageColumnWidth + 3 : 22;
        canvas->Brush()->SetColor(clBtnFace);
        canvas->FillRect({0, 0, stripe, h});
        canvas->Brush()->SetColor(clWindow);
        canvas->FillRect({stripe, 0, w, h});
        canvas->Brush()->SetColor(clBtnShadow);
        canvas->FrameRect({0, 0, w, h});
        canvas->Brush()->SetColor(clWindow);
        canvas->FrameRect({1, 1, w - 1, h - 1});
    }
    for (int i = FLayout.TopIndex; i < FLayout.TopIndex + FLayout.VisibleCount && i < ItemCount(); ++i)
        Items(i)->Draw(canvas);
    if (FLayout.Scrolling)
        DrawScrollMarkers(canvas);
}

void TspSkinPopupWindow::DrawScrollMarkers(TCanvas* canvas)
{
    for (int direction = 1; direction <= 2; ++direction) {
        const bool active = FScrollDirection == direction;
        TColor color = active ? clBtnText : clBtnShadow;
        if (FPopupData != nullptr)
            color = active ? FPopupData->ScrollMarkerActiveColor : FPopupData->ScrollMarkerColor;
        DrawArrowImage(canvas, ScrollMarkerRect(direction), color, direction == 1 ? 3 : 4);
    }
}

void TspSkinPopupWindow::RedrawScrollMarkers()
{
    if (!FLayout.Scrolling || !HandleAllocated() || !IsWindowVisible(Handle()))
        return;
    Invalidate();
}

void TspSkinPopupWindow::DrawItemNow(TspSkinMenuItem* item)
{
    if (!HandleAllocated() || !IsWindowVisible(Handle()) || !item->Visible)
        return;
    // The whole level is drawn into a bitmap and the item's part copied: the
    // item's background (skin picture, pseudo-transparency) is the level's.
    const TRect& r = item->ItemRect;
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(Width(), Height());
    PaintLevel(picture.Canvas());
    BlendScreen(picture);
    const HDC dc = GetDC(Handle());
    BitBlt(dc, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, picture.Canvas()->Handle(), r.Left, r.Top, SRCCOPY);
    ReleaseDC(Handle(), dc);
}

void TspSkinPopupWindow::BlendScreen(TBitmap& picture)
{
    if (!FTransparent || FAlphaBlendSupport || FScreenEffect == nullptr)
        return;
    TspEffectBmp level(picture.Handle());
    level.MorphRect(*FScreenEffect, {0, 0, picture.Width(), picture.Height()}, FTransparentValue / 100.0, 0, 0);
    level.Draw(picture.Canvas()->Handle(), 0, 0);
}

void TspSkinPopupWindow::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEACTIVATE:
        message.Result = MA_NOACTIVATE;
        return;
    case WM_ERASEBKGND: {
        TBitmap picture;
        picture.SetPixelFormat(pf24bit);
        picture.SetSize(Width(), Height());
        PaintLevel(picture.Canvas());
        BlendScreen(picture);
        BitBlt(reinterpret_cast<HDC>(message.WParam), 0, 0, Width(), Height(), picture.Canvas()->Handle(), 0, 0,
               SRCCOPY);
        message.Result = 1;
        return;
    }
    case WM_TIMER:
        TCustomControl::WndProc(message);
        if (message.WParam == MenuScrollTimer) {
            if (FScrollDirection == 1 && CanScroll(1))
                ScrollUp(false);
            else if (FScrollDirection == 2 && CanScroll(2))
                ScrollDown(false);
            else
                StopScroll();
        }
        return;
    default:
        TCustomControl::WndProc(message);
    }
}
