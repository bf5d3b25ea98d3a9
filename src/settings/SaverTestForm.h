// The saver's test form: until the settings dialog exists, the program's
// window in every role. It carries the display, the screen-saver component
// and a render window filling the form, and draws a turning triangle, so
// that each role (saver, preview, dialog, program) can be seen at work.
// The caption shows the frames per second.
#pragma once

#include <string>

#include "classlib/ui/Forms.h"
#include "gl/GLDisplay.h"
#include "gl/GLWindow.h"
#include "gl/ScreenSaver.h"

class TSaverTestForm : public TForm {
public:
    // Builds the components in code and loads them; raises EConvertError
    // when the command line's window handle is not a number.
    explicit TSaverTestForm(TComponent* owner);
    // The components go while the form is still whole.
    ~TSaverTestForm() override { DestroyComponents(); }
    std::string ClassName() const override { return "TSaverTestForm"; }

    TGLDisplay* Display = nullptr;
    TGLScreenSaver* ScreenSaver = nullptr;
    TGLWindow* Window = nullptr;

private:
    void Render(float deltaTime);

    float FAngle = 0;
};
