// The run-time OpenGL binding.
//
// Nothing in the program links an OpenGL library: every OpenGL, GLU and WGL
// entry point the program calls is a process-wide function pointer, null
// until the loader (gl/GLLoader.h) binds it from "OpenGL32.DLL" and
// "GLU32.DLL", and the extension entry points are bound by ReadExtensions
// once a context is current. Callers test the optional ones before use.
//
// This header is platform-free: it declares the GL scalar types, the
// constants the program uses and the pointers, so that the GL objects and
// their tests build natively too; tests put recording stubs into the
// pointers (tests/support/GLRecorder.h). Never include <GL/gl.h> next to it: its
// prototypes and macros carry the same names.
//
// GL_ENTRY_POINTS is the one list of entry points. Each entry is
// X(Source, ReturnType, Variable, (Parameters)); the variable carries the
// name the library exports, except for the WGL context functions, whose
// names <windows.h> already declares as functions: their variables carry a
// "p" in front (pwglCreateContext binds "wglCreateContext").
#pragma once

#include <cstdint>
#include <string>

#ifndef GLAPIENTRY
#if defined(_WIN32)
#define GLAPIENTRY __stdcall
#else
#define GLAPIENTRY
#endif
#endif

// --- Scalar types ---------------------------------------------------------
typedef unsigned int GLenum;
typedef unsigned char GLboolean;
typedef unsigned int GLbitfield;
typedef signed char GLbyte;
typedef short GLshort;
typedef int GLint;
typedef int GLsizei;
typedef unsigned char GLubyte;
typedef unsigned short GLushort;
typedef unsigned int GLuint;
typedef float GLfloat;
typedef float GLclampf;
typedef double GLdouble;
typedef double GLclampd;
typedef void GLvoid;

// Window-system handles as <windows.h> declares them (STRICT handles), so
// that HDC and HGLRC values pass through unchanged.
struct HDC__;
struct HGLRC__;
using GLHDC = HDC__*;
using GLHGLRC = HGLRC__*;
// What wglGetProcAddress returns: an entry point of unknown type.
using GLPROC = void(GLAPIENTRY*)();

// --- Constants --------------------------------------------------------------
constexpr GLboolean GL_FALSE = 0;
constexpr GLboolean GL_TRUE = 1;

// Primitive modes
constexpr GLenum GL_POINTS = 0x0000;
constexpr GLenum GL_LINES = 0x0001;
constexpr GLenum GL_LINE_LOOP = 0x0002;
constexpr GLenum GL_LINE_STRIP = 0x0003;
constexpr GLenum GL_TRIANGLES = 0x0004;
constexpr GLenum GL_TRIANGLE_STRIP = 0x0005;
constexpr GLenum GL_TRIANGLE_FAN = 0x0006;
constexpr GLenum GL_QUADS = 0x0007;
constexpr GLenum GL_QUAD_STRIP = 0x0008;
constexpr GLenum GL_POLYGON = 0x0009;

// glClear masks
constexpr GLbitfield GL_DEPTH_BUFFER_BIT = 0x00000100;
constexpr GLbitfield GL_ACCUM_BUFFER_BIT = 0x00000200;
constexpr GLbitfield GL_STENCIL_BUFFER_BIT = 0x00000400;
constexpr GLbitfield GL_COLOR_BUFFER_BIT = 0x00004000;

// Data types
constexpr GLenum GL_BYTE = 0x1400;
constexpr GLenum GL_UNSIGNED_BYTE = 0x1401;
constexpr GLenum GL_SHORT = 0x1402;
constexpr GLenum GL_UNSIGNED_SHORT = 0x1403;
constexpr GLenum GL_INT = 0x1404;
constexpr GLenum GL_UNSIGNED_INT = 0x1405;
constexpr GLenum GL_FLOAT = 0x1406;
constexpr GLenum GL_DOUBLE = 0x140A;

