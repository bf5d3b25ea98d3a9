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
    case Id::gluPickMatrix:
        return 4;
    case Id::glNormal3fv:
        return 3;
    case Id::glDeleteTextures:
        return previous > 0 ? static_cast<int>(previous) : 0;
    case Id::glLightfv:
    case Id::glLightModelfv:
    case Id::glMaterialfv:
    case Id::glFogfv:
    case Id::glTexEnvfv:
        switch (previous) {
        case GL_SPOT_DIRECTION:
            return 3;
        case GL_AMBIENT:
        case GL_DIFFUSE:
        case GL_SPECULAR:
        case GL_POSITION:
        case GL_EMISSION:
        case GL_AMBIENT_AND_DIFFUSE:
        case GL_LIGHT_MODEL_AMBIENT:
        case GL_FOG_COLOR:
        case GL_TEXTURE_ENV_COLOR:
            return 4;
        default:
            return 1;
        }
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

// Appends the arguments of one call, in order.
class ArgWriter {
public:
    ArgWriter(Id id, GLCall& call) : FId(id), FCall(call) {}

    template <typename T>
    void operator()(T value)
    {
        if constexpr (std::is_same_v<T, const char*>) {
            FCall.Pointers.push_back(value);
            FCall.Args.push_back(value ? "\"" + std::string(value) + "\"" : "null");
        } else if constexpr (std::is_pointer_v<T>) {
            FCall.Pointers.push_back(value);
            FCall.Args.push_back(PointerText(value));
        } else if constexpr (std::is_floating_point_v<T>) {
            FCall.Args.push_back(RealText(value));
        } else {
            const auto integer = static_cast<long long>(value);
            FCall.Args.push_back(std::to_string(integer));
            FPrevious = integer;
        }
    }

private:
    template <typename E>
    std::string PointerText(E* pointer) const
    {
        if (!pointer)
            return "null";
        using V = std::remove_cv_t<E>;
        if constexpr (std::is_const_v<E> && std::is_arithmetic_v<V>) {
            const int n = VectorLength(FId, FPrevious);
            if (n > 0) {
                std::string text = "{";
                for (int i = 0; i < n; ++i) {
                    if (i > 0)
                        text += ",";
                    if constexpr (std::is_floating_point_v<V>)
                        text += RealText(pointer[i]);
                    else
                        text += std::to_string(static_cast<long long>(pointer[i]));
                }
                return text + "}";
            }
        }
        return "ptr";
    }

    Id FId;
    GLCall& FCall;
    long long FPrevious = 0;
};

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
    } else if constexpr (I == Id::glPixelStoref) {
        if (std::get<0>(arg) == GL_PACK_ALIGNMENT)
            recorder.SetPackAlignment(std::get<1>(arg));
    } else if constexpr (I == Id::glReadPixels) {
        recorder.FillPixels(std::get<2>(arg), std::get<3>(arg), std::get<4>(arg), std::get<5>(arg),
                            std::get<6>(arg));
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
        ArgWriter writer(I, call);
        (writer(args), ...);
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

GLRecorder* GLRecorder::Active() { return GActive; }

std::vector<GLCall> GLRecorder::CallsOf(std::string_view name) const
{
    std::vector<GLCall> calls;
    for (const GLCall& call : FCalls)
        if (call.Name == name)
            calls.push_back(call);
    return calls;
}

int GLRecorder::Count(std::string_view name) const
{
    int count = 0;
    for (const GLCall& call : FCalls)
        count += call.Name == name;
    return count;
}

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

void GLRecorder::SetPackAlignment(GLfloat alignment)
{
    const int value = static_cast<int>(alignment);
    if (value == 1 || value == 2 || value == 4 || value == 8)
        FPackAlignment = value;
}

void GLRecorder::FillPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels) const
{
    int components = 0;
    switch (format) {
    case GL_ALPHA:
    case GL_LUMINANCE:
        components = 1;
        break;
    case GL_LUMINANCE_ALPHA:
        components = 2;
        break;
    case GL_RGB:
    case GL_BGR:
        components = 3;
        break;
    case GL_RGBA:
    case GL_BGRA:
        components = 4;
        break;
    }
    if (type != GL_UNSIGNED_BYTE || components == 0 || width <= 0 || height <= 0 || !pixels)
        return;
    const size_t rowBytes = static_cast<size_t>(width) * components;
    const size_t stride = (rowBytes + FPackAlignment - 1) / FPackAlignment * FPackAlignment;
    auto* bytes = static_cast<unsigned char*>(pixels);
    for (GLsizei row = 0; row < height; ++row)
        std::memset(bytes + row * stride, row & 0xFF, rowBytes);
}
