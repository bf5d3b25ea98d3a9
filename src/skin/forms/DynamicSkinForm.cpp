// The component's life cycle, properties and skin change; the frame objects,
// their timers and events are in DynamicSkinFormObjects.cpp, the hit tests,
// sizes and window states in DynamicSkinFormStates.cpp, the frame painting
// and window shape in DynamicSkinFormFrame.cpp.
#include "skin/forms/DynamicSkinForm.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "classlib/core/ShortCuts.h"
#include "classlib/graphics/Colors.h"
#include "classlib/ui/Menus.h"
#include "classlib/ui/Screen.h"
#include "skin/SkinData.h"
#include "skin/SkinDraw.h"
#include "skin/SkinHint.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/forms/SkinMenu.h"
#include "skin/forms/SkinPopupMenu.h"
#include "skin/forms/TrayIcon.h"

namespace {

// The handlers the component gives its form and its tray icon, told apart
// from their users' own so that the component takes back only its own.
struct TFormShortCutHandler {
    TspDynamicSkinForm* Owner;
    void operator()(TWMKey& Msg, bool& Handled) const { Owner->FormShortCut(Msg, Handled); }
};

struct TTrayDblClickHandler {
    TspDynamicSkinForm* Owner;
    void operator()(TObject*) const { Owner->RestoreFromTray(); }
};

template <class Handler, class Event>
void TakeBack(Event& event, const TspDynamicSkinForm* owner)
{
    if (const Handler* handler = event.template target<Handler>(); handler != nullptr && handler->Owner == owner)
        event = nullptr;
}

}  // namespace

TspDynamicSkinForm::TspDynamicSkinForm(TComponent* AOwner)
    : TComponent(AOwner), Form(dynamic_cast<TForm*>(AOwner)),
      FBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp)
{
    if (Form == nullptr)
        throw EInvalidCast("Invalid class typecast");
    FFormComponent = AOwner;
    for (TFont* font : {&FDefCaptionFont, &FDefInActiveCaptionFont}) {
        font->SetName("Arial");
        font->SetHeight(14);
        font->SetStyle(fsBold);
    }
    FDefCaptionFont.SetColor(clBtnText);
    FDefInActiveCaptionFont.SetColor(clBtnShadow);
    // The default frame shows the new caption font at once; a skin's frame
    // does not use it, and a form being read paints when it is shown.
    for (TFont* font : {&FDefCaptionFont, &FDefInActiveCaptionFont})
        font->OnChange = [this](TObject*) {
            if (!(ComponentState() & csLoading) && !SkinSupport)
                SendNCPaint();
        };
    auto makeTimer = [this](unsigned interval, void (TspDynamicSkinForm::*handler)(TObject*)) {
        auto* timer = new TTimer(this);
        timer->SetEnabled(false);
        timer->SetInterval(interval);
        timer->OnTimer = [this, handler](TObject* sender) { (this->*handler)(sender); };
        return timer;
    };
    FMorphTimer = makeTimer(20, &TspDynamicSkinForm::MorphTimerEvent);
    FMouseTimer = makeTimer(50, &TspDynamicSkinForm::MouseTimerEvent);
    FAnimateTimer = makeTimer(25, &TspDynamicSkinForm::AnimateTimerEvent);
    Form->SetBorderIcons(0);
    Form->OnShortCut = TFormShortCutHandler{this};
    Form->SetAutoScroll(false);
    FSysMenu = new TPopupMenu(this);
    FSkinMenu = new TspSkinMenu(this, Form);
    FSkinMenu->ItemHeight = 20;
    SetAlphaBlendSupport(true);
    FTrayMenu = new TspSkinPopupMenu(this);
    FTrayMenu->SetPopupForm(Form);
    auto trayItem = [this](const char* name, const char* caption, std::function<void()> action) {
        auto* item = new TMenuItem(FTrayMenu);
        item->SetName(name);
        item->SetCaption(caption);
        if (action)
            item->OnClick = [action](TObject*) { action(); };
        FTrayMenu->Items()->Add(item);
        return item;
    };
    trayItem("TRAY_DSF_RESTORE", "&Restore", [this] { RestoreFromTray(); });
    trayItem("", "-", nullptr);
    trayItem("TRAY_DSF_CLOSE", "&Close", [this] { Form->Close(); });
    UpdateTrayCloseShortCut();
    if (!(ComponentState() & csDesigning))
        HookForm();
}

