// The program's aquarium scene, hosted as the program hosts it: the scene
// description FISHES_GSC and everything it names read from the resources of
// the built Corvalen.scr (loaded as a data file), drawn into a popup window
// with the default viewport (75 degrees, the camera at the origin looking
// down -z). Show does, in a few lines, what the world controller does with
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

#include "aquarium/core/AquariumClasses.h"
#include "aquarium/core/Bubbles.h"
#include "aquarium/core/FishRender.h"
#include "aquarium/core/Fishes.h"
#include "aquarium/core/GLClock.h"
#include "aquarium/core/UnderWater.h"
#include "gl/WinGLPlatform.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/DefViewport.h"
#include "gl/core/GLBinding.h"
#include "scene/SceneTextureResources.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneRenderState.h"

namespace aquariumhost {

// The built program beside the test or tool: build/win/<dir>/<sub>/x.exe ->
// build/win/src/settings/Corvalen.scr.
inline std::string ProgramPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.find_last_of('\\') + 1);
    return dir + "..\\..\\src\\settings\\Corvalen.scr";
}

// The program's resources for the scene engine, for as long as it lives.
class TProgramResources {
public:
    TProgramResources()
        : FModule(LoadLibraryExA(ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
        if (FModule == nullptr)
            throw std::runtime_error("cannot open " + ProgramPath());
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

using TFrame = std::vector<GLubyte>;  // RGBA, bottom row first

class TAquariumHost : public IDefViewportOwner, public IViewWindow {
public:
    TAquariumHost(int width, int height) : FWidth(width), FHeight(height)
    {
        static const ATOM windowClass = [] {
            const WNDCLASSA wc{CS_OWNDC, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), {}, {}, {}, {}, "AquariumHost"};
            return RegisterClassA(&wc);
        }();
        FWindow = CreateWindowExA(0, MAKEINTATOM(windowClass), "Aquarium", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        FDC = GetDC(FWindow);
        FContext->CreateRC(FDC);
        Scene->GL = FContext.get();
        Scene->Viewport = &FViewport;
        Scene->ViewWidth = width;
        Scene->ViewHeight = height;
    }
    // The scene goes while its context is current; the program-wide caches forget it.
    ~TAquariumHost()
    {
        Scene.reset();
        SetAlphaBlend(false);
        ResetTextureCache();
        ResetMaterialCache();
        FContext->DestroyRC();
        ReleaseDC(FWindow, FDC);
        DestroyWindow(FWindow);
    }
    TAquariumHost(const TAquariumHost&) = delete;
    TAquariumHost& operator=(const TAquariumHost&) = delete;

    // The program's description, as the program loads it.
    void Load()
    {
        Scene->SourceLocation = slResource;
        Scene->SourceName = "fishes.gsc";
        Scene->Scrambled = true;
        Scene->Load();
    }

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

    // One frame as the program's render event draws it (lighting on: the
    // engine leaves it to the host).
    void DrawFrame(float deltaTime)
    {
        FViewport.Apply();
        FContext->SetLighting(true);
        Scene->DoFrame(deltaTime);
    }
    TFrame ReadFrame() const
    {
        TFrame frame(static_cast<size_t>(FWidth) * FHeight * 4);
        glReadPixels(0, 0, FWidth, FHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
        return frame;
    }
    HDC DC() const { return FDC; }

    IViewWindow* ViewWindow() override { return this; }
    TCustomOpenGL* ViewContext() override { return FContext.get(); }
    int ViewWidth() override { return FWidth; }
    int ViewHeight() override { return FHeight; }
    uint32_t ViewColorRGB() override { return 0; }

    std::unique_ptr<TMainScene> Scene = std::make_unique<TMainScene>();

private:
    int FWidth;
    int FHeight;
    HWND FWindow = nullptr;
    HDC FDC = nullptr;
    std::unique_ptr<TCustomOpenGL> FContext = std::make_unique<TCustomOpenGL>(std::make_unique<TWinGLPlatform>());
    TDefViewport FViewport{this};
};

}  // namespace aquariumhost
