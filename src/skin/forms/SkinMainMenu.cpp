#include "skin/forms/SkinMainMenu.h"

#include "skin/SkinData.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"

void TspSkinMainMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMainMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSkinData)
        FSkinData = nullptr;
}

void TspSkinMainMenu::SetSkinData(TspSkinData* Value)
{
    if (FSkinData != nullptr)
        FSkinData->RemoveFreeNotification(this);
    FSkinData = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

void RegisterSkinMainMenuClasses(TClassRegistry& classes)
{
    classes.Register<TspSkinMainMenu>("TspSkinMainMenu", "TMainMenu")
        .Component<TspSkinData>("SkinData", &TspSkinMainMenu::SetSkinData);
    classes.Register<TspSkinMainMenuBar>("TspSkinMainMenuBar", "TspSkinControl")
        .Object("DefItemFont", [](TspSkinMainMenuBar* bar) { return bar->DefItemFont(); })
        .Int("DefaultWidth", &TspSkinMainMenuBar::SetDefaultWidth)
        .Int("DefaultHeight", &TspSkinMainMenuBar::SetDefaultHeight)
        .Bool("PopupToUp", &TspSkinMainMenuBar::PopupToUp)
        .Component<TspDynamicSkinForm>("DynamicSkinForm", &TspSkinMainMenuBar::SetDynamicSkinForm)
        .Component<TMainMenu>("MainMenu", &TspSkinMainMenuBar::SetMainMenu)
        .Event("OnMainMenuItemClick", &TspSkinMainMenuBar::OnMainMenuItemClick);
}