TspDynamicSkinForm::~TspDynamicSkinForm()
{
    for (TTimer* timer : {FMorphTimer, FMouseTimer, FAnimateTimer}) {
        timer->SetEnabled(false);
        timer->OnTimer = nullptr;
    }
    RemoveKeyHook();
    ReleaseTrayIcon();
    FMDIClientHook.Detach();
    // A maximized child freed with its form: its window went without the
    // hook seeing it, so the main form hears of it here.
    if (FMDIChildWindow && WindowState == 2) {
        WindowState = 0;
        if (Application != nullptr && Application->MainForm() != nullptr &&
            Application->MainForm()->HandleAllocated())
            SendMessageA(Application->MainForm()->Handle(), SM_MDICHILDRESTORED, 0, 0);
    }
    // A form being destroyed has put its own procedure back already.
    if (FFormComponent->ComponentState() & csDestroying) {
        FHook.Disarm();
    } else {
        FHook.Remove();
        TakeBack<TFormShortCutHandler>(Form->OnShortCut, this);
    }
    ClearObjects();
}

void TspDynamicSkinForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    // One component may fill several properties (the skin is usually also
    // the menus' skin): every reference to it goes.
    if (AComponent == FSkinData) {
        FSkinData = nullptr;
        // A form that stays goes down the no-skin path, as for a nil skin.
        if (SkinSupport && !((ComponentState() | FFormComponent->ComponentState()) & csDestroying)) {
            ChangeSkinData();
        } else {
            SkinSupport = false;
            ClearObjects();
        }
    }
    if (AComponent == FMenusSkinData)
        FMenusSkinData = nullptr;
    if (AComponent == FMainMenu) {
        // Its items go with it.
        FMainMenu = nullptr;
        UpdateMainMenu(false);
    }
    if (AComponent == FSystemMenu)
        FSystemMenu = nullptr;
    if (AComponent == FSysMenu)
        FSysMenu = nullptr;
    if (AComponent == FTrayMenu)
        FTrayMenu = nullptr;
    if (AComponent == FMainMenuBar)
        FMainMenuBar = nullptr;
    std::erase_if(FLinkedMenuBars, [AComponent](TspSkinMainMenuBar* bar) { return bar == AComponent; });
    if (AComponent == FSkinHint)
        FSkinHint = nullptr;
    AreaControlList.erase(std::remove_if(AreaControlList.begin(), AreaControlList.end(),
                                         [AComponent](const TspAreaControl& area) {
                                             return static_cast<TComponent*>(area.Control) == AComponent;
                                         }),
                          AreaControlList.end());
    if (AComponent == FModeBar)
        FModeBar = nullptr;
    if (AComponent == FTrayIcon)
        FTrayIcon = nullptr;
    if (AComponent == FSkinMenu)
        FSkinMenu = nullptr;
    std::erase_if(FHiddenControls, [AComponent](TControl* control) { return control == AComponent; });
    if (EraseMainMenuItems(AComponent) && !((ComponentState() | FFormComponent->ComponentState()) & csDestroying) &&
        Form->HandleAllocated())
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TspDynamicSkinForm::SetSkinData(TspSkinData* Value)
{
    if (FSkinData != nullptr)
        FSkinData->RemoveFreeNotification(this);
    FSkinData = Value;
    if (FSkinData != nullptr)
        FSkinData->FreeNotification(this);
    if (FTrayMenu != nullptr)
        FTrayMenu->SetSkinData(Value);
    if (ComponentState() & csDesigning)
        return;
    // A usable skin is applied; an applied one given up (nil or empty) takes
    // its objects and shape with it, as nothing watches it any more.
    if (HasSkin() || SkinSupport)
        ChangeSkinData();
}

