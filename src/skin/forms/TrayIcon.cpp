#include "skin/forms/TrayIcon.h"

#include <algorithm>

#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/ImgList.h"
#include "classlib/ui/Menus.h"
#include "classlib/ui/Screen.h"

namespace {

// The version-2 layout on this target (the shell reads no further).
static_assert(NOTIFYICONDATAA_V2_SIZE == 504, "version-2 notify data of a 64-bit target");

bool KeyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

TShiftState AsyncShiftState()
{
    TShiftState shift = 0;
    if (KeyDown(VK_SHIFT))
        shift |= ssShift;
    if (KeyDown(VK_CONTROL))
        shift |= ssCtrl;
    if (KeyDown(VK_MENU))
        shift |= ssAlt;
    return shift;
}

}  // namespace

TspTrayIcon::TspTrayIcon(TComponent* AOwner)
    : TComponent(AOwner),
      FTrayCycleTimer(new TTimer(this)),
      FTrayClickTimer(new TTimer(this)),
      FTaskbarCreated(RegisterWindowMessageA("TaskbarCreated"))
{
    FTrayCycleTimer->SetEnabled(false);
    FTrayCycleTimer->SetInterval(0);
    FTrayCycleTimer->OnTimer = [this](TObject* sender) { CycleTimerEvent(sender); };
    FTrayClickTimer->SetEnabled(false);
    FTrayClickTimer->SetInterval(GetDoubleClickTime());
    FTrayClickTimer->OnTimer = [this](TObject* sender) { ClickTimerEvent(sender); };
    FHandle = AllocateHWnd([this](TMessage& message) { WndProc(message); });
    if (FIcon.Empty() && LoadDefaultIcon())
        FIcon.SetHandle(CopyIcon(Application->Icon()));
    FApplicationHook = Application->HookMainWindow([this](TMessage& message) { return ApplicationHook(message); });
    if (TWinControl* owner = OwnerControl())
        FOwnerHook.Install(owner->WindowProc, [this](TMessage& message) { return OwnerHook(message); });
}

TspTrayIcon::~TspTrayIcon()
{
    SetIconVisible(false);
    DeallocateHWnd(FHandle);
    Application->UnhookMainWindow(FApplicationHook);
    // While the owner is being freed its WindowProc may be gone already.
    if (Owner() != nullptr && (Owner()->ComponentState() & csDestroying) == 0)
        FOwnerHook.Remove();
    else
        FOwnerHook.Disarm();
}

TWinControl* TspTrayIcon::OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }

void TspTrayIcon::Loaded()
{
    TComponent::Loaded();
    if (OwnerControl() != nullptr && MinimizedOnStart) {
        Application->ShowMainForm = false;
        ShowWindow(Application->Handle(), SW_HIDE);
    }
    ModifyIcon();
    SetIconVisible(FIconVisible);
}

