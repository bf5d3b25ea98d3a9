// The tree view over the common controls' SysTreeView32.
//
// The nodes live in the control (`TTreeNodes`), so they exist before the
// window does and survive RecreateWnd with their texts and expanded states;
// while the window exists each change is made in it too. The window shows
// the control's Color and its font's colour. Expanding or collapsing a
// node - by the user (the reflected TVN_ITEMEXPANDED) or by Expand /
// Collapse - fires OnExpanded or OnCollapsed once per change.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/ui/Controls.h"

struct _TREEITEM;
class TCustomTreeView;
class TTreeNodes;

class TTreeNode {
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const std::string& Text() const { return FText; }
    void SetText(const std::string& text);
    TTreeNode* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int index) const;
    bool Expanded() const { return FExpanded; }
    void Expand(bool recurse = false);
    void Collapse(bool recurse = false);
    // The window's item; null without a window.
    _TREEITEM* ItemId() const { return FItemId; }
    void* Data = nullptr;

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    TTreeNode(TTreeNodes* owner, TTreeNode* parent, const std::string& text);
    void SetExpanded(bool expanded, bool recurse);

    TTreeNodes* FOwner;
    TTreeNode* FParent;
    std::string FText;
    bool FExpanded = false;
    _TREEITEM* FItemId = nullptr;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    TCustomTreeView* Owner() const { return FOwner; }
    // A node after the last sibling of `sibling` (null: a top-level node).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    // A node after the last child of `parent` (null: a top-level node).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    // Every node, at every level.
    int Count() const;
    // The top-level nodes.
    int TopCount() const { return static_cast<int>(FRoots.size()); }
    TTreeNode* Top(int index) const;
    void Clear();

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    void InsertInWindow(TTreeNode* node);

    TCustomTreeView* FOwner;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
};

using TTVExpandedEvent = std::function<void(TObject* sender, TTreeNode* node)>;

class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;
    std::string ClassName() const override { return "TCustomTreeView"; }

    TTreeNodes* Items() const { return FItems.get(); }

    TTVExpandedEvent OnExpanded;
    TTVExpandedEvent OnCollapsed;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    virtual void Expand(TTreeNode* node);
    virtual void Collapse(TTreeNode* node);

private:
    friend class TTreeNode;
    // The window's background and text colours from Color and the font.
    void ApplyColors();
    friend class TTreeNodes;

    std::unique_ptr<TTreeNodes> FItems;
};

class TTreeView : public TCustomTreeView {
public:
    explicit TTreeView(TComponent* owner) : TCustomTreeView(owner) {}
    std::string ClassName() const override { return "TTreeView"; }
};
