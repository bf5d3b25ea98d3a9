// The skinned form's system menu, its skinned-menu and main-menu modes with
// the key hook, and the main menu's shortcuts.
#include <algorithm>
#include <memory>

#include "classlib/core/ShortCuts.h"
#include "classlib/core/SysUtils.h"
#include "classlib/ui/Menus.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/core/MenuBarLayout.h"
#include "skin/SkinData.h"
#include "classlib/graphics/WinTypes.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/SkinFrameMainMenuItem.h"
#include "skin/forms/SkinMenuItem.h"
#include "skin/forms/SkinMainMenu.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/forms/SkinMenu.h"
#include "skin/forms/SkinPopupMenu.h"
#include "skin/forms/SkinPopupWindow.h"
#include "skin/forms/TrayIcon.h"

namespace {

const char* const ComponentItemNames[] = {"DSF_MINITEM", "DSF_MAXITEM", "DSF_CLOSE",
                                          "DSF_MINTOTRAY", "DSF_ROLLUP", "DSF_RESTORE"};

bool IsComponentItem(const TMenuItem* item)
{
    for (const char* name : ComponentItemNames)
        if (SameText(item->Name(), name))
            return true;
    return false;
}

}  // namespace

TPopupMenu* TspDynamicSkinForm::GetSystemMenu()
{
    if (FSystemMenu != nullptr) {
        CheckSystemMenu();
        return FSystemMenu;
    }
    BuildSystemMenu();
    return FSysMenu;
}

namespace {

// A component item of `menu`, owned by the menu, with its action.
TMenuItem* MakeItem(TPopupMenu* menu, const char* name, const char* caption, std::function<void()> action)
{
    auto* item = new TMenuItem(menu);
    item->SetName(name);
    item->SetCaption(caption);
    if (action)
        item->OnClick = [action](TObject*) { action(); };
    return item;
}

TMenuItem* MakeSeparator(TPopupMenu* menu)
{
    auto* item = new TMenuItem(menu);
    item->SetCaption("-");
    return item;
}

}  // namespace

void TspDynamicSkinForm::BuildSystemMenu()
{
    if (FSysMenu == nullptr)
        return;
    TMenuItem* root = FSysMenu->Items();
    root->Clear();
    const bool minimized = WindowState == 1, maximized = WindowState == 2;
    auto add = [root](TMenuItem* item) { root->Add(item); };
    if (!minimized && (FBorderIcons & biMinimize))
        add(MakeItem(FSysMenu, "DSF_MINITEM", "Mi&nimize", [this] { SetWindowState(1); }));
    if (!maximized && (FBorderIcons & biMaximize))
        add(MakeItem(FSysMenu, "DSF_MAXITEM", "Ma&ximize", [this] { SetWindowState(2); }));
    auto restore = [this] {
        if (MaxRollUp || (RollUpState && WindowState == 0))
            SetRollUpState(false);
        else
            SetWindowState(0);
    };
    if (WindowState != 0 || RollUpState)
        add(MakeItem(FSysMenu, "DSF_RESTORE", "&Restore", restore));
    if (IsMDIChild() && maximized) {
        if (FBorderIcons & biMinimizeToTray)
            add(MakeItem(FSysMenu, "DSF_MINTOTRAY", "Minimize to &Tray", [this] { MinimizeToTray(); }));
        if (root->Count() > 0)
            add(MakeSeparator(FSysMenu));
        add(MakeCloseItem(FSysMenu));
        return;
    }
    if (!RollUpState && !minimized && (FBorderIcons & biRollUp))
        add(MakeItem(FSysMenu, "DSF_ROLLUP", "Ro&llUp", [this] { SetRollUpState(true); }));
    if (FBorderIcons & biMinimizeToTray)
        add(MakeItem(FSysMenu, "DSF_MINTOTRAY", "Minimize to &Tray", [this] { MinimizeToTray(); }));
    if (root->Count() > 0)
        add(MakeSeparator(FSysMenu));
    add(MakeCloseItem(FSysMenu));
}

