#include "classlib/ui/Forms.h"

#include <algorithm>
#include <vector>

#include "classlib/core/ScopeExit.h"
#include "classlib/ui/Menus.h"
#include "classlib/ui/Screen.h"

namespace {

// The application shows and finds forms through these.
void InstallFormHooks()
{
    TApplication::TFormHooks& hooks = Application->FormHooks;
    if (!hooks.Handle)
        hooks.Handle = [](TForm* form) { return form->Handle(); };
    if (!hooks.Show)
        hooks.Show = [](TForm* form) { form->Show(); };
    if (!hooks.IsShortCut) {
        hooks.IsShortCut = [](HWND wnd, TWMKey& key) {
            TWinControl* control = nullptr;
            for (; wnd != nullptr && control == nullptr; wnd = GetParent(wnd))
                control = TWinControl::FindControl(wnd);
            TCustomForm* form = control != nullptr ? GetParentForm(control) : nullptr;
            if (form == nullptr)
                return false;
            if (form->IsShortCut(key))
                return true;
            // The MDI form's menu serves its children: a key the focused
            // child does not take is the MDI form's.
            TCustomForm* main = Application->MainForm();
            return form->FormStyle() == fsMDIChild && main != nullptr && main != form && main->IsShortCut(key);
        };
    }
    if (!hooks.MDIKey) {
        hooks.MDIKey = [](MSG& msg) {
            auto* main = static_cast<TCustomForm*>(Application->MainForm());
            return main != nullptr && main->ClientHandle() != nullptr &&
                   TranslateMDISysAccel(main->ClientHandle(), &msg) != FALSE;
        };
    }
    if (!hooks.DialogKey) {
        hooks.DialogKey = [](const MSG& msg) {
            TWinControl* control = nullptr;
            for (HWND wnd = msg.hwnd; wnd != nullptr && control == nullptr; wnd = GetParent(wnd))
                control = TWinControl::FindControl(wnd);
            TCustomForm* form = control != nullptr ? GetParentForm(control) : nullptr;
            return form != nullptr && form->DialogKey(control, msg);
        };
    }
}

// The application's enabled, visible top-level windows other than `keep`,
// disabled while a modal form runs and enabled again afterwards.
class TTaskWindows {
public:
    explicit TTaskWindows(HWND keep) : FKeep(keep)
    {
        EnumThreadWindows(GetCurrentThreadId(), &TTaskWindows::Disable, reinterpret_cast<LPARAM>(this));
    }
    ~TTaskWindows()
    {
        for (auto it = FDisabled.rbegin(); it != FDisabled.rend(); ++it) {
            if (IsWindow(*it))
                EnableWindow(*it, TRUE);
        }
    }
    TTaskWindows(const TTaskWindows&) = delete;
    TTaskWindows& operator=(const TTaskWindows&) = delete;

private:
    // Called by user32: nothing may be thrown from here. A window is
    // remembered before it is disabled, so one that cannot be remembered
    // stays enabled (and the enumeration stops).
    static BOOL CALLBACK Disable(HWND wnd, LPARAM data) noexcept
    {
        auto* self = reinterpret_cast<TTaskWindows*>(data);
        if (wnd == self->FKeep || !IsWindowVisible(wnd) || !IsWindowEnabled(wnd))
            return TRUE;
        try {
            self->FDisabled.push_back(wnd);
        } catch (...) {
            return FALSE;
        }
        EnableWindow(wnd, FALSE);
        return TRUE;
    }

    HWND FKeep;
    std::vector<HWND> FDisabled;
};

RECT MonitorWorkArea(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor != nullptr && GetMonitorInfoA(monitor, &info))
        return info.rcWork;
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

TCustomForm* GetParentForm(TControl* control)
{
    if (control == nullptr)
        return nullptr;
    while (control->Parent() != nullptr)
        control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner)
{
    InstallFormHooks();
    FCustomPaint = true;
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks);
    SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    if (Screen != nullptr)
        Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    ClearEvents();
    if (Screen != nullptr)
        Screen->RemoveForm(this);
    if (Application != nullptr && static_cast<TCustomForm*>(Application->MainForm()) == this)
        Application->SetMainForm(nullptr);
    WindowProc = [this](TMessage& message) { TCustomForm::WndProc(message); };
    DestroyHandle();
}

