#include <windowsx.h>

#include "classlib/ui/ActnList.h"
#include "classlib/ui/Controls.h"
#include "classlib/ui/Menus.h"

TControl* TControl::FMouseControl = nullptr;
TControl* TControl::FCaptureControl = nullptr;

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>())
{
    WindowProc = [this](TMessage& message) { WndProc(message); };
    FFont->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    ForgetDragControl(this);
    SetAction(nullptr);
    if (FMouseControl == this)
        FMouseControl = nullptr;
    if (FCaptureControl == this)
        FCaptureControl = nullptr;
    if (FParent != nullptr)
        FParent->RemoveControl(this);
}

void TControl::SetName(const std::string& newName)
{
    const auto* ownerControl = dynamic_cast<TControl*>(Owner());
    const bool captionFollows = (FControlStyle & csSetCaption) != 0 && (ComponentState() & csLoading) == 0 &&
                                (ownerControl == nullptr || (ownerControl->ComponentState() & csLoading) == 0) &&
                                Name() == Text() && (FText.empty() || FTextFromName);
    TComponent::SetName(newName);
    if (captionFollows) {
        SetText(newName);
        FTextFromName = true;
    }
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == FParent)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent != nullptr)
        FParent->RemoveControl(this);
    if (parent != nullptr) {
        parent->InsertControl(this);
        if (FParentFont)
            Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (FParentColor)
            Perform(CM_PARENTCOLORCHANGED, 0, 0);
    }
}

void TControl::SetVisible(bool visible)
{
    if (visible == FVisible)
        return;
    FVisible = visible;
    Perform(CM_VISIBLECHANGED, visible, 0);
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (PlaceBy(RECT{left, top, left + width, top + height})) {
        Resize();
        if (FParent != nullptr)
            FParent->ControlResized(this);
    }
    if (FParent != nullptr && FAlign != alNone && !FParent->FAligning)
        FParent->Realign();
}

bool TControl::PlaceBy(const RECT& bounds)
{
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (bounds.left == FLeft && bounds.top == FTop && width == FWidth && height == FHeight)
        return false;
    const bool resized = width != FWidth || height != FHeight;
    Invalidate();
    FLeft = bounds.left;
    FTop = bounds.top;
    FWidth = width;
    FHeight = height;
    Invalidate();
    return resized;
}