void TspTrayIcon::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FIconList)
        FIconList = nullptr;
    if (AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

// --- The shell --------------------------------------------------------------

void TspTrayIcon::FillNotifyData()
{
    FNotifyData = NOTIFYICONDATAA{};
    FNotifyData.cbSize = NOTIFYICONDATAA_V2_SIZE;
    FNotifyData.hWnd = FHandle;
    FNotifyData.uID = 1;
    FNotifyData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    FNotifyData.uCallbackMessage = WM_TRAYICONNOTIFY;
    FNotifyData.hIcon = FIcon.Handle();
    const auto tip = TrayIconTip(FHint, FShowHint);
    std::copy(tip.begin(), tip.end(), FNotifyData.szTip);
}

const NOTIFYICONDATAA& TspTrayIcon::NotifyData()
{
    FillNotifyData();
    return FNotifyData;
}

bool TspTrayIcon::Notify(DWORD message)
{
    FillNotifyData();
    return Shell_NotifyIconA(message, &FNotifyData) != FALSE;
}

bool TspTrayIcon::ShowIcon()
{
    FIconVisible = true;
    return Notify(NIM_ADD);
}

bool TspTrayIcon::HideIcon()
{
    FIconVisible = false;
    return Notify(NIM_DELETE);
}

bool TspTrayIcon::ModifyIcon() { return Notify(NIM_MODIFY); }

void TspTrayIcon::SetIconVisible(bool Value)
{
    if (Value)
        ShowIcon();
    else
        HideIcon();
}

void TspTrayIcon::SetIcon(TIcon* Value)
{
    FIcon.Assign(Value);
    ModifyIcon();
}

void TspTrayIcon::SetHint(const std::string& Value)
{
    FHint = Value;
    ModifyIcon();
}

void TspTrayIcon::SetShowHint(bool Value)
{
    FShowHint = Value;
    ModifyIcon();
}

// --- Icon cycling -------------------------------------------------------------

void TspTrayIcon::SetIconList(TCustomImageList* Value)
{
    if (FIconList != nullptr)
        FIconList->RemoveFreeNotification(this);
    FIconList = Value;
    if (FIconList != nullptr)
        FIconList->FreeNotification(this);
    FIconIndex = 0;
}

void TspTrayIcon::SetIconIndex(int Value)
{
    const int count = FIconList != nullptr ? FIconList->Count() : 0;
    FIconIndex = ClampTrayIconIndex(Value, count);
    if (count == 0)
        return;
    FIconList->GetIcon(FIconIndex, &FIcon);
    ModifyIcon();
}

void TspTrayIcon::SetCycleIcons(bool Value)
{
    FCycleIcons = Value;
    if (Value)
        SetIconIndex(0);
    FTrayCycleTimer->SetEnabled(Value);
}

void TspTrayIcon::SetAnimateTimerInterval(int Value)
{
    FAnimateTimerInterval = Value;
    FTrayCycleTimer->SetInterval(Value > 0 ? static_cast<unsigned>(Value) : 0);
}

void TspTrayIcon::Cycle(int NextIndex)
{
    if (OnCycle)
        OnCycle(this, NextIndex);
}

void TspTrayIcon::CycleTimerEvent(TObject*)
{
    const int count = FIconList != nullptr ? FIconList->Count() : 0;
    if (count == 0)
        return;
    FIconIndex = ClampTrayIconIndex(FIconIndex, count);
    FIconList->GetIcon(FIconIndex, &FIcon);
    const int next = NextTrayIconIndex(FIconIndex, count);
    Cycle(next);
    ModifyIcon();
    FIconIndex = next;
}

// --- Mouse ----------------------------------------------------------------------

void TspTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TspTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TspTrayIcon::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TspTrayIcon::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TRAYICONNOTIFY:
        if (Enabled)
            TrayNotify(static_cast<UINT>(Message.LParam));
        return;
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_USERCHANGED:
    case WM_NCDESTROY:
        Message.Result = 1;
        return;
    default:
        CallDefWindowProc(FHandle, Message);
    }
}

void TspTrayIcon::TrayNotify(UINT mouseMessage)
{
    POINT p{};
    GetCursorPos(&p);
    const TShiftState shift = AsyncShiftState();
    switch (mouseMessage) {
    case WM_MOUSEMOVE:
        MouseMove(shift, p.x, p.y);
        break;
    case WM_LBUTTONDOWN:
        FClicks.LeftButtonDown();
        FTrayClickTimer->SetEnabled(false);  // a new double-click time from now
        FTrayClickTimer->SetEnabled(true);
        MouseDown(mbLeft, shift | ssLeft, p.x, p.y);
        if (PopupByLeftButton)
            PopupAtCursor();
        break;
    case WM_LBUTTONUP:
        if (FClicks.LeftButtonUp())
            Click();
        MouseUp(mbLeft, shift | ssLeft, p.x, p.y);
        break;
    case WM_LBUTTONDBLCLK:
        FClicks.DoubleClick();
        DblClick();
        if (FPopupMenu != nullptr && FPopupMenu->AutoPopup && !PopupByLeftButton) {
            TMenuItem* items = FPopupMenu->Items();
            for (int i = 0; i < items->Count(); ++i)
                if (items->Items(i)->Default()) {
                    items->Items(i)->Click();
                    break;
                }
        }
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, shift | ssRight, p.x, p.y);
        PopupAtCursor();
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift | ssRight, p.x, p.y);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, shift | ssMiddle, p.x, p.y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift | ssMiddle, p.x, p.y);
        break;
    default:
        break;
    }
}

void TspTrayIcon::ClickTimerEvent(TObject*)
{
    FTrayClickTimer->SetEnabled(false);
    if (FClicks.TimerFired())
        Click();
}

void TspTrayIcon::SetPopupMenu(TPopupMenu* Value)
{
    if (FPopupMenu != nullptr)
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (FPopupMenu != nullptr)
        FPopupMenu->FreeNotification(this);
}

void TspTrayIcon::PopupAtCursor()
{
    if (FPopupMenu == nullptr || !FPopupMenu->AutoPopup)
        return;
    POINT p{};
    GetCursorPos(&p);
    Application->ProcessMessages();
    SetForegroundWindow(FHandle);
    TWinControl* owner = OwnerControl();
    if (owner != nullptr)
        SetForegroundWindow(owner->Handle());
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(p.x, p.y);
    if (owner != nullptr && owner->HandleAllocated())
        PostMessageA(owner->Handle(), WM_NULL, 0, 0);
}

