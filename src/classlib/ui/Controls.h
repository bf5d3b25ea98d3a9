// Controls: the visual components of a form.
//
//  - `TControl`: position, size, alignment and anchors inside its parent,
//    caption, colour and font (taken from the parent while ParentColor /
//    ParentFont), visibility, mouse and click handling, and one message path:
//    every message goes through `WindowProc` (a replaceable function whose
//    default is the virtual `WndProc`); each class's WndProc answers its own
//    messages and hands the rest to its parent class's, which ends in
//    `DefaultHandler`. `Perform` sends a message down the same path.
//  - `TWinControl`: a control with its own window, created on demand
//    (`Handle`) from `CreateParams`. It may subclass a Win32 control class
//    (`CreateSubClass`). It lays out its children (Align, Anchors), paints
//    its windowless children, routes mouse messages to them, and reflects
//    the notifications a Win32 control sends its parent (WM_COMMAND,
//    WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM, WM_HSCROLL,
//    WM_VSCROLL) back to the child's object as CN_* messages, so that every
//    control handles its own notifications.
//  - `TGraphicControl`: windowless, painted on its parent's window during the
//    parent's WM_PAINT; mouse messages reach it through the parent.
//  - `TCustomControl`: a window painted by its virtual `Paint` on `Canvas`.
//
// No exception leaves a window procedure: what a handler throws goes to
// Application->HandleException and the message gets the result 0.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/Exceptions.h"
#include "classlib/graphics/Canvas.h"
#include "classlib/graphics/Colors.h"
#include "classlib/graphics/Font.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Messages.h"
#include "classlib/ui/WndProc.h"

// An operation the object cannot do in its state ("Control 'X' has no parent
// window", "Cannot make a visible window modal").
class EInvalidOperation : public Exception {
public:
    explicit EInvalidOperation(std::string message) : Exception(std::move(message)) {}
};

// Messages between controls (in the application range below 0xC000).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_FONTCHANGED = CM_BASE + 1;
constexpr UINT CM_COLORCHANGED = CM_BASE + 2;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 3;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 4;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 5;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 6;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 7;
constexpr UINT CM_MOUSEENTER = CM_BASE + 8;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 9;
constexpr UINT CM_RELEASE = CM_BASE + 10;
// Keys and characters a dialog handles (wParam = the key or character),
// offered to a form's controls until one answers non-zero.
constexpr UINT CM_DIALOGKEY = CM_BASE + 11;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 12;
// The form's focused control changed (lParam = the control), to every
// control of the form.
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 13;
// Asked of the focused control before a dialog key is offered: non-zero
// keeps the key (wParam) for the control itself.
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 14;
// Sent to a windowed control after a child joined (LParam 1) or left (0)
// its list; WParam is the child.
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 15;
// Sent by the form to a windowed control the focus moved into from outside
// it (the focused control or one of its parents), and to one it left.
constexpr UINT CM_ENTER = CM_BASE + 16;
constexpr UINT CM_EXIT = CM_BASE + 17;

// A notification reflected to the control it concerns: CN_BASE + the
// message the parent received (CN_COMMAND, CN_NOTIFY, CN_CTLCOLORBTN ...).
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Which edges of the parent's client area a control keeps its distance to.
using TAnchors = unsigned;
enum : TAnchors { akLeft = 1u << 0, akTop = 1u << 1, akRight = 1u << 2, akBottom = 1u << 3 };

using TControlStyle = unsigned;
enum : TControlStyle {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,  // the mouse is captured while a button is down
    csClickEvents = 1u << 2,   // a left press and release inside the control is a Click
    csOpaque = 1u << 3,        // paints its whole area: the parent does not erase under it
    csDoubleClicks = 1u << 4,  // double clicks arrive as such (else as a second press)
    csSetCaption = 1u << 5,    // the caption follows the name (see SetName)
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// A cursor index: crDefault (0) means "the parent's / the class's cursor";
// the negative indexes are the system cursors (see TScreen::Cursors).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
// Over a drop target that accepts (the source's default DragCursor), and
// over one that does not.
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;

// The answer of a modal form; the button values match the IDOK ... results
// of message boxes.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
// The mouse wheel: wheelDelta is WM_MOUSEWHEEL's (WHEEL_DELTA, 120, per
// notch; positive away from the user), mousePos the cursor in screen
// coordinates. A handler that takes the wheel sets handled.
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* sender, TShiftState shift, TPoint mousePos, bool& handled)>;

