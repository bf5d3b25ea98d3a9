#include <algorithm>

#include "classlib/core/ScopeExit.h"
#include "classlib/core/SysUtils.h"
#include "classlib/ui/Controls.h"

// The window target of a control: messages of its window go to the
// control's MainWndProc. A separate object, because TWindowTarget's
// WindowProc and the control's replaceable WindowProc would share a name.
class TWinControl::TTarget final : public TWindowTarget {
public:
    explicit TTarget(TWinControl* control) : FControl(control) {}

    TWinControl* Control() const { return FControl; }

    LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        // The first messages arrive while CreateWindowEx runs.
        if (FControl->FHandle == nullptr)
            FControl->FHandle = wnd;
        TMessage message{msg, wParam, lParam, 0};
        FControl->MainWndProc(message);
        // The control may be gone here (a form released itself).
        return message.Result;
    }

    void WindowDestroyed(HWND wnd) override
    {
        if (FControl->FHandle == wnd)
            FControl->FHandle = nullptr;
    }

private:
    TWinControl* FControl;
};

namespace {

int NextControlId()
{
    static int next = 0;
    next = next % 0x7FFF + 1;
    return next;
}

}  // namespace

TWinControl::TWinControl(TComponent* owner)
    : TControl(owner), FTarget(std::make_unique<TTarget>(this))
{
}

TWinControl::~TWinControl()
{
    // Messages of the destruction must not reach handlers of the derived
    // classes, which are gone already.
    WindowProc = [this](TMessage& message) { TWinControl::WndProc(message); };
    Destroying();
    while (!FControls.empty())
        delete FControls.back();
    DestroyHandle();
}

// --- Window ------------------------------------------------------------------

HWND TWinControl::Handle()
{
    if (FHandle == nullptr) {
        if (FParent != nullptr)
            FParent->HandleNeeded();
        if (FHandle != nullptr)  // the parent made it along with its own
            return FHandle;
        CreateWnd();
        for (TControl* control : std::vector<TControl*>(FControls)) {
            if (auto* child = dynamic_cast<TWinControl*>(control))
                child->HandleNeeded();
        }
        Realign();
    }
    return FHandle;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params = TCreateParams{};
    params.Caption = FText;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if ((ControlStyle() & csAcceptsControls) != 0)
        params.Style |= WS_CLIPCHILDREN;
    if (FTabStop)
        params.Style |= WS_TABSTOP;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (Visible())
        params.Style |= WS_VISIBLE;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = FParent != nullptr ? FParent->FHandle : FParentWindow;
    params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* className)
{
    WNDCLASSA info{};
    if (GetClassInfoA(nullptr, className, &info))
        params.WindowClass.style = info.style;
    params.WinClassName = className;
    params.SubClass = true;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) != 0 && params.WndParent == nullptr)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    CreateWindowHandle(params);
    if (FHandle == nullptr)
        throw Exception("Error creating window of class " + params.WinClassName);
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
}

void TWinControl::CreateWindowHandle(const TCreateParams& params)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    FCtlId = NextControlId();
    const HMENU id = (params.Style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<intptr_t>(FCtlId))
                                                    : nullptr;
    if (params.SubClass) {
        const HWND wnd = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(),
                                         params.Style, params.X, params.Y, params.Width, params.Height,
                                         params.WndParent, id, instance, nullptr);
        if (wnd == nullptr)
            return;
        FHandle = wnd;
        FSubClassed = true;
        AttachWindowTarget(wnd, FTarget.get());
        return;
    }
    WNDCLASSEXA windowClass{};
    windowClass.style = params.WindowClass.style;
    windowClass.hCursor = params.WindowClass.hCursor;
    windowClass.hIcon = params.WindowClass.hIcon;
    windowClass.hbrBackground = params.WindowClass.hbrBackground;
    windowClass.lpszClassName = params.WinClassName.c_str();
    RegisterWindowClass(windowClass);
    FSubClassed = false;
    CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X,
                    params.Y, params.Width, params.Height, params.WndParent, id, instance,
                    static_cast<TWindowTarget*>(FTarget.get()));
}

