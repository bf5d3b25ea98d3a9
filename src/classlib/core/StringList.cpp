#include "classlib/core/StringList.h"

#include <algorithm>
#include <numeric>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Streams.h"
#include "classlib/core/SysUtils.h"

namespace {


}  // namespace

// --- TStrings ------------------------------------------------------------------

void TStrings::Put(int index, const std::string& s) {
    void* object = Objects(index);
    UpdateStrings(*this, [&] {
        Delete(index);
        Insert(index, s);
        PutObject(index, object);
    });
}

void* TStrings::Objects(int) const {
    return nullptr;
}

void TStrings::PutObject(int, void*) {}

int TStrings::Add(const std::string& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, void* object) {
    int index = Add(s);
    PutObject(index, object);
    return index;
}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Strings(i), s) == 0)
            return i;
    return -1;
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const {
    return CompareText(a, b);
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        std::string s = Strings(i);
        size_t eq = s.find('=');
        if (eq != std::string::npos && CompareStrings(s.substr(0, eq), name) == 0)
            return i;
    }
    return -1;
}

std::string TStrings::Names(int index) const {
    std::string s = Strings(index);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const {
    std::string s = Strings(index);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

std::string TStrings::Values(const std::string& name) const {
    int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValue(const std::string& name, const std::string& value) {
    int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
    } else if (index >= 0) {
        Put(index, name + "=" + value);
    } else {
        Add(name + "=" + value);
    }
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Strings(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const std::string& text) {
    UpdateStrings(*this, [&] {
        Clear();
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos)
                end = text.size();
            Add(text.substr(start, end - start));
            start = end;
            if (start < text.size() && text[start] == '\r')
                ++start;
            if (start < text.size() && text[start] == '\n')
                ++start;
        }
    });
}

std::string TStrings::GetDelimitedText(char delimiter, char quote) const {
    std::string result;
    for (int i = 0; i < Count(); ++i) {
        std::string s = Strings(i);
        bool needsQuotes = s.empty() || std::any_of(s.begin(), s.end(), [&](char c) {
                               return IsBlank(c) || c == delimiter || c == quote;
                           });
        if (i > 0)
            result += delimiter;
        if (!needsQuotes) {
            result += s;
            continue;
        }
        result += quote;
        for (char c : s) {
            result += c;
            if (c == quote)
                result += quote;
        }
        result += quote;
    }
    return result;
}

void TStrings::SetDelimitedText(const std::string& text, char delimiter, char quote) {
    UpdateStrings(*this, [&] {
        Clear();
        size_t p = 0;
        size_t n = text.size();
        auto skipBlanks = [&] {
            while (p < n && IsBlank(text[p]))
                ++p;
        };
        skipBlanks();
        while (p < n) {
            std::string item;
            if (text[p] == quote) {
                for (++p; p < n; ++p) {
                    if (text[p] == quote) {
                        if (p + 1 < n && text[p + 1] == quote) {
                            ++p;  // a doubled quote stands for one
                        } else {
                            ++p;  // the closing quote
                            break;
                        }
                    }
                    item += text[p];
                }
            } else {
                size_t start = p;
                while (p < n && !IsBlank(text[p]) && text[p] != delimiter)
                    ++p;
                item = text.substr(start, p - start);
            }
            Add(item);
            skipBlanks();
            if (p < n && text[p] == delimiter) {
                if (p + 1 == n)
                    Add(std::string());  // a trailing delimiter ends with an empty item
                ++p;
                skipBlanks();
            }
        }
    });
}

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::LoadFromStream(TStream& stream) {
    int64_t size = stream.Size() - stream.Position();
    std::string text(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
    text.resize(static_cast<size_t>(stream.Read(text.data(), static_cast<int64_t>(text.size()))));
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
    std::string text = Text();
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this)
        return;
    UpdateStrings(*this, [&] {
        Clear();
        AddStrings(source);
    });
}

void TStrings::Assign(TPersistent* source) {
    if (auto* strings = dynamic_cast<TStrings*>(source))
        Assign(*strings);
    else
        TPersistent::Assign(source);
}

void TStrings::AddStrings(const TStrings& source) {
    // Snapshot first: source may be this list, and a sorted list reorders.
    std::vector<std::pair<std::string, void*>> items;
    for (int i = 0; i < source.Count(); ++i)
        items.emplace_back(source.Strings(i), source.Objects(i));
    UpdateStrings(*this, [&] {
        for (const auto& [s, object] : items)
            AddObject(s, object);
    });
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Strings(i) != other.Strings(i))
            return false;
    return true;
}

// --- TStringList ---------------------------------------------------------------

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        ListIndexError(index);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
    if (!updating)
        Changed();
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
    return FCaseSensitive ? CompareStr(a, b) : CompareText(a, b);
}

std::string TStringList::Strings(int index) const {
    CheckIndex(index);
    return FList[index].FString;
}

void* TStringList::Objects(int index) const {
    CheckIndex(index);
    return FList[index].FObject;
}

void TStringList::Put(int index, const std::string& s) {
    if (FSorted)
        throw EListError("Operation not allowed on sorted list");
    CheckIndex(index);
    FList[index].FString = s;
    Changed();
}

void TStringList::PutObject(int index, void* object) {
    CheckIndex(index);
    FList[index].FObject = object;
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    if (FSorted)
        throw EListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count())
        ListIndexError(index);
    InsertItem(index, s, nullptr);
}

void TStringList::InsertItem(int index, const std::string& s, void* object) {
    FList.insert(FList.begin() + index, TStringItem{s, object});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    FList.erase(FList.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FList.empty())
        return;
    FList.clear();
    FList.shrink_to_fit();
    Changed();
}

void TStringList::SetCapacity(int capacity) {
    if (capacity < Count())
        throw EListError(Format("List capacity out of bounds (%d)", capacity));
    FList.shrink_to_fit();
    FList.reserve(static_cast<size_t>(capacity));
}

int TStringList::Add(const std::string& s) {
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const std::string& s, void* object) {
    int index = Count();
    if (FSorted && Find(s, index)) {
        if (FDuplicates == dupIgnore)
            return index;
        if (FDuplicates == dupError)
            throw EListError("String list does not allow duplicates");
        // dupAccept: after the equal strings already present.
        while (index < Count() && CompareStrings(FList[index].FString, s) == 0)
            ++index;
    }
    InsertItem(index, s, object);
    return index;
}

int TStringList::IndexOf(const std::string& s) const {
    if (!FSorted)
        return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
    int low = 0;
    int high = Count();
    while (low < high) {
        int mid = low + (high - low) / 2;
        if (CompareStrings(FList[mid].FString, s) < 0)
            low = mid + 1;
        else
            high = mid;
    }
    index = low;
    return low < Count() && CompareStrings(FList[low].FString, s) == 0;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted && !FSorted)
        Sort();
    FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == FCaseSensitive)
        return;
    FCaseSensitive = caseSensitive;
    if (FSorted)
        Sort();
}

void TStringList::Sort() {
    SortBy([](const TStringList& list, int a, int b) {
        return list.CompareStrings(list.FList[a].FString, list.FList[b].FString);
    });
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare) {
    if (FSorted)
        throw EListError("Operation not allowed on sorted list");
    SortBy(compare);
}

void TStringList::SortBy(const std::function<int(const TStringList&, int, int)>& compare) {
    if (Count() < 2)
        return;
    std::vector<int> order(FList.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<TStringItem> sorted;
    sorted.reserve(FList.capacity());
    for (int i : order)
        sorted.push_back(std::move(FList[i]));
    FList = std::move(sorted);
    Changed();
}
