#include "scene/core/SceneObjects.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"

// --- TMainItem ---

void TMainItem::SetVisible(bool value)
{
    FVisible = value;
}

void TMainItem::DoEvents(float /*deltaTime*/) {}

void TMainItem::Animate(float /*deltaTime*/) {}

void TMainItem::BeginRender() {}

void TMainItem::EndRender() {}

void TMainItem::Render()
{
    if (!Visible())
        return;
    BeginRender();
    RenderOpaque();
    if (Alpha)
        RenderAlpha();
    EndRender();
}

void TMainItem::RenderOpaque() {}

void TMainItem::RenderAlpha() {}

// --- TMainObject ---

TMainObject::~TMainObject()
{
    if (Owner() != nullptr)
        Owner()->Remove(this);
}

void TMainObject::SetName(const std::string& value)
{
    if (value == FName)
        return;
    if (Owner() != nullptr)
        Owner()->Rename(this, value);
    else
        FName = value;
}

// --- TMainList ---

void TMainList::DoEvents(float deltaTime)
{
    TMainSceneObject::DoEvents(deltaTime);
    for (int i = 0; i < GetCount(); ++i)
        if (TMainItem* item = GetItem(i))
            item->DoEvents(deltaTime);
}

void TMainList::Animate(float deltaTime)
{
    TMainSceneObject::Animate(deltaTime);
    for (int i = 0; i < GetCount(); ++i)
        if (TMainItem* item = GetItem(i))
            item->Animate(deltaTime);
}

void TMainList::Render()
{
    if (!Visible())
        return;
    BeginRender();
    for (int i = 0; i < GetCount(); ++i) {
        TMainItem* item = GetItem(i);
        if (item != nullptr && item->Visible())
            item->Render();
    }
    EndRender();
}

void TMainList::RenderOpaque()
{
    for (int i = 0; i < GetCount(); ++i) {
        TMainItem* item = GetItem(i);
        if (item != nullptr && item->Visible())
            item->RenderOpaque();
    }
}

void TMainList::RenderAlpha()
{
    for (int i = 0; i < GetCount(); ++i) {
        TMainItem* item = GetItem(i);
        if (item != nullptr && item->Visible())
            item->RenderAlpha();
    }
}

TMainItem* TMainList::Add(TMainItem* item)
{
    if (item != nullptr)
        item->Scene = Scene;
    return item;
}

void TMainList::DeleteLast(int n)
{
    n = std::min(n, GetCount());
    for (; n > 0; --n) {
        // The entry goes first, so that nothing reached while the item is
        // freed finds it in the list any more. An item owned elsewhere keeps
        // its owner, which its destructor leaves.
        const int index = GetCount() - 1;
        TMainItem* item = GetItem(index);
        Delete(index);
        if (item != nullptr) {
            if (item->Owner() == this)
                SetOwnerOf(item, nullptr);
            delete item;
        }
    }
}

void TMainList::Clear()
{
    DeleteLast(GetCount());
}

void TMainList::SetSorted(bool /*value*/) {}

// --- TMainItemList ---

TMainItemList::TMainItemList()
{
    StoreItems = true;
}

TMainItem* TMainItemList::GetItem(int index) const
{
    return static_cast<TMainItem*>(FList.Items(index));
}

int TMainItemList::GetCount() const
{
    return FList.Count();
}

int TMainItemList::GetCapacity() const
{
    return FList.Capacity();
}

void TMainItemList::SetCapacity(int value)
{
    FList.SetCapacity(value);
}

void TMainItemList::Delete(int index)
{
    FList.Delete(index);
}

TMainItem* TMainItemList::Add(TMainItem* item)
{
    TMainList::Add(item);
    FList.Add(item);
    return item;
}

void TMainItemList::Remove(TMainItem* item)
{
    FList.Remove(item);
}

void TMainItemList::Rename(TMainItem* /*item*/, const std::string& /*newName*/) {}

void TMainItemList::ClearItems()
{
    FList.Clear();
}

// --- TMainObjectList ---

