// TWinControl's message handling: the dispatch of its window's messages,
// reflection of child notifications, mouse routing to windowless children,
// keys and painting.
#include <windowsx.h>

#include <algorithm>

#include "classlib/ui/Controls.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Screen.h"

namespace {

bool IsPrivateMessage(UINT msg)
{
    return msg >= CM_BASE && msg < CN_BASE + 0x400;
}

TShiftState KeyboardShiftState()
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

// BeginPaint / EndPaint, unless the message brought its own DC.
class TPaintScope {
public:
    TPaintScope(HWND wnd, HDC dc) : FWnd(wnd), FDC(dc)
    {
        if (FDC == nullptr) {
            FDC = BeginPaint(wnd, &FPaint);
            FOwn = true;
        }
    }
    ~TPaintScope()
    {
        if (FOwn)
            EndPaint(FWnd, &FPaint);
    }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;
    HDC DC() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
    PAINTSTRUCT FPaint{};
    bool FOwn = false;
};

class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
    ~TSavedDC()
    {
        if (FSaved != 0)
            RestoreDC(FDC, FSaved);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FSaved;
};

}  // namespace

// --- Keys ----------------------------------------------------------------------

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    Fire(OnKeyDown, this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    Fire(OnKeyPress, this, key);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    Fire(OnKeyUp, this, key, shift);
}

// --- Painting --------------------------------------------------------------------

void TWinControl::PaintWindow(HDC dc)
{
    // A Win32 control draws itself on the DC it is given; a window of the
    // class library's own class has only its background, erased already.
    if (!FSubClassed)
        return;
    TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(message);
}

void TWinControl::PaintHandler(TMessage& message)
{
    const TPaintScope paint(FHandle, reinterpret_cast<HDC>(message.WParam));
    {
        const TSavedDC saved(paint.DC());
        // Opaque windowless children paint their whole area themselves.
        for (TControl* control : FControls) {
            if (dynamic_cast<TWinControl*>(control) == nullptr && control->Visible() &&
                (control->ControlStyle() & csOpaque) != 0) {
                const RECT bounds = control->BoundsRect();
                ExcludeClipRect(paint.DC(), bounds.left, bounds.top, bounds.right, bounds.bottom);
            }
        }
        PaintWindow(paint.DC());
    }
    PaintControls(paint.DC());
    message.Result = 0;
}

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* control : std::vector<TControl*>(FControls)) {
        if (dynamic_cast<TWinControl*>(control) != nullptr || !control->Visible())
            continue;
        const RECT bounds = control->BoundsRect();
        if (!RectVisible(dc, &bounds))
            continue;
        const TSavedDC saved(dc);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

// --- Messages ------------------------------------------------------------------

void TWinControl::MainWndProc(TMessage& message)
{
    try {
        WindowProc(message);
    } catch (...) {
        message.Result = 0;
        if (Application != nullptr)
            Application->HandleException(this);
    }
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (FHandle == nullptr || IsPrivateMessage(message.Msg))
        return;
    message.Result = DefaultWindowProc(FHandle, message.Msg, message.WParam, message.LParam);
}

bool TWinControl::ReflectNotification(TMessage& message)
{
    TControl* control = nullptr;
    switch (message.Msg) {
    case WM_NOTIFY:
        control = FindControl(reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom);
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (item->CtlType != ODT_MENU)
            control = FindControl(item->hwndItem);
        break;
    }
    case WM_MEASUREITEM: {
        // Sent while a list box is being created: its window is not
        // attached yet, so the child is found by its identifier.
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
        if (item->CtlType != ODT_MENU)
            control = ChildById(static_cast<int>(item->CtlID));
        break;
    }
    default:  // WM_COMMAND, WM_HSCROLL, WM_VSCROLL, WM_CTLCOLOR*: the child's window in lParam
        control = FindControl(reinterpret_cast<HWND>(message.LParam));
        break;
    }
    if (control == nullptr || control == this)
        return false;
    message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    return true;
}

bool TWinControl::RouteMouseToControl(TMessage& message)
{
    const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* target = nullptr;
    if (FCaptureControl != nullptr) {
        if (FCaptureControl->FParent == this && dynamic_cast<TWinControl*>(FCaptureControl) == nullptr)
            target = FCaptureControl;
    } else {
        target = ControlAtPos(point);
    }
    if (message.Msg == WM_MOUSEMOVE && FCaptureControl == this) {
        // A window holding the capture sees every move: leaving its client
        // area and coming back are told as CM_MOUSELEAVE and CM_MOUSEENTER.
        RECT client{};
        GetClientRect(FHandle, &client);
        if (PtInRect(&client, point)) {
            TrackMouse(this);
        } else if (FMouseControl == this) {
            FMouseControl = nullptr;
            Perform(CM_MOUSELEAVE, 0, 0);
        }
    } else if (message.Msg == WM_MOUSEMOVE) {
        TrackMouse(target != nullptr ? target : this);
    }
    if (target == nullptr)
        return false;
    const LPARAM local = MAKELPARAM(point.x - target->Left(), point.y - target->Top());
    message.Result = target->Perform(message.Msg, message.WParam, local);
    // The window still asks for its context menu, which finds the control.
    if (message.Msg == WM_RBUTTONUP)
        DefaultHandler(message);
    return true;
}