void TCustomForm::SetMenu(TMainMenu* menu)
{
    ReplaceLink(FMenu, menu);
}

void TCustomForm::Notification(TComponent* aComponent, TOperation operation)
{
    TWinControl::Notification(aComponent, operation);
    if (operation == opRemove && aComponent == FMenu)
        FMenu = nullptr;
    if (operation == opRemove && aComponent == FActiveControl)
        FActiveControl = nullptr;
}

void TCustomForm::BeforeDestruction()
{
    if (FDestructionBegun)
        return;
    FDestructionBegun = true;
    try {
        Fire(OnDestroy, this);
    } catch (...) {
        Application->HandleException(this);
    }
    ClearEvents();
}

void TCustomForm::ClearEvents()
{
    OnCreate = nullptr;
    OnShow = nullptr;
    OnHide = nullptr;
    OnClose = nullptr;
    OnCloseQuery = nullptr;
    OnActivate = nullptr;
    OnDeactivate = nullptr;
    OnPaint = nullptr;
    OnDestroy = nullptr;
    OnShortCut = nullptr;
    OnResize = nullptr;
    OnClick = nullptr;
    OnDblClick = nullptr;
    OnMouseDown = nullptr;
    OnMouseMove = nullptr;
    OnMouseUp = nullptr;
    OnMouseEnter = nullptr;
    OnMouseLeave = nullptr;
    OnKeyDown = nullptr;
    OnKeyPress = nullptr;
    OnKeyUp = nullptr;
}

void TCustomForm::AfterConstruction()
{
    DoCreate();
}

void TCustomForm::DoCreate()
{
    try {
        Fire(OnCreate, this);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TCustomForm::DoShow()
{
    Fire(OnShow, this);
}

void TCustomForm::DoHide()
{
    Fire(OnHide, this);
}

void TCustomForm::DoClose(TCloseAction& action)
{
    Fire(OnClose, this, action);
}

void TCustomForm::Activate()
{
    Fire(OnActivate, this);
}

void TCustomForm::Deactivate()
{
    Fire(OnDeactivate, this);
}

void TCustomForm::Paint()
{
    Fire(OnPaint, this);
}

// --- Window ------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style &= ~(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    params.Style |= WS_CLIPCHILDREN;
    if (ParentWindow() != nullptr) {
        params.Style |= WS_CHILD;
    } else {
        params.WndParent = Application->Handle();
        switch (FPosition) {
        case poDefault:
            params.X = params.Y = params.Width = params.Height = CW_USEDEFAULT;
            break;
        case poDefaultPosOnly:
            params.X = params.Y = CW_USEDEFAULT;
            break;
        case poDefaultSizeOnly:
            params.Width = params.Height = CW_USEDEFAULT;
            break;
        default:
            break;
        }
    }
    if (FFormStyle == fsMDIChild && ParentWindow() == nullptr) {
        // Wine and Windows make it a child of the MDI client and hand our
        // target through MDICREATESTRUCT (WndProc.cpp unwraps it).
        auto* main = static_cast<TCustomForm*>(Application->MainForm());
        if (main == nullptr || main == this || main->FormStyle() != fsMDIForm)
            throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
        params.WndParent = main->Handle() != nullptr ? main->ClientHandle() : nullptr;
        params.ExStyle |= WS_EX_MDICHILD;
        params.Style |= WS_CLIPSIBLINGS;
    } else if (FFormStyle == fsStayOnTop && ParentWindow() == nullptr) {
        params.ExStyle |= WS_EX_TOPMOST;
    }
    const bool child = ParentWindow() != nullptr;
    switch (FBorderStyle) {
    case bsNone:
        if (!child)
            params.Style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        params.Style |= WS_CAPTION | (child ? 0 : WS_POPUP);
        params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
        params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FBorderStyle != bsNone && (FBorderIcons & biSystemMenu) != 0) {
        params.Style |= WS_SYSMENU;
        if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
            if ((FBorderIcons & biMinimize) != 0)
                params.Style |= WS_MINIMIZEBOX;
            if ((FBorderIcons & biMaximize) != 0)
                params.Style |= WS_MAXIMIZEBOX;
        } else if (FBorderStyle == bsDialog && (FBorderIcons & biHelp) != 0) {
            params.ExStyle |= WS_EX_CONTEXTHELP;
        }
    }
}