// Dragging: dmAutomatic starts a drag on a left press; with dkDock the
// drag docks the control (see docking below).
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// Target events: x and y are in the target's client coordinates.
using TDragOverEvent =
    std::function<void(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
// Fired on the source; target is null when the drag ended without a drop.
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int x, int y)>;
using TStartDragEvent = TNotifyEvent;

// Docking (ControlDock.h): a dkDock control's drag moves it into the dock
// site under the cursor (a windowed control with DockSite on) or, released
// elsewhere, into a floating tool window. Site events get the drag's
// TDragDockObject; x and y are in the site's client coordinates.
class TControl;
class TWinControl;
class TDragDockObject;
using TStartDockEvent = TNotifyEvent;
// Fired on the control; target is the site it docked into, null when it
// floated or stayed where it was (x and y are then 0).
using TEndDockEvent = TEndDragEvent;
using TDockOverEvent =
    std::function<void(TObject* sender, TDragDockObject* source, int x, int y, TDragState state, bool& accept)>;
using TDockDropEvent = std::function<void(TObject* sender, TDragDockObject* source, int x, int y)>;
// influenceRect (screen coordinates) is where the site takes the client,
// the site's window by default; canDock false refuses it.
using TGetSiteInfoEvent = std::function<void(TObject* sender, TControl* dockClient, RECT& influenceRect,
                                             POINT mousePos, bool& canDock)>;
// newTarget is the site the client moves to, null when it floats.
using TUnDockEvent =
    std::function<void(TObject* sender, TControl* client, TWinControl* newTarget, bool& allow)>;