void TspDynamicSkinForm::SetMenusSkinData(TspSkinData* Value)
{
    if (FMenusSkinData != nullptr)
        FMenusSkinData->RemoveFreeNotification(this);
    FMenusSkinData = Value;
    if (FMenusSkinData != nullptr)
        FMenusSkinData->FreeNotification(this);
}

void TspDynamicSkinForm::SetMainMenu(TMainMenu* Value)
{
    if (FMainMenu != nullptr)
        FMainMenu->RemoveFreeNotification(this);
    FMainMenu = Value;
    if (FMainMenu != nullptr)
        FMainMenu->FreeNotification(this);
    if (HasSkin() && !(ComponentState() & csDesigning))
        UpdateMainMenu(true);
}

void TspDynamicSkinForm::SetSystemMenu(TPopupMenu* Value)
{
    if (FSystemMenu != nullptr)
        FSystemMenu->RemoveFreeNotification(this);
    FSystemMenu = Value;
    if (FSystemMenu != nullptr)
        FSystemMenu->FreeNotification(this);
}

int TspDynamicSkinForm::DefMenuItemHeight() const
{
    return FSkinMenu != nullptr ? FSkinMenu->ItemHeight : 0;
}

void TspDynamicSkinForm::SetDefMenuItemHeight(int Value)
{
    if (FSkinMenu != nullptr)
        FSkinMenu->ItemHeight = Value;
}

TFont* TspDynamicSkinForm::DefMenuItemFont()
{
    return FSkinMenu->DefaultFont();
}

void TspDynamicSkinForm::SetSkinHint(TspSkinHint* Value)
{
    if (FSkinHint != nullptr)
        FSkinHint->RemoveFreeNotification(this);
    FSkinHint = Value;
    if (FSkinHint != nullptr)
        FSkinHint->FreeNotification(this);
}

void TspDynamicSkinForm::SetMainMenuBar(TspSkinMainMenuBar* Value)
{
    TspSkinMainMenuBar* old = FMainMenuBar;
    FMainMenuBar = Value;
    if (old != nullptr && old != Value)
        ReleaseBar(old);
    if (FMainMenuBar != nullptr)
        FMainMenuBar->FreeNotification(this);
}

TspSkinMainMenuBar* TspDynamicSkinForm::MenuBar() const
{
    if (FMainMenuBar != nullptr)
        return FMainMenuBar;
    return FLinkedMenuBars.empty() ? nullptr : FLinkedMenuBars.back();
}

void TspDynamicSkinForm::LinkMenuBar(TspSkinMainMenuBar* Bar)
{
    if (Bar == nullptr)
        return;
    std::erase(FLinkedMenuBars, Bar);
    FLinkedMenuBars.push_back(Bar);
    Bar->FreeNotification(this);
}

void TspDynamicSkinForm::UnlinkMenuBar(TspSkinMainMenuBar* Bar)
{
    if (Bar == nullptr)
        return;
    std::erase(FLinkedMenuBars, Bar);
    ReleaseBar(Bar);
}

void TspDynamicSkinForm::ReleaseBar(TspSkinMainMenuBar* Bar)
{
    // One free notification links both ways: it stays while either side
    // still points at the other.
    if (Bar == FMainMenuBar || Bar == FModeBar || Bar->DynamicSkinForm() == this ||
        std::find(FLinkedMenuBars.begin(), FLinkedMenuBars.end(), Bar) != FLinkedMenuBars.end())
        return;
    Bar->RemoveFreeNotification(this);
}

