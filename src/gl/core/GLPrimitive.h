// TGLPrimitive: one drawable mesh of the rendering context, drawn with
// OpenGL vertex arrays and optionally compiled into a display list. The
// scene engine's meshes and the aquarium's water grids are primitives.
//
// The mesh lives in growable arrays that are handed to the GL as they are:
// vertices, normals and colours (one per vertex, or a single value for the
// whole mesh), up to three texture-coordinate sets (one per texture unit)
// and optional indices (empty = the vertices in order).
//
// Arrays reach the GL only in the shape it expects: a colour, normal or
// coordinate array whose count is not the vertex count is never handed over
// (the array is disabled instead), and the indices are checked against the
// vertex count before they are drawn. Mesh files are outside input, so an
// index outside the vertices raises Exception rather than letting the GL
// read beyond the arrays. The check runs again only after the indices may
// have changed - any use of the writable Indices() - or the vertex count
// has; an index array that is kept and edited between frames through an
// old reference is not seen, so reach it through Indices() each time.
//
// A compiled display list belongs to the context: the context drops every
// primitive's list before it is destroyed (TGLPrimitiveList::
// DropDisplayLists). A compiled primitive keeps drawing what it held when
// it was compiled until DropDisplayList.
#pragma once

#include "gl/core/DArray.h"
#include "gl/core/GLBinding.h"
#include "gl/core/GLItemList.h"
#include "gl/core/VectorTypes.h"

class TGLPrimitive : public TGLItem {
public:
    // The texture-coordinate sets a primitive keeps, one per texture unit.
    static constexpr int TextureCoordSets = 3;

    explicit TGLPrimitive(TGLItemList* ownerList) : TGLItem(ownerList) {}
    // Drops the display list.
    ~TGLPrimitive() override;

    std::string ClassName() const override { return "TGLPrimitive"; }

    // Writable access to the indices marks them for a new check before the
    // next draw.
    TGLIndexDArray& Indices();
    const TGLIndexDArray& Indices() const { return FIndices; }
    TGLVectorDArray& Normals() { return FNormals; }
    const TGLVectorDArray& Normals() const { return FNormals; }
    TGLVectorDArray& Vertices() { return FVertices; }
    const TGLVectorDArray& Vertices() const { return FVertices; }
    TGLColorDArray& Colors() { return FColors; }
    const TGLColorDArray& Colors() const { return FColors; }
    // Coordinate set index, 0 .. 2; any other index raises Exception
    // "TGLPrimitive.GetTextureCoords error: Index out of bounds".
    TGLTextureCoordDArray& GetTextureCoords(int index);

    // The OpenGL primitive mode.
    GLenum Mode = GL_TRIANGLES;
    // Feed each texture unit of the context its own coordinate set (as many
    // as the driver has units, at most three) instead of set 0 only.
    bool MultiTexture = false;
    // Draw through a display list compiled on the first draw.
    bool UseDisplayList = false;

    bool Compiled() const { return FCompiled; }
    GLuint ListId() const { return FListId; }
    // Deletes the compiled display list, if there is one; the next compiled
    // draw compiles again.
    void DropDisplayList();

    // Copies the mode, colours, vertices, normals, the coordinate sets and
    // the indices into dest; a null dest is first added to this primitive's
    // list (and then owned by the caller). Dest's display list is dropped,
    // so that it draws what it got. Answers dest (null when there is no
    // dest and no list to add one to).
    TGLPrimitive* CopyTo(TGLPrimitive* dest) const;

    // Smooth normals, one per vertex, normalised (a zero normal stays zero):
    // for GL_TRIANGLES the average of the face normals around each vertex
    // (with indices) or each triangle's own face normal (without); for
    // GL_QUADS without indices each quad's face normal from its first three
    // vertices. Other modes leave every normal zero. Indices outside the
    // vertices raise Exception "TGLPrimitive.BuildNormals error: Index out
    // of bounds".
    void BuildNormals();
    // Frames of the same count: the normals (only when there are any) or
    // the vertices are resized to that count and become a + (b - a) * t.
    // Frames of different counts change nothing.
    void MorphNormals(const TGLVectorDArray& a, const TGLVectorDArray& b, float t);
    void MorphVertices(const TGLVectorDArray& a, const TGLVectorDArray& b, float t);
    // Rotates the vertices about the z axis, in place.
    void RotateZ(float degrees);
    // Transforms the vertices as points, in place.
    void Transform(const TGLMatrix& m);

    // Draws the primitive (nothing without vertices): through the display
    // list with UseDisplayList, compiling it when there is none, else
    // straight from the arrays, locked (glLockArraysEXT) when the driver
    // offers it. Indices outside the vertices raise Exception
    // "TGLPrimitive.Render error: Index out of bounds", an array of foreign
    // elements EInvalidCast; either way nothing is drawn.
    void Render();

private:
    // Raises "TGLPrimitive.<operation> error: Index out of bounds" when an
    // index lies outside the vertices; only when the indices or the vertex
    // count changed since the last check that passed.
    void CheckIndices(const char* operation);
    // Raises EInvalidCast when an array holds elements of another size than
    // its kind (CopyTo between arrays of different kinds can do that).
    void CheckElementSizes() const;
    // Texture units to feed: the context's, at most TextureCoordSets; 0 when
    // set 0 alone goes to the current unit.
    int MultiTextureUnits() const;
    void SetupArrays(int units);
    void SetupTextureCoords(const TGLTextureCoordDArray& coords);
    // After a multitexture draw: the coordinate arrays of units 1 and up are
    // disabled, so that no other draw reads this primitive's memory, and
    // unit 0 is the client unit again.
    void ResetTextureUnits(int units);
    void Draw();

    TGLIndexDArray FIndices;
    TGLTextureCoordDArray FTextureCoords[TextureCoordSets];
    TGLVectorDArray FNormals;
    TGLVectorDArray FVertices;
    TGLColorDArray FColors;
    GLuint FListId = 0;
    bool FCompiled = false;

    // What the last index check that passed saw.
    bool FIndicesChecked = false;
    const void* FCheckedIndexData = nullptr;
    int FCheckedIndexCount = 0;
    int FCheckedVertexCount = 0;
};
