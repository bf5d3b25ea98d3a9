// The OpenGL application's Wine tests: a main form with a display over a fake
// driver, the application and a render window; an injected clock; message
// boxes captured; the test's option key removed afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../../app/core/FakeDisplayDriver.h"
#include "../../classlib/win/UiTestSupport.h"
#include "../../support/MessageBoxes.h"
#include "classlib/ui/Forms.h"
#include "gl/GLApplication.h"
#include "gl/GLWindow.h"
#include "gl/core/CustomGLDisplay.h"

namespace glapptest {

// Takes every WM_QUIT from the queue, unseen by the loop; the number taken.
inline int TakeQuits()
{
    int count = 0;
    while (testsupport::TakeQuit())
        ++count;
    return count;
}

inline std::vector<TVideoMode> UsualModes()
{
    return {{1280, 1024, 32}, {1024, 768, 32}, {800, 600, 32}, {1024, 768, 16}, {640, 480, 16}};
}

class GLApplicationTest : public uitest::UiTest {
protected:
    static constexpr int FormWidth = 160;
    static constexpr int FormHeight = 120;
    void SetUp() override
    {
        UiTest::SetUp();
        TakeQuits();
        FTitle = Application->Title();
    }

    void TearDown() override
    {
        Form.reset();
        Application->SetTitle(FTitle);
        Application->ShowMainForm = true;
        const std::string key = "Software\\CorvalenTest\\GLApplication" + std::to_string(GetCurrentProcessId()) + " 1";
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        TakeQuits();
        UiTest::TearDown();
    }

    // The shown main form with the display, the application (on `platform`
    // or the real window system) and, unless told otherwise, the render window.
    void Build(TVideoMode desktop = {1280, 1024, 32}, std::vector<TVideoMode> modes = UsualModes(),
               bool withWindow = true, std::unique_ptr<TGLPlatform> platform = nullptr)
    {
        BuildForm(desktop, std::move(modes));
        App = platform ? new TCustomGLApplication(Form.get(), std::move(platform))
                       : new TCustomGLApplication(Form.get());
        App->SingleInstance = false;
        Hook();
        App->Loaded();
        Display->Loaded();
        if (withWindow)
            AddWindow();
        Form->Show();
    }

    // The main form, not yet shown, with a display over a fake driver.
    void BuildForm(TVideoMode desktop = {1280, 1024, 32}, std::vector<TVideoMode> modes = UsualModes())
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(FormWidth);
        Form->SetClientHeight(FormHeight);
        Application->SetMainForm(Form.get());
        auto driver = std::make_unique<TFakeDisplayDriver>();
        driver->AcceptsEverything = true;
        driver->Listed = std::move(modes);
        driver->Desktop = desktop;
        DriverLog = driver->Log;
        Display = new TCustomGLDisplay(Form.get(), std::move(driver));
    }

    // App on the test's option key, clock and display, unpaced, its events recorded.
    void Hook()
    {
        App->Company = "CorvalenTest";
        App->Title = "GLApplication" + std::to_string(GetCurrentProcessId());
        App->TickSource = [this] { return Ticks; };
        App->SetDisplay(Display);
        App->OpenGL()->VSync = false;  // unpaced: each tick the test makes is a frame
        for (const auto& [event, name] : {std::pair{&App->OnStart, "start"}, {&App->OnStop, "stop"},
                                          {&App->OnStartOpenGL, "start GL"}, {&App->OnStopOpenGL, "stop GL"}})
            *event = [this, name = std::string(name)](TObject*) { Calls.push_back(name); };
        App->OnResizeViewport = [this](int width, int height) {
            Calls.push_back("resize " + std::to_string(width) + "x" + std::to_string(height));
        };
        App->OnRender = [this](float deltaTime, bool) {
            Steps.push_back(deltaTime);
            if (Draw)
                Draw();
        };
    }

    // A render window (a W) in `parent` or the form, linked to App.
    template <class W = TGLWindow>
    W* AddWindow(TWinControl* parent = nullptr)
    {
        parent = parent != nullptr ? parent : Form.get();
        auto* window = new W(parent);
        Window = window;
        App->SetWindow(Window);
        Window->SetParent(parent);
        return window;
    }

    static void Tick() { Application->Idle(); }
    std::string OptionKey() const { return "Software\\CorvalenTest\\" + App->Title + " 1"; }

    std::unique_ptr<TForm> Form;
    std::shared_ptr<TDisplayDriverLog> DriverLog;
    TCustomGLDisplay* Display = nullptr;
    TCustomGLApplication* App = nullptr;
    TGLWindow* Window = nullptr;
    uint32_t Ticks = 1000;
    std::vector<std::string> Calls;
    std::vector<float> Steps;
    std::function<void()> Draw;  // inside each frame, after the viewport cleared it
    testsupport::TBoxCapture Boxes;

private:
    std::string FTitle;
};

}  // namespace glapptest