void TspDynamicSkinForm::SetTrayIcon(TspTrayIcon* Value)
{
    ReleaseTrayIcon();
    FTrayIcon = Value;
    if (FTrayIcon == nullptr)
        return;
    FTrayIcon->FreeNotification(this);
    FTrayIcon->SetIconVisible(false);
    FTrayIcon->MinimizeToTray = false;
    if (!(ComponentState() & csDesigning) && FTrayIcon->PopupMenu() == nullptr) {
        FTrayIcon->SetPopupMenu(FTrayMenu);
        FTrayIcon->OnDblClick = TTrayDblClickHandler{this};
    }
}

void TspDynamicSkinForm::ReleaseTrayIcon()
{
    if (FTrayIcon == nullptr)
        return;
    FTrayIcon->RemoveFreeNotification(this);
    TakeBack<TTrayDblClickHandler>(FTrayIcon->OnDblClick, this);
    if (FTrayMenu != nullptr && FTrayIcon->PopupMenu() == FTrayMenu)
        FTrayIcon->SetPopupMenu(nullptr);
    FTrayIcon = nullptr;
}

namespace {

bool LayeredWindowsAvailable()
{
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 != nullptr && GetProcAddress(user32, "SetLayeredWindowAttributes") != nullptr;
}

}  // namespace

void TspDynamicSkinForm::SetAlphaBlendSupport(bool Value)
{
    FAlphaBlendSupport = Value && ((ComponentState() & csDesigning) || LayeredWindowsAvailable());
    if (FSkinMenu != nullptr)
        FSkinMenu->AlphaBlendSupport = FAlphaBlendSupport;
}

void TspDynamicSkinForm::SetAlphaBlend(bool Value)
{
    FAlphaBlend = Value;
    ApplyAlphaBlend();
}

void TspDynamicSkinForm::SetAlphaBlendValue(int Value)
{
    Value = std::clamp(Value, 0, 100);
    if (Value == FAlphaBlendValue)
        return;
    FAlphaBlendValue = Value;
    if (FAlphaBlend && FAlphaBlendSupport && !(ComponentState() & csDesigning) && Form->HandleAllocated())
        SetLayeredWindowAlpha(Form->Handle(), FAlphaBlendValue);
}

void TspDynamicSkinForm::ApplyAlphaBlend()
{
    if ((ComponentState() & csDesigning) || !FAlphaBlendSupport || !Form->HandleAllocated())
        return;
    const HWND window = Form->Handle();
    const LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    const bool layered = (style & WS_EX_LAYERED) != 0;
    if (layered == FAlphaBlend && !FAlphaBlend)
        return;
    // The style changes on a hidden window.
    const bool visible = IsWindowVisible(window) != FALSE;
    if (visible && layered != FAlphaBlend)
        ShowWindow(window, SW_HIDE);
    SetWindowLongA(window, GWL_EXSTYLE, FAlphaBlend ? style | WS_EX_LAYERED : style & ~WS_EX_LAYERED);
    if (FAlphaBlend)
        SetLayeredWindowAlpha(window, FAlphaBlendValue);
    if (visible && layered != FAlphaBlend)
        ShowWindow(window, SW_SHOWNOACTIVATE);
}

void TspDynamicSkinForm::SetMenusTransparent(bool Value)
{
    FMenusTransparent = Value;
    if (FSkinMenu != nullptr)
        FSkinMenu->Transparent = Value;
}

void TspDynamicSkinForm::SetMenusTransparentValue(int Value)
{
    FMenusTransparentValue = std::clamp(Value, 1, 100);
    if (FSkinMenu != nullptr)
        FSkinMenu->SetTransparentValue(FMenusTransparentValue);
}

void TspDynamicSkinForm::SetBorderIcons(TspBorderIcons Value)
{
    FBorderIcons = Value;
    if (!FSupportNCArea && !HasSkin())
        return;
    if (!HasSkinClientRect() && FSupportNCArea)
        LoadDefaultButtons();
    else
        CheckBorderIcons();
}