void TCustomForm::RecreateShown()
{
    if (!HandleAllocated())
        return;
    RecreateWnd();
    if (Visible())
        ShowWindow(Handle(), SW_SHOWNA);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style)
{
    if (style == FBorderStyle)
        return;
    FBorderStyle = style;
    RecreateShown();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons)
{
    if (icons == FBorderIcons)
        return;
    FBorderIcons = icons;
    RecreateShown();
}

void TCustomForm::SetFormStyle(TFormStyle style)
{
    if (style == FFormStyle)
        return;
    const bool mdiChange = style == fsMDIForm || style == fsMDIChild || FFormStyle == fsMDIForm ||
                           FFormStyle == fsMDIChild;
    FFormStyle = style;
    if (!HandleAllocated())
        return;
    if (mdiChange)
        RecreateShown();
    else
        SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState state)
{
    if (state == FWindowState)
        return;
    FWindowState = state;
    if (HandleAllocated() && Visible()) {
        static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
        ShowWindow(Handle(), commands[state]);
    }
}

void TCustomForm::ApplyPosition()
{
    TCustomForm* center = nullptr;
    switch (FPosition) {
    case poMainFormCenter:
        center = static_cast<TCustomForm*>(Application->MainForm());
        break;
    case poOwnerFormCenter:
        center = dynamic_cast<TCustomForm*>(Owner());
        break;
    case poScreenCenter:
    case poDesktopCenter:
        break;
    default:
        return;
    }
    RECT area{};
    if (center != nullptr && center != this && center->HandleAllocated() && center->Visible()) {
        area = center->BoundsRect();
    } else if (FPosition == poDesktopCenter) {
        area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    } else {
        HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
        TCustomForm* reference = nullptr;
        if (FDefaultMonitor == dmMainForm)
            reference = static_cast<TCustomForm*>(Application->MainForm());
        else if (FDefaultMonitor == dmActiveForm && Screen != nullptr)
            reference = Screen->ActiveForm();
        if (reference != nullptr && reference != this && reference->HandleAllocated())
            monitor = MonitorFromWindow(reference->Handle(), MONITOR_DEFAULTTOPRIMARY);
        area = MonitorWorkArea(monitor);
    }
    SetBounds(area.left + (area.right - area.left - Width()) / 2, area.top + (area.bottom - area.top - Height()) / 2,
              Width(), Height());
}

