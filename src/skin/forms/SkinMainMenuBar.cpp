#include "skin/forms/SkinMainMenuBar.h"

#include "classlib/graphics/Colors.h"
#include "classlib/graphics/WinTypes.h"
#include "classlib/ui/Application.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/core/MenuBarLayout.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/MainMenuModeHost.h"
#include "skin/forms/SkinMenu.h"
#include "skin/forms/SkinMenuHost.h"

namespace {

bool Contains(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

std::vector<TMenuBarItemSlot> SlotsOf(const std::vector<TspSkinMainMenuBarItem*>& items)
{
    std::vector<TMenuBarItemSlot> slots(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        slots[i].Enabled = items[i]->Enabled;
        slots[i].Visible = items[i]->Visible;
        slots[i].SavedEnabled = items[i]->SavedEnabled;
    }
    return slots;
}

}  // namespace

// --- The bar -----------------------------------------------------------------------

TspSkinMainMenuBar::TspSkinMainMenuBar(TComponent* AOwner)
    : TspSkinControl(AOwner), FBarMorphTimer(new TTimer(this)), FBarMouseTimer(new TTimer(this))
{
    SkinDataName = "mainmenubar";
    FDefItemFont.SetName("Arial");
    FDefItemFont.SetHeight(14);
    FDefItemFont.SetStyle(0);
    FDefItemFont.SetColor(clBtnText);
    FBarMorphTimer->SetEnabled(false);
    FBarMorphTimer->SetInterval(20);
    FBarMorphTimer->OnTimer = [this](TObject* sender) { MorphTimerEvent(sender); };
    FBarMouseTimer->SetEnabled(false);
    FBarMouseTimer->SetInterval(50);
    FBarMouseTimer->OnTimer = [this](TObject* sender) { MouseTimerEvent(sender); };
    SetAlign(alTop);
    SetBounds(Left(), Top(), Width(), 22);
}

TspSkinMainMenuBar::~TspSkinMainMenuBar() = default;

void TspSkinMainMenuBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FDynamicSkinForm)
        FDynamicSkinForm = nullptr;
    if (AComponent == FMainMenu) {
        FMainMenu = nullptr;
        if ((ComponentState() & csDestroying) == 0)
            MakeObjects();
    }
    // An item freed on its own takes its object with it.
    const size_t before = ObjectList.size();
    std::erase_if(ObjectList, [AComponent](const std::unique_ptr<TspMenuBarObject>& object) {
        const auto* item = dynamic_cast<const TspSkinMainMenuBarItem*>(object.get());
        return item != nullptr && item->MenuItem == AComponent;
    });
    if (ObjectList.size() != before) {
        HotIndex = OldHotIndex = PressedIndex = -1;
        if ((ComponentState() & csDestroying) == 0)
            Invalidate();
    }
}

void TspSkinMainMenuBar::SetDefItemFont(TFont* Value)
{
    FDefItemFont.Assign(Value);
    if (!Skinned)
        Invalidate();
}

void TspSkinMainMenuBar::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (!Skinned && Value >= 1)
        SetBounds(Left(), Top(), Value, Height());
}

void TspSkinMainMenuBar::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (!Skinned && Value >= 1)
        SetBounds(Left(), Top(), Width(), Value);
}

void TspSkinMainMenuBar::SetDynamicSkinForm(TspDynamicSkinForm* Value)
{
    if (Value == FDynamicSkinForm)
        return;
    TspDynamicSkinForm* old = FDynamicSkinForm;
    FDynamicSkinForm = Value;
    // The form serves the bar that links itself (MDI buttons, keys) until
    // the link ends; the free notification goes with the last link.
    if (old != nullptr)
        old->UnlinkMenuBar(this);
    if (Value != nullptr)
        Value->LinkMenuBar(this);
}

void TspSkinMainMenuBar::SetMainMenu(TMainMenu* Value)
{
    if (FMainMenu != nullptr)
        FMainMenu->RemoveFreeNotification(this);
    FMainMenu = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
    MakeObjects();
}

const TspDataSkinMainMenuBar* TspSkinMainMenuBar::Record() const
{
    if (FIndex == -1 || SkinData() == nullptr)
        return nullptr;
    return dynamic_cast<const TspDataSkinMainMenuBar*>(SkinData()->ControlList[static_cast<size_t>(FIndex)].get());
}