TMenuItem* TspDynamicSkinForm::MakeCloseItem(TPopupMenu* Menu)
{
    TMenuItem* close = MakeItem(Menu, "DSF_CLOSE", "&Close", [this] { Form->Close(); });
    close->SetShortCut(CloseShortCut());
    return close;
}

TShortCut TspDynamicSkinForm::CloseShortCut() const
{
    return TextToShortCut(IsMDIChild() ? "Ctrl+F4" : "Alt+F4");
}

void TspDynamicSkinForm::UpdateTrayCloseShortCut()
{
    if (FTrayMenu == nullptr)
        return;
    TMenuItem* items = FTrayMenu->Items();
    for (int i = 0; i < items->Count(); ++i)
        if (items->Items(i)->Name() == "TRAY_DSF_CLOSE")
            items->Items(i)->SetShortCut(CloseShortCut());
}

void TspDynamicSkinForm::CheckSystemMenu()
{
    if (FSystemMenu == nullptr || !UseDefaultSysMenu)
        return;
    TMenuItem* root = FSystemMenu->Items();
    for (bool found = true; found;) {
        found = false;
        for (int i = 0; i < root->Count(); ++i)
            if (IsComponentItem(root->Items(i))) {
                delete root->Items(i);
                found = true;
                break;
            }
    }
    const bool minimized = WindowState == 1, maximized = WindowState == 2;
    auto first = [root](TMenuItem* item) { root->Insert(0, item); };
    TPopupMenu* m = FSystemMenu;
    if (FBorderIcons & biMinimizeToTray)
        first(MakeItem(m, "DSF_MINTOTRAY", "Minimize to &Tray", [this] { MinimizeToTray(); }));
    if (!(IsMDIChild() && maximized) && !RollUpState && !minimized && (FBorderIcons & biRollUp))
        first(MakeItem(m, "DSF_ROLLUP", "Ro&llUp", [this] { SetRollUpState(true); }));
    if (!maximized && (FBorderIcons & biMaximize))
        first(MakeItem(m, "DSF_MAXITEM", "Ma&ximize", [this] { SetWindowState(2); }));
    if (WindowState != 0 || RollUpState)
        first(MakeItem(m, "DSF_RESTORE", "&Restore", [this] {
            if (MaxRollUp || (RollUpState && WindowState == 0))
                SetRollUpState(false);
            else
                SetWindowState(0);
        }));
    if (!minimized && (FBorderIcons & biMinimize))
        first(MakeItem(m, "DSF_MINITEM", "Mi&nimize", [this] { SetWindowState(1); }));
    root->Add(MakeCloseItem(m));
}

void TspDynamicSkinForm::PopupUnder(TspSkinButtonObject* Object)
{
    PopupUnder(Object, Object->PopupMenu, Object->PopupToUp);
}

void TspDynamicSkinForm::PopupUnder(TspActiveSkinObject* Object, TPopupMenu* Menu, bool PopupToUp)
{
    if (Menu == nullptr || Menu->Items()->Count() == 0 || FSkinMenu == nullptr)
        return;
    TRect R = Object->ObjectRect;
    // The window's left-top on the screen: a child's bounds are its MDI
    // client's, so its client origin less the frame is taken.
    TPoint origin{Form->Left(), Form->Top()};
    if (IsMDIChild()) {
        const POINT client = Form->ClientOrigin();
        const TPoint frame = ChildFrameOffset();
        origin = {client.x - frame.X, client.y - frame.Y};
    }
    R.Left += origin.X;
    R.Right += origin.X;
    R.Top += origin.Y;
    R.Bottom += origin.Y;
    if (auto* skinned = dynamic_cast<TspSkinPopupMenu*>(Menu)) {
        skinned->PopupFromRect(R, PopupToUp);
        return;
    }
    TspSkinData* skin = FMenusSkinData != nullptr ? FMenusSkinData : FSkinData;
    // The mode is entered only when a level opened, so that its close comes.
    if (FSkinMenu->Popup(Form, skin, 0, R, Menu->Items(), PopupToUp))
        SkinMenuOpen();
}

