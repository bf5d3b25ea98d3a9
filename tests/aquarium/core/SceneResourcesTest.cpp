// The aquarium's scene description against the resource scripts that
// compile its files into the program: every file the scene reads (each
// object's resource lines, the meshes' own pictures included) must be
// listed under the name and type the engine looks it up by, so that a file
// added to the scene and forgotten in a script fails here, not at run time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "../../scene/core/SceneTestObjects.h"
#include "aquarium/core/AquariumClasses.h"
#include "classlib/core/StringList.h"
#include "classlib/core/SysUtils.h"
#include "gl/core/CustomOpenGL.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneMesh.h"
#include "scene/core/SceneMeshLoader.h"
#include "scene/core/SceneRegistry.h"
#include "support/GLStubPlatform.h"

namespace {

const std::string ResourcesDir = CORVALEN_RESOURCES_DIR;

std::string FileText(const std::string& name)
{
    std::ifstream file(ResourcesDir + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The entries "NAME TYPE "file"" of a resource script: upper-cased name to
// the upper-cased type and the file's name without its folder.
std::map<std::string, std::pair<std::string, std::string>> ScriptEntries(const std::string& script)
{
    std::map<std::string, std::pair<std::string, std::string>> entries;
    std::istringstream lines(FileText(script));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string name, type, file;
        if (!(words >> name >> type >> file) || name.rfind("//", 0) == 0 || name[0] == '#' || file.size() < 2 ||
            file.front() != '"' || file.back() != '"')
            continue;
        file = file.substr(1, file.size() - 2);
        entries[UpperCase(name)] = {UpperCase(type), file.substr(file.find_last_of('/') + 1)};
    }
    return entries;
}

}  // namespace

TEST(SceneResources, TheScriptsListEveryFileTheSceneDescriptionReads)
{
    RegisterAquariumClasses();
    // Every file of the folder (not the scripts' list of them) under the
    // name the engine asks for.
    TStringResources resources;
    for (const auto& entry : std::filesystem::directory_iterator(ResourcesDir))
        if (entry.is_regular_file())
            resources.Add(ResourceNameOf(entry.path().filename().string()),
                          FileText(entry.path().filename().string()));
    TCustomOpenGL gl{std::make_unique<TGLStubPlatform>()};  // the meshes' materials take GL materials
    TMainScene scene;
    scene.GL = &gl;
    scene.SourceLocation = slResource;
    scene.SourceName = "fishes.gsc";
    scene.Load();
    // The meshes bring their own pictures: loaded here as the first draw
    // loads them.
    auto* meshes = dynamic_cast<TSceneMeshList*>(scene.FindObject("Meshes"));
    ASSERT_NE(meshes, nullptr);
    for (int i = 0; i < meshes->GetCount(); ++i) {
        auto* mesh = dynamic_cast<TSceneMesh*>(meshes->GetItem(i));
        ASSERT_NE(mesh, nullptr);
        T3DMMeshLoader loader;
        loader.Path = meshes->Path;
        loader.FromResource = true;
        loader.Load(mesh->SourceName(), *mesh);
    }
    TStringList lines;
    for (int i = 0; i < scene.GetCount(); ++i)
        if (auto* resource = dynamic_cast<TResource*>(scene.GetItem(i)))
            resource->AddResourceLines(lines);
    ASSERT_GE(lines.Count(), 30) << "7 meshes with a picture and its opacity each, the backgrounds and the clock";

    auto entries = ScriptEntries("fish.rc");
    entries.merge(ScriptEntries("scenery.rc"));
    for (int i = 0; i < lines.Count(); ++i) {
        std::istringstream words(lines.Strings(i));
        std::string name, type, file;
        words >> name >> type >> file;
        const auto entry = entries.find(UpperCase(name));
        if (entry == entries.end()) {
            ADD_FAILURE() << "no resource " << name << " for " << file;
            continue;
        }
        EXPECT_EQ(entry->second.first, UpperCase(type)) << name;
        EXPECT_EQ(UpperCase(entry->second.second), UpperCase(ExtractFileName(file))) << name;
    }
}