TBitmap* TspSkinMainMenuBar::ActivePicture(int index) const
{
    TspSkinData* skin = SkinData();
    if (skin == nullptr || index < 0 || index >= static_cast<int>(skin->ActivePictures.size()))
        return nullptr;
    return skin->ActivePictures[static_cast<size_t>(index)].get();
}

TspSkinMenuHost* TspSkinMainMenuBar::MenuHost() const { return dynamic_cast<TspSkinMenuHost*>(FDynamicSkinForm); }

void TspSkinMainMenuBar::FormMainMenuEnter()
{
    if (FDynamicSkinForm == nullptr)
        return;
    if (auto* host = dynamic_cast<TspMainMenuModeHost*>(FDynamicSkinForm)) {
        host->MainMenuEnterFrom(this);
        return;
    }
    FDynamicSkinForm->InMainMenu = true;
    Fire(FDynamicSkinForm->OnMainMenuEnter, this);
}

void TspSkinMainMenuBar::FormMainMenuExit()
{
    if (FDynamicSkinForm == nullptr)
        return;
    if (auto* host = dynamic_cast<TspMainMenuModeHost*>(FDynamicSkinForm)) {
        host->MainMenuExit();
        return;
    }
    FDynamicSkinForm->InMainMenu = false;
    ExitMenuMode();
    Fire(FDynamicSkinForm->OnMainMenuExit, FDynamicSkinForm);
}

std::vector<TspSkinMainMenuBarItem*> TspSkinMainMenuBar::Items() const
{
    std::vector<TspSkinMainMenuBarItem*> items;
    for (size_t i = static_cast<size_t>(FMDIButtonCount); i < ObjectList.size(); ++i)
        items.push_back(static_cast<TspSkinMainMenuBarItem*>(ObjectList[i].get()));
    return items;
}

void TspSkinMainMenuBar::BeforeChangeSkinData()
{
    TspSkinControl::BeforeChangeSkinData();
    // The objects point into the skin's pictures, which go now.
    ObjectList.clear();
    FMDIButtonCount = 0;
    HotIndex = OldHotIndex = PressedIndex = -1;
}

void TspSkinMainMenuBar::ChangeSkinData()
{
    TspSkinControl::ChangeSkinData();
    MakeObjects();
    if (const TspDataSkinMainMenuBar* record = Record())
        SetBounds(Left(), Top(), Width(), RectHeight(record->SkinRect));
    else if (FDefaultHeight > 0)
        SetBounds(Left(), Top(), Width(), FDefaultHeight);
}

void TspSkinMainMenuBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // The skin's bar has the height of its picture.
    if (const TspDataSkinMainMenuBar* record = Skinned ? Record() : nullptr)
        AHeight = RectHeight(record->SkinRect);
    TspSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TspSkinMainMenuBar::MakeObjects()
{
    GetSkinData();
    const TspDataSkinMainMenuBar* record = Record();
    Skinned = record != nullptr;
    ObjectList.clear();
    FMDIButtonCount = 0;
    HotIndex = OldHotIndex = PressedIndex = -1;
    HasHiddenItems = false;
    if (MDIButtonsShown)
        MakeMDIButtons();
    if (FMainMenu != nullptr) {
        const TspDataSkinMainMenuBarItem* itemRecord = nullptr;
        if (record != nullptr) {
            const int index = SkinData()->GetObjectIndex(record->MenuBarItem);
            if (index != -1)
                itemRecord = dynamic_cast<const TspDataSkinMainMenuBarItem*>(
                    SkinData()->ObjectList[static_cast<size_t>(index)].get());
        }
        TMenuItem* top = FMainMenu->Items();
        for (int i = 0; i < top->Count(); ++i)
            if (top->Items(i)->Visible()) {
                top->Items(i)->FreeNotification(this);
                ObjectList.push_back(std::make_unique<TspSkinMainMenuBarItem>(this, itemRecord, top->Items(i)));
            }
    }
    Invalidate();
}

