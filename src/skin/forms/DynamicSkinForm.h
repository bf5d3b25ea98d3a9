// `TspDynamicSkinForm`: the component a form carries to get a skinned
// frame. It keeps the frame's objects, lays the skin's frame out for the
// form's size, paints it (or the plain default frame without a skin) into a
// device context, shapes the window by the skin mask, answers hit tests and
// tracking sizes, and keeps its own window states: minimized forms shrink
// to their frame in slots along the bottom of the work area, maximized
// forms cover the work area, rolled-up forms shrink to their frame.
//
// The component hooks its form's WindowProc when it is made (NewWndProc):
// the system caption goes, the non-client messages are answered with
// NCCalcSize, PaintNCSkin / PaintNCDefault, SkinHitTest / DefaultHitTest, and
// the mouse over the frame reaches the frame objects. The hook is removed
// when the component goes before its form.
//
// Skin changes: the skin data component's WM_SKINDATA_BEFORECHANGE and
// WM_SKINDATA_CHANGED (lParam SkinDataMessageTag) re-skin the form when they
// are about its own skin, and reach the form's skinned controls that use
// that skin (every skinned control when wParam is null).
//
// Menus: the system-menu button opens the system menu (the user's
// SystemMenu completed with the component's items, or the component's own)
// through the skinned menu engine. While a skinned menu is open or the form
// is in main-menu mode (Alt), the application's OnMessage is the
// component's key hook, which takes every key-down message; the previous
// handler comes back when the mode ends.
//
// Window regions: a region handed to SetWindowRgn belongs to the system
// from then on and is never deleted here (only when the call fails);
// removing the shape is SetWindowRgn(window, 0). The component keeps no
// region handle of its own.
//
// Frame modes: SupportNCArea (the default) draws the skin in the
// non-client area; without it the whole window is client area and the skin
// is its background (client-area mode).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/Components.h"
#include "classlib/core/ShortCuts.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Font.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Timer.h"
#include "skin/core/SkinFormGeometry.h"
#include "classlib/ui/WindowProcHook.h"
#include "classlib/ui/WndProc.h"
#include "skin/forms/SkinFrameObjects.h"
#include "skin/forms/MainMenuModeHost.h"
#include "skin/forms/SkinMenuHost.h"

class TspSkinData;
class TspSkinHint;
class TMainMenu;
class TPopupMenu;
class TMenuItem;
class TspSkinMenu;
class TspSkinButtonObject;
class TspSkinMainMenuItem;
class TspSkinMainMenuBar;
class TspSkinPopupMenu;
class TspTrayIcon;

// The border icons of a skinned form: the form's own three plus roll-up
// and minimize-to-tray.
using TspBorderIcons = unsigned;
enum : TspBorderIcons { biRollUp = 1u << 4, biMinimizeToTray = 1u << 5 };

class TspDynamicSkinForm;

// The hook on an MDI form's MDI client window (a subclass through the class
// library's window targets); it forwards to NewMDIClientWndProc.
class TspMDIClientHook final : public TWindowTarget {
public:
    explicit TspMDIClientHook(TspDynamicSkinForm* Owner) : FOwner(Owner) {}
    LRESULT WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void WindowDestroyed(HWND) override { FWindow = nullptr; }
    void Attach(HWND Wnd);
    // Undoes the subclass while the window lives.
    void Detach();
    HWND Window() const { return FWindow; }

private:
    TspDynamicSkinForm* FOwner;
    HWND FWindow = nullptr;
};