// Comparison functions (glAlphaFunc)
constexpr GLenum GL_NEVER = 0x0200;
constexpr GLenum GL_LESS = 0x0201;
constexpr GLenum GL_EQUAL = 0x0202;
constexpr GLenum GL_LEQUAL = 0x0203;
constexpr GLenum GL_GREATER = 0x0204;
constexpr GLenum GL_NOTEQUAL = 0x0205;
constexpr GLenum GL_GEQUAL = 0x0206;
constexpr GLenum GL_ALWAYS = 0x0207;

// Blending factors
constexpr GLenum GL_ZERO = 0;
constexpr GLenum GL_ONE = 1;
constexpr GLenum GL_SRC_COLOR = 0x0300;
constexpr GLenum GL_ONE_MINUS_SRC_COLOR = 0x0301;
constexpr GLenum GL_SRC_ALPHA = 0x0302;
constexpr GLenum GL_ONE_MINUS_SRC_ALPHA = 0x0303;
constexpr GLenum GL_DST_ALPHA = 0x0304;
constexpr GLenum GL_ONE_MINUS_DST_ALPHA = 0x0305;
constexpr GLenum GL_DST_COLOR = 0x0306;
constexpr GLenum GL_ONE_MINUS_DST_COLOR = 0x0307;

// Faces
constexpr GLenum GL_FRONT = 0x0404;
constexpr GLenum GL_BACK = 0x0405;
constexpr GLenum GL_FRONT_AND_BACK = 0x0408;

// Capabilities
constexpr GLenum GL_CULL_FACE = 0x0B44;
constexpr GLenum GL_LIGHTING = 0x0B50;
constexpr GLenum GL_COLOR_MATERIAL = 0x0B57;
constexpr GLenum GL_FOG = 0x0B60;
constexpr GLenum GL_DEPTH_TEST = 0x0B71;
constexpr GLenum GL_NORMALIZE = 0x0BA1;
constexpr GLenum GL_ALPHA_TEST = 0x0BC0;
constexpr GLenum GL_DITHER = 0x0BD0;
constexpr GLenum GL_BLEND = 0x0BE2;
constexpr GLenum GL_TEXTURE_1D = 0x0DE0;
constexpr GLenum GL_TEXTURE_2D = 0x0DE1;

// Lights and the light model
constexpr GLenum GL_LIGHT0 = 0x4000;
constexpr GLenum GL_MAX_LIGHTS = 0x0D31;
constexpr GLenum GL_AMBIENT = 0x1200;
constexpr GLenum GL_DIFFUSE = 0x1201;
constexpr GLenum GL_SPECULAR = 0x1202;
constexpr GLenum GL_POSITION = 0x1203;
constexpr GLenum GL_SPOT_DIRECTION = 0x1204;
constexpr GLenum GL_SPOT_EXPONENT = 0x1205;
constexpr GLenum GL_SPOT_CUTOFF = 0x1206;
constexpr GLenum GL_CONSTANT_ATTENUATION = 0x1207;
constexpr GLenum GL_LINEAR_ATTENUATION = 0x1208;
constexpr GLenum GL_QUADRATIC_ATTENUATION = 0x1209;
constexpr GLenum GL_LIGHT_MODEL_LOCAL_VIEWER = 0x0B51;
constexpr GLenum GL_LIGHT_MODEL_TWO_SIDE = 0x0B52;
constexpr GLenum GL_LIGHT_MODEL_AMBIENT = 0x0B53;
constexpr GLenum GL_LIGHT_MODEL_COLOR_CONTROL = 0x81F8;
constexpr GLenum GL_SINGLE_COLOR = 0x81F9;
constexpr GLenum GL_SEPARATE_SPECULAR_COLOR = 0x81FA;

// Materials
constexpr GLenum GL_EMISSION = 0x1600;
constexpr GLenum GL_SHININESS = 0x1601;
constexpr GLenum GL_AMBIENT_AND_DIFFUSE = 0x1602;

