#include "classlib/ui/Menus.h"

#include <algorithm>
#include <utility>

#include "classlib/ui/Application.h"
#include "classlib/ui/ImgList.h"

namespace {

// Command numbers in use, indexed by number; 0 is never handed out.
std::vector<bool>& CommandPool()
{
    static std::vector<bool> pool(0x10000, false);
    return pool;
}

uint16_t AcquireCommand()
{
    std::vector<bool>& pool = CommandPool();
    for (size_t command = 1; command < pool.size(); ++command) {
        if (!pool[command]) {
            pool[command] = true;
            return static_cast<uint16_t>(command);
        }
    }
    throw EMenuError("Too many menu items");
}

void ReleaseCommand(uint16_t command)
{
    if (command != 0)
        CommandPool()[command] = false;
}

TMenuItem* FindByCommand(TMenuItem* item, uint16_t command)
{
    if (item->Command() == command)
        return item;
    for (int i = 0; i < item->Count(); ++i)
        if (TMenuItem* found = FindByCommand(item->Items(i), command))
            return found;
    return nullptr;
}

// Pre-order walk through enabled items only.
TMenuItem* FindShortCut(TMenuItem* item, TShortCut shortCut)
{
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (!child->Enabled())
            continue;
        if (child->ShortCut() == shortCut)
            return child;
        if (TMenuItem* found = FindShortCut(child, shortCut))
            return found;
    }
    return nullptr;
}

// A native popup menu; destroying it destroys its submenus too.
class TNativeMenu {
public:
    TNativeMenu() : FHandle(CreatePopupMenu()) {}
    ~TNativeMenu()
    {
        if (FHandle != nullptr)
            DestroyMenu(FHandle);
    }
    TNativeMenu(const TNativeMenu&) = delete;
    TNativeMenu& operator=(const TNativeMenu&) = delete;

    HMENU Handle() const { return FHandle; }
    // Hands the menu to a parent menu, which destroys it from then on.
    HMENU Release() { return std::exchange(FHandle, nullptr); }

private:
    HMENU FHandle;
};

void AppendNativeItems(HMENU menu, const TMenuItem* item)
{
    for (int i = 0; i < item->Count(); ++i) {
        const TMenuItem* child = item->Items(i);
        if (!child->Visible())
            continue;
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        info.wID = child->Command();
        std::string text = child->Caption();
        if (child->IsSeparator()) {
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask |= MIIM_STRING;
            if (const std::string keys = ShortCutToText(child->ShortCut()); !keys.empty())
                text += "\t" + keys;
            info.dwTypeData = text.data();
            info.fType = child->RadioItem() ? MFT_RADIOCHECK : MFT_STRING;
            info.fState = (child->Enabled() ? MFS_ENABLED : MFS_GRAYED) | (child->Checked() ? MFS_CHECKED : 0) |
                          (child->Default() ? MFS_DEFAULT : 0);
        }
        TNativeMenu subMenu;
        if (child->Count() > 0 && !child->IsSeparator()) {
            AppendNativeItems(subMenu.Handle(), child);
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = subMenu.Handle();
        }
        if (InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info) && info.hSubMenu != nullptr)
            subMenu.Release();
    }
}

}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(AcquireCommand()) {}

TMenuItem::~TMenuItem()
{
    Clear();
    if (FParent != nullptr)
        FParent->Remove(this);
    ReleaseCommand(FCommand);
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EMenuError("Menu index out of range");
    return FItems[static_cast<size_t>(index)];
}

int TMenuItem::MenuIndex() const
{
    return FParent == nullptr ? -1 : FParent->IndexOf(this);
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (item->FParent != nullptr)
        throw EMenuError("Menu inserted twice");
    if (index < 0 || index > Count())
        throw EMenuError("Menu index out of range");
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Delete(int index)
{
    TMenuItem* item = Items(index);
    FItems.erase(FItems.begin() + index);
    item->FParent = nullptr;
}

void TMenuItem::Remove(TMenuItem* item)
{
    if (const int index = IndexOf(item); index >= 0)
        Delete(index);
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        delete FItems.back();  // the child takes itself out
}

void TMenuItem::Click()
{
    // A copy: the handler may free the item.
    const TNotifyEvent handler = OnClick;
    Fire(handler, this);
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* item = this;
    while (item->FParent != nullptr)
        item = item->FParent;
    return item->FMenu;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr))
{
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    delete FItems;
}

void TMenu::SetImages(TCustomImageList* images)
{
    ReplaceLink(FImages, images);
}

TMenuItem* TMenu::FindItem(uint16_t command) const
{
    return command == 0 ? nullptr : FindByCommand(FItems, command);
}

bool TMenu::DispatchCommand(uint16_t command)
{
    TMenuItem* item = FindItem(command);
    if (item == nullptr)
        return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(TWMKey& message)
{
    const TShortCut shortCut = ::ShortCut(message.CharCode, KeyDataToShiftState(message.KeyData));
    if (shortCut == 0)
        return false;
    TMenuItem* item = FindShortCut(FItems, shortCut);
    if (item == nullptr)
        return false;
    item->Click();
    return true;
}

void TMenu::Notification(TComponent* aComponent, TOperation operation)
{
    TComponent::Notification(aComponent, operation);
    if (operation == opRemove && aComponent == FImages)
        FImages = nullptr;
}

void TPopupMenu::SetPopupComponent(TComponent* component)
{
    ReplaceLink(FPopupComponent, component);
}

void TPopupMenu::Popup(int x, int y)
{
    DoPopup(this);
    TNativeMenu menu;
    AppendNativeItems(menu.Handle(), Items());
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(menu.Handle(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON,
                                                            x, y, Application->Handle(), nullptr));
    if (command != 0)
        DispatchCommand(static_cast<uint16_t>(command));
}

void TPopupMenu::Notification(TComponent* aComponent, TOperation operation)
{
    TMenu::Notification(aComponent, operation);
    if (operation == opRemove && aComponent == FPopupComponent)
        FPopupComponent = nullptr;
}

TShiftState KeyDataToShiftState(LPARAM keyData)
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (keyData & (1 << 29))
        shift |= ssAlt;
    return shift;
}
