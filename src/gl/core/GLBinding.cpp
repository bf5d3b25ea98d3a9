#include "gl/core/GLBinding.h"

#include <cstdint>
#include <cstring>

#define GL_DEFINE_ENTRY(source, ret, name, params) PFN_##name name = nullptr;
GL_ENTRY_POINTS(GL_DEFINE_ENTRY)
#undef GL_DEFINE_ENTRY

namespace {

// The WGL context functions are exported without the variable's "p".
constexpr const char* ExportName(GLEntrySource source, const char* variable)
{
    return source == GLEntrySource::WGL ? variable + 1 : variable;
}

#define GL_ENTRY_ROW(source, ret, name, params)                                                       \
    {#name, ExportName(GLEntrySource::source, #name), GLEntrySource::source, [] { return name != nullptr; }},
const GLEntryInfo Entries[] = {GL_ENTRY_POINTS(GL_ENTRY_ROW)};
#undef GL_ENTRY_ROW

// Some drivers answer small integers or -1 instead of null for names they
// do not know.
bool IsValidProc(GLPROC proc)
{
    const auto value = reinterpret_cast<intptr_t>(proc);
    return value != 0 && value != 1 && value != 2 && value != 3 && value != -1;
}

}  // namespace

const GLEntryInfo* GLEntries() { return Entries; }

int GLEntryCount() { return static_cast<int>(sizeof Entries / sizeof Entries[0]); }

void UnbindGLEntries(GLEntrySource source)
{
#define GL_UNBIND_ENTRY(src, ret, name, params) \
    if (GLEntrySource::src == source)           \
        name = nullptr;
    GL_ENTRY_POINTS(GL_UNBIND_ENTRY)
#undef GL_UNBIND_ENTRY
}

void ReadExtensions()
{
    UnbindGLEntries(GLEntrySource::EXT);
    if (!pwglGetProcAddress)
        return;
#define GL_READ_EXTENSION(src, ret, name, params)                            \
    if (GLEntrySource::src == GLEntrySource::EXT) {                          \
        GLPROC proc = pwglGetProcAddress(#name);                             \
        name = IsValidProc(proc) ? reinterpret_cast<PFN_##name>(proc) : nullptr; \
    }
    GL_ENTRY_POINTS(GL_READ_EXTENSION)
#undef GL_READ_EXTENSION
}

bool CheckExtension(const std::string& name)
{
    if (!glGetString)
        return false;
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions && std::strstr(extensions, name.c_str()) != nullptr;
}

bool MultiTextureAvailable()
{
    return glActiveTextureARB && glClientActiveTextureARB && CheckExtension("GL_ARB_multitexture");
}

GLint GetGLInteger(GLenum pname, GLint fallback)
{
    GLint value = fallback;
    if (glGetIntegerv)
        glGetIntegerv(pname, &value);
    return value;
}
