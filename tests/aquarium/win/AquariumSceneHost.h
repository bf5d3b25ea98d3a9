// The program's aquarium scene, hosted as the program hosts it
// (SceneHost.h): the scene description FISHES_GSC and everything it names
// read from the resources of the built Corvalen.scr (loaded as a data
// file). Show does, in a few lines, what the world controller does with
// the user's options: one background and one fish group visible, fish
// spread over the group's shoals, bubbles, the clock's mode and colour.
//
// Used by the aquarium's scene test and by the scenery viewer
// (tools/viewer), which takes screenshots of the real content.
#pragma once

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "../../scene/win/SceneHost.h"
#include "../../support/ProgramPath.h"
#include "aquarium/core/AquariumClasses.h"
#include "aquarium/core/Bubbles.h"
#include "aquarium/core/FishRender.h"
#include "aquarium/core/Fishes.h"
#include "aquarium/core/GLClock.h"
#include "aquarium/core/UnderWater.h"
#include "scene/SceneTextureResources.h"
#include "scene/core/SceneLoaderResources.h"

namespace aquariumhost {

// The program's resources for the scene engine, for as long as it lives.
class TProgramResources {
public:
    TProgramResources()
        : FModule(LoadLibraryExA(testsupport::ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
        if (FModule == nullptr)
            throw std::runtime_error("cannot open " + testsupport::ProgramPath());
        FProvider = std::make_unique<TRCDataBitmapResourceProvider>(FModule);
        SetSceneResources(FProvider.get());
        RegisterAquariumClasses();
    }
    ~TProgramResources()
    {
        SetSceneResources(nullptr);
        FProvider.reset();
        FreeLibrary(FModule);
    }
    TProgramResources(const TProgramResources&) = delete;
    TProgramResources& operator=(const TProgramResources&) = delete;

private:
    HMODULE FModule;
    std::unique_ptr<TRCDataBitmapResourceProvider> FProvider;
};

using testsupport::TFrame;

class TAquariumHost : public testsupport::TSceneHost {
public:
    TAquariumHost(int width, int height) : testsupport::TSceneHost(width, height, 0) {}

    // The program's description, as the program loads it.
    void Load() { testsupport::TSceneHost::Load("fishes.gsc", slResource, true); }

    std::vector<TUnderWater*> Backgrounds() const
    {
        std::vector<TUnderWater*> result;
        for (int i = 0; i < Scene->Objects().Count(); ++i)
            if (auto* background = dynamic_cast<TUnderWater*>(static_cast<TMainItem*>(Scene->Objects()[i])))
                result.push_back(background);
        return result;
    }
    template <class T>
    T* Find(const std::string& name) const
    {
        return dynamic_cast<T*>(Scene->FindObject(name));
    }

    // Background number background visible and the others hidden; the group
    // named group visible with fishPerShoal fish in each of its shoals, the
    // other group hidden; bubbles; the clock in mode clockMode.
    void Show(size_t background, const std::string& group, int fishPerShoal, int bubbles, int clockMode,
              TGLColor clockColor)
    {
        const std::vector<TUnderWater*> all = Backgrounds();
        for (size_t i = 0; i < all.size(); ++i)
            all[i]->SetVisible(i == background);
        for (const char* name : {"SaltWater", "FreshWater"}) {
            TFishRender* fishGroup = Find<TFishRender>(name);
            fishGroup->SetVisible(group == name);
            for (int i = 0; i < fishGroup->GetCount(); ++i)
                dynamic_cast<TFishes&>(*fishGroup->GetItem(i)).SetCount(group == name ? fishPerShoal : 0);
        }
        Find<TBubbles>("Bubbles")->SetCount(bubbles);
        TGLClock* clock = Find<TGLClock>("GLClock");
        clock->SetClockMode(clockMode);
        clock->Color = clockColor;
    }
};

}  // namespace aquariumhost
