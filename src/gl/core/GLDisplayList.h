// TGLDisplayList: a range of consecutive OpenGL display lists whose
// contents an event produces, so that they can be built again whenever a
// context is made. The context builds every display list of its list when
// it is made and deletes them all before it is destroyed.
#pragma once

#include <functional>

#include "gl/core/GLBinding.h"
#include "gl/core/GLItemList.h"

class TGLDisplayList : public TGLItem {
public:
    explicit TGLDisplayList(TGLItemList* ownerList) : TGLItem(ownerList) {}

    std::string ClassName() const override { return "TGLDisplayList"; }

    bool Built() const { return FBuilt; }
    GLuint Base() const { return FBase; }

    // Number of lists; 1 by default.
    int Range = 1;
    // Type of the ids given to glCallLists.
    GLenum CallType = GL_UNSIGNED_BYTE;
    // Fills the lists; the sender is the display list.
    std::function<void(TObject* sender)> OnBuild;

    // Only with OnBuild set: deletes the lists when built, takes Range new
    // list names (glGenLists), runs OnBuild and becomes built.
    void Build();
    // glDeleteLists(Base, Range) when built; no longer built.
    void Delete();

protected:
    bool FBuilt = false;
    GLuint FBase = 0;
};
