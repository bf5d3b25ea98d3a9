#include "support/GLRecorder.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <tuple>
#include <type_traits>

namespace {

enum class Id {
#define GL_ENTRY_ID(source, ret, name, params) name,
    GL_ENTRY_POINTS(GL_ENTRY_ID)
#undef GL_ENTRY_ID
};

GLRecorder* GActive = nullptr;

const char* CallName(Id id) { return GLEntries()[static_cast<int>(id)].ExportName; }

// How many values the GL reads through the pointer argument of `id`;
// `previous` is the integer argument just before the pointer. 0: the
// pointer is written as "ptr".
int VectorLength(Id id, long long previous)
{
    switch (id) {
    case Id::glColor4fv:
    case Id::glColor4ubv:
        return 4;
    case Id::glNormal3fv:
        return 3;
    case Id::glLightfv:
    case Id::glLightModelfv:
    case Id::glMaterialfv:
        if (previous == GL_SPOT_DIRECTION)
            return 3;
        for (const GLenum fourValues : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_POSITION, GL_EMISSION,
                                        GL_AMBIENT_AND_DIFFUSE, GL_LIGHT_MODEL_AMBIENT})
            if (previous == fourValues)
                return 4;
        return 1;
    default:
        return 0;
    }
}

std::string RealText(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

// A pointer argument: a string in quotes, a vector the GL reads in braces,
// else "ptr" or "null".
template <typename E>
std::string PointerText(Id id, long long previous, E* pointer)
{
    using V = std::remove_cv_t<E>;
    if (!pointer)
        return "null";
    if constexpr (std::is_same_v<V, char>)
        return "\"" + std::string(pointer) + "\"";
    const int n = VectorLength(id, previous);
    if constexpr (std::is_const_v<E> && std::is_arithmetic_v<V>) {
        if (n > 0) {
            std::string text = "{";
            for (int i = 0; i < n; ++i)
                text += (i > 0 ? "," : "") +
                        (std::is_floating_point_v<V> ? RealText(pointer[i]) : std::to_string(pointer[i]));
            return text + "}";
        }
    }
    return "ptr";
}

// Appends one argument of a call of `id`; `previous` is the last integer one.
template <typename T>
void WriteArg(Id id, GLCall& call, long long& previous, T value)
{
    if constexpr (std::is_pointer_v<T>) {
        call.Pointers.push_back(value);
        call.Args.push_back(PointerText(id, previous, value));
    } else if constexpr (std::is_floating_point_v<T>) {
        call.Args.push_back(RealText(value));
    } else {
        previous = static_cast<long long>(value);
        call.Args.push_back(std::to_string(previous));
    }
}

// The canned answer (and side effect) of one entry point.
template <Id I, typename R, typename... A>
R Answer(GLRecorder& recorder, A... args)
{
    [[maybe_unused]] const std::tuple<A...> arg{args...};
    if constexpr (I == Id::glGetString) {
        return recorder.StringFor(std::get<0>(arg));
    } else if constexpr (I == Id::glGetIntegerv) {
        recorder.IntegersFor(std::get<0>(arg), std::get<1>(arg));
    } else if constexpr (I == Id::glGenLists) {
        return recorder.NextLists(std::get<0>(arg));
    } else if constexpr (I == Id::glGenTextures) {
        recorder.NextTextures(std::get<0>(arg), std::get<1>(arg));
    } else if constexpr (I == Id::glRenderMode) {
        return recorder.RenderModeResult;
    } else if constexpr (I == Id::pwglGetProcAddress) {
        return recorder.ProcFor(std::get<0>(arg));
    } else if constexpr (I == Id::pwglCreateContext) {
        return recorder.CreateContextResult;
    } else if constexpr (I == Id::pwglMakeCurrent || I == Id::pwglDeleteContext) {
        return 1;
    } else if constexpr (I == Id::wglGetSwapIntervalEXT) {
        return recorder.SwapInterval;
    } else if constexpr (I == Id::wglSwapIntervalEXT) {
        recorder.SwapInterval = std::get<0>(arg);
        return 1;
    }
    if constexpr (!std::is_void_v<R>)
        return R{};
}

template <Id I, typename F>
struct Stub;

template <Id I, typename R, typename... A>
struct Stub<I, R(GLAPIENTRY*)(A...)> {
    static R GLAPIENTRY Call(A... args)
    {
        GLRecorder& recorder = *GActive;
        GLCall call;
        call.Name = CallName(I);
        [[maybe_unused]] long long previous = 0;
        (WriteArg(I, call, previous, args), ...);
        recorder.Record(std::move(call));
        return Answer<I, R>(recorder, args...);
    }
};

#define GL_STUB_ROW(source, ret, name, params) reinterpret_cast<GLPROC>(&Stub<Id::name, PFN_##name>::Call),
const GLPROC Stubs[] = {GL_ENTRY_POINTS(GL_STUB_ROW)};
#undef GL_STUB_ROW

}  // namespace

