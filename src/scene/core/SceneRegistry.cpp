#include "scene/core/SceneRegistry.h"

#include <memory>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/StringList.h"
#include "classlib/core/SysUtils.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneFont.h"
#include "scene/core/SceneLayer.h"
#include "scene/core/SceneLight.h"
#include "scene/core/SceneMaterial.h"
#include "scene/core/SceneMesh.h"
#include "scene/core/SceneSprite.h"
#include "scene/core/SceneText.h"
#include "scene/core/SceneTexture.h"
#include "scene/core/SceneVisual.h"

namespace {

struct TSceneClassEntry {
    TSceneClass Create;
};

// The process-wide registry: names sorted without regard to case, the
// first registration of a name kept.
class TSceneClassRegistry {
public:
    TSceneClassRegistry()
    {
        FNames.SetSorted(true);
        FNames.SetCaseSensitive(false);
        FNames.SetDuplicates(dupIgnore);
    }

    void Register(const std::string& typeName, TSceneClass sceneClass)
    {
        int index;
        if (FNames.Find(typeName, index))
            return;
        FEntries.push_back(std::make_unique<TSceneClassEntry>(TSceneClassEntry{sceneClass}));
        FNames.AddObject(typeName, FEntries.back().get());
    }

    TSceneClass Find(const std::string& typeName) const
    {
        int index;
        if (!FNames.Find(typeName, index))
            return nullptr;
        return static_cast<TSceneClassEntry*>(FNames.Objects(index))->Create;
    }

private:
    TStringList FNames;
    std::vector<std::unique_ptr<TSceneClassEntry>> FEntries;
};

// The scene engine's own classes, in the order they are registered. The
// abstract bases are not here, nor the classes that only exist inside
// others.
void RegisterEngineClasses(TSceneClassRegistry& registry)
{
    registry.Register("TMainItemList", NewSceneObject<TMainItemList>);
    registry.Register("TMainObjectList", NewSceneObject<TMainObjectList>);
    registry.Register("TMainScene", NewSceneObject<TMainScene>);
    registry.Register("TResource", NewSceneObject<TResource>);
    registry.Register("TSceneTexture", NewSceneObject<TSceneTexture>);
    registry.Register("TSceneTextureList", NewSceneObject<TSceneTextureList>);
    registry.Register("TSceneMaterial", NewSceneObject<TSceneMaterial>);
    registry.Register("TSceneMaterialList", NewSceneObject<TSceneMaterialList>);
    registry.Register("TSceneMesh", NewSceneObject<TSceneMesh>);
    registry.Register("TSceneMeshList", NewSceneObject<TSceneMeshList>);
    registry.Register("TMainVisualObject", NewSceneObject<TMainVisualObject>);
    registry.Register("TMainVisualObjectList", NewSceneObject<TMainVisualObjectList>);
    registry.Register("TMainLight", NewSceneObject<TMainLight>);
    registry.Register("TSceneSprite", NewSceneObject<TSceneSprite>);
    registry.Register("TMainSpriteList", NewSceneObject<TMainSpriteList>);
    registry.Register("TSceneFont", NewSceneObject<TSceneFont>);
    registry.Register("TSceneString", NewSceneObject<TSceneString>);
    registry.Register("TSceneText", NewSceneObject<TSceneText>);
}

// Created, with the engine's classes, on first use; freed at exit.
TSceneClassRegistry& Registry()
{
    static TSceneClassRegistry registry;
    static const bool engineClassesRegistered = (RegisterEngineClasses(registry), true);
    (void)engineClassesRegistered;
    return registry;
}

}  // namespace

void RegisterSceneClass(const std::string& typeName, TSceneClass sceneClass)
{
    Registry().Register(typeName, sceneClass);
}

TMainItem* CreateSceneObject(const std::string& typeName, const std::string& objectName)
{
    const TSceneClass sceneClass = Registry().Find(typeName);
    if (sceneClass == nullptr)
        return nullptr;
    TMainItem* item = sceneClass();
    if (auto* object = dynamic_cast<TMainObject*>(item))
        object->SetName(objectName);
    return item;
}

std::string ReferenceToStr(const TMainObject* root, const TMainObject* object)
{
    if (object == nullptr)
        return {};
    std::string result = object->Name();
    for (const TMainList* owner = object->Owner(); owner != root; owner = owner->Owner()) {
        if (owner == nullptr)
            throw Exception("RefferenceToStr error: Owner is NIL!");
        result = owner->Name() + "/" + result;
    }
    return result;
}

TMainObject* StrToReference(TMainObject* root, const std::string& path)
{
    if (path.empty())
        return nullptr;
    // Every "/" closes the part before it; the text after the last "/" is
    // a part only when it is not empty.
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', start)) {
        parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    if (start < path.size())
        parts.push_back(path.substr(start));

    TMainObject* current = root;
    for (const std::string& part : parts) {
        if (current == nullptr)
            return nullptr;
        auto* list = dynamic_cast<TMainObjectList*>(current);
        if (list == nullptr)
            throw EInvalidCast("Invalid class typecast");
        current = list->FindObject(part);
    }
    return current;
}

std::string JoinSourcePath(const std::string& path, const std::string& sourceName)
{
    if (!ExtractFilePath(sourceName).empty())
        return sourceName;
    return path + sourceName;
}

std::string ResourceNameOf(const std::string& fileName)
{
    std::string name = ExtractFileName(fileName);
    const size_t dot = name.find('.');
    if (dot != std::string::npos)
        name[dot] = '_';
    return name;
}