void TspSkinMainMenuBar::MakeMDIButtons()
{
    const TspDataSkinMainMenuBar* record = Record();
    struct TButtonKind {
        const char* Name;
        int Command;
        std::string TspDataSkinMainMenuBar::*RecordName;
    };
    static const TButtonKind buttonKinds[] = {{"SysMenuButton", 3, &TspDataSkinMainMenuBar::SysMenuButton},
                                              {"CloseButton", 0, &TspDataSkinMainMenuBar::CloseButton},
                                              {"MaxButton", 1, &TspDataSkinMainMenuBar::MaxButton},
                                              {"MinButton", 2, &TspDataSkinMainMenuBar::MinButton}};
    std::vector<std::unique_ptr<TspMenuBarObject>> buttons;
    for (const TButtonKind& kind : buttonKinds) {
        const TspDataSkinMainMenuBarButton* data = nullptr;
        if (record != nullptr) {
            const int index = SkinData()->GetObjectIndex(record->*kind.RecordName);
            if (index != -1)
                data = dynamic_cast<const TspDataSkinMainMenuBarButton*>(
                    SkinData()->ObjectList[static_cast<size_t>(index)].get());
        }
        buttons.push_back(std::make_unique<TspSkinMainMenuBarButton>(this, data, kind.Name, kind.Command));
    }
    ObjectList.insert(ObjectList.begin(), std::make_move_iterator(buttons.begin()),
                      std::make_move_iterator(buttons.end()));
    FMDIButtonCount = static_cast<int>(buttons.size());
    CheckMDIButtons();
}

void TspSkinMainMenuBar::CheckMDIButtons()
{
    const TspDynamicSkinForm* child = MaximizedMDIChildSkinForm();
    const TspBorderIcons icons = child != nullptr ? child->BorderIcons() : ~TspBorderIcons{0};
    for (int i = 0; i < FMDIButtonCount; ++i) {
        auto* button = static_cast<TspSkinMainMenuBarButton*>(ObjectList[static_cast<size_t>(i)].get());
        if (button->Command == 2)
            button->Enabled = (icons & biMinimize) != 0;
        else if (button->Command == 3)
            button->Enabled = (icons & biSystemMenu) != 0;
        else
            button->Enabled = true;
    }
}

void TspSkinMainMenuBar::ShowMDIButtons()
{
    if (MDIButtonsShown) {
        // Another child maximized: the buttons follow its icons.
        CheckMDIButtons();
        Invalidate();
        return;
    }
    MDIButtonsShown = true;
    HotIndex = OldHotIndex = PressedIndex = -1;
    MakeMDIButtons();
    Invalidate();
}

void TspSkinMainMenuBar::HideMDIButtons(bool MaximizedChildLeft)
{
    if (!MDIButtonsShown)
        return;
    if (MaximizedChildLeft) {
        CheckMDIButtons();
        Invalidate();
        return;
    }
    MDIButtonsShown = false;
    ObjectList.erase(ObjectList.begin(), ObjectList.begin() + FMDIButtonCount);
    FMDIButtonCount = 0;
    HotIndex = OldHotIndex = PressedIndex = -1;
    Invalidate();
}

TspDynamicSkinForm* TspSkinMainMenuBar::FrameSkinForm() const
{
    if (FDynamicSkinForm != nullptr)
        return FDynamicSkinForm;
    return Application != nullptr ? TspDynamicSkinForm::GetDynamicSkinForm(Application->MainForm()) : nullptr;
}

TspDynamicSkinForm* TspSkinMainMenuBar::ActiveMDIChildSkinForm() const
{
    const TspDynamicSkinForm* frame = FrameSkinForm();
    return frame != nullptr ? frame->GetActiveMDIChildSkinForm() : nullptr;
}

TspDynamicSkinForm* TspSkinMainMenuBar::MaximizedMDIChildSkinForm() const
{
    const TspDynamicSkinForm* frame = FrameSkinForm();
    return frame != nullptr ? frame->GetMaximizedMDIChildSkinForm() : nullptr;
}

void TspSkinMainMenuBar::QueueMDICommand(int Command, const TRect& ButtonRect)
{
    FPendingMDICommand = Command;
    FPendingMDIButtonRect = ButtonRect;
}

void TspSkinMainMenuBar::RunPendingMDICommand()
{
    const int command = FPendingMDICommand;
    FPendingMDICommand = -1;
    if (command != -1)
        DoMDICommand(command, FPendingMDIButtonRect);
}

