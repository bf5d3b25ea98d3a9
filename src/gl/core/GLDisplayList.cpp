#include "gl/core/GLDisplayList.h"

#include "classlib/core/Exceptions.h"

TGLDisplayList::~TGLDisplayList()
{
    // The context deletes every list before it goes; a list still built
    // here was freed while its context lives.
    if (FBuilt && glDeleteLists)
        glDeleteLists(FBase, FBuiltRange);
}

void TGLDisplayList::Build()
{
    if (!OnBuild)
        return;
    Delete();
    // Name 0 is never a list: the GL had no Range consecutive names (or
    // Range is not positive), and compiling over 0..Range-1 would overwrite
    // lists that others own.
    FBase = Range > 0 ? glGenLists(Range) : 0;
    if (FBase == 0)
        throw Exception("TGLDisplayList.Build error: glGenLists failed");
    FBuiltRange = Range;
    FBuilt = true;
    try {
        OnBuild(this);
    } catch (...) {
        Delete();
        throw;
    }
}

void TGLDisplayList::Delete()
{
    if (FBuilt)
        glDeleteLists(FBase, FBuiltRange);
    FBuilt = false;
}

void TGLDisplayList::BeginList(int i) { glNewList(FBase + static_cast<GLuint>(i), GL_COMPILE); }

void TGLDisplayList::EndList() { glEndList(); }

void TGLDisplayList::CallLists(int count, const void* ids) { Call(count, CallType, ids); }

void TGLDisplayList::CallString(const std::string& text)
{
    Call(static_cast<int>(text.size()), GL_UNSIGNED_BYTE, text.data());
}

void TGLDisplayList::Call(int count, GLenum type, const void* ids)
{
    if (!FBuilt)
        Build();
    if (!FBuilt)
        return;
    glListBase(FBase);
    glCallLists(count, type, ids);
}