class TspDynamicSkinForm : public TComponent, public TspSkinMenuHost, public TspMainMenuModeHost {
public:
    // Object events, with the object's IDName first.
    using TMouseDownEvent = std::function<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect,
                                               TMouseButton Button)>;
    using TspMouseUpEvent = TMouseDownEvent;
    using TMouseMoveEvent = std::function<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect)>;
    using TMouseEnterEvent = std::function<void(const std::string& IDName)>;
    using TMouseLeaveEvent = TMouseEnterEvent;
    using TPaintEvent = std::function<void(const std::string& IDName, TCanvas* Canvas, const TRect& ObjectRect)>;
    using TSwitchChangeStateEvent = std::function<void(const std::string& IDName, TSwitchState State)>;
    using TTrackBarChangeValueEvent = std::function<void(const std::string& IDName, int Value)>;
    using TFrameRegulatorChangeValueEvent = TTrackBarChangeValueEvent;
    using TChangeClientRectEvent = std::function<void(const TRect& NewClientRect)>;

    // The owner must be a form (else EInvalidCast).
    explicit TspDynamicSkinForm(TComponent* AOwner);
    ~TspDynamicSkinForm() override;
    std::string ClassName() const override { return "TspDynamicSkinForm"; }
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Published properties.
    TspSkinData* SkinData() const { return FSkinData; }
    // Stores the skin; a usable one is applied (objects, size, shape).
    void SetSkinData(TspSkinData* Value);
    TspSkinData* MenusSkinData() const { return FMenusSkinData; }
    TspSkinData* SkinData() override { return FSkinData; }
    TspSkinData* MenusSkinData() override { return FMenusSkinData; }
    void SetMenusSkinData(TspSkinData* Value);
    TMainMenu* MainMenu() const { return FMainMenu; }
    void SetMainMenu(TMainMenu* Value);
    TPopupMenu* SystemMenu() const { return FSystemMenu; }
    void SetSystemMenu(TPopupMenu* Value);
    // The bar that takes over main-menu mode's keys.
    TspSkinMainMenuBar* MainMenuBar() const { return FMainMenuBar; }
    void SetMainMenuBar(TspSkinMainMenuBar* Value);
    // The bar the form serves with MDI buttons and main-menu keys:
    // MainMenuBar, else the last bar that linked itself to the form by its
    // DynamicSkinForm property (null when none).
    TspSkinMainMenuBar* MenuBar() const;
    // A bar's own DynamicSkinForm link (kept by free notification) and its
    // end.
    void LinkMenuBar(TspSkinMainMenuBar* Bar);
    void UnlinkMenuBar(TspSkinMainMenuBar* Bar);
    // The icon minimizing to the tray uses: hidden and not minimizing to
    // the tray when assigned; without a popup menu of its own it gets the
    // component's tray menu (Restore, Close) and a double click restores.
    TspTrayIcon* TrayIcon() const { return FTrayIcon; }
    void SetTrayIcon(TspTrayIcon* Value);
    TspBorderIcons BorderIcons() const { return FBorderIcons; }
    // Stores; remakes the default buttons without a skin and filters the
    // buttons by their icons.
    void SetBorderIcons(TspBorderIcons Value);
    TFont* DefCaptionFont() { return &FDefCaptionFont; }
    TFont* DefInActiveCaptionFont() { return &FDefInActiveCaptionFont; }
    bool SupportNCArea() const { return FSupportNCArea; }
    void SetSupportNCArea(bool Value) { FSupportNCArea = Value; }

    // Shows the frame objects' hints while ShowObjectHint is set.
    TspSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TspSkinHint* Value);
    bool ShowObjectHint = false;
    // The item height and font of skinless menus (the menu engine's).
    int DefMenuItemHeight() const;
    void SetDefMenuItemHeight(int Value);
    TFont* DefMenuItemFont();
    bool UseSkinCursors = false;
    bool UseDefaultSysMenu = true;
    // Layered windows may be used: true only where the system has
    // SetLayeredWindowAttributes (looked up, never a version test).
    bool AlphaBlendSupport() const { return FAlphaBlendSupport; }
    void SetAlphaBlendSupport(bool Value);
    // The form's transparency in percent (0 opaque), held to 0..100.
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int Value);
    // The form as a layered window with AlphaBlendValue, also after its
    // window is made again.
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    bool MenusTransparent() const { return FMenusTransparent; }
    void SetMenusTransparent(bool Value);
    int MenusTransparentValue() const { return FMenusTransparentValue; }
    void SetMenusTransparentValue(int Value);
    int MinHeight = 0;
    int MinWidth = 0;
    bool Sizeable = true;
    bool DraggAble = false;
    bool Magnetic = false;
    int MagneticSize = 10;

    TChangeClientRectEvent OnChangeClientRect;
    TNotifyEvent OnChangeSkinData, OnActivate, OnDeActivate, OnSkinMenuOpen, OnSkinMenuClose, OnChangeRollUpState,
        OnMainMenuEnter, OnMainMenuExit, OnMinimizeToTray, OnRestoreFromTray;
    TMouseDownEvent OnMouseDownEvent;
    TspMouseUpEvent OnMouseUpEvent;
    TMouseMoveEvent OnMouseMoveEvent;
    TMouseEnterEvent OnMouseEnterEvent;
    TMouseLeaveEvent OnMouseLeaveEvent;
    TPaintEvent OnPaintEvent;
    TSwitchChangeStateEvent OnSwitchChangeStateEvent;
    TTrackBarChangeValueEvent OnTrackBarChangeValueEvent;
    TFrameRegulatorChangeValueEvent OnFrameRegulatorChangeValueEvent;

    // Run-time state.
    TForm* Form;
    bool SkinSupport = false;
    std::vector<std::unique_ptr<TspActiveSkinObject>> ObjectList;
    int ActiveObject = -1, OldActiveObject = -1, CaptureObject = -1;
    int WindowState = 0;  // 0 normal, 1 minimized, 2 maximized
    bool RollUpState = false;
    bool MaxRollUp = false;
    TRect OldBoundsRect;  // empty when none
    int NewWidth = 0, NewHeight = 0;
    TSkinFrameLayout Layout;  // the frame for NewWidth x NewHeight
    TSkinMaskStrips MaskStrips;
    bool FormActive = false;
    bool InSizeMove = false, FullDragWindows = false, MouseInClient = false;
    bool Dragging = false;
    TPoint DragPoint;
    bool InSkinMenu = false, InMainMenu = false, InChangeSkinData = false;

    // The skin is usable: assigned and not empty.
    bool HasSkin() const;
    // Frame mode with a usable skin whose client rectangle is not empty.
    bool HasSkinClientRect() const;
    // Frame mode with a usable skin but no client rectangle: the default
    // frame is painted and hit-tested, matching the default margins.
    bool SkinFrame() const { return HasSkinClientRect(); }
    int GetDefCaptionHeight() const;
    int GetDefButtonSize() const;
    // The visible state of an object under the roll-up rule.
    bool ObjectVisible(const TspActiveSkinObject& Object) const;

    // Objects.
    void LoadObjects();
    void ClearObjects();
    void LoadDefaultButtons();
    void CheckBorderIcons();
    void ArrangeDefaultButtons();
    void DrawSkinObject(TspActiveSkinObject* Object);
    void StartMorphTimer();
    void StartAnimateTimer();
    // Hot-object tracking: the object at (X, Y) becomes hot.
    void TestActive(int X, int Y, bool InWindow);

    // Frame geometry and painting.
    void CalcRects();
    void CalcObjectRects();
    // WM_NCCALCSIZE: R is the proposed window rectangle, made the client's.
    void NCCalcSize(RECT& R);
    void PaintNCSkin(HDC DC);
    void PaintNCDefault(HDC DC);
    void UpdateSkinRegion(bool Parts);
    void CreateSkinRegion(bool Parts);
    void CreateRollUpRegion();
    void PaintTiledClientBG(HDC DC);
    void PaintStretchedClientBG(HDC DC);
    // The same for a W x H area (the MDI client's).
    void PaintTiledClientBG(HDC DC, int W, int H);
    void PaintStretchedClientBG(HDC DC, int W, int H);
    void EraseClientBG(HDC DC);
    void PaintClientBG(HDC DC);

    // Hit testing, sizes, moving and states.
    TPoint WindowPoint(const TPoint& ScreenPoint) const;
    int SkinHitTest(const TPoint& P);
    int DefaultHitTest(const TPoint& P) const;
    int ClientAreaHitTest(const TPoint& P);
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    void FitClientSize();
    void DoMagnetic(int& X, int& Y, int W, int H) const;
    void SetWindowState(int Value);
    void SetRollUpState(bool Value);
    void NCCaptionDblClick();
    void CaptionDblClick();
    // Applies the current skin: objects, size, shape; in client-area mode
    // also the roll-up and the area controls.
    void ChangeSkinData();

    // Client-area mode: the child controls placed on named skin areas,
    // with the area's rectangle in skin coordinates.
    struct TspAreaControl {
        TControl* Control;
        TRect AreaRect;
    };
    std::vector<TspAreaControl> AreaControlList;
    // Every child control whose AreaName names an area of the skin is
    // listed and loses its alignment.
    void LoadAreaControls();
    // Each listed control takes its area placed for the current size like
    // a frame object, in client coordinates.
    void ArrangeAreaControls();
    // Client-area mode: the children the roll-up hid, shown again when the
    // form rolls down.
    const std::vector<TControl*>& HiddenControls() const { return FHiddenControls; }

    // The replacement window procedure of the form.
    void NewWndProc(TMessage& Message);
    void ObjectsMouseDown(TMouseButton Button, int X, int Y);
    void ObjectsMouseUp(TMouseButton Button, int X, int Y);
    void ObjectsMouseMove(int X, int Y);
    void DoActivation(bool Redraw);
    // Caption objects keep their hot state; the others lose it.
    void ResetObjectsActive();
    // The skin-change walk: `Control`, then its children in index order
    // (windowed ones recursively); only controls whose skin is SkinData,
    // every one when SkinData is null.
    static void UpdateSkinControls(TspSkinData* SkinData, TControl* Control);
    static void BeforeUpdateSkinControls(TspSkinData* SkinData, TControl* Control);

    // System menu and menu modes.
    TspSkinMenu* SkinMenu() override { return FSkinMenu; }
    void SkinMenuOpen() override;
    void SkinMenuClose();
    // The menu the system-menu button opens, rebuilt for the current state.
    TPopupMenu* GetSystemMenu();
    void BuildSystemMenu();
    void CheckSystemMenu();
    // Opens the button's menu under it (only when the menu has items).
    void PopupUnder(TspSkinButtonObject* Object);
    // Opens `Menu` under `Object` (only when the menu has items).
    void PopupUnder(TspActiveSkinObject* Object, TPopupMenu* Menu, bool PopupToUp);
    void MainMenuEnter();
    void MainMenuEnterFrom(TObject* Sender) override;
    void MainMenuExit() override;
    // With a tray icon: the application minimized to it, and back.
    void MinimizeToTray();
    void RestoreFromTray();
    TspSkinPopupMenu* TrayMenu() const { return FTrayMenu; }
    // Main-menu items on the frame: one per visible item of MainMenu when
    // the skin has a "MAINMENUITEM" record, ahead of the skin's own objects.
    void LoadMainMenuItems();
    // The items made again for the current MainMenu; Redraw repaints
    // where they lie.
    void UpdateMainMenu(bool Redraw);
    std::vector<TspSkinMainMenuItem*> MainMenuItems() const;
    // Opens the item's sub-items under it, in main-menu mode.
    void PopupMainMenuItem(TspSkinMainMenuItem* Item);
    // Main-menu and skinned-menu mode end (an item's command is to run).
    void LeaveMenuModes();
    // The item that is down, else the hot one (-1: none), in MainMenuItems
    // order.
    int CurrentMainMenuItem() const;
    // Makes item `Index` hot; an open item's menu moves to it (or closes
    // when it has no sub-items).
    void HotMainMenuItem(int Index);
    // The form's OnShortCut: the main menu's shortcuts. A key message
    // offered twice in a row is taken once.
    void FormShortCut(TWMKey& Msg, bool& Handled);
    TPopupMenu* InternalSystemMenu() const { return FSysMenu; }
    // The close item of the system menus ("Ctrl+F4" in an MDI child).
    TMenuItem* MakeCloseItem(TPopupMenu* Menu);
    // The client area's offset in the window: the skin's client rectangle's
    // left-top, or the default frame's (3, caption height + 3).
    TPoint ChildFrameOffset() const;

    // MDI: the component of a form (the first TspDynamicSkinForm it owns),
    // and the main form's MDI children's components. A child counts as
    // maximized by the component's own WindowState.
    static TspDynamicSkinForm* GetDynamicSkinForm(TCustomForm* AForm);
    bool IsMDIForm() const { return Form->FormStyle() == fsMDIForm; }
    bool IsMDIChild() const { return Form->FormStyle() == fsMDIChild; }
    TspDynamicSkinForm* GetMaximizedMDIChildSkinForm() const;
    TspDynamicSkinForm* GetActiveMDIChildSkinForm() const;
    // The first maximized child's component, null when none is.
    TspDynamicSkinForm* HasMaximizedMDIChild() const;
    // The main form's MDI client area: its client area less its visible
    // aligned controls, in its client coordinates.
    static TRect GetMDIClientRect();
    // Every MDI child of the main form fits a maximized state to the MDI
    // client again (SM_MDICHILDFITCLIENT); minimized children with a
    // component take their slots again.
    void MDIRefresh();
    // The MDI client window's procedure while hooked (from the MDI form's
    // first showing): no border, the skin's client background (or
    // clAppWorkSpace without a skin), MDIRefresh after WM_SIZE.
    LRESULT NewMDIClientWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    // MDI form: a child of it is maximized (its caption shows in the
    // form's, its frame buttons on the menu bar).
    bool MDIChildMaximized = false;
    // `Caption` (the form's) as the frame shows it: for an MDI form with a
    // maximized child, "<caption> - [<child's caption>]".
    std::string FrameCaption(const std::string& Caption) const;

    // Raisers the objects call.
    void DoMouseDownEvent(const std::string& IDName, int X, int Y, const TRect& R, TMouseButton B);
    void DoMouseUpEvent(const std::string& IDName, int X, int Y, const TRect& R, TMouseButton B);
    void DoMouseMoveEvent(const std::string& IDName, int X, int Y, const TRect& R);
    void DoMouseEnterEvent(const std::string& IDName);
    void DoMouseLeaveEvent(const std::string& IDName);
    void DoPaintEvent(const std::string& IDName, TCanvas* Canvas, const TRect& R);
    void DoSwitchChangeStateEvent(const std::string& IDName, TSwitchState State);
    void DoTrackBarChangeValueEvent(const std::string& IDName, int Value);
    void DoFrameRegulatorChangeValueEvent(const std::string& IDName, int Value);

    TTimer* MorphTimer() const { return FMorphTimer; }
    TTimer* AnimateTimer() const { return FAnimateTimer; }
    TTimer* MouseTimer() const { return FMouseTimer; }

