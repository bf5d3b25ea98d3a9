// Test support: a scene with what the program's OpenGL application gives
// it - a popup window with a current context, the default viewport (75
// degrees, the camera at the origin looking down -z) cleared to the
// window's colour, and the view size - drawn frame by frame as the
// program's render event draws it and read back.
//
// Free of GoogleTest, so that tools drawing real scenes (tools/viewer) use
// it too.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gl/WinGLPlatform.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/DefViewport.h"
#include "gl/core/GLBinding.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneRenderState.h"

namespace testsupport {

using TFrame = std::vector<GLubyte>;  // RGBA, bottom row first

class TSceneHost : public IDefViewportOwner, public IViewWindow {
public:
    // color: the window's colour as 0x00BBGGRR.
    TSceneHost(int width, int height, uint32_t color) : FWidth(width), FHeight(height), FColor(color)
    {
        static const ATOM windowClass = [] {
            const WNDCLASSA wc{CS_OWNDC, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), {}, {}, {}, {}, "SceneHost"};
            return RegisterClassA(&wc);
        }();
        FWindow = CreateWindowExA(0, MAKEINTATOM(windowClass), "Scene", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        FDC = GetDC(FWindow);
        FContext->CreateRC(FDC);
        Scene->GL = FContext.get();
        Scene->Viewport = &FViewport;
        Scene->ViewWidth = width;
        Scene->ViewHeight = height;
    }
    // The scene goes while its context is current; the program-wide caches forget it.
    virtual ~TSceneHost()
    {
        Scene.reset();
        SetAlphaBlend(false);
        ResetTextureCache();
        ResetMaterialCache();
        FContext->DestroyRC();
        ReleaseDC(FWindow, FDC);
        DestroyWindow(FWindow);
    }
    TSceneHost(const TSceneHost&) = delete;
    TSceneHost& operator=(const TSceneHost&) = delete;

    bool Active() const { return FContext->Active(); }
    // The context made again on the window, as when full screen is entered or left.
    void MakeContextAgain()
    {
        FContext->DestroyRC();
        FContext->CreateRC(FDC);
    }

    void Load(const std::string& name, TSourceLocations location = slResource, bool scrambled = false)
    {
        Scene->SourceLocation = location;
        Scene->SourceName = name;
        Scene->Scrambled = scrambled;
        Scene->Load();
    }

    // One frame (lighting on: the engine leaves it to the host).
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

    IViewWindow* ViewWindow() override { return this; }
    TCustomOpenGL* ViewContext() override { return FContext.get(); }
    int ViewWidth() override { return FWidth; }
    int ViewHeight() override { return FHeight; }
    uint32_t ViewColorRGB() override { return FColor; }

    std::unique_ptr<TMainScene> Scene = std::make_unique<TMainScene>();

private:
    int FWidth;
    int FHeight;
    uint32_t FColor;
    HWND FWindow = nullptr;
    HDC FDC = nullptr;
    std::unique_ptr<TCustomOpenGL> FContext = std::make_unique<TCustomOpenGL>(std::make_unique<TWinGLPlatform>());
    TDefViewport FViewport{this};
};

}  // namespace testsupport