// Matrices, shading, hints
constexpr GLenum GL_MODELVIEW = 0x1700;
constexpr GLenum GL_PROJECTION = 0x1701;
constexpr GLenum GL_TEXTURE = 0x1702;
constexpr GLenum GL_FLAT = 0x1D00;
constexpr GLenum GL_SMOOTH = 0x1D01;
constexpr GLenum GL_PERSPECTIVE_CORRECTION_HINT = 0x0C50;
constexpr GLenum GL_FOG_HINT = 0x0C54;
constexpr GLenum GL_DONT_CARE = 0x1100;
constexpr GLenum GL_FASTEST = 0x1101;
constexpr GLenum GL_NICEST = 0x1102;

// Fog
constexpr GLenum GL_FOG_DENSITY = 0x0B62;
constexpr GLenum GL_FOG_START = 0x0B63;
constexpr GLenum GL_FOG_END = 0x0B64;
constexpr GLenum GL_FOG_MODE = 0x0B65;
constexpr GLenum GL_FOG_COLOR = 0x0B66;
constexpr GLenum GL_EXP = 0x0800;
constexpr GLenum GL_EXP2 = 0x0801;

// Strings
constexpr GLenum GL_VENDOR = 0x1F00;
constexpr GLenum GL_RENDERER = 0x1F01;
constexpr GLenum GL_VERSION = 0x1F02;
constexpr GLenum GL_EXTENSIONS = 0x1F03;

// Pixel storage and pixel formats
constexpr GLenum GL_UNPACK_ALIGNMENT = 0x0CF5;
constexpr GLenum GL_PACK_ALIGNMENT = 0x0D05;
constexpr GLenum GL_ALPHA = 0x1906;
constexpr GLenum GL_RGB = 0x1907;
constexpr GLenum GL_RGBA = 0x1908;
constexpr GLenum GL_LUMINANCE = 0x1909;
constexpr GLenum GL_LUMINANCE_ALPHA = 0x190A;
constexpr GLenum GL_BGR = 0x80E0;   // GL_BGR_EXT
constexpr GLenum GL_BGRA = 0x80E1;  // GL_BGRA_EXT
constexpr GLenum GL_RGB5 = 0x8050;
constexpr GLenum GL_RGB8 = 0x8051;
constexpr GLenum GL_RGBA4 = 0x8056;
constexpr GLenum GL_RGB5_A1 = 0x8057;
constexpr GLenum GL_RGBA8 = 0x8058;

// Packed pixel types
constexpr GLenum GL_UNSIGNED_BYTE_3_3_2 = 0x8032;
constexpr GLenum GL_UNSIGNED_SHORT_4_4_4_4 = 0x8033;
constexpr GLenum GL_UNSIGNED_SHORT_5_5_5_1 = 0x8034;
constexpr GLenum GL_UNSIGNED_INT_8_8_8_8 = 0x8035;
constexpr GLenum GL_UNSIGNED_INT_10_10_10_2 = 0x8036;
constexpr GLenum GL_UNSIGNED_BYTE_2_3_3_REV = 0x8362;
constexpr GLenum GL_UNSIGNED_SHORT_5_6_5 = 0x8363;
constexpr GLenum GL_UNSIGNED_SHORT_5_6_5_REV = 0x8364;
constexpr GLenum GL_UNSIGNED_SHORT_4_4_4_4_REV = 0x8365;
constexpr GLenum GL_UNSIGNED_SHORT_1_5_5_5_REV = 0x8366;
constexpr GLenum GL_UNSIGNED_INT_8_8_8_8_REV = 0x8367;
constexpr GLenum GL_UNSIGNED_INT_2_10_10_10_REV = 0x8368;