bool TspDynamicSkinForm::HasSkin() const
{
    return FSkinData != nullptr && !FSkinData->Empty;
}

bool TspDynamicSkinForm::HasSkinClientRect() const
{
    return FSupportNCArea && HasSkin() && !IsNullRect(FSkinData->ClRect);
}

int TspDynamicSkinForm::GetDefCaptionHeight() const
{
    const TFormBorderStyle style = Form->BorderStyle();
    return DefCaptionHeight(style == bsToolWindow || style == bsSizeToolWin);
}

int TspDynamicSkinForm::GetDefButtonSize() const
{
    const TFormBorderStyle style = Form->BorderStyle();
    return DefButtonSize(style == bsToolWindow || style == bsSizeToolWin);
}

void TspDynamicSkinForm::ChangeSkinData()
{
    ActiveObject = OldActiveObject = CaptureObject = -1;
    SkinSupport = HasSkin();
    ClearAreaControls();
    if (!FSupportNCArea) {
        if (!SkinSupport) {
            // The objects and the shape were the old skin's.
            ClearObjects();
            SetShape(nullptr);
            return;
        }
        const bool stretches = SkinStretches(*FSkinData);
        if (RollUpState && FSkinData->RollupPicture->Empty()) {
            // The new skin cannot roll up: the form comes down.
            RollUpState = false;
            MaxRollUp = false;
            for (TControl* control : FHiddenControls)
                control->Show();
            FHiddenControls.clear();
            if (stretches)
                Form->SetHeight(FSavedHeight);
            if (OnChangeRollUpState)
                OnChangeRollUpState(this);
        }
        if (!RollUpState)
            FitClientAreaSize();
        LoadObjects();
        CheckBorderIcons();
        if (RollUpState)
            ApplyClientRollUp();
        InChangeSkinData = true;
        if (OnChangeSkinData)
            OnChangeSkinData(this);
        if (!RollUpState && (stretches || (Form->ClientWidth() == FSkinData->Picture->Width() &&
                                           Form->ClientHeight() == FSkinData->Picture->Height())))
            UpdateSkinRegion(stretches);
        LoadAreaControls();
        ArrangeAreaControls();
        DoActivation(true);
        InChangeSkinData = false;
        FMouseTimer->SetEnabled(true);
        return;
    }
    if (HasSkinClientRect()) {
        LoadObjects();
        CheckBorderIcons();
    } else {
        // No skin, or one without a client rectangle: the default frame.
        LoadDefaultButtons();
        if (!SkinSupport)
            SetShape(nullptr);
    }
    InChangeSkinData = true;
    const int minWidth = GetMinWidth(), minHeight = GetMinHeight();
    if (minWidth > Form->Width() && minHeight > Form->Height())
        Form->SetBounds(Form->Left(), Form->Top(), minWidth, minHeight);
    else if (minHeight > Form->Height())
        Form->SetHeight(minHeight);
    else if (minWidth > Form->Width())
        Form->SetWidth(minWidth);
    else
        FitClientSize();
    if ((RollUpState || WindowState == 1) && Form->Height() != GetMinHeight())
        Form->SetHeight(GetMinHeight());
    if (WindowState == 1 && Form->Width() != GetMinWidth())
        Form->SetWidth(GetMinWidth());
    NewWidth = Form->Width();
    NewHeight = Form->Height();
    if (SkinSupport)
        UpdateSkinRegion(true);
    if (IsMDIForm() && Form->ClientHandle() != nullptr) {
        RedrawWindow(Form->ClientHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        MDIRefresh();
    } else if (Form->HandleAllocated()) {
        Form->Repaint();
    }
    DoActivation(!(IsMDIChild() && WindowState == 2));
    FMouseTimer->SetEnabled(true);
    if (OnChangeSkinData)
        OnChangeSkinData(this);
    InChangeSkinData = false;
}