class TWinControl;
class TPopupMenu;
class TCustomAction;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    // Leaves the parent (which lays out its other children again).
    ~TControl() override;

    std::string ClassName() const override { return "TControl"; }

    // With csSetCaption a control that is not being read takes its new name
    // as its caption while its caption is empty or came from its old name:
    // a control made in code shows its name until given a caption of its
    // own; a caption set or read from a description stays.
    void SetName(const std::string& newName) override;

    TWinControl* Parent() const { return FParent; }
    // Moves the control to another parent's list (last in index order); the
    // parent's colour and font are taken while ParentColor / ParentFont.
    virtual void SetParent(TWinControl* parent);

    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int left) { SetBounds(left, FTop, FWidth, FHeight); }
    void SetTop(int top) { SetBounds(FLeft, top, FWidth, FHeight); }
    void SetWidth(int width) { SetBounds(FLeft, FTop, width, FHeight); }
    void SetHeight(int height) { SetBounds(FLeft, FTop, FWidth, height); }
    // Position in the parent's client area and outer size. A change of
    // size fires Resize (OnResize); an aligned control's change makes the
    // parent lay out its children again.
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBoundsRect(const RECT& rect);

    // The client area in the control's own coordinates.
    virtual RECT ClientRect();
    int ClientWidth();
    int ClientHeight();
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    // The screen position of the client area's top-left corner.
    virtual POINT ClientOrigin();
    POINT ClientToScreen(POINT point);
    POINT ScreenToClient(POINT point);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors anchors);

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    // A windowed control reads its window's text (the user may have edited it).
    virtual std::string Text() const { return FText; }
    void SetText(const std::string& text);

    TColor Color() const { return FColor; }
    // Clears ParentColor.
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool parentColor);
    // Changing the font (any property) clears ParentFont.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* font) { FFont->Assign(font); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool parentFont);

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor) { FCursor = cursor; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint) { FHint = hint; }
    // The application shows Hint after its HintPause while the mouse rests
    // on a control whose ShowHint is on. While ParentShowHint (the default)
    // ShowHint is the parent's; setting ShowHint clears ParentShowHint.
    bool ShowHint() const;
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool parentShowHint) { FParentShowHint = parentShowHint; }

    // The linked action gives the control its caption, enabled state, hint
    // and visibility, now and whenever they change; a click executes the
    // action when OnClick is not assigned.
    TCustomAction* Action() const { return FAction; }
    void SetAction(TCustomAction* action);
    // Shown at the cursor, with PopupComponent = this control, on a right
    // click (WM_CONTEXTMENU) when its AutoPopup is on.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu);

    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode mode) { FDragMode = mode; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind kind) { FDragKind = kind; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor cursor) { FDragCursor = cursor; }
    // Starts dragging this control (OnStartDrag): the mouse is captured;
    // moves ask the control under the cursor (OnDragOver) whether it accepts,
    // and the cursor shows DragCursor or crNoDrop; the left button's release
    // drops on an accepting target (OnDragDrop) and ends the drag
    // (OnEndDrag). Without `immediate` the drag begins only once the mouse
    // has moved `threshold` pixels (5 when negative); a release before that
    // ends it without a drop.
    void BeginDrag(bool immediate, int threshold = -1);
    // Ends the drag of this control, dropping on the current target when
    // `drop` and the target accepts. A target's handler may free this
    // control: the drag then ends there, with no OnEndDrag; a target that
    // frees itself is told to OnEndDrag as none.
    void EndDrag(bool drop);
    bool Dragging() const;

    // Docking. HostDockSite is the dock site the control is in (its parent
    // when that has DockSite on, a floating tool window included), else
    // null; Floating says it is in a floating tool window. ManualDock moves
    // it into `site` with `align` (OnUnDock of the old host may refuse: then
    // false and nothing moves), then fires the site's OnDockDrop. ManualFloat
    // moves it into a floating tool window whose client area is
    // `screenRect` (a control floating alone moves its window instead);
    // false when the old host refused. ManualDock with a null site floats
    // the control where it is.
    TWinControl* HostDockSite() const;
    bool Floating() const;
    bool ManualDock(TWinControl* site, TAlign align = alNone);
    bool ManualFloat(const RECT& screenRect);

    void Notification(TComponent* aComponent, TOperation operation) override;

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle style) { FControlStyle = style; }

    // Sends a message through WindowProc and returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);

    virtual void Invalidate();
    // Paints the invalid parts now.
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }

    // Every message of the control passes here; replace it to see or take
    // messages first, and call the previous value for the rest.
    std::function<void(TMessage&)> WindowProc;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    // WM_MOUSEWHEEL (sent to the focused window): OnMouseWheel first; when
    // it leaves the wheel unhandled, OnMouseWheelDown or OnMouseWheelUp once
    // per whole notch turned (part notches add up across messages). A wheel
    // no handler takes goes on to the default processing (the parent window).
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnResize;
    TStartDragEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TStartDockEvent OnStartDock;
    TEndDockEvent OnEndDock;

    // The control the mouse is over, as CM_MOUSEENTER/CM_MOUSELEAVE told it.
    static TControl* MouseControl() { return FMouseControl; }

protected:
    virtual void WndProc(TMessage& message);
    // Messages nobody answered: nothing for a windowless control, the
    // window's own processing for a windowed one.
    virtual void DefaultHandler(TMessage& message);

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // True when the wheel was handled.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    virtual void Resize();
    // The linked action changed (or was just linked); with `checkDefaults`
    // (a link made while loading) only properties still at their defaults
    // take the action's values.
    virtual void ActionChange(TCustomAction* sender, bool checkDefaults);
    // As a drop target: accept defaults to whether OnDragOver is assigned.
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);
    // The size a control would have for the given client size.
    virtual void SetClientSize(int width, int height);

    bool MouseCapture() const;
    void SetMouseCapture(bool capture);
    static TShiftState KeysToShiftState(WPARAM keys);

