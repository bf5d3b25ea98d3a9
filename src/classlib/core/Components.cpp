#include "classlib/core/Components.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"

// --- TPersistent -------------------------------------------------------------

void TPersistent::Assign(TPersistent* source)
{
    if (source == nullptr)
        throw EConvertError("Cannot assign a nil to a " + ClassName());
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest)
{
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest->ClassName());
}

// --- TComponent --------------------------------------------------------------

TComponent::TComponent(TComponent* owner)
{
    if (owner != nullptr)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Each partner is unlinked before it is told, so a Notification override
    // that forgets to call TComponent::Notification cannot leave a dangling
    // link behind.
    while (!FFreeNotifies.empty()) {
        TComponent* partner = FFreeNotifies.back();
        Unlink(partner);
        partner->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner != nullptr)
        FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const
{
    CheckListIndex(index, ComponentCount());
    return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    if (FOwner == nullptr)
        return -1;
    const auto& list = FOwner->FComponents;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::ValidateRename(const TComponent* aComponent, const std::string& curName,
                                const std::string& newName) const
{
    if (aComponent != nullptr && !SameText(curName, newName) && aComponent->FOwner == this) {
        const TComponent* other = FindComponent(newName);
        if (other != nullptr && other != aComponent)
            throw Exception("A component named " + newName + " already exists");
    }
}

void TComponent::SetName(const std::string& newName)
{
    if (newName == FName)
        return;
    if (FOwner != nullptr)
        FOwner->ValidateRename(this, FName, newName);
    FName = newName;
}

void TComponent::SetReading(bool reading)
{
    if (reading)
        FComponentState |= csReading;
    else
        FComponentState &= ~csReading;
}

void TComponent::Loaded()
{
    FComponentState &= ~csLoading;
}

void TComponent::Notification(TComponent* aComponent, TOperation operation)
{
    // Last to first; a handler may take components out of the list, so the
    // index is brought back into range after every call.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        FComponents[static_cast<size_t>(i)]->Notification(aComponent, operation);
        i = std::min(i, ComponentCount());
    }
}

void TComponent::FreeNotification(TComponent* aComponent)
{
    if (aComponent == nullptr || aComponent == this)
        return;
    if (FOwner != nullptr && aComponent->FOwner == FOwner)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), aComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(aComponent);
    auto& theirs = aComponent->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* aComponent)
{
    if (aComponent != nullptr)
        Unlink(aComponent);
}

void TComponent::Unlink(TComponent* aComponent)
{
    std::erase(FFreeNotifies, aComponent);
    std::erase(aComponent->FFreeNotifies, this);
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* component : FComponents)
        if (SameText(component->FName, name))
            return component;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* aComponent)
{
    if (aComponent == nullptr || aComponent->FOwner == this)
        return;
    // Validate before anything moves, so a clash leaves both owners as they were.
    if (FindComponent(aComponent->FName) != nullptr)
        throw Exception("A component named " + aComponent->FName + " already exists");
    if (aComponent->FOwner != nullptr)
        aComponent->FOwner->RemoveComponent(aComponent);
    FComponents.push_back(aComponent);
    aComponent->FOwner = this;
    Notification(aComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* aComponent)
{
    if (aComponent == nullptr || aComponent->FOwner != this)
        return;
    Notification(aComponent, opRemove);
    std::erase(FComponents, aComponent);
    aComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        last->BeforeDestruction();
        last->Destroying();
        RemoveComponent(last);
        delete last;
    }
}

void FreeComponent(TComponent* component)
{
    if (component == nullptr)
        return;
    component->BeforeDestruction();
    delete component;
}
