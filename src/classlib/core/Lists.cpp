#include "classlib/core/Lists.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"

namespace {

// Largest count or capacity a list accepts, as the class library has it.
constexpr int MaxListSize = 0x7FFFFFFF / 16;

[[noreturn]] void ListError(const char* format, int value) {
    throw EListError(Format(format, value));
}

}  // namespace

void TList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        ListIndexError(index);
}

// The class library's growth steps: 4, then 16, then a quarter more.
void TList::Grow() {
    int delta = FCapacity > 64 ? FCapacity / 4 : (FCapacity > 8 ? 16 : 4);
    SetCapacity(std::min(FCapacity + delta, MaxListSize));
}

int TList::Add(void* item) {
    int index = Count();
    Insert(index, item);
    return index;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count())
        ListIndexError(index);
    if (Count() == FCapacity)
        Grow();
    FList.insert(FList.begin() + index, item);
}

void TList::Delete(int index) {
    CheckIndex(index);
    FList.erase(FList.begin() + index);
}

int TList::Remove(void* item) {
    int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

void* TList::Extract(void* item) {
    return Remove(item) >= 0 ? item : nullptr;
}

int TList::IndexOf(void* item) const {
    auto it = std::find(FList.begin(), FList.end(), item);
    return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Clear() {
    FList.clear();
    FList.shrink_to_fit();
    FCapacity = 0;
}

void TList::SetCount(int count) {
    if (count < 0 || count > MaxListSize)
        ListError("List count out of bounds (%d)", count);
    if (count > FCapacity)
        SetCapacity(count);
    FList.resize(count, nullptr);
}

void TList::SetCapacity(int capacity) {
    if (capacity < Count() || capacity > MaxListSize)
        ListError("List capacity out of bounds (%d)", capacity);
    FList.reserve(capacity);
    FCapacity = capacity;
}

void* TList::Items(int index) const {
    CheckIndex(index);
    return FList[index];
}

void TList::SetItem(int index, void* item) {
    CheckIndex(index);
    FList[index] = item;
}

void TList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(FList[index1], FList[index2]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    void* item = FList[curIndex];
    FList.erase(FList.begin() + curIndex);
    FList.insert(FList.begin() + newIndex, item);
}

void TList::Pack() {
    FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end());
}