void TspDynamicSkinForm::SkinMenuOpen()
{
    if (!InMainMenu)
        InstallKeyHook();
    if (!InSkinMenu) {
        InSkinMenu = true;
        if (OnSkinMenuOpen)
            OnSkinMenuOpen(this);
    }
}

void TspDynamicSkinForm::SkinMenuClose()
{
    const bool wasOpen = InSkinMenu;
    InSkinMenu = false;
    if (FSwitchingMainMenu) {
        // Another main-menu item's menu takes its place.
        if (wasOpen && OnSkinMenuClose)
            OnSkinMenuClose(this);
        return;
    }
    // The main-menu item or button whose menu closed comes up again.
    bool released = false;
    for (TspSkinMainMenuItem* item : MainMenuItems())
        if (item->Down) {
            item->Active = false;
            item->Down = false;
            item->Morph.Tenths = 0;
            DrawSkinObject(item);
            released = true;
            break;
        }
    for (const auto& object : ObjectList) {
        if (released)
            break;
        auto* button = dynamic_cast<TspSkinButtonObject*>(object.get());
        if (button != nullptr && button->Down && button->PopupMenu != nullptr) {
            button->SetDown(false);
            button->Active = false;
            DrawSkinObject(button);
            break;
        }
    }
    if (TspSkinMainMenuBar* bar = MenuBar())
        bar->CloseDownItem();
    RemoveKeyHook();
    if (wasOpen && OnSkinMenuClose)
        OnSkinMenuClose(this);
    if (InMainMenu) {
        InMainMenu = false;
        LeaveBarMode();
        if (OnMainMenuExit)
            OnMainMenuExit(this);
    }
}

void TspDynamicSkinForm::MainMenuEnter()
{
    // Also without main-menu items: Alt enters menu mode, as the system's
    // own menu bar does; a second Alt, Escape or a click leaves it.
    const std::vector<TspSkinMainMenuItem*> items = MainMenuItems();
    if (!items.empty()) {
        const int current = CurrentMainMenuItem();
        HotMainMenuItem(current >= 0 ? current : 0);
    }
    InMainMenu = true;
    InstallKeyHook();
    if (OnMainMenuEnter)
        OnMainMenuEnter(this);
}

void TspDynamicSkinForm::MainMenuEnterFrom(TObject* Sender)
{
    SetModeBar(dynamic_cast<TspSkinMainMenuBar*>(Sender));
    InMainMenu = true;
    InstallKeyHook();
    if (OnMainMenuEnter)
        OnMainMenuEnter(Sender);
}

void TspDynamicSkinForm::MainMenuExit()
{
    InMainMenu = false;
    if (FSkinMenu != nullptr && FSkinMenu->Active())
        FSkinMenu->CloseMenu();
    for (TspSkinMainMenuItem* item : MainMenuItems())
        if (item->Active || item->Down) {
            item->Active = false;
            item->Down = false;
            item->Morph.Tenths = 0;
            DrawSkinObject(item);
        }
    LeaveBarMode();
    if (!InSkinMenu)
        RemoveKeyHook();
    if (OnMainMenuExit)
        OnMainMenuExit(this);
}

struct TspDynamicSkinForm::TKeyHookHandler {
    TspDynamicSkinForm* Owner;
    void operator()(MSG& Msg, bool& Handled) const { Owner->KeyHook(Msg, Handled); }
};

TspDynamicSkinForm* TspDynamicSkinForm::KeyHookOwner(const std::function<void(MSG&, bool&)>& Handler)
{
    const TKeyHookHandler* hook = Handler.target<TKeyHookHandler>();
    return hook != nullptr ? hook->Owner : nullptr;
}

void TspDynamicSkinForm::InstallKeyHook()
{
    if (FKeyHookInstalled)
        return;
    FSavedOnMessage = Application->OnMessage;
    Application->OnMessage = TKeyHookHandler{this};
    FKeyHookInstalled = true;
}

