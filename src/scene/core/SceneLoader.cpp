#include "scene/core/SceneLoader.h"

#include <cfloat>
#include <cmath>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/StringList.h"
#include "classlib/core/SysUtils.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneRegistry.h"

namespace {

// A capacity key beyond this is not a capacity anyone meant.
constexpr int MaxCapacity = 1 << 16;
// Child resources nest their children in the same text or load their own
// descriptions; a description that names itself would nest for ever.
constexpr int MaxNesting = 64;
thread_local int Nesting = 0;

class TNestingGuard {
public:
    explicit TNestingGuard(const std::string& section)
    {
        if (Nesting >= MaxNesting)
            throw Exception("TResourceLoader.ReadItems error: Lists nested too deep at " + section);
        ++Nesting;
    }
    ~TNestingGuard() { --Nesting; }
    TNestingGuard(const TNestingGuard&) = delete;
    TNestingGuard& operator=(const TNestingGuard&) = delete;
};

struct TOptionWord {
    uint8_t Member;
    const char* Word;
};

constexpr TOptionWord ProcessWords[] = {{poRender, "Render"}, {poAnimation, "Animation"}, {poEvents, "Events"}};
constexpr TOptionWord LocationWords[] = {{slFile, "File"}, {slResource, "Resource"}};

template <size_t N>
std::string SetToStr(uint8_t set, const TOptionWord (&words)[N])
{
    std::string text = "[";
    for (const TOptionWord& word : words) {
        if (set & word.Member) {
            if (text.size() > 1)
                text += ',';
            text += word.Word;
        }
    }
    return text + ']';
}

template <size_t N>
uint8_t StrToSet(const std::string& text, const TOptionWord (&words)[N])
{
    uint8_t set = 0;
    for (const TOptionWord& word : words)
        if (text.find(word.Word) != std::string::npos)
            set |= word.Member;
    return set;
}

// The children of list in list order, each once: the scene walks its flat
// list of objects in the order they were added and skips the holes that
// removals leave; other lists walk their index.
std::vector<TMainObject*> ChildrenOf(TMainList& list)
{
    std::vector<TMainObject*> children;
    if (auto* scene = dynamic_cast<TMainScene*>(&list)) {
        const TList& objects = scene->Objects();
        for (int i = 0; i < objects.Count(); ++i)
            if (auto* object = dynamic_cast<TMainObject*>(static_cast<TMainItem*>(objects.Items(i))))
                children.push_back(object);
    } else {
        for (int i = 0; i < list.GetCount(); ++i)
            if (auto* object = dynamic_cast<TMainObject*>(list.GetItem(i)))
                children.push_back(object);
    }
    return children;
}

}  // namespace

std::string ProcessOptionsToStr(TProcessOptions options)
{
    return SetToStr(options, ProcessWords);
}

TProcessOptions StrToProcessOptions(const std::string& text)
{
    return StrToSet(text, ProcessWords);
}

std::string SourceLocationToStr(TSourceLocations locations)
{
    return SetToStr(locations, LocationWords);
}

TSourceLocations StrToSourceLocation(const std::string& text)
{
    return StrToSet(text, LocationWords);
}

void ScrambleLines(TStrings& lines)
{
    for (int i = 0; i < lines.Count(); ++i) {
        std::string line = lines.Strings(i);
        for (char& c : line)
            c = static_cast<char>(~static_cast<unsigned char>(c));
        lines.Put(i, line);
    }
}

// --- Opening and closing ---------------------------------------------------------

TResourceLoader::~TResourceLoader()
{
    try {
        Close();
    } catch (...) {
        // No exception leaves a destructor; writers close explicitly.
    }
}

void TResourceLoader::Open()
{
    Close();
    TStringList lines;
    if (FromResource) {
        lines.SetText(SceneResources().ReadResource(ResourceNameOf(FileName)));
    } else {
        if (FileName.empty())
            return;
        lines.LoadFromFile(FileName);
    }
    if (Scrambled)
        ScrambleLines(lines);
    IniFile = std::make_unique<TMemIniFile>(std::string());
    IniFile->SetStrings(lines);
}

void TResourceLoader::BeginWrite()
{
    Close();
    IniFile = std::make_unique<TMemIniFile>(std::string());
    Writing = true;
}