TMainObjectList::TMainObjectList()
{
    FNameIndex.SetSorted(true);
    FNameIndex.SetDuplicates(dupIgnore);
    FNameIndex.SetCaseSensitive(true);
    StoreItems = true;
}

TMainItem* TMainObjectList::GetItem(int index) const
{
    return static_cast<TMainItem*>(FNameIndex.Objects(index));
}

int TMainObjectList::GetCount() const
{
    return FNameIndex.Count();
}

int TMainObjectList::GetCapacity() const
{
    return FNameIndex.Capacity();
}

void TMainObjectList::SetCapacity(int value)
{
    FNameIndex.SetCapacity(value);
}

void TMainObjectList::Delete(int index)
{
    FNameIndex.Delete(index);
}

TMainItem* TMainObjectList::Add(TMainItem* item)
{
    TMainObject* object = dynamic_cast<TMainObject*>(item);
    if (item != nullptr && object == nullptr)
        throw EInvalidCast("Invalid class typecast");
    if (object == nullptr)
        throw Exception("TMainObjectList.AddItem error: Add NIL Object failed");
    if (object->Name().empty())
        throw Exception("TMainObjectList.AddItem error: Add empty Object.Name failed");
    // A name held by another object would leave this one in no list that
    // frees it: the caller keeps it and learns.
    const int held = FNameIndex.IndexOf(object->Name());
    if (held >= 0) {
        if (FNameIndex.Objects(held) == item)
            return item;
        throw Exception("TMainObjectList.AddItem error: Object.Name " + object->Name() + " is taken");
    }
    TMainList::Add(item);
    FNameIndex.AddObject(object->Name(), item);
    return item;
}

int TMainObjectList::IndexOfItem(const TMainItem* item) const
{
    if (item == nullptr)
        return -1;
    // The name leads to the entry unless the name is another object's or
    // the index entry is out of date; then only the object itself tells.
    if (const auto* object = dynamic_cast<const TMainObject*>(item)) {
        const int index = FNameIndex.IndexOf(object->Name());
        if (index >= 0 && FNameIndex.Objects(index) == item)
            return index;
    }
    for (int i = 0; i < FNameIndex.Count(); ++i)
        if (FNameIndex.Objects(i) == item)
            return i;
    return -1;
}

void TMainObjectList::Remove(TMainItem* item)
{
    const int index = IndexOfItem(item);
    if (index < 0)
        return;
    FNameIndex.Delete(index);
    if (item->Owner() == this)
        SetOwnerOf(item, nullptr);
}

void TMainObjectList::Rename(TMainItem* item, const std::string& newName)
{
    if (FNameIndex.IndexOf(newName) >= 0)
        return;
    const int index = IndexOfItem(item);
    if (index < 0)
        return;
    auto* object = static_cast<TMainObject*>(item);
    object->FName = newName;
    if (FNameIndex.Sorted()) {
        FNameIndex.Delete(index);
        FNameIndex.AddObject(newName, item);
    } else {
        FNameIndex.Put(index, newName);
    }
}

void TMainObjectList::ClearItems()
{
    FNameIndex.Clear();
}

TMainObject* TMainObjectList::FindObject(const std::string& name) const
{
    const int index = FNameIndex.IndexOf(name);
    return index >= 0 ? static_cast<TMainObject*>(static_cast<TMainItem*>(FNameIndex.Objects(index))) : nullptr;
}

// --- TResource ---

TResource::TResource()
{
    SetVisible(false);
}

TResource::~TResource()
{
    Clear();
}

TMainItem* TResource::Add(TMainItem* item)
{
    TMainList* previousOwner = item != nullptr ? item->Owner() : nullptr;
    if (previousOwner == this)
        return item;
    TMainObjectList::Add(item);
    if (previousOwner != nullptr)
        previousOwner->Remove(item);
    SetOwnerOf(item, this);
    return item;
}

void TResource::ClearItems()
{
    Clear();
}

void TResource::Clear()
{
    TMainList::Clear();
    TMainObjectList::ClearItems();
}

void TResource::AddResourceLines(TStrings& /*lines*/) {}
