// TGLDisplay: the OpenGL application's display component on the real
// display (the Win32 display driver).
#pragma once

#include <string>

#include "gl/core/CustomGLDisplay.h"

class TGLDisplay : public TCustomGLDisplay {
public:
    explicit TGLDisplay(TComponent* owner);

    std::string ClassName() const override { return "TGLDisplay"; }
};