void TspDynamicSkinForm::RemoveKeyHook()
{
    if (!FKeyHookInstalled)
        return;
    FKeyHookInstalled = false;
    // An MDI form's menu mode and a child's menu stack their hooks and may
    // end in either order, or a form may go with its hook in place. A
    // handler set over the chain by someone else stays; the hook then only
    // leaves the chain below it as far as that can be followed.
    if (KeyHookOwner(Application->OnMessage) == this) {
        Application->OnMessage = std::move(FSavedOnMessage);
    } else {
        for (TspDynamicSkinForm* above = KeyHookOwner(Application->OnMessage); above != nullptr;
             above = KeyHookOwner(above->FSavedOnMessage))
            if (KeyHookOwner(above->FSavedOnMessage) == this) {
                above->FSavedOnMessage = std::move(FSavedOnMessage);
                break;
            }
    }
    FSavedOnMessage = nullptr;
}

void TspDynamicSkinForm::KeyHook(MSG& Msg, bool& Handled)
{
    // An active form without a focused control gets its keys as system keys
    // whose context code (bit 29) says Alt is up: they are the menus' too.
    const bool focusless = Msg.message == WM_SYSKEYDOWN && (Msg.lParam & (1 << 29)) == 0;
    if (Msg.message != WM_KEYDOWN && !focusless) {
        if (FSavedOnMessage)
            FSavedOnMessage(Msg, Handled);
        return;
    }
    // A child's keys belong to its MDI form's menus while those are open.
    if (IsMDIChild())
        if (TspDynamicSkinForm* main = GetDynamicSkinForm(Application->MainForm());
            main != nullptr && main != this && (main->InSkinMenu || main->InMainMenu)) {
            main->KeyHook(Msg, Handled);
            return;
        }
    // Every key goes to the menus while a menu mode lasts.
    const WORD key = static_cast<WORD>(Msg.wParam);
    Msg.message = 0;
    Handled = true;
    const bool menuShown = FSkinMenu != nullptr && FSkinMenu->Active() && FSkinMenu->DeepestLevel() != nullptr;
    if (key == VK_ESCAPE && InMainMenu && !menuShown) {
        MainMenuExit();
        return;
    }
    // Right leaves the open menu for the next main-menu entry when no level
    // is open or the last level's selected item opens nothing.
    const int levels = menuShown ? static_cast<int>(FSkinMenu->Levels().size()) : 0;
    bool rightMoves = levels == 0;
    if (menuShown) {
        const TspSkinPopupWindow* last = FSkinMenu->DeepestLevel();
        const int selected = last->Selected();
        rightMoves = selected < 0 || selected >= last->ItemCount() || last->Items(selected)->MenuItem->Count() == 0;
    }
    if (TspSkinMainMenuBar* bar = MenuBar(); InMainMenu && bar != nullptr) {
        // The bar walks its items; the open menu keeps Up, Down, Enter and
        // a submenu's Left and Right.
        if (key >= 'A' && key <= 'Z' && !menuShown && bar->FindAccelItem(static_cast<char>(key)))
            return;
        if (key == VK_LEFT && levels < 2) {
            bar->PrevItem();
            return;
        }
        if (key == VK_RIGHT && rightMoves) {
            bar->NextItem();
            return;
        }
        if (key == VK_RETURN && !menuShown && bar->ClickDownItem())
            return;
    } else if (InMainMenu && !MainMenuItems().empty()) {
        const std::vector<TspSkinMainMenuItem*> items = MainMenuItems();
        const int accel = FindMainMenuAccel(key);
        if (accel >= 0) {
            SelectMainMenuItem(accel);
            return;
        }
        std::vector<TMenuBarItemSlot> slots(items.size());
        for (size_t i = 0; i < items.size(); ++i)
            slots[i].Enabled = items[i]->Enabled;
        if (key == VK_LEFT && levels < 2) {
            HotMainMenuItem(MenuBarPrevItem(slots, CurrentMainMenuItem()));
            return;
        }
        if (key == VK_RIGHT && rightMoves) {
            HotMainMenuItem(MenuBarNextItem(slots, CurrentMainMenuItem()));
            return;
        }
        if (key == VK_RETURN) {
            for (TspSkinMainMenuItem* item : items)
                if ((item->Down && item->MenuItem->Count() == 0) || (!menuShown && item->Active && !item->Down)) {
                    item->Press();
                    return;
                }
        }
    }
    if (!menuShown)
        return;
    FSkinMenu->DeepestLevel()->ProcessKey(key);
    if (key == VK_ESCAPE && !FSkinMenu->Active()) {
        if (!InMainMenu) {
            if (InSkinMenu)
                SkinMenuClose();
        } else if (InSkinMenu) {
            // The popup is left; main-menu mode stays on its item.
            InSkinMenu = false;
            for (TspSkinMainMenuItem* item : MainMenuItems())
                if (item->Down) {
                    item->Down = false;
                    item->Active = true;
                    DrawSkinObject(item);
                }
            if (TspSkinMainMenuBar* bar = FModeBar != nullptr ? FModeBar : MenuBar())
                bar->CloseDownItem();
            if (OnSkinMenuClose)
                OnSkinMenuClose(this);
        }
    }
}

