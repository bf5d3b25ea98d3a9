// GLRecorder: a recording table for the GL binding, for tests.
//
// While a recorder lives, every entry point of the binding (GLBinding.h)
// points at a stub that appends the call - its name and its arguments as
// text - to the recorder and answers with a canned value, so that tests can
// check the GL calls of a piece of code without a context. The destructor
// puts back the pointers that were there before. One recorder at a time.
//
// Arguments are written as decimal integers, reals in the %g form, strings
// in double quotes, and pointers as "ptr" or "null" - except the vectors the
// GL reads through a pointer, which are written as their values in braces:
// "glLightModelfv(2899, {0,0,0,1})" (the colour, normal, glLight* and
// glMaterial* vectors; their length comes from the entry point and the
// parameter name).
//
// Canned answers: glGetString and glGetIntegerv answer what the test set
// (null / nothing written otherwise); glGenLists and glGenTextures hand out
// consecutive names from 1; glRenderMode answers RenderModeResult;
// wglGetProcAddress answers the recording stub of any extension entry point
// that is not hidden, so ReadExtensions binds stubs; wglGetSwapIntervalEXT
// answers SwapInterval and wglSwapIntervalEXT sets it, like a driver;
// wglCreateContext answers CreateContextResult. glReadPixels writes nothing.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "gl/core/GLBinding.h"

struct GLCall {
    std::string Name;
    std::vector<std::string> Args;
    // The raw value of every pointer argument, in order.
    std::vector<const void*> Pointers;

    // "name(arg, arg, ...)"
    std::string Text() const;
};

class GLRecorder {
public:
    // Saves every pointer of the binding and installs the recording stubs.
    // A second live recorder raises std::logic_error.
    GLRecorder();
    ~GLRecorder();
    GLRecorder(const GLRecorder&) = delete;
    GLRecorder& operator=(const GLRecorder&) = delete;

    const std::vector<GLCall>& Calls() const { return FCalls; }
    void Clear() { FCalls.clear(); }
    // The calls of one entry point, in order.
    std::vector<GLCall> CallsOf(std::string_view name) const;
    int Count(std::string_view name) const;
    // The calls' names, in order.
    std::vector<std::string> Names() const;
    // Every call's Text(), one per line; for diagnostics.
    std::string Text() const;

    // --- Canned answers ---
    void SetString(GLenum name, const std::string& value) { FStrings[name] = value; }
    void SetIntegers(GLenum pname, std::vector<GLint> values) { FIntegers[pname] = std::move(values); }
    void SetInteger(GLenum pname, GLint value) { SetIntegers(pname, {value}); }
    // wglGetProcAddress answers null for this name.
    void HideProc(const std::string& name) { FHiddenProcs.insert(name); }

    GLint RenderModeResult = 0;
    int SwapInterval = 1;
    GLHGLRC CreateContextResult = reinterpret_cast<GLHGLRC>(static_cast<uintptr_t>(0x1000));

    // --- Used by the stubs ---
    void Record(GLCall call) { FCalls.push_back(std::move(call)); }
    const GLubyte* StringFor(GLenum name) const;
    void IntegersFor(GLenum pname, GLint* params) const;
    GLPROC ProcFor(const char* name) const;
    GLuint NextLists(GLsizei range);
    void NextTextures(GLsizei n, GLuint* textures);

private:
    struct SavedPointers;

    SavedPointers* FSaved;
    std::vector<GLCall> FCalls;
    std::map<GLenum, std::string> FStrings;
    std::map<GLenum, std::vector<GLint>> FIntegers;
    std::set<std::string> FHiddenProcs;
    GLuint FNextList = 1;
    GLuint FNextTexture = 1;
};
