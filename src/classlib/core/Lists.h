// TList: an ordered list of untyped pointers.
//
// The list never owns what its items point to. Indices are 0-based; every
// access outside 0..Count()-1 (0..Count() for Insert) raises EListError
// "List index out of bounds (<index>)". Capacity is the number of slots
// reserved ahead of Count; it grows on its own when items are added.
#pragma once

#include <string>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/Exceptions.h"

class TList : public TObject {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    std::string ClassName() const override { return "TList"; }

    // Appends item and returns its index.
    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    // Deletes the first occurrence of item; returns the index it had, or -1.
    int Remove(void* item);
    // Like Remove, but returns item when it was in the list, else nullptr.
    void* Extract(void* item);
    int IndexOf(void* item) const;
    void Clear();

    int Count() const { return static_cast<int>(FList.size()); }
    // Growing fills the new slots with nullptr; a negative count raises
    // EListError "List count out of bounds (<count>)".
    void SetCount(int count);
    int Capacity() const { return FCapacity; }
    // A capacity below Count raises EListError "List capacity out of bounds (<n>)".
    void SetCapacity(int capacity);

    void* Items(int index) const;
    void SetItem(int index, void* item);
    void* operator[](int index) const { return Items(index); }
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }

    void Exchange(int index1, int index2);
    // Takes the item at curIndex out and reinserts it so that it ends at newIndex.
    void Move(int curIndex, int newIndex);
    // Removes every nullptr item.
    void Pack();

private:
    void CheckIndex(int index) const;
    void Grow();

    std::vector<void*> FList;
    int FCapacity = 0;
};