void TspDynamicSkinForm::FormShortCut(TWMKey& Msg, bool& Handled)
{
    if (FShortCutTaken) {
        FShortCutTaken = false;
        // The same key message offered again was taken already.
        if (Msg.CharCode == FTakenCharCode && Msg.KeyData == FTakenKeyData) {
            Handled = false;
            return;
        }
    }
    TspSkinMainMenuBar* bar = MenuBar();
    TMainMenu* menu = bar != nullptr && bar->MainMenu() != nullptr ? bar->MainMenu() : FMainMenu;
    if (menu == nullptr)
        return;
    if (KeyDataToShiftState(Msg.KeyData) == ssAlt && (GetKeyState(VK_SHIFT) & 0x8000) == 0 &&
        (GetKeyState(VK_CONTROL) & 0x8000) == 0) {
        if (menu != FMainMenu) {
            if (Msg.CharCode >= 'A' && Msg.CharCode <= 'Z' &&
                bar->FindAccelItem(static_cast<char>(Msg.CharCode))) {
                Handled = true;
                return;
            }
        } else if (const int accel = FindMainMenuAccel(Msg.CharCode); accel >= 0) {
            SelectMainMenuItem(accel);
            Handled = true;
            return;
        }
    }
    FShortCutTaken = menu->IsShortCut(Msg);
    FTakenCharCode = Msg.CharCode;
    FTakenKeyData = Msg.KeyData;
    Handled = FShortCutTaken;
}

void TspDynamicSkinForm::SetModeBar(TspSkinMainMenuBar* Bar)
{
    TspSkinMainMenuBar* old = FModeBar;
    FModeBar = Bar;
    if (old != nullptr && old != Bar)
        ReleaseBar(old);
    if (FModeBar != nullptr)
        FModeBar->FreeNotification(this);
}

void TspDynamicSkinForm::LeaveBarMode()
{
    TspSkinMainMenuBar* bar = FModeBar != nullptr ? FModeBar : MenuBar();
    SetModeBar(nullptr);
    if (bar != nullptr)
        bar->ExitMenuMode();
}

void TspDynamicSkinForm::MinimizeToTray()
{
    if (FTrayIcon == nullptr)
        return;
    FTrayIcon->MinimizeToTray = true;
    Application->Minimize();
    if (OnMinimizeToTray)
        OnMinimizeToTray(this);
}

void TspDynamicSkinForm::RestoreFromTray()
{
    if (FTrayIcon == nullptr)
        return;
    FTrayIcon->MinimizeToTray = false;
    FTrayIcon->RestoreFromTray();
    Application->Restore();
    FTrayIcon->SetIconVisible(false);
    if (OnRestoreFromTray)
        OnRestoreFromTray(this);
}

// ---------------------------------------------------------------- main-menu items

