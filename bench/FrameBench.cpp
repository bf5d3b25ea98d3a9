// Frame benchmark: what one frame of the OpenGL application costs, full
// screen at the desktop's mode (1280 x 1024 on the test display), for an
// empty frame (the viewport's clear and the buffer swap) and for the
// aquarium the saver draws all day.
//
// The program runs the real message loop with the application component, a
// display (desktop only, so no mode switch) and a render window. Each
// measured frame lets some frames pass, then times a fixed number of frames
// (1000 unless the first argument says otherwise) and prints one line
//
//   <name>: <frames per second> frames/s, <CPU ms per frame> CPU-ms/frame
//
// where the CPU time is the process's (GetProcessTimes: every thread, the
// rasteriser's included). Vertical sync is off, so the rate is not capped.
//
// The aquarium is the program's scene description, carried by this program
// as by the saver (resources/Corvalen.rc), shown as the world's default
// options show it: the first background with depth emulation, the first
// fish group with 20 fish over its shoals swimming both ways and sorted
// far to near, 50 bubbles and the 24-hour clock. Animation advances 1/50 s
// per frame, so every run draws the same frames. With "layers" as the
// second argument the aquarium is also measured with parts of it left out
// (named "aquarium-<part>": fish, bubbles, clock, caustics (both light
// layers), fades (fog instead), surface or sea bed (each with its light
// layer and fade), the whole background), to show what each part costs.
//
// A run that does not finish within five minutes ends with an error.
//
//   FrameBench.exe [frames [layers]]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "aquarium/AquariumStartup.h"
#include "aquarium/core/Bubbles.h"
#include "aquarium/core/FishRender.h"
#include "aquarium/core/Fishes.h"
#include "aquarium/core/GLClock.h"
#include "aquarium/core/UnderWater.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"
#include "gl/core/GLPrimitive.h"
#include "gl/GLApplication.h"
#include "gl/GLDisplay.h"
#include "gl/GLWindow.h"
#include "scene/SceneTextureResources.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneRenderState.h"

