// TGLLight: one OpenGL light, GL_LIGHT0 + its index.
//
// The light list gives each light the lowest index no other light of the
// list holds, below the driver's GL_MAX_LIGHTS, so that no two objects ever
// drive one GL light. The light's parameters and their sending come with
// the light's own behaviour; the list needs only the index.
#pragma once

#include "gl/core/GLItemList.h"

class TGLLight : public TGLItem {
public:
    explicit TGLLight(TGLItemList* ownerList) : TGLItem(ownerList) {}

    std::string ClassName() const override { return "TGLLight"; }

    // The GL light is GL_LIGHT0 + Index; -1 when every light below
    // GL_MAX_LIGHTS was taken when this one was added (it drives none).
    int Index() const { return FIndex; }

private:
    friend class TGLLightList;
    int FIndex = -1;
};
