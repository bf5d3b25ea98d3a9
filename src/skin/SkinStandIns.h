// The skin classes the settings dialog and the about box name, registered
// for form descriptions: the stored skin, the skin data component, the
// skinned button, panel and group box, and a stand-in for the skinned form
// (TspDynamicSkinForm), which holds its SkinData link and does nothing else
// until the skinned form exists.
#pragma once

#include <string>

#include "classlib/core/ClassRegistry.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/StdCtrls.h"
#include "skin/SkinData.h"
#include "skin/StoredSkin.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"

// A link to a skin data component, possibly on another form, dropped when
// that component goes.
template <class Base>
class TspSkinDataLink : public Base {
public:
    using Base::Base;

    TspSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TspSkinData* data)
    {
        if (FSkinData != nullptr)
            this->RemoveFreeNotification(FSkinData);
        FSkinData = data;
        if (FSkinData != nullptr)
            this->FreeNotification(FSkinData);
    }
    void Notification(TComponent* aComponent, TOperation operation) override
    {
        if (operation == opRemove && aComponent == FSkinData)
            FSkinData = nullptr;
        Base::Notification(aComponent, operation);
    }

    // The name of the control's record in the skin ("button", "groupbox").
    std::string SkinDataName;

private:
    TspSkinData* FSkinData = nullptr;
};

class TspDynamicSkinForm : public TspSkinDataLink<TComponent> {
public:
    using TspSkinDataLink::TspSkinDataLink;
    std::string ClassName() const override { return "TspDynamicSkinForm"; }
};

// Registers the stored skins, the skin data component, the skinned
// controls and the skinned form's stand-in (after the class
// library's own); only the first call on the program's registry does
// anything.
void RegisterSkinClasses(TClassRegistry& classes = ClassRegistry());