private:
    void HookForm();
    void CallSavedProc(TMessage& Message);
    void BeforeWndProc();
    void MouseAfterWndProc(const TMessage& Message);
    void SendNCPaint();
    // The caption objects that show the form's caption take `Text`.
    void CaptionTextChanged(const std::string& Text);
    // The caption objects that show the form's caption drawn again, in the
    // frame or, without the frame mode, in the client area: an MDI form's
    // caption names its maximized child's.
    void RedrawCaption();
    void KeyHook(MSG& Msg, bool& Handled);
    // The close items' shortcut: "Ctrl+F4" in an MDI child, else "Alt+F4".
    TShortCut CloseShortCut() const;
    // The tray menu's close item takes CloseShortCut: the form's style is
    // known only once its window is made.
    void UpdateTrayCloseShortCut();
    // The enabled main-menu item with `Key` as accelerator, -1 when none.
    int FindMainMenuAccel(WORD Key) const;
    // Selecting by accelerator: hot, then pressed unless a skinned menu is
    // open and it has sub-items.
    void SelectMainMenuItem(int Index);
    // The main-menu items laid along the main-menu rectangle.
    void PlaceMainMenuItems();
    void InstallKeyHook();
    void SetModeBar(TspSkinMainMenuBar* Bar);
    // Drops the free notification with `Bar` once no link of the form or
    // of the bar refers to the other.
    void ReleaseBar(TspSkinMainMenuBar* Bar);
    // The bar of main-menu mode leaves its keyboard mode.
    void LeaveBarMode();
    // Ends the key hook in any order against other forms' hooks: on top of
    // the chain it puts back the handler it saved; further down it hands that
    // handler to the hook stacked on it, so no hook leads to one that ended.
    void RemoveKeyHook();
    // The key hook as a handler: its own type tells whose hook a link is.
    struct TKeyHookHandler;
    // The component whose key hook `Handler` is, null for another handler.
    static TspDynamicSkinForm* KeyHookOwner(const std::function<void(MSG&, bool&)>& Handler);
    void MorphTimerEvent(TObject* Sender);
    void AnimateTimerEvent(TObject* Sender);
    void MouseTimerEvent(TObject* Sender);
    // Client-area mode with a skin: the form's cursor is the hot object's
    // skin cursor, else the form record's, else the default one.
    void UpdateSkinCursor();
    TSkinFormState FormState() const;
    std::vector<TRect> VisibleCaptionRects() const;
    TRect WorkArea() const;
    bool IsMainForm() const;
    // SetWindowRgn with ownership passed to the system; deleted only when
    // the call fails.
    void SetShape(HRGN Region);
    // Client-area mode: the client size follows the form picture.
    void FitClientAreaSize();
    // Client-area mode: the rolled-up shape and size for the current skin
    // (the objects moved for the width, the roll-up region).
    void ApplyClientRollUp();
    void ClearAreaControls();
    // The tray icon loses the component's menu and double click.
    void ReleaseTrayIcon();
    // Frees the main-menu item objects of `MenuItem` (every one when null);
    // whether any went.
    bool EraseMainMenuItems(const TComponent* MenuItem);

    TspSkinData* FSkinData = nullptr;
    TspSkinData* FMenusSkinData = nullptr;
    TMainMenu* FMainMenu = nullptr;
    TPopupMenu* FSystemMenu = nullptr;
    TspBorderIcons FBorderIcons;
    bool FSupportNCArea = true;
    TFont FDefCaptionFont;
    TFont FDefInActiveCaptionFont;
    TTimer* FMorphTimer;
    TTimer* FMouseTimer;
    TTimer* FAnimateTimer;
    int FSavedHeight = 0;
    std::vector<TControl*> FHiddenControls;
    // The form as a component: still whole while the form frees its
    // components, when its derived parts are gone.
    TComponent* FFormComponent = nullptr;
    TWindowProcHook FHook;
    // The form's procedure before the hook.
    std::function<void(TMessage&)> FSavedWindowProc;
    TPopupMenu* FSysMenu;
    TspSkinMenu* FSkinMenu;
    TspSkinPopupMenu* FTrayMenu;
    TspSkinHint* FSkinHint = nullptr;
    bool FAlphaBlendSupport = true;
    int FAlphaBlendValue = 0;
    bool FAlphaBlend = false;
    bool FMenusTransparent = false;
    int FMenusTransparentValue = 20;
    // WS_EX_LAYERED and the alpha on the form's window as AlphaBlend says.
    void ApplyAlphaBlend();
    TspSkinMainMenuBar* FMainMenuBar = nullptr;
    // The bars linked to the form by their own property, latest last.
    std::vector<TspSkinMainMenuBar*> FLinkedMenuBars;
    // The bar that entered main-menu mode (MainMenuEnterFrom).
    TspSkinMainMenuBar* FModeBar = nullptr;
    TspTrayIcon* FTrayIcon = nullptr;
    bool FKeyHookInstalled = false;
    TspMDIClientHook FMDIClientHook{this};
    // The form was an MDI child when its window was made: the component's
    // end still tells the main form when it was maximized.
    bool FMDIChildWindow = false;
    // MDI child: `Msg` (SM_MDICHILD*) to the main form.
    void NotifyMDIForm(UINT Msg);
    // MDI child: the minimized slot inside the MDI client.
    TPoint MDIMinimizedSlot(int W, int H) const;
    // The SM_MDICHILD* rows of NewWndProc.
    void MDIMessage(TMessage& Message);
    // While one main-menu item's menu gives way to another's: the closing
    // menu leaves the modes as they are.
    bool FSwitchingMainMenu = false;
    std::function<void(MSG&, bool&)> FSavedOnMessage;
    // The key message FormShortCut took last; cleared by the next offer.
    bool FShortCutTaken = false;
    WORD FTakenCharCode = 0;
    LPARAM FTakenKeyData = 0;
};

// Registers TspDynamicSkinForm below TComponent with its published
// properties (the skin data, menus and frame settings, border icons and
// caption fonts); the skin data and menu classes must be registered.
void RegisterDynamicSkinFormClasses(TClassRegistry& classes);
