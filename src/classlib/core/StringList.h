// String lists: the abstract TStrings and its in-memory implementation
// TStringList.
//
// A TStrings is an indexed list of strings, each with an associated untyped
// object pointer that the list never owns. TStrings supplies everything that
// can be built on a handful of storage operations: name=value access, the
// Text and CommaText forms, loading and saving, copying between lists.
//
// Comparison of strings (IndexOf, IndexOfName, Values, Find, Sort):
// ordinal, byte by byte, with bytes taken as unsigned; a string that is a
// prefix of another sorts first. Unless CaseSensitive is on, the ASCII
// letters a-z are folded to A-Z first (CompareText, so "_" sorts after the
// letters); other bytes, including those above 127, compare as they are. TStrings itself always
// compares without regard to case; TStringList follows its CaseSensitive
// property (default false).
//
// Indices are 0-based; an index outside the list raises EListError
// "List index out of bounds (<index>)".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/Exceptions.h"

class TStream;

class TStrings : public TPersistent {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    std::string ClassName() const override { return "TStrings"; }

    // --- Storage, supplied by the implementation ---
    virtual int Count() const = 0;
    virtual std::string Strings(int index) const = 0;
    // Default: replaces the string, keeping its object.
    virtual void Put(int index, const std::string& s);
    // Default: no objects are stored (nullptr; PutObject ignored).
    virtual void* Objects(int index) const;
    virtual void PutObject(int index, void* object);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    // Appends s and returns its index.
    virtual int Add(const std::string& s);
    virtual int AddObject(const std::string& s, void* object);
    virtual int IndexOf(const std::string& s) const;

    // --- name=value pairs (split at the first "=") ---
    // Index of the first string whose name is name, or -1.
    int IndexOfName(const std::string& name) const;
    // The part before the first "="; empty when the string has no "=".
    std::string Names(int index) const;
    // The value of the first pair named name; empty when there is none.
    std::string Values(const std::string& name) const;
    // Replaces the first pair named name, or appends one; an empty value
    // deletes the pair instead.
    void SetValue(const std::string& name, const std::string& value);
    // The part after the first "="; empty when the string has no "=".
    std::string ValueFromIndex(int index) const;

    // --- Whole-list forms ---
    // Every string followed by CR LF.
    std::string Text() const;
    // Replaces the content by the lines of text; a line ends at CR LF, LF
    // or CR; text after the last line end is one more line.
    virtual void SetText(const std::string& text);
    // Comma-separated form, items quoted with '"' as needed.
    std::string CommaText() const { return GetDelimitedText(',', '"'); }
    void SetCommaText(const std::string& text) { SetDelimitedText(text, ',', '"'); }
    // The same forms with Delimiter and QuoteChar.
    std::string DelimitedText() const { return GetDelimitedText(Delimiter, QuoteChar); }
    void SetDelimitedText(const std::string& text) { SetDelimitedText(text, Delimiter, QuoteChar); }
    char Delimiter = ',';
    char QuoteChar = '"';

    // --- Updates ---
    // Nested update brackets; the first BeginUpdate and the last EndUpdate
    // notify the implementation (TStringList holds back OnChange in between).
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // --- Streams and files, in the Text form ---
    // Reads from the stream's position to its end.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    // --- Between lists ---
    // Replaces the content by source's strings and objects. The TPersistent
    // form takes any TStrings and hands other classes to TPersistent.
    void Assign(const TStrings& source);
    void Assign(TPersistent* source) override;
    void AddStrings(const TStrings& source);
    // Same count and the same strings (exact, case-sensitive); objects are
    // not compared.
    bool Equals(const TStrings& other) const;

protected:
    virtual int CompareStrings(const std::string& a, const std::string& b) const;
    virtual void SetUpdateState(bool /*updating*/) {}

private:
    // Reading: blanks (bytes <= ' ') and delimiters separate items; leading
    // blanks are skipped; a quoted item may hold blanks and delimiters, a
    // doubled quote inside it stands for one quote, and an unterminated
    // quote runs to the end of text; two delimiters in a row give an empty
    // item, as does a trailing delimiter.
    // Writing: items holding blanks, delimiters or quotes, and empty items,
    // are quoted with inner quotes doubled.
    std::string GetDelimitedText(char delimiter, char quote) const;
    void SetDelimitedText(const std::string& text, char delimiter, char quote);

    int FUpdateCount = 0;
};

// Runs body between strings.BeginUpdate() and EndUpdate(); EndUpdate runs
// whatever body raises, and the exception passes on.
template <class Body>
void UpdateStrings(TStrings& strings, Body body)
{
    strings.BeginUpdate();
    try {
        body();
    } catch (...) {
        strings.EndUpdate();
        throw;
    }
    strings.EndUpdate();
}

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    std::string ClassName() const override { return "TStringList"; }

    int Count() const override { return static_cast<int>(FList.size()); }
    std::string Strings(int index) const override;
    // Put and Insert raise EListError "Operation not allowed on sorted list"
    // while Sorted.
    void Put(int index, const std::string& s) override;
    void* Objects(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

    // Slots reserved ahead of Count; a capacity below Count raises EListError
    // "List capacity out of bounds (<n>)".
    int Capacity() const { return static_cast<int>(FList.capacity()); }
    void SetCapacity(int capacity);

    // While Sorted, the string goes to its sorted place (after equal ones)
    // and Duplicates decides about an equal string already present:
    // dupIgnore returns its index without adding, dupError raises EListError
    // "String list does not allow duplicates", dupAccept adds.
    int Add(const std::string& s) override;
    int AddObject(const std::string& s, void* object) override;
    // Binary search while Sorted, linear otherwise.
    int IndexOf(const std::string& s) const override;

    // Binary search; the list must be in the order of the current comparison.
    // Returns true and the first index of s, or false and the index at which
    // s would be inserted.
    bool Find(const std::string& s, int& index) const;

    bool Sorted() const { return FSorted; }
    // Switching on sorts the list (duplicates already present stay).
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }
    bool CaseSensitive() const { return FCaseSensitive; }
    // Re-sorts a sorted list under the new comparison.
    void SetCaseSensitive(bool caseSensitive);

    // Stable sort by the current comparison.
    void Sort();
    // Stable sort by compare(list, index1, index2) (<0, 0, >0), which sees
    // the list as it was before sorting. Raises EListError "Operation not
    // allowed on sorted list" while Sorted.
    void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);

    // Fired after every change, except between BeginUpdate and EndUpdate;
    // the final EndUpdate fires it once.
    std::function<void(TObject* sender)> OnChange;

protected:
    int CompareStrings(const std::string& a, const std::string& b) const override;
    void SetUpdateState(bool updating) override;

private:
    struct TStringItem {
        std::string FString;
        void* FObject;
    };

    void CheckIndex(int index) const;
    void InsertItem(int index, const std::string& s, void* object);
    void SortBy(const std::function<int(const TStringList&, int, int)>& compare);
    void Changed();

    std::vector<TStringItem> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = dupIgnore;
};