void TCustomForm::UpdateShowing()
{
    if (Visible()) {
        HandleNeeded();
        if (!FPlaced && ParentWindow() == nullptr && FFormStyle != fsMDIChild) {
            FPlaced = true;
            ApplyPosition();
        }
        DoShow();
        static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
        ShowWindow(Handle(), ParentWindow() != nullptr ? SW_SHOW : commands[FWindowState]);
    } else {
        DoHide();
        if (HandleAllocated())
            ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::Show()
{
    SetVisible(true);
    if (FFormStyle == fsMDIChild) {
        ActivateMDIChild();
    } else if (ParentWindow() == nullptr) {
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(Handle());
    }
}

void TCustomForm::PaintWindow(HDC dc)
{
    TPaintCanvasScope scope(&FCanvas, dc, Font());
    Paint();
}

// --- Closing -----------------------------------------------------------------

bool TCustomForm::CloseQuery()
{
    for (TForm* child : MDIChildList()) {
        if (!child->CloseQuery())
            return false;
    }
    bool canClose = true;
    Fire(OnCloseQuery, this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = DefaultCloseAction();
    DoClose(action);
    if (action == caNone)
        return;
    if (static_cast<TCustomForm*>(Application->MainForm()) == this) {
        // The children go first: their releases are posted before the
        // loop's end is.
        for (TForm* child : MDIChildList())
            child->Release();
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        SetWindowState(wsMinimized);
        break;
    default:
        Release();
        break;
    }
}

void TCustomForm::CloseModal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        FModalResult = mrNone;
    else if (action == caFree)
        Release();
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || FModal)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (const HWND capture = GetCapture()) {
        SendMessageA(capture, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    const HWND activeWindow = GetActiveWindow();
    const HWND handle = Handle();
    FModal = true;
    const TScopeExit modalEnded([this, activeWindow] {
        FModal = false;
        if (activeWindow != nullptr && IsWindow(activeWindow))
            SetActiveWindow(activeWindow);
    });
    {
        const TTaskWindows disabled(handle);
        Show();
        FModalResult = mrNone;
        FReleasedWhileModal = false;
        do {
            Application->HandleMessage();
            if (Application->Terminated() || (FReleasedWhileModal && FModalResult == mrNone))
                FModalResult = mrCancel;
            else if (FModalResult != mrNone && !FReleasedWhileModal)
                CloseModal();
        } while (FModalResult == mrNone);
        Hide();
    }
    if (FReleasedWhileModal)
        PostMessageA(Handle(), CM_RELEASE, 0, 0);  // freed once ShowModal has returned
    return FModalResult;
}

void TCustomForm::Release()
{
    PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

bool TCustomForm::IsShortCut(TWMKey& msg)
{
    bool handled = false;
    Fire(OnShortCut, msg, handled);
    return handled;
}

namespace {

LRESULT SendDepthFirst(TWinControl* parent, UINT msg, WPARAM wParam, LPARAM lParam, bool untilAnswered)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        const LRESULT answer = control->Perform(msg, wParam, lParam);
        if (answer != 0 && untilAnswered)
            return answer;
        if (auto* container = dynamic_cast<TWinControl*>(control)) {
            const LRESULT inner = SendDepthFirst(container, msg, wParam, lParam, untilAnswered);
            if (inner != 0 && untilAnswered)
                return inner;
        }
    }
    return 0;
}

}  // namespace

LRESULT TCustomForm::SendToControls(UINT msg, WPARAM wParam, LPARAM lParam, bool untilAnswered)
{
    return SendDepthFirst(this, msg, wParam, lParam, untilAnswered);
}

void TCustomForm::FocusChanged(TWinControl* control)
{
    if (control == FActiveControl || control == this)
        return;
    TWinControl* previous = FActiveControl;
    if (FActiveControl != nullptr)
        RemoveFreeNotification(FActiveControl);
    FActiveControl = control;
    if (FActiveControl != nullptr)
        FreeNotification(FActiveControl);
    SendToControls(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control), false);
    // The focus left the previous control and its parents up to the one
    // that also holds the new control, and entered the parents below that
    // one down to the new control. A handler that moves the focus again
    // ends this move: the newer one has told its own.
    std::vector<TWinControl*> entered;
    for (TWinControl* c = control; c != nullptr && c != this; c = c->Parent())
        entered.push_back(c);
    for (TWinControl* c = previous; c != nullptr && c != this; c = c->Parent()) {
        if (const auto common = std::find(entered.begin(), entered.end(), c); common != entered.end()) {
            entered.erase(common, entered.end());
            break;
        }
        c->Perform(CM_EXIT, 0, 0);
        if (FActiveControl != control)
            return;
    }
    for (auto c = entered.rbegin(); c != entered.rend(); ++c) {
        (*c)->Perform(CM_ENTER, 0, 0);
        if (FActiveControl != control)
            return;
    }
}

namespace {

// The dialog code of the window a key went to, for that key. A combo box
// needs the key's message to tell (Return and Escape are its own only while
// its list is dropped down); a multi-line edit window is asked without it:
// given one, the system's edit window takes itself to be in a dialog from
// then on: it types no Tab and no line break and closes its parent window
// on Escape. It asks for every key anyway.
LRESULT DialogCode(const MSG& msg)
{
    const LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, 0);
    if ((code & DLGC_HASSETSEL) != 0 && (GetWindowLongA(msg.hwnd, GWL_STYLE) & ES_MULTILINE) != 0)
        return code;
    return SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
}

}  // namespace