// Textures
constexpr GLenum GL_TEXTURE_MAG_FILTER = 0x2800;
constexpr GLenum GL_TEXTURE_MIN_FILTER = 0x2801;
constexpr GLenum GL_TEXTURE_WRAP_S = 0x2802;
constexpr GLenum GL_TEXTURE_WRAP_T = 0x2803;
constexpr GLenum GL_NEAREST = 0x2600;
constexpr GLenum GL_LINEAR = 0x2601;
constexpr GLenum GL_NEAREST_MIPMAP_NEAREST = 0x2700;
constexpr GLenum GL_LINEAR_MIPMAP_NEAREST = 0x2701;
constexpr GLenum GL_NEAREST_MIPMAP_LINEAR = 0x2702;
constexpr GLenum GL_LINEAR_MIPMAP_LINEAR = 0x2703;
constexpr GLenum GL_CLAMP = 0x2900;
constexpr GLenum GL_REPEAT = 0x2901;
constexpr GLenum GL_TEXTURE_PRIORITY = 0x8066;
constexpr GLenum GL_TEXTURE_ENV = 0x2300;
constexpr GLenum GL_TEXTURE_ENV_MODE = 0x2200;
constexpr GLenum GL_TEXTURE_ENV_COLOR = 0x2201;
constexpr GLenum GL_MODULATE = 0x2100;
constexpr GLenum GL_DECAL = 0x2101;
constexpr GLenum GL_REPLACE = 0x1E01;

// Vertex arrays
constexpr GLenum GL_VERTEX_ARRAY = 0x8074;
constexpr GLenum GL_NORMAL_ARRAY = 0x8075;
constexpr GLenum GL_COLOR_ARRAY = 0x8076;
constexpr GLenum GL_TEXTURE_COORD_ARRAY = 0x8078;

// Display lists, render modes, selection
constexpr GLenum GL_COMPILE = 0x1300;
constexpr GLenum GL_COMPILE_AND_EXECUTE = 0x1301;
constexpr GLenum GL_RENDER = 0x1C00;
constexpr GLenum GL_RENDER_MODE = 0x0C40;
constexpr GLenum GL_FEEDBACK = 0x1C01;
constexpr GLenum GL_SELECT = 0x1C02;
constexpr GLenum GL_VIEWPORT = 0x0BA2;

// ARB multitexture
constexpr GLenum GL_TEXTURE0_ARB = 0x84C0;
constexpr GLenum GL_MAX_TEXTURE_UNITS_ARB = 0x84E2;

// --- Entry points -------------------------------------------------------------
// Where an entry point comes from.
enum class GLEntrySource {
    GL,   // OpenGL32.DLL, by name
    WGL,  // OpenGL32.DLL, by name; the variable is "p" + the export name
    GLU,  // GLU32.DLL, by name
    EXT,  // wglGetProcAddress, once a context is current (ReadExtensions)
};

