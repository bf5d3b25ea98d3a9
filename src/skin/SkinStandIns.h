// The skin components of the settings dialog and the about box, as plain
// stand-ins until the skin engine exists.
//
// The forms' descriptions already name the skinned classes with their
// properties (TspSkinButton, TspSkinPanel, TspSkinGroupBox with SkinData
// and SkinDataName; TspSkinData with its StoredSkin; TspDynamicSkinForm
// with its SkinData), so that the skin engine replaces these classes
// without a change to the forms. Until then the visual ones are the class
// library's plain button, panel and group box with the same behaviour, and
// the skinned form holds its link and does nothing else. The stored skin and
// the skin data component are the skin engine's (StoredSkin.h, SkinData.h).
#pragma once

#include <string>

#include "classlib/core/ClassRegistry.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/StdCtrls.h"
#include "skin/SkinData.h"
#include "skin/StoredSkin.h"

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

// Registers the four stand-ins, the stored skins and the skin data component (after the class
// library's own); only the first call on the program's registry does
// anything.
void RegisterSkinClasses(TClassRegistry& classes = ClassRegistry());