bool TCustomForm::DialogKey(TWinControl* focused, const MSG& msg)
{
    if (msg.message == WM_KEYDOWN) {
        switch (msg.wParam) {
        case VK_ESCAPE:
        case VK_RETURN:
        case VK_TAB:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            break;
        default:
            return false;
        }
        if (focused != nullptr && focused != this && focused->Perform(CM_WANTSPECIALKEY, msg.wParam, 0) != 0)
            return false;
        // A Win32 control keeps what its dialog code asks for: arrows in a
        // list, Return and Escape in a dropped-down combo box.
        if (focused != nullptr && focused != this) {
            const LRESULT code = DialogCode(msg);
            const LRESULT wanted = msg.wParam == VK_TAB ? DLGC_WANTTAB
                                   : msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE
                                       ? DLGC_WANTALLKEYS | DLGC_WANTMESSAGE
                                       : DLGC_WANTARROWS;
            if ((code & wanted) != 0)
                return false;
        }
        if (SendToControls(CM_DIALOGKEY, msg.wParam, msg.lParam, true) != 0)
            return true;
        if (msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
            return false;
        TWinControl* next = FindNextControl(focused, GetKeyState(VK_SHIFT) >= 0, true, false);
        if (next == nullptr)
            return false;  // a form without tab stops gets its Tab as any key
        next->SetFocus();
        return true;
    }
    const bool character = msg.message == WM_SYSCHAR ||
                           (msg.message == WM_CHAR && focused != nullptr &&
                            (SendMessageA(msg.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0);
    return character && SendToControls(CM_DIALOGCHAR, msg.wParam, msg.lParam, true) != 0;
}

// --- Messages ------------------------------------------------------------------

void TCustomForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_FOCUSCHANGED:
        SendToControls(CM_FOCUSCHANGED, message.WParam, message.LParam, false);
        return;
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case WM_ACTIVATE:
        DefaultHandler(message);
        if (LOWORD(message.WParam) != WA_INACTIVE) {
            // The focus goes back to the control that had it, or at first to
            // the first tab stop; the form keeps it when there is none.
            if (HIWORD(message.WParam) == 0) {
                TWinControl* focus = FActiveControl;
                if (focus == nullptr || !focus->CanFocus())
                    focus = FindNextControl(nullptr, true, true, false);
                if (focus != nullptr)
                    focus->SetFocus();
            }
            FActive = true;
            if (Screen != nullptr)
                Screen->SetActiveForm(this);
            Activate();
        } else {
            FActive = false;
            Deactivate();
        }
        return;
    case WM_MDIACTIVATE:
        // An MDI child's activation inside its MDI client; it gets no
        // WM_ACTIVATE.
        DefaultHandler(message);
        if (reinterpret_cast<HWND>(message.LParam) == Handle() && !FActive) {
            FActive = true;
            Activate();
        } else if (reinterpret_cast<HWND>(message.WParam) == Handle() && FActive) {
            FActive = false;
            Deactivate();
        }
        return;
    case WM_SIZE:
        if (IsWindowVisible(Handle())) {
            if (message.WParam == SIZE_MINIMIZED)
                FWindowState = wsMinimized;
            else if (message.WParam == SIZE_MAXIMIZED)
                FWindowState = wsMaximized;
            else if (message.WParam == SIZE_RESTORED)
                FWindowState = wsNormal;
        }
        if (FClientHandle != nullptr) {
            // DefFrameProc spreads the MDI client over the client area.
            TWinControl::WndProc(message);
            PlaceMDIClient();
            return;
        }
        break;
    case CM_RELEASE:
        if (FModal) {
            // The modal loop still runs on this object: it ends the loop and
            // posts the release again.
            FReleasedWhileModal = true;
            return;
        }
        // Nothing may touch the form after this: the message path only
        // returns the (local) result from here on.
        FreeComponent(this);
        return;
    }
    TWinControl::WndProc(message);
}