private:
    friend class TWinControl;
    friend class TCustomAction;
    friend class TDragDockObject;

    void HandleMouse(TMessage& message);
    void ContextPopup(TMessage& message);
    // A message of the drag this control is the source of; true when taken.
    bool DragMessage(TMessage& message);
    // A control being freed leaves the drag, as its source or its target,
    // without events.
    static void ForgetDragControl(TControl* control);
    void FontChanged();
    // Records new bounds (no window move, no layout, no event); true when
    // the size changed.
    bool PlaceBy(const RECT& bounds);

    TWinControl* FParent = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors = akLeft | akTop;
    std::string FText;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FTakingParentFont = false;
    TCursor FCursor = crDefault;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCustomAction* FAction = nullptr;
    TPopupMenu* FPopupMenu = nullptr;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
    bool FClicked = false;
    int FWheelAccumulator = 0;  // the part of a notch not yet reported
    bool FTextFromName = false;  // the caption was set by SetName

    static TControl* FMouseControl;
    static TControl* FCaptureControl;

    // The width and height the control keeps across a dock edge and when it
    // floats: its own while no alignment stretches them, else the ones it
    // had before (-1: none yet).
    int FDockWidth = -1;
    int FDockHeight = -1;
};

// What a windowed control's window is created from. A Win32 control class
// (BUTTON, COMBOBOX ...) is used through `TWinControl::CreateSubClass`;
// otherwise WinClassName is registered with WindowClass's style, cursor and
// icon and the class library's window procedure.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    WNDCLASSA WindowClass{};
    std::string WinClassName;
    bool SubClass = false;  // WinClassName is a Win32 control class to subclass
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    // Frees its child controls, then the window.
    ~TWinControl() override;

    std::string ClassName() const override { return "TWinControl"; }

    // The window, created on first use (with the parent's window first).
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window (the children's with it); the next use of Handle
    // creates a new one with the same text.
    void DestroyHandle();
    // Makes the window again, e.g. after a style change.
    void RecreateWnd();
    // Makes the window ask for its non-client area again (WM_NCCALCSIZE)
    // and repaint its frame. A control attaches to a window of a Win32 class
    // only once CreateWindowExA has returned, so a control that answers
    // WM_NCCALCSIZE itself calls this when its window exists.
    void FrameChanged();

    // A window of another program or library to live in when the control has
    // no Parent; the control becomes its child.
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND parentWindow);

    // Child controls in index order (windowed and windowless).
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const;
    // The visible, enabled windowless child at `point` (client coordinates),
    // topmost first; null when there is none.
    TControl* ControlAtPos(POINT point) const;

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);
    // -1 (unset) places the control by its position among the windowed
    // children.
    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int tabOrder);
    // The windowed children by TabOrder, each followed by its own list: the
    // order the Tab key walks.
    std::vector<TWinControl*> TabOrderList() const;
    // The control after (or before) `current` in TabOrderList, wrapping,
    // that can take the focus; with checkTabStop only tab stops, with
    // checkParent only direct children. Null when there is none.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;

    std::string Text() const override;
    RECT ClientRect() override;
    POINT ClientOrigin() override;
    void SetBounds(int left, int top, int width, int height) override;
    void Invalidate() override;
    void Update() override;

    bool Focused() const;
    void SetFocus();
    // Whether the control could take the focus: it and every parent up to
    // the top are visible and enabled.
    bool CanFocus() const;

    // Stops and resumes the layout of the children; the last EnableAlign
    // lays them out.
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    // Lays out the children: anchored ones follow the change of the client
    // size, then alTop, alBottom, alLeft, alRight and alClient ones take
    // their strips of what is left (AdjustClientRect of the client area).
    virtual void Realign();
    // The part of the client area the children are laid out in: by default
    // the client area inset by BorderWidth.
    virtual void AdjustClientRect(RECT& rect);

    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int width);
    // Whether dkDock controls dragged over the control dock into it.
    bool DockSite = false;

    // The brush of the control's Color, for WM_CTLCOLOR* answers.
    HBRUSH Brush();

    // The control whose window `wnd` is; null for other windows.
    static TWinControl* FindControl(HWND wnd);

    // Paints the window's own content on `dc` (the default processing with
    // the DC in wParam); the windowless children are painted after it.
    // Public so that a transparent control can have its parent paint itself
    // on the control's DC.
    virtual void PaintWindow(HDC dc);

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    // The focus moved into the control (it or a child of it) from outside
    // it, or left it; each fires once per move, after the focus moved.
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // As a dock site (ControlDock.cpp).
    TGetSiteInfoEvent OnGetSiteInfo;
    TDockOverEvent OnDockOver;
    TDockDropEvent OnDockDrop;
    TUnDockEvent OnUnDock;

