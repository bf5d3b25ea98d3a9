#include "SkinPack.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "classlib/core/IniFiles.h"
#include "classlib/core/Streams.h"
#include "classlib/core/SysUtils.h"
#include "skin/core/SkinDescription.h"
#include "skin/core/StoredSkinFormat.h"

namespace {

constexpr const char* RequiredSections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"};

// What the program's skin load would reject, before anything is written:
// the description read by the skin's own reader (a compressed skin has no
// areas), with the section whose value does not convert named.
void CheckSkin(const std::string& file, TMemIniFile& ini, bool compressed)
{
    for (const char* section : RequiredSections)
        if (!ini.SectionExists(section))
            throw Exception(file + ": not a skin: section [" + section + "] is missing or empty");
    TspSkinDescription description;
    std::string section;
    const auto read = [&](const std::string& name, const auto& step) {
        section = name;
        step();
    };
    try {
        read("FORMINFO", [&] { description.ReadFormInfo(ini); });
        read("POPUPWINDOW", [&] { description.PopupWindow->LoadFromFile(ini); });
        read("HINTWINDOW", [&] { description.HintWindow->LoadFromFile(ini); });
        if (!compressed)
            read("SKINAREAS", [&] { description.ReadSkinAreas(ini); });
        // A record joins its list before it reads its own section.
        read("", [&] { description.ReadSkinObjects(ini); });
        read("", [&] { description.ReadSkinControls(ini); });
    } catch (const EConvertError& e) {
        if (section.empty())
            section = !description.ControlList.empty()  ? description.ControlList.back()->IDName
                      : !description.ObjectList.empty() ? description.ObjectList.back()->IDName
                                                        : "SKINOBJECTS";
        throw Exception(SkinFileNameOf(file) + ": [" + section + "]: " + e.Message);
    }
}

std::vector<uint8_t> Bytes(TMemoryStream& stream)
{
    const auto* data = static_cast<const uint8_t*>(stream.Memory());
    return std::vector<uint8_t>(data, data + stream.Size());
}

std::string ReadTextFile(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw Exception(fileName + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteTextFile(const std::string& fileName, const std::string& text)
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        throw Exception(fileName + ": cannot be written");
}

// The INI file of a skin folder, or the file itself.
std::string SkinIniOf(const std::string& source)
{
    if (std::filesystem::is_directory(source))
        return (std::filesystem::path(source) / "Skin.ini").string();
    return source;
}

}  // namespace

std::string FormStringText(const std::string& text)
{
    if (text.empty())
        return "''";
    std::string result;
    bool quoted = false;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte <= 126) {
            if (!quoted)
                result += '\'';
            quoted = true;
            result += c == '\'' ? std::string("''") : std::string(1, c);
        } else {
            if (quoted)
                result += '\'';
            quoted = false;
            result += "#" + std::to_string(byte);
        }
    }
    if (quoted)
        result += '\'';
    return result;
}

std::string FormBinaryText(const std::vector<uint8_t>& bytes, const std::string& indent, const std::string& newline)
{
    static const char Hex[] = "0123456789ABCDEF";
    std::string result;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0)
            result += newline + indent;
        result += Hex[bytes[i] >> 4];
        result += Hex[bytes[i] & 15];
    }
    return result;
}

std::string PackSkin(const std::string& iniFileName, const TSkinPackOptions& options, const std::string& indent,
                     const std::string& newline)
{
    TStringList lines;
    lines.LoadFromFile(iniFileName);
    TMemIniFile ini("");
    ini.SetStrings(lines);
    CheckSkin(iniFileName, ini, options.Compressed);

    const std::string inner = indent + "  ";
    std::string block;
    if (options.Compressed) {
        TMemoryStream compressed;
        if (!LoadCompressedSkinFromFile(iniFileName, compressed))
            throw Exception(iniFileName + ": not a skin");
        block += indent + "object " + (options.Name.empty() ? "CompressedStoredSkin" : options.Name) +
                 ": TspCompressedStoredSkin" + newline;
        block += inner + "FileName = " + FormStringText(SkinFileNameOf(iniFileName)) + newline;
        block += inner + "CompressedData = {" + FormBinaryText(Bytes(compressed), inner + "  ", newline) + "}" +
                 newline;
    } else {
        TStringList iniStrings;
        TspSkinPictures pictures;
        LoadStoredSkinFromFile(iniFileName, iniStrings, pictures);
        TMemoryStream blob;
        WriteSkinPictures(blob, pictures);
        block += indent + "object " + (options.Name.empty() ? "StoredSkin" : options.Name) + ": TspStoredSkin" +
                 newline;
        block += inner + "FileName = " + FormStringText(SkinFileNameOf(iniFileName)) + newline;
        if (iniStrings.Count() > 0) {
            block += inner + "IniStrings.Strings = (";
            for (int i = 0; i < iniStrings.Count(); ++i)
                block += newline + inner + "  " + FormStringText(iniStrings.Strings(i));
            block += ")" + newline;
        }
        block += inner + "Pictures = {" + FormBinaryText(Bytes(blob), inner + "  ", newline) + "}" + newline;
    }
    block += indent + "end" + newline;
    return block;
}

