#include "classlib/ui/ActnList.h"

#include <algorithm>

#include "classlib/ui/Controls.h"
#include "classlib/ui/ImgList.h"

TCustomAction::~TCustomAction()
{
    for (TControl* control : std::vector<TControl*>(FClients))
        control->SetAction(nullptr);
    SetActionList(nullptr);
}

void TCustomAction::SetActionList(TActionList* list)
{
    if (list == FActionList)
        return;
    if (FActionList != nullptr)
        std::erase(FActionList->FActions, this);
    ReplaceLink(FActionList, list);
    if (list != nullptr)
        list->FActions.push_back(this);
    Changed();
}

bool TCustomAction::Execute()
{
    if (!FEnabled || !OnExecute)
        return false;
    OnExecute(this);
    return true;
}

void TCustomAction::Changed()
{
    for (TControl* control : std::vector<TControl*>(FClients))
        control->ActionChange(this, false);
}

void TCustomAction::LinkClient(TControl* control)
{
    FClients.push_back(control);
}

void TCustomAction::UnlinkClient(TControl* control)
{
    std::erase(FClients, control);
}

void TCustomAction::Notification(TComponent* aComponent, TOperation operation)
{
    TComponent::Notification(aComponent, operation);
    if (operation != opRemove)
        return;
    if (aComponent == FActionList)
        FActionList = nullptr;
    std::erase(FClients, aComponent);
}

TActionList::~TActionList()
{
    for (TCustomAction* action : std::vector<TCustomAction*>(FActions))
        action->SetActionList(nullptr);
}

void TActionList::SetImages(TCustomImageList* images)
{
    if (images == FImages)
        return;
    ReplaceLink(FImages, images);
    for (TCustomAction* action : std::vector<TCustomAction*>(FActions))
        action->Changed();
}

void TActionList::Notification(TComponent* aComponent, TOperation operation)
{
    TComponent::Notification(aComponent, operation);
    if (operation != opRemove)
        return;
    if (aComponent == FImages)
        FImages = nullptr;
    std::erase(FActions, aComponent);
}

void RegisterActnListClasses(TClassRegistry& classes)
{
    classes.Register<TActionList>("TActionList", "TComponent")
        .Component<TCustomImageList>("Images", &TActionList::SetImages);
    classes.Register<TCustomAction>("TCustomAction", "TComponent")
        .Factory(nullptr)
        .ParentSetter([](TCustomAction* action, TComponent* parent) {
            auto* list = dynamic_cast<TActionList*>(parent);
            if (list == nullptr)
                throw Exception("'" + parent->Name() + "' (" + parent->ClassName() + ") is not an action list");
            action->SetActionList(list);
        })
        .String("Caption", &TCustomAction::SetCaption)
        .Bool("Enabled", &TCustomAction::SetEnabled)
        .Bool("Checked", &TCustomAction::SetChecked)
        .Bool("Visible", &TCustomAction::SetVisible)
        .String("Hint", &TCustomAction::SetHint)
        .Int("ImageIndex", &TCustomAction::SetImageIndex)
        .Event("OnExecute", &TCustomAction::OnExecute);
    classes.Register<TAction>("TAction", "TCustomAction");
}
