// The MDI side of forms: the MDI form's client window and its place among
// the aligned controls, the default processing of frames and children, and
// the children as the MDI client holds them.
#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "classlib/core/MdiClientArea.h"
#include "classlib/ui/Forms.h"

namespace {

// Identifiers the MDI client gives its children (it counts up from here).
constexpr UINT kFirstMDIChildId = 0xFF00;

}  // namespace

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FFormStyle == fsMDIForm && ParentWindow() == nullptr)
        CreateMDIClient();
}

void TCustomForm::CreateMDIClient()
{
    CLIENTCREATESTRUCT create{nullptr, kFirstMDIChildId};
    // MDIS_ALLCHILDSTYLES: a child keeps the styles its form asks for (its
    // border style, hidden until shown) instead of the standard MDI frame.
    FClientHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL |
                                        WS_VSCROLL | MDIS_ALLCHILDSTYLES,
                                    0, 0, 0, 0, Handle(), nullptr, GetModuleHandleA(nullptr), &create);
    if (FClientHandle == nullptr)
        throw Exception("Error creating window of class MDICLIENT");
    Realign();
}

void TCustomForm::DestroyWnd()
{
    if (FFormStyle == fsMDIChild && HandleAllocated() && (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD) != 0) {
        // Through the MDI client, so that it drops the child from its list
        // and activates the next one.
        const HWND client = GetParent(Handle());
        if (client != nullptr)
            SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
    }
    FClientHandle = nullptr;  // destroyed with the frame
    TWinControl::DestroyWnd();
}

void TCustomForm::DefaultHandler(TMessage& message)
{
    // The class library's own messages (at WM_USER and above) never reach
    // the MDI procedures.
    if (!HandleAllocated() || message.Msg >= WM_USER) {
        TWinControl::DefaultHandler(message);
        return;
    }
    if (FFormStyle == fsMDIForm && FClientHandle != nullptr) {
        message.Result = DefFrameProcA(Handle(), FClientHandle, message.Msg, message.WParam, message.LParam);
        return;
    }
    if (FFormStyle == fsMDIChild && (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD) != 0) {
        message.Result = DefMDIChildProcA(Handle(), message.Msg, message.WParam, message.LParam);
        return;
    }
    TWinControl::DefaultHandler(message);
}

RECT TCustomForm::MDIClientRect()
{
    std::vector<TAlignedBox> boxes;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (!control->Visible())
            continue;
        const RECT r = control->BoundsRect();
        const TRect bounds{r.left, r.top, r.right, r.bottom};
        switch (control->Align()) {
        case alTop: boxes.push_back({TAlignedSide::Top, bounds}); break;
        case alBottom: boxes.push_back({TAlignedSide::Bottom, bounds}); break;
        case alLeft: boxes.push_back({TAlignedSide::Left, bounds}); break;
        case alRight: boxes.push_back({TAlignedSide::Right, bounds}); break;
        default: break;
        }
    }
    const TRect area = MdiClientArea(ClientWidth(), ClientHeight(), boxes);
    return RECT{area.Left, area.Top, std::max(area.Left, area.Right), std::max(area.Top, area.Bottom)};
}

void TCustomForm::Realign()
{
    TWinControl::Realign();
    PlaceMDIClient();
}

void TCustomForm::PlaceMDIClient()
{
    if (FClientHandle == nullptr)
        return;
    const RECT area = MDIClientRect();
    SetWindowPos(FClientHandle, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<TForm*> TCustomForm::MDIChildList() const
{
    std::vector<TForm*> children;
    if (FFormStyle != fsMDIForm || FClientHandle == nullptr)
        return children;
    for (HWND wnd = GetWindow(FClientHandle, GW_CHILD); wnd != nullptr; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
        auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(wnd));
        if (form != nullptr && form->FormStyle() == fsMDIChild)
            children.push_back(form);
    }
    // The active child first: the z-order of a freshly shown child need not
    // follow its activation.
    if (TForm* active = ActiveMDIChild()) {
        std::erase(children, active);
        children.insert(children.begin(), active);
    }
    return children;
}

int TCustomForm::MDIChildCount() const
{
    return static_cast<int>(MDIChildList().size());
}

TForm* TCustomForm::MDIChildren(int index) const
{
    const std::vector<TForm*> children = MDIChildList();
    CheckListIndex(index, static_cast<int>(children.size()));
    return children[index];
}

TForm* TCustomForm::ActiveMDIChild() const
{
    if (FFormStyle != fsMDIForm || FClientHandle == nullptr)
        return nullptr;
    const auto wnd = reinterpret_cast<HWND>(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0));
    auto* form = wnd != nullptr ? dynamic_cast<TForm*>(TWinControl::FindControl(wnd)) : nullptr;
    return form != nullptr && form->FormStyle() == fsMDIChild ? form : nullptr;
}

void TCustomForm::ActivateMDIChild()
{
    const HWND client = GetParent(Handle());
    if (client != nullptr)
        SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
}

TCloseAction TCustomForm::DefaultCloseAction() const
{
    if (FFormStyle != fsMDIChild)
        return caHide;
    return (FBorderIcons & biMinimize) != 0 ? caMinimize : caNone;
}
