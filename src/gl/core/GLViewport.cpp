#include "gl/core/GLViewport.h"

#include "app/core/MathPro.h"
#include "gl/core/GLLists.h"

// --- Pick names ---------------------------------------------------------------

TGLPickable::~TGLPickable()
{
    if (FPickNames)
        FPickNames->Remove(*this);
}

TGLPickNames::~TGLPickNames()
{
    for (auto& [name, object] : FObjects) {
        object->FPickNames = nullptr;
        object->FPickName = 0;
    }
}

GLuint TGLPickNames::Add(TGLPickable& object)
{
    if (object.FPickNames == this)
        return object.FPickName;
    if (object.FPickNames)
        object.FPickNames->Remove(object);
    do
        ++FLastName;
    while (FLastName == 0 || FObjects.count(FLastName) != 0);
    FObjects[FLastName] = &object;
    object.FPickNames = this;
    object.FPickName = FLastName;
    return FLastName;
}

void TGLPickNames::Remove(TGLPickable& object)
{
    if (object.FPickNames != this)
        return;
    FObjects.erase(object.FPickName);
    object.FPickNames = nullptr;
    object.FPickName = 0;
    object.FPicked = false;
}

TGLPickable* TGLPickNames::Find(GLuint name) const
{
    const auto found = FObjects.find(name);
    return found != FObjects.end() ? found->second : nullptr;
}

// --- Viewport -----------------------------------------------------------------

void TGLViewport::SetRect(int x, int y, int width, int height)
{
    FX = x;
    FY = y;
    FWidth = width;
    FHeight = height;
}

void TGLViewport::SetOrtho(const TGLViewBox& box) { FOrtho = box; }

void TGLViewport::SetFrustum(const TGLViewBox& box) { FFrustum = box; }

void TGLViewport::SetPerspective(double fov, double aspect, double zNear, double zFar)
{
    const double top = static_cast<double>(Tan(DegToRad(fov / 2))) * zNear;
    const double right = aspect * top;
    FFrustum = {-right, right, -top, top, zNear, zFar};
}

void TGLViewport::SetProjection()
{
    const TGLViewBox& box = Perspective ? FFrustum : FOrtho;
    if (Perspective)
        glFrustum(box.Left, box.Right, box.Bottom, box.Top, box.Near, box.Far);
    else
        glOrtho(box.Left, box.Right, box.Bottom, box.Top, box.Near, box.Far);
}

void TGLViewport::SetCamera()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(Position.x, Position.y, Position.z, Position.x + Direction.x, Position.y + Direction.y,
              Position.z + Direction.z, Up.x, Up.y, Up.z);
}

void TGLViewport::Apply()
{
    glViewport(FX, FY, FWidth, FHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    SetProjection();
    SetCamera();
}

TGLPickNames* TGLViewport::PickNames() const
{
    auto* list = dynamic_cast<TGLViewportList*>(OwnerList());
    return list ? &list->PickNames() : nullptr;
}

TGLPickable* TGLViewport::Picked() const
{
    const TGLPickNames* names = PickNames();
    return names ? names->Find(FPickedName) : nullptr;
}

void TGLViewport::BeginPick(int x, int y, int width, int height)
{
    glSelectBuffer(SelectionBufferSize, FSelectBuffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPickMatrix(x, viewport[3] - y, width, height, viewport);
    SetProjection();
    SetCamera();
    if (TGLPickable* old = Picked())
        old->FPicked = false;
    FPickedName = 0;
}

void TGLViewport::EndPick()
{
    const GLint hits = glRenderMode(GL_RENDER);
    GLuint name = 0;
    // Each record: name count, minimum depth, maximum depth, the names from
    // the bottom of the stack to its top.
    size_t at = 0;
    for (GLint hit = 0; hit < hits; ++hit) {
        const size_t left = SelectionBufferSize - at;
        if (left < 3 || FSelectBuffer[at] > left - 3)
            break;
        const GLuint count = FSelectBuffer[at];
        if (count > 0 && FSelectBuffer[at + 2 + count] != 0)
            name = FSelectBuffer[at + 2 + count];
        at += 3 + count;
    }
    FPickedName = name;
    if (TGLPickable* picked = Picked())
        picked->FPicked = true;
}
