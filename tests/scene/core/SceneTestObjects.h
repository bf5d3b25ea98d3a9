// Shared helpers of the scene tests: exception messages, description
// readers and writers, program resources from strings, and scene objects
// that write what happens to them into a shared log.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/IniFiles.h"
#include "classlib/core/StringList.h"
#include "classlib/core/SysUtils.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneObjects.h"
#include "scene/core/SceneRenderState.h"
#include "scene/core/SceneTexturePicture.h"

// The message of the exception of class E that action raises; a failure
// (and "no exception") when it raises none or another kind.
template <class E = Exception, class Action>
std::string MessageOf(Action action)
{
    try {
        action();
    } catch (const E& e) {
        return e.Message;
    } catch (const std::exception& e) {
        ADD_FAILURE() << "unexpected exception: " << e.what();
        return "unexpected exception";
    }
    ADD_FAILURE() << "no exception raised";
    return "no exception";
}

// A reader over description text; without a header the text is the body
// of section "L".
inline std::unique_ptr<TResourceLoader> ReaderOf(const std::string& text, TMainObject* root,
                                                 const std::string& section = "L")
{
    auto loader = std::make_unique<TResourceLoader>();
    loader->IniFile = std::make_unique<TMemIniFile>(std::string());
    TStringList lines;
    lines.SetText(text.rfind('[', 0) == 0 ? text : "[" + section + "]\n" + text);
    loader->IniFile->SetStrings(lines);
    loader->Section = section;
    loader->Root = root;
    return loader;
}

// A writer into section "L".
inline std::unique_ptr<TResourceLoader> Writer(TMainObject* root)
{
    auto loader = std::make_unique<TResourceLoader>();
    loader->BeginWrite();
    loader->Section = std::string("L");  // a literal assignment here trips GCC 12's bogus -Wrestrict
    loader->Root = root;
    return loader;
}

// Program RCDATA resources served from strings, names matched without
// case; installed while it lives.
class TStringResources : public TSceneResourceProvider {
public:
    TStringResources() { SetSceneResources(this); }
    ~TStringResources() override { SetSceneResources(nullptr); }

    void Add(const std::string& name, const std::string& bytes) { FResources[UpperCase(name)] = bytes; }
    void Clear() { FResources.clear(); }
    std::string ReadResource(const std::string& name) override
    {
        const auto found = FResources.find(UpperCase(name));
        if (found == FResources.end())
            throw EResNotFound("Resource " + name + " not found");
        return found->second;
    }

private:
    std::map<std::string, std::string> FResources;
};

// The same with bitmap resources (packed DIBs: BMP files without their
// 14-byte header).
class TBitmapResources : public TStringResources, public TSceneBitmapResources {
public:
    void AddBitmap(const std::string& name, const std::string& packedDib) { FBitmaps[UpperCase(name)] = packedDib; }
    std::string ReadBitmapResource(const std::string& name) override
    {
        const auto found = FBitmaps.find(UpperCase(name));
        if (found == FBitmaps.end())
            throw EResNotFound("Resource " + name + " not found");
        return found->second;
    }

private:
    std::map<std::string, std::string> FBitmaps;
};

// A folder of its own under the temporary folder, removed afterwards; Path
// ends in the native separator.
class TTempFolder {
public:
    TTempFolder()
        : FPath(std::filesystem::temp_directory_path() / ("scene_test_" + IntToStr(std::random_device()())))
    {
        std::filesystem::create_directories(FPath);
    }
    ~TTempFolder() { std::filesystem::remove_all(FPath); }

    std::string Path() const { return FPath.string() + static_cast<char>(std::filesystem::path::preferred_separator); }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(FPath / name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(FPath / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path FPath;
};

using TSceneLog = std::vector<std::string>;

inline int CountOf(const TSceneLog& log, const std::string& line)
{
    return static_cast<int>(std::count(log.begin(), log.end(), line));
}

// Logs "<name>.<operation>" for every frame operation and "~<name>" when
// freed. RenderOpaque makes Texture current when one is set.
class TRecordingObject : public TMainSceneObject {
public:
    TRecordingObject(const std::string& name, TSceneLog& log) : FLog(log) { SetName(name); }
    ~TRecordingObject() override { FLog.push_back("~" + Name()); }

    void DoEvents(float) override { FLog.push_back(Name() + ".DoEvents"); }
    void Animate(float) override { FLog.push_back(Name() + ".Animate"); }
    void BeginRender() override { FLog.push_back(Name() + ".BeginRender"); }
    void EndRender() override { FLog.push_back(Name() + ".EndRender"); }
    void RenderOpaque() override
    {
        FLog.push_back(Name() + ".RenderOpaque");
        if (Texture != nullptr)
            SetCurrentTexture(Texture);
    }
    void RenderAlpha() override { FLog.push_back(Name() + ".RenderAlpha"); }

    TRenderTexture* Texture = nullptr;

private:
    TSceneLog& FLog;
};

// A resource that logs when it is freed, to watch ownership of lists.
class TRecordingResource : public TResource {
public:
    TRecordingResource(const std::string& name, TSceneLog& log) : FLog(log) { SetName(name); }
    ~TRecordingResource() override { FLog.push_back("~" + Name()); }

    void BeginRender() override { FLog.push_back(Name() + ".BeginRender"); }
    void EndRender() override { FLog.push_back(Name() + ".EndRender"); }

private:
    TSceneLog& FLog;
};
