// `TspTrayIcon`: an icon in the task bar's notification area. It reports
// the mouse on the icon as events (a click one double-click time after the
// press unless a double click came), shows a popup menu at the cursor,
// cycles through the images of an image list, minimizes the application
// to the icon and restores it, and puts a visible icon back when the task
// bar is re-created ("TaskbarCreated").
//
// The shell talks to the component through a hidden window of its own
// (WM_TRAYICONNOTIFY, lParam the mouse message). The component hooks the
// application window (minimize to tray, task-bar restarts) and its owner
// form's WindowProc (activation and showing); both hooks come off when it
// goes, in whatever order other hooks come and go.
//
// ShowIcon, HideIcon and ModifyIcon answer whether the shell accepted the
// call; IconVisible is set or cleared before the call and keeps that value
// when the shell refuses.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/Components.h"
#include "classlib/graphics/Icon.h"
#include "classlib/ui/Controls.h"
#include "classlib/ui/Timer.h"
#include "classlib/ui/WindowProcHook.h"
#include "skin/core/TrayIconLogic.h"

class TCustomImageList;
class TPopupMenu;

// The shell's callback message to the hidden window.
constexpr UINT WM_TRAYICONNOTIFY = 0x800;

class TspTrayIcon : public TComponent {
public:
    using TCycleEvent = std::function<void(TObject* sender, int NextIndex)>;

    explicit TspTrayIcon(TComponent* AOwner);
    // Hides the icon and takes both hooks off.
    ~TspTrayIcon() override;
    std::string ClassName() const override { return "TspTrayIcon"; }
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TIcon* Icon() { return &FIcon; }
    // Copies the icon and passes it to the shell.
    void SetIcon(TIcon* Value);
    bool IconVisible() const { return FIconVisible; }
    void SetIconVisible(bool Value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    // Mouse messages are reported only while set.
    bool Enabled = true;
    TCustomImageList* IconList() const { return FIconList; }
    // Resets IconIndex to 0.
    void SetIconList(TCustomImageList* Value);
    int IconIndex() const { return FIconIndex; }
    // With images: held to 0..count - 1 and that image shown; without
    // images (or without a list) the index is 0 and the icon stays.
    void SetIconIndex(int Value);
    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    int AnimateTimerInterval() const { return FAnimateTimerInterval; }
    void SetAnimateTimerInterval(int Value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    bool PopupByLeftButton = false;
    bool MinimizedOnStart = false;
    bool MinimizeToTray = false;
    // Design-time preview; stored only.
    bool DesignPreview = false;

    TNotifyEvent OnClick, OnDblClick;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;

    // Answers whether the application's icon is taken when Icon is empty
    // after creation.
    virtual bool LoadDefaultIcon() { return true; }
    virtual bool ShowIcon();
    virtual bool HideIcon();
    virtual bool ModifyIcon();

    // Shows PopupMenu (with AutoPopup) at the cursor.
    void PopupAtCursor();
    // Hides the main form and the application's task-bar window and shows
    // the icon.
    virtual void DoMinimizeToTray();
    // Shows the application window and the main form again; a minimized
    // main form becomes normal.
    void RestoreFromTray();

    // The hidden window the shell reports to.
    HWND Handle() const { return FHandle; }
    TTimer* TrayClickTimer() const { return FTrayClickTimer; }
    TTimer* TrayCycleTimer() const { return FTrayCycleTimer; }
    // The notify data handed to the shell (the version-2 layout).
    const NOTIFYICONDATAA& NotifyData();

protected:
    virtual void Click() { Fire(OnClick, this); }
    virtual void DblClick() { Fire(OnDblClick, this); }
    virtual void Cycle(int NextIndex);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);

private:
    bool Notify(DWORD message);
    void FillNotifyData();
    void WndProc(TMessage& Message);
    void TrayNotify(UINT mouseMessage);
    bool ApplicationHook(TMessage& Message);
    bool OwnerHook(TMessage& Message);
    void ClickTimerEvent(TObject* Sender);
    void CycleTimerEvent(TObject* Sender);
    TWinControl* OwnerControl() const;

    TIcon FIcon;
    bool FIconVisible = false;
    std::string FHint;
    bool FShowHint = true;
    TCustomImageList* FIconList = nullptr;
    int FIconIndex = 0;
    bool FCycleIcons = false;
    int FAnimateTimerInterval = 0;
    TPopupMenu* FPopupMenu = nullptr;
    NOTIFYICONDATAA FNotifyData{};
    HWND FHandle = nullptr;
    TTimer* FTrayCycleTimer;
    TTimer* FTrayClickTimer;
    TTrayClickMachine FClicks;
    bool FFirstPosChange = true;
    UINT FTaskbarCreated;
    int FApplicationHook = 0;
    TWindowProcHook FOwnerHook;
};

// Registers TspTrayIcon below TComponent with its published properties and
// events; the class library's menus and image lists must be registered.
void RegisterTrayIconClasses(TClassRegistry& classes);
