#include "gl/GLLoader.h"

#include <windows.h>

#include "classlib/core/Exceptions.h"
#include "classlib/core/FloatControl.h"

namespace {

HMODULE GOpenGLModule = nullptr;
HMODULE GGLUModule = nullptr;

// Binds every entry point of `source` from module by its export name.
void BindFrom(HMODULE module, GLEntrySource source)
{
#define GL_BIND_ENTRY(src, ret, name, params)                                                          \
    if (GLEntrySource::src == source) {                                                                \
        const char* exportName = GLEntrySource::src == GLEntrySource::WGL ? #name + 1 : #name;         \
        name = reinterpret_cast<PFN_##name>(reinterpret_cast<void (*)()>(GetProcAddress(module, exportName))); \
    }
    GL_ENTRY_POINTS(GL_BIND_ENTRY)
#undef GL_BIND_ENTRY
}

// The binding's module lifetime: the control word on load, the libraries
// freed at process end.
struct TBindingModule {
    TBindingModule() { Set8087CW(DefaultFPUControlWord); }
    ~TBindingModule()
    {
        CloseGLU();
        CloseOpenGL();
    }
};
TBindingModule GBindingModule;

}  // namespace

void InitOpenGL() { LoadOpenGL("OpenGL32.DLL"); }

void LoadOpenGL(const std::string& name)
{
    CloseOpenGL();
    HMODULE module = LoadLibraryA(name.c_str());
    if (!module)
        throw Exception("Error: Could not load OpenGL from " + name);
    GOpenGLModule = module;
    BindFrom(module, GLEntrySource::GL);
    BindFrom(module, GLEntrySource::WGL);
}

void CloseOpenGL()
{
    UnbindGLEntries(GLEntrySource::GL);
    UnbindGLEntries(GLEntrySource::WGL);
    UnbindGLEntries(GLEntrySource::EXT);
    if (GOpenGLModule)
        FreeLibrary(GOpenGLModule);
    GOpenGLModule = nullptr;
}

bool OpenGLLoaded() { return GOpenGLModule != nullptr; }

void InitGLU() { LoadGLU("GLU32.DLL"); }

void LoadGLU(const std::string& name)
{
    CloseGLU();
    HMODULE module = LoadLibraryA(name.c_str());
    if (!module)
        throw Exception("Could not load GLU from " + name);
    GGLUModule = module;
    BindFrom(module, GLEntrySource::GLU);
}

void CloseGLU()
{
    UnbindGLEntries(GLEntrySource::GLU);
    if (GGLUModule)
        FreeLibrary(GGLUModule);
    GGLUModule = nullptr;
}

bool GLULoaded() { return GGLUModule != nullptr; }