void TWinControl::DestroyHandle()
{
    if (FHandle == nullptr)
        return;
    FText = Text();
    DestroyWnd();
}

void TWinControl::DestroyWnd()
{
    if (FMouseControl == this || (FMouseControl != nullptr && FMouseControl->FParent == this))
        FMouseControl = nullptr;
    const HWND wnd = FHandle;
    DestroyWindow(wnd);
    if (FHandle == wnd)  // a window of another thread, or one that refused
        FHandle = nullptr;
}

void TWinControl::RecreateWnd()
{
    if (FHandle == nullptr)
        return;
    DestroyHandle();
    HandleNeeded();
}

void TWinControl::FrameChanged()
{
    if (FHandle == nullptr)
        return;
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

void TWinControl::SetParentWindow(HWND parentWindow)
{
    if (FParent != nullptr || parentWindow == FParentWindow)
        return;
    if (FHandle != nullptr && FParentWindow != nullptr && parentWindow != nullptr) {
        FParentWindow = parentWindow;
        ::SetParent(FHandle, parentWindow);
    } else {
        DestroyHandle();
        FParentWindow = parentWindow;
    }
    if (FParentWindow != nullptr && Visible())
        HandleNeeded();
}

TWinControl* TWinControl::FindControl(HWND wnd)
{
    if (wnd == nullptr)
        return nullptr;
    auto* target = dynamic_cast<TTarget*>(WindowTargetOf(wnd));
    return target != nullptr ? target->Control() : nullptr;
}

// --- Children ------------------------------------------------------------------

TControl* TWinControl::Controls(int index) const
{
    CheckListIndex(index, ControlCount());
    return FControls[static_cast<size_t>(index)];
}

TControl* TWinControl::ControlAtPos(POINT point) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* control = *it;
        if (dynamic_cast<TWinControl*>(control) != nullptr || !control->Visible() || !control->Enabled())
            continue;
        const RECT bounds = control->BoundsRect();
        if (PtInRect(&bounds, point))
            return control;
    }
    return nullptr;
}

void TWinControl::InsertControl(TControl* control)
{
    FControls.push_back(control);
    control->FParent = this;
    if (auto* child = dynamic_cast<TWinControl*>(control)) {
        if (child->FHandle != nullptr) {
            if (FHandle != nullptr)
                ::SetParent(child->FHandle, FHandle);
            else
                child->DestroyHandle();
        } else if (FHandle != nullptr && child->Visible()) {
            child->HandleNeeded();
        }
    } else {
        control->Invalidate();
    }
    if (control->FAlign != alNone)
        Realign();
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control)
{
    if (FMouseControl == control)
        FMouseControl = nullptr;
    control->Invalidate();
    FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
    control->FParent = nullptr;
    if (auto* child = dynamic_cast<TWinControl*>(control)) {
        if (child->FParentWindow == nullptr)
            child->DestroyHandle();
    }
    if ((ComponentState() & csDestroying) != 0)
        return;
    if (control->FAlign != alNone)
        Realign();
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
}

void TWinControl::NotifyControls(UINT msg)
{
    for (TControl* control : std::vector<TControl*>(FControls))
        control->Perform(msg, 0, 0);
}

TWinControl* TWinControl::ChildById(int id) const
{
    for (TControl* control : FControls) {
        auto* child = dynamic_cast<TWinControl*>(control);
        if (child != nullptr && child->FCtlId == id)
            return child;
    }
    return nullptr;
}

// --- Geometry and layout -----------------------------------------------------