void TResourceLoader::Close()
{
    const bool flush = Writing;
    Writing = false;
    try {
        if (flush)
            Flush();
    } catch (...) {
        IniFile.reset();
        throw;
    }
    IniFile.reset();
}

void TResourceLoader::Flush()
{
    if (!IniFile || FileName.empty())
        return;
    TStringList lines;
    IniFile->GetStrings(lines);
    for (int i = 0; i < lines.Count(); ++i)
        for (const char c : lines.Strings(i))
            if (static_cast<unsigned char>(c) > 127)
                throw Exception("TResourceLoader.Flush error: Not an ASCII text: " + lines.Strings(i));
    if (Scrambled) {
        ScrambleLines(lines);
        lines.SaveToFile(FileName);
    } else {
        IniFile->Rename(FileName, false);
        IniFile->UpdateFile();
    }
}

// --- Readers ---------------------------------------------------------------------

bool TResourceLoader::ReadBool(const std::string& key, bool defaultValue) const
{
    return IniFile ? IniFile->ReadBool(Section, key, defaultValue) : defaultValue;
}

int TResourceLoader::ReadInteger(const std::string& key, int defaultValue) const
{
    return IniFile ? IniFile->ReadInteger(Section, key, defaultValue) : defaultValue;
}

float TResourceLoader::ReadFloat(const std::string& key, float defaultValue) const
{
    long double value = 0;
    if (!IniFile || !TryStrToFloat(IniFile->ReadString(Section, key, std::string()), value) ||
        !(std::fabs(value) <= FLT_MAX))
        return defaultValue;
    return static_cast<float>(value);
}

std::string TResourceLoader::ReadString(const std::string& key, const std::string& defaultValue) const
{
    if (!IniFile || !IniFile->ValueExists(Section, key))
        return defaultValue;
    const std::string value = IniFile->ReadString(Section, key, std::string());
    return value.empty() ? std::string(" ") : value;
}

namespace {

// A colour or vector key parsed by parse; a blank or malformed value gives
// the default.
template <class T, class Parse>
T ReadStructured(const TResourceLoader& loader, const std::string& key, const T& defaultValue, Parse parse)
{
    const std::string text = Trim(loader.ReadString(key, std::string()));
    if (text.empty())
        return defaultValue;
    try {
        return parse(text);
    } catch (const EConvertError&) {
        return defaultValue;
    }
}

}  // namespace

TGLColorFloat TResourceLoader::ReadColor(const std::string& key, const TGLColorFloat& defaultValue) const
{
    return ReadStructured(*this, key, defaultValue, StrToColorFloat);
}

TGLColor TResourceLoader::ReadByteColor(const std::string& key, TGLColor defaultValue) const
{
    return ReadStructured(*this, key, defaultValue, StrToColorByte);
}

TGLVector TResourceLoader::ReadVector(const std::string& key, const TGLVector& defaultValue) const
{
    return ReadStructured(*this, key, defaultValue, StrToVector);
}

TMainObject* TResourceLoader::ReadReference(const std::string& key, TMainObject* defaultValue) const
{
    const std::string path = Trim(ReadString(key, std::string()));
    return path.empty() ? defaultValue : StrToReference(Root, path);
}

std::string TResourceLoader::ReadFileName(const std::string& key, const std::string& path,
                                          const std::string& defaultValue) const
{
    const std::string name = Trim(ReadString(key, std::string()));
    return name.empty() ? defaultValue : JoinSourcePath(path, name);
}

// --- Writers ---------------------------------------------------------------------

void TResourceLoader::WriteBool(const std::string& key, bool value)
{
    if (IniFile)
        IniFile->WriteBool(Section, key, value);
}

void TResourceLoader::WriteInteger(const std::string& key, int value)
{
    if (IniFile)
        IniFile->WriteInteger(Section, key, value);
}

void TResourceLoader::WriteFloat(const std::string& key, float value)
{
    if (IniFile)
        IniFile->WriteFloat(Section, key, value);
}

void TResourceLoader::WriteString(const std::string& key, const std::string& value)
{
    if (IniFile)
        IniFile->WriteString(Section, key, value);
}

void TResourceLoader::WriteColor(const std::string& key, const TGLColorFloat& value)
{
    WriteString(key, ColorFloatToStr(value));
}