#define GL_ENTRY_POINTS(X)                                                                                  \
    X(GL, void, glAlphaFunc, (GLenum func, GLclampf ref))                                                  \
    X(GL, void, glBegin, (GLenum mode))                                                                    \
    X(GL, void, glEnd, ())                                                                                 \
    X(GL, void, glBindTexture, (GLenum target, GLuint texture))                                            \
    X(GL, void, glBlendFunc, (GLenum sfactor, GLenum dfactor))                                             \
    X(GL, void, glCallList, (GLuint list))                                                                 \
    X(GL, void, glCallLists, (GLsizei n, GLenum type, const GLvoid* lists))                                \
    X(GL, void, glClear, (GLbitfield mask))                                                                \
    X(GL, void, glClearColor, (GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha))               \
    X(GL, void, glColor4fv, (const GLfloat* v))                                                            \
    X(GL, void, glColor4ubv, (const GLubyte* v))                                                           \
    X(GL, void, glColorPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer))          \
    X(GL, void, glCopyTexImage1D,                                                                          \
      (GLenum target, GLint level, GLenum internalFormat, GLint x, GLint y, GLsizei width, GLint border))   \
    X(GL, void, glCopyTexImage2D,                                                                          \
      (GLenum target, GLint level, GLenum internalFormat, GLint x, GLint y, GLsizei width, GLsizei height, \
       GLint border))                                                                                      \
    X(GL, void, glDeleteLists, (GLuint list, GLsizei range))                                               \
    X(GL, void, glDeleteTextures, (GLsizei n, const GLuint* textures))                                     \
    X(GL, void, glDepthMask, (GLboolean flag))                                                             \
    X(GL, void, glDisable, (GLenum cap))                                                                   \
    X(GL, void, glDisableClientState, (GLenum array))                                                      \
    X(GL, void, glDrawArrays, (GLenum mode, GLint first, GLsizei count))                                   \
    X(GL, void, glDrawElements, (GLenum mode, GLsizei count, GLenum type, const GLvoid* indices))          \
    X(GL, void, glEnable, (GLenum cap))                                                                    \
    X(GL, void, glEnableClientState, (GLenum array))                                                       \
    X(GL, void, glEndList, ())                                                                             \
    X(GL, void, glFlush, ())                                                                               \
    X(GL, void, glFogf, (GLenum pname, GLfloat param))                                                     \
    X(GL, void, glFogfv, (GLenum pname, const GLfloat* params))                                            \
    X(GL, void, glFogi, (GLenum pname, GLint param))                                                       \
    X(GL, void, glFrustum,                                                                                 \
      (GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar))       \
    X(GL, GLuint, glGenLists, (GLsizei range))                                                             \
    X(GL, void, glGenTextures, (GLsizei n, GLuint* textures))                                              \
    X(GL, void, glGetIntegerv, (GLenum pname, GLint* params))                                              \
    X(GL, const GLubyte*, glGetString, (GLenum name))                                                      \
    X(GL, void, glHint, (GLenum target, GLenum mode))                                                      \
    X(GL, void, glInitNames, ())                                                                           \
    X(GL, void, glLightModelfv, (GLenum pname, const GLfloat* params))                                     \
    X(GL, void, glLightModeli, (GLenum pname, GLint param))                                                \
    X(GL, void, glLightf, (GLenum light, GLenum pname, GLfloat param))                                     \
    X(GL, void, glLightfv, (GLenum light, GLenum pname, const GLfloat* params))                            \
    X(GL, void, glListBase, (GLuint base))                                                                 \
    X(GL, void, glLoadIdentity, ())                                                                        \
    X(GL, void, glMaterialf, (GLenum face, GLenum pname, GLfloat param))                                   \
    X(GL, void, glMaterialfv, (GLenum face, GLenum pname, const GLfloat* params))                          \
    X(GL, void, glMatrixMode, (GLenum mode))                                                               \
    X(GL, void, glNewList, (GLuint list, GLenum mode))                                                     \
    X(GL, void, glNormal3fv, (const GLfloat* v))                                                           \
    X(GL, void, glNormalPointer, (GLenum type, GLsizei stride, const GLvoid* pointer))                     \
    X(GL, void, glOrtho,                                                                                   \
      (GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar))       \
    X(GL, void, glPixelStoref, (GLenum pname, GLfloat param))                                              \
    X(GL, void, glPopMatrix, ())                                                                           \
    X(GL, void, glPushMatrix, ())                                                                          \
    X(GL, void, glPushName, (GLuint name))                                                                 \
    X(GL, void, glReadPixels,                                                                              \
      (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels))       \
    X(GL, GLint, glRenderMode, (GLenum mode))                                                              \
    X(GL, void, glRotatef, (GLfloat angle, GLfloat x, GLfloat y, GLfloat z))                               \
    X(GL, void, glScalef, (GLfloat x, GLfloat y, GLfloat z))                                               \
    X(GL, void, glSelectBuffer, (GLsizei size, GLuint* buffer))                                            \
    X(GL, void, glShadeModel, (GLenum mode))                                                               \
    X(GL, void, glTexCoord2f, (GLfloat s, GLfloat t))                                                      \
    X(GL, void, glTexCoordPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer))       \
    X(GL, void, glTexEnvfv, (GLenum target, GLenum pname, const GLfloat* params))                          \
    X(GL, void, glTexEnvi, (GLenum target, GLenum pname, GLint param))                                     \
    X(GL, void, glTexImage1D,                                                                              \
      (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLint border, GLenum format,       \
       GLenum type, const GLvoid* pixels))                                                                 \
    X(GL, void, glTexImage2D,                                                                              \
      (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,      \
       GLenum format, GLenum type, const GLvoid* pixels))                                                  \
    X(GL, void, glTexParameterf, (GLenum target, GLenum pname, GLfloat param))                             \
    X(GL, void, glTexParameteri, (GLenum target, GLenum pname, GLint param))                               \
    X(GL, void, glTranslated, (GLdouble x, GLdouble y, GLdouble z))                                        \
    X(GL, void, glTranslatef, (GLfloat x, GLfloat y, GLfloat z))                                           \
    X(GL, void, glVertex2i, (GLint x, GLint y))                                                            \
    X(GL, void, glVertexPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer))         \
    X(GL, void, glViewport, (GLint x, GLint y, GLsizei width, GLsizei height))                             \
    X(WGL, GLPROC, pwglGetProcAddress, (const char* name))                                                 \
    X(WGL, GLHGLRC, pwglCreateContext, (GLHDC dc))                                                         \
    X(WGL, int, pwglMakeCurrent, (GLHDC dc, GLHGLRC context))                                              \
    X(WGL, int, pwglDeleteContext, (GLHGLRC context))                                                      \
    X(GLU, int, gluBuild2DMipmaps,                                                                         \
      (GLenum target, GLint components, GLint width, GLint height, GLenum format, GLenum type,             \
       const void* data))                                                                                  \
    X(GLU, void, gluLookAt,                                                                                \
      (GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,  \
       GLdouble upX, GLdouble upY, GLdouble upZ))                                                          \
    X(GLU, void, gluPickMatrix, (GLdouble x, GLdouble y, GLdouble width, GLdouble height,                  \
                                 const GLint* viewport))                                                   \
    X(EXT, void, glLockArraysEXT, (GLint first, GLsizei count))                                            \
    X(EXT, void, glUnlockArraysEXT, ())                                                                    \
    X(EXT, void, glActiveTextureARB, (GLenum texture))                                                     \
    X(EXT, void, glClientActiveTextureARB, (GLenum texture))                                               \
    X(EXT, const char*, wglGetExtensionsStringARB, (GLHDC dc))                                             \
    X(EXT, int, wglSwapIntervalEXT, (int interval))                                                        \
    X(EXT, int, wglGetSwapIntervalEXT, ())

