// TCustomGLDisplay: the display-mode component of the OpenGL application.
//
// It enumerates the video modes when it is loaded, and is hooked to its
// application through IGLDisplayHost: before every mode switch the
// application reads its stored full-screen mode, after every switch it
// follows the change; only modes an OpenGL frame can use are offered
// (AcceptGLDisplayMode).
//
// The application sets itself as host when it takes the display and clears
// the host of the display it lets go, so that a display it no longer uses
// never calls back into it:
//
//     if (FDisplay != nullptr) FDisplay->SetHost(nullptr);
//     FDisplay = display;
//     if (FDisplay != nullptr) FDisplay->SetHost(this);
//
// (A display that is being freed needs no clearing: its removal
// notification only drops the pointer.)
#pragma once

#include <memory>
#include <string>

#include "app/core/DisplayControl.h"

class IGLDisplayHost {
public:
    // After every mode change (entering or leaving full screen).
    virtual void FullScreenChanged() = 0;
    // Before every mode change.
    virtual void ReadFullScreenMode() = 0;

protected:
    ~IGLDisplayHost() = default;
};

// Modes of 16 or 32 bits per pixel and at least 480 lines.
bool AcceptGLDisplayMode(int depth, int width, int height);

class TCustomGLDisplay : public TCustomDisplayControl {
public:
    // EnumerateOnLoad is set.
    TCustomGLDisplay(TComponent* owner, std::unique_ptr<TDisplayDriver> driver);

    std::string ClassName() const override { return "TCustomGLDisplay"; }

    // Hooks the three events to host: OnModeChanging to ReadFullScreenMode,
    // OnModeChanged to FullScreenChanged, OnFilterMode to
    // AcceptGLDisplayMode. Null clears all three.
    void SetHost(IGLDisplayHost* host);
};
