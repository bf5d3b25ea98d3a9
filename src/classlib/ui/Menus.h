// Menus: trees of menu items, the main menu a form names and popup menus.
//
// A TMenuItem is a component with a caption ("-" makes a separator), a
// state (visible, enabled, checked, radio, default), a shortcut, an image
// index into its menu's image list and a list of child items. An item
// belongs to one parent item at most. Freeing an item frees its children
// (last first) and takes it out of its parent; items created by a form
// description are owned by the form and leave the form's list as they go.
//
// Each item holds a command number: unique among the living items,
// 1..65535, and handed out again once its item is freed. A menu finds and
// clicks items by number (DispatchCommand), which is how a chosen item is
// reached after whatever showed the menu has gone.
//
// TMenu owns its root item (Items). No native menu bar is ever built:
// TMainMenu is a tree that a form names (TCustomForm::Menu) for skinned
// drawing. TPopupMenu::Popup shows its visible items as a native popup
// menu; skinned popup menus override it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/ShortCuts.h"
#include "classlib/ui/Messages.h"

class TMenu;
class TCustomImageList;

class EMenuError : public Exception {
public:
    using Exception::Exception;
};

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    // Frees the children, leaves the parent and gives the command number back.
    ~TMenuItem() override;

    std::string ClassName() const override { return "TMenuItem"; }

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption) { FCaption = caption; }
    bool IsSeparator() const { return FCaption == "-"; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible) { FVisible = visible; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled) { FEnabled = enabled; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked) { FChecked = checked; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool radioItem) { FRadioItem = radioItem; }
    bool Default() const { return FDefault; }
    void SetDefault(bool isDefault) { FDefault = isDefault; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut shortCut) { FShortCut = shortCut; }
    // -1: no image.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index) { FImageIndex = index; }

    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EMenuError "Menu index out of range" outside 0..Count-1.
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return FParent; }
    // Position in the parent; -1 without one.
    int MenuIndex() const;
    int IndexOf(const TMenuItem* item) const;
    void Add(TMenuItem* item) { Insert(Count(), item); }
    // Index 0..Count. An item that has a parent already raises EMenuError
    // "Menu inserted twice"; a bad index "Menu index out of range".
    void Insert(int index, TMenuItem* item);
    // Takes the child out of the list; it is not freed.
    void Delete(int index);
    // Takes `item` out when it is a child; it is not freed.
    void Remove(TMenuItem* item);
    // Frees every child, last first.
    void Clear();

    uint16_t Command() const { return FCommand; }
    // Fires OnClick with the item as sender.
    virtual void Click();
    // The menu whose tree holds this item; null for a detached tree.
    TMenu* GetParentMenu() const;

    TNotifyEvent OnClick;

private:
    friend class TMenu;

    std::string FCaption;
    bool FVisible = true;
    bool FEnabled = true;
    bool FChecked = false;
    bool FRadioItem = false;
    bool FDefault = false;
    TShortCut FShortCut = 0;
    int FImageIndex = -1;
    uint16_t FCommand = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on a menu's root item
    std::vector<TMenuItem*> FItems;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    std::string ClassName() const override { return "TMenu"; }

    // The root item; its children are the menu's items.
    TMenuItem* Items() const { return FItems; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* images);

    // The item of that command number anywhere in the tree; null when none.
    TMenuItem* FindItem(uint16_t command) const;
    // Clicks the item of that number; false when the tree has none.
    bool DispatchCommand(uint16_t command);
    // Clicks the first enabled item, reached through enabled parents, whose
    // ShortCut is the key of `message` with KeyDataToShiftState of its key
    // data; true when one was clicked.
    bool IsShortCut(TWMKey& message);

    void Notification(TComponent* aComponent, TOperation operation) override;

private:
    TMenuItem* FItems;
    TCustomImageList* FImages = nullptr;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    std::string ClassName() const override { return "TMainMenu"; }
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
    std::string ClassName() const override { return "TPopupMenu"; }

    bool AutoPopup = true;
    // The component the menu was last shown for (set by whoever shows it).
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* component);

    // Fires OnPopup, then shows the visible items as a native popup menu at
    // (x, y) on the screen and, when one is chosen, dispatches its command.
    virtual void Popup(int x, int y);

    TNotifyEvent OnPopup;

    void Notification(TComponent* aComponent, TOperation operation) override;

protected:
    virtual void DoPopup(TObject* sender) { Fire(OnPopup, sender); }

private:
    TComponent* FPopupComponent = nullptr;
};

// The modifiers of a key stroke: ssAlt from bit 29 of the key data, ssShift
// and ssCtrl from the keyboard state (GetKeyState).
TShiftState KeyDataToShiftState(LPARAM keyData);
