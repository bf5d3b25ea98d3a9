// The component's life cycle, objects, timers, events and skin change; the
// hit tests, sizes and window states are in DynamicSkinFormStates.cpp, the
// frame painting and window shape in DynamicSkinFormFrame.cpp.
#include "skin/forms/DynamicSkinForm.h"

#include "classlib/core/Exceptions.h"
#include "classlib/graphics/Colors.h"
#include "classlib/ui/Menus.h"
#include "classlib/ui/Screen.h"
#include "skin/SkinData.h"
#include "skin/core/SkinShapes.h"

namespace {

bool NeedsMissingIcon(TspStdCommand command, TspBorderIcons icons)
{
    switch (command) {
    case cmRollUp: return (icons & biRollUp) == 0;
    case cmMaximize: return (icons & biMaximize) == 0;
    case cmMinimize: return (icons & biMinimize) == 0;
    case cmSysMenu: return (icons & biSystemMenu) == 0;
    case cmClose:
    case cmDefault: break;
    }
    return false;
}

}  // namespace

TspDynamicSkinForm::TspDynamicSkinForm(TComponent* AOwner)
    : TComponent(AOwner), Form(dynamic_cast<TForm*>(AOwner)),
      FBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp)
{
    if (Form == nullptr)
        throw EInvalidCast("Invalid class typecast");
    for (TFont* font : {&FDefCaptionFont, &FDefInActiveCaptionFont}) {
        font->SetName("Arial");
        font->SetHeight(14);
        font->SetStyle(fsBold);
    }
    FDefCaptionFont.SetColor(clBtnText);
    FDefInActiveCaptionFont.SetColor(clBtnShadow);
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
    Form->SetAutoScroll(false);
}

TspDynamicSkinForm::~TspDynamicSkinForm()
{
    for (TTimer* timer : {FMorphTimer, FMouseTimer, FAnimateTimer}) {
        timer->SetEnabled(false);
        timer->OnTimer = nullptr;
    }
    ClearObjects();
}

void TspDynamicSkinForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FSkinData) {
        FSkinData = nullptr;
        SkinSupport = false;
        ClearObjects();
    } else if (AComponent == FMenusSkinData) {
        FMenusSkinData = nullptr;
    } else if (AComponent == FMainMenu) {
        FMainMenu = nullptr;
    } else if (AComponent == FSystemMenu) {
        FSystemMenu = nullptr;
    }
}

void TspDynamicSkinForm::SetSkinData(TspSkinData* Value)
{
    if (FSkinData != nullptr)
        FSkinData->RemoveFreeNotification(this);
    FSkinData = Value;
    if (FSkinData != nullptr)
        FSkinData->FreeNotification(this);
    if (FSkinData != nullptr && !FSkinData->Empty && !(ComponentState() & csDesigning))
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
}

