// The text mesh format: line-oriented meshes exported from a modelling tool
// (the fish and the bubble). T3DMFile reads a file or an RCDATA resource
// into the plain data classes below, which the mesh loader turns into GL
// primitives.
//
// The format, briefly: every line is trimmed and blank lines are skipped. A
// chunk starts with a header "#" + name + " " + count and is followed by its
// count of lines: data lines ("[x,y,z]" vectors and texture coordinates,
// "[a,b,c]" faces with 1-based indices, "(color r g b)" colours, integers)
// or key lines (key + " " + value). Chunks about an object belong to the
// latest "#Object". Unknown chunks are skipped.
//
// Reading checks everything the mesh loader relies on, since the text is
// outside input. After a successful load, for every object:
//  - every vertex, texture-coordinate and colour face index lies within its
//    list (1..Count);
//  - the texture-coordinate and colour face lists have one face per vertex
//    face whenever the object has texture coordinates or colours;
//  - there is one positive material id per vertex face;
//  - every animation frame has one vertex per vertex of the object.
// A text that ends inside a chunk keeps what was read before its end (an
// incomplete animation frame is dropped). Any other fault - a malformed
// number or value (EConvertError), a count that does not match its lines,
// an index out of range, a chunk outside an object (Exception) - raises
// with a message that names the chunk and its line, and leaves the file
// empty.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"
#include "gl/core/VectorTypes.h"
#include "scene/core/TextMeshMaterial.h"

class TStrings;

// The growable array under every list of an object.
template <class T>
class T3DMList : public TObject {
public:
    std::string ClassName() const override { return "T3DMList"; }

    int Count() const { return static_cast<int>(FItems.size()); }
    // 0-based (a face index i addresses item i - 1); raises EListError
    // outside 0..Count-1.
    const T& Items(int index) const
    {
        if (index < 0 || index >= Count())
            throw EListError("List index out of bounds (" + IntToStr(index) + ")");
        return FItems[static_cast<size_t>(index)];
    }
    const T* Data() const { return FItems.data(); }
    void Add(const T& item) { FItems.push_back(item); }
    void Clear() { FItems.clear(); }

private:
    std::vector<T> FItems;
};

// A face: three 1-based indices into a vertex, texture-coordinate or colour
// list.
struct T3DMFace {
    std::array<int, 3> Index{};
};

class T3DMVertexList : public T3DMList<TGLVector> {
public:
    std::string ClassName() const override { return "T3DMVertexList"; }
};

class T3DMColorList : public T3DMList<T3DMColor> {
public:
    std::string ClassName() const override { return "T3DMColorList"; }
};

// u and v of the file's texture coordinates (w is not kept).
class T3DMTextureCoordList : public T3DMList<TGLTextureCoord> {
public:
    std::string ClassName() const override { return "T3DMTextureCoordList"; }
};

class T3DMFaceList : public T3DMList<T3DMFace> {
public:
    std::string ClassName() const override { return "T3DMFaceList"; }
};

// A vertex-frame animation: one vertex list per frame, with the values of
// the object's "Animation" chunk.
class T3DMVertexFrameList : public TObject {
public:
    std::string ClassName() const override { return "T3DMVertexFrameList"; }

    bool Loop = false;
    // The declared number of frames; 0 without an "Animation" chunk.
    int Length = 0;

    int Count() const { return static_cast<int>(FFrames.size()); }
    // 0-based; raises EListError outside 0..Count-1.
    const T3DMVertexList& Frames(int index) const;
    T3DMVertexList& AddFrame();
    void DeleteLast();
    void Clear() { FFrames.clear(); }

private:
    std::vector<std::unique_ptr<T3DMVertexList>> FFrames;
};

class T3DMObject : public TObject {
public:
    std::string ClassName() const override { return "T3DMObject"; }

    std::string Name;
    // The name of the file's material the object uses.
    std::string MaterialName;

    T3DMVertexList Vertices;
    T3DMVertexList Normals;
    T3DMColorList Colors;
    T3DMTextureCoordList TextureCoords;
    T3DMFaceList VertexFaces;
    T3DMFaceList TextureCoordFaces;
    T3DMFaceList ColorFaces;
    // The 1-based sub-material id of each vertex face.
    T3DMList<int> FaceMatIDs;

    // Set by a "(matrix3 ...)" line: Matrix holds its three rotation-scale
    // rows and then the translation row. Identity otherwise.
    bool HasTransform = false;
    std::array<TGLVector, 4> Matrix{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}}};
    // Negative components of the transform's scale.
    bool MirrorX = false;
    bool MirrorY = false;
    bool MirrorZ = false;

    T3DMVertexFrameList VertexFrames;
};

class T3DMFile : public TObject {
public:
    T3DMFile() = default;
    T3DMFile(const T3DMFile&) = delete;
    T3DMFile& operator=(const T3DMFile&) = delete;

    std::string ClassName() const override { return "T3DMFile"; }

    // The "Version" of the "Header" chunk; 0 when absent.
    int Version = 0;

    int ObjectCount() const { return static_cast<int>(FObjects.size()); }
    // 0-based; raises EListError outside 0..ObjectCount-1.
    const T3DMObject& Objects(int index) const;
    // Appends a new, empty object (the reader's way of building the file).
    T3DMObject& AddObject();
    const T3DMMaterialList& Materials() const { return FMaterials; }
    T3DMMaterialList& Materials() { return FMaterials; }

    void Clear();

    // Each load replaces the content (see the header comment for what a
    // load checks and raises).
    void LoadFromStrings(const TStrings& lines);
    void LoadFromText(const std::string& text);
    // Raises EFOpenError when the file cannot be opened.
    void LoadFromFile(const std::string& fileName);
    // Reads the RCDATA resource named after fileName's file-name part with
    // its first "." replaced by "_" ("bubble.3dm" is BUBBLE_3DM), through
    // SceneResources(); EResNotFound when there is none.
    void LoadFromResource(const std::string& fileName);

private:
    std::vector<std::unique_ptr<T3DMObject>> FObjects;
    T3DMMaterialList FMaterials;
};
