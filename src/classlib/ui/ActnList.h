// Actions: one command (its caption, state, hint and image) shared by the
// controls that show it, kept in an action list with the list's images.
//
// Every change of an action's Caption, Enabled, Checked, Visible, Hint or
// ImageIndex is passed at once to each control linked to it
// (TControl::SetAction), which takes the new value. Execute fires OnExecute
// while the action is enabled. An action belongs to at most one list; the
// list does not own its actions (their owner, usually the form, does), and
// either forgets the other when one of them is freed.
#pragma once

#include <string>
#include <vector>

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/Components.h"

class TActionList;
class TControl;
class TCustomImageList;

class TCustomAction : public TComponent {
public:
    explicit TCustomAction(TComponent* owner) : TComponent(owner) {}
    // Unlinks the controls and leaves the list.
    ~TCustomAction() override;
    std::string ClassName() const override { return "TCustomAction"; }

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption) { Change(FCaption, caption); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled) { Change(FEnabled, enabled); }
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked) { Change(FChecked, checked); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible) { Change(FVisible, visible); }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint) { Change(FHint, hint); }
    // An image of the list's Images; -1: none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index) { Change(FImageIndex, index); }

    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* list);

    // Fires OnExecute when the action is enabled; true when a handler ran.
    virtual bool Execute();

    TNotifyEvent OnExecute;

    void Notification(TComponent* aComponent, TOperation operation) override;

private:
    friend class TControl;
    friend class TActionList;

    template <class V>
    void Change(V& field, const V& value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    // Tells every linked control.
    void Changed();
    void LinkClient(TControl* control);
    void UnlinkClient(TControl* control);

    std::string FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    bool FVisible = true;
    std::string FHint;
    int FImageIndex = -1;
    TActionList* FActionList = nullptr;
    std::vector<TControl*> FClients;
};

class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* owner) : TCustomAction(owner) {}
    std::string ClassName() const override { return "TAction"; }
};

class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* owner) : TComponent(owner) {}
    // Its actions leave it (they are not freed).
    ~TActionList() override;
    std::string ClassName() const override { return "TActionList"; }

    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TCustomAction* Actions(int index) const { return FActions.at(static_cast<size_t>(index)); }
    // The images the actions' ImageIndex refers to. Linked actions are
    // told of a change, so their controls pick up the new image.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* images);

    void Notification(TComponent* aComponent, TOperation operation) override;

private:
    friend class TCustomAction;

    std::vector<TCustomAction*> FActions;
    TCustomImageList* FImages = nullptr;
};

// TActionList (with "Images"), TCustomAction and TAction; an action nested
// in an action list joins it. Needs RegisterMenusClasses first (the image
// list class).
void RegisterActnListClasses(TClassRegistry& classes);
