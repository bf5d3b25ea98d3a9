// TResourceLoader: the reader and writer of scene descriptions.
//
// A scene description is INI text with one section per object. A
// resource's own section is its Name and holds its keys and, for the list
// of its children, "Capacity" and "Count". Child i (1-based) of a list
// named L lives in section L + i and holds "Type" (the registered class
// name), "Name", "ProcessOptions" (scene objects with a non-empty set
// only), then the class's own keys. A child resource either names a
// description of its own in "SourceName" or keeps its children in sections
// named after itself in the same text.
//
// The text comes from a file or from an RCDATA resource of the program
// (through SceneResources()), and may be stored line-scrambled: every byte
// of every line is complemented (XOR 255) while the line breaks stay plain.
// A description must therefore be ASCII - the complements of bytes $F2 and
// $F5 are line breaks - and writing refuses any other byte.
//
// Every object's LoadOptions and SaveOptions read and write their keys
// through the typed operations below, which address Section. Values are
// text: Booleans "1"/"0", integers in decimal (or "0x" hexadecimal), reals
// in the general format with at most 7 significant digits and "." as the
// decimal separator, colours and vectors in their comma-separated forms,
// references as object paths from Root, file names relative to a folder.
// The readers never fail on a value: a missing key, and a malformed
// integer, Boolean, real, colour or vector, give the default.
#pragma once

#include <memory>
#include <string>

#include "classlib/core/Components.h"
#include "classlib/core/IniFiles.h"
#include "gl/core/VectorTypes.h"
#include "scene/core/SceneObjects.h"

class TResourceLoader : public TObject {
public:
    TResourceLoader() = default;
    // Closes the loader; a failing flush is lost here, so writers call
    // Close themselves.
    ~TResourceLoader() override;
    TResourceLoader(const TResourceLoader&) = delete;
    TResourceLoader& operator=(const TResourceLoader&) = delete;

    std::string ClassName() const override { return "TResourceLoader"; }

    // Reads the description: with FromResource the RCDATA resource named
    // after FileName (its file-name part, first "." replaced by "_";
    // EResNotFound when missing), else the file FileName (EFOpenError when
    // it cannot be opened) - or nothing at all when FileName is empty, and
    // then every read gives its default. Unscrambles when Scrambled.
    void Open();
    // Starts an empty description to be written to FileName by Close.
    void BeginWrite();
    // Flushes when writing, then forgets the description.
    void Close();
    // Writes the description to FileName (nothing without a description or
    // a file name): scrambled when Scrambled. Raises Exception when the
    // text is not ASCII, EFCreateError when the file cannot be created.
    void Flush();

    // --- Readers: the key of Section, or the default ---
    bool ReadBool(const std::string& key, bool defaultValue) const;
    int ReadInteger(const std::string& key, int defaultValue) const;
    float ReadFloat(const std::string& key, float defaultValue) const;
    // A key present with an empty value reads as " ", a single blank (so
    // that a one-character text can be a blank).
    std::string ReadString(const std::string& key, const std::string& defaultValue) const;
    // The default also for a blank value.
    TGLColorFloat ReadColor(const std::string& key, const TGLColorFloat& defaultValue) const;
    TGLColor ReadByteColor(const std::string& key, TGLColor defaultValue) const;
    TGLVector ReadVector(const std::string& key, const TGLVector& defaultValue) const;
    // The object that the key's path names from Root (null when there is
    // none); the default for a blank value.
    TMainObject* ReadReference(const std::string& key, TMainObject* defaultValue) const;
    // The value joined to path (JoinSourcePath); the default, unchanged,
    // for a missing or blank value.
    std::string ReadFileName(const std::string& key, const std::string& path,
                             const std::string& defaultValue) const;

    // --- Writers: the key of Section ---
    void WriteBool(const std::string& key, bool value);
    void WriteInteger(const std::string& key, int value);
    void WriteFloat(const std::string& key, float value);
    void WriteString(const std::string& key, const std::string& value);
    void WriteColor(const std::string& key, const TGLColorFloat& value);
    void WriteByteColor(const std::string& key, TGLColor value);
    void WriteVector(const std::string& key, const TGLVector& value);
    // The object's path from Root (empty for null).
    void WriteReference(const std::string& key, const TMainObject* object);
    // The bare file name when the file's folder is path, else fileName.
    void WriteFileName(const std::string& key, const std::string& path, const std::string& fileName);

    // --- Objects ---
    // A new object of the section's "Type" named by its "Name", with the
    // section's "ProcessOptions" for a scene object. Raises Exception
    // "TResourceLoader.CreateObject error: Unknown Object Type! for <S>"
    // (blank type), "... Empty Object Name! for <S>" (blank name) or
    // "... Object not created! for <S> Type: <T> Name: <N>" (a type that is
    // not registered).
    TMainItem* CreateObject();
    // "Type", "Name" and, for a scene object with a non-empty set,
    // "ProcessOptions".
    void WriteObjectHeader(const TMainObject& object);
    // Creates the children of a resource that stores its items from the
    // sections list.Name + 1 .. + Count and loads their keys; a child
    // resource loads its own description or reads its children from this
    // text. A child whose name the list already holds is not taken and is
    // freed. Loading stops at the first error; the children made so far
    // stay. Other lists read nothing: only a resource owns its children.
    void ReadItems(TMainList& list);
    // Writes the children of a resource that stores its items, each once,
    // in list order (for the scene: its order of addition), skipping the
    // places of removed objects.
    void WriteItems(TMainList& list);

    // The description while the loader is open.
    std::unique_ptr<TMemIniFile> IniFile;
    // The section the reads and writes address.
    std::string Section;
    // The file to read or write, or the name the resource is found by.
    std::string FileName;
    bool FromResource = false;
    // Set by BeginWrite: Close flushes.
    bool Writing = false;
    // The object that references are relative to (the scene).
    TMainObject* Root = nullptr;
    bool Scrambled = false;
};

// The texts of the two option sets: "[" + member words joined by "," + "]"
// ("[Render,Animation]", "[File]"); reading sets every member whose word
// occurs anywhere in the text (case-sensitive).
std::string ProcessOptionsToStr(TProcessOptions options);
TProcessOptions StrToProcessOptions(const std::string& text);
std::string SourceLocationToStr(TSourceLocations locations);
TSourceLocations StrToSourceLocation(const std::string& text);

// Every byte of every line complemented; the same step scrambles and
// unscrambles.
void ScrambleLines(TStrings& lines);
