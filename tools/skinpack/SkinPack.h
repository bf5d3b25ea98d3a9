// The offline skin packer: turns a skin authored as a folder (Skin.ini plus
// BMP or JPEG pictures) into the text of one form-description object, a
// TspStoredSkin with FileName, IniStrings and "Pictures", or a
// TspCompressedStoredSkin with FileName and "CompressedData", as the
// components' own property writers would give it.
//
//   skinpack [--compressed] [--name N] <skin folder | INI file>
//            (-o <file> | --replace <form description> [--check])
//
// The packer refuses, before it writes anything, what the program's skin
// load would reject: a text without the skin sections, and a description
// that the skin's own reader cannot read ([FORMINFO], the popup and hint
// windows, [SKINAREAS] for a stored skin, the [SKINOBJECTS] and
// [SKINCONTROLS] records), naming the section whose value does not convert. --replace swaps the block "object N: TspStoredSkin" (or
// TspCompressedStoredSkin) up to the next "end" at the same indentation and
// keeps every other byte; --check only compares and fails on a difference.
// Output is reproducible byte for byte (for the compressed form, with one
// zlib version).
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "classlib/core/StringList.h"

struct TSkinPackOptions {
    bool Compressed = false;
    // The object's name; empty: "StoredSkin" / "CompressedStoredSkin".
    std::string Name;
};

// The object block for the skin whose INI file is iniFileName, each line
// starting with indent and ended by newline. Raises Exception naming the
// file or section for a skin the program would not load, and the class
// library's errors for files that cannot be read.
std::string PackSkin(const std::string& iniFileName, const TSkinPackOptions& options,
                     const std::string& indent = "", const std::string& newline = "\n");

// Form-description text of a string and of binary data (upper-case hex, 32
// bytes a line, each line starting with indent).
std::string FormStringText(const std::string& text);
std::string FormBinaryText(const std::vector<uint8_t>& bytes, const std::string& indent,
                           const std::string& newline);

// The description with the block of object `name` of class TspStoredSkin or
// TspCompressedStoredSkin replaced by make(indent, newline); raises
// Exception when the description has no such block.
std::string ReplaceSkinBlock(const std::string& description, const std::string& name,
                             const std::function<std::string(const std::string& indent,
                                                             const std::string& newline)>& make);

// The command line; messages go to err. Returns the exit code (0 done, 1
// refused or failed).
int RunSkinPack(const std::vector<std::string>& args, std::ostream& err);