void TControl::SetBoundsRect(const RECT& rect)
{
    SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

RECT TControl::ClientRect()
{
    return RECT{0, 0, FWidth, FHeight};
}

int TControl::ClientWidth()
{
    return ClientRect().right;
}

int TControl::ClientHeight()
{
    return ClientRect().bottom;
}

void TControl::SetClientWidth(int width)
{
    SetClientSize(width, ClientHeight());
}

void TControl::SetClientHeight(int height)
{
    SetClientSize(ClientWidth(), height);
}

void TControl::SetClientSize(int width, int height)
{
    SetBounds(FLeft, FTop, width, height);
}

POINT TControl::ClientOrigin()
{
    if (FParent == nullptr)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    POINT origin = FParent->ClientOrigin();
    origin.x += FLeft;
    origin.y += FTop;
    return origin;
}

POINT TControl::ClientToScreen(POINT point)
{
    const POINT origin = ClientOrigin();
    return POINT{point.x + origin.x, point.y + origin.y};
}

POINT TControl::ScreenToClient(POINT point)
{
    const POINT origin = ClientOrigin();
    return POINT{point.x - origin.x, point.y - origin.y};
}

void TControl::SetAlign(TAlign align)
{
    if (align == FAlign)
        return;
    FAlign = align;
    if (FParent != nullptr)
        FParent->Realign();
}

void TControl::SetAnchors(TAnchors anchors)
{
    FAnchors = anchors;
}

void TControl::SetText(const std::string& text)
{
    FTextFromName = false;
    if (text == Text())
        return;
    FText = text;
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetColor(TColor color)
{
    FParentColor = false;
    if (color == FColor)
        return;
    FColor = color;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool parentColor)
{
    FParentColor = parentColor;
    if (parentColor && FParent != nullptr)
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetParentFont(bool parentFont)
{
    FParentFont = parentFont;
    if (parentFont && FParent != nullptr)
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::FontChanged()
{
    if (!FTakingParentFont)
        FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    WindowProc(message);
    return message.Result;
}

void TControl::Invalidate()
{
    if (FParent == nullptr || !FParent->HandleAllocated() || !FVisible)
        return;
    const RECT bounds = BoundsRect();
    InvalidateRect(FParent->FHandle, &bounds, (FControlStyle & csOpaque) == 0);
}

void TControl::Update()
{
    if (FParent != nullptr)
        FParent->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Click()
{
    if (!OnClick && FAction != nullptr)
        FAction->Execute();
    else
        Fire(OnClick, this);
}

bool TControl::ShowHint() const
{
    return FParentShowHint && FParent != nullptr ? FParent->ShowHint() : FShowHint;
}

void TControl::SetShowHint(bool showHint)
{
    FShowHint = showHint;
    FParentShowHint = false;
}

void TControl::SetAction(TCustomAction* action)
{
    if (action == FAction)
        return;
    if (FAction != nullptr)
        FAction->UnlinkClient(this);
    ReplaceLink(FAction, action);
    if (action != nullptr) {
        action->LinkClient(this);
        ActionChange(action, (ComponentState() & csLoading) != 0);
    }
}

void TControl::ActionChange(TCustomAction* sender, bool checkDefaults)
{
    if (!checkDefaults || Caption().empty() || Caption() == Name())
        SetCaption(sender->Caption());
    if (!checkDefaults || FEnabled)
        SetEnabled(sender->Enabled());
    if (!checkDefaults || FHint.empty())
        SetHint(sender->Hint());
    if (!checkDefaults || FVisible)
        SetVisible(sender->Visible());
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    ReplaceLink(FPopupMenu, menu);
}

void TControl::Notification(TComponent* aComponent, TOperation operation)
{
    TComponent::Notification(aComponent, operation);
    if (operation != opRemove)
        return;
    if (aComponent == FAction)
        FAction = nullptr;
    if (aComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

// A right click on a windowless child is that child's first; otherwise the
// control's own popup menu shows, and without one the window's default
// processing passes the message on to the parent window.
void TControl::ContextPopup(TMessage& message)
{
    POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (auto* windowed = dynamic_cast<TWinControl*>(this); windowed != nullptr && at.x != -1) {
        if (TControl* child = windowed->ControlAtPos(ScreenToClient(at)))
            message.Result = child->Perform(WM_CONTEXTMENU, message.WParam, message.LParam);
        if (message.Result != 0)
            return;
    }
    if (FPopupMenu != nullptr && FPopupMenu->AutoPopup) {
        if (at.x == -1 && at.y == -1)  // from the keyboard: the control's middle
            at = ClientToScreen(POINT{FWidth / 2, FHeight / 2});
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(at.x, at.y);
        message.Result = 1;
        return;
    }
    DefaultHandler(message);
}

void TControl::DblClick()
{
    Fire(OnDblClick, this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    Fire(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    Fire(OnMouseUp, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    Fire(OnMouseMove, this, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    bool handled = false;
    Fire(OnMouseWheel, this, shift, wheelDelta, mousePos, handled);
    if (handled)
        return true;
    FWheelAccumulator += wheelDelta;
    while (FWheelAccumulator >= WHEEL_DELTA || FWheelAccumulator <= -WHEEL_DELTA) {
        const bool down = FWheelAccumulator < 0;
        FWheelAccumulator += down ? WHEEL_DELTA : -WHEEL_DELTA;
        handled = down ? DoMouseWheelDown(shift, mousePos) : DoMouseWheelUp(shift, mousePos);
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState shift, TPoint mousePos)
{
    bool handled = false;
    Fire(OnMouseWheelDown, this, shift, mousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState shift, TPoint mousePos)
{
    bool handled = false;
    Fire(OnMouseWheelUp, this, shift, mousePos, handled);
    return handled;
}

void TControl::Resize()
{
    Fire(OnResize, this);
}

TShiftState TControl::KeysToShiftState(WPARAM keys)
{
    TShiftState shift = 0;
    if ((keys & MK_SHIFT) != 0)
        shift |= ssShift;
    if ((keys & MK_CONTROL) != 0)
        shift |= ssCtrl;
    if ((keys & MK_LBUTTON) != 0)
        shift |= ssLeft;
    if ((keys & MK_RBUTTON) != 0)
        shift |= ssRight;
    if ((keys & MK_MBUTTON) != 0)
        shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

bool TControl::MouseCapture() const
{
    return FCaptureControl == this;
}

void TControl::SetMouseCapture(bool capture)
{
    if (capture == MouseCapture())
        return;
    auto* self = dynamic_cast<TWinControl*>(this);
    HWND wnd = nullptr;
    if (self != nullptr && self->HandleAllocated())
        wnd = self->FHandle;
    else if (FParent != nullptr && FParent->HandleAllocated())
        wnd = FParent->FHandle;
    if (capture) {
        FCaptureControl = this;
        if (wnd != nullptr)
            SetCapture(wnd);
    } else {
        FCaptureControl = nullptr;
        if (wnd != nullptr && GetCapture() == wnd)
            ReleaseCapture();
    }
}

// Mouse messages in client coordinates. Default processing comes first (the
// "inherited" step): a Win32 control presses its button before the control
// reports the press.
void TControl::HandleMouse(TMessage& message)
{
    if ((FControlStyle & csDoubleClicks) == 0) {
        switch (message.Msg) {
        case WM_LBUTTONDBLCLK:
            message.Msg = WM_LBUTTONDOWN;
            break;
        case WM_RBUTTONDBLCLK:
            message.Msg = WM_RBUTTONDOWN;
            break;
        case WM_MBUTTONDBLCLK:
            message.Msg = WM_MBUTTONDOWN;
            break;
        }
    }
    DefaultHandler(message);
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    TShiftState shift = KeysToShiftState(message.WParam);
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if ((FControlStyle & csCaptureMouse) != 0)
            SetMouseCapture(true);
        if (message.Msg == WM_LBUTTONDBLCLK) {
            shift |= ssDouble;
            if ((FControlStyle & csClickEvents) != 0)
                DblClick();
        } else if ((FControlStyle & csClickEvents) != 0) {
            FClicked = true;
        }
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_LBUTTONUP:
        if ((FControlStyle & csCaptureMouse) != 0)
            SetMouseCapture(false);
        if (FClicked) {
            FClicked = false;
            const RECT client = ClientRect();
            if (PtInRect(&client, POINT{x, y}))
                Click();
        }
        MouseUp(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        MouseDown(mbRight, message.Msg == WM_RBUTTONDBLCLK ? shift | ssDouble : shift, x, y);
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        MouseDown(mbMiddle, message.Msg == WM_MBUTTONDBLCLK ? shift | ssDouble : shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    }
}

void TControl::WndProc(TMessage& message)
{
    if (Dragging() && DragMessage(message))
        return;
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FDragMode == dmAutomatic) {
            // A dock drag waits for the mouse to move: a click leaves the
            // control where it is.
            BeginDrag(FDragKind != dkDock);
            return;
        }
        HandleMouse(message);
        return;
    case WM_CONTEXTMENU:
        ContextPopup(message);
        return;
    case WM_MOUSEMOVE:
        Application->HintMouseMessage(this);
        HandleMouse(message);
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        HandleMouse(message);
        return;
    case WM_MOUSEWHEEL:
        if (DoMouseWheel(KeysToShiftState(GET_KEYSTATE_WPARAM(message.WParam)),
                         GET_WHEEL_DELTA_WPARAM(message.WParam),
                         TPoint{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)})) {
            message.Result = 0;
            return;
        }
        break;
    case CM_MOUSEENTER:
        Fire(OnMouseEnter, this);
        return;
    case CM_MOUSELEAVE:
        if (Application->HintControl() == this)
            Application->HintMouseMessage(nullptr);
        Fire(OnMouseLeave, this);
        return;
    case CM_PARENTFONTCHANGED:
        if (FParentFont && FParent != nullptr) {
            FTakingParentFont = true;
            try {
                FFont->Assign(FParent->Font());
            } catch (...) {
                FTakingParentFont = false;
                throw;
            }
            FTakingParentFont = false;
        }
        return;
    case CM_PARENTCOLORCHANGED:
        if (FParentColor && FParent != nullptr && FColor != FParent->Color()) {
            FColor = FParent->Color();
            Perform(CM_COLORCHANGED, 0, 0);
        }
        return;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
        Invalidate();
        return;
    case CM_VISIBLECHANGED:
        if (FParent != nullptr) {
            const RECT bounds = BoundsRect();
            if (FParent->HandleAllocated())
                InvalidateRect(FParent->FHandle, &bounds, TRUE);
            if (FAlign != alNone)
                FParent->Realign();
        }
        return;
    }
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage& /*message*/)
{
}