void TspSkinMainMenuBar::DoMDICommand(int Command, const TRect& ButtonRect)
{
    TspDynamicSkinForm* child = ActiveMDIChildSkinForm();
    if (child == nullptr)
        return;
    switch (Command) {
    case 0: child->Form->Close(); break;
    case 1: child->SetWindowState(0); break;
    case 2: child->SetWindowState(1); break;
    case 3: {
        TspDynamicSkinForm* frame = FrameSkinForm();
        TPopupMenu* menu = child->GetSystemMenu();
        if (frame == nullptr || frame->SkinMenu() == nullptr || menu == nullptr)
            return;
        const POINT topLeft = ClientToScreen(POINT{ButtonRect.Left, ButtonRect.Top});
        const TRect r{topLeft.x, topLeft.y, topLeft.x + RectWidth(ButtonRect), topLeft.y + RectHeight(ButtonRect)};
        TspSkinData* skin = frame->MenusSkinData() != nullptr ? frame->MenusSkinData() : frame->SkinData();
        // The bar opens the menu, so the menu's closing brings the button up.
        if (frame->SkinMenu()->Popup(this, skin, 0, r, menu->Items(), PopupToUp))
            frame->SkinMenuOpen();
        break;
    }
    default: break;
    }
}

// --- Layout and painting -------------------------------------------------------------

void TspSkinMainMenuBar::CalcRects()
{
    GetSkinData();
    const TspDataSkinMainMenuBar* record = Record();
    ItemsRect = MenuBarItemsRect(record != nullptr, record != nullptr ? record->ItemsRect : TRect{},
                                 record != nullptr ? RectWidth(record->SkinRect) : 0, Width(), Height());
    std::vector<TMenuBarButtonSlot> buttons(static_cast<size_t>(FMDIButtonCount));
    for (int i = 0; i < FMDIButtonCount; ++i) {
        auto* button = static_cast<TspSkinMainMenuBarButton*>(ObjectList[static_cast<size_t>(i)].get());
        buttons[static_cast<size_t>(i)].Skinned = button->HasRecord;
        buttons[static_cast<size_t>(i)].Width = RectWidth(button->SkinRect);
        buttons[static_cast<size_t>(i)].Height = RectHeight(button->SkinRect);
    }
    PlaceMenuBarButtons(ItemsRect, buttons);
    for (int i = 0; i < FMDIButtonCount; ++i)
        ObjectList[static_cast<size_t>(i)]->ObjectRect = buttons[static_cast<size_t>(i)].ObjectRect;

    const auto items = Items();
    auto slots = SlotsOf(items);
    TBitmap measure;
    measure.SetSize(1, 1);
    for (size_t i = 0; i < items.size(); ++i) {
        slots[i].Width = items[i]->ItemWidth(measure.Canvas());
        slots[i].Height = items[i]->HasRecord ? RectHeight(items[i]->SkinRect) : 0;
    }
    HasHiddenItems = PlaceMenuBarItems(ItemsRect, slots);
    for (size_t i = 0; i < items.size(); ++i) {
        items[i]->ObjectRect = slots[i].ObjectRect;
        items[i]->Visible = slots[i].Visible;
        items[i]->Enabled = slots[i].Enabled;
        items[i]->SavedEnabled = slots[i].SavedEnabled;
    }
}

TRect TspSkinMainMenuBar::TrackMarkRect() const { return MenuBarTrackMarkRect(ItemsRect); }

void TspSkinMainMenuBar::DrawBar(TBitmap* B)
{
    CalcRects();
    for (const auto& object : ObjectList)
        if (object->Visible)
            object->Draw(B->Canvas());
    if (!HasHiddenItems)
        return;
    const TspDataSkinMainMenuBar* record = Record();
    TColor color;
    if (record != nullptr)
        color = TrackMarkActive ? record->TrackMarkActiveColor : record->TrackMarkColor;
    else
        color = TrackMarkActive ? clBtnText : clBtnShadow;
    DrawArrowImage(B->Canvas(), TrackMarkRect(), color, 2);
}

void TspSkinMainMenuBar::CreateControlDefaultImage(TBitmap* B)
{
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->FillRect(RECT{0, 0, Width(), Height()});
    DrawBar(B);
}

void TspSkinMainMenuBar::CreateControlSkinImage(TBitmap* B)
{
    const TspDataSkinMainMenuBar* record = Record();
    TBitmap* picture = record != nullptr ? ActivePicture(record->PictureIndex) : nullptr;
    if (picture == nullptr) {
        CreateControlDefaultImage(B);
        return;
    }
    CreateHSkinImage(record->ItemsRect.Left, RectWidth(record->SkinRect) - record->ItemsRect.Right, B, picture,
                     record->SkinRect, Width(), Height());
    DrawBar(B);
}