std::string GLCall::Text() const
{
    std::string text = Name + "(";
    for (size_t i = 0; i < Args.size(); ++i)
        text += (i > 0 ? ", " : "") + Args[i];
    return text + ")";
}

struct GLRecorder::SavedPointers {
#define GL_SAVED_ENTRY(source, ret, name, params) PFN_##name name;
    GL_ENTRY_POINTS(GL_SAVED_ENTRY)
#undef GL_SAVED_ENTRY
};

GLRecorder::GLRecorder()
{
    if (GActive)
        throw std::logic_error("GLRecorder: another recorder is active");
    FSaved = new SavedPointers;
#define GL_INSTALL_STUB(source, ret, name, params) \
    FSaved->name = ::name;                         \
    ::name = &Stub<Id::name, PFN_##name>::Call;
    GL_ENTRY_POINTS(GL_INSTALL_STUB)
#undef GL_INSTALL_STUB
    GActive = this;
}

GLRecorder::~GLRecorder()
{
#define GL_RESTORE_ENTRY(source, ret, name, params) ::name = FSaved->name;
    GL_ENTRY_POINTS(GL_RESTORE_ENTRY)
#undef GL_RESTORE_ENTRY
    delete FSaved;
    GActive = nullptr;
}

std::vector<GLCall> GLRecorder::CallsOf(std::string_view name) const
{
    std::vector<GLCall> calls;
    for (const GLCall& call : FCalls)
        if (call.Name == name)
            calls.push_back(call);
    return calls;
}

int GLRecorder::Count(std::string_view name) const { return static_cast<int>(CallsOf(name).size()); }

std::vector<std::string> GLRecorder::Names() const
{
    std::vector<std::string> names;
    for (const GLCall& call : FCalls)
        names.push_back(call.Name);
    return names;
}

std::string GLRecorder::Text() const
{
    std::string text;
    for (const GLCall& call : FCalls)
        text += call.Text() + "\n";
    return text;
}

const GLubyte* GLRecorder::StringFor(GLenum name) const
{
    auto it = FStrings.find(name);
    return it == FStrings.end() ? nullptr : reinterpret_cast<const GLubyte*>(it->second.c_str());
}

void GLRecorder::IntegersFor(GLenum pname, GLint* params) const
{
    auto it = FIntegers.find(pname);
    if (it == FIntegers.end() || !params)
        return;
    for (size_t i = 0; i < it->second.size(); ++i)
        params[i] = it->second[i];
}

GLPROC GLRecorder::ProcFor(const char* name) const
{
    if (!name || FHiddenProcs.count(name))
        return nullptr;
    for (int i = 0; i < GLEntryCount(); ++i) {
        const GLEntryInfo& entry = GLEntries()[i];
        if (entry.Source == GLEntrySource::EXT && std::strcmp(entry.ExportName, name) == 0)
            return Stubs[i];
    }
    return nullptr;
}

GLuint GLRecorder::NextLists(GLsizei range)
{
    if (range <= 0)
        return 0;
    GLuint first = FNextList;
    FNextList += static_cast<GLuint>(range);
    return first;
}

void GLRecorder::NextTextures(GLsizei n, GLuint* textures)
{
    for (GLsizei i = 0; i < n && textures; ++i)
        textures[i] = FNextTexture++;
}
