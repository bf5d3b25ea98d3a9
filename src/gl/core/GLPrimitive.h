// TGLPrimitive: one drawable mesh of the rendering context.
//
// A primitive may be compiled into a display list for drawing; that list
// belongs to the context, so the context drops every primitive's list
// before it is destroyed (TGLPrimitiveList::DropDisplayLists). The mesh
// data and the drawing come with the primitive's own behaviour.
#pragma once

#include "gl/core/GLBinding.h"
#include "gl/core/GLItemList.h"

class TGLPrimitive : public TGLItem {
public:
    explicit TGLPrimitive(TGLItemList* ownerList) : TGLItem(ownerList) {}
    // Drops the display list.
    ~TGLPrimitive() override;

    std::string ClassName() const override { return "TGLPrimitive"; }

    bool Compiled() const { return FCompiled; }
    GLuint ListId() const { return FListId; }
    // Deletes the compiled display list, if there is one; the next compiled
    // draw compiles again.
    void DropDisplayList();

protected:
    GLuint FListId = 0;
    bool FCompiled = false;
};
