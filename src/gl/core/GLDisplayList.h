// TGLDisplayList: a range of consecutive OpenGL display lists whose
// contents an event produces, so that they can be built again whenever a
// context is made. The context builds every display list of its list when
// it is made and deletes them all before it is destroyed.
//
// A font keeps one list per character and draws a text by calling the lists
// of its characters (CallString).
#pragma once

#include <functional>
#include <string>

#include "gl/core/GLBinding.h"
#include "gl/core/GLItemList.h"

class TGLDisplayList : public TGLItem {
public:
    explicit TGLDisplayList(TGLItemList* ownerList) : TGLItem(ownerList) {}
    // Deletes the lists when built.
    ~TGLDisplayList() override;

    std::string ClassName() const override { return "TGLDisplayList"; }

    bool Built() const { return FBuilt; }
    GLuint Base() const { return FBase; }

    // Number of lists; 1 by default. A change takes effect at the next Build.
    int Range = 1;
    // Type of the ids given to glCallLists by CallLists.
    GLenum CallType = GL_UNSIGNED_BYTE;
    // Fills the lists (between BeginList and EndList); the sender is the
    // display list.
    std::function<void(TObject* sender)> OnBuild;

    // Only with OnBuild set: deletes the lists when built, takes Range new
    // list names (glGenLists) and runs OnBuild, the lists counting as built
    // from then on; when OnBuild fails they are deleted again. When the GL
    // gives no names (glGenLists answers 0, or Range < 1) raises Exception
    // "TGLDisplayList.Build error: glGenLists failed" and stays unbuilt.
    void Build();
    // glDeleteLists of the lists built when built; no longer built.
    void Delete();

    // Starts compiling list Base + i (glNewList, GL_COMPILE); EndList ends it.
    void BeginList(int i);
    void EndList();

    // Calls count lists whose offsets from Base are the ids, of CallType
    // (glListBase, glCallLists); builds the lists first when they are not
    // built. Nothing is called when they cannot be built.
    void CallLists(int count, const void* ids);
    // Calls one list per character of text, the character's 8-bit code being
    // the offset from Base (always read as GL_UNSIGNED_BYTE).
    void CallString(const std::string& text);

protected:
    bool FBuilt = false;
    GLuint FBase = 0;

private:
    void Call(int count, GLenum type, const void* ids);

    // The Range the lists were built with, so Delete frees exactly those.
    int FBuiltRange = 0;
};