void TWinControl::TrackMouse(TControl* control)
{
    if (FMouseControl != control) {
        TControl* previous = FMouseControl;
        FMouseControl = control;
        if (previous != nullptr)
            previous->Perform(CM_MOUSELEAVE, 0, 0);
        if (FMouseControl == control)
            control->Perform(CM_MOUSEENTER, 0, 0);
    }
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
    TrackMouseEvent(&track);
}

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
        if (ReflectNotification(message))
            return;
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
        if (ReflectNotification(message))
            return;
        if (FSubClassed)
            break;
        // A window that is not one of ours (yet) takes this control's colours.
        message.Msg += CN_BASE;
        WndProc(message);
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (RouteMouseToControl(message))
            return;
        break;
    case WM_MOUSELEAVE:
        if (FMouseControl != nullptr &&
            (FMouseControl == this ||
             (FMouseControl->FParent == this && dynamic_cast<TWinControl*>(FMouseControl) == nullptr))) {
            TControl* previous = FMouseControl;
            FMouseControl = nullptr;
            previous->Perform(CM_MOUSELEAVE, 0, 0);
        }
        DefaultHandler(message);
        return;
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this))
            form->FocusChanged(this);
        break;
    case WM_CAPTURECHANGED:
        if (FCaptureControl != nullptr && reinterpret_cast<HWND>(message.LParam) != FHandle &&
            (FCaptureControl == this || FCaptureControl->FParent == this))
            FCaptureControl = nullptr;
        break;
    case WM_PAINT:
        if (FCustomPaint || std::any_of(FControls.begin(), FControls.end(), [](TControl* control) {
                return dynamic_cast<TWinControl*>(control) == nullptr;
            })) {
            PaintHandler(message);
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (!FSubClassed) {
            RECT client{};
            GetClientRect(FHandle, &client);
            FillRect(reinterpret_cast<HDC>(message.WParam), &client, Brush());
            message.Result = 1;
            return;
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        const bool resized = UpdateBoundsFromWindow();
        DefaultHandler(message);
        Realign();
        if (resized) {
            Resize();
            if (FParent != nullptr)
                FParent->ControlResized(this);
        }
        return;
    }
    case WM_SETCURSOR:
        if (Screen != nullptr && Screen->Cursor() != crDefault) {
            ::SetCursor(Screen->Cursors(Screen->Cursor()));
            message.Result = 1;
            return;
        }
        if (reinterpret_cast<HWND>(message.WParam) == FHandle && LOWORD(message.LParam) == HTCLIENT &&
            Screen != nullptr) {
            POINT point{};
            GetCursorPos(&point);
            ::ScreenToClient(FHandle, &point);
            const TControl* control = ControlAtPos(point);
            const TCursor cursor =
                control != nullptr && control->Cursor() != crDefault ? control->Cursor() : Cursor();
            if (cursor != crDefault) {
                ::SetCursor(Screen->Cursors(cursor));
                message.Result = 1;
                return;
            }
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(message.WParam);
        if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN)
            KeyDown(key, KeyboardShiftState());
        else
            KeyUp(key, KeyboardShiftState());
        if (key == 0)
            return;
        message.WParam = key;
        break;
    }
    case WM_CHAR: {
        char key = static_cast<char>(message.WParam);
        KeyPress(key);
        if (key == 0)
            return;
        message.WParam = static_cast<unsigned char>(key);
        break;
    }
    case CM_FONTCHANGED:
        if (FHandle != nullptr)
            SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
        Invalidate();
        NotifyControls(CM_PARENTFONTCHANGED);
        return;
    case CM_COLORCHANGED:
        FBrush.Reset();
        Invalidate();
        NotifyControls(CM_PARENTCOLORCHANGED);
        return;
    case WM_DESTROY:
        // The window may go with its parent's, without DestroyHandle: keep
        // what the user typed for the window made next.
        if (FHandle != nullptr)
            FText = Text();
        break;
    case CM_ENTER:
    case CM_EXIT:
        // A control being freed loses the focus with its window: no event.
        if ((ComponentState() & csDestroying) == 0)
            Fire(message.Msg == CM_ENTER ? OnEnter : OnExit, this);
        return;
    case CM_TEXTCHANGED:
        if (FHandle != nullptr)
            SetWindowTextA(FHandle, FText.c_str());
        return;
    case CM_ENABLEDCHANGED:
        if (FHandle != nullptr)
            EnableWindow(FHandle, Enabled());
        return;
    case CM_VISIBLECHANGED:
        UpdateShowing();
        if (FParent != nullptr && Align() != alNone)
            FParent->Realign();
        return;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: {
        const HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        SetBkColor(dc, ColorToRGB(Color()));
        message.Result = reinterpret_cast<LRESULT>(Brush());
        return;
    }
    }
    TControl::WndProc(message);
}
