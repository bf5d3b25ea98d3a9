// Root classes of the class library's object model.
//
//  - `TObject`: the common root; a virtual destructor and the class's name.
//  - `TPersistent`: objects that can copy themselves from one another through
//    `Assign` / `AssignTo`.
//  - `TComponent`: objects with an owner, a name and a state. An owner holds
//    its components and frees them when it is freed, last created first.
//    Every other link between components is a plain pointer that the holder
//    clears when it is told, through `Notification(c, opRemove)`, that `c`
//    goes away: components of one owner are told through that owner, links
//    across owners are registered with `FreeNotification`.
//
// Each class overrides `ClassName` with its own name; the name is what error
// messages show ("Cannot assign a TFont to a TStringList").
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;

    virtual std::string ClassName() const { return "TObject"; }
};

// The plain event: a handler that receives only its sender.
using TNotifyEvent = std::function<void(TObject* sender)>;

// Raises an event: calls the handler when one is assigned.
template <typename Event, typename... Args>
void Fire(const Event& event, Args&&... args)
{
    if (event)
        event(std::forward<Args>(args)...);
}

class TPersistent : public TObject {
public:
    std::string ClassName() const override { return "TPersistent"; }

    // Copies `source` into this object. The default asks the source to copy
    // itself here (`source->AssignTo(this)`); a class that knows how to take
    // values from some source class overrides Assign, a class that knows how
    // to give its values to some destination class overrides AssignTo, and
    // each falls back to its parent's implementation for the other classes.
    // A null source raises EConvertError "Cannot assign a nil to a <class>".
    virtual void Assign(TPersistent* source);
    // Default: raises EConvertError "Cannot assign a <source class> to a
    // <destination class>".
    virtual void AssignTo(TPersistent* dest);
};

enum TOperation { opInsert, opRemove };

// Component state: a small flag set, tested as `ComponentState() & csLoading`.
//  csLoading    - set by the reader from the start of reading a form
//                 description until `Loaded` is called;
//  csReading    - set while the reader reads this component's own values;
//  csDestroying - set when the component starts to be freed;
//  csDesigning  - never set at run time; kept so that code can test it.
using TComponentState = unsigned;
enum : TComponentState {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csDestroying = 1u << 2,
    csDesigning = 1u << 3,
};

class TComponent : public TPersistent {
public:
    // With a non-null owner the new component is inserted into the owner's
    // list (and the owner's components are told, opInsert). The insertion
    // happens in this constructor, so a handler sees only the TComponent
    // part of the new object.
    explicit TComponent(TComponent* owner);
    // Sets csDestroying, tells every component linked by FreeNotification
    // (opRemove), frees the owned components (see DestroyComponents), and
    // finally leaves the owner, which tells its components. When
    // this runs the derived parts are already gone, so an owner class whose
    // own Notification must see its components go calls DestroyComponents
    // from its own destructor.
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    std::string ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    // Raises EListError "List index out of bounds (<i>)" outside 0..Count-1.
    TComponent* Components(int index) const;
    // Position in the owner's list; -1 without an owner.
    int ComponentIndex() const;

    const std::string& Name() const { return FName; }
    // Names are unique among the components of one owner, compared without
    // case; an empty name is always allowed. A clash raises Exception
    // "A component named <NewName> already exists" and leaves the name as
    // it was. Changing only the case of a name is allowed.
    virtual void SetName(const std::string& newName);

    intptr_t Tag = 0;

    TComponentState ComponentState() const { return FComponentState; }
    // Used by the form reader: Loading sets csLoading (cleared by Loaded),
    // SetReading sets or clears csReading.
    void Loading() { FComponentState |= csLoading; }
    void SetReading(bool reading);
    // Sets csDestroying; the destructor calls it first, an owner calls it on
    // a component before it announces that component's removal.
    void Destroying() { FComponentState |= csDestroying; }
    // Called once the whole description this component was read from has
    // been read; clears csLoading.
    virtual void Loaded();

    // Told when `aComponent` enters or leaves the list of this component or
    // of its owner (the owner is told and forwards the call to every
    // component it holds, the one concerned included), and when a component
    // linked by FreeNotification is freed (opRemove). Overrides clear their pointers
    // to `aComponent` on opRemove and call TComponent::Notification.
    virtual void Notification(TComponent* aComponent, TOperation operation);

    // Links this component and `aComponent` both ways: when either is freed
    // the other gets Notification(freed, opRemove). Components of the same
    // owner are told of each other through the owner, so no link is needed
    // (nor made) between them.
    void FreeNotification(TComponent* aComponent);
    void RemoveFreeNotification(TComponent* aComponent);

    // Points a link field at `value`, moving the free-notification link from
    // the old target to the new one; setting the current target does nothing.
    template <class T>
    void ReplaceLink(T*& field, T* value)
    {
        if (field == value)
            return;
        if (field != nullptr)
            field->RemoveFreeNotification(this);
        field = value;
        if (field != nullptr)
            field->FreeNotification(this);
    }

    // Case-insensitive; an empty name finds nothing.
    TComponent* FindComponent(const std::string& name) const;

    // Takes `aComponent` into this owner's list (removing it from a previous
    // owner first) and tells the owner's components (opInsert). Its name
    // must be free here, or Exception "A component named ... already exists"
    // is raised and nothing changes.
    void InsertComponent(TComponent* aComponent);
    // Tells the owner's components (opRemove, while `aComponent` is still in
    // the list), then takes it out; it is not freed. Ignored for a component
    // this owner does not hold.
    void RemoveComponent(TComponent* aComponent);
    // Frees every owned component, last created first; each one gets
    // BeforeDestruction, is marked csDestroying and its removal announced to
    // the owner and the components still held before it is freed.
    void DestroyComponents();

    // The twin of construction's last step: called by whoever frees the
    // component (an owner's DestroyComponents, FreeComponent, a form's
    // release) while the object is still whole, so teardown events can reach
    // every part of it. Overrides must not throw and must tolerate a second
    // call; the destructor never calls it.
    virtual void BeforeDestruction() {}

private:
    void ValidateRename(const TComponent* aComponent, const std::string& curName,
                        const std::string& newName) const;
    void Unlink(TComponent* aComponent);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::string FName;
    TComponentState FComponentState = 0;
};

// Frees a component the way its owner would: BeforeDestruction, then delete.
// Null is ignored.
void FreeComponent(TComponent* component);

// The first of `owner`'s components that is a T, in creation order; null
// for a null owner or when it has none.
template <class T>
T* FirstComponentOf(const TComponent* owner)
{
    if (owner == nullptr)
        return nullptr;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* found = dynamic_cast<T*>(owner->Components(i)))
            return found;
    return nullptr;
}
