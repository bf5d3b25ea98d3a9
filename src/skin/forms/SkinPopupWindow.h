// One level of a skinned menu: a top-level popup window that never takes
// the activation (MA_NOACTIVATE, SWP_NOACTIVATE), showing one item per
// visible child of a menu item. It is drawn from the skin's [POPUPWINDOW]
// record when that names a window picture, else in the default look; the
// items draw themselves (TspSkinMenuItem).
//
// The window paints all of itself in WM_ERASEBKGND, into one bitmap copied
// in one piece. It polls the mouse every 50 ms (it has no capture), scrolls
// by window timer 1 every 100 ms while the cursor rests on a scroll marker,
// and walks its items by the keys the form forwards (ProcessKey).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/ui/Controls.h"
#include "classlib/ui/ImgList.h"
#include "classlib/ui/Menus.h"
#include "classlib/ui/Timer.h"
#include "skin/EffectBmp.h"
#include "skin/core/SkinMenuLayout.h"

class TspSkinMenu;
class TspSkinMenuItem;
class TspSkinData;

class TspSkinPopupWindow : public TCustomControl {
public:
    // `popupData` is used only when given and its window picture index is
    // not -1.
    TspSkinPopupWindow(TComponent* owner, TspDataSkinPopupWindow* popupData, TspSkinMenu* menu);
    ~TspSkinPopupWindow() override;

    std::string ClassName() const override { return "TspSkinPopupWindow"; }

    // Builds, places and shows the level.
    void Popup(const TRect& r, TMenuItem* item, int startIndex, bool isSubMenu, bool popupUp);
    // The keyboard, while the window is visible: accelerators, Up, Down,
    // Right, Enter, Left, Escape.
    void ProcessKey(WORD key);

    TspSkinMenu* Menu() const { return FMenu; }
    TspDataSkinMenuItem* MenuItemData() const { return FMenuItemData; }
    TspDataSkinPopupWindow* PopupData() const { return FPopupData; }
    TspSkinData* SkinData() const { return FSkinData; }
    TCustomImageList* Images() const { return FImages; }
    int ImageColumnWidth() const { return FImageColumnWidth; }
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    TspSkinMenuItem* Items(int index) const { return FItems[static_cast<size_t>(index)].get(); }
    int IndexOfItem(const TspSkinMenuItem* item) const;
    int Selected() const { return FSelected; }
    void SetSelected(int index) { FSelected = index; }
    int TopIndex() const { return FLayout.TopIndex; }
    int VisibleCount() const { return FLayout.VisibleCount; }
    bool Scrolling() const { return FLayout.Scrolling; }
    int ScrollDirection() const { return FScrollDirection; }
    const TRect& ItemsRect() const { return FLayout.ItemsRect; }
    int PopupX() const { return FPopupX; }
    int PopupY() const { return FPopupY; }
    HRGN Region() const { return FRegion; }
    bool Transparent() const { return FTransparent; }
    int TransparentValue() const { return FTransparentValue; }
    bool AlphaBlendSupport() const { return FAlphaBlendSupport; }
    TTimer* MorphTimer() { return FMorphTimer; }
    TTimer* MouseTimer() { return FMouseTimer; }
    TTimer* ShowTimer() { return FShowTimer; }
    // The screen under the window, grabbed when a pseudo-transparent level
    // shows (null otherwise).
    TBitmap* ScreenImage() { return FScreenImage.get(); }

    // Closes the levels under this one's open submenu and takes Down off
    // this level's items.
    void CloseSubLevels();
    // Stops every timer of the level (its closing).
    void StopTimers();

    bool CanScroll(int direction) const { return FLayout.CanScroll(direction); }
    void ScrollUp(bool wrap);
    void ScrollDown(bool wrap);
    void StartScroll();
    void StopScroll();
    // The cursor at (x, y) in client coordinates: scroll markers, then the
    // item under it.
    void TrackMouse(int x, int y);
    int ItemAtPos(int x, int y) const { return FLayout.ItemAtPos(x, y); }
    // One mouse poll (the 50 ms timer's event).
    void PollMouse();

    // Draws the whole level into `canvas` (window coordinates), without the
    // screen under a pseudo-transparent level (BlendScreen adds it).
    void PaintLevel(TCanvas* canvas);
    // Cross-fades a picture of the level with the screen grabbed under it
    // (kf = TransparentValue / 100); only for a pseudo-transparent level.
    void BlendScreen(TBitmap& picture);
    // Draws one item at once on the window (a changed state).
    void DrawItemNow(TspSkinMenuItem* item);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void CreateMenu(TMenuItem* item, int startIndex);
    void CalcItemRects();
    void SetRegion();
    void ShowLevel();
    void DelayedShow(TObject* sender);
    void MorphTimerFired(TObject* sender);
    void SelectFirstUsable();
    void ChangeSelection(int index, bool byKey);
    void DrawScrollMarkers(TCanvas* canvas);
    void RedrawScrollMarkers();
    TRect ScrollMarkerRect(int direction) const;
    bool Usable(int index) const;

    TspSkinMenu* FMenu;
    TspDataSkinPopupWindow* FPopupData = nullptr;
    TspSkinData* FSkinData = nullptr;
    TspDataSkinMenuItem* FMenuItemData = nullptr;
    TBitmap* FWindowPicture = nullptr;
    TBitmap* FMaskPicture = nullptr;
    TCustomImageList* FImages = nullptr;
    int FImageColumnWidth = 16;
    TspSkinMenuLevelLayout FLayout;
    TspSkinMenuLevelSize FSize;
    std::vector<std::unique_ptr<TspSkinMenuItem>> FItems;
    int FSelected = -1;
    int FOldSelected = -1;
    int FScrollDirection = 0;
    bool FScrollTimerOn = false;
    HRGN FRegion = nullptr;
    int FPopupX = 0;
    int FPopupY = 0;
    int FLastMouseX = -1;
    int FLastMouseY = -1;
    TTimer* FMouseTimer;
    TTimer* FMorphTimer;
    TTimer* FShowTimer;
    std::unique_ptr<TBitmap> FScreenImage;
    std::unique_ptr<TspEffectBmp> FScreenEffect;
    bool FTransparent;
    int FTransparentValue;
    bool FAlphaBlendSupport;
};
