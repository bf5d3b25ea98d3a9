#include "gl/core/GLDisplayList.h"

void TGLDisplayList::Build()
{
    if (!OnBuild)
        return;
    Delete();
    FBase = glGenLists(Range);
    OnBuild(this);
    FBuilt = true;
}

void TGLDisplayList::Delete()
{
    if (FBuilt)
        glDeleteLists(FBase, Range);
    FBuilt = false;
}