std::vector<TspSkinMainMenuItem*> TspDynamicSkinForm::MainMenuItems() const
{
    std::vector<TspSkinMainMenuItem*> items;
    for (const auto& object : ObjectList)
        if (auto* item = dynamic_cast<TspSkinMainMenuItem*>(object.get()))
            items.push_back(item);
    return items;
}

void TspDynamicSkinForm::LoadMainMenuItems()
{
    if (FMainMenu == nullptr || !HasSkin())
        return;
    TspDataSkinMainMenuItem* record = nullptr;
    for (const auto& data : FSkinData->ObjectList)
        if (SameText(data->IDName, "MAINMENUITEM"))
            if ((record = dynamic_cast<TspDataSkinMainMenuItem*>(data.get())) != nullptr)
                break;
    if (record == nullptr)
        return;
    // The items lead the list: they are drawn first, under the skin's
    // objects, and hit-tested first, over them.
    std::vector<std::unique_ptr<TspActiveSkinObject>> items;
    TMenuItem* root = FMainMenu->Items();
    for (int i = 0; i < root->Count(); ++i)
        if (root->Items(i)->Visible()) {
            // An item freed on its own takes its object with it.
            root->Items(i)->FreeNotification(this);
            items.push_back(std::make_unique<TspSkinMainMenuItem>(this, record, root->Items(i)));
        }
    if (items.empty())
        return;
    ObjectList.insert(ObjectList.begin(), std::make_move_iterator(items.begin()),
                      std::make_move_iterator(items.end()));
    // The indexes name other objects now.
    ActiveObject = OldActiveObject = CaptureObject = -1;
}

bool TspDynamicSkinForm::EraseMainMenuItems(const TComponent* MenuItem)
{
    const auto matches = [MenuItem](const std::unique_ptr<TspActiveSkinObject>& object) {
        const auto* item = dynamic_cast<const TspSkinMainMenuItem*>(object.get());
        return item != nullptr && (MenuItem == nullptr || item->MenuItem == MenuItem);
    };
    const auto first = std::find_if(ObjectList.begin(), ObjectList.end(), matches);
    if (first == ObjectList.end())
        return false;
    // Indices into the removed items and those after them name nothing now.
    const int from = static_cast<int>(first - ObjectList.begin());
    ObjectList.erase(std::remove_if(first, ObjectList.end(), matches), ObjectList.end());
    for (int* index : {&ActiveObject, &OldActiveObject, &CaptureObject})
        if (*index >= from)
            *index = -1;
    return true;
}

void TspDynamicSkinForm::UpdateMainMenu(bool Redraw)
{
    EraseMainMenuItems(nullptr);
    LoadMainMenuItems();
    if (!Redraw || !Form->HandleAllocated())
        return;
    CalcObjectRects();
    if (!FSupportNCArea) {
        const RECT r = ToRECT(Layout.NewMainMenuRect);
        InvalidateRect(Form->Handle(), &r, FALSE);
    } else {
        SendNCPaint();
    }
}

void TspDynamicSkinForm::PlaceMainMenuItems()
{
    const std::vector<TspSkinMainMenuItem*> items = MainMenuItems();
    if (items.empty())
        return;
    TBitmap measure;
    measure.SetSize(1, 1);
    int x = Layout.NewMainMenuRect.Left;
    const int top = Layout.NewMainMenuRect.Top;
    for (TspSkinMainMenuItem* item : items) {
        const int w = item->ItemWidth(measure.Canvas());
        item->ObjectRect = {x, top, x + w, top + RectHeight(item->SkinRect)};
        x += w;
    }
}

