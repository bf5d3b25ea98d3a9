#include "scene/core/TextMeshMaterial.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"

T3DMMaterial::~T3DMMaterial()
{
    if (FList != nullptr)
        FList->Remove(this);
}

void T3DMMaterial::SetName(const std::string& name)
{
    if (FList != nullptr)
        FList->Rename(this, name);
    else
        FName = name;
}

T3DMMaterialStandard* T3DMMaterialMultiSubObject::SubMaterials(int index) const
{
    if (index < 0 || index >= SubCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FSubMaterials[static_cast<size_t>(index)].get();
}

T3DMMaterialStandard* T3DMMaterialMultiSubObject::AddSubMaterial()
{
    FSubMaterials.push_back(std::make_unique<T3DMMaterialStandard>());
    return FSubMaterials.back().get();
}

T3DMMaterialList::T3DMMaterialList()
{
    FIndex.SetSorted(true);
    FIndex.SetCaseSensitive(false);
    // Materials of one name may repeat: lookups find the first one added.
    FIndex.SetDuplicates(dupAccept);
}

T3DMMaterialList::~T3DMMaterialList()
{
    Clear();
}

T3DMMaterial* T3DMMaterialList::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FItems[static_cast<size_t>(index)];
}

T3DMMaterial* T3DMMaterialList::Find(const std::string& name) const
{
    int index = 0;
    if (!FIndex.Find(name, index))
        return nullptr;
    // Equal names sit together in the index; the earliest addition wins.
    T3DMMaterial* first = nullptr;
    size_t firstPosition = FItems.size();
    for (; index < FIndex.Count() && SameText(FIndex.Strings(index), name); ++index) {
        auto* material = static_cast<T3DMMaterial*>(FIndex.Objects(index));
        const size_t position =
            static_cast<size_t>(std::find(FItems.begin(), FItems.end(), material) - FItems.begin());
        if (position < firstPosition) {
            first = material;
            firstPosition = position;
        }
    }
    return first;
}

void T3DMMaterialList::Add(T3DMMaterial* material)
{
    if (material == nullptr)
        throw Exception("T3DMMaterialList error: Add a NIL Material");
    if (material->FList == this)
        return;
    if (material->FList != nullptr)
        material->FList->Remove(material);
    FItems.push_back(material);
    try {
        FIndex.AddObject(material->FName, material);
    } catch (...) {
        FItems.pop_back();
        throw;
    }
    material->FList = this;
}

void T3DMMaterialList::Remove(T3DMMaterial* material)
{
    if (material == nullptr || material->FList != this)
        return;
    const int entry = IndexEntryOf(material);
    if (entry >= 0)
        FIndex.Delete(entry);
    std::erase(FItems, material);
    material->FList = nullptr;
}

void T3DMMaterialList::Clear()
{
    FIndex.Clear();
    std::vector<T3DMMaterial*> items;
    items.swap(FItems);
    for (T3DMMaterial* material : items) {
        material->FList = nullptr;
        delete material;
    }
}

int T3DMMaterialList::IndexEntryOf(const T3DMMaterial* material) const
{
    for (int i = 0; i < FIndex.Count(); ++i)
        if (FIndex.Objects(i) == material)
            return i;
    return -1;
}

void T3DMMaterialList::Rename(T3DMMaterial* material, const std::string& name)
{
    const int entry = IndexEntryOf(material);
    if (entry >= 0)
        FIndex.Delete(entry);
    material->FName = name;
    FIndex.AddObject(name, material);
}