std::string TWinControl::Text() const
{
    if (FHandle == nullptr)
        return TControl::Text();
    std::string text(static_cast<size_t>(GetWindowTextLengthA(FHandle)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(FHandle, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT TWinControl::ClientRect()
{
    if (FHandle == nullptr) {
        // What the window's frame will leave of the size.
        TCreateParams params;
        CreateParams(params);
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
        return RECT{0, 0, std::max<int>(Width() - (frame.right - frame.left), 0),
                    std::max<int>(Height() - (frame.bottom - frame.top), 0)};
    }
    RECT rect{};
    GetClientRect(FHandle, &rect);
    return rect;
}

POINT TWinControl::ClientOrigin()
{
    POINT origin{0, 0};
    ::ClientToScreen(Handle(), &origin);
    return origin;
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (FHandle != nullptr) {
        // WM_WINDOWPOSCHANGED records what the window became.
        SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (PlaceBy(RECT{left, top, left + width, top + height})) {
        Realign();
        Resize();
        if (FParent != nullptr)
            FParent->ControlResized(this);
    }
    if (FParent != nullptr && Align() != alNone && !FParent->FAligning)
        FParent->Realign();
}

void TWinControl::SetClientSize(int width, int height)
{
    if (FHandle != nullptr) {
        RECT client{};
        GetClientRect(FHandle, &client);
        SetBounds(Left(), Top(), Width() + width - client.right, Height() + height - client.bottom);
        return;
    }
    TCreateParams params;
    CreateParams(params);
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, params.Style, FALSE, params.ExStyle);
    SetBounds(Left(), Top(), outer.right - outer.left, outer.bottom - outer.top);
}

bool TWinControl::UpdateBoundsFromWindow()
{
    RECT rect{};
    GetWindowRect(FHandle, &rect);
    if ((GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD) != 0)
        MapWindowPoints(nullptr, GetAncestor(FHandle, GA_PARENT), reinterpret_cast<POINT*>(&rect), 2);
    return PlaceBy(rect);
}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0)
        Realign();
}

void TWinControl::SetBorderWidth(int width)
{
    if (width == FBorderWidth)
        return;
    FBorderWidth = width;
    Realign();
}

void TWinControl::Realign()
{
    if (FAlignLevel > 0 || FAligning || (ComponentState() & csDestroying) != 0 ||
        (FHandle == nullptr && FControls.empty()))
        return;
    FAligning = true;
    const TScopeExit aligned([this] { FAligning = false; });

    RECT client = ClientRect();
    const std::vector<TControl*> controls(FControls);

    // Anchored children follow the change of the client size since the last
    // layout; the first layout of a window only records the size.
    if (FHandle != nullptr) {
        const SIZE size{client.right - client.left, client.bottom - client.top};
        if (FLayoutSize.cx >= 0 && (size.cx != FLayoutSize.cx || size.cy != FLayoutSize.cy)) {
            const int dx = size.cx - FLayoutSize.cx;
            const int dy = size.cy - FLayoutSize.cy;
            for (TControl* control : controls) {
                if (control->FAlign != alNone)
                    continue;
                const TAnchors anchors = control->FAnchors;
                int left = control->Left();
                int top = control->Top();
                int width = control->Width();
                int height = control->Height();
                if ((anchors & akRight) != 0) {
                    if ((anchors & akLeft) != 0)
                        width += dx;
                    else
                        left += dx;
                } else if ((anchors & akLeft) == 0) {
                    left += dx / 2;
                }
                if ((anchors & akBottom) != 0) {
                    if ((anchors & akTop) != 0)
                        height += dy;
                    else
                        top += dy;
                } else if ((anchors & akTop) == 0) {
                    top += dy / 2;
                }
                control->SetBounds(left, top, std::max(width, 0), std::max(height, 0));
            }
        }
        FLayoutSize = size;
    }

    AdjustClientRect(client);
    for (const TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> aligned;
        for (TControl* control : controls) {
            if (control->FAlign == align && control->Visible())
                aligned.push_back(control);
        }
        // Strips keep the order of their positions (nearest the edge first).
        std::stable_sort(aligned.begin(), aligned.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop:
                return a->Top() < b->Top();
            case alBottom:
                return a->Top() > b->Top();
            case alLeft:
                return a->Left() < b->Left();
            case alRight:
                return a->Left() > b->Left();
            default:
                return false;
            }
        });
        for (TControl* control : aligned) {
            const int width = std::max<int>(client.right - client.left, 0);
            const int height = std::max<int>(client.bottom - client.top, 0);
            switch (align) {
            case alTop:
                control->SetBounds(client.left, client.top, width, control->Height());
                client.top += control->Height();
                break;
            case alBottom:
                control->SetBounds(client.left, client.bottom - control->Height(), width, control->Height());
                client.bottom -= control->Height();
                break;
            case alLeft:
                control->SetBounds(client.left, client.top, control->Width(), height);
                client.left += control->Width();
                break;
            case alRight:
                control->SetBounds(client.right - control->Width(), client.top, control->Width(), height);
                client.right -= control->Width();
                break;
            default:
                control->SetBounds(client.left, client.top, width, height);
                break;
            }
        }
    }
}

