// The published properties of the OpenGL application's components, as form
// descriptions name them: the screen-saver component (TGLScreenSaver, with
// its viewport and camera as nested objects, "Viewport.Camera.Position.Z"),
// the display (TGLDisplay, "FullScreenMode.ScreenSize") and the render
// window (TGLWindow).
#pragma once

#include "classlib/core/ClassRegistry.h"

// Registers the application framework's classes (RegisterAppClasses),
// TOpenGLVector, TOpenGLCamera, TDefViewport, TScreenMode, TGLDisplay,
// TGLWindow and TGLScreenSaver; needs the class library's
// classes first (RegisterClassLibraryClasses). Only the first call on the
// program's registry does anything.
void RegisterGLClasses(TClassRegistry& classes = ClassRegistry());