// --- Mouse -------------------------------------------------------------------------------

void TspSkinMainMenuBar::TestActive(int X, int Y)
{
    OldHotIndex = HotIndex;
    const int count = static_cast<int>(ObjectList.size());
    int hit = -1;
    for (int i = 0; i < count; ++i) {
        const TspMenuBarObject& object = *ObjectList[static_cast<size_t>(i)];
        if (object.Enabled && object.Visible && Contains(object.ObjectRect, X, Y)) {
            hit = i;
            break;
        }
    }
    if (hit == -1 && MenuMode && OldHotIndex >= FMDIButtonCount && OldHotIndex < count)
        hit = OldHotIndex;  // the open item stays hot while the mouse is in its menu
    if (PressedIndex != -1 && hit != PressedIndex)
        hit = -1;
    if (hit >= count)
        hit = -1;
    HotIndex = hit;
    if (HotIndex != OldHotIndex) {
        if (OldHotIndex >= 0 && OldHotIndex < count)
            ObjectList[static_cast<size_t>(OldHotIndex)]->MouseLeave();
        if (HotIndex >= 0 && ObjectList[static_cast<size_t>(HotIndex)]->Enabled)
            ObjectList[static_cast<size_t>(HotIndex)]->MouseEnter();
    }
    if (HasHiddenItems) {
        const bool onMark = Contains(TrackMarkRect(), X, Y);
        if (onMark != TrackMarkActive) {
            TrackMarkActive = onMark;
            Invalidate();
        }
    }
}

void TspSkinMainMenuBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TspSkinControl::MouseDown(button, shift, x, y);
    TestActive(x, y);
    if (HotIndex != -1) {
        PressedIndex = HotIndex;
        ObjectList[static_cast<size_t>(HotIndex)]->MouseDown(button, x, y);
        RunPendingMDICommand();
    } else if (HasHiddenItems && Contains(TrackMarkRect(), x, y)) {
        OpenTrackMarkMenu();
    }
}

void TspSkinMainMenuBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TspSkinControl::MouseUp(button, shift, x, y);
    if (PressedIndex >= 0 && PressedIndex < static_cast<int>(ObjectList.size()))
        ObjectList[static_cast<size_t>(PressedIndex)]->MouseUp(button, x, y);
    PressedIndex = -1;
    RunPendingMDICommand();
}

void TspSkinMainMenuBar::MouseMove(TShiftState shift, int x, int y)
{
    TspSkinControl::MouseMove(shift, x, y);
    FBarMouseTimer->SetEnabled(true);
    TestActive(x, y);
}

void TspSkinMainMenuBar::MouseTimerEvent(TObject*)
{
    POINT p{};
    GetCursorPos(&p);
    if (HandleAllocated())
        ::ScreenToClient(Handle(), &p);
    if (p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height()) {
        TestActive(p.x, p.y);
    } else {
        FBarMouseTimer->SetEnabled(false);
        TestActive(-1, -1);
    }
}

void TspSkinMainMenuBar::MorphTimerEvent(TObject*)
{
    bool moved = false;
    for (const auto& object : ObjectList)
        if (object->Morphing && object->CanMorphing()) {
            object->Morph.Step(object->MorphActive);
            moved = true;
        }
    if (moved)
        Invalidate();
    else
        FBarMorphTimer->SetEnabled(false);
}

void TspSkinMainMenuBar::OpenTrackMarkMenu()
{
    TspSkinMenuHost* host = MenuHost();
    if (host == nullptr || host->SkinMenu() == nullptr || FMainMenu == nullptr)
        return;
    // The first hidden bar item's place in the menu (invisible menu items
    // have no bar item but keep their place).
    const auto items = Items();
    const int shown = MenuBarShownCount(SlotsOf(items));
    if (shown >= static_cast<int>(items.size()))
        return;
    const int start = items[static_cast<size_t>(shown)]->MenuItem->MenuIndex();
    const TRect mark = TrackMarkRect();
    const POINT topLeft = ClientToScreen(POINT{mark.Left, mark.Top});
    const TRect r{topLeft.x, topLeft.y, topLeft.x + RectWidth(mark), topLeft.y + RectHeight(mark)};
    host->SkinMenuOpen();
    host->SkinMenu()->Popup(nullptr, SkinData(), start, r, FMainMenu->Items(), false);
}

void TspSkinMainMenuBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
        TspSkinControl::WndProc(message);
        FBarMouseTimer->SetEnabled(true);
        return;
    case CM_MOUSELEAVE:
        TspSkinControl::WndProc(message);
        FBarMouseTimer->SetEnabled(false);
        TestActive(-1, -1);
        return;
    case SM_CLOSESKINMENU:
        for (int i = 0; i < FMDIButtonCount; ++i) {
            auto* button = static_cast<TspSkinMainMenuBarButton*>(ObjectList[static_cast<size_t>(i)].get());
            if (button->Command == 3 && button->Down) {
                button->Down = false;
                if (HotIndex != i) {
                    button->Active = false;
                    button->MorphActive = false;
                }
                button->ReDraw();
            }
        }
        return;
    default:
        TspSkinControl::WndProc(message);
    }
}

// --- Keyboard menu mode ------------------------------------------------------------

TspSkinMainMenuBarItem* TspSkinMainMenuBar::FirstItemWhere(
    const std::function<bool(TspSkinMainMenuBarItem*)>& test) const
{
    for (TspSkinMainMenuBarItem* item : Items())
        if (test(item))
            return item;
    return nullptr;
}

int TspSkinMainMenuBar::ItemIndex(const TspSkinMainMenuBarItem* item) const
{
    const auto items = Items();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == item)
            return static_cast<int>(i);
    return -1;
}

void TspSkinMainMenuBar::MenuKeyMode()
{
    MenuMode = true;
    const auto items = Items();
    const int first = MenuBarNextItem(SlotsOf(items), -1);
    if (first != -1)
        items[static_cast<size_t>(first)]->MouseEnter();
    FormMainMenuEnter();
}

void TspSkinMainMenuBar::Walk(int (*step)(const std::vector<TMenuBarItemSlot>&, int))
{
    const auto items = Items();
    TspSkinMainMenuBarItem* current =
        FirstItemWhere([](TspSkinMainMenuBarItem* item) { return item->Active || item->Down; });
    const int from = ItemIndex(current);
    const int to = step(SlotsOf(items), from);
    if (current != nullptr)
        current->MouseLeave();
    if (to != -1)
        items[static_cast<size_t>(to)]->MouseEnter();
}

void TspSkinMainMenuBar::NextItem() { Walk(&MenuBarNextItem); }

void TspSkinMainMenuBar::PrevItem() { Walk(&MenuBarPrevItem); }

bool TspSkinMainMenuBar::FindAccelItem(char Key)
{
    const auto items = Items();
    std::vector<std::string> captions;
    for (TspSkinMainMenuBarItem* item : items)
        captions.push_back(item->MenuItem->Caption());
    const int found = MenuBarFindAccelItem(SlotsOf(items), captions, Key);
    if (found == -1)
        return false;
    items[static_cast<size_t>(found)]->MouseEnter();
    return true;
}

bool TspSkinMainMenuBar::ClickDownItem()
{
    const bool inSkinMenu = FDynamicSkinForm != nullptr && FDynamicSkinForm->InSkinMenu;
    TspSkinMainMenuBarItem* item = FirstItemWhere([inSkinMenu](TspSkinMainMenuBarItem* i) {
        return (i->Down && i->MenuItem->Count() == 0) || (i->Active && !inSkinMenu);
    });
    if (item == nullptr)
        return false;
    item->MorphActive = false;
    item->MouseDown(mbLeft, 0, 0);
    return true;
}

void TspSkinMainMenuBar::CloseDownItem()
{
    TspSkinMainMenuBarItem* item = FirstItemWhere([](TspSkinMainMenuBarItem* i) { return i->Down; });
    if (item == nullptr)
        return;
    item->Down = false;
    item->Active = true;
    item->MorphActive = true;
    item->Morph.Tenths = 10;
    item->ReDraw();
}

void TspSkinMainMenuBar::ExitMenuMode()
{
    MenuMode = false;
    TspSkinMainMenuBarItem* item =
        FirstItemWhere([](TspSkinMainMenuBarItem* i) { return i->Down || i->Active; });
    if (item != nullptr) {
        item->Down = false;
        item->Active = false;
        item->MorphActive = false;
        item->Morph.Tenths = 10;
        item->ReDraw();
    }
    HotIndex = OldHotIndex = -1;
}
