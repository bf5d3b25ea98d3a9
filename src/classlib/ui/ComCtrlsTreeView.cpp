#include "classlib/ui/ComCtrlsTreeView.h"

#include <commctrl.h>

#include "classlib/core/SysUtils.h"

namespace {

void RegisterTreeClass()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_TREEVIEW_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    if (!registered)
        throw Exception("Error creating window of class " WC_TREEVIEWA);
}


}  // namespace

// --- TTreeNode -------------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent, const std::string& text)
    : FOwner(owner), FParent(parent), FText(text)
{
}

TTreeNode* TTreeNode::Item(int index) const
{
    CheckListIndex(index, Count());
    return FChildren[static_cast<size_t>(index)].get();
}

void TTreeNode::SetText(const std::string& text)
{
    FText = text;
    if (FItemId != nullptr) {
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = FItemId;
        item.pszText = const_cast<char*>(FText.c_str());
        SendMessageA(FOwner->FOwner->Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void TTreeNode::Expand(bool recurse)
{
    SetExpanded(true, recurse);
}

void TTreeNode::Collapse(bool recurse)
{
    SetExpanded(false, recurse);
}

void TTreeNode::SetExpanded(bool expanded, bool recurse)
{
    // TVM_EXPAND sends no TVN_ITEMEXPANDED: the events are fired here.
    if (expanded != FExpanded) {
        FExpanded = expanded;
        if (FItemId != nullptr)
            SendMessageA(FOwner->FOwner->Handle(), TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE,
                         reinterpret_cast<LPARAM>(FItemId));
        if (expanded)
            FOwner->FOwner->Expand(this);
        else
            FOwner->FOwner->Collapse(this);
    }
    if (recurse) {
        for (const auto& child : FChildren)
            child->SetExpanded(expanded, true);
    }
}

// --- TTreeNodes ------------------------------------------------------------------

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text)
{
    return AddChild(sibling != nullptr ? sibling->FParent : nullptr, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text)
{
    auto& level = parent != nullptr ? parent->FChildren : FRoots;
    level.push_back(std::unique_ptr<TTreeNode>(new TTreeNode(this, parent, text)));
    TTreeNode* node = level.back().get();
    if (FOwner->HandleAllocated())
        InsertInWindow(node);
    return node;
}

int TTreeNodes::Count() const
{
    int count = 0;
    std::function<void(const std::vector<std::unique_ptr<TTreeNode>>&)> walk =
        [&](const std::vector<std::unique_ptr<TTreeNode>>& nodes) {
            for (const auto& node : nodes) {
                ++count;
                walk(node->FChildren);
            }
        };
    walk(FRoots);
    return count;
}

TTreeNode* TTreeNodes::Top(int index) const
{
    CheckListIndex(index, TopCount());
    return FRoots[static_cast<size_t>(index)].get();
}

void TTreeNodes::Clear()
{
    if (FOwner->HandleAllocated())
        SendMessageA(FOwner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    FRoots.clear();
}

// Inserts the node and its children, and opens it when it was open.
void TTreeNodes::InsertInWindow(TTreeNode* node)
{
    const HWND wnd = FOwner->Handle();
    TVINSERTSTRUCTA insert{};
    insert.hParent = node->FParent != nullptr ? node->FParent->FItemId : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(node->FText.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    node->FItemId = reinterpret_cast<HTREEITEM>(
        SendMessageA(wnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    for (const auto& child : node->FChildren)
        InsertInWindow(child.get());
    if (node->FExpanded && node->FItemId != nullptr)
        SendMessageA(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node->FItemId));
}

// --- TCustomTreeView -------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TTreeNodes>(this))
{
    SetControlStyle(csDoubleClicks);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

TCustomTreeView::~TCustomTreeView()
{
    // The nodes go before the window: their items need no deleting one by one.
    DestroyHandle();
}

void TCustomTreeView::CreateParams(TCreateParams& params)
{
    RegisterTreeClass();
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_TREEVIEWA);
    params.Style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::ApplyColors()
{
    if (!HandleAllocated())
        return;
    SendMessageA(Handle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    SendMessageA(Handle(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
}

void TCustomTreeView::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyColors();
    for (const auto& node : FItems->FRoots)
        FItems->InsertInWindow(node.get());
}

void TCustomTreeView::DestroyWnd()
{
    std::function<void(const std::vector<std::unique_ptr<TTreeNode>>&)> forget =
        [&](const std::vector<std::unique_ptr<TTreeNode>>& nodes) {
            for (const auto& node : nodes) {
                node->FItemId = nullptr;
                forget(node->FChildren);
            }
        };
    forget(FItems->FRoots);
    TWinControl::DestroyWnd();
}

void TCustomTreeView::Expand(TTreeNode* node)
{
    if (OnExpanded)
        OnExpanded(this, node);
}

void TCustomTreeView::Collapse(TTreeNode* node)
{
    if (OnCollapsed)
        OnCollapsed(this, node);
}

void TCustomTreeView::WndProc(TMessage& message)
{
    if (message.Msg == CM_COLORCHANGED || message.Msg == CM_FONTCHANGED) {
        TWinControl::WndProc(message);
        ApplyColors();
        return;
    }
    if (message.Msg == CN_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        if (header->code == TVN_ITEMEXPANDEDA || header->code == TVN_ITEMEXPANDEDW) {
            // The item part is laid out alike in both character sets.
            const auto* info = reinterpret_cast<const NMTREEVIEWA*>(message.LParam);
            auto* node = reinterpret_cast<TTreeNode*>(info->itemNew.lParam);
            const bool expanded = (info->itemNew.state & TVIS_EXPANDED) != 0;
            if (node != nullptr && node->FExpanded != expanded) {
                node->FExpanded = expanded;
                if (expanded)
                    Expand(node);
                else
                    Collapse(node);
            }
            message.Result = 0;
            return;
        }
    }
    TWinControl::WndProc(message);
}