#define GL_DECLARE_ENTRY(source, ret, name, params) \
    using PFN_##name = ret(GLAPIENTRY*) params;     \
    extern PFN_##name name;
GL_ENTRY_POINTS(GL_DECLARE_ENTRY)
#undef GL_DECLARE_ENTRY

// One row per entry point, in list order: for loaders, tests and tools that
// walk the whole binding.
struct GLEntryInfo {
    const char* Variable;    // the variable's name
    const char* ExportName;  // the name the library or wglGetProcAddress knows
    GLEntrySource Source;
    bool (*IsBound)();
};
const GLEntryInfo* GLEntries();
int GLEntryCount();

// Nulls every entry point of one source.
void UnbindGLEntries(GLEntrySource source);

// Binds the extension entry points through wglGetProcAddress; each one the
// driver does not offer stays null. Needs a current context; does nothing
// more than clearing them while wglGetProcAddress is unbound.
void ReadExtensions();

// True when name occurs anywhere in glGetString(GL_EXTENSIONS) - a plain
// substring test, so "EXT_separate_specular_color" matches
// "GL_EXT_separate_specular_color". False while glGetString is unbound or
// answers null.
bool CheckExtension(const std::string& name);

// ARB multitexture is usable: the driver names it and both of its entry
// points are bound.
bool MultiTextureAvailable();

// glGetIntegerv of a single value; `fallback` while glGetIntegerv is unbound.
GLint GetGLInteger(GLenum pname, GLint fallback);
