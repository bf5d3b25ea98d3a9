#include "skin/forms/SkinMenu.h"

#include <algorithm>

#include "classlib/ui/WndProc.h"
#include "skin/SkinData.h"
#include "skin/forms/SkinMenuItem.h"
#include "skin/forms/SkinPopupWindow.h"

namespace {

// Posted to the engine's window: free the levels closed since.
constexpr UINT WM_FREELEVELS = WM_USER + 1;

}  // namespace

TspSkinMenu::TspSkinMenu(TComponent* owner, TWinControl* form)
    : TComponent(owner), FForm(form), FSubMenuTimer(new TTimer(this))
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(0);
    FSubMenuTimer->SetEnabled(false);
    FSubMenuTimer->SetInterval(500);
    FSubMenuTimer->OnTimer = [this](TObject* sender) { SubMenuTimerFired(sender); };
    if (FForm != nullptr)
        FForm->FreeNotification(this);
    FWindow = AllocateHWnd([this](TMessage& message) {
        if (message.Msg == WM_FREELEVELS)
            FreeReleasedLevels();
        else
            CallDefWindowProc(FWindow, message);
    });
}

TspSkinMenu::~TspSkinMenu()
{
    Destroying();
    CloseToLevel(0);
    FreeReleasedLevels();
    DeallocateHWnd(FWindow);
}

void TspSkinMenu::SetTransparentValue(int value)
{
    FTransparentValue = std::clamp(value, 1, 100);
}

void TspSkinMenu::SetPopupControl(TControl* control)
{
    ReplaceLink(FPopupControl, control);
}

void TspSkinMenu::SetSkinData(TspSkinData* skinData)
{
    ReplaceLink(FSkinData, skinData);
}

bool TspSkinMenu::Popup(TControl* popupControl, TspSkinData* skinData, int startIndex, const TRect& r,
                        TMenuItem* item, bool popupUp)
{
    // The opener of the menu open now hears it close before the new
    // opener is kept.
    if (!FLevels.empty())
        CloseToLevel(0);
    SetPopupControl(popupControl);
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    WorkArea = {area.left, area.top, area.right, area.bottom};
    SetSkinData(skinData);
    if (item == nullptr || item->Count() == 0)
        return false;
    FActive = true;
    AddPopupWindow(r, item, startIndex, false, popupUp);
    return true;
}

void TspSkinMenu::AddPopupWindow(const TRect& r, TMenuItem* item, int startIndex, bool isSubMenu, bool popupUp)
{
    TspDataSkinPopupWindow* popupData = nullptr;
    if (FSkinData != nullptr && !FSkinData->Empty)
        popupData = FSkinData->PopupWindow.get();
    auto* window = new TspSkinPopupWindow(nullptr, popupData, this);
    FLevels.push_back(window);
    window->Popup(r, item, startIndex, isSubMenu, popupUp);
}

void TspSkinMenu::ReleaseLevel(TspSkinPopupWindow* window)
{
    window->StopTimers();
    window->Hide();
    if (PendingItem != nullptr && PendingItem->Parent == window) {
        FSubMenuTimer->SetEnabled(false);
        PendingItem = nullptr;
    }
    FLevels.erase(std::remove(FLevels.begin(), FLevels.end(), window), FLevels.end());
    FReleased.push_back(window);
    if (FWindow != nullptr)
        PostMessageA(FWindow, WM_FREELEVELS, 0, 0);
}

void TspSkinMenu::FreeReleasedLevels()
{
    std::vector<TspSkinPopupWindow*> released;
    released.swap(FReleased);
    for (TspSkinPopupWindow* window : released)
        delete window;
}

void TspSkinMenu::CloseToLevel(int level)
{
    level = std::max(level, 0);
    while (static_cast<int>(FLevels.size()) > level)
        ReleaseLevel(FLevels.back());
    if (level != 0)
        return;
    FSubMenuTimer->SetEnabled(false);
    FActive = false;
    if (TControl* control = FPopupControl) {
        SetPopupControl(nullptr);
        if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed != nullptr)
            SendMessageA(windowed->Handle(), SM_CLOSESKINMENU, 0, 0);
        else
            control->Perform(SM_CLOSESKINMENU, 0, 0);
    }
}

void TspSkinMenu::CloseMenu()
{
    CloseToLevel(0);
    FSubMenuTimer->SetEnabled(false);
    PendingItem = nullptr;
    if (FForm != nullptr && !(ComponentState() & csDestroying))
        SendMessageA(FForm->Handle(), SM_CLOSESKINMENU, 0, 0);
}

int TspSkinMenu::LevelOf(const TspSkinPopupWindow* window) const
{
    const auto it = std::find(FLevels.begin(), FLevels.end(), window);
    return static_cast<int>(it - FLevels.begin());
}

void TspSkinMenu::CheckItem(TspSkinPopupWindow* window, TspSkinMenuItem* item, bool byKey, bool click)
{
    const bool hasChildren = item->MenuItem->Count() > 0;
    if (!hasChildren) {
        FSubMenuTimer->SetEnabled(false);
        PendingItem = nullptr;
        if (!click) {
            CloseToLevel(LevelOf(window) + 1);
            return;
        }
        // The number and the menu are taken before the levels go: the
        // level and its items are not to be touched after CloseMenu.
        const uint16_t command = item->MenuItem->Command();
        TMenu* menu = item->MenuItem->GetParentMenu();
        FChoosingMenu = menu;
        if (menu != nullptr)
            menu->FreeNotification(this);
        CloseMenu();
        if (FChoosingMenu != nullptr) {
            menu = FChoosingMenu;
            FChoosingMenu = nullptr;
            menu->RemoveFreeNotification(this);
            menu->DispatchCommand(command);
        }
        return;
    }
    if (click) {
        FSubMenuTimer->SetEnabled(false);
        PendingItem = nullptr;
        item->Down = true;
        const TRect& r = item->ItemRect;
        const TRect screen{r.Left + window->Left(), r.Top + window->Top(), r.Right + window->Left(),
                           r.Bottom + window->Top()};
        AddPopupWindow(screen, item->MenuItem, 0, true, false);
        return;
    }
    if (byKey)
        return;  // keys never open a submenu by themselves
    FSubMenuTimer->SetEnabled(false);
    CloseToLevel(LevelOf(window) + 1);
    PendingItem = item;
    FSubMenuTimer->SetEnabled(true);
}

void TspSkinMenu::SubMenuTimerFired(TObject*)
{
    FSubMenuTimer->SetEnabled(false);
    TspSkinMenuItem* item = PendingItem;
    PendingItem = nullptr;
    if (item != nullptr && LevelOf(item->Parent) < static_cast<int>(FLevels.size()))
        CheckItem(item->Parent, item, false, true);
}

void TspSkinMenu::Notification(TComponent* aComponent, TOperation operation)
{
    TComponent::Notification(aComponent, operation);
    if (operation != opRemove)
        return;
    if (aComponent == FPopupControl)
        FPopupControl = nullptr;
    if (aComponent == FForm)
        FForm = nullptr;
    if (aComponent == FChoosingMenu)
        FChoosingMenu = nullptr;
    if (aComponent == FSkinData) {
        // The levels point into the skin's records.
        FSkinData = nullptr;
        if (!FLevels.empty())
            CloseToLevel(0);
    }
}
