#include "classlib/core/IniFiles.h"

#include <cstddef>

#include "classlib/core/Exceptions.h"
#include "classlib/core/StringList.h"
#include "classlib/core/SysUtils.h"

namespace {

// Replaces the content of strings by what fill adds, as one update.
template <class Fill>
void Replace(TStrings& strings, Fill fill) {
    UpdateStrings(strings, [&] {
        strings.Clear();
        fill();
    });
}

}  // namespace

TMemIniFile::TMemIniFile(const std::string& fileName) : FFileName(fileName) {
    LoadValues();
}

void TMemIniFile::LoadValues() {
    TStringList lines;
    if (!FFileName.empty()) {
        try {
            lines.LoadFromFile(FFileName);
        } catch (const EFOpenError&) {
            // A file that does not exist (or cannot be opened) is an empty INI.
        }
    }
    SetStrings(lines);
}

namespace {

// Each byte with ASCII letters folded to lower case: a table, not a test per
// byte, since every lookup hashes its name.
struct TFoldTable {
    unsigned char Fold[256];
    constexpr TFoldTable() : Fold() {
        for (int c = 0; c < 256; ++c)
            Fold[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
};
constexpr TFoldTable Folded;

}  // namespace

size_t TMemIniFile::TTextHash::operator()(const std::string& text) const {
    size_t hash = 14695981039346656037ull;
    for (const char c : text)
        hash = (hash ^ Folded.Fold[static_cast<unsigned char>(c)]) * 1099511628211ull;
    return hash;
}

bool TMemIniFile::TTextEqual::operator()(const std::string& a, const std::string& b) const {
    return a == b || SameText(a, b);
}

size_t TMemIniFile::TSection::IndexOf(const std::string& ident) const {
    const auto it = KeyIndex.find(ident);
    return it == KeyIndex.end() ? Keys.size() : it->second;
}

void TMemIniFile::TSection::Add(const std::string& ident, const std::string& value) {
    KeyIndex.emplace(ident, Keys.size());
    Keys.emplace_back(ident, value);
}

const TMemIniFile::TSection* TMemIniFile::FindSection(const std::string& section) const {
    if (FLastSection < FSections.size() && FSections[FLastSection].Name == section)
        return &FSections[FLastSection];
    const auto it = FSectionIndex.find(section);
    if (it == FSectionIndex.end())
        return nullptr;
    FLastSection = it->second;
    return &FSections[it->second];
}

TMemIniFile::TSection* TMemIniFile::FindSection(const std::string& section) {
    return const_cast<TSection*>(std::as_const(*this).FindSection(section));
}

TMemIniFile::TSection& TMemIniFile::AddSection(const std::string& section) {
    FSectionIndex.emplace(section, FSections.size());
    FSections.push_back(TSection{section, {}, {}});
    return FSections.back();
}

const std::string* TMemIniFile::FindValue(const std::string& section,
                                          const std::string& ident) const {
    const TSection* s = FindSection(section);
    if (!s)
        return nullptr;
    const size_t i = s->IndexOf(ident);
    return i < s->Keys.size() ? &s->Keys[i].second : nullptr;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) const {
    const std::string* value = FindValue(section, ident);
    return value ? *value : defaultValue;
}

int TMemIniFile::ReadInteger(const std::string& section, const std::string& ident,
                             int defaultValue) const {
    return StrToIntDef(ReadString(section, ident, std::string()), defaultValue);
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& ident,
                           bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

double TMemIniFile::ReadFloat(const std::string& section, const std::string& ident,
                              double defaultValue) const {
    return static_cast<double>(StrToFloatDef(ReadString(section, ident, std::string()), defaultValue));
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
    TSection* s = FindSection(section);
    if (!s)
        s = &AddSection(section);
    const size_t i = s->IndexOf(ident);
    if (i < s->Keys.size())
        s->Keys[i].second = value;
    else
        s->Add(ident, value);
}

void TMemIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

void TMemIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

void TMemIniFile::WriteFloat(const std::string& section, const std::string& ident, double value) {
    WriteString(section, ident, FloatToStr(value));
}

bool TMemIniFile::SectionExists(const std::string& section) const {
    const TSection* s = FindSection(section);
    return s != nullptr && !s->Keys.empty();
}

bool TMemIniFile::ValueExists(const std::string& section, const std::string& ident) const {
    return FindValue(section, ident) != nullptr;
}

void TMemIniFile::ReadSection(const std::string& section, TStrings& strings) const {
    Replace(strings, [&] {
        if (const TSection* s = FindSection(section))
            for (const auto& key : s->Keys)
                strings.Add(key.first);
    });
}

void TMemIniFile::ReadSections(TStrings& strings) const {
    Replace(strings, [&] {
        for (const TSection& s : FSections)
            strings.Add(s.Name);
    });
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStrings& strings) const {
    Replace(strings, [&] {
        if (const TSection* s = FindSection(section))
            for (const auto& [key, value] : s->Keys)
                strings.Add(key + "=" + value);
    });
}

void TMemIniFile::EraseSection(const std::string& section) {
    const auto it = FSectionIndex.find(section);
    if (it == FSectionIndex.end())
        return;
    FSections.erase(FSections.begin() + static_cast<std::ptrdiff_t>(it->second));
    FSectionIndex.clear();
    for (size_t i = 0; i < FSections.size(); ++i)
        FSectionIndex.emplace(FSections[i].Name, i);
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    TSection* s = FindSection(section);
    if (!s)
        return;
    const size_t i = s->IndexOf(ident);
    if (i == s->Keys.size())
        return;
    s->Keys.erase(s->Keys.begin() + static_cast<std::ptrdiff_t>(i));
    s->KeyIndex.clear();
    for (size_t i = 0; i < s->Keys.size(); ++i)
        s->KeyIndex.emplace(s->Keys[i].first, i);
}

void TMemIniFile::Clear() {
    FSections.clear();
    FSectionIndex.clear();
}

void TMemIniFile::SetStrings(const TStrings& strings) {
    Clear();
    TSection* current = nullptr;
    for (int i = 0; i < strings.Count(); ++i) {
        std::string line = Trim(strings.Strings(i));
        if (line.empty() || line[0] == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            std::string name = Trim(line.substr(1, line.size() - 2));
            current = FindSection(name);
            if (!current)
                current = &AddSection(name);
            continue;
        }
        size_t eq = line.find('=');
        if (!current || eq == std::string::npos)
            continue;
        std::string key = Trim(line.substr(0, eq));
        if (current->IndexOf(key) == current->Keys.size())
            current->Add(key, Trim(line.substr(eq + 1)));
    }
}

void TMemIniFile::GetStrings(TStrings& strings) const {
    Replace(strings, [&] {
        for (size_t i = 0; i < FSections.size(); ++i) {
            if (i > 0)
                strings.Add(std::string());
            strings.Add("[" + FSections[i].Name + "]");
            for (const auto& [key, value] : FSections[i].Keys)
                strings.Add(key + "=" + value);
        }
    });
}

void TMemIniFile::Rename(const std::string& fileName, bool reload) {
    FFileName = fileName;
    if (reload)
        LoadValues();
}

void TMemIniFile::UpdateFile() const {
    TStringList lines;
    GetStrings(lines);
    lines.SaveToFile(FFileName);
}
