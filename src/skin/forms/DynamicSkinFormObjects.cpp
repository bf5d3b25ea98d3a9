// The skinned form's frame objects: loading them from the skin or as the
// default buttons, their morph and animation timers, tracking the mouse over
// them, the events they raise, and the controls placed in skin areas.
#include "skin/SkinData.h"
#include "skin/SkinHint.h"
#include "skin/controls/SkinControl.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/DynamicSkinForm.h"

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
    LoadMainMenuItems();
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

void TspDynamicSkinForm::TestActive(int X, int Y, bool InWindow)
{
    if (ObjectList.empty())
        return;
    // An inactive frame drawn by the skin's automatic inactive image has no
    // hot objects.
    if (FSupportNCArea && !FormActive && HasSkin() && FSkinData->AutoRenderingInActiveImage)
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
    const bool hints = ShowObjectHint && FSkinHint != nullptr;
    if (OldActiveObject >= 0 && OldActiveObject < count) {
        TspActiveSkinObject* old = ObjectList[static_cast<size_t>(OldActiveObject)].get();
        if (old->Enabled)
            old->MouseLeave();
        if (hints && !old->Hint.empty())
            FSkinHint->HideHint();
    }
    if (ActiveObject >= 0 && ActiveObject < count) {
        TspActiveSkinObject* hot = ObjectList[static_cast<size_t>(ActiveObject)].get();
        if (hot->Enabled)
            hot->MouseEnter();
        if (hints && !hot->Hint.empty())
            FSkinHint->ActivateHint(hot->Hint);
    }
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

void TspDynamicSkinForm::ClearAreaControls()
{
    for (const TspAreaControl& area : AreaControlList)
        area.Control->RemoveFreeNotification(this);
    AreaControlList.clear();
}

namespace {

// The area a skinned control asks for; null for any other control.
const std::string* AreaNameOf(TControl* control)
{
    if (auto* windowed = dynamic_cast<TspSkinControlT<TCustomControl>*>(control))
        return &windowed->AreaName;
    if (auto* graphic = dynamic_cast<TspSkinControlT<TGraphicControl>*>(control))
        return &graphic->AreaName;
    return nullptr;
}

}  // namespace

void TspDynamicSkinForm::LoadAreaControls()
{
    ClearAreaControls();
    if (FSupportNCArea || !HasSkin())
        return;
    for (int i = 0; i < Form->ControlCount(); ++i) {
        TControl* control = Form->Controls(i);
        const std::string* name = AreaNameOf(control);
        if (name == nullptr || name->empty())
            continue;
        const int index = FSkinData->GetAreaIndex(*name);
        if (index < 0)
            continue;
        control->SetAlign(alNone);
        control->FreeNotification(this);
        AreaControlList.push_back({control, FSkinData->AreaList[static_cast<size_t>(index)]->AreaRect});
    }
}

void TspDynamicSkinForm::ArrangeAreaControls()
{
    if (FSupportNCArea || !HasSkin() || AreaControlList.empty() || RollUpState)
        return;
    NewWidth = Form->Width();
    NewHeight = Form->Height();
    CalcRects();
    // Window points to client points: the form's own border, if any.
    int dx = 0, dy = 0;
    if (Form->HandleAllocated()) {
        POINT origin{0, 0};
        ClientToScreen(Form->Handle(), &origin);
        RECT window{};
        GetWindowRect(Form->Handle(), &window);
        dx = origin.x - window.left;
        dy = origin.y - window.top;
    }
    for (const TspAreaControl& area : AreaControlList) {
        const TRect R = PlaceFrameObject(*FSkinData, Layout, area.AreaRect);
        area.Control->SetBounds(R.Left - dx, R.Top - dy, R.Right - R.Left, R.Bottom - R.Top);
    }
}
