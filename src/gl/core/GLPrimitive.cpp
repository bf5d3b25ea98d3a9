#include "gl/core/GLPrimitive.h"

#include <algorithm>
#include <type_traits>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"
#include "gl/core/GLLists.h"
#include "gl/core/VectorMath.h"

namespace {

// The block of a typed array as elements of T. CopyTo can give a typed
// array another element size; such a block is refused (EInvalidCast) rather
// than read or handed to the GL with the wrong element size.
template <class T, class A>
auto Elements(A& array)
{
    if (array.ItemSize() != static_cast<int>(sizeof(T))) {
        throw EInvalidCast(array.ClassName() + " holds items of " + IntToStr(array.ItemSize()) + " bytes, not " +
                           IntToStr(static_cast<int64_t>(sizeof(T))));
    }
    using Element = std::conditional_t<std::is_const_v<A>, const T, T>;
    return static_cast<Element*>(array.Data());
}

TGLVector FaceNormal(const TGLVector& a, const TGLVector& b, const TGLVector& c)
{
    const TGLVector u{b.x - a.x, b.y - a.y, b.z - a.z};
    const TGLVector v{c.x - a.x, c.y - a.y, c.z - a.z};
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}

void Add(TGLVector& sum, const TGLVector& v)
{
    sum.x += v.x;
    sum.y += v.y;
    sum.z += v.z;
}

// dest := a + (b - a) * t, when a and b have the same count.
void Morph(TGLVectorDArray& dest, const TGLVectorDArray& a, const TGLVectorDArray& b, float t)
{
    if (a.Count() != b.Count())
        return;
    const TGLVector* from = Elements<TGLVector>(a);
    const TGLVector* to = Elements<TGLVector>(b);
    if (dest.Count() != a.Count())
        dest.SetCount(a.Count());
    InterpolateVectors(from, to, Elements<TGLVector>(dest), a.Count(), t);
}

}  // namespace

TGLPrimitive::~TGLPrimitive() { DropDisplayList(); }

TGLIndexDArray& TGLPrimitive::Indices()
{
    FIndicesChecked = false;
    return FIndices;
}

TGLTextureCoordDArray& TGLPrimitive::GetTextureCoords(int index)
{
    if (index < 0 || index >= TextureCoordSets)
        throw Exception("TGLPrimitive.GetTextureCoords error: Index out of bounds");
    return FTextureCoords[index];
}

void TGLPrimitive::DropDisplayList()
{
    if (FCompiled && glDeleteLists)
        glDeleteLists(FListId, 1);
    FCompiled = false;
}

TGLPrimitive* TGLPrimitive::CopyTo(TGLPrimitive* dest) const
{
    if (!dest) {
        auto* list = dynamic_cast<TGLPrimitiveList*>(OwnerList());
        if (!list)
            return nullptr;
        dest = list->Add();
    }
    if (dest == this)
        return dest;
    dest->Mode = Mode;
    FColors.CopyTo(&dest->Colors());
    FVertices.CopyTo(&dest->Vertices());
    FNormals.CopyTo(&dest->Normals());
    for (int i = 0; i < TextureCoordSets; ++i)
        FTextureCoords[i].CopyTo(&dest->GetTextureCoords(i));
    FIndices.CopyTo(&dest->Indices());
    dest->DropDisplayList();
    return dest;
}

// --- Geometry ------------------------------------------------------------------------

void TGLPrimitive::BuildNormals()
{
    const int count = FVertices.Count();
    const TGLVector* vertices = Elements<TGLVector>(FVertices);
    FNormals.SetCount(count);
    FNormals.ZeroVectors();
    TGLVector* normals = Elements<TGLVector>(FNormals);

    if (Mode == GL_TRIANGLES && FIndices.Count() > 0) {
        CheckIndices("BuildNormals");
        const int32_t* indices = Elements<int32_t>(FIndices);
        std::vector<int> uses(static_cast<size_t>(count));
        for (int i = 0; i + 2 < FIndices.Count(); i += 3) {
            const int32_t corner[3] = {indices[i], indices[i + 1], indices[i + 2]};
            const TGLVector face = FaceNormal(vertices[corner[0]], vertices[corner[1]], vertices[corner[2]]);
            for (int32_t c : corner) {
                Add(normals[c], face);
                ++uses[static_cast<size_t>(c)];
            }
        }
        for (int i = 0; i < count; ++i) {
            const int n = uses[static_cast<size_t>(i)];
            if (n > 0)
                normals[i] = {normals[i].x / n, normals[i].y / n, normals[i].z / n};
        }
    } else if (Mode == GL_TRIANGLES) {
        for (int i = 0; i + 2 < count; i += 3)
            normals[i] = normals[i + 1] = normals[i + 2] =
                FaceNormal(vertices[i], vertices[i + 1], vertices[i + 2]);
    } else if (Mode == GL_QUADS && FIndices.Count() == 0) {
        for (int i = 0; i + 3 < count; i += 4)
            normals[i] = normals[i + 1] = normals[i + 2] = normals[i + 3] =
                FaceNormal(vertices[i], vertices[i + 1], vertices[i + 2]);
    }
    NormalizeVectors(normals, normals, count);
}

