// The skinned menu engine: opens the children of a menu item as a chain of
// top-level popup windows (levels) that never take the activation. Level 0
// is the menu opened; each further level is a submenu of the one before.
//
// Closing is never done under a level's feet: a closed level is hidden at
// once, its timers stop and it leaves Levels, but it is freed later, from a
// message posted to the engine's own window, so a level may close itself
// (and every other level) from inside its own mouse and key handling. A
// chosen item is clicked by its command number after every level has
// closed, through the menu that owns it: an item freed on the way is simply
// not found.
//
// When level 0 closes, the control that opened the menu hears
// SM_CLOSESKINMENU and is forgotten; when a command is chosen or the form
// closes the menu (CloseMenu), the form hears it after that.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/Types.h"
#include "classlib/graphics/Font.h"
#include "classlib/ui/Controls.h"
#include "classlib/ui/Menus.h"
#include "classlib/ui/Timer.h"

class TspSkinData;
class TspSkinPopupWindow;
class TspSkinMenuItem;

// Sent (wParam 0, lParam 0) when a skinned menu has closed.
constexpr UINT SM_CLOSESKINMENU = 0x4CC;

// Between an MDI frame's skinned form, its children's and its menu bar
// (wParam 0, lParam 0): fit a maximized child to the MDI client again; a
// child has been maximized; a child has been restored from maximized.
constexpr UINT SM_MDICHILDFITCLIENT = 0x4CE;
constexpr UINT SM_MDICHILDMAXIMIZED = 0x4CF;
constexpr UINT SM_MDICHILDRESTORED = 0x4D0;

class TspSkinMenu : public TComponent {
public:
    TspSkinMenu(TComponent* owner, TWinControl* form);
    // Closes every level and frees them.
    ~TspSkinMenu() override;

    std::string ClassName() const override { return "TspSkinMenu"; }

    // Height of a default-drawn item.
    int ItemHeight = 20;
    // Font of default-drawn items ("Arial", height 14); measured and drawn
    // with the same font.
    TFont* DefaultFont() { return &FDefaultFont; }
    TControl* PopupControl() const { return FPopupControl; }
    TWinControl* Form() const { return FForm; }
    // 500 ms, one shot: opens PendingItem's submenu.
    TTimer* SubMenuTimer() { return FSubMenuTimer; }
    TspSkinMenuItem* PendingItem = nullptr;
    // The work area, taken at each opening.
    TRect WorkArea;
    bool Active() const { return FActive; }
    TspSkinData* SkinData() const { return FSkinData; }
    // The open levels, level 0 first.
    const std::vector<TspSkinPopupWindow*>& Levels() const { return FLevels; }
    bool Transparent = false;
    int TransparentValue() const { return FTransparentValue; }
    // Held to 1..100.
    void SetTransparentValue(int value);
    bool AlphaBlendSupport = false;

    // Opens the children of `item` from child `startIndex` on, beside `r`
    // (screen coordinates; a point is an empty rectangle), closing what was
    // open first (its opener is told). An item without children opens
    // nothing and leaves the engine inactive; the answer says whether a
    // level opened.
    bool Popup(TControl* popupControl, TspSkinData* skinData, int startIndex, const TRect& r, TMenuItem* item,
               bool popupUp);
    // Creates, appends and shows one level.
    void AddPopupWindow(const TRect& r, TMenuItem* item, int startIndex, bool isSubMenu, bool popupUp);
    // Closes the levels from the deepest up to `level` included. At 0 the
    // menu ends: the submenu timer stops, the engine is inactive, and the
    // opener (when one is set) hears SM_CLOSESKINMENU and is forgotten - also
    // when no level was open.
    void CloseToLevel(int level);
    // Closes every level, then tells the form.
    void CloseMenu();
    // The index of `window` in Levels; the count of levels when absent.
    int LevelOf(const TspSkinPopupWindow* window) const;
    // What entering (AClick false) or choosing (AClick true) an item does:
    // an item without children closes the deeper levels, or is chosen; an
    // item with children opens its submenu at once when clicked, after
    // 500 ms when the mouse rests on it, never by key alone.
    void CheckItem(TspSkinPopupWindow* window, TspSkinMenuItem* item, bool byKey, bool click);
    // The deepest open level; null when none is open.
    TspSkinPopupWindow* DeepestLevel() const { return FLevels.empty() ? nullptr : FLevels.back(); }

    void Notification(TComponent* aComponent, TOperation operation) override;

private:
    // Hides `window` at once, stops its timers, takes it out of Levels and
    // frees it from the next message of the engine's window.
    void ReleaseLevel(TspSkinPopupWindow* window);
    void FreeReleasedLevels();
    void SubMenuTimerFired(TObject* sender);
    void SetPopupControl(TControl* control);
    void SetSkinData(TspSkinData* skinData);

    TFont FDefaultFont;
    TControl* FPopupControl = nullptr;
    TWinControl* FForm;
    TTimer* FSubMenuTimer;
    bool FActive = false;
    TspSkinData* FSkinData = nullptr;
    std::vector<TspSkinPopupWindow*> FLevels;
    std::vector<TspSkinPopupWindow*> FReleased;
    int FTransparentValue = 20;
    // The menu whose command is being chosen; cleared if it is freed on the way.
    TMenu* FChoosingMenu = nullptr;
    HWND FWindow = nullptr;
};
