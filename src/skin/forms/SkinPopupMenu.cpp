#include "skin/forms/SkinPopupMenu.h"

#include "skin/SkinData.h"
#include "skin/forms/SkinMenu.h"
#include "skin/forms/SkinMenuHost.h"

namespace {

TspSkinMenuHost* HostAmong(const TComponent* owner)
{
    return FirstComponentOf<TspSkinMenuHost>(owner);
}

}  // namespace

TspSkinPopupMenu::~TspSkinPopupMenu()
{
    SetSkinData(nullptr);
    SetPopupForm(nullptr);
}

void TspSkinPopupMenu::SetSkinData(TspSkinData* skinData)
{
    ReplaceLink(FSkinData, skinData);
}

void TspSkinPopupMenu::SetPopupForm(TCustomForm* form)
{
    ReplaceLink(FPopupForm, form);
}

TspSkinMenuHost* TspSkinPopupMenu::FindHost() const
{
    return HostAmong(FPopupForm != nullptr ? static_cast<const TComponent*>(FPopupForm) : Owner());
}

void TspSkinPopupMenu::Popup(int x, int y)
{
    PopupFromRect(TRect{x, y, x, y}, false);
}

void TspSkinPopupMenu::PopupFromRect(const TRect& r, bool popupUp)
{
    DoPopup(this);
    TspSkinMenuHost* host = FindHost();
    if (host == nullptr)
        return;
    if (FSkinData == nullptr)
        SetSkinData(host->MenusSkinData() != nullptr ? host->MenusSkinData() : host->SkinData());
    TspSkinMenu* engine = host->SkinMenu();
    if (engine == nullptr)
        return;
    // The host's menu mode swallows keys until the menu closes: it is
    // entered only when a level really opened and a close will come.
    if (engine->Popup(nullptr, FSkinData, 0, r, Items(), popupUp))
        host->SkinMenuOpen();
}

void TspSkinPopupMenu::Notification(TComponent* aComponent, TOperation operation)
{
    TPopupMenu::Notification(aComponent, operation);
    if (operation != opRemove)
        return;
    if (aComponent == FSkinData)
        FSkinData = nullptr;
    if (aComponent == FPopupForm)
        FPopupForm = nullptr;
}

void RegisterSkinPopupMenuClasses(TClassRegistry& classes)
{
    classes.Register<TspSkinPopupMenu>("TspSkinPopupMenu", "TPopupMenu")
        .Component<TspSkinData>("SkinData", &TspSkinPopupMenu::SetSkinData);
}
