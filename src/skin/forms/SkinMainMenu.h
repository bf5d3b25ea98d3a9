// `TspSkinMainMenu`: a main menu that names the skin its items are drawn
// with on the skinned form's frame.
#pragma once

#include "classlib/core/ClassRegistry.h"
#include "classlib/ui/Menus.h"

class TspSkinData;

class TspSkinMainMenu : public TMainMenu {
public:
    explicit TspSkinMainMenu(TComponent* AOwner) : TMainMenu(AOwner) {}
    std::string ClassName() const override { return "TspSkinMainMenu"; }
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TspSkinData* SkinData() const { return FSkinData; }
    // Followed to nil when that component goes.
    void SetSkinData(TspSkinData* Value);

private:
    TspSkinData* FSkinData = nullptr;
};

// Registers TspSkinMainMenu below TMainMenu with "SkinData", and
// TspSkinMainMenuBar below TspSkinControl; the menus, the skin data and the
// skinned control base must be registered.
void RegisterSkinMainMenuClasses(TClassRegistry& classes);