void TResourceLoader::WriteByteColor(const std::string& key, TGLColor value)
{
    WriteString(key, ColorByteToStr(value));
}

void TResourceLoader::WriteVector(const std::string& key, const TGLVector& value)
{
    WriteString(key, VectorToStr(value));
}

void TResourceLoader::WriteReference(const std::string& key, const TMainObject* object)
{
    WriteString(key, ReferenceToStr(Root, object));
}

void TResourceLoader::WriteFileName(const std::string& key, const std::string& path, const std::string& fileName)
{
    WriteString(key, ExtractFilePath(fileName) == path ? ExtractFileName(fileName) : fileName);
}

// --- Objects ---------------------------------------------------------------------

TMainItem* TResourceLoader::CreateObject()
{
    const std::string type = Trim(ReadString("Type", std::string()));
    const std::string name = Trim(ReadString("Name", std::string()));
    if (type.empty())
        throw Exception("TResourceLoader.CreateObject error: Unknown Object Type! for " + Section);
    if (name.empty())
        throw Exception("TResourceLoader.CreateObject error: Empty Object Name! for " + Section);
    TMainItem* object = CreateSceneObject(type, name);
    if (object == nullptr)
        throw Exception("TResourceLoader.CreateObject error: Object not created! for " + Section + " Type: " + type +
                        " Name: " + name);
    if (auto* sceneObject = dynamic_cast<TMainSceneObject*>(object))
        sceneObject->ProcessOptions = StrToProcessOptions(ReadString("ProcessOptions", std::string()));
    return object;
}

void TResourceLoader::WriteObjectHeader(const TMainObject& object)
{
    WriteString("Type", object.ClassName());
    WriteString("Name", object.Name());
    if (auto* sceneObject = dynamic_cast<const TMainSceneObject*>(&object))
        if (sceneObject->ProcessOptions != 0)
            WriteString("ProcessOptions", ProcessOptionsToStr(sceneObject->ProcessOptions));
}

void TResourceLoader::ReadItems(TMainList& list)
{
    if (!list.StoreItems || dynamic_cast<TResource*>(&list) == nullptr)
        return;
    const TNestingGuard guard(Section);
    const int capacity = ReadInteger("Capacity", list.GetCapacity());
    if (capacity >= list.GetCount() && capacity <= MaxCapacity)
        list.SetCapacity(capacity);
    const int count = ReadInteger("Count", 0);
    const auto* rootResource = dynamic_cast<const TResource*>(Root);
    for (int i = 1; i <= count; ++i) {
        Section = list.Name() + IntToStr(i);
        std::unique_ptr<TMainItem> created(CreateObject());
        const auto* named = dynamic_cast<const TMainObject*>(created.get());
        if (named != nullptr && static_cast<TResource&>(list).FindObject(named->Name()) != nullptr)
            continue;  // the name is taken: the list keeps the first object of it
        list.Add(created.get());
        auto* object = static_cast<TMainObject*>(created.release());
        object->LoadOptions(*this);
        if (auto* child = dynamic_cast<TResource*>(object)) {
            if (rootResource != nullptr)
                child->SourceLocation = rootResource->SourceLocation;
            const std::string sourceName = Trim(ReadString("SourceName", std::string()));
            if (!sourceName.empty()) {
                child->SourceName = JoinSourcePath(child->Path, sourceName);
                child->Load();
            } else {
                child->SourceName.clear();
                ReadItems(*child);
            }
        }
    }
}

void TResourceLoader::WriteItems(TMainList& list)
{
    if (!list.StoreItems || dynamic_cast<TResource*>(&list) == nullptr)
        return;
    const std::vector<TMainObject*> children = ChildrenOf(list);
    WriteInteger("Capacity", list.GetCapacity());
    WriteInteger("Count", static_cast<int>(children.size()));
    for (size_t i = 0; i < children.size(); ++i) {
        TMainObject& child = *children[i];
        Section = list.Name() + IntToStr(static_cast<int64_t>(i) + 1);
        WriteObjectHeader(child);
        auto* resource = dynamic_cast<TResource*>(&child);
        if (resource != nullptr && !resource->SourceName.empty()) {
            WriteString("SourceName", resource->SourceName);
            resource->Save();
        } else {
            child.SaveOptions(*this);
            if (resource != nullptr)
                WriteItems(*resource);
        }
    }
}
