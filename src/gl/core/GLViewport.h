// TGLViewport: a viewport rectangle, an orthographic and a perspective
// projection box and a camera, which Apply hands to OpenGL; and picking, a
// pass in OpenGL selection mode around a window point after which the
// object hit last is known.
//
// Picking names objects through a name table (TGLPickNames): each object
// that takes part (a TGLPickable) holds a 32-bit name that it pushes while
// it is drawn in a pick pass. Names are never 0 - the viewport pushes 0 as
// the bottom of the name stack, so a hit on something unnamed reads 0 and
// is ignored - and a name is not handed out again while the counter has not
// gone round, so a hit record of an object freed meanwhile finds nothing.
#pragma once

#include <cstdint>
#include <map>

#include "gl/core/GLBinding.h"
#include "gl/core/GLItemList.h"
#include "gl/core/VectorTypes.h"

class TGLPickNames;

// An object that takes part in picking. While registered with a name table
// it pushes PickName() as its GL name (glPushName) while drawn in a pick
// pass; a viewport's pick sets its Picked flag when it was hit last and
// clears it at the next pick.
class TGLPickable {
public:
    TGLPickable() = default;
    // Leaves its name table.
    virtual ~TGLPickable();
    TGLPickable(const TGLPickable&) = delete;
    TGLPickable& operator=(const TGLPickable&) = delete;

    // 0 while not registered.
    GLuint PickName() const { return FPickName; }
    bool Picked() const { return FPicked; }

private:
    friend class TGLPickNames;
    friend class TGLViewport;
    TGLPickNames* FPickNames = nullptr;
    GLuint FPickName = 0;
    bool FPicked = false;
};

// The names of the objects that take part in picking.
class TGLPickNames {
public:
    TGLPickNames() = default;
    // Cuts every object's link to the table.
    ~TGLPickNames();
    TGLPickNames(const TGLPickNames&) = delete;
    TGLPickNames& operator=(const TGLPickNames&) = delete;

    // Gives object a name no registered object holds and returns it; an
    // object registered here already keeps its name, one registered with
    // another table leaves that table first.
    GLuint Add(TGLPickable& object);
    // Takes object out of the table: its name becomes 0 and its picked flag
    // is cleared. Nothing for an object of another table.
    void Remove(TGLPickable& object);
    // The object holding name; null for 0 and for names nobody holds.
    TGLPickable* Find(GLuint name) const;
    int Count() const { return static_cast<int>(FObjects.size()); }

private:
    std::map<GLuint, TGLPickable*> FObjects;
    GLuint FLastName = 0;
};

// A projection box: left, right, bottom, top, near, far.
struct TGLViewBox {
    double Left, Right, Bottom, Top, Near, Far;
};

class TGLViewport : public TGLItem {
public:
    static constexpr int SelectionBufferSize = 512;

    explicit TGLViewport(TGLItemList* ownerList) : TGLItem(ownerList) {}

    std::string ClassName() const override { return "TGLViewport"; }

    int X() const { return FX; }
    int Y() const { return FY; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    const TGLViewBox& Ortho() const { return FOrtho; }
    const TGLViewBox& Frustum() const { return FFrustum; }

    void SetRect(int x, int y, int width, int height);
    void SetOrtho(const TGLViewBox& box);
    void SetFrustum(const TGLViewBox& box);
    // The frustum of a symmetric perspective: top = tan(fov / 2) * zNear
    // (fov in degrees), bottom = -top, right = aspect * top, left = -right.
    void SetPerspective(double fov, double aspect, double zNear, double zFar);

    // Project through the frustum box (else the ortho box).
    bool Perspective = true;
    // The camera.
    TGLVector Up{0, 1, 0};
    TGLVector Direction{0, 0, -1};
    TGLVector Position{0, 0, 0};

    // glViewport; the projection (glFrustum or glOrtho on an identity
    // GL_PROJECTION); the camera (gluLookAt from Position towards
    // Position + Direction on an identity GL_MODELVIEW).
    void Apply();

    // Starts a pick pass around the window point (x, y), y counted from the
    // top of the viewport, within a width x height region: selection mode
    // with a name stack holding 0, the projection of Apply narrowed with
    // gluPickMatrix to the region, the camera of Apply. The object picked
    // before loses its flag.
    void BeginPick(int x, int y, int width, int height);
    // Ends the pick pass. The hit records are read by their name counts; the
    // last record whose top name is not 0 decides the picked name, and the
    // object holding it in the name table gets its picked flag. A record
    // that runs past the buffer ends the reading.
    void EndPick();

    // The name hit by the last pick; 0 for none.
    GLuint PickedName() const { return FPickedName; }
    // The object holding PickedName, or null.
    TGLPickable* Picked() const;
    // The name table of the viewport list; null without one.
    TGLPickNames* PickNames() const;

private:
    void SetProjection();
    void SetCamera();

    int FX = 0;
    int FY = 0;
    int FWidth = 100;
    int FHeight = 100;
    TGLViewBox FOrtho{-1, 1, -1, 1, 1, 100};
    TGLViewBox FFrustum{-1, 1, -1, 1, 1, 100};
    GLuint FPickedName = 0;
    GLuint FSelectBuffer[SelectionBufferSize] = {};
};