void TspDynamicSkinForm::SetSystemMenu(TPopupMenu* Value)
{
    if (FSystemMenu != nullptr)
        FSystemMenu->RemoveFreeNotification(this);
    FSystemMenu = Value;
    if (FSystemMenu != nullptr)
        FSystemMenu->FreeNotification(this);
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

bool TspDynamicSkinForm::ObjectVisible(const TspActiveSkinObject& Object) const
{
    return FSupportNCArea ? !Object.RollUp : Object.RollUp == RollUpState;
}

// ---------------------------------------------------------------- objects

void TspDynamicSkinForm::ClearObjects()
{
    ObjectList.clear();
    ActiveObject = OldActiveObject = CaptureObject = -1;
}

void TspDynamicSkinForm::LoadObjects()
{
    ClearObjects();
    if (!HasSkin())
        return;
    for (const auto& record : FSkinData->ObjectList) {
        TspDataSkinObject* data = record.get();
        std::unique_ptr<TspActiveSkinObject> object;
        // Menu items and menu-bar buttons are drawn by the menus.
        if (dynamic_cast<TspDataSkinMainMenuItem*>(data) || dynamic_cast<TspDataSkinMenuItem*>(data) ||
            dynamic_cast<TspDataSkinMainMenuBarButton*>(data))
            continue;
        if (auto* gauge = dynamic_cast<TspDataSkinGauge*>(data))
            object = std::make_unique<TspSkinGaugeObject>(this, gauge);
        else if (auto* stdButton = dynamic_cast<TspDataSkinStdButton*>(data))
            object = std::make_unique<TspSkinStdButtonObject>(this, stdButton);
        else if (auto* button = dynamic_cast<TspDataSkinButton*>(data))
            object = std::make_unique<TspSkinButtonObject>(this, button);
        else if (auto* caption = dynamic_cast<TspDataSkinCaption*>(data))
            object = std::make_unique<TspSkinCaptionObject>(this, caption);
        else if (dynamic_cast<TspDataUserObject*>(data))
            object = std::make_unique<TspUserObject>(this, data);
        else if (dynamic_cast<TspDataSkinSwitch*>(data))
            object = std::make_unique<TspSkinSwitchObject>(this, data);
        else if (auto* track = dynamic_cast<TspDataSkinTrackBar*>(data))
            object = std::make_unique<TspSkinTrackBarObject>(this, track);
        else if (auto* label = dynamic_cast<TspDataSkinLabel*>(data))
            object = std::make_unique<TspSkinLabelObject>(this, label);
        else if (auto* animate = dynamic_cast<TspDataSkinAnimate*>(data))
            object = std::make_unique<TspSkinAnimateObject>(this, animate);
        else if (auto* bitLabel = dynamic_cast<TspDataSkinBitLabel*>(data))
            object = std::make_unique<TspSkinBitLabelObject>(this, bitLabel);
        else if (auto* regulator = dynamic_cast<TspDataSkinFrameRegulatorObject*>(data))
            object = std::make_unique<TspSkinFrameRegulatorObject>(this, regulator);
        else if (auto* frameGauge = dynamic_cast<TspDataSkinFrameGaugeObject*>(data))
            object = std::make_unique<TspSkinFrameGaugeObject>(this, frameGauge);
        if (object)
            ObjectList.push_back(std::move(object));
    }
}

void TspDynamicSkinForm::LoadDefaultButtons()
{
    ClearObjects();
    auto add = [this](const char* name, TspStdCommand command) {
        ObjectList.push_back(std::make_unique<TspSkinStdButtonObject>(this, name, command));
    };
    add("closebutton", cmClose);
    const TFormBorderStyle style = Form->BorderStyle();
    if (style == bsSingle || style == bsSizeable) {
        add("maxbutton", cmMaximize);
        add("minbutton", cmMinimize);
        add("rollupbutton", cmRollUp);
        if (FBorderIcons & biSystemMenu)
            add("sysmenubutton", cmSysMenu);
    }
    CheckBorderIcons();
}

void TspDynamicSkinForm::CheckBorderIcons()
{
    for (const auto& object : ObjectList) {
        if (auto* button = dynamic_cast<TspSkinStdButtonObject*>(object.get())) {
            // Both ways: an icon given back enables its button again.
            button->Enabled = !NeedsMissingIcon(button->Command, FBorderIcons);
        } else if (auto* animate = dynamic_cast<TspSkinAnimateObject*>(object.get())) {
            if (animate->ButtonStyle && animate->Command != cmDefault)
                animate->Enabled = !NeedsMissingIcon(animate->Command, FBorderIcons);
        } else if (auto* caption = dynamic_cast<TspSkinCaptionObject*>(object.get())) {
            if (caption->DefaultCaption)
                caption->SetText(Form->Caption());
        }
    }
}

void TspDynamicSkinForm::StartMorphTimer()
{
    FMorphTimer->SetEnabled(true);
}

void TspDynamicSkinForm::StartAnimateTimer()
{
    FAnimateTimer->SetEnabled(true);
}

void TspDynamicSkinForm::MorphTimerEvent(TObject*)
{
    bool stepped = false;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TspActiveSkinObject* object = ObjectList[i].get();
        if (object->Morphing && object->CanMorphing()) {
            object->DoMorphing();
            stepped = true;
        }
    }
    if (!stepped)
        FMorphTimer->SetEnabled(false);
}

void TspDynamicSkinForm::AnimateTimerEvent(TObject*)
{
    bool running = false;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto* animate = dynamic_cast<TspSkinAnimateObject*>(ObjectList[i].get());
        if (animate == nullptr || !animate->Active)
            continue;
        animate->Step();
        running = running || animate->Active;
    }
    if (!running)
        FAnimateTimer->SetEnabled(false);
}

void TspDynamicSkinForm::MouseTimerEvent(TObject*)
{
    // The hot-object tracking by the cursor comes with the window hook.
    FMouseTimer->SetEnabled(false);
}

void TspDynamicSkinForm::TestActive(int X, int Y, bool InWindow)
{
    if (ObjectList.empty())
        return;
    OldActiveObject = ActiveObject;
    int hot = -1;
    if (InWindow) {
        for (size_t i = 0; i < ObjectList.size(); ++i) {
            const TspActiveSkinObject& o = *ObjectList[i];
            const TRect& R = o.ObjectRect;
            if (ObjectVisible(o) && o.Enabled && X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) {
                hot = static_cast<int>(i);
                break;
            }
        }
    }
    if (CaptureObject != -1 && hot != CaptureObject)
        hot = -1;
    ActiveObject = hot;
    if (ActiveObject == OldActiveObject)
        return;
    const int count = static_cast<int>(ObjectList.size());
    if (OldActiveObject >= 0 && OldActiveObject < count && ObjectList[OldActiveObject]->Enabled)
        ObjectList[OldActiveObject]->MouseLeave();
    if (ActiveObject >= 0 && ActiveObject < count && ObjectList[ActiveObject]->Enabled)
        ObjectList[ActiveObject]->MouseEnter();
}

// ---------------------------------------------------------------- events

void TspDynamicSkinForm::DoMouseDownEvent(const std::string& IDName, int X, int Y, const TRect& R, TMouseButton B)
{
    if (OnMouseDownEvent)
        OnMouseDownEvent(IDName, X, Y, R, B);
}