void TGLPrimitive::MorphNormals(const TGLVectorDArray& a, const TGLVectorDArray& b, float t)
{
    if (FNormals.Count() > 0)
        Morph(FNormals, a, b, t);
}

void TGLPrimitive::MorphVertices(const TGLVectorDArray& a, const TGLVectorDArray& b, float t)
{
    Morph(FVertices, a, b, t);
}

void TGLPrimitive::RotateZ(float degrees)
{
    TGLVector* vertices = Elements<TGLVector>(FVertices);
    RotateVectorsZ(vertices, vertices, FVertices.Count(), degrees);
}

void TGLPrimitive::Transform(const TGLMatrix& m)
{
    TGLVector* vertices = Elements<TGLVector>(FVertices);
    TransformVectors(vertices, vertices, FVertices.Count(), m);
}

// --- Drawing -------------------------------------------------------------------------

void TGLPrimitive::CheckIndices(const char* operation)
{
    const int vertexCount = FVertices.Count();
    if (FIndicesChecked && FCheckedIndexData == FIndices.Data() && FCheckedIndexCount == FIndices.Count() &&
        FCheckedVertexCount == vertexCount)
        return;
    const int32_t* indices = Elements<int32_t>(FIndices);
    for (int i = 0; i < FIndices.Count(); ++i) {
        if (indices[i] < 0 || indices[i] >= vertexCount)
            throw Exception(std::string("TGLPrimitive.") + operation + " error: Index out of bounds");
    }
    FIndicesChecked = true;
    FCheckedIndexData = FIndices.Data();
    FCheckedIndexCount = FIndices.Count();
    FCheckedVertexCount = vertexCount;
}

void TGLPrimitive::CheckElementSizes() const
{
    Elements<TGLVector>(FVertices);
    Elements<TGLVector>(FNormals);
    Elements<TGLColor>(FColors);
    for (const TGLTextureCoordDArray& coords : FTextureCoords)
        Elements<TGLTextureCoord>(coords);
}

int TGLPrimitive::MultiTextureUnits() const
{
    if (!MultiTexture || !glClientActiveTextureARB)
        return 0;
    const auto* list = dynamic_cast<const TGLPrimitiveList*>(OwnerList());
    return std::clamp(list ? list->TextureUnits() : 1, 1, TextureCoordSets);
}

void TGLPrimitive::SetupTextureCoords(const TGLTextureCoordDArray& coords)
{
    if (coords.Count() == FVertices.Count()) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(TGLTextureCoord), Elements<TGLTextureCoord>(coords));
    } else {
        // Empty, or a count that fits no vertex: no array, rather than the
        // previous primitive's still enabled.
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
}

void TGLPrimitive::SetupArrays(int units)
{
    const int count = FVertices.Count();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(TGLVector), Elements<TGLVector>(FVertices));

    if (FColors.Count() == count) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(TGLColor), Elements<TGLColor>(FColors));
    } else {
        glDisableClientState(GL_COLOR_ARRAY);
        if (FColors.Count() == 1)
            glColor4ubv(reinterpret_cast<const GLubyte*>(Elements<TGLColor>(FColors)));
    }

    if (FNormals.Count() == count) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, sizeof(TGLVector), Elements<TGLVector>(FNormals));
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
        if (FNormals.Count() == 1)
            glNormal3fv(&Elements<TGLVector>(FNormals)->x);
    }

    if (units == 0) {
        SetupTextureCoords(FTextureCoords[0]);
        return;
    }
    for (int u = 0; u < units; ++u) {
        glClientActiveTextureARB(GL_TEXTURE0_ARB + u);
        SetupTextureCoords(FTextureCoords[u]);
    }
}

void TGLPrimitive::ResetTextureUnits(int units)
{
    if (units < 2)
        return;
    for (int u = 1; u < units; ++u) {
        glClientActiveTextureARB(GL_TEXTURE0_ARB + u);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glClientActiveTextureARB(GL_TEXTURE0_ARB);
}

void TGLPrimitive::Draw()
{
    if (FIndices.Count() > 0)
        glDrawElements(Mode, FIndices.Count(), GL_UNSIGNED_INT, FIndices.Data());
    else
        glDrawArrays(Mode, 0, FVertices.Count());
}

void TGLPrimitive::Render()
{
    const int count = FVertices.Count();
    if (count == 0)
        return;
    // Everything that can refuse the arrays runs before a list is opened.
    CheckElementSizes();
    CheckIndices("Render");
    const int units = MultiTextureUnits();

    if (!UseDisplayList) {
        SetupArrays(units);
        if (glLockArraysEXT)
            glLockArraysEXT(0, count);
        Draw();
        if (glUnlockArraysEXT)
            glUnlockArraysEXT();
        ResetTextureUnits(units);
        return;
    }
    if (!FCompiled) {
        FListId = glGenLists(1);
        if (FListId == 0)
            return;  // the GL has no list to give: nothing is drawn
        glNewList(FListId, GL_COMPILE);
        SetupArrays(units);
        Draw();
        glEndList();
        ResetTextureUnits(units);
        FCompiled = true;
    }
    glCallList(FListId);
}
