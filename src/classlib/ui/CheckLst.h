// `TCheckListBox`: a list whose items each carry a check box.
//
// Win32 has no such control: this is an owner-drawn list box (fixed item
// height, strings kept by the window) that draws a check box before each
// item. A click in the check box area of an item, or the space key on the
// selected item, toggles its check mark and fires OnClickCheck; setting
// Checked from code fires nothing. Items and check marks live in a
// `TListControlItems`, so they exist before the window and survive its
// re-creation, and a check mark moves with its item when others are inserted
// or deleted.
#pragma once

#include <memory>
#include <string>

#include "classlib/ui/StdCtrls.h"

class TCheckListBox : public TWinControl {
public:
    explicit TCheckListBox(TComponent* owner);
    std::string ClassName() const override { return "TCheckListBox"; }

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* items) { FItems->Assign(items); }
    // -1 for none; an index outside the items gives -1.
    int ItemIndex() const { return FItems->ItemIndex(); }
    void SetItemIndex(int index) { FItems->SetItemIndex(index); }

    // An index outside the items raises EListError.
    bool Checked(int index) const { return FItems->Checked(index); }
    void SetChecked(int index, bool checked);

    TNotifyEvent OnClickCheck;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void KeyPress(char& key) override;
    virtual void ClickCheck();

private:
    int ItemHeight();
    void InvalidateItem(int index);
    void Toggle(int index);
    void DrawItem(const DRAWITEMSTRUCT& item);

    std::unique_ptr<TListControlItems> FItems;
    TCanvas FCanvas;
};