// --- Properties --------------------------------------------------------------

void TWinControl::SetTabStop(bool tabStop)
{
    if (tabStop == FTabStop)
        return;
    FTabStop = tabStop;
    if (FHandle != nullptr) {
        LONG style = GetWindowLongA(FHandle, GWL_STYLE);
        style = tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        SetWindowLongA(FHandle, GWL_STYLE, style);
    }
}

void TWinControl::SetTabOrder(int tabOrder)
{
    FTabOrder = tabOrder;
}

std::vector<TWinControl*> TWinControl::TabOrderList() const
{
    std::vector<std::pair<int, TWinControl*>> children;
    for (TControl* control : FControls) {
        if (auto* child = dynamic_cast<TWinControl*>(control)) {
            const int position = static_cast<int>(children.size());
            children.emplace_back(child->FTabOrder >= 0 ? child->FTabOrder : position, child);
        }
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TWinControl*> list;
    for (const auto& [order, child] : children) {
        list.push_back(child);
        const std::vector<TWinControl*> inner = child->TabOrderList();
        list.insert(list.end(), inner.begin(), inner.end());
    }
    return list;
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const
{
    const std::vector<TWinControl*> list = TabOrderList();
    const int count = static_cast<int>(list.size());
    if (count == 0)
        return nullptr;
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == count)
        start = goForward ? count - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* candidate = list[i];
        if (candidate->CanFocus() && (!checkTabStop || candidate->FTabStop) &&
            (!checkParent || candidate->Parent() == this))
            return candidate;
    } while (i != start);
    return nullptr;
}

HBRUSH TWinControl::Brush()
{
    if (!FBrush || FBrushColor != Color()) {
        FBrush = TGdiObject(CreateSolidBrush(ColorToRGB(Color())));
        FBrushColor = Color();
        if (!FBrush)
            throw EOutOfResources("Out of system resources");
    }
    return static_cast<HBRUSH>(FBrush.Get());
}

void TWinControl::Invalidate()
{
    if (FHandle != nullptr)
        InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update()
{
    if (FHandle != nullptr)
        UpdateWindow(FHandle);
}

bool TWinControl::Focused() const
{
    return FHandle != nullptr && GetFocus() == FHandle;
}

bool TWinControl::CanFocus() const
{
    for (const TControl* control = this; control != nullptr; control = control->Parent())
        if (!control->Visible() || !control->Enabled())
            return false;
    return true;
}

void TWinControl::AdjustClientRect(RECT& rect)
{
    InflateRect(&rect, -FBorderWidth, -FBorderWidth);
}

void TWinControl::SetFocus()
{
    ::SetFocus(Handle());
}

void TWinControl::UpdateShowing()
{
    if (FHandle == nullptr) {
        if (Visible() && ((FParent != nullptr && FParent->HandleAllocated()) || FParentWindow != nullptr))
            HandleNeeded();
        return;
    }
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}