void TspDynamicSkinForm::PopupMainMenuItem(TspSkinMainMenuItem* Item)
{
    if (!InMainMenu) {
        InMainMenu = true;
        InstallKeyHook();
        if (OnMainMenuEnter)
            OnMainMenuEnter(this);
    }
    if (FSkinMenu == nullptr)
        return;
    TRect R = Item->ObjectRect;
    R.Left += Form->Left();
    R.Right += Form->Left();
    R.Top += Form->Top();
    R.Bottom += Form->Top();
    auto* skinMenu = dynamic_cast<TspSkinMainMenu*>(FMainMenu);
    TspSkinData* skin = skinMenu != nullptr && skinMenu->SkinData() != nullptr ? skinMenu->SkinData()
                        : FMenusSkinData != nullptr                             ? FMenusSkinData
                                                                                : FSkinData;
    const bool up = HasSkin() && FSkinData->MainMenuPopupUp;
    FSwitchingMainMenu = true;
    // The menu opens without an opener, so that Escape on its last level
    // leaves it for the item while main-menu mode stays (the key hook); a
    // command or a click elsewhere still closes through the form. The menu
    // open before gives way here, as its opener would have been told.
    if (InSkinMenu && FSkinMenu->Active())
        SkinMenuClose();
    const bool opened = FSkinMenu->Popup(nullptr, skin, 0, R, Item->MenuItem, up);
    FSwitchingMainMenu = false;
    if (opened)
        SkinMenuOpen();
}

void TspDynamicSkinForm::LeaveMenuModes()
{
    if (InMainMenu)
        MainMenuExit();
    if (FSkinMenu != nullptr && FSkinMenu->Active())
        FSkinMenu->CloseMenu();
    else if (InSkinMenu)
        SkinMenuClose();
}

int TspDynamicSkinForm::CurrentMainMenuItem() const
{
    const std::vector<TspSkinMainMenuItem*> items = MainMenuItems();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i]->Down)
            return static_cast<int>(i);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i]->Active)
            return static_cast<int>(i);
    return -1;
}

void TspDynamicSkinForm::HotMainMenuItem(int Index)
{
    const std::vector<TspSkinMainMenuItem*> items = MainMenuItems();
    if (Index < 0 || Index >= static_cast<int>(items.size()))
        return;
    TspSkinMainMenuItem* target = items[static_cast<size_t>(Index)];
    bool menuOpen = false;
    for (TspSkinMainMenuItem* item : items) {
        if (item == target || !(item->Active || item->Down))
            continue;
        menuOpen = menuOpen || item->Down;
        item->Active = false;
        item->Down = false;
        item->Morph.Tenths = 0;
        DrawSkinObject(item);
    }
    target->Active = true;
    if (menuOpen && target->MenuItem->Count() > 0) {
        target->Morph.Tenths = 10;
        target->SetDown(true);
        return;
    }
    if (menuOpen && FSkinMenu != nullptr && FSkinMenu->Active()) {
        // The open menu closes; main-menu mode stays on the new item.
        FSwitchingMainMenu = true;
        FSkinMenu->CloseMenu();
        FSwitchingMainMenu = false;
    }
    target->ReDraw();
}

int TspDynamicSkinForm::FindMainMenuAccel(WORD Key) const
{
    // Accelerators are letters and digits; the other virtual keys are no
    // characters.
    if (!((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')))
        return -1;
    const std::vector<TspSkinMainMenuItem*> items = MainMenuItems();
    std::vector<TMenuBarItemSlot> slots(items.size());
    std::vector<std::string> captions;
    for (size_t i = 0; i < items.size(); ++i) {
        slots[i].Enabled = items[i]->Enabled;
        captions.push_back(items[i]->MenuItem->Caption());
    }
    return MenuBarFindAccelItem(slots, captions, static_cast<char>(Key));
}

void TspDynamicSkinForm::SelectMainMenuItem(int Index)
{
    const std::vector<TspSkinMainMenuItem*> items = MainMenuItems();
    if (Index < 0 || Index >= static_cast<int>(items.size()))
        return;
    TspSkinMainMenuItem* item = items[static_cast<size_t>(Index)];
    const bool menuOpen = FSkinMenu != nullptr && FSkinMenu->Active();
    HotMainMenuItem(Index);
    if (menuOpen && item->MenuItem->Count() > 0)
        return;
    if (!item->Down)
        item->Press();
}