std::string ReplaceSkinBlock(const std::string& description, const std::string& name,
                             const std::function<std::string(const std::string&, const std::string&)>& make)
{
    // Lines with their ends, so that every byte outside the block survives.
    size_t pos = 0;
    size_t blockStart = std::string::npos;
    std::string indent;
    while (pos < description.size()) {
        size_t end = description.find('\n', pos);
        end = end == std::string::npos ? description.size() : end + 1;
        std::string line = description.substr(pos, end - pos);
        std::string newline = line.ends_with("\r\n") ? "\r\n" : line.ends_with("\n") ? "\n" : "";
        const std::string body = line.substr(0, line.size() - newline.size());
        const std::string trimmed = Trim(body);
        const std::string lead = body.substr(0, body.find_first_not_of(" \t"));
        if (blockStart == std::string::npos) {
            std::istringstream words(trimmed);
            std::string keyword, objectName, className;
            words >> keyword >> objectName >> className;
            if (!objectName.empty() && objectName.back() == ':')
                objectName.pop_back();
            else if (className == ":")
                words >> className;
            std::string rest;
            words >> rest;
            if (SameText(keyword, "object") && SameText(objectName, name) && rest.empty() &&
                (SameText(className, "TspStoredSkin") || SameText(className, "TspCompressedStoredSkin"))) {
                blockStart = pos;
                indent = lead;
            }
        } else if (SameText(trimmed, "end") && lead == indent) {
            const std::string eol = newline.empty() ? "\n" : newline;
            std::string block = make(indent, eol);
            if (newline.empty())
                block.resize(block.size() - eol.size());
            return description.substr(0, blockStart) + block + description.substr(end);
        }
        pos = end;
    }
    throw Exception("no block \"object " + name + ": TspStoredSkin\" (or TspCompressedStoredSkin) ending in \"end\"");
}

int RunSkinPack(const std::vector<std::string>& args, std::ostream& err)
{
    const char* usage =
        "usage: skinpack [--compressed] [--name N] <skin folder | INI file> "
        "(-o <file> | --replace <form description> [--check])\n";
    TSkinPackOptions options;
    std::string source, output, replace;
    bool check = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--compressed")
            options.Compressed = true;
        else if (arg == "--check")
            check = true;
        else if (arg == "--name" && hasValue)
            options.Name = args[++i];
        else if (arg == "-o" && hasValue)
            output = args[++i];
        else if (arg == "--replace" && hasValue)
            replace = args[++i];
        else if (source.empty() && !arg.starts_with("-"))
            source = arg;
        else {
            err << usage;
            return 1;
        }
    }
    if (source.empty() || output.empty() == replace.empty() || (check && replace.empty())) {
        err << usage;
        return 1;
    }
    try {
        const std::string iniFileName = SkinIniOf(source);
        if (!output.empty()) {
            WriteTextFile(output, PackSkin(iniFileName, options));
            return 0;
        }
        const std::string name =
            !options.Name.empty() ? options.Name : options.Compressed ? "CompressedStoredSkin" : "StoredSkin";
        const std::string description = ReadTextFile(replace);
        const std::string result =
            ReplaceSkinBlock(description, name, [&](const std::string& indent, const std::string& newline) {
                return PackSkin(iniFileName, options, indent, newline);
            });
        if (check) {
            if (result != description) {
                err << replace << ": the skin block \"" << name << "\" differs from " << iniFileName << "\n";
                return 1;
            }
            return 0;
        }
        WriteTextFile(replace, result);
        return 0;
    } catch (const Exception& e) {
        err << "skinpack: " << e.Message << "\n";
        return 1;
    }
}