// --- Minimize to tray -----------------------------------------------------------

void TspTrayIcon::DoMinimizeToTray()
{
    TForm* mainForm = Application->MainForm();
    if (OwnerControl() == nullptr || mainForm == nullptr)
        return;
    mainForm->SetVisible(false);
    ShowWindow(Application->Handle(), SW_HIDE);
    SetIconVisible(true);
}

void TspTrayIcon::RestoreFromTray()
{
    TForm* mainForm = Application->MainForm();
    if (OwnerControl() == nullptr || mainForm == nullptr)
        return;
    ShowWindow(Application->Handle(), SW_RESTORE);
    mainForm->SetVisible(true);
    if (mainForm->WindowState() == wsMinimized)
        mainForm->SetWindowState(wsNormal);
}

bool TspTrayIcon::ApplicationHook(TMessage& Message)
{
    if (Message.Msg == WM_SIZE && Message.WParam == SIZE_MINIMIZED && MinimizeToTray)
        DoMinimizeToTray();
    else if (Message.Msg == WM_WINDOWPOSCHANGED && FFirstPosChange) {
        TForm* main = Application->MainForm();
        if (main != nullptr && main->FormStyle() == fsMDIForm && MinimizedOnStart)
            ShowWindow(Application->Handle(), SW_HIDE);
        FFirstPosChange = false;
    }
    else if (Message.Msg == FTaskbarCreated && FIconVisible)
        ShowIcon();
    return false;
}

bool TspTrayIcon::OwnerHook(TMessage& Message)
{
    TWinControl* owner = OwnerControl();
    if (Message.Msg == WM_ACTIVATE && (LOWORD(Message.WParam) == WA_ACTIVE || LOWORD(Message.WParam) == WA_CLICKACTIVE)) {
        TCustomForm* active = Screen != nullptr ? Screen->ActiveForm() : nullptr;
        if (active != nullptr && active->HandleAllocated()) {
            const HWND losing = reinterpret_cast<HWND>(Message.LParam);
            const HWND activeWnd = active->Handle();
            if (losing != activeWnd && losing != GetParent(activeWnd))
                SetFocus(activeWnd);
        }
    } else if (Message.Msg == WM_SHOWWINDOW && Message.WParam == 1 && Message.LParam == 0) {
        ShowWindow(Application->Handle(), SW_RESTORE);
        SetForegroundWindow(Application->Handle());
        if (owner != nullptr && owner->HandleAllocated())
            SetForegroundWindow(owner->Handle());
    }
    return false;
}

// --- Form descriptions ------------------------------------------------------------

void RegisterTrayIconClasses(TClassRegistry& classes)
{
    classes.Register<TspTrayIcon>("TspTrayIcon", "TComponent")
        .Object("Icon", &TspTrayIcon::Icon)
        .Bool("IconVisible", &TspTrayIcon::SetIconVisible)
        .String("Hint", &TspTrayIcon::SetHint)
        .Bool("ShowHint", &TspTrayIcon::SetShowHint)
        .Bool("Enabled", &TspTrayIcon::Enabled)
        .Component<TCustomImageList>("IconList", &TspTrayIcon::SetIconList)
        .Int("IconIndex", &TspTrayIcon::SetIconIndex)
        .Bool("CycleIcons", &TspTrayIcon::SetCycleIcons)
        .Int("AnimateTimerInterval", &TspTrayIcon::SetAnimateTimerInterval)
        .Component<TPopupMenu>("PopupMenu", &TspTrayIcon::SetPopupMenu)
        .Bool("PopupByLeftButton", &TspTrayIcon::PopupByLeftButton)
        .Bool("MinimizedOnStart", &TspTrayIcon::MinimizedOnStart)
        .Bool("MinimizeToTray", &TspTrayIcon::MinimizeToTray)
        .Bool("DesignPreview", &TspTrayIcon::DesignPreview)
        .Event("OnClick", &TspTrayIcon::OnClick)
        .Event("OnDblClick", &TspTrayIcon::OnDblClick)
        .Event("OnMouseDown", &TspTrayIcon::OnMouseDown)
        .Event("OnMouseUp", &TspTrayIcon::OnMouseUp)
        .Event("OnMouseMove", &TspTrayIcon::OnMouseMove)
        .Event("OnCycle", &TspTrayIcon::OnCycle);
}
