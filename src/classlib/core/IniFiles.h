// TMemIniFile: an INI file held in memory.
//
// The file (or text given through SetStrings) is parsed once into sections
// of key=value pairs; reads and writes work on memory, and only UpdateFile
// writes the file back.
//
// Parsing rules (nothing in the text is ever fatal):
//  - every line is trimmed (bytes <= ' '); blank lines and lines starting
//    with ";" are skipped;
//  - "[name]" starts a section named by the trimmed text in the brackets;
//    a section seen again merges into the first one;
//  - inside a section, a line is split at its first "=" into a trimmed key
//    and a trimmed value (which keeps any further "="); a key seen again in
//    the same section keeps its first value;
//  - lines before the first section, and lines without "=", are skipped.
// Sections and keys are matched without regard to ASCII case and kept in
// the order first seen; writing to an existing key keeps its spelling and
// place, a new key goes to the end of its section, a new section to the end.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/Exceptions.h"

class TStrings;

// What readers of INI content need, whatever holds it.
class TCustomIniFile : public TObject {
public:
    std::string ClassName() const override { return "TCustomIniFile"; }

    virtual std::string ReadString(const std::string& section, const std::string& ident,
                                   const std::string& defaultValue) const = 0;
    virtual int ReadInteger(const std::string& section, const std::string& ident,
                            int defaultValue) const = 0;
    virtual void WriteString(const std::string& section, const std::string& ident,
                             const std::string& value) = 0;
    virtual void WriteInteger(const std::string& section, const std::string& ident, int value) = 0;
    // True when the section holds at least one key: a bare header counts as
    // missing.
    virtual bool SectionExists(const std::string& section) const = 0;
};

class TMemIniFile : public TCustomIniFile {
public:
    // Loads fileName when it can be opened; otherwise (also for an empty
    // name) the INI starts empty.
    explicit TMemIniFile(const std::string& fileName);

    std::string ClassName() const override { return "TMemIniFile"; }

    const std::string& FileName() const { return FFileName; }

    // Missing keys give the default. ReadInteger accepts what StrToInt does
    // ("$10", "0x10"), anything else gives the default. ReadBool: "0" is
    // false, any other integer true, a non-integer the default.
    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const override;
    int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const override;
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
    double ReadFloat(const std::string& section, const std::string& ident,
                     double defaultValue) const;

    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value) override;
    void WriteInteger(const std::string& section, const std::string& ident, int value) override;
    // Writes "1" or "0".
    void WriteBool(const std::string& section, const std::string& ident, bool value);
    void WriteFloat(const std::string& section, const std::string& ident, double value);

    bool SectionExists(const std::string& section) const override;
    bool ValueExists(const std::string& section, const std::string& ident) const;
    // These replace the content of strings: key names, section names, and
    // "key=value" lines respectively.
    void ReadSection(const std::string& section, TStrings& strings) const;
    void ReadSections(TStrings& strings) const;
    void ReadSectionValues(const std::string& section, TStrings& strings) const;

    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& ident);
    void Clear();

    // Replaces the content by the parse of strings / writes the whole INI
    // into strings (replacing its content) in the UpdateFile form.
    void SetStrings(const TStrings& strings);
    void GetStrings(TStrings& strings) const;

    // Points the INI at another file; with reload, the content is replaced
    // by that file's (empty when it cannot be opened).
    void Rename(const std::string& fileName, bool reload);
    // Writes "[Section]" and "key=value" lines, CR LF after each, with a
    // blank line between sections. Raises EFCreateError when the file
    // cannot be created.
    void UpdateFile() const;

private:
    // Names hashed and compared without regard to ASCII case.
    struct TTextHash {
        size_t operator()(const std::string& text) const;
    };
    struct TTextEqual {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    // Where each name stands in its list, so that finding a name does not
    // grow with the list (a description loads in linear time).
    using TNameIndex = std::unordered_map<std::string, size_t, TTextHash, TTextEqual>;

    struct TSection {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Keys;
        TNameIndex KeyIndex;
        // Where the key stands in Keys; Keys.size() when it is missing.
        size_t IndexOf(const std::string& ident) const;
        // Appends a key that is not there yet.
        void Add(const std::string& ident, const std::string& value);
    };

    const TSection* FindSection(const std::string& section) const;
    TSection* FindSection(const std::string& section);
    TSection& AddSection(const std::string& section);
    const std::string* FindValue(const std::string& section, const std::string& ident) const;
    void LoadValues();

    std::string FFileName;
    std::vector<TSection> FSections;
    TNameIndex FSectionIndex;
    // The section found last (a record reads all its keys from one section):
    // its place, tried first when the name is spelt the same. A read updates
    // it, so one INI object is not read from two threads at once.
    mutable size_t FLastSection = 0;
};
