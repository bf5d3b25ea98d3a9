// A popup menu shown through the skinned menu engine of the skinned form it
// finds on its form (PopupForm, else its owner): the first component there
// that is a TspSkinMenuHost. Without one nothing is shown; OnPopup still
// runs.
#pragma once

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/Types.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Menus.h"

class TspSkinData;
class TspSkinMenuHost;

class TspSkinPopupMenu : public TPopupMenu {
public:
    explicit TspSkinPopupMenu(TComponent* owner) : TPopupMenu(owner) {}
    ~TspSkinPopupMenu() override;
    std::string ClassName() const override { return "TspSkinPopupMenu"; }

    // Null: the host's menus skin, else its skin.
    TspSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TspSkinData* skinData);
    // The form whose host shows the menu; null: the owner.
    TCustomForm* PopupForm() const { return FPopupForm; }
    void SetPopupForm(TCustomForm* form);

    void Popup(int x, int y) override;
    // Opens the menu beside `r` (screen coordinates), upward or downward.
    void PopupFromRect(const TRect& r, bool popupUp);

    void Notification(TComponent* aComponent, TOperation operation) override;

private:
    TspSkinMenuHost* FindHost() const;

    TspSkinData* FSkinData = nullptr;
    TCustomForm* FPopupForm = nullptr;
};

// Registers TspSkinPopupMenu below TPopupMenu with its "SkinData" reference.
void RegisterSkinPopupMenuClasses(TClassRegistry& classes);