void TspDynamicSkinForm::DoMouseUpEvent(const std::string& IDName, int X, int Y, const TRect& R, TMouseButton B)
{
    if (OnMouseUpEvent)
        OnMouseUpEvent(IDName, X, Y, R, B);
}

void TspDynamicSkinForm::DoMouseMoveEvent(const std::string& IDName, int X, int Y, const TRect& R)
{
    if (OnMouseMoveEvent)
        OnMouseMoveEvent(IDName, X, Y, R);
}

void TspDynamicSkinForm::DoMouseEnterEvent(const std::string& IDName)
{
    if (OnMouseEnterEvent)
        OnMouseEnterEvent(IDName);
}

void TspDynamicSkinForm::DoMouseLeaveEvent(const std::string& IDName)
{
    if (OnMouseLeaveEvent)
        OnMouseLeaveEvent(IDName);
}

void TspDynamicSkinForm::DoPaintEvent(const std::string& IDName, TCanvas* Canvas, const TRect& R)
{
    if (OnPaintEvent)
        OnPaintEvent(IDName, Canvas, R);
}

void TspDynamicSkinForm::DoSwitchChangeStateEvent(const std::string& IDName, TSwitchState State)
{
    if (OnSwitchChangeStateEvent)
        OnSwitchChangeStateEvent(IDName, State);
}

void TspDynamicSkinForm::DoTrackBarChangeValueEvent(const std::string& IDName, int Value)
{
    if (OnTrackBarChangeValueEvent)
        OnTrackBarChangeValueEvent(IDName, Value);
}

void TspDynamicSkinForm::DoFrameRegulatorChangeValueEvent(const std::string& IDName, int Value)
{
    if (OnFrameRegulatorChangeValueEvent)
        OnFrameRegulatorChangeValueEvent(IDName, Value);
}

// ---------------------------------------------------------------- skin change

void TspDynamicSkinForm::ChangeSkinData()
{
    ActiveObject = OldActiveObject = CaptureObject = -1;
    SkinSupport = HasSkin();
    if (!FSupportNCArea) {
        if (!SkinSupport)
            return;
        if (!RollUpState)
            FitClientAreaSize();
        LoadObjects();
        CheckBorderIcons();
        InChangeSkinData = true;
        if (OnChangeSkinData)
            OnChangeSkinData(this);
        if (!RollUpState && (SkinStretches(*FSkinData) || (Form->ClientWidth() == FSkinData->Picture->Width() &&
                                                           Form->ClientHeight() == FSkinData->Picture->Height())))
            UpdateSkinRegion(SkinStretches(*FSkinData));
        InChangeSkinData = false;
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
    if (Form->HandleAllocated())
        Form->Repaint();
    if (OnChangeSkinData)
        OnChangeSkinData(this);
    InChangeSkinData = false;
}

namespace {

const TFormEnumTable<TspBorderIcons> BorderIconNames = {{"biSystemMenu", biSystemMenu},
                                                         {"biMinimize", biMinimize},
                                                         {"biMaximize", biMaximize},
                                                         {"biRollUp", biRollUp},
                                                         {"biMinimizeToTray", biMinimizeToTray}};

}  // namespace

void RegisterDynamicSkinFormClasses(TClassRegistry& classes)
{
    using C = TspDynamicSkinForm;
    classes.Register<C>("TspDynamicSkinForm", "TComponent")
        .Component<TspSkinData>("SkinData", &C::SetSkinData)
        .Component<TspSkinData>("MenusSkinData", &C::SetMenusSkinData)
        .Component<TMainMenu>("MainMenu", &C::SetMainMenu)
        .Component<TPopupMenu>("SystemMenu", &C::SetSystemMenu)
        .Set("BorderIcons", &C::SetBorderIcons, BorderIconNames)
        .Object("DefCaptionFont", &C::DefCaptionFont)
        .Object("DefInActiveCaptionFont", &C::DefInActiveCaptionFont)
        .Bool("SupportNCArea", &C::SetSupportNCArea)
        .Bool("ShowObjectHint", &C::ShowObjectHint)
        .Bool("UseSkinCursors", &C::UseSkinCursors)
        .Bool("UseDefaultSysMenu", &C::UseDefaultSysMenu)
        .Bool("AlphaBlendSupport", &C::AlphaBlendSupport)
        .Bool("AlphaBlend", &C::AlphaBlend)
        .Bool("MenusTransparent", &C::MenusTransparent)
        .Bool("Sizeable", &C::Sizeable)
        .Bool("DraggAble", &C::DraggAble)
        .Bool("Magnetic", &C::Magnetic)
        .Int("AlphaBlendValue", &C::AlphaBlendValue)
        .Int("MenusTransparentValue", &C::MenusTransparentValue)
        .Int("MinHeight", &C::MinHeight)
        .Int("MinWidth", &C::MinWidth)
        .Int("MagneticSize", &C::MagneticSize);
}
