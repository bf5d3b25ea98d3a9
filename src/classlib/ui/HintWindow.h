// The hint window: a small popup that shows a text beside the cursor
// without taking the activation, above every other window.
//
// The application makes its hint window from the class in HintWindowClass
// when ShowHint is turned on (TApplication::SetShowHint); a skin replaces
// that class with its own descendant and turns ShowHint off and on to get
// one. The application shows the hints of controls through it
// (TApplication::HintMouseMessage); others may call ActivateHint too.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/ui/Controls.h"

class THintWindow : public TCustomControl {
public:
    // Hidden; coloured clInfoBk.
    explicit THintWindow(TComponent* owner);
    std::string ClassName() const override { return "THintWindow"; }

    // Takes the text as Caption, the rectangle as the window's bounds
    // (moved left and up as far as needed to stay on the screen), and shows
    // the window topmost without activating it.
    virtual void ActivateHint(RECT rect, const std::string& AHint);

protected:
    // A popup with a one-pixel border, a tool window (no taskbar entry),
    // owned by the application window.
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    // The plain look: the text in clInfoText, 2 pixels inside the client
    // area, left-aligned and broken into words.
    void Paint() override;
};

// Makes the application's hint windows; a skin puts its own class here.
using THintWindowClass = THintWindow* (*)(TComponent* owner);

template <class T>
THintWindow* CreateHintWindowOf(TComponent* owner)
{
    return new T(owner);
}

extern THintWindowClass HintWindowClass;
