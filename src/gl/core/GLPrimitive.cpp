#include "gl/core/GLPrimitive.h"

TGLPrimitive::~TGLPrimitive() { DropDisplayList(); }

void TGLPrimitive::DropDisplayList()
{
    if (FCompiled && glDeleteLists)
        glDeleteLists(FListId, 1);
    FCompiled = false;
}
