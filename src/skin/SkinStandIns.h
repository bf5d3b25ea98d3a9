// The skinned controls of the settings dialog and the about box, as plain
// stand-ins until the skinned controls exist.
//
// The forms' descriptions already name the skinned classes with their
// properties (TspSkinButton, TspSkinPanel, TspSkinGroupBox with SkinData
// and SkinDataName), so that the skinned classes replace these without a
// change to the forms. Until then they are the class library's plain
// button, panel and group box with the same behaviour. The skin data, the
// stored skin and the skinned form are the skin engine's own (SkinData.h,
// StoredSkin.h, forms/DynamicSkinForm.h).
#pragma once

#include <string>

#include "classlib/core/ClassRegistry.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/StdCtrls.h"
#include "skin/SkinData.h"
#include "skin/StoredSkin.h"
#include "skin/forms/DynamicSkinForm.h"

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

class TspSkinButton : public TspSkinDataLink<TButton> {
public:
    using TspSkinDataLink::TspSkinDataLink;
    std::string ClassName() const override { return "TspSkinButton"; }
};

class TspSkinPanel : public TspSkinDataLink<TPanel> {
public:
    using TspSkinDataLink::TspSkinDataLink;
    std::string ClassName() const override { return "TspSkinPanel"; }
};

class TspSkinGroupBox : public TspSkinDataLink<TGroupBox> {
public:
    using TspSkinDataLink::TspSkinDataLink;
    std::string ClassName() const override { return "TspSkinGroupBox"; }
};

// Registers the stored skins, the skin data component, the skinned form
// and the three stand-ins (after the class library's own); only the first call on the program's registry does
// anything.
void RegisterSkinClasses(TClassRegistry& classes = ClassRegistry());
