// Scene objects that write what happens to them into a shared log, for the
// tests of the object model and the scene.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "scene/core/SceneObjects.h"
#include "scene/core/SceneRenderState.h"

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
