#include "gl/GLDisplay.h"

#include "app/Win32DisplayDriver.h"

TGLDisplay::TGLDisplay(TComponent* owner) : TCustomGLDisplay(owner, CreateWin32DisplayDriver()) {}