protected:
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // As a dock site: OnGetSiteInfo with the defaults given; OnDockOver
    // with accept true; OnDockDrop once the client is in; OnUnDock with
    // allow true, whose answer DoUnDock returns.
    virtual void GetSiteInfo(TControl* client, RECT& influenceRect, POINT mousePos, bool& canDock);
    virtual void DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DockDrop(TDragDockObject* source, int x, int y);
    virtual bool DoUnDock(TWinControl* newTarget, TControl* client);

    virtual void CreateParams(TCreateParams& params);
    // Makes the window from CreateParams.
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void DestroyWnd();
    // Fills `params` to subclass the Win32 control class `className`.
    static void CreateSubClass(TCreateParams& params, const char* className);

    // WM_PAINT for windows that paint themselves or have windowless children.
    void PaintHandler(TMessage& message);
    void PaintControls(HDC dc);

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void KeyUp(WORD& key, TShiftState shift);

    void SetClientSize(int width, int height) override;
    // Shows or hides the window to match Visible.
    virtual void UpdateShowing();
    // A child changed its own width or height (after its Resize); nothing by
    // default.
    virtual void ControlResized(TControl* /*control*/) {}
    // Whether the window paints itself (WM_PAINT through PaintHandler even
    // without windowless children).
    bool FCustomPaint = false;

private:
    friend class TControl;
    friend class TDragDockObject;
    class TTarget;

    void MainWndProc(TMessage& message);
    bool ReflectNotification(TMessage& message);
    bool RouteMouseToControl(TMessage& message);
    void TrackMouse(TControl* control);
    bool UpdateBoundsFromWindow();
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void NotifyControls(UINT msg);
    TWinControl* ChildById(int id) const;

    std::unique_ptr<TTarget> FTarget;
    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    std::vector<TControl*> FControls;
    bool FTabStop = false;
    int FTabOrder = -1;
    int FAlignLevel = 0;
    bool FAligning = false;
    int FBorderWidth = 0;
    SIZE FLayoutSize{-1, -1};  // the client size the anchored children were placed for
    int FCtlId = 0;  // the child-window identifier, for WM_MEASUREITEM
    bool FSubClassed = false;
    TGdiObject FBrush;
    TColor FBrushColor = 0;
};

// A windowless control; Paint draws it on Canvas, which is the parent's
// window clipped to the control during the parent's WM_PAINT.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    std::string ClassName() const override { return "TGraphicControl"; }
    TCanvas* Canvas() { return &FCanvas; }

protected:
    void WndProc(TMessage& message) override;
    virtual void Paint() {}

private:
    TCanvas FCanvas;
};

// Gives a canvas a DC for one paint with a control's font and text colour
// selected, and takes all of it back afterwards.
class TPaintCanvasScope {
public:
    TPaintCanvasScope(TCanvas* canvas, HDC dc, TFont* font)
        : FCanvas(canvas), FFont(dc, font->Handle()), FDC(dc), FTextColor(SetTextColor(dc, ColorToRGB(font->Color())))
    {
        FCanvas->Font()->Assign(font);
        FCanvas->SetHandle(dc);
    }
    ~TPaintCanvasScope()
    {
        FCanvas->SetHandle(nullptr);
        SetTextColor(FDC, FTextColor);
    }
    TPaintCanvasScope(const TPaintCanvasScope&) = delete;
    TPaintCanvasScope& operator=(const TPaintCanvasScope&) = delete;

private:
    TCanvas* FCanvas;
    TSelection FFont;
    HDC FDC;
    COLORREF FTextColor;
};

// A windowed control of its own window class painted by Paint on Canvas
// (the window's DC while it paints, with the control's font selected).
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    std::string ClassName() const override { return "TCustomControl"; }
    TCanvas* Canvas() { return &FCanvas; }

protected:
    void PaintWindow(HDC dc) override;
    virtual void Paint() {}

private:
    TCanvas FCanvas;
};
