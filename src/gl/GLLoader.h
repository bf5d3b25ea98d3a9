// Loading of the OpenGL and GLU libraries at run time.
//
// The loaders bind the entry points of gl/core/GLBinding.h by name from the
// library they load; an entry point the library lacks stays null (not an
// error). The extension entry points are bound later, by ReadExtensions,
// once a context is current. Loading this module sets the floating-point
// control word to 0x133F; at process end both libraries are unbound and
// freed.
#pragma once

#include <string>

#include "gl/core/GLBinding.h"

// LoadOpenGL("OpenGL32.DLL").
void InitOpenGL();
// Unbinds everything (CloseOpenGL), loads the library and binds the OpenGL
// and WGL entry points from it. A library that cannot be loaded raises
// Exception "Error: Could not load OpenGL from " + name, nothing bound.
void LoadOpenGL(const std::string& name);
// Nulls every OpenGL, WGL and extension entry point and frees the library.
void CloseOpenGL();
bool OpenGLLoaded();

// LoadGLU("GLU32.DLL").
void InitGLU();
// Unbinds GLU (CloseGLU), loads the library and binds the GLU entry points.
// Failure raises Exception "Could not load GLU from " + name, nothing bound.
void LoadGLU(const std::string& name);
void CloseGLU();
bool GLULoaded();