namespace {

constexpr int WarmUpFrames = 30;
constexpr UINT TimeLimitMs = 300000;
constexpr float FrameStep = 0.02f;

// The process's user and kernel time, in seconds.
double ProcessCpuSeconds()
{
    FILETIME creation, exit, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user))
        return 0;
    const auto seconds = [](const FILETIME& time) {
        ULARGE_INTEGER value;
        value.LowPart = time.dwLowDateTime;
        value.HighPart = time.dwHighDateTime;
        return static_cast<double>(value.QuadPart) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

bool TimedOut = false;

void CALLBACK OnTimeLimit(HWND, UINT, UINT_PTR, DWORD)
{
    TimedOut = true;
    PostQuitMessage(1);
}

template <class T>
T* Find(TMainScene& scene, const std::string& name)
{
    auto* object = dynamic_cast<T*>(scene.FindObject(name));
    if (object == nullptr)
        throw Exception("the scene has no " + name);
    return object;
}

// The aquarium as the world's default options show it.
void ShowDefaults(TMainScene& scene)
{
    bool first = true;
    for (int i = 0; i < scene.Objects().Count(); ++i)
        if (auto* background = dynamic_cast<TUnderWater*>(static_cast<TMainItem*>(scene.Objects()[i]))) {
            background->EmulateDepth = true;
            background->BuildGeometry();
            background->SetVisible(first);
            first = false;
        }
    const char* groups[] = {"SaltWater", "FreshWater"};
    for (const char* name : groups) {
        TFishRender* group = Find<TFishRender>(scene, name);
        group->SetVisible(name == groups[0]);
        group->SortAlpha = true;
        group->FishDirection = fdBoth;
        const int shoals = group->GetCount();
        for (int i = 0; i < shoals; ++i)
            dynamic_cast<TFishes&>(*group->GetItem(i)).SetCount(20 / shoals + (i < 20 % shoals ? 1 : 0));
    }
    Find<TBubbles>(scene, "Bubbles")->SetCount(50);
    Find<TGLClock>(scene, "GLClock")->SetClockMode(1);
}

// One measured frame: its name and what is changed before it is measured.
struct TMeasure {
    std::string Name;
    std::function<void(TMainScene&)> Prepare;  // null: the empty frame
};

std::vector<TMeasure> Measures(bool layers)
{
    std::vector<TMeasure> measures{{"empty", nullptr}, {"aquarium", ShowDefaults}};
    if (!layers)
        return measures;
    auto without = [](const std::string& part, std::function<void(TMainScene&)> change) {
        return TMeasure{"aquarium-" + part, [change](TMainScene& scene) {
                            ShowDefaults(scene);
                            change(scene);
                        }};
    };
    auto backgrounds = [](TMainScene& scene, const std::function<void(TUnderWater&)>& change) {
        for (int i = 0; i < scene.Objects().Count(); ++i)
            if (auto* background = dynamic_cast<TUnderWater*>(static_cast<TMainItem*>(scene.Objects()[i])))
                change(*background);
    };
    measures.push_back(without("fish", [](TMainScene& scene) { Find<TMainItem>(scene, "SaltWater")->SetVisible(false); }));
    measures.push_back(without("bubbles", [](TMainScene& scene) { Find<TMainItem>(scene, "Bubbles")->SetVisible(false); }));
    measures.push_back(without("clock", [](TMainScene& scene) { Find<TGLClock>(scene, "GLClock")->SetClockMode(0); }));
    measures.push_back(without("caustics", [backgrounds](TMainScene& scene) {
        backgrounds(scene, [](TUnderWater& water) { water.UpAlpha = water.BottomAlpha = 0; });
    }));
    measures.push_back(without("fades", [backgrounds](TMainScene& scene) {
        backgrounds(scene, [](TUnderWater& water) { water.EmulateDepth = false; });
    }));
    // The surface or the sea bed with its light layer and fade: their
    // primitives emptied (ShowDefaults builds them again).
    measures.push_back(without("surface", [backgrounds](TMainScene& scene) {
        backgrounds(scene, [](TUnderWater& water) {
            for (TGLPrimitive* part : {water.Surface(), water.SurfaceLight(), water.SurfaceFade()})
                part->Vertices().SetCount(0);
        });
    }));
    measures.push_back(without("seabed", [backgrounds](TMainScene& scene) {
        backgrounds(scene, [](TUnderWater& water) {
            for (TGLPrimitive* part : {water.Bottom(), water.BottomLight(), water.BottomFade()})
                part->Vertices().SetCount(0);
        });
    }));
    measures.push_back(without("background", [backgrounds](TMainScene& scene) {
        backgrounds(scene, [](TUnderWater& water) { water.SetVisible(false); });
    }));
    return measures;
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 1000;
    const bool layers = argc > 2 && std::strcmp(argv[2], "layers") == 0;
    if (frames < 1) {
        std::fprintf(stderr, "usage: FrameBench [frames [layers]]\n");
        return 2;
    }
    try {
        Application->Initialize();
        InitializeAquarium();
        TRCDataBitmapResourceProvider resources;
        SetSceneResources(&resources);

        TForm* form = new TForm(nullptr);
        Application->SetMainForm(form);
        form->SetCaption("Frame benchmark");
        auto* display = new TGLDisplay(form);
        display->DesktopOnly = true;
        auto* application = new TCustomGLApplication(form);
        application->SingleInstance = false;
        application->SetDisplay(display);
        auto* window = new TGLWindow(form);
        application->SetWindow(window);
        window->SetParent(form);
        application->Loaded();
        display->Loaded();
        application->OpenGL()->VSync = false;

        const std::vector<TMeasure> measures = Measures(layers);
        size_t current = 0;
        int drawn = 0;
        double wallStart = 0, cpuStart = 0;
        std::unique_ptr<TMainScene> scene;
        bool failed = false;
        application->OnRender = [&](float, bool) {
            if (current >= measures.size())
                return;
            const TMeasure& measure = measures[current];
            if (drawn == 0 && measure.Prepare) {
                if (scene == nullptr) {
                    scene = std::make_unique<TMainScene>();
                    scene->GL = application->OpenGL();
                    scene->Viewport = application->Viewport();
                    scene->ViewWidth = window->Width();
                    scene->ViewHeight = window->Height();
                    scene->SourceLocation = slResource;
                    scene->SourceName = "fishes.gsc";
                    scene->Scrambled = true;
                    scene->Load();
                }
                measure.Prepare(*scene);
            }
            if (measure.Prepare) {
                application->OpenGL()->SetLighting(true);
                scene->DoFrame(FrameStep);
            }
            ++drawn;
            if (drawn == WarmUpFrames) {
                wallStart = WallSeconds();
                cpuStart = ProcessCpuSeconds();
            } else if (drawn == WarmUpFrames + frames) {
                const double wall = WallSeconds() - wallStart;
                const double cpu = ProcessCpuSeconds() - cpuStart;
                std::printf("%s: %.1f frames/s, %.2f CPU-ms/frame\n", measure.Name.c_str(), frames / wall,
                            cpu * 1000.0 / frames);
                std::fflush(stdout);
                drawn = 0;
                if (++current == measures.size())
                    Application->Terminate();
            }
        };
        application->OnException = [&failed](TObject*, Exception& e) {
            std::fprintf(stderr, "FrameBench: %s\n", e.Message.c_str());
            failed = true;
            Application->Terminate();
        };
        application->OnStart = [display](TObject*) { display->SetFullScreen(true); };
        application->OnStopOpenGL = [&scene](TObject*) {
            // The scene's GL objects go while their context is current.
            scene.reset();
            SetAlphaBlend(false);
            ResetTextureCache();
            ResetMaterialCache();
        };

        SetTimer(nullptr, 0, TimeLimitMs, OnTimeLimit);
        Application->Run();
        if (TimedOut || failed || current < measures.size()) {
            std::fprintf(stderr, "FrameBench: %zu of %zu frames measured%s\n", current, measures.size(),
                         TimedOut ? " before the time limit" : "");
            return 1;
        }
        display->SetFullScreen(false);
        scene.reset();
        delete form;
        SetSceneResources(nullptr);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "FrameBench: %s\n", e.what());
        return 1;
    }
}
