// The skinned form's MDI side: the main form's children's components, the
// MDI client's area and hook, fitting and re-slotting the children, and the
// MDI messages between a frame's component and its children's.
#include "classlib/ui/Screen.h"
#include "skin/SkinData.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/forms/SkinMenu.h"

namespace {

TCustomForm* MDIMainForm()
{
    auto* main = static_cast<TCustomForm*>(Application != nullptr ? Application->MainForm() : nullptr);
    return main != nullptr && main->FormStyle() == fsMDIForm ? main : nullptr;
}

}  // namespace

// ---------------------------------------------------------------- the MDI client hook

void TspMDIClientHook::Attach(HWND Wnd)
{
    FWindow = Wnd;
    AttachWindowTarget(Wnd, this);
}

void TspMDIClientHook::Detach()
{
    if (FWindow != nullptr && IsWindow(FWindow) && WindowTargetOf(FWindow) == this)
        DetachWindowTarget(FWindow);
    FWindow = nullptr;
}

LRESULT TspMDIClientHook::WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return FOwner->NewMDIClientWndProc(Wnd, Msg, WParam, LParam);
}

LRESULT TspDynamicSkinForm::NewMDIClientWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        // No border: the whole window is the client's.
        return 0;
    case WM_NCACTIVATE: return 1;
    case WM_SIZE: {
        const LRESULT result = DefaultWindowProc(Wnd, Msg, WParam, LParam);
        MDIRefresh();
        return result;
    }
    case WM_ERASEBKGND: {
        const HDC dc = reinterpret_cast<HDC>(WParam);
        RECT r{};
        GetClientRect(Wnd, &r);
        // In both frame modes: the skin's background picture, else its
        // client part; a skin with neither leaves the workspace colour.
        const bool tiled = HasSkin() && FSkinData->BGPictureIndex >= 0 &&
                           FSkinData->BGPictureIndex < static_cast<int>(FSkinData->ActivePictures.size());
        if (tiled) {
            PaintTiledClientBG(dc, r.right, r.bottom);
        } else if (HasSkin() && !IsNullRect(FSkinData->ClRect)) {
            PaintStretchedClientBG(dc, r.right, r.bottom);
        } else {
            FillRect(dc, &r, GetSysColorBrush(COLOR_APPWORKSPACE));
        }
        return 1;
    }
    default: return DefaultWindowProc(Wnd, Msg, WParam, LParam);
    }
}

// ---------------------------------------------------------------- the main form's children

TspDynamicSkinForm* TspDynamicSkinForm::GetDynamicSkinForm(TCustomForm* AForm)
{
    return FirstComponentOf<TspDynamicSkinForm>(AForm);
}

TspDynamicSkinForm* TspDynamicSkinForm::GetMaximizedMDIChildSkinForm() const
{
    return HasMaximizedMDIChild();
}

TspDynamicSkinForm* TspDynamicSkinForm::HasMaximizedMDIChild() const
{
    TCustomForm* main = MDIMainForm();
    if (main == nullptr)
        return nullptr;
    for (int i = 0; i < main->MDIChildCount(); ++i) {
        TspDynamicSkinForm* skin = GetDynamicSkinForm(main->MDIChildren(i));
        if (skin != nullptr && skin->WindowState == 2)
            return skin;
    }
    return nullptr;
}

TspDynamicSkinForm* TspDynamicSkinForm::GetActiveMDIChildSkinForm() const
{
    TCustomForm* main = MDIMainForm();
    return main != nullptr ? GetDynamicSkinForm(main->ActiveMDIChild()) : nullptr;
}

TRect TspDynamicSkinForm::GetMDIClientRect()
{
    auto* main = static_cast<TCustomForm*>(Application->MainForm());
    if (main == nullptr)
        return {};
    const RECT r = main->MDIClientRect();
    return {r.left, r.top, r.right, r.bottom};
}

std::string TspDynamicSkinForm::FrameCaption(const std::string& Caption) const
{
    if (!MDIChildMaximized || !IsMDIForm())
        return Caption;
    const TspDynamicSkinForm* child = HasMaximizedMDIChild();
    if (child == nullptr || !child->Form->Visible())
        return Caption;
    return Caption + " - [" + child->Form->Caption() + "]";
}

TPoint TspDynamicSkinForm::MDIMinimizedSlot(int W, int H) const
{
    TCustomForm* main = MDIMainForm();
    const TRect client = GetMDIClientRect();
    const TRect area{0, 0, RectWidth(client), RectHeight(client)};
    return FindMinimizedSlot(area, W, H, [this, main](const TPoint& P) {
        for (int i = 0; main != nullptr && i < main->MDIChildCount(); ++i) {
            TForm* other = main->MDIChildren(i);
            if (other == Form || !other->Visible())
                continue;
            const TspDynamicSkinForm* skin = GetDynamicSkinForm(other);
            if (skin != nullptr && skin->WindowState == 1 && other->Left() == P.X && other->Top() == P.Y)
                return true;
        }
        return false;
    });
}

void TspDynamicSkinForm::MDIRefresh()
{
    TCustomForm* main = MDIMainForm();
    if (main == nullptr)
        return;
    const int count = main->MDIChildCount();
    for (int i = 0; i < count; ++i) {
        TForm* child = main->MDIChildren(i);
        if (child->HandleAllocated())
            SendMessageA(child->Handle(), SM_MDICHILDFITCLIENT, 0, 0);
    }
    // The children are placed one after another, each against those
    // already in their slots.
    for (int i = count - 1; i >= 0; --i) {
        TForm* child = main->MDIChildren(i);
        TspDynamicSkinForm* skin = GetDynamicSkinForm(child);
        if (skin == nullptr || skin->WindowState != 1)
            continue;
        const int w = skin->GetMinWidth(), h = skin->GetMinHeight();
        const TPoint slot = skin->MDIMinimizedSlot(w, h);
        child->SetBounds(slot.X, slot.Y, w, h);
    }
}

// ---------------------------------------------------------------- messages

void TspDynamicSkinForm::NotifyMDIForm(UINT Msg)
{
    TForm* main = Application->MainForm();
    if (main != nullptr && main->HandleAllocated())
        SendMessageA(main->Handle(), Msg, 0, 0);
}

void TspDynamicSkinForm::MDIMessage(TMessage& M)
{
    switch (M.Msg) {
    case SM_MDICHILDFITCLIENT:
        if (IsMDIChild() && WindowState == 2) {
            const TRect client = GetMDIClientRect();
            Form->SetBounds(0, 0, RectWidth(client), RectHeight(client));
        }
        break;
    case SM_MDICHILDMAXIMIZED:
        if (IsMDIForm()) {
            MDIChildMaximized = true;
            RedrawCaption();
            if (TspSkinMainMenuBar* bar = MenuBar())
                bar->ShowMDIButtons();
        }
        break;
    case SM_MDICHILDRESTORED:
        if (IsMDIForm()) {
            MDIChildMaximized = HasMaximizedMDIChild() != nullptr;
            RedrawCaption();
            if (TspSkinMainMenuBar* bar = MenuBar())
                bar->HideMDIButtons(MDIChildMaximized);
        }
        break;
    default: break;
    }
}
